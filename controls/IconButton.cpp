#include "controls/IconButton.h"

#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {
const int kIconMargin = 3;
const UINT_PTR kToolId = 1;
}  // namespace

CIconButton::CIconButton()
    : m_crOutBk(::GetSysColor(COLOR_BTNFACE)),
      m_crOutText(::GetSysColor(COLOR_BTNTEXT)),
      m_crHoverBk(::GetSysColor(COLOR_BTNFACE)),
      m_crHoverText(::GetSysColor(COLOR_BTNTEXT)) {}

CIconButton::~CIconButton() {
  if (m_hOldBk != nullptr)
    ::SelectObject(m_dcBk.m_hDC, m_hOldBk);
  FreeIcons();
  if (m_hCursor != nullptr)
    ::DestroyCursor(m_hCursor);
}

void CIconButton::FreeIcons() {
  if (m_hIconOut != nullptr && m_hIconOut != m_hIconIn)
    ::DestroyIcon(m_hIconOut);
  if (m_hIconIn != nullptr)
    ::DestroyIcon(m_hIconIn);
  m_hIconIn = m_hIconOut = nullptr;
}

void CIconButton::PreSubclassWindow() {
  m_bIsDefault = (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  SetButtonStyle(BS_OWNERDRAW, TRUE);
  CButton::PreSubclassWindow();
}

BOOL CIconButton::SetIcon(int nIconIn, int nIconOut) {
  HINSTANCE hInst = AfxGetResourceHandle();
  FreeIcons();
  m_hIconIn = (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nIconIn), IMAGE_ICON, 0, 0, 0);
  m_hIconOut = nIconOut == 0 ? m_hIconIn : (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nIconOut), IMAGE_ICON, 0, 0, 0);
  m_cxIcon = m_cyIcon = 0;
  ICONINFO info = {};
  if (m_hIconIn != nullptr && ::GetIconInfo(m_hIconIn, &info)) {
    // The hot spot of an icon is its centre.
    m_cxIcon = (BYTE)(info.xHotspot * 2);
    m_cyIcon = (BYTE)(info.yHotspot * 2);
    if (info.hbmMask != nullptr)
      ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
      ::DeleteObject(info.hbmColor);
  }
  if (m_hWnd != nullptr)
    RedrawWindow();
  return m_hIconIn != nullptr;
}

BOOL CIconButton::SetButtonCursor(int nCursorId) {
  if (m_hCursor != nullptr)
    ::DestroyCursor(m_hCursor);
  m_hCursor = nullptr;
  if (nCursorId == -1)
    return TRUE;
  m_hCursor = (HCURSOR)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursorId), IMAGE_CURSOR, 0, 0, 0);
  return m_hCursor != nullptr;
}

