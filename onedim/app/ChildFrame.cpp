#include "onedim/app/ChildFrame.h"

#include <algorithm>

#include "framework/win/WinApp.h"
#include "framework/win/CmdUI.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/view/FullView.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/MainFrame.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
  ON_WM_HSCROLL()
  ON_WM_GETMINMAXINFO()
  ON_WM_DESTROY()
  ON_COMMAND(ID_VIEW_DUAL_DISPLAY, OnViewDualDisplay)
  ON_UPDATE_COMMAND_UI(ID_VIEW_DUAL_DISPLAY, OnUpdateViewDualDisplay)
END_MESSAGE_MAP()

namespace {

// The rows of the dual display: the full view's strip and the 1D view.
const int kStripHeight = 100;
const int kRowMinimum = 100;
// The full view's row gets its height the first time it is shown in a run.
bool g_bFullViewShownOnce = false;

}  // namespace

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  BOOL bCreated = m_wndSplitter.CreateStatic(this, 2, 1) &&
                  m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CFullView), CSize(100, 100), pContext) &&
                  m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CBrivaneProView), CSize(100, 100), pContext);
  if (!bCreated)
    return FALSE;
  m_wndSplitter.SetRowInfo(1, kStripHeight, kRowMinimum);
  m_wndSplitter.SetActivePane(1, 0);
  m_bUpperHidden = TRUE;
  m_wndSplitter.HideRow(0);
  return TRUE;
}

void CChildFrame::OnViewDualDisplay() {
  CBrivaneDocument* pDoc = GetSpectrumDocument();
  if (m_bUpperHidden) {
    m_wndSplitter.ShowRow();
    if (!g_bFullViewShownOnce) {
      g_bFullViewShownOnce = true;
      m_wndSplitter.SetRowInfo(0, kStripHeight, kRowMinimum);
      m_wndSplitter.RecalcLayout();
    }
    if (pDoc != nullptr)
      pDoc->m_bFullView = 1;
  } else {
    m_wndSplitter.HideRow(0);
    if (pDoc != nullptr)
      pDoc->m_bFullView = 0;
  }
  m_wndSplitter.SetRowInfo(0, kStripHeight, kRowMinimum);
  m_wndSplitter.RecalcLayout();
  m_bUpperHidden = !m_bUpperHidden;
}

void CChildFrame::OnUpdateViewDualDisplay(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(!m_bUpperHidden);
}

void CChildFrame::ActivateFrame(int nCmdShow) {
  CMDIChildWnd::ActivateFrame(nCmdShow == -1 ? SW_SHOWMAXIMIZED : nCmdShow);
}

CBrivaneDocument* CChildFrame::GetSpectrumDocument() {
  CDocument* pDoc = GetActiveDocument();
  return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CBrivaneDocument)) ? static_cast<CBrivaneDocument*>(pDoc)
                                                                            : nullptr;
}

void CChildFrame::SetSpectrumScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = nMin;
  si.nMax = nMax;
  si.nPage = (UINT)std::max(0, nPage);
  si.nPos = nPos;
  SetScrollInfo(SB_HORZ, &si, TRUE);
  ShowScrollBar(SB_HORZ, bVisible);
}

int CChildFrame::ScrollTarget(UINT nSBCode, int p, int nTrackPos, int nMax, int nPage, int td) {
  int nLastStart = nMax - nPage + 1;
  switch (nSBCode) {
    case SB_LINELEFT:
      p = p <= 10 ? 0 : p - 10;
      break;
    case SB_LINERIGHT:
      p = std::min(p + 10, nLastStart);
      break;
    case SB_PAGELEFT:
      p = std::max(p - td / 10, 0);
      break;
    case SB_PAGERIGHT:
      p = std::min(p + td / 10, nLastStart);
      break;
    case SB_THUMBTRACK:
      p = nTrackPos;
      break;
    default:
      return p;
  }
  p = std::max(p, 0);
  return p - (p & 1);  // float indices of complex points are even
}

void CChildFrame::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  CBrivaneDocument* pDoc = GetSpectrumDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s != nullptr && pScrollBar == nullptr) {
    // The 16 bits of nPos would wrap beyond 65535 floats: the bar's own
    // 32-bit tracking position is used instead.
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    GetScrollInfo(SB_HORZ, &si, SIF_ALL);
    int p = ScrollTarget(nSBCode, si.nPos, si.nTrackPos, si.nMax, (int)si.nPage, s->m_paramsA.td);
    if (nSBCode != SB_ENDSCROLL && nSBCode != SB_THUMBPOSITION) {
      SetScrollPos(SB_HORZ, p);
      int nShift = p - s->m_nFirst;
      s->m_nFirst = p;
      s->m_nLast += nShift;
      pDoc->UpdateAllViews(nullptr);
    }
  }
  CMDIChildWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

namespace {

CMainFrame* GetMainFrame() {
  CWnd* pMain = AfxGetMainWnd();
  return pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(pMain) : nullptr;
}

}  // namespace

void CChildFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CMDIChildWnd::OnGetMinMaxInfo(lpMMI);
  CMainFrame* pMain = GetMainFrame();
  if (pMain == nullptr)
    return;
  CPoint size;
  if (pMain->GetFullScreenSize(this, size)) {
    lpMMI->ptMaxSize = size;
    lpMMI->ptMaxTrackSize = size;
  }
}

// The full-screen window going (Ctrl+F4, File > Close) first gives the
// frame and itself their places back, as Full Screen off does: the MDI
// client hands a maximised window's state to the window it activates next,
// so the others stay maximised.
BOOL CChildFrame::DestroyWindow() {
  CMainFrame* pMain = GetMainFrame();
  if (pMain != nullptr && m_hWnd != nullptr && pMain->IsFullScreenWindow(this))
    pMain->ExitFullScreen();
  return CMDIChildWnd::DestroyWindow();
}

// The main frame keeps the full-screen window; it must not outlive it.
void CChildFrame::OnDestroy() {
  if (CMainFrame* pMain = GetMainFrame())
    pMain->ForgetFullScreenChild(this);
  CMDIChildWnd::OnDestroy();
}
