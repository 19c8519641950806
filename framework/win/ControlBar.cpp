#include "framework/win/ControlBar.h"

#include <algorithm>
#include <map>

#include "framework/win/Dc.h"
#include "framework/win/DockContext.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CWnd)
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
// Every live bar, in creation order.
std::vector<CControlBar*>& LiveBars() {
  static std::vector<CControlBar*> s_bars;
  return s_bars;
}
int g_nNextSerial = 0;

void RecalcParent(CFrameWnd* pFrame) {
  if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
    pFrame->SendMessage(WM_RECALCPARENT);
}

// The bar's frame (gripper or none, along or across) follows its new place.
void RecalcBarFrame(CControlBar* pBar) {
  ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

DWORD AlignOfSide(UINT nDockBarID) {
  switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
      return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM:
      return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
      return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
      return CBRS_ALIGN_RIGHT;
    default:
      return 0;
  }
}

// The state of one bar as stored in the profile.
struct BarStateRecord {
  DWORD version;
  DWORD visible;
  DWORD dockBarID;
  LONG row;
  LONG pos;
  LONG floatX;
  LONG floatY;
};
const DWORD kBarStateVersion = 1;
}  // namespace

CControlBar::CControlBar() {
  m_nSerial = g_nNextSerial++;
  LiveBars().push_back(this);
}

CControlBar::~CControlBar() {
  auto& bars = LiveBars();
  bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
  CMiniDockFrameWnd* pFloat = m_pFloatFrame;
  m_pFloatFrame = nullptr;
  if (pFloat != nullptr) {
    pFloat->m_pBar = nullptr;
    // The bar's window goes first, so the tool window never destroys it twice.
    if (m_hWnd != nullptr)
      DestroyWindow();
    if (pFloat->m_hWnd != nullptr)
      pFloat->DestroyWindow();
  }
}

std::vector<CControlBar*> CControlBar::BarsOf(const CFrameWnd* pFrame) {
  std::vector<CControlBar*> result;
  for (CControlBar* pBar : LiveBars())
    if (pBar->m_pDockSite == pFrame && pBar->m_hWnd != nullptr)
      result.push_back(pBar);
  return result;
}

void CControlBar::AttachToFrame(CWnd* pParentWnd) {
  if (pParentWnd == nullptr)
    return;
  m_pDockSite = pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pParentWnd)
                                                               : pParentWnd->GetParentFrame();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CRect rc;
  GetWindowRect(&rc);
  CSize size(rc.Width(), rc.Height());
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle == dwStyle)
    return;
  m_dwStyle = dwStyle;
  RecalcParent(m_pDockSite);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

BOOL CControlBar::IsVisible() const {
  if (m_pFloatFrame != nullptr)
    return m_pFloatFrame->IsWindowVisible() && (GetStyle() & WS_VISIBLE) != 0;
  return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CControlBar::IsHorz() const {
  if (m_pFloatFrame != nullptr)
    return TRUE;
  return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0;
}

BOOL CControlBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pProbe))
    return TRUE;
  return m_pDockSite != nullptr && m_pDockSite->OnCmdMsg(nID, nCode, pExtra, pProbe);
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult))
    return TRUE;
  // Tool tips and the like are answered by the frame.
  if (m_pDockSite == nullptr || m_pDockSite->m_hWnd == nullptr)
    return FALSE;
  *pResult = m_pDockSite->SendMessage(WM_NOTIFY, wParam, lParam);
  return TRUE;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (IsVisible()) {
    CFrameWnd* pTarget = m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
    if (pTarget != nullptr)
      OnUpdateCmdUI(pTarget, (BOOL)wParam);
  }
  return 0;
}

BOOL CControlBar::HasGripper() const {
  return (m_dwStyle & CBRS_GRIPPER) != 0 && m_nDockBarID != 0 && m_nDockBarID != AFX_IDW_DOCKBAR_FLOAT &&
         m_pFloatFrame == nullptr;
}

