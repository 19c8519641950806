// The grid's cells going out and coming in: copy and paste through the real
// clipboard, the drop site, sorting, the edit commands' states, and the
// comma-separated file, including damaged ones that must change nothing.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "controls/GridCtrl.h"
#include "framework/win/ImageList.h"
#include "framework/win/Clipboard.h"
#include "framework/win/CmdUI.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleDataSource.h"
#include "tests/controls/GridDialog.h"
#include "tests/saving/small_disks.h"

namespace {

std::string ClipboardText() {
  CClipboard clipboard(nullptr);
  CString text;
  return clipboard.GetText(text) ? std::string(text) : std::string("<none>");
}

// Pastes text through the clipboard at a cell.
BOOL PasteAt(CGridCtrl& grid, int nRow, int nCol, const char* text) {
  CClipboard::CopyText(nullptr, text);
  COleDataObject data;
  return data.AttachClipboard() && grid.PasteClipboardText(nRow, nCol, &data);
}

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every text of the grid, row by row.
std::vector<std::vector<std::string>> Cells(CGridCtrl& grid) {
  std::vector<std::vector<std::string>> cells(grid.GetRowCount());
  for (int r = 0; r < grid.GetRowCount(); ++r)
    for (int c = 0; c < grid.GetColumnCount(); ++c)
      cells[r].push_back((LPCSTR)grid.GetItemText(r, c));
  return cells;
}

class CDropGrid : public CGridCtrl {
 public:
  IDropTarget* Target() { return &m_DropTarget; }
  BOOL Registered() const { return m_DropTarget.IsRegistered(); }
};

int CALLBACK CompareValues(LPARAM a, LPARAM b, LPARAM) {
  return a < b ? -1 : a > b ? 1 : 0;
}

class CEnableProbe : public CCmdUI {
 public:
  void Enable(BOOL bOn) override { m_bEnabled = bOn; }
  BOOL m_bEnabled = -1;
};

class CDragImageGrid : public CGridCtrl {
 public:
  using CGridCtrl::CreateDragImage;
};

TEST_F(GridTest, TheDragImageIsThePressedCellAsDrawn) {
  CDragImageGrid grid;
  ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 150), &m_dlg, 996));
  grid.SetRowCount(4);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  CPoint hot;
  EXPECT_EQ(nullptr, grid.CreateDragImage(&hot)) << "no cell pressed yet";
  grid.SetItemText(2, 1, "drag");
  grid.SetItemBkColor(2, 1, RGB(200, 0, 0));
  CRect rect;
  ASSERT_TRUE(grid.GetCellRect(2, 1, &rect));
  const CPoint press(rect.left + 5, rect.top + 3);
  PostClick(grid.m_hWnd, press);
  std::unique_ptr<CImageList> image(grid.CreateDragImage(&hot));
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(CPoint(5, 3), hot);
  EXPECT_EQ(1, image->GetImageCount());
  IMAGEINFO info = {};
  ASSERT_TRUE(image->GetImageInfo(0, &info));
  EXPECT_EQ(rect.Width(), info.rcImage.right - info.rcImage.left);
  EXPECT_EQ(rect.Height(), info.rcImage.bottom - info.rcImage.top);
  // The focus frame, the cell's colour, its text.
  TestBitmap drawn(rect.Width(), rect.Height());
  ::ImageList_Draw(image->GetSafeHandle(), 0, drawn.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(RGB(0, 0, 0), drawn.Pixel(0, rect.Height() / 2));
  EXPECT_GT(drawn.Count(RGB(200, 0, 0)), rect.Width() * rect.Height() / 2);
  EXPECT_GT(drawn.Count(m_grid.GetTextColor()), 5);
}

TEST_F(GridTest, CopyGivesTabsOneLineFeedAndASpaceForAnEmptyCell) {
  Fill(5, 4);
  m_grid.SetItemText(2, 2, "");
  PostClick(Grid(), Centre(1, 1));
  PostKey(Grid(), VK_DOWN, MK_SHIFT);
  PostKey(Grid(), VK_RIGHT, MK_SHIFT);
  PostKey(Grid(), 'C', MK_CONTROL);
  EXPECT_EQ("1:1\t1:2\n2:1\t ", ClipboardText());

  // Cells of the block that are not selected keep their separators.
  PostClick(Grid(), Centre(1, 1));
  PostDrag(Grid(), Centre(2, 2), Centre(2, 2), 1, MK_CONTROL);
  PostKey(Grid(), 'C', MK_CONTROL);
  EXPECT_EQ("1:1\t\n\t ", ClipboardText());
}

