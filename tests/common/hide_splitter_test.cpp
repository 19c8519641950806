// The splitter that hides a row: where activation goes, sizes kept across
// hiding (also while the window has no size), and views put into a pane.
#include "framework/win/WindowTest.h"

#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/View.h"
#include "common/HideSplitterWnd.h"

namespace {

class CPaneA : public CView {
  DECLARE_DYNCREATE(CPaneA)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneA, CView)

class CPaneB : public CView {
  DECLARE_DYNCREATE(CPaneB)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneB, CView)

class HideSplitterTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    m_pFrame = new CFrameWnd;
    ASSERT_TRUE(m_pFrame->Create(nullptr, "splitter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 500)));
    ASSERT_TRUE(m_splitter.CreateStatic(m_pFrame, 2, 1));
    ASSERT_TRUE(m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPaneA), CSize(100, 150), nullptr));
    ASSERT_TRUE(m_splitter.CreateView(1, 0, RUNTIME_CLASS(CPaneB), CSize(100, 100), nullptr));
    m_splitter.SetRowInfo(0, 150, 100);
    m_splitter.SetRowInfo(1, 100, 100);
    FitSplitter();
    m_upper = m_splitter.GetPane(0, 0);
    m_lower = m_splitter.GetPane(1, 0);
  }
  void TearDown() override {
    if (::IsWindow(m_pFrame->GetSafeHwnd()))
      m_pFrame->DestroyWindow();
    WindowTest::TearDown();
  }
  // The splitter fills the frame's client area.
  void FitSplitter() {
    CRect rc;
    m_pFrame->GetClientRect(&rc);
    m_splitter.MoveWindow(&rc);
    m_splitter.RecalcLayout();
  }
  int RowHeight(int row) {
    int cy = 0, cyMin = 0;
    m_splitter.GetRowInfo(row, cy, cyMin);
    return cy;
  }

  CFrameWnd* m_pFrame = nullptr;
  CHideSplitterWnd m_splitter;
  CWnd* m_upper = nullptr;
  CWnd* m_lower = nullptr;
};

TEST_F(HideSplitterTest, HidingTheActiveRowMovesTheActivationAndRenumbersThePanes) {
  m_splitter.SetActivePane(0, 0);
  ASSERT_EQ(m_upper, m_pFrame->GetActiveView());
  m_splitter.HideRow(0);
  EXPECT_EQ(1, m_splitter.GetRowCount());
  EXPECT_EQ(0, m_splitter.GetHiddenRow());
  EXPECT_EQ(m_lower, m_pFrame->GetActiveView());
  EXPECT_EQ(m_lower, m_splitter.GetPane(0, 0)) << "the lower pane moves up";
  EXPECT_FALSE(m_upper->IsWindowVisible());
  EXPECT_EQ(m_upper, m_splitter.GetPane(1, 0)) << "kept just past the visible rows";

  m_splitter.ShowRow();
  EXPECT_EQ(2, m_splitter.GetRowCount());
  EXPECT_EQ(-1, m_splitter.GetHiddenRow());
  EXPECT_EQ(m_upper, m_splitter.GetPane(0, 0));
  EXPECT_EQ(m_lower, m_splitter.GetPane(1, 0));
  EXPECT_TRUE(m_upper->IsWindowVisible());
}

TEST_F(HideSplitterTest, HidingAndShowingARowRestoresItsHeight) {
  ASSERT_EQ(150, RowHeight(0));
  m_splitter.HideRow(0);
  CRect rc;
  m_lower->GetWindowRect(&rc);
  CRect client;
  m_splitter.GetClientRect(&client);
  EXPECT_EQ(client.Height(), rc.Height()) << "the remaining row takes the whole height";
  m_splitter.ShowRow();
  EXPECT_EQ(150, RowHeight(0));
}

TEST_F(HideSplitterTest, ARowHiddenWhileTheWindowHasNoSizeKeepsItsHeight) {
  m_splitter.MoveWindow(0, 0, 400, 0);
  m_splitter.RecalcLayout();
  ASSERT_EQ(0, RowHeight(0));
  m_splitter.HideRow(0);
  FitSplitter();
  m_splitter.ShowRow();
  EXPECT_EQ(150, RowHeight(0));
}

TEST_F(HideSplitterTest, ReplaceViewAndSwitchView) {
  EXPECT_FALSE(m_splitter.ReplaceView(0, 0, RUNTIME_CLASS(CPaneA)));
  EXPECT_EQ(m_upper, m_splitter.GetPane(0, 0)) << "the view of that class stays";
  EXPECT_TRUE(m_splitter.ReplaceView(0, 0, RUNTIME_CLASS(CPaneB)));
  CWnd* pNew = m_splitter.GetPane(0, 0);
  ASSERT_NE(nullptr, pNew);
  EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CPaneB)));
  EXPECT_EQ(150, RowHeight(0));

  EXPECT_FALSE(m_splitter.SwitchView(1, 0, m_lower));
}

}  // namespace
