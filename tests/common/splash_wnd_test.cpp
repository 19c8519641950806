// The splash: shown only when enabled and its picture exists, one at a time,
// closed by a press (not a release) anywhere or by its timer.
#include "framework/win/WindowTest.h"

#include "common/SplashWnd.h"

namespace {

const UINT kPicture = 104;

class SplashWndTest : public WindowTest {
 protected:
  void TearDown() override {
    if (CSplashWnd* pSplash = CSplashWnd::GetSplashWnd())
      pSplash->DestroyWindow();
    CSplashWnd::EnableSplashScreen(FALSE);
    WindowTest::TearDown();
  }

  static MSG Message(UINT message) {
    MSG msg = {};
    msg.hwnd = ::GetDesktopWindow();
    msg.message = message;
    return msg;
  }
};

TEST_F(SplashWndTest, NothingShowsWhenDisabledOrWithoutItsPicture) {
  CSplashWnd::EnableSplashScreen(FALSE);
  CSplashWnd::ShowSplashScreen(nullptr, kPicture);
  EXPECT_EQ(nullptr, CSplashWnd::GetSplashWnd());

  CSplashWnd::EnableSplashScreen(TRUE);
  CSplashWnd::ShowSplashScreen(nullptr, 9999);
  EXPECT_EQ(nullptr, CSplashWnd::GetSplashWnd());
  MSG press = Message(WM_LBUTTONDOWN);
  EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&press)) << "no splash takes no message";
}

TEST_F(SplashWndTest, APictureSizedPopupCentredOnTheScreenAndOnlyOne) {
  CSplashWnd::EnableSplashScreen(TRUE);
  CSplashWnd::ShowSplashScreen(nullptr, kPicture);
  CSplashWnd* pSplash = CSplashWnd::GetSplashWnd();
  ASSERT_NE(nullptr, pSplash);
  HWND hWnd = pSplash->GetSafeHwnd();
  EXPECT_TRUE(::IsWindowVisible(hWnd));
  EXPECT_TRUE((::GetWindowLongA(hWnd, GWL_STYLE) & WS_POPUP) != 0);

  BITMAP bm = {};
  HBITMAP hPicture = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPicture));
  ::GetObjectA(hPicture, sizeof bm, &bm);
  ::DeleteObject(hPicture);
  RECT rc, work;
  ::GetWindowRect(hWnd, &rc);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(bm.bmWidth, rc.right - rc.left);
  EXPECT_EQ(bm.bmHeight, rc.bottom - rc.top);
  EXPECT_NEAR((work.left + work.right) / 2, (rc.left + rc.right) / 2, 1);
  EXPECT_NEAR((work.top + work.bottom) / 2, (rc.top + rc.bottom) / 2, 1);

  CSplashWnd::ShowSplashScreen(nullptr, kPicture);
  EXPECT_EQ(pSplash, CSplashWnd::GetSplashWnd());
}

TEST_F(SplashWndTest, PressesCloseItAndOtherMessagesPass) {
  CSplashWnd::EnableSplashScreen(TRUE);
  const UINT kPasses[] = {WM_KEYUP, WM_LBUTTONUP, WM_MOUSEMOVE, WM_CHAR, WM_PAINT};
  const UINT kPresses[] = {WM_KEYDOWN,     WM_SYSKEYDOWN,    WM_LBUTTONDOWN,   WM_RBUTTONDOWN,
                           WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
  for (UINT press : kPresses) {
    CSplashWnd::ShowSplashScreen(nullptr, kPicture);
    CSplashWnd* pSplash = CSplashWnd::GetSplashWnd();
    ASSERT_NE(nullptr, pSplash);
    HWND hWnd = pSplash->GetSafeHwnd();
    for (UINT other : kPasses) {
      MSG msg = Message(other);
      EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&msg)) << std::hex << other;
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    MSG msg = Message(press);
    EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(&msg)) << std::hex << press;
    EXPECT_FALSE(::IsWindow(hWnd)) << std::hex << press;
    EXPECT_EQ(nullptr, CSplashWnd::GetSplashWnd());
  }
}

TEST_F(SplashWndTest, ItsTimerClosesIt) {
  CSplashWnd::EnableSplashScreen(TRUE);
  CSplashWnd::ShowSplashScreen(nullptr, kPicture);
  ASSERT_NE(nullptr, CSplashWnd::GetSplashWnd());
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(PumpUntil([] { return CSplashWnd::GetSplashWnd() == nullptr; }, 5000));
  EXPECT_GE(::GetTickCount() - start, 700u);
}

}  // namespace
