// The colour picker and its palette popup, driven by the mouse and the keys;
// the parent's messages as they arrive, and the cells as they are painted.
#include <algorithm>
#include <vector>

#include "controls/ColourGridPopup.h"
#include "controls/ColourPicker.h"
#include "framework/win/DataExchange.h"
#include "framework/win/UiHooks.h"
#include "tests/controls/PickersDialog.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kOdd = RGB(1, 2, 3);
const int kCell = 18;

class ColourPickerTest : public PickersTest {
 protected:
  void SetUp() override {
    PickersTest::SetUp();
    ASSERT_TRUE(m_picker.SubclassDlgItem(IDC_PICKER, &m_dlg));
  }

  // Clicks the picker: the popup it opened (owned by the picker's top-level window), or null.
  HWND Open() {
    PostClick(m_picker.m_hWnd, {5, 5});
    std::vector<HWND> owned = OwnedWindows(m_dlg.m_hWnd);
    return owned.size() == 1 ? owned[0] : nullptr;
  }
  // The centre of cell i, the cells starting nTop pixels down.
  static POINT Cell(int i, int nTop) {
    const int m = ::GetSystemMetrics(SM_CXEDGE);
    return {m + (i % 8) * kCell + kCell / 2, nTop + (i / 8) * kCell + kCell / 2};
  }
  // Where the cells start: the top of the black swatch of cell 0, less its inset.
  static int CellsTop(HWND hWndPopup) {
    auto shot = CaptureClient(hWndPopup);
    const int m = ::GetSystemMetrics(SM_CXEDGE), x = m + kCell / 2;
    for (int y = 0; y < shot->height(); ++y)
      if (shot->Pixel(x, y) == RGB(0, 0, 0))
        return y - (m + 2);
    return -1;
  }
  // The picker's messages to its parent in order, and their colours.
  std::vector<UINT> Messages() const {
    std::vector<UINT> messages;
    for (const RecordedMessage& m : m_dlg.m_log)
      messages.push_back(m.message);
    return messages;
  }
  std::vector<COLORREF> Colours(UINT message) const {
    std::vector<COLORREF> colours;
    for (const RecordedMessage& m : Logged(message))
      colours.push_back((COLORREF)m.wParam);
    return colours;
  }

  CColourPicker m_picker;
};

TEST_F(ColourPickerTest, FortyNamedCellsOpenBelowThePickerWithItsColourMarked) {
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  const int nArrow = std::max(std::max(5 * cxEdge, ::GetSystemMetrics(SM_CXHTHUMB)),
                              std::max(5 * cyEdge, ::GetSystemMetrics(SM_CYVTHUMB)));
  EXPECT_EQ((UINT)BS_OWNERDRAW, m_picker.GetStyle() & BS_TYPEMASK);
  CRect rcPicker;
  m_picker.GetWindowRect(&rcPicker);
  EXPECT_EQ(nArrow + 2 * cyEdge, rcPicker.Height());

  m_picker.SetColour(kRed);
  EXPECT_EQ(kRed, CaptureClient(m_picker.m_hWnd)->Pixel(cxEdge + 2, rcPicker.Height() / 2));
  m_picker.SetAutomaticText(nullptr);
  m_picker.SetMoreColoursText("");
  HWND hPopup = Open();
  ASSERT_NE(nullptr, hPopup);
  CRect rcPopup;
  ::GetWindowRect(hPopup, &rcPopup);
  EXPECT_EQ(rcPicker.left, rcPopup.left);
  EXPECT_EQ(rcPicker.bottom, rcPopup.top);
  EXPECT_EQ(8 * kCell + 2 * cxEdge, rcPopup.Width());
  ASSERT_EQ(1u, Logged(WMU_COLOUR_DROPDOWN).size());
  EXPECT_EQ(kRed, (COLORREF)Logged(WMU_COLOUR_DROPDOWN)[0].wParam);
  EXPECT_EQ(IDC_PICKER, (int)Logged(WMU_COLOUR_DROPDOWN)[0].lParam);

  auto shot = CaptureClient(hPopup);
  for (int i = 0; i < CColourGridPopup::kColourCount; ++i) {
    const POINT centre = Cell(i, cxEdge);
    EXPECT_EQ(CColourGridPopup::GetTableColour(i), shot->Pixel(centre.x, centre.y)) << i;
    // Red, the picker's colour, is marked by a light cell.
    EXPECT_EQ(::GetSysColor(i == 16 ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE),
              shot->Pixel(centre.x - kCell / 2 + 2, centre.y - kCell / 2 + 2))
        << i;
  }
  EXPECT_EQ(RGB(255, 104, 32), CColourGridPopup::GetTableColour(9));
  EXPECT_EQ("Black", ToolTipText(hPopup, 1));
  EXPECT_EQ("Pale green ", ToolTipText(hPopup, 36));
  EXPECT_EQ("White", ToolTipText(hPopup, 40));
  PostKey(hPopup, VK_ESCAPE);
  EXPECT_FALSE(::IsWindow(hPopup));
}

