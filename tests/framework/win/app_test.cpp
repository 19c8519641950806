// The application: command routing through view, document, frame and
// application; the update pass on menus, accelerators and dialog controls;
// the profile in the registry; the command line; string-id message boxes.
#include "framework/win/WindowTest.h"

#include <memory>
#include <string>
#include <vector>

#include "TestRes.h"
#include "framework/base/Exception.h"
#include "framework/win/CmdUI.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

namespace {

std::vector<std::string> g_route;

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("FrameworkTest") {}

 protected:
  void OnView() { g_route.push_back("app"); }
  void OnDoc() { g_route.push_back("app"); }
  void OnFrame() { g_route.push_back("app"); }
  void OnApp() { g_route.push_back("app"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_TEST_VIEW, OnView)
  ON_COMMAND(ID_TEST_DOC, OnDoc)
  ON_COMMAND(ID_TEST_FRAME, OnFrame)
  ON_COMMAND(ID_TEST_APP, OnApp)
END_MESSAGE_MAP()

class CTestDoc : public CCmdTarget {
 protected:
  void OnView() { g_route.push_back("doc"); }
  void OnDoc() { g_route.push_back("doc"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDoc, CCmdTarget)
  ON_COMMAND(ID_TEST_VIEW, OnView)
  ON_COMMAND(ID_TEST_DOC, OnDoc)
END_MESSAGE_MAP()

// Stands in for a view: takes commands first, then hands them to its document.
class CTestView : public CWnd {
 public:
  CTestDoc* m_pDoc = nullptr;
  BOOL m_passOn = FALSE;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pProbe))
      return TRUE;
    return m_pDoc != nullptr && m_pDoc->OnCmdMsg(nID, nCode, pExtra, pProbe);
  }

 protected:
  BOOL OnView(UINT) {
    g_route.push_back("view");
    return !m_passOn;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestView, CWnd)
  ON_COMMAND_EX(ID_TEST_VIEW, OnView)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
 public:
  BOOL m_toggleEnabled = TRUE;
  int m_toggleChecked = 0;
  int m_toggles = 0;
  UINT m_range = 0;

 protected:
  void OnView() { g_route.push_back("frame"); }
  void OnDoc() { g_route.push_back("frame"); }
  void OnFrame() { g_route.push_back("frame"); }
  void OnToggle() { ++m_toggles; }
  void OnUpdateToggle(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_toggleEnabled);
    pCmdUI->SetCheck(m_toggleChecked);
  }
  void OnRange(UINT nID) { m_range = nID; }
  void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->SetRadio(pCmdUI->m_nID == ID_TEST_RANGE_LAST); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
  ON_COMMAND(ID_TEST_VIEW, OnView)
  ON_COMMAND(ID_TEST_DOC, OnDoc)
  ON_COMMAND(ID_TEST_FRAME, OnFrame)
  ON_COMMAND(ID_TEST_TOGGLE, OnToggle)
  ON_UPDATE_COMMAND_UI(ID_TEST_TOGGLE, OnUpdateToggle)
  ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnRange)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnUpdateRange)
END_MESSAGE_MAP()

class AppTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    g_route.clear();
    m_frame = new CTestFrame;
    ASSERT_TRUE(m_frame->LoadFrame(IDR_FRAME));
    m_frame->ShowWindow(SW_SHOW);
    m_app.m_pMainWnd = m_frame;
    ASSERT_TRUE(
        m_view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), m_frame, AFX_IDW_PANE_FIRST));
    m_view.m_pDoc = &m_doc;
    m_frame->SetActiveView(&m_view);
  }
  void TearDown() override {
    if (::IsWindow(m_frame->m_hWnd))
      m_frame->DestroyWindow();  // deletes the frame
    WindowTest::TearDown();
  }

  UINT MenuState(UINT nID) { return ::GetMenuState(::GetMenu(m_frame->m_hWnd), nID, MF_BYCOMMAND); }

  CTestApp m_app;
  CTestDoc m_doc;
  CTestView m_view;
  CTestFrame* m_frame = nullptr;
};

