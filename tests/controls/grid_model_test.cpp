// The grid's table: rows, columns and cells as the dialogs build them, the
// sizes they get, and the font and system colours they follow.
#include <string>

#include "controls/GridCtrl.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "tests/controls/GridDialog.h"

namespace {

TEST_F(GridTest, AGridFromADialogTemplateIsBoundOnceWithTheMessageFont) {
  char cls[32] = "";
  ::GetClassNameA(Grid(), cls, sizeof(cls));
  EXPECT_STREQ("MFCGridCtrl", cls);
  EXPECT_EQ(&m_grid, CWnd::FromHandlePermanent(::GetDlgItem(m_dlg.m_hWnd, IDC_GRID)));
  m_dlg.UpdateData(FALSE);  // a second exchange leaves the bound grid alone
  EXPECT_EQ(&m_grid, CWnd::FromHandlePermanent(Grid()));

  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = sizeof(ncm);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  LOGFONT lf;
  ASSERT_NE(0, ::GetObjectA((HFONT)::SendMessageA(Grid(), WM_GETFONT, 0, 0), sizeof(lf), &lf));
  EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, lf.lfFaceName);
  EXPECT_EQ(ncm.lfMessageFont.lfHeight, lf.lfHeight);
}

TEST_F(GridTest, ColumnsAndRowsInsertedIntoAnEmptyGrid) {
  EXPECT_EQ(0, m_grid.InsertColumn("ppm"));
  EXPECT_EQ(1, m_grid.GetRowCount());
  EXPECT_EQ(1, m_grid.InsertColumn("Hz", DT_RIGHT));
  EXPECT_EQ(1, m_grid.GetRowCount());  // the second column adds no row
  EXPECT_EQ("ppm", std::string(m_grid.GetItemText(0, 0)));
  EXPECT_EQ((UINT)DT_RIGHT, m_grid.GetItemFormat(0, 1));
  EXPECT_GT(m_grid.GetColumnWidth(0), 0);
  EXPECT_EQ(-1, m_grid.InsertColumn("late", DT_LEFT, 2));  // an index past the end fails
  EXPECT_EQ(0, m_grid.InsertColumn("first", DT_LEFT, 0));
  EXPECT_EQ("first", std::string(m_grid.GetItemText(0, 0)));
  EXPECT_EQ("ppm", std::string(m_grid.GetItemText(0, 1)));

  EXPECT_EQ(1, m_grid.InsertRow("1"));
  EXPECT_EQ(2, m_grid.InsertRow("2"));
  EXPECT_EQ(-1, m_grid.InsertRow("x", 5));
  EXPECT_EQ("2", std::string(m_grid.GetItemText(2, 0)));
  // A new row takes each format of the row above, but not in column 0.
  m_grid.SetItemFormat(2, 0, DT_CENTER);
  m_grid.SetItemFormat(2, 2, DT_RIGHT | DT_SINGLELINE);
  EXPECT_EQ(3, m_grid.InsertRow("3"));
  EXPECT_EQ((UINT)(DT_RIGHT | DT_SINGLELINE), m_grid.GetItemFormat(3, 2));
  EXPECT_EQ(0u, m_grid.GetItemFormat(3, 0));

  EXPECT_FALSE(m_grid.DeleteRow(4));
  EXPECT_TRUE(m_grid.DeleteRow(1));
  EXPECT_EQ("2", std::string(m_grid.GetItemText(1, 0)));
  EXPECT_FALSE(m_grid.DeleteColumn(-1));
  EXPECT_TRUE(m_grid.DeleteColumn(0));
  EXPECT_EQ(2, m_grid.GetColumnCount());
  m_grid.SetFixedRowCount(1);
  m_grid.DeleteNonFixedRows();
  EXPECT_EQ(1, m_grid.GetRowCount());
  m_grid.DeleteAllItems();
  EXPECT_EQ(0, m_grid.GetRowCount() + m_grid.GetColumnCount() + m_grid.GetFixedRowCount());
}

