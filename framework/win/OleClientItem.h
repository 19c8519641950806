// COleClientItem: an object of another program (or a static picture) that
// a container document holds. The item keeps the object, its storage (a
// compound file on a block of global memory, so that the document's own
// archive carries it) and the sites through which the object talks back:
// IOleClientSite and IAdviseSink for changes and saves, IOleInPlaceSite and
// the frame's IOleInPlaceFrame (COleInPlaceFrame) while it is edited in the
// container's window.
#pragma once

#include <ole2.h>

#include "framework/base/Rect.h"
#include "framework/win/OleDocument.h"

class CDC;
class CView;
class CWnd;
class COleDataObject;
class COleInPlaceFrame;

// What an item's object tells its container.
enum OLE_NOTIFICATION {
  OLE_CHANGED,         // its picture or contents
  OLE_SAVED,           // it saved itself
  OLE_CLOSED,          // its server closed it
  OLE_RENAMED,         // its link's source moved
  OLE_CHANGED_STATE,   // open, active or loaded
  OLE_CHANGED_ASPECT,  // drawn as content or as an icon
};

class COleClientItem : public CDocItem {
  DECLARE_DYNAMIC(COleClientItem)
 public:
  enum ItemState {
    emptyState = 0,     // no object
    loadedState = 1,    // the object is loaded, its server need not run
    openState = 2,      // open in a window of its server
    activeState = 3,    // active in place
    activeUIState = 4,  // active in place with its menus and tool bars
  };

  explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
  ~COleClientItem() override;

  // --- Creation: each makes the item's storage and object; FALSE leaves
  // the item empty. ---
  // A new object of a registered class.
  BOOL CreateNewItem(REFCLSID clsid, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                     LPFORMATETC lpFormatEtc = nullptr);
  // An embedded object made from data that carries one (a copied object).
  BOOL CreateFromData(COleDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                      LPFORMATETC lpFormatEtc = nullptr);
  // A picture that no server edits, made from a metafile, enhanced metafile
  // or bitmap in the data.
  BOOL CreateStaticFromData(COleDataObject* pDataObject, OLERENDER render = OLERENDER_DRAW, CLIPFORMAT cfFormat = 0,
                            LPFORMATETC lpFormatEtc = nullptr);
  // Whether the clipboard holds something an item can be made from.
  static BOOL CanPaste();

  // --- Life ---
  // Closes the object (saving it into the item when asked).
  void Close(OLECLOSE dwCloseOption = OLECLOSE_SAVEIFDIRTY);
  // Lets go of the object and its storage; the item is empty after it.
  void Release(OLECLOSE dwCloseOption = OLECLOSE_NOSAVE);
  // Releases the object, leaves the document and, with bAutoDelete, deletes
  // the item.
  void Delete(BOOL bAutoDelete = TRUE);

