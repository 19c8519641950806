// Windows build only: the pump between butterfly stages dispatches paint
// and timer messages and leaves input in the queue.
#include "onedim/app/TransformProgress.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "onedim/processing/FastFourier.h"

namespace {

int g_paints = 0, g_timers = 0, g_keys = 0, g_clicks = 0, g_commands = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      ++g_paints;
      return 0;
    }
    case WM_TIMER:
      ++g_timers;
      return 0;
    case WM_KEYDOWN:
      ++g_keys;
      return 0;
    case WM_LBUTTONDOWN:
      ++g_clicks;
      return 0;
    case WM_COMMAND:
      ++g_commands;
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(TransformProgress, DispatchesPaintAndTimerButNoInput) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BrivaneTransformProgressTest";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  UpdateWindow(hwnd);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageA(&msg);
  g_paints = g_timers = g_keys = g_clicks = g_commands = 0;

  PostMessageA(hwnd, WM_KEYDOWN, VK_DELETE, 0);
  PostMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
  PostMessageA(hwnd, WM_COMMAND, 32806, 0);
  SetTimer(hwnd, 1, 1, nullptr);
  Sleep(20);

  // A transform whose redraw invalidates the window after every stage.
  std::vector<float> data(2 * 256, 1.0f);
  CFastFourier fft;
  fft.SetData(data.data(), 512, 1, 0, 0);
  fft.SetProgress(
      [](void* c) {
        InvalidateRect(static_cast<HWND>(c), nullptr, FALSE);
        PumpTransformProgressMessages();
      },
      hwnd);
  ASSERT_TRUE(fft.Transform());
  KillTimer(hwnd, 1);

  EXPECT_EQ(g_paints, 8);  // one per stage
  EXPECT_GE(g_timers, 1);
  EXPECT_EQ(g_keys, 0);
  EXPECT_EQ(g_clicks, 0);
  EXPECT_EQ(g_commands, 0);
  // The input is still waiting, in order, once the transform is over.
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
  DestroyWindow(hwnd);
}

}  // namespace
