#include "framework/base/String.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "framework/base/Exception.h"

namespace {

// Case folding and white space are ASCII-only, so both builds agree whatever
// the C runtime's locale.
char ToLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}
char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}
bool IsSpaceAscii(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

LPCSTR OrEmpty(LPCSTR psz) {
  return psz ? psz : "";
}

bool InSet(char c, LPCSTR pszSet) {
  return c != '\0' && std::strchr(pszSet, c) != nullptr;
}

int ClampIndex(int n, int size) {
  return n < 0 ? 0 : (n > size ? size : n);
}

}  // namespace

CString::CString(LPCSTR psz) : m_str(OrEmpty(psz)) {}

CString::CString(LPCSTR pch, int nLength) {
  if (pch && nLength > 0) {
    const void* end = std::memchr(pch, '\0', (size_t)nLength);
    size_t n = end ? (size_t)((const char*)end - pch) : (size_t)nLength;
    m_str.assign(pch, n);
  }
}

CString::CString(char ch, int nRepeat) {
  if (ch != '\0' && nRepeat > 0)
    m_str.assign((size_t)nRepeat, ch);
}

CString& CString::operator=(LPCSTR psz) {
  m_str.assign(OrEmpty(psz));
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.clear();
  if (ch != '\0')
    m_str.push_back(ch);
  return *this;
}

CString& CString::operator+=(const CString& other) {
  m_str.append(other.m_str);
  return *this;
}

CString& CString::operator+=(LPCSTR psz) {
  m_str.append(OrEmpty(psz));
  return *this;
}

CString& CString::operator+=(char ch) {
  if (ch != '\0')
    m_str.push_back(ch);
  return *this;
}

char CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength())
    return '\0';
  return m_str[(size_t)nIndex];
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex < 0 || nIndex >= GetLength())
    return;
  if (ch == '\0')
    m_str.resize((size_t)nIndex);
  else
    m_str[(size_t)nIndex] = ch;
}

int CString::Compare(LPCSTR psz) const {
  return std::strcmp(m_str.c_str(), OrEmpty(psz));
}

int CString::CompareNoCase(LPCSTR psz) const {
  const unsigned char* a = (const unsigned char*)m_str.c_str();
  const unsigned char* b = (const unsigned char*)OrEmpty(psz);
  for (;; ++a, ++b) {
    int ca = (unsigned char)ToLowerAscii((char)*a);
    int cb = (unsigned char)ToLowerAscii((char)*b);
    if (ca != cb || ca == 0)
      return ca - cb;
  }
}

int CString::Collate(LPCSTR psz) const {
  return std::strcoll(m_str.c_str(), OrEmpty(psz));
}

void CString::Format(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args) {
  // Formatted into a separate buffer: the format or an argument may be this
  // string's own text.
  char fixed[512];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(fixed, sizeof fixed, OrEmpty(pszFormat), copy);
  va_end(copy);
  if (n < 0) {
    m_str.clear();
    return;
  }
  if ((size_t)n < sizeof fixed) {
    m_str.assign(fixed, (size_t)n);
    return;
  }
  std::vector<char> big((size_t)n + 1);
  va_copy(copy, args);
  std::vsnprintf(big.data(), big.size(), OrEmpty(pszFormat), copy);
  va_end(copy);
  m_str.assign(big.data(), (size_t)n);
}

CString CString::Left(int nCount) const {
  return CString(m_str.data(), ClampIndex(nCount, GetLength()));
}

CString CString::Right(int nCount) const {
  int n = ClampIndex(nCount, GetLength());
  return CString(m_str.data() + (GetLength() - n), n);
}

