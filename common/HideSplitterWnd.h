// CHideSplitterWnd: a static splitter that can take one row or one column
// out of its grid and bring it back, and can put another view into a pane.
// A hidden row keeps its panes as hidden windows numbered just beyond the
// visible rows, and its size in the row slot just past them (columns alike).
#pragma once

#include "framework/win/SplitterWnd.h"

class CHideSplitterWnd : public CSplitterWnd {
  DECLARE_DYNAMIC(CHideSplitterWnd)
 public:
  CHideSplitterWnd() = default;

  // Takes a row out of a grid of at least two rows.
  void HideRow(int row);
  // Brings the hidden row back; nothing while no row is hidden.
  void ShowRow();
  void HideColumn(int col);
  void ShowColumn();
  int GetHiddenRow() const { return m_nHiddenRow; }
  int GetHiddenColumn() const { return m_nHiddenCol; }

  // A new view of pViewClass on the same document in the pane; FALSE when
  // the pane already shows a view of that class.
  BOOL ReplaceView(int row, int col, CRuntimeClass* pViewClass);
  // Shows the existing window pWnd in the pane instead of the one there;
  // FALSE when it is already there.
  BOOL SwitchView(int row, int col, CWnd* pWnd);

 private:
  // The size to keep for a row or column leaving the grid: what it has, or
  // what it wants while the window has no size at all.
  static int SizeToKeep(const CRowColInfo& info);

  int m_nHiddenCol = -1;
  int m_nHiddenRow = -1;
};
