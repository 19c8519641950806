// The nD program's frames and views in the test's own process: full
// screen and Escape, the command line, the script window, the graph and
// script views of one document, the painted MDI background, the axes'
// settings, and the pasted picture's playing.
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/Dialog.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ClipboardPicture.h"
#include "ndim/app/ScriptView.h"
#include "ndim/data/Spectrum2D.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"

namespace {

class NdFrameTest : public NdAppTest {
 protected:
  HWND Bar(UINT id) const { return ::GetDlgItem(Frame()->m_hWnd, id); }
  // The colour the screen shows at a point of a window.
  static COLORREF ScreenPixel(HWND hWnd, int x, int y) {
    HDC dc = ::GetDC(hWnd);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return c;
  }
  // A 4 x 2 bitmap file, red on its left half and blue on its right.
  std::string WriteBitmap() {
    const std::string path = PathOf("back.bmp");
    const unsigned char file[] = {
        'B', 'M', 86,  0, 0, 0,   0,   0, 0, 0,   54, 0, 0, 0,                                          // file header
        40,  0,   0,   0, 4, 0,   0,   0, 2, 0,   0,  0, 1, 0, 24,  0, 0, 0,   0,   0, 32, 0,   0, 0,   // info header
        0,   0,   0,   0, 0, 0,   0,   0, 0, 0,   0,  0, 0, 0, 0,   0,                                  //
        0,   0,   255, 0, 0, 255, 255, 0, 0, 255, 0,  0, 0, 0, 255, 0, 0, 255, 255, 0, 0,  255, 0, 0};  // BGR rows
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file), sizeof file);
    return path;
  }
};

TEST_F(NdFrameTest, FullScreenHidesTheBarsAndEscapeGivesThemBack) {
  ASSERT_NE(nullptr, OpenExperiment(8, 32));
  const DWORD style = Frame()->GetStyle();
  RECT before;
  Frame()->GetWindowRect(&before);
  // Escape outside full screen does nothing in the frame.
  PostKey(Frame()->m_hWnd, VK_ESCAPE);
  EXPECT_FALSE(Frame()->IsFullScreen());
  EXPECT_EQ(style, Frame()->GetStyle());

  Command(ID_VIEW_FULL_SCREEN);
  EXPECT_TRUE(Frame()->IsFullScreen());
  EXPECT_EQ(1, Update(ID_VIEW_FULL_SCREEN).checked);
  EXPECT_FALSE(::IsWindowVisible(Bar(AFX_IDW_TOOLBAR)));
  EXPECT_EQ(0u, Frame()->GetStyle() & WS_CAPTION);
  RECT full;
  Frame()->GetWindowRect(&full);
  EXPECT_EQ(-4, full.left);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) + 8, full.right - full.left);
  EXPECT_TRUE(::IsZoomed(Frame()->MDIGetActive()->m_hWnd));
  HWND fullBar = nullptr;
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT))
    if (::GetWindow(w, GW_OWNER) == Frame()->m_hWnd && ::FindWindowExA(w, nullptr, TOOLBARCLASSNAMEA, nullptr) &&
        TextOf(w) != "Slices/Projections")
      fullBar = w;
  ASSERT_NE(nullptr, fullBar) << "the floating full-screen toolbar";

  PostKey(Frame()->MDIGetActive()->GetActiveView()->m_hWnd, VK_ESCAPE);
  EXPECT_FALSE(Frame()->IsFullScreen());
  EXPECT_FALSE(::IsWindow(fullBar));
  EXPECT_EQ(style & WS_CAPTION, Frame()->GetStyle() & WS_CAPTION);
  EXPECT_TRUE(::IsWindowVisible(Bar(AFX_IDW_TOOLBAR)));
  EXPECT_FALSE(::IsWindowVisible(Bar(ID_COMMAND_BAR))) << "hidden before, hidden after";
}

TEST_F(NdFrameTest, TheCommandLineRunsOnEnterAndWithRun) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag(FALSE);
  Command(ID_VIEW_COMMAND_BAR);
  EXPECT_TRUE(::IsWindowVisible(Bar(ID_COMMAND_BAR)));
  EXPECT_EQ(1, Update(ID_VIEW_COMMAND_BAR).checked);
  HWND edit = ::GetDlgItem(Bar(ID_COMMAND_BAR), IDC_COMMAND_EDIT);
  ::SetWindowTextA(edit, "ft");
  ::SetFocus(edit);
  PostKey(edit, VK_RETURN);
  EXPECT_EQ(1, pDoc->GetCurrentSet()->m_nCurrentDim) << "transformed along f2";
  EXPECT_TRUE(pDoc->IsModified());
  ::SetWindowTextA(edit, "ft");
  Command(IDC_COMMAND_RUN);
  EXPECT_EQ(0, pDoc->GetCurrentSet()->m_nCurrentDim) << "and along f1";
}