TEST_F(ColourPickerTest, TrackingFollowsTheMouseAndEscapePutsTheColourBack) {
  m_picker.SetColour(kRed);
  m_picker.SetTrackSelection(TRUE);
  HWND hPopup = Open();
  ASSERT_NE(nullptr, hPopup);
  const int nTop = CellsTop(hPopup);
  PostMouseMove(hPopup, Cell(13, nTop));
  EXPECT_EQ(kBlue, m_picker.GetColour());
  EXPECT_EQ(kBlue, CaptureClient(m_picker.m_hWnd)->Pixel(4, 8));
  PostMouseMove(hPopup, Cell(13, nTop));  // the same cell: nothing new
  PostMouseMove(hPopup, Cell(26, nTop));
  PostMouseMove(hPopup, {-40, -40});  // outside every cell: ignored
  PostKey(hPopup, VK_ESCAPE);
  EXPECT_FALSE(::IsWindow(hPopup));
  EXPECT_EQ(kRed, m_picker.GetColour());
  EXPECT_EQ((std::vector<UINT>{WMU_COLOUR_DROPDOWN, WMU_COLOUR_SELCHANGE, WMU_COLOUR_SELCHANGE, WMU_COLOUR_CLOSEUP,
                               WMU_COLOUR_SELENDCANCEL}),
            Messages());
  EXPECT_EQ((std::vector<COLORREF>{kBlue, RGB(255, 255, 0)}), Colours(WMU_COLOUR_SELCHANGE));
  EXPECT_EQ((std::vector<COLORREF>{kRed}), Colours(WMU_COLOUR_SELENDCANCEL));

  // Without tracking the swatch waits for the choice.
  m_picker.SetTrackSelection(FALSE);
  hPopup = Open();
  PostMouseMove(hPopup, Cell(13, nTop));
  EXPECT_EQ(kRed, m_picker.GetColour());
  PostKey(hPopup, VK_ESCAPE);
}

TEST_F(ColourPickerTest, AChoiceSaysChangedOnlyForANewColourAndAReleaseOutsideCancels) {
  const struct {
    const char* what;
    int nCell;  // -1: released outside the popup
    std::vector<UINT> after;
    COLORREF crAfter;
  } cases[] = {
      {"the same colour", 16, {WMU_COLOUR_CLOSEUP, WMU_COLOUR_SELENDOK}, kRed},
      {"another colour", 13, {WMU_COLOUR_CLOSEUP, WMU_COLOUR_SELENDOK, WMU_COLOUR_SELCHANGE}, kBlue},
      {"outside", -1, {WMU_COLOUR_CLOSEUP, WMU_COLOUR_SELENDCANCEL}, kRed},
  };
  for (const auto& c : cases) {
    m_picker.SetColour(kRed);
    HWND hPopup = Open();
    ASSERT_NE(nullptr, hPopup) << c.what;
    const int nTop = CellsTop(hPopup);
    m_dlg.m_log.clear();
    PostClick(hPopup, c.nCell >= 0 ? Cell(c.nCell, nTop) : POINT{-30, 10});
    EXPECT_FALSE(::IsWindow(hPopup)) << c.what;
    std::vector<UINT> messages = Messages();
    if (c.nCell >= 0)
      messages.erase(messages.begin());  // the move onto the cell
    EXPECT_EQ(c.after, messages) << c.what;
    EXPECT_EQ(c.crAfter, m_picker.GetColour()) << c.what;
    EXPECT_EQ(IDC_PICKER, (int)m_dlg.m_log.back().lParam);
  }
}

