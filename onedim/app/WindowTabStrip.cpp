#include "onedim/app/WindowTabStrip.h"

#include <algorithm>

#include "framework/win/Dc.h"
#include "framework/win/Document.h"
#include "framework/win/MDIFrameWnd.h"
#include "onedim/app/WindowTabHost.h"

BEGIN_MESSAGE_MAP(CWindowTabStrip, CTabCtrl)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace {

CString ClassNameOf(HWND hWnd) {
  char szClass[256] = {};
  ::GetClassNameA(hWnd, szClass, sizeof szClass);
  return szClass;
}

// The small icon of a window: its class's, its own, else the large ones.
HICON WindowIcon(HWND hWnd) {
  HICON hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICONSM);
  if (hIcon == nullptr)
    hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0);
  if (hIcon == nullptr)
    hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
  if (hIcon == nullptr)
    hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0);
  return hIcon;
}

}  // namespace

int CWindowTabStrip::OnCreate(LPCREATESTRUCT lpcs) {
  if (CTabCtrl::OnCreate(lpcs) == -1)
    return -1;
  if (SetTimer(RefreshTimer, RefreshMs) == 0)
    return -1;
  m_Images.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR8 | ILC_MASK, 4, 4);
  SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
  SetImageList(&m_Images);
  // Without OLE the tabs only miss the activation while dragging.
  m_DropTarget.Register(this);
  return 0;
}

void CWindowTabStrip::OnDestroy() {
  m_DropTarget.Revoke();
  SetImageList(nullptr);
  m_Images.DeleteImageList();
  KillTimer(RefreshTimer);
  m_Items.clear();
  m_Icons.clear();
  CTabCtrl::OnDestroy();
}

void CWindowTabStrip::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == RefreshTimer)
    Refresh(TRUE);
  else
    CTabCtrl::OnTimer(nIDEvent);
}

void CWindowTabStrip::RecalcFrameLayout() {
  if (CMDIFrameWnd* pFrame = m_pHost->GetFrame())
    pFrame->RecalcLayout();
}

BOOL CWindowTabStrip::AddTab(CWnd* pWnd, BOOL bRecalc, BOOL bVisibleOnly) {
  HWND hWnd = HwndOf(pWnd);
  if (m_hWnd == nullptr || !::IsWindow(hWnd) || (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) == 0)
    return FALSE;
  if (bVisibleOnly && !::IsWindowVisible(hWnd))
    return FALSE;
  int nImage = -1;
  if (HICON hIcon = WindowIcon(hWnd)) {
    auto it = std::find(m_Icons.begin(), m_Icons.end(), hIcon);
    if (it != m_Icons.end()) {
      nImage = (int)(it - m_Icons.begin());
    } else if ((nImage = m_Images.Add(hIcon)) >= 0) {
      m_Icons.resize((size_t)nImage + 1);
      m_Icons[(size_t)nImage] = hIcon;
    }
  }
  TabRecord record = {GetTabTitle(pWnd), ClassNameOf(hWnd), hWnd};
  const int nTab = InsertItem(GetItemCount(), record.strTitle, nImage);
  if (nTab < 0)
    return FALSE;
  m_Items.insert(m_Items.begin() + std::min((size_t)nTab, m_Items.size()), record);
  if (bRecalc)
    RecalcFrameLayout();
  return TRUE;
}

BOOL CWindowTabStrip::RemoveTab(CWnd* pWnd, BOOL bRecalc) {
  const int nTab = FindTab(pWnd);
  if (nTab < 0)
    return FALSE;
  DeleteItem(nTab);
  m_Items.erase(m_Items.begin() + nTab);
  if (bRecalc)
    RecalcFrameLayout();
  return TRUE;
}

int CWindowTabStrip::FindTab(CWnd* pWnd) const {
  HWND hWnd = HwndOf(pWnd);
  if (hWnd == nullptr)
    return -1;
  // A handle the system gave again to a window of another class is not ours.
  const CString strClass = ClassNameOf(hWnd);
  for (size_t i = 0; i < m_Items.size(); i++)
    if (m_Items[i].hWnd == hWnd && m_Items[i].strClass.CompareNoCase(strClass) == 0)
      return (int)i;
  return -1;
}

