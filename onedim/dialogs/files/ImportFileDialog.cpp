#include "onedim/dialogs/files/ImportFileDialog.h"

#include "framework/win/UiHooks.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"

#include <dlgs.h>  // the system dialog's control ids

namespace {

// The system dialog's own file-type combo and its label, which the type
// combo of the program replaces.
const int kSystemTypeCombo = cmb1;
const int kSystemTypeLabel = stc2;

const int kTypeLabelSize = 12;

const int kListControls[] = {IDC_IMPORT_FILE_LIST, IDC_IMPORT_ADD_FILE, IDC_IMPORT_REMOVE_FILE, IDC_IMPORT_LIST_TEXT};
const int kSeveralControls[] = {IDC_IMPORT_SEVERAL, IDC_IMPORT_SEVERAL_TEXT};

// The type texts in the order of the combo box: the index is the type.
const char* const kTypeNames[CBrivaneAppState::ImportTypeCount] = {
    "Bruker UXNMR/XWIN-NMR",
    "Bruker Aspect 2000/3000",
    "Bruker WinNMR",
    "Varian VXR-Unity",
    "Jeol",
    "GE/Nicolet (NT/QE/GN)",
    "Varian Gemini/VXR from VHELPER",
    "Nuts",
    "JCAMP DX-5.0",
    "Brivane",
    "SwaN-MR",
    "TECMAG NTNMR",
    "SIEMENS",
};

// Each file named by the system dialog's file-name field, as a full path:
// one name, or several in quotes as a multiple selection shows them; a name
// is in folder unless it is a full path itself. Patterns and an empty field
// name no file.
void SplitFileNames(const CString& strFolder, const CString& strSpec, CStringList& paths) {
  CStringList names;
  if (strSpec.Find('"') >= 0) {
    for (int nStart = strSpec.Find('"'); nStart >= 0;) {
      int nEnd = strSpec.Find('"', nStart + 1);
      if (nEnd < 0)
        break;
      names.AddTail(strSpec.Mid(nStart + 1, nEnd - nStart - 1));
      nStart = strSpec.Find('"', nEnd + 1);
    }
  } else {
    names.AddTail(strSpec);
  }
  for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
    CString strName = names.GetNext(pos);
    strName.TrimLeft();
    strName.TrimRight();
    if (strName.IsEmpty() || strName.FindOneOf("*?") >= 0)
      continue;
    BOOL bFullPath = (strName.GetLength() > 1 && strName[1] == ':') || strName[0] == '\\';
    if (bFullPath || strFolder.IsEmpty()) {
      paths.AddTail(strName);
      continue;
    }
    CString strPath = strFolder;
    if (strPath[strPath.GetLength() - 1] != '\\')
      strPath += '\\';
    paths.AddTail(strPath + strName);
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CImportFileDialog, CFileDialog)
  ON_CBN_SELCHANGE(IDC_IMPORT_FILE_TYPE, OnSelChangeFileType)
  ON_BN_CLICKED(IDC_IMPORT_SEVERAL, OnOpenSeveral)
  ON_BN_CLICKED(IDC_IMPORT_ADD_FILE, OnAddFile)
  ON_BN_CLICKED(IDC_IMPORT_REMOVE_FILE, OnRemoveFile)
END_MESSAGE_MAP()

CImportFileDialog::CImportFileDialog(CBrivaneAppState& appState, CSettingsStore& settings, CWnd* pParentWnd)
    : CFileDialog(TRUE, "bvx", "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd),
      m_AppState(appState),
      m_Settings(settings) {
  m_ofn.Flags |= OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT;
  m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD);
  m_ofn.lpstrTitle = "Import file";
}

void CImportFileDialog::GetChosenPaths(CStringList& paths) const {
  paths.RemoveAll();
  if (!m_Paths.IsEmpty()) {
    for (POSITION pos = m_Paths.GetHeadPosition(); pos != nullptr;)
      paths.AddTail(m_Paths.GetNext(pos));
    return;
  }
  for (POSITION pos = GetStartPosition(); pos != nullptr;)
    paths.AddTail(GetNextPathName(pos));
}

BOOL CImportFileDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  HideControl(kSystemTypeCombo);
  HideControl(kSystemTypeLabel);
  for (int nID : kListControls)
    ::ShowWindow(::GetDlgItem(m_hWnd, nID), SW_HIDE);

  if (m_TypeLabel.SubclassDlgItem(IDC_IMPORT_TYPE_LABEL, this))
    m_TypeLabel.SetFontBold(TRUE).SetFontSize(kTypeLabelSize);

  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IMPORT_REMOVE_FILE), FALSE);
  for (LPCSTR pszName : kTypeNames)
    SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_ADDSTRING, 0, (LPARAM)pszName);
  int nType = m_AppState.m_nImportType;
  BOOL bKnownType = nType >= 0 && nType < CBrivaneAppState::ImportTypeCount;
  SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_SETCURSEL, bKnownType ? nType : -1);
  return TRUE;
}

void CImportFileDialog::OnSelChangeFileType() {
  int nType = (int)SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCURSEL);
  if (nType < 0)
    return;
  m_AppState.m_nImportType = nType;
  m_Settings.WriteProfileInt("File", "File Type", nType);
}

void CImportFileDialog::OnOpenSeveral() {
  for (int nID : kSeveralControls)
    ::ShowWindow(::GetDlgItem(m_hWnd, nID), SW_HIDE);
  for (int nID : kListControls)
    ::ShowWindow(::GetDlgItem(m_hWnd, nID), SW_SHOW);
}

void CImportFileDialog::OnAddFile() {
  // The system's own full path of the selection is only right for a single
  // name in the folder shown; several selected files come as one quoted list.
  HWND hWndSystem = ::GetParent(m_hWnd);
  CString strSpec;
  int nLength = (int)::SendMessageA(hWndSystem, CDM_GETSPEC, 0, 0);
  if (nLength > 1) {
    ::SendMessageA(hWndSystem, CDM_GETSPEC, (WPARAM)nLength, (LPARAM)strSpec.GetBuffer(nLength));
    strSpec.ReleaseBuffer();
  }
  CStringList paths;
  SplitFileNames(GetFolderPath(), strSpec, paths);
  for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;) {
    const CString& strPath = paths.GetNext(pos);
    m_Paths.AddTail(strPath);
    SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_ADDSTRING, 0, (LPARAM)(LPCSTR)strPath);
  }
  if (!m_Paths.IsEmpty())
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IMPORT_REMOVE_FILE), TRUE);
}

void CImportFileDialog::OnRemoveFile() {
  int nSel = (int)SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_GETCURSEL);
  if (nSel == LB_ERR) {
    AfxMessageBox("Select a file name from the listbox first.", MB_OK);
    return;
  }
  CString strSelected;
  int nLength = (int)SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_GETTEXTLEN, (WPARAM)nSel);
  if (nLength > 0) {
    SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_GETTEXT, (WPARAM)nSel, (LPARAM)strSelected.GetBuffer(nLength));
    strSelected.ReleaseBuffer();
  }
  POSITION pos = m_Paths.Find(strSelected);
  if (pos != nullptr)
    m_Paths.RemoveAt(pos);
  SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_DELETESTRING, (WPARAM)nSel);
  if (m_Paths.IsEmpty())
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IMPORT_REMOVE_FILE), FALSE);
}
