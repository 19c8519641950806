#include "tests/controls/GridDialog.h"

#include <string>

void CGridDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_GridControl(pDX, IDC_GRID, m_grid);
}

LRESULT CGridDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && wParam == IDC_GRID) {
    const NM_GRIDVIEW* p = reinterpret_cast<const NM_GRIDVIEW*>(lParam);
    m_notes.push_back({(int)p->hdr.code, p->iRow, p->iColumn});
  } else if (message == WMU_GRID_CELL_EDITED) {
    m_notes.push_back({(int)WMU_GRID_CELL_EDITED, (int)wParam, (int)lParam});
    return 0;
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_GRID && (HWND)lParam == m_grid.m_hWnd) {
    m_notes.push_back({(int)WM_COMMAND, HIWORD(wParam), 0});
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void GridTest::SetUp() {
  WindowTest::SetUp();
  ::GetCursorPos(&m_ptCursor);
  ASSERT_TRUE(m_dlg.Create(IDD_GRID, nullptr));
  ASSERT_NE(nullptr, m_grid.m_hWnd);
  m_dlg.ShowWindow(SW_SHOW);
  m_dlg.UpdateWindow();
  ::SetForegroundWindow(m_dlg.m_hWnd);
  PumpPending();
}

void GridTest::TearDown() {
  if (m_dlg.m_hWnd != nullptr)
    m_dlg.DestroyWindow();
  // Resizing clips the real cursor, which moves it: later tests find it where it was.
  ::ClipCursor(nullptr);
  ::SetCursorPos(m_ptCursor.x, m_ptCursor.y);
  WindowTest::TearDown();
}

void GridTest::Fill(int nRows, int nCols, bool bEmpty) {
  m_grid.SetRowCount(nRows);
  m_grid.SetColumnCount(nCols);
  m_grid.SetFixedRowCount(1);
  m_grid.SetFixedColumnCount(1);
  for (int r = 0; r < nRows && !bEmpty; ++r)
    for (int c = 0; c < nCols; ++c)
      m_grid.SetItemText(r, c, (std::to_string(r) + ":" + std::to_string(c)).c_str());
  m_grid.UpdateWindow();
  PumpPending();
}

POINT GridTest::Centre(int nRow, int nCol) const {
  CRect rect;
  m_grid.GetCellRect(nRow, nCol, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<int> GridTest::Codes() const {
  std::vector<int> codes;
  for (const GridNote& note : m_dlg.m_notes)
    codes.push_back(note.code);
  return codes;
}

std::vector<std::string> GridTest::Column(int nCol) {
  std::vector<std::string> texts;
  for (int r = m_grid.GetFixedRowCount(); r < m_grid.GetRowCount(); ++r)
    texts.push_back((LPCSTR)m_grid.GetItemText(r, nCol));
  return texts;
}
