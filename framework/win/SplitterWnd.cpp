#include "framework/win/SplitterWnd.h"

#include <algorithm>

#include "framework/win/Dc.h"
#include "framework/win/Document.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/View.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (pParentWnd == nullptr || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd != nullptr)
    return FALSE;
  m_nMaxRows = m_nRows = nRows;
  m_nMaxCols = m_nCols = nCols;
  m_rowInfo.assign((size_t)nRows, CRowColInfo());
  m_colInfo.assign((size_t)nCols, CRowColInfo());
  m_pRowInfo = m_rowInfo.data();
  m_pColInfo = m_colInfo.data();
  LPCSTR lpszClass =
      AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1));
  CRect rc;
  pParentWnd->GetClientRect(&rc);
  return CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rc, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
  if (row < 0 || col < 0 || row >= m_nMaxRows || col >= m_nMaxCols || pViewClass == nullptr)
    return FALSE;
  if (GetPane(row, col) != nullptr)
    return FALSE;  // the pane is taken
  m_pColInfo[col].nIdealSize = sizeInit.cx;
  m_pRowInfo[row].nIdealSize = sizeInit.cy;
  CCreateContext context;
  if (pContext == nullptr) {
    // The new view shows the document of the frame's active view.
    CFrameWnd* pFrame = GetParentFrame();
    context.m_pCurrentDoc = pFrame != nullptr ? pFrame->GetActiveDocument() : nullptr;
    context.m_pCurrentFrame = pFrame;
    pContext = &context;
  }
  CObject* pObject = pViewClass->CreateObject();
  if (pObject == nullptr)
    return FALSE;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete pObject;
    return FALSE;
  }
  CWnd* pWnd = static_cast<CWnd*>(pObject);
  CRect rc(0, 0, sizeInit.cx, sizeInit.cy);
  // A view whose window fails deletes itself.
  return pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rc, this, (UINT)IdFromRowCol(row, col), pContext);
}

void CSplitterWnd::DeleteView(int row, int col) {
  CWnd* pPane = GetPane(row, col);
  if (pPane == nullptr)
    return;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pFrame->GetActiveView() == pPane) {
    // The activation moves to another visible pane first.
    CWnd* pOther = nullptr;
    for (int r = 0; r < m_nRows && pOther == nullptr; ++r)
      for (int c = 0; c < m_nCols && pOther == nullptr; ++c)
        if ((r != row || c != col) && GetPane(r, c) != nullptr)
          pOther = GetPane(r, c);
    pFrame->SetActiveView(pOther);
  }
  pPane->DestroyWindow();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  cyCur = cyMin = 0;
  if (row < 0 || row >= m_nMaxRows)
    return;
  cyCur = m_pRowInfo[row].nCurSize;
  cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  if (row < 0 || row >= m_nMaxRows)
    return;
  m_pRowInfo[row].nIdealSize = cyIdeal;
  m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  cxCur = cxMin = 0;
  if (col < 0 || col >= m_nMaxCols)
    return;
  cxCur = m_pColInfo[col].nCurSize;
  cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= m_nMaxCols)
    return;
  m_pColInfo[col].nIdealSize = cxIdeal;
  m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (m_hWnd == nullptr)
    return nullptr;
  return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const {
  if (pWnd == nullptr || pWnd->m_hWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
    return FALSE;
  int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (nID < 0 || nID >= 16 * 16)
    return FALSE;
  if (pRow != nullptr)
    *pRow = nID / 16;
  if (pCol != nullptr)
    *pCol = nID % 16;
  return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) const {
  CFrameWnd* pFrame = GetParentFrame();
  CWnd* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
  if (pView == nullptr || !IsChildPane(pView, pRow, pCol))
    return nullptr;
  return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
  if (pPane == nullptr)
    return;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView)))
    pFrame->SetActiveView(pPane);
  else
    pPane->SetFocus();
}