TEST_F(AppTest, CommandGoesToViewDocumentFrameApplicationInThatOrder) {
  m_frame->SendMessage(WM_COMMAND, ID_TEST_VIEW);
  EXPECT_EQ(g_route, (std::vector<std::string>{"view"}));
  g_route.clear();
  m_view.m_passOn = TRUE;  // the view looks at it and lets it go on
  m_frame->SendMessage(WM_COMMAND, ID_TEST_VIEW);
  EXPECT_EQ(g_route, (std::vector<std::string>{"view", "doc"}));
  g_route.clear();
  m_frame->SendMessage(WM_COMMAND, ID_TEST_DOC);
  EXPECT_EQ(g_route, (std::vector<std::string>{"doc"}));
  g_route.clear();
  m_frame->SendMessage(WM_COMMAND, ID_TEST_FRAME);
  EXPECT_EQ(g_route, (std::vector<std::string>{"frame"}));
  g_route.clear();
  m_frame->SendMessage(WM_COMMAND, ID_TEST_APP);
  EXPECT_EQ(g_route, (std::vector<std::string>{"app"}));
  g_route.clear();
  m_frame->SetActiveView(nullptr);  // without a view the document is out of the route
  m_frame->SendMessage(WM_COMMAND, ID_TEST_DOC);
  EXPECT_EQ(g_route, (std::vector<std::string>{"frame"}));
}

TEST_F(AppTest, ChildFindsItsFrameAndFramesStackByPseudoWindows) {
  CButton button;
  ASSERT_TRUE(button.Create("b", WS_CHILD, CRect(0, 0, 10, 10), &m_view, 3));
  EXPECT_EQ(button.GetParentFrame(), m_frame);
  EXPECT_EQ(button.GetTopLevelFrame(), m_frame);
  EXPECT_EQ(m_frame->GetParentFrame(), nullptr);
  ASSERT_TRUE(m_frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_NE(m_frame->GetExStyle() & WS_EX_TOPMOST, 0u);
  ASSERT_TRUE(m_frame->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_EQ(m_frame->GetExStyle() & WS_EX_TOPMOST, 0u);
}

TEST_F(AppTest, IdleUpdateEnablesDisablesAndChecksMenuEntries) {
  RunIdle();
  EXPECT_EQ(MenuState(ID_TEST_TOGGLE) & (MF_GRAYED | MF_CHECKED), 0u);
  EXPECT_EQ(MenuState(ID_TEST_NOBODY) & MF_GRAYED, (UINT)MF_GRAYED);  // nobody handles it
  EXPECT_EQ(MenuState(ID_TEST_APP) & MF_GRAYED, 0u);                  // the application does
  EXPECT_EQ(MenuState(ID_TEST_DOC) & MF_GRAYED, 0u);                  // the document does

  m_frame->m_toggleEnabled = FALSE;
  m_frame->m_toggleChecked = 1;
  RunIdle();
  EXPECT_EQ(MenuState(ID_TEST_TOGGLE) & MF_GRAYED, (UINT)MF_GRAYED);
  EXPECT_EQ(MenuState(ID_TEST_TOGGLE) & MF_CHECKED, (UINT)MF_CHECKED);

  m_frame->m_toggleEnabled = TRUE;
  m_frame->m_toggleChecked = 0;
  RunIdle();
  EXPECT_EQ(MenuState(ID_TEST_TOGGLE) & (MF_GRAYED | MF_CHECKED), 0u);

  // Entries of a nested pop-up: a radio mark on the last of the range.
  EXPECT_EQ(MenuState(ID_TEST_RANGE_LAST) & MF_CHECKED, (UINT)MF_CHECKED);
  EXPECT_EQ(MenuState(ID_TEST_RANGE_FIRST) & MF_CHECKED, 0u);
}

TEST_F(AppTest, IdleUpdateReachesOtherFramesToo) {
  CTestFrame* second = new CTestFrame;
  ASSERT_TRUE(second->LoadFrame(IDR_FRAME));
  second->ShowWindow(SW_SHOW);
  second->m_toggleEnabled = FALSE;
  RunIdle();
  EXPECT_EQ(::GetMenuState(::GetMenu(second->m_hWnd), ID_TEST_TOGGLE, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);
  second->DestroyWindow();
}

TEST_F(AppTest, OpeningAPopupUpdatesItsEntries) {
  m_frame->m_toggleEnabled = FALSE;
  HMENU hPopup = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), 1);
  m_frame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(1, FALSE));
  EXPECT_EQ(MenuState(ID_TEST_TOGGLE) & MF_GRAYED, (UINT)MF_GRAYED);
}