CRect CControlBar::GripperRect() const {
  CRect rc;
  GetWindowRect(&rc);
  rc.OffsetRect(-rc.left, -rc.top);
  if (IsHorz())
    rc.right = rc.left + kGripperSize;
  else
    rc.bottom = rc.top + kGripperSize;
  return rc;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  Default();
  if (!HasGripper())
    return;
  RECT& rc = lpncsp->rgrc[0];
  if (IsHorz())
    rc.left = std::min(rc.left + kGripperSize, rc.right);
  else
    rc.top = std::min(rc.top + kGripperSize, rc.bottom);
}

void CControlBar::OnNcPaint() {
  Default();
  if (!HasGripper())
    return;
  CWindowDC dc(this);
  CRect rc = GripperRect();
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  // Two raised ridges across the bar.
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  if (IsHorz()) {
    for (int x = rc.left + 2; x <= rc.left + 5; x += 3)
      dc.Draw3dRect(x, rc.top + 2, 3, rc.Height() - 4, light, dark);
  } else {
    for (int y = rc.top + 2; y <= rc.top + 5; y += 3)
      dc.Draw3dRect(rc.left + 2, y, rc.Width() - 4, 3, light, dark);
  }
}

LRESULT CControlBar::OnNcHitTest(CPoint point) {
  if (HasGripper()) {
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rc = GripperRect();
    rc.OffsetRect(rcWindow.left, rcWindow.top);
    if (rc.PtInRect(point))
      return HTCAPTION;
  }
  return Default();
}

void CControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && HasGripper() && m_dwDockStyle != 0)
    CDockContext::StartDrag(this, point);
  else if (nHitTest != HTCAPTION)
    Default();  // a caption of a child would drag the window itself
}

void CControlBar::OnDestroy() {
  CFrameWnd* pFrame = m_pDockSite;
  CWnd::OnDestroy();
  if (pFrame != nullptr && pFrame->m_hWnd != nullptr && !IsFloating())
    pFrame->PostMessage(WM_RECALCPARENT);
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete)
    delete this;
}

BOOL CMiniDockFrameWnd::Create(CControlBar* pBar, CPoint ptScreen, LPCSTR lpszTitle) {
  m_pBar = pBar;
  CWnd* pOwner = pBar->m_pDockSite;
  LPCSTR lpszClass =
      AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  return CreateEx(WS_EX_TOOLWINDOW, lpszClass, lpszTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                  ptScreen.x, ptScreen.y, 100, 40, CWnd::HwndOf(pOwner), nullptr);
}

// Destroyed with the frame that owns it, the tool window goes before the
// frame's bars do: the bar must not keep a pointer to it.
void CMiniDockFrameWnd::PostNcDestroy() {
  if (m_pBar != nullptr && m_pBar->m_pFloatFrame == this)
    m_pBar->m_pFloatFrame = nullptr;
  delete this;
}

void CMiniDockFrameWnd::RecalcLayout() {
  if (m_pBar == nullptr || m_hWnd == nullptr)
    return;
  CSize size = m_pBar->CalcFixedLayout(FALSE, TRUE);
  CRect rc(0, 0, size.cx, size.cy);
  ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(m_pBar->m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnClose() {
  // The close box hides the bar; the frame's menu can show it again.
  if (m_pBar != nullptr)
    CDockLayout::ShowControlBar(m_pBar->m_pDockSite, m_pBar, FALSE);
  else
    ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnSize(UINT, int cx, int cy) {
  if (m_pBar != nullptr && m_pBar->m_hWnd != nullptr)
    ::SetWindowPos(m_pBar->m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pBar != nullptr && m_pBar->m_pDockSite != nullptr) {
    ::SetActiveWindow(m_hWnd);
    CDockContext::StartDrag(m_pBar, point);
  } else {
    Default();
  }
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pBar != nullptr && m_pBar->m_dwDockStyle != 0)
    CDockContext::DockBack(m_pBar);  // destroys this window
  else
    Default();
}

BOOL CMiniDockFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  CFrameWnd* pFrame = m_pBar != nullptr ? m_pBar->m_pDockSite : nullptr;
  if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
    return FALSE;
  pFrame->SendMessage(WM_COMMAND, wParam, lParam);
  return TRUE;
}

BOOL CMiniDockFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CFrameWnd* pFrame = m_pBar != nullptr ? m_pBar->m_pDockSite : nullptr;
  if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
    return FALSE;
  *pResult = pFrame->SendMessage(WM_NOTIFY, wParam, lParam);
  return TRUE;
}

