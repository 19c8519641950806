// File > Open's import dialog under Wine: the type combo and the profile,
// the gathered file list and which files the caller gets back.
#include <cstdlib>
#include <string>
#include <vector>


#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "bruker_test_util.h"
#include "document_test_host.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/ImportFileDialog.h"
#include "onedim/document/SettingsStore.h"

#include <dlgs.h>  // the system dialog's control ids

namespace {

class ImportFileDialogTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    m_folder.Write("a.fid", "a");
    m_folder.Write("b.fid", "b");
    m_strFolder = m_folder.Path("");
    if (!m_strFolder.empty() && m_strFolder.back() == '\\')
      m_strFolder.pop_back();
  }

  // Runs the dialog, acting on it once it is up.
  INT_PTR Run(CImportFileDialog& dlg, const std::function<void(CDialog&)>& act) {
    dlg.m_ofn.lpstrInitialDir = m_strFolder.c_str();
    AfxSetModalDialogHook(act);
    return dlg.DoModal();
  }

  static HWND SystemDialog(CDialog& d) { return ::GetParent(d.m_hWnd); }
  static void Click(CDialog& d, int nID) { ::SendMessageA(::GetDlgItem(d.m_hWnd, nID), BM_CLICK, 0, 0); }
  static void PressSystemButton(CDialog& d, int nID) {
    HWND hWndSystem = SystemDialog(d);
    ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, nID));
  }
  static void SetFileName(CImportFileDialog& dlg, LPCSTR text) {
    dlg.SetControlText(edt1, text);
    dlg.SetControlText(cmb13, text);
  }
  static void ChooseType(CDialog& d, int nType) {
    d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_SETCURSEL, (WPARAM)nType);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IMPORT_FILE_TYPE, CBN_SELCHANGE),
                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_IMPORT_FILE_TYPE));
  }
  static bool Visible(HWND hWnd, int nID) { return ::IsWindowVisible(::GetDlgItem(hWnd, nID)) != FALSE; }
  static std::vector<std::string> ListLines(CDialog& d) {
    std::vector<std::string> lines;
    int n = (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_GETCOUNT);
    for (int i = 0; i < n; ++i) {
      char text[MAX_PATH * 2] = "";
      d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
      lines.push_back(text);
    }
    return lines;
  }
  static std::vector<std::string> Chosen(const CImportFileDialog& dlg) {
    CStringList paths;
    dlg.GetChosenPaths(paths);
    std::vector<std::string> out;
    for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;)
      out.push_back((LPCSTR)paths.GetNext(pos));
    return out;
  }
  static bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
  }

  TempFolder m_folder;
  std::string m_strFolder;
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

TEST_F(ImportFileDialogTest, OpensWithTheTypesAndTheCurrentTypeSelected) {
  m_app.m_nImportType = 4;
  CImportFileDialog dlg(m_app, m_settings);
  std::vector<std::string> types;
  int nSel = -2;
  bool bSystemTypeShown = true, bSystemLabelShown = true, bListShown = true, bSeveralShown = false;
  bool bRemoveEnabled = true;
  LOGFONT label = {}, dialog = {};
  std::string title;
  ASSERT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              HWND hWndSystem = SystemDialog(d);
              title = TextOf(hWndSystem);
              bSystemTypeShown = Visible(hWndSystem, cmb1);
              bSystemLabelShown = Visible(hWndSystem, stc2);
              bListShown = Visible(d.m_hWnd, IDC_IMPORT_FILE_LIST) || Visible(d.m_hWnd, IDC_IMPORT_ADD_FILE) ||
                           Visible(d.m_hWnd, IDC_IMPORT_REMOVE_FILE) || Visible(d.m_hWnd, IDC_IMPORT_LIST_TEXT);
              bSeveralShown = Visible(d.m_hWnd, IDC_IMPORT_SEVERAL) && Visible(d.m_hWnd, IDC_IMPORT_SEVERAL_TEXT);
              bRemoveEnabled = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_IMPORT_REMOVE_FILE)) != FALSE;
              int n = (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCOUNT);
              for (int i = 0; i < n; ++i) {
                char text[64] = "";
                d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
                types.push_back(text);
              }
              nSel = (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCURSEL);
              ::GetObjectA((HFONT)d.SendDlgItemMessage(IDC_IMPORT_TYPE_LABEL, WM_GETFONT), sizeof label, &label);
              ::GetObjectA((HFONT)d.SendMessage(WM_GETFONT), sizeof dialog, &dialog);
              PressSystemButton(d, IDCANCEL);
            }));
  EXPECT_EQ("Import file", title);
  EXPECT_FALSE(bSystemTypeShown);
  EXPECT_FALSE(bSystemLabelShown);
  EXPECT_FALSE(bListShown);
  EXPECT_TRUE(bSeveralShown);
  EXPECT_FALSE(bRemoveEnabled);
  const std::vector<std::string> expected = {
      "Bruker UXNMR/XWIN-NMR", "Bruker Aspect 2000/3000", "Bruker WinNMR", "Varian VXR-Unity", "Jeol",
      "GE/Nicolet (NT/QE/GN)", "Varian Gemini/VXR from VHELPER", "Nuts", "JCAMP DX-5.0", "Brivane",
      "SwaN-MR", "TECMAG NTNMR", "SIEMENS"};
  EXPECT_EQ(expected, types);
  EXPECT_EQ(4, nSel);
  EXPECT_GE(label.lfWeight, FW_BOLD);
  EXPECT_GT(std::abs(label.lfHeight), std::abs(dialog.lfHeight));
  EXPECT_TRUE(Chosen(dlg).empty());
}

