// The About box with its credits, the common-controls notice, the Sum Data
// dialog and the spectra browser, run modally on their templates and driven
// as a user would.
#include <string>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/shell/AboutDialog.h"
#include "onedim/dialogs/shell/CreditsDialog.h"
#include "onedim/dialogs/shell/SpectraBrowserDialog.h"
#include "onedim/dialogs/shell/SumDataDialog.h"
#include "onedim/dialogs/shell/UpdateComCtlDialog.h"
#include "resources/BrivaneRes.h"

namespace {

class SmallDialogsTest : public WindowTest {
 protected:
  static INT_PTR Run(CDialog& dlg, const std::function<void(CDialog&)>& act) {
    AfxSetModalDialogHook([&](CDialog& d) { act(d); });
    return dlg.DoModal();
  }
  static HWND Item(CDialog& d, int nID) { return ::GetDlgItem(d.m_hWnd, nID); }
  static LOGFONT FontOf(HWND hWnd) {
    LOGFONT lf = {};
    ::GetObjectA((HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0), sizeof(lf), &lf);
    return lf;
  }
};

TEST_F(SmallDialogsTest, TheNoticeShowsRedHeadlinesAndLinksToTheUpdate) {
  CUpdateComCtlDialog notice;
  Run(notice, [&](CDialog& d) {
    for (int nID : {IDC_COMCTL_NEEDS, IDC_COMCTL_FOLLOW}) {
      EXPECT_GT(CaptureClient(Item(d, nID))->Count(RGB(255, 0, 0)), 20) << nID;
      EXPECT_EQ(-14, FontOf(Item(d, nID)).lfHeight) << nID;
    }
    EXPECT_EQ("Brivane needs COMCTL32.DLL version 4.71 or higher to work", TextOf(Item(d, IDC_COMCTL_NEEDS)));
    for (int nID : {IDC_COMCTL_VENDOR_LINK, IDC_COMCTL_OWN_LINK}) {
      EXPECT_TRUE(FontOf(Item(d, nID)).lfUnderline) << nID;
      EXPECT_GT(CaptureClient(Item(d, nID))->Count(RGB(0, 0, 238)), 20) << nID;
      PostClick(Item(d, nID), {2, 2});
    }
    d.EndDialog(IDOK);
  });
  ASSERT_EQ(2u, m_shellCalls.size());
  EXPECT_EQ(0u, m_shellCalls[0].file.find("http"));
  EXPECT_NE(std::string::npos, m_shellCalls[1].file.find("brivane"));
}

TEST_F(SmallDialogsTest, TheAboutBoxLinksItsHomePageAndMailOnWhite) {
  CAboutDialog about;
  Run(about, [&](CDialog& d) {
    EXPECT_EQ(RGB(255, 255, 255), CaptureClient(Item(d, IDC_ABOUT_VERSION))->Pixel(0, 0));
    EXPECT_TRUE(FontOf(Item(d, IDC_ABOUT_HOMEPAGE)).lfUnderline);
    EXPECT_EQ("brivane@orvandel.example", TextOf(Item(d, IDC_ABOUT_EMAIL)));
    PostClick(Item(d, IDC_ABOUT_HOMEPAGE), {2, 2});
    PostClick(Item(d, IDC_ABOUT_EMAIL), {2, 2});
    // The icons are owner-drawn buttons on white.
    HWND hWndIcon = Item(d, IDC_ABOUT_ICON2);
    EXPECT_EQ((LONG)BS_OWNERDRAW, ::GetWindowLongA(hWndIcon, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(RGB(255, 255, 255), CaptureClient(hWndIcon)->Pixel(0, 0));
    d.EndDialog(IDOK);
  });
  ASSERT_EQ(2u, m_shellCalls.size());
  EXPECT_EQ("http://www.orvandel.example/brivane", m_shellCalls[0].file);
  EXPECT_EQ("mailto:brivane@orvandel.example", m_shellCalls[1].file);
}

TEST_F(SmallDialogsTest, SumDataTakesAFactorAndRefusesWhatIsNoNumber) {
  CSumDataDialog dlg;
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("Sum Data", TextOf(d.m_hWnd));
              EXPECT_EQ("1", TextOf(Item(d, IDC_SUM_FACTOR)));
              ::SetWindowTextA(Item(d, IDC_SUM_FACTOR), "half");
              d.SendMessage(WM_COMMAND, IDOK);
              EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
              ::SetWindowTextA(Item(d, IDC_SUM_FACTOR), "0.5");
              d.SendMessage(WM_COMMAND, IDOK);
            }));
  EXPECT_EQ(1u, m_messageBoxes.size());
  EXPECT_FLOAT_EQ(0.5f, dlg.m_fFactor);
}

