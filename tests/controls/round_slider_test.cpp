// The round slider: angles from clicks, steps from keys, the scroll messages
// its parent gets, the knob and the text as painted and repainted with each
// new position, and its round window.
#include <vector>

#include "controls/RoundSliderCtrl.h"
#include "tests/controls/PickersDialog.h"

namespace {

const int kSliderId = 2001;

BOOL CALLBACK HideChild(HWND hWnd, LPARAM) {
  ::ShowWindow(hWnd, SW_HIDE);
  return TRUE;
}

class RoundSliderTest : public PickersTest {
 protected:
  void SetUp() override {
    PickersTest::SetUp();
    ::EnumChildWindows(m_dlg.m_hWnd, &HideChild, 0);  // a clear field round the slider
    ASSERT_TRUE(m_slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 110, 110), &m_dlg, kSliderId));
    m_dlg.m_log.clear();
  }
  // The scroll messages the parent got: code and position. bMouse leaves out
  // the end of track the trackbar itself sends when the capture goes.
  std::vector<std::pair<int, int>> Scrolls(bool bMouse = false) {
    std::vector<std::pair<int, int>> scrolls;
    for (const RecordedMessage& m : Logged(WM_HSCROLL)) {
      EXPECT_EQ(m_slider.m_hWnd, (HWND)m.lParam);
      if (!bMouse || LOWORD(m.wParam) != TB_ENDTRACK)
        scrolls.push_back({LOWORD(m.wParam), HIWORD(m.wParam)});
    }
    m_dlg.m_log.clear();
    return scrolls;
  }
  // Pixels other than the button face in the square of half side r round pt.
  static int Drawn(const TestBitmap& shot, POINT pt, int r) {
    int n = 0;
    for (int y = pt.y - r; y <= pt.y + r; ++y)
      for (int x = pt.x - r; x <= pt.x + r; ++x)
        n += shot.Pixel(x, y) != ::GetSysColor(COLOR_BTNFACE);
    return n;
  }

  CRoundSliderCtrl m_slider;
};

TEST_F(RoundSliderTest, AClickSetsThePositionAtItsAngleAndReportsTrackThenPosition) {
  EXPECT_EQ(0, m_slider.GetRangeMin());
  EXPECT_EQ(359, m_slider.GetRangeMax());
  const struct {
    POINT pt;
    BOOL bInverted;
    int nZeroAngle;
    int nExpected;
  } clicks[] = {
      {{50, 10}, FALSE, 0, 0},  {{90, 50}, FALSE, 0, 90}, {{50, 90}, FALSE, 0, 180},  {{10, 50}, FALSE, 0, 270},
      {{78, 22}, FALSE, 0, 45}, {{90, 50}, TRUE, 0, 270}, {{50, 10}, FALSE, 90, 270}, {{90, 50}, TRUE, 90, 180},
  };
  for (const auto& c : clicks) {
    m_slider.SetInverted(c.bInverted);
    m_slider.SetZeroAngle(c.nZeroAngle);
    m_slider.SetPos(c.nExpected == 1 ? 2 : 1);
    PostClick(m_slider.m_hWnd, c.pt);
    EXPECT_EQ(c.nExpected, m_slider.GetPos()) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ((std::vector<std::pair<int, int>>{{TB_THUMBTRACK, c.nExpected}, {TB_THUMBPOSITION, c.nExpected}}),
              Scrolls(true));
  }
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(m_slider.m_hWnd, ::GetFocus());
  // A drag follows the mouse round the dial.
  m_slider.SetInverted(FALSE);
  m_slider.SetZeroAngle(0);
  PostDrag(m_slider.m_hWnd, {50, 10}, {90, 50}, 2);
  EXPECT_EQ(90, m_slider.GetPos());
  std::vector<std::pair<int, int>> scrolls = Scrolls(true);
  ASSERT_FALSE(scrolls.empty());
  EXPECT_EQ(std::make_pair((int)TB_THUMBPOSITION, 90), scrolls.back());
}

TEST_F(RoundSliderTest, KeysStepRoundTheRangeAndEndTheirTrack) {
  const struct {
    int nFrom;
    UINT vk;
    int nTo;
    int nCode;
  } keys[] = {
      {0, VK_LEFT, 359, TB_LINEUP},   {359, VK_RIGHT, 0, TB_LINEDOWN}, {10, VK_UP, 9, TB_LINEUP},
      {10, VK_DOWN, 11, TB_LINEDOWN}, {355, VK_NEXT, 5, TB_PAGEDOWN},  {3, VK_PRIOR, 353, TB_PAGEUP},
  };
  for (const auto& k : keys) {
    m_slider.SetPos(k.nFrom);
    m_dlg.m_log.clear();
    PostKey(m_slider.m_hWnd, k.vk);
    EXPECT_EQ(k.nTo, m_slider.GetPos()) << k.nFrom << " key " << k.vk;
    EXPECT_EQ((std::vector<std::pair<int, int>>{{k.nCode, k.nTo}, {TB_ENDTRACK, k.nTo}}), Scrolls());
  }
  m_slider.SetPos(42);
  PostKey(m_slider.m_hWnd, VK_HOME);
  PostKey(m_slider.m_hWnd, VK_END);
  EXPECT_EQ(42, m_slider.GetPos());
}

