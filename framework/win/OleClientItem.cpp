#include "framework/win/OleClientItem.h"

#include <cstring>
#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Exception.h"
#include "framework/win/Dc.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleDataSource.h"
#include "framework/win/OleInPlaceFrame.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(COleClientItem, CDocItem)

namespace {

// A stored object larger than this is damage, not an object.
const DWORD kMaxStorageBytes = 256u * 1024u * 1024u;

const char kActivateFailed[] = "The object could not be opened. Its program may be missing or may have stopped.";

}  // namespace

// The item's COM face: the object and OLE hold these interfaces while the
// item lives; the item's owner, not the count, decides when it goes.
class COleClientItem::CSites : public IOleClientSite, public IAdviseSink, public IOleInPlaceSite {
 public:
  explicit CSites(COleClientItem* pItem) : m_pItem(pItem) {}
  virtual ~CSites() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr)
      return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
      *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IAdviseSink))
      *ppv = static_cast<IAdviseSink*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
      *ppv = static_cast<IOleInPlaceSite*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRefs); }
  STDMETHODIMP_(ULONG) Release() override { return (ULONG)::InterlockedDecrement(&m_nRefs); }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return m_pItem->SaveObject() ? S_OK : E_FAIL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
    if (ppmk != nullptr)
      *ppmk = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** ppContainer) override {
    if (ppContainer != nullptr)
      *ppContainer = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL fShow) override {
    // The server's own window opened or closed over the object.
    if (fShow)
      m_pItem->SetState(openState);
    else if (m_pItem->m_nItemState == openState)
      m_pItem->SetState(loadedState);
    return S_OK;
  }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  STDMETHODIMP_(void) OnViewChange(DWORD dwAspect, LONG) override { m_pItem->OnChange(OLE_CHANGED, dwAspect); }
  STDMETHODIMP_(void) OnRename(IMoniker*) override { m_pItem->OnChange(OLE_RENAMED, 0); }
  STDMETHODIMP_(void) OnSave() override { m_pItem->OnChange(OLE_SAVED, 0); }
  STDMETHODIMP_(void) OnClose() override {
    if (m_pItem->m_nItemState != loadedState && m_pItem->m_nItemState != emptyState)
      m_pItem->SetState(loadedState);
    m_pItem->OnChange(OLE_CLOSED, 0);
  }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* phwnd) override {
    if (phwnd == nullptr)
      return E_POINTER;
    *phwnd = m_pItem->GetViewWindow();
    return *phwnd != nullptr ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override {
    return m_pItem->m_nDrawAspect == DVASPECT_CONTENT && m_pItem->CanActivate() ? S_OK : S_FALSE;
  }
  STDMETHODIMP OnInPlaceActivate() override {
    m_pItem->OnInPlaceActivate();
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override {
    m_pItem->OnActivateUI();
    return S_OK;
  }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override {
    return m_pItem->GetWindowContext(ppFrame, ppDoc, lprcPosRect, lprcClipRect, lpFrameInfo);
  }
  STDMETHODIMP Scroll(SIZE) override { return S_FALSE; }
  STDMETHODIMP OnUIDeactivate(BOOL fUndoable) override {
    m_pItem->OnDeactivateUI(fUndoable);
    return S_OK;
  }
  STDMETHODIMP OnInPlaceDeactivate() override {
    m_pItem->OnInPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override {
    if (m_pItem->m_lpInPlaceObject != nullptr)
      m_pItem->m_lpInPlaceObject->UIDeactivate();
    return S_OK;
  }
  STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override {
    if (lprcPosRect == nullptr)
      return E_INVALIDARG;
    return m_pItem->OnChangeItemPosition(CRect(*lprcPosRect)) ? S_OK : E_FAIL;
  }

 private:
  COleClientItem* m_pItem;
  LONG m_nRefs = 0;
};

COleClientItem::COleClientItem(COleDocument* pContainerDoc) : m_pSites(new CSites(this)) {
  if (pContainerDoc != nullptr)
    pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem() {
  Release(OLECLOSE_NOSAVE);
  // A server in another process may still hold the sites through COM's
  // proxies; cut them off now, or their late releases land on freed memory.
  ::CoDisconnectObject(static_cast<IOleClientSite*>(m_pSites), 0);
  delete m_pSites;
}

BOOL COleClientItem::CreateStorage() {
  if (m_lpObject != nullptr)
    Release();
  if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &m_lpLockBytes)))
    return FALSE;
  if (FAILED(::StgCreateDocfileOnILockBytes(m_lpLockBytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0,
                                            &m_lpStorage))) {
    m_lpLockBytes->Release();
    m_lpLockBytes = nullptr;
    return FALSE;
  }
  return TRUE;
}

