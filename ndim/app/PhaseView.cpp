#include "ndim/app/PhaseView.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/processing/NdPhase.h"
#include "numerics/Constants.h"
#include "resources/BrivanenDRes.h"

IMPLEMENT_DYNAMIC(CPhaseView, CView)
IMPLEMENT_DYNCREATE(CPhaseView1, CPhaseView)
IMPLEMENT_DYNCREATE(CPhaseView2, CPhaseView)
IMPLEMENT_DYNCREATE(CPhaseView3, CPhaseView)

BEGIN_MESSAGE_MAP(CPhaseView1, CPhaseView)
  ON_WM_RBUTTONDOWN()
  ON_COMMAND(ID_PHASE_HIDE_WINDOW, OnHideWindow)
END_MESSAGE_MAP()

CBrivanenDDoc* CPhaseView::GetDocument() const {
  CDocument* pDoc = CView::GetDocument();
  return pDoc != nullptr && pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)) ? static_cast<CBrivanenDDoc*>(pDoc) : nullptr;
}

void CPhaseView::ShowRow(int row) {
  m_nRow = row;
  m_nColumn = -1;
}

void CPhaseView::ShowColumn(int column) {
  m_nColumn = column;
  m_nRow = -1;
}

// The trace is a copy of the row or column, turned by the phase the dialog
// previews over what the set holds: the set itself changes only on Apply.
void CPhaseView::OnDraw(CDC* pDC) {
  GetClientRect(&m_rect);
  CBrivanenDDoc* pDoc = GetDocument();
  if (pDoc == nullptr)
    return;
  pDC->SetBkMode(TRANSPARENT);
  CFont font;
  font.CreateFont(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  CSelectGuard fontGuard(*pDC, &font);
  if (HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PHASE_VIEW)))
    pDC->DrawIcon(0, 0, hIcon);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  if (set == nullptr || set->m_pData == nullptr || set->m_nLastDim != 2)
    return;
  const int f2 = set->m_dims[2].m_nPoints;
  const int f1 = set->m_dims[1].m_nPoints;
  const int floats = set->FloatsPerPoint();
  const CRect& zoom = set->m_zoom;
  char label[32];
  if (m_nRow >= 0 && m_nRow < f1) {
    std::vector<float> row(set->m_pData + static_cast<size_t>(m_nRow) * f2 * floats,
                           set->m_pData + static_cast<size_t>(m_nRow + 1) * f2 * floats);
    double zero = 0, first = 0;
    if (!set->m_bReal && pDoc->GetPreviewTurn(2, zero, first))
      NdPhase(row.data(), 1, f2, 1, zero, first);
    const int from = zoom.left < 0 ? 0 : zoom.left;
    const int to = zoom.right > f2 ? f2 : zoom.right;
    if (to > from)
      CSpectrum2D::DrawTrace(pDC, row.data() + static_cast<size_t>(from) * floats, to - from, floats, m_trace, m_rect,
                             true, 1.0);
    std::snprintf(label, sizeof label, "Row # %d", m_nRow);
    pDC->TextOut(m_rect.Width() / 2 - 10, 3, label, static_cast<int>(std::strlen(label)));
  } else if (m_nColumn >= 0 && m_nColumn < f2) {
    std::vector<float> column(static_cast<size_t>(f1) * floats);
    for (int i = 0; i < f1; ++i)
      for (int k = 0; k < floats; ++k)
        column[static_cast<size_t>(i) * floats + k] =
            set->m_pData[(static_cast<size_t>(i) * f2 + m_nColumn) * floats + k];
    double zero = 0, first = 0;
    if (!set->m_bReal && pDoc->GetPreviewTurn(1, zero, first))
      NdPhase(column.data(), 1, f1, 1, zero, first);
    const int from = zoom.top < 0 ? 0 : zoom.top;
    const int to = zoom.bottom > f1 ? f1 : zoom.bottom;
    if (to > from)
      CSpectrum2D::DrawTrace(pDC, column.data() + static_cast<size_t>(from) * floats, to - from, floats, m_trace,
                             m_rect, false, 1.0);
    std::snprintf(label, sizeof label, "Col # %d", m_nColumn);
    pDC->TextOut(35, 15, label, static_cast<int>(std::strlen(label)));
  }
  pDoc->DrawPivotLine(pDC, m_rect.Height());
}

void CPhaseView1::OnRButtonDown(UINT nFlags, CPoint point) {
  CMenu menu;
  if (!menu.LoadMenu(IDR_PHASE_VIEW_MENU))
    return;
  ClientToScreen(&point);
  menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CPhaseView1::OnHideWindow() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame))) {
    CHideSplitterWnd& splitter = static_cast<CChildFrame*>(pFrame)->GetOuterSplitter();
    if (splitter.GetHiddenColumn() < 0)
      splitter.HideColumn(1);
  }
}
