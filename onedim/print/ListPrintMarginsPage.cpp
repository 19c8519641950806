#include "onedim/print/ListPrintMarginsPage.h"

#include "onedim/print/ListPrintFormatPage.h"
#include "resources/BrivaneRes.h"

namespace {
const int kMaxMargin = 300;  // millimetres
}

CListPrintMarginsPage::CListPrintMarginsPage() : CDialog(IDD_LIST_PRINT_MARGINS) {}

BOOL CListPrintMarginsPage::Create(CWnd* pParent, CListPrintOptions* pOptions) {
  m_pOptions = pOptions;
  return CDialog::Create(IDD_LIST_PRINT_MARGINS, pParent);
}

BOOL CListPrintMarginsPage::OnInitDialog() {
  for (int nID : {IDC_LP_LEFT_SPIN, IDC_LP_TOP_SPIN, IDC_LP_RIGHT_SPIN, IDC_LP_BOTTOM_SPIN})
    SendDlgItemMessage(nID, UDM_SETRANGE32, 0, kMaxMargin);
  return CDialog::OnInitDialog();
}

void CListPrintMarginsPage::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (m_pOptions == nullptr)
    return;
  CListPrintOptions& o = *m_pOptions;
  DDX_Text(pDX, IDC_LP_BOTTOM, o.nMarginBottom);
  DDV_MinMaxInt(pDX, o.nMarginBottom, 0, kMaxMargin);
  DDX_Text(pDX, IDC_LP_RIGHT, o.nMarginRight);
  DDV_MinMaxInt(pDX, o.nMarginRight, 0, kMaxMargin);
  DDX_Text(pDX, IDC_LP_LEFT, o.nMarginLeft);
  DDV_MinMaxInt(pDX, o.nMarginLeft, 0, kMaxMargin);
  DDX_Text(pDX, IDC_LP_TOP, o.nMarginTop);
}