BOOL COleClientItem::FinishCreate(HRESULT hr) {
  if (FAILED(hr) || m_lpObject == nullptr) {
    Release();
    return FALSE;
  }
  m_lpObject->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&m_lpViewObject));
  if (m_lpViewObject != nullptr)
    m_lpViewObject->SetAdvise(m_nDrawAspect, 0, static_cast<IAdviseSink*>(m_pSites));
  m_lpObject->Advise(static_cast<IAdviseSink*>(m_pSites), &m_dwConnection);
  ::OleSetContainedObject(m_lpObject, TRUE);
  CString strApp = AfxGetApp() != nullptr ? CString(AfxGetApp()->m_pszAppName) : CString("Container");
  WCHAR szName[128];
  ::MultiByteToWideChar(CP_ACP, 0, strApp, -1, szName, 128);
  szName[127] = L'\0';
  m_lpObject->SetHostNames(szName, szName);
  m_nItemState = loadedState;
  return TRUE;
}

void COleClientItem::CachePicture() {
  // A cache told only to draw may keep no picture of its own (Wine's keeps
  // none), and then a container whose server has gone shows nothing: the
  // content is kept as a metafile picture as well, saved with the object.
  IOleCache* lpCache = nullptr;
  if (m_lpObject == nullptr || m_nDrawAspect != DVASPECT_CONTENT ||
      FAILED(m_lpObject->QueryInterface(IID_IOleCache, reinterpret_cast<void**>(&lpCache))))
    return;
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  DWORD dwConnection = 0;
  lpCache->Cache(&format, ADVF_PRIMEFIRST, &dwConnection);
  lpCache->Release();
}

BOOL COleClientItem::CreateNewItem(REFCLSID clsid, OLERENDER render, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (!CreateStorage())
    return FALSE;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (lpFormatEtc == nullptr && cfFormat != 0)
    lpFormatEtc = &format;
  HRESULT hr = ::OleCreate(clsid, IID_IOleObject, render, lpFormatEtc, static_cast<IOleClientSite*>(m_pSites),
                           m_lpStorage, reinterpret_cast<void**>(&m_lpObject));
  if (!FinishCreate(hr))
    return FALSE;
  if (render == OLERENDER_DRAW)
    CachePicture();
  return TRUE;
}

BOOL COleClientItem::CreateFromData(COleDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                    LPFORMATETC lpFormatEtc) {
  if (pDataObject == nullptr || pDataObject->GetIDataObject() == nullptr || !CreateStorage())
    return FALSE;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (lpFormatEtc == nullptr && cfFormat != 0)
    lpFormatEtc = &format;
  HRESULT hr =
      ::OleCreateFromData(pDataObject->GetIDataObject(), IID_IOleObject, render, lpFormatEtc,
                          static_cast<IOleClientSite*>(m_pSites), m_lpStorage, reinterpret_cast<void**>(&m_lpObject));
  if (!FinishCreate(hr))
    return FALSE;
  if (render == OLERENDER_DRAW)
    CachePicture();
  return TRUE;
}

