// Static splitters: two views of one document in two rows, the layout after
// a resize, dragging the bar, the active pane, and a derived splitter that
// takes a row out of the grid and brings it back by renumbering its panes.
#include "DocViewFixture.h"
#include "DocViewTestRes.h"
#include "framework/win/SplitterWnd.h"
#include "framework/win/WinApp.h"

namespace {

// Hides a row by moving its panes' ids past the visible rows, as the 1D
// program's splitter does; it uses only what the base class offers.
class CTestHideSplitter : public CSplitterWnd {
 public:
  void HideRow(int rowHide) {
    int rowActive = -1, colActive = -1;
    if (GetActivePane(&rowActive, &colActive) != nullptr && rowActive == rowHide) {
      if (++rowActive >= m_nRows)
        rowActive = 0;
      SetActivePane(rowActive, colActive);
    }
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pPaneHide = GetPane(rowHide, col);
      pPaneHide->ShowWindow(SW_HIDE);
      pPaneHide->SetDlgCtrlID(IdFromRowCol(m_nRows, col));
      for (int row = rowHide + 1; row < m_nRows; ++row)
        GetPane(row, col)->SetDlgCtrlID(IdFromRowCol(row - 1, col));
    }
    m_pRowInfo[m_nRows - 1].nCurSize = m_pRowInfo[rowHide].nCurSize;
    m_nHiddenRow = rowHide;
    --m_nRows;
    RecalcLayout();
  }
  void ShowRow() {
    int rowNew = m_nHiddenRow;
    int cyNew = m_pRowInfo[m_nRows].nCurSize;
    ++m_nRows;
    m_nHiddenRow = -1;
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pPaneShow = GetPane(m_nRows, col);  // parked one past the rows
      pPaneShow->ShowWindow(SW_SHOWNA);
      for (int row = m_nRows - 2; row >= rowNew; --row)
        GetPane(row, col)->SetDlgCtrlID(IdFromRowCol(row + 1, col));
      pPaneShow->SetDlgCtrlID(IdFromRowCol(rowNew, col));
    }
    for (int row = rowNew + 1; row < m_nRows; ++row)
      m_pRowInfo[row].nIdealSize = m_pRowInfo[row - 1].nCurSize;
    m_pRowInfo[rowNew].nIdealSize = cyNew;
    RecalcLayout();
  }
  int m_nHiddenRow = -1;
};

class CSplitChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CSplitChildFrame)
 public:
  CTestHideSplitter m_wndSplitter;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    if (!m_wndSplitter.CreateStatic(this, 2, 1))
      return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTextView), CSize(100, 100), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CNoteView), CSize(100, 100), pContext))
      return FALSE;
    m_wndSplitter.SetRowInfo(1, 100, 100);
    return TRUE;
  }
};

IMPLEMENT_DYNCREATE(CSplitChildFrame, CMDIChildWnd)

class SplitterTest : public DocViewTest {
 protected:
  void SetUp() override {
    DocViewTest::SetUp();
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_SPLITTYPE, RUNTIME_CLASS(CTextDoc),
                                                         RUNTIME_CLASS(CSplitChildFrame), RUNTIME_CLASS(CTextView));
    AfxGetApp()->AddDocTemplate(pTemplate);
    m_pDoc = static_cast<CTextDoc*>(pTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(nullptr, m_pDoc);
    m_pChild = static_cast<CSplitChildFrame*>(ActiveChild());
    ASSERT_TRUE(m_pChild->IsKindOf(RUNTIME_CLASS(CSplitChildFrame)));
    m_pChild->MoveWindow(0, 0, 400, 400);
    PumpPending();
  }
  CTestHideSplitter& Splitter() { return m_pChild->m_wndSplitter; }
  int RowHeight(int row) {
    int cur = 0, min = 0;
    Splitter().GetRowInfo(row, cur, min);
    return cur;
  }
  int ClientHeight(CWnd* pWnd) {
    CRect rc;
    pWnd->GetClientRect(&rc);
    return rc.Height();
  }

  CTextDoc* m_pDoc = nullptr;
  CSplitChildFrame* m_pChild = nullptr;
};

}  // namespace

