// "Importing errors", "Edit Parameters" and the program's missing-parameter
// policy built on them, driven under Wine as a user would answer them.
#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "tests/onedim/import/bruker_test_util.h"
#include "tests/onedim/document/document_test_host.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/dialogs/files/EditParametersDialog.h"
#include "onedim/dialogs/files/ImportErrorsDialog.h"
#include "onedim/dialogs/shell/LogEdit.h"
#include "onedim/dialogs/files/MissingParametersDialogs.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const int kLabels[] = {IDC_PARAM_SF_LABEL, IDC_PARAM_SW_LABEL, IDC_PARAM_TD_LABEL, IDC_PARAM_BYTE_ORDER_LABEL};

class MissingParametersDialogsTest : public WindowTest {
 protected:
  // Runs the dialog, acting on it once it is up.
  static INT_PTR Run(CDialog& dlg, const std::function<void(CDialog&)>& act) {
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
  static std::string ItemText(CDialog& d, int nID) { return TextOf(::GetDlgItem(d.m_hWnd, nID)); }
  // Typing replaces the field's text and raises its change notice.
  static void Type(CDialog& d, int nID, LPCSTR text) { ::SetWindowTextA(::GetDlgItem(d.m_hWnd, nID), text); }
  static void ChooseByteOrder(CDialog& d, int nEntry) {
    d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_SETCURSEL, (WPARAM)nEntry);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PARAM_BYTE_ORDER, CBN_SELCHANGE),
                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_PARAM_BYTE_ORDER));
  }

  // How a label of "Edit Parameters" looks: 'M' marked (red, underlined),
  // 'N' normal (black, bold italic, not underlined), '?' anything else.
  static char LabelLook(CDialog& d, int nID) {
    HWND hWndLabel = ::GetDlgItem(d.m_hWnd, nID);
    HDC hDC = ::GetDC(hWndLabel);
    ::SetTextColor(hDC, RGB(1, 2, 3));
    ::SendMessageA(d.m_hWnd, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWndLabel);
    COLORREF colour = ::GetTextColor(hDC);
    ::ReleaseDC(hWndLabel, hDC);
    LOGFONT lf = {};
    ::GetObjectA((HFONT)::SendMessageA(hWndLabel, WM_GETFONT, 0, 0), sizeof lf, &lf);
    if (!lf.lfItalic || lf.lfWeight < FW_BOLD)
      return '?';
    if (colour == RGB(255, 0, 0) && lf.lfUnderline)
      return 'M';
    return colour == RGB(0, 0, 0) && !lf.lfUnderline ? 'N' : '?';
  }
  // The looks of the four labels in the order sf, sw, td, byte order.
  static std::string Looks(CDialog& d) {
    std::string looks;
    for (int nID : kLabels)
      looks += LabelLook(d, nID);
    return looks;
  }
};

// --- Importing errors ---

TEST_F(MissingParametersDialogsTest, ImportErrorsShowsEveryLineAndAnswersWithItsButtons) {
  CImportErrorsDialog dlg;
  for (int i = 1; i <= 30; ++i)
    dlg.m_Lines.AddTail(CString("parameter ") + std::to_string(i).c_str());
  EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("Importing errors", TextOf(d.m_hWnd));
              std::string log = ItemText(d, IDC_IMPORT_ERRORS_LOG);
              EXPECT_EQ(0u, log.find("parameter 1\r\nparameter 2\r\n"));
              EXPECT_EQ(log.size() - 14, log.rfind("\r\nparameter 30"));
              EXPECT_EQ(30, (int)d.SendDlgItemMessage(IDC_IMPORT_ERRORS_LOG, EM_GETLINECOUNT));
              // Scrolled down to the last line.
              EXPECT_GT((int)d.SendDlgItemMessage(IDC_IMPORT_ERRORS_LOG, EM_GETFIRSTVISIBLELINE), 0);
              Click(d, IDOK);
            }));

  CImportErrorsDialog abort;
  abort.m_Lines.AddTail("offset");
  EXPECT_EQ(IDCANCEL, Run(abort, [&](CDialog& d) {
              EXPECT_EQ("offset", ItemText(d, IDC_IMPORT_ERRORS_LOG));  // no line break before the first
              Click(d, IDCANCEL);
            }));
}

