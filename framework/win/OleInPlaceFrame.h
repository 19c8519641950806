// COleInPlaceFrame: the container's main frame as an object edited in place
// sees it (IOleInPlaceFrame). The object's menus are merged with the
// container's own in-place menu (its File group first, its Window group
// last), its tool bars get the border space they ask for inside the
// frame's own bars, and the accelerators the container keeps while the
// object is active (Escape ends the editing) come back as commands to the
// frame. One lives while an item is active in place.
#pragma once

#include <ole2.h>

#include "framework/base/Rect.h"

class CFrameWnd;

class COleInPlaceFrame : public IOleInPlaceFrame {
 public:
  // hMenuInPlace: the container's in-place menu, its first pop-up the File
  // group, its last the Window group (not owned). hAccel: the accelerators
  // kept while the object is active.
  COleInPlaceFrame(CFrameWnd* pFrame, HMENU hMenuInPlace, HACCEL hAccel);
  COleInPlaceFrame(const COleInPlaceFrame&) = delete;
  COleInPlaceFrame& operator=(const COleInPlaceFrame&) = delete;

  // What the object is told of the frame.
  void GetFrameInfo(LPOLEINPLACEFRAMEINFO lpFrameInfo) const;
  // The active object's interface, for its keys; null when none.
  LPOLEINPLACEACTIVEOBJECT GetActiveObject() const { return m_lpActiveObject; }
  // Puts the frame's own menu and whole client area back.
  void Restore();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* phwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT lprectBorder) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName) override;
  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
  STDMETHODIMP SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
  STDMETHODIMP RemoveMenus(HMENU hmenuShared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR pszStatusText) override;
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG lpmsg, WORD wID) override;

 private:
  virtual ~COleInPlaceFrame();
  // The frame's client area inside its own bars.
  CRect InsideBars() const;

  CFrameWnd* m_pFrame;
  HMENU m_hMenuInPlace;
  HACCEL m_hAccel;
  HMENU m_hMenuShared = nullptr;  // the merged menu while it is shown
  LPOLEINPLACEACTIVEOBJECT m_lpActiveObject = nullptr;
  LONG m_nRefs = 1;
};
