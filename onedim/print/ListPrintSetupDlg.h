// CListPrintSetupDlg: "List print", the set-up of a list print job before
// its print dialog: two tabs ("Headers and Fonts", "Margins") over the
// job's texts, fonts and margins, the grid option, and Printer Setup.
#pragma once

#include "framework/win/CommonControls.h"
#include "framework/win/Dialog.h"
#include "onedim/print/ListPrintFormatPage.h"
#include "onedim/print/ListPrintMarginsPage.h"

class CListPrintSetupDlg : public CDialog {
 public:
  explicit CListPrintSetupDlg(CWnd* pParent = nullptr);

  CListPrintOptions m_options;  // in and out

  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

 protected:
  void OnTabChange(NMHDR* pNotify, LRESULT* pResult);
  void OnPrinterSetup();

 private:
  // Shows tab nTab's page and hides the other.
  void ShowTab(int nTab);

  CTabCtrl m_Tabs;
  CListPrintFormatPage m_FormatPage;
  CListPrintMarginsPage m_MarginsPage;

  DECLARE_MESSAGE_MAP()
};
