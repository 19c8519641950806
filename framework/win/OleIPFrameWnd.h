// COleIPFrameWnd: the frame of a server document edited in its container's
// window. It is a child of the container's window on the item's rectangle,
// holds a new view of the document inside a resize bar, and puts its tool
// bars into the container's frame, in the border space the container
// grants at the frame's top.
#pragma once

#include <ole2.h>

#include "framework/win/FrameWnd.h"

class COleIPFrameWnd;
class COleServerDoc;

// The container's frame window as the in-place frame's tool bars see it:
// a window of another program, never destroyed or laid out here beyond
// the bars placed in it.
class COleCntrFrameWnd : public CFrameWnd {
 public:
  explicit COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : m_pInPlaceFrame(pInPlaceFrame) {}
  ~COleCntrFrameWnd() override;
  void RecalcLayout(BOOL bNotify = TRUE) override;

 protected:
  void PostNcDestroy() override {}

 private:
  COleIPFrameWnd* m_pInPlaceFrame;
};

class COleIPFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(COleIPFrameWnd)
 public:
  COleIPFrameWnd();
  ~COleIPFrameWnd() override;

  // Creates the frame and its view (pContext) as a hidden child of
  // hWndParent, the container's window.
  BOOL CreateInPlace(HWND hWndParent, COleServerDoc* pDoc, CCreateContext* pContext);
  // The tool bars in the container's frame (pWndFrame) and document window
  // (pWndDoc, null when there is none).
  virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
  // The frame around the item's rectangle (in the container window's
  // coordinates), the resize bar's border outside it.
  virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);
  // The resize bar was dragged to lpRect (container window's coordinates).
  virtual void OnResizeRequest(LPCRECT lpRect);

  // Makes the tool bars in the container's frame (hWndFrame), once.
  BOOL BuildContainerBars(HWND hWndFrame, IOleInPlaceUIWindow* pFrame);
  // Asks the container's frame for room for the visible bars and places
  // them there; bars that get none are hidden.
  void RepositionContainerBars();
  // Gives the room back; the bars stay until the frame goes.
  void ReleaseContainerBars();

  // The view inside the resize bar.
  void RecalcLayout(BOOL bNotify = TRUE) override;

 protected:
  // Escape: the editing in place ends.
  void OnCancelEditSrvr();
  // The idle update of the frame, and of its bars in the container's frame.
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

  COleServerDoc* m_pServerDoc = nullptr;
  // The whole frame (item and border) in this window's client coordinates,
  // larger than the window where the container clips it; empty: the window.
  CRect m_rcLayout;
  COleCntrFrameWnd m_wndContainerFrame;
  IOleInPlaceUIWindow* m_lpFrame = nullptr;  // the container's frame (not held)
  BOOL m_bBarsBuilt = FALSE;

  DECLARE_MESSAGE_MAP()
};
