#include "framework/win/PreviewView.h"

#include <algorithm>
#include <cmath>

#include "framework/win/CmdUI.h"
#include "framework/win/DialogBar.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/PrintMessages.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
  ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
  ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
  ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
  ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {

const int kMargin = 8;     // around and between the pages, window pixels
const int kLineStep = 16;  // a scroll-bar arrow's step

// The preview bar the framework lays out itself, for a program whose
// resources have no preview bar template.
class CPreviewBar : public CControlBar {
 public:
  BOOL Create(CWnd* pParentWnd, UINT nID) {
    m_dwStyle = CBRS_TOP;
    m_bAutoDelete = TRUE;
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd, nID))
      return FALSE;
    static const struct {
      UINT nID;
      LPCSTR lpszText;
    } kButtons[] = {{AFX_ID_PREVIEW_PRINT, "&Print..."}, {AFX_ID_PREVIEW_NEXT, "&Next Page"},
                    {AFX_ID_PREVIEW_PREV, "Pre&v Page"}, {AFX_ID_PREVIEW_NUMPAGE, "&Two Page"},
                    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
                    {AFX_ID_PREVIEW_CLOSE, "&Close"}};
    int x = 4;
    for (const auto& button : kButtons) {
      HWND hWnd = ::CreateWindowExA(0, "BUTTON", button.lpszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 3, 76,
                                    kHeight - 6, m_hWnd, (HMENU)(UINT_PTR)button.nID, AfxGetInstanceHandle(), nullptr);
      ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
      x += 80;
    }
    AttachToFrame(pParentWnd);
    return TRUE;
  }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override { return CSize(bStretch ? 32767 : 600, kHeight); }
  void OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler) override { UpdateDialogControls(this, bDisableIfNoHndler); }

 private:
  static const int kHeight = 30;
};

CFrameWnd* PreviewFrameOf(CWnd* pView) {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != nullptr && pMain->m_hWnd != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)) &&
      (pView == nullptr || pMain->IsChild(pView)))
    return static_cast<CFrameWnd*>(pMain);
  return pView != nullptr ? pView->GetTopLevelFrame() : nullptr;
}

}  // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
  delete m_pPreviewInfo;
  delete m_pPreviewState;
}

void CPreviewView::PostNcDestroy() {
  delete this;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
  if (pPrintView == nullptr || m_pPreviewInfo != nullptr)
    return FALSE;
  m_pPrintView = pPrintView;
  m_pPreviewInfo = new CPrintInfo;
  m_pPreviewInfo->m_bPreview = TRUE;
  if (!pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_pPD->m_pd.hDC == nullptr)
    return FALSE;
  m_dcPrint.Attach(m_pPreviewInfo->m_pPD->m_pd.hDC);
  m_pPreviewInfo->m_pPD->m_pd.hDC = nullptr;
  m_dcPrint.SetPrinting(TRUE);
  m_sizePrintable = CSize(m_dcPrint.GetDeviceCaps(HORZRES), m_dcPrint.GetDeviceCaps(VERTRES));
  m_sizePhysical = CSize(m_dcPrint.GetDeviceCaps(PHYSICALWIDTH), m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT));
  m_ptPrintable = CPoint(m_dcPrint.GetDeviceCaps(PHYSICALOFFSETX), m_dcPrint.GetDeviceCaps(PHYSICALOFFSETY));
  if (m_sizePhysical.cx <= 0 || m_sizePhysical.cy <= 0) {
    m_sizePhysical = m_sizePrintable;
    m_ptPrintable = CPoint(0, 0);
  }
  if (m_sizePrintable.cx <= 0 || m_sizePrintable.cy <= 0)
    return FALSE;
  m_nPages = m_pPreviewInfo->m_nNumPreviewPages == 2 ? 2 : 1;
  m_nCurrentPage = m_pPreviewInfo->GetMinPage();
  pPrintView->OnBeginPrinting(&m_dcPrint, m_pPreviewInfo);
  return TRUE;
}

BOOL CPreviewView::PageExists(UINT nPage) {
  if (m_pPreviewInfo == nullptr || nPage < m_pPreviewInfo->GetMinPage())
    return FALSE;
  if (m_pPreviewInfo->GetMaxPage() != kUnknownPageCount)
    return nPage <= m_pPreviewInfo->GetMaxPage();
  // A document of unknown length: its view says whether it goes on.
  int nSaved = m_dcPrint.SaveDC();
  m_pPreviewInfo->m_nCurPage = nPage;
  m_pPreviewInfo->m_bContinuePrinting = TRUE;
  m_pPrintView->OnPrepareDC(&m_dcPrint, m_pPreviewInfo);
  m_dcPrint.RestoreDC(nSaved);
  return m_pPreviewInfo->m_bContinuePrinting;
}

