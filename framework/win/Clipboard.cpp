#include "framework/win/Clipboard.h"

#include <cstring>
#include <string>

CClipboard::CClipboard(HWND hWndOwner) {
  // Whoever holds the clipboard holds it only while copying.
  for (int i = 0; i < 20 && !m_bOpen; ++i) {
    m_bOpen = ::OpenClipboard(hWndOwner);
    if (!m_bOpen)
      ::Sleep(25);
  }
}

CClipboard::~CClipboard() {
  if (m_bOpen)
    ::CloseClipboard();
}

BOOL CClipboard::Empty() {
  return m_bOpen && ::EmptyClipboard();
}

HGLOBAL CClipboard::GlobalFromText(LPCSTR lpszText, int nLength) {
  size_t length = nLength >= 0 ? (size_t)nLength : std::strlen(lpszText);
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
  char* p = hGlobal != nullptr ? static_cast<char*>(::GlobalLock(hGlobal)) : nullptr;
  if (p == nullptr) {
    if (hGlobal != nullptr)
      ::GlobalFree(hGlobal);
    return nullptr;
  }
  std::memcpy(p, lpszText, length);
  p[length] = '\0';
  ::GlobalUnlock(hGlobal);
  return hGlobal;
}

BOOL CClipboard::SetText(LPCSTR lpszText) {
  if (!m_bOpen || lpszText == nullptr)
    return FALSE;
  std::string text;
  for (const char* p = lpszText; *p != '\0'; ++p) {
    if (*p == '\n' && (p == lpszText || p[-1] != '\r'))
      text += '\r';
    text += *p;
  }
  HGLOBAL hGlobal = GlobalFromText(text.c_str(), (int)text.size());
  if (hGlobal == nullptr)
    return FALSE;
  if (::SetClipboardData(CF_TEXT, hGlobal) == nullptr) {
    ::GlobalFree(hGlobal);
    return FALSE;
  }
  return TRUE;
}

BOOL CClipboard::TextFromGlobal(HGLOBAL hGlobal, CString& rText) {
  if (hGlobal == nullptr)
    return FALSE;
  size_t size = ::GlobalSize(hGlobal);
  const char* p = static_cast<const char*>(::GlobalLock(hGlobal));
  if (p == nullptr)
    return FALSE;
  const void* end = std::memchr(p, '\0', size);
  size_t length = end != nullptr ? (size_t)(static_cast<const char*>(end) - p) : size;
  rText = CString(p, (int)length);
  ::GlobalUnlock(hGlobal);
  return TRUE;
}

BOOL CClipboard::GetText(CString& rText) const {
  if (!m_bOpen)
    return FALSE;
  return TextFromGlobal(::GetClipboardData(CF_TEXT), rText);
}

BOOL CClipboard::SetEnhMetaFile(HENHMETAFILE hEmf) {
  if (hEmf == nullptr)
    return FALSE;
  if (!m_bOpen || ::SetClipboardData(CF_ENHMETAFILE, hEmf) == nullptr) {
    ::DeleteEnhMetaFile(hEmf);
    return FALSE;
  }
  return TRUE;
}

HENHMETAFILE CClipboard::GetEnhMetaFile() const {
  if (!m_bOpen)
    return nullptr;
  HENHMETAFILE hEmf = (HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE);
  return hEmf != nullptr ? ::CopyEnhMetaFileA(hEmf, nullptr) : nullptr;
}

BOOL CClipboard::CopyText(HWND hWndOwner, LPCSTR lpszText) {
  CClipboard clipboard(hWndOwner);
  return clipboard.Empty() && clipboard.SetText(lpszText);
}

BOOL CClipboard::CopyEnhMetaFile(HWND hWndOwner, HENHMETAFILE hEmf) {
  CClipboard clipboard(hWndOwner);
  if (!clipboard.Empty()) {
    ::DeleteEnhMetaFile(hEmf);
    return FALSE;
  }
  return clipboard.SetEnhMetaFile(hEmf);
}
