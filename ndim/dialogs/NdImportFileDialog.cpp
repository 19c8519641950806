#include "ndim/dialogs/NdImportFileDialog.h"

#include <dlgs.h>  // the system dialog's control ids

namespace {

// The names of the types the user can choose, in the order of their values.
const char* const kTypeNames[] = {"Automatic", "Bruker UXNMR/XWIN-NMR", "Bruker Aspect 2000/3000", "Varian"};
const int kTypeCount = sizeof kTypeNames / sizeof kTypeNames[0];

}  // namespace

BEGIN_MESSAGE_MAP(CNdImportFileDialog, CFileDialog)
  ON_CBN_SELCHANGE(IDC_ND_IMPORT_FILE_TYPE, OnSelChangeFileType)
END_MESSAGE_MAP()

CNdImportFileDialog::CNdImportFileDialog(int& type, CWnd* pParentWnd)
    : CFileDialog(TRUE, "bvx", "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd), m_nType(type) {
  m_ofn.Flags |= OFN_ENABLETEMPLATE;
  m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD);
  m_ofn.lpstrTitle = "Import file";
}

BOOL CNdImportFileDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  // The program's combo replaces the system's file-type combo and its label.
  HideControl(cmb1);
  HideControl(stc2);
  for (LPCSTR pszName : kTypeNames)
    SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_ADDSTRING, 0, (LPARAM)pszName);
  const bool bKnown = m_nType >= 0 && m_nType < kTypeCount;
  SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_SETCURSEL, bKnown ? (WPARAM)m_nType : (WPARAM)-1);
  return TRUE;
}

void CNdImportFileDialog::OnSelChangeFileType() {
  const int nType = (int)SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_GETCURSEL);
  if (nType >= 0)
    m_nType = nType;
}
