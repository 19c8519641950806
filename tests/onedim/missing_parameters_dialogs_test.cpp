// "Importing errors", "Edit Parameters" and the program's missing-parameter
// policy built on them, driven under Wine as a user would answer them.
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "bruker_test_util.h"
#include "document_test_host.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/EditParametersDialog.h"
#include "onedim/document/ImportErrorsDialog.h"
#include "onedim/document/LogEdit.h"
#include "onedim/document/MissingParametersDialogs.h"
#include "onedim/document/SpectrumParams.h"

namespace {

class MissingParametersDialogsTest : public WindowTest {
 protected:
  static void Click(CDialog& d, int nID) { ::SendMessageA(::GetDlgItem(d.m_hWnd, nID), BM_CLICK, 0, 0); }
  static std::string ItemText(CDialog& d, int nID) { return TextOf(::GetDlgItem(d.m_hWnd, nID)); }
  // Typing replaces the field's text and raises its change notice.
  static void Type(CDialog& d, int nID, LPCSTR text) { ::SetWindowTextA(::GetDlgItem(d.m_hWnd, nID), text); }

  struct Look {
    COLORREF colour;
    LOGFONT font;
    bool Marked() const { return colour == RGB(255, 0, 0) && font.lfUnderline; }
    bool Normal() const {
      return colour == RGB(0, 0, 0) && !font.lfUnderline && font.lfItalic && font.lfWeight >= FW_BOLD;
    }
  };
  // What a label shows: the text colour its parent gives it, and its font.
  static Look LabelLook(CDialog& d, int nID) {
    Look look = {};
    HWND hWndLabel = ::GetDlgItem(d.m_hWnd, nID);
    HDC hDC = ::GetDC(hWndLabel);
    ::SetTextColor(hDC, RGB(1, 2, 3));
    ::SendMessageA(d.m_hWnd, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWndLabel);
    look.colour = ::GetTextColor(hDC);
    ::ReleaseDC(hWndLabel, hDC);
    ::GetObjectA((HFONT)::SendMessageA(hWndLabel, WM_GETFONT, 0, 0), sizeof look.font, &look.font);
    return look;
  }
  // Red pixels the label paints.
  static int RedPixels(CDialog& d, int nID) {
    return CaptureClient(::GetDlgItem(d.m_hWnd, nID))->Count(RGB(255, 0, 0));
  }
};

// --- Importing errors ---

TEST_F(MissingParametersDialogsTest, ImportErrorsShowsEveryLineAndAnswersWithItsButtons) {
  CImportErrorsDialog dlg;
  for (int i = 1; i <= 30; ++i)
    dlg.m_Lines.AddTail(CString("parameter ") + std::to_string(i).c_str());
  std::string caption, log;
  int nFirstVisible = -1, nLines = 0;
  AfxSetModalDialogHook([&](CDialog& d) {
    caption = TextOf(d.m_hWnd);
    log = ItemText(d, IDC_IMPORT_ERRORS_LOG);
    nLines = (int)d.SendDlgItemMessage(IDC_IMPORT_ERRORS_LOG, EM_GETLINECOUNT);
    nFirstVisible = (int)d.SendDlgItemMessage(IDC_IMPORT_ERRORS_LOG, EM_GETFIRSTVISIBLELINE);
    Click(d, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("Importing errors", caption);
  EXPECT_EQ(0u, log.find("parameter 1\r\nparameter 2\r\n"));
  EXPECT_EQ(log.size() - std::string("parameter 30").size(), log.rfind("\r\nparameter 30") + 2);
  EXPECT_EQ(30, nLines);
  EXPECT_GT(nFirstVisible, 0);  // scrolled down to the last line

  CImportErrorsDialog abort;
  abort.m_Lines.AddTail("offset");
  AfxSetModalDialogHook([&](CDialog& d) {
    log = ItemText(d, IDC_IMPORT_ERRORS_LOG);
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, abort.DoModal());
  EXPECT_EQ("offset", log);  // no line break before the first line
}

TEST_F(MissingParametersDialogsTest, LogRefusesTheFocusUnlessAllowed) {
  CImportErrorsDialog dlg;
  dlg.m_Lines.AddTail("sf");
  HWND hWndFromButton = nullptr, hWndFromNowhere = nullptr, hWndAllowed = nullptr;
  HWND hWndButton = nullptr, hWndLog = nullptr, hWndOpenLog = nullptr;
  AfxSetModalDialogHook([&](CDialog& d) {
    hWndButton = ::GetDlgItem(d.m_hWnd, IDCANCEL);
    hWndLog = ::GetDlgItem(d.m_hWnd, IDC_IMPORT_ERRORS_LOG);
    ::SetFocus(hWndButton);
    ::SetFocus(hWndLog);
    hWndFromButton = ::GetFocus();
    // Focus coming from no window at all still lands on a control of the dialog.
    ::SetFocus(nullptr);
    ::SetFocus(hWndLog);
    hWndFromNowhere = ::GetFocus();

    CLogEdit open;
    open.m_bMayTakeFocus = TRUE;
    RECT rc = {0, 0, 50, 20};
    open.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, rc, &d, 4242);
    hWndOpenLog = open.m_hWnd;
    open.SetFocus();
    hWndAllowed = ::GetFocus();
    open.DestroyWindow();
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(hWndButton, hWndFromButton);
  EXPECT_NE(hWndLog, hWndFromNowhere);
  EXPECT_NE(nullptr, hWndFromNowhere);
  EXPECT_EQ(hWndOpenLog, hWndAllowed);
}

// --- Edit Parameters ---

TEST_F(MissingParametersDialogsTest, EditParametersShowsTheValuesAndMarksOnlyTheMissingOnes) {
  CEditParametersDialog dlg;
  dlg.m_sf = 400.13;
  dlg.m_sw = 5000.5;
  dlg.m_td = 16384;
  dlg.m_nByteOrder = 1;
  dlg.m_Missing.SetAt("sw", "Spectral Width");
  dlg.m_Missing.SetAt("byteorder", "byte order");
  dlg.m_Missing.SetAt("offset", "offset");  // has no field
  std::string caption, sf, sw, td;
  std::vector<std::string> entries;
  int nSel = -1;
  Look lookSf = {}, lookSw = {}, lookTd = {}, lookOrder = {};
  int nRedSw = 0, nRedSf = -1;
  AfxSetModalDialogHook([&](CDialog& d) {
    caption = TextOf(d.m_hWnd);
    sf = ItemText(d, IDC_PARAM_SF);
    sw = ItemText(d, IDC_PARAM_SW);
    td = ItemText(d, IDC_PARAM_TD);
    for (int i = 0; i < (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCOUNT); ++i) {
      char text[32] = "";
      d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
      entries.push_back(text);
    }
    nSel = (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCURSEL);
    lookSf = LabelLook(d, IDC_PARAM_SF_LABEL);
    lookSw = LabelLook(d, IDC_PARAM_SW_LABEL);
    lookTd = LabelLook(d, IDC_PARAM_TD_LABEL);
    lookOrder = LabelLook(d, IDC_PARAM_BYTE_ORDER_LABEL);
    nRedSw = RedPixels(d, IDC_PARAM_SW_LABEL);
    nRedSf = RedPixels(d, IDC_PARAM_SF_LABEL);
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("Edit Parameters", caption);
  EXPECT_EQ("400.13", sf);
  EXPECT_EQ("5000.5", sw);
  EXPECT_EQ("16384", td);
  EXPECT_EQ((std::vector<std::string>{"Little Endian", "Big Endian"}), entries);
  EXPECT_EQ(1, nSel);
  EXPECT_TRUE(lookSf.Normal());
  EXPECT_TRUE(lookTd.Normal());
  EXPECT_TRUE(lookSw.Marked());
  EXPECT_TRUE(lookOrder.Marked());
  EXPECT_GT(nRedSw, 0);
  EXPECT_EQ(0, nRedSf);

  // A flag that is neither 0 nor 1 selects no entry.
  CEditParametersDialog odd;
  odd.m_nByteOrder = 7;
  AfxSetModalDialogHook([&](CDialog& d) {
    nSel = (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCURSEL);
    Click(d, IDCANCEL);
  });
  odd.DoModal();
  EXPECT_EQ(CB_ERR, nSel);
}

TEST_F(MissingParametersDialogsTest, TouchingAMarkedFieldUnmarksItAndOkReturnsTheValues) {
  CEditParametersDialog dlg;
  dlg.m_sf = 0;
  dlg.m_sw = 0;
  dlg.m_td = 0;
  dlg.m_nByteOrder = 0;
  for (const char* key : {"sf", "sw", "td", "byteorder"})
    dlg.m_Missing.SetAt(key, key);
  bool bAllMarked = false, bAllNormal = false;
  bool bOthersStillMarked = false;
  AfxSetModalDialogHook([&](CDialog& d) {
    bAllMarked = LabelLook(d, IDC_PARAM_SF_LABEL).Marked() && LabelLook(d, IDC_PARAM_SW_LABEL).Marked() &&
                 LabelLook(d, IDC_PARAM_TD_LABEL).Marked() && LabelLook(d, IDC_PARAM_BYTE_ORDER_LABEL).Marked();
    Type(d, IDC_PARAM_SF, "500.2");
    bOthersStillMarked = LabelLook(d, IDC_PARAM_SF_LABEL).Normal() && LabelLook(d, IDC_PARAM_SW_LABEL).Marked() &&
                         LabelLook(d, IDC_PARAM_TD_LABEL).Marked() &&
                         LabelLook(d, IDC_PARAM_BYTE_ORDER_LABEL).Marked();
    Type(d, IDC_PARAM_SW, "6000");
    Type(d, IDC_PARAM_TD, "2048");
    d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_SETCURSEL, 1);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PARAM_BYTE_ORDER, CBN_SELCHANGE),
                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_PARAM_BYTE_ORDER));
    bAllNormal = LabelLook(d, IDC_PARAM_SF_LABEL).Normal() && LabelLook(d, IDC_PARAM_SW_LABEL).Normal() &&
                 LabelLook(d, IDC_PARAM_TD_LABEL).Normal() && LabelLook(d, IDC_PARAM_BYTE_ORDER_LABEL).Normal();
    Click(d, IDC_PARAM_OK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(bAllMarked);
  EXPECT_TRUE(bOthersStillMarked);
  EXPECT_TRUE(bAllNormal);
  EXPECT_DOUBLE_EQ(500.2, dlg.m_sf);
  EXPECT_DOUBLE_EQ(6000.0, dlg.m_sw);
  EXPECT_EQ(2048, dlg.m_td);
  EXPECT_EQ(1, dlg.m_nByteOrder);
  EXPECT_TRUE(m_messageBoxes.empty());
}

TEST_F(MissingParametersDialogsTest, EnterInAFieldIsOk) {
  CEditParametersDialog dlg;
  AfxSetModalDialogHook([&](CDialog& d) {
    HWND hWndTd = ::GetDlgItem(d.m_hWnd, IDC_PARAM_TD);
    ::SetFocus(hWndTd);
    Type(d, IDC_PARAM_TD, "512");
    PostKey(hWndTd, VK_RETURN);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(512, dlg.m_td);
}

TEST_F(MissingParametersDialogsTest, ValuesOutOfRangeAreRefusedAndTheDialogStays) {
  struct Case {
    int nID;
    const char* bad;
    const char* good;
  };
  const Case cases[] = {
      {IDC_PARAM_TD, "2147483648", "2147483647"},
      {IDC_PARAM_TD, "-2", "0"},
      {IDC_PARAM_SF, "-1", "0"},
      {IDC_PARAM_SF, "1000001", "1000000"},
      {IDC_PARAM_SW, "1e13", "1e12"},
      {IDC_PARAM_SW, "wide", "100"},
  };
  for (const Case& c : cases) {
    m_messageBoxes.clear();
    CEditParametersDialog dlg;
    dlg.m_sf = 400;
    dlg.m_sw = 5000;
    dlg.m_td = 1024;
    bool bStayedOpen = false;
    HWND hWndFocus = nullptr, hWndField = nullptr;
    AfxSetModalDialogHook([&](CDialog& d) {
      hWndField = ::GetDlgItem(d.m_hWnd, c.nID);
      Type(d, c.nID, c.bad);
      Click(d, IDC_PARAM_OK);
      bStayedOpen = ::IsWindow(d.m_hWnd) && ::IsWindowVisible(d.m_hWnd);
      hWndFocus = ::GetFocus();
      Type(d, c.nID, c.good);
      Click(d, IDC_PARAM_OK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal()) << c.bad;
    EXPECT_TRUE(bStayedOpen) << c.bad;
    EXPECT_EQ(hWndField, hWndFocus) << c.bad;
    EXPECT_EQ(1u, m_messageBoxes.size()) << c.bad;
  }
}

// --- The program's policy ---

class PolicyTest : public MissingParametersDialogsTest {
 protected:
  // Answers each dialog by its caption; records the captions in order.
  void Answer(const std::function<void(CDialog&)>& errors, const std::function<void(CDialog&)>& edit) {
    AfxSetModalDialogHook([this, errors, edit](CDialog& d) {
      std::string caption = TextOf(d.m_hWnd);
      m_shown.push_back(caption);
      if (caption == "Importing errors")
        errors(d);
      else if (caption == "Edit Parameters")
        edit(d);
      else
        d.EndDialog(IDCANCEL);
    });
  }
  std::vector<std::string> m_shown;
};

TEST_F(PolicyTest, NothingMissingAsksNothing) {
  CSpectrumParams params;
  params.names.RemoveAll();
  CMissingParametersDialogs policy;
  Answer([](CDialog& d) { d.EndDialog(IDCANCEL); }, [](CDialog& d) { d.EndDialog(IDCANCEL); });
  EXPECT_TRUE(CheckMissingParameters(params, &policy));
  EXPECT_TRUE(m_shown.empty());
}

TEST_F(PolicyTest, AbortAndCancelStopWithTheValuesUntouched) {
  CSpectrumParams params;
  params.names.RemoveAll();
  params.names.SetAt("offset", "offset");
  params.names.SetAt("sf", "Spectrum reference");
  params.sf = 1.5;
  CMissingParametersDialogs policy;
  std::string log;
  Answer(
      [&](CDialog& d) {
        log = ItemText(d, IDC_IMPORT_ERRORS_LOG);
        Click(d, IDCANCEL);
      },
      [](CDialog& d) { Click(d, IDCANCEL); });
  EXPECT_FALSE(CheckMissingParameters(params, &policy));
  EXPECT_EQ(std::vector<std::string>{"Importing errors"}, m_shown);
  EXPECT_NE(std::string::npos, log.find("offset"));
  EXPECT_NE(std::string::npos, log.find("Spectrum reference"));

  m_shown.clear();
  Answer([](CDialog& d) { Click(d, IDOK); },
         [](CDialog& d) {
           Type(d, IDC_PARAM_SF, "300");
           Click(d, IDCANCEL);
         });
  EXPECT_FALSE(CheckMissingParameters(params, &policy));
  EXPECT_EQ((std::vector<std::string>{"Importing errors", "Edit Parameters"}), m_shown);
  EXPECT_EQ(1.5, params.sf);
}

TEST_F(PolicyTest, SetValuesGivesTheEditedValuesAndKeepsTheMap) {
  CSpectrumParams params;
  params.names.RemoveAll();
  params.names.SetAt("td", "Time domain");
  params.sf = 400.0;
  params.sw = 5000.0;
  params.td = 0;
  params.byteorder = 1;
  CMissingParametersDialogs policy;
  bool bTdMarked = false;
  Answer([](CDialog& d) { Click(d, IDOK); },
         [&](CDialog& d) {
           bTdMarked = LabelLook(d, IDC_PARAM_TD_LABEL).Marked() && LabelLook(d, IDC_PARAM_SF_LABEL).Normal();
           Type(d, IDC_PARAM_TD, "4096");
           d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_SETCURSEL, 0);
           d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PARAM_BYTE_ORDER, CBN_SELCHANGE),
                         (LPARAM)::GetDlgItem(d.m_hWnd, IDC_PARAM_BYTE_ORDER));
           Click(d, IDC_PARAM_OK);
         });
  EXPECT_TRUE(CheckMissingParameters(params, &policy));
  EXPECT_TRUE(bTdMarked);
  EXPECT_EQ(4096, params.td);
  EXPECT_EQ(0, params.byteorder);
  EXPECT_EQ(400.0, params.sf);
  EXPECT_EQ(5000.0, params.sw);
  CString strDescription;
  EXPECT_EQ(1, params.names.GetCount());
  EXPECT_TRUE(params.names.Lookup("td", strDescription));
}

TEST_F(PolicyTest, ValuesEnteredForABrukerImportAreUsedAsIfTheFileHadGivenThem) {
  TempFolder folder;
  // An acqus without the spectrometer frequency.
  folder.Write("1/acqus", "##$BYTORDA= 0 ##$AQ_mod= 1 ##$SW_h= 5000 ##$TD= 8 ##$DECIM= 16 ##$DSPFVS= 12");
  folder.Write("1/fid", Int32Bytes({1, 2, 3, 4, 5, 6, 7, 8}, false));
  folder.Write("1/pdata/1/procs", "##$OFFSET= 10 ##$SI= 4");
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CMissingParametersDialogs policy;
  doc.SetMissingParametersPolicy(&policy);
  bool bSfMarked = false;
  Answer([](CDialog& d) { Click(d, IDOK); },
         [&](CDialog& d) {
           bSfMarked = LabelLook(d, IDC_PARAM_SF_LABEL).Marked();
           Type(d, IDC_PARAM_SF, "250.5");
           Click(d, IDC_PARAM_OK);
         });
  ASSERT_TRUE(doc.ImportBruker(folder.Path("1/fid").c_str())) << (LPCSTR)host.m_app.m_strOpenFailure;
  EXPECT_TRUE(bSfMarked);
  ASSERT_EQ(1, doc.GetSpectrumCount());
  EXPECT_DOUBLE_EQ(250.5, doc.GetCurrentSpectrum()->m_paramsA.sf);
  EXPECT_EQ(8, doc.GetCurrentSpectrum()->m_paramsA.td);

  // Abort leaves the document as it was.
  Answer([](CDialog& d) { Click(d, IDCANCEL); }, [](CDialog& d) { Click(d, IDCANCEL); });
  EXPECT_FALSE(doc.ImportBruker(folder.Path("1/fid").c_str()));
  EXPECT_EQ(1, doc.GetSpectrumCount());
  EXPECT_STREQ("Importing aborted", (LPCSTR)host.m_app.m_History.GetTail());
}

}  // namespace
