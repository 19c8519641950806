#include "framework/win/OleIPFrameWnd.h"

#include <vector>

#include "framework/win/ControlBar.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/MessageMap.h"
#include "framework/win/OleResizeBar.h"
#include "framework/win/OleServerDoc.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COleIPFrameWnd, CFrameWnd)
  ON_COMMAND(ID_CANCEL_EDIT_SRVR, OnCancelEditSrvr)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

COleCntrFrameWnd::~COleCntrFrameWnd() {
  // The window is the container's: only the binding goes.
  if (m_hWnd != nullptr)
    Detach();
}

void COleCntrFrameWnd::RecalcLayout(BOOL) {
  m_pInPlaceFrame->RepositionContainerBars();
}

COleIPFrameWnd::COleIPFrameWnd() : m_wndContainerFrame(this) {}

COleIPFrameWnd::~COleIPFrameWnd() = default;

BOOL COleIPFrameWnd::CreateInPlace(HWND hWndParent, COleServerDoc* pDoc, CCreateContext* pContext) {
  m_pServerDoc = pDoc;
  LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
  return Create(lpszClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                CWnd::FromHandle(hWndParent), nullptr, 0, pContext);
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*) {
  return TRUE;
}

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  CRect rcFrame(lpPosRect);
  rcFrame.InflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
  // The window covers only what the container lets show (an item partly
  // scrolled out of its window); the bar and the view inside keep their
  // places, cut off where the window ends.
  CRect rcShown = rcFrame;
  if (lpClipRect != nullptr && !rcShown.IntersectRect(&rcFrame, lpClipRect))
    rcShown.SetRect(rcFrame.left, rcFrame.top, rcFrame.left, rcFrame.top);
  m_rcLayout = rcFrame;
  m_rcLayout.OffsetRect(-rcShown.left, -rcShown.top);
  SetWindowPos(nullptr, rcShown.left, rcShown.top, rcShown.Width(), rcShown.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcLayout();
}

void COleIPFrameWnd::OnResizeRequest(LPCRECT lpRect) {
  CRect rc(lpRect);
  rc.DeflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
  if (m_pServerDoc != nullptr)
    m_pServerDoc->RequestPositionChange(rc);
}

void COleIPFrameWnd::RecalcLayout(BOOL) {
  if (m_hWnd == nullptr)
    return;
  CRect rc = m_rcLayout;
  if (rc.IsRectEmpty())
    GetClientRect(&rc);
  if (HWND hWndBar = ::GetDlgItem(m_hWnd, AFX_IDW_RESIZE_BAR)) {
    ::SetWindowPos(hWndBar, HWND_BOTTOM, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE);
    rc.DeflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
  }
  if (HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
    ::SetWindowPos(hWndPane, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE);
}

BOOL COleIPFrameWnd::BuildContainerBars(HWND hWndFrame, IOleInPlaceUIWindow* pFrame) {
  m_lpFrame = pFrame;
  if (m_bBarsBuilt)
    return TRUE;
  if (hWndFrame == nullptr || !m_wndContainerFrame.Attach(hWndFrame))
    return FALSE;
  m_bBarsBuilt = TRUE;
  if (!OnCreateControlBars(&m_wndContainerFrame, nullptr))
    return FALSE;
  RepositionContainerBars();
  return TRUE;
}

void COleIPFrameWnd::RepositionContainerBars() {
  if (m_lpFrame == nullptr || m_wndContainerFrame.m_hWnd == nullptr)
    return;
  // One row per bar, across the top of the container's frame.
  std::vector<CControlBar*> bars;
  std::vector<int> heights;
  int nTotal = 0;
  for (CControlBar* pBar : CControlBar::BarsOf(&m_wndContainerFrame)) {
    if ((pBar->GetStyle() & WS_VISIBLE) == 0 && !pBar->IsVisible())
      continue;
    int cy = pBar->CalcFixedLayout(TRUE, TRUE).cy;
    bars.push_back(pBar);
    heights.push_back(cy);
    nTotal += cy;
  }
  BORDERWIDTHS widths = {0, nTotal, 0, 0};
  RECT rcBorder = {};
  BOOL bGranted = m_lpFrame->RequestBorderSpace(&widths) == S_OK && m_lpFrame->SetBorderSpace(&widths) == S_OK &&
                  m_lpFrame->GetBorder(&rcBorder) == S_OK;
  int y = rcBorder.top;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (!bGranted) {
      bars[i]->ShowWindow(SW_HIDE);
      continue;
    }
    bars[i]->SetWindowPos(&CWnd::wndTop, rcBorder.left, y, rcBorder.right - rcBorder.left, heights[i],
                          SWP_NOACTIVATE | SWP_SHOWWINDOW);
    y += heights[i];
  }
}

void COleIPFrameWnd::ReleaseContainerBars() {
  for (CControlBar* pBar : CControlBar::BarsOf(&m_wndContainerFrame))
    pBar->ShowWindow(SW_HIDE);
  if (m_lpFrame != nullptr)
    m_lpFrame->SetBorderSpace(nullptr);
}

LRESULT COleIPFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  // The bars in the container's frame are not among this frame's windows;
  // their buttons follow this frame's commands all the same.
  for (CControlBar* pBar : CControlBar::BarsOf(&m_wndContainerFrame))
    if (pBar->IsVisible())
      pBar->OnUpdateCmdUI(this, (BOOL)wParam);
  return 0;
}

void COleIPFrameWnd::OnCancelEditSrvr() {
  if (m_pServerDoc != nullptr)
    m_pServerDoc->OnDeactivateUI(FALSE);
}
