// Control bars: a toolbar from the program's toolbar resource, the status
// bar with its prompts and indicators, a dialog bar, a rebar band, docking,
// floating, showing and hiding, and the bar state in the profile.
#include "DocViewTestRes.h"
#include "framework/win/CmdUI.h"
#include "framework/win/DialogBar.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/ReBar.h"
#include "framework/win/StatusBar.h"
#include "framework/win/ToolBar.h"
#include "framework/win/WinApp.h"
#include "framework/win/WindowTest.h"

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class CBarFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CBarFrame)
 public:
  CToolBar m_wndToolBar;
  CToolBar m_wndSecondBar;
  CStatusBar m_wndStatusBar;
  CDialogBar m_wndDialogBar;
  CReBar m_wndReBar;
  CDialogBar m_wndBandBar;
  int m_nRed = 0;
  int m_nBarButton = 0;

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnRed() { ++m_nRed; }
  void OnBarButton() { ++m_nBarButton; }
  void OnUpdateGreen(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CBarFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CBarFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_TOOL_RED, OnRed)
  ON_COMMAND(ID_BAR_BUTTON, OnBarButton)
  ON_UPDATE_COMMAND_UI(ID_TOOL_GREEN, OnUpdateGreen)
END_MESSAGE_MAP()

int CBarFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             CRect(0, 0, 0, 0), ID_TEST_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
    return -1;
  if (!m_wndSecondBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                               ID_TEST_TOOLBAR + 10) ||
      !m_wndSecondBar.LoadToolBar(IDR_TOOLBAR))
    return -1;
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4))
    return -1;
  if (!m_wndDialogBar.Create(this, IDD_DIALOGBAR, WS_VISIBLE | CBRS_BOTTOM, ID_TEST_DIALOGBAR))
    return -1;
  if (!m_wndReBar.Create(this) || !m_wndBandBar.Create(this, IDD_DIALOGBAR, WS_VISIBLE, ID_TEST_DIALOGBAR + 1) ||
      !m_wndReBar.AddBar(&m_wndBandBar, "Band"))
    return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndSecondBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  DockControlBar(&m_wndSecondBar);
  return 0;
}

class BarsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    m_pFrame = NewFrame();
  }
  void TearDown() override {
    DestroyMainFrame(m_pFrame);
    WindowTest::TearDown();
  }
  static CBarFrame* NewFrame() {
    CBarFrame* pFrame = new CBarFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME))
      return nullptr;
    AfxGetApp()->m_pMainWnd = pFrame;
    pFrame->MoveWindow(0, 0, 640, 480);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    PumpPending();
    return pFrame;
  }
  // A window's rectangle in the frame's client coordinates.
  CRect InFrame(HWND hWnd) const {
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    m_pFrame->ScreenToClient(&rc);
    return rc;
  }
  CRect ClientArea() const { return InFrame(m_pFrame->m_hWndMDIClient); }
  static CPoint ButtonCentre(CToolBar& bar, UINT nID) {
    CRect rc;
    bar.GetItemRect(bar.CommandToIndex(nID), &rc);
    return rc.CenterPoint();
  }
  static bool ButtonEnabled(CToolBar& bar, UINT nID) { return bar.SendMessage(TB_ISBUTTONENABLED, nID) != 0; }

  CBarFrame* m_pFrame = nullptr;
};

}  // namespace

TEST_F(BarsTest, TheToolbarComesFromItsResourceAndItsButtonsSendCommands) {
  ASSERT_NE(nullptr, m_pFrame);
  CToolBar& bar = m_pFrame->m_wndToolBar;
  ASSERT_EQ(5, bar.GetCount());
  EXPECT_EQ((UINT)ID_FILE_NEW, bar.GetItemID(0));
  EXPECT_EQ(0u, bar.GetItemID(1)) << "a separator";
  EXPECT_EQ((UINT)ID_TEXT_APPEND, bar.GetItemID(4));

  PostClick(bar.m_hWnd, ButtonCentre(bar, ID_TOOL_RED));
  EXPECT_EQ(1, m_pFrame->m_nRed);

  // The idle pass: a handler disables Green; Append has nobody to take it.
  RunIdle();
  EXPECT_TRUE(ButtonEnabled(bar, ID_TOOL_RED));
  EXPECT_FALSE(ButtonEnabled(bar, ID_TOOL_GREEN));
  EXPECT_FALSE(ButtonEnabled(bar, ID_TEXT_APPEND));
  PostClick(bar.m_hWnd, ButtonCentre(bar, ID_TOOL_GREEN));
  EXPECT_EQ(1, m_pFrame->m_nRed);
}

