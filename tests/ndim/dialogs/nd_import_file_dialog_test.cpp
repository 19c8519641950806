// The nD program's Import file dialog under Wine: its four types, the type it
// opens on, and a choice that counts at once, even when it is cancelled.
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "ndim/dialogs/NdImportFileDialog.h"

#include <dlgs.h>  // the system dialog's control ids

namespace {

class NdImportFileDialogTest : public WindowTest {
 protected:
  // Runs the dialog, acting on it once it is up, then cancels it.
  void RunAndCancel(CNdImportFileDialog& dlg, const std::function<void(CDialog&)>& act) {
    bool bActed = false;
    AfxSetModalDialogHook([&](CDialog& d) {
      bActed = true;
      act(d);
      HWND hWndSystem = ::GetParent(d.m_hWnd);
      ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     (LPARAM)::GetDlgItem(hWndSystem, IDCANCEL));
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bActed);
  }
  static int Selected(CDialog& d) { return (int)d.SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_GETCURSEL); }
};

}  // namespace

TEST_F(NdImportFileDialogTest, OpensWithTheFourTypesInPlaceOfTheSystemsOwnChoice) {
  // The type it opens on, and what it selects: a type outside the list
  // (the program's own format, or a detection result) selects none.
  const int cases[][2] = {{0, 0}, {3, 3}, {4, CB_ERR}, {-1, CB_ERR}};
  for (const auto& c : cases) {
    int type = c[0];
    CNdImportFileDialog dlg(type);
    RunAndCancel(dlg, [&](CDialog& d) {
      HWND hWndSystem = ::GetParent(d.m_hWnd);
      EXPECT_EQ("Import file", TextOf(hWndSystem));
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hWndSystem, cmb1)));
      EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hWndSystem, stc2)));
      EXPECT_EQ("Select File Type:", TextOf(::GetDlgItem(d.m_hWnd, IDC_ND_IMPORT_TYPE_LABEL)));
      std::vector<std::string> names;
      for (int i = 0; i < (int)d.SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_GETCOUNT); ++i) {
        char text[64] = "";
        d.SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
        names.push_back(text);
      }
      EXPECT_EQ((std::vector<std::string>{"Automatic", "Bruker UXNMR/XWIN-NMR", "Bruker Aspect 2000/3000", "Varian"}),
                names);
      EXPECT_EQ(c[1], Selected(d)) << c[0];
    });
    EXPECT_EQ(c[0], type) << "opening changes nothing";
  }
}

TEST_F(NdImportFileDialogTest, AChosenTypeCountsAtOnceEvenWhenCancelled) {
  int type = 0;
  CNdImportFileDialog dlg(type);
  RunAndCancel(dlg, [&](CDialog& d) {
    d.SendDlgItemMessage(IDC_ND_IMPORT_FILE_TYPE, CB_SETCURSEL, 2);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ND_IMPORT_FILE_TYPE, CBN_SELCHANGE),
                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_ND_IMPORT_FILE_TYPE));
    EXPECT_EQ(2, type);
  });
  EXPECT_EQ(2, type);
}