TEST_F(GridTest, ABlockCopiedAndPastedBackElsewhereHasTheSameTexts) {
  Fill(8, 4);
  PostDrag(Grid(), Centre(1, 1), Centre(3, 2));
  PostKey(Grid(), 'C', MK_CONTROL);
  PostClick(Grid(), Centre(5, 2));
  PostKey(Grid(), 'V', MK_CONTROL);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c)
      EXPECT_EQ(std::to_string(1 + r) + ":" + std::to_string(1 + c), std::string(m_grid.GetItemText(5 + r, 2 + c)));
  EXPECT_EQ("4:2", std::string(m_grid.GetItemText(4, 2)));
  EXPECT_EQ("5:1", std::string(m_grid.GetItemText(5, 1)));
  EXPECT_TRUE(m_grid.GetModified());

  // Cut takes the block away as well.
  PostDrag(Grid(), Centre(1, 1), Centre(1, 2));
  PostKey(Grid(), 'X', MK_CONTROL);
  EXPECT_EQ("1:1\t1:2", ClipboardText());
  EXPECT_EQ("", std::string(m_grid.GetItemText(1, 1)));
  EXPECT_EQ("", std::string(m_grid.GetItemText(1, 2)));
  EXPECT_EQ(0, m_grid.GetSelectedCount());
}

TEST_F(GridTest, PastedTextStaysInsideTheGridAndOutOfItsHeadings) {
  const struct {
    const char* what;
    CCellID at;
    const char* text;
    BOOL ok;
    std::vector<std::pair<CCellID, std::string>> after;
  } cases[] = {
      {"a comma and a tab", {5, 1}, "1,2\t3", TRUE, {{{5, 1}, "1"}, {{5, 2}, "2"}, {{5, 3}, "3"}}},
      {"more columns than the grid", {1, 2}, "a\tb\tc\td", TRUE, {{{1, 2}, "a"}, {{1, 3}, "b"}, {{1, 1}, "1:1"}}},
      {"more rows than the grid", {5, 1}, "x\ny\nz", TRUE, {{{5, 1}, "x"}, {{6, 1}, "y"}, {{4, 1}, "4:1"}}},
      {"an empty line keeps its row", {1, 1}, "p\n\nq", TRUE, {{{1, 1}, "p"}, {{2, 1}, ""}, {{3, 1}, "q"}}},
      {"into a heading", {0, 1}, "h", FALSE, {{{0, 1}, "0:1"}}},
      {"into a fixed column", {2, 0}, "h", FALSE, {{{2, 0}, "2:0"}}},
      {"a read-only cell in the way", {3, 1}, "r\ts\tt", TRUE, {{{3, 1}, "r"}, {{3, 2}, "3:2"}, {{3, 3}, "t"}}},
  };
  for (const auto& c : cases) {
    Fill(7, 4);
    m_grid.SetItemState(3, 2, GVIS_READONLY);
    EXPECT_EQ(c.ok, PasteAt(m_grid, c.at.row, c.at.col, c.text)) << c.what;
    for (const auto& cell : c.after)
      EXPECT_EQ(cell.second, std::string(m_grid.GetItemText(cell.first.row, cell.first.col))) << c.what;
    EXPECT_EQ(7, m_grid.GetRowCount()) << c.what;
    EXPECT_EQ(4, m_grid.GetColumnCount()) << c.what;
  }

  // A grid that is not editable takes nothing.
  Fill(7, 4);
  m_grid.SetModified(FALSE);
  m_grid.SetEditable(FALSE);
  CClipboard::CopyText(nullptr, "no");
  PostClick(Grid(), Centre(2, 2));
  PostKey(Grid(), 'V', MK_CONTROL);
  PostKey(Grid(), 'X', MK_CONTROL);
  EXPECT_EQ("2:2", std::string(m_grid.GetItemText(2, 2)));
  EXPECT_FALSE(m_grid.GetModified());
}

