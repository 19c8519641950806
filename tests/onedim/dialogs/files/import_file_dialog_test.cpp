// File > Open's import dialog under Wine: the type combo and the profile,
// the gathered file list and which files the caller gets back.
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "tests/onedim/import/bruker_test_util.h"
#include "tests/onedim/document/document_test_host.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/dialogs/files/ImportFileDialog.h"

#include <dlgs.h>  // the system dialog's control ids

namespace {

typedef std::vector<std::string> Lines;

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

  // Runs the dialog in the test folder, acting on it once it is up.
  INT_PTR Run(CImportFileDialog& dlg, const std::function<void(CDialog&)>& act) {
    dlg.m_ofn.lpstrInitialDir = m_strFolder.c_str();
    bool bActed = false;
    AfxSetModalDialogHook([&](CDialog& d) {
      bActed = true;
      act(d);
    });
    INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(bActed);
    return nResult;
  }

  static void Click(CDialog& d, int nID) { ::SendMessageA(::GetDlgItem(d.m_hWnd, nID), BM_CLICK, 0, 0); }
  static void PressSystemButton(CDialog& d, int nID) {
    HWND hWndSystem = ::GetParent(d.m_hWnd);
    ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, nID));
  }
  static void SetFileName(CImportFileDialog& dlg, const std::string& text) {
    dlg.SetControlText(edt1, text.c_str());
    dlg.SetControlText(cmb13, text.c_str());
  }
  static void AddFile(CImportFileDialog& dlg, const std::string& text) {
    SetFileName(dlg, text);
    Click(dlg, IDC_IMPORT_ADD_FILE);
  }
  static void ChooseType(CDialog& d, int nType) {
    d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_SETCURSEL, (WPARAM)nType);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IMPORT_FILE_TYPE, CBN_SELCHANGE),
                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_IMPORT_FILE_TYPE));
  }
  static int SelectedType(CDialog& d) { return (int)d.SendDlgItemMessage(IDC_IMPORT_FILE_TYPE, CB_GETCURSEL); }
  static bool Visible(HWND hWnd, int nID) { return ::IsWindowVisible(::GetDlgItem(hWnd, nID)) != FALSE; }
  static bool Enabled(HWND hWnd, int nID) { return ::IsWindowEnabled(::GetDlgItem(hWnd, nID)) != FALSE; }
  static Lines Items(CDialog& d, int nID, UINT nCount, UINT nGet) {
    Lines lines;
    for (int i = 0; i < (int)d.SendDlgItemMessage(nID, nCount); ++i) {
      char text[MAX_PATH * 2] = "";
      d.SendDlgItemMessage(nID, nGet, (WPARAM)i, (LPARAM)text);
      lines.push_back(text);
    }
    return lines;
  }
  static Lines ListLines(CDialog& d) { return Items(d, IDC_IMPORT_FILE_LIST, LB_GETCOUNT, LB_GETTEXT); }
  static Lines Chosen(const CImportFileDialog& dlg) {
    CStringList paths;
    dlg.GetChosenPaths(paths);
    Lines out;
    for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;)
      out.push_back((LPCSTR)paths.GetNext(pos));
    return out;
  }

  TempFolder m_folder;
  std::string m_strFolder;
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