TEST_F(ColourPickerTest, ArrowKeysWalkTheCellsAndBothEntries) {
  // Each key hovers one place and says its colour: a cell's, "Automatic"
  // for the default entry, the opening colour for the custom one.
  const struct {
    UINT vk;
    COLORREF crHovered;
  } both[] = {
      {VK_RIGHT, COLOUR_AUTOMATIC},  // from the custom entry, marked at the start
      {VK_RIGHT, RGB(0, 0, 0)},
      {VK_LEFT, COLOUR_AUTOMATIC},
      {VK_UP, kOdd},
      {VK_DOWN, COLOUR_AUTOMATIC},
      {VK_DOWN, RGB(0, 0, 0)},
      {VK_DOWN, RGB(139, 0, 0)},
      {VK_UP, RGB(0, 0, 0)},
      {VK_UP, COLOUR_AUTOMATIC},
      {VK_LEFT, kOdd},
      {VK_LEFT, RGB(255, 255, 255)},
      {VK_RIGHT, kOdd},
      {VK_UP, RGB(255, 228, 225)},
      {VK_LEFT, RGB(192, 192, 192)},
      {VK_RIGHT, RGB(255, 228, 225)},
  };
  m_picker.SetColour(kOdd);
  HWND hPopup = Open();
  ASSERT_NE(nullptr, hPopup);
  m_dlg.m_log.clear();
  for (const auto& step : both)
    PostKey(hPopup, step.vk);
  std::vector<COLORREF> expected;
  for (const auto& step : both)
    expected.push_back(step.crHovered);
  EXPECT_EQ(expected, Colours(WMU_COLOUR_SELCHANGE));
  PostKey(hPopup, VK_RETURN);
  EXPECT_EQ(RGB(255, 228, 225), m_picker.GetColour());

  // Without entries the cells wrap round; Up from the first row stays.
  m_picker.SetAutomaticText("");
  m_picker.SetMoreColoursText(nullptr);
  m_picker.SetColour(kRed);
  hPopup = Open();
  m_dlg.m_log.clear();
  for (UINT vk : {VK_LEFT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT})
    PostKey(hPopup, vk);
  EXPECT_EQ((std::vector<COLORREF>{RGB(102, 102, 102), kRed, RGB(255, 192, 203), RGB(255, 228, 225), RGB(0, 0, 0),
                                   RGB(255, 255, 255), RGB(0, 0, 0)}),
            Colours(WMU_COLOUR_SELCHANGE));
  PostKey(hPopup, VK_SPACE);
  EXPECT_EQ(RGB(0, 0, 0), m_picker.GetColour());
}

TEST_F(ColourPickerTest, TheEntriesMarkAutomaticAndUnlistedColoursAndMoreColoursAsksTheSystem) {
  const int m = ::GetSystemMetrics(SM_CXEDGE);
  const COLORREF crMarked = ::GetSysColor(COLOR_3DLIGHT), crPlain = ::GetSysColor(COLOR_3DFACE);
  auto markOf = [&](HWND hPopup) {
    auto shot = CaptureClient(hPopup);
    return std::vector<COLORREF>{shot->Pixel(m + 1, m + 1), shot->Pixel(m + 1, shot->height() - m - 2)};
  };
  m_picker.SetColour(COLOUR_AUTOMATIC);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), CaptureClient(m_picker.m_hWnd)->Pixel(4, 8));
  HWND hPopup = Open();
  EXPECT_EQ((std::vector<COLORREF>{crMarked, crPlain}), markOf(hPopup));
  PostKey(hPopup, VK_ESCAPE);

  m_picker.SetColour(kOdd);
  hPopup = Open();
  EXPECT_EQ((std::vector<COLORREF>{crPlain, crMarked}), markOf(hPopup));

  // More Colours: the system dialog starts at the colour and gives the choice.
  std::vector<COLORREF> started;
  AfxSetModalDialogHook([&](CDialog& d) {
    // Its red, green and blue fields.
    started.push_back(RGB(d.GetDlgItemInt(706), d.GetDlgItemInt(707), d.GetDlgItemInt(708)));
    d.SetDlgItemInt(706, 10, FALSE);
    d.SetDlgItemInt(707, 20, FALSE);
    d.SetDlgItemInt(708, 30, FALSE);
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
  });
  m_dlg.m_log.clear();
  PostMouseMove(hPopup, {m + 20, CaptureClient(hPopup)->height() - m - 4});
  PostKey(hPopup, VK_RETURN);
  EXPECT_EQ((std::vector<COLORREF>{kOdd}), started);
  const COLORREF crChosen = RGB(10, 20, 30);
  EXPECT_EQ(crChosen, m_picker.GetColour());
  EXPECT_EQ((std::vector<UINT>{WMU_COLOUR_SELCHANGE, WMU_COLOUR_CLOSEUP, WMU_COLOUR_SELENDOK, WMU_COLOUR_SELCHANGE}),
            Messages());
  EXPECT_EQ((std::vector<COLORREF>{kOdd, crChosen}), Colours(WMU_COLOUR_SELCHANGE));
  EXPECT_EQ((std::vector<COLORREF>{crChosen}), Colours(WMU_COLOUR_SELENDOK));

  // Cancelled there, the whole choice is cancelled.
  AfxSetModalDialogHook([](CDialog& d) {
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDCANCEL));
  });
  m_picker.SetColour(kOdd);
  hPopup = Open();
  m_dlg.m_log.clear();
  PostMouseMove(hPopup, {m + 20, CaptureClient(hPopup)->height() - m - 4});
  PostClick(hPopup, {m + 20, CaptureClient(hPopup)->height() - m - 4});
  EXPECT_EQ((std::vector<UINT>{WMU_COLOUR_SELCHANGE, WMU_COLOUR_CLOSEUP, WMU_COLOUR_SELENDCANCEL}), Messages());
  EXPECT_EQ(kOdd, m_picker.GetColour());

  // Not listed and no custom entry: nothing is marked.
  m_picker.SetMoreColoursText("");
  hPopup = Open();
  auto shot = CaptureClient(hPopup);
  const int nTop = CellsTop(hPopup);
  for (int i = 0; i < CColourGridPopup::kColourCount; ++i) {
    const POINT centre = Cell(i, nTop);
    EXPECT_EQ(crPlain, shot->Pixel(centre.x - kCell / 2 + 2, centre.y - kCell / 2 + 2)) << i;
  }
  EXPECT_EQ(crPlain, shot->Pixel(m + 1, m + 1));
  PostKey(hPopup, VK_ESCAPE);
}