TEST_F(MissingParametersDialogsTest, LogRefusesTheFocusUnlessAllowed) {
  CImportErrorsDialog dlg;
  dlg.m_Lines.AddTail("sf");
  Run(dlg, [&](CDialog& d) {
    HWND hWndButton = ::GetDlgItem(d.m_hWnd, IDCANCEL);
    HWND hWndLog = ::GetDlgItem(d.m_hWnd, IDC_IMPORT_ERRORS_LOG);
    ::SetFocus(hWndButton);
    ::SetFocus(hWndLog);
    EXPECT_EQ(hWndButton, ::GetFocus());
    // Focus coming from no window at all still lands on a control of the dialog.
    ::SetFocus(nullptr);
    ::SetFocus(hWndLog);
    EXPECT_NE(hWndLog, ::GetFocus());
    EXPECT_TRUE(::IsChild(d.m_hWnd, ::GetFocus()));

    CLogEdit open;
    open.m_bMayTakeFocus = TRUE;
    RECT rc = {0, 0, 50, 20};
    open.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, rc, &d, 4242);
    open.SetFocus();
    EXPECT_EQ(open.m_hWnd, ::GetFocus());
    open.DestroyWindow();
    Click(d, IDCANCEL);
  });
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
  Run(dlg, [&](CDialog& d) {
    EXPECT_EQ("Edit Parameters", TextOf(d.m_hWnd));
    EXPECT_EQ("400.13", ItemText(d, IDC_PARAM_SF));
    EXPECT_EQ("5000.5", ItemText(d, IDC_PARAM_SW));
    EXPECT_EQ("16384", ItemText(d, IDC_PARAM_TD));
    EXPECT_EQ(2, (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCOUNT));
    EXPECT_EQ(1,
              (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Big Endian"));
    EXPECT_EQ(1, (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCURSEL));
    EXPECT_EQ("NMNM", Looks(d));
    // What the user sees: the marked label paints red, the normal one does not.
    EXPECT_GT(CaptureClient(::GetDlgItem(d.m_hWnd, IDC_PARAM_SW_LABEL))->Count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(0, CaptureClient(::GetDlgItem(d.m_hWnd, IDC_PARAM_SF_LABEL))->Count(RGB(255, 0, 0)));
    Click(d, IDCANCEL);
  });

  // A flag that is neither 0 nor 1 selects no entry.
  CEditParametersDialog odd;
  odd.m_nByteOrder = 7;
  Run(odd, [&](CDialog& d) {
    EXPECT_EQ(CB_ERR, (int)d.SendDlgItemMessage(IDC_PARAM_BYTE_ORDER, CB_GETCURSEL));
    Click(d, IDCANCEL);
  });
}

TEST_F(MissingParametersDialogsTest, TouchingAMarkedFieldUnmarksItAndOkReturnsTheValues) {
  CEditParametersDialog dlg;
  for (const char* key : {"sf", "sw", "td", "byteorder"})
    dlg.m_Missing.SetAt(key, key);
  ASSERT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
              EXPECT_EQ("MMMM", Looks(d));
              Type(d, IDC_PARAM_SF, "500.2");
              EXPECT_EQ("NMMM", Looks(d));
              Type(d, IDC_PARAM_SW, "6000");
              Type(d, IDC_PARAM_TD, "2048");
              ChooseByteOrder(d, 1);
              EXPECT_EQ("NNNN", Looks(d));
              Click(d, IDC_PARAM_OK);
            }));
  EXPECT_DOUBLE_EQ(500.2, dlg.m_sf);
  EXPECT_DOUBLE_EQ(6000.0, dlg.m_sw);
  EXPECT_EQ(2048, dlg.m_td);
  EXPECT_EQ(1, dlg.m_nByteOrder);
  EXPECT_TRUE(m_messageBoxes.empty());

  // Enter in a field presses the dialog's OK.
  CEditParametersDialog enter;
  EXPECT_EQ(IDOK, Run(enter, [&](CDialog& d) {
              HWND hWndTd = ::GetDlgItem(d.m_hWnd, IDC_PARAM_TD);
              ::SetFocus(hWndTd);
              Type(d, IDC_PARAM_TD, "512");
              PostKey(hWndTd, VK_RETURN);
            }));
  EXPECT_EQ(512, enter.m_td);
}

TEST_F(MissingParametersDialogsTest, ValuesOutOfRangeAreRefusedAndTheDialogStays) {
  const struct {
    int nID;
    const char* bad;
    const char* good;
  } cases[] = {
      {IDC_PARAM_TD, "2147483648", "2147483647"},
      {IDC_PARAM_SF, "-1", "0"},
      {IDC_PARAM_SF, "1000001", "1000000"},
      {IDC_PARAM_SW, "1e13", "1e12"},
  };
  for (const auto& c : cases) {
    m_messageBoxes.clear();
    CEditParametersDialog dlg;
    EXPECT_EQ(IDOK, Run(dlg, [&](CDialog& d) {
                Type(d, c.nID, c.bad);
                Click(d, IDC_PARAM_OK);
                EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << c.bad;
                EXPECT_EQ(::GetDlgItem(d.m_hWnd, c.nID), ::GetFocus()) << c.bad;
                Type(d, c.nID, c.good);
                Click(d, IDC_PARAM_OK);
              }));
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
  Answer([](CDialog& d) { Click(d, IDOK); },
         [&](CDialog& d) {
           EXPECT_EQ('M', LabelLook(d, IDC_PARAM_SF_LABEL));
           Type(d, IDC_PARAM_SF, "250.5");
           ChooseByteOrder(d, 1);  // the file's words are then reversed
           Click(d, IDC_PARAM_OK);
         });
  ASSERT_TRUE(doc.ImportBruker(folder.Path("1/fid").c_str())) << (LPCSTR)host.m_app.m_strOpenFailure;
  EXPECT_EQ((std::vector<std::string>{"Importing errors", "Edit Parameters"}), m_shown);
  ASSERT_EQ(1, doc.GetSpectrumCount());
  EXPECT_DOUBLE_EQ(250.5, doc.GetCurrentSpectrum()->m_paramsA.sf);
  EXPECT_EQ(8, doc.GetCurrentSpectrum()->m_paramsA.td);
  EXPECT_EQ(16777216.0f, doc.GetCurrentSpectrum()->m_pData[0]);  // 1 byte-reversed

  // Abort leaves the document as it was.
  Answer([](CDialog& d) { Click(d, IDCANCEL); }, [](CDialog& d) { Click(d, IDCANCEL); });
  EXPECT_FALSE(doc.ImportBruker(folder.Path("1/fid").c_str()));
  EXPECT_EQ(1, doc.GetSpectrumCount());
  EXPECT_STREQ("Importing aborted", (LPCSTR)host.m_app.m_History.GetTail());
}

}  // namespace
