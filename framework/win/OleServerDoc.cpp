#include "framework/win/OleServerDoc.h"

#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Exception.h"
#include "framework/base/MemFile.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MessageMap.h"
#include "framework/win/OleInit.h"
#include "framework/win/OleServerItem.h"
#include "framework/win/OleTemplateServer.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)

BEGIN_MESSAGE_MAP(COleServerDoc, COleDocument)
  ON_COMMAND(ID_FILE_UPDATE, OnFileUpdate)
  ON_COMMAND(ID_FILE_SAVE_COPY_AS, OnFileSaveCopyAs)
END_MESSAGE_MAP()

namespace {
// The stream of the object's storage that holds the document.
const wchar_t kContentsStream[] = L"Contents";

// The embedded item read from or written to pFile (nMode: load or store);
// FALSE when the archive throws.
BOOL SerializeEmbedded(COleServerDoc* pDoc, COleServerItem* pItem, CFile* pFile, UINT nMode) {
  CArchive ar(pFile, nMode | CArchive::bNoFlushOnDelete);
  ar.m_pDocument = pDoc;
  try {
    pItem->Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    ar.Abort();
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

}  // namespace

COleServerDoc::COleServerDoc() {
  AfxOleLockApp();
}

COleServerDoc::~COleServerDoc() {
  // The items point back at the document: they go before it does.
  COleDocument::DeleteContents();
  ReleaseContainer();
  AfxOleUnlockApp();
}

void COleServerDoc::ReleaseContainer() {
  ReleaseInterface(m_lpClientSite);
  ReleaseInterface(m_lpRootStg);
  ReleaseInterface(m_lpOleAdviseHolder);
  ReleaseInterface(m_lpDataAdviseHolder);
}

COleServerItem* COleServerDoc::GetEmbeddedItem() {
  if (m_bClosed)
    return nullptr;
  if (m_pEmbeddedItem == nullptr)
    m_pEmbeddedItem = OnGetEmbeddedItem();
  return m_pEmbeddedItem;
}

void COleServerDoc::RemoveItem(CDocItem* pItem) {
  if (pItem != nullptr && pItem == m_pEmbeddedItem)
    m_pEmbeddedItem = nullptr;
  COleDocument::RemoveItem(pItem);
}

CLSID COleServerDoc::GetClassID() const {
  CDocTemplate* pTemplate = GetDocTemplate();
  if (pTemplate == nullptr || pTemplate->m_pAttachedFactory == nullptr)
    return CLSID_NULL;
  return pTemplate->m_pAttachedFactory->GetClassID();
}

ULONG COleServerDoc::InternalAddRef() {
  return ++m_dwRef;
}

ULONG COleServerDoc::InternalRelease() {
  ULONG nRefs = --m_dwRef;
  if (nRefs != 0)
    return nRefs;
  if (!m_bClosed)
    OnCloseDocument();  // which deletes the document
  else if (m_bAutoDelete)
    delete this;
  return 0;
}

HRESULT COleServerDoc::InternalQueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleObject)
    *ppv = static_cast<IOleObject*>(&m_xOleObject);
  else if (riid == IID_IDataObject)
    *ppv = static_cast<IDataObject*>(&m_xDataObject);
  else if (riid == IID_IPersist || riid == IID_IPersistStorage)
    *ppv = static_cast<IPersistStorage*>(&m_xPersistStorage);
  else if (riid == IID_IPersistFile)
    *ppv = static_cast<IPersistFile*>(&m_xPersistFile);
  else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
    *ppv = static_cast<IOleInPlaceObject*>(&m_xOleInPlaceObject);
  else if (riid == IID_IOleInPlaceActiveObject)
    *ppv = static_cast<IOleInPlaceActiveObject*>(&m_xOleInPlaceActiveObject);
  if (*ppv == nullptr)
    return E_NOINTERFACE;
  InternalAddRef();
  return S_OK;
}

IUnknown* COleServerDoc::GetInterface() {
  InternalAddRef();
  return static_cast<IOleObject*>(&m_xOleObject);
}

void COleServerDoc::OnCloseDocument() {
  if (m_bClosed)
    return;
  InternalAddRef();  // the document lives to the end of this
  DeactivateInPlace();
  RevokeMoniker();
  m_bClosed = TRUE;
  if (m_lpClientSite != nullptr && m_bEmbedded)
    m_lpClientSite->OnShowWindow(FALSE);
  if (m_lpOleAdviseHolder != nullptr)
    m_lpOleAdviseHolder->SendOnClose();
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  COleDocument::OnCloseDocument();
  m_bAutoDelete = bAutoDelete;
  // Whatever the container still holds reaches a closed document that
  // answers nothing; its site and sinks are let go now.
  ReleaseContainer();
  InternalRelease();
}

