// Dialogs: data exchange both ways, validation that keeps the dialog open
// on the refused field, the modal loop's idle message, keyboard handling and
// the dialog's own accelerators, modeless dialogs that delete themselves,
// and controls bound to dialog items that receive their own notifications.
#include "framework/win/WindowTest.h"

#include "TestRes.h"
#include "framework/win/CommonControls.h"
#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/UiHooks.h"

namespace {

class CValuesDialog : public CDialog {
 public:
  CValuesDialog() : CDialog(IDD_VALUES) {}

  int m_int = 5;
  double m_double = 2.5;
  CString m_text = "proton";
  int m_check = 1;
  int m_radio = 2;
  int m_combo = 1;
  CString m_list = "Second";
  UINT m_uint = 7;
  long m_long = -70000;
  float m_float = 0.25f;
  CString m_editCombo = "typed";
  int m_kickIdle = 0;

 protected:
  BOOL OnInitDialog() override {
    // Lists are filled before the base exchange selects in them.
    CListBox* list = static_cast<CListBox*>(GetDlgItem(IDC_LIST));
    ::SendMessageA(list->m_hWnd, LB_ADDSTRING, 0, (LPARAM) "First");
    ::SendMessageA(list->m_hWnd, LB_ADDSTRING, 0, (LPARAM) "Second");
    SendDlgItemMessage(IDC_EDIT_COMBO, CB_ADDSTRING, 0, (LPARAM) "listed");
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_INT, m_int);
    DDV_MinMaxInt(pDX, m_int, 1, 10);
    DDX_Text(pDX, IDC_DOUBLE, m_double);
    DDV_MinMaxDouble(pDX, m_double, 0.0, 100.0);
    DDX_Text(pDX, IDC_TEXT, m_text);
    DDV_MaxChars(pDX, m_text, 12);
    DDX_Check(pDX, IDC_CHECK, m_check);
    DDX_Radio(pDX, IDC_RADIO1, m_radio);
    DDX_CBIndex(pDX, IDC_COMBO, m_combo);
    DDX_LBString(pDX, IDC_LIST, m_list);
    DDX_Text(pDX, IDC_UINT, m_uint);
    DDX_Text(pDX, IDC_LONG, m_long);
    DDX_Text(pDX, IDC_FLOAT, m_float);
    DDX_CBString(pDX, IDC_EDIT_COMBO, m_editCombo);
  }
  LRESULT OnKickIdle(WPARAM, LPARAM) {
    // The loop is idle: the dialog has shown itself and can end.
    if (++m_kickIdle == 1)
      PostMessage(WM_COMMAND, IDCANCEL);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CValuesDialog, CDialog)
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

using DialogTest = WindowTest;

std::string ItemText(CDialog& dlg, int nID) {
  char text[256] = "";
  ::GetDlgItemTextA(dlg.m_hWnd, nID, text, sizeof(text));
  return text;
}

void Press(CDialog& dlg, int nID) {
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, nID));
}

TEST_F(DialogTest, ValuesGoIntoTheControlsAndComeBackOnOK) {
  CValuesDialog dlg;
  bool checked = false;
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ(&d, &dlg);
    EXPECT_EQ(ItemText(d, IDC_INT), "5");
    EXPECT_EQ(ItemText(d, IDC_DOUBLE), "2.5");
    EXPECT_EQ(ItemText(d, IDC_TEXT), "proton");
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_CHECK), 1u);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_RADIO3), 1u);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_RADIO1), 0u);
    // The combo box items come from the dialog's resources.
    EXPECT_EQ(d.SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT), 3);
    EXPECT_EQ(d.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 1);
    EXPECT_EQ(d.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 1);
    EXPECT_EQ(ItemText(d, IDC_LONG), "-70000");
    EXPECT_EQ(ItemText(d, IDC_FLOAT), "0.25");
    EXPECT_EQ(ItemText(d, IDC_EDIT_COMBO), "typed");

    d.SetDlgItemText(IDC_INT, " 9 ");
    d.SetDlgItemText(IDC_DOUBLE, "-0");
    d.SetDlgItemText(IDC_DOUBLE, "1.25e1");
    d.SetDlgItemText(IDC_TEXT, "carbon");
    d.CheckDlgButton(IDC_CHECK, 0);
    d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    d.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
    d.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    d.SetDlgItemText(IDC_UINT, "4000000000");
    d.SetDlgItemText(IDC_FLOAT, "1e-3");
    d.SetDlgItemText(IDC_EDIT_COMBO, "listed");
    Press(d, IDOK);
    checked = true;
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(m_messageBoxes.empty());
  EXPECT_EQ(dlg.m_int, 9);
  EXPECT_DOUBLE_EQ(dlg.m_double, 12.5);
  EXPECT_STREQ(dlg.m_text, "carbon");
  EXPECT_EQ(dlg.m_check, 0);
  EXPECT_EQ(dlg.m_radio, 0);
  EXPECT_EQ(dlg.m_combo, 2);
  EXPECT_STREQ(dlg.m_list, "First");
  EXPECT_EQ(dlg.m_uint, 4000000000u);
  EXPECT_FLOAT_EQ(dlg.m_float, 0.001f);
  EXPECT_STREQ(dlg.m_editCombo, "listed");
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// Presses OK with one field changed to text, then reports the box and the focus.
struct Refusal {
  std::string message;
  bool stillOpen = false;
  int focusId = 0;
};

