#include "framework/win/View.h"

#include "framework/win/Dc.h"
#include "framework/win/Document.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument != nullptr)
    m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                       (HBRUSH)(COLOR_WINDOW + 1));
  cs.style |= WS_CLIPSIBLINGS;
  return cs.lpszClass != nullptr;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
    pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pFrame->GetActiveView() == this)
    pFrame->SetActiveView(nullptr);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
  delete this;
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
    return nResult;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr)
    pFrame->SetActiveView(this);
  return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() {
  OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
  Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this && m_hWnd != nullptr) {
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))
      SetFocus();
  }
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pProbe))
    return TRUE;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pProbe);
}
