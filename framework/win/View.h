// CView: a child window that shows a document. The frame's active view is
// the first to see commands, which it passes on to its document. Views are
// made by their runtime class from a creation context, belong to one
// document, and delete themselves when their window goes.
#pragma once

#include "framework/win/Wnd.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CPreviewView;
struct CPrintInfo;
struct CPrintPreviewState;

// What a frame needs to build its views: the view class, the document they
// show and the template that made them.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CWnd* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  // Before each page (and before painting, with no print information). On a
  // printer the base stops after page 1 of a document of unknown length.
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  // Once, after the frame is built; by default the same as an update.
  virtual void OnInitialUpdate();
  // The document changed; pSender made the change. By default: repaint.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // The view became (or stopped being) its frame's active view.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) {}
  virtual BOOL IsSelected(const CObject* pDocItem) const { return FALSE; }
  // An item left the document (deleted, or the document emptied): a view
  // that keeps a pointer to it (its selection) lets go here.
  virtual void OnDocItemRemoved(const CObject* pDocItem) {}

  // Printing. OnPreparePrinting sets the page range and calls
  // DoPreparePrinting, which finds the printer: the print dialog, or with
  // no dialog (direct printing, the preview) the command line's printer or
  // the application's. FALSE stops the job.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // One page; by default OnDraw.
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // File > Print: the dialog, then every chosen page to the printer, with
  // the "Printing..." window and its Cancel.
  void OnFilePrint() { PrintDocument(FALSE); }
  // The same without a dialog (the command line's /p and /pt).
  void OnFilePrintDirect() { PrintDocument(TRUE); }
  // File > Print Preview with the framework's preview view and bar.
  void OnFilePrintPreview();
  // Print preview in the top-level frame (PreviewView.h): nIDResource is the
  // preview bar's dialog template (without one the framework lays out a bar
  // of its own), pPrintView the view whose pages are shown. pState becomes
  // the preview's; FALSE (the frame unchanged, pState the caller's) when the
  // preview could not start.
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                      CPrintPreviewState* pState);
  // The preview closes: by default OnEndPrinting, then the frame is given back.
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // The view's own map, then its document's.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override;

 protected:
  friend class CDocument;

  void PostNcDestroy() override;  // views live on the heap and delete themselves
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnPaint();
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  void PrintDocument(BOOL bDirect);

  CDocument* m_pDocument = nullptr;

  DECLARE_MESSAGE_MAP()
};
