// A modeless dialog of pickers, sliders, combos and lists for the control
// tests. It records the messages its controls send it (the colour picker's
// five, the hover list's, the slider's scrolls, clicks passed on by a data
// tip) and lets a test act on each as it arrives.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win/Dialog.h"
#include "framework/win/WindowTest.h"
#include "tests/controls/ControlsDialog.h"
#include "tests/controls/ControlsTestRes.h"

struct RecordedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class CPickersDialog : public CDialog {
 public:
  CPickersDialog() : CDialog(IDD_PICKERS) {}

  std::vector<RecordedMessage> m_log;
  // Called with each recorded message, after it is logged.
  std::function<void(const RecordedMessage&)> m_onMessage;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class PickersTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Item(int nID) const { return ::GetDlgItem(m_dlg.m_hWnd, nID); }
  // The recorded messages of one kind, in order.
  std::vector<RecordedMessage> Logged(UINT message) const;
  // The visible top-level windows of this thread that hWndOwner owns, tooltips aside.
  static std::vector<HWND> OwnedWindows(HWND hWndOwner);

  CPickersDialog m_dlg;
};
