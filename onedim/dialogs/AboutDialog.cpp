#include "onedim/dialogs/AboutDialog.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {
  m_brWhite.CreateSolidBrush(RGB(255, 255, 255));
}

BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const struct {
    int nID;
    UINT nIcon;
  } kIcons[] = {{IDC_ABOUT_ICON1, IDR_MAINFRAME}, {IDC_ABOUT_ICON2, IDI_ABOUT_FID}, {IDC_ABOUT_ICON3, IDI_ABOUT_PHASE}};
  for (const auto& icon : kIcons)
    SendDlgItemMessage(icon.nID, BM_SETIMAGE, IMAGE_ICON,
                       (LPARAM)::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(icon.nIcon)));
  return TRUE;
}

HBRUSH CAboutDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) {
    pDC->SetBkColor(RGB(255, 255, 255));
    return (HBRUSH)m_brWhite.GetSafeHandle();
  }
  return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
