#include "onedim/import/JcampDecoder.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// No number of a data line is anywhere near this long; a longer one is
// damage, not data.
const int kMaxNumberLength = 64;

// A DUP count beyond this is cut: no table holds more points.
const long kMaxDuplicate = 1L << 30;

BOOL IsDigit(char c) {
  return c >= '0' && c <= '9';
}
BOOL IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\v' || c == '\f';
}

// SQZ letters: '@' 0, 'A'..'I' 1..9, 'a'..'i' -1..-9. The leading digit
// goes to *pDigit, the sign to *pNegative.
BOOL IsSqz(char c, int* pDigit, BOOL* pNegative) {
  if (c == '@') {
    *pDigit = 0;
    *pNegative = FALSE;
  } else if (c >= 'A' && c <= 'I') {
    *pDigit = c - 'A' + 1;
    *pNegative = FALSE;
  } else if (c >= 'a' && c <= 'i') {
    *pDigit = c - 'a' + 1;
    *pNegative = TRUE;
  } else {
    return FALSE;
  }
  return TRUE;
}

// DIF letters: '%' 0, 'J'..'R' 1..9, 'j'..'r' -1..-9.
BOOL IsDif(char c, int* pDigit, BOOL* pNegative) {
  if (c == '%') {
    *pDigit = 0;
    *pNegative = FALSE;
  } else if (c >= 'J' && c <= 'R') {
    *pDigit = c - 'J' + 1;
    *pNegative = FALSE;
  } else if (c >= 'j' && c <= 'r') {
    *pDigit = c - 'j' + 1;
    *pNegative = TRUE;
  } else {
    return FALSE;
  }
  return TRUE;
}

// DUP letters: 'S'..'Z' 1..8, 's' 9.
BOOL IsDup(char c, int* pDigit) {
  if (c >= 'S' && c <= 'Z') {
    *pDigit = c - 'S' + 1;
    return TRUE;
  }
  if (c == 's') {
    *pDigit = 9;
    return TRUE;
  }
  return FALSE;
}

// An "E" is an exponent when a digit or a point stands before it and a
// signed integer after it ("1.5E+03"); "1E5" is 1 and the SQZ value 55.
BOOL IsExponentAt(const char* p, std::size_t i, std::size_t nEnd) {
  if (i == 0 || !(IsDigit(p[i - 1]) || p[i - 1] == '.'))
    return FALSE;
  return i + 2 < nEnd && (p[i + 1] == '+' || p[i + 1] == '-') && IsDigit(p[i + 2]);
}

// A line of plain numbers (AFFN): no ASDF letter but exponents. Only there
// is "E" read as an exponent; elsewhere it is the SQZ digit 5.
BOOL IsAffnLine(const char* p, std::size_t nEnd) {
  for (std::size_t i = 0; i < nEnd; i++) {
    char c = p[i];
    int nDigit;
    BOOL bNegative;
    if (c == 'E' || c == 'e') {
      if (!IsExponentAt(p, i, nEnd))
        return FALSE;
    } else if (IsSqz(c, &nDigit, &bNegative) || IsDif(c, &nDigit, &bNegative) || IsDup(c, &nDigit)) {
      return FALSE;
    }
  }
  return TRUE;
}

// The end of the line's data: a "$$" comment is not data.
std::size_t DataEnd(const char* p, std::size_t nLength) {
  for (std::size_t i = 0; i + 1 < nLength; i++)
    if (p[i] == '$' && p[i + 1] == '$')
      return i;
  return nLength;
}

BOOL IsBlankLine(const char* p, std::size_t nLength) {
  for (std::size_t i = 0; i < nLength; i++)
    if (!IsSeparator(p[i]) || p[i] == ',')
      return FALSE;
  return TRUE;
}

}  // namespace

CAsdfDecoder::CAsdfDecoder(float* pValues, int nPoints, int nStride)
    : m_pValues(pValues), m_nPoints(nPoints > 0 ? nPoints : 0), m_nStride(nStride > 0 ? nStride : 1) {}

BOOL CAsdfDecoder::Store(double dValue) {
  if (!std::isfinite(dValue) || std::fabs(dValue) > FLT_MAX)
    return FALSE;
  m_dLast = dValue;
  if (m_nCount < m_nPoints) {
    m_pValues[(std::size_t)m_nCount * (std::size_t)m_nStride] = (float)dValue;
    m_nCount++;
  }
  return TRUE;
}

BOOL CAsdfDecoder::Apply(ItemKind kind, double dNumber, BOOL bFirstOrdinate) {
  BOOL bCheck = bFirstOrdinate && m_bCheckPending;
  m_bCheckPending = FALSE;
  switch (kind) {
    case itemValue:
      m_bDifferenceForm = FALSE;
      if (bCheck && m_nCount > 0) {
        // The Y check repeats the last value; the file's value stands.
        m_nCount--;
      }
      return Store(dNumber);
    case itemDifference:
      m_dDifference = dNumber;
      m_bDifferenceForm = TRUE;
      return Store(m_dLast + dNumber);
    case itemDuplicate: {
      long nRepeats = (long)dNumber - 1;
      for (long k = 0; k < nRepeats && !IsFull(); k++)
        if (!Store(m_bDifferenceForm ? m_dLast + m_dDifference : m_dLast))
          return FALSE;
      return TRUE;
    }
    default:
      return TRUE;
  }
}

