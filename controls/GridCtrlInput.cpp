// CGridCtrl: the focus cell and the selection, the keyboard and the mouse,
// and editing a cell in place.
#include <algorithm>
#include <climits>

#include "controls/GridCellEdit.h"
#include "controls/GridCtrl.h"
#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"

namespace {

bool KeyDown(int vk) {
  return ::GetKeyState(vk) < 0;
}

}  // namespace

// --- The selected-cell list ---

void CGridCtrl::NoteSelectedBit(int nRow, int nCol, UINT nOldState, UINT nNewState) {
  const BOOL bWas = (nOldState & GVIS_SELECTED) != 0, bIs = (nNewState & GVIS_SELECTED) != 0;
  if (bWas == bIs)
    return;
  if (bWas) {
    --m_nSelectedCount;  // its entry stays until the list is compacted
    return;
  }
  ++m_nSelectedCount;
  m_SelectedCells.push_back(CCellID(nRow, nCol));
  if (m_SelectedCells.size() > 2 * (size_t)m_nSelectedCount + 64)
    CompactSelectedCells();
}

void CGridCtrl::CompactSelectedCells() {
  std::vector<CCellID> cells;
  cells.reserve((size_t)m_nSelectedCount);
  for (const CCellID& cell : m_SelectedCells)
    if (IsCellSelected(cell.row, cell.col))
      cells.push_back(cell);
  std::sort(cells.begin(), cells.end(),
            [](const CCellID& a, const CCellID& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  m_SelectedCells.swap(cells);
}

CCellRange CGridCtrl::GetSelectedRange() {
  int nMinRow = INT_MAX, nMinCol = INT_MAX, nMaxRow = -1, nMaxCol = -1;
  ForEachSelectedCell(m_SelectedCells, [&](const CCellID& cell) {
    nMinRow = std::min(nMinRow, cell.row);
    nMinCol = std::min(nMinCol, cell.col);
    nMaxRow = std::max(nMaxRow, cell.row);
    nMaxCol = std::max(nMaxCol, cell.col);
  });
  if (nMaxRow < 0)
    return CCellRange();
  return CCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
}

// --- Selection ---

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint) {
  SetSelectedRange(CCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol), bForceRepaint);
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint) {
  if (!m_bEnableSelection)
    return;
  // Only cells in view are drawn again; the rest show their state when scrolled to.
  CDC* pDC = m_bAllowDraw && m_hWnd != nullptr ? GetDC() : nullptr;
  const CCellRange visible = GetVisibleNonFixedCellRange();
  auto redraw = [&](int nRow, int nCol) {
    if (pDC != nullptr && (visible.InRange(nRow, nCol) || nRow < m_nFixedRows || nCol < m_nFixedCols))
      RedrawCell(nRow, nCol, pDC);
  };
  auto select = [&](int nRow, int nCol, BOOL bSelect) {
    const UINT nState = GetItemState(nRow, nCol);
    SetItemState(nRow, nCol, bSelect ? nState | GVIS_SELECTED : nState & ~GVIS_SELECTED);
    redraw(nRow, nCol);
  };

  ForEachSelectedCell(m_SelectedCells, [&](const CCellID& cell) {
    if (!range.InRange(cell))
      select(cell.row, cell.col, FALSE);
  });
  for (const CCellID& cell : m_PrevSelectedCells)
    if (IsValid(cell) && !IsCellSelected(cell.row, cell.col))
      select(cell.row, cell.col, TRUE);
  if (IsValid(range)) {
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
      for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
        if (!IsCellSelected(r, c))
          select(r, c, TRUE);
  }
  if (pDC != nullptr)
    ReleaseDC(pDC);
  if (bForceRepaint && m_hWnd != nullptr)
    Invalidate();
}

void CGridCtrl::ResetSelectedRange() {
  m_PrevSelectedCells.clear();
  SetSelectedRange(-1, -1, -1, -1);
  CompactSelectedCells();
}

void CGridCtrl::SelectAllCells() {
  SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CCellID currentCell) {
  if (!m_bEnableSelection || currentCell.col < m_nFixedCols)
    return;
  SetSelectedRange(m_nFixedRows, std::max(m_nFixedCols, std::min(m_SelectionStartCell.col, currentCell.col)),
                   GetRowCount() - 1, std::max(m_SelectionStartCell.col, currentCell.col));
}

