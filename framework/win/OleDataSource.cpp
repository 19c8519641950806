#include "framework/win/OleDataSource.h"

#include <shlobj.h>

namespace {

FORMATETC FormatOf(CLIPFORMAT cfFormat, DWORD tymed, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != nullptr) {
    FORMATETC format = *lpFormatEtc;
    format.cfFormat = cfFormat;
    format.ptd = nullptr;  // target devices are not kept
    return format;
  }
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
  return format;
}

// A metafile picture with a metafile of its own. (The system's duplicate of
// this format is not to be relied on: one copies the block but shares the
// metafile, another takes the block for the metafile.)
HGLOBAL CopyMetafilePicture(HGLOBAL hPict) {
  const auto* pSource = static_cast<const METAFILEPICT*>(::GlobalLock(hPict));
  if (pSource == nullptr)
    return nullptr;
  METAFILEPICT pict = *pSource;
  ::GlobalUnlock(hPict);
  pict.hMF = ::CopyMetaFileA(pict.hMF, nullptr);
  HGLOBAL hCopy = pict.hMF != nullptr ? ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)) : nullptr;
  auto* pCopy = hCopy != nullptr ? static_cast<METAFILEPICT*>(::GlobalLock(hCopy)) : nullptr;
  if (pCopy == nullptr) {
    if (hCopy != nullptr)
      ::GlobalFree(hCopy);
    if (pict.hMF != nullptr)
      ::DeleteMetaFile(pict.hMF);
    return nullptr;
  }
  *pCopy = pict;
  ::GlobalUnlock(hCopy);
  return hCopy;
}

}  // namespace

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() {
  Empty();
}

ULONG COleDataSource::InternalAddRef() {
  return (ULONG)::InterlockedIncrement(&m_nRefs);
}

ULONG COleDataSource::InternalRelease() {
  LONG nRefs = ::InterlockedDecrement(&m_nRefs);
  if (nRefs == 0)
    delete this;
  return (ULONG)nRefs;
}

void COleDataSource::Empty() {
  for (Entry& entry : m_entries)
    ::ReleaseStgMedium(&entry.medium);
  m_entries.clear();
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  if (lpStgMedium == nullptr)
    return;
  Entry entry = {FormatOf(cfFormat, lpStgMedium->tymed, lpFormatEtc), *lpStgMedium};
  entry.format.tymed = lpStgMedium->tymed;
  // A format offered again replaces what was offered before.
  for (Entry& old : m_entries) {
    if (old.format.cfFormat == cfFormat && old.format.tymed == entry.format.tymed &&
        old.format.dwAspect == entry.format.dwAspect) {
      ::ReleaseStgMedium(&old.medium);
      old = entry;
      return;
    }
  }
  m_entries.push_back(entry);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  if (hGlobal == nullptr)
    return;
  STGMEDIUM medium = {};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = hGlobal;
  CacheData(cfFormat, &medium, lpFormatEtc);
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* pFormatEtc) const {
  if (pFormatEtc == nullptr)
    return nullptr;
  for (const Entry& entry : m_entries)
    if (entry.format.cfFormat == pFormatEtc->cfFormat && (entry.format.tymed & pFormatEtc->tymed) != 0 &&
        entry.format.dwAspect == pFormatEtc->dwAspect)
      return &entry;
  return nullptr;
}

STDMETHODIMP COleDataSource::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
    *ppv = static_cast<IDataObject*>(this);
  else if (IsEqualIID(riid, IID_IDropSource))
    *ppv = static_cast<IDropSource*>(this);
  else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  InternalAddRef();
  return S_OK;
}

STDMETHODIMP COleDataSource::GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) {
  if (pMedium == nullptr)
    return E_POINTER;
  const Entry* pEntry = Find(pFormatEtc);
  if (pEntry == nullptr)
    return DV_E_FORMATETC;
  // Memory, pictures and bitmaps go as copies the receiver owns; anything
  // else is lent, and this object stays alive until it is given back.
  *pMedium = pEntry->medium;
  pMedium->pUnkForRelease = nullptr;
  switch (pEntry->medium.tymed) {
    case TYMED_MFPICT:
      pMedium->hMetaFilePict = CopyMetafilePicture(pEntry->medium.hMetaFilePict);
      return pMedium->hMetaFilePict != nullptr ? S_OK : E_OUTOFMEMORY;
    case TYMED_HGLOBAL:
    case TYMED_ENHMF:
    case TYMED_GDI:
      pMedium->hGlobal = (HGLOBAL)::OleDuplicateData(pEntry->medium.hGlobal, pEntry->format.cfFormat, GMEM_MOVEABLE);
      return pMedium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    default:
      // The receiver's ReleaseStgMedium releases a stream or storage itself
      // as well as this object: each gets its own reference.
      if (pMedium->tymed == TYMED_ISTREAM && pMedium->pstm != nullptr)
        pMedium->pstm->AddRef();
      else if (pMedium->tymed == TYMED_ISTORAGE && pMedium->pstg != nullptr)
        pMedium->pstg->AddRef();
      pMedium->pUnkForRelease = static_cast<IDataObject*>(this);
      InternalAddRef();
      return S_OK;
  }
}

STDMETHODIMP COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::QueryGetData(FORMATETC* pFormatEtc) {
  return Find(pFormatEtc) != nullptr ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) {
  if (pFormatEtcOut == nullptr)
    return E_POINTER;
  *pFormatEtcOut = *pFormatEtcIn;
  pFormatEtcOut->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
  return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) {
  if (ppEnum == nullptr)
    return E_POINTER;
  *ppEnum = nullptr;
  if (dwDirection != DATADIR_GET)
    return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (const Entry& entry : m_entries)
    formats.push_back(entry.format);
  return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.empty() ? nullptr : formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::DUnadvise(DWORD) {
  return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::EnumDAdvise(IEnumSTATDATA**) {
  return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
  if (fEscapePressed)
    return DRAGDROP_S_CANCEL;
  // The right button pressed as well cancels; letting go of the left drops.
  if (grfKeyState & MK_RBUTTON)
    return DRAGDROP_S_CANCEL;
  if (!(grfKeyState & MK_LBUTTON))
    return DRAGDROP_S_DROP;
  return S_OK;
}

STDMETHODIMP COleDataSource::GiveFeedback(DWORD) {
  // The system's cursors: the arrow with a plus, a frame, or the no-drop sign.
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects) {
  DWORD dwEffect = DROPEFFECT_NONE;
  InternalAddRef();  // alive through the drag, whatever the receiver does
  HRESULT hr = ::DoDragDrop(static_cast<IDataObject*>(this), static_cast<IDropSource*>(this), dwEffects, &dwEffect);
  InternalRelease();
  return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

BOOL COleDataSource::SetClipboard() {
  HRESULT hr = ::OleSetClipboard(static_cast<IDataObject*>(this));
  // The clipboard has its own reference now (or nothing, on failure): the
  // maker's goes either way.
  InternalRelease();
  return SUCCEEDED(hr);
}