TEST_F(AppTest, AcceleratorRunsOnlyEnabledCommands) {
  m_frame->SetFocus();
  PostKey(m_frame->m_hWnd, 'T', MK_CONTROL);
  EXPECT_EQ(m_frame->m_toggles, 1);
  m_frame->m_toggleEnabled = FALSE;
  PostKey(m_frame->m_hWnd, 'T', MK_CONTROL);
  EXPECT_EQ(m_frame->m_toggles, 1);
}

TEST_F(AppTest, DialogControlsFollowTheUpdatePass) {
  CWnd bar;
  ASSERT_TRUE(bar.Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 60, 200, 100), m_frame, 77));
  CButton handled, unhandled, check;
  ASSERT_TRUE(handled.Create("T", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &bar, ID_TEST_TOGGLE));
  ASSERT_TRUE(unhandled.Create("N", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(40, 0, 80, 20), &bar, ID_TEST_NOBODY));
  ASSERT_TRUE(check.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(80, 0, 120, 20), &bar, 4321));
  m_frame->m_toggleChecked = 0;
  bar.UpdateDialogControls(m_frame, TRUE);
  EXPECT_TRUE(handled.IsWindowEnabled());
  EXPECT_FALSE(unhandled.IsWindowEnabled());
  EXPECT_TRUE(check.IsWindowEnabled());  // a check box that toggles itself is left alone
  m_frame->m_toggleEnabled = FALSE;
  bar.UpdateDialogControls(m_frame, TRUE);
  EXPECT_FALSE(handled.IsWindowEnabled());
}

TEST_F(AppTest, MessageBoxFromStringIdShowsTheStringTableText) {
  AfxMessageBox(IDS_PROMPT, MB_ICONINFORMATION);
  ASSERT_EQ(m_messageBoxes.size(), 1u);
  EXPECT_EQ(m_messageBoxes[0].text, "A prompt from the string table");
  EXPECT_EQ(m_messageBoxes[0].caption, "FrameworkTest");
  EXPECT_EQ(m_messageBoxes[0].type, (UINT)MB_ICONINFORMATION);
  m_boxAnswers.push_back(IDNO);
  EXPECT_EQ(m_frame->MessageBox("Sure?", "Question", MB_YESNO), IDNO);
  EXPECT_EQ(m_messageBoxes[1].hWndOwner, m_frame->m_hWnd);
}

using ProfileTest = WindowTest;

