// CGridCtrl: what is on screen. Painting draws the visible cells only, and
// every position comes from the row and column running sums, so neither the
// paint nor a scroll walks over the rows out of sight.
#include <algorithm>

#include "controls/GridCtrl.h"
#include "framework/win/Dc.h"
#include "framework/win/ImageList.h"

namespace {

int ScrollPos(HWND hWnd, int nBar) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS;
  return ::GetScrollInfo(hWnd, nBar, &si) ? si.nPos : 0;
}

void SetScrollPosition(HWND hWnd, int nBar, int nPos) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS;
  si.nPos = nPos;
  ::SetScrollInfo(hWnd, nBar, &si, TRUE);
}

// The position the thumb is dragged to, in full 32 bits.
int TrackPos(HWND hWnd, int nBar) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_TRACKPOS;
  return ::GetScrollInfo(hWnd, nBar, &si) ? si.nTrackPos : 0;
}

// The first non-fixed entry whose offset from the fixed part is at or past
// the scroll position; at most the last entry.
int FirstVisible(const CGridAxis& axis, int nFixed, int nScrollPos) {
  const int nCount = axis.GetCount();
  if (nCount <= nFixed)
    return nFixed;
  const int i = axis.FirstAtOrAfter(axis.GetOffset(nFixed) + nScrollPos);
  return std::max(nFixed, std::min(i, nCount - 1));
}

// The last entry from nFirst on that starts before nEnd pixels, the part
// before nFirst taking nStart pixels; nFirst - 1 when none does.
int LastVisible(const CGridAxis& axis, int nFirst, int nStart, int nEnd) {
  int nLast = nFirst - 1;
  for (int i = nFirst, pos = nStart; i < axis.GetCount() && pos < nEnd; ++i) {
    pos += axis.GetSize(i);
    nLast = i;
  }
  return nLast;
}

}  // namespace

// --- Geometry ---

CCellID CGridCtrl::GetTopleftNonFixedCell() const {
  const int nVert = m_hWnd != nullptr ? ScrollPos(m_hWnd, SB_VERT) : 0;
  const int nHorz = m_hWnd != nullptr ? ScrollPos(m_hWnd, SB_HORZ) : 0;
  return CCellID(FirstVisible(m_rows, m_nFixedRows, nVert), FirstVisible(m_cols, m_nFixedCols, nHorz));
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect) const {
  CRect rect;
  if (m_hWnd != nullptr)
    GetClientRect(&rect);
  const CCellID topLeft = GetTopleftNonFixedCell();
  const int nFixedWidth = GetFixedColumnWidth(), nFixedHeight = GetFixedRowHeight();
  const int nMaxRow = LastVisible(m_rows, topLeft.row, nFixedHeight, rect.bottom);
  const int nMaxCol = LastVisible(m_cols, topLeft.col, nFixedWidth, rect.right);
  if (pRect != nullptr) {
    pRect->left = nFixedWidth;
    pRect->top = nFixedHeight;
    pRect->right = std::min<int>(rect.right, nFixedWidth + m_cols.GetSpan(topLeft.col, nMaxCol));
    pRect->bottom = std::min<int>(rect.bottom, nFixedHeight + m_rows.GetSpan(topLeft.row, nMaxRow));
  }
  return CCellRange(topLeft.row, topLeft.col, nMaxRow, nMaxCol);
}

