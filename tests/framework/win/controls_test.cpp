// Control wrappers, menus and the common dialogs, driven through the
// modal-dialog hook the way a user would drive them.
#include "framework/win/WindowTest.h"

#include <string>
#include <vector>

#include <dlgs.h>

#include "TestRes.h"
#include "framework/win/CommonControls.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/Controls.h"
#include "framework/win/ImageList.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

namespace {

class ControlsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(
        m_parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  CWnd m_parent;
};

TEST_F(ControlsTest, ListAndComboTextComesBackWhole) {
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 100), &m_parent, 1));
  std::string longText(600, 'x');
  list.AddString("short");
  list.AddString(longText.c_str());
  CString text;
  list.GetText(1, text);
  EXPECT_EQ(text.GetLength(), 600);
  list.GetText(7, text);  // no such item
  EXPECT_TRUE(text.IsEmpty());

  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &m_parent, 2));
  combo.AddString("Hz");
  combo.AddString("ppm");
  EXPECT_EQ(combo.SelectString(-1, "pp"), 1);
  combo.GetLBText(combo.GetCurSel(), text);
  EXPECT_STREQ(text, "ppm");
}

TEST_F(ControlsTest, ListViewTextLongerThanAFirstGuessIsReadWhole) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_parent, 3));
  EXPECT_EQ(list.InsertColumn(0, "Peak", LVCFMT_LEFT, 100), 0);
  EXPECT_EQ(list.InsertColumn(1, "Note", LVCFMT_LEFT, 100), 1);
  ASSERT_EQ(list.InsertItem(0, "1"), 0);
  std::string note(700, 'n');
  EXPECT_TRUE(list.SetItemText(0, 1, note.c_str()));
  EXPECT_EQ(std::string(list.GetItemText(0, 1)), note);
  EXPECT_TRUE(list.SetItemData(0, 0xBEEF));
  EXPECT_EQ(list.GetItemData(0), 0xBEEFu);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);
  list.SetCheck(0, TRUE);
  EXPECT_TRUE(list.GetCheck(0));
}

TEST_F(ControlsTest, SpinSliderProgressAndTabsKeepTheirState) {
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT, CRect(0, 0, 20, 20), &m_parent, 4));
  spin.SetRange(-100000, 100000);
  spin.SetPos(-70000);
  EXPECT_EQ(spin.GetPos(), -70000);
  int lo = 0, hi = 0;
  spin.GetRange(lo, hi);
  EXPECT_EQ(lo, -100000);
  EXPECT_EQ(hi, 100000);

  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_CHILD | TBS_HORZ, CRect(0, 30, 100, 50), &m_parent, 5));
  slider.SetRange(10, 500);
  slider.SetPos(600);
  EXPECT_EQ(slider.GetPos(), 500);

  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_CHILD, CRect(0, 60, 100, 70), &m_parent, 6));
  progress.SetRange32(0, 1000);
  progress.SetPos(250);
  progress.SetStep(100);
  progress.StepIt();
  EXPECT_EQ(progress.GetPos(), 350);

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD, CRect(0, 80, 200, 120), &m_parent, 7));
  tabs.InsertItem(0, "1D");
  tabs.InsertItem(1, "2D");
  EXPECT_EQ(tabs.GetItemCount(), 2);
  tabs.SetCurSel(1);
  EXPECT_EQ(tabs.GetCurSel(), 1);
}