Refusal PressOKWith(std::vector<RecordedMessageBox>& boxes, int nID, const char* text, int& result) {
  CValuesDialog dlg;
  Refusal refusal;
  AfxSetModalDialogHook([&](CDialog& d) {
    d.SetDlgItemText(nID, text);
    Press(d, IDOK);
    refusal.stillOpen = ::IsWindow(d.m_hWnd) && d.IsWindowVisible();
    refusal.focusId = ::GetDlgCtrlID(::GetFocus());
    Press(d, IDCANCEL);
  });
  size_t before = boxes.size();
  result = (int)dlg.DoModal();
  if (boxes.size() > before)
    refusal.message = boxes.back().text;
  return refusal;
}

TEST_F(DialogTest, OutOfRangeValueShowsTheRangeAndKeepsTheFieldFocused) {
  int result = 0;
  Refusal r = PressOKWith(m_messageBoxes, IDC_INT, "42", result);
  EXPECT_EQ(r.message, "Please enter an integer between 1 and 10.");
  EXPECT_NE(m_messageBoxes.back().type & MB_ICONEXCLAMATION, 0u);
  EXPECT_TRUE(r.stillOpen);
  EXPECT_EQ(r.focusId, IDC_INT);
  EXPECT_EQ(result, IDCANCEL);

  r = PressOKWith(m_messageBoxes, IDC_DOUBLE, "250", result);
  EXPECT_EQ(r.message, "Please enter a number between 0 and 100.");
  EXPECT_EQ(r.focusId, IDC_DOUBLE);

  r = PressOKWith(m_messageBoxes, IDC_TEXT, "a name far too long", result);
  EXPECT_EQ(r.message, "Enter no more than 12 characters.");
  EXPECT_EQ(r.focusId, IDC_TEXT);
}

TEST_F(DialogTest, TextThatIsNoNumberIsRefused) {
  int result = 0;
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_INT, "7x", result).message, "Please enter an integer.");
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_INT, "", result).message, "Please enter an integer.");
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_INT, "99999999999", result).message, "Please enter an integer.");
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_UINT, "-1", result).message, "Please enter a positive integer.");
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_DOUBLE, "1e999", result).message, "Please enter a number.");
  EXPECT_EQ(PressOKWith(m_messageBoxes, IDC_FLOAT, "1e39", result).message, "Please enter a number.");
  Refusal r = PressOKWith(m_messageBoxes, IDC_DOUBLE, "abc", result);
  EXPECT_EQ(r.focusId, IDC_DOUBLE);
  EXPECT_TRUE(r.stillOpen);
}

