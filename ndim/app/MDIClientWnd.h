// CMDIClientWnd: the main frame's MDI client, painted by the program: a
// background colour, or a bitmap from a file tiled, centred, stretched or
// placed at an origin. The choice is kept in the profile section
// "MDIClient".
#pragma once

#include "framework/base/Point.h"
#include "framework/base/String.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Wnd.h"

class CMDIClientWnd : public CWnd {
 public:
  enum DisplayMode { tile = 0, centre = 1, stretch = 2, origin = 3 };

  CMDIClientWnd();

  // Takes over the frame's MDI client window and loads the settings.
  BOOL Subclass(HWND hWndClient);

  // A new colour, shown at once.
  void SetBkColor(COLORREF crColor);
  // The bitmap of a .bmp file; FALSE (nothing changed) when it cannot be read.
  BOOL SetBitmap(LPCSTR lpszFileName);
  void SetDisplayMode(int nMode);
  void SetOrigin(CPoint point);
  // Back to no bitmap and the system's application-workspace colour.
  void Clear();

  COLORREF GetBkColor() const { return m_crBackground; }
  int GetDisplayMode() const { return m_nDisplayMode; }
  const CString& GetFileName() const { return m_strFileName; }
  BOOL HasBitmap() const { return m_bitmap.GetSafeHandle() != nullptr; }

  BOOL m_bPersist = TRUE;  // the settings are saved when the window goes

 protected:
  void LoadSettings();
  void SaveSettings();
  // The picture over the whole client area of dc, by the display mode.
  void PaintBackground(CDC& dc, const CRect& client);

  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }  // the paint covers it
  void OnSize(UINT nType, int cx, int cy);
  void OnDestroy();

  COLORREF m_crBackground;
  CBrush m_brBackground;
  CBitmap m_bitmap;
  CString m_strFileName;
  CSize m_sizeBitmap;
  int m_nDisplayMode = tile;
  CPoint m_ptOrigin;

  DECLARE_MESSAGE_MAP()
};
