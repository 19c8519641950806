// CBrivaneProView: the view of a 1D document window (the lower pane of its
// splitter). It paints every spectrum of the document, with its axis scale
// and annotations, on the document's background, through an off-screen DC,
// and turns presses and drags into the action of the document's mouse tool.
// It copies its picture to the clipboard, prints it (scaled from the window
// to the page inside the print margins) and carries the magnifying glass.
#pragma once

#include "common/MagnifyingGlass.h"
#include "controls/TFXDataTip.h"
#include "framework/win/RectTracker.h"
#include "framework/win/View.h"
#include "onedim/view/FidSound.h"

class CBrivaneDocument;
class CBrivaneProCntrItem;
class CDocItem;
class CDC;
class CIntegral;
class CSpectrum;
class CTextLabel;

class CBrivaneProView : public CView, public CMagnifierSource {
  DECLARE_DYNCREATE(CBrivaneProView)
 public:
  CBrivaneProView();
  ~CBrivaneProView() override;

  CBrivaneDocument* GetDocument() const;
  void OnInitialUpdate() override;
  // Hint 0 repaints the whole view; a spectrum passed with another hint,
  // only its bound rectangle (the whole view while it has none).
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;
  // Measures the printer's unprintable margins for the preview, then draws.
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The object is the selected OLE item.
  BOOL IsSelected(const CObject* pDocItem) const override;
  void OnDocItemRemoved(const CObject* pDocItem) override;

  // The selected OLE item, or null; selecting one repaints both.
  CBrivaneProCntrItem* GetSelection() const { return m_pSelection; }
  void SetSelection(CBrivaneProCntrItem* pItem);

  // The client rectangle spectra are laid out in: the current one, or the
  // last one with a size while the window has none (minimised, squeezed).
  CRect GetLayoutRect() const;

  // The point the nearest-maximum search found at the last mouse move, -1
  // for none.
  int GetFoundPoint() const { return m_nFoundPoint; }

  // The plot as the clipboard gets it: an enhanced metafile 15000 by 11250
  // units, referred to the default printer (the screen when there is
  // none). Null when there is nothing to draw. The caller owns it.
  HENHMETAFILE RenderPicture();

  CMagnifyingGlass& GetMagnifier() { return m_Magnifier; }
  TFXDataTip& GetDataTip() { return m_DataTip; }

  // What the magnifier's lens shows: the current spectrum's trace under it.
  COLORREF GetLensBackground() const override;
  void DrawMagnified(CDC* pDC, int nLensLeft, int nLensTop, int nSize, int nMagnification) override;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
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
  void OnViewZoom();
  void OnUpdateViewZoom(CCmdUI* pCmdUI);
  void OnPlay();
  void OnUpdatePlay(CCmdUI* pCmdUI);
  LRESULT OnWaveDone(WPARAM wParam, LPARAM lParam);
  void OnViewMagnifier();
  void OnUpdateViewMagnifier(CCmdUI* pCmdUI);
  void OnViewProperties();
  void OnEditCopy();
  // The print preview with its margin lines.
  void OnFilePrintPreviewOwn();

  // OLE items (BrivaneProViewOle.cpp).
  void OnSetFocus(CWnd* pOldWnd);
  void OnDestroy();
  void OnInsertObject();
  void OnCancelEditCntr();
  void OnEditClear();
  void OnUpdateEditClear(CCmdUI* pCmdUI);
  void OnEditPaste();

 private:
  // Everything OnDraw paints after the background, at the given device
  // factors; bScreen adds what only the screen shows.
  void DrawPlot(CDC* pDC, const CRect& rcClient, double dFactorX, double dFactorY, BOOL bScreen);
  void DrawGrid(CDC* pDC, const CRect& rcClient, double dFactorX, double dFactorY);
  void DrawMarks(CDC* pDC, CSpectrum& s, BOOL bScreen);
  void DrawActiveIcon(CDC* pDC, const CSpectrum& s);
  // Every spectrum's print factors back to the screen's 1.0.
  void ResetPrintScales();
  void DrawIconAtTraceEnd(CDC* pDC, const CSpectrum& s, HICON hIcon, int nOffsetX);
  void DrawOperandMarkers(CDC* pDC);

  CSpectrum* SpectrumAt(CPoint point, BOOL* pOnScale) const;
  CTextLabel* LabelAt(CPoint point, CSpectrum** ppOwner) const;
  CIntegral* IntegralAt(CPoint point, CSpectrum** ppOwner) const;
  // Selects the integral under point and tracks its rectangle; FALSE when
  // there is none.
  BOOL TrackIntegral(CPoint point);
  // A band dragged from point with the framework's rubber band; FALSE when
  // it has no width.
  BOOL TrackBand(CPoint point, CRect& band);
  void PointTool(int nMode);
  void ShowPeakList();
  void StartLabelMove(CPoint point, CSpectrum* pOwner, CTextLabel* pLabel);
  void DrawLabelOutline();
  void StartCrosshair(CPoint point);
  void DrawCrosshair(CPoint point);
  CRect MoveOutlineAt(const CSpectrum& s, CPoint point) const;
  void DrawMoveOutline();
  void EndDrag();
  void ShowReadout(CPoint point);
  void MoveSpectrum(CPoint point);
  void ShowMagnifier(BOOL bShow);

  // OLE items (BrivaneProViewOle.cpp).
  void DrawItems(CDC* pDC, double dFactorX, double dFactorY, BOOL bScreen);
  // The tracker of an item: its frame, and handles when it is selected.
  void SetupTracker(CBrivaneProCntrItem* pItem, CRectTracker* pTracker) const;
  // The topmost item under point, or null.
  CBrivaneProCntrItem* ItemAt(CPoint point) const;
  // Selects the item under point and tracks it; FALSE when there is none.
  BOOL TrackItem(CPoint point);
  // Opens the selected item with its verb (Ctrl: open in its own window).
  void ActivateSelection();
  // Deletes the selected item; FALSE when there is none.
  BOOL DeleteSelection();
  void DeleteSelectedMarks();
  // Scales every item's rectangle after a resize.
  void RescaleItems(double dx, double dy);
  // The cursor of the item under the mouse; FALSE when there is none.
  BOOL SetItemCursor(UINT nHitTest);

  // The selected OLE item (its tracker is made as it is drawn or hit).
  CBrivaneProCntrItem* m_pSelection = nullptr;

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
  CPoint m_ptPress;              // where a label drag began
  CRect m_rcLabel;               // the dragged label's outline
  BOOL m_bLabelOutline = FALSE;  // the outline is on the screen
  CRect m_rcMoveOutline;         // the line a spectrum's move drags
  BOOL m_bMoveOutline = FALSE;   // and whether it is on the screen

  HICON m_hIcons[3];              // marks of the active spectrum, by the icon type
  HICON m_hOperandIcons[2] = {};  // marks of the add/subtract operands A and B
  CMagnifyingGlass m_Magnifier;
  TFXDataTip m_DataTip;
  CFidSound m_Sound;

  DECLARE_MESSAGE_MAP()
};

// The keys both panes of a document window take before anything else:
// Escape leaves full screen and the mouse tool (and goes on); Tab makes
// the next spectrum current, after the last the first (and is consumed,
// TRUE).
BOOL PreTranslateViewKeys(CBrivaneDocument* pDoc, MSG* pMsg);