TEST_F(ImportFileDialogTest, OpensWithTheTypesAndTheCurrentTypeSelected) {
  m_app.m_nImportType = 4;
  CImportFileDialog dlg(m_app, m_settings);
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              HWND hWndSystem = ::GetParent(d.m_hWnd);
              EXPECT_EQ("Import file", TextOf(hWndSystem));
              EXPECT_FALSE(Visible(hWndSystem, cmb1));
              EXPECT_FALSE(Visible(hWndSystem, stc2));
              for (int nID : {IDC_IMPORT_FILE_LIST, IDC_IMPORT_ADD_FILE, IDC_IMPORT_REMOVE_FILE, IDC_IMPORT_LIST_TEXT})
                EXPECT_FALSE(Visible(d.m_hWnd, nID)) << nID;
              EXPECT_TRUE(Visible(d.m_hWnd, IDC_IMPORT_SEVERAL) && Visible(d.m_hWnd, IDC_IMPORT_SEVERAL_TEXT));
              EXPECT_FALSE(Enabled(d.m_hWnd, IDC_IMPORT_REMOVE_FILE));
              EXPECT_EQ((Lines{"Bruker UXNMR/XWIN-NMR", "Bruker Aspect 2000/3000", "Bruker WinNMR", "Varian VXR-Unity",
                               "Jeol", "GE/Nicolet (NT/QE/GN)", "Varian Gemini/VXR from VHELPER", "Nuts",
                               "JCAMP DX-5.0", "Brivane", "SwaN-MR", "TECMAG NTNMR", "SIEMENS"}),
                        Items(d, IDC_IMPORT_FILE_TYPE, CB_GETCOUNT, CB_GETLBTEXT));
              EXPECT_EQ(4, SelectedType(d));
              LOGFONT label = {}, dialog = {};
              ::GetObjectA((HFONT)d.SendDlgItemMessage(IDC_IMPORT_TYPE_LABEL, WM_GETFONT), sizeof label, &label);
              ::GetObjectA((HFONT)d.SendMessage(WM_GETFONT), sizeof dialog, &dialog);
              EXPECT_GE(label.lfWeight, FW_BOLD);
              EXPECT_GT(std::abs(label.lfHeight), std::abs(dialog.lfHeight));
              PressSystemButton(d, IDCANCEL);
            }));
  EXPECT_TRUE(Chosen(dlg).empty());

  // A type outside the list selects nothing and stays as it is.
  for (int nType : {-1, 13}) {
    m_app.m_nImportType = nType;
    CImportFileDialog other(m_app, m_settings);
    Run(other, [&](CDialog& d) {
      EXPECT_EQ(CB_ERR, SelectedType(d)) << nType;
      PressSystemButton(d, IDCANCEL);
    });
    EXPECT_EQ(nType, m_app.m_nImportType);
  }
}

TEST_F(ImportFileDialogTest, ChosenTypeIsKeptAndWrittenAtOnceEvenOnCancel) {
  CImportFileDialog dlg(m_app, m_settings);
  EXPECT_EQ(IDCANCEL, Run(dlg, [&](CDialog& d) {
              ChooseType(d, 8);
              EXPECT_EQ(8, m_settings.GetProfileInt("File", "File Type", -1));
              PressSystemButton(d, IDCANCEL);
            }));
  EXPECT_EQ(8, m_app.m_nImportType);
  EXPECT_EQ(8, m_settings.GetProfileInt("File", "File Type", -1));

  CImportFileDialog again(m_app, m_settings);
  Run(again, [&](CDialog& d) {
    EXPECT_EQ(8, SelectedType(d));
    PressSystemButton(d, IDCANCEL);
  });
}

TEST_F(ImportFileDialogTest, WithoutAListTheFilesChosenInTheDialogAreReturned) {
  CImportFileDialog dlg(m_app, m_settings);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              SetFileName(dlg, "\"a.fid\" \"b.fid\"");
              PressSystemButton(d, IDOK);
            }));
  EXPECT_EQ((Lines{m_folder.Path("a.fid"), m_folder.Path("b.fid")}), Chosen(dlg));
}

TEST_F(ImportFileDialogTest, GatheredListIsShownAddedToRemovedFromAndTakesPrecedence) {
  const std::string a = m_folder.Path("a.fid"), b = m_folder.Path("b.fid");
  CImportFileDialog dlg(m_app, m_settings);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              Click(d, IDC_IMPORT_SEVERAL);
              for (int nID : {IDC_IMPORT_FILE_LIST, IDC_IMPORT_ADD_FILE, IDC_IMPORT_REMOVE_FILE, IDC_IMPORT_LIST_TEXT})
                EXPECT_TRUE(Visible(d.m_hWnd, nID)) << nID;
              EXPECT_FALSE(Visible(d.m_hWnd, IDC_IMPORT_SEVERAL) || Visible(d.m_hWnd, IDC_IMPORT_SEVERAL_TEXT));

              AddFile(dlg, "a.fid");
              AddFile(dlg, "b.fid");
              AddFile(dlg, "b.fid");  // the same file twice is allowed
              EXPECT_EQ((Lines{a, b, b}), ListLines(d));
              EXPECT_TRUE(Enabled(d.m_hWnd, IDC_IMPORT_REMOVE_FILE));

              // Remove needs a selected line.
              d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_SETCURSEL, (WPARAM)-1);
              Click(d, IDC_IMPORT_REMOVE_FILE);
              EXPECT_EQ(1u, m_messageBoxes.size());
              EXPECT_EQ((Lines{a, b, b}), ListLines(d));

              d.SendDlgItemMessage(IDC_IMPORT_FILE_LIST, LB_SETCURSEL, 0);
              Click(d, IDC_IMPORT_REMOVE_FILE);
              EXPECT_EQ((Lines{b, b}), ListLines(d));
              PressSystemButton(d, IDOK);  // the field still names b.fid: the list wins
            }));
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("Select a file name from the listbox first.", m_messageBoxes[0].text);
  EXPECT_EQ((UINT)MB_OK, m_messageBoxes[0].type & MB_TYPEMASK);
  EXPECT_EQ((Lines{b, b}), Chosen(dlg));
}

