// CRectTracker: a rectangle the user moves and resizes with the mouse (an
// item's frame, a region, a selection). It draws its frame and handles,
// tells which handle a point is on, sets the matching cursor, and tracks a
// drag in its own message loop while an inverted rectangle follows the
// mouse; Escape or the right button cancel. A rubber band is a tracker
// whose drag starts at a corner.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/Win32.h"

class CDC;
class CWnd;

class CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32,
  };
  // Hit-test results: the eight handles, the inside, or nothing.
  enum TrackerHit {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8,
  };

  CRectTracker() = default;
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(*lpSrcRect), m_nStyle(nStyle) {}
  virtual ~CRectTracker() = default;

  void Draw(CDC* pDC) const;
  // The rectangle with its border and outside handles.
  void GetTrueRect(LPRECT lpTrueRect) const;
  // Sets the cursor of the handle under the mouse; FALSE when it is not on
  // the tracker (the window sets its own).
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
  int HitTest(CPoint point) const;
  // The handle as seen on the rectangle after it is normalised (an inverted
  // rectangle's left handles are on its right).
  int NormalizeHit(int nHandle) const;

  // Tracks a drag that starts at point (in pWnd's client area) on a handle
  // or inside; TRUE when the rectangle changed. pWndClipTo: the window the
  // feedback stays in (pWnd when null).
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
  // A new rectangle dragged out from point; TRUE when it is not empty.
  BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

  // The feedback while tracking: by default an inverted dotted frame, drawn
  // a second time to erase it.
  virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
  // Corrects the rectangle while handle nHandle is dragged; by default keeps
  // the minimum size unless inverting is allowed.
  virtual void AdjustRect(int nHandle, LPRECT lpRect);
  // The rectangle changed during a drag (rectOld: the one before).
  virtual void OnChangedRect(const CRect& rectOld) {}
  // Bit n set: handle n is shown and can be taken.
  virtual UINT GetHandleMask() const;

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 6;
  CSize m_sizeMin = CSize(4, 4);

 protected:
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
  void GetHandleRect(int nHandle, CRect* pHandleRect) const;

  BOOL m_bAllowInvert = FALSE;
  BOOL m_bErase = FALSE;       // DrawTrackerRect: erasing the last feedback
  BOOL m_bFinalErase = FALSE;  // ... for the last time
};