TEST_F(GridTest, TheDropSiteHighlightsTheCellUnderTheMouseAndDropsThere) {
  CDropGrid grid;
  ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &m_dlg, 998));
  EXPECT_TRUE(grid.Registered());
  grid.SetRowCount(5);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  COleDataSource* pSource = new COleDataSource;
  pSource->CacheGlobalData(CF_TEXT, CClipboard::GlobalFromText("u\tv\nw"));
  IDataObject* pData = pSource;
  auto at = [&](int r, int c) {
    CRect rect;
    grid.GetCellRect(r, c, &rect);
    CPoint pt = rect.CenterPoint();
    grid.ClientToScreen(&pt);
    return POINTL{pt.x, pt.y};
  };
  IDropTarget* pTarget = grid.Target();
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, pTarget->DragEnter(pData, MK_LBUTTON | MK_CONTROL, at(2, 1), &effect));
  EXPECT_EQ((DWORD)DROPEFFECT_COPY, effect);
  EXPECT_TRUE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  pTarget->DragOver(MK_LBUTTON, at(3, 1), &effect);
  EXPECT_EQ((DWORD)DROPEFFECT_MOVE, effect);
  EXPECT_FALSE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
  EXPECT_TRUE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  pTarget->DragOver(MK_LBUTTON, at(0, 2), &effect);  // a heading takes no drop
  EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);
  EXPECT_FALSE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);
  EXPECT_FALSE(grid.GetItemState(0, 2) & GVIS_DROPHILITED);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, pTarget->Drop(pData, 0, at(3, 1), &effect));
  EXPECT_EQ((DWORD)DROPEFFECT_MOVE, effect);
  EXPECT_EQ("u", std::string(grid.GetItemText(3, 1)));
  EXPECT_EQ("v", std::string(grid.GetItemText(3, 2)));
  EXPECT_EQ("w", std::string(grid.GetItemText(4, 1)));
  EXPECT_FALSE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);

  grid.SetEditable(FALSE);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  pTarget->DragEnter(pData, MK_LBUTTON, at(2, 2), &effect);
  EXPECT_EQ((DWORD)DROPEFFECT_NONE, effect);
  pTarget->DragLeave();
  pSource->InternalRelease();
}

TEST_F(GridTest, SortingOrdersWholeRowsByText) {
  const struct {
    std::vector<std::string> texts;
    BOOL ascending;
    std::vector<std::string> sorted;
  } cases[] = {
      {{"10", "9", "100"}, TRUE, {"10", "100", "9"}},
      {{"10", "9", "100"}, FALSE, {"9", "100", "10"}},
      {{"b", "B", "a", "b"}, TRUE, {"B", "a", "b", "b"}},
      {{"same", "same", "same"}, TRUE, {"same", "same", "same"}},
  };
  for (const auto& c : cases) {
    Fill((int)c.texts.size() + 1, 3);
    for (size_t i = 0; i < c.texts.size(); ++i) {
      m_grid.SetItemText((int)i + 1, 2, c.texts[i].c_str());
      m_grid.SetItemText((int)i + 1, 1, c.texts[i].c_str());
      m_grid.SetRowHeight((int)i + 1, 20 + std::atoi(c.texts[i].c_str()) % 7);
    }
    m_grid.SetFocusCell(1, 1);
    m_grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_TRUE(m_grid.SortTextItems(2, c.ascending));
    EXPECT_EQ(c.sorted, Column(2));
    EXPECT_EQ(c.sorted, Column(1));  // the row went along
    for (size_t i = 0; i < c.sorted.size(); ++i)
      EXPECT_EQ(20 + std::atoi(c.sorted[i].c_str()) % 7, m_grid.GetRowHeight((int)i + 1));
    EXPECT_EQ(0, m_grid.GetSelectedCount());
    EXPECT_FALSE(m_grid.IsValid(m_grid.GetFocusCell()));
  }
  EXPECT_FALSE(m_grid.SortTextItems(3, TRUE));
  EXPECT_FALSE(m_grid.SortTextItems(-1, TRUE));

  // By the callers' values, with their own comparison.
  Fill(5, 2);
  const LPARAM values[] = {30, -4, 12, 7};
  for (int r = 1; r < 5; ++r)
    m_grid.SetItemData(r, 1, values[r - 1]);
  EXPECT_TRUE(m_grid.SortItems(&CompareValues, 1, FALSE));
  EXPECT_EQ((std::vector<std::string>{"1:1", "3:1", "4:1", "2:1"}), Column(1));
}

