// The base dialog, modal and modeless, and the dialog bar that fills its
// controls itself and follows the command handlers.
#include "framework/win/WindowTest.h"

#include <functional>

#include "controls/BaseDialog.h"
#include "controls/SelfInitDialogBar.h"
#include "framework/win/CmdUI.h"
#include "framework/win/UiHooks.h"
#include "tests/controls/ControlsTestRes.h"

namespace {

// Counts its destructions; takes 0..10 in its field; disables Apply through
// an update handler and leaves Reset without one.
class CTestBaseDialog : public CBaseDialog {
 public:
  explicit CTestBaseDialog(int* pDeleted = nullptr) : CBaseDialog(IDD_BASE, nullptr), m_pDeleted(pDeleted) {}
  ~CTestBaseDialog() override {
    if (m_pDeleted != nullptr)
      ++*m_pDeleted;
  }
  int m_nValue = 3;
  int* m_pValueOut = nullptr;  // where a self-deleting dialog leaves what it read

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_BASE_VALUE, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 0, 10);
    if (pDX->m_bSaveAndValidate && m_pValueOut != nullptr)
      *m_pValueOut = m_nValue;
  }
  void OnUpdateApply(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

  int* m_pDeleted;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBaseDialog, CBaseDialog)
  ON_UPDATE_COMMAND_UI(IDC_BASE_APPLY, OnUpdateApply)
END_MESSAGE_MAP()

class BaseDialogTest : public WindowTest {
 protected:
  static CTestBaseDialog* OpenModeless(int* pDeleted) {
    CTestBaseDialog* pDlg = new CTestBaseDialog(pDeleted);
    pDlg->SetModeless(true);
    EXPECT_TRUE(pDlg->Create(IDD_BASE, nullptr));
    pDlg->ShowWindow(SW_SHOW);
    return pDlg;
  }
  static void Click(HWND hWndDlg, int nID) { ::SendMessageA(::GetDlgItem(hWndDlg, nID), BM_CLICK, 0, 0); }
};

TEST_F(BaseDialogTest, AModelessDialogDeletesItselfOnceHoweverItCloses) {
  const std::function<void(HWND)> closers[] = {
      [](HWND h) { Click(h, IDOK); },
      [](HWND h) { Click(h, IDCANCEL); },
      [](HWND h) { ::SendMessageA(h, WM_CLOSE, 0, 0); },  // the close box
      [](HWND h) { PostKey(::GetDlgItem(h, IDC_BASE_VALUE), VK_ESCAPE); },
      [](HWND h) { PostKey(::GetDlgItem(h, IDC_BASE_VALUE), VK_RETURN); },  // OK through the default button
  };
  for (const auto& close : closers) {
    int nDeleted = 0;
    HWND hWnd = OpenModeless(&nDeleted)->m_hWnd;
    close(hWnd);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(1, nDeleted);
  }
}

TEST_F(BaseDialogTest, ARefusedValueKeepsEitherKindOpen) {
  int nDeleted = 0, nRead = -1;
  CTestBaseDialog* pDlg = OpenModeless(&nDeleted);
  pDlg->m_pValueOut = &nRead;
  HWND hWnd = pDlg->m_hWnd;
  ::SetDlgItemTextA(hWnd, IDC_BASE_VALUE, "99");
  Click(hWnd, IDOK);
  EXPECT_TRUE(::IsWindow(hWnd));
  EXPECT_EQ(0, nDeleted);
  EXPECT_EQ(1u, m_messageBoxes.size());
  ::SetDlgItemTextA(hWnd, IDC_BASE_VALUE, "7");
  Click(hWnd, IDOK);
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(1, nDeleted);
  EXPECT_EQ(7, nRead);

  // Modal: the object is the caller's; the close box is Cancel.
  CTestBaseDialog modal(&nDeleted);
  AfxSetModalDialogHook([&](CDialog& d) {
    ::SetDlgItemTextA(d.m_hWnd, IDC_BASE_VALUE, "-1");
    Click(d.m_hWnd, IDOK);
    EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
    ::SetDlgItemTextA(d.m_hWnd, IDC_BASE_VALUE, "4");
    Click(d.m_hWnd, IDOK);
  });
  EXPECT_EQ(IDOK, modal.DoModal());
  EXPECT_EQ(4, modal.m_nValue);
  AfxSetModalDialogHook([](CDialog& d) { d.SendMessage(WM_CLOSE); });
  EXPECT_EQ(IDCANCEL, modal.DoModal());
  EXPECT_EQ(1, nDeleted);
}

