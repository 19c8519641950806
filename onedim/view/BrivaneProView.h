// CBrivaneProView: the view of a 1D document window (the lower pane of its
// splitter). It paints every spectrum of the document, with its axis scale
// and annotations, on the document's background, through an off-screen DC,
// and turns presses and drags into the action of the document's mouse tool.
#pragma once

#include "framework/win/View.h"
#include "onedim/view/FidSound.h"

class CBrivaneDocument;
class CDC;
class CSpectrum;

class CBrivaneProView : public CView {
  DECLARE_DYNCREATE(CBrivaneProView)
 public:
  CBrivaneProView() = default;

  CBrivaneDocument* GetDocument() const;
  void OnDraw(CDC* pDC) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The client rectangle spectra are laid out in: the current one, or the
  // last one with a size while the window has none (minimised, squeezed).
  CRect GetLayoutRect() const;

  // The point the nearest-maximum search found at the last mouse move, -1
  // for none.
  int GetFoundPoint() const { return m_nFoundPoint; }

  // The real part of one spectrum from float index nFirst to nLast, drawn
  // between the pixels nLeft and nRight, at the spectrum's own height and
  // scale, or scaled to fit pStrip when one is given (the full view's strip).
  static void DrawTrace(CDC* pDC, const CSpectrum& spectrum, int nFirst, int nLast, int nLeft, int nRight,
                        const RECT* pStrip = nullptr);

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnSize(UINT nType, int cx, int cy);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnCaptureChanged(CWnd* pWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnViewZoom();
  void OnUpdateViewZoom(CCmdUI* pCmdUI);
  void OnPlay();
  void OnUpdatePlay(CCmdUI* pCmdUI);
  LRESULT OnWaveDone(WPARAM wParam, LPARAM lParam);

 private:
  CSpectrum* SpectrumAt(CPoint point, BOOL* pOnScale) const;
  // A band dragged from point with the framework's rubber band; FALSE when
  // it has no width.
  BOOL TrackBand(CPoint point, CRect& band);
  void PointTool(int nMode);
  void ShowPeakList();
  void StartCrosshair(CPoint point);
  void DrawCrosshair(CPoint point);
  void EndDrag();
  void ShowReadout(CPoint point);
  void MoveSpectrum(CPoint point);

  // Drag state.
  BOOL m_bButtonDown = FALSE;
  CPoint m_ptLast;
  int m_nMoveOffset = 0;  // mouse x minus the spectrum's left edge at the press
  BOOL m_bShift = FALSE;
  BOOL m_bCtrl = FALSE;
  BOOL m_bMoveScale = FALSE;
  BOOL m_bCrosshair = FALSE;  // crosshair lines are on the screen
  int m_nFoundPoint = -1;
  CRect m_rcLastClient;
  CFidSound m_Sound;

  DECLARE_MESSAGE_MAP()
};
