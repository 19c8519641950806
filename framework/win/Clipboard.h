// CClipboard: the clipboard held open for one exchange and closed when the
// object goes. Text travels as CF_TEXT with CR LF line ends; pictures as
// enhanced metafiles (CF_ENHMETAFILE), recorded by a CMetaFileDC whose
// reference device is the printer (a CPrintDialog's GetDefaults) or the
// screen.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CClipboard {
 public:
  // Opens the clipboard for hWndOwner (null: no window). Another program may
  // hold it for a moment, so opening is tried for a short while.
  explicit CClipboard(HWND hWndOwner);
  ~CClipboard();
  CClipboard(const CClipboard&) = delete;
  CClipboard& operator=(const CClipboard&) = delete;

  BOOL IsOpen() const { return m_bOpen; }
  // Takes the clipboard over: what it held is gone.
  BOOL Empty();
  // Adds text; each line end ("\n" or "\r\n") goes as "\r\n".
  BOOL SetText(LPCSTR lpszText);
  // The text on the clipboard; FALSE when there is none.
  BOOL GetText(CString& rText) const;
  // Adds a picture. The clipboard owns it from then on; on failure it is deleted.
  BOOL SetEnhMetaFile(HENHMETAFILE hEmf);
  // A copy of the clipboard's picture (the caller deletes it), or null.
  HENHMETAFILE GetEnhMetaFile() const;

  // Empties the clipboard and puts the text, or the picture, on it.
  static BOOL CopyText(HWND hWndOwner, LPCSTR lpszText);
  static BOOL CopyEnhMetaFile(HWND hWndOwner, HENHMETAFILE hEmf);

  // The text a block of global memory holds, up to its first zero byte but
  // never past the block's end (a block from another program need not end
  // with a zero). FALSE for a block that cannot be read.
  static BOOL TextFromGlobal(HGLOBAL hGlobal, CString& rText);
  // A block of moveable global memory holding lpszText and its zero; null
  // when there is no memory.
  static HGLOBAL GlobalFromText(LPCSTR lpszText, int nLength = -1);

 private:
  BOOL m_bOpen = FALSE;
};
