// Proves that window tests can run here: Wine, a display, GDI.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

void PaintRed(HWND hwnd, HDC dc) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, red);
  DeleteObject(red);
}

LRESULT CALLBACK PaintRedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintRed(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintRed(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST(DisplaySmoke, WindowPaintsIntoMemoryDC) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PaintRedProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SmokeTestWindow";
  ASSERT_NE(RegisterClassA(&wc), 0);

  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  UpdateWindow(hwnd);

  RECT rc;
  GetClientRect(hwnd, &rc);
  HDC screen = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old = SelectObject(mem, bmp);

  // The window paints itself into our DC, as a test of any view would.
  EXPECT_EQ(GetPixel(mem, rc.right / 2, rc.bottom / 2), RGB(0, 0, 0));
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, rc.right / 2, rc.bottom / 2), RGB(255, 0, 0));

  // R2_NOT twice restores what was there.
  SetROP2(mem, R2_NOT);
  MoveToEx(mem, 0, 5, nullptr);
  LineTo(mem, rc.right, 5);
  EXPECT_NE(GetPixel(mem, 10, 5), RGB(255, 0, 0));
  MoveToEx(mem, 0, 5, nullptr);
  LineTo(mem, rc.right, 5);
  EXPECT_EQ(GetPixel(mem, 10, 5), RGB(255, 0, 0));

  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(hwnd, screen);
  DestroyWindow(hwnd);
}
