// Print preview. CView::DoPrintPreview hands the top-level frame to a
// CPreviewView: the frame's bars and its client (the document view, or the
// MDI client) are put aside, a preview bar (Print, Next Page, Prev Page,
// One/Two Page, Zoom In, Zoom Out, Close) takes their place, and the
// preview view shows the print view's pages. Each page is recorded by the
// print view's OnPrint into an enhanced metafile whose reference device is
// the printer (so the page's measures and fonts are the printer's) and
// played into the page's rectangle on the screen. Close gives the frame back.
#pragma once

#include <vector>

#include "framework/base/Rect.h"
#include "framework/win/Dc.h"
#include "framework/win/View.h"

class CControlBar;
class CCmdUI;
struct CPrintInfo;

// A frame's pane while the preview has it (the view, or the MDI client).
#define AFX_IDW_PANE_SAVE 59904

// How the frame was before the preview took it over; made by the caller of
// DoPrintPreview and freed by the preview when it closes (the caller frees
// it when DoPrintPreview fails).
struct CPrintPreviewState {
  HWND hWndPane = nullptr;               // the pane put aside
  CWnd* pViewActiveOld = nullptr;        // the frame's active view before
  std::vector<CControlBar*> hiddenBars;  // bars the preview hid
};

class CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
 public:
  CPreviewView();
  ~CPreviewView() override;

  // Pages shown at once and the zoom: 0 the whole page(s), 1 and 2 larger.
  enum { kZoomOut = 0, kZoomMiddle = 1, kZoomIn = 2 };

  // Starts the print view's preview road (OnPreparePrinting with the
  // preview flag, its printer DC, OnBeginPrinting); FALSE when it refuses.
  BOOL SetPrintView(CView* pPrintView);

  void OnDraw(CDC* pDC) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Where page i (0 or 1) of the pages shown lies in the window, and its page number.
  struct PageInfo {
    CRect rectScreen;     // the physical page
    CRect rectPrintable;  // its printable area
    UINT nPage = 0;       // 0: no page here
  };
  PageInfo m_pageInfo[2];

  CView* m_pOrigView = nullptr;                   // the view the preview was asked from
  CView* m_pPrintView = nullptr;                  // the view whose pages are shown
  CPrintInfo* m_pPreviewInfo = nullptr;           // owned
  CDC m_dcPrint;                                  // the printer: the pages' attribute device
  CPrintPreviewState* m_pPreviewState = nullptr;  // owned once the preview is up
  CControlBar* m_pToolBar = nullptr;              // the preview bar (deletes itself with its window)
  UINT m_nCurrentPage = 1;
  UINT m_nPages = 1;  // 1 or 2 side by side
  int m_nZoomState = kZoomOut;

 protected:
  friend class CView;
  void OnPreviewClose();
  void OnNextPage();
  void OnPrevPage();
  void OnNumPageChange();
  void OnZoomIn();
  void OnZoomOut();
  void OnPreviewPrint();
  void OnUpdateNextPage(CCmdUI* pCmdUI);
  void OnUpdatePrevPage(CCmdUI* pCmdUI);
  void OnUpdateNumPageChange(CCmdUI* pCmdUI);
  void OnUpdateZoomIn(CCmdUI* pCmdUI);
  void OnUpdateZoomOut(CCmdUI* pCmdUI);
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnSize(UINT nType, int cx, int cy);
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void PostNcDestroy() override;

  // Whether page nPage exists (asks the print view for a document of unknown length).
  BOOL PageExists(UINT nPage);
  // Places the shown pages for the window's size, zoom and scroll position.
  void LayOutPages();
  // Draws one page's content into its printable rectangle on pDC.
  void DrawPage(CDC* pDC, const PageInfo& page);
  // The page description on the frame's status bar.
  void ShowPageNumber();
  void SetCurrentPage(UINT nPage);
  // Gives the frame back as it was and destroys the preview.
  void RestoreFrame();

  CSize m_sizePhysical;  // the printer's page, printer pixels
  CPoint m_ptPrintable;  // the printable area's offset in it
  CSize m_sizePrintable;
  CPoint m_ptScroll;  // scroll position while zoomed in

  DECLARE_MESSAGE_MAP()
};
