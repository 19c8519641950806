// Print preview: the view's pages drawn into the preview window where the
// printer would put them, the bar's page, two-page and zoom buttons, Print
// from the preview, and Close giving the frame back as it was.
#include "PrintFixture.h"
#include "PrintTestRes.h"
#include "framework/win/Dialog.h"
#include "framework/win/PreviewView.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

namespace {

// A program's own preview view, started with its own bar template.
class CMyPreview : public CPreviewView {
  DECLARE_DYNCREATE(CMyPreview)
};
IMPLEMENT_DYNCREATE(CMyPreview, CPreviewView)

class PreviewTest : public PrintTest {
 protected:
  CPreviewView* Preview() const {
    CWnd* pPane = CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
    return pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? static_cast<CPreviewView*>(pPane)
                                                                            : nullptr;
  }
  HWND BarButton(UINT nID) const { return FindChild(m_pFrame->m_hWnd, (int)nID); }
  void Press(UINT nID) {
    ::SendMessageA(BarButton(nID), BM_CLICK, 0, 0);
    PumpPending();
    RunIdle();
  }
  std::string Status() const { return std::string(m_statusBar.GetPaneText(0)); }
  // The grey of the preview's pixel where the printer would put printer pixel pt of page i.
  static COLORREF PixelOf(const TestBitmap& shot, const CPreviewView& preview, int i, CPoint pt) {
    const CRect& rc = preview.m_pageInfo[i].rectPrintable;
    CDC dc;
    AfxGetApp()->CreatePrinterDC(dc);
    int x = rc.left + MulDiv(pt.x, rc.Width(), dc.GetDeviceCaps(HORZRES));
    int y = rc.top + MulDiv(pt.y, rc.Height(), dc.GetDeviceCaps(VERTRES));
    return shot.Pixel(x, y);
  }
  static CPoint MarkCentre(UINT nPage) {
    CPoint pt = CPageView::MarkOrigin(nPage);
    pt.Offset(CPageView::kMarkSize / 2, CPageView::kMarkSize / 2);
    return pt;
  }
};

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

TEST_F(PreviewTest, ThePreviewShowsThePagesPagesThroughThemAndClosesBackToTheView) {
  CPageDoc* pDoc = NewDocument(3);
  ASSERT_NE(nullptr, pDoc);
  CPageView* pView = ViewOf(pDoc);
  CPrintPreviewState* pState = new CPrintPreviewState;
  ASSERT_TRUE(pView->DoPrintPreview(IDD_MY_PREVIEW_BAR, pView, RUNTIME_CLASS(CMyPreview), pState));
  PumpPending();
  RunIdle();
  CPreviewView* pPreview = Preview();
  ASSERT_NE(nullptr, pPreview);
  EXPECT_TRUE(pPreview->IsKindOf(RUNTIME_CLASS(CMyPreview)));
  EXPECT_FALSE(::IsWindowVisible(m_pFrame->m_hWndMDIClient)) << "the document window stays behind the preview";
  EXPECT_EQ(1, pView->m_nBegun);
  EXPECT_EQ("Page 1", Status());
  EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_PREV)));
  EXPECT_TRUE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT)));

  // Page 1 shows its own mark where the printer would put it.
  auto shot = CaptureClient(pPreview->m_hWnd);
  ASSERT_EQ(1u, pPreview->m_pageInfo[0].nPage);
  EXPECT_EQ(kBlack, PixelOf(*shot, *pPreview, 0, MarkCentre(1)));
  EXPECT_EQ(kWhite, PixelOf(*shot, *pPreview, 0, MarkCentre(2)));
  ASSERT_FALSE(pView->m_previewFlags.empty());
  EXPECT_TRUE(pView->m_previewFlags.back()) << "the view was not told it draws for the preview";

  Press(AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(2u, pPreview->m_nCurrentPage);
  EXPECT_EQ("Page 2", Status());
  shot = CaptureClient(pPreview->m_hWnd);
  EXPECT_EQ(kBlack, PixelOf(*shot, *pPreview, 0, MarkCentre(2)));
  EXPECT_EQ(kWhite, PixelOf(*shot, *pPreview, 0, MarkCentre(1)));
  Press(AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ("Page 3", Status());
  EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NEXT))) << "past the last page";

  // Two pages side by side; the button names what it would show next.
  EXPECT_EQ("&Two Page", TextOf(BarButton(AFX_ID_PREVIEW_NUMPAGE)));
  Press(AFX_ID_PREVIEW_NUMPAGE);
  Press(AFX_ID_PREVIEW_PREV);
  EXPECT_EQ("Pages 2-3", Status());
  EXPECT_EQ("&One Page", TextOf(BarButton(AFX_ID_PREVIEW_NUMPAGE)));
  shot = CaptureClient(pPreview->m_hWnd);
  EXPECT_EQ(kBlack, PixelOf(*shot, *pPreview, 0, MarkCentre(2)));
  EXPECT_EQ(kBlack, PixelOf(*shot, *pPreview, 1, MarkCentre(3)));

  // Zoomed in: one page, larger, no two-page choice.
  int nWidth = pPreview->m_pageInfo[0].rectScreen.Width();
  Press(AFX_ID_PREVIEW_ZOOMIN);
  CaptureClient(pPreview->m_hWnd);
  EXPECT_GT(pPreview->m_pageInfo[0].rectScreen.Width(), nWidth);
  EXPECT_FALSE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_NUMPAGE)));
  EXPECT_TRUE(::IsWindowEnabled(BarButton(AFX_ID_PREVIEW_ZOOMOUT)));

  Press(AFX_ID_PREVIEW_CLOSE);
  EXPECT_EQ(nullptr, Preview());
  EXPECT_EQ(nullptr, BarButton(AFX_ID_PREVIEW_CLOSE));
  EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
  EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
  EXPECT_EQ(1, pView->m_nEnded);
  EXPECT_EQ(pView->m_hWnd, ::GetFocus());
  EXPECT_TRUE(m_messageBoxes.empty());
}

TEST_F(PreviewTest, PrintInTheFrameworksOwnPreviewBarClosesThePreviewAndPrints) {
  CPageDoc* pDoc = NewDocument(2);
  ASSERT_NE(nullptr, pDoc);
  CPageView* pView = ViewOf(pDoc);
  m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  PumpPending();
  RunIdle();
  ASSERT_NE(nullptr, Preview());
  ASSERT_NE(nullptr, BarButton(AFX_ID_PREVIEW_PRINT)) << "no bar without a template of the program's";

  int nDialogs = 0;
  AfxSetModalDialogHook([&](CDialog& d) {
    ++nDialogs;
    EXPECT_EQ(nullptr, Preview()) << "the print dialog came up over the preview";
    d.PostMessage(WM_COMMAND, IDCANCEL);
  });
  Press(AFX_ID_PREVIEW_PRINT);
  EXPECT_EQ(1, nDialogs);
  EXPECT_EQ(nullptr, Preview());
  EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
  EXPECT_EQ(1, pView->m_nEnded);

  // Escape closes the preview as Close does.
  m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(nullptr, Preview());
  PostKey(Preview()->m_hWnd, VK_ESCAPE);
  EXPECT_EQ(nullptr, Preview());
}