void CIconButton::SetFlat(BOOL bState) {
  m_bIsFlat = bState;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CIconButton::SetAlign(int nAlign) {
  if (nAlign != AlignHorz && nAlign != AlignVert)
    return;
  m_nAlign = nAlign;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CIconButton::SetShowText(BOOL bShow) {
  m_bShowText = bShow;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CIconButton::SetFlatFocus(BOOL bDrawFlatFocus, BOOL bRepaint) {
  m_bDrawFlatFocus = bDrawFlatFocus;
  if (bRepaint && m_hWnd != nullptr)
    Invalidate();
}

void CIconButton::SetColour(COLORREF& crField, COLORREF cr, BOOL bRepaint) {
  crField = cr;
  if (bRepaint && m_hWnd != nullptr)
    Invalidate();
}

void CIconButton::InitToolTip() {
  if (m_ToolTip.m_hWnd != nullptr || m_hWnd == nullptr)
    return;
  if (m_ToolTip.Create(this))
    m_ToolTip.Activate(FALSE);
}

void CIconButton::SetTipText(LPCSTR lpszText, BOOL bActivate) {
  if (lpszText == nullptr || m_hWnd == nullptr)
    return;
  InitToolTip();
  if (m_ToolTip.m_hWnd == nullptr)
    return;
  if (m_ToolTip.GetToolCount() == 0) {
    CRect rc;
    GetClientRect(&rc);
    m_ToolTip.AddTool(this, lpszText, &rc, kToolId);
  }
  m_ToolTip.UpdateTipText(lpszText, this, kToolId);
  m_ToolTip.Activate(bActivate);
}

void CIconButton::SetTipText(int nStringId, BOOL bActivate) {
  CString strText = AfxLoadString((UINT)nStringId);
  if (!strText.IsEmpty())
    SetTipText((LPCSTR)strText, bActivate);
}

void CIconButton::EnableTip(BOOL bEnable) {
  if (m_ToolTip.m_hWnd != nullptr && m_ToolTip.GetToolCount() > 0)
    m_ToolTip.Activate(bEnable);
}

BOOL CIconButton::PreTranslateMessage(MSG* pMsg) {
  InitToolTip();
  if (m_ToolTip.m_hWnd != nullptr)
    m_ToolTip.RelayEvent(pMsg);
  return CButton::PreTranslateMessage(pMsg);
}

LRESULT CIconButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Fast clicks all count: a double click presses the button once more.
  if (message == WM_LBUTTONDBLCLK)
    message = WM_LBUTTONDOWN;
  return CButton::DefWindowProc(message, wParam, lParam);
}

BOOL CIconButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != nullptr) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CIconButton::OnMouseMove(UINT nFlags, CPoint point) {
  Default();
  if (!m_bIsFlat)
    return;
  BOOL bLeftDown = (nFlags & MK_LBUTTON) != 0;
  if (bLeftDown && !m_bMouseOnButton)
    return;
  if (::GetCapture() != m_hWnd && ::GetActiveWindow() != nullptr && ::GetParent(m_hWnd) != nullptr) {
    m_bMouseOnButton = TRUE;
    SetCapture();
    Invalidate();
    return;
  }
  CRect rc;
  GetClientRect(&rc);
  if (rc.PtInRect(point))
    return;
  if (m_bMouseOnButton) {
    m_bMouseOnButton = FALSE;
    Invalidate();
  }
  if (!bLeftDown && ::GetCapture() == m_hWnd)
    ::ReleaseCapture();
}

void CIconButton::OnKillFocus(CWnd* pNewWnd) {
  Default();
  if (m_bIsFlat && m_bMouseOnButton) {
    m_bMouseOnButton = FALSE;
    Invalidate();
  }
}

void CIconButton::OnCaptureChanged(CWnd* pWnd) {
  Default();
  if (m_bMouseOnButton) {
    // Never take the capture from a window that holds it now.
    if (::GetCapture() == m_hWnd)
      ::ReleaseCapture();
    Invalidate();
  }
}

void CIconButton::PaintBk(CDC* pDC, const CRect& rcClient) {
  if (m_dcBk.m_hDC == nullptr) {
    HWND hWndParent = ::GetParent(m_hWnd);
    CRect rcInParent = rcClient;
    ::MapWindowPoints(m_hWnd, hWndParent, (LPPOINT)&rcInParent, 2);
    HDC hParentDC = ::GetDC(hWndParent);
    CDC* pParentDC = CDC::FromHandle(hParentDC);
    m_dcBk.CreateCompatibleDC(pParentDC);
    m_bmpBk.CreateCompatibleBitmap(pParentDC, rcClient.Width(), rcClient.Height());
    m_hOldBk = ::SelectObject(m_dcBk.m_hDC, m_bmpBk.m_hObject);
    m_dcBk.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), pParentDC, rcInParent.left, rcInParent.top, SRCCOPY);
    ::ReleaseDC(hWndParent, hParentDC);
  }
  pDC->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
  BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
  BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  BOOL bOver = m_bMouseOnButton || bPressed;
  CRect rcItem = lpDIS->rcItem;
  pDC->SetBkMode(TRANSPARENT);

  if (!m_bIsFlat && (bFocused || m_bIsDefault)) {
    CBrush black(RGB(0, 0, 0));
    pDC->FrameRect(&rcItem, &black);
    rcItem.DeflateRect(1, 1);
  }

  if (m_bDrawTransparent)
    PaintBk(pDC, lpDIS->rcItem);
  else
    pDC->FillSolidRect(&rcItem, bOver ? m_crHoverBk : m_crOutBk);

  COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (!bPressed) {
    if (!m_bIsFlat) {
      pDC->Draw3dRect(&rcItem, crHighlight, ::GetSysColor(COLOR_3DDKSHADOW));
      CRect rcInner = rcItem;
      rcInner.DeflateRect(1, 1);
      pDC->Draw3dRect(&rcInner, ::GetSysColor(COLOR_3DLIGHT), crShadow);
    } else if (m_bMouseOnButton && m_bDrawBorder) {
      pDC->Draw3dRect(&rcItem, crHighlight, crShadow);
    }
  } else if (!m_bIsFlat) {
    CBrush shadow(crShadow);
    pDC->FrameRect(&rcItem, &shadow);
  } else if (m_bDrawBorder) {
    pDC->Draw3dRect(&rcItem, crShadow, crHighlight);
  }

  DrawIconAndCaption(pDC, rcItem, bPressed, bDisabled);

  if (bFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
    CRect rcFocus = lpDIS->rcItem;
    rcFocus.DeflateRect(3, 3);
    pDC->DrawFocusRect(&rcFocus);
  }
}

