// The start's version check, the scrolling rules of a document window and
// the history window, in the test's own process.
#include "framework/win/WindowTest.h"

#include <string>

#include "framework/win/Dialog.h"
#include "framework/win/FrameWnd.h"
#include "onedim/view/BrivaneProView.h"
#include "framework/win/UiHooks.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/BrivaneProApp.h"
#include "onedim/app/ChildFrame.h"
#include "onedim/dialogs/shell/HistoryDialog.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "onedim/document/HistoryList.h"
#include "resources/BrivaneRes.h"

namespace {

TEST(AppStartTest, DllVersionsAndTheRequiredCommonControls) {
  EXPECT_EQ(0u, GetDllVersion("no-such-library.dll"));
  EXPECT_EQ(0u, GetDllVersion("kernel32.dll")) << "no DllGetVersion there";
  EXPECT_GE(GetDllVersion("comctl32.dll"), kRequiredComCtlVersion);
  EXPECT_EQ(262215u, kRequiredComCtlVersion);

  ::SetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", "4.70");
  EXPECT_EQ(262214u, CBrivaneProApp::GetComCtlVersion());
  EXPECT_LT(CBrivaneProApp::GetComCtlVersion(), kRequiredComCtlVersion);
  ::SetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", "4.71");
  EXPECT_EQ(kRequiredComCtlVersion, CBrivaneProApp::GetComCtlVersion());
  ::SetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", nullptr);
}

// The hover buttons take their hand from cursor 130 of the program.
TEST(AppStartTest, TheProgramHoldsTheHoverButtonsHand) {
  std::string exe = std::string("Z:") + BRIVANE_APP_PATH;
  for (char& c : exe)
    c = c == '/' ? '\\' : c;
  HMODULE hModule = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, hModule);
  EXPECT_NE(nullptr, ::FindResourceA(hModule, MAKEINTRESOURCEA(IDC_HOVER_HAND), (LPCSTR)RT_GROUP_CURSOR));
  ::FreeLibrary(hModule);
}

TEST(ChildFrameScrollTest, LinesPagesAndTheThumbKeepEvenIndicesInsideTheData) {
  const int td = 2048, nMax = td, nPage = 512;
  EXPECT_EQ(0, CChildFrame::ScrollTarget(SB_LINELEFT, 4, 0, nMax, nPage, td));
  EXPECT_EQ(10, CChildFrame::ScrollTarget(SB_LINELEFT, 20, 0, nMax, nPage, td));
  EXPECT_EQ(30, CChildFrame::ScrollTarget(SB_LINERIGHT, 20, 0, nMax, nPage, td));
  // The last start is max - page + 1, lowered to an even index.
  EXPECT_EQ(1536, CChildFrame::ScrollTarget(SB_LINERIGHT, 1530, 0, nMax, nPage, td));
  EXPECT_EQ(1536, CChildFrame::ScrollTarget(SB_PAGERIGHT, 1500, 0, nMax, nPage, td));
  EXPECT_EQ(0, CChildFrame::ScrollTarget(SB_PAGELEFT, 100, 0, nMax, nPage, td));
  EXPECT_EQ(300 - 204, CChildFrame::ScrollTarget(SB_PAGELEFT, 300, 0, nMax, nPage, td));
  EXPECT_EQ(776, CChildFrame::ScrollTarget(SB_THUMBTRACK, 0, 777, nMax, nPage, td));
}

TEST(ChildFrameScrollTest, TrackingBeyond65535FloatsUsesTheWholePosition) {
  const int td = 262144, nPage = 1024;
  EXPECT_EQ(200000, CChildFrame::ScrollTarget(SB_THUMBTRACK, 0, 200001, td, nPage, td));
  EXPECT_EQ(td - nPage, CChildFrame::ScrollTarget(SB_PAGERIGHT, 250000, 0, td, nPage, td));
}

TEST(ActiveDocumentTest, NoDocumentWindowMeansNoActiveSpectrumDocument) {
  EXPECT_EQ(nullptr, GetActiveSpectrumDoc());
}

class HistoryDialogTest : public WindowTest {};

