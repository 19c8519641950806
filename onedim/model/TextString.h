// A string with the search and field operations that text readers use:
// finds with and without regard to case, replacements that count, and
// delimited fields. Positions are indices from 0; a search that finds
// nothing answers -1.
#pragma once

#include "framework/base/String.h"

class CTextString : public CString {
 public:
  CTextString() = default;
  CTextString(LPCSTR psz) : CString(psz) {}          // NOLINT: used where text is passed
  CTextString(const CString& str) : CString(str) {}  // NOLINT

  // Inserts at nPosition; a position beyond the end pads with blanks first.
  int Insert(int nPosition, LPCSTR pszText);
  int Insert(int nPosition, char ch);
  // Deletes nCount characters; a negative or too large count deletes to the end.
  int Delete(int nPosition, int nCount);
  // Deletes nCount characters at nPosition and inserts the text there.
  int Replace(int nPosition, int nCount, LPCSTR pszText);

  int Find(char ch, int nStart = 0) const { return CString::Find(ch, nStart); }
  int Find(LPCSTR pszText, int nStart = 0) const { return CString::Find(pszText, nStart); }
  int FindNoCase(char ch, int nStart = 0) const;
  int FindNoCase(LPCSTR pszText, int nStart = 0) const;
  // The last match that begins at or before nStart (-1: anywhere).
  int ReverseFind(char ch, int nStart = -1) const;
  int ReverseFind(LPCSTR pszText, int nStart = -1) const;
  int ReverseFindNoCase(char ch, int nStart = -1) const;
  int ReverseFindNoCase(LPCSTR pszText, int nStart = -1) const;

  // Replaces every match (or the first one only) and returns how many.
  int ReplaceAll(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll = TRUE);
  int ReplaceAllNoCase(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll = TRUE);

  // Field nIndex (from 0) between delimiters; empty past the last field.
  CTextString GetField(LPCSTR pszDelimiter, int nIndex) const;
  CTextString GetField(char chDelimiter, int nIndex) const;
  // One more than the number of delimiters.
  int CountFields(LPCSTR pszDelimiter) const;
  int CountFields(char chDelimiter) const;
  // The text between occurrence nOccurrence (from 1) of the start text and
  // the next end text after it; empty when either is missing.
  CTextString Between(LPCSTR pszStart, LPCSTR pszEnd, int nOccurrence = 1) const;

 private:
  int ReplaceMatches(LPCSTR pszOld, LPCSTR pszNew, BOOL bAll, BOOL bNoCase);
};
