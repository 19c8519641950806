#include "tests/controls/PickersDialog.h"

#include "controls/ColourPicker.h"
#include "controls/HoverListCtrl.h"

LRESULT CPickersDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool bPicker = message >= WMU_COLOUR_SELCHANGE && message <= WMU_COLOUR_SELENDCANCEL;
  if (bPicker || message == WMU_LIST_HOT_ITEM || message == WM_HSCROLL || message == WM_LBUTTONDOWN ||
      message == WM_RBUTTONDOWN) {
    m_log.push_back({message, wParam, lParam});
    if (m_onMessage)
      m_onMessage(m_log.back());
    if (bPicker || message == WMU_LIST_HOT_ITEM)
      return 0;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void PickersTest::SetUp() {
  WindowTest::SetUp();
  ASSERT_TRUE(m_dlg.Create(IDD_PICKERS, nullptr));
  m_dlg.ShowWindow(SW_SHOW);
  m_dlg.UpdateWindow();
}

void PickersTest::TearDown() {
  if (m_dlg.m_hWnd != nullptr)
    m_dlg.DestroyWindow();
  WindowTest::TearDown();
}

std::vector<RecordedMessage> PickersTest::Logged(UINT message) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& m : m_dlg.m_log)
    if (m.message == message)
      found.push_back(m);
  return found;
}

namespace {
struct OwnedSearch {
  HWND hWndOwner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND hWnd, LPARAM lParam) {
  OwnedSearch* s = reinterpret_cast<OwnedSearch*>(lParam);
  char cls[64] = "";
  ::GetClassNameA(hWnd, cls, sizeof(cls));
  if (::GetWindow(hWnd, GW_OWNER) == s->hWndOwner && ::IsWindowVisible(hWnd) && lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0)
    s->found.push_back(hWnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> PickersTest::OwnedWindows(HWND hWndOwner) {
  OwnedSearch s = {hWndOwner, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOwned, reinterpret_cast<LPARAM>(&s));
  return s.found;
}