// Counts the idle passes that reach it.
class CIdleCounter : public CDialog {
 public:
  LRESULT OnKickIdle(WPARAM, LPARAM) {
    ++m_nKicks;
    return 0;
  }
  int m_nKicks = 0;

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleCounter, CDialog)
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST_F(NdFrameTest, TheFramesIdlePassReachesTheOpenPhaseDialog) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  CIdleCounter dialog;
  ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX, Frame()));
  pDoc->m_pPhaseDialog = &dialog;
  Frame()->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(1, dialog.m_nKicks);
  pDoc->m_pPhaseDialog = nullptr;
  dialog.DestroyWindow();
}

TEST_F(NdFrameTest, TheScriptWindowIsASecondViewOfTheDocument) {
  EXPECT_FALSE(Update(ID_VIEW_SCRIPT_VIEW).enabled) << "no document, no view of it";
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  CFrameWnd* pGraph = Frame()->MDIGetActive();
  Command(ID_VIEW_SCRIPT_VIEW);
  CFrameWnd* pScript = Frame()->MDIGetActive();
  ASSERT_NE(pGraph, pScript);
  ASSERT_TRUE(pScript->GetActiveView()->IsKindOf(RUNTIME_CLASS(CScriptView)));
  EXPECT_EQ(pDoc, pScript->GetActiveDocument());
  Command(ID_VIEW_GRAPH_VIEW);
  EXPECT_EQ(pGraph, Frame()->MDIGetActive()) << "the window there is shown again";
  Command(ID_VIEW_SCRIPT_VIEW);
  EXPECT_EQ(pScript, Frame()->MDIGetActive());

  // An empty script changes nothing and says nothing.
  const std::vector<float> before(pDoc->GetCurrentSet()->m_pData, pDoc->GetCurrentSet()->m_pData + 8 * 16 * 2);
  Command(ID_SCRIPT_RUN);
  EXPECT_TRUE(m_messageBoxes.empty());
  EXPECT_TRUE(std::equal(before.begin(), before.end(), pDoc->GetCurrentSet()->m_pData));

  // Saved and opened again, the script is the same text; a file that is no
  // script leaves the window's text and says why.
  HWND edit = pScript->GetActiveView()->m_hWnd;
  ::SetWindowTextA(edit, "bw q 16\r\nem 3\r\new\r\nft");
  const std::string path = PathOf("fid.scr");
  AnswerFileDialog(path);
  Command(ID_SCRIPT_SAVE);
  ::SetWindowTextA(edit, "");
  AnswerFileDialog(path);
  Command(ID_SCRIPT_OPEN);
  EXPECT_EQ("bw q 16\r\nem 3\r\new\r\nft", TextOf(edit));
  const std::string binary = PathOf("binary.scr");
  std::ofstream(binary, std::ios::binary).write("ft\0\0\1", 5);
  AnswerFileDialog(binary);
  Command(ID_SCRIPT_OPEN);
  ASSERT_FALSE(m_messageBoxes.empty());
  EXPECT_EQ("Unexpected file format", m_messageBoxes.back().text);
  EXPECT_EQ("bw q 16\r\nem 3\r\new\r\nft", TextOf(edit));

  Command(ID_SCRIPT_RUN);
  EXPECT_EQ(1, pDoc->GetCurrentSet()->m_nCurrentDim);
}