TEST_F(SplitterTest, TwoRowsHoldTwoViewsOfOneDocument) {
  CWnd* pTop = Splitter().GetPane(0, 0);
  CWnd* pBottom = Splitter().GetPane(1, 0);
  ASSERT_NE(nullptr, pTop);
  ASSERT_NE(nullptr, pBottom);
  EXPECT_TRUE(pTop->IsKindOf(RUNTIME_CLASS(CTextView)));
  EXPECT_TRUE(pBottom->IsKindOf(RUNTIME_CLASS(CNoteView)));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, pTop->GetDlgCtrlID());
  EXPECT_EQ(AFX_IDW_PANE_FIRST + 16, pBottom->GetDlgCtrlID());
  EXPECT_EQ(m_pDoc, static_cast<CView*>(pTop)->GetDocument());
  EXPECT_EQ(m_pDoc, static_cast<CView*>(pBottom)->GetDocument());
  EXPECT_EQ(1, static_cast<CTextView*>(pBottom)->m_nInitialUpdates);
  // The frame's first pane became its active view; the document's commands
  // reach it from either view.
  EXPECT_EQ(pTop, m_pChild->GetActiveView());
  Splitter().SetActivePane(1, 0);
  EXPECT_EQ(pBottom, m_pChild->GetActiveView());
  int row = -1, col = -1;
  EXPECT_EQ(pBottom, Splitter().GetActivePane(&row, &col));
  EXPECT_EQ(1, row);
  Command(ID_NOTE_COMMAND);
  EXPECT_EQ(1, static_cast<CNoteView*>(pBottom)->m_nNotes);
  Command(ID_TEXT_APPEND);
  EXPECT_EQ(7, static_cast<CTextView*>(pTop)->m_lastHint);
}

TEST_F(SplitterTest, AResizeKeepsTheFirstRowAndGivesTheRestToTheLast) {
  int total = ClientHeight(&Splitter());
  EXPECT_EQ(100, RowHeight(0));
  EXPECT_EQ(total - 100 - 6, RowHeight(1));
  EXPECT_EQ(RowHeight(1), ClientHeight(Splitter().GetPane(1, 0)));

  m_pChild->MoveWindow(0, 0, 400, 300);
  PumpPending();
  int smaller = ClientHeight(&Splitter());
  EXPECT_LT(smaller, total);
  EXPECT_EQ(100, RowHeight(0));
  EXPECT_EQ(smaller - 100 - 6, RowHeight(1));

  // Too small for the first row's ideal: the last row gets what is left.
  m_pChild->MoveWindow(0, 0, 400, 80);
  PumpPending();
  EXPECT_GE(RowHeight(1), 0);
  EXPECT_LE(RowHeight(0) + RowHeight(1), ClientHeight(&Splitter()));
}

TEST_F(SplitterTest, DraggingTheBarSetsTheRowAbove) {
  CPoint onBar(50, 100 + 3);
  PostDrag(Splitter().m_hWnd, onBar, CPoint(50, 160));
  EXPECT_EQ(157, RowHeight(0));
  m_pChild->MoveWindow(0, 0, 400, 350);
  PumpPending();
  EXPECT_EQ(157, RowHeight(0)) << "the new size is the row's ideal";
}

TEST_F(SplitterTest, ADerivedSplitterHidesARowAndShowsItAgain) {
  CWnd* pTop = Splitter().GetPane(0, 0);
  CWnd* pBottom = Splitter().GetPane(1, 0);
  ASSERT_EQ(pTop, m_pChild->GetActiveView());
  int total = ClientHeight(&Splitter());

  Splitter().HideRow(0);
  EXPECT_EQ(1, Splitter().GetRowCount());
  EXPECT_EQ(pBottom, m_pChild->GetActiveView()) << "the activation leaves the hidden row";
  EXPECT_EQ(pBottom, Splitter().GetPane(0, 0));
  EXPECT_EQ(pTop, Splitter().GetPane(2, 0));
  EXPECT_FALSE(pTop->IsWindowVisible());
  EXPECT_EQ(total, ClientHeight(pBottom)) << "the remaining row takes the whole height";

  Splitter().ShowRow();
  EXPECT_EQ(2, Splitter().GetRowCount());
  EXPECT_EQ(pTop, Splitter().GetPane(0, 0));
  EXPECT_EQ(pBottom, Splitter().GetPane(1, 0));
  EXPECT_TRUE(pTop->IsWindowVisible());
  EXPECT_EQ(100, RowHeight(0)) << "the row comes back at its old height";
  EXPECT_EQ(100, ClientHeight(pTop));
}

TEST_F(SplitterTest, TheSplitterRefusesImpossibleGrids) {
  CSplitterWnd splitter;
  EXPECT_FALSE(splitter.CreateStatic(m_pChild, 0, 1));
  EXPECT_FALSE(splitter.CreateStatic(m_pChild, 17, 1));
  EXPECT_FALSE(Splitter().CreateView(0, 0, RUNTIME_CLASS(CTextView), CSize(10, 10), nullptr)) << "pane taken";
  EXPECT_FALSE(Splitter().CreateView(5, 0, RUNTIME_CLASS(CTextView), CSize(10, 10), nullptr));
  EXPECT_EQ(nullptr, Splitter().GetPane(3, 3));
}
