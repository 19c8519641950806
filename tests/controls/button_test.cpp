// The owner-drawn buttons as they paint in each state, and the repeat
// button's loop while it is held.
#include <functional>
#include <string>
#include <vector>

#include "controls/HoverButton.h"
#include "controls/IconButton.h"
#include "controls/MappedBitmapButton.h"
#include "controls/RepeatButton.h"
#include "tests/controls/ControlsDialog.h"

namespace {

using ButtonTest = ControlsTest;

const COLORREF kOut = RGB(10, 20, 30);

// How many pixels of this colour the window shows on the screen now.
int OnScreen(HWND hWnd, COLORREF colour) {
  CRect rc;
  ::GetClientRect(hWnd, &rc);
  TestBitmap shot(rc.Width(), rc.Height());
  HDC hDC = ::GetDC(hWnd);
  ::BitBlt(shot.dc(), 0, 0, rc.Width(), rc.Height(), hDC, 0, 0, SRCCOPY);
  ::ReleaseDC(hWnd, hDC);
  return shot.Count(colour);
}
const COLORREF kOver = RGB(200, 210, 220);

TEST_F(ButtonTest, AFlatIconButtonRaisesItsBorderOnlyUnderTheMouse) {
  CIconButton button;
  ASSERT_TRUE(button.SubclassDlgItem(IDC_ICON_BUTTON, &m_dlg));
  EXPECT_TRUE(button.GetDefault());
  EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
  ASSERT_TRUE(button.SetIcon(IDI_TEST_IN, IDI_TEST_OUT));
  button.SetOutBkColor(kOut);
  button.SetHoverBkColor(kOver);
  const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);

  EXPECT_EQ(kOut, PixelOf(button.m_hWnd, 0, 0));
  PostMouseMove(button.m_hWnd, {5, 5});
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  auto over = CaptureClient(button.m_hWnd);
  EXPECT_EQ(highlight, over->Pixel(0, 0));
  EXPECT_EQ(kOver, over->Pixel(1, 1));
  EXPECT_NE(0, over->Count(RGB(0, 0, 0)) + over->Count(::GetSysColor(COLOR_BTNTEXT))) << "the caption";
  PostMouseMove(button.m_hWnd, {-5, 5});
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(kOut, PixelOf(button.m_hWnd, 0, 0));

  // Without the hover border, and pressed: a flat button sinks.
  button.SendMessage(BM_SETSTATE, TRUE);
  EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), PixelOf(button.m_hWnd, 0, 0));
  button.SetDrawBorder(FALSE);
  EXPECT_EQ(kOver, PixelOf(button.m_hWnd, 0, 0));
  button.SendMessage(BM_SETSTATE, FALSE);

  // Not flat, and the dialog's default button: a black frame round a raised border.
  button.SetFlat(FALSE);
  auto raised = CaptureClient(button.m_hWnd);
  EXPECT_EQ(RGB(0, 0, 0), raised->Pixel(0, 0));
  EXPECT_EQ(highlight, raised->Pixel(1, 1));
}

TEST_F(ButtonTest, AnIconButtonMadeInCodeDrawsItselfAndCountsDoubleClicksTwice) {
  CIconButton button;
  ASSERT_TRUE(button.Create("Made", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 250, 90, 280), &m_dlg,
                            IDC_ICON_BUTTON + 100));
  EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
  EXPECT_FALSE(button.GetDefault());

  CIconButton template_button;
  ASSERT_TRUE(template_button.SubclassDlgItem(IDC_ICON_BUTTON, &m_dlg));
  PostClick(template_button.m_hWnd, {5, 5}, true);
  EXPECT_EQ(2, m_dlg.m_nIconClicks);

  template_button.SetTipText(9999);  // no such string: nothing happens
  EXPECT_EQ("", TipOf(template_button.m_hWnd));
  template_button.SetTipText(IDS_TIP);
  EXPECT_EQ("Press me", TipOf(template_button.m_hWnd));

  EXPECT_TRUE(template_button.SetButtonCursor(IDC_TEST_CURSOR));
  EXPECT_TRUE(template_button.SendMessage(WM_SETCURSOR, (WPARAM)template_button.m_hWnd, HTCLIENT));
  EXPECT_TRUE(template_button.SetButtonCursor(-1));
  EXPECT_FALSE(template_button.SetButtonCursor(4242));
}