void CGridCtrl::SelectRows(CCellID currentCell) {
  if (!m_bEnableSelection || currentCell.row < m_nFixedRows)
    return;
  SetSelectedRange(std::max(m_nFixedRows, std::min(m_SelectionStartCell.row, currentCell.row)), m_nFixedCols,
                   std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1);
}

void CGridCtrl::SelectCells(CCellID currentCell) {
  if (!m_bEnableSelection || !IsValid(currentCell))
    return;
  const int nStartRow = std::max(m_SelectionStartCell.row, m_nFixedRows);
  const int nStartCol = std::max(m_SelectionStartCell.col, m_nFixedCols);
  const int nRow = std::max(currentCell.row, m_nFixedRows), nCol = std::max(currentCell.col, m_nFixedCols);
  SetSelectedRange(std::min(nStartRow, nRow), std::min(nStartCol, nCol), std::max(nStartRow, nRow),
                   std::max(nStartCol, nCol));
}

void CGridCtrl::OnSelecting(const CCellID& currentCell) {
  switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
      SelectAllCells();
      break;
    case MOUSE_SELECT_COL:
      SelectColumns(currentCell);
      break;
    case MOUSE_SELECT_ROW:
      SelectRows(currentCell);
      break;
    case MOUSE_SELECT_CELLS:
      SelectCells(currentCell);
      break;
    default:
      break;
  }
}

// --- Focus ---

HWND CGridCtrl::GetNotifyTarget() const {
  const HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
  return hWndOwner != nullptr ? hWndOwner : ::GetParent(m_hWnd);
}

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) {
  if (m_hWnd == nullptr)
    return 0;
  NM_GRIDVIEW nmgv;
  nmgv.hdr.hwndFrom = m_hWnd;
  nmgv.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
  nmgv.hdr.code = (UINT)nMessage;
  nmgv.iRow = nRow;
  nmgv.iColumn = nCol;
  const HWND hWndTarget = GetNotifyTarget();
  return hWndTarget != nullptr ? ::SendMessageA(hWndTarget, WM_NOTIFY, nmgv.hdr.idFrom, (LPARAM)&nmgv) : 0;
}

void CGridCtrl::SetFocusCell(CCellID cell) {
  if (cell == m_idCurrentCell)
    return;
  auto redrawWithHeadings = [this](const CCellID& c) {
    RedrawCell(c.row, c.col);
    for (int col = 0; col < m_nFixedCols; ++col)
      RedrawCell(c.row, col);
    for (int row = 0; row < m_nFixedRows; ++row)
      RedrawCell(row, c.col);
  };
  const CCellID old = m_idCurrentCell;
  if (IsValid(old)) {
    SendMessageToParent(old.row, old.col, GVN_SELCHANGING);
    SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~GVIS_FOCUSED);
    m_idCurrentCell = cell;  // the headings of the old line lose their mark
    redrawWithHeadings(old);
  }
  m_idCurrentCell = cell;
  if (IsValid(cell)) {
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_FOCUSED);
    redrawWithHeadings(cell);
    SendMessageToParent(cell.row, cell.col, GVN_SELCHANGED);
  }
}

// --- Keyboard ---

UINT CGridCtrl::OnGetDlgCode() {
  UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_bHandleTabKey && !KeyDown(VK_CONTROL))
    nCode |= DLGC_WANTTAB;
  return nCode;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!IsValid(m_idCurrentCell)) {
    Default();
    return;
  }
  if (KeyDown(VK_CONTROL)) {
    switch (nChar) {
      case 'A':
        OnEditSelectAll();
        return;
      case 'C':
        OnEditCopy();
        return;
      case 'V':
        OnEditPaste();
        return;
      case 'X':
        OnEditCut();
        return;
      default:
        break;
    }
  }
  if (nChar == VK_DELETE) {
    if (IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col)) {
      SetItemText(m_idCurrentCell.row, m_idCurrentCell.col, "");
      RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
      SetModified(TRUE);
    }
    return;
  }
  if (!MoveFocusByKey(nChar))
    Default();
}

