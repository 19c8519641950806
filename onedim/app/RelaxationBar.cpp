#include "onedim/app/RelaxationBar.h"

#include "framework/win/CmdUI.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/MainFrame.h"
#include "onedim/dialogs/analysis/RelaxationDialog.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CRelaxationBar, CSelfInitDialogBar)
  ON_BN_CLICKED(IDC_RELAX_SELECT_PEAK, OnSelectPeak)
  ON_BN_CLICKED(IDC_RELAX_SELECT_INTEGRAL, OnSelectIntegral)
  ON_BN_CLICKED(IDC_RELAX_COMPUTE, OnCompute)
  ON_BN_CLICKED(IDC_RELAX_CLOSE, OnCloseBar)
  ON_UPDATE_COMMAND_UI(IDC_RELAX_SELECT_PEAK, OnUpdateButton)
  ON_UPDATE_COMMAND_UI(IDC_RELAX_SELECT_INTEGRAL, OnUpdateButton)
  ON_UPDATE_COMMAND_UI(IDC_RELAX_COMPUTE, OnUpdateButton)
  ON_UPDATE_COMMAND_UI(IDC_RELAX_CLOSE, OnUpdateButton)
END_MESSAGE_MAP()

BOOL CRelaxationBar::InitBarControls() {
  m_SelectPeak.SubclassDlgItem(IDC_RELAX_SELECT_PEAK, this);
  m_SelectIntegral.SubclassDlgItem(IDC_RELAX_SELECT_INTEGRAL, this);
  m_Compute.SubclassDlgItem(IDC_RELAX_COMPUTE, this);
  m_Label.SubclassDlgItem(IDC_RELAX_LABEL, this);
  m_SelectPeak.SetIcon(IDI_RELAX_PEAK);
  m_SelectIntegral.SetIcon(IDI_RELAX_INTEGRAL);
  for (CIconButton* pButton : {&m_SelectPeak, &m_SelectIntegral, &m_Compute})
    pButton->SetHoverBkColor(RGB(220, 220, 220));
  return CSelfInitDialogBar::InitBarControls();
}

void CRelaxationBar::ShowPick(LPCSTR pszText) {
  m_SelectPeak.SetState(FALSE);
  m_SelectIntegral.SetState(FALSE);
  m_Label.SetTextColor(RGB(0, 0, 255));
  m_Label.SetText(pszText);
}

void CRelaxationBar::StartPick(int nMode, CIconButton& button) {
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc()) {
    pDoc->m_nMouseMode = nMode;
    button.SetState(TRUE);
  }
}

void CRelaxationBar::OnSelectPeak() {
  StartPick(MOUSE_RELAXATION_PEAK, m_SelectPeak);
}

void CRelaxationBar::OnSelectIntegral() {
  StartPick(MOUSE_RELAXATION_INTEGRAL, m_SelectIntegral);
}

void CRelaxationBar::OnCompute() {
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc()) {
    CRelaxationDialog dlg(pDoc, AfxGetMainWnd());
    dlg.DoModal();
  }
}

void CRelaxationBar::OnCloseBar() {
  if (CWnd* pMain = AfxGetMainWnd())
    pMain->PostMessage(WM_COMMAND, ID_TOOLS_RELAXATION, 0);
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->m_nMouseMode = MOUSE_NONE;
  m_SelectPeak.SetState(FALSE);
}

void CRelaxationBar::OnUpdateButton(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
}

BOOL CRelaxationBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    CView* pView = GetActiveSpectrumViewChecked();
    if (pView != nullptr && pView->m_hWnd != nullptr) {
      if (pMsg->wParam == VK_TAB)
        pView->PreTranslateMessage(pMsg);
      else
        pView->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
      return TRUE;
    }
  }
  return CSelfInitDialogBar::PreTranslateMessage(pMsg);
}
