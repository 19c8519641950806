// COleServerDoc: a document that other programs embed as an OLE object.
// The document is the object: its class factory (COleTemplateServer) makes
// a new document, the container talks to it through IOleObject,
// IDataObject and IPersistStorage, and its picture and extent come from its
// embedded item (COleServerItem), which the derived document supplies.
// A container that links to a saved file reaches the document through
// IPersistFile instead, and finds it running by the file's moniker.
//
// The document counts the references its clients hold. Releasing the last
// one closes it; a document closed while references remain (its window
// closed by the user) answers no more calls and is deleted at the last
// release.
#pragma once

#include <ole2.h>

#include "framework/win/OleDocument.h"

class COleServerItem;
class CFrameWnd;
class COleIPFrameWnd;

// One interface of an object whose IUnknown is the object's own: the
// interface answers for the whole and counts on its references.
template <class Interface, class Outer>
class CInterfaceOf : public Interface {
 public:
  explicit CInterfaceOf(Outer* pThis) : m_pThis(pThis) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pThis->InternalQueryInterface(riid, ppv); }
  STDMETHODIMP_(ULONG) AddRef() override { return m_pThis->InternalAddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return m_pThis->InternalRelease(); }

 protected:
  Outer* m_pThis;
};

class COleServerDoc : public COleDocument {
  DECLARE_DYNAMIC(COleServerDoc)
 public:
  COleServerDoc();
  ~COleServerDoc() override;

  // The item that stands for the whole document in its container: made by
  // OnGetEmbeddedItem on first use, owned by the document. Null once the
  // document is closed.
  COleServerItem* GetEmbeddedItem();
  BOOL IsEmbedded() const { return m_bEmbedded; }
  // Whether the document is being edited in its container's window.
  BOOL IsInPlaceActive() const { return m_pInPlaceFrame != nullptr; }
  COleIPFrameWnd* GetInPlaceFrame() const { return m_pInPlaceFrame; }
  // The container's site for the object, or null.
  IOleClientSite* GetClientSite() const { return m_lpClientSite; }

  // Tells the container that the picture changed; it asks for it again.
  void UpdateAllItems(COleServerItem* pSender, LPARAM lHint = 0, CObject* pHint = nullptr,
                      DVASPECT nDrawAspect = DVASPECT_CONTENT);
  // Asks the container to save the object into its storage now.
  void SaveEmbedding();

  // The object's references.
  ULONG InternalAddRef();
  ULONG InternalRelease();
  HRESULT InternalQueryInterface(REFIID riid, void** ppv);
  // The object's identity (one reference added).
  IUnknown* GetInterface();

  // The user ends the editing in place (Escape): the container gets its
  // menus and tools back and the object's window goes.
  virtual void OnDeactivateUI(BOOL bUndoable);
  // The resize bar asks the container for a new rectangle for the item.
  void RequestPositionChange(LPCRECT lpPosRect);

  void OnCloseDocument() override;
  // A document with a file, in a program that serves objects, is found
  // running under the file's moniker.
  void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
  // An embedded document's changes go back to its container; there is no
  // file to ask about.
  BOOL SaveModified() override;
  void RemoveItem(CDocItem* pItem) override;