TEST_F(GridTest, AHundredThousandRowsSortInAnyOrderTheyCome) {
  // In order, in reverse, and all alike: none of them may recurse once per row.
  const int nRows = 100000;
  for (int pattern = 0; pattern < 3; ++pattern) {
    Fill(nRows + 1, 2, true);
    char text[16];
    for (int r = 1; r <= nRows; ++r) {
      const int n = pattern == 0 ? r : pattern == 1 ? nRows - r : 5;
      std::snprintf(text, sizeof(text), "%06d", n);
      m_grid.SetItemText(r, 1, text);
    }
    ASSERT_TRUE(m_grid.SortTextItems(1, TRUE));
    for (int r = 2; r <= nRows; ++r)
      ASSERT_LE(m_grid.GetItemText(r - 1, 1).Compare(m_grid.GetItemText(r, 1)), 0) << pattern << " " << r;
  }
}

TEST_F(GridTest, EditCommandsAreOfferedOnlyWhenTheyCanAct) {
  Fill(4, 3);
  auto enabled = [&](UINT nID) {
    CEnableProbe probe;
    probe.m_nID = nID;
    probe.DoUpdate(&m_grid, FALSE);
    return probe.m_bEnabled;
  };
  CClipboard::CopyText(nullptr, "x");
  EXPECT_FALSE(enabled(ID_EDIT_COPY));
  EXPECT_FALSE(enabled(ID_EDIT_PASTE));
  EXPECT_TRUE(enabled(ID_EDIT_SELECT_ALL));
  PostClick(Grid(), Centre(1, 1));
  EXPECT_TRUE(enabled(ID_EDIT_COPY));
  EXPECT_TRUE(enabled(ID_EDIT_CUT));
  EXPECT_TRUE(enabled(ID_EDIT_PASTE));
  m_grid.SetEditable(FALSE);
  EXPECT_FALSE(enabled(ID_EDIT_CUT));
  m_grid.SetItemState(1, 1, m_grid.GetItemState(1, 1) | GVIS_READONLY);
  EXPECT_FALSE(enabled(ID_EDIT_PASTE));
  m_grid.EnableSelection(FALSE);
  EXPECT_FALSE(enabled(ID_EDIT_SELECT_ALL));

  m_grid.SetEditable(TRUE);
  m_grid.EnableSelection(TRUE);
  m_grid.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
  EXPECT_EQ(6, m_grid.GetSelectedCount());
}

TEST_F(GridTest, SavedThenLoadedTheGridHasTheSameCells) {
  Fill(4, 3);
  m_grid.SetItemText(2, 1, "");
  m_grid.SetItemText(0, 0, "Peak");
  const std::string path = TempPath("grid_round_trip.csv");
  ASSERT_TRUE(m_grid.Save(path.c_str()));
  EXPECT_EQ("Peak,0:1,0:2\r\n1:0,1:1,1:2\r\n2:0,,2:2\r\n3:0,3:1,3:2\r\n", ReadFile(path));
  const auto before = Cells(m_grid);

  CGridCtrl other;
  ASSERT_TRUE(other.Create(CRect(0, 0, 200, 100), &m_dlg, 997));
  other.SetRowCount(9);
  ASSERT_TRUE(other.Load(path.c_str()));
  EXPECT_EQ(before, Cells(other));
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ((UINT)(DT_CENTER | DT_VCENTER | DT_SINGLELINE), other.GetItemFormat(0, c));
  EXPECT_TRUE(m_messageBoxes.empty());
  ::DeleteFileA(path.c_str());
}

