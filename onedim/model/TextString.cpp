#include "onedim/model/TextString.h"

#include <cstring>

namespace {

CString Upper(LPCSTR psz) {
  CString str(psz);
  str.MakeUpper();
  return str;
}

char UpperChar(char ch) {
  return (ch >= 'a' && ch <= 'z') ? (char)(ch - 'a' + 'A') : ch;
}

// Last index at or before nStart where pszText begins in str, or -1.
int LastMatch(const CString& str, LPCSTR pszText, int nStart) {
  const int nText = (int)std::strlen(pszText != nullptr ? pszText : "");
  const int nLength = str.GetLength();
  if (nText > nLength)
    return -1;
  int nFrom = nLength - nText;
  if (nStart >= 0 && nStart < nFrom)
    nFrom = nStart;
  for (int i = nFrom; i >= 0; i--)
    if (std::strncmp((LPCSTR)str + i, pszText != nullptr ? pszText : "", (size_t)nText) == 0)
      return i;
  return -1;
}

}  // namespace

int CTextString::Insert(int nPosition, LPCSTR pszText) {
  if (nPosition < 0)
    nPosition = 0;
  if (nPosition > GetLength())
    *this += CString(' ', nPosition - GetLength());
  return CString::Insert(nPosition, pszText);
}

int CTextString::Insert(int nPosition, char ch) {
  char text[2] = {ch, '\0'};
  return Insert(nPosition, text);
}

int CTextString::Delete(int nPosition, int nCount) {
  if (nPosition < 0)
    nPosition = 0;
  if (nCount < 0 || nCount > GetLength() - nPosition)
    nCount = GetLength() - nPosition;
  return CString::Delete(nPosition, nCount);
}

int CTextString::Replace(int nPosition, int nCount, LPCSTR pszText) {
  Delete(nPosition, nCount);
  return Insert(nPosition, pszText);
}

int CTextString::FindNoCase(char ch, int nStart) const {
  return Upper(*this).Find(UpperChar(ch), nStart);
}

int CTextString::FindNoCase(LPCSTR pszText, int nStart) const {
  return Upper(*this).Find(Upper(pszText), nStart);
}

int CTextString::ReverseFind(char ch, int nStart) const {
  char text[2] = {ch, '\0'};
  return ch == '\0' ? -1 : LastMatch(*this, text, nStart);
}

int CTextString::ReverseFind(LPCSTR pszText, int nStart) const {
  return LastMatch(*this, pszText, nStart);
}

int CTextString::ReverseFindNoCase(char ch, int nStart) const {
  char text[2] = {UpperChar(ch), '\0'};
  return ch == '\0' ? -1 : LastMatch(Upper(*this), text, nStart);
}

int CTextString::ReverseFindNoCase(LPCSTR pszText, int nStart) const {
  return LastMatch(Upper(*this), Upper(pszText), nStart);
}

int CTextString::ReplaceMatches(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll, BOOL bNoCase) {
  const int nOld = (int)std::strlen(pszOld != nullptr ? pszOld : "");
  if (nOld == 0)
    return 0;
  const int nNew = (int)std::strlen(pszNew != nullptr ? pszNew : "");
  int nCount = 0;
  int nPos = 0;
  for (;;) {
    nPos = bNoCase ? FindNoCase(pszOld, nPos) : Find(pszOld, nPos);
    if (nPos < 0)
      break;
    Replace(nPos, nOld, pszNew);
    nPos += nNew;
    nCount++;
    if (!bAll)
      break;
  }
  return nCount;
}

int CTextString::ReplaceAll(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll) {
  return ReplaceMatches(pszOld, pszNew, bAll, FALSE);
}

int CTextString::ReplaceAllNoCase(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll) {
  return ReplaceMatches(pszOld, pszNew, bAll, TRUE);
}

CTextString CTextString::GetField(LPCSTR pszDelimiter, int nIndex) const {
  const int nDelimiter = (int)std::strlen(pszDelimiter != nullptr ? pszDelimiter : "");
  if (nIndex < 0)
    return CTextString();
  if (nDelimiter == 0)
    return nIndex == 0 ? *this : CTextString();
  int nStart = 0;
  for (int i = 0; i < nIndex; i++) {
    int nFound = Find(pszDelimiter, nStart);
    if (nFound < 0)
      return CTextString();
    nStart = nFound + nDelimiter;
  }
  int nEnd = Find(pszDelimiter, nStart);
  return nEnd < 0 ? Mid(nStart) : Mid(nStart, nEnd - nStart);
}

CTextString CTextString::GetField(char chDelimiter, int nIndex) const {
  char text[2] = {chDelimiter, '\0'};
  return GetField(text, nIndex);
}

int CTextString::CountFields(LPCSTR pszDelimiter) const {
  const int nDelimiter = (int)std::strlen(pszDelimiter != nullptr ? pszDelimiter : "");
  if (nDelimiter == 0)
    return 1;
  int nCount = 1;
  for (int nPos = Find(pszDelimiter); nPos >= 0; nPos = Find(pszDelimiter, nPos + nDelimiter))
    nCount++;
  return nCount;
}

int CTextString::CountFields(char chDelimiter) const {
  char text[2] = {chDelimiter, '\0'};
  return CountFields(text);
}

CTextString CTextString::Between(LPCSTR pszStart, LPCSTR pszEnd, int nOccurrence) const {
  const int nStartLength = (int)std::strlen(pszStart != nullptr ? pszStart : "");
  if (nOccurrence < 1 || nStartLength == 0)
    return CTextString();
  int nPos = -nStartLength;
  for (int i = 0; i < nOccurrence; i++) {
    nPos = Find(pszStart, nPos + nStartLength);
    if (nPos < 0)
      return CTextString();
  }
  const int nFirst = nPos + nStartLength;
  const int nEnd = Find(pszEnd, nFirst);
  return nEnd < 0 ? CTextString() : CTextString(Mid(nFirst, nEnd - nFirst));
}