TEST_F(NdFrameTest, TheMDIBackgroundPaintsItsColourOrPictureAndKeepsTheChoice) {
  CMDIClientWnd& client = Frame()->GetMDIClient();
  HWND hWnd = Frame()->m_hWndMDIClient;
  client.SetBkColor(RGB(0, 128, 0));
  ::UpdateWindow(hWnd);
  EXPECT_EQ(RGB(0, 128, 0), ScreenPixel(hWnd, 30, 30));

  ASSERT_TRUE(client.SetBitmap(WriteBitmap().c_str()));
  EXPECT_FALSE(client.SetBitmap(PathOf("missing.bmp").c_str()));
  struct Case {
    int mode;
    POINT at;
    COLORREF colour;
  };
  const Case cases[] = {{CMDIClientWnd::tile, {0, 0}, RGB(255, 0, 0)},
                        {CMDIClientWnd::tile, {6, 3}, RGB(0, 0, 255)},  // the second copy, second row
                        {CMDIClientWnd::origin, {20, 20}, RGB(0, 128, 0)},
                        {CMDIClientWnd::stretch, {2, 2}, RGB(255, 0, 0)}};
  for (const Case& c : cases) {
    client.SetDisplayMode(c.mode);
    ::UpdateWindow(hWnd);
    EXPECT_EQ(c.colour, ScreenPixel(hWnd, c.at.x, c.at.y)) << c.mode << " " << c.at.x;
  }
  client.SetDisplayMode(CMDIClientWnd::origin);
  client.SetOrigin(CPoint(10, 10));
  ::UpdateWindow(hWnd);
  EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(hWnd, 10, 11));

  // The choice outlives the frame; clearing goes back to the system colour.
  const std::string file = std::string(client.GetFileName());
  Frame()->DestroyWindow();
  App().m_pMainWnd = nullptr;
  ASSERT_TRUE(App().CreateMainFrame());
  m_pFrame = static_cast<CMainFrame*>(App().m_pMainWnd);
  EXPECT_EQ(CMDIClientWnd::origin, m_pFrame->GetMDIClient().GetDisplayMode());
  EXPECT_EQ(file, std::string(m_pFrame->GetMDIClient().GetFileName()));
  EXPECT_TRUE(m_pFrame->GetMDIClient().HasBitmap());
  m_pFrame->GetMDIClient().Clear();
  EXPECT_FALSE(m_pFrame->GetMDIClient().HasBitmap());
  EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), m_pFrame->GetMDIClient().GetBkColor());
}

TEST_F(NdFrameTest, TheAxesSettingsShowAMissingAxisAndKeepAMissingFont) {
  App().WriteProfileString("Scale", nullptr, nullptr);
  App().LoadScaleSettings();
  EXPECT_TRUE(App().m_drawSettings.m_bShowF1Axis) << "a missing value shows the axis";
  EXPECT_TRUE(App().m_drawSettings.m_bShowF2Axis);
  EXPECT_EQ("Arial", std::string(App().m_drawSettings.m_fontF1.GetFaceName()));
  EXPECT_EQ(&App().m_drawSettings, &GetNdDrawSettings()) << "the drawing reads the application's";

  CColourFont stored("Courier New");
  stored.SetTextColour(RGB(0, 0, 255));
  App().WriteProfileString("Scale", "Font F2", stored.GetFontString());
  App().WriteProfileString("Scale", "Font F1", "");
  App().WriteProfileInt("Scale", "Show F1", 0);
  App().WriteProfileInt("Scale", "Show F2", 7);
  App().LoadScaleSettings();
  EXPECT_FALSE(App().m_drawSettings.m_bShowF1Axis);
  EXPECT_TRUE(App().m_drawSettings.m_bShowF2Axis);
  EXPECT_EQ("Courier New", std::string(App().m_drawSettings.m_fontF2.GetFaceName()));
  EXPECT_EQ(RGB(0, 0, 255), App().m_drawSettings.m_fontF2.GetTextColour());
  EXPECT_EQ("Arial", std::string(App().m_drawSettings.m_fontF1.GetFaceName())) << "an empty text keeps the font";
  App().WriteProfileString("Scale", nullptr, nullptr);
}

TEST_F(NdFrameTest, HelpOpensTheManualBesideTheProgramAndTheAboutBox) {
  Command(ID_HELP_MANUAL);
  ASSERT_EQ(1u, m_shellCalls.size());
  EXPECT_EQ("open", m_shellCalls[0].verb);
  EXPECT_EQ("manual.pdf", m_shellCalls[0].file.substr(m_shellCalls[0].file.size() - 10));
  std::string title;
  AfxSetModalDialogHook([&](CDialog& d) {
    title = TextOf(d.m_hWnd);
    d.EndDialog(IDOK);
  });
  Command(ID_APP_ABOUT);
  EXPECT_EQ("About Brivane 2D", title);
}

TEST_F(NdFrameTest, APastedPictureIsPlayedIntoItsRectangle) {
  TestMetafile picture([](CDC& dc) {
    CBrush red(RGB(255, 0, 0));
    RECT all = {0, 0, 100, 100};
    dc.FillRect(&all, &red);
  });
  HENHMETAFILE hCopy = ::CopyEnhMetaFileA(picture.get(), nullptr);
  std::unique_ptr<CClipboardPicture> pasted(new CClipboardPicture(hCopy, CRect(10, 10, 30, 30), Frame()->m_hWnd));
  TestBitmap bitmap(40, 40);
  bitmap.Fill(RGB(255, 255, 255));
  CDC* pDC = CDC::FromHandle(bitmap.dc());
  pasted->Play(pDC, pasted->m_rect);
  EXPECT_EQ(RGB(255, 0, 0), bitmap.Pixel(20, 20));
  EXPECT_EQ(RGB(255, 255, 255), bitmap.Pixel(5, 5));
}

}  // namespace