void CSplitterWnd::LayoutAxis(CRowColInfo* pInfo, int nCount, int nSpace, int nGap) {
  int remaining = nSpace;
  for (int i = 0; i < nCount; ++i) {
    int size;
    if (i == nCount - 1) {
      size = std::max(0, remaining);
    } else {
      size = pInfo[i].nIdealSize < pInfo[i].nMinSize ? 0 : pInfo[i].nIdealSize;
      size = std::max(0, std::min(size, remaining - nGap));
    }
    pInfo[i].nCurSize = size;
    remaining -= size + nGap;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == nullptr || m_nRows < 1 || m_nCols < 1)
    return;
  CRect rc;
  GetClientRect(&rc);
  LayoutAxis(m_pRowInfo, m_nRows, rc.Height(), m_cySplitterGap);
  LayoutAxis(m_pColInfo, m_nCols, rc.Width(), m_cxSplitterGap);
  int y = 0;
  for (int r = 0; r < m_nRows; ++r) {
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
      CWnd* pPane = GetPane(r, c);
      if (pPane != nullptr)
        ::SetWindowPos(pPane->m_hWnd, nullptr, x, y, m_pColInfo[c].nCurSize, m_pRowInfo[r].nCurSize,
                       SWP_NOZORDER | SWP_NOACTIVATE);
      x += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    }
    y += m_pRowInfo[r].nCurSize + m_cySplitterGap;
  }
  Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int, int) {
  if (nType != SIZE_MINIMIZED)
    RecalcLayout();
}

void CSplitterWnd::OnPaint() {
  // The panes cover their cells; what shows between them is the bars.
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  ::FillRect(dc.m_hDC, &rc, ::GetSysColorBrush(COLOR_3DFACE));
}

int CSplitterWnd::HitRowBar(CPoint point) const {
  int y = 0;
  for (int r = 0; r + 1 < m_nRows; ++r) {
    y += m_pRowInfo[r].nCurSize;
    if (point.y >= y && point.y < y + m_cySplitterGap)
      return r;
    y += m_cySplitterGap;
  }
  return -1;
}

int CSplitterWnd::HitColumnBar(CPoint point) const {
  int x = 0;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    x += m_pColInfo[c].nCurSize;
    if (point.x >= x && point.x < x + m_cxSplitterGap)
      return c;
    x += m_cxSplitterGap;
  }
  return -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (HitRowBar(point) >= 0) {
      ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZENS));
      return TRUE;
    }
    if (HitColumnBar(point) >= 0) {
      ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  m_nTrackRow = HitRowBar(point);
  m_nTrackCol = m_nTrackRow < 0 ? HitColumnBar(point) : -1;
  if (m_nTrackRow < 0 && m_nTrackCol < 0)
    return;
  // Where on the bar it was taken, so the bar does not jump to the mouse.
  int edge = 0;
  if (m_nTrackRow >= 0) {
    for (int r = 0; r <= m_nTrackRow; ++r)
      edge += m_pRowInfo[r].nCurSize + (r < m_nTrackRow ? m_cySplitterGap : 0);
    m_nTrackOffset = point.y - edge;
  } else {
    for (int c = 0; c <= m_nTrackCol; ++c)
      edge += m_pColInfo[c].nCurSize + (c < m_nTrackCol ? m_cxSplitterGap : 0);
    m_nTrackOffset = point.x - edge;
  }
  SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (::GetCapture() != m_hWnd)
    return;
  // The row above (column left of) the bar takes the new size as its ideal.
  if (m_nTrackRow >= 0) {
    int top = 0;
    for (int r = 0; r < m_nTrackRow; ++r)
      top += m_pRowInfo[r].nCurSize + m_cySplitterGap;
    m_pRowInfo[m_nTrackRow].nIdealSize = std::max(0, (int)point.y - m_nTrackOffset - top);
  } else if (m_nTrackCol >= 0) {
    int left = 0;
    for (int c = 0; c < m_nTrackCol; ++c)
      left += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    m_pColInfo[m_nTrackCol].nIdealSize = std::max(0, (int)point.x - m_nTrackOffset - left);
  }
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (::GetCapture() != m_hWnd)
    return;
  OnMouseMove(nFlags, point);
  ::ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd*) {
  m_nTrackRow = -1;
  m_nTrackCol = -1;
}
