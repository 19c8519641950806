#include "Interaction.h"

#include <ole2.h>

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

namespace {

class CInteractionTestApp : public CWinApp {
 public:
  CInteractionTestApp() : CWinApp("InteractionTest") { SetRegistryKey("BrivaneFrameworkTests"); }
};

CInteractionTestApp theApp;

// OLE is started once for the program, as the programs' InitInstance does.
class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
  void TearDown() override { ::OleUninitialize(); }
};

::testing::Environment* const g_oleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

void SendMouse(DWORD dwFlags, POINT pt) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = MulDiv(pt.x, 65536, cx) + 1;
  input.mi.dy = MulDiv(pt.y, 65536, cy) + 1;
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &input, sizeof(input));
}

POINT CursorPos() {
  POINT pt;
  ::GetCursorPos(&pt);
  return pt;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTestPad, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CTestPad::Create(LPCSTR lpszTitle, const RECT& rcScreen) {
  LPCSTR lpszClass =
      AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)::GetStockObject(WHITE_BRUSH));
  if (!CreateEx(0, lpszClass, lpszTitle, WS_POPUP | WS_VISIBLE, rcScreen.left, rcScreen.top,
                rcScreen.right - rcScreen.left, rcScreen.bottom - rcScreen.top, nullptr, nullptr))
    return FALSE;
  UpdateWindow();
  return TRUE;
}

void CTestPad::OnLButtonDown(UINT, CPoint point) {
  if (m_onLButtonDown)
    m_onLButtonDown(point);
}

void CTestPad::OnPaint() {
  CPaintDC dc(this);
  if (m_onPaint)
    m_onPaint(&dc);
}

void MouseMoveTo(POINT ptScreen) {
  SendMouse(0, ptScreen);
}

void MouseLeftDown() {
  SendMouse(MOUSEEVENTF_LEFTDOWN, CursorPos());
}

void MouseLeftUp() {
  SendMouse(MOUSEEVENTF_LEFTUP, CursorPos());
}