TEST_F(DialogTest, ModalLoopSendsKickIdleAndTheOwnerIsEnabledAgain) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  CValuesDialog dlg;
  dlg.m_pParentWnd = &owner;
  bool ownerDisabled = false;
  AfxSetModalDialogHook([&](CDialog&) { ownerDisabled = !owner.IsWindowEnabled(); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);  // ended by the first idle message
  EXPECT_GE(dlg.m_kickIdle, 1);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(DialogTest, KeyboardMovesBetweenControlsAndEscapeCancels) {
  CValuesDialog dlg;
  int focusAfterTab = 0;
  AfxSetModalDialogHook([&](CDialog& d) {
    d.GotoDlgCtrl(d.GetDlgItem(IDC_INT));
    PostKey(::GetFocus(), VK_TAB);
    focusAfterTab = ::GetDlgCtrlID(::GetFocus());
    PostKey(::GetFocus(), VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(focusAfterTab, IDC_DOUBLE);
  EXPECT_EQ(dlg.m_int, 5);  // nothing taken on Cancel
}

// A dialog whose accelerators give Ctrl+Break a command of its own.
class CBreakDialog : public CValuesDialog {
 public:
  static const UINT kBreakCommand = 32824;
  int m_nBreaks = 0;

 protected:
  void OnBreak() {
    m_nBreaks++;
    EndDialog(77);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBreakDialog, CValuesDialog)
  ON_COMMAND(kBreakCommand, OnBreak)
END_MESSAGE_MAP()

// The dialog's accelerator reaches its handler before the dialog manager
// takes Break for Cancel; a key the table does not hold (Escape) is still
// the dialog manager's.
TEST_F(DialogTest, TheDialogsAcceleratorsSendItsOwnCommands) {
  ACCEL accel = {FVIRTKEY | FCONTROL, VK_CANCEL, CBreakDialog::kBreakCommand};
  HACCEL hAccel = ::CreateAcceleratorTableA(&accel, 1);
  ASSERT_NE(nullptr, hAccel);
  for (UINT vk : {VK_CANCEL, VK_ESCAPE}) {
    CBreakDialog dlg;
    dlg.m_hAccelTable = hAccel;
    AfxSetModalDialogHook([&](CDialog& d) {
      d.GotoDlgCtrl(d.GetDlgItem(IDC_INT));
      PostKey(::GetFocus(), vk, vk == VK_CANCEL ? MK_CONTROL : 0);
    });
    EXPECT_EQ(vk == VK_CANCEL ? 77 : IDCANCEL, dlg.DoModal()) << vk;
    EXPECT_EQ(vk == VK_CANCEL ? 1 : 0, dlg.m_nBreaks) << vk;
  }
  ::DestroyAcceleratorTable(hAccel);
}

TEST_F(DialogTest, MissingTemplateOrAWindowAlreadyOpenFailsTheModalRun) {
  CDialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(missing.m_hWnd, nullptr);

  CDialog open(IDD_MODELESS);
  ASSERT_TRUE(open.Create(IDD_MODELESS));
  EXPECT_EQ(open.DoModal(), -1);
  EXPECT_TRUE(::IsWindow(open.m_hWnd));  // the window it shows is left alone
}

// Destroys its own window from inside its modal loop, without ending the loop.
class CVanishingDialog : public CDialog {
 public:
  CVanishingDialog() : CDialog(IDD_MODELESS) {}

 protected:
  LRESULT OnVanish(WPARAM, LPARAM) {
    DestroyWindow();
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CVanishingDialog, CDialog)
  ON_MESSAGE(WM_USER + 77, OnVanish)
END_MESSAGE_MAP()

TEST_F(DialogTest, ModalDialogWhoseWindowIsDestroyedEndsItsLoop) {
  CVanishingDialog dlg;
  AfxSetModalDialogHook([](CDialog& d) { d.PostMessage(WM_USER + 77); });
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

class CSelfDeletingDialog : public CDialog {
 public:
  static int s_deleted;
  CSelfDeletingDialog() : CDialog(IDD_MODELESS) {}
  ~CSelfDeletingDialog() override { ++s_deleted; }

 protected:
  void OnOK() override {
    if (UpdateData(TRUE))
      DestroyWindow();
  }
  void OnCancel() override { DestroyWindow(); }
  void PostNcDestroy() override { delete this; }
};

int CSelfDeletingDialog::s_deleted = 0;

TEST_F(DialogTest, ModelessDialogDeletesItselfExactlyOnce) {
  CSelfDeletingDialog::s_deleted = 0;
  auto* dlg = new CSelfDeletingDialog;
  ASSERT_TRUE(dlg->Create(IDD_MODELESS));
  HWND hWnd = dlg->m_hWnd;
  dlg->ShowWindow(SW_SHOW);
  ::SendMessageA(hWnd, WM_CLOSE, 0, 0);  // the close box
  PumpPending();
  EXPECT_EQ(CSelfDeletingDialog::s_deleted, 1);
  EXPECT_FALSE(::IsWindow(hWnd));

  dlg = new CSelfDeletingDialog;
  ASSERT_TRUE(dlg->Create(IDD_MODELESS));
  hWnd = dlg->m_hWnd;
  Press(*dlg, IDOK);
  PumpPending();
  EXPECT_EQ(CSelfDeletingDialog::s_deleted, 2);
  EXPECT_FALSE(::IsWindow(hWnd));
}

// Controls bound to dialog items that act on their own notifications.
class CClickButton : public CButton {
 public:
  int m_clicks = 0;
  int m_ticks = 0;
  WPARAM m_repeatValue = 0;

 protected:
  void OnClicked() { ++m_clicks; }
  void OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == 1)
      ++m_ticks;
  }
  LRESULT OnRepeat(WPARAM wParam, LPARAM) {
    m_repeatValue = wParam;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickButton, CButton)
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
  ON_WM_TIMER()
  ON_MESSAGE(WM_USER + 10, OnRepeat)
END_MESSAGE_MAP()

class CChangeEdit : public CEdit {
 public:
  int m_changes = 0;

 protected:
  void OnChange() { ++m_changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChangeEdit, CEdit)
  ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

class CLinkedSlider : public CSliderCtrl {
 public:
  UINT m_lastCode = 0xFFFF;
  UINT m_lastPos = 0;

 protected:
  void HScroll(UINT nSBCode, UINT nPos) {
    m_lastCode = nSBCode;
    m_lastPos = nPos;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLinkedSlider, CSliderCtrl)
  ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class CRedLabel : public CStatic {
 public:
  CBrush m_brush{RGB(255, 0, 0)};

 protected:
  HBRUSH CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(RGB(255, 255, 255));
    return m_brush;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRedLabel, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CReflectDialog : public CDialog {
 public:
  CReflectDialog() : CDialog(IDD_REFLECT) {}
  CClickButton m_button;
  CChangeEdit m_edit;
  CLinkedSlider m_slider;
  CRedLabel m_label;
  int m_parentClicks = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_BUTTON, m_button);
    DDX_Control(pDX, IDC_TEXT, m_edit);
    DDX_Control(pDX, IDC_SLIDER, m_slider);
    DDX_Control(pDX, IDC_CHECK, m_label);
  }
  void OnButton() { ++m_parentClicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectDialog, CDialog)
  ON_BN_CLICKED(IDC_BUTTON, OnButton)
END_MESSAGE_MAP()

TEST_F(DialogTest, ControlsBoundToItemsReceiveTheirReflectedNotifications) {
  CReflectDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_REFLECT));
  ASSERT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_BUTTON)), &dlg.m_button);

  dlg.m_button.SendMessage(BM_CLICK);
  EXPECT_EQ(dlg.m_button.m_clicks, 1);
  EXPECT_EQ(dlg.m_parentClicks, 0);  // the button took it

  // The bound control's own timer and private message reach its handlers.
  ASSERT_EQ(dlg.m_button.SetTimer(1, 10), 1u);
  ASSERT_TRUE(PumpUntil([&] { return dlg.m_button.m_ticks >= 1; }));
  dlg.m_button.KillTimer(1);
  ASSERT_TRUE(dlg.m_button.PostMessage(WM_USER + 10, 1228));
  ASSERT_TRUE(PumpUntil([&] { return dlg.m_button.m_repeatValue != 0; }));
  EXPECT_EQ(dlg.m_button.m_repeatValue, 1228u);

  dlg.m_edit.SetWindowText("12");
  EXPECT_GE(dlg.m_edit.m_changes, 1);

  dlg.m_slider.SetRange(0, 100);
  dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 37), (LPARAM)dlg.m_slider.m_hWnd);
  EXPECT_EQ(dlg.m_slider.m_lastCode, (UINT)TB_THUMBTRACK);
  EXPECT_EQ(dlg.m_slider.m_lastPos, 37u);

  HDC hDC = ::GetDC(dlg.m_label.m_hWnd);
  LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)dlg.m_label.m_hWnd);
  EXPECT_EQ((HBRUSH)brush, (HBRUSH)dlg.m_label.m_brush);
  EXPECT_EQ(::GetTextColor(hDC), RGB(255, 255, 255));
  ::ReleaseDC(dlg.m_label.m_hWnd, hDC);

  // A second exchange leaves the bound controls alone.
  EXPECT_TRUE(dlg.UpdateData(FALSE));
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);
}