TEST_F(GridTest, RowsMadeAgainHaveTheDefaultHeightAndTheGridFont) {
  Fill(5, 3);
  m_grid.SetRowHeight(2, 77);
  m_grid.SetRowCount(0);
  EXPECT_EQ(0, m_grid.GetFixedRowCount());
  m_grid.SetRowCount(3);
  const LOGFONT* pGridFont = m_grid.GetItemFont(-1, -1);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(m_grid.GetDefaultRowHeight(), m_grid.GetRowHeight(r)) << r;
    EXPECT_EQ("", std::string(m_grid.GetItemText(r, 1)));
    EXPECT_STREQ(pGridFont->lfFaceName, m_grid.GetItemFont(r, 1)->lfFaceName);
    EXPECT_EQ(pGridFont->lfHeight, m_grid.GetItemFont(r, 1)->lfHeight);
  }
  // The default height follows the font: external leading, character height and two margins.
  CClientDC dc(&m_grid);
  CSelectGuard font(dc.m_hDC, (HGDIOBJ)::SendMessageA(Grid(), WM_GETFONT, 0, 0));
  TEXTMETRICA tm;
  dc.GetTextMetrics(&tm);
  EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading + 2 * dc.GetTextExtent(" ", 1).cx, m_grid.GetDefaultRowHeight());
}

TEST_F(GridTest, OutsideTheGridEveryItemCallFailsOrGivesItsNeutralValue) {
  Fill(3, 3);
  const CCellID outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 3}};
  for (const CCellID& c : outside) {
    EXPECT_FALSE(m_grid.SetItemText(c.row, c.col, "x"));
    EXPECT_EQ("", std::string(m_grid.GetItemText(c.row, c.col)));
    EXPECT_FALSE(m_grid.SetItemData(c.row, c.col, 5));
    EXPECT_EQ(0, m_grid.GetItemData(c.row, c.col));
    EXPECT_EQ(-1, m_grid.GetItemImage(c.row, c.col));
    EXPECT_EQ(0u, m_grid.GetItemState(c.row, c.col));
    EXPECT_EQ(CLR_GRID_DEFAULT, m_grid.GetItemBkColor(c.row, c.col));
    EXPECT_FALSE(m_grid.SetItemState(c.row, c.col, GVIS_SELECTED));
    EXPECT_FALSE(m_grid.IsCellEditable(c.row, c.col));
  }
  EXPECT_EQ(-1, m_grid.GetRowHeight(3));
  EXPECT_FALSE(m_grid.SetColumnWidth(1, -4));
  EXPECT_FALSE(m_grid.IsValid(CCellRange(1, 1, 0, 2)));
  EXPECT_FALSE(m_grid.IsValid(CCellRange(1, 1, 3, 2)));
  EXPECT_TRUE(m_grid.IsValid(CCellRange(1, 1, 2, 2)));

  GRIDITEM item;
  item.row = 1;
  item.col = 2;
  item.mask = GVIF_TEXT | GVIF_PARAM | GVIF_BKCLR | GVIF_STATE;
  item.szText = "set";
  item.lParam = 42;
  item.crBkClr = RGB(1, 2, 3);
  item.state = GVIS_READONLY;
  EXPECT_TRUE(m_grid.SetItem(&item));
  GRIDITEM back;
  back.row = 1;
  back.col = 2;
  back.mask = GVIF_TEXT | GVIF_PARAM | GVIF_BKCLR | GVIF_STATE | GVIF_FGCLR;
  EXPECT_TRUE(m_grid.GetItem(&back));
  EXPECT_EQ("set", std::string(back.szText));
  EXPECT_EQ(42, back.lParam);
  EXPECT_EQ(RGB(1, 2, 3), back.crBkClr);
  EXPECT_EQ(CLR_GRID_DEFAULT, back.crFgClr);
  EXPECT_FALSE(m_grid.IsCellEditable(1, 2));
}

