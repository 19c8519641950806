// The export dialogs and the JCAMP-DX wait window, run as real windows.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/win/UiHooks.h"
#include "onedim/model/AxisScale.h"
#include "onedim/export/AsciiExport.h"
#include "onedim/dialogs/files/AsciiExportDialogs.h"
#include "onedim/dialogs/files/ExportAsciiDialog.h"
#include "onedim/dialogs/files/ExportOptionsDialog.h"
#include "onedim/dialogs/files/FileExportDialog.h"
#include "onedim/dialogs/files/JcampWaitDialog.h"
#include "onedim/model/Spectrum.h"

namespace {

class ExportDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxSetMessageBoxHook([this](HWND, LPCSTR text, LPCSTR, UINT) {
      m_boxes.push_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    AfxSetMessageBoxHook(nullptr);
    AfxSetModalDialogHook(nullptr);
  }

  static void Press(CDialog& d, int nID) {
    d.PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, nID));
  }
  static std::string ComboText(CDialog& d, int nID) {
    char text[64] = "";
    int nSel = (int)d.SendDlgItemMessage(nID, CB_GETCURSEL);
    if (nSel >= 0)
      d.SendDlgItemMessage(nID, CB_GETLBTEXT, (WPARAM)nSel, (LPARAM)text);
    return text;
  }

  std::vector<std::string> m_boxes;
};

TEST_F(ExportDialogsTest, ExportAsciiPreselectsTheSpectrumUnitsAndReturnsTheChosenOne) {
  CExportAsciiDialog dlg;
  dlg.m_nUnits = AXIS_UNITS_PPM;
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ(ComboText(d, 1315), "ppm");
    EXPECT_EQ(d.SendDlgItemMessage(1315, CB_GETCOUNT), 4);
    EXPECT_EQ(d.IsDlgButtonChecked(1316), 1u);
    EXPECT_EQ(d.IsDlgButtonChecked(1044), 1u);
    d.SendDlgItemMessage(1315, CB_SETCURSEL, 2);  // "Hertz"
    d.CheckRadioButton(1044, 1045, 1045);
    d.CheckDlgButton(1316, 0);
    Press(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nUnits, AXIS_UNITS_HZ);
  EXPECT_EQ(dlg.m_nComplex, 1);
  EXPECT_EQ(dlg.m_bTitle, 0);

  // Each entry gives its unit code; points preselect "Points".
  const char* names[] = {"Seconds", "ppm", "Hertz", "Points"};
  const int codes[] = {1, 3, 2, 0};
  for (int i = 0; i < 4; i++) {
    CExportAsciiDialog each;
    each.m_nUnits = AXIS_UNITS_POINTS;
    AfxSetModalDialogHook([&](CDialog& d) {
      EXPECT_EQ(ComboText(d, 1315), "Points");
      d.SendDlgItemMessage(1315, CB_SETCURSEL, (WPARAM)i);
      EXPECT_EQ(ComboText(d, 1315), names[i]);
      Press(d, IDOK);
    });
    ASSERT_EQ(each.DoModal(), IDOK);
    EXPECT_EQ(each.m_nUnits, codes[i]) << names[i];
  }
}

TEST_F(ExportDialogsTest, ExportOptionsRefusesMoreThanFiveDecimals) {
  CExportOptionsDialog dlg;
  bool bStillOpen = false;
  AfxSetModalDialogHook([&](CDialog& d) {
    d.SetDlgItemText(1275, "6");
    d.CheckRadioButton(1244, 1245, 1245);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
    bStillOpen = ::IsWindow(d.m_hWnd) && ::IsWindowVisible(d.m_hWnd);
    d.SetDlgItemText(1275, "3");
    Press(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(bStillOpen);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0], "Please enter an integer between 0 and 5.");
  EXPECT_EQ(dlg.m_nDecimals, 3);
  EXPECT_EQ(dlg.m_nSeparator, 1);
}

// The type combo of the system's dialog is switched as a user would.
void ChooseType(CDialog& d, int nIndex) {
  HWND hWndSystem = ::GetParent(d.m_hWnd);
  ::SendDlgItemMessageA(hWndSystem, 1136, CB_SETCURSEL, (WPARAM)nIndex, 0);
  for (UINT code : {CBN_SELCHANGE, CBN_SELENDOK})
    ::SendMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(1136, code), (LPARAM)::GetDlgItem(hWndSystem, 1136));
}

