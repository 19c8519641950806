// The scale bar's ruler: the box follows the positions it is given, drags of
// the box or an edge report percentages to the parent, and no report ever
// leaves 0..100 or puts the left position past the right one.
#include <utility>
#include <vector>

#include "framework/win/WindowTest.h"
#include "onedim/view/RulerCtrl.h"

namespace {

class CRulerSink : public CWnd {
 public:
  std::vector<std::pair<int, int>> m_reports;

 protected:
  LRESULT OnRuler(WPARAM wParam, LPARAM lParam) {
    m_reports.emplace_back((int)wParam, (int)lParam);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRulerSink, CWnd)
  ON_MESSAGE(WM_RULER_CHANGED, OnRuler)
END_MESSAGE_MAP()

class RulerCtrlTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Ruler", WS_POPUP | WS_VISIBLE, 0, 0, 240, 60, nullptr, nullptr));
    ASSERT_TRUE(m_ruler.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &m_parent, 100));
    m_ruler.SetPositions(25, 75);  // box 50..150
  }
  void TearDown() override {
    m_ruler.DestroyWindow();
    m_parent.DestroyWindow();
    WindowTest::TearDown();
  }
  std::pair<int, int> Drag(int xFrom, int xTo) {
    m_parent.m_reports.clear();
    PostDrag(m_ruler.m_hWnd, {xFrom, 15}, {xTo, 15});
    for (const auto& r : m_parent.m_reports) {
      EXPECT_LE(0, r.first);
      EXPECT_LE(r.first, r.second);
      EXPECT_LE(r.second, 100);
    }
    return {m_ruler.GetLeftPos(), m_ruler.GetRightPos()};
  }

  CRulerSink m_parent;
  CRulerCtrl m_ruler;
};

TEST_F(RulerCtrlTest, DragsOfTheBoxAndItsEdgesReportPercentagesInOrder) {
  struct Case {
    int xFrom, xTo;
    std::pair<int, int> expected;
  } cases[] = {
      {100, 140, {45, 95}},  // the box moves
      {100, 400, {50, 100}},  // against the right end it keeps its width
      {100, -300, {0, 50}},   // and against the left end
      {52, 80, {39, 75}},     // the left edge
      {52, 300, {75, 75}},    // the left edge stops at the right one
      {148, 10, {25, 25}},    // the right edge stops at the left one
      {148, 500, {25, 100}},  // and at the control's end
      {10, 190, {25, 75}},    // outside the box nothing moves
  };
  for (const Case& c : cases) {
    m_ruler.SetPositions(25, 75);
    EXPECT_EQ(c.expected, Drag(c.xFrom, c.xTo)) << c.xFrom << " -> " << c.xTo;
    if (c.xFrom != 10) {
      ASSERT_FALSE(m_parent.m_reports.empty());
      EXPECT_EQ(c.expected, m_parent.m_reports.back());
    } else {
      EXPECT_TRUE(m_parent.m_reports.empty());
    }
  }
  EXPECT_EQ(CRulerCtrl::dragNone, m_ruler.GetDragMode());
}

TEST_F(RulerCtrlTest, PositionsOutsideTheControlAreDrawnClamped) {
  const COLORREF grey = RGB(223, 223, 223), white = RGB(255, 255, 255);
  m_ruler.SetPositions(-20, 150);
  auto bitmap = CaptureClient(m_ruler.m_hWnd);
  EXPECT_EQ(white, bitmap->Pixel(2, 3));    // the box's left strip from 0
  EXPECT_EQ(grey, bitmap->Pixel(6, 3));     // the inner part
  EXPECT_EQ(grey, bitmap->Pixel(193, 3));
  EXPECT_EQ(white, bitmap->Pixel(197, 3));  // the right strip ends at the control's end
  EXPECT_EQ(RGB(0, 0, 0), bitmap->Pixel(100, 15));  // a major tick in the middle

  // A drag from there reports positions inside 0..100.
  EXPECT_EQ(std::make_pair(0, 100), Drag(100, 120));
}

}  // namespace