BOOL CGridCtrl::MoveFocusByKey(UINT nChar) {
  const CCellID old = m_idCurrentCell;
  CCellID next = old;
  BOOL bWrapped = FALSE;
  const int nLastRow = GetRowCount() - 1, nLastCol = m_nCols - 1;
  switch (nChar) {
    case VK_TAB:
      if (KeyDown(VK_SHIFT)) {
        if (next.col > m_nFixedCols) {
          --next.col;
        } else if (next.col == m_nFixedCols && next.row > m_nFixedRows) {
          --next.row;
          next.col = nLastCol;
          bWrapped = TRUE;
        }
      } else if (next.col < nLastCol) {
        ++next.col;
      } else if (next.row < nLastRow) {
        ++next.row;
        next.col = m_nFixedCols;
        bWrapped = TRUE;
      }
      break;
    case VK_DOWN:
      if (next.row < nLastRow)
        ++next.row;
      break;
    case VK_UP:
      if (next.row > m_nFixedRows)
        --next.row;
      break;
    case VK_RIGHT:
      if (next.col < nLastCol)
        ++next.col;
      break;
    case VK_LEFT:
      if (next.col > m_nFixedCols)
        --next.col;
      break;
    case VK_NEXT:
    case VK_PRIOR: {
      const int nTopBefore = GetTopleftNonFixedCell().row;
      SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP, 0);
      const int nMoved = GetTopleftNonFixedCell().row - nTopBefore;
      if (nChar == VK_NEXT)
        next.row = nMoved == 0 ? nLastRow : std::min(nLastRow, next.row + nMoved);
      else
        next.row = nMoved == 0 ? m_nFixedRows : std::max(m_nFixedRows, next.row + nMoved);
      break;
    }
    case VK_HOME:
      SendMessage(WM_VSCROLL, SB_TOP, 0);
      next.row = m_nFixedRows;
      break;
    case VK_END:
      SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
      next.row = nLastRow;
      break;
    default:
      return FALSE;
  }
  if (next != old)
    FollowFocusMove(next, old, nChar, bWrapped);
  return TRUE;
}

void CGridCtrl::FollowFocusMove(CCellID next, CCellID old, UINT nChar, BOOL bWrapped) {
  if (m_MouseMode == MOUSE_NOTHING) {
    m_PrevSelectedCells.clear();
    m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
    if (!KeyDown(VK_SHIFT) || nChar == VK_TAB)
      m_SelectionStartCell = next;
    OnSelecting(next);
    m_MouseMode = MOUSE_NOTHING;
  }
  SetFocusCell(next);
  const CCellRange whole = GetUnobstructedNonFixedCellRange();
  if (whole.InRange(next) || next.row < m_nFixedRows || next.col < m_nFixedCols)
    return;
  EnsureVisible(next);
  // One line further, so that the next move shows something new.
  switch (nChar) {
    case VK_RIGHT:
      SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
      break;
    case VK_LEFT:
      SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
      break;
    case VK_DOWN:
      SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
      break;
    case VK_UP:
      SendMessage(WM_VSCROLL, SB_LINEUP, 0);
      break;
    case VK_TAB:
      if (bWrapped) {
        const BOOL bBack = KeyDown(VK_SHIFT);
        SendMessage(WM_VSCROLL, bBack ? SB_LINEUP : SB_LINEDOWN, 0);
        SendMessage(WM_HSCROLL, bBack ? SB_RIGHT : SB_LEFT, 0);
      } else {
        SendMessage(WM_HSCROLL, KeyDown(VK_SHIFT) ? SB_LINELEFT : SB_LINERIGHT, 0);
      }
      break;
    default:
      break;
  }
  Invalidate();
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && !(nChar == VK_TAB && m_bHandleTabKey) &&
      IsValid(m_idCurrentCell)) {
    BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, nChar);
    return;
  }
  Default();
}

