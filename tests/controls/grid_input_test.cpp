// The grid on screen and under the user's hands: what it paints (and that it
// paints only the cells in view), keys that move the focus and select,
// typing into a cell, clicks and drags that select, resize and sort, the
// title tip, and the wheel.
#include <string>

#include "controls/GridCtrl.h"
#include "tests/controls/GridDialog.h"

namespace {

// A grid that counts the cells it draws.
class CCountingGrid : public CGridCtrl {
 public:
  int m_nDrawn = 0;

 protected:
  BOOL DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase) override {
    ++m_nDrawn;
    return CGridCtrl::DrawCell(pDC, nRow, nCol, rect, bErase);
  }
};

CCellRange Range(int r0, int c0, int r1, int c1) {
  return CCellRange(r0, c0, r1, c1);
}

TEST_F(GridTest, AHundredThousandRowsPaintOnlyTheCellsInView) {
  CCountingGrid grid;
  ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &m_dlg, 999));
  grid.SetRowCount(100000);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetItemText(99999, 2, "last");
  const CCellRange visible = grid.GetVisibleNonFixedCellRange();
  const int nInView = visible.GetRowSpan() * visible.GetColSpan();
  ASSERT_GT(nInView, 0);
  ASSERT_LT(nInView, 100);
  CaptureClient(grid.m_hWnd);
  EXPECT_EQ(nInView, grid.m_nDrawn);

  grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  grid.m_nDrawn = 0;
  CaptureClient(grid.m_hWnd);
  EXPECT_EQ(99999, grid.GetVisibleNonFixedCellRange().GetMaxRow());
  EXPECT_LE(grid.m_nDrawn, nInView + visible.GetColSpan());
  EXPECT_TRUE(grid.IsCellVisible(99999, 2));

  // Selecting them all and moving about keeps drawing to the cells in view.
  grid.SetFocus();
  grid.SetFocusCell(99998, 1);
  grid.m_nDrawn = 0;
  grid.SelectAllCells();
  EXPECT_EQ(99999 * 3, grid.GetSelectedCount());
  EXPECT_EQ(Range(1, 1, 99999, 3), grid.GetSelectedRange());
  PostKey(grid.m_hWnd, VK_HOME);
  EXPECT_EQ(CCellID(1, 1), grid.GetFocusCell());
  EXPECT_EQ(1, grid.GetSelectedCount());
  EXPECT_EQ(1, grid.GetTopleftNonFixedCell().row);
  EXPECT_LT(grid.m_nDrawn, 4 * nInView);
}

TEST_F(GridTest, PaintShowsHeadingsFocusSelectionColoursAndGridLines) {
  Fill(6, 4);
  m_grid.SetFocusCell(2, 2);
  m_grid.SetSelectedRange(3, 1, 3, 2);
  m_grid.SetItemBkColor(4, 3, RGB(200, 0, 0));
  auto shot = CaptureClient(Grid());
  CRect rect;
  m_grid.GetCellRect(3, 1, &rect);
  EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), shot->Pixel(rect.left + 1, rect.top + 2));
  m_grid.GetCellRect(2, 2, &rect);
  EXPECT_EQ(RGB(0, 0, 0), shot->Pixel(rect.left, rect.top + 3));  // the focus frame
  EXPECT_EQ(m_grid.GetTextBkColor(), shot->Pixel(rect.left + 2, rect.top + 3));
  m_grid.GetCellRect(0, 3, &rect);
  EXPECT_EQ(m_grid.GetFixedBkColor(), shot->Pixel(rect.right - 4, rect.bottom - 4));
  EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), shot->Pixel(rect.right - 4, rect.bottom - 1));
  m_grid.GetCellRect(4, 3, &rect);
  EXPECT_EQ(RGB(200, 0, 0), shot->Pixel(rect.left + 2, rect.top + 2));
  m_grid.GetCellRect(5, 1, &rect);
  EXPECT_EQ(m_grid.GetGridColor(), shot->Pixel(rect.right - 1, (rect.top + rect.bottom) / 2));
  EXPECT_EQ(m_grid.GetGridColor(), shot->Pixel((rect.left + rect.right) / 2, rect.bottom - 1));
  EXPECT_EQ(m_grid.GetBkColor(), shot->Pixel(shot->width() - 2, shot->height() - 2));  // beyond the cells

  m_grid.SetGridLines(GVL_NONE);
  shot = CaptureClient(Grid());
  EXPECT_EQ(m_grid.GetTextBkColor(), shot->Pixel(rect.right - 1, (rect.top + rect.bottom) / 2));
}