CCellRange CGridCtrl::GetUnobstructedNonFixedCellRange() const {
  CRect rect;
  if (m_hWnd != nullptr)
    GetClientRect(&rect);
  const CCellRange visible = GetVisibleNonFixedCellRange();
  int nMaxRow = visible.GetMaxRow(), nMaxCol = visible.GetMaxCol();
  if (nMaxRow >= visible.GetMinRow() &&
      GetFixedRowHeight() + m_rows.GetSpan(visible.GetMinRow(), nMaxRow) > rect.bottom)
    --nMaxRow;
  if (nMaxCol >= visible.GetMinCol() &&
      GetFixedColumnWidth() + m_cols.GetSpan(visible.GetMinCol(), nMaxCol) > rect.right)
    --nMaxCol;
  return CCellRange(visible.GetMinRow(), visible.GetMinCol(), nMaxRow, nMaxCol);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) const {
  if (!IsValid(nRow, nCol))
    return FALSE;
  const CCellRange visible = GetVisibleNonFixedCellRange();
  const BOOL bRow = nRow < m_nFixedRows || (nRow >= visible.GetMinRow() && nRow <= visible.GetMaxRow());
  const BOOL bCol = nCol < m_nFixedCols || (nCol >= visible.GetMinCol() && nCol <= visible.GetMaxCol());
  return bRow && bCol;
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p) const {
  if (!IsValid(nRow, nCol) || p == nullptr)
    return FALSE;
  const CCellID topLeft = GetTopleftNonFixedCell();
  p->x = nCol < m_nFixedCols ? m_cols.GetOffset(nCol)
                             : GetFixedColumnWidth() + m_cols.GetOffset(nCol) - m_cols.GetOffset(topLeft.col);
  p->y = nRow < m_nFixedRows ? m_rows.GetOffset(nRow)
                             : GetFixedRowHeight() + m_rows.GetOffset(nRow) - m_rows.GetOffset(topLeft.row);
  return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect) const {
  CPoint origin;
  if (pRect == nullptr || !GetCellOrigin(nRow, nCol, &origin))
    return FALSE;
  pRect->left = origin.x;
  pRect->top = origin.y;
  pRect->right = origin.x + GetColumnWidth(nCol);
  pRect->bottom = origin.y + GetRowHeight(nRow);
  return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CCellRange& cellRange, LPRECT lpRect) const {
  CRect first, last;
  if (!GetCellRect(cellRange.GetMinRow(), cellRange.GetMinCol(), &first) ||
      !GetCellRect(cellRange.GetMaxRow(), cellRange.GetMaxCol(), &last))
    return FALSE;
  ::SetRect(lpRect, first.left, first.top, last.right, last.bottom);
  return TRUE;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point) const {
  const CCellID topLeft = GetTopleftNonFixedCell();
  auto locate = [](const CGridAxis& axis, int nFixed, int nFirst, int nFixedExtent, int nPos) {
    if (nPos < 0)
      return -1;
    int i = nPos < nFixedExtent ? axis.IndexAt(nPos) : axis.IndexAt(axis.GetOffset(nFirst) + nPos - nFixedExtent);
    if (nPos >= nFixedExtent && i < nFixed)
      i = nFixed;  // fixed entries of no size
    return i >= 0 && i < axis.GetCount() ? i : -1;
  };
  return CCellID(locate(m_rows, m_nFixedRows, topLeft.row, GetFixedRowHeight(), point.y),
                 locate(m_cols, m_nFixedCols, topLeft.col, GetFixedColumnWidth(), point.x));
}

// --- Painting ---

void CGridCtrl::OnPaint() {
  CPaintDC dc(this);
  if (!m_bDoubleBuffer) {
    OnDraw(&dc);
    return;
  }
  CRect clip;
  dc.GetClipBox(&clip);
  if (clip.IsRectEmpty())
    return;
  CDC memDC;
  CBitmap bitmap;
  if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, clip.Width(), clip.Height())) {
    OnDraw(&dc);
    return;
  }
  CSelectGuard bits(memDC, &bitmap);
  memDC.SetWindowOrg(clip.left, clip.top);
  OnDraw(&memDC);
  dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memDC, clip.left, clip.top, SRCCOPY);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*) {
  return TRUE;  // OnDraw fills every pixel
}

