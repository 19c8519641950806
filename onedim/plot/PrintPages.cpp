#include "onedim/plot/PrintPages.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

UINT ClampPage(UINT nPage, UINT nMin, UINT nMax) {
  return nPage < nMin ? nMin : nPage > nMax ? nMax : nPage;
}

int Saturate(long long n) {
  return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : (int)n;
}

}  // namespace

PrintPageRange GetPrintPageRange(UINT nFrom, UINT nTo, UINT nMinPage, UINT nMaxPage) {
  PrintPageRange range;
  range.nStart = ClampPage(nFrom, nMinPage, nMaxPage);
  const UINT nLast = ClampPage(nTo, nMinPage, nMaxPage);
  range.nStep = nLast >= range.nStart ? 1 : -1;
  range.nEnd = nLast == kPrintPagesUnknown ? kPrintPagesUnknown : nLast + range.nStep;
  range.nCount = range.nEnd >= range.nStart ? range.nEnd - range.nStart : range.nStart - range.nEnd;
  return range;
}

CString PrintPercentText(UINT k, UINT nPages) {
  CString text;
  text.Format("%d %%", nPages == 0 ? 100 : (int)(100ull * k / nPages));
  return text;
}

CString PrintTimeLeftText(DWORD dwMsPerPage, UINT nPages, UINT k) {
  const unsigned long long nLeft = (unsigned long long)dwMsPerPage * (nPages >= k ? nPages - k + 1 : 0);
  const unsigned long long nSeconds = nLeft / 1000;
  CString text;
  if (nSeconds > 60)
    text.Format("%d minuti, %d secondi", (int)(nLeft / 60000), (int)(nSeconds % 60));
  else if (nPages > 1 && nSeconds > 0)
    text.Format("%d secondi", (int)nSeconds);
  else if (nPages > 1)
    text = "??";
  return text;
}

CString FormatPageNumber(const CString& strFormat, UINT nPage, UINT nPages) {
  const char* p = strFormat;
  const int nLength = strFormat.GetLength();
  const UINT values[2] = {nPage, nPages};
  int nUsed = 0;
  CString text;
  for (int i = 0; i < nLength; i++) {
    if (p[i] != '%') {
      text += p[i];
      continue;
    }
    if (i + 1 < nLength && p[i + 1] == '%') {
      text += '%';
      i++;
      continue;
    }
    // Flags and a width of at most two digits, then the conversion.
    int j = i + 1;
    while (j < nLength && (p[j] == '-' || p[j] == '0' || p[j] == ' ' || p[j] == '+'))
      j++;
    const int nWidthStart = j;
    while (j < nLength && j - nWidthStart < 2 && p[j] >= '0' && p[j] <= '9')
      j++;
    if (j < nLength && (p[j] == 'd' || p[j] == 'i' || p[j] == 'u') && nUsed < 2) {
      char conversion[16];
      std::snprintf(conversion, sizeof(conversion), "%%%.*su", j - i - 1, p + i + 1);
      char number[64];
      std::snprintf(number, sizeof(number), conversion, values[nUsed++]);
      text += number;
      i = j;
    } else {
      text += '%';
    }
  }
  return text;
}

int MillimetresToDevice(int nMillimetres, int nDotsPerInch) {
  return Saturate((long long)nMillimetres * 100 * nDotsPerInch / 2540);
}

std::vector<int> ScaleColumnEdges(const std::vector<int>& widths, int nPageWidth) {
  std::vector<int> edges(widths.size() + 1, 0);
  long long nTotal = 0;
  for (int w : widths)
    nTotal += std::max(w, 0);
  const size_t nColumns = widths.size();
  long long nSum = 0;
  for (size_t i = 0; i < nColumns; i++) {
    nSum += std::max(widths[i], 0);
    edges[i + 1] = nTotal > 0 ? Saturate(nSum * nPageWidth / nTotal)
                              : Saturate((long long)(i + 1) * nPageWidth / (long long)nColumns);
  }
  return edges;
}

int ListRowsPerPage(int nHeight, int nRowHeight) {
  const int nRows = nHeight / std::max(nRowHeight + 1, 1) - 1;
  return std::max(nRows, 1);
}

UINT ListPageCount(int nItems, int nRowsPerPage) {
  const long long nPages = (long long)std::max(nItems, 0) / std::max(nRowsPerPage, 1) + 1;
  return (UINT)std::min<long long>(nPages, kPrintPagesUnknown - 1);
}
