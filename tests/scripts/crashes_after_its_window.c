/* Shows a window captioned as the program's main frame with a document,
   then crashes two seconds later. */
#include <windows.h>

static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    volatile int* p = (volatile int*)GetPropA(hWnd, "nowhere");
    return *p;
  }
  return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int main(void) {
  WNDCLASSA wc = {0};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "BrivaneProbeFrame";
  RegisterClassA(&wc);
  HWND hWnd = CreateWindowA("BrivaneProbeFrame", "Brivane - probe.bvx", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                            480, NULL, NULL, wc.hInstance, NULL);
  SetTimer(hWnd, 1, 2000, NULL);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}