TEST_F(ProfileTest, ValuesRoundTripThroughTheRegistry) {
  CTestApp app;
  app.SetRegistryKey("BrivaneTests");
  EXPECT_TRUE(app.WriteProfileInt("Display", "Width", -42));
  EXPECT_EQ((int)app.GetProfileInt("Display", "Width", 0), -42);
  EXPECT_TRUE(app.WriteProfileString("File", "Last", "C:\\data\\proton.bvx"));
  EXPECT_STREQ(app.GetProfileString("File", "Last"), "C:\\data\\proton.bvx");
  BYTE data[5] = {0, 1, 0xFF, 7, 0};
  EXPECT_TRUE(app.WriteProfileBinary("Bars", "State", data, sizeof(data)));
  LPBYTE read = nullptr;
  UINT n = 0;
  ASSERT_TRUE(app.GetProfileBinary("Bars", "State", &read, &n));
  ASSERT_EQ(n, 5u);
  EXPECT_EQ(std::vector<BYTE>(read, read + n), std::vector<BYTE>(data, data + 5));
  delete[] read;

  // Where the values live.
  HKEY hKey = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BrivaneTests\\FrameworkTest\\Display", 0, KEY_READ, &hKey),
            ERROR_SUCCESS);
  DWORD value = 0, size = sizeof(value), type = 0;
  EXPECT_EQ(::RegQueryValueExA(hKey, "Width", nullptr, &type, (LPBYTE)&value, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, (DWORD)REG_DWORD);
  EXPECT_EQ((int)value, -42);
  ::RegCloseKey(hKey);
}

TEST_F(ProfileTest, MissingOrMistypedValuesGiveTheDefault) {
  CTestApp app;
  app.SetRegistryKey("BrivaneTests");
  EXPECT_EQ(app.GetProfileInt("Nowhere", "Nothing", 17), 17u);
  EXPECT_STREQ(app.GetProfileString("Nowhere", "Nothing", "def"), "def");
  app.WriteProfileString("Mixed", "Text", "12");
  EXPECT_EQ(app.GetProfileInt("Mixed", "Text", 3), 3u);
  app.WriteProfileInt("Mixed", "Number", 12);
  EXPECT_STREQ(app.GetProfileString("Mixed", "Number", "x"), "x");
  LPBYTE data = reinterpret_cast<LPBYTE>(1);
  UINT n = 9;
  EXPECT_FALSE(app.GetProfileBinary("Mixed", "Number", &data, &n));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(n, 0u);

  EXPECT_TRUE(app.WriteProfileString("Mixed", "Text", nullptr));  // deletes the entry
  EXPECT_STREQ(app.GetProfileString("Mixed", "Text", "gone"), "gone");
}

TEST_F(ProfileTest, StringStoredWithoutTerminatorIsReadSafely) {
  CTestApp app;
  app.SetRegistryKey("BrivaneTests");
  HKEY hKey = app.GetSectionKey("Raw");
  ASSERT_NE(hKey, nullptr);
  ASSERT_EQ(::RegSetValueExA(hKey, "Bare", 0, REG_SZ, (const BYTE*)"abcdef", 6), ERROR_SUCCESS);
  ::RegCloseKey(hKey);
  EXPECT_STREQ(app.GetProfileString("Raw", "Bare"), "abcdef");
}

TEST_F(ProfileTest, WithoutRegistryKeyNothingIsWritten) {
  CTestApp app;
  EXPECT_FALSE(app.WriteProfileInt("Display", "Width", 1));
  EXPECT_EQ(app.GetProfileInt("Display", "Width", 5), 5u);
}

TEST(CommandLineTest, FileSwitchesAndQuotes) {
  CCommandLineInfo plain;
  AfxParseCommandLine("", plain);
  EXPECT_EQ(plain.m_nShellCommand, CCommandLineInfo::FileNew);
  EXPECT_TRUE(plain.m_bShowSplash);

  CCommandLineInfo file;
  AfxParseCommandLine("\"C:\\My Data\\h1 \\\"x\\\".bvx\"", file);
  EXPECT_EQ(file.m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_STREQ(file.m_strFileName, "C:\\My Data\\h1 \"x\".bvx");

  CCommandLineInfo embedded;
  AfxParseCommandLine("-Embedding", embedded);
  EXPECT_TRUE(embedded.m_bRunEmbedded);
  EXPECT_FALSE(embedded.m_bShowSplash);
  EXPECT_EQ(embedded.m_nShellCommand, CCommandLineInfo::FileNew);

  CCommandLineInfo automation;
  AfxParseCommandLine("/Automation", automation);
  EXPECT_TRUE(automation.m_bRunAutomated);

  CCommandLineInfo nologo;
  AfxParseCommandLine("/nologo c:\\a.bvx", nologo);
  EXPECT_FALSE(nologo.m_bShowSplash);
  EXPECT_EQ(nologo.m_nShellCommand, CCommandLineInfo::FileOpen);

  CCommandLineInfo dde;
  AfxParseCommandLine("/dde", dde);
  EXPECT_EQ(dde.m_nShellCommand, CCommandLineInfo::FileDDE);
}

}  // namespace

