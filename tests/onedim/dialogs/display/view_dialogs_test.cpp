// Set Limits, Layout Options and Add Text: what they show, what OK gives
// back, and the limits no range of the data can have.
#include <string>

#include "controls/ColourPicker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/display/AddTextDialog.h"
#include "onedim/dialogs/display/LayoutOptionsDlg.h"
#include "onedim/dialogs/display/SetLimitsDlg.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

class ViewDialogsTest : public WindowTest {
 protected:
  static void Click(CDialog& d, int id) {
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, id));
  }
};

TEST_F(ViewDialogsTest, SetLimitsTakesWhatAtofReadsAndRefusesOnlyEqualLimits) {
  struct Case {
    const char* from;
    const char* to;
    int nFocus;  // 0: taken
  } cases[] = {
      {"4", "4", IDC_LIMITS_TO},  // an axis of no width
      {"4.0", "4", IDC_LIMITS_TO},
      {"abc", "", IDC_LIMITS_TO},  // both read as 0
      {"8", "2", 0},               // either order
      {"20", "30", 0},             // beyond the data: the caller clamps
      {"-3", "50", 0},
      {"1e999", "5", 0},  // what the caller cannot convert it refuses itself
      {"123456789012345678901234567890123", "5", 0},
      {"abc", "3", 0},  // not a number reads as 0
  };
  for (const Case& c : cases) {
    CSetLimitsDlg dlg;
    dlg.m_nUnits = 3;
    dlg.m_dFrom = 9.5;
    dlg.m_dTo = 0.25;
    std::string shown[3];
    HWND focus = nullptr;
    AfxSetModalDialogHook([&](CDialog& d) {
      shown[0] = TextOf(::GetDlgItem(d.m_hWnd, IDC_LIMITS_FROM));
      shown[1] = TextOf(::GetDlgItem(d.m_hWnd, IDC_LIMITS_TO));
      shown[2] = TextOf(::GetDlgItem(d.m_hWnd, IDC_LIMITS_UNITS));
      m_messageBoxes.clear();
      ::SetDlgItemTextA(d.m_hWnd, IDC_LIMITS_FROM, c.from);
      ::SetDlgItemTextA(d.m_hWnd, IDC_LIMITS_TO, c.to);
      Click(d, IDOK);
      focus = ::GetFocus();
      if (c.nFocus != 0) {
        ASSERT_EQ(1u, m_messageBoxes.size()) << c.from << " " << c.to;
        EXPECT_EQ("Please enter two different limits.", m_messageBoxes[0].text);
        EXPECT_EQ(::GetDlgItem(d.m_hWnd, c.nFocus), focus) << c.from << " " << c.to;
        Click(d, IDCANCEL);
      }
    });
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ("9.50", shown[0]);
    EXPECT_EQ("0.25", shown[1]);
    EXPECT_EQ("Units: ppm", shown[2]);
    if (c.nFocus != 0) {
      EXPECT_EQ(IDCANCEL, result);
      EXPECT_EQ(9.5, dlg.m_dFrom) << "nothing taken";
    } else {
      EXPECT_EQ(IDOK, result) << c.from << " " << c.to;
      EXPECT_EQ(atof(c.from), dlg.m_dFrom);
      EXPECT_EQ(atof(c.to), dlg.m_dTo);
    }
  }
}

TEST_F(ViewDialogsTest, LayoutOptionsStoresTheValuesShownAndTheCheckDisablesThem) {
  CLayoutOptionsDlg dlg;
  dlg.m_nDirection = 1;
  BOOL bEnabledAuto = TRUE, bEnabledManual = FALSE;
  int nItems = 0, nSelected = -1;
  AfxSetModalDialogHook([&](CDialog& d) {
    HWND type = ::GetDlgItem(d.m_hWnd, IDC_LAYOUT_TYPE);
    nItems = (int)::SendMessageA(type, CB_GETCOUNT, 0, 0);
    nSelected = (int)::SendMessageA(type, CB_GETCURSEL, 0, 0);
    EXPECT_EQ("50.0", TextOf(::GetDlgItem(d.m_hWnd, IDC_LAYOUT_ORIGIN_Y)));
    Click(d, IDC_LAYOUT_AUTO);
    bEnabledAuto = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_LAYOUT_STEP_X));
    Click(d, IDC_LAYOUT_AUTO);
    bEnabledManual = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_LAYOUT_STEP_X));
    Click(d, IDC_LAYOUT_AUTO);  // automatic again: the values are still taken
    ::SendMessageA(type, CB_SETCURSEL, 0, 0);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LAYOUT_TYPE, CBN_SELCHANGE), (LPARAM)type);
    ::SetDlgItemTextA(d.m_hWnd, IDC_LAYOUT_ORIGIN_X, "12.5");
    ::SetDlgItemTextA(d.m_hWnd, IDC_LAYOUT_STEP_Y, "x");
    Click(d, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(2, nItems);
  EXPECT_EQ(1, nSelected);
  EXPECT_FALSE(bEnabledAuto);
  EXPECT_TRUE(bEnabledManual);
  EXPECT_EQ(0, dlg.m_nDirection);
  EXPECT_EQ(1, dlg.m_bAutomatic);
  EXPECT_EQ(12.5, dlg.m_dOriginX);
  EXPECT_EQ(50.0, dlg.m_dOriginY);
  EXPECT_EQ(20.0, dlg.m_dStepX);
  EXPECT_EQ(0.0, dlg.m_dStepY);
}

