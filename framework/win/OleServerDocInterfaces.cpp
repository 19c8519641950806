// The interfaces through which a container reaches a server document. Each
// forwards to the document; a closed document answers nothing.
#include <shlobj.h>

#include <vector>

#include "framework/win/DocTemplate.h"
#include "framework/win/OleServerDoc.h"
#include "framework/win/OleServerItem.h"
#include "framework/win/UiHooks.h"

namespace {
// A file name from a client, in the program's code page; empty when it
// cannot be converted.
CString NarrowPath(LPCOLESTR pszFileName) {
  int nSize = ::WideCharToMultiByte(CP_ACP, 0, pszFileName, -1, nullptr, 0, nullptr, nullptr);
  if (nSize <= 1)
    return CString();
  std::vector<char> path((size_t)nSize);
  ::WideCharToMultiByte(CP_ACP, 0, pszFileName, -1, path.data(), nSize, nullptr, nullptr);
  return CString(path.data());
}

// A copy of text for a client, which frees it; null when out of memory.
LPOLESTR ClientString(LPCSTR pszText) {
  int nSize = ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, nullptr, 0);
  auto* psz = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(OLECHAR) * (size_t)(nSize > 0 ? nSize : 1)));
  if (psz != nullptr) {
    psz[0] = 0;
    if (nSize > 0)
      ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, psz, nSize);
  }
  return psz;
}

// While a client's call reads or writes a file, a failure it would show
// goes back to the client as the call's result instead: nobody may be
// there to close a message box, and the client would wait on it.
class CQuietMessages {
 public:
  CQuietMessages()
      : m_previous(AfxSetMessageBoxHook([](HWND, LPCSTR, LPCSTR, UINT nType) {
          // The answer that goes no further.
          switch (nType & MB_TYPEMASK) {
            case MB_YESNO:
            case MB_YESNOCANCEL:
              return IDNO;
            case MB_OKCANCEL:
            case MB_RETRYCANCEL:
              return IDCANCEL;
            default:
              return IDOK;
          }
        })) {}
  ~CQuietMessages() { AfxSetMessageBoxHook(m_previous); }
  CQuietMessages(const CQuietMessages&) = delete;
  CQuietMessages& operator=(const CQuietMessages&) = delete;

 private:
  MessageBoxHook m_previous;
};
}  // namespace

// IOleObject