TEST_F(ControlsTest, ToolTipAndImageList) {
  CButton button;
  ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &m_parent, 8));
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&m_parent));
  EXPECT_TRUE(tip.AddTool(&button, "Start the transform"));
  EXPECT_EQ(tip.GetToolCount(), 1);
  tip.DelTool(&button);
  EXPECT_EQ(tip.GetToolCount(), 0);

  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
  EXPECT_EQ(images.Add(::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION)), 0);
  EXPECT_EQ(images.GetImageCount(), 1);
  HIMAGELIST handle = images.m_hImageList;
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD, CRect(0, 0, 100, 30), &m_parent, 9));
  EXPECT_EQ(nullptr, tabs.SetImageList(&images)) << "the tabs had no image list before";
  EXPECT_EQ(handle, (HIMAGELIST)tabs.SendMessage(TCM_GETIMAGELIST)) << "the tabs took the list";
  CImageList* pOld = tabs.SetImageList(nullptr);
  ASSERT_NE(nullptr, pOld);
  EXPECT_EQ(handle, pOld->m_hImageList) << "the list taken back is the one given";
  EXPECT_EQ(pOld, CImageList::FromHandle(handle)) << "one wrapper for one handle";
  EXPECT_EQ(nullptr, (HIMAGELIST)tabs.SendMessage(TCM_GETIMAGELIST));
}

TEST_F(ControlsTest, MenuLoadedFromResourcesAndWrappersThatDoNotOwn) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_FRAME));
  CMenu* test = menu.GetSubMenu(1);
  ASSERT_NE(test, nullptr);
  CString text;
  test->GetMenuString(ID_TEST_TOGGLE, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Toggle\tCtrl+T");
  EXPECT_EQ(test->GetMenuItemID(0), (UINT)ID_TEST_VIEW);
  EXPECT_EQ(test->GetMenuItemID(6), (UINT)-1);  // the nested pop-up
  HMENU hSub = test->m_hMenu;
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsMenu(hSub));  // the wrapper of the pop-up did not destroy it

  ASSERT_TRUE(m_parent.SetMenu(&menu));
  HMENU hMenu = menu.Detach();  // the window owns it now
  EXPECT_EQ(m_parent.GetMenu()->m_hMenu, hMenu);
}

TEST_F(ControlsTest, PopupMenuReturnsTheChosenCommand) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_FRAME));
  CMenu* popup = menu.GetSubMenu(1);
  m_parent.SetForegroundWindow();
  // Keys waiting in the queue drive the menu's own loop: down to the second entry, Enter.
  for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    ::PostMessageA(m_parent.m_hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(m_parent.m_hWnd, WM_KEYUP, vk, 0xC0000001);
  }
  UINT chosen = popup->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, 50, 50, &m_parent);
  EXPECT_EQ(chosen, (UINT)ID_TEST_DOC);
}

// A file dialog with a template of its own below the system's controls.
class CKindFileDialog : public CFileDialog {
 public:
  CKindFileDialog(LPCSTR lpszFilter)
      : CFileDialog(TRUE, "txt", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT, lpszFilter) {}
  int m_typeChanges = 0;
  DWORD m_filterIndexSeen = 0;

 protected:
  BOOL OnInitDialog() override {
    SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM) "Bruker");
    SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM) "Varian");
    return CFileDialog::OnInitDialog();
  }
  void OnTypeChange() override {
    ++m_typeChanges;
    m_filterIndexSeen = m_ofn.nFilterIndex;
  }
};

std::string MakeTempFolder() {
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  std::string folder = std::string(base) + "brivane_fd_" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"a.txt", "b.txt"}) {
    HANDLE h = ::CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
  }
  return folder;
}

void SetFileNameField(CFileDialog& dlg, LPCSTR text) {
  dlg.SetControlText(edt1, text);
  dlg.SetControlText(cmb13, text);
}

void PressSystemButton(CDialog& dlg, int nID) {
  HWND hWndSystem = ::GetParent(dlg.m_hWnd);
  ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, nID));
}

