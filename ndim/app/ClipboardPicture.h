// CClipboardPicture: a picture pasted into an nD document, an enhanced
// metafile shown in a rectangle of the view. It is played with the
// clipboard opened for its owner window, as pasted pictures were taken from
// there.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/Rect.h"
#include "framework/win/Win32.h"

class CDC;

class CClipboardPicture : public CObject {
 public:
  // Takes the metafile; it is deleted with the picture.
  CClipboardPicture(HENHMETAFILE hMetaFile, const RECT& rect, HWND hWndOwner)
      : m_hMetaFile(hMetaFile), m_rect(rect), m_hWndOwner(hWndOwner) {}
  ~CClipboardPicture() override;

  // Plays the metafile into rect of pDC; nothing when the clipboard cannot
  // be opened.
  void Play(CDC* pDC, const RECT& rect) const;

  HENHMETAFILE m_hMetaFile;
  CRect m_rect;
  HWND m_hWndOwner;
};
