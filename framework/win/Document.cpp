#include "framework/win/Document.h"

#include "framework/base/Archive.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/FileReplace.h"
#include "framework/win/DocManager.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
  ON_COMMAND(ID_FILE_SEND_MAIL, OnFileSendMail)
  ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, OnUpdateFileSendMail)
END_MESSAGE_MAP()

namespace {

// What a failed save or open says: the document, then the reason when
// there is one.
CString SaveLoadFailureText(LPCSTR lpszPathName, LPCSTR lpszReason, BOOL bSaving) {
  CString text;
  text.Format(bSaving ? "Failed to save document %s." : "Failed to open document %s.",
              lpszPathName != nullptr ? lpszPathName : "");
  if (lpszReason != nullptr && lpszReason[0] != '\0') {
    text += "\n";
    text += lpszReason;
  }
  return text;
}

}  // namespace

CDocument::~CDocument() {
  // Views outliving their document must not reach back into it.
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr)
    GetNextView(pos)->m_pDocument = nullptr;
  m_viewList.RemoveAll();
  if (m_pDocTemplate != nullptr)
    m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle) {
  m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
  // Each frame shows the title of its document.
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
    if (pFrame != nullptr)
      pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
  char full[MAX_PATH];
  LPSTR lpszFilePart = nullptr;
  if (::GetFullPathNameA(lpszPathName, MAX_PATH, full, &lpszFilePart) == 0)
    lstrcpynA(full, lpszPathName, MAX_PATH);
  m_strPathName = full;
  CString title = m_strPathName;
  int slash = title.ReverseFind('\\');
  if (slash < 0)
    slash = title.ReverseFind('/');
  if (slash >= 0)
    title = title.Mid(slash + 1);
  SetTitle(title);
  if (bAddToMRU) {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
      pApp->AddToRecentFileList(m_strPathName);
  }
}

void CDocument::AddView(CView* pView) {
  if (pView == nullptr || pView->m_pDocument == this)
    return;
  if (pView->m_pDocument != nullptr)
    pView->m_pDocument->RemoveView(pView);
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (pos == nullptr)
    return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  // The last view gone: the document goes with it.
  if (m_bAutoDelete && m_viewList.IsEmpty()) {
    OnCloseDocument();
    return;
  }
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
    if (pFrame != nullptr)
      pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* pView = GetNextView(pos);
    if (pView != pSender)
      pView->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
  CFile file;
  CFileException fe;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE);
    return FALSE;
  }
  DeleteContents();
  CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
  ar.m_pDocument = this;
  try {
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (CException* e) {
    ar.Abort();
    file.Abort();
    // Half a document is worse than none.
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
  // The document is written beside the target and moved over it only when
  // complete, so a failed save never damages the file already there.
  CString reason;
  const bool bSaved = WriteFileReplacing(
      lpszPathName,
      [this](CFile& file) {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
      },
      reason);
  if (!bSaved) {
    AfxMessageBox(SaveLoadFailureText(lpszPathName, reason, TRUE), MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving) {
  char reason[512] = "";
  if (e != nullptr)
    e->GetErrorMessage(reason, sizeof(reason));
  AfxMessageBox(SaveLoadFailureText(lpszPathName, reason, bSaving), MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  // Closing the frames removes the views; the document must not delete
  // itself on the way.
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != nullptr) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow();
    } else {
      pView->DestroyWindow();
    }
    // A view that outlived its window is let go, so the loop ends.
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
      RemoveView(pView);
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete)
    delete this;
}

BOOL CDocument::SaveModified() {
  if (!IsModified())
    return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  CString prompt;
  prompt.Format("Save changes to %s?", (LPCSTR)name);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      return DoFileSave();
    default:
      return TRUE;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
    if (pFrame != nullptr && pFrame != pFrameArg)
      return TRUE;  // still shown elsewhere
  }
  return SaveModified();
}

BOOL CDocument::DoFileSave() {
  // A document without a file, or whose file went read-only, asks for a name.
  DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
  if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
    return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName != nullptr ? lpszPathName : "";
  if (newName.IsEmpty()) {
    newName = m_strPathName;
    if (bReplace && newName.IsEmpty()) {
      // Suggest the title, without characters a file name cannot hold.
      newName = m_strTitle;
      static const char kBad[] = " #%;/\\:*?\"<>|";
      for (const char* p = kBad; *p != '\0'; ++p)
        newName.Remove(*p);
      CString ext;
      if (m_pDocTemplate != nullptr)
        ext = m_pDocTemplate->GetDefaultExtension();
      if (!ext.IsEmpty() && !newName.IsEmpty())
        newName += "." + ext;
    }
    CDocManager* pManager = AfxGetDocManager();
    if (pManager == nullptr ||
        !pManager->DoPromptFileName(newName, "Save As", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                                    FALSE, m_pDocTemplate))
      return FALSE;
  }
  if (!OnSaveDocument(newName))
    return FALSE;
  if (bReplace)
    SetPathName(newName);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pProbe))
    return TRUE;
  return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pProbe);
}

void CDocument::OnFileClose() {
  if (!SaveModified())
    return;
  OnCloseDocument();
}

void CDocument::OnFileSave() {
  DoFileSave();
}

void CDocument::OnFileSaveAs() {
  DoSave(nullptr);
}
