// File > Send by email: the document goes as an attachment through the
// system's Simple MAPI mail program.
#include <mapi.h>

#include "framework/win/CmdUI.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/Document.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

// The name the attachment shows: the title, with the type's extension
// when the title has none.
CString AttachmentName(const CString& strTitle, const CDocTemplate* pTemplate) {
  CString strName = strTitle.IsEmpty() ? CString("Untitled") : strTitle;
  for (const char* pszBad = "\\/:*?\"<>|"; *pszBad != '\0'; ++pszBad)
    strName.Replace(*pszBad, '_');
  CString strExt;
  if (strName.Find('.') < 0 && pTemplate != nullptr && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
      !strExt.IsEmpty())
    strName += strExt.Left(1) == "." ? strExt : "." + strExt;
  return strName;
}

}  // namespace

void CDocument::OnUpdateFileSendMail(CCmdUI* pCmdUI) {
  pCmdUI->Enable(AfxIsMailAvailable());
}

void CDocument::OnFileSendMail() {
  const CString strName = AttachmentName(m_strTitle, m_pDocTemplate);
  CString strPath = m_strPathName;
  CString strCopy;
  // Unsaved changes go too: a copy in the temporary folder is sent, and the
  // document keeps its title, name and modified flag.
  if (strPath.IsEmpty() || IsModified()) {
    char szTemp[MAX_PATH] = {};
    const DWORD nTemp = ::GetTempPathA(sizeof szTemp, szTemp);
    if (nTemp == 0 || nTemp >= sizeof szTemp)
      return;
    strCopy = CString(szTemp) + strName;
    const CString strTitle = m_strTitle;
    const BOOL bModified = IsModified();
    const BOOL bSaved = OnSaveDocument(strCopy);
    SetTitle(strTitle);
    SetModifiedFlag(bModified);
    if (!bSaved) {
      ::DeleteFileA(strCopy);
      return;  // the failure was shown by the save
    }
    strPath = strCopy;
  }
  CWnd* pMain = AfxGetMainWnd();
  const ULONG nResult = AfxSendMail(CWnd::HwndOf(pMain), strPath, strName);
  if (!strCopy.IsEmpty())
    ::DeleteFileA(strCopy);
  if (nResult != SUCCESS_SUCCESS && nResult != MAPI_E_USER_ABORT)
    AfxMessageBox("The document could not be sent by mail.", MB_OK | MB_ICONEXCLAMATION);
}