namespace {

// An enhanced metafile as a metafile picture of its frame's size.
HGLOBAL MetafilePictureOf(HENHMETAFILE hEnh) {
  ENHMETAHEADER header = {};
  if (::GetEnhMetaFileHeader(hEnh, sizeof header, &header) == 0)
    return nullptr;
  HDC hScreen = ::GetDC(nullptr);
  UINT nSize = ::GetWinMetaFileBits(hEnh, 0, nullptr, MM_ANISOTROPIC, hScreen);
  std::vector<BYTE> bits(nSize);
  HMETAFILE hMF = nSize != 0 && ::GetWinMetaFileBits(hEnh, nSize, bits.data(), MM_ANISOTROPIC, hScreen) == nSize
                      ? ::SetMetaFileBitsEx(nSize, bits.data())
                      : nullptr;
  ::ReleaseDC(nullptr, hScreen);
  HGLOBAL hPict = hMF != nullptr ? ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)) : nullptr;
  auto* pPict = hPict != nullptr ? static_cast<METAFILEPICT*>(::GlobalLock(hPict)) : nullptr;
  if (pPict == nullptr) {
    if (hPict != nullptr)
      ::GlobalFree(hPict);
    if (hMF != nullptr)
      ::DeleteMetaFile(hMF);
    return nullptr;
  }
  pPict->mm = MM_ANISOTROPIC;
  pPict->xExt = header.rclFrame.right - header.rclFrame.left;  // HIMETRIC, as the frame
  pPict->yExt = header.rclFrame.bottom - header.rclFrame.top;
  pPict->hMF = hMF;
  ::GlobalUnlock(hPict);
  return hPict;
}

// The data's picture as a metafile picture the caller owns, or null. Not
// every data object hands out every medium (the system's clipboard may not
// give a metafile picture though it offers one), so an enhanced metafile is
// taken too.
HGLOBAL TakePicture(COleDataObject* pDataObject) {
  STGMEDIUM medium = {};
  if (pDataObject->GetData(CF_METAFILEPICT, &medium)) {
    if (medium.tymed == TYMED_MFPICT && medium.pUnkForRelease == nullptr)
      return medium.hMetaFilePict;
    ::ReleaseStgMedium(&medium);
  }
  medium = STGMEDIUM();
  if (pDataObject->GetData(CF_ENHMETAFILE, &medium)) {
    HGLOBAL hPict = medium.tymed == TYMED_ENHMF ? MetafilePictureOf(medium.hEnhMetaFile) : nullptr;
    ::ReleaseStgMedium(&medium);
    return hPict;
  }
  return nullptr;
}

}  // namespace

BOOL COleClientItem::CreateStaticFromData(COleDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                          LPFORMATETC lpFormatEtc) {
  if (pDataObject == nullptr || pDataObject->GetIDataObject() == nullptr)
    return FALSE;
  // A picture is kept as a metafile picture, which every picture cache
  // draws; other data (a bitmap) goes to the system as it is.
  COleDataSource* pSource = nullptr;
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  LPDATAOBJECT lpData = pDataObject->GetIDataObject();
  if (lpFormatEtc == nullptr && (cfFormat == 0 || cfFormat == CF_METAFILEPICT || cfFormat == CF_ENHMETAFILE)) {
    HGLOBAL hPict = TakePicture(pDataObject);
    if (hPict != nullptr) {
      pSource = new COleDataSource;
      STGMEDIUM medium = {};
      medium.tymed = TYMED_MFPICT;
      medium.hMetaFilePict = hPict;
      pSource->CacheData(CF_METAFILEPICT, &medium);
      lpData = static_cast<IDataObject*>(pSource);
      lpFormatEtc = &format;
      render = OLERENDER_FORMAT;
    }
  }
  if (lpFormatEtc == nullptr) {
    if (!pDataObject->IsDataAvailable(CF_DIB))
      return FALSE;
    format.cfFormat = CF_DIB;
    format.tymed = TYMED_HGLOBAL;
    lpFormatEtc = &format;
    render = OLERENDER_FORMAT;
  }
  HRESULT hr = E_FAIL;
  if (CreateStorage())
    hr = ::OleCreateStaticFromData(lpData, IID_IOleObject, render, lpFormatEtc, static_cast<IOleClientSite*>(m_pSites),
                                   m_lpStorage, reinterpret_cast<void**>(&m_lpObject));
  if (pSource != nullptr)
    pSource->InternalRelease();
  return FinishCreate(hr);
}

