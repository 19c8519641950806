#include "controls/BaseDialog.h"

IMPLEMENT_DYNAMIC(CBaseDialog, CDialog)

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
  ON_WM_CLOSE()
  ON_WM_CTLCOLOR()
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog() : m_crBackground(::GetSysColor(COLOR_BTNFACE)) {
  m_brBackground.CreateSolidBrush(m_crBackground);
}

CBaseDialog::CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_crBackground(::GetSysColor(COLOR_BTNFACE)) {
  m_brBackground.CreateSolidBrush(m_crBackground);
}

void CBaseDialog::SetBkColor(COLORREF crColor) {
  m_crBackground = crColor;
  m_brBackground.DeleteObject();
  m_brBackground.CreateSolidBrush(crColor);
}

void CBaseDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;  // the refused field has the focus; the dialog stays
  if (m_bModeless)
    DestroyWindow();
  else
    CDialog::OnOK();
}

void CBaseDialog::OnCancel() {
  if (m_bModeless)
    DestroyWindow();
  else
    CDialog::OnCancel();
}

void CBaseDialog::PostNcDestroy() {
  CDialog::PostNcDestroy();
  if (m_bModeless)
    delete this;
}

void CBaseDialog::OnClose() {
  if (m_bModeless)
    DestroyWindow();
  else
    CDialog::OnClose();  // the dialog manager turns it into Cancel
}

HBRUSH CBaseDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (nCtlColor == CTLCOLOR_DLG)
    return (HBRUSH)m_brBackground.GetSafeHandle();
  return hbr;
}

LRESULT CBaseDialog::OnKickIdle(WPARAM, LPARAM) {
  // Buttons whose command has an update handler here follow it; the others stay as they are.
  UpdateDialogControls(this, FALSE);
  return 0;
}