// A dialog with a background of its own that leaves its controls' colours to them.
class CTintedDialog : public CReflectDialog {
 public:
  CBrush m_background{RGB(0, 0, 128)};
  UINT m_lastKind = 99;

 protected:
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH hbr = CReflectDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    m_lastKind = nCtlColor;
    return nCtlColor == CTLCOLOR_DLG ? (HBRUSH)m_background : hbr;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTintedDialog, CReflectDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(DialogTest, ColourHandlerSeesTheKindAndBaseHandlingAsksTheControl) {
  CTintedDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_REFLECT));
  HDC hDC = ::GetDC(dlg.m_hWnd);
  EXPECT_EQ((HBRUSH)dlg.SendMessage(WM_CTLCOLORDLG, (WPARAM)hDC, (LPARAM)dlg.m_hWnd), (HBRUSH)dlg.m_background);
  EXPECT_EQ(dlg.m_lastKind, (UINT)CTLCOLOR_DLG);
  EXPECT_EQ((HBRUSH)dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)dlg.m_label.m_hWnd),
            (HBRUSH)dlg.m_label.m_brush);
  EXPECT_EQ(dlg.m_lastKind, (UINT)CTLCOLOR_STATIC);
  ::ReleaseDC(dlg.m_hWnd, hDC);
  dlg.DestroyWindow();
}

}  // namespace