TEST_F(ImportFileDialogTest, AddFileTakesEachSelectedFileAndNothingWhenNoFileIsNamed) {
  const std::string elsewhere = "C:\\data\\exp\\fid";
  CImportFileDialog dlg(m_app, m_settings);
  Run(dlg, [&](CDialog& d) {
    Click(d, IDC_IMPORT_SEVERAL);
    for (LPCSTR name : {"", "*.fid", "  "})
      AddFile(dlg, name);
    EXPECT_TRUE(ListLines(d).empty());
    EXPECT_FALSE(Enabled(d.m_hWnd, IDC_IMPORT_REMOVE_FILE));
    AddFile(dlg, "\"a.fid\" \"b.fid\"");
    AddFile(dlg, elsewhere);
    EXPECT_EQ((Lines{m_folder.Path("a.fid"), m_folder.Path("b.fid"), elsewhere}), ListLines(d));
    PressSystemButton(d, IDCANCEL);
  });
}

TEST_F(ImportFileDialogTest, GatheredNativeAndBrukerFilesAreReadIntoOneDocumentWithTheChosenType) {
  for (const char* expno : {"1", "2"}) {
    m_folder.Write(std::string(expno) + "/acqus",
                   "##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= 8 ##$DECIM= 16 ##$DSPFVS= 12");
    m_folder.Write(std::string(expno) + "/fid", Int32Bytes({1, 2, 3, 4, 5, 6, 7, std::atoi(expno)}, false));
    m_folder.Write(std::string(expno) + "/pdata/1/procs", "##$OFFSET= 10 ##$SI= 4");
  }
  CTestHost host;
  const std::string bvx = m_folder.Path("saved.bvx");
  {
    CBrivaneProDoc first(&host);
    ASSERT_EQ(importForeign, first.ImportFile(m_folder.Path("1/fid").c_str()));
    ASSERT_TRUE(first.WriteNativeFile(bvx.c_str()));
  }
  host.m_app.m_nImportType = 5;
  CImportFileDialog dlg(host.m_app, host.m_settings);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              ChooseType(d, 0);
              Click(d, IDC_IMPORT_SEVERAL);
              AddFile(dlg, bvx);
              AddFile(dlg, m_folder.Path("2/fid"));
              SetFileName(dlg, "a.fid");
              PressSystemButton(d, IDOK);
            }));
  CBrivaneProDoc doc(&host);
  std::vector<int> results;
  // As File > Open reads a selection: the user's type back after each file.
  for (const std::string& path : Chosen(dlg)) {
    results.push_back(doc.ImportFile(path.c_str()));
    doc.RestoreImportType();
  }
  EXPECT_EQ((std::vector<int>{importNative, importForeign}), results) << (LPCSTR)host.m_app.m_strOpenFailure;
  ASSERT_EQ(2, doc.GetSpectrumCount());
  EXPECT_EQ(1.0f, doc.GetSpectrumAt(0)->m_pData[7]);
  EXPECT_EQ(2.0f, doc.GetSpectrumAt(1)->m_pData[7]);
  EXPECT_EQ(0, host.m_app.m_nImportType);
  EXPECT_EQ(0, host.m_settings.GetProfileInt("File", "File Type", -1));
}

}  // namespace
