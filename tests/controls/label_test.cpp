// Labels and hyperlinks attached to the statics of a dialog: what they paint,
// how they flash, and what a click opens.
#include <string>

#include "controls/HyperlinkCtrl.h"
#include "controls/LabelCtrl.h"
#include "framework/win/UiHooks.h"
#include "tests/controls/ControlsDialog.h"

namespace {

LOGFONT FontOf(HWND hWnd) {
  LOGFONT lf = {};
  ::GetObjectA((HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0), sizeof(lf), &lf);
  return lf;
}

using LabelTest = ControlsTest;

TEST_F(LabelTest, ChainedSettersShowInColoursFontAndFrame) {
  CLabelCtrl label;
  ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, &m_dlg));
  label.SetTextColor(RGB(255, 0, 0)).SetBkColor(RGB(0, 0, 255)).SetFontBold(TRUE).SetFontItalic(TRUE).SetFontSize(14);
  auto shot = CaptureClient(label.m_hWnd);
  EXPECT_GT(shot->Count(RGB(255, 0, 0)), 10);
  EXPECT_GT(shot->Count(RGB(0, 0, 255)), shot->width() * shot->height() / 2);
  LOGFONT lf = FontOf(label.m_hWnd);
  EXPECT_EQ(FW_BOLD, lf.lfWeight);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_FALSE(lf.lfUnderline);
  EXPECT_EQ(-14, lf.lfHeight);

  label.SetFontBold(FALSE).SetFontUnderline(TRUE).SetFontName("A face name far longer than thirty-one letters");
  lf = FontOf(label.m_hWnd);
  EXPECT_EQ(FW_NORMAL, lf.lfWeight);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(std::string("A face name far longer than thi"), lf.lfFaceName);

  label.SetSunkenEdge(TRUE).SetBorder(TRUE).SetText("Changed");
  EXPECT_TRUE(label.GetExStyle() & WS_EX_STATICEDGE);
  EXPECT_TRUE(label.GetStyle() & WS_BORDER);
  EXPECT_EQ("Changed", TextOf(label.m_hWnd));
  label.SetSunkenEdge(FALSE).SetBorder(FALSE);
  EXPECT_FALSE(label.GetExStyle() & WS_EX_STATICEDGE);
  EXPECT_FALSE(label.GetStyle() & WS_BORDER);
}

TEST_F(LabelTest, FlashesEndWithTheLabelAsItWas) {
  CLabelCtrl label;
  ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, &m_dlg));
  // The timer really runs at its half second.
  label.BlinkText(TRUE);
  EXPECT_TRUE(PumpUntil([&] { return TextOf(label.m_hWnd).empty(); }, 2000));
  label.BlinkText(FALSE);
  EXPECT_EQ("Plain label", TextOf(label.m_hWnd));
  EXPECT_FALSE(::KillTimer(label.m_hWnd, 1)) << "the timer ended with the flash";

  for (int nTicks = 0; nTicks < 4; ++nTicks) {
    label.BlinkText(TRUE);
    for (int i = 0; i < nTicks; ++i)
      label.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(nTicks % 2 == 1 ? "" : "Plain label", TextOf(label.m_hWnd));
    // Switching to a background flash must not leave the text blank either.
    (nTicks < 2 ? label.BlinkText(FALSE) : label.BlinkBackground(TRUE));
    EXPECT_EQ("Plain label", TextOf(label.m_hWnd)) << nTicks;
  }
  label.BlinkBackground(FALSE);
  label.BlinkText(FALSE);  // nothing flashes: the text stays
  EXPECT_EQ("Plain label", TextOf(label.m_hWnd));

  // A background flash alternates the brushes and ends on the label's own.
  label.SetBkColor(RGB(0, 0, 255)).BlinkBackground(TRUE);
  for (COLORREF expected :
       {RGB(0, 0, 255), ::GetSysColor(COLOR_BTNFACE), RGB(0, 0, 255), ::GetSysColor(COLOR_BTNFACE)}) {
    EXPECT_EQ(expected, PixelOf(label.m_hWnd, 1, 1));
    label.SendMessage(WM_TIMER, 1);
  }
  label.BlinkBackground(FALSE);
  EXPECT_EQ(RGB(0, 0, 255), PixelOf(label.m_hWnd, 1, 1));
}