void COleServerDoc::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
  COleDocument::SetPathName(lpszPathName, bAddToMRU);
  RegisterMoniker();
}

IMoniker* COleServerDoc::GetFileMoniker() const {
  if (m_strPathName.IsEmpty())
    return nullptr;
  std::vector<wchar_t> path((size_t)m_strPathName.GetLength() + 1);
  if (::MultiByteToWideChar(CP_ACP, 0, m_strPathName, -1, path.data(), (int)path.size()) == 0)
    return nullptr;
  IMoniker* pMoniker = nullptr;
  return SUCCEEDED(::CreateFileMoniker(path.data(), &pMoniker)) ? pMoniker : nullptr;
}

void COleServerDoc::RegisterMoniker() {
  RevokeMoniker();
  CDocTemplate* pTemplate = GetDocTemplate();
  // Only a program that serves objects offers its documents to links; an
  // embedded document's file is its container's business.
  if (m_bClosed || m_bEmbedded || pTemplate == nullptr || pTemplate->m_pAttachedFactory == nullptr ||
      !pTemplate->m_pAttachedFactory->IsRegistered())
    return;
  IMoniker* pMoniker = GetFileMoniker();
  IRunningObjectTable* pTable = nullptr;
  if (pMoniker != nullptr && SUCCEEDED(::GetRunningObjectTable(0, &pTable))) {
    // The table's references must not keep the document open: it closes
    // with its last client, and only then leaves the table.
    ULONG nBefore = m_dwRef;
    if (SUCCEEDED(pTable->Register(0, static_cast<IOleObject*>(&m_xOleObject), pMoniker, &m_dwRegisterROT))) {
      m_nROTRefs = m_dwRef > nBefore ? m_dwRef - nBefore : 0;
      m_dwRef -= m_nROTRefs;
    } else {
      m_dwRegisterROT = 0;
    }
    pTable->Release();
  }
  if (pMoniker != nullptr)
    pMoniker->Release();
}

void COleServerDoc::RevokeMoniker() {
  if (m_dwRegisterROT == 0)
    return;
  DWORD dwRegister = m_dwRegisterROT;
  m_dwRegisterROT = 0;
  // The table lets go of the references it took; they count again first.
  m_dwRef += m_nROTRefs;
  m_nROTRefs = 0;
  IRunningObjectTable* pTable = nullptr;
  if (SUCCEEDED(::GetRunningObjectTable(0, &pTable))) {
    pTable->Revoke(dwRegister);
    pTable->Release();
  }
}

BOOL COleServerDoc::SaveModified() {
  if (!m_bEmbedded)
    return COleDocument::SaveModified();
  if (IsModified())
    SaveEmbedding();
  return TRUE;
}

void COleServerDoc::UpdateAllItems(COleServerItem*, LPARAM, CObject*, DVASPECT) {
  if (m_lpDataAdviseHolder != nullptr)
    m_lpDataAdviseHolder->SendOnDataChange(&m_xDataObject, 0, 0);
}

void COleServerDoc::SaveEmbedding() {
  if (m_lpClientSite != nullptr && SUCCEEDED(m_lpClientSite->SaveObject()))
    SetModifiedFlag(FALSE);
}

CFrameWnd* COleServerDoc::GetDocumentFrame() const {
  POSITION pos = GetFirstViewPosition();
  return pos != nullptr ? GetNextView(pos)->GetParentFrame() : nullptr;
}

void COleServerDoc::OnShowDocument(BOOL bShow) {
  CFrameWnd* pFrame = GetDocumentFrame();
  CWnd* pMainWnd = AfxGetMainWnd();
  if (bShow) {
    UseEmbeddingMenu(pFrame);
    if (pMainWnd != nullptr && !pMainWnd->IsWindowVisible())
      pMainWnd->ShowWindow(SW_SHOW);
    if (pFrame != nullptr)
      pFrame->ActivateFrame(SW_SHOW);
    if (pMainWnd != nullptr)
      pMainWnd->SetForegroundWindow();
    if (m_lpClientSite != nullptr) {
      m_lpClientSite->ShowObject();
      m_lpClientSite->OnShowWindow(TRUE);
    }
    return;
  }
  if (pFrame != nullptr)
    pFrame->ShowWindow(SW_HIDE);
  // A program started for its objects shows nothing once none is open.
  if (pMainWnd != nullptr && !AfxOleGetUserCtrl())
    pMainWnd->ShowWindow(SW_HIDE);
  if (m_lpClientSite != nullptr)
    m_lpClientSite->OnShowWindow(FALSE);
}

