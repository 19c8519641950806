#include "ndim/dialogs/RefWizard.h"

#include "framework/win/WinApp.h"

namespace {

// The view's tools for the two picks.
const int kPickNone = 0;
const int kPickTrace = 9;
const int kPickMap = 10;

}  // namespace

CRefPage::CRefPage(UINT nIDTemplate, int& mouseMode, int nMode, DWORD dwButtons, bool bEnableMain)
    : CPropertyPage(nIDTemplate),
      m_nMouseMode(mouseMode),
      m_nMode(nMode),
      m_dwButtons(dwButtons),
      m_bEnableMain(bEnableMain) {}

BOOL CRefPage::OnSetActive() {
  if (CWnd* pSheet = GetParent())
    pSheet->PostMessage(PSM_SETWIZBUTTONS, 0, (LPARAM)m_dwButtons);
  if (m_bEnableMain) {
    if (CWnd* pMain = AfxGetMainWnd())
      pMain->EnableWindow(TRUE);
  }
  m_nMouseMode = m_nMode;
  return CPropertyPage::OnSetActive();
}

CRefPage1::CRefPage1(int& mouseMode) : CRefPage(IDD_REF_PAGE1, mouseMode, kPickNone, PSWIZB_NEXT, false) {}

CRefPage2::CRefPage2(int& mouseMode)
    : CRefPage(IDD_REF_PAGE2, mouseMode, kPickTrace, PSWIZB_BACK | PSWIZB_NEXT, true) {}

CRefPage3::CRefPage3(int& mouseMode)
    : CRefPage(IDD_REF_PAGE3, mouseMode, kPickMap, PSWIZB_BACK | PSWIZB_FINISH, true) {}

CWizardRefDlg::CWizardRefDlg(int& mouseMode, CWnd* pParentWnd)
    : CPropertySheet("Referencing 2D->1D Wizard", pParentWnd),
      m_page1(mouseMode),
      m_page2(mouseMode),
      m_page3(mouseMode) {
  AddPage(&m_page1);
  AddPage(&m_page2);
  AddPage(&m_page3);
  SetWizardMode();
}