TEST_F(LabelTest, OnlyALabelWithNotifyOpensItsText) {
  const struct {
    DWORD dwStyle;
    int nLink;  // -1: EnableLink not called
    bool bOpens;
  } cases[] = {
      {0, -1, false},  // the link flag is on, the style is not
      {SS_NOTIFY, -1, true},
      {SS_NOTIFY, FALSE, false},
      {0, TRUE, true},
  };
  for (const auto& c : cases) {
    m_shellCalls.clear();
    CLabelCtrl label;
    ASSERT_TRUE(
        label.Create("http://label.example", WS_CHILD | WS_VISIBLE | c.dwStyle, CRect(5, 160, 150, 175), &m_dlg));
    if (c.nLink != -1)
      label.EnableLink(c.nLink);
    PostClick(label.m_hWnd, {2, 2});
    ASSERT_EQ(c.bOpens ? 1u : 0u, m_shellCalls.size()) << c.dwStyle << " " << c.nLink;
    if (c.bOpens) {
      EXPECT_EQ("open", m_shellCalls[0].verb);
      EXPECT_EQ("http://label.example", m_shellCalls[0].file);
    }
  }

  CLabelCtrl label;
  ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL_LINK, &m_dlg));
  HCURSOR hHand = ::LoadCursorA(nullptr, (LPCSTR)IDC_HAND);
  label.SetHandCursor(hHand);
  EXPECT_TRUE(label.SendMessage(WM_SETCURSOR, (WPARAM)label.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(hHand, ::GetCursor());
}

// --- Hyperlinks ---

class HyperlinkTest : public ControlsTest {
 protected:
  // Points ".htm" at a class of the test whose open command is `command`
  // (none when null), and puts the machine's association back afterwards.
  void SetBrowserCommand(const char* command) {
    if (!m_bSaved) {
      m_bSaved = true;
      char value[MAX_PATH] = "";
      LONG cb = sizeof(value);
      m_bHadHtm = ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", value, &cb) == ERROR_SUCCESS;
      m_strHtm = value;
    }
    ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "BrivaneTestPage", 0);
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrivaneTestPage\\shell\\open\\command");
    if (command != nullptr)
      ::RegSetValueA(HKEY_CLASSES_ROOT, "BrivaneTestPage\\shell\\open\\command", REG_SZ, command, 0);
  }
  void TearDown() override {
    if (m_bSaved) {
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrivaneTestPage\\shell\\open\\command");
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrivaneTestPage\\shell\\open");
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrivaneTestPage\\shell");
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrivaneTestPage");
      if (m_bHadHtm)
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_strHtm.c_str(), 0);
      else
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }
    ControlsTest::TearDown();
  }
  void FailTheShell(int nCode) {
    AfxSetShellExecuteHook([this, nCode](HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, int) {
      m_shellCalls.push_back({"open", file, ""});
      return (HINSTANCE)(INT_PTR)nCode;
    });
  }
  bool m_bSaved = false;
  bool m_bHadHtm = false;
  std::string m_strHtm;
};

TEST_F(HyperlinkTest, AnEmptyStaticShowsTheAddressUnderlinedAndFitsItsText) {
  CHyperlinkCtrl link;
  link.SetURL("http://brivane.example/download");
  ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK, &m_dlg));
  EXPECT_EQ("http://brivane.example/download", TextOf(link.m_hWnd));
  EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
  EXPECT_TRUE(FontOf(link.m_hWnd).lfUnderline);
  HDC hDC = ::GetDC(link.m_hWnd);
  HGDIOBJ hOld = ::SelectObject(hDC, (HGDIOBJ)link.SendMessage(WM_GETFONT));
  SIZE extent;
  ::GetTextExtentPoint32A(hDC, "http://brivane.example/download", 31, &extent);
  ::SelectObject(hDC, hOld);
  ::ReleaseDC(link.m_hWnd, hDC);
  CRect rc;
  link.GetClientRect(&rc);
  EXPECT_EQ(extent.cx, rc.Width());
  EXPECT_EQ(extent.cy, rc.Height());
  EXPECT_EQ("http://brivane.example/download", TipOf(link.m_hWnd));

  link.SetUnderline(FALSE);
  EXPECT_FALSE(link.GetUnderline());
  EXPECT_FALSE(FontOf(link.m_hWnd).lfUnderline);

  // Made in code, it is set up the same way.
  CHyperlinkCtrl made;
  made.SetURL("http://made.example/");
  ASSERT_TRUE(made.Create("", WS_CHILD | WS_VISIBLE, CRect(5, 250, 200, 280), &m_dlg));
  EXPECT_EQ("http://made.example/", TextOf(made.m_hWnd));
  EXPECT_TRUE(made.GetStyle() & SS_NOTIFY);
  EXPECT_TRUE(FontOf(made.m_hWnd).lfUnderline);
  made.GetClientRect(&rc);
  EXPECT_LT(rc.Height(), 30);
}