TEST_F(BarsTest, ToolTipsAndPromptsComeFromTheCommandStrings) {
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
  info.hdr.idFrom = ID_TOOL_RED;
  info.hdr.code = TTN_GETDISPINFOA;
  m_pFrame->SendMessage(WM_NOTIFY, ID_TOOL_RED, (LPARAM)&info);
  EXPECT_STREQ("Red", info.lpszText);

  // A menu entry under the mouse shows its prompt until the menu closes.
  HMENU hMenu = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
  m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), (LPARAM)hMenu);
  EXPECT_EQ("Create a new document", std::string(m_pFrame->m_wndStatusBar.GetPaneText(0)));
  m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ("Ready", std::string(m_pFrame->m_wndStatusBar.GetPaneText(0)));

  // A hot toolbar button does the same.
  NMTBHOTITEM hot = {};
  hot.hdr.hwndFrom = m_pFrame->m_wndToolBar.m_hWnd;
  hot.hdr.idFrom = ID_TEST_TOOLBAR;
  hot.hdr.code = TBN_HOTITEMCHANGE;
  hot.idNew = ID_TOOL_GREEN;
  hot.dwFlags = HICF_MOUSE;
  m_pFrame->SendMessage(WM_NOTIFY, ID_TEST_TOOLBAR, (LPARAM)&hot);
  EXPECT_EQ("Paint it green", std::string(m_pFrame->m_wndStatusBar.GetPaneText(0)));
}

TEST_F(BarsTest, KeyIndicatorsShowWhileTheirKeyIsOn) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  BYTE saved = keys[VK_CAPITAL];
  keys[VK_CAPITAL] = 1;
  ::SetKeyboardState(keys);
  RunIdle();
  EXPECT_EQ("CAP", std::string(m_pFrame->m_wndStatusBar.GetPaneText(1)));
  keys[VK_CAPITAL] = 0;
  ::SetKeyboardState(keys);
  RunIdle();
  EXPECT_EQ("", std::string(m_pFrame->m_wndStatusBar.GetPaneText(1)));
  keys[VK_CAPITAL] = saved;
  ::SetKeyboardState(keys);
}

TEST_F(BarsTest, BarsSurroundTheClientAreaAndHidingOneRelayouts) {
  CRect client = ClientArea();
  CRect tool = InFrame(m_pFrame->m_wndToolBar.m_hWnd);
  CRect rebar = InFrame(m_pFrame->m_wndReBar.m_hWnd);
  CRect status = InFrame(m_pFrame->m_wndStatusBar.m_hWnd);
  CRect dialog = InFrame(m_pFrame->m_wndDialogBar.m_hWnd);
  CRect frameClient;
  m_pFrame->GetClientRect(&frameClient);
  EXPECT_EQ(0, rebar.top);
  EXPECT_GT(rebar.Height(), 0);
  EXPECT_EQ(rebar.bottom, tool.top) << "the docked toolbar lies below the fixed rebar";
  EXPECT_EQ(frameClient.bottom, status.bottom);
  EXPECT_EQ(status.top, dialog.bottom);
  EXPECT_EQ(dialog.top, client.bottom);
  EXPECT_GE(client.top, tool.bottom);

  // View > Toolbar style command: the bar's id hides and shows it.
  int top = client.top;
  m_pFrame->SendMessage(WM_COMMAND, ID_TEST_TOOLBAR + 10);
  m_pFrame->SendMessage(WM_COMMAND, ID_TEST_TOOLBAR);
  EXPECT_FALSE(m_pFrame->m_wndToolBar.IsVisible());
  EXPECT_EQ(rebar.bottom, ClientArea().top);
  m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, TRUE, FALSE);
  m_pFrame->ShowControlBar(&m_pFrame->m_wndSecondBar, TRUE, FALSE);
  EXPECT_EQ(top, ClientArea().top);
  m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
  EXPECT_EQ(dialog.Height(), frameClient.bottom - ClientArea().bottom);
}

TEST_F(BarsTest, ABarDockedBesideAnotherSharesItsRow) {
  CToolBar& first = m_pFrame->m_wndToolBar;
  CToolBar& second = m_pFrame->m_wndSecondBar;
  EXPECT_NE(InFrame(first.m_hWnd).top, InFrame(second.m_hWnd).top) << "each docked bar starts a row";
  CRect rc;
  first.GetWindowRect(&rc);
  rc.OffsetRect(rc.Width() + 1, 0);
  m_pFrame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &rc);
  EXPECT_EQ(InFrame(first.m_hWnd).top, InFrame(second.m_hWnd).top);
  EXPECT_GE(InFrame(second.m_hWnd).left, InFrame(first.m_hWnd).right);

  // Docked at the left, the buttons run downwards.
  m_pFrame->DockControlBar(&second, AFX_IDW_DOCKBAR_LEFT);
  CRect left = InFrame(second.m_hWnd);
  EXPECT_GT(left.Height(), left.Width());
  EXPECT_LE(left.right, ClientArea().left);
}