// --- Mouse ---

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point) const {
  if (point.y >= GetFixedRowHeight())
    return FALSE;
  const CCellID cell = GetCellFromPt(point);
  CPoint start;
  if (!GetCellOrigin(cell.row, cell.col, &start))
    return FALSE;
  const int nEnd = start.x + GetColumnWidth(cell.col);
  return (cell.col > 0 && point.x - start.x <= m_nResizeCaptureRange) || nEnd - point.x <= m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point) const {
  if (point.x >= GetFixedColumnWidth())
    return FALSE;
  const CCellID cell = GetCellFromPt(point);
  CPoint start;
  if (!GetCellOrigin(cell.row, cell.col, &start))
    return FALSE;
  const int nEnd = start.y + GetRowHeight(cell.row);
  return (cell.row > 0 && point.y - start.y <= m_nResizeCaptureRange) || nEnd - point.y <= m_nResizeCaptureRange;
}

int CGridCtrl::DividerModeAt(CPoint point) const {
  if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
    return MOUSE_OVER_COL_DIVIDE;
  if (m_bAllowRowResize && MouseOverRowResizeArea(point))
    return MOUSE_OVER_ROW_DIVIDE;
  return MOUSE_NOTHING;
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest != HTCLIENT)
    return (BOOL)Default();
  switch (m_MouseMode) {
    case MOUSE_OVER_COL_DIVIDE:
      ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE));
      break;
    case MOUSE_OVER_ROW_DIVIDE:
      ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZENS));
      break;
    case MOUSE_DRAGGING:
      break;
    default:
      ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
      break;
  }
  return TRUE;
}

void CGridCtrl::DrawTrackingLine(CPoint point) {
  CRect client;
  GetClientRect(&client);
  CRect line = m_MouseMode == MOUSE_SIZING_COL ? CRect(point.x, client.top, point.x + 2, client.bottom)
                                               : CRect(client.left, point.y, client.right, point.y + 2);
  CDC* pDC = GetDC();
  if (pDC != nullptr) {
    pDC->InvertRect(&line);
    ReleaseDC(pDC);
  }
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point) && m_MouseMode != MOUSE_PREPARE_DRAG && m_MouseMode != MOUSE_DRAGGING)
    return;
  if (!(nFlags & MK_LBUTTON)) {
    // Over a border in the headings the mouse may resize; elsewhere it may see a title tip.
    const int nMode = DividerModeAt(point);
    m_MouseMode = nMode;
    if (nMode == MOUSE_NOTHING && m_bTitleTips) {
      const CCellID cell = GetCellFromPt(point);
      CRect rect;
      if (GetCellRect(cell.row, cell.col, &rect))
        m_TitleTip.Show(rect, GetItemText(cell.row, cell.col), m_nMargin);
    }
    m_LastMousePoint = point;
    return;
  }
  if (!IsValid(m_LeftClickDownCell)) {
    m_LastMousePoint = point;
    return;
  }
  switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
      const CCellID cell = GetCellFromPt(point);
      if (IsValid(cell) && cell != m_idCurrentCell) {
        OnSelecting(cell);
        if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
          SetFocusCell(cell);
      }
      break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW:
      DrawTrackingLine(m_LastMousePoint);
      DrawTrackingLine(point);
      break;
    case MOUSE_PREPARE_DRAG:
      StartDrag();
      break;
    default:
      break;
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  m_TitleTip.Hide();
  const HWND hWndOldFocus = ::GetFocus();
  m_LeftClickDownPoint = point;
  m_LeftClickDownCell = GetCellFromPt(point);
  if (!IsValid(m_LeftClickDownCell))
    return;
  m_SelectionStartCell = (nFlags & MK_SHIFT) ? m_idCurrentCell : m_LeftClickDownCell;
  SetFocus();
  if (m_LeftClickDownCell == m_idCurrentCell) {
    m_MouseMode = MOUSE_PREPARE_EDIT;
    return;
  }
  if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(m_LeftClickDownCell.row, m_nFixedRows), std::max(m_LeftClickDownCell.col, m_nFixedCols));
  }
  if (m_bAllowDragAndDrop && hWndOldFocus == m_hWnd &&
      IsCellSelected(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
    m_MouseMode = MOUSE_PREPARE_DRAG;
    return;
  }
  SetCapture();
  CRect client;
  GetClientRect(&client);
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_COL;
    CPoint start;
    GetCellOrigin(0, m_LeftClickDownCell.col, &start);
    // Near a column's left border it is the column before that is resized.
    if (point.x - start.x <= m_nResizeCaptureRange && m_LeftClickDownCell.col > 0)
      GetCellOrigin(0, --m_LeftClickDownCell.col, &start);
    CRect clip(start.x, client.top, client.right, client.bottom);
    ClientToScreen(&clip);
    ::ClipCursor(&clip);
    DrawTrackingLine(point);
  } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_ROW;
    CPoint start;
    GetCellOrigin(m_LeftClickDownCell.row, 0, &start);
    if (point.y - start.y <= m_nResizeCaptureRange && m_LeftClickDownCell.row > 0)
      GetCellOrigin(--m_LeftClickDownCell.row, 0, &start);
    CRect clip(client.left, start.y, client.right, client.bottom);
    ClientToScreen(&clip);
    ::ClipCursor(&clip);
    DrawTrackingLine(point);
  } else {
    m_PrevSelectedCells.clear();
    if (nFlags & MK_CONTROL)
      ForEachSelectedCell(m_SelectedCells, [this](const CCellID& cell) { m_PrevSelectedCells.push_back(cell); });
    if (m_LeftClickDownCell.row < m_nFixedRows) {
      OnHeadingColumnClick(m_LeftClickDownCell);
    } else if (m_LeftClickDownCell.col < m_nFixedCols) {
      OnHeadingRowClick(m_LeftClickDownCell);
    } else {
      m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      OnSelecting(m_LeftClickDownCell);
    }
    m_nTimerID = SetTimer(kGridAutoScrollTimer, (UINT)m_nTimerInterval);
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnHeadingColumnClick(CCellID cell) {
  if (!m_bListMode) {
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    OnSelecting(cell);
  } else if (m_bSortOnClick) {
    HCURSOR hOld = ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT));
    if (cell.col == m_nSortColumn) {
      m_bAscending = !m_bAscending;
    } else {
      m_bAscending = TRUE;
      m_nSortColumn = cell.col;
    }
    SortTextItems(m_nSortColumn, m_bAscending);
    Invalidate();
    ::SetCursor(hOld);
  }
}

