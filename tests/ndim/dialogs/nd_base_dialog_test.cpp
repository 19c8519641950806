// The nD base dialog at idle time: a toolbar inside it follows the dialog's
// update handlers while it shows, and stays as it is while hidden.
#include "framework/win/WindowTest.h"

#include "framework/win/CmdUI.h"
#include "ndim/dialogs/BaseDialog.h"
#include "ndim/dialogs/IdleToolBar.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/dialogs/NdDialogsTestRes.h"

namespace {

// Offers Move Trace Up while m_bUp is set and checks Move Trace Down; the
// other buttons of its traces toolbar have no handler here.
class CIdleTestDialog : public nd::CBaseDialog {
 public:
  CIdleTestDialog() : nd::CBaseDialog(IDD_IDLE_TEST, nullptr) {}
  BOOL OnInitDialog() override {
    nd::CBaseDialog::OnInitDialog();
    return m_bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) && m_bar.LoadToolBar(IDR_TRACESBAR);
  }
  void OnUpdateUp(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUp); }
  void OnUpdateDown(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

  CIdleToolBar m_bar;
  BOOL m_bUp = FALSE;

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleTestDialog, nd::CBaseDialog)
  ON_UPDATE_COMMAND_UI(ID_TRACES_UP, OnUpdateUp)
  ON_UPDATE_COMMAND_UI(ID_TRACES_DOWN, OnUpdateDown)
END_MESSAGE_MAP()

class NdBaseDialogTest : public WindowTest {
 protected:
  static bool Enabled(CIdleTestDialog& dlg, UINT id) { return dlg.m_bar.SendMessage(TB_ISBUTTONENABLED, id) != 0; }
};

TEST_F(NdBaseDialogTest, AToolbarInAModelessDialogFollowsItsHandlersAtIdleTime) {
  CIdleTestDialog* pDlg = new CIdleTestDialog;
  pDlg->SetModeless(true);
  ASSERT_TRUE(pDlg->Create(IDD_IDLE_TEST, nullptr));
  HWND hWnd = pDlg->m_hWnd;
  EXPECT_TRUE(Enabled(*pDlg, ID_TRACES_UP)) << "before the first idle moment";

  pDlg->SendMessage(WM_KICKIDLE, 0, 0);
  EXPECT_FALSE(Enabled(*pDlg, ID_TRACES_UP));
  EXPECT_NE(0, pDlg->m_bar.SendMessage(TB_ISBUTTONCHECKED, ID_TRACES_DOWN));
  EXPECT_TRUE(Enabled(*pDlg, ID_TRACES_LEFT)) << "no handler: left as it is";

  pDlg->m_bUp = TRUE;
  pDlg->SendMessage(WM_KICKIDLE, 0, 0);
  EXPECT_TRUE(Enabled(*pDlg, ID_TRACES_UP));

  pDlg->m_bar.ShowWindow(SW_HIDE);
  pDlg->m_bUp = FALSE;
  pDlg->SendMessage(WM_KICKIDLE, 0, 0);
  EXPECT_TRUE(Enabled(*pDlg, ID_TRACES_UP)) << "a hidden toolbar is not updated";

  pDlg->SendMessage(WM_CLOSE);
  PumpPending();
  EXPECT_FALSE(::IsWindow(hWnd)) << "closed and deleted as the shared base does";
}

}  // namespace