 protected:
  virtual COleServerItem* OnGetEmbeddedItem() = 0;
  // The container's rectangles for an in-place window.
  virtual void OnSetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect);
  // Shows (open editing) or hides the document's window.
  virtual void OnShowDocument(BOOL bShow);
  // Edits the document in its container's window: FALSE when the container
  // cannot, and the document opens in a window of its own instead.
  virtual BOOL ActivateInPlace();
  // The in-place window goes; the container is told.
  virtual void DeactivateInPlace();
  // A new, empty object for the container.
  virtual void OnNewEmbedding(LPSTORAGE lpStorage);
  // The object read from the container's storage; FALSE (document empty)
  // when the storage cannot be read.
  virtual BOOL OnOpenEmbedding(LPSTORAGE lpStorage);
  // The object written into a storage of the container.
  virtual BOOL OnSaveEmbedding(LPSTORAGE lpStorage);
  // The frame of the document's first view, or null.
  CFrameWnd* GetDocumentFrame() const;

  // File > Update: the container takes the document as it is now.
  void OnFileUpdate() { SaveEmbedding(); }
  // File > Save Copy As: a native file of the document, which stays the container's.
  void OnFileSaveCopyAs() { DoSave(nullptr, FALSE); }

  IOleClientSite* m_lpClientSite = nullptr;
  LPSTORAGE m_lpRootStg = nullptr;  // the container's storage for the object
  BOOL m_bClosed = FALSE;

 private:
  class XOleObject : public CInterfaceOf<IOleObject, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override;
    STDMETHODIMP SetHostNames(LPCOLESTR szContainerApp, LPCOLESTR szContainerObj) override;
    STDMETHODIMP Close(DWORD dwSaveOption) override;
    STDMETHODIMP SetMoniker(DWORD dwWhichMoniker, IMoniker* pmk) override;
    STDMETHODIMP GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHODIMP InitFromData(IDataObject* pDataObject, BOOL fCreation, DWORD dwReserved) override;
    STDMETHODIMP GetClipboardData(DWORD dwReserved, IDataObject** ppDataObject) override;
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex, HWND hwndParent,
                        LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override;
    STDMETHODIMP GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType) override;
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP Unadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    STDMETHODIMP GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* pLogpal) override;
  };
  class XDataObject : public CInterfaceOf<IDataObject, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
    STDMETHODIMP GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
    STDMETHODIMP QueryGetData(FORMATETC* pFormatEtc) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) override;
    STDMETHODIMP SetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium, BOOL fRelease) override;
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    STDMETHODIMP DAdvise(FORMATETC* pFormatEtc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP DUnadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** ppEnumAdvise) override;
  };
  class XPersistStorage : public CInterfaceOf<IPersistStorage, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP InitNew(IStorage* pStg) override;
    STDMETHODIMP Load(IStorage* pStg) override;
    STDMETHODIMP Save(IStorage* pStgSave, BOOL fSameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage* pStgNew) override;
    STDMETHODIMP HandsOffStorage() override;
  };

  class XPersistFile : public CInterfaceOf<IPersistFile, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPCOLESTR pszFileName, DWORD dwMode) override;
    STDMETHODIMP Save(LPCOLESTR pszFileName, BOOL fRemember) override;
    STDMETHODIMP SaveCompleted(LPCOLESTR pszFileName) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName) override;
  };

  class XOleInPlaceObject : public CInterfaceOf<IOleInPlaceObject, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override;
  };
  class XOleInPlaceActiveObject : public CInterfaceOf<IOleInPlaceActiveObject, COleServerDoc> {
   public:
    using CInterfaceOf::CInterfaceOf;
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
    STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fFrameWindow) override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;
  };

  // The container's tools give way to the document's: its menus merged
  // into the container's, its tool bars in the container's frame.
  void ActivateUI();
  void DeactivateUI();
  void MergeMenus();
  void RemoveMenus();
  template <class T>
  static void ReleaseInterface(T*& rpInterface) {
    if (rpInterface != nullptr) {
      T* p = rpInterface;
      rpInterface = nullptr;
      p->Release();
    }
  }
  // Lets go of the container's site, storage and sinks.
  void ReleaseContainer();
  // The class the document's template is connected to.
  CLSID GetClassID() const;
  // An embedded document's window shows the template's embedding menu.
  void UseEmbeddingMenu(CFrameWnd* pFrame);
  // Keeps pStg as the object's storage (or none).
  void SetRootStorage(LPSTORAGE pStg);
  // The file moniker of the document's path, or null when it has none.
  IMoniker* GetFileMoniker() const;
  // Enters the document in the running object table under its file's
  // moniker, or takes it out.
  void RegisterMoniker();
  void RevokeMoniker();
  // Makes the advise holders on first use.
  IOleAdviseHolder* OleAdviseHolder();
  IDataAdviseHolder* DataAdviseHolder();

  XOleObject m_xOleObject{this};
  XDataObject m_xDataObject{this};
  XPersistStorage m_xPersistStorage{this};
  XPersistFile m_xPersistFile{this};
  XOleInPlaceObject m_xOleInPlaceObject{this};
  XOleInPlaceActiveObject m_xOleInPlaceActiveObject{this};
  COleIPFrameWnd* m_pInPlaceFrame = nullptr;
  IOleInPlaceSite* m_lpInPlaceSite = nullptr;
  IOleInPlaceFrame* m_lpInPlaceFrame = nullptr;
  IOleInPlaceUIWindow* m_lpDocWindow = nullptr;
  HWND m_hWndContainerFrame = nullptr;
  HMENU m_hSharedMenu = nullptr;
  HOLEMENU m_hOleMenu = nullptr;
  int m_nServerPopups[3] = {};  // our pop-ups in the shared menu: edit, object and help groups
  BOOL m_bUIActive = FALSE;
  COleServerItem* m_pEmbeddedItem = nullptr;
  IOleAdviseHolder* m_lpOleAdviseHolder = nullptr;
  IDataAdviseHolder* m_lpDataAdviseHolder = nullptr;
  ULONG m_dwRef = 0;
  DWORD m_dwRegisterROT = 0;  // the running object table's key, or 0
  ULONG m_nROTRefs = 0;       // references the table holds, which keep nothing alive
  CString m_strHostObj;       // the container's name for the object, for the window's title

  friend class XOleObject;
  friend class XDataObject;
  friend class XPersistStorage;
  friend class XPersistFile;
  friend class XOleInPlaceObject;
  friend class XOleInPlaceActiveObject;

  DECLARE_MESSAGE_MAP()
};
