#include "controls/LabelCtrl.h"

#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"

BEGIN_MESSAGE_MAP(CLabelCtrl, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CLabelCtrl::CLabelCtrl()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_hbrBackground(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_hbrFlash(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_lf() {
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_lf), &m_lf);
  m_hFont = ::CreateFontIndirectA(&m_lf);
}

CLabelCtrl::~CLabelCtrl() {
  // The window, when it outlives us, must not keep painting with our font.
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
    ::SendMessageA(m_hWnd, WM_SETFONT, 0, FALSE);
  ::DeleteObject(m_hFont);
  ::DeleteObject(m_hbrBackground);
  ::DeleteObject(m_hbrFlash);
}

void CLabelCtrl::RedrawNow() {
  if (m_hWnd != nullptr)
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CLabelCtrl::ReconstructFont() {
  HFONT hOld = m_hFont;
  m_hFont = ::CreateFontIndirectA(&m_lf);
  // The static draws with its own font, whatever the colour message selects.
  if (m_hWnd != nullptr)
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)m_hFont, FALSE);
  ::DeleteObject(hOld);
  RedrawNow();
}

CLabelCtrl& CLabelCtrl::SetText(LPCSTR lpszText) {
  if (m_hWnd != nullptr)
    SetWindowText(lpszText);
  return *this;
}

CLabelCtrl& CLabelCtrl::SetTextColor(COLORREF crText) {
  m_crText = crText;
  RedrawNow();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetBkColor(COLORREF crBkgnd) {
  ::DeleteObject(m_hbrBackground);
  m_hbrBackground = ::CreateSolidBrush(crBkgnd);
  return *this;
}

CLabelCtrl& CLabelCtrl::SetFontBold(BOOL bBold) {
  m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
  ReconstructFont();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetFontUnderline(BOOL bSet) {
  m_lf.lfUnderline = (BYTE)(bSet ? 1 : 0);
  ReconstructFont();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetFontItalic(BOOL bSet) {
  m_lf.lfItalic = (BYTE)(bSet ? 1 : 0);
  ReconstructFont();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetFontSize(int nSize) {
  m_lf.lfHeight = -nSize;
  ReconstructFont();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetFontName(LPCSTR lpszFaceName) {
  ::lstrcpynA(m_lf.lfFaceName, lpszFaceName != nullptr ? lpszFaceName : "", LF_FACESIZE);
  ReconstructFont();
  return *this;
}

CLabelCtrl& CLabelCtrl::SetSunkenEdge(BOOL bSet) {
  if (m_hWnd != nullptr)
    ModifyStyleEx(bSet ? 0 : WS_EX_STATICEDGE, bSet ? WS_EX_STATICEDGE : 0, SWP_DRAWFRAME);
  return *this;
}

CLabelCtrl& CLabelCtrl::SetBorder(BOOL bSet) {
  if (m_hWnd != nullptr)
    ModifyStyle(bSet ? 0 : WS_BORDER, bSet ? WS_BORDER : 0, SWP_DRAWFRAME);
  return *this;
}

void CLabelCtrl::StopFlashTimer() {
  if (m_bTimerRunning && m_hWnd != nullptr)
    KillTimer(kFlashTimer);
  m_bTimerRunning = FALSE;
}

CLabelCtrl& CLabelCtrl::BlinkText(BOOL bBlink) {
  // Whatever phase the flash was in, its text comes back.
  if (m_bTimerRunning && m_nFlashMode == FlashText)
    SetText(m_strSaved);
  StopFlashTimer();
  m_nFlashMode = FlashNone;
  if (bBlink && m_hWnd != nullptr) {
    GetWindowText(m_strSaved);
    m_nFlashPhase = 0;
    m_bTimerRunning = SetTimer(kFlashTimer, kFlashPeriod) != 0;
    m_nFlashMode = FlashText;
  }
  return *this;
}

CLabelCtrl& CLabelCtrl::BlinkBackground(BOOL bBlink) {
  // A text flash that is stopped here would otherwise leave its text blank.
  if (m_bTimerRunning && m_nFlashMode == FlashText)
    SetText(m_strSaved);
  BOOL bWasBackground = m_nFlashMode == FlashBackground;
  StopFlashTimer();
  m_nFlashMode = FlashNone;
  if (bBlink && m_hWnd != nullptr) {
    m_nFlashPhase = 0;
    m_bTimerRunning = SetTimer(kFlashTimer, kFlashPeriod) != 0;
    m_nFlashMode = FlashBackground;
  } else if (bWasBackground && m_hWnd != nullptr) {
    Invalidate(FALSE);  // the plain background again, whatever the phase was
  }
  return *this;
}

CLabelCtrl& CLabelCtrl::EnableLink(BOOL bLink) {
  m_bLink = bLink;
  if (m_hWnd != nullptr)
    ModifyStyle(bLink ? 0 : SS_NOTIFY, bLink ? SS_NOTIFY : 0);
  return *this;
}

CLabelCtrl& CLabelCtrl::SetHandCursor(HCURSOR hCursor) {
  m_hCursor = hCursor;
  return *this;
}

HBRUSH CLabelCtrl::CtlColor(CDC* pDC, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC) {
    pDC->SelectObject(CFont::FromHandle(m_hFont));
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
  }
  if (m_nFlashMode == FlashBackground && m_nFlashPhase == 1)
    return m_hbrFlash;
  return m_hbrBackground;
}

void CLabelCtrl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kFlashTimer) {
    Default();
    return;
  }
  int nPrevious = m_nFlashPhase;
  m_nFlashPhase = !m_nFlashPhase;
  if (m_nFlashMode == FlashText) {
    SetWindowText(nPrevious == 1 ? (LPCSTR)m_strSaved : "");
  } else if (m_nFlashMode == FlashBackground) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

void CLabelCtrl::OnLButtonDown(UINT, CPoint) {
  // Without SS_NOTIFY the label is transparent to the mouse and never opens anything.
  if (GetStyle() & SS_NOTIFY) {
    CString strText;
    GetWindowText(strText);
    AfxShellExecute(nullptr, "open", strText, nullptr, nullptr, SW_SHOWNORMAL);
  }
  Default();
}

BOOL CLabelCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != nullptr) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLabelCtrl::OnDestroy() {
  StopFlashTimer();
  m_nFlashMode = FlashNone;
  Default();
}