TEST_F(GridTest, NextItemSearchesEachWayForAStateBit) {
  Fill(5, 5);
  m_grid.SetItemState(1, 3, GVIS_READONLY);
  m_grid.SetItemState(4, 3, GVIS_READONLY);
  m_grid.SetItemState(2, 1, GVIS_READONLY);
  const struct {
    CCellID from;
    UINT flags;
    CCellID found;
  } cases[] = {
      {{3, 3}, GVNI_ABOVE | GVIS_READONLY, {1, 3}},
      {{3, 3}, GVNI_BELOW | GVIS_READONLY, {4, 3}},
      {{2, 4}, GVNI_TOLEFT | GVIS_READONLY, {2, 1}},
      {{2, 1}, GVNI_TORIGHT | GVIS_READONLY, {-1, -1}},
      {{0, -1}, GVNI_BELOW | GVNI_TORIGHT | GVIS_READONLY, {1, 3}},
      {{2, 1}, GVNI_BELOW | GVNI_TORIGHT | GVIS_READONLY, {4, 3}},
      {{3, 3}, GVNI_ABOVE | GVIS_SELECTED, {-1, -1}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.found, m_grid.GetNextItem(c.from, c.flags)) << c.from.row << "," << c.from.col << " " << c.flags;
}

TEST_F(GridTest, SizesStretchAndFitTheirCells) {
  Fill(3, 3);
  CRect client;
  m_grid.GetClientRect(&client);
  // Three columns 7 pixels too wide together: each loses 7 / 3 = 2, the first one more.
  const int nEach = (client.Width() + 7) / 3;
  m_grid.SetColumnWidth(1, nEach);
  m_grid.SetColumnWidth(2, nEach);
  m_grid.SetColumnWidth(0, client.Width() + 7 - 2 * nEach);
  ASSERT_EQ(client.Width() + 7, m_grid.GetVirtualWidth());
  const int w0 = m_grid.GetColumnWidth(0), w1 = m_grid.GetColumnWidth(1), w2 = m_grid.GetColumnWidth(2);
  m_grid.StretchColumnsToWidth();
  EXPECT_EQ(w0 - 3, m_grid.GetColumnWidth(0));
  EXPECT_EQ(w1 - 2, m_grid.GetColumnWidth(1));
  EXPECT_EQ(w2 - 2, m_grid.GetColumnWidth(2));
  EXPECT_EQ(client.Width(), m_grid.GetVirtualWidth());

  // Auto-sizing makes room for the longest text, headings at heading weight.
  m_grid.SetItemText(2, 1, "a much longer text than the others");
  m_grid.AutoSizeColumn(1);
  CClientDC dc(&m_grid);
  CSelectGuard font(dc.m_hDC, (HGDIOBJ)::SendMessageA(Grid(), WM_GETFONT, 0, 0));
  EXPECT_GE(m_grid.GetColumnWidth(1), dc.GetTextExtent("a much longer text than the others", 34).cx);
  m_grid.AutoSize();
  EXPECT_GT(m_grid.GetRowHeight(1), 0);
  EXPECT_EQ(m_grid.GetRowHeight(1), m_grid.GetRowHeight(2));
}

TEST_F(GridTest, ANewFontReachesEveryCellAndTheDefaults) {
  Fill(3, 3);
  CFont big;
  big.CreatePointFont(200, "Arial");
  const int nRowHeight = m_grid.GetDefaultRowHeight();
  m_grid.SetFont(&big);
  LOGFONT lf;
  big.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, m_grid.GetItemFont(2, 2)->lfHeight);
  EXPECT_GT(m_grid.GetDefaultRowHeight(), nRowHeight);
  LOGFONT got;
  ::GetObjectA((HFONT)::SendMessageA(Grid(), WM_GETFONT, 0, 0), sizeof(got), &got);
  EXPECT_EQ(lf.lfHeight, got.lfHeight);
}

