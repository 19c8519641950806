#include "ndim/app/ScriptView.h"

#include "framework/win/CommonDialogs.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/document/ScriptFile.h"
#include "resources/BrivanenDRes.h"

IMPLEMENT_DYNCREATE(CScriptView, CEditView)

BEGIN_MESSAGE_MAP(CScriptView, CEditView)
  ON_COMMAND(ID_SCRIPT_RUN, OnScriptRun)
  ON_COMMAND(ID_SCRIPT_OPEN, OnScriptOpen)
  ON_COMMAND(ID_SCRIPT_SAVE, OnScriptSave)
END_MESSAGE_MAP()

CBrivanenDDoc* CScriptView::GetDocument() const {
  CDocument* pDoc = CView::GetDocument();
  return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)) ? static_cast<CBrivanenDDoc*>(pDoc) : nullptr;
}

void CScriptView::OnScriptRun() {
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr)
    return;
  CString text;
  GetWindowText(text);
  pDoc->RunCommands(text);
}

void CScriptView::OnScriptOpen() {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  if (dlg.DoModal() != IDOK)
    return;
  CString text, error;
  if (!ReadScriptFile(dlg.GetPathName(), text, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SetWindowText(text);
}

void CScriptView::OnScriptSave() {
  CFileDialog dlg(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  if (dlg.DoModal() != IDOK)
    return;
  CString text, error;
  GetWindowText(text);
  if (!WriteScriptFile(dlg.GetPathName(), text, error))
    AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
}
