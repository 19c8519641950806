#include "tests/controls/ControlsDialog.h"

BEGIN_MESSAGE_MAP(CControlsDialog, CDialog)
  ON_BN_CLICKED(IDC_ICON_BUTTON, OnIconClicked)
  ON_EN_CHANGE(IDC_RANGE, OnRangeChange)
END_MESSAGE_MAP()

void ControlsTest::SetUp() {
  WindowTest::SetUp();
  ASSERT_TRUE(m_dlg.Create(IDD_CONTROLS, nullptr));
  m_dlg.ShowWindow(SW_SHOW);
  m_dlg.UpdateWindow();
}

void ControlsTest::TearDown() {
  m_dlg.DestroyWindow();
  WindowTest::TearDown();
}

COLORREF ControlsTest::PixelOf(HWND hWnd, int x, int y) {
  return CaptureClient(hWnd)->Pixel(x, y);
}

std::string ToolTipText(HWND hWndTool, UINT_PTR nTool) {
  for (HWND hWndTip = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); hWndTip != nullptr;
       hWndTip = ::FindWindowExA(nullptr, hWndTip, TOOLTIPS_CLASSA, nullptr)) {
    char text[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = hWndTool;
    ti.uId = nTool;
    ti.lpszText = text;
    if (::SendMessageA(hWndTip, TTM_GETTOOLINFOA, 0, (LPARAM)&ti)) {
      ti.lpszText = text;
      ::SendMessageA(hWndTip, TTM_GETTEXTA, sizeof(text), (LPARAM)&ti);
      return text;
    }
  }
  return "";
}