TEST_F(ImportFileDialogTest, TypeOutsideTheListSelectsNothing) {
  for (int nType : {-1, 13}) {
    m_app.m_nImportType = nType;
    CImportFileDialog dlg(m_app, m_settings);
    int nSel = 0;
    Run(dlg, [&](CDialog& d) {
      nSel = (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCURSEL);
      PressSystemButton(d, IDCANCEL);
    });
    EXPECT_EQ(CB_ERR, nSel) << nType;
    EXPECT_EQ(nType, m_app.m_nImportType);
  }
}

TEST_F(ImportFileDialogTest, ChosenTypeIsKeptAndWrittenAtOnceEvenOnCancel) {
  m_app.m_nImportType = 0;
  CImportFileDialog dlg(m_app, m_settings);
  int nProfileWhileOpen = -1;
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              ChooseType(d, 8);
              nProfileWhileOpen = m_settings.GetProfileInt("File", "File Type", -1);
              PressSystemButton(d, IDCANCEL);
            }));
  EXPECT_EQ(8, nProfileWhileOpen);
  EXPECT_EQ(8, m_app.m_nImportType);
  EXPECT_EQ(8, m_settings.GetProfileInt("File", "File Type", -1));

  // The next dialog starts on it.
  CImportFileDialog again(m_app, m_settings);
  int nSel = -1;
  Run(again, [&](CDialog& d) {
    nSel = (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCURSEL);
    PressSystemButton(d, IDCANCEL);
  });
  EXPECT_EQ(8, nSel);
}

TEST_F(ImportFileDialogTest, WithoutAListTheFilesChosenInTheDialogAreReturned) {
  CImportFileDialog dlg(m_app, m_settings);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              SetFileName(dlg, "\"a.fid\" \"b.fid\"");
              PressSystemButton(d, IDOK);
            }));
  std::vector<std::string> paths = Chosen(dlg);
  ASSERT_EQ(2u, paths.size());
  EXPECT_EQ(m_folder.Path("a.fid"), paths[0]);
  EXPECT_EQ(m_folder.Path("b.fid"), paths[1]);

  CImportFileDialog one(m_app, m_settings);
  ASSERT_EQ(IDOK, Run(one, [&](CDialog& d) {
              SetFileName(one, "b.fid");
              PressSystemButton(d, IDOK);
            }));
  EXPECT_EQ(std::vector<std::string>{m_folder.Path("b.fid")}, Chosen(one));
}

TEST_F(ImportFileDialogTest, GatheredListIsShownAddedToRemovedFromAndTakesPrecedence) {
  CImportFileDialog dlg(m_app, m_settings);
  bool bListShown = false, bSeveralShown = true;
  std::vector<std::string> afterAdding, afterRemoving;
  bool bRemoveEnabledAfterAdd = false;
  size_t nBoxesWithoutSelection = 0;
  std::vector<std::string> afterRefusedRemove;
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              Click(d, IDC_IMPORT_SEVERAL);
              bListShown = Visible(d.m_hWnd, IDC_IMPORT_FILE_LIST) && Visible(d.m_hWnd, IDC_IMPORT_ADD_FILE) &&
                           Visible(d.m_hWnd, IDC_IMPORT_REMOVE_FILE) && Visible(d.m_hWnd, IDC_IMPORT_LIST_TEXT);
              bSeveralShown = Visible(d.m_hWnd, IDC_IMPORT_SEVERAL) || Visible(d.m_hWnd, IDC_IMPORT_SEVERAL_TEXT);

              SetFileName(dlg, "a.fid");
              Click(d, IDC_IMPORT_ADD_FILE);
              SetFileName(dlg, "b.fid");
              Click(d, IDC_IMPORT_ADD_FILE);
              Click(d, IDC_IMPORT_ADD_FILE);  // the same file twice is allowed
              afterAdding = ListLines(d);
              bRemoveEnabledAfterAdd = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_IMPORT_REMOVE_FILE)) != FALSE;

              d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_SETCURSEL, (WPARAM)-1);
              Click(d, IDC_IMPORT_REMOVE_FILE);
              nBoxesWithoutSelection = m_messageBoxes.size();
              afterRefusedRemove = ListLines(d);

              d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_SETCURSEL, 0);
              Click(d, IDC_IMPORT_REMOVE_FILE);
              afterRemoving = ListLines(d);

              // The field still names b.fid; the list wins.
              PressSystemButton(d, IDOK);
            }));
  EXPECT_TRUE(bListShown);
  EXPECT_FALSE(bSeveralShown);
  const std::string a = m_folder.Path("a.fid"), b = m_folder.Path("b.fid");
  EXPECT_EQ((std::vector<std::string>{a, b, b}), afterAdding);
  EXPECT_TRUE(bRemoveEnabledAfterAdd);
  ASSERT_EQ(1u, nBoxesWithoutSelection);
  EXPECT_EQ("Select a file name from the listbox first.", m_messageBoxes[0].text);
  EXPECT_EQ((UINT)MB_OK, m_messageBoxes[0].type & MB_TYPEMASK);
  EXPECT_EQ(afterAdding, afterRefusedRemove);
  EXPECT_EQ((std::vector<std::string>{b, b}), afterRemoving);
  EXPECT_EQ((std::vector<std::string>{b, b}), Chosen(dlg));
}