std::string FileNameField(CDialog& d) {
  char name[260] = "";
  ::SendMessageA(::GetParent(d.m_hWnd), CDM_GETSPEC, sizeof(name), (LPARAM)name);
  return name;
}

TEST_F(ExportDialogsTest, SaveDialogKeepsTheExtensionOfTheChosenType) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  CFileExportDialog dlg("Save As ASCII file", "ASCII (*.txt)|Comma separated (*.csv)", "data.old.txt");
  dlg.m_ofn.lpstrInitialDir = folder;
  EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CFileExportDialog)));
  std::string caption, afterSwitch, afterPlainName;
  AfxSetModalDialogHook([&](CDialog& d) {
    char text[128] = "";
    ::GetWindowTextA(::GetParent(d.m_hWnd), text, sizeof(text));
    caption = text;
    ChooseType(d, 1);
    afterSwitch = FileNameField(d);
    dlg.SetControlText(1152, "data");
    dlg.SetControlText(1148, "data");
    ChooseType(d, 0);
    afterPlainName = FileNameField(d);
    ChooseType(d, 1);
    HWND hWndSystem = ::GetParent(d.m_hWnd);
    ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, IDOK));
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(caption, "Save As ASCII file");
  EXPECT_EQ(afterSwitch, "data.csv");
  EXPECT_EQ(afterPlainName, "data.txt");
  EXPECT_STREQ(dlg.GetFileName(), "data.csv");
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
}

TEST_F(ExportDialogsTest, ExportCommandAsksForTheFileThenTheOptions) {
  CSpectrum s;
  s.m_paramsA.td = 4;
  s.m_paramsA.title = "t";
  s.m_pData = CSpectrum::AllocateFloats(4);
  s.m_pData[2] = 2.5f;
  s.m_Scale.m_nUnits = AXIS_UNITS_POINTS;
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  std::string path = std::string(folder) + "export_dialogs_test.txt";
  std::remove(path.c_str());

  CAsciiExportDialogs dialogs;
  int nDialog = 0;
  AfxSetModalDialogHook([&](CDialog& d) {
    if (nDialog++ == 0) {
      static_cast<CFileDialog&>(d).SetControlText(1152, path.c_str());
      static_cast<CFileDialog&>(d).SetControlText(1148, path.c_str());
      HWND hWndSystem = ::GetParent(d.m_hWnd);
      ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, IDOK));
    } else {
      EXPECT_FALSE(std::ifstream(path).good());  // not created before the options
      Press(d, IDOK);
    }
  });
  ASSERT_TRUE(ExportAscii(s, dialogs));
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  in.close();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[3], "Title:t");
  EXPECT_EQ(lines[10], "0\t0.0000");
  EXPECT_EQ(lines[11], "1\t2.5000");
  std::remove(path.c_str());
}

TEST_F(ExportDialogsTest, WaitWindowShowsWhileOpen) {
  CJcampWaitDialog wait;
  ASSERT_TRUE(wait.Create(nullptr));
  char caption[64] = "";
  ::GetWindowTextA(wait.m_hWnd, caption, sizeof(caption));
  EXPECT_STREQ(caption, "Importing JCAMP-DX");
  EXPECT_TRUE(::IsWindowVisible(wait.m_hWnd));
  HWND hWndAnimation = ::GetDlgItem(wait.m_hWnd, 1087);
  ASSERT_NE(hWndAnimation, nullptr);
  // The animation resource is there and the control can play it.
  EXPECT_FALSE(::SendMessageA(hWndAnimation, ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(226)));
  EXPECT_TRUE(::SendMessageA(hWndAnimation, ACM_OPENA, 0, (LPARAM)MAKEINTRESOURCEA(225)));
  EXPECT_TRUE(::SendMessageA(hWndAnimation, ACM_PLAY, (WPARAM)-1, MAKELONG(0, 0xFFFF)));
  wait.DestroyWindow();
  EXPECT_EQ(wait.m_hWnd, nullptr);
}

}  // namespace
