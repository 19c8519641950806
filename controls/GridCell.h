// The grid's cells and their coordinates: CGridCell (one object per cell,
// owned by its row), CCellID and CCellRange, the GRIDITEM record that
// SetItem and GetItem exchange, and the notification records.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

// The colour that stands for the grid's own (text background or fixed
// background, text or fixed text).
const COLORREF CLR_GRID_DEFAULT = 0xFF000000;

// Cell state bits.
const UINT GVIS_FOCUSED = 0x01;
const UINT GVIS_SELECTED = 0x02;
const UINT GVIS_DROPHILITED = 0x04;
const UINT GVIS_READONLY = 0x08;

// GRIDITEM mask bits: the fields SetItem and GetItem copy.
const UINT GVIF_TEXT = 0x01;
const UINT GVIF_IMAGE = 0x02;
const UINT GVIF_PARAM = 0x04;
const UINT GVIF_STATE = 0x08;
const UINT GVIF_BKCLR = 0x10;
const UINT GVIF_FGCLR = 0x20;
const UINT GVIF_FORMAT = 0x40;
const UINT GVIF_FONT = 0x80;

// GetNextItem: the state bits sought are the low bits; these say where to look.
const UINT GVNI_ABOVE = 0x100;
const UINT GVNI_BELOW = 0x200;
const UINT GVNI_TOLEFT = 0x400;
const UINT GVNI_TORIGHT = 0x800;

// Grid-line modes.
const int GVL_NONE = 0;
const int GVL_HORZ = 1;
const int GVL_VERT = 2;
const int GVL_BOTH = 3;

// WM_NOTIFY codes the grid sends its owner (an NM_GRIDVIEW each).
const UINT GVN_SELCHANGING = (UINT)-104;     // the focus leaves the cell
const UINT GVN_SELCHANGED = (UINT)-103;      // the cell has the focus
const UINT GVN_BEGINLABELEDIT = (UINT)-105;  // editing of the cell begins
const UINT GVN_ENDLABELEDIT = (UINT)-106;    // editing ended, the text stored
const UINT GVN_BEGINDRAG = (UINT)-109;       // the selection starts to be dragged

struct CCellID {
  CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}
  BOOL IsValid() const { return row >= 0 && col >= 0; }
  bool operator==(const CCellID& other) const { return row == other.row && col == other.col; }
  bool operator!=(const CCellID& other) const { return !(*this == other); }
  int row;
  int col;
};

class CCellRange {
 public:
  CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
      : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol) {}
  BOOL IsValid() const { return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol; }
  BOOL InRange(int nRow, int nCol) const {
    return nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol && nCol <= m_nMaxCol;
  }
  BOOL InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }
  CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
  int GetMinRow() const { return m_nMinRow; }
  int GetMinCol() const { return m_nMinCol; }
  int GetMaxRow() const { return m_nMaxRow; }
  int GetMaxCol() const { return m_nMaxCol; }
  int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
  int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }
  bool operator==(const CCellRange& o) const {
    return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow && m_nMaxCol == o.m_nMaxCol;
  }

 private:
  int m_nMinRow, m_nMinCol, m_nMaxRow, m_nMaxCol;
};

struct GRIDITEM {
  int row = 0;
  int col = 0;
  UINT mask = 0;
  UINT state = 0;
  UINT nFormat = 0;
  CString szText;
  int iImage = -1;
  COLORREF crBkClr = CLR_GRID_DEFAULT;
  COLORREF crFgClr = CLR_GRID_DEFAULT;
  LPARAM lParam = 0;
  LOGFONT lfFont = {};
};

// Sent with every GVN_ code.
struct NM_GRIDVIEW {
  NMHDR hdr;
  int iRow;
  int iColumn;
};

// The editor's GVN_ENDLABELEDIT to the grid: the text, and in lParam the key that ended the edit.
struct GV_DISPINFO {
  NMHDR hdr;
  GRIDITEM item;
};

class CGridCell {
 public:
  UINT state = 0;
  UINT nFormat = 0;
  CString szText;
  int iImage = -1;
  COLORREF crBkClr = CLR_GRID_DEFAULT;
  COLORREF crFgClr = CLR_GRID_DEFAULT;
  LPARAM lParam = 0;
  LOGFONT lfFont = {};
};
