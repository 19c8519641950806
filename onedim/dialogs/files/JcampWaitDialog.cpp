#include "onedim/dialogs/files/JcampWaitDialog.h"

BOOL CJcampWaitDialog::Create(CWnd* pParent) {
  if (!CBaseDialog::Create(IDD, pParent))
    return FALSE;
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return TRUE;
}

BOOL CJcampWaitDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (m_Animation.SubclassDlgItem(IDC_WAIT_ANIMATION, this)) {
    // From the first frame to the last, without end.
    m_Animation.Open(IDR_WAIT_AVI);
    m_Animation.Play(0, (UINT)-1, (UINT)-1);
  }
  return TRUE;
}