// Rows as the file has them: a short one leaves its last cells empty, a long
// one gives up what has no column; the last line needs no line feed. A text
// with a comma, which would come back as two cells, is not saved.
TEST_F(GridTest, ALoadedFileShowsRaggedRowsAndALastLineWithoutItsLineFeed) {
  const std::string path = TempPath("grid_ragged.csv");
  WriteFile(path, "Peak,ppm,Hz\n1,7.26\n2,1.5,600,extra\n3,0.9,360");
  Fill(3, 3);
  ASSERT_TRUE(m_grid.Load(path.c_str()));
  EXPECT_TRUE(m_messageBoxes.empty());
  const std::vector<std::vector<std::string>> loaded = {
      {"Peak", "ppm", "Hz"}, {"1", "7.26", ""}, {"2", "1.5", "600"}, {"3", "0.9", "360"}};
  EXPECT_EQ(loaded, Cells(m_grid));
  // The last row is drawn with its texts.
  auto shot = CaptureClient(Grid());
  CRect rect;
  m_grid.GetCellRect(3, 2, &rect);
  int nText = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      nText += shot->Pixel(x, y) == ::GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
  EXPECT_GT(nText, 5);

  ASSERT_TRUE(m_grid.Save(path.c_str()));
  EXPECT_EQ("Peak,ppm,Hz\r\n1,7.26,\r\n2,1.5,600\r\n3,0.9,360\r\n", ReadFile(path));
  m_grid.SetItemText(1, 1, "1,5");
  EXPECT_FALSE(m_grid.Save(path.c_str()));
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("Unable to save grid list", m_messageBoxes[0].text);
  EXPECT_EQ("Peak,ppm,Hz\r\n1,7.26,\r\n2,1.5,600\r\n3,0.9,360\r\n", ReadFile(path)) << "the file as it was";
  ::DeleteFileA(path.c_str());
}

// A save that cannot be made or finished says why in a message box and
// leaves the file there as it was.
TEST_F(GridTest, ASaveThatFailsShowsWhyAndKeepsTheEarlierFile) {
  Fill(3, 3);
  const std::string path = TempPath("grid_read_only.csv");
  WriteFile(path, small_disks::kEarlierBytes);
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  small_disks::ReadOnlyFolder readOnly;
  small_disks::FullDisk full;
  const struct {
    const char* what;
    std::string folder;  // empty where this machine has none
    std::string path;
    std::string shown;
  } cases[] = {
      {"a read-only file", "-", path, "Access to " + path + " was denied."},
      {"a read-only folder", readOnly.Folder(), readOnly.Folder() + "earlier.bin",
       "Access to " + readOnly.Folder() + "earlier.bin was denied."},
      {"a full disk", full.Folder(), full.Folder() + "earlier.bin", "Unable to save grid list"},
  };
  for (const auto& c : cases) {
    if (c.folder.empty()) {
      std::printf("%s not tried: %s%s\n", c.what, readOnly.why.c_str(), full.why.c_str());
      continue;
    }
    m_messageBoxes.clear();
    EXPECT_FALSE(m_grid.Save(c.path.c_str())) << c.what;
    ASSERT_EQ(1u, m_messageBoxes.size()) << c.what;
    EXPECT_EQ(c.shown, m_messageBoxes[0].text) << c.what;
    EXPECT_EQ(small_disks::kEarlierBytes, ReadFile(c.path)) << c.what;
  }
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(path.c_str());
}

TEST_F(GridTest, ADamagedFileIsRefusedInWordsAndTheGridKeepsItsCells) {
  const std::string path = TempPath("grid_damaged.csv");
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a line of a megabyte", "a,b\n" + std::string(1 << 20, '7') + ",1\n"},
      {"a zero byte", std::string("a,b\n1,\0\n", 8)},
  };
  Fill(3, 3);
  const auto before = Cells(m_grid);
  for (const auto& c : cases) {
    WriteFile(path, c.bytes);
    m_messageBoxes.clear();
    EXPECT_FALSE(m_grid.Load(path.c_str())) << c.what;
    ASSERT_EQ(1u, m_messageBoxes.size()) << c.what;
    EXPECT_EQ("Unable to load grid data", m_messageBoxes[0].text);
    EXPECT_EQ(before, Cells(m_grid)) << c.what;
  }
  ::DeleteFileA(path.c_str());

  m_messageBoxes.clear();
  EXPECT_FALSE(m_grid.Load(TempPath("no_such_folder\\grid.csv").c_str()));
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_NE(std::string::npos, m_messageBoxes[0].text.find("grid.csv"));
  EXPECT_EQ(before, Cells(m_grid));

  // A text that would split its row is refused before anything is written.
  m_grid.SetItemText(1, 1, "two\nlines");
  m_messageBoxes.clear();
  EXPECT_FALSE(m_grid.Save(path.c_str()));
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("Unable to save grid list", m_messageBoxes[0].text);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
}

}  // namespace