TEST_F(ImportFileDialogTest, RemovingTheLastFileDisablesRemoveAndTheDialogsOwnChoiceCountsAgain) {
  CImportFileDialog dlg(m_app, m_settings);
  bool bRemoveEnabled = true;
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              Click(d, IDC_IMPORT_SEVERAL);
              SetFileName(dlg, "a.fid");
              Click(d, IDC_IMPORT_ADD_FILE);
              d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_SETCURSEL, 0);
              Click(d, IDC_IMPORT_REMOVE_FILE);
              bRemoveEnabled = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_IMPORT_REMOVE_FILE)) != FALSE;
              SetFileName(dlg, "b.fid");
              PressSystemButton(d, IDOK);
            }));
  EXPECT_FALSE(bRemoveEnabled);
  EXPECT_TRUE(dlg.m_Paths.IsEmpty());
  EXPECT_EQ(std::vector<std::string>{m_folder.Path("b.fid")}, Chosen(dlg));
}

TEST_F(ImportFileDialogTest, AddFileTakesEachSelectedFileAndNothingWhenNoFileIsNamed) {
  CImportFileDialog dlg(m_app, m_settings);
  const std::string elsewhere = "C:\\data\\exp\\fid";
  std::vector<std::string> afterNothing, afterAll;
  bool bRemoveEnabledAfterNothing = true;
  Run(dlg, [&](CDialog& d) {
    Click(d, IDC_IMPORT_SEVERAL);
    for (LPCSTR spec : {"", "*.fid", "  "}) {
      SetFileName(dlg, spec);
      Click(d, IDC_IMPORT_ADD_FILE);
    }
    afterNothing = ListLines(d);
    bRemoveEnabledAfterNothing = ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_IMPORT_REMOVE_FILE)) != FALSE;
    SetFileName(dlg, "\"a.fid\" \"b.fid\"");
    Click(d, IDC_IMPORT_ADD_FILE);
    SetFileName(dlg, elsewhere.c_str());
    Click(d, IDC_IMPORT_ADD_FILE);
    afterAll = ListLines(d);
    PressSystemButton(d, IDCANCEL);
  });
  EXPECT_TRUE(afterNothing.empty());
  EXPECT_FALSE(bRemoveEnabledAfterNothing);
  EXPECT_EQ((std::vector<std::string>{m_folder.Path("a.fid"), m_folder.Path("b.fid"), elsewhere}), afterAll);
}

TEST_F(ImportFileDialogTest, EveryGatheredFileIsReadIntoOneDocumentWithTheChosenType) {
  for (const char* expno : {"1", "2"}) {
    m_folder.Write(std::string(expno) + "/acqus",
                   "##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= 8 ##$DECIM= 16 ##$DSPFVS= 12");
    m_folder.Write(std::string(expno) + "/fid", Int32Bytes({1, 2, 3, 4, 5, 6, 7, std::atoi(expno)}, false));
    m_folder.Write(std::string(expno) + "/pdata/1/procs", "##$OFFSET= 10 ##$SI= 4");
  }
  CTestHost host;
  host.m_app.m_nImportType = 5;
  CImportFileDialog dlg(host.m_app, host.m_settings);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              ChooseType(d, 0);
              Click(d, IDC_IMPORT_SEVERAL);
              for (const char* expno : {"1", "2"}) {
                SetFileName(dlg, m_folder.Path(std::string(expno) + "/fid").c_str());
                Click(d, IDC_IMPORT_ADD_FILE);
              }
              SetFileName(dlg, "a.fid");
              PressSystemButton(d, IDOK);
            }));
  CBrivaneProDoc doc(&host);
  CStringList paths;
  dlg.GetChosenPaths(paths);
  for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;)
    EXPECT_EQ(importForeign, doc.ImportFile(paths.GetNext(pos))) << (LPCSTR)host.m_app.m_strOpenFailure;
  ASSERT_EQ(2, doc.GetSpectrumCount());
  EXPECT_EQ(1.0f, doc.GetSpectrumAt(0)->m_pData[7]);
  EXPECT_EQ(2.0f, doc.GetSpectrumAt(1)->m_pData[7]);
  EXPECT_EQ(0, host.m_app.m_nImportType);
  EXPECT_EQ(0, host.m_settings.GetProfileInt("File", "File Type", -1));
}

}  // namespace