STDMETHODIMP COleServerDoc::XOleObject::SetClientSite(IOleClientSite* pClientSite) {
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  if (pClientSite != nullptr)
    pClientSite->AddRef();
  if (m_pThis->m_lpClientSite != nullptr)
    m_pThis->m_lpClientSite->Release();
  m_pThis->m_lpClientSite = pClientSite;
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::GetClientSite(IOleClientSite** ppClientSite) {
  if (ppClientSite == nullptr)
    return E_POINTER;
  *ppClientSite = m_pThis->m_lpClientSite;
  if (*ppClientSite == nullptr)
    return E_FAIL;
  (*ppClientSite)->AddRef();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
  return m_pThis->m_bClosed ? E_UNEXPECTED : S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::Close(DWORD dwSaveOption) {
  if (m_pThis->m_bClosed)
    return S_OK;
  COleServerDoc* pDoc = m_pThis;
  pDoc->InternalAddRef();  // closing must not delete the document under this call
  if (dwSaveOption != OLECLOSE_NOSAVE && pDoc->m_bEmbedded && pDoc->IsModified())
    pDoc->SaveEmbedding();
  pDoc->OnCloseDocument();
  pDoc->InternalRelease();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::SetMoniker(DWORD, IMoniker*) {
  return m_pThis->m_bClosed ? E_UNEXPECTED : S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) {
  if (ppmk == nullptr)
    return E_POINTER;
  *ppmk = nullptr;
  if (m_pThis->m_lpClientSite != nullptr)
    return m_pThis->m_lpClientSite->GetMoniker(dwAssign, dwWhichMoniker, ppmk);
  // A linked document is named by its file.
  *ppmk = m_pThis->m_bClosed ? nullptr : m_pThis->GetFileMoniker();
  return *ppmk != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP COleServerDoc::XOleObject::InitFromData(IDataObject*, BOOL, DWORD) {
  return E_NOTIMPL;
}

STDMETHODIMP COleServerDoc::XOleObject::GetClipboardData(DWORD, IDataObject** ppDataObject) {
  if (ppDataObject != nullptr)
    *ppDataObject = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP COleServerDoc::XOleObject::DoVerb(LONG iVerb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  switch (iVerb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_INPLACEACTIVATE:
      // In the container's window when it allows it, else in our own.
      if (!m_pThis->ActivateInPlace()) {
        if (iVerb == OLEIVERB_UIACTIVATE || iVerb == OLEIVERB_INPLACEACTIVATE)
          return OLEOBJ_S_CANNOT_DOVERB_NOW;
        m_pThis->OnShowDocument(TRUE);
      }
      return S_OK;
    case OLEIVERB_OPEN:
      m_pThis->DeactivateInPlace();
      m_pThis->OnShowDocument(TRUE);
      return S_OK;
    case OLEIVERB_HIDE:
      if (m_pThis->IsInPlaceActive())
        m_pThis->DeactivateUI();
      else
        m_pThis->OnShowDocument(FALSE);
      return S_OK;
    default:
      if (iVerb < 0)
        return E_NOTIMPL;
      // A verb the object does not know does what the primary one does.
      if (!m_pThis->ActivateInPlace())
        m_pThis->OnShowDocument(TRUE);
      return OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP COleServerDoc::XOleObject::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) {
  if (ppEnumOleVerb != nullptr)
    *ppEnumOleVerb = nullptr;
  return OLE_S_USEREG;
}

STDMETHODIMP COleServerDoc::XOleObject::Update() {
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  m_pThis->UpdateAllItems(nullptr);
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::IsUpToDate() {
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::GetUserClassID(CLSID* pClsid) {
  if (pClsid == nullptr)
    return E_POINTER;
  *pClsid = m_pThis->GetClassID();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::GetUserType(DWORD, LPOLESTR* pszUserType) {
  if (pszUserType != nullptr)
    *pszUserType = nullptr;
  return OLE_S_USEREG;
}

STDMETHODIMP COleServerDoc::XOleObject::SetExtent(DWORD dwDrawAspect, SIZEL* psizel) {
  if (psizel == nullptr)
    return E_POINTER;
  COleServerItem* pItem = m_pThis->GetEmbeddedItem();
  if (pItem == nullptr)
    return E_UNEXPECTED;
  return pItem->OnSetExtent((DVASPECT)dwDrawAspect, CSize(psizel->cx, psizel->cy)) ? S_OK : E_FAIL;
}

STDMETHODIMP COleServerDoc::XOleObject::GetExtent(DWORD dwDrawAspect, SIZEL* psizel) {
  if (psizel == nullptr)
    return E_POINTER;
  COleServerItem* pItem = m_pThis->GetEmbeddedItem();
  CSize size;
  if (pItem == nullptr || !pItem->OnGetExtent((DVASPECT)dwDrawAspect, size))
    return E_FAIL;
  psizel->cx = size.cx;
  psizel->cy = size.cy;
  return S_OK;
}

STDMETHODIMP COleServerDoc::XOleObject::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) {
  IOleAdviseHolder* pHolder = m_pThis->m_bClosed ? nullptr : m_pThis->OleAdviseHolder();
  return pHolder != nullptr ? pHolder->Advise(pAdvSink, pdwConnection) : E_UNEXPECTED;
}

STDMETHODIMP COleServerDoc::XOleObject::Unadvise(DWORD dwConnection) {
  IOleAdviseHolder* pHolder = m_pThis->m_lpOleAdviseHolder;
  return pHolder != nullptr ? pHolder->Unadvise(dwConnection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleServerDoc::XOleObject::EnumAdvise(IEnumSTATDATA** ppenumAdvise) {
  IOleAdviseHolder* pHolder = m_pThis->m_lpOleAdviseHolder;
  if (pHolder != nullptr)
    return pHolder->EnumAdvise(ppenumAdvise);
  if (ppenumAdvise != nullptr)
    *ppenumAdvise = nullptr;
  return E_FAIL;
}

STDMETHODIMP COleServerDoc::XOleObject::GetMiscStatus(DWORD, DWORD* pdwStatus) {
  if (pdwStatus != nullptr)
    *pdwStatus = 0;
  return OLE_S_USEREG;
}

STDMETHODIMP COleServerDoc::XOleObject::SetColorScheme(LOGPALETTE*) {
  return E_NOTIMPL;
}

// IDataObject

STDMETHODIMP COleServerDoc::XDataObject::GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) {
  if (pFormatEtc == nullptr || pMedium == nullptr)
    return E_POINTER;
  COleServerItem* pItem = m_pThis->GetEmbeddedItem();
  if (pItem == nullptr)
    return E_UNEXPECTED;
  return pItem->OnRenderData(pFormatEtc, pMedium) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleServerDoc::XDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}

STDMETHODIMP COleServerDoc::XDataObject::QueryGetData(FORMATETC* pFormatEtc) {
  return COleServerItem::IsRenderedFormat(pFormatEtc) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleServerDoc::XDataObject::GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) {
  if (pFormatEtcIn == nullptr || pFormatEtcOut == nullptr)
    return E_POINTER;
  *pFormatEtcOut = *pFormatEtcIn;
  pFormatEtcOut->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleServerDoc::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
  return E_NOTIMPL;
}

STDMETHODIMP COleServerDoc::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) {
  if (ppEnum == nullptr)
    return E_POINTER;
  *ppEnum = nullptr;
  if (dwDirection != DATADIR_GET)
    return E_NOTIMPL;
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  return ::SHCreateStdEnumFmtEtc(1, &format, ppEnum);
}

STDMETHODIMP COleServerDoc::XDataObject::DAdvise(FORMATETC* pFormatEtc, DWORD advf, IAdviseSink* pAdvSink,
                                                 DWORD* pdwConnection) {
  IDataAdviseHolder* pHolder = m_pThis->m_bClosed ? nullptr : m_pThis->DataAdviseHolder();
  return pHolder != nullptr ? pHolder->Advise(this, pFormatEtc, advf, pAdvSink, pdwConnection) : E_UNEXPECTED;
}

STDMETHODIMP COleServerDoc::XDataObject::DUnadvise(DWORD dwConnection) {
  IDataAdviseHolder* pHolder = m_pThis->m_lpDataAdviseHolder;
  return pHolder != nullptr ? pHolder->Unadvise(dwConnection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleServerDoc::XDataObject::EnumDAdvise(IEnumSTATDATA** ppEnumAdvise) {
  IDataAdviseHolder* pHolder = m_pThis->m_lpDataAdviseHolder;
  if (pHolder != nullptr)
    return pHolder->EnumAdvise(ppEnumAdvise);
  if (ppEnumAdvise != nullptr)
    *ppEnumAdvise = nullptr;
  return E_FAIL;
}

// IPersistStorage

STDMETHODIMP COleServerDoc::XPersistStorage::GetClassID(CLSID* pClassID) {
  if (pClassID == nullptr)
    return E_POINTER;
  *pClassID = m_pThis->GetClassID();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistStorage::IsDirty() {
  return m_pThis->IsModified() ? S_OK : S_FALSE;
}

STDMETHODIMP COleServerDoc::XPersistStorage::InitNew(IStorage* pStg) {
  if (pStg == nullptr)
    return E_INVALIDARG;
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  m_pThis->OnNewEmbedding(pStg);
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistStorage::Load(IStorage* pStg) {
  if (pStg == nullptr)
    return E_INVALIDARG;
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  return m_pThis->OnOpenEmbedding(pStg) ? S_OK : STG_E_READFAULT;
}

STDMETHODIMP COleServerDoc::XPersistStorage::Save(IStorage* pStgSave, BOOL) {
  if (pStgSave == nullptr)
    return E_INVALIDARG;
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  return m_pThis->OnSaveEmbedding(pStgSave) ? S_OK : STG_E_WRITEFAULT;
}

STDMETHODIMP COleServerDoc::XPersistStorage::SaveCompleted(IStorage* pStgNew) {
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  if (pStgNew != nullptr)
    m_pThis->SetRootStorage(pStgNew);
  m_pThis->SetModifiedFlag(FALSE);
  if (m_pThis->m_lpOleAdviseHolder != nullptr)
    m_pThis->m_lpOleAdviseHolder->SendOnSave();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistStorage::HandsOffStorage() {
  m_pThis->SetRootStorage(nullptr);
  return S_OK;
}

// IPersistFile: a container's link to a saved file.

STDMETHODIMP COleServerDoc::XPersistFile::GetClassID(CLSID* pClassID) {
  if (pClassID == nullptr)
    return E_POINTER;
  *pClassID = m_pThis->GetClassID();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistFile::IsDirty() {
  return m_pThis->IsModified() ? S_OK : S_FALSE;
}

STDMETHODIMP COleServerDoc::XPersistFile::Load(LPCOLESTR pszFileName, DWORD) {
  if (pszFileName == nullptr)
    return E_POINTER;
  if (m_pThis->m_bClosed || m_pThis->m_bEmbedded)
    return E_UNEXPECTED;
  CString path = NarrowPath(pszFileName);
  if (path.IsEmpty())
    return E_INVALIDARG;
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
    return STG_E_FILENOTFOUND;
  CQuietMessages quiet;
  if (!m_pThis->OnOpenDocument(path))
    return STG_E_READFAULT;
  // Just read, the document is its file.
  m_pThis->SetModifiedFlag(FALSE);
  m_pThis->SetPathName(path, FALSE);
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistFile::Save(LPCOLESTR pszFileName, BOOL fRemember) {
  if (m_pThis->m_bClosed || m_pThis->m_bEmbedded)
    return E_UNEXPECTED;
  CString path = pszFileName != nullptr ? NarrowPath(pszFileName) : m_pThis->GetPathName();
  if (path.IsEmpty())
    return E_INVALIDARG;
  // A copy leaves the document as it was: its name, title and changes.
  BOOL bCopy = pszFileName != nullptr && !fRemember;
  BOOL bModified = m_pThis->IsModified();
  CString title = m_pThis->GetTitle();
  CQuietMessages quiet;
  if (!m_pThis->OnSaveDocument(path))
    return STG_E_WRITEFAULT;
  if (bCopy) {
    m_pThis->SetTitle(title);
    m_pThis->SetModifiedFlag(bModified);
  } else {
    m_pThis->SetPathName(path, FALSE);
    m_pThis->SetModifiedFlag(FALSE);
  }
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistFile::SaveCompleted(LPCOLESTR) {
  if (m_pThis->m_bClosed)
    return E_UNEXPECTED;
  if (m_pThis->m_lpOleAdviseHolder != nullptr)
    m_pThis->m_lpOleAdviseHolder->SendOnSave();
  return S_OK;
}

STDMETHODIMP COleServerDoc::XPersistFile::GetCurFile(LPOLESTR* ppszFileName) {
  if (ppszFileName == nullptr)
    return E_POINTER;
  const CString& path = m_pThis->GetPathName();
  if (!path.IsEmpty()) {
    *ppszFileName = ClientString(path);
    return *ppszFileName != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  // No file yet: the prompt a save dialog would start from.
  CDocTemplate* pTemplate = m_pThis->GetDocTemplate();
  CString prompt = "*." + (pTemplate != nullptr ? pTemplate->GetDefaultExtension() : CString());
  *ppszFileName = ClientString(prompt);
  return *ppszFileName != nullptr ? S_FALSE : E_OUTOFMEMORY;
}
