// CBrivanenDView: the graph view of an nD document. It paints every data
// set of the document with its integration regions and the pictures pasted
// into it, turns presses and drags into the action of the document's mouse
// tool, shows the cursor's position in the status bar, copies the picture
// to the clipboard as an enhanced metafile, pastes pictures and holds OLE
// items, carries the magnifier and plays the current set as sound.
#pragma once

#include "common/MagnifyingGlass.h"
#include "framework/win/View.h"
#include "ndim/app/NdSound.h"

class CBrivanenDCntrItem;
class CBrivanenDDoc;
class CClipboardPicture;
class CDocItem;
class CIntegrationBlock;
class CRectTracker;
class CSpectrum2D;

class CBrivanenDView : public CView, public CMagnifierSource {
  DECLARE_DYNCREATE(CBrivanenDView)
 public:
  CBrivanenDView();
  ~CBrivanenDView() override;

  CBrivanenDDoc* GetDocument() const;
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL IsSelected(const CObject* pDocItem) const override;
  void OnDocItemRemoved(const CObject* pDocItem) override;

  // The selected OLE item, or null. Selecting another ends the in-place
  // editing of the item active here.
  CBrivanenDCntrItem* GetSelection() const { return m_pSelection; }
  void SetSelection(CBrivanenDCntrItem* pItem);

  // The picture the clipboard gets: 6000 units wide with the screen's
  // aspect, referred to the default printer (the screen without one).
  // Null when there is nothing to draw. The caller owns it.
  HENHMETAFILE RenderPicture();
  // The same picture, without trackers, scaled from the client area into
  // rect of pDC on a white ground: what a container shows of an embedded
  // document.
  void DrawPicture(CDC* pDC, const CRect& rect);

  CMagnifyingGlass& GetMagnifier() { return m_magnifier; }
  void HideMagnifier();
  CNdSound& GetSound() { return m_sound; }
  BOOL IsDoubleBuffered() const { return m_bDoubleBuffering; }

  // What the magnifier's lens shows: the current set magnified both ways
  // in its display mode, a crosshair and the position of the lens centre.
  COLORREF GetLensBackground() const override { return RGB(255, 255, 255); }
  void DrawMagnified(CDC* pDC, int nLensLeft, int nLensTop, int nSize, int nMagnification) override;
  void DrawLensOverlay(CDC* pDC, int nLensLeft, int nLensTop, int nSize) override;

 protected:
  BOOL OnEraseBkgnd(CDC*) { return FALSE; }  // OnDraw paints it all
  void OnPaint();
  void OnSize(UINT nType, int cx, int cy);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnCaptureChanged(CWnd* pWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnWaveDone(WPARAM wParam, LPARAM lParam);
  void OnEditCopy();
  void OnEditPaste();
  void OnEditClear();
  void OnUpdateEditClear(CCmdUI* pCmdUI);
  void OnViewMagnify();
  void OnUpdateViewMagnify(CCmdUI* pCmdUI);
  void OnViewDoubleBuffering();
  void OnUpdateViewDoubleBuffering(CCmdUI* pCmdUI);
  void OnSetFocus(CWnd* pOldWnd);
  void OnDestroy();
  void OnInsertObject();
  void OnCancelEditCntr();
  void OnCancelEditSrvr();
  void OnPlay();
  void OnUpdatePlay(CCmdUI* pCmdUI);
  void OnStop();
  void OnUpdateStop(CCmdUI* pCmdUI);

 private:
  // OnDraw's steps after the background: every set with its regions, the
  // pictures, the grid; bScreen adds the trackers.
  void DrawDocument(CDC* pDC, double dFactorX, double dFactorY, BOOL bScreen);
  void DrawGrid(CDC* pDC, const CSpectrum2D& set);

  // OLE items (BrivanenDViewOle.cpp).
  void DrawItems(CDC* pDC, double dFactorX, double dFactorY, BOOL bScreen);
  void SetupTracker(CBrivanenDCntrItem* pItem, CRectTracker* pTracker) const;
  // The last item whose rectangle holds the point, or null.
  CBrivanenDCntrItem* ItemAt(CPoint point) const;
  // Selects the item under the point (or nothing) and drags it. FALSE when
  // no item was hit.
  BOOL TrackItem(CPoint point);
  void ActivateSelection();
  BOOL DeleteSelection();
  BOOL PasteItem();

  // Mouse tools (BrivanenDViewMouse.cpp).
  BOOL SelectRegion(CPoint point);
  BOOL SelectPicture(CPoint point);
  void StartCrosshair(CPoint point);
  void DrawCrosshair(CPoint point);
  void StartEdgeDrag(CPoint point, int nMode);
  void DrawEdgeGuide(int nPosition);
  void EndDrag();
  void UpdateCursorPosition(CPoint point);
  void ZoomBand(CPoint point);
  void SelectSpectrum(CPoint point);
  void ReferenceAxis(CPoint point, int nMode);
  void AddRegion(CPoint point);
  void PickTracePoint(CPoint point);
  void PickMapPoint(CPoint point);
  void DeleteHeadRegion();
  // The nD Reference dialog on the shift text; FALSE when it is cancelled.
  BOOL AskReference(CString& shift, LPCSTR lpszLabel);
  void ShowMagnifier(BOOL bShow);

  CBrivanenDCntrItem* m_pSelection = nullptr;
  CMagnifyingGlass m_magnifier;
  BOOL m_bPlayStopped = TRUE;  // no sound plays
  BOOL m_bDoubleBuffering = TRUE;
  CPoint m_ptDown;  // where the drag in progress began

  // Drag state.
  BOOL m_bCaptured = FALSE;   // a crosshair or edge drag holds the mouse
  BOOL m_bCrosshair = FALSE;  // crosshair lines are on the screen
  CPoint m_ptCrosshair;
  BOOL m_bGuide = FALSE;  // the edge guide is on the screen
  int m_nGuide = 0;       // its position: y for the top strip, x for the side one

  CNdSound m_sound;

  DECLARE_MESSAGE_MAP()
};
