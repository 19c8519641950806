// A modeless dialog holding a notifying grid (bound by data exchange, as the
// program's dialogs bind theirs) for the grid tests. It records what the
// grid tells it: the WM_NOTIFY codes with their cells, the edited message
// and the clicks posted as WM_COMMAND.
#pragma once

#include <vector>

#include "controls/NotifyGridCtrl.h"
#include "framework/win/Dialog.h"
#include "framework/win/WindowTest.h"
#include "tests/controls/ControlsTestRes.h"

struct GridNote {
  int code;  // a GVN_ code, WMU_GRID_CELL_EDITED, or WM_COMMAND
  int row;
  int col;
  bool operator==(const GridNote& o) const { return code == o.code && row == o.row && col == o.col; }
};

class CGridDialog : public CDialog {
 public:
  CGridDialog() : CDialog(IDD_GRID) {}
  CNotifyGridCtrl m_grid;
  std::vector<GridNote> m_notes;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class GridTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A grid of nRows x nCols with one fixed row and column; each cell's text
  // is "r:c" (headings too), unless bEmpty.
  void Fill(int nRows, int nCols, bool bEmpty = false);
  POINT Centre(int nRow, int nCol) const;
  HWND Grid() const { return m_dlg.m_grid.m_hWnd; }
  // The edit field open over a cell, or null.
  HWND Editor() const { return ::GetDlgItem(Grid(), IDC_GRID_INPLACE_EDIT); }
  std::vector<int> Codes() const;
  // The texts of a column from the first non-fixed row on.
  std::vector<std::string> Column(int nCol);

  CGridDialog m_dlg;
  CNotifyGridCtrl& m_grid = m_dlg.m_grid;
  POINT m_ptCursor = {};
};