TEST_F(ColourPickerTest, NearTheScreenBottomThePopupOpensAbove) {
  CRect rcDlg, rcPicker;
  m_dlg.GetWindowRect(&rcDlg);
  m_picker.GetWindowRect(&rcPicker);
  const int cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
  m_dlg.SetWindowPos(nullptr, rcDlg.left, cyScreen - 30 - (rcPicker.top - rcDlg.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  m_picker.GetWindowRect(&rcPicker);
  HWND hPopup = Open();
  ASSERT_NE(nullptr, hPopup);
  CRect rcPopup;
  ::GetWindowRect(hPopup, &rcPopup);
  EXPECT_EQ(rcPicker.top, rcPopup.bottom);
  PostKey(hPopup, VK_ESCAPE);
}

TEST_F(ColourPickerTest, AParentThatClosesOnCloseUpHearsNothingMore) {
  m_picker.SetColour(kRed);
  HWND hPopup = Open();
  ASSERT_NE(nullptr, hPopup);
  const int nTop = CellsTop(hPopup);
  PostMouseMove(hPopup, Cell(13, nTop));
  m_dlg.m_log.clear();
  m_dlg.m_onMessage = [this](const RecordedMessage& m) {
    if (m.message == WMU_COLOUR_CLOSEUP)
      m_dlg.DestroyWindow();
  };
  PostClick(hPopup, Cell(13, nTop));
  EXPECT_EQ((std::vector<UINT>{WMU_COLOUR_CLOSEUP}), Messages());
  EXPECT_FALSE(::IsWindow(hPopup));
  EXPECT_EQ(nullptr, m_picker.m_hWnd);
}

TEST_F(ColourPickerTest, DataExchangeAndTheTextColourMode) {
  COLORREF crValue = kBlue;
  CDataExchange load(&m_dlg, FALSE);
  DDX_ColourPicker(&load, IDC_PICKER, crValue);
  EXPECT_EQ(kBlue, m_picker.GetBkColour());
  m_picker.SetColour(kRed);
  CDataExchange save(&m_dlg, TRUE);
  DDX_ColourPicker(&save, IDC_PICKER, crValue);
  EXPECT_EQ(kRed, crValue);

  m_picker.SetSelectionMode(1);
  m_picker.SetColour(kBlue);
  EXPECT_EQ(kBlue, m_picker.GetTextColour());
  EXPECT_EQ(kRed, m_picker.GetBkColour());
  m_picker.EnableWindow(FALSE);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), CaptureClient(m_picker.m_hWnd)->Pixel(4, 8));
}

}  // namespace
