// COleDropTarget: a window that takes data dropped on it. Register binds it
// to the window; while data is dragged over the window, OnDragEnter,
// OnDragOver and OnDragLeave answer which effect a drop there would have
// (DROPEFFECT_NONE: the no-drop cursor), and OnDrop takes the data. Points
// are in the window's client coordinates. The object lives as long as the
// registration (the destructor revokes it).
#pragma once

#include <ole2.h>

#include "framework/base/Point.h"
#include "framework/win/OleDataObject.h"

class CWnd;

class COleDropTarget : public IDropTarget {
 public:
  COleDropTarget() = default;
  virtual ~COleDropTarget();
  COleDropTarget(const COleDropTarget&) = delete;
  COleDropTarget& operator=(const COleDropTarget&) = delete;

  // FALSE when OLE refuses (not initialised, or the window has a target already).
  BOOL Register(CWnd* pWnd);
  virtual void Revoke();
  CWnd* GetWindow() const { return m_pWnd; }

  // The effect a drop at point would have; by default none.
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd) {}
  // Takes the data; FALSE when it could not (nothing was changed).
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  // DROPEFFECT_SCROLL (with the effect) while the window scrolls under the
  // mouse; otherwise OnDragOver decides. By default no scrolling.
  virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

  // IUnknown: the object's life is the registration's, not a count.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  // IDropTarget
  STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

 protected:
  // The effect of a drag at pt (screen) limited to what the source allows.
  DWORD Answer(BOOL bEnter, DWORD grfKeyState, POINTL pt, DWORD dwAllowed);
  CPoint ClientPoint(POINTL pt) const;

  CWnd* m_pWnd = nullptr;
  COleDataObject m_dataObject;  // what is dragged over the window now
};