BOOL COleClientItem::CanPaste() {
  LPDATAOBJECT lpData = nullptr;
  if (FAILED(::OleGetClipboard(&lpData)) || lpData == nullptr)
    return FALSE;
  // An object, or a picture a static object is made from.
  HRESULT hr = ::OleQueryCreateFromData(lpData);
  lpData->Release();
  return hr == S_OK || hr == OLE_S_STATIC;
}

void COleClientItem::Close(OLECLOSE dwCloseOption) {
  if (m_lpObject == nullptr)
    return;
  if (IsInPlaceActive())
    Deactivate();
  m_lpObject->Close(dwCloseOption);
  if (m_nItemState != emptyState)
    m_nItemState = loadedState;
}

void COleClientItem::Release(OLECLOSE dwCloseOption) {
  if (m_lpObject != nullptr) {
    if (IsInPlaceActive())
      Deactivate();
    if (m_dwConnection != 0)
      m_lpObject->Unadvise(m_dwConnection);
    m_dwConnection = 0;
    if (m_lpViewObject != nullptr) {
      m_lpViewObject->SetAdvise(m_nDrawAspect, 0, nullptr);
      m_lpViewObject->Release();
      m_lpViewObject = nullptr;
    }
    m_lpObject->Close(dwCloseOption);
    m_lpObject->SetClientSite(nullptr);
    m_lpObject->Release();
    m_lpObject = nullptr;
  }
  if (m_lpStorage != nullptr) {
    m_lpStorage->Release();
    m_lpStorage = nullptr;
  }
  if (m_lpLockBytes != nullptr) {
    m_lpLockBytes->Release();
    m_lpLockBytes = nullptr;
  }
  m_nItemState = emptyState;
  m_pView = nullptr;
}

void COleClientItem::Delete(BOOL bAutoDelete) {
  Release(OLECLOSE_NOSAVE);
  if (COleDocument* pDoc = GetDocument())
    pDoc->RemoveItem(this);
  if (bAutoDelete)
    delete this;
}

BOOL COleClientItem::Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT nDrawAspect) {
  if (m_lpObject == nullptr || pDC == nullptr || lpBounds == nullptr)
    return FALSE;
  if (nDrawAspect == (DVASPECT)-1)
    nDrawAspect = m_nDrawAspect;
  RECT rc = *lpBounds;
  HRESULT hr;
  if (m_lpViewObject != nullptr)
    hr = m_lpViewObject->Draw(nDrawAspect, -1, nullptr, nullptr, nullptr, pDC->GetSafeHdc(),
                              reinterpret_cast<LPCRECTL>(&rc), nullptr, nullptr, 0);
  else
    hr = ::OleDraw(m_lpObject, nDrawAspect, pDC->GetSafeHdc(), &rc);
  return SUCCEEDED(hr);
}

namespace {

// A positive size, clamped to the largest extent taken; FALSE for none.
BOOL AcceptExtent(SIZEL sizel, LPSIZE lpSize) {
  if (sizel.cx <= 0 || sizel.cy <= 0)
    return FALSE;
  lpSize->cx = sizel.cx > COleClientItem::kMaxExtent ? COleClientItem::kMaxExtent : sizel.cx;
  lpSize->cy = sizel.cy > COleClientItem::kMaxExtent ? COleClientItem::kMaxExtent : sizel.cy;
  return TRUE;
}

}  // namespace

BOOL COleClientItem::GetCachedExtent(LPSIZE lpSize, DVASPECT nDrawAspect) {
  if (m_lpViewObject == nullptr || lpSize == nullptr)
    return FALSE;
  if (nDrawAspect == (DVASPECT)-1)
    nDrawAspect = m_nDrawAspect;
  SIZEL sizel = {0, 0};
  if (FAILED(m_lpViewObject->GetExtent(nDrawAspect, -1, nullptr, &sizel)))
    return FALSE;
  return AcceptExtent(sizel, lpSize);
}

