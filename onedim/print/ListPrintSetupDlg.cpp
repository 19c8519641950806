#include "onedim/print/ListPrintSetupDlg.h"

#include "framework/win/PrintDialog.h"
#include "framework/win/WinApp.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CListPrintSetupDlg, CDialog)
  ON_NOTIFY(TCN_SELCHANGE, IDC_LP_TABS, OnTabChange)
  ON_BN_CLICKED(IDC_LP_PRINTER_SETUP, OnPrinterSetup)
END_MESSAGE_MAP()

CListPrintSetupDlg::CListPrintSetupDlg(CWnd* pParent) : CDialog(IDD_LIST_PRINT, pParent) {}

BOOL CListPrintSetupDlg::OnInitDialog() {
  m_Tabs.SubclassDlgItem(IDC_LP_TABS, this);
  m_Tabs.InsertItem(0, "Headers and Fonts");
  m_Tabs.InsertItem(1, "Margins");
  // The pages fill the tab control's display area.
  CRect rc;
  m_Tabs.GetWindowRect(&rc);
  ScreenToClient(&rc);
  m_Tabs.AdjustRect(FALSE, &rc);
  m_FormatPage.Create(this, &m_options);
  m_MarginsPage.Create(this, &m_options);
  for (CDialog* pPage : {static_cast<CDialog*>(&m_FormatPage), static_cast<CDialog*>(&m_MarginsPage)})
    if (pPage->m_hWnd != nullptr)
      pPage->SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE);
  ShowTab(0);
  return CDialog::OnInitDialog();
}

void CListPrintSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_LP_GRID, m_options.bPrintGrid);
}

void CListPrintSetupDlg::ShowTab(int nTab) {
  m_Tabs.SetCurSel(nTab);
  m_FormatPage.ShowWindow(nTab == 0 ? SW_SHOW : SW_HIDE);
  m_MarginsPage.ShowWindow(nTab == 1 ? SW_SHOW : SW_HIDE);
}

void CListPrintSetupDlg::OnTabChange(NMHDR*, LRESULT* pResult) {
  ShowTab(m_Tabs.GetCurSel());
  *pResult = 0;
}

void CListPrintSetupDlg::OnOK() {
  // A refused margin shows its tab, with the field to mend.
  if (!m_FormatPage.UpdateData(TRUE)) {
    ShowTab(0);
    return;
  }
  if (!m_MarginsPage.UpdateData(TRUE)) {
    ShowTab(1);
    return;
  }
  CDialog::OnOK();
}

void CListPrintSetupDlg::OnPrinterSetup() {
  CPrintDialog dlg(TRUE, PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES, this);
  if (CWinApp* pApp = AfxGetApp())
    pApp->DoPrintDialog(&dlg);
}