void CPreviewView::LayOutPages() {
  CRect rc;
  GetClientRect(&rc);
  int nShown = m_nZoomState == kZoomOut ? (int)m_nPages : 1;
  double availX = (double)(rc.Width() - (nShown + 1) * kMargin) / nShown;
  double availY = (double)(rc.Height() - 2 * kMargin);
  double scale = std::max(0.01, std::min(availX / m_sizePhysical.cx, availY / m_sizePhysical.cy));
  scale *= (double)(1 << m_nZoomState);
  int cx = std::max(1, (int)std::lround(m_sizePhysical.cx * scale));
  int cy = std::max(1, (int)std::lround(m_sizePhysical.cy * scale));
  int contentX = nShown * cx + (nShown + 1) * kMargin;
  int contentY = cy + 2 * kMargin;

  CPoint origin;
  if (m_nZoomState == kZoomOut) {
    m_ptScroll = CPoint(0, 0);
    origin = CPoint((rc.Width() - contentX) / 2 + kMargin, (rc.Height() - contentY) / 2 + kMargin);
  } else {
    // Zoomed in, the page is larger than the window: the scroll bars move it.
    m_ptScroll.x = std::max(0, std::min<int>(m_ptScroll.x, contentX - rc.Width()));
    m_ptScroll.y = std::max(0, std::min<int>(m_ptScroll.y, contentY - rc.Height()));
    origin = CPoint(kMargin - m_ptScroll.x, kMargin - m_ptScroll.y);
    SCROLLINFO si = {sizeof(si), SIF_ALL | SIF_DISABLENOSCROLL, 0, contentX - 1, (UINT)rc.Width(), m_ptScroll.x, 0};
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = contentY - 1;
    si.nPage = (UINT)rc.Height();
    si.nPos = m_ptScroll.y;
    SetScrollInfo(SB_VERT, &si, TRUE);
  }
  for (int i = 0; i < 2; ++i) {
    PageInfo& page = m_pageInfo[i];
    page.nPage = i < nShown && PageExists(m_nCurrentPage + i) ? m_nCurrentPage + i : 0;
    page.rectScreen = CRect(CPoint(origin.x + i * (cx + kMargin), origin.y), CSize(cx, cy));
    page.rectPrintable = CRect(page.rectScreen.left + (int)std::lround(m_ptPrintable.x * scale),
                               page.rectScreen.top + (int)std::lround(m_ptPrintable.y * scale),
                               page.rectScreen.left + (int)std::lround((m_ptPrintable.x + m_sizePrintable.cx) * scale),
                               page.rectScreen.top + (int)std::lround((m_ptPrintable.y + m_sizePrintable.cy) * scale));
  }
}

void CPreviewView::OnDraw(CDC* pDC) {
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_APPWORKSPACE));
  if (m_pPreviewInfo == nullptr || m_pPrintView == nullptr)
    return;
  LayOutPages();
  for (const PageInfo& page : m_pageInfo) {
    if (page.nPage == 0)
      continue;
    CRect shadow = page.rectScreen;
    shadow.OffsetRect(3, 3);
    pDC->FillSolidRect(&shadow, RGB(64, 64, 64));
    pDC->FillSolidRect(&page.rectScreen, RGB(255, 255, 255));
    CBrush frame(RGB(0, 0, 0));
    pDC->FrameRect(&page.rectScreen, &frame);
    DrawPage(pDC, page);
  }
}

void CPreviewView::DrawPage(CDC* pDC, const PageInfo& page) {
  // The picture's frame in 0.01 mm, by the printer's own measures, so that
  // it plays back over the printable area exactly.
  int nSizeX = m_dcPrint.GetDeviceCaps(HORZSIZE), nSizeY = m_dcPrint.GetDeviceCaps(VERTSIZE);
  CRect bounds(0, 0, MulDiv(m_sizePrintable.cx, nSizeX * 100, m_sizePrintable.cx),
               MulDiv(m_sizePrintable.cy, nSizeY * 100, m_sizePrintable.cy));
  CMetaFileDC dcPage;
  if (!dcPage.CreateEnhanced(&m_dcPrint, nullptr, &bounds, nullptr))
    return;
  dcPage.SetPrinting(TRUE);
  m_pPreviewInfo->m_nCurPage = page.nPage;
  m_pPreviewInfo->m_bContinuePrinting = TRUE;
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrintable.cx, m_sizePrintable.cy);
  m_pPrintView->OnPrepareDC(&dcPage, m_pPreviewInfo);
  m_pPrintView->OnPrint(&dcPage, m_pPreviewInfo);
  HENHMETAFILE hPage = dcPage.CloseEnhanced();
  if (hPage == nullptr)
    return;
  int nSaved = pDC->SaveDC();
  pDC->IntersectClipRect(&page.rectPrintable);
  pDC->PlayMetaFile(hPage, &page.rectPrintable);
  pDC->RestoreDC(nSaved);
  ::DeleteEnhMetaFile(hPage);
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
    switch (pMsg->wParam) {
      case VK_ESCAPE:
        OnPreviewClose();
        return TRUE;
      case VK_NEXT:
        OnNextPage();
        return TRUE;
      case VK_PRIOR:
        OnPrevPage();
        return TRUE;
      default:
        break;
    }
  }
  return CView::PreTranslateMessage(pMsg);
}