namespace {

TEST_F(ProfileTest, ErrorsOfThePortableCodeAreShownInTheMessageBox) {
  {
    CTestApp app;
    CMemoryException* e = new CMemoryException;
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
    ASSERT_EQ(m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_messageBoxes[0].text, "There is not enough memory to complete the operation.");
    EXPECT_EQ(m_messageBoxes[0].type, (UINT)MB_ICONEXCLAMATION);
  }
  // Without the application the report no longer reaches the box.
  ReportErrorText("after the application", MB_OK);
  EXPECT_EQ(m_messageBoxes.size(), 1u);
}

class CThrowingWnd : public CWnd {
 protected:
  void OnLButtonDown(UINT, CPoint) { AfxThrowFileException(CFileException::diskFull, -1, "C:\\full.bvx"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST_F(ProfileTest, FrameworkExceptionFromAHandlerIsReportedWithItsOwnText) {
  CTestApp app;
  CThrowingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Thrower", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
  wnd.SendMessage(WM_LBUTTONDOWN);
  ASSERT_EQ(m_messageBoxes.size(), 1u);
  EXPECT_NE(m_messageBoxes[0].text.find("full.bvx"), std::string::npos) << m_messageBoxes[0].text;
}

}  // namespace

namespace {

// A whole run of a program: start, idle work, the main window closing, exit.
class CRunApp : public CWinApp {
 public:
  CRunApp() : CWinApp("RunTest") {}
  BOOL m_startOK = TRUE;
  int m_idleZero = 0;
  bool m_updatedBeforeClose = false;
  CTestFrame* m_pFrame = nullptr;

  BOOL InitInstance() override {
    if (!m_startOK)
      return FALSE;
    m_pFrame = new CTestFrame;
    if (!m_pFrame->LoadFrame(IDR_FRAME))
      return FALSE;
    m_pMainWnd = m_pFrame;
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->m_toggleEnabled = FALSE;
    return TRUE;
  }
  BOOL OnIdle(LONG lCount) override {
    if (lCount == 0)
      ++m_idleZero;
    BOOL more = CWinApp::OnIdle(lCount);
    if (lCount == 0 && m_pMainWnd != nullptr) {
      UINT state = ::GetMenuState(::GetMenu(m_pMainWnd->m_hWnd), ID_TEST_TOGGLE, MF_BYCOMMAND);
      if (state & MF_GRAYED) {
        m_updatedBeforeClose = true;
        m_pMainWnd->PostMessage(WM_CLOSE);
      }
    }
    return more;
  }
  int ExitInstance() override { return CWinApp::ExitInstance() + 7; }
};

TEST_F(ProfileTest, ProgramRunsUntilItsMainWindowCloses) {
  CRunApp app;
  int code = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
  EXPECT_EQ(code, 7);
  EXPECT_GE(app.m_idleZero, 1);
  EXPECT_TRUE(app.m_updatedBeforeClose);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(ProfileTest, FailedStartEndsWithTheExitCode) {
  CRunApp app;
  app.m_startOK = FALSE;
  EXPECT_EQ(AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>("/nologo"), SW_SHOW), 7);
}

}  // namespace
