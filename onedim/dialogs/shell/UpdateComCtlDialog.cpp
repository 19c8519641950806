#include "onedim/dialogs/shell/UpdateComCtlDialog.h"

#include "resources/BrivaneRes.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const int kHeadlineSize = 14;
}  // namespace

CUpdateComCtlDialog::CUpdateComCtlDialog(CWnd* pParent) : CDialog(IDD_UPDATE_COMCTL, pParent) {}

BOOL CUpdateComCtlDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_Needs.SubclassDlgItem(IDC_COMCTL_NEEDS, this))
    m_Needs.SetTextColor(kRed).SetFontSize(kHeadlineSize);
  if (m_Follow.SubclassDlgItem(IDC_COMCTL_FOLLOW, this))
    m_Follow.SetTextColor(kRed).SetFontSize(kHeadlineSize);
  m_VendorLink.SetURL("https://www.microsoft.com/download");
  m_VendorLink.SubclassDlgItem(IDC_COMCTL_VENDOR_LINK, this);
  m_OwnLink.SetURL("http://www.orvandel.example/brivane/download");
  m_OwnLink.SubclassDlgItem(IDC_COMCTL_OWN_LINK, this);
  return TRUE;
}
