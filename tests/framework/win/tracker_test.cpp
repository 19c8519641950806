// The rectangle tracker: its handles found where they are drawn, drags by
// mouse messages that resize, move, cancel or stretch a rubber band, a
// program's own adjustment of the rectangle, and a screen left as it was.
#include "Interaction.h"
#include "framework/win/Dc.h"
#include "framework/win/RectTracker.h"

namespace {

// An integral's tracker: a drag moves it up and down only.
class CVerticalTracker : public CRectTracker {
 public:
  using CRectTracker::CRectTracker;
  void AdjustRect(int nHandle, LPRECT lpRect) override {
    if (nHandle == hitMiddle) {
      LONG width = lpRect->right - lpRect->left;
      lpRect->left = m_rectStart.left;
      lpRect->right = m_rectStart.left + width;
    }
  }
  void OnChangedRect(const CRect&) override { ++m_nChanges; }
  CRect m_rectStart;
  int m_nChanges = 0;
};

class TrackerTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(m_pad.Create("Tracker", CRect(60, 60, 360, 300)));
    PumpPending();
  }
  void TearDown() override {
    m_pad.DestroyWindow();
    PumpPending();
    WindowTest::TearDown();
  }
  // What the window shows on the screen now.
  std::unique_ptr<TestBitmap> Screen() {
    CRect rc;
    m_pad.GetClientRect(&rc);
    auto bitmap = std::make_unique<TestBitmap>(rc.Width(), rc.Height());
    HDC hDC = ::GetDC(m_pad.m_hWnd);
    ::BitBlt(bitmap->dc(), 0, 0, rc.Width(), rc.Height(), hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(m_pad.m_hWnd, hDC);
    return bitmap;
  }
  // A drag on the window that the tracker follows, by mouse messages.
  BOOL Drag(CRectTracker& tracker, CPoint from, CPoint to, bool bRubberBand = false, BOOL bAllowInvert = TRUE) {
    BOOL result = -1;
    m_pad.m_onLButtonDown = [&](CPoint point) {
      result = bRubberBand ? tracker.TrackRubberBand(&m_pad, point, bAllowInvert) : tracker.Track(&m_pad, point);
    };
    PostDrag(m_pad.m_hWnd, from, to);
    m_pad.m_onLButtonDown = nullptr;
    EXPECT_EQ(nullptr, ::GetCapture()) << "the tracker kept the mouse";
    return result;
  }

  CTestPad m_pad;
};

}  // namespace

TEST_F(TrackerTest, HandlesAreFoundWhereTheyAreDrawn) {
  const CRect rc(50, 40, 150, 120);
  struct Case {
    UINT style;
    CPoint point;
    int hit;
  } cases[] = {
      {CRectTracker::resizeInside, CPoint(52, 42), CRectTracker::hitTopLeft},
      {CRectTracker::resizeInside, CPoint(147, 42), CRectTracker::hitTopRight},
      {CRectTracker::resizeInside, CPoint(147, 117), CRectTracker::hitBottomRight},
      {CRectTracker::resizeInside, CPoint(52, 117), CRectTracker::hitBottomLeft},
      {CRectTracker::resizeInside, CPoint(99, 42), CRectTracker::hitTop},
      {CRectTracker::resizeInside, CPoint(147, 79), CRectTracker::hitRight},
      {CRectTracker::resizeInside, CPoint(99, 117), CRectTracker::hitBottom},
      {CRectTracker::resizeInside, CPoint(52, 79), CRectTracker::hitLeft},
      {CRectTracker::resizeInside, CPoint(100, 80), CRectTracker::hitMiddle},
      {CRectTracker::resizeInside, CPoint(46, 36), CRectTracker::hitNothing},
      {CRectTracker::resizeOutside, CPoint(46, 36), CRectTracker::hitTopLeft},
      {CRectTracker::resizeOutside, CPoint(153, 123), CRectTracker::hitBottomRight},
      {CRectTracker::resizeOutside, CPoint(52, 42), CRectTracker::hitMiddle},
      {CRectTracker::solidLine, CPoint(52, 42), CRectTracker::hitMiddle},
      {CRectTracker::solidLine, CPoint(150, 80), CRectTracker::hitNothing},
  };
  for (const Case& c : cases) {
    CRectTracker tracker(&rc, c.style);
    EXPECT_EQ(c.hit, tracker.HitTest(c.point)) << "style " << c.style << " at " << c.point.x << "," << c.point.y;
  }
  // On an inverted rectangle the handle drawn top left is the one at m_rect's right and bottom.
  CRect inverted(150, 120, 50, 40);
  CRectTracker tracker(&inverted, CRectTracker::resizeInside);
  EXPECT_EQ(CRectTracker::hitBottomRight, tracker.NormalizeHit(tracker.HitTest(CPoint(52, 42))));
}

