#include "onedim/dialogs/display/LayoutOptionsDlg.h"

#include <cstdlib>

#include "framework/win/GdiObject.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(CLayoutOptionsDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_LAYOUT_TYPE, OnLayoutType)
  ON_BN_CLICKED(IDC_LAYOUT_AUTO, OnAutomatic)
END_MESSAGE_MAP()

namespace {

const int kEditIds[4] = {IDC_LAYOUT_ORIGIN_X, IDC_LAYOUT_ORIGIN_Y, IDC_LAYOUT_STEP_X, IDC_LAYOUT_STEP_Y};

}  // namespace

BOOL CLayoutOptionsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  double* const fields[4] = {&m_dOriginX, &m_dOriginY, &m_dStepX, &m_dStepY};
  for (int i = 0; i < 4; ++i) {
    m_Edits[i].SubclassDlgItem(kEditIds[i], this);
    CString text;
    text.Format("%.1lf", *fields[i]);
    m_Edits[i].SetWindowText(text);
  }
  CheckDlgButton(IDC_LAYOUT_AUTO, m_bAutomatic ? BST_CHECKED : BST_UNCHECKED);
  EnableEdits();

  m_LayoutType.SubclassDlgItem(IDC_LAYOUT_TYPE, this);
  m_Images.Create(28, 15, ILC_COLOR24, 2, 0);
  for (UINT nBitmap : {IDB_LAYOUT_RIGHT, IDB_LAYOUT_LEFT}) {
    CBitmap bitmap;
    bitmap.LoadBitmap(nBitmap);
    m_Images.Add(&bitmap, (CBitmap*)nullptr);
  }
  m_LayoutType.SetImageList(&m_Images);
  m_LayoutType.InsertItem(0, "Lower Left to Upper Right", 0);
  m_LayoutType.InsertItem(1, "Lower Right to Upper Left", 1);
  m_LayoutType.SetCurSel(m_nDirection == 1 ? 1 : 0);
  return TRUE;
}

void CLayoutOptionsDlg::EnableEdits() {
  for (CNumericEdit& edit : m_Edits)
    edit.EnableWindow(!m_bAutomatic);
}

void CLayoutOptionsDlg::OnLayoutType() {
  m_nDirection = m_LayoutType.GetCurSel() == 1 ? 1 : 0;
}

void CLayoutOptionsDlg::OnAutomatic() {
  m_bAutomatic = !m_bAutomatic;
  EnableEdits();
}

void CLayoutOptionsDlg::OnOK() {
  // The values shown are stored whether or not the automatic layout uses them.
  double* const fields[4] = {&m_dOriginX, &m_dOriginY, &m_dStepX, &m_dStepY};
  for (int i = 0; i < 4; ++i) {
    CString text;
    m_Edits[i].GetWindowText(text);
    *fields[i] = std::atof(text);
  }
  CDialog::OnOK();
}
