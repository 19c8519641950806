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