TEST_F(ControlsTest, FileDialogReturnsSeveralChosenFilesAndReportsTypeChanges) {
  std::string folder = MakeTempFolder();
  CKindFileDialog dlg("Text (*.txt)|*.txt|All files (*.*)|*.*||");
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  dlg.m_ofn.Flags |= OFN_ENABLETEMPLATE;
  dlg.m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_FILE_CHILD);
  int comboItems = -1;
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ(&d, &dlg);
    comboItems = (int)d.SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT);
    HWND hWndSystem = ::GetParent(d.m_hWnd);
    ::SendDlgItemMessageA(hWndSystem, cmb1, CB_SETCURSEL, 1, 0);
    for (UINT code : {CBN_SELCHANGE, CBN_SELENDOK})
      ::SendMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(cmb1, code), (LPARAM)::GetDlgItem(hWndSystem, cmb1));
    SetFileNameField(dlg, "\"a.txt\" \"b.txt\"");
    PressSystemButton(d, IDOK);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(comboItems, 2);
  EXPECT_GE(dlg.m_typeChanges, 1);
  EXPECT_EQ(dlg.m_filterIndexSeen, 2u);
  std::vector<std::string> paths;
  for (POSITION pos = dlg.GetStartPosition(); pos != nullptr;)
    paths.push_back(std::string(dlg.GetNextPathName(pos)));
  ASSERT_EQ(paths.size(), 2u);
  std::string lower0 = paths[0], lower1 = paths[1];
  EXPECT_NE(lower0.find("a.txt"), std::string::npos) << lower0;
  EXPECT_NE(lower1.find("b.txt"), std::string::npos) << lower1;
  EXPECT_EQ(lower0.find("\\\\"), std::string::npos) << lower0;
}

TEST_F(ControlsTest, SaveDialogGivesOnePathAndCancelGivesNone) {
  std::string folder = MakeTempFolder();
  std::string initial = folder + "\\spectrum.txt";
  CFileDialog save(FALSE, "txt", initial.c_str(), OFN_HIDEREADONLY, "ASCII (*.txt)|*.txt||");
  AfxSetModalDialogHook([&](CDialog& d) { PressSystemButton(d, IDOK); });
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_STREQ(save.GetFileName(), "spectrum.txt");
  EXPECT_STREQ(save.GetFileExt(), "txt");
  EXPECT_STREQ(save.GetFileTitle(), "spectrum");

  // A shorter name typed over a longer one leaves the old tail in the buffer
  // behind the new name's zero; it is not a second file.
  std::string longer = folder + "\\a-much-longer-spectrum-name.txt";
  CFileDialog rename(FALSE, "txt", longer.c_str(), OFN_HIDEREADONLY, "ASCII (*.txt)|*.txt||");
  AfxSetModalDialogHook([&](CDialog& d) {
    SetFileNameField(rename, "copy.txt");
    PressSystemButton(d, IDOK);
  });
  ASSERT_EQ(rename.DoModal(), IDOK);
  EXPECT_STREQ(rename.GetFileName(), "copy.txt");

  CFileDialog open(TRUE, nullptr, initial.c_str());
  AfxSetModalDialogHook([&](CDialog& d) { PressSystemButton(d, IDCANCEL); });
  EXPECT_EQ(open.DoModal(), IDCANCEL);
  EXPECT_TRUE(open.GetPathName().IsEmpty());
}

TEST_F(ControlsTest, ColourDialogTakesTheColourTypedIntoIt) {
  CColorDialog dlg(RGB(255, 0, 0), CC_FULLOPEN | CC_ANYCOLOR);
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ(CWnd::FromHandlePermanent(d.m_hWnd), &dlg);
    // The red, green and blue fields of the full dialog.
    d.SetDlgItemText(706, "10");
    d.SetDlgItemText(707, "20");
    d.SetDlgItemText(708, "30");
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
}

TEST_F(ControlsTest, FontDialogReturnsAFont) {
  LOGFONT lf = {};
  lf.lfHeight = -16;
  lf.lfWeight = FW_BOLD;
  lstrcpyA(lf.lfFaceName, "Tahoma");
  CFontDialog dlg(&lf);
  AfxSetModalDialogHook([&](CDialog& d) {
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(dlg.GetFaceName().IsEmpty());
  EXPECT_GT(dlg.GetSize(), 0);
}

}  // namespace