TEST_F(TrackerTest, DrawShowsTheFrameAndTheHandles) {
  const CRect rc(50, 40, 150, 120);
  CRectTracker tracker(&rc, CRectTracker::solidLine | CRectTracker::resizeInside);
  TestBitmap bitmap(200, 160);
  bitmap.Fill(RGB(255, 255, 255));
  tracker.Draw(CDC::FromHandle(bitmap.dc()));
  EXPECT_EQ(RGB(0, 0, 0), bitmap.Pixel(70, 40)) << "top edge";
  EXPECT_EQ(RGB(0, 0, 0), bitmap.Pixel(149, 60)) << "right edge";
  EXPECT_EQ(RGB(0, 0, 0), bitmap.Pixel(53, 43)) << "a handle";
  EXPECT_EQ(RGB(255, 255, 255), bitmap.Pixel(100, 80)) << "inside";
  EXPECT_EQ(RGB(255, 255, 255), bitmap.Pixel(45, 35)) << "outside";
}

TEST_F(TrackerTest, DragsResizeMoveOrCancelAndLeaveTheScreenAsItWas) {
  auto before = Screen();
  const CRect rc(50, 40, 150, 120);
  CRectTracker tracker(&rc, CRectTracker::solidLine | CRectTracker::resizeInside);
  EXPECT_TRUE(Drag(tracker, CPoint(147, 117), CPoint(187, 147)));
  EXPECT_EQ(CRect(50, 40, 190, 150), tracker.m_rect);
  EXPECT_TRUE(Drag(tracker, CPoint(100, 80), CPoint(120, 90)));
  EXPECT_EQ(CRect(70, 50, 210, 160), tracker.m_rect) << "a move keeps the size";
  EXPECT_TRUE(before->SameAs(*Screen())) << "the inverted rectangle stayed on the screen";

  // Escape during the drag: nothing changes.
  BOOL result = -1;
  m_pad.m_onLButtonDown = [&](CPoint point) {
    result = tracker.Track(&m_pad, point);
  };
  ::PostMessageA(m_pad.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 80));
  ::PostMessageA(m_pad.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 110));
  ::PostMessageA(m_pad.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
  ::PostMessageA(m_pad.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(140, 110));
  PumpPending();
  EXPECT_FALSE(result);
  EXPECT_EQ(CRect(70, 50, 210, 160), tracker.m_rect);
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_TRUE(before->SameAs(*Screen()));

  // A program's own adjustment holds during the drag.
  CVerticalTracker vertical(&rc, CRectTracker::solidLine);
  vertical.m_rectStart = rc;
  EXPECT_TRUE(Drag(vertical, CPoint(100, 80), CPoint(130, 110)));
  EXPECT_EQ(CRect(50, 70, 150, 150), vertical.m_rect);
  EXPECT_GT(vertical.m_nChanges, 0);
}

TEST_F(TrackerTest, ARubberBandStretchesFromThePressAndMayBeInverted) {
  CRectTracker band;
  band.m_nStyle = CRectTracker::solidLine;
  EXPECT_TRUE(Drag(band, CPoint(20, 20), CPoint(80, 60), true));
  EXPECT_EQ(CRect(20, 20, 80, 60), band.m_rect);
  EXPECT_TRUE(Drag(band, CPoint(80, 60), CPoint(20, 30), true));
  EXPECT_EQ(CRect(80, 60, 20, 30), band.m_rect) << "dragged up and left, the band is inverted";
  EXPECT_FALSE(Drag(band, CPoint(40, 40), CPoint(40, 40), true)) << "a click is no band";
}