  // --- Drawing and size ---
  // Draws the object's picture (its cache; no server needs to run) into
  // lpBounds. FALSE when there is nothing to draw.
  BOOL Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT nDrawAspect = (DVASPECT)-1);
  // The size of the cached picture in HIMETRIC. FALSE when the object gives
  // none or one that is not positive; an absurdly large one is clamped.
  BOOL GetCachedExtent(LPSIZE lpSize, DVASPECT nDrawAspect = (DVASPECT)-1);
  // The object's own size in HIMETRIC, asked of the object (its server may
  // run); the same limits.
  BOOL GetExtent(LPSIZE lpSize, DVASPECT nDrawAspect = (DVASPECT)-1);
  void SetExtent(const CSize& size, DVASPECT nDrawAspect = DVASPECT_CONTENT);
  DVASPECT GetDrawAspect() const { return m_nDrawAspect; }
  void SetDrawAspect(DVASPECT nDrawAspect);
  // The largest extent taken from an object, 10 m either way in HIMETRIC.
  static const LONG kMaxExtent = 1000000;
  // A HIMETRIC size in device units of hDC (the screen when null).
  static CSize HimetricToDevice(HDC hDC, CSize sizeHimetric);

  // --- State ---
  UINT GetItemState() const { return m_nItemState; }
  BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }
  BOOL IsOpen() const { return m_nItemState == openState; }
  BOOL IsRunning() const;
  // The object's OLEMISC_ flags for the drawing aspect.
  DWORD GetMiscStatus() const;
  // The view the item is active in, or null.
  CView* GetActiveView() const { return m_pView; }
  // The object's own window while it is active in place, or null.
  HWND GetInPlaceWindow() const;
  COleDocument* GetDocument() const { return CDocItem::GetDocument(); }
  BOOL IsBlank() const override { return m_lpObject == nullptr; }

  // --- Activation ---
  // Runs verb nVerb (OLEIVERB_PRIMARY, OLEIVERB_OPEN, ...) on the object in
  // pView. A failure (the server cannot be started or went away) is told in
  // a message and answered FALSE; the item keeps its picture.
  BOOL DoVerb(LONG nVerb, CView* pView, LPMSG lpMsg = nullptr);
  BOOL Activate(LONG nVerb, CView* pView, LPMSG lpMsg = nullptr);
  // Ends in-place editing (the object stays loaded).
  void Deactivate();
  // Takes away the object's menus and tool bars; it stays active in place.
  void DeactivateUI();
  // Tells an object active in place its new position and clip rectangles
  // (the item's position and the view's client area when null).
  BOOL SetItemRects(LPCRECT lpPosRect = nullptr, LPCRECT lpClipRect = nullptr);

  // Writes or reads the item: its aspect and its storage with a length.
  // Loading throws a CArchiveException when the storage is not a readable
  // object, so the document can leave the item out.
  void Serialize(CArchive& ar) override;

  LPOLEOBJECT m_lpObject = nullptr;

 protected:
  // --- What the object's notifications turn into; derived items add to
  // them. ---
  virtual void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam);
  // The object asks to move or resize (in place); FALSE refuses.
  virtual BOOL OnChangeItemPosition(const CRect& rectPos);
  // The item's rectangle in the active view's client coordinates.
  virtual void OnGetItemPosition(CRect& rPosition);
  virtual void OnGetClipRect(CRect& rClipRect);
  virtual BOOL CanActivate();
  virtual void OnActivate();
  virtual void OnActivateUI();
  virtual void OnDeactivateUI(BOOL bUndoable);
  virtual void OnDeactivate();

 private:
  class CSites;
  friend class CSites;

  // The in-place site's steps.
  void OnInPlaceActivate();
  void OnInPlaceDeactivate();
  HRESULT GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                           LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo);

  // Makes an empty storage for a new object.
  BOOL CreateStorage();
  // Connects a freshly made or loaded object; FALSE (and empty) on failure.
  BOOL FinishCreate(HRESULT hr);
  // Keeps the content's picture in the object's cache, to draw and to save.
  void CachePicture();
  // Saves the object into its storage; FALSE when it cannot be.
  BOOL SaveObject();
  // The storage's bytes as they stand.
  BOOL GetStorageBytes(HGLOBAL* phGlobal, DWORD* pnSize);
  void SetState(UINT nState);
  HWND GetViewWindow() const;

  LPLOCKBYTES m_lpLockBytes = nullptr;
  LPSTORAGE m_lpStorage = nullptr;
  LPVIEWOBJECT2 m_lpViewObject = nullptr;
  LPOLEINPLACEOBJECT m_lpInPlaceObject = nullptr;
  COleInPlaceFrame* m_pFrameSite = nullptr;  // the frame while active in place
  DWORD m_dwConnection = 0;                  // the object's advise connection
  DVASPECT m_nDrawAspect = DVASPECT_CONTENT;
  UINT m_nItemState = emptyState;
  CView* m_pView = nullptr;  // the view it is active in
  CSites* m_pSites;
};