BOOL CAsdfDecoder::DecodeLine(const char* pLine, std::size_t nLength) {
  const std::size_t nEnd = DataEnd(pLine, nLength);
  const BOOL bAffn = IsAffnLine(pLine, nEnd);
  BOOL bAbscissa = TRUE;
  BOOL bFirstOrdinate = TRUE;
  BOOL bAnyOrdinate = FALSE;
  std::size_t i = 0;
  while (i < nEnd) {
    const char c = pLine[i];
    if (IsSeparator(c)) {
      i++;
      continue;
    }
    // The item's number as text for strtod/strtol: sign and digits.
    char text[kMaxNumberLength + 2];
    int n = 0;
    ItemKind kind;
    int nDigit;
    BOOL bNegative;
    BOOL bFraction = TRUE;  // a point may follow
    if (IsSqz(c, &nDigit, &bNegative) || IsDif(c, &nDigit, &bNegative)) {
      kind = (c == '@' || (c >= 'A' && c <= 'I') || (c >= 'a' && c <= 'i')) ? itemValue : itemDifference;
      if (bNegative)
        text[n++] = '-';
      text[n++] = (char)('0' + nDigit);
      i++;
    } else if (IsDup(c, &nDigit)) {
      kind = itemDuplicate;
      bFraction = FALSE;
      text[n++] = (char)('0' + nDigit);
      i++;
    } else if (IsDigit(c) || c == '+' || c == '-' || c == '.') {
      kind = itemValue;
      text[n++] = c;
      i++;
    } else if (c == '?') {
      kind = itemValue;  // a missing value
      text[n++] = '0';
      i++;
    } else {
      i++;  // not part of any number
      continue;
    }
    while (i < nEnd && (IsDigit(pLine[i]) || (bFraction && pLine[i] == '.'))) {
      if (n >= kMaxNumberLength)
        return FALSE;
      text[n++] = pLine[i++];
    }
    if (bAffn && kind == itemValue && i < nEnd && (pLine[i] == 'E' || pLine[i] == 'e') &&
        IsExponentAt(pLine, i, nEnd)) {
      if (n >= kMaxNumberLength)
        return FALSE;
      text[n++] = pLine[i++];
      text[n++] = pLine[i++];  // the exponent's sign
      while (i < nEnd && IsDigit(pLine[i])) {
        if (n >= kMaxNumberLength)
          return FALSE;
        text[n++] = pLine[i++];
      }
    }
    text[n] = '\0';

    if (bAbscissa) {
      bAbscissa = FALSE;
      continue;
    }
    double dNumber;
    if (kind == itemDuplicate) {
      // Counts are plain digits; cut one no table could hold.
      long nCount = 0;
      for (int k = 0; k < n; k++) {
        nCount = nCount * 10 + (text[k] - '0');
        if (nCount > kMaxDuplicate) {
          nCount = kMaxDuplicate;
          break;
        }
      }
      dNumber = (double)nCount;
    } else {
      // A sign or a point alone reads as 0.
      dNumber = std::strtod(text, nullptr);
    }
    if (!Apply(kind, dNumber, bFirstOrdinate))
      return FALSE;
    bFirstOrdinate = FALSE;
    bAnyOrdinate = TRUE;
  }
  if (bAnyOrdinate)
    m_bCheckPending = m_bDifferenceForm;
  return TRUE;
}

int DecodeAsdfLines(const char* pText, std::size_t nLength, float* pValues, int nPoints, int nStride, BOOL* pCutShort,
                    BOOL* pAtLabel) {
  CAsdfDecoder decoder(pValues, nPoints, nStride);
  if (pCutShort != nullptr)
    *pCutShort = FALSE;
  if (pAtLabel != nullptr)
    *pAtLabel = FALSE;
  std::size_t nPos = 0;
  while (nPos < nLength && !decoder.IsFull()) {
    const char* pLine = pText + nPos;
    const void* pFeed = std::memchr(pLine, '\n', nLength - nPos);
    std::size_t nLine = pFeed != nullptr ? (std::size_t)((const char*)pFeed - pLine) : nLength - nPos;
    if (IsBlankLine(pLine, nLine))
      break;
    std::size_t nFirst = 0;
    while (nFirst < nLine && IsSeparator(pLine[nFirst]))
      nFirst++;
    if (nLine - nFirst >= 2 && pLine[nFirst] == '#' && pLine[nFirst + 1] == '#') {
      if (pAtLabel != nullptr)
        *pAtLabel = TRUE;
      break;
    }
    if (!decoder.DecodeLine(pLine, nLine))
      return -1;
    if (pFeed == nullptr && pCutShort != nullptr)
      *pCutShort = TRUE;
    nPos += nLine + 1;
  }
  return decoder.GetCount();
}