BOOL COleClientItem::GetExtent(LPSIZE lpSize, DVASPECT nDrawAspect) {
  if (m_lpObject == nullptr || lpSize == nullptr)
    return FALSE;
  if (nDrawAspect == (DVASPECT)-1)
    nDrawAspect = m_nDrawAspect;
  SIZEL sizel = {0, 0};
  if (FAILED(m_lpObject->GetExtent(nDrawAspect, &sizel)))
    return FALSE;
  return AcceptExtent(sizel, lpSize);
}

void COleClientItem::SetExtent(const CSize& size, DVASPECT nDrawAspect) {
  if (m_lpObject == nullptr)
    return;
  SIZEL sizel = {size.cx, size.cy};
  m_lpObject->SetExtent(nDrawAspect, &sizel);
}

void COleClientItem::SetDrawAspect(DVASPECT nDrawAspect) {
  if (m_nDrawAspect == nDrawAspect)
    return;
  if (m_lpViewObject != nullptr)
    m_lpViewObject->SetAdvise(nDrawAspect, 0, static_cast<IAdviseSink*>(m_pSites));
  m_nDrawAspect = nDrawAspect;
  OnChange(OLE_CHANGED_ASPECT, (DWORD)nDrawAspect);
}

CSize COleClientItem::HimetricToDevice(HDC hDC, CSize sizeHimetric) {
  HDC hScreen = nullptr;
  if (hDC == nullptr)
    hDC = hScreen = ::GetDC(nullptr);
  int nX = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSX) : 0;
  int nY = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 0;
  if (hScreen != nullptr)
    ::ReleaseDC(nullptr, hScreen);
  // A device that gives no resolution is taken at the usual 96 per inch.
  if (nX <= 0)
    nX = 96;
  if (nY <= 0)
    nY = 96;
  return CSize(::MulDiv(sizeHimetric.cx, nX, 2540), ::MulDiv(sizeHimetric.cy, nY, 2540));
}

BOOL COleClientItem::IsRunning() const {
  return m_lpObject != nullptr && ::OleIsRunning(m_lpObject);
}

DWORD COleClientItem::GetMiscStatus() const {
  DWORD dwStatus = 0;
  if (m_lpObject != nullptr && FAILED(m_lpObject->GetMiscStatus(m_nDrawAspect, &dwStatus)))
    dwStatus = 0;
  return dwStatus;
}

HWND COleClientItem::GetInPlaceWindow() const {
  HWND hWnd = nullptr;
  if (m_lpInPlaceObject != nullptr && IsInPlaceActive() && FAILED(m_lpInPlaceObject->GetWindow(&hWnd)))
    hWnd = nullptr;
  return hWnd;
}

HWND COleClientItem::GetViewWindow() const {
  return m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
}

void COleClientItem::SetState(UINT nState) {
  if (m_nItemState == nState)
    return;
  m_nItemState = nState;
  OnChange(OLE_CHANGED_STATE, nState);
}

BOOL COleClientItem::DoVerb(LONG nVerb, CView* pView, LPMSG lpMsg) {
  if (m_lpObject == nullptr)
    return FALSE;
  if (!Activate(nVerb, pView, lpMsg)) {
    AfxMessageBox(kActivateFailed, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  return TRUE;
}

BOOL COleClientItem::Activate(LONG nVerb, CView* pView, LPMSG lpMsg) {
  if (m_lpObject == nullptr)
    return FALSE;
  m_pView = pView;
  CRect rcPos;
  OnGetItemPosition(rcPos);
  HRESULT hr = m_lpObject->DoVerb(nVerb, lpMsg, static_cast<IOleClientSite*>(m_pSites), -1, GetViewWindow(), &rcPos);
  if (FAILED(hr)) {
    if (!IsInPlaceActive())
      m_pView = nullptr;
    return FALSE;
  }
  return TRUE;
}

void COleClientItem::Deactivate() {
  // The object tells the site as it goes (OnInPlaceDeactivate), which lets
  // go of it; a server that went away says nothing, so the item does it.
  if (m_lpInPlaceObject != nullptr)
    m_lpInPlaceObject->InPlaceDeactivate();
  if (m_lpInPlaceObject != nullptr || IsInPlaceActive())
    OnInPlaceDeactivate();
}

void COleClientItem::OnInPlaceActivate() {
  if (m_lpInPlaceObject == nullptr && m_lpObject != nullptr)
    m_lpObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_lpInPlaceObject));
  OnActivate();
}

