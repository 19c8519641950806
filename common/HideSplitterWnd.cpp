#include "common/HideSplitterWnd.h"

#include "framework/win/View.h"

IMPLEMENT_DYNAMIC(CHideSplitterWnd, CSplitterWnd)

int CHideSplitterWnd::SizeToKeep(const CRowColInfo& info) {
  return info.nCurSize > 0 ? info.nCurSize : info.nIdealSize;
}

void CHideSplitterWnd::HideRow(int row) {
  if (m_nHiddenRow != -1 || m_nRows < 2 || row < 0 || row >= m_nRows)
    return;
  m_nHiddenRow = row;
  int nActiveRow = -1, nActiveCol = -1;
  if (GetActivePane(&nActiveRow, &nActiveCol) != nullptr && nActiveRow == row)
    SetActivePane(row + 1 < m_nRows ? row + 1 : 0, nActiveCol);

  // The panes below move up one row; the hidden ones go just past the last.
  for (int col = 0; col < m_nCols; ++col) {
    CWnd* pHidden = GetPane(row, col);
    for (int r = row + 1; r < m_nRows; ++r) {
      if (CWnd* pPane = GetPane(r, col))
        pPane->SetDlgCtrlID(IdFromRowCol(r - 1, col));
    }
    if (pHidden != nullptr) {
      pHidden->ShowWindow(SW_HIDE);
      pHidden->SetDlgCtrlID(IdFromRowCol(m_nRows - 1, col));
    }
  }
  m_pRowInfo[m_nRows - 1].nCurSize = SizeToKeep(m_pRowInfo[row]);
  --m_nRows;
  RecalcLayout();
}

void CHideSplitterWnd::ShowRow() {
  if (m_nHiddenRow == -1)
    return;
  int cySaved = m_pRowInfo[m_nRows].nCurSize;
  ++m_nRows;
  int row = m_nHiddenRow;
  m_nHiddenRow = -1;

  for (int col = 0; col < m_nCols; ++col) {
    CWnd* pShown = GetPane(m_nRows - 1, col);
    if (pShown != nullptr)
      pShown->ShowWindow(SW_SHOWNA);
    for (int r = m_nRows - 2; r >= row; --r) {
      if (CWnd* pPane = GetPane(r, col))
        pPane->SetDlgCtrlID(IdFromRowCol(r + 1, col));
    }
    if (pShown != nullptr)
      pShown->SetDlgCtrlID(IdFromRowCol(row, col));
  }
  for (int r = m_nRows - 1; r > row; --r)
    m_pRowInfo[r].nIdealSize = m_pRowInfo[r - 1].nCurSize;
  if (cySaved > 0)
    m_pRowInfo[row].nIdealSize = cySaved;
  RecalcLayout();
}

void CHideSplitterWnd::HideColumn(int col) {
  if (m_nHiddenCol != -1 || m_nCols < 2 || col < 0 || col >= m_nCols)
    return;
  m_nHiddenCol = col;
  int nActiveRow = -1, nActiveCol = -1;
  if (GetActivePane(&nActiveRow, &nActiveCol) != nullptr && nActiveCol == col)
    SetActivePane(nActiveRow, col + 1 < m_nCols ? col + 1 : 0);

  for (int row = 0; row < m_nRows; ++row) {
    CWnd* pHidden = GetPane(row, col);
    for (int c = col + 1; c < m_nCols; ++c) {
      if (CWnd* pPane = GetPane(row, c))
        pPane->SetDlgCtrlID(IdFromRowCol(row, c - 1));
    }
    if (pHidden != nullptr) {
      pHidden->ShowWindow(SW_HIDE);
      pHidden->SetDlgCtrlID(IdFromRowCol(row, m_nCols - 1));
    }
  }
  m_pColInfo[m_nCols - 1].nCurSize = SizeToKeep(m_pColInfo[col]);
  --m_nCols;
  RecalcLayout();
}

void CHideSplitterWnd::ShowColumn() {
  if (m_nHiddenCol == -1)
    return;
  int cxSaved = m_pColInfo[m_nCols].nCurSize;
  ++m_nCols;
  int col = m_nHiddenCol;
  m_nHiddenCol = -1;

  for (int row = 0; row < m_nRows; ++row) {
    CWnd* pShown = GetPane(row, m_nCols - 1);
    if (pShown != nullptr)
      pShown->ShowWindow(SW_SHOWNA);
    for (int c = m_nCols - 2; c >= col; --c) {
      if (CWnd* pPane = GetPane(row, c))
        pPane->SetDlgCtrlID(IdFromRowCol(row, c + 1));
    }
    if (pShown != nullptr)
      pShown->SetDlgCtrlID(IdFromRowCol(row, col));
  }
  for (int c = m_nCols - 1; c > col; --c)
    m_pColInfo[c].nIdealSize = m_pColInfo[c - 1].nCurSize;
  if (cxSaved > 0)
    m_pColInfo[col].nIdealSize = cxSaved;
  RecalcLayout();
}

BOOL CHideSplitterWnd::ReplaceView(int row, int col, CRuntimeClass* pViewClass) {
  CWnd* pOld = GetPane(row, col);
  if (pOld == nullptr || pViewClass == nullptr || pOld->IsKindOf(pViewClass))
    return FALSE;
  CDocument* pDoc = pOld->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pOld)->GetDocument() : nullptr;
  int cyCur = 0, cyMin = 0, cxCur = 0, cxMin = 0;
  GetRowInfo(row, cyCur, cyMin);
  GetColumnInfo(col, cxCur, cxMin);
  DeleteView(row, col);

  CCreateContext context;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = pViewClass;
  context.m_pCurrentFrame = GetParentFrame();
  if (!CreateView(row, col, pViewClass, CSize(cxCur, cyCur), &context))
    return FALSE;
  SetRowInfo(row, cyCur, cyMin);
  SetColumnInfo(col, cxCur, cxMin);
  if (CWnd* pNew = GetPane(row, col))
    pNew->SendMessage(WM_INITIALUPDATE);
  RecalcLayout();
  return TRUE;
}

BOOL CHideSplitterWnd::SwitchView(int row, int col, CWnd* pWnd) {
  CWnd* pOld = GetPane(row, col);
  if (pWnd == nullptr || pOld == pWnd)
    return FALSE;
  int nNewId = pWnd->GetDlgCtrlID();
  if (pOld != nullptr) {
    pOld->SetDlgCtrlID(nNewId);
    pOld->ShowWindow(SW_HIDE);
  }
  pWnd->SetDlgCtrlID(IdFromRowCol(row, col));
  pWnd->ShowWindow(SW_SHOW);
  RecalcLayout();
  return TRUE;
}