void CDockLayout::RepositionBars(CFrameWnd* pFrame, CRect& rc) {
  std::vector<CControlBar*> bars = CControlBar::BarsOf(pFrame);
  // A bar that moves paints itself anew: the bits where it was may already
  // belong to a bar shown over it (the standard toolbar back from full
  // screen over the process toolbar that had moved into its place), and a
  // copy of those would leave it blank with nothing left to paint.
  auto place = [](CControlBar* pBar, int x, int y, int cx, int cy) {
    RECT rc;
    ::GetWindowRect(pBar->m_hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(pBar->m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
    const UINT nMoved = rc.left != x || rc.top != y ? SWP_NOCOPYBITS : 0;
    ::SetWindowPos(pBar->m_hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | nMoved);
  };
  // Fixed bars take the outermost strips, in the order they were made.
  // Bars inside another window (a rebar's bands) are that window's to place.
  bars.erase(std::remove_if(bars.begin(), bars.end(),
                            [pFrame](CControlBar* pBar) {
                              return !pBar->IsFloating() && ::GetParent(pBar->m_hWnd) != pFrame->m_hWnd;
                            }),
             bars.end());
  for (CControlBar* pBar : bars) {
    if (pBar->m_nDockBarID != 0 || pBar->IsFloating() || !pBar->IsVisible())
      continue;
    DWORD align = pBar->m_dwStyle & CBRS_ALIGN_ANY;
    BOOL bHorz = align == 0 || (align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CSize size = pBar->CalcFixedLayout(TRUE, bHorz);
    if (align & CBRS_ALIGN_BOTTOM) {
      int cy = std::min<int>(size.cy, rc.Height());
      place(pBar, rc.left, rc.bottom - cy, rc.Width(), cy);
      rc.bottom -= cy;
    } else if (align & CBRS_ALIGN_LEFT) {
      int cx = std::min<int>(size.cx, rc.Width());
      place(pBar, rc.left, rc.top, cx, rc.Height());
      rc.left += cx;
    } else if (align & CBRS_ALIGN_RIGHT) {
      int cx = std::min<int>(size.cx, rc.Width());
      place(pBar, rc.right - cx, rc.top, cx, rc.Height());
      rc.right -= cx;
    } else {
      int cy = std::min<int>(size.cy, rc.Height());
      place(pBar, rc.left, rc.top, rc.Width(), cy);
      rc.top += cy;
    }
  }
  // Then the docked bars, row by row from each edge inwards.
  static const UINT kSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                AFX_IDW_DOCKBAR_RIGHT};
  for (UINT side : kSides) {
    BOOL bHorz = side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM;
    std::map<int, std::vector<CControlBar*>> rows;
    for (CControlBar* pBar : bars)
      if (pBar->m_nDockBarID == side && !pBar->IsFloating() && pBar->IsVisible())
        rows[pBar->m_nDockRow].push_back(pBar);
    for (auto& row : rows) {
      std::stable_sort(row.second.begin(), row.second.end(),
                       [](CControlBar* a, CControlBar* b) { return a->m_nDockPos < b->m_nDockPos; });
      int thickness = 0;
      for (CControlBar* pBar : row.second) {
        CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
        thickness = std::max<int>(thickness, bHorz ? size.cy : size.cx);
      }
      thickness = std::min<int>(thickness, bHorz ? rc.Height() : rc.Width());
      int along = bHorz ? rc.left : rc.top;
      int end = bHorz ? rc.right : rc.bottom;
      for (CControlBar* pBar : row.second) {
        CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
        int start = std::max(along, (int)(bHorz ? rc.left : rc.top) + pBar->m_nDockPos);
        int length = std::max(0, std::min<int>(bHorz ? size.cx : size.cy, end - start));
        if (side == AFX_IDW_DOCKBAR_TOP)
          place(pBar, start, rc.top, length, thickness);
        else if (side == AFX_IDW_DOCKBAR_BOTTOM)
          place(pBar, start, rc.bottom - thickness, length, thickness);
        else if (side == AFX_IDW_DOCKBAR_LEFT)
          place(pBar, rc.left, start, thickness, length);
        else
          place(pBar, rc.right - thickness, start, thickness, length);
        along = start + length;
      }
      if (side == AFX_IDW_DOCKBAR_TOP)
        rc.top += thickness;
      else if (side == AFX_IDW_DOCKBAR_BOTTOM)
        rc.bottom -= thickness;
      else if (side == AFX_IDW_DOCKBAR_LEFT)
        rc.left += thickness;
      else
        rc.right -= thickness;
    }
  }
}

void CDockLayout::DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr)
    return;
  if (nDockBarID == 0 || nDockBarID == AFX_IDW_DOCKBAR_FLOAT) {
    // The first side the bar allows, in the order top, bottom, left, right.
    DWORD allowed = pBar->m_dwDockStyle != 0 ? pBar->m_dwDockStyle : CBRS_ALIGN_TOP;
    nDockBarID = (allowed & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
                 : (allowed & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                 : (allowed & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                                 : AFX_IDW_DOCKBAR_RIGHT;
  }
  pBar->m_pDockSite = pFrame;
  BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  if (pBar->m_pFloatFrame != nullptr) {
    CMiniDockFrameWnd* pFloat = pBar->m_pFloatFrame;
    pBar->m_pFloatFrame = nullptr;
    pBar->SetParent(pFrame);
    pFloat->m_pBar = nullptr;
    pFloat->DestroyWindow();
  }
  BOOL bHorz = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
  int nRow = -1, nPos = 0;
  std::vector<CControlBar*> bars = CControlBar::BarsOf(pFrame);
  if (lpRect != nullptr) {
    // The row that the rectangle (in screen coordinates) lies in.
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    pFrame->ClientToScreen(&rcFrame);
    CPoint center((lpRect->left + lpRect->right) / 2, (lpRect->top + lpRect->bottom) / 2);
    nPos = (int)(bHorz ? lpRect->left - rcFrame.left : lpRect->top - rcFrame.top);
    for (CControlBar* pOther : bars) {
      if (pOther == pBar || pOther->m_nDockBarID != nDockBarID || pOther->IsFloating())
        continue;
      CRect rcOther;
      pOther->GetWindowRect(&rcOther);
      BOOL bInRow = bHorz ? (center.y >= rcOther.top && center.y < rcOther.bottom)
                          : (center.x >= rcOther.left && center.x < rcOther.right);
      if (bInRow) {
        nRow = pOther->m_nDockRow;
        break;
      }
    }
  }
  if (nRow < 0) {
    nRow = 0;
    for (CControlBar* pOther : bars)
      if (pOther != pBar && pOther->m_nDockBarID == nDockBarID)
        nRow = std::max(nRow, pOther->m_nDockRow + 1);
  }
  pBar->m_nDockBarID = nDockBarID;
  pBar->m_nDockRow = nRow;
  pBar->m_nDockPos = std::max(0, nPos);
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | AlignOfSide(nDockBarID);
  RecalcBarFrame(pBar);
  if (bVisible)
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
  RecalcParent(pFrame);
}

void CDockLayout::FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint ptScreen) {
  if (pFrame == nullptr || pBar == nullptr || pBar->m_hWnd == nullptr)
    return;
  pBar->m_pDockSite = pFrame;
  BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  if (AlignOfSide(pBar->m_nDockBarID) != 0) {
    pBar->m_nLastDockBarID = pBar->m_nDockBarID;
    pBar->m_nLastDockRow = pBar->m_nDockRow;
    pBar->m_nLastDockPos = pBar->m_nDockPos;
  }
  if (pBar->m_pFloatFrame == nullptr) {
    CString title;
    pBar->GetWindowText(title);
    CMiniDockFrameWnd* pFloat = new CMiniDockFrameWnd;
    if (!pFloat->Create(pBar, ptScreen, title))
      return;  // deleted itself
    pBar->m_pFloatFrame = pFloat;
    pBar->SetParent(pFloat);
  }
  pBar->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
  pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP | CBRS_FLOATING;
  RecalcBarFrame(pBar);
  CMiniDockFrameWnd* pFloat = pBar->m_pFloatFrame;
  ::SetWindowPos(pFloat->m_hWnd, nullptr, ptScreen.x, ptScreen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pFloat->RecalcLayout();
  if (bVisible) {
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    pFloat->ShowWindow(SW_SHOWNOACTIVATE);
  }
  RecalcParent(pFrame);
}

void CDockLayout::ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr)
    return;
  pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (pBar->m_pFloatFrame != nullptr) {
    pBar->m_pFloatFrame->RecalcLayout();
    pBar->m_pFloatFrame->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
  RecalcParent(pFrame != nullptr ? pFrame : pBar->m_pDockSite);
}

CControlBar* CDockLayout::GetControlBar(const CFrameWnd* pFrame, UINT nID) {
  for (CControlBar* pBar : CControlBar::BarsOf(pFrame))
    if ((UINT)pBar->GetDlgCtrlID() == nID)
      return pBar;
  return nullptr;
}

void CDockLayout::SaveBarState(const CFrameWnd* pFrame, LPCSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  for (CControlBar* pBar : CControlBar::BarsOf(pFrame)) {
    UINT nID = (UINT)pBar->GetDlgCtrlID();
    if (nID == 0)
      continue;
    BarStateRecord record = {
        kBarStateVersion, (DWORD)pBar->IsVisible(), pBar->m_nDockBarID, pBar->m_nDockRow, pBar->m_nDockPos, 0, 0};
    if (pBar->m_pFloatFrame != nullptr) {
      CRect rc;
      pBar->m_pFloatFrame->GetWindowRect(&rc);
      record.floatX = rc.left;
      record.floatY = rc.top;
    }
    CString entry;
    entry.Format("Bar%u", nID);
    pApp->WriteProfileBinary(lpszProfileName, entry, (LPBYTE)&record, sizeof(record));
  }
}

void CDockLayout::LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  for (CControlBar* pBar : CControlBar::BarsOf(pFrame)) {
    UINT nID = (UINT)pBar->GetDlgCtrlID();
    CString entry;
    entry.Format("Bar%u", nID);
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (nID == 0 || !pApp->GetProfileBinary(lpszProfileName, entry, &pData, &nBytes))
      continue;
    BarStateRecord record = {};
    bool bValid = nBytes == sizeof(record);
    if (bValid)
      memcpy(&record, pData, sizeof(record));
    delete[] pData;
    // A value of another layout or another program is ignored.
    if (!bValid || record.version != kBarStateVersion || record.row < 0 || record.row > 64 || record.pos < 0)
      continue;
    if (record.dockBarID == AFX_IDW_DOCKBAR_FLOAT) {
      FloatControlBar(pFrame, pBar, CPoint(record.floatX, record.floatY));
    } else if (AlignOfSide(record.dockBarID) != 0 && pBar->m_nDockBarID != 0) {
      // Only a bar that docks goes back to a side; a fixed bar keeps its place.
      if (pBar->m_pFloatFrame != nullptr)
        DockControlBar(pFrame, pBar, record.dockBarID, nullptr);
      pBar->m_nDockBarID = record.dockBarID;
      pBar->m_nDockRow = (int)record.row;
      pBar->m_nDockPos = (int)record.pos;
      pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | AlignOfSide(record.dockBarID);
      RecalcBarFrame(pBar);
    }
    ShowControlBar(pFrame, pBar, record.visible != 0);
  }
  RecalcParent(pFrame);
}