void COleServerDoc::UseEmbeddingMenu(CFrameWnd* pFrame) {
  CDocTemplate* pTemplate = GetDocTemplate();
  if (!m_bEmbedded || pTemplate == nullptr || pTemplate->m_hMenuEmbedding == nullptr || pFrame == nullptr ||
      !pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
    return;
  // The window shows the commands of a document its container owns: Update
  // in place of Save.
  auto* pChild = static_cast<CMDIChildWnd*>(pFrame);
  pChild->m_hMenuShared = pTemplate->m_hMenuEmbedding;
  pChild->m_hAccelTable = pTemplate->m_hAccelEmbedding;
}

void COleServerDoc::SetRootStorage(LPSTORAGE pStg) {
  if (pStg != nullptr)
    pStg->AddRef();
  ReleaseInterface(m_lpRootStg);
  m_lpRootStg = pStg;
}

void COleServerDoc::OnNewEmbedding(LPSTORAGE lpStorage) {
  m_bEmbedded = TRUE;
  SetRootStorage(lpStorage);
  SetModifiedFlag(FALSE);
}

BOOL COleServerDoc::OnOpenEmbedding(LPSTORAGE lpStorage) {
  m_bEmbedded = TRUE;
  SetRootStorage(lpStorage);
  DeleteContents();
  SetModifiedFlag(FALSE);
  IStream* pStream = nullptr;
  if (FAILED(lpStorage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &pStream)))
    return FALSE;
  // The whole stream is read before the archive sees it, so that a short
  // stream is a short file to the reader, never a failed read mid-way.
  STATSTG stat = {};
  std::vector<BYTE> contents;
  BOOL bRead = SUCCEEDED(pStream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < 0x7FFFFFFF;
  if (bRead) {
    contents.resize((size_t)stat.cbSize.QuadPart);
    ULONG nRead = 0;
    bRead = contents.empty() ||
            (SUCCEEDED(pStream->Read(contents.data(), (ULONG)contents.size(), &nRead)) && nRead == contents.size());
  }
  pStream->Release();
  COleServerItem* pItem = GetEmbeddedItem();
  if (!bRead || pItem == nullptr)
    return FALSE;
  CMemFile file(contents.data(), (UINT)contents.size());
  if (!SerializeEmbedded(this, pItem, &file, CArchive::load)) {
    // Half a document is worse than none.
    DeleteContents();
    return FALSE;
  }
  return TRUE;
}

BOOL COleServerDoc::OnSaveEmbedding(LPSTORAGE lpStorage) {
  COleServerItem* pItem = GetEmbeddedItem();
  if (pItem == nullptr)
    return FALSE;
  CMemFile file;
  if (!SerializeEmbedded(this, pItem, &file, CArchive::store))
    return FALSE;
  std::vector<BYTE> contents((size_t)file.GetLength());
  file.SeekToBegin();
  if (!contents.empty() && file.Read(contents.data(), (UINT)contents.size()) != contents.size())
    return FALSE;
  if (FAILED(::WriteClassStg(lpStorage, GetClassID())))
    return FALSE;
  IStream* pStream = nullptr;
  if (FAILED(lpStorage->CreateStream(kContentsStream, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                     &pStream)))
    return FALSE;
  ULONG nWritten = 0;
  BOOL bWritten = contents.empty() || (SUCCEEDED(pStream->Write(contents.data(), (ULONG)contents.size(), &nWritten)) &&
                                       nWritten == contents.size());
  pStream->Release();
  return bWritten;
}

IOleAdviseHolder* COleServerDoc::OleAdviseHolder() {
  if (m_lpOleAdviseHolder == nullptr)
    ::CreateOleAdviseHolder(&m_lpOleAdviseHolder);
  return m_lpOleAdviseHolder;
}

IDataAdviseHolder* COleServerDoc::DataAdviseHolder() {
  if (m_lpDataAdviseHolder == nullptr)
    ::CreateDataAdviseHolder(&m_lpDataAdviseHolder);
  return m_lpDataAdviseHolder;
}
