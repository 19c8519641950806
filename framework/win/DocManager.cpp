#include "framework/win/DocManager.h"

#include <shlwapi.h>

#include "framework/win/CmdUI.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/Document.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/RecentFileList.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

namespace {
CString FullPath(LPCSTR lpszFileName) {
  char full[MAX_PATH];
  LPSTR lpszFilePart = nullptr;
  if (::GetFullPathNameA(lpszFileName, MAX_PATH, full, &lpszFilePart) == 0)
    return CString(lpszFileName);
  return CString(full);
}

}  // namespace

bool AfxSetClassesValue(LPCSTR lpszKey, LPCSTR lpszValueName, LPCSTR lpszValue) {
  HKEY hKey = nullptr;
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = ::RegSetValueExA(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)lstrlenA(lpszValue) + 1);
  ::RegCloseKey(hKey);
  return rc == ERROR_SUCCESS;
}

CString AfxGetClassesDefault(LPCSTR lpszKey) {
  char value[MAX_PATH] = "";
  LONG size = sizeof(value);
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, lpszKey, value, &size) != ERROR_SUCCESS)
    return CString();
  return CString(value);
}

CDocManager* AfxGetDocManager() {
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr ? pApp->m_pDocManager : nullptr;
}

CDocManager::CDocManager() = default;

CDocManager::~CDocManager() {
  while (!m_templateList.IsEmpty())
    delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
    return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

int CDocManager::GetOpenDocumentCount() const {
  int n = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    POSITION docPos = pTemplate->GetFirstDocPosition();
    while (docPos != nullptr) {
      pTemplate->GetNextDoc(docPos);
      ++n;
    }
  }
  return n;
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName) {
  if (lpszFileName == nullptr || *lpszFileName == '\0')
    return nullptr;
  CString path = FullPath(lpszFileName);
  CDocTemplate* pBest = nullptr;
  CDocTemplate::Confidence best = CDocTemplate::noAttempt;
  CDocument* pOpen = nullptr;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CDocument* pMatch = nullptr;
    CDocTemplate::Confidence match = pTemplate->MatchDocType(path, pMatch);
    if (match > best) {
      best = match;
      pBest = pTemplate;
      pOpen = pMatch;
    }
    if (match == CDocTemplate::yesAlreadyOpen)
      break;
  }
  if (best == CDocTemplate::yesAlreadyOpen && pOpen != nullptr) {
    POSITION viewPos = pOpen->GetFirstViewPosition();
    if (viewPos != nullptr) {
      CFrameWnd* pFrame = pOpen->GetNextView(viewPos)->GetParentFrame();
      if (pFrame != nullptr)
        pFrame->ActivateFrame(-1);
    }
    return pOpen;
  }
  if (pBest == nullptr) {
    AfxMessageBox("Failed to open document.", MB_ICONEXCLAMATION);
    return nullptr;
  }
  return pBest->OpenDocumentFile(path);
}

void CDocManager::OnFileNew() {
  // The first template that offers a new document of its type.
  CDocTemplate* pFirst = nullptr;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CString name;
    if (pFirst == nullptr)
      pFirst = pTemplate;
    if (pTemplate->GetDocString(name, CDocTemplate::fileNewName)) {
      pTemplate->OpenDocumentFile(nullptr);
      return;
    }
  }
  if (pFirst != nullptr)
    pFirst->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString name;
  if (!DoPromptFileName(name, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
    return;
  OpenThroughApp(name);
}

CDocument* CDocManager::OpenThroughApp(LPCSTR lpszFileName) {
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr ? pApp->OpenDocumentFile(lpszFileName) : OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  CString filter;
  CString defExt;
  auto addType = [&filter](CDocTemplate* pT) {
    CString name, ext;
    if (!pT->GetDocString(name, CDocTemplate::filterName) || !pT->GetDocString(ext, CDocTemplate::filterExt))
      return;
    CString pattern = ext[0] == '.' ? "*" + ext : ext;
    filter += name + "|" + pattern + "|";
  };
  if (pTemplate != nullptr) {
    addType(pTemplate);
    defExt = pTemplate->GetDefaultExtension();
  } else {
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
      addType(GetNextDocTemplate(pos));
  }
  filter += "All Files (*.*)|*.*||";
  CFileDialog dlg(bOpenFileDialog, defExt.IsEmpty() ? nullptr : (LPCSTR)defExt,
                  fileName.IsEmpty() ? nullptr : (LPCSTR)fileName, lFlags, filter, AfxGetMainWnd());
  dlg.m_ofn.lpstrTitle = lpszTitle;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  fileName = dlg.GetPathName();
  return !fileName.IsEmpty();
}

BOOL CDocManager::SaveAllModified() {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    if (!GetNextDocTemplate(pos)->SaveAllModified())
      return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr)
    GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      OnFileNew();
      return TRUE;
    case CCommandLineInfo::FileOpen:
      return OpenThroughApp(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
      PrintFromCommandLine(rCmdInfo);
      return FALSE;  // printed (or said why not): the program has nothing more to do
    case CCommandLineInfo::AppRegister:
      RegisterShellFileTypes();
      return FALSE;  // registered; nothing else to do
    case CCommandLineInfo::AppUnregister:
      return FALSE;
    default:
      return TRUE;
  }
}