TEST_F(ButtonTest, ATransparentIconButtonShowsWhatLiesUnderIt) {
  CIconButton button;
  ASSERT_TRUE(button.SubclassDlgItem(IDC_ICON_BUTTON, &m_dlg));
  button.SetShowText(FALSE);
  button.SetOutBkColor(kOut);
  // What the dialog shows where the button is, with the button hidden.
  CRect rc;
  button.GetWindowRect(&rc);
  m_dlg.ScreenToClient(&rc);
  button.ShowWindow(SW_HIDE);
  m_dlg.UpdateWindow();
  TestBitmap under(rc.Width(), rc.Height());
  HDC hDC = ::GetDC(m_dlg.m_hWnd);
  ::BitBlt(under.dc(), 0, 0, rc.Width(), rc.Height(), hDC, rc.left, rc.top, SRCCOPY);
  ::ReleaseDC(m_dlg.m_hWnd, hDC);
  button.EnableTransparency();
  EXPECT_EQ(under.Pixel(2, 2), PixelOf(button.m_hWnd, 2, 2));
  EXPECT_NE(kOut, PixelOf(button.m_hWnd, 2, 2));
}

TEST_F(ButtonTest, AMappedBitmapButtonShowsOneImagePerState) {
  CMappedBitmapButton button;
  ASSERT_TRUE(button.AutoLoad(IDC_MAPPED_BUTTON, &m_dlg, IDB_FOUR_STATES));
  CRect rc;
  button.GetClientRect(&rc);
  EXPECT_EQ(8, rc.Width());
  EXPECT_EQ(6, rc.Height());
  // The silver of the picture is the face colour of the system.
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(button.m_hWnd, 1, 5));

  const struct {
    const char* state;
    std::function<void(CButton&)> set;
    COLORREF colour;
  } states[] = {
      {"up", [](CButton&) {}, RGB(255, 0, 0)},
      {"pressed", [](CButton& b) { b.SetState(TRUE); }, RGB(0, 255, 0)},
      {"focused",
       [](CButton& b) {
         b.SetState(FALSE);
         b.SetFocus();
       },
       RGB(0, 0, 255)},
      {"disabled", [](CButton& b) { b.EnableWindow(FALSE); }, RGB(255, 255, 0)},
  };
  for (const auto& s : states) {
    s.set(button);
    EXPECT_EQ(s.colour, PixelOf(button.m_hWnd, 2, 2)) << s.state;
  }
  button.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(RGB(255, 255, 0), PixelOf(button.m_hWnd, 2, 2));

  CMappedBitmapButton made;
  ASSERT_TRUE(made.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 250, 60, 290), &m_dlg, 2005));
  ASSERT_TRUE(made.LoadMappedBitmap(IDB_FOUR_STATES));
  made.SizeToContent();
  made.GetClientRect(&rc);
  EXPECT_EQ(8, rc.Width());
  EXPECT_EQ(RGB(255, 0, 0), PixelOf(made.m_hWnd, 2, 2));
  EXPECT_FALSE(made.LoadMappedBitmap(4242));
}

TEST_F(ButtonTest, AHoverButtonGoesHotWhileTheCursorIsOverIt) {
  CHoverButton button;
  ASSERT_TRUE(button.Create("Hover", WS_CHILD | WS_VISIBLE, CRect(100, 250, 180, 275), &m_dlg, 2002));
  EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
  const COLORREF blue = RGB(0, 0, 255);
  PumpPending();
  EXPECT_EQ(0, OnScreen(button.m_hWnd, blue));

  CRect rc;
  button.GetWindowRect(&rc);
  ::SetCursorPos(rc.left + 5, rc.top + 5);
  PostMouseMove(button.m_hWnd, {5, 5});
  EXPECT_TRUE(PumpUntil([&] { return OnScreen(button.m_hWnd, blue) > 0; }, 2000));
  EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), PixelOf(button.m_hWnd, 0, 0));
  EXPECT_TRUE(button.SendMessage(WM_SETCURSOR, (WPARAM)button.m_hWnd, HTCLIENT));

  ::SetCursorPos(rc.right + 40, rc.bottom + 40);
  EXPECT_TRUE(PumpUntil([&] { return OnScreen(button.m_hWnd, blue) == 0; }, 2000));

  // A hot button that goes away lets the next one show its frame.
  ::SetCursorPos(rc.left + 5, rc.top + 5);
  PostMouseMove(button.m_hWnd, {5, 5});
  ASSERT_TRUE(PumpUntil([&] { return OnScreen(button.m_hWnd, blue) > 0; }, 2000));
  button.DestroyWindow();
  CHoverButton next;
  ASSERT_TRUE(next.SubclassDlgItem(IDC_HOVER_BUTTON, &m_dlg));
  next.GetWindowRect(&rc);
  ::SetCursorPos(rc.left + 3, rc.top + 3);
  PostMouseMove(next.m_hWnd, {3, 3});
  EXPECT_TRUE(PumpUntil([&] { return OnScreen(next.m_hWnd, blue) > 0; }, 2000));

  // The background is a shade off the button face.
  TestBitmap erased(4, 4);
  next.SendMessage(WM_ERASEBKGND, (WPARAM)erased.dc());
  int red = GetRValue(::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(red > 1 ? red - 2 : red, (int)GetRValue(erased.Pixel(1, 1)));
}