void CPreviewView::ShowPageNumber() {
  CFrameWnd* pFrame = PreviewFrameOf(this);
  if (pFrame == nullptr || m_pPreviewInfo == nullptr)
    return;
  // "Page %u\nPages %u-%u\n": the first line for one page, the second for two.
  CString desc = m_pPreviewInfo->m_strPageDesc;
  int newline = desc.Find('\n');
  CString one = newline >= 0 ? desc.Left(newline) : desc;
  CString two = newline >= 0 ? desc.Mid(newline + 1) : CString();
  int end = two.Find('\n');
  if (end >= 0)
    two = two.Left(end);
  CString text;
  if (m_nZoomState == kZoomOut && m_nPages == 2 && PageExists(m_nCurrentPage + 1) && !two.IsEmpty())
    text.Format(two, m_nCurrentPage, m_nCurrentPage + 1);
  else
    text.Format(one, m_nCurrentPage);
  pFrame->SetMessageText(text);
}

void CPreviewView::SetCurrentPage(UINT nPage) {
  m_nCurrentPage = nPage;
  Invalidate(FALSE);
  ShowPageNumber();
}

void CPreviewView::OnNextPage() {
  if (PageExists(m_nCurrentPage + 1))
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage() {
  if (m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage())
    SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange() {
  m_nPages = m_nPages == 1 ? 2 : 1;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr)
    pApp->m_nNumPreviewPages = m_nPages;  // the next preview starts the same way
  SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnZoomIn() {
  if (m_nZoomState < kZoomIn) {
    ++m_nZoomState;
    ShowScrollBar(SB_BOTH, TRUE);
    SetCurrentPage(m_nCurrentPage);
  }
}

void CPreviewView::OnZoomOut() {
  if (m_nZoomState > kZoomOut) {
    --m_nZoomState;
    if (m_nZoomState == kZoomOut)
      ShowScrollBar(SB_BOTH, FALSE);
    SetCurrentPage(m_nCurrentPage);
  }
}

void CPreviewView::OnPreviewPrint() {
  // The preview gives the frame back, then the view prints as File > Print would.
  CView* pView = m_pOrigView;
  OnPreviewClose();
  if (pView != nullptr && pView->m_hWnd != nullptr)
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
  UINT nLast = m_nCurrentPage + (m_nZoomState == kZoomOut ? m_nPages : 1) - 1;
  pCmdUI->Enable(PageExists(nLast + 1));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
  // The button names what it would show.
  pCmdUI->SetText(m_nPages == 1 ? AfxLoadStringOr(AFX_IDS_TWOPAGE, "&Two Page")
                                : AfxLoadStringOr(AFX_IDS_ONEPAGE, "&One Page"));
  pCmdUI->Enable(m_nZoomState == kZoomOut);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_nZoomState < kZoomIn);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_nZoomState > kZoomOut);
}

void CPreviewView::OnSize(UINT, int, int) {
  Invalidate(FALSE);
}

namespace {
// The scroll position after a scroll-bar action (the horizontal and the
// vertical codes have the same values); nPage is the window's extent.
int ScrolledTo(int nCurrent, UINT nSBCode, UINT nThumb, int nPage) {
  switch (nSBCode) {
    case SB_LINEUP:
      return nCurrent - kLineStep;
    case SB_LINEDOWN:
      return nCurrent + kLineStep;
    case SB_PAGEUP:
      return nCurrent - nPage;
    case SB_PAGEDOWN:
      return nCurrent + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return (int)nThumb;
    default:
      return nCurrent;
  }
}
}  // namespace

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CWnd*) {
  CRect rc;
  GetClientRect(&rc);
  m_ptScroll.x = std::max(0, ScrolledTo(m_ptScroll.x, nSBCode, nPos, rc.Width()));
  Invalidate(FALSE);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CWnd*) {
  CRect rc;
  GetClientRect(&rc);
  m_ptScroll.y = std::max(0, ScrolledTo(m_ptScroll.y, nSBCode, nPos, rc.Height()));
  Invalidate(FALSE);
}

void CPreviewView::OnPreviewClose() {
  if (m_pOrigView != nullptr && m_pOrigView->m_hWnd != nullptr)
    m_pOrigView->OnEndPrintPreview(&m_dcPrint, m_pPreviewInfo, CPoint(0, 0), this);
  else
    RestoreFrame();
}

