#include "onedim/dialogs/files/FileExportDialog.h"

IMPLEMENT_DYNAMIC(CFileExportDialog, CFileDialog)

namespace {
// Controls of the system's save dialog. The file name is an edit field in
// some versions of the dialog and a combo box in others.
const int kTypeCombo = 1136;
const int kFileNameEdit = 1152;
const int kFileNameCombo = 1148;
}  // namespace

CFileExportDialog::CFileExportDialog(LPCSTR pszTitle, LPCSTR pszFilterList, LPCSTR pszFileName, CWnd* pParentWnd)
    : CFileDialog(FALSE, nullptr, CExportFilter(pszFilterList, pszFileName).GetFileName(),
                  OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd),
      m_strTitle(pszTitle),
      m_filter(pszFilterList, pszFileName) {
  m_ofn.lpstrTitle = m_strTitle;
  m_ofn.lpstrFilter = m_filter.GetDialogFilter();
  m_ofn.nFilterIndex = (DWORD)m_filter.GetFilterIndex();
}

void CFileExportDialog::OnTypeChange() {
  HWND hWndSystem = ::GetParent(m_hWnd);
  char szName[CExportFilter::MaxFileName] = "";
  ::SendMessageA(hWndSystem, CDM_GETSPEC, sizeof(szName), (LPARAM)szName);
  char szType[CExportFilter::MaxFileName] = "";
  ::GetDlgItemTextA(hWndSystem, kTypeCombo, szType, sizeof(szType));
  int nSelection = (int)::SendDlgItemMessageA(hWndSystem, kTypeCombo, CB_GETCURSEL, 0, 0);
  m_filter.OnTypeChange(szName, szType, nSelection);
  SetControlText(kFileNameEdit, m_filter.GetFileName());
  SetControlText(kFileNameCombo, m_filter.GetFileName());
  m_ofn.nFilterIndex = (DWORD)m_filter.GetFilterIndex();
}