void COleClientItem::OnInPlaceDeactivate() {
  if (m_pFrameSite != nullptr) {
    m_pFrameSite->Restore();
    m_pFrameSite->Release();
    m_pFrameSite = nullptr;
  }
  if (m_lpInPlaceObject != nullptr) {
    m_lpInPlaceObject->Release();
    m_lpInPlaceObject = nullptr;
  }
  OnDeactivate();
}

HRESULT COleClientItem::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                         LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (ppFrame == nullptr || ppDoc == nullptr || lprcPosRect == nullptr || lprcClipRect == nullptr ||
      lpFrameInfo == nullptr)
    return E_POINTER;
  *ppFrame = nullptr;
  *ppDoc = nullptr;  // the document windows take no tool bars of their own
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    return E_FAIL;
  if (m_pFrameSite == nullptr) {
    CDocTemplate* pTemplate = GetDocument() != nullptr ? GetDocument()->GetDocTemplate() : nullptr;
    m_pFrameSite =
        new COleInPlaceFrame(static_cast<CFrameWnd*>(pMain), pTemplate != nullptr ? pTemplate->m_hMenuInPlace : nullptr,
                             pTemplate != nullptr ? pTemplate->m_hAccelInPlace : nullptr);
  }
  m_pFrameSite->AddRef();
  *ppFrame = m_pFrameSite;
  CRect rcPos, rcClip;
  OnGetItemPosition(rcPos);
  OnGetClipRect(rcClip);
  *lprcPosRect = rcPos;
  *lprcClipRect = rcClip;
  m_pFrameSite->GetFrameInfo(lpFrameInfo);
  return S_OK;
}

void COleClientItem::DeactivateUI() {
  if (m_lpInPlaceObject != nullptr && m_nItemState == activeUIState)
    m_lpInPlaceObject->UIDeactivate();
}

BOOL COleClientItem::SetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  if (m_lpInPlaceObject == nullptr)
    return FALSE;
  CRect rcPos, rcClip;
  if (lpPosRect == nullptr) {
    OnGetItemPosition(rcPos);
    lpPosRect = &rcPos;
  }
  if (lpClipRect == nullptr) {
    OnGetClipRect(rcClip);
    lpClipRect = &rcClip;
  }
  return SUCCEEDED(m_lpInPlaceObject->SetObjectRects(lpPosRect, lpClipRect));
}

void COleClientItem::OnChange(OLE_NOTIFICATION nCode, DWORD) {
  // A picture or state that changed is the document's change too.
  if (COleDocument* pDoc = GetDocument())
    if (nCode == OLE_CHANGED || nCode == OLE_SAVED)
      pDoc->SetModifiedFlag(TRUE);
}

BOOL COleClientItem::OnChangeItemPosition(const CRect& rectPos) {
  return IsInPlaceActive() ? SetItemRects(&rectPos) || m_lpInPlaceObject == nullptr : TRUE;
}

void COleClientItem::OnGetItemPosition(CRect& rPosition) {
  rPosition.SetRectEmpty();
}

void COleClientItem::OnGetClipRect(CRect& rClipRect) {
  rClipRect.SetRectEmpty();
  if (m_pView != nullptr)
    m_pView->GetClientRect(&rClipRect);
}

BOOL COleClientItem::CanActivate() {
  // An item shown as an icon opens in its own window.
  return m_lpObject != nullptr && m_pView != nullptr && m_nDrawAspect != DVASPECT_ICON;
}