CString CString::Mid(int nFirst) const {
  return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
  int first = ClampIndex(nFirst, GetLength());
  int count = ClampIndex(nCount, GetLength() - first);
  CString result;
  result.m_str.assign(m_str, (size_t)first, (size_t)count);
  return result;
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const {
  LPCSTR set = OrEmpty(pszCharSet);
  int n = 0;
  while (n < GetLength() && InSet(m_str[(size_t)n], set))
    ++n;
  return Left(n);
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const {
  LPCSTR set = OrEmpty(pszCharSet);
  int n = 0;
  while (n < GetLength() && !InSet(m_str[(size_t)n], set))
    ++n;
  return Left(n);
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0)
    nStart = 0;
  if (ch == '\0' || nStart >= GetLength())
    return -1;
  size_t pos = m_str.find(ch, (size_t)nStart);
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(LPCSTR pszSub, int nStart) const {
  if (nStart < 0)
    nStart = 0;
  if (nStart > GetLength())
    return -1;
  size_t pos = m_str.find(OrEmpty(pszSub), (size_t)nStart);
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::ReverseFind(char ch) const {
  if (ch == '\0')
    return -1;
  size_t pos = m_str.rfind(ch);
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
  LPCSTR set = OrEmpty(pszCharSet);
  for (int i = 0; i < GetLength(); ++i)
    if (InSet(m_str[(size_t)i], set))
      return i;
  return -1;
}

int CString::Replace(char chOld, char chNew) {
  if (chOld == '\0')
    return 0;
  if (chNew == '\0') {
    // Replacing by nothing would cut the string at the first match.
    int first = Find(chOld);
    if (first < 0)
      return 0;
    int count = 0;
    for (int i = first; i < GetLength(); ++i)
      if (m_str[(size_t)i] == chOld)
        ++count;
    m_str.resize((size_t)first);
    return count;
  }
  int count = 0;
  for (char& c : m_str)
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
  const std::string from(OrEmpty(pszOld));
  const std::string to(OrEmpty(pszNew));
  if (from.empty())
    return 0;
  std::string result;
  int count = 0;
  size_t start = 0;
  for (;;) {
    size_t pos = m_str.find(from, start);
    if (pos == std::string::npos)
      break;
    result.append(m_str, start, pos - start);
    result.append(to);
    start = pos + from.size();
    ++count;
  }
  if (count == 0)
    return 0;
  result.append(m_str, start, std::string::npos);
  m_str.swap(result);
  return count;
}

int CString::Remove(char ch) {
  if (ch == '\0')
    return 0;
  size_t before = m_str.size();
  std::string kept;
  kept.reserve(before);
  for (char c : m_str)
    if (c != ch)
      kept.push_back(c);
  m_str.swap(kept);
  return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) {
  if (ch != '\0')
    m_str.insert((size_t)ClampIndex(nIndex, GetLength()), 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCSTR psz) {
  const std::string text(OrEmpty(psz));
  m_str.insert((size_t)ClampIndex(nIndex, GetLength()), text);
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  if (nIndex < 0)
    nIndex = 0;
  if (nIndex < GetLength() && nCount > 0) {
    int count = ClampIndex(nCount, GetLength() - nIndex);
    m_str.erase((size_t)nIndex, (size_t)count);
  }
  return GetLength();
}

void CString::MakeUpper() {
  for (char& c : m_str)
    c = ToUpperAscii(c);
}

void CString::MakeLower() {
  for (char& c : m_str)
    c = ToLowerAscii(c);
}

void CString::MakeReverse() {
  m_str.assign(m_str.rbegin(), m_str.rend());
}

void CString::TrimLeft() {
  size_t n = 0;
  while (n < m_str.size() && IsSpaceAscii(m_str[n]))
    ++n;
  m_str.erase(0, n);
}

void CString::TrimLeft(char chTarget) {
  size_t n = 0;
  while (n < m_str.size() && m_str[n] == chTarget)
    ++n;
  m_str.erase(0, n);
}

void CString::TrimLeft(LPCSTR pszTargets) {
  LPCSTR set = OrEmpty(pszTargets);
  size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], set))
    ++n;
  m_str.erase(0, n);
}

void CString::TrimRight() {
  size_t n = m_str.size();
  while (n > 0 && IsSpaceAscii(m_str[n - 1]))
    --n;
  m_str.resize(n);
}

void CString::TrimRight(char chTarget) {
  size_t n = m_str.size();
  while (n > 0 && m_str[n - 1] == chTarget)
    --n;
  m_str.resize(n);
}

void CString::TrimRight(LPCSTR pszTargets) {
  LPCSTR set = OrEmpty(pszTargets);
  size_t n = m_str.size();
  while (n > 0 && InSet(m_str[n - 1], set))
    --n;
  m_str.resize(n);
}

LPSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength())
    Resize(nMinBufLength);
  return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  Resize(nNewLength < 0 ? 0 : nNewLength);
  return &m_str[0];
}

void CString::Resize(int nLength) {
  // Lengths come from callers and files; one that cannot be had is the
  // framework's memory exception, which the programs handle.
  try {
    m_str.resize((size_t)nLength);
  } catch (const std::bad_alloc&) {
    AfxThrowMemoryException();
  } catch (const std::length_error&) {
    AfxThrowMemoryException();
  }
}

void CString::ReleaseBuffer(int nNewLength) {
  // The text may be shorter than the buffer, or the caller's count larger
  // than what was handed out; the length never goes past the buffer.
  size_t n = (nNewLength < 0) ? std::strlen(m_str.c_str()) : (size_t)nNewLength;
  if (n > m_str.size())
    n = m_str.size();
  m_str.resize(n);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, LPCSTR b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(LPCSTR a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
