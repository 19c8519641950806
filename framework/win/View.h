// CView: a child window that shows a document. The frame's active view is
// the first to see commands, which it passes on to its document. Views are
// made by their runtime class from a creation context, belong to one
// document, and delete themselves when their window goes.
#pragma once

#include "framework/win/Wnd.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
struct CPrintInfo;

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
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) {}
  // Once, after the frame is built; by default the same as an update.
  virtual void OnInitialUpdate();
  // The document changed; pSender made the change. By default: repaint.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // The view became (or stopped being) its frame's active view.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) {}
  virtual BOOL IsSelected(const CObject* pDocItem) const { return FALSE; }

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

  CDocument* m_pDocument = nullptr;

  DECLARE_MESSAGE_MAP()
};