TEST_F(HistoryDialogTest, ShowsEveryLineAndCopiesThemWithLineEnds) {
  CHistoryList history;
  history.AddLine("Starting traslation for a.fid");
  history.AddLine("Fourier Transform");
  std::string shown;
  LONG buttonTypes[2] = {};
  AfxSetModalDialogHook([&](CDialog& dlg) {
    shown = TextOf(::GetDlgItem(dlg.m_hWnd, IDC_HISTORY_EDIT));
    // OK and Copy are icon buttons, which draw themselves.
    buttonTypes[0] = ::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDOK), GWL_STYLE) & BS_TYPEMASK;
    buttonTypes[1] = ::GetWindowLongA(::GetDlgItem(dlg.m_hWnd, IDC_HISTORY_COPY), GWL_STYLE) & BS_TYPEMASK;
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HISTORY_COPY, BN_CLICKED),
                    (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_HISTORY_COPY));
    dlg.EndDialog(IDOK);
  });
  CHistoryDialog dlg(history);
  EXPECT_EQ(IDOK, dlg.DoModal());
  AfxSetModalDialogHook(nullptr);
  EXPECT_EQ("Starting traslation for a.fid\r\nFourier Transform", shown);
  EXPECT_EQ((LONG)BS_OWNERDRAW, buttonTypes[0]);
  EXPECT_EQ((LONG)BS_OWNERDRAW, buttonTypes[1]);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE hText = ::GetClipboardData(CF_TEXT);
  std::string copied = hText != nullptr ? static_cast<const char*>(::GlobalLock(hText)) : "";
  if (hText != nullptr)
    ::GlobalUnlock(hText);
  ::CloseClipboard();
  EXPECT_EQ("Starting traslation for a.fid\r\nFourier Transform\r\n", copied);
}

TEST_F(HistoryDialogTest, AnEmptyHistoryCopiesAnEmptyText) {
  CHistoryList history;
  AfxSetModalDialogHook([&](CDialog& dlg) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HISTORY_COPY, BN_CLICKED),
                    (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_HISTORY_COPY));
    dlg.EndDialog(IDOK);
  });
  CHistoryDialog dlg(history);
  dlg.DoModal();
  AfxSetModalDialogHook(nullptr);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE hText = ::GetClipboardData(CF_TEXT);
  std::string copied = hText != nullptr ? static_cast<const char*>(::GlobalLock(hText)) : "(none)";
  if (hText != nullptr)
    ::GlobalUnlock(hText);
  ::CloseClipboard();
  EXPECT_EQ("", copied);
}

class SpectrumViewTest : public WindowTest {};

TEST_F(SpectrumViewTest, AViewWithoutASizeKeepsTheLayoutRectangleItLastHad) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, "view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
  CBrivaneProView* pView = new CBrivaneProView;
  ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), pFrame, 1));
  EXPECT_EQ(CRect(0, 0, 300, 200), pView->GetLayoutRect());
  pView->MoveWindow(0, 0, 0, 0);
  EXPECT_EQ(CRect(0, 0, 300, 200), pView->GetLayoutRect());
  pView->MoveWindow(0, 0, 320, 0);
  EXPECT_EQ(CRect(0, 0, 300, 200), pView->GetLayoutRect());
  pView->MoveWindow(0, 0, 400, 250);
  EXPECT_EQ(CRect(0, 0, 400, 250), pView->GetLayoutRect());
  pFrame->DestroyWindow();
}

TEST_F(SpectrumViewTest, AnUpdateForOneSpectrumRepaintsItsBoundRectangleOrElseTheWholeView) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, "view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
  CBrivaneProView* pView = new CBrivaneProView;
  ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), pFrame, 1));
  CSpectrum spectrum;
  CTextLabel other;
  const CRect whole(0, 0, 300, 200), bound(20, 30, 120, 90);
  struct Case {
    LPARAM lHint;
    CObject* pHint;
    RECT rcBound;
    CRect expected;
  } cases[] = {
      {2, &spectrum, bound, bound}, {0, &spectrum, bound, whole},  // hint 0 is always everything
      {2, &spectrum, {}, whole},                                   // no rectangle yet
      {2, &other, bound, whole},    {2, nullptr, bound, whole},
  };
  for (const Case& c : cases) {
    pView->ValidateRect(nullptr);
    spectrum.m_rectBound = c.rcBound;
    pView->OnUpdate(nullptr, c.lHint, c.pHint);
    CRect rc;
    EXPECT_TRUE(::GetUpdateRect(pView->m_hWnd, &rc, FALSE));
    EXPECT_EQ(c.expected, rc) << c.lHint << " " << (c.pHint == &spectrum);
  }
  pFrame->DestroyWindow();
}

}  // namespace
