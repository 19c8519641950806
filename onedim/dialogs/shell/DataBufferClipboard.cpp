#include "onedim/dialogs/shell/DataBufferClipboard.h"

#include <cstring>

int CopyTextToClipboard(LPCSTR pszText, HWND hWndOwner) {
  if (pszText == nullptr)
    pszText = "";
  if (!::OpenClipboard(hWndOwner))
    return 0;
  ::EmptyClipboard();
  size_t nBytes = std::strlen(pszText) + 1;
  HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBytes);
  if (hMem == nullptr) {
    ::CloseClipboard();
    return 0;
  }
  void* p = ::GlobalLock(hMem);
  if (p == nullptr) {
    ::GlobalFree(hMem);
    ::CloseClipboard();
    return 0;
  }
  std::memcpy(p, pszText, nBytes);
  ::GlobalUnlock(hMem);
  // The clipboard owns the memory once it takes it.
  if (::SetClipboardData(CF_TEXT, hMem) == nullptr) {
    ::GlobalFree(hMem);
    ::CloseClipboard();
    return 0;
  }
  ::CloseClipboard();
  return 1;
}