void CIconButton::DrawIconAndCaption(CDC* pDC, const CRect& rcItem, BOOL bPressed, BOOL bDisabled) {
  BOOL bOver = m_bMouseOnButton || bPressed;
  CString strTitle;
  if (m_bShowText)
    GetWindowText(strTitle);
  CRect rcCaption = rcItem;

  HICON hIcon = bOver ? m_hIconIn : m_hIconOut;
  if (hIcon != nullptr) {
    CPoint pt;
    if (m_nAlign == AlignHorz) {
      pt.y = rcItem.top + (rcItem.Height() - m_cyIcon) / 2;
      if (!strTitle.IsEmpty()) {
        pt.x = rcItem.left + kIconMargin;
        rcCaption.left = pt.x + m_cxIcon + kIconMargin;
      } else {
        pt.x = rcItem.left + (rcItem.Width() - m_cxIcon) / 2;
      }
    } else {
      pt.x = rcItem.left + (rcItem.Width() - m_cxIcon) / 2;
      if (!strTitle.IsEmpty()) {
        pt.y = rcItem.top + kIconMargin;
        rcCaption.top = pt.y + m_cyIcon;
      } else {
        pt.y = rcItem.top + (rcItem.Height() - m_cyIcon) / 2;
      }
    }
    if (bPressed)
      pt.Offset(1, 1);
    pDC->DrawState(pt, CSize(m_cxIcon, m_cyIcon), hIcon, bDisabled ? DSS_DISABLED : DSS_NORMAL);
  }

  if (strTitle.IsEmpty())
    return;
  CSelectGuard font(pDC->m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
  CRect rcText = rcCaption;
  pDC->DrawText(strTitle, &rcText, DT_SINGLELINE | DT_CALCRECT);
  rcText.OffsetRect(rcCaption.left + (rcCaption.Width() - rcText.Width()) / 2 - rcText.left,
                    rcCaption.top + (rcCaption.Height() - rcText.Height()) / 2 - rcText.top);
  if (bPressed)
    rcText.OffsetRect(1, 1);
  pDC->SetBkMode(TRANSPARENT);
  if (bDisabled) {
    ::DrawStateA(pDC->m_hDC, nullptr, nullptr, (LPARAM)(LPCSTR)strTitle, (WPARAM)strTitle.GetLength(), rcText.left,
                 rcText.top, rcText.Width(), rcText.Height(), DST_TEXT | DSS_DISABLED);
    return;
  }
  pDC->SetTextColor(bOver ? m_crHoverText : m_crOutText);
  pDC->SetBkColor(bOver ? m_crHoverBk : m_crOutBk);
  pDC->DrawText(strTitle, &rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
