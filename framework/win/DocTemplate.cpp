#include "framework/win/DocTemplate.h"

#include "framework/win/Document.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {
  for (HMENU hMenu : {m_hMenuInPlace, m_hMenuEmbedding, m_hMenuInPlaceServer})
    if (hMenu != nullptr)
      ::DestroyMenu(hMenu);
  for (HACCEL hAccel : {m_hAccelInPlace, m_hAccelEmbedding, m_hAccelInPlaceServer})
    if (hAccel != nullptr)
      ::DestroyAcceleratorTable(hAccel);
}

void CDocTemplate::SetContainerInfo(UINT nIDOleInPlaceContainer) {
  HINSTANCE hInst = AfxGetResourceHandle();
  if (m_hMenuInPlace == nullptr)
    m_hMenuInPlace = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDOleInPlaceContainer));
  if (m_hAccelInPlace == nullptr)
    m_hAccelInPlace = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDOleInPlaceContainer));
}

void CDocTemplate::SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer, CRuntimeClass* pOleFrameClass) {
  HINSTANCE hInst = AfxGetResourceHandle();
  if (m_hMenuEmbedding == nullptr && nIDOleEmbedding != 0) {
    m_hMenuEmbedding = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDOleEmbedding));
    m_hAccelEmbedding = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDOleEmbedding));
  }
  if (m_hMenuInPlaceServer == nullptr && nIDOleInPlaceServer != 0) {
    m_hMenuInPlaceServer = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDOleInPlaceServer));
    m_hAccelInPlaceServer = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDOleInPlaceServer));
  }
  m_nIDServerResource = nIDOleInPlaceServer;
  m_pOleFrameClass = pOleFrameClass;
}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty())
    m_strDocStrings = AfxLoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < (int)index; ++i) {
    start = m_strDocStrings.Find('\n', start);
    if (start < 0)
      return FALSE;
    ++start;
  }
  int end = m_strDocStrings.Find('\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return !rString.IsEmpty();
}

CString CDocTemplate::GetDefaultExtension() const {
  CString ext;
  GetDocString(ext, filterExt);
  // ".bvx", "*.bvx" or "bvx"; a list ("*.a;*.b") gives its first.
  int semicolon = ext.Find(';');
  if (semicolon >= 0)
    ext = ext.Left(semicolon);
  while (!ext.IsEmpty() && (ext[0] == '*' || ext[0] == '.'))
    ext = ext.Mid(1);
  return ext;
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
  pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (pDoc->m_pDocTemplate == this)
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == nullptr)
    return nullptr;
  CObject* pObject = m_pDocClass->CreateObject();
  if (pObject == nullptr)
    return nullptr;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete pObject;
    return nullptr;
  }
  CDocument* pDoc = static_cast<CDocument*>(pObject);
  AddDocument(pDoc);
  return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  if (m_pFrameClass == nullptr)
    return nullptr;
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* pObject = m_pFrameClass->CreateObject();
  if (pObject == nullptr)
    return nullptr;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete pObject;
    return nullptr;
  }
  CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
  // A frame whose creation failed has deleted itself (PostNcDestroy).
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
    return nullptr;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->GetPathName().IsEmpty() && lstrcmpiA(pDoc->GetPathName(), lpszPathName) == 0) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  CString ext = GetDefaultExtension();
  if (!ext.IsEmpty()) {
    CString path(lpszPathName);
    int dot = path.ReverseFind('.');
    if (dot >= 0 && lstrcmpiA(path.Mid(dot + 1), ext) == 0)
      return yesAttemptNative;
  }
  return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    if (!GetNextDoc(pos)->SaveModified())
      return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  // Closing takes the document out of the list: always take the first.
  POSITION pos;
  while ((pos = GetFirstDocPosition()) != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
    // One that does not delete itself stays alive, but no longer listed.
    pos = GetFirstDocPosition();
    if (pos != nullptr && GetNextDoc(pos) == pDoc)
      RemoveDocument(pDoc);
  }
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
  LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
  // Documents still open lose their template, not their memory.
  while (!m_docList.IsEmpty())
    RemoveDocument(static_cast<CDocument*>(m_docList.GetHead()));
  if (m_hMenuShared != nullptr)
    ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable != nullptr)
    ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  HINSTANCE hInst = AfxGetResourceHandle();
  if (m_hMenuShared == nullptr && ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDResource), (LPCSTR)RT_MENU) != nullptr)
    m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
  if (m_hAccelTable == nullptr &&
      ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDResource), (LPCSTR)RT_ACCELERATOR) != nullptr)
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  POSITION pos = m_docList.Find(pDoc);
  if (pos != nullptr)
    m_docList.RemoveAt(pos);
  CDocTemplate::RemoveDocument(pDoc);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDoc) {
  CString name;
  if (!GetDocString(name, docName))
    name = "Untitled";
  CString title;
  title.Format("%s%u", (LPCSTR)name, m_nUntitledCount + 1);
  pDoc->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDoc = CreateNewDocument();
  if (pDoc == nullptr) {
    AfxMessageBox("Failed to create empty document.", MB_ICONEXCLAMATION);
    return nullptr;
  }
  // A frame that fails half-way must not take the document with it here.
  BOOL bAutoDelete = pDoc->m_bAutoDelete;
  pDoc->m_bAutoDelete = FALSE;
  CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
  pDoc->m_bAutoDelete = bAutoDelete;
  if (pFrame == nullptr) {
    AfxMessageBox("Failed to create empty document.", MB_ICONEXCLAMATION);
    pDoc->m_bAutoDelete = FALSE;  // its views, if any, are gone; delete it once, here
    pDoc->OnCloseDocument();
    delete pDoc;
    return nullptr;
  }
  if (lpszPathName == nullptr) {
    SetDefaultTitle(pDoc);
    if (!pDoc->OnNewDocument()) {
      pFrame->DestroyWindow();  // takes the views and with them the document
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    if (!pDoc->OnOpenDocument(lpszPathName)) {
      pFrame->DestroyWindow();
      return nullptr;
    }
    pDoc->SetPathName(lpszPathName);
  }
  InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
  return pDoc;
}
