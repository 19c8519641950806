// CLabelCtrl: a static text whose colours, font and frame change at run time
// through chained setters (label.SetTextColor(red).SetFontBold(TRUE)), which
// can flash its text or its background, and which opens its own text with
// the shell when clicked (only while it has SS_NOTIFY, see EnableLink).
#pragma once

#include "framework/base/String.h"
#include "framework/win/Controls.h"

class CLabelCtrl : public CStatic {
 public:
  CLabelCtrl();
  ~CLabelCtrl() override;
  CLabelCtrl(const CLabelCtrl&) = delete;
  CLabelCtrl& operator=(const CLabelCtrl&) = delete;

  CLabelCtrl& SetText(LPCSTR lpszText);
  CLabelCtrl& SetTextColor(COLORREF crText);
  CLabelCtrl& SetBkColor(COLORREF crBkgnd);
  CLabelCtrl& SetFontBold(BOOL bBold);
  CLabelCtrl& SetFontUnderline(BOOL bSet);
  CLabelCtrl& SetFontItalic(BOOL bSet);
  // Character height in logical units.
  CLabelCtrl& SetFontSize(int nSize);
  CLabelCtrl& SetFontName(LPCSTR lpszFaceName);
  CLabelCtrl& SetSunkenEdge(BOOL bSet);
  CLabelCtrl& SetBorder(BOOL bSet);
  // Flashing alternates every half second until switched off.
  CLabelCtrl& BlinkText(BOOL bBlink);
  CLabelCtrl& BlinkBackground(BOOL bBlink);
  CLabelCtrl& EnableLink(BOOL bLink);
  CLabelCtrl& SetHandCursor(HCURSOR hCursor);

 protected:
  enum { kFlashTimer = 1, kFlashPeriod = 500 };
  enum FlashMode { FlashNone, FlashText, FlashBackground };

  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnDestroy();

  // Makes the GDI font anew from m_lf and shows it.
  void ReconstructFont();
  void RedrawNow();
  void StopFlashTimer();

  COLORREF m_crText;
  HBRUSH m_hbrBackground;
  HBRUSH m_hbrFlash;
  LOGFONT m_lf;
  HFONT m_hFont = nullptr;
  CString m_strSaved;  // the text while it flashes
  int m_nFlashPhase = 0;
  BOOL m_bTimerRunning = FALSE;
  BOOL m_bLink = TRUE;
  int m_nFlashMode = FlashNone;
  HCURSOR m_hCursor = nullptr;

  DECLARE_MESSAGE_MAP()
};
