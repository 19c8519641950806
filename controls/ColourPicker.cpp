#include "controls/ColourPicker.h"

#include <algorithm>

#include "controls/ColourGridPopup.h"
#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"

IMPLEMENT_DYNCREATE(CColourPicker, CButton)

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
  ON_WM_CREATE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_MESSAGE(WMU_COLOUR_SELENDOK, OnSelEndOK)
  ON_MESSAGE(WMU_COLOUR_SELENDCANCEL, OnSelEndCancel)
  ON_MESSAGE(WMU_COLOUR_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CColourPicker::CColourPicker()
    : m_crColourBk(::GetSysColor(COLOR_BTNFACE)), m_crColourText(::GetSysColor(COLOR_BTNTEXT)) {}

CColourPicker::~CColourPicker() = default;

COLORREF CColourPicker::GetColour() const {
  return m_nSelectionMode == 1 ? m_crColourText : m_crColourBk;
}

void CColourPicker::SetColour(COLORREF crColour) {
  if (m_nSelectionMode == 1)
    SetTextColour(crColour);
  else
    SetBkColour(crColour);
}

void CColourPicker::SetBkColour(COLORREF crColourBk) {
  m_crColourBk = crColourBk;
  if (m_hWnd != nullptr)
    RedrawWindow();
}

void CColourPicker::SetTextColour(COLORREF crColourText) {
  m_crColourText = crColourText;
  if (m_hWnd != nullptr)
    RedrawWindow();
}

void CColourPicker::SetAutomaticText(LPCSTR lpszText) {
  m_strDefaultText = lpszText != nullptr ? lpszText : "";
}

void CColourPicker::SetMoreColoursText(LPCSTR lpszText) {
  m_strCustomText = lpszText != nullptr ? lpszText : "";
}

void CColourPicker::PreSubclassWindow() {
  ModifyStyle(0, BS_OWNERDRAW);
  CButton::PreSubclassWindow();
  FitToArrow();
}

int CColourPicker::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  int nResult = CButton::OnCreate(lpCreateStruct);
  if (nResult != -1)
    FitToArrow();
  return nResult;
}

void CColourPicker::FitToArrow() {
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  const int nArrow = std::max(std::max(5 * cxEdge, ::GetSystemMetrics(SM_CXHTHUMB)),
                              std::max(5 * cyEdge, ::GetSystemMetrics(SM_CYVTHUMB)));
  CRect rc;
  GetWindowRect(&rc);
  const int nWidth = std::max(rc.Width(), 2 * (cxEdge + nArrow));
  const int nHeight = nArrow + 2 * cyEdge;
  if (nWidth != rc.Width() || nHeight != rc.Height())
    SetWindowPos(nullptr, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(&rc);
  m_ArrowRect.SetRect(rc.right - nArrow - cxEdge, rc.top + cyEdge, rc.right - cxEdge, rc.bottom - cyEdge);
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rect = lpDIS->rcItem;
  const UINT nState = lpDIS->itemState;
  const BOOL bDisabled = (nState & ODS_DISABLED) != 0;

  UINT nFrame = DFCS_SCROLLDOWN;
  if (m_bPopupOpen)
    nFrame |= DFCS_PUSHED;
  if (bDisabled)
    nFrame |= DFCS_INACTIVE;
  CRect rcArrow = m_ArrowRect;
  pDC->DrawFrameControl(&rcArrow, DFC_SCROLL, nFrame);
  pDC->DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);

  CRect rcSwatch = rect;
  rcSwatch.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
  rcSwatch.right = m_ArrowRect.left;
  const BOOL bAutomatic = m_crColourBk == COLOUR_AUTOMATIC;
  pDC->FillSolidRect(&rcSwatch, bDisabled || bAutomatic ? ::GetSysColor(COLOR_BTNFACE) : m_crColourBk);

  CString strText;
  GetWindowText(strText);
  if (!strText.IsEmpty()) {
    CSelectGuard font(pDC->m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    pDC->SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (bDisabled) {
      CRect rcShade = rcSwatch;
      rcShade.OffsetRect(1, 1);
      pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
      pDC->DrawText(strText, &rcShade, nFormat);
      pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
    } else {
      pDC->SetTextColor(m_crColourText == COLOUR_AUTOMATIC ? RGB(0, 0, 0) : m_crColourText);
    }
    pDC->DrawText(strText, &rcSwatch, nFormat);
  }

  if (nState & ODS_FOCUS) {
    CRect rcFocus = rcSwatch;
    rcFocus.DeflateRect(1, 1);
    pDC->DrawFocusRect(&rcFocus);
  }
}

BOOL CColourPicker::NotifyParent(UINT nMessage, COLORREF crColour) {
  HWND hWndSelf = m_hWnd;
  HWND hWndParent = hWndSelf != nullptr ? ::GetParent(hWndSelf) : nullptr;
  if (hWndParent == nullptr)
    return FALSE;
  ::SendMessageA(hWndParent, nMessage, (WPARAM)crColour, (LPARAM)::GetDlgCtrlID(hWndSelf));
  // The parent may have closed its window, and this object with it.
  return ::IsWindow(hWndSelf);
}

BOOL CColourPicker::OnClicked() {
  m_bPopupOpen = TRUE;
  CRect rc;
  GetWindowRect(&rc);
  if (!CColourGridPopup::Open(CPoint(rc.left, rc.bottom), GetColour(), this, m_strDefaultText, m_strCustomText)) {
    // No popup, nothing to close up: the picker stays as it was.
    m_bPopupOpen = FALSE;
    return FALSE;
  }
  Invalidate();  // the arrow shows pushed while the popup is open
  NotifyParent(WMU_COLOUR_DROPDOWN, GetColour());
  // The parent hears the click as well.
  return FALSE;
}

LRESULT CColourPicker::OnSelEndOK(WPARAM wParam, LPARAM) {
  const COLORREF crNew = (COLORREF)wParam;
  m_bPopupOpen = FALSE;
  const COLORREF crOld = GetColour();
  SetColour(crNew);
  if (!NotifyParent(WMU_COLOUR_CLOSEUP, crNew) || !NotifyParent(WMU_COLOUR_SELENDOK, crNew))
    return 0;
  if (crNew != crOld)
    NotifyParent(WMU_COLOUR_SELCHANGE, crNew);
  return 0;
}

LRESULT CColourPicker::OnSelEndCancel(WPARAM wParam, LPARAM) {
  const COLORREF crRestored = (COLORREF)wParam;
  m_bPopupOpen = FALSE;
  SetColour(crRestored);
  if (NotifyParent(WMU_COLOUR_CLOSEUP, crRestored))
    NotifyParent(WMU_COLOUR_SELENDCANCEL, crRestored);
  return 0;
}

LRESULT CColourPicker::OnSelChange(WPARAM wParam, LPARAM) {
  const COLORREF crColour = (COLORREF)wParam;
  if (m_bTrackSelection)
    SetColour(crColour);
  NotifyParent(WMU_COLOUR_SELCHANGE, crColour);
  return 0;
}

void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  CWnd* pWnd = CWnd::FromHandlePermanent(hWndCtrl);
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CColourPicker)))
    return;  // not attached as a colour picker: nothing to exchange
  CColourPicker* pPicker = static_cast<CColourPicker*>(pWnd);
  if (pDX->m_bSaveAndValidate)
    crColour = pPicker->GetColour();
  else
    pPicker->SetColour(crColour);
}
