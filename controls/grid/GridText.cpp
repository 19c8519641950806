#include "controls/grid/GridText.h"

#include <cstring>

CString BuildGridClipText(int nRows, int nCols, const std::function<LPCSTR(int nRow, int nCol)>& cellText) {
  CString text;
  for (int r = 0; r < nRows; ++r) {
    if (r > 0)
      text += '\n';
    for (int c = 0; c < nCols; ++c) {
      if (c > 0)
        text += '\t';
      LPCSTR lpszCell = cellText(r, c);
      if (lpszCell != nullptr)
        text += *lpszCell != '\0' ? lpszCell : " ";
    }
  }
  return text;
}

std::vector<std::vector<CString>> SplitGridClipText(LPCSTR lpszText) {
  std::vector<std::vector<CString>> lines;
  if (lpszText == nullptr)
    return lines;
  const char* p = lpszText;
  while (*p != '\0') {
    const char* end = std::strchr(p, '\n');
    const size_t nLength = end != nullptr ? (size_t)(end - p) : std::strlen(p);
    std::vector<CString> fields;
    size_t i = 0;
    while (i < nLength) {
      while (i < nLength && (p[i] == '\t' || p[i] == ','))
        ++i;
      size_t start = i;
      while (i < nLength && p[i] != '\t' && p[i] != ',')
        ++i;
      if (i > start) {
        CString field(p + start, (int)(i - start));
        field.TrimLeft();
        field.TrimRight();
        fields.push_back(field);
      }
    }
    if (fields.empty() && end != nullptr)
      fields.push_back(CString());
    if (!fields.empty())
      lines.push_back(fields);
    if (end == nullptr)
      break;
    p = end + 1;
  }
  return lines;
}