void CDocManager::PrintFromCommandLine(CCommandLineInfo& rCmdInfo) {
  if (OpenThroughApp(rCmdInfo.m_strFileName) == nullptr)
    return;
  // The new document's view prints, with no dialog, on the printer the
  // command line names (/pt) or the default one (/p).
  CWinApp* pApp = AfxGetApp();
  CWnd* pMainWnd = AfxGetMainWnd();
  if (pApp == nullptr || pMainWnd == nullptr || pMainWnd->m_hWnd == nullptr)
    return;
  pApp->m_pCmdInfo = &rCmdInfo;
  pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  pApp->m_pCmdInfo = nullptr;
}

BOOL CDocManager::RegisterShellFileTypes(BOOL) {
  char exe[MAX_PATH] = "";
  ::GetModuleFileNameA(AfxGetInstanceHandle(), exe, MAX_PATH);
  // With shell open the shell hands the file over by DDE: to the running
  // copy, or to one it starts for the purpose.
  CWinApp* pApp = AfxGetApp();
  const BOOL bDde = pApp != nullptr && pApp->IsShellOpenEnabled();
  CString command;
  if (bDde)
    command.Format("\"%s\" /dde", exe);
  else
    command.Format("\"%s\" \"%%1\"", exe);
  BOOL ok = TRUE;
  int nIcon = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    int nIconIndex = nIcon++;
    CString id, name, ext;
    if (!pTemplate->GetDocString(id, CDocTemplate::regFileTypeId))
      continue;
    if (!pTemplate->GetDocString(name, CDocTemplate::regFileTypeName))
      name = id;
    CString icon;
    icon.Format("%s,%d", exe, nIconIndex);
    ok &= AfxSetClassesValue(id, nullptr, name);
    ok &= AfxSetClassesValue(id + "\\DefaultIcon", nullptr, icon);
    ok &= AfxSetClassesValue(id + "\\shell\\open\\command", nullptr, command);
    if (bDde) {
      ok &= AfxSetClassesValue(id + "\\shell\\open\\ddeexec", nullptr, "[open(\"%1\")]");
      ok &= AfxSetClassesValue(id + "\\shell\\open\\ddeexec\\application", nullptr,
                               pApp->m_pszExeName != nullptr ? pApp->m_pszExeName : "");
      ok &= AfxSetClassesValue(id + "\\shell\\open\\ddeexec\\topic", nullptr, "system");
    } else {
      // The shell would wait in vain for an answer from a program that gives none.
      ::SHDeleteKeyA(HKEY_CLASSES_ROOT, id + "\\shell\\open\\ddeexec");
    }
    ext = pTemplate->GetDefaultExtension();
    if (ext.IsEmpty())
      continue;
    ext = "." + ext;
    // An extension that another program owns is left to it.
    CString owner = AfxGetClassesDefault(ext);
    if (owner.IsEmpty() || owner == id)
      ok &= AfxSetClassesValue(ext, nullptr, id);
  }
  return ok;
}

void CDocManager::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU == 0)
    return;
  if (nMaxMRU > ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1)
    nMaxMRU = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
  m_pRecentFileList.reset(new CRecentFileList(ID_FILE_MRU_FIRST, "Recent File List", "File%d", (int)nMaxMRU));
  m_pRecentFileList->ReadList();
}

void CDocManager::SaveStdProfileSettings() {
  if (m_pRecentFileList)
    m_pRecentFileList->WriteList();
}

void CDocManager::AddToRecentFileList(LPCSTR lpszPathName) {
  if (m_pRecentFileList)
    m_pRecentFileList->Add(lpszPathName);
}

BOOL CDocManager::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList)
    return FALSE;
  int nIndex = (int)(nID - ID_FILE_MRU_FIRST);
  CString path = (*m_pRecentFileList)[nIndex];
  if (path.IsEmpty())
    return FALSE;
  // A file that can no longer be read leaves the list.
  if (OpenThroughApp(path) == nullptr)
    m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

void CDocManager::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}