void CGridCtrl::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CRect visRect;
  const CCellRange visible = GetVisibleNonFixedCellRange(&visRect);
  const int nFixedWidth = GetFixedColumnWidth(), nFixedHeight = GetFixedRowHeight();
  const int nRight = std::max<int>(visRect.right, std::min<int>(nFixedWidth, client.right));
  const int nBottom = std::max<int>(visRect.bottom, std::min<int>(nFixedHeight, client.bottom));

  pDC->FillSolidRect(0, 0, nRight, std::min<int>(nFixedHeight, nBottom), m_crFixedBkColour);
  pDC->FillSolidRect(0, nFixedHeight, std::min<int>(nFixedWidth, nRight), nBottom - nFixedHeight, m_crFixedBkColour);
  pDC->FillSolidRect(&visRect, m_crTextBkColour);
  pDC->FillSolidRect(nRight, 0, client.right - nRight, client.bottom, m_crBkColour);
  pDC->FillSolidRect(0, nBottom, nRight, client.bottom - nBottom, m_crBkColour);

  const int nMinRow = visible.GetMinRow(), nMaxRow = visible.GetMaxRow();
  const int nMinCol = visible.GetMinCol(), nMaxCol = visible.GetMaxCol();
  CRect rect;
  // Where the fixed rows and columns cross, then the fixed columns of the
  // visible rows, then the fixed rows of the visible columns.
  for (int r = 0; r < m_nFixedRows; ++r)
    for (int c = 0; c < m_nFixedCols; ++c)
      if (GetCellRect(r, c, &rect))
        DrawHeadingCell(pDC, r, c, rect);
  for (int r = nMinRow; r <= nMaxRow; ++r)
    for (int c = 0; c < m_nFixedCols; ++c)
      if (GetCellRect(r, c, &rect))
        DrawHeadingCell(pDC, r, c, rect);
  for (int r = 0; r < m_nFixedRows; ++r)
    for (int c = nMinCol; c <= nMaxCol; ++c)
      if (GetCellRect(r, c, &rect))
        DrawHeadingCell(pDC, r, c, rect);
  for (int r = nMinRow; r <= nMaxRow; ++r)
    for (int c = nMinCol; c <= nMaxCol; ++c)
      if (GetCellRect(r, c, &rect))
        DrawCell(pDC, r, c, rect);

  CPen pen(PS_SOLID, 1, m_crGridColour);
  CSelectGuard guard(*pDC, &pen);
  if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
    for (int c = nMinCol, x = nFixedWidth; c <= nMaxCol; ++c) {
      x += GetColumnWidth(c);
      pDC->MoveTo(x - 1, nFixedHeight);
      pDC->LineTo(x - 1, visRect.bottom);
    }
  }
  if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
    for (int r = nMinRow, y = nFixedHeight; r <= nMaxRow; ++r) {
      y += GetRowHeight(r);
      pDC->MoveTo(nFixedWidth, y - 1);
      pDC->LineTo(visRect.right, y - 1);
    }
  }
}

// The text (and image) of a cell inside rect, which loses its margins.
static void DrawCellContent(CDC* pDC, CImageList* pImageList, const CGridCell* pCell, LPCSTR lpszText, CRect rect,
                            int nMargin) {
  rect.DeflateRect(nMargin, 0);
  IMAGEINFO info;
  if (pImageList != nullptr && pCell->iImage >= 0 && pImageList->GetImageInfo(pCell->iImage, &info)) {
    const CRect image(info.rcImage);
    pImageList->Draw(pDC, pCell->iImage, rect.TopLeft(), ILD_NORMAL);
    rect.left += image.Width() + nMargin;
  }
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(lpszText, &rect, pCell->nFormat);
}

BOOL CGridCtrl::DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase) {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  if (pCell == nullptr)
    return FALSE;
  const int nSaved = pDC->SaveDC();
  const BOOL bMarks = !pDC->IsPrinting();
  const COLORREF crBk = pCell->crBkClr == CLR_GRID_DEFAULT ? m_crTextBkColour : pCell->crBkClr;
  COLORREF crText = pCell->crFgClr == CLR_GRID_DEFAULT ? m_crTextColour : pCell->crFgClr;
  if (bMarks && (pCell->state & GVIS_FOCUSED)) {
    pDC->FillSolidRect(&rect, crBk);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CSelectGuard pen(*pDC, &black);
    CSelectGuard brush(*pDC, NULL_BRUSH);
    pDC->Rectangle(&rect);
  } else if (bMarks && (pCell->state & GVIS_SELECTED)) {
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_HIGHLIGHT));
    crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else {
    pDC->FillSolidRect(&rect, crBk);
  }
  if (bMarks && (pCell->state & GVIS_DROPHILITED)) {
    CBrush black(RGB(0, 0, 0));
    pDC->FrameRect(&rect, &black);
  }
  pDC->SetTextColor(crText);
  {
    CFont temp;
    CSelectGuard font(*pDC, CellFont(pCell->lfFont, FALSE, temp));
    DrawCellContent(pDC, m_pImageList, pCell, GetItemText(nRow, nCol), rect, m_nMargin);
  }
  pDC->RestoreDC(nSaved);
  return TRUE;
}