INT_PTR CALLBACK TemplateOnlyProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// The template as the resources hold it, before the dialog puts its own
// text in: the text field's caption is the hint "Enter text here".
TEST_F(ViewDialogsTest, TheAddTextTemplateCaptionsItsTextField) {
  HWND hWnd =
      ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDD_ADD_TEXT), nullptr, &TemplateOnlyProc, 0);
  ASSERT_NE(nullptr, hWnd);
  EXPECT_EQ("Add Text", TextOf(hWnd));
  EXPECT_EQ("Enter text here", TextOf(::GetDlgItem(hWnd, IDC_TEXT_TEXT)));
  char cls[16] = "";
  ::GetClassNameA(::GetDlgItem(hWnd, IDC_TEXT_TEXT), cls, sizeof cls);
  EXPECT_STREQ("Edit", cls);
  EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(hWnd, IDC_TEXT_TEXT), GWL_STYLE) & ES_MULTILINE);
  ::DestroyWindow(hWnd);
}

TEST_F(ViewDialogsTest, AddTextMakesANewAttachedLabelOrChangesTheOneEdited) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 64, [](int) { return 0.0f; });
  s->m_nFirst = 0;
  s->m_nLast = 64;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = 640;

  std::string text, sampleFace;
  AfxSetModalDialogHook([&](CDialog& d) {
    text = TextOf(::GetDlgItem(d.m_hWnd, IDC_TEXT_TEXT));
    EXPECT_EQ("12", TextOf(::GetDlgItem(d.m_hWnd, IDC_TEXT_SIZE)));
    EXPECT_TRUE(::IsDlgButtonChecked(d.m_hWnd, IDC_TEXT_CENTER));
    EXPECT_TRUE(::IsDlgButtonChecked(d.m_hWnd, IDC_TEXT_ATTACH));
    ::SetDlgItemTextA(d.m_hWnd, IDC_TEXT_TEXT, "Aspirin");
    ::SetDlgItemTextA(d.m_hWnd, IDC_TEXT_SIZE, "20");
    ::CheckDlgButton(d.m_hWnd, IDC_TEXT_BOLD, BST_CHECKED);
    ::CheckRadioButton(d.m_hWnd, IDC_TEXT_LEFT, IDC_TEXT_RIGHT, IDC_TEXT_RIGHT);
    auto* picker = static_cast<CColourPicker*>(CWnd::FromHandlePermanent(::GetDlgItem(d.m_hWnd, IDC_TEXT_COLOUR)));
    picker->SetColour(RGB(255, 0, 0));
    Click(d, IDC_TEXT_BOLD);  // the sample follows the box
    Click(d, IDC_TEXT_BOLD);
    sampleFace = TextOf(::GetDlgItem(d.m_hWnd, IDC_TEXT_SAMPLE));
    Click(d, IDOK);
  });
  CAddTextDialog added(nullptr);
  ASSERT_EQ(IDOK, added.DoModal());
  EXPECT_EQ("Your text here", text);
  EXPECT_EQ("Aspirin", sampleFace);
  CTextLabel* label = added.Apply(nullptr, s);
  ASSERT_NE(nullptr, label);
  ASSERT_EQ(1, s->m_arrLabels.GetSize());
  EXPECT_STREQ("Aspirin", label->m_strText);
  EXPECT_EQ(20, label->m_lf.lfHeight);
  EXPECT_EQ(20, label->m_nBaseHeight);
  EXPECT_EQ(700, label->m_lf.lfWeight);
  EXPECT_EQ(RGB(255, 0, 0), label->m_crText);
  EXPECT_EQ(TEXT_ALIGN_RIGHT, label->m_nAlign);
  EXPECT_TRUE(label->m_bAttached);
  EXPECT_EQ(10, label->m_x);  // pixel 100 of 640 over 64 floats
  EXPECT_EQ(100, label->m_y);

  // Editing: the label's own values are shown; letting it go keeps it in place.
  AfxSetModalDialogHook([&](CDialog& d) {
    text = TextOf(::GetDlgItem(d.m_hWnd, IDC_TEXT_TEXT));
    EXPECT_EQ("20", TextOf(::GetDlgItem(d.m_hWnd, IDC_TEXT_SIZE)));
    EXPECT_TRUE(::IsDlgButtonChecked(d.m_hWnd, IDC_TEXT_BOLD));
    EXPECT_TRUE(::IsDlgButtonChecked(d.m_hWnd, IDC_TEXT_RIGHT));
    ::CheckDlgButton(d.m_hWnd, IDC_TEXT_ATTACH, BST_UNCHECKED);
    ::SetDlgItemTextA(d.m_hWnd, IDC_TEXT_TEXT, "");
    Click(d, IDOK);
  });
  CAddTextDialog edited(label);
  ASSERT_EQ(IDOK, edited.DoModal());
  EXPECT_EQ("Aspirin", text);
  EXPECT_EQ(label, edited.Apply(label, s));
  EXPECT_EQ(1, s->m_arrLabels.GetSize());
  EXPECT_STREQ("", label->m_strText);  // empty, but still there to delete
  EXPECT_FALSE(label->m_bAttached);
  EXPECT_EQ(100, label->m_x);
}

}  // namespace