TEST_F(GridTest, ShiftArrowsSelectABlockAndKeysStopAtTheEdges) {
  Fill(6, 4);
  PostClick(Grid(), Centre(2, 1));
  ASSERT_EQ(CCellID(2, 1), m_grid.GetFocusCell());
  m_dlg.m_notes.clear();
  PostKey(Grid(), VK_DOWN, MK_SHIFT);
  PostKey(Grid(), VK_DOWN, MK_SHIFT);
  EXPECT_EQ(Range(2, 1, 4, 1), m_grid.GetSelectedRange());
  EXPECT_EQ(3, m_grid.GetSelectedCount());
  PostKey(Grid(), VK_RIGHT, MK_SHIFT);
  EXPECT_EQ(Range(2, 1, 4, 2), m_grid.GetSelectedRange());
  EXPECT_EQ((GridNote{(int)GVN_SELCHANGING, 2, 1}), m_dlg.m_notes.front());
  EXPECT_EQ((GridNote{(int)GVN_SELCHANGED, 3, 1}), m_dlg.m_notes[1]);

  const struct {
    UINT vk;
    UINT modifiers;
    CCellID focus;
  } moves[] = {
      {VK_DOWN, 0, {5, 2}}, {VK_DOWN, 0, {5, 2}},  // the last row holds the focus
      {VK_TAB, 0, {5, 3}},  {VK_TAB, 0, {5, 3}},   // nowhere to go from the last cell
      {VK_HOME, 0, {1, 3}}, {VK_UP, 0, {1, 3}},    // never into the headings
      {VK_TAB, 0, {2, 1}},  {VK_TAB, MK_SHIFT, {1, 3}}, {VK_LEFT, 0, {1, 2}},
      {VK_LEFT, 0, {1, 1}}, {VK_LEFT, 0, {1, 1}},       {VK_END, 0, {5, 1}},
  };
  for (const auto& m : moves) {
    PostKey(Grid(), m.vk, m.modifiers);
    EXPECT_EQ(m.focus, m_grid.GetFocusCell()) << m.vk;
    EXPECT_EQ(CCellRange(m.focus.row, m.focus.col, m.focus.row, m.focus.col), m_grid.GetSelectedRange()) << m.vk;
  }
  m_dlg.m_notes.clear();
  PostKey(Grid(), VK_DOWN);
  EXPECT_TRUE(m_dlg.m_notes.empty());

  PostKey(Grid(), VK_DELETE);
  EXPECT_EQ("", std::string(m_grid.GetItemText(5, 1)));
  EXPECT_TRUE(m_grid.GetModified());
}

TEST_F(GridTest, TypingThenEnterEditsTheCellAndTellsTheParent) {
  Fill(6, 4);
  PostClick(Grid(), Centre(1, 1));
  m_dlg.m_notes.clear();
  PostChars(Grid(), "7");
  HWND hEdit = Editor();
  ASSERT_NE(nullptr, hEdit);
  EXPECT_EQ("7", TextOf(hEdit));  // the key replaced the text
  EXPECT_EQ(hEdit, ::GetFocus());
  PostChars(hEdit, "5");
  PostKey(hEdit, VK_RETURN);
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ("75", std::string(m_grid.GetItemText(1, 1)));
  EXPECT_TRUE(m_grid.GetModified());
  EXPECT_EQ(Grid(), ::GetFocus());
  EXPECT_EQ((std::vector<GridNote>{
                {(int)GVN_BEGINLABELEDIT, 1, 1}, {(int)WMU_GRID_CELL_EDITED, 0, 0}, {(int)GVN_ENDLABELEDIT, 1, 1}}),
            m_dlg.m_notes);

  // Escape puts the text back, and the parent still hears of the edit.
  m_grid.SetModified(FALSE);
  m_dlg.m_notes.clear();
  PostChars(Grid(), "9");
  ASSERT_NE(nullptr, Editor());
  PostKey(Editor(), VK_ESCAPE);
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ("75", std::string(m_grid.GetItemText(1, 1)));
  EXPECT_FALSE(m_grid.GetModified());
  EXPECT_EQ((std::vector<int>{(int)GVN_BEGINLABELEDIT, (int)WMU_GRID_CELL_EDITED, (int)GVN_ENDLABELEDIT}), Codes());

  // Tab ends an edit where it is.
  PostChars(Grid(), "3");
  PostKey(Editor(), VK_TAB);
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ("3", std::string(m_grid.GetItemText(1, 1)));
  EXPECT_EQ(CCellID(1, 1), m_grid.GetFocusCell());

  // An arrow ends an edit begun by typing and opens the next cell.
  PostChars(Grid(), "8");
  PostKey(Editor(), VK_DOWN);
  EXPECT_EQ("8", std::string(m_grid.GetItemText(1, 1)));
  EXPECT_EQ(CCellID(2, 1), m_grid.GetFocusCell());
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ("2:1", TextOf(Editor()));
  PostKey(Editor(), VK_ESCAPE);
  EXPECT_EQ("2:1", std::string(m_grid.GetItemText(2, 1)));
}