BOOL CGridCtrl::DrawHeadingCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase) {
  const CGridCell* pCell = PeekCell(nRow, nCol);
  if (pCell == nullptr)
    return FALSE;
  const int nSaved = pDC->SaveDC();
  pDC->FillSolidRect(&rect, pCell->crBkClr == CLR_GRID_DEFAULT ? m_crFixedBkColour : pCell->crBkClr);
  pDC->SetTextColor(pCell->crFgClr == CLR_GRID_DEFAULT ? m_crFixedTextColour : pCell->crFgClr);
  // The headings of the focus cell's row and column stand out.
  const BOOL bFocusLine = (m_idCurrentCell.row >= 0 && nRow == m_idCurrentCell.row) ||
                          (m_idCurrentCell.col >= 0 && nCol == m_idCurrentCell.col);
  if (bFocusLine) {
    CRect edge = rect;
    pDC->DrawEdge(&edge, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT);
  } else {
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    {
      CSelectGuard pen(*pDC, &light);
      pDC->MoveTo(rect.left, rect.bottom - 1);
      pDC->LineTo(rect.left, rect.top);
      pDC->LineTo(rect.right - 1, rect.top);
    }
    CSelectGuard pen(*pDC, &dark);
    pDC->MoveTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.top - 1);
  }
  {
    CFont temp;
    CSelectGuard font(*pDC, CellFont(pCell->lfFont, bFocusLine, temp));
    DrawCellContent(pDC, m_pImageList, pCell, GetItemText(nRow, nCol), rect, m_nMargin);
  }
  pDC->RestoreDC(nSaved);
  return TRUE;
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC) {
  if (!m_bAllowDraw || m_hWnd == nullptr || !IsCellVisible(nRow, nCol))
    return FALSE;
  CRect rect;
  if (!GetCellRect(nRow, nCol, &rect))
    return FALSE;
  CDC* pWindowDC = nullptr;
  if (pDC == nullptr) {
    pWindowDC = GetDC();
    if (pWindowDC == nullptr) {
      InvalidateRect(&rect, TRUE);
      return TRUE;
    }
    pDC = pWindowDC;
  }
  if (nRow < m_nFixedRows || nCol < m_nFixedCols) {
    DrawHeadingCell(pDC, nRow, nCol, rect, TRUE);
  } else {
    DrawCell(pDC, nRow, nCol, rect, TRUE);
    CPen pen(PS_SOLID, 1, m_crGridColour);
    CSelectGuard guard(*pDC, &pen);
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
      pDC->MoveTo(rect.right - 1, rect.top);
      pDC->LineTo(rect.right - 1, rect.bottom);
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
      pDC->MoveTo(rect.left, rect.bottom - 1);
      pDC->LineTo(rect.right, rect.bottom - 1);
    }
  }
  if (pWindowDC != nullptr)
    ReleaseDC(pWindowDC);
  return TRUE;
}

BOOL CGridCtrl::RedrawRow(int nRow) {
  if (nRow < 0 || nRow >= GetRowCount())
    return FALSE;
  CDC* pDC = GetDC();
  for (int c = 0; c < m_nCols; ++c)
    RedrawCell(nRow, c, pDC);
  ReleaseDC(pDC);
  return TRUE;
}

BOOL CGridCtrl::RedrawColumn(int nCol) {
  if (nCol < 0 || nCol >= m_nCols)
    return FALSE;
  CDC* pDC = GetDC();
  for (int r = 0; r < GetRowCount(); ++r)
    RedrawCell(r, nCol, pDC);
  ReleaseDC(pDC);
  return TRUE;
}

// --- Scrolling ---

void CGridCtrl::ResetScrollBars() {
  if (!m_bAllowDraw || m_hWnd == nullptr)
    return;
  CRect rect;
  GetClientRect(&rect);
  // Decide as if neither bar were shown; a bar needed takes its room.
  const DWORD style = GetStyle();
  const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
  if (style & WS_VSCROLL)
    rect.right += cxBar;
  if (style & WS_HSCROLL)
    rect.bottom += cyBar;
  const int nVirtualWidth = GetVirtualWidth(), nVirtualHeight = GetVirtualHeight();
  BOOL bVert = nVirtualHeight > rect.Height();
  const BOOL bHorz = nVirtualWidth > rect.Width() - (bVert ? cxBar : 0);
  if (bHorz && !bVert)
    bVert = nVirtualHeight > rect.Height() - cyBar;
  if (bVert)
    rect.right -= cxBar;
  if (bHorz)
    rect.bottom -= cyBar;
  const int nFixedWidth = GetFixedColumnWidth(), nFixedHeight = GetFixedRowHeight();
  m_nVScrollMax = bVert ? nVirtualHeight - nFixedHeight - 1 : 0;
  m_nHScrollMax = bHorz ? nVirtualWidth - nFixedWidth - 1 : 0;

  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = m_nVScrollMax;
  si.nPage = bVert ? (UINT)std::max(rect.Height() - nFixedHeight, 1) : 0;
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
  si.nMax = m_nHScrollMax;
  si.nPage = bHorz ? (UINT)std::max(rect.Width() - nFixedWidth, 1) : 0;
  ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
}

