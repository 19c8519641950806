// A grid printed on the real PDF printer: a long list runs over several
// pages, each with the header (titles over a rule), the heading row and a
// footer (a rule over the page number); pages break between rows.
#include <algorithm>

#include "controls/GridCtrl.h"
#include "framework/win/Dialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "tests/framework/win/PrintFixture.h"

namespace {

// The test program's name, which the grid gives its job.
const char kJobName[] = "BrvGridPrint";

class CPrintGrid : public CGridCtrl {
 public:
  std::vector<UINT> m_pages;
  UINT m_nLastPage = 0;

 protected:
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    m_pages.push_back(pInfo->m_nCurPage);
    m_nLastPage = pInfo->GetMaxPage();
    CGridCtrl::OnPrint(pDC, pInfo);
  }
};

// Rows of the page (top to bottom) that are dark across most of its width: the rules.
std::vector<int> Rules(const PdfPage& page) {
  std::vector<int> rows;
  for (int y = 0; y < page.height; ++y) {
    int nDark = 0;
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) < 128)
        ++nDark;
    if (nDark > page.width * 6 / 10 && (rows.empty() || rows.back() != y - 1))
      rows.push_back(y);
  }
  return rows;
}

// Whether the band between y0 and y1 holds grey (neither paper nor ink): a heading's face.
bool HasGrey(const PdfPage& page, int y0, int y1) {
  for (int y = y0; y < y1; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) > 150 && page.At(x, y) < 250)
        return true;
  return false;
}

class GridPrintTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "Peak list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                300, nullptr, nullptr));
    ASSERT_TRUE(m_grid.Create(CRect(0, 0, 380, 260), &m_host, 1));
    AfxSetModalDialogHook([](CDialog& d) { d.PostMessage(WM_COMMAND, IDOK); });
  }
  void TearDown() override {
    m_grid.DestroyWindow();
    m_host.DestroyWindow();
    PrintTest::TearDown();
  }

  CWnd m_host;
  CPrintGrid m_grid;
  ScopedJobNames m_jobs{"grid"};
};

TEST_F(GridPrintTest, ThreeHundredRowsRunOverPagesEachWithHeaderHeadingsAndFooter) {
  m_grid.SetRowCount(301);
  m_grid.SetColumnCount(4);
  m_grid.SetFixedRowCount(1);
  m_grid.SetFixedColumnCount(1);
  for (int c = 0; c < 4; ++c)
    m_grid.SetItemText(0, c, c == 0 ? "Peak" : "Value");
  for (int r = 1; r <= 300; ++r)
    for (int c = 0; c < 4; ++c)
      m_grid.SetItemText(r, c, std::to_string(r * 10 + c).c_str());
  m_grid.Print();
  const UINT nPages = m_grid.m_nLastPage;
  ASSERT_GT(nPages, 1u);
  std::vector<UINT> expected;
  for (UINT n = 1; n <= nPages; ++n)
    expected.push_back(n);
  EXPECT_EQ(expected, m_grid.m_pages);

  ASSERT_EQ(std::vector<std::string>{kJobName}, m_jobs.named) << "one job, named as the program is";
  const std::string pdf = WaitForPdf(m_jobs.spooled[0]);
  ASSERT_FALSE(pdf.empty());
  const std::vector<PdfPage> pages = RenderPdf(pdf, 50);
  ASSERT_EQ(nPages, pages.size());
  std::vector<int> lowestRow;
  for (size_t i = 0; i < pages.size(); ++i) {
    const PdfPage& page = pages[i];
    const std::vector<int> rules = Rules(page);
    // The header's rule at the top, the footer's at the bottom, the cells' lines between.
    ASSERT_GE(rules.size(), 3u) << "page " << i + 1;
    EXPECT_LT(rules.front(), page.height / 8) << "page " << i + 1;
    EXPECT_GT(rules.back(), page.height * 7 / 8) << "page " << i + 1;
    EXPECT_TRUE(HasGrey(page, rules.front() + 1, rules.front() + page.height / 20)) << "page " << i + 1;
    lowestRow.push_back(rules[rules.size() - 2]);
  }
  // Pages before the last are full; the last holds what is left.
  for (size_t i = 1; i + 1 < lowestRow.size(); ++i)
    EXPECT_NEAR(lowestRow[0], lowestRow[i], 2) << "page " << i + 1;
  EXPECT_LE(lowestRow.back(), lowestRow.front());
}

TEST_F(GridPrintTest, AGridOfHeadingsOnlyPrintsNoPage) {
  m_grid.SetRowCount(2);
  m_grid.SetColumnCount(3);
  m_grid.SetFixedRowCount(2);
  m_grid.Print();
  EXPECT_TRUE(m_grid.m_pages.empty());
}

}  // namespace
