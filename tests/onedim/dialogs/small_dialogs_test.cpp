// The About box, the common-controls notice and the Sum Data dialog, run
// modally on their templates and driven as a user would.
#include <string>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/AboutDialog.h"
#include "onedim/dialogs/SumDataDialog.h"
#include "onedim/dialogs/UpdateComCtlDialog.h"
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

}  // namespace
