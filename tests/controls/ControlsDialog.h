// A modeless dialog of every kind of control for the control tests; it
// counts the clicks of its icon button and the changes of its range edit.
#pragma once

#include <string>

#include "framework/win/Dialog.h"
#include "framework/win/WindowTest.h"
#include "tests/controls/ControlsTestRes.h"

class CControlsDialog : public CDialog {
 public:
  CControlsDialog() : CDialog(IDD_CONTROLS) {}

  int m_nIconClicks = 0;
  int m_nRangeChanges = 0;

 protected:
  void OnIconClicked() { ++m_nIconClicks; }
  void OnRangeChange() { ++m_nRangeChanges; }

  DECLARE_MESSAGE_MAP()
};

// The text of tool nTool of the tooltips that serve hWndTool; empty without one.
std::string ToolTipText(HWND hWndTool, UINT_PTR nTool);

// Shows a CControlsDialog for each test.
class ControlsTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Item(int nID) const { return ::GetDlgItem(m_dlg.m_hWnd, nID); }
  // The colour of the pixel of the control's client area, as it paints now.
  static COLORREF PixelOf(HWND hWnd, int x, int y);
  // The text a tooltip shows for the control (its tool 1); empty without one.
  static std::string TipOf(HWND hWndTool) { return ToolTipText(hWndTool, 1); }

  CControlsDialog m_dlg;
};