void CGridCtrl::OnHeadingRowClick(CCellID cell) {
  m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
  OnSelecting(cell);
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kGridAutoScrollTimer || m_nTimerID == 0) {
    Default();
    return;
  }
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  CRect client;
  GetClientRect(&client);
  const int nFixedWidth = GetFixedColumnWidth(), nFixedHeight = GetFixedRowHeight();
  UINT nKey = 0;
  if (point.y >= client.bottom)
    nKey = VK_DOWN;
  else if (point.y < nFixedHeight)
    nKey = VK_UP;
  else if (point.x >= client.right)
    nKey = VK_RIGHT;
  else if (point.x < nFixedWidth)
    nKey = VK_LEFT;
  if (nKey == 0)
    return;  // over the cells: the mouse moves select
  SendMessage(WM_KEYDOWN, nKey, 0);
  point.x = std::max<int>(nFixedWidth + 1, std::min<int>(point.x, client.right - 1));
  point.y = std::max<int>(nFixedHeight + 1, std::min<int>(point.y, client.bottom - 1));
  const CCellID cell = GetCellFromPt(point);
  if (IsValid(cell))
    OnSelecting(cell);
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  Default();
  ::ClipCursor(nullptr);
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  if (m_nTimerID != 0) {
    KillTimer(m_nTimerID);
    m_nTimerID = 0;
  }
  switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
      BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, 1);
      break;
    case MOUSE_PREPARE_DRAG:
      ResetSelectedRange();
      SetFocusCell(-1, -1);
      break;
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
      DrawTrackingLine(m_LastMousePoint);
      CPoint start;
      if (point != m_LeftClickDownPoint && GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start)) {
        if (m_MouseMode == MOUSE_SIZING_COL)
          SetColumnWidth(m_LeftClickDownCell.col, point.x - start.x);
        else
          SetRowHeight(m_LeftClickDownCell.row, point.y - start.y);
        ResetScrollBars();
        Invalidate();
      }
      break;
    }
    default:
      break;
  }
  m_MouseMode = MOUSE_NOTHING;
  ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
  if (IsValid(m_LeftClickDownCell)) {
    const HWND hWndTarget = GetNotifyTarget();
    if (hWndTarget != nullptr)
      ::PostMessageA(hWndTarget, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), (LPARAM)m_hWnd);
  }
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // The first click's release left no mode: the point says again whether it is on a border.
  if (m_MouseMode == MOUSE_NOTHING)
    m_MouseMode = DividerModeAt(point);
  const CCellID cell = GetCellFromPt(point);
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    CPoint start;
    if (GetCellOrigin(cell.row, cell.col, &start)) {
      if (m_MouseMode == MOUSE_OVER_COL_DIVIDE)
        AutoSizeColumn(point.x - start.x <= m_nResizeCaptureRange && cell.col > 0 ? cell.col - 1 : cell.col);
      else
        AutoSizeRow(point.y - start.y <= m_nResizeCaptureRange && cell.row > 0 ? cell.row - 1 : cell.row);
      Invalidate();
    }
  } else if (m_MouseMode == MOUSE_NOTHING && IsValid(cell)) {
    if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
      BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, 1);
    else if (m_bListMode && cell.row >= m_nFixedRows && cell.col < m_nFixedCols)
      BeginCellEdit(cell.row, cell.col, 1);
  }
  Default();
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this) {
    if (m_nTimerID != 0) {
      KillTimer(m_nTimerID);
      m_nTimerID = 0;
    }
    if (m_MouseMode == MOUSE_DRAGGING)
      m_MouseMode = MOUSE_NOTHING;
  }
  Default();
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy) {
  // An edit in progress ends; the focus stays where it is otherwise.
  const HWND hWndFocus = ::GetFocus();
  if (hWndFocus != nullptr && ::IsChild(m_hWnd, hWndFocus))
    SetFocus();
  Default();
  ResetScrollBars();
}