CString CWindowTabStrip::GetTabTitle(CWnd* pWnd) const {
  HWND hWnd = HwndOf(pWnd);
  CString strTitle = (LPCSTR)::SendMessageA(hWnd, WM_GETTABTITLE, 0, 0);
  if (strTitle.IsEmpty()) {
    CWnd* pBound = CWnd::FromHandlePermanent(hWnd);
    if (pBound != nullptr && pBound->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
      if (CDocument* pDoc = static_cast<CFrameWnd*>(pBound)->GetActiveDocument())
        strTitle = pDoc->GetTitle();
  }
  if (strTitle.IsEmpty()) {
    char szText[256] = {};
    ::GetWindowTextA(hWnd, szText, sizeof szText);
    strTitle = szText;
  }
  return strTitle;
}

HWND CWindowTabStrip::GetTabWindow(int nTab) const {
  return nTab >= 0 && nTab < (int)m_Items.size() ? m_Items[(size_t)nTab].hWnd : nullptr;
}

void CWindowTabStrip::Refresh(BOOL bAddNew) {
  CMDIFrameWnd* pFrame = m_pHost->GetFrame();
  if (pFrame == nullptr || m_hWnd == nullptr)
    return;
  BOOL bChanged = m_pHost->IsLayoutChanged();
  HWND hClient = m_pHost->GetMDIClient();
  HWND hActive = (HWND)::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0);
  // A window that went without its tab being taken leaves no tab behind.
  for (size_t i = m_Items.size(); i-- > 0;) {
    if (!::IsWindow(m_Items[i].hWnd) || ::GetParent(m_Items[i].hWnd) != hClient) {
      DeleteItem((int)i);
      m_Items.erase(m_Items.begin() + (std::ptrdiff_t)i);
      bChanged = TRUE;
    }
  }
  for (HWND hChild = ::GetWindow(hClient, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CWnd* pChild = CWnd::FromHandle(hChild);
    const int nTab = FindTab(pChild);
    if (nTab >= 0 && ::IsWindowVisible(hChild)) {
      const CString strTitle = GetTabTitle(pChild);
      if (strTitle != m_Items[(size_t)nTab].strTitle) {
        m_Items[(size_t)nTab].strTitle = strTitle;
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>((LPCSTR)strTitle);
        SetItem(nTab, &item);
        bChanged = TRUE;
      }
    } else if (nTab >= 0) {
      RemoveTab(pChild, FALSE);
      bChanged = TRUE;
    } else if (bAddNew && AddTab(pChild, FALSE, TRUE)) {
      bChanged = TRUE;
    }
  }
  const int nActive = hActive != nullptr ? FindTab(CWnd::FromHandle(hActive)) : -1;
  if (nActive >= 0 && nActive != GetCurSel()) {
    SetCurSel(nActive);
    RecalcFrameLayout();
  } else if (bChanged) {
    RecalcFrameLayout();
  }
  m_pHost->ClearLayoutChanged();
}

void CWindowTabStrip::ActivateTab(int nTab) {
  HWND hWnd = GetTabWindow(nTab);
  if (hWnd == nullptr)
    return;
  ::SendMessageA(m_pHost->GetMDIClient(), WM_MDIACTIVATE, (WPARAM)hWnd, 0);
  RecalcFrameLayout();
}

BOOL CWindowTabStrip::ActivateTabAt(CPoint point) {
  TCHITTESTINFO hit = {};
  hit.pt = point;
  const int nTab = HitTest(&hit);
  if (nTab < 0)
    return FALSE;
  ActivateTab(nTab);
  return TRUE;
}

void CWindowTabStrip::OnSelChange(NMHDR*, LRESULT* pResult) {
  ActivateTab(GetCurSel());
  *pResult = 0;
}

void CWindowTabStrip::OnLButtonDblClk(UINT, CPoint) {
  HWND hWnd = GetTabWindow(GetCurSel());
  if (hWnd == nullptr)
    return;
  HWND hClient = m_pHost->GetMDIClient();
  BOOL bMaximized = FALSE;
  HWND hActive = (HWND)::SendMessageA(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
  ::SendMessageA(hClient, hWnd == hActive && bMaximized ? WM_MDIRESTORE : WM_MDIMAXIMIZE, (WPARAM)hWnd, 0);
}

void CWindowTabStrip::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  CTabCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
  RECT& rc = lpncsp->rgrc[0];
  if (rc.right - rc.left < 2 * m_nMargin || rc.bottom - rc.top < 2 * m_nMargin) {
    rc.right = rc.left;
    rc.bottom = rc.top;
  } else {
    ::InflateRect(&rc, -m_nMargin, -m_nMargin);
  }
}

void CWindowTabStrip::OnNcPaint() {
  CTabCtrl::OnNcPaint();
  CWindowDC dc(this);
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
  // The margin in the face colour, framed like a sunken panel.
  CRect rcClient = rcWindow;
  rcClient.DeflateRect(m_nMargin, m_nMargin);
  dc.ExcludeClipRect(&rcClient);
  dc.FillSolidRect(&rcWindow, ::GetSysColor(COLOR_BTNFACE));
  dc.Draw3dRect(&rcWindow, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

DROPEFFECT CWindowTabStrip::CDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint point) {
  m_pStrip->ActivateTabAt(point);
  return DROPEFFECT_NONE;
}

DROPEFFECT CWindowTabStrip::CDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) {
  m_pStrip->ActivateTabAt(point);
  return DROPEFFECT_NONE;
}