void CGridCtrl::Scroll(int nBar, UINT nSBCode) {
  if (::GetFocus() != m_hWnd)
    SetFocus();  // ends an edit in progress
  m_TitleTip.Hide();
  const BOOL bVert = nBar == SB_VERT;
  const CGridAxis& axis = bVert ? m_rows : m_cols;
  const int nFixed = bVert ? m_nFixedRows : m_nFixedCols;
  const CCellID topLeft = GetTopleftNonFixedCell();
  const int nFirst = bVert ? topLeft.row : topLeft.col;
  CRect rect;
  GetClientRect(&rect);
  const int nFixedExtent = bVert ? GetFixedRowHeight() : GetFixedColumnWidth();
  const int nPage = (bVert ? rect.Height() : rect.Width()) - nFixedExtent;
  const int nPos = ScrollPos(m_hWnd, nBar);
  int nNew = nPos;
  switch (nSBCode) {
    case SB_LINEDOWN:
      nNew = nPos + std::max(axis.GetSize(nFirst), 0);
      break;
    case SB_LINEUP:
      if (nFirst > nFixed)
        nNew = nPos - axis.GetSize(nFirst - 1);
      break;
    case SB_PAGEDOWN:
      nNew = nPos + nPage;
      break;
    case SB_PAGEUP:
      nNew = nPos - nPage;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      nNew = TrackPos(m_hWnd, nBar);
      break;
    case SB_TOP:
      nNew = 0;
      break;
    case SB_BOTTOM:
      nNew = bVert ? m_nVScrollMax : m_nHScrollMax;
      break;
    default:
      return;
  }
  SetScrollPosition(m_hWnd, nBar, std::max(nNew, 0));
  if (ScrollPos(m_hWnd, nBar) != nPos) {
    // The fixed cells across the bar move with the rest.
    (bVert ? rect.top : rect.left) = nFixedExtent;
    InvalidateRect(&rect, FALSE);
  }
}

BOOL CGridCtrl::OnMouseWheel(UINT, short zDelta, CPoint) {
  if (m_nRowsPerWheelNotch == -1) {
    for (int n = std::abs(zDelta) / 120; n > 0; --n)
      PostMessage(WM_VSCROLL, zDelta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    return TRUE;
  }
  const int nLines = zDelta * m_nRowsPerWheelNotch / -120;
  for (int n = std::abs(nLines); n > 0; --n)
    PostMessage(WM_VSCROLL, nLines > 0 ? SB_LINEDOWN : SB_LINEUP, 0);
  return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol) {
  if (!IsValid(nRow, nCol) || m_hWnd == nullptr)
    return;
  CRect rect;
  GetClientRect(&rect);
  const CCellID topLeft = GetTopleftNonFixedCell();
  // As line-by-line scrolling would leave it: a cell above or left of the
  // view becomes the first; one below or right of it the last, whole.
  if (nRow >= m_nFixedRows) {
    const int nRowsTop = m_rows.GetOffset(m_nFixedRows);
    const int nPage = rect.Height() - GetFixedRowHeight();
    int nTop = topLeft.row;
    if (nRow < topLeft.row)
      nTop = nRow;
    else if (m_rows.GetSpan(nTop, nRow) > nPage)
      nTop = std::min(nRow, m_rows.FirstAtOrAfter(m_rows.GetOffset(nRow + 1) - nPage));
    if (nTop != topLeft.row) {
      SetScrollPosition(m_hWnd, SB_VERT, m_rows.GetOffset(nTop) - nRowsTop);
      Invalidate(FALSE);
    }
  }
  if (nCol >= m_nFixedCols) {
    const int nColsLeft = m_cols.GetOffset(m_nFixedCols);
    const int nPage = rect.Width() - GetFixedColumnWidth();
    int nLeft = topLeft.col;
    if (nCol < topLeft.col)
      nLeft = nCol;
    else if (m_cols.GetSpan(nLeft, nCol) > nPage)
      nLeft = std::min(nCol, m_cols.FirstAtOrAfter(m_cols.GetOffset(nCol + 1) - nPage));
    if (nLeft != topLeft.col) {
      SetScrollPosition(m_hWnd, SB_HORZ, m_cols.GetOffset(nLeft) - nColsLeft);
      Invalidate(FALSE);
    }
  }
}