TEST_F(HyperlinkTest, ACaptionKeepsItsRightEdgeAndMiddleAndOpensItsOwnAddress) {
  CRect before;
  ::GetWindowRect(Item(IDC_LINK_CAPTION), &before);
  CHyperlinkCtrl link;
  ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK_CAPTION, &m_dlg));
  EXPECT_EQ("Home page", std::string(link.GetURL()));
  CRect after;
  link.GetWindowRect(&after);
  EXPECT_EQ(before.right, after.right);
  EXPECT_LT(after.Width(), before.Width());
  EXPECT_LE(std::abs((before.top + before.bottom) - (after.top + after.bottom)), 1);

  link.SetURL("http://brivane.example/");
  EXPECT_EQ("http://brivane.example/", TipOf(link.m_hWnd));
  PostClick(link.m_hWnd, {2, 2});
  ASSERT_EQ(1u, m_shellCalls.size());
  EXPECT_EQ("http://brivane.example/", m_shellCalls[0].file);
  EXPECT_TRUE(link.GetVisited());
  EXPECT_TRUE(m_messageBoxes.empty());
}

TEST_F(HyperlinkTest, ColoursFollowVisitAndHover) {
  CHyperlinkCtrl link;
  ASSERT_TRUE(link.SubclassDlgItem(IDC_LABEL, &m_dlg));
  link.SetLinkColours(RGB(0, 0, 238), RGB(85, 26, 139), RGB(255, 0, 0));
  EXPECT_GT(CaptureClient(link.m_hWnd)->Count(RGB(0, 0, 238)), 10);
  link.SetVisited(TRUE);
  EXPECT_GT(CaptureClient(link.m_hWnd)->Count(RGB(85, 26, 139)), 10);

  PostMouseMove(link.m_hWnd, {3, 3});
  EXPECT_EQ(link.m_hWnd, ::GetCapture());
  EXPECT_GT(CaptureClient(link.m_hWnd)->Count(RGB(255, 0, 0)), 10);
  PostMouseMove(link.m_hWnd, {-20, 3});
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(0, CaptureClient(link.m_hWnd)->Count(RGB(255, 0, 0)));

  link.SetLinkColours(RGB(1, 1, 1), RGB(2, 2, 2));
  EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), link.GetHoverColour());
}

TEST_F(HyperlinkTest, WithoutTheShellTheRegisteredBrowserOpensTheAddressOrTheFailureIsSaid) {
  const struct {
    const char* command;
    const char* expected;
  } cases[] = {
      {"\"C:\\web\\browser.exe\" -nohome \"%1\"", "\"C:\\web\\browser.exe\" -nohome  http://b.example/"},
      {"C:\\web\\browser.exe %1 -new", "C:\\web\\browser.exe  http://b.example/"},
      {"C:\\web\\browser.exe", "C:\\web\\browser.exe http://b.example/"},
  };
  CHyperlinkCtrl link;
  link.SetURL("http://b.example/");
  ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK, &m_dlg));
  FailTheShell(31);
  for (const auto& c : cases) {
    SetBrowserCommand(c.command);
    m_winExecCalls.clear();
    PostClick(link.m_hWnd, {2, 2});
    ASSERT_EQ(1u, m_winExecCalls.size()) << c.command;
    EXPECT_EQ(c.expected, m_winExecCalls[0]);
    EXPECT_TRUE(link.GetVisited());
  }
  EXPECT_TRUE(m_messageBoxes.empty());

  // The browser cannot be started either: its code is reported, with a beep.
  m_winExecResult = 2;
  PostClick(link.m_hWnd, {2, 2});
  EXPECT_FALSE(link.GetVisited());
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("Unable to open hyperlink:\n\nThe specified file was not found.", m_messageBoxes[0].text);
  EXPECT_EQ((UINT)MB_ICONEXCLAMATION, m_messageBoxes[0].type & MB_ICONMASK);
  EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, m_beeps);

  // No browser registered: the shell's own code.
  SetBrowserCommand(nullptr);
  m_winExecCalls.clear();
  PostClick(link.m_hWnd, {2, 2});
  EXPECT_TRUE(m_winExecCalls.empty());
  ASSERT_EQ(2u, m_messageBoxes.size());
  EXPECT_EQ("Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.",
            m_messageBoxes[1].text);
  EXPECT_EQ("Unable to open hyperlink:\n\nUnknown Error (99) occurred.", std::string(CHyperlinkCtrl::ErrorText(99)));
}

}  // namespace
