// The Spectrum Properties sheet on a document's current spectrum: what its
// pages show, what comes back on OK and on Cancel, the Data Points range
// check, and a long fill that keeps the sheet alive and ends with it.
#include <string>
#include <vector>

#include "controls/ColourPicker.h"
#include "controls/GridCtrl.h"
#include "framework/win/Clipboard.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/display/SpectrumProperties.h"
#include "onedim/model/TextLabel.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

std::string ClipboardText() {
  CClipboard clipboard(nullptr);
  CString text;
  return clipboard.GetText(text) ? std::string(text) : std::string("<none>");
}

class SpectrumPropertiesTest : public WindowTest {
 protected:
  static void Click(CWnd& page, int id) {
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(page.m_hWnd, id));
  }
  static CGridCtrl* GridOf(CWnd& page) {
    return static_cast<CGridCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(page.m_hWnd, IDC_DP_GRID)));
  }
  // Shows the Data Points page and waits for its fill to end.
  static CDataPoints& ShowFilledPoints(CSpectrumProperties& sheet) {
    sheet.SetActivePage(1);
    CDataPoints& page = sheet.m_DataPoints;
    PumpUntil([&] { return !page.IsFilling(); });
    return page;
  }
  static std::vector<std::string> Row(CGridCtrl& grid, int nRow) {
    return {(LPCSTR)grid.GetItemText(nRow, 0), (LPCSTR)grid.GetItemText(nRow, 1), (LPCSTR)grid.GetItemText(nRow, 2)};
  }

  CTestHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(SpectrumPropertiesTest, ARealBrukerSpectrumShowsItsParametersAndFirstPoints) {
  const std::string fid = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/fid";
  ASSERT_TRUE(m_doc.ImportBruker(fid.c_str())) << (LPCSTR)m_host.m_app.m_strOpenFailure;
  CSpectrum* s = m_doc.GetCurrentSpectrum();
  ASSERT_NE(nullptr, s);
  ASSERT_FALSE(s->m_paramsA.title.IsEmpty());
  CSpectrumProperties sheet("Spectrum Properties");
  sheet.SetLogoText("Brivane");
  sheet.LoadFrom(m_doc);
  std::vector<std::string> shown, first, second;
  int nRows = 0, nLogoPixels = 0;
  AfxSetModalSheetHook([&](CPropertySheet&) {
    CWnd& params = sheet.m_Parameters;
    for (int id : {IDC_PROP_POINTS, IDC_PROP_SW, IDC_PROP_SF, IDC_PROP_TITLE})
      shown.push_back(TextOf(::GetDlgItem(params.m_hWnd, id)));
    CDataPoints& points = ShowFilledPoints(sheet);
    CGridCtrl* grid = GridOf(points);
    nRows = grid->GetRowCount();
    first = Row(*grid, 1);
    second = Row(*grid, 2);
    EXPECT_EQ("Re", std::string(grid->GetItemText(0, 1)));
    EXPECT_EQ("Im", std::string(grid->GetItemText(0, 2)));
    // The program's name, embossed in the sheet's own area beside the buttons.
    nLogoPixels = CaptureClient(sheet.m_hWnd)->Count(::GetSysColor(COLOR_BTNSHADOW));
    sheet.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_GT(nLogoPixels, 30);
  const CSpectrumParams& p = s->m_paramsA;
  CString sw, sf;
  sw.Format("%.3f", (float)p.sw);
  sf.Format("%.3f", (float)p.sf);
  EXPECT_EQ((std::vector<std::string>{std::to_string(p.td), (LPCSTR)sw, (LPCSTR)sf, (LPCSTR)p.title}), shown);
  EXPECT_EQ((int)(p.td * 0.05) + 1, nRows);
  CString re, im;
  re.Format("%.2lf", (double)s->m_pData[0]);
  im.Format("%.2lf", (double)s->m_pData[1]);
  EXPECT_EQ((std::vector<std::string>{"0", (LPCSTR)re, (LPCSTR)im}), first);
  re.Format("%.2lf", (double)s->m_pData[2]);
  EXPECT_EQ("1", second[0]);
  EXPECT_EQ((LPCSTR)re, second[1]);
}

TEST_F(SpectrumPropertiesTest, OkGivesBackWhatThePagesChangedAndCancelNothing) {
  CSpectrum* s = AddTestSpectrum(m_doc, 64, [](int i) { return (float)i; });
  s->m_paramsA.title = "before";
  s->m_crTrace = RGB(0, 0, 255);
  for (int nButton : {PSBTN_OK, PSBTN_CANCEL}) {
    CSpectrumProperties sheet("Spectrum Properties");
    sheet.LoadFrom(m_doc);
    std::string typed;
    AfxSetModalSheetHook([&](CPropertySheet&) {
      CWnd& params = sheet.m_Parameters;
      // Typing into a parameter changes nothing; the title takes it.
      HWND points = ::GetDlgItem(params.m_hWnd, IDC_PROP_POINTS);
      ::SendMessageA(points, WM_CHAR, '9', 0);
      typed = TextOf(points);
      ::SetDlgItemTextA(params.m_hWnd, IDC_PROP_TITLE, "after");
      sheet.SetActivePage(2);
      auto* picker =
          static_cast<CColourPicker*>(CWnd::FromHandlePermanent(::GetDlgItem(sheet.m_Colors.m_hWnd, IDC_COLOR_TRACE)));
      picker->SetColour(RGB(0, 128, 0));
      ::SendDlgItemMessageA(sheet.m_Colors.m_hWnd, IDC_COLOR_DISPLAY_TYPE, CB_SETCURSEL, 2, 0);
      sheet.PressButton(nButton);
    });
    const INT_PTR result = sheet.DoModal();
    EXPECT_EQ("64", typed);
    if (nButton == PSBTN_OK) {
      EXPECT_EQ(IDOK, result);
      EXPECT_EQ(RGB(0, 128, 0), sheet.m_Colors.m_crTrace);
      EXPECT_EQ(2, sheet.m_Colors.m_nDisplayMode);
      EXPECT_STREQ("after", sheet.m_Parameters.m_strTitle);
    } else {
      EXPECT_EQ(IDCANCEL, result);
      EXPECT_EQ(RGB(0, 0, 255), sheet.m_Colors.m_crTrace);
      EXPECT_EQ(0, sheet.m_Colors.m_nDisplayMode);
      EXPECT_STREQ("before", sheet.m_Parameters.m_strTitle);
    }
    EXPECT_EQ(64, sheet.m_Parameters.m_nDataPoints);
  }
}

TEST_F(SpectrumPropertiesTest, AppliedValuesReachTheSpectraButNeverAnotherSpectrumsSize) {
  CSpectrum* small = AddTestSpectrum(m_doc, 16, [](int) { return 1.0f; });
  CSpectrum* big = AddTestSpectrum(m_doc, 64, [](int) { return 2.0f; });
  CSpectrumProperties sheet("Spectrum Properties");
  sheet.LoadFrom(m_doc);
  sheet.m_Colors.m_crTrace = RGB(0, 128, 0);
  sheet.m_Colors.m_bApplyToAll = 1;
  sheet.m_Parameters.m_strTitle = "both";
  sheet.m_Scale.m_crScale = RGB(10, 20, 30);
  sheet.ApplyTo(m_doc);
  for (CSpectrum* s : {small, big}) {
    EXPECT_EQ(RGB(0, 128, 0), s->m_crTrace);
    EXPECT_STREQ("both", s->m_paramsA.title);
  }
  EXPECT_EQ(16, small->m_paramsA.td);
  EXPECT_EQ(RGB(10, 20, 30), big->m_Scale.m_crAxis);
  EXPECT_NE(RGB(10, 20, 30), small->m_Scale.m_crAxis);
  EXPECT_EQ(RGB(0, 128, 0), (COLORREF)m_host.m_settings.GetProfileInt("Display", "Spectrum Color", -1));
}

// The sheet takes its values back however it closes; only a change of what
// the document file keeps marks the document changed.
TEST_F(SpectrumPropertiesTest, OnlyAChangeTheFileKeepsMarksTheDocumentChanged) {
  const struct {
    const char* pszChange;
    void (*pfnChange)(CSpectrumProperties& sheet);
    bool bModified;
  } changes[] = {
      {"nothing", [](CSpectrumProperties&) {}, false},
      {"the title, which the file does not keep",
       [](CSpectrumProperties& sheet) { sheet.m_Parameters.m_strTitle = "new"; }, false},
      {"the trace colour", [](CSpectrumProperties& sheet) { sheet.m_Colors.m_crTrace = RGB(0, 128, 0); }, true},
      {"the axis font",
       [](CSpectrumProperties& sheet) {
         sheet.m_Scale.m_bFontChanged = 1;
         sheet.m_Scale.m_lf.lfWeight = 700;
       },
       true},
      {"a solid scale", [](CSpectrumProperties& sheet) { sheet.m_Scale.m_bSolidScale = !sheet.m_Scale.m_bSolidScale; },
       true},
  };
  AddTestSpectrum(m_doc, 16, [](int) { return 1.0f; });
  for (const auto& change : changes) {
    CSpectrumProperties sheet("Spectrum Properties");
    sheet.LoadFrom(m_doc);
    change.pfnChange(sheet);
    m_host.m_bModified = FALSE;
    sheet.ApplyTo(m_doc);
    EXPECT_EQ(change.bModified, m_host.m_bModified != FALSE) << change.pszChange;
  }
}

TEST_F(SpectrumPropertiesTest, TheDataPointsRangeIsCheckedAndPrintOverSpectrumLabelsIt) {
  CSpectrum* s = AddTestSpectrum(m_doc, 40, [](int i) { return (float)i; });  // 20 points
  // Zero filled from 20 floats: the label gives the acquisition's time.
  s->m_paramsA.aq = 1.0;
  s->m_paramsA.acquiredTd = 20;
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  m_host.m_bModified = FALSE;
  struct Case {
    const char* from;
    const char* to;
    int nFirst, nLast;
    const char* message;
  } cases[] = {
      {"3", "4", 3, 4, nullptr},  // one point, one row
      {"-1", "5", 3, 5, "Initial point must be equal or higher than zero"},
      {"21", "6", 3, 6, "First point must be lower than 20"},
      {"2", "0", 2, 6, "Last point must be higher than zero"},
      {"2", "99", 2, 6, "Last point must be lower than 20"},
      {"9", "4", 4, 9, nullptr},  // swapped
      {"x", "", 0, 9, "Last point must be higher than zero"},
  };
  CSpectrumProperties sheet("Spectrum Properties");
  sheet.LoadFrom(m_doc);
  AfxSetModalSheetHook([&](CPropertySheet&) {
    CDataPoints& page = ShowFilledPoints(sheet);
    for (const Case& c : cases) {
      m_messageBoxes.clear();
      ::SetDlgItemTextA(page.m_hWnd, IDC_DP_FROM, c.from);
      ::SetDlgItemTextA(page.m_hWnd, IDC_DP_TO, c.to);
      Click(page, IDC_DP_UPDATE);
      PumpUntil([&] { return !page.IsFilling(); });
      EXPECT_EQ(c.nFirst, page.m_nFirst) << c.from << ".." << c.to;
      EXPECT_EQ(c.nLast, page.m_nLast) << c.from << ".." << c.to;
      EXPECT_EQ(c.nLast - c.nFirst + 1, GridOf(page)->GetRowCount());
      ASSERT_EQ(c.message ? 1u : 0u, m_messageBoxes.size()) << c.from << ".." << c.to;
      if (c.message) {
        EXPECT_EQ(c.message, m_messageBoxes[0].text);
      }
    }
    // Enter in an edit updates, and the sheet stays open.
    ::SetDlgItemTextA(page.m_hWnd, IDC_DP_TO, "12");
    PostKey(::GetDlgItem(page.m_hWnd, IDC_DP_TO), VK_RETURN);
    PumpUntil([&] { return page.m_nLast == 12 && !page.IsFilling(); });
    EXPECT_EQ(12, page.m_nLast);
    EXPECT_TRUE(sheet.ContinueModal());
    Click(page, IDC_DP_FULL);
    PumpUntil([&] { return !page.IsFilling(); });
    EXPECT_EQ(21, GridOf(page)->GetRowCount());
    EXPECT_EQ("19", std::string(GridOf(page)->GetItemText(20, 0)));
    Click(sheet.m_Parameters, IDC_PROP_PRINT);
    sheet.PressButton(PSBTN_CANCEL);
  });
  sheet.DoModal();
  ASSERT_EQ(1, s->m_arrLabels.GetSize());
  const CTextLabel* label = static_cast<CTextLabel*>(s->m_arrLabels[0]);
  EXPECT_STREQ("SF=400.13    SW=5000.00    AQ=0.50    TD=40     Units=ppm", label->m_strText);
  EXPECT_TRUE(label->m_bAttached);
  EXPECT_EQ(TEXT_ALIGN_LEFT, label->m_nAlign);
  EXPECT_TRUE(m_host.m_bModified);
}

TEST_F(SpectrumPropertiesTest, TheLastPointsOfAMillionAreReadFromTheDataWithoutACellPerRow) {
  // Quarter steps stay exact in a float this far out; the imaginary part lies 1000 below.
  AddTestSpectrum(m_doc, 2 * 1000000, [](int i) { return i * 0.25f - (i % 2 ? 1000.0f : 0.0f); });
  CSpectrumProperties sheet("Spectrum Properties");
  sheet.LoadFrom(m_doc);
  int nRows = 0, nCells = -1;
  std::vector<std::string> first, last;
  std::string copied, copiedAll;
  AfxSetModalSheetHook([&](CPropertySheet&) {
    // Filling all million rows takes minutes under Wine (a message pumped per row).
    CDataPoints& page = sheet.m_DataPoints;
    sheet.SetActivePage(1);
    ::SetDlgItemTextA(page.m_hWnd, IDC_DP_FROM, "990000");
    ::SetDlgItemTextA(page.m_hWnd, IDC_DP_TO, "1000000");
    Click(page, IDC_DP_UPDATE);
    PumpUntil([&] { return !page.IsFilling(); }, 60000);
    CGridCtrl& grid = *GridOf(page);
    ::UpdateWindow(grid.m_hWnd);  // the visible rows drawn
    nRows = grid.GetRowCount();
    first = Row(grid, 1);
    last = Row(grid, nRows - 1);
    grid.SetSelectedRange(nRows - 2, 1, nRows - 1, 2);
    grid.OnEditCopy();
    copied = ClipboardText();
    nCells = grid.GetCellObjectCount();
    // The Copy button on a short range: every data cell, as the grid shows it.
    ::SetDlgItemTextA(page.m_hWnd, IDC_DP_FROM, "999998");
    Click(page, IDC_DP_UPDATE);
    PumpUntil([&] { return !page.IsFilling(); });
    Click(page, IDC_DP_COPY);
    copiedAll = ClipboardText();
    sheet.PressButton(PSBTN_CANCEL);
  });
  sheet.DoModal();
  EXPECT_EQ(10001, nRows);
  EXPECT_EQ((std::vector<std::string>{"990000", "495000.00", "494000.25"}), first);
  EXPECT_EQ((std::vector<std::string>{"999999", "499999.50", "498999.75"}), last);
  EXPECT_EQ("499999.00\t498999.25\n499999.50\t498999.75", copied);
  EXPECT_LT(nCells, 3 * 10);  // the headings and the two selected rows
  EXPECT_EQ("499999.00\t498999.25\n499999.50\t498999.75", copiedAll);
}

// A timer procedure cannot take a capture: the sheet it closes is a global.
CSpectrumProperties* g_pClosing = nullptr;
int g_nTicks = 0;
void CALLBACK CloseMidFill(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_nTicks == 3 && g_pClosing != nullptr)
    g_pClosing->PressButton(PSBTN_CANCEL);
}

TEST_F(SpectrumPropertiesTest, AMillionPointsFillWhileTheSheetStaysAliveAndClosingEndsTheFill) {
  AddTestSpectrum(m_doc, 2 * 1000000, [](int i) { return (float)(i % 7); });
  CSpectrumProperties sheet("Spectrum Properties");
  sheet.LoadFrom(m_doc);
  g_pClosing = &sheet;
  g_nTicks = 0;
  UINT_PTR timer = 0;
  AfxSetModalSheetHook([&](CPropertySheet&) {
    sheet.SetActivePage(1);
    // The page is up before its first row is written.
    EXPECT_TRUE(::IsWindowVisible(sheet.m_DataPoints.m_hWnd));
    timer = ::SetTimer(nullptr, 0, 50, &CloseMidFill);
  });
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  ::KillTimer(nullptr, timer);
  g_pClosing = nullptr;
  EXPECT_GE(g_nTicks, 3);  // the timer ran during the fill
  EXPECT_LT(::GetTickCount() - start, 60000u);
  EXPECT_EQ(100000, sheet.m_DataPoints.m_nCount);
  EXPECT_LT(sheet.m_DataPoints.m_nFillPos, sheet.m_DataPoints.m_nCount);
  EXPECT_FALSE(sheet.m_DataPoints.IsFilling());
}

}  // namespace