void COleClientItem::OnActivate() {
  SetState(activeState);
}

void COleClientItem::OnActivateUI() {
  SetState(activeUIState);
}

void COleClientItem::OnDeactivateUI(BOOL) {
  // The frame gets its own menu and whole client area back.
  if (m_pFrameSite != nullptr)
    m_pFrameSite->Restore();
  if (m_nItemState == activeUIState)
    SetState(activeState);
}

void COleClientItem::OnDeactivate() {
  SetState(loadedState);
}

BOOL COleClientItem::SaveObject() {
  if (m_lpObject == nullptr || m_lpStorage == nullptr)
    return FALSE;
  IPersistStorage* lpPersist = nullptr;
  if (FAILED(m_lpObject->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&lpPersist))))
    return FALSE;
  HRESULT hr = ::OleSave(lpPersist, m_lpStorage, TRUE);
  lpPersist->SaveCompleted(nullptr);
  lpPersist->Release();
  if (SUCCEEDED(hr))
    hr = m_lpStorage->Commit(STGC_DEFAULT);
  return SUCCEEDED(hr);
}

BOOL COleClientItem::GetStorageBytes(HGLOBAL* phGlobal, DWORD* pnSize) {
  STATSTG stat = {};
  if (m_lpLockBytes == nullptr || FAILED(m_lpLockBytes->Stat(&stat, STATFLAG_NONAME)) ||
      FAILED(::GetHGlobalFromILockBytes(m_lpLockBytes, phGlobal)))
    return FALSE;
  if (stat.cbSize.QuadPart > kMaxStorageBytes || stat.cbSize.QuadPart > ::GlobalSize(*phGlobal))
    return FALSE;
  *pnSize = (DWORD)stat.cbSize.QuadPart;
  return TRUE;
}

void COleClientItem::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    HGLOBAL hGlobal = nullptr;
    DWORD nSize = 0;
    // An object that cannot be saved keeps what its storage last held.
    SaveObject();
    if (!GetStorageBytes(&hGlobal, &nSize))
      AfxThrowArchiveException(CArchiveException::genericException);
    ar << (DWORD)m_nDrawAspect << nSize;
    const void* p = ::GlobalLock(hGlobal);
    if (p == nullptr)
      AfxThrowArchiveException(CArchiveException::genericException);
    ar.Write(p, nSize);
    ::GlobalUnlock(hGlobal);
    return;
  }

  Release();
  DWORD nAspect = 0, nSize = 0;
  ar >> nAspect >> nSize;
  if ((nAspect != DVASPECT_CONTENT && nAspect != DVASPECT_ICON) || nSize == 0 || nSize > kMaxStorageBytes)
    AfxThrowArchiveException(CArchiveException::badIndex);
  m_nDrawAspect = (DVASPECT)nAspect;
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
  if (hGlobal == nullptr)
    AfxThrowMemoryException();
  void* p = ::GlobalLock(hGlobal);
  UINT nRead = p != nullptr ? ar.Read(p, nSize) : 0;
  ::GlobalUnlock(hGlobal);
  if (nRead != nSize) {
    ::GlobalFree(hGlobal);
    AfxThrowArchiveException(CArchiveException::endOfFile);
  }
  if (FAILED(::CreateILockBytesOnHGlobal(hGlobal, TRUE, &m_lpLockBytes))) {
    ::GlobalFree(hGlobal);
    AfxThrowArchiveException(CArchiveException::genericException);
  }
  HRESULT hr = ::StgIsStorageILockBytes(m_lpLockBytes);
  if (hr == S_OK)
    hr = ::StgOpenStorageOnILockBytes(m_lpLockBytes, nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                      &m_lpStorage);
  if (hr == S_OK)
    hr = ::OleLoad(m_lpStorage, IID_IOleObject, static_cast<IOleClientSite*>(m_pSites),
                   reinterpret_cast<void**>(&m_lpObject));
  if (hr != S_OK || !FinishCreate(hr)) {
    Release();
    AfxThrowArchiveException(CArchiveException::badSchema);
  }
}