TEST_F(SmallDialogsTest, CreditsLinesAreDrawnByTheirLastCharacter) {
  const struct {
    const char* line;
    CCreditsDialog::LineKind kind;
  } cases[] = {
      {"PICTURE\b", CCreditsDialog::linePicture}, {"Heading\t", CCreditsDialog::lineHeading},
      {"Title\n", CCreditsDialog::lineTitle},     {"Subtitle\r", CCreditsDialog::lineSubtitle},
      {"plain", CCreditsDialog::lineText},        {"", CCreditsDialog::lineText},
      {nullptr, CCreditsDialog::lineText},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.kind, CCreditsDialog::KindOf(c.line)) << (c.line != nullptr ? c.line : "null");
  int nPictures = 0;
  for (int i = 0; i < CCreditsDialog::LineCount; i++)
    nPictures += CCreditsDialog::KindOf(CCreditsDialog::GetLine(i)) == CCreditsDialog::linePicture;
  EXPECT_EQ(1, nPictures);
  EXPECT_EQ(nullptr, CCreditsDialog::GetLine(CCreditsDialog::LineCount));
}

TEST_F(SmallDialogsTest, TheAboutBoxsCreditsScrollEveryLineAndStartAgain) {
  CAboutDialog about;
  std::vector<int> lines;
  int nRedAfterTitle = 0, nRedAfterRepaint = 0;
  // One hook for both boxes: the About box opens the credits.
  Run(about, [&](CDialog& d) {
    if (TextOf(d.m_hWnd) != "Credits") {
      ASSERT_TRUE(::IsWindowEnabled(Item(d, IDC_ABOUT_CREDITS)));
      d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CREDITS, BN_CLICKED), (LPARAM)Item(d, IDC_ABOUT_CREDITS));
      d.EndDialog(IDOK);
      return;
    }
    CCreditsDialog& credits = static_cast<CCreditsDialog&>(d);
    // The red title is in after 21 one-pixel steps.
    for (int i = 0; i < 21; i++)
      credits.SendMessage(WM_TIMER, CCreditsDialog::ScrollTimer);
    nRedAfterTitle = CaptureClient(credits.m_hWnd)->Count(RGB(255, 0, 0));
    // Scrolled on under the next lines, the title survives a full repaint.
    for (int i = 0; i < 30; i++)
      credits.SendMessage(WM_TIMER, CCreditsDialog::ScrollTimer);
    ::RedrawWindow(credits.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    nRedAfterRepaint = CaptureClient(credits.m_hWnd)->Count(RGB(255, 0, 0));
    for (int i = 0; i < 3000 && lines.size() < CCreditsDialog::LineCount + 2; i++) {
      credits.SendMessage(WM_TIMER, CCreditsDialog::ScrollTimer);
      if (lines.empty() || lines.back() != credits.GetCurrentLine())
        lines.push_back(credits.GetCurrentLine());
    }
    credits.SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_GT(nRedAfterTitle, 40);
  EXPECT_EQ(nRedAfterTitle, nRedAfterRepaint);
  ASSERT_EQ((size_t)CCreditsDialog::LineCount + 2, lines.size());
  // From the picture on, the line under way after the title and the gap.
  for (int i = 0; i < CCreditsDialog::LineCount + 2; i++)
    EXPECT_EQ((i + 2) % CCreditsDialog::LineCount, lines[(size_t)i]) << i;
  EXPECT_TRUE(m_messageBoxes.empty()) << "the picture is found";
}

TEST_F(SmallDialogsTest, TheSpectraBrowserHasItsListAndButtons) {
  CSpectraBrowserDialog dlg;
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("Spectra Browser", TextOf(d.m_hWnd));
              char szClass[32] = {};
              ::GetClassNameA(Item(d, IDC_BROWSER_LIST), szClass, sizeof szClass);
              EXPECT_STREQ("SysListView32", szClass);
              d.SendMessage(WM_COMMAND, IDCANCEL);
            }));
}

}  // namespace
