#include "controls/HoverButton.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

BYTE CHoverButton::s_bHotFrameShown = 0;

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
  ON_WM_CREATE()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CHoverButton::CHoverButton() : m_hHandCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kHandCursor))) {}

CHoverButton::~CHoverButton() = default;

BOOL CHoverButton::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_OWNERDRAW;
  return CButton::PreCreateWindow(cs);
}

int CHoverButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  int nResult = CButton::OnCreate(lpCreateStruct);
  CreateUnderlineFont();
  return nResult;
}

void CHoverButton::CreateUnderlineFont() {
  LOGFONT lf = {};
  HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
  ::GetObjectA(hFont != nullptr ? (HGDIOBJ)hFont : ::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
  lf.lfUnderline = 1;
  m_UnderlineFont.DeleteObject();
  m_UnderlineFont.CreateFontIndirect(&lf);
}

void CHoverButton::OnMouseMove(UINT, CPoint) {
  SetTimer(kHoverTimer, kHoverPeriod);
  Default();
}

void CHoverButton::HideHotFrame() {
  KillTimer(kHoverTimer);
  if (s_bHotFrameShown) {
    Invalidate();
    s_bHotFrameShown = 0;
  }
}

void CHoverButton::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHoverTimer) {
    Default();
    return;
  }
  if (m_bPressed) {
    HideHotFrame();
    return;
  }
  POINT pt;
  ::GetCursorPos(&pt);
  CRect rc;
  GetWindowRect(&rc);
  if (!rc.PtInRect(pt)) {
    m_bHot = 0;
    HideHotFrame();
    return;
  }
  m_bHot = 1;
  if (!s_bHotFrameShown) {
    s_bHotFrameShown = 1;
    Invalidate();
  }
}

void CHoverButton::OnLButtonDown(UINT, CPoint) {
  m_bPressed = 1;
  Default();
}

void CHoverButton::OnLButtonUp(UINT, CPoint) {
  m_bPressed = 0;
  if (m_bHot) {
    m_bHot = 0;
    Invalidate();
  }
  Default();
}

BOOL CHoverButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_bHot && m_hHandCursor != nullptr) {
    ::SetCursor(m_hHandCursor);
    return TRUE;
  }
  return CButton::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CHoverButton::OnEraseBkgnd(CDC* pDC) {
  // A shade off the button face, so that the flat button still shows where it is.
  COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
  int r = GetRValue(crFace), g = GetGValue(crFace), b = GetBValue(crFace);
  if (r > 1)
    r -= 2;
  if (g > 1)
    g -= 2;
  if (r < 3 && g < 3 && b < 253)
    b += 2;
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, RGB(r, g, b));
  return TRUE;
}

void CHoverButton::OnDestroy() {
  // A hot button that goes must not leave the others believing a frame is shown.
  if (m_bHot)
    s_bHotFrameShown = 0;
  m_bHot = 0;
  KillTimer(kHoverTimer);
  Default();
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rc = lpDIS->rcItem;
  CString strText;
  GetWindowText(strText);
  pDC->SetBkMode(TRANSPARENT);
  const UINT nFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  CSelectGuard font(pDC->m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));

  if (lpDIS->itemState & ODS_DISABLED) {
    CRect rcShade = rc;
    rcShade.OffsetRect(2, 2);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->DrawText(strText, &rcShade, nFormat);
    pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    pDC->DrawText(strText, &rc, nFormat);
    return;
  }
  if (m_bHot) {
    BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT), crDark = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rc, bPressed ? crDark : crLight, bPressed ? crLight : crDark);
    // A button attached to a dialog item never saw WM_CREATE.
    if (m_UnderlineFont.GetSafeHandle() == nullptr)
      CreateUnderlineFont();
    CSelectGuard underline(*pDC, &m_UnderlineFont);
    pDC->SetTextColor(RGB(0, 0, 255));
    pDC->DrawText(strText, &rc, nFormat);
    return;
  }
  pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  pDC->DrawText(strText, &rc, nFormat);
}
