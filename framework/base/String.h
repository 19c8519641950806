// CString: the ANSI text type of the programs. A plain owned buffer (no
// sharing between copies). Counts and positions are ints; a count or
// position outside the string is clamped rather than trusted, so text taken
// from files cannot index past the buffer.
#pragma once

#include <cstdarg>
#include <string>

#include "framework/base/WinTypes.h"

#if defined(__MINGW32__) && !defined(__clang__)
#define BRIVANE_PRINTF_FORMAT(fmt, first) __attribute__((format(gnu_printf, fmt, first)))
#else
#define BRIVANE_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#endif

class CString {
 public:
  CString() = default;
  CString(const CString& other) = default;
  CString(CString&& other) noexcept = default;
  // A null pointer gives an empty string.
  CString(LPCSTR psz);  // NOLINT: implicit, as text literals are passed for strings everywhere
  // At most nLength characters, stopping early at a terminating zero, so a
  // fixed-width name field read from a file never reads past its end.
  CString(LPCSTR pch, int nLength);
  explicit CString(char ch, int nRepeat = 1);

  CString& operator=(const CString& other) = default;
  CString& operator=(CString&& other) noexcept = default;
  CString& operator=(LPCSTR psz);
  CString& operator=(char ch);

  CString& operator+=(const CString& other);
  CString& operator+=(LPCSTR psz);
  CString& operator+=(char ch);

  int GetLength() const { return (int)m_str.size(); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  // Out-of-range positions read as 0 and are ignored when written; writing a
  // zero character ends the string there.
  char GetAt(int nIndex) const;
  void SetAt(int nIndex, char ch);
  char operator[](int nIndex) const { return GetAt(nIndex); }

  operator LPCSTR() const { return m_str.c_str(); }  // NOLINT: implicit by design

  // strcmp-style results: negative, zero or positive.
  int Compare(LPCSTR psz) const;
  int CompareNoCase(LPCSTR psz) const;
  int Collate(LPCSTR psz) const;

  // printf formatting of any length. CString arguments must be passed as
  // (LPCSTR) — an object cannot travel through "...".
  void Format(LPCSTR pszFormat, ...) BRIVANE_PRINTF_FORMAT(2, 3);
  void FormatV(LPCSTR pszFormat, va_list args);

  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString SpanIncluding(LPCSTR pszCharSet) const;
  CString SpanExcluding(LPCSTR pszCharSet) const;

  // Index of the first match at or after nStart, or -1.
  int Find(char ch, int nStart = 0) const;
  int Find(LPCSTR pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR pszCharSet) const;

  // These return the number of characters replaced or removed.
  int Replace(char chOld, char chNew);
  int Replace(LPCSTR pszOld, LPCSTR pszNew);
  int Remove(char ch);
  // These return the new length.
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, LPCSTR psz);
  int Delete(int nIndex, int nCount = 1);

  void MakeUpper();
  void MakeLower();
  void MakeReverse();

  void TrimLeft();
  void TrimLeft(char chTarget);
  void TrimLeft(LPCSTR pszTargets);
  void TrimRight();
  void TrimRight(char chTarget);
  void TrimRight(LPCSTR pszTargets);

  // Direct access for APIs that fill a char buffer. The buffer holds at least
  // nMinBufLength characters plus the terminating zero; ReleaseBuffer sets
  // the length (-1: up to the first zero) and ends direct access.
  LPSTR GetBuffer(int nMinBufLength);
  LPSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);

 private:
  void Resize(int nLength);

  std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) {
  return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, LPCSTR b) {
  return a.Compare(b) == 0;
}
inline bool operator==(LPCSTR a, const CString& b) {
  return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
  return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, LPCSTR b) {
  return a.Compare(b) != 0;
}
inline bool operator!=(LPCSTR a, const CString& b) {
  return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, const CString& b) {
  return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, LPCSTR b) {
  return a.Compare(b) < 0;
}
inline bool operator<(LPCSTR a, const CString& b) {
  return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b) {
  return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, LPCSTR b) {
  return a.Compare(b) > 0;
}
inline bool operator>(LPCSTR a, const CString& b) {
  return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b) {
  return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, LPCSTR b) {
  return a.Compare(b) <= 0;
}
inline bool operator<=(LPCSTR a, const CString& b) {
  return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b) {
  return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, LPCSTR b) {
  return a.Compare(b) >= 0;
}
inline bool operator>=(LPCSTR a, const CString& b) {
  return b.Compare(a) <= 0;
}

#undef BRIVANE_PRINTF_FORMAT
