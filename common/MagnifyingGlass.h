// CMagnifyingGlass: an overlay over a plot view that, while the left button
// is held, freezes a snapshot of the view and drags a lens (CMagnifierLens)
// showing the plot under it stretched horizontally. A right click opens
// the lens settings. The view that owns it says what the lens shows
// through CMagnifierSource, so both programs' views can carry one.
#pragma once

#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Wnd.h"

class CDC;

// What a lens shows, supplied by the magnified view.
class CMagnifierSource {
 public:
  virtual ~CMagnifierSource() = default;
  virtual COLORREF GetLensBackground() const = 0;
  // Draws, in lens coordinates, the plot under a lens of nSize pixels whose
  // top-left corner is at (nLensLeft, nLensTop) of the view, magnified
  // nMagnification tenths.
  virtual void DrawMagnified(CDC* pDC, int nLensLeft, int nLensTop, int nSize, int nMagnification) = 0;
  // Drawn over the finished lens, rims included; nothing by default.
  virtual void DrawLensOverlay(CDC* pDC, int nLensLeft, int nLensTop, int nSize) {}
};

class CMagnifyingGlass;

class CMagnifierLens : public CWnd {
 public:
  explicit CMagnifierLens(CMagnifyingGlass* pGlass) : m_pGlass(pGlass) {}
  BOOL Create(CWnd* pParent);

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);

 private:
  void DrawLens(CDC* pDC);
  CMagnifyingGlass* m_pGlass;

  DECLARE_MESSAGE_MAP()
};

class CMagnifyingGlass : public CWnd {
 public:
  CMagnifyingGlass();
  ~CMagnifyingGlass() override;
  CMagnifyingGlass(const CMagnifyingGlass&) = delete;
  CMagnifyingGlass& operator=(const CMagnifyingGlass&) = delete;

  // The overlay over pView's client area, hidden; pSource paints the lens.
  // nCursor: the magnifier cursor's resource; dwStyle: the overlay's style
  // besides WS_CHILD.
  BOOL Create(CWnd* pView, CMagnifierSource* pSource, UINT nCursor, DWORD dwStyle = WS_CLIPSIBLINGS);
  BOOL Create(CWnd* pView, CMagnifierSource* pSource);

  CMagnifierLens* GetLens() const { return m_pLens; }
  CMagnifierSource* GetSource() const { return m_pSource; }
  HBITMAP GetSnapshot() const { return (HBITMAP)m_snapshot.m_hObject; }
  BOOL IsDragging() const { return m_bDragging != 0; }

  // The settings dialog's values, by default a round lens of 200 pixels
  // magnifying 3.0 times (an owner may set others before use).
  int m_bDragging = 0;
  int m_nLensLeft = 0;  // overlay (= view) client coordinates
  int m_nLensTop = 0;
  int m_bRectangular = 0;
  int m_nMagnification = 30;  // tenths
  int m_nSize = 200;

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnCaptureChanged(CWnd* pWnd);

 private:
  void PlaceLens(CPoint point);
  void TakeSnapshot();
  void StopDragging();

  CMagnifierLens* m_pLens;
  HCURSOR m_hCursor = nullptr;
  CBitmap m_snapshot;
  CWnd* m_pView = nullptr;
  CMagnifierSource* m_pSource = nullptr;

  DECLARE_MESSAGE_MAP()
};

// The lens settings (template 301): Zoom in units, Size in pixels, and the
// rectangular-shape check. Zoom and Size are refused outside 0.1..100 and
// 100..500.
class CMagnifierSettingsDialog : public CDialog {
 public:
  explicit CMagnifierSettingsDialog(CWnd* pParent = nullptr);

  float m_fZoom = 3.0f;
  int m_nSize = 200;
  int m_bRectangular = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
