// The data tip (shown where the mouse rests, gone at a move, a click or a
// key; its keyboard hook) and the font preview tip.
#include <memory>

#include "controls/FontPreviewTip.h"
#include "controls/TFXDataTip.h"
#include "tests/controls/PickersDialog.h"

namespace {

class DataTipTest : public PickersTest {
 protected:
  void SetUp() override {
    PickersTest::SetUp();
    m_nSavedDelay = TFXDataTip::GetDelay();
    TFXDataTip::SetDelay(20);
  }
  void TearDown() override {
    TFXDataTip::SetDelay(m_nSavedDelay);
    PickersTest::TearDown();
  }
  // Rests the mouse on a point of the dialog and asks the tip to show there.
  bool ShowAt(TFXDataTip& tip, POINT ptClient, LPCSTR lpszText) {
    POINT pt = ptClient;
    ::ClientToScreen(m_dlg.m_hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    tip.SetTip(ptClient, lpszText);
    return PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 1000);
  }
  // A real key press: through the system's input, as the keyboard hook sees it.
  void PressKey() {
    m_dlg.SetForegroundWindow();
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    PumpUntil([] { return false; }, 100);
  }

  WORD m_nSavedDelay = 0;
};

TEST_F(DataTipTest, ShowsWhereTheMouseRestsAndGoesWhenItMovesAway) {
  TFXDataTip tip;
  ASSERT_TRUE(tip.Create(&m_dlg));
  EXPECT_FALSE(ShowAt(tip, {60, 60}, "12.50 ppm")) << "not switched on";
  tip.On(TRUE);
  EXPECT_FALSE(ShowAt(tip, {-5, 60}, "outside")) << "not in the parent's client area";
  ASSERT_TRUE(ShowAt(tip, {61, 60}, "12.50 ppm"));
  POINT ptScreen = {61, 60};
  ::ClientToScreen(m_dlg.m_hWnd, &ptScreen);
  CRect rc;
  tip.GetWindowRect(&rc);
  EXPECT_EQ(ptScreen.x + 10 - 4, rc.left);
  EXPECT_EQ(ptScreen.y + 5 - 2, rc.top);
  EXPECT_EQ(tip.m_hWnd, ::GetCapture());
  auto shot = CaptureClient(tip.m_hWnd);
  EXPECT_EQ(::GetSysColor(COLOR_INFOBK), shot->Pixel(0, 0));
  EXPECT_GT(shot->Count(::GetSysColor(COLOR_INFOTEXT)), 5);

  // Moves of one and two pixels keep it; three take it away.
  for (int dx : {1, 2, -2, 3}) {
    POINT pt = {ptScreen.x + dx, ptScreen.y};
    ::ScreenToClient(tip.m_hWnd, &pt);
    PostMouseMove(tip.m_hWnd, pt);
    EXPECT_EQ(dx != 3, tip.IsWindowVisible() != FALSE) << dx;
  }
  EXPECT_EQ(nullptr, ::GetCapture());

  // The mouse gone from the point when the delay ends: no tip.
  tip.SetTip({80, 80}, "elsewhere");
  EXPECT_FALSE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 200));
}

TEST_F(DataTipTest, AClickOnTheTipGoesToTheParentAndAKeyHidesIt) {
  TFXDataTip tip;
  ASSERT_TRUE(tip.Create(&m_dlg));
  tip.On(TRUE);
  ASSERT_TRUE(ShowAt(tip, {60, 60}, "a value"));
  ::PostMessageA(tip.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 2));
  PumpPending();
  EXPECT_FALSE(tip.IsWindowVisible());
  POINT ptInParent = {3, 2};
  ::MapWindowPoints(tip.m_hWnd, m_dlg.m_hWnd, &ptInParent, 1);
  ASSERT_EQ(1u, Logged(WM_RBUTTONDOWN).size());
  EXPECT_EQ(MAKELPARAM(ptInParent.x, ptInParent.y), Logged(WM_RBUTTONDOWN)[0].lParam);

  ASSERT_TRUE(ShowAt(tip, {70, 70}, "another"));
  PressKey();
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DataTipTest, TheKeyboardHookLivesWhileAnyTipDoes) {
  ASSERT_EQ(nullptr, TFXDataTip::GetKeyboardHook());
  auto pShown = std::make_unique<TFXDataTip>();
  {
    TFXDataTip windowless;
    EXPECT_NE(nullptr, TFXDataTip::GetKeyboardHook());
    ASSERT_TRUE(pShown->Create(&m_dlg));
    pShown->On(TRUE);
    ASSERT_TRUE(ShowAt(*pShown, {60, 60}, "shown"));
    // The shown tip goes, object and all; the next key must not reach it.
    pShown.reset();
    PressKey();
    EXPECT_NE(nullptr, TFXDataTip::GetKeyboardHook());

    auto pOther = std::make_unique<TFXDataTip>();
    ASSERT_TRUE(pOther->Create(&m_dlg));
    ::DestroyWindow(pOther->m_hWnd);  // its window goes first, the object stays
    pShown = std::move(pOther);
  }
  EXPECT_EQ(nullptr, TFXDataTip::GetKeyboardHook()) << "the last window went, and the last object without one";
  ASSERT_TRUE(pShown->Create(&m_dlg));
  EXPECT_NE(nullptr, TFXDataTip::GetKeyboardHook());
  pShown.reset();
  EXPECT_EQ(nullptr, TFXDataTip::GetKeyboardHook());
}

using FontPreviewTipTest = PickersTest;

TEST_F(FontPreviewTipTest, ShowsTheFaceInItselfAndStaysPutForTheSameName) {
  CFontPreviewTip tip;
  ASSERT_TRUE(tip.Create(&m_dlg));
  EXPECT_FALSE(tip.IsWindowVisible());
  tip.ShowFont(100, 120, "Tahoma");
  ASSERT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(m_dlg.m_hWnd, ::GetActiveWindow()) << "shown without the activation";
  CRect rc;
  tip.GetWindowRect(&rc);
  EXPECT_EQ(CPoint(100, 120), rc.TopLeft());
  EXPECT_GE(rc.Height(), 18 + 8);
  auto shot = CaptureClient(tip.m_hWnd);
  EXPECT_EQ(::GetSysColor(COLOR_INFOBK), shot->Pixel(1, 1));
  EXPECT_GT(shot->Count(::GetSysColor(COLOR_INFOTEXT)), 10);

  tip.ShowFont(300, 300, "Tahoma");
  tip.GetWindowRect(&rc);
  EXPECT_EQ(CPoint(100, 120), rc.TopLeft());
  // Hidden (the list closed up), the same face shows again where asked.
  tip.ShowWindow(SW_HIDE);
  tip.ShowFont(300, 300, "Tahoma");
  EXPECT_TRUE(tip.IsWindowVisible());
  tip.GetWindowRect(&rc);
  EXPECT_EQ(CPoint(300, 300), rc.TopLeft());
  tip.ShowFont(300, 300, "Courier New");
  EXPECT_EQ(CString("Courier New"), tip.GetFaceName());
}

}  // namespace
