#include "onedim/dialogs/shell/AboutDialog.h"

#include "framework/win/Dc.h"
#include "onedim/dialogs/shell/CreditsDialog.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
  ON_WM_CTLCOLOR()
  ON_BN_CLICKED(IDC_ABOUT_CREDITS, OnCredits)
END_MESSAGE_MAP()

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
}

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {
  m_brWhite.CreateSolidBrush(kWhite);
}

BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const struct {
    int nID;
    int nIcon;
  } kIcons[] = {{IDC_ABOUT_ICON1, IDR_MAINFRAME}, {IDC_ABOUT_ICON2, IDI_ABOUT_FID}, {IDC_ABOUT_ICON3, IDI_ABOUT_PHASE}};
  for (int i = 0; i < 3; ++i) {
    if (!m_Icons[i].SubclassDlgItem(kIcons[i].nID, this))
      continue;
    m_Icons[i].SetIcon(kIcons[i].nIcon);
    m_Icons[i].SetOutBkColor(kWhite);
    m_Icons[i].SetHoverBkColor(kWhite);
  }
  m_HomePage.SubclassDlgItem(IDC_ABOUT_HOMEPAGE, this);
  CString strMail;
  GetDlgItemText(IDC_ABOUT_EMAIL, strMail);
  m_EMail.SetURL("mailto:" + strMail);
  m_EMail.SubclassDlgItem(IDC_ABOUT_EMAIL, this);
  return TRUE;
}

HBRUSH CAboutDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  // The links colour themselves on whatever lies under them.
  HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (pWnd == &m_HomePage || pWnd == &m_EMail)
    return hbr;
  if (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) {
    pDC->SetBkColor(kWhite);
    return (HBRUSH)m_brWhite.GetSafeHandle();
  }
  return hbr;
}

void CAboutDialog::OnCredits() {
  CCreditsDialog dlg(this);
  dlg.DoModal();
}