TEST_F(GridTest, AClickOnTheFocusCellEditsItWhereArrowsMoveTheCaret) {
  Fill(6, 4);
  PostClick(Grid(), Centre(2, 2));
  EXPECT_EQ(nullptr, Editor());
  PostClick(Grid(), Centre(2, 2));
  HWND hEdit = Editor();
  ASSERT_NE(nullptr, hEdit);
  DWORD nStart = 0, nEnd = 0;
  ::SendMessageA(hEdit, EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
  EXPECT_EQ(3u, nStart);  // the caret after "2:2"
  EXPECT_EQ(3u, nEnd);
  PostKey(hEdit, VK_DOWN);
  EXPECT_EQ(hEdit, Editor());
  PostKey(hEdit, VK_DOWN, MK_CONTROL);  // Ctrl makes an arrow leave all the same
  EXPECT_EQ(CCellID(3, 2), m_grid.GetFocusCell());
  ASSERT_NE(nullptr, Editor());
  PostKey(Editor(), VK_ESCAPE);

  // A read-only cell opens no editor.
  m_grid.SetItemState(4, 2, GVIS_READONLY);
  PostClick(Grid(), Centre(4, 2));
  PostChars(Grid(), "1");
  EXPECT_EQ(nullptr, Editor());
  EXPECT_EQ("4:2", std::string(m_grid.GetItemText(4, 2)));
}

TEST_F(GridTest, DraggingABorderResizesAColumnAndADoubleClickFitsIt) {
  Fill(5, 4);
  CRect col1, col2;
  m_grid.GetCellRect(0, 1, &col1);
  m_grid.GetCellRect(0, 2, &col2);
  const int y = (col1.top + col1.bottom) / 2;
  PostDrag(Grid(), {col1.right - 1, y}, {col1.right + 30, y});
  EXPECT_EQ(col1.right + 30 - col1.left, m_grid.GetColumnWidth(1));
  EXPECT_EQ(col2.Width(), m_grid.GetColumnWidth(2));
  EXPECT_EQ(0, m_grid.GetSelectedCount());  // resizing selects nothing

  // Just right of the border it is still the column on the left.
  m_grid.GetCellRect(0, 2, &col2);
  PostDrag(Grid(), {col2.left + 1, y}, {col2.left - 20, y});
  EXPECT_EQ(col2.left - 20 - col1.left, m_grid.GetColumnWidth(1));

  m_grid.SetColumnWidth(1, 200);
  m_grid.GetCellRect(0, 1, &col1);
  PostClick(Grid(), {col1.right - 1, y}, true);
  const int nFitted = m_grid.GetColumnWidth(1);
  EXPECT_NE(200, nFitted);
  m_grid.AutoSizeColumn(1);
  EXPECT_EQ(nFitted, m_grid.GetColumnWidth(1));

  // Rows resize the same way in the fixed column.
  CRect row2;
  m_grid.GetCellRect(2, 0, &row2);
  const int x = (row2.left + row2.right) / 2;
  PostDrag(Grid(), {x, row2.bottom - 1}, {x, row2.bottom + 15});
  EXPECT_EQ(row2.bottom + 15 - row2.top, m_grid.GetRowHeight(2));

  // Without resizing allowed a border is just a heading.
  m_grid.SetColumnResize(FALSE);
  const int nWidth = m_grid.GetColumnWidth(2);
  m_grid.GetCellRect(0, 2, &col2);
  PostDrag(Grid(), {col2.right - 1, y}, {col2.right + 40, y});
  EXPECT_EQ(nWidth, m_grid.GetColumnWidth(2));
}

TEST_F(GridTest, ClicksAndDragsSelectCellsColumnsRowsAndAll) {
  Fill(7, 4);
  m_dlg.m_notes.clear();
  PostDrag(Grid(), Centre(1, 1), Centre(3, 2));
  EXPECT_EQ(Range(1, 1, 3, 2), m_grid.GetSelectedRange());
  EXPECT_EQ(CCellID(3, 2), m_grid.GetFocusCell());
  ASSERT_FALSE(m_dlg.m_notes.empty());
  EXPECT_EQ((GridNote{(int)WM_COMMAND, 0, 0}), m_dlg.m_notes.back());  // the release told the parent

  // Ctrl keeps what was selected.
  PostDrag(Grid(), Centre(6, 3), Centre(6, 3), 1, MK_CONTROL);
  EXPECT_EQ(7, m_grid.GetSelectedCount());
  EXPECT_EQ(Range(1, 1, 6, 3), m_grid.GetSelectedRange());

  const struct {
    const char* what;
    CCellID press;
    CCellRange selected;
  } clicks[] = {
      {"a column heading", {0, 2}, Range(1, 2, 6, 2)},
      {"a row heading", {4, 0}, Range(4, 1, 4, 3)},
      {"the corner", {0, 0}, Range(1, 1, 6, 3)},
      {"a cell", {5, 3}, Range(5, 3, 5, 3)},
  };
  for (const auto& c : clicks) {
    PostClick(Grid(), Centre(c.press.row, c.press.col));
    EXPECT_EQ(c.selected, m_grid.GetSelectedRange()) << c.what;
  }
  PostDrag(Grid(), Centre(0, 1), Centre(0, 2));  // along the headings: two columns
  EXPECT_EQ(Range(1, 1, 6, 2), m_grid.GetSelectedRange());
}

TEST_F(GridTest, InListModeAClickSelectsTheRowAndAHeadingSorts) {
  Fill(5, 4);
  const char* texts[] = {"pear", "apple", "fig", "date"};
  for (int r = 1; r < 5; ++r)
    m_grid.SetItemText(r, 2, texts[r - 1]);
  m_grid.SetListMode(TRUE);
  PostClick(Grid(), Centre(3, 2));
  EXPECT_EQ(Range(3, 1, 3, 3), m_grid.GetSelectedRange());

  PostClick(Grid(), Centre(0, 2));
  EXPECT_EQ(2, m_grid.GetSortColumn());
  EXPECT_EQ((std::vector<std::string>{"apple", "date", "fig", "pear"}), Column(2));
  EXPECT_EQ("2:1", std::string(m_grid.GetItemText(1, 1)));  // whole rows move
  PostClick(Grid(), Centre(0, 2));
  EXPECT_EQ((std::vector<std::string>{"pear", "fig", "date", "apple"}), Column(2));
  EXPECT_FALSE(m_grid.GetSortAscending());

  m_grid.SetHeaderSort(FALSE);
  PostClick(Grid(), Centre(0, 2));
  EXPECT_EQ((std::vector<std::string>{"pear", "fig", "date", "apple"}), Column(2));
}

TEST_F(GridTest, OnlyAClippedTextShowsATitleTip) {
  Fill(4, 3);
  m_grid.SetItemText(2, 1, "a text far too long for the narrow cell it is in");
  auto tipShown = []() {
    HWND hTip = ::FindWindowA("ZTitleTip", nullptr);
    return hTip != nullptr && ::IsWindowVisible(hTip);
  };
  PostMouseMove(Grid(), Centre(1, 1));
  EXPECT_FALSE(tipShown());
  PostMouseMove(Grid(), Centre(2, 1));
  EXPECT_TRUE(tipShown());
  HWND hTip = ::FindWindowA("ZTitleTip", nullptr);
  CRect rectTip, rectCell;
  ::GetWindowRect(hTip, &rectTip);
  m_grid.GetCellRect(2, 1, &rectCell);
  m_grid.ClientToScreen(&rectCell);
  EXPECT_EQ(rectCell.top, rectTip.top);
  EXPECT_GT(rectTip.Width(), rectCell.Width());
  // Leaving the cell hides it; the move goes on to the grid.
  PostMouseMove(hTip, {-5, -5});
  EXPECT_FALSE(tipShown());
  // A press on the tip hides it and reaches the cell below.
  PostMouseMove(Grid(), Centre(2, 1));
  ASSERT_TRUE(tipShown());
  ::PostMessageA(hTip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PumpPending();
  ::PostMessageA(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(Centre(2, 1).x, Centre(2, 1).y));
  PumpPending();
  EXPECT_FALSE(tipShown());
  EXPECT_EQ(CCellID(2, 1), m_grid.GetFocusCell());

  m_grid.EnableTitleTips(FALSE);
  PostMouseMove(Grid(), Centre(2, 1));
  EXPECT_FALSE(tipShown());
}

TEST_F(GridTest, HoldingTheButtonBelowTheGridScrollsAndSelectsOnTheTimer) {
  Fill(60, 3);
  ::PostMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(2, 1).x, Centre(2, 1).y));
  PumpPending();
  CRect client;
  m_grid.GetClientRect(&client);
  CPoint below(Centre(2, 1).x, client.bottom + 20);
  m_grid.ClientToScreen(&below);
  ::SetCursorPos(below.x, below.y);
  // Each tick of the 25 ms timer moves down a row and selects up to it.
  EXPECT_TRUE(PumpUntil([&] { return m_grid.GetFocusCell().row >= 30; }, 10000));
  ::PostMessageA(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(Centre(2, 1).x, client.bottom - 1));
  PumpPending();
  const int nRow = m_grid.GetFocusCell().row;
  // Selected down to the row at the bottom edge, where the cursor is held.
  const CCellRange selected = m_grid.GetSelectedRange();
  EXPECT_EQ(CCellID(2, 1), selected.GetTopLeft());
  EXPECT_EQ(1, selected.GetColSpan());
  EXPECT_GE(selected.GetMaxRow(), nRow);
  EXPECT_EQ(selected.GetMaxRow(), m_grid.GetVisibleNonFixedCellRange().GetMaxRow());
  EXPECT_TRUE(m_grid.IsCellVisible(nRow, 1));
  EXPECT_GT(m_grid.GetTopleftNonFixedCell().row, 1);
  // Released, the timer is gone.
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(nRow, m_grid.GetFocusCell().row);
}