TEST_F(BaseDialogTest, TheBackgroundIsTheDialogsOwnAndControlsKeepTheirs) {
  int nDeleted = 0;
  CTestBaseDialog* pDlg = new CTestBaseDialog(&nDeleted);
  pDlg->SetModeless(true);
  pDlg->SetBkColor(RGB(10, 200, 30));  // before the window exists
  ASSERT_TRUE(pDlg->Create(IDD_BASE, nullptr));
  TestBitmap bitmap(20, 20);
  ::SendMessageA(pDlg->m_hWnd, WM_ERASEBKGND, (WPARAM)bitmap.dc(), 0);
  EXPECT_EQ(RGB(10, 200, 30), bitmap.Pixel(5, 5));

  // The edit is left its own brush.
  HWND hWndEdit = ::GetDlgItem(pDlg->m_hWnd, IDC_BASE_VALUE);
  HBRUSH hEditBrush = (HBRUSH)::SendMessageA(pDlg->m_hWnd, WM_CTLCOLOREDIT, (WPARAM)bitmap.dc(), (LPARAM)hWndEdit);
  RECT rc = {0, 0, 20, 20};
  ::FillRect(bitmap.dc(), &rc, hEditBrush);
  EXPECT_NE(RGB(10, 200, 30), bitmap.Pixel(5, 5));

  pDlg->SetBkColor(RGB(200, 20, 20));
  ::SendMessageA(pDlg->m_hWnd, WM_ERASEBKGND, (WPARAM)bitmap.dc(), 0);
  EXPECT_EQ(RGB(200, 20, 20), bitmap.Pixel(5, 5));
  pDlg->DestroyWindow();
  EXPECT_EQ(1, nDeleted);
}

TEST_F(BaseDialogTest, IdleTimeFollowsTheUpdateHandlersOnly) {
  CTestBaseDialog dlg;
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ(0, d.SendMessage(WM_KICKIDLE, 0, 0));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_BASE_APPLY)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_BASE_RESET)));  // no handler: untouched
    d.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

class CTestBar : public CSelfInitDialogBar {
 public:
  int m_nValue = 42;
  int m_nInits = 0;
  BOOL InitBarControls() override {
    ++m_nInits;
    return CSelfInitDialogBar::InitBarControls();
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_BAR_VALUE, m_nValue); }
  void OnHandled() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CSelfInitDialogBar)
  ON_COMMAND(IDC_BAR_HANDLED, OnHandled)
END_MESSAGE_MAP()

TEST_F(BaseDialogTest, ADialogBarFillsItselfAndDisablesButtonsNobodyHandles) {
  CWnd parent;
  ASSERT_TRUE(
      parent.CreateEx(0, nullptr, "Bar parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
  CTestBar bar;
  ASSERT_TRUE(bar.Create(&parent, IDD_BAR, WS_VISIBLE | CBRS_TOP, 0xE900));
  EXPECT_EQ(1, bar.m_nInits);
  EXPECT_EQ("42", TextOf(::GetDlgItem(bar.m_hWnd, IDC_BAR_VALUE)));
  HWND hWndHandled = ::GetDlgItem(bar.m_hWnd, IDC_BAR_HANDLED);
  HWND hWndUnhandled = ::GetDlgItem(bar.m_hWnd, IDC_BAR_UNHANDLED);
  EXPECT_TRUE(::IsWindowEnabled(hWndUnhandled));

  PostMouseMove(bar.m_hWnd, {1, 1});
  EXPECT_TRUE(::IsWindowEnabled(hWndHandled));
  EXPECT_FALSE(::IsWindowEnabled(hWndUnhandled));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar.m_hWnd, IDC_BAR_VALUE)));

  // A template that does not exist: no bar, and nothing to set up.
  CTestBar missing;
  EXPECT_FALSE(missing.Create(&parent, 4999, WS_VISIBLE | CBRS_TOP, 0xE901));
  EXPECT_EQ(0, missing.m_nInits);
}

}  // namespace