void CPreviewView::RestoreFrame() {
  CFrameWnd* pFrame = PreviewFrameOf(this);
  CPrintPreviewState* pState = m_pPreviewState;
  m_pPreviewState = nullptr;
  if (m_pToolBar != nullptr && m_pToolBar->m_hWnd != nullptr)
    m_pToolBar->DestroyWindow();  // deletes itself
  m_pToolBar = nullptr;
  // The preview leaves the pane's place before the old pane takes it back.
  SetDlgCtrlID(AFX_IDW_PANE_SAVE + 1);
  ShowWindow(SW_HIDE);
  if (pState != nullptr && pState->hWndPane != nullptr && ::IsWindow(pState->hWndPane)) {
    ::SetWindowLongPtrA(pState->hWndPane, GWLP_ID, AFX_IDW_PANE_FIRST);
    ::ShowWindow(pState->hWndPane, SW_SHOW);
  }
  if (pFrame != nullptr) {
    if (pState != nullptr)
      for (CControlBar* pBar : pState->hiddenBars)
        pFrame->ShowControlBar(pBar, TRUE, FALSE);
    pFrame->SetActiveView(pState != nullptr ? pState->pViewActiveOld : nullptr);
    pFrame->RecalcLayout();
    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
  }
  CView* pView = m_pOrigView;
  delete pState;
  DestroyWindow();  // deletes this
  if (pView != nullptr && pView->m_hWnd != nullptr)
    pView->SetFocus();
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView) {
  OnEndPrinting(pDC, pInfo);
  pView->RestoreFrame();
}

void CView::OnFilePrintPreview() {
  CPrintPreviewState* pState = new CPrintPreviewState;
  if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState))
    delete pState;
}

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
  CFrameWnd* pFrame = PreviewFrameOf(this);
  if (pFrame == nullptr || pPrintView == nullptr || pPreviewViewClass == nullptr || pState == nullptr)
    return FALSE;
  HWND hWndPane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
  CWnd* pPane = CWnd::FromHandlePermanent(hWndPane);
  if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CPreviewView)))
    return FALSE;  // already previewing
  CObject* pObject = pPreviewViewClass->CreateObject();
  if (pObject == nullptr)
    return FALSE;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
    delete pObject;
    return FALSE;
  }
  CPreviewView* pView = static_cast<CPreviewView*>(pObject);
  pView->m_pOrigView = this;
  // Made hidden and set up first, so that a refusal leaves the frame as it was.
  if (!pView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_SAVE + 1, nullptr))
    return FALSE;  // deleted itself
  if (!pView->SetPrintView(pPrintView)) {
    pView->DestroyWindow();
    return FALSE;
  }
  CControlBar* pBar = nullptr;
  if (::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource), (LPCSTR)RT_DIALOG) != nullptr) {
    CDialogBar* pDialogBar = new CDialogBar;
    pDialogBar->m_bAutoDelete = TRUE;
    if (pDialogBar->Create(pFrame, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR))
      pBar = pDialogBar;
    else
      delete pDialogBar;
  } else {
    CPreviewBar* pPreviewBar = new CPreviewBar;
    if (pPreviewBar->Create(pFrame, AFX_IDW_PREVIEW_BAR))
      pBar = pPreviewBar;
    else
      delete pPreviewBar;
  }
  if (pBar == nullptr) {
    pPrintView->OnEndPrinting(&pView->m_dcPrint, pView->m_pPreviewInfo);
    pView->DestroyWindow();
    return FALSE;
  }
  pView->m_pToolBar = pBar;

  // The frame is the preview's: its bars and its pane go aside.
  pState->pViewActiveOld = pFrame->GetActiveView();
  for (CControlBar* pOther : CControlBar::BarsOf(pFrame)) {
    if (pOther != pBar && pOther->IsVisible() && pOther->GetDlgCtrlID() != AFX_IDW_STATUS_BAR) {
      pFrame->ShowControlBar(pOther, FALSE, FALSE);
      pState->hiddenBars.push_back(pOther);
    }
  }
  pState->hWndPane = hWndPane;
  if (hWndPane != nullptr) {
    ::ShowWindow(hWndPane, SW_HIDE);
    ::SetWindowLongPtrA(hWndPane, GWLP_ID, AFX_IDW_PANE_SAVE);
  }
  pView->m_pPreviewState = pState;
  pView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
  pBar->ShowWindow(SW_SHOWNOACTIVATE);
  pFrame->RecalcLayout();
  pView->ShowWindow(SW_SHOW);
  pFrame->SetActiveView(pView);
  pView->SetFocus();
  pView->ShowPageNumber();
  return TRUE;
}