// Takes the repeat button's values and releases the button once it has
// enough of them, as the user would (or goes, or takes the capture away).
class CReleasingDialog : public CControlsDialog {
 public:
  enum Release { PostButtonUp, DestroyItself, TakeCapture };
  std::vector<int> m_repeatValues;
  size_t* m_pnRelease = nullptr;
  HWND m_hWndButton = nullptr;
  Release m_release = PostButtonUp;

 protected:
  LRESULT OnValue(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDC_REPEAT_BUTTON)
      m_repeatValues.push_back((int)lParam);
    if (m_repeatValues.size() == *m_pnRelease) {
      if (m_release == DestroyItself)
        DestroyWindow();
      else if (m_release == TakeCapture)
        ::ReleaseCapture();  // as a window that pops up in between would
      else
        ::PostMessageA(m_hWndButton, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReleasingDialog, CControlsDialog)
  ON_MESSAGE(WMU_REPEAT_VALUE, OnValue)
END_MESSAGE_MAP()

TEST_F(ButtonTest, ARepeatButtonStepsWhileHeldAndWrapsAtTheEnds) {
  CReleasingDialog target;
  size_t nRelease = 1;
  target.m_pnRelease = &nRelease;
  ASSERT_TRUE(target.Create(IDD_CONTROLS, nullptr));
  CRepeatButton button;
  ASSERT_TRUE(button.SubclassDlgItem(IDC_REPEAT_BUTTON, &m_dlg));
  button.SetParameters(&target, 0, 1, 1, 0, 359);
  target.m_hWndButton = button.m_hWnd;

  // A click shorter than the first pause changes nothing.
  PostClick(button.m_hWnd, {3, 3});
  EXPECT_TRUE(target.m_repeatValues.empty());

  // Held for one step: 0 less 1 is 359.
  ::PostMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PumpPending();
  EXPECT_EQ(std::vector<int>{359}, target.m_repeatValues);
  EXPECT_FALSE(button.GetState() & BST_PUSHED) << "released after the loop";

  // Held longer: ten steps a tenth of a second apart, then faster.
  target.m_repeatValues.clear();
  nRelease = 12;
  DWORD start = ::GetTickCount();
  ::PostMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PumpPending();
  DWORD elapsed = ::GetTickCount() - start;
  ASSERT_EQ(12u, target.m_repeatValues.size());
  EXPECT_EQ(358, target.m_repeatValues[0]);
  EXPECT_EQ(347, target.m_repeatValues[11]);
  EXPECT_GE(elapsed, 10u * 100 + 2 * 75 - 30);
  EXPECT_EQ(347, button.GetValue());
}

TEST_F(ButtonTest, ARepeatButtonWhoseTargetGoesStopsAtOnce) {
  CReleasingDialog target;
  size_t nRelease = 3;
  target.m_pnRelease = &nRelease;
  target.m_release = CReleasingDialog::DestroyItself;
  ASSERT_TRUE(target.Create(IDD_CONTROLS, nullptr));
  CRepeatButton button(5, 0, 10, 0, 100);
  ASSERT_TRUE(button.SubclassDlgItem(IDC_REPEAT_BUTTON, &m_dlg));
  button.SetParameters(&target, 90, 0, 10, 0, 100);
  ::PostMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PumpPending();  // would never return if the loop went on
  EXPECT_FALSE(::IsWindow(target.m_hWnd));
  EXPECT_EQ((std::vector<int>{100, 0, 10}), target.m_repeatValues);

  // With no target the parent takes the values; a lost capture ends the loop,
  // as no button-up will ever come.
  CReleasingDialog parent;
  nRelease = 2;
  parent.m_pnRelease = &nRelease;
  parent.m_release = CReleasingDialog::TakeCapture;
  ASSERT_TRUE(parent.Create(IDD_CONTROLS, nullptr));
  CRepeatButton own(1, 0, 1, 0, 9);
  ASSERT_TRUE(own.Create("+", WS_CHILD | WS_VISIBLE, CRect(200, 250, 220, 270), &parent, IDC_REPEAT_BUTTON));
  ::PostMessageA(own.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PumpPending();  // would never return if the loop went on
  EXPECT_EQ((std::vector<int>{2, 3}), parent.m_repeatValues);
  parent.DestroyWindow();
}

}  // namespace