// --- Editing in place ---

void CGridCtrl::BeginCellEdit(int nRow, int nCol, UINT nChar) {
  if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
    return;
  EnsureVisible(nRow, nCol);
  if (!IsCellVisible(nRow, nCol))
    return;
  SendMessageToParent(nRow, nCol, GVN_BEGINLABELEDIT);
  CRect rect;
  GetCellRect(nRow, nCol, &rect);
  const UINT nFormat = GetItemFormat(nRow, nCol);
  DWORD dwStyle = ES_LEFT;
  if (nFormat & DT_RIGHT)
    dwStyle = ES_RIGHT;
  else if (nFormat & DT_CENTER)
    dwStyle = ES_CENTER;
  CreateCellEditor(rect, dwStyle, IDC_GRID_INPLACE_EDIT, nRow, nCol, GetItemText(nRow, nCol), nChar);
}

void CGridCtrl::CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol, LPCSTR lpszText,
                                 UINT nFirstChar) {
  CGridCellEdit* pEdit = new CGridCellEdit(this, rect, dwStyle, nID, nRow, nCol, lpszText, nFirstChar);
  if (pEdit->m_hWnd == nullptr)
    delete pEdit;  // it owns itself only once it has a window
}

void CGridCtrl::OnCellEdited(int nRow, int nCol, LPCSTR lpszText) {
  SetItemText(nRow, nCol, lpszText);
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult) {
  const GV_DISPINFO* pInfo = reinterpret_cast<const GV_DISPINFO*>(pNMHDR);
  const GRIDITEM& item = pInfo->item;
  const UINT nEndKey = (UINT)item.lParam;
  *pResult = 0;
  if (!IsValid(item.row, item.col))
    return;  // the cell went while it was edited
  if (nEndKey != VK_ESCAPE && GetItemText(item.row, item.col).Compare(item.szText) != 0)
    SetModified(TRUE);
  OnCellEdited(item.row, item.col, item.szText);
  RedrawCell(item.row, item.col);
  SendMessageToParent(item.row, item.col, GVN_ENDLABELEDIT);
  switch (nEndKey) {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
      SendMessage(WM_KEYDOWN, nEndKey, 0);
      BeginCellEdit(m_idCurrentCell.row, m_idCurrentCell.col, nEndKey);
      break;
    default:
      break;
  }
}

// --- Edit commands' states ---

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI) {
  pCmdUI->Enable(IsValid(GetSelectedRange()));
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_bEditable && IsValid(GetSelectedRange()));
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI) {
  pCmdUI->Enable(IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col) &&
                 ::IsClipboardFormatAvailable(CF_TEXT));
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_bEnableSelection);
}