TEST_F(BarsTest, AFloatingToolbarStillSendsItsCommandsAndItsCloseBoxHidesIt) {
  CToolBar& bar = m_pFrame->m_wndToolBar;
  CRect before = ClientArea();
  m_pFrame->FloatControlBar(&bar, CPoint(150, 150));
  ASSERT_TRUE(bar.IsFloating());
  EXPECT_TRUE(bar.IsVisible());
  EXPECT_LT(ClientArea().top, before.top) << "the frame gives the toolbar's row to the client";
  PostClick(bar.m_hWnd, ButtonCentre(bar, ID_TOOL_RED));
  EXPECT_EQ(1, m_pFrame->m_nRed);
  RunIdle();
  EXPECT_FALSE(ButtonEnabled(bar, ID_TOOL_GREEN)) << "floating bars are updated too";

  HWND hWndFloat = ::GetParent(bar.m_hWnd);
  ::SendMessageA(hWndFloat, WM_CLOSE, 0, 0);
  EXPECT_FALSE(bar.IsVisible());
  EXPECT_FALSE(::IsWindowVisible(hWndFloat));
  m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  EXPECT_FALSE(bar.IsFloating());
  EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(bar.m_hWnd));
}

// A frame that keeps its object when its window goes, so that its bars can
// be looked at afterwards (a deleted frame's bars are destroyed just then).
class CKeptBarFrame : public CBarFrame {
 protected:
  void PostNcDestroy() override {}
};

TEST_F(BarsTest, AFrameDestroyedWithABarAfloatLeavesTheBarNoDeadToolWindow) {
  CKeptBarFrame frame;
  ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
  frame.FloatControlBar(&frame.m_wndToolBar, CPoint(150, 150));
  ASSERT_TRUE(frame.m_wndToolBar.IsFloating());
  HWND hWndFloat = ::GetParent(frame.m_wndToolBar.m_hWnd);
  frame.DestroyWindow();
  // The tool window, owned by the frame, went first and freed itself: the
  // bar, and its destructor, must not reach it.
  EXPECT_FALSE(::IsWindow(hWndFloat));
  ASSERT_EQ(nullptr, frame.m_wndToolBar.GetFloatingFrame());
  EXPECT_FALSE(frame.m_wndToolBar.IsVisible());
}

TEST_F(BarsTest, DialogBarControlsSendCommandsAndFollowTheUpdatePass) {
  CDialogBar& bar = m_pFrame->m_wndDialogBar;
  HWND hButton = ::GetDlgItem(bar.m_hWnd, ID_BAR_BUTTON);
  ASSERT_NE(nullptr, hButton);
  ::SendMessageA(hButton, BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_EQ(1, m_pFrame->m_nBarButton);
  RunIdle();
  EXPECT_TRUE(::IsWindowEnabled(hButton));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, IDC_BAR_EDIT)));
  // The band's bar lives in the rebar, not beside it.
  EXPECT_EQ(m_pFrame->m_wndReBar.m_hWnd, ::GetParent(m_pFrame->m_wndBandBar.m_hWnd));
  EXPECT_EQ(1, m_pFrame->m_wndReBar.GetBandCount());
}

TEST_F(BarsTest, BarStateSurvivesARestart) {
  m_pFrame->DockControlBar(&m_pFrame->m_wndSecondBar, AFX_IDW_DOCKBAR_LEFT);
  m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, FALSE, FALSE);
  m_pFrame->SaveBarState("TestBarState");

  // A second run of this program loads the state into its new frame.
  EXPECT_EQ(0u, RunThisProgram("BarsSecondRun.*")) << "the second run found the bars elsewhere or ran no test";
}

// Run only by the test above, in a process of its own.
class BarsSecondRun : public BarsTest {};

TEST_F(BarsSecondRun, DISABLED_LoadsTheBarStateOfTheFirstRun) {
  ASSERT_NE(nullptr, m_pFrame);
  EXPECT_TRUE(m_pFrame->m_wndToolBar.IsVisible());
  EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, m_pFrame->m_wndSecondBar.m_nDockBarID);
  m_pFrame->LoadBarState("TestBarState");
  EXPECT_FALSE(m_pFrame->m_wndToolBar.IsVisible());
  EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, m_pFrame->m_wndSecondBar.m_nDockBarID);
  CRect bar = InFrame(m_pFrame->m_wndSecondBar.m_hWnd);
  EXPECT_LE(bar.right, ClientArea().left);
  EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsVisible());
}

TEST_F(BarsTest, AMalformedBarStateIsIgnored) {
  BYTE garbage[5] = {1, 2, 3, 4, 5};
  CString entry;
  entry.Format("Bar%u", (UINT)ID_TEST_TOOLBAR);
  AfxGetApp()->WriteProfileBinary("TestBadBarState", entry, garbage, sizeof(garbage));
  m_pFrame->LoadBarState("TestBadBarState");
  EXPECT_TRUE(m_pFrame->m_wndToolBar.IsVisible());
  EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, m_pFrame->m_wndToolBar.m_nDockBarID);
}
