#include "onedim/dialogs/analysis/ReferenceDialog.h"

#include "framework/win/DataExchange.h"
#include "framework/win/UiHooks.h"
#include "onedim/dialogs/analysis/DialogToolBar.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CReferenceDialog, CBaseDialog)
  ON_LBN_SELCHANGE(IDC_REF_LIST, OnSelectEntry)
  ON_COMMAND(IDC_REF_ADD, OnAdd)
  ON_COMMAND(IDC_REF_REMOVE, OnRemove)
  ON_COMMAND(ID_REF_REMOVE_ALL, OnRemoveAll)
END_MESSAGE_MAP()

namespace {

CString ModuleFolderSolvents() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return SolventsFilePath(path);
}

}  // namespace

CReferenceDialog::CReferenceDialog(CWnd* pParent) : CReferenceDialog(IDD_REFERENCE, IDR_REFERENCE_BAR, pParent) {}

CReferenceDialog::CReferenceDialog(UINT nIDTemplate, UINT nIDToolBar, CWnd* pParent)
    : CBaseDialog(nIDTemplate, pParent), m_nIDToolBar(nIDToolBar) {}

BOOL CReferenceDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  m_List.SubclassDlgItem(IDC_REF_LIST, this);
  m_Spin.SubclassDlgItem(IDC_REF_SPIN, this);
  CreateDialogToolBar(m_ToolBar, this, m_nIDToolBar);
  m_Spin.SetRange(-32000, 32000);
  // What the file cannot hold back cannot be typed.
  for (int nID : {IDC_REF_NAME, IDC_REF_SHIFT})
    ::SendDlgItemMessageA(m_hWnd, nID, EM_LIMITTEXT, kSolventTextMax, 0);

  m_Table.SetPath(m_strPath.IsEmpty() ? ModuleFolderSolvents() : m_strPath);
  if (m_Table.Load() == CSolventTable::loadDamaged) {
    CString text;
    text.Format("The list of reference signals in\n%s\nis damaged: %s.\nThe built-in list is shown instead; "
                "the file is kept until the list is changed.",
                (LPCSTR)m_Table.GetPath(), (LPCSTR)m_Table.GetLoadError());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
  FillList();
  SetDlgItemText(IDC_REF_SHIFT, m_strShift);
  return TRUE;
}

void CReferenceDialog::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_REF_NAME, m_strName);
  DDX_Text(pDX, IDC_REF_SHIFT, m_strShift);
}

void CReferenceDialog::FillList() {
  m_List.ResetContent();
  CString name, shift;
  for (POSITION pos = m_Table.GetMap().GetStartPosition(); pos != nullptr;) {
    m_Table.GetMap().GetNextAssoc(pos, name, shift);
    m_List.AddString(SolventListEntry(name, shift));
  }
}

int CReferenceDialog::FindEntry(LPCSTR pszName) const {
  CString shift;
  if (!m_Table.Lookup(pszName, shift))
    return -1;
  const int nIndex = m_List.FindStringExact(-1, SolventListEntry(pszName, shift));
  return nIndex >= 0 ? nIndex : -1;
}

void CReferenceDialog::OnSelectEntry() {
  const int nSel = m_List.GetCurSel();
  if (nSel < 0)
    return;
  CString entry;
  m_List.GetText(nSel, entry);
  m_strName = SolventNameOfEntry(entry);
  SetDlgItemText(IDC_REF_NAME, m_strName);
  CString shift;
  if (m_Table.Lookup(m_strName, shift))
    SetDlgItemText(IDC_REF_SHIFT, shift);
  else
    AfxMessageBox("Key not found");
}

void CReferenceDialog::OnAdd() {
  UpdateData(TRUE);
  const int nOld = FindEntry(m_strName);
  if (nOld >= 0)
    m_List.DeleteString(nOld);
  m_List.AddString(SolventListEntry(m_strName, m_strShift));
  m_Table.Add(m_strName, m_strShift);
}

void CReferenceDialog::OnRemove() {
  UpdateData(TRUE);
  const int nEntry = FindEntry(m_strName);
  CString stored;
  switch (m_Table.Remove(m_strName, m_strShift, stored)) {
    case CSolventTable::removeNotFound:
      AfxMessageBox("Key not found");
      break;
    case CSolventTable::removeDiffers:
      SetDlgItemText(IDC_REF_SHIFT, stored);
      AfxMessageBox("Key found.  Choose Remove again to remove.");
      break;
    case CSolventTable::removeDone:
      if (nEntry >= 0)
        m_List.DeleteString(nEntry);
      break;
  }
}

void CReferenceDialog::OnRemoveAll() {
  m_Table.RemoveAll();
  m_List.ResetContent();
}

void CReferenceDialog::OnOK() {
  UpdateData(TRUE);
  CString error;
  if (!m_Table.Save(error)) {
    CString text;
    text.Format("The list of reference signals could not be saved in\n%s\n%s", (LPCSTR)m_Table.GetPath(),
                (LPCSTR)error);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
  EndDialog(IDOK);
}