TEST_F(GridTest, TheWheelAndTheScrollBarMoveTheRowsInView) {
  Fill(200, 3);
  EXPECT_EQ(1, m_grid.GetTopleftNonFixedCell().row);
  ::SendMessageA(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  PumpPending();
  EXPECT_EQ(1 + m_grid.GetWheelScrollLines(), m_grid.GetTopleftNonFixedCell().row);
  ::SendMessageA(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  PumpPending();
  EXPECT_EQ(1, m_grid.GetTopleftNonFixedCell().row);

  PostClick(Grid(), Centre(1, 1));
  PostKey(Grid(), VK_NEXT);
  const int nPageRows = m_grid.GetTopleftNonFixedCell().row - 1;
  EXPECT_GT(nPageRows, 0);
  EXPECT_EQ(CCellID(1 + nPageRows, 1), m_grid.GetFocusCell());
  PostKey(Grid(), VK_END);
  EXPECT_EQ(CCellID(199, 1), m_grid.GetFocusCell());
  EXPECT_TRUE(m_grid.IsCellVisible(199, 1));
  // Down from a row cut at the bottom brings it into view whole.
  PostKey(Grid(), VK_HOME);
  const int nLastWhole = m_grid.GetVisibleNonFixedCellRange().GetMaxRow();
  for (int r = 1; r <= nLastWhole; ++r)
    PostKey(Grid(), VK_DOWN);
  CRect rect, client;
  m_grid.GetCellRect(m_grid.GetFocusCell().row, 1, &rect);
  m_grid.GetClientRect(&client);
  EXPECT_LE(rect.bottom, client.bottom);
  EXPECT_GT(m_grid.GetTopleftNonFixedCell().row, 1);
}

}  // namespace