TEST_F(RoundSliderTest, TheKnobIsPaintedAtItsAngle) {
  // Radius 42 (50 less the knob and one); the inset knob runs 35 from the centre.
  const POINT at[] = {{50, 15}, {85, 50}, {50, 85}, {15, 50}};
  for (int i = 0; i < 4; ++i) {
    m_slider.SetPos(90 * i);
    auto shot = CaptureClient(m_slider.m_hWnd);
    for (int j = 0; j < 4; ++j)
      EXPECT_EQ(i == j, Drawn(*shot, at[j], 5) > 0) << "position " << 90 * i << ", place " << j;
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), shot->Pixel(50, 50 - 44)) << "the rim";
    EXPECT_GT(Drawn(*shot, {50, 50}, 6), 0) << "the position as text";
  }
  // A plain knob runs in a groove at the rim, and reaches past it.
  m_slider.SetPos(0);
  for (BOOL bInset : {TRUE, FALSE}) {
    m_slider.SetInsetKnob(bInset);
    auto shot = CaptureClient(m_slider.m_hWnd);
    EXPECT_EQ(!bInset, shot->Pixel(92, 50) != ::GetSysColor(COLOR_BTNFACE)) << "the groove";
    EXPECT_EQ(!bInset, shot->Pixel(50, 3) != ::GetSysColor(COLOR_BTNFACE)) << "the knob's top";
  }
}

// The trackbar underneath would repaint only a strip where its straight
// thumb lies: a position or range set with redraw repaints the whole dial,
// its text in the middle included; one set without redraw nothing.
TEST_F(RoundSliderTest, APositionOrRangeSetWithRedrawRepaintsTheWholeDial) {
  CRect rcClient;
  m_slider.GetClientRect(&rcClient);
  auto updated = [&](UINT message, BOOL bRedraw, LPARAM lParam) {
    ::UpdateWindow(m_slider.m_hWnd);
    m_slider.SendMessage(message, bRedraw, lParam);
    CRect rc;
    ::GetUpdateRect(m_slider.m_hWnd, &rc, FALSE);
    return rc;
  };
  for (int nPos : {1, 2, 3, 180, 359})
    EXPECT_EQ(rcClient, updated(TBM_SETPOS, TRUE, nPos)) << nPos;
  EXPECT_TRUE(updated(TBM_SETPOS, FALSE, 7).IsRectEmpty());
  EXPECT_EQ(rcClient, updated(TBM_SETRANGEMAX, TRUE, 719));
  EXPECT_EQ(rcClient, updated(TBM_SETRANGE, TRUE, MAKELPARAM(0, 359)));
}

TEST_F(RoundSliderTest, AWideWindowIsCutToACircleAndResizingStartsAtZero) {
  m_slider.SetPos(30);
  m_slider.MoveWindow(10, 10, 160, 100);
  EXPECT_EQ(0, m_slider.GetPos());
  CRect rcBox;
  HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, m_slider.GetWindowRgn(hRgn));
  ::GetRgnBox(hRgn, &rcBox);
  ::DeleteObject(hRgn);
  EXPECT_EQ(0, rcBox.left);
  EXPECT_EQ(0, rcBox.top);
  EXPECT_EQ(rcBox.Width(), rcBox.Height());
  EXPECT_NEAR(100, rcBox.Width(), 1) << "the shorter side";
  CRect rc;
  m_slider.GetWindowRect(&rc);
  EXPECT_EQ(m_slider.m_hWnd, ::WindowFromPoint({rc.left + 50, rc.top + 50}));
  EXPECT_NE(m_slider.m_hWnd, ::WindowFromPoint({rc.left + 3, rc.top + 3})) << "outside the circle";
  EXPECT_NE(m_slider.m_hWnd, ::WindowFromPoint({rc.left + 140, rc.top + 50}));

  // The text: black when enabled, embossed grey when disabled.
  auto inks = [&](COLORREF cr) {
    auto shot = CaptureClient(m_slider.m_hWnd);
    int n = 0;
    for (int y = 40; y < 60; ++y)
      for (int x = 35; x < 65; ++x)
        n += shot->Pixel(x, y) == cr;
    return n;
  };
  EXPECT_GT(inks(::GetSysColor(COLOR_BTNTEXT)), 0);
  m_slider.EnableWindow(FALSE);
  EXPECT_EQ(0, inks(::GetSysColor(COLOR_BTNTEXT)));
  EXPECT_GT(inks(::GetSysColor(COLOR_BTNSHADOW)), 0);

  // A caption slider shows its owner's text, none when empty.
  CTextRoundSliderCtrl caption;
  ASSERT_TRUE(caption.SubclassDlgItem(IDC_ROUND, &m_dlg));
  caption.ShowWindow(SW_SHOW);
  EXPECT_EQ(359, caption.GetRangeMax());
  caption.SetCaption("-725\xB0");
  EXPECT_EQ(CString("-725\xB0"), caption.GetText());
  caption.SetCaption("");
  auto shot = CaptureClient(caption.m_hWnd);
  CRect rcCaption;
  caption.GetClientRect(&rcCaption);
  const int nSide = std::min(rcCaption.Width(), rcCaption.Height());
  EXPECT_EQ(0, Drawn(*shot, {nSide / 2, nSide / 2}, 4));
}

}  // namespace