TEST_F(GridTest, ASystemColourChangeKeepsTheColoursTheCallerChose) {
  const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
  const COLORREF before[] = {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT)};
  m_grid.SetTextColor(RGB(10, 20, 30));
  const COLORREF after[] = {RGB(250, 240, 200), RGB(0, 0, 128)};
  ::SetSysColors(2, elements, after);
  ::SendMessageA(Grid(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(RGB(250, 240, 200), m_grid.GetTextBkColor());
  EXPECT_EQ(RGB(10, 20, 30), m_grid.GetTextColor());
  EXPECT_EQ(RGB(0, 0, 128), m_grid.GetFixedTextColor());
  ::SetSysColors(2, elements, before);
  ::SendMessageA(Grid(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(before[0], m_grid.GetTextBkColor());
  EXPECT_EQ(3, m_grid.GetWheelScrollLines());
}

TEST_F(GridTest, LazyRowsMakeNoCellsUntilOneIsWrittenAndReadAsNewCellsWould) {
  m_grid.SetLazyRows();
  m_grid.SetColumnCount(3);
  m_grid.SetRowCount(1);
  m_grid.SetFixedRowCount(1);
  m_grid.SetItemFormat(0, 1, DT_CENTER);
  m_grid.SetItemFormat(0, 2, DT_RIGHT);
  m_grid.SetRowCount(100001);
  EXPECT_EQ(3, m_grid.GetCellObjectCount());
  // Read as made cells: the format of the row above (never in column 0), the grid's font, nothing set.
  EXPECT_EQ((UINT)DT_CENTER, m_grid.GetItemFormat(50000, 1));
  EXPECT_EQ((UINT)DT_RIGHT, m_grid.GetItemFormat(100000, 2));
  EXPECT_EQ(0u, m_grid.GetItemFormat(100000, 0));
  EXPECT_EQ(0u, m_grid.GetItemState(7, 1));
  EXPECT_EQ("", std::string(m_grid.GetItemText(7, 1)));
  EXPECT_STREQ(m_grid.GetItemFont(0, 0)->lfFaceName, m_grid.GetItemFont(7, 1)->lfFaceName);
  EXPECT_TRUE(m_grid.IsCellEditable(7, 1));
  EXPECT_EQ(0u, m_grid.GetItemState(100001, 0));  // past the end stays outside
  EXPECT_FALSE(m_grid.SetItemText(100001, 0, "x"));

  // Writing makes the one row; a selection, its rows; both copy as made rows do.
  EXPECT_TRUE(m_grid.SetItemText(70000, 2, "x"));
  EXPECT_EQ(6, m_grid.GetCellObjectCount());
  EXPECT_EQ((UINT)DT_CENTER, m_grid.GetItemFormat(70000, 1));
  m_grid.SetSelectedRange(70000, 1, 70001, 2);
  EXPECT_EQ(9, m_grid.GetCellObjectCount());
  EXPECT_EQ(4, m_grid.GetSelectedCount());
  m_grid.OnEditCopy();
  {
    CClipboard clipboard(nullptr);
    CString text;
    ASSERT_TRUE(clipboard.GetText(text));
    EXPECT_STREQ(" \tx\n \t ", text);
  }
  m_grid.ResetSelectedRange();
  ::UpdateWindow(Grid());  // drawing reads rows made and not made

  // Columns inserted, removed and added keep every row rectangular.
  EXPECT_EQ(1, m_grid.InsertColumn("n", DT_LEFT, 1));
  EXPECT_EQ((UINT)DT_LEFT, m_grid.GetItemFormat(90000, 1));
  EXPECT_EQ((UINT)DT_LEFT, m_grid.GetItemFormat(70000, 1));
  EXPECT_EQ("x", std::string(m_grid.GetItemText(70000, 3)));
  EXPECT_EQ(12, m_grid.GetCellObjectCount());
  EXPECT_TRUE(m_grid.DeleteColumn(0));
  m_grid.SetColumnCount(5);
  EXPECT_EQ(15, m_grid.GetCellObjectCount());
  EXPECT_EQ("x", std::string(m_grid.GetItemText(70000, 2)));
  EXPECT_EQ(0u, m_grid.GetItemFormat(90000, 4));
  EXPECT_TRUE(m_grid.SetItemText(90000, 4, "y"));
  EXPECT_EQ("y", std::string(m_grid.GetItemText(90000, 4)));
  m_grid.SetRowCount(2);
  EXPECT_EQ(5, m_grid.GetCellObjectCount());
  // Rows appended below a made row of another format take it; the rows above keep theirs.
  m_grid.SetRowCount(4);
  m_grid.SetItemFormat(3, 2, DT_BOTTOM);
  m_grid.SetRowCount(6);
  EXPECT_EQ(m_grid.GetItemFormat(1, 2), m_grid.GetItemFormat(2, 2));
  EXPECT_EQ((UINT)DT_BOTTOM, m_grid.GetItemFormat(5, 2));
}

}  // namespace
