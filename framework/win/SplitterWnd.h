// CSplitterWnd: a static grid of panes (views or nested splitters) with a
// movable bar between neighbouring rows and columns. Each row and column has
// a minimum, an ideal and a current size; the layout gives every row but the
// last its ideal size (none when the ideal is below the minimum) and the last
// the rest, so a resize keeps the leading rows as they are. Pane (r, c) is
// the child with id AFX_IDW_PANE_FIRST + 16 r + c; derived classes may
// renumber panes and change m_nRows/m_nCols to take rows or columns out of
// the grid, keeping their sizes in the information slots beyond.
#pragma once

#include <vector>

#include "framework/win/FrameworkRes.h"
#include "framework/win/Wnd.h"

class CView;

struct CRowColInfo {
  int nMinSize = 0;    // below this, the row or column is not shown
  int nIdealSize = 0;  // what it gets when there is room
  int nCurSize = 0;    // what it has now
};

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)
 public:
  CSplitterWnd() = default;

  // A grid of nRows x nCols panes (at most 16 each), all made by CreateView.
  virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                            UINT nID = AFX_IDW_PANE_FIRST);
  // A view of pViewClass in pane (row, col); sizeInit gives the column's and
  // the row's ideal size. The context names the document (null: the frame's
  // active document).
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
  virtual void DeleteView(int row, int col);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);

  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
  // The pane holding the frame's active view, or null.
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) const;
  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

  // Places the visible rows and columns in the client area.
  virtual void RecalcLayout();

 protected:
  // The bar under a client point: the row (or column) above (left of) it, or -1.
  int HitRowBar(CPoint point) const;
  int HitColumnBar(CPoint point) const;
  // Sizes along one axis: leading entries ideal, the last the rest.
  static void LayoutAxis(CRowColInfo* pInfo, int nCount, int nSpace, int nGap);

  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnCaptureChanged(CWnd* pWnd);

  int m_nMaxRows = 0;
  int m_nMaxCols = 0;
  int m_nRows = 0;  // the rows now in the grid
  int m_nCols = 0;
  CRowColInfo* m_pRowInfo = nullptr;  // m_nMaxRows entries
  CRowColInfo* m_pColInfo = nullptr;  // m_nMaxCols entries
  int m_cxSplitterGap = 6;            // the bars between panes
  int m_cySplitterGap = 6;

 private:
  std::vector<CRowColInfo> m_rowInfo;
  std::vector<CRowColInfo> m_colInfo;
  int m_nTrackRow = -1;  // the row bar being dragged
  int m_nTrackCol = -1;
  int m_nTrackOffset = 0;  // the mouse's distance from the bar's edge

  DECLARE_MESSAGE_MAP()
};
