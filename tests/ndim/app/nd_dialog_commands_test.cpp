// The document's dialog commands in the program's windows: each dialog
// opened by its command, filled and confirmed (or cancelled), and what that
// did to the data set; values a dialog refuses keep it open and the set as
// it was.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/CommonDialogs.h"
#include "framework/win/Dialog.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/UiHooks.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/dialogs/ColourDialogs.h"
#include "ndim/dialogs/DisplayDialogs.h"
#include "ndim/view/Spectrum2DDraw.h"
#include "resources/BrivanenDRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/ndim/app/NdAppFixture.h"
#include "tests/ndim/app/nd_app_test_support.h"

#include <dlgs.h>

namespace {

// The file dialog asks before it names a file that is there; its question
// runs a message loop of its own, so a timer of this thread answers Yes.
HWND g_hWndReplacing = nullptr;
void CALLBACK AnswerReplaceYes(HWND, UINT, UINT_PTR nTimer, DWORD) {
  if (!::IsWindow(g_hWndReplacing)) {
    ::KillTimer(nullptr, nTimer);
    return;
  }
  if (HWND ask = OwnedDialog(g_hWndReplacing)) {
    ::PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    ::KillTimer(nullptr, nTimer);
  }
}

class NdDialogCommandsTest : public NdAppTest {
 protected:
  void TearDown() override {
    AfxSetModalDialogHook(nullptr);
    NdAppTest::TearDown();
  }
  // Runs the command; each dialog it opens goes to act in turn.
  void RunDialogs(UINT nID, std::vector<std::function<void(CDialog&)>> acts) {
    size_t next = 0;
    AfxSetModalDialogHook([&](CDialog& d) {
      ASSERT_LT(next, acts.size()) << "one dialog more than expected";
      acts[next++](d);
    });
    Command(nID);
    AfxSetModalDialogHook(nullptr);
    EXPECT_EQ(acts.size(), next) << "dialogs opened";
  }
  static void Press(CDialog& d, int nID) {
    ::SendMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, nID));
  }
  static void Check(CDialog& d, int nID, bool on) {
    d.CheckDlgButton(nID, on ? BST_CHECKED : BST_UNCHECKED);
    Press(d, nID);
  }
  static void Type(CDialog& d, int nID, const char* text) { ::SetDlgItemTextA(d.m_hWnd, nID, text); }
  static std::string Text(CDialog& d, int nID) { return TextOf(::GetDlgItem(d.m_hWnd, nID)); }
  // OK through the dialog's validation; false (and the dialog cancelled)
  // when it refused with a message.
  bool Confirm(CDialog& d) {
    const size_t shown = m_messageBoxes.size();
    Press(d, IDOK);
    if (m_messageBoxes.size() == shown)
      return true;
    d.EndDialog(IDCANCEL);
    return false;
  }
  std::string LastMessage() const { return m_messageBoxes.empty() ? "" : m_messageBoxes.back().text; }
};

TEST_F(NdDialogCommandsTest, TransformRunsOnceForEachDimensionAndLeavesBothAxesInPpm) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);  // 8 x 16 complex points
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  pDoc->SetModifiedFlag(FALSE);
  RunDialogs(ID_PROCESS_FOURIER, {[&](CDialog& d) {
                                    EXPECT_EQ("Apply along t2", Text(d, IDOK));
                                    EXPECT_EQ(2, d.SendDlgItemMessage(IDC_FT_SIZE, CB_GETCURSEL)) << "16 points";
                                    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_FT_NEXT_DIMENSION)));
                                    EXPECT_TRUE(d.IsDlgButtonChecked(IDC_FT_NEXT_DIMENSION));
                                    // Magnitude and Hyperphase push each other out.
                                    Check(d, IDC_FT_HYPERPHASE, true);
                                    Check(d, IDC_FT_MAGNITUDE, true);
                                    EXPECT_FALSE(d.IsDlgButtonChecked(IDC_FT_HYPERPHASE));
                                    Check(d, IDC_FT_HYPERPHASE, true);
                                    EXPECT_FALSE(d.IsDlgButtonChecked(IDC_FT_MAGNITUDE));
                                    Check(d, IDC_FT_HYPERPHASE, false);
                                    d.SendDlgItemMessage(IDC_FT_SIZE, CB_SETCURSEL, 3);  // 32
                                    EXPECT_TRUE(Confirm(d));
                                  },
                                  [&](CDialog& d) {
                                    EXPECT_EQ("Apply along t1", Text(d, IDOK));
                                    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_FT_NEXT_DIMENSION)));
                                    d.SendDlgItemMessage(IDC_FT_PROTOCOL, CB_SETCURSEL, 0);
                                    d.SendDlgItemMessage(IDC_FT_SIZE, CB_SETCURSEL, 0);  // "0": 4 points
                                    Check(d, IDC_FT_MAGNITUDE, false);
                                    EXPECT_TRUE(Confirm(d));
                                  }});
  EXPECT_EQ(32, set->m_dims[2].m_nPoints);
  EXPECT_EQ(4, set->m_dims[1].m_nPoints);
  EXPECT_EQ(-1, set->m_nCurrentDim) << "all dimensions";
  EXPECT_EQ(3, set->m_axis.m_nUnitsF2);
  EXPECT_EQ(3, set->m_axis.m_nUnitsF1);
  EXPECT_TRUE(pDoc->IsModified());
  EXPECT_FALSE(Update(ID_PROCESS_HIGH_PASS).enabled) << "only along the last dimension";
  EXPECT_TRUE(Update(ID_PROCESS_POLYNOMIAL).enabled);
  EXPECT_TRUE(Update(ID_PROCESS_FULL_AUTO).enabled);
  RunDialogs(ID_PROCESS_FOURIER, {});  // nothing is left to transform
}

TEST_F(NdDialogCommandsTest, CancelledDialogsChangeNothing) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  const std::vector<float> before(set->m_pData, set->m_pData + 8 * 16 * 2);
  const auto cancel = [](CDialog& d) {
    d.EndDialog(IDCANCEL);
  };
  for (UINT id : {ID_PROCESS_FOURIER, ID_PROCESS_PREDICTION, ID_PROCESS_HIGH_PASS, ID_PROCESS_POLYNOMIAL,
                  ID_VIEW_LEVELS, ID_EDIT_PALETTE})
    RunDialogs(id, {cancel});
  EXPECT_EQ(16, set->m_dims[2].m_nPoints);
  EXPECT_EQ(2, set->m_nCurrentDim);
  EXPECT_EQ(0, std::memcmp(before.data(), set->m_pData, before.size() * sizeof(float)));
  EXPECT_TRUE(m_messageBoxes.empty());

  set->MakeReal();
  EXPECT_FALSE(Update(ID_PROCESS_FOURIER).enabled) << "a real set has nothing to transform";
}

// f1's mode that proc2s gives out of range is told as the set opens (the
// program has no log: a message box, as for its other import messages), and
// the transform then presets f1 as for a mode that says nothing (QF,
// magnitude); f2 keeps Bruker's orientation.
TEST_F(NdDialogCommandsTest, AnF1ModeOutOfRangeIsToldAndTheTransformKeepsItsPresets) {
  const std::string ser = WriteNdExperiment(m_folder, 8, 32);
  NdWriteText(PathOf("1\\pdata\\1\\proc2s"), "##$MC2= 17\n##$OFFSET= 120.5\n");
  CDocument* pDoc = App().OpenDocumentFile(ser.c_str());
  PumpPending();
  ASSERT_NE(nullptr, pDoc);
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("The mc2 parameter in the proc2s file is out of range", m_messageBoxes[0].text);
  RunDialogs(ID_PROCESS_FOURIER, {[&](CDialog& d) {
                                    EXPECT_EQ("Apply along t2", Text(d, IDOK));
                                    EXPECT_FALSE(d.IsDlgButtonChecked(IDC_FT_INVERT));
                                    EXPECT_TRUE(Confirm(d));
                                  },
                                  [&](CDialog& d) {
                                    EXPECT_EQ("Apply along t1", Text(d, IDOK));
                                    EXPECT_EQ(0, d.SendDlgItemMessage(IDC_FT_PROTOCOL, CB_GETCURSEL)) << "None";
                                    EXPECT_TRUE(d.IsDlgButtonChecked(IDC_FT_QUADRATURE));
                                    EXPECT_TRUE(d.IsDlgButtonChecked(IDC_FT_MAGNITUDE));
                                    EXPECT_TRUE(d.IsDlgButtonChecked(IDC_FT_INVERT));
                                    EXPECT_FALSE(d.IsDlgButtonChecked(IDC_FT_HYPERPHASE));
                                    d.EndDialog(IDCANCEL);
                                  }});
  EXPECT_EQ(1u, m_messageBoxes.size()) << "nothing more";
}

TEST_F(NdDialogCommandsTest, PredictionAndFilterRunTheirLinesAndRefuseWhatDoesNotFit) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 64);  // 4 x 32
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  RunDialogs(ID_PROCESS_PREDICTION, {[&](CDialog& d) {
               EXPECT_EQ("32", Text(d, IDC_LP_FIRST));
               EXPECT_EQ("63", Text(d, IDC_LP_LAST));
               Type(d, IDC_LP_BASIS, "40");
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_EQ("Basis have been trucated", LastMessage());
  EXPECT_EQ(64, set->m_dims[2].m_nPoints) << "predicted with the basis that fits";

  set->m_dims[2].m_fSpectralWidth = 6000.0f;
  set->m_dims[2].m_fLastFrequency = -600.0f;
  set->m_dims[2].m_fSpectrometerFreq = 600.0f;
  const std::vector<float> before(set->m_pData, set->m_pData + 4 * 64 * 2);
  RunDialogs(ID_PROCESS_HIGH_PASS, {[&](CDialog& d) {
               EXPECT_EQ("8", Text(d, IDC_HP_SELECTIVITY));
               EXPECT_EQ(4.0, std::atof(Text(d, IDC_HP_NULL_POINT).c_str()));
               Type(d, IDC_HP_SELECTIVITY, "33");
               EXPECT_FALSE(Confirm(d));
             }});
  EXPECT_EQ("Please enter an integer between 4 and 32.", LastMessage());
  EXPECT_EQ(0, std::memcmp(before.data(), set->m_pData, before.size() * sizeof(float)));
  RunDialogs(ID_PROCESS_HIGH_PASS, {[&](CDialog& d) {
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_NE(0, std::memcmp(before.data(), set->m_pData, before.size() * sizeof(float))) << "filtered";
}

TEST_F(NdDialogCommandsTest, ApodizationShowsTwoDecimalsAndKeepsWhatTheTransformIssues) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 32);
  ASSERT_NE(nullptr, pDoc);
  ApodizationSettings& a = pDoc->GetCurrentSet()->m_apodization;
  RunDialogs(ID_PROCESS_APODIZE, {[&](CDialog& d) {
               EXPECT_EQ("0.50", Text(d, IDC_APOD_FIRST_POINT_VALUE));
               Check(d, IDC_APOD_GAUSSIAN, true);
               Type(d, IDC_APOD_GAUSSIAN_VALUE, "3.25");
               Type(d, IDC_APOD_EXPONENTIAL_VALUE, "junk");
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_TRUE(a.m_bOn[ApodizationSettings::Gaussian]);
  EXPECT_EQ(3.25, a.m_dValue[ApodizationSettings::Gaussian]);
  EXPECT_EQ(0.0, a.m_dValue[ApodizationSettings::Exponential]) << "text that is no number reads as 0";
}

TEST_F(NdDialogCommandsTest, LevelsRefuseCountsBeyondTheRangeAndRatiosThatAreNoRatio) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  const struct {
    const char* positive;
    const char* ratio;
    const char* message;
  } refused[] = {{"21", "2", "Please enter an integer between 0 and 20."},
                 {"-1", "2", "Please enter an integer between 0 and 20."},
                 {"5", "0", nullptr},
                 {"5", "-2", nullptr}};
  for (const auto& r : refused) {
    m_messageBoxes.clear();
    RunDialogs(ID_VIEW_LEVELS, {[&](CDialog& d) {
                 Type(d, IDC_LEVELS_POSITIVE, r.positive);
                 Type(d, IDC_LEVELS_RATIO, r.ratio);
                 EXPECT_FALSE(Confirm(d)) << r.positive << " " << r.ratio;
               }});
    ASSERT_EQ(1u, m_messageBoxes.size());
    if (r.message != nullptr) {
      EXPECT_EQ(r.message, LastMessage());
    }
    EXPECT_EQ(3, set->m_nPositiveLevels);
    EXPECT_EQ(2.0f, set->m_fLevelRatio);
  }
  RunDialogs(ID_VIEW_LEVELS, {[&](CDialog& d) {
               EXPECT_EQ("3", Text(d, IDC_LEVELS_NEGATIVE));
               Type(d, IDC_LEVELS_POSITIVE, "20");
               Type(d, IDC_LEVELS_NEGATIVE, "0");
               Type(d, IDC_LEVELS_RATIO, "1.5");
               Type(d, IDC_LEVELS_THRESHOLD, "250");
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_EQ(20, set->m_nPositiveLevels);
  EXPECT_EQ(0, set->m_nNegativeLevels);
  EXPECT_EQ(1.5f, set->m_fLevelRatio);
  EXPECT_EQ(250.0f, set->m_fLowestLevel);
}

TEST_F(NdDialogCommandsTest, UnitsProjectionsAndSliceListsWriteBackToTheSet) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  RunDialogs(ID_VIEW_SCALE_UNITS, {[&](CDialog& d) {
               EXPECT_TRUE(d.IsDlgButtonChecked(IDC_UNITS_F1_POINTS));
               d.CheckRadioButton(IDC_UNITS_F1_POINTS, IDC_UNITS_F1_HERTZ, IDC_UNITS_F1_HERTZ);
               d.CheckDlgButton(IDC_UNITS_F2_POINTS, BST_UNCHECKED);
               d.CheckDlgButton(IDC_UNITS_F2_PPM, BST_CHECKED);
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_EQ(2, set->m_axis.m_nUnitsF1);
  EXPECT_EQ(3, set->m_axis.m_nUnitsF2);

  RunDialogs(ID_VIEW_PROJECTIONS, {[&](CDialog& d) {
               Check(d, IDC_PROJ_F1, true);
               Press(d, IDC_PROJ_COMPUTE_F1);
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_TRUE(set->m_bShowProjectionF1);
  EXPECT_FALSE(set->m_bShowProjectionF2);
  EXPECT_NE(nullptr, set->m_pProjectionF1);
  EXPECT_EQ(nullptr, set->m_pProjectionF2);

  set->m_rowList = {3, 5};
  set->m_columnList = {2};
  RunDialogs(ID_VIEW_SLICE_LIST, {[&](CDialog& d) {
               EXPECT_EQ(2, d.SendDlgItemMessage(IDC_EXTRACT_ROWS, LVM_GETITEMCOUNT));
               EXPECT_EQ(1, d.SendDlgItemMessage(IDC_EXTRACT_COLUMNS, LVM_GETITEMCOUNT));
               Press(d, IDC_EXTRACT_CLEAR_ROWS);
               EXPECT_EQ(0, d.SendDlgItemMessage(IDC_EXTRACT_ROWS, LVM_GETITEMCOUNT));
               EXPECT_EQ(1, d.SendDlgItemMessage(IDC_EXTRACT_COLUMNS, LVM_GETITEMCOUNT));
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_TRUE(set->m_rowList.empty());
  EXPECT_EQ(std::vector<int>{2}, set->m_columnList);
}

TEST_F(NdDialogCommandsTest, LimitsTakeBackOnlyPointsInsideTheData) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);  // 8 x 16
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  EXPECT_FALSE(Update(ID_VIEW_LIMITS).enabled);
  set->m_axis.m_nUnitsF2 = 3;  // ppm
  const auto open = [&](std::function<void(CDialog&)> act) {
    AfxSetModalDialogHook(act);
    CLimitsDialog dialog(*set, pDoc, Frame());
    dialog.DoModal();
    AfxSetModalDialogHook(nullptr);
  };
  const struct {
    const char *from, *to;
    bool taken;
  } f1[] = {{"-1", "5", false}, {"2", "8", false}, {"5", "2", false}, {"2", "5", true}};
  for (const auto& c : f1) {
    open([&](CDialog& d) {
      EXPECT_EQ(0.0, std::atof(Text(d, IDC_LIMITS_F1_FROM).c_str()));
      EXPECT_LT(std::atof(Text(d, IDC_LIMITS_F2_FROM).c_str()), std::atof(Text(d, IDC_LIMITS_F2_TO).c_str()))
          << "the larger ppm, of the first index, under To";
      Type(d, IDC_LIMITS_F1_FROM, c.from);
      Type(d, IDC_LIMITS_F1_TO, c.to);
      Type(d, IDC_LIMITS_F2_FROM, "-1000");  // ppm: not taken back, not checked
      EXPECT_EQ(c.taken, Confirm(d)) << c.from << " .. " << c.to;
    });
    EXPECT_EQ(c.taken ? CRect(0, 2, 16, 6) : CRect(0, 0, 16, 8), set->m_zoom);
  }
}

TEST_F(NdDialogCommandsTest, DefaultContourColoursAreBluePositiveAndRedNegative) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  set->m_positiveColours[0] = RGB(1, 2, 3);
  RunDialogs(ID_VIEW_COLOURS, {[&](CDialog& d) {
               Press(d, IDC_COLOUR_DEFAULT);
               EXPECT_TRUE(Confirm(d));
             }});
  for (int i = 0; i < CSpectrum2D::ContourColours; ++i) {
    EXPECT_EQ(RGB(0, 0, 255), set->m_positiveColours[i]) << i;
    EXPECT_EQ(RGB(255, 0, 0), set->m_negativeColours[i]) << i;
  }
}

// The GDI palette the set keeps holds its colour tables.
void ExpectGdiPaletteOf(const CSpectrum2D& set, const char* when) {
  const CSpectrumPalette* kept = static_cast<const CSpectrumPalette*>(set.GetGdiPalette());
  ASSERT_NE(nullptr, kept) << when;
  PALETTEENTRY e[256];
  ASSERT_EQ(256u, kept->m_palette.GetPaletteEntries(0, 256, e)) << when;
  for (int i = 0; i < 256; ++i) {
    const PALETTEENTRY expected = {set.m_red[i], set.m_green[i], set.m_blue[i], 0};
    ASSERT_EQ(0, std::memcmp(&expected, &e[i], sizeof expected)) << when << " entry " << i;
  }
}

TEST_F(NdDialogCommandsTest, ARampSavedAndLoadedGivesTheSameColoursBackToTheSet) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  ExpectGdiPaletteOf(*set, "opened");
  const std::string path = PathOf("ramp.pal");
  const std::string broken = PathOf("broken.pal");
  NdWriteText(broken, std::string(1000, '\0'));
  PaletteRamp saved;
  std::string answer;
  // The ramp editor acts; the file dialogs it opens get the name in answer.
  const auto fileOr = [&](std::function<void(CRampEditorDialog&)> act) {
    return [&, act](CDialog& d) {
      if (d.IsKindOf(RUNTIME_CLASS(CFileDialog))) {
        static_cast<CFileDialog&>(d).SetControlText(edt1, answer.c_str());
        static_cast<CFileDialog&>(d).SetControlText(cmb13, answer.c_str());
        HWND hWndSystem = ::GetParent(d.m_hWnd);
        ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, IDOK));
        if (::GetFileAttributesA(answer.c_str()) != INVALID_FILE_ATTRIBUTES) {
          g_hWndReplacing = hWndSystem;
          ::SetTimer(nullptr, 0, 50, AnswerReplaceYes);
        }
        return;
      }
      act(static_cast<CRampEditorDialog&>(d));
    };
  };
  AfxSetModalDialogHook(fileOr([&](CRampEditorDialog& d) {
    EXPECT_EQ(255, d.m_ramp.m_red[0]) << "the set's colours";
    d.Select(128);
    EXPECT_EQ("128", Text(d, IDC_RAMP_SELECTION));
    d.m_ramp.m_green[128] = 255;
    Press(d, IDC_RAMP_ADD);
    Press(d, IDC_RAMP_DELETE);  // 128 is a node no more
    d.Select(0);
    Press(d, IDC_RAMP_DELETE);  // the ends stay
    d.Select(128);
    EXPECT_EQ(0, d.m_ramp.m_green[128]) << "no node there: back on the straight ramp";
    d.m_ramp.m_green[128] = 255;
    Press(d, IDC_RAMP_ADD);
    saved = d.m_ramp;
    answer = path;
    Press(d, IDC_RAMP_SAVE);
    // A read-only file refuses the next save and keeps the ramp it holds,
    // which the load below gives back.
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Press(d, IDC_RAMP_DELETE_ALL);
    Press(d, IDC_RAMP_SAVE);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("Unable to open file for writing", LastMessage());
    answer = broken;
    Press(d, IDC_RAMP_LOAD);
    EXPECT_EQ(0, d.m_ramp.m_green[128]) << "the 250 entries the short file held";
    EXPECT_EQ(saved.m_blue[255], d.m_ramp.m_blue[255]) << "and the rest as they were";
    answer = path;
    Press(d, IDC_RAMP_LOAD);
    EXPECT_EQ(0, std::memcmp(&saved, &d.m_ramp, sizeof saved));
    EXPECT_TRUE(Confirm(d));
  }));
  Command(ID_EDIT_PALETTE);
  AfxSetModalDialogHook(nullptr);
  ASSERT_EQ(2u, m_messageBoxes.size());
  EXPECT_EQ("Error during reading", LastMessage());
  EXPECT_EQ(1, saved.m_nodes[0]);
  EXPECT_EQ(1, saved.m_nodes[128]);
  EXPECT_EQ(255, set->m_green[128]);
  EXPECT_EQ(0, std::memcmp(saved.m_red, set->m_red, 256));
  EXPECT_EQ(0, std::memcmp(saved.m_blue, set->m_blue, 256));
  ExpectGdiPaletteOf(*set, "edited");
}

TEST_F(NdDialogCommandsTest, TheWizardSetsThePickingToolsAndLeavesNoneBehind) {
  CBrivanenDDoc* pDoc = OpenExperiment(4, 32);
  ASSERT_NE(nullptr, pDoc);
  for (int finish : {1, 0}) {
    std::vector<int> modes;
    AfxSetModalSheetHook([&](CPropertySheet& sheet) {
      modes.push_back(pDoc->m_nMouseMode);
      sheet.PressButton(PSBTN_NEXT);
      modes.push_back(pDoc->m_nMouseMode);
      sheet.PressButton(PSBTN_NEXT);
      modes.push_back(pDoc->m_nMouseMode);
      sheet.PressButton(finish ? PSBTN_FINISH : PSBTN_CANCEL);
    });
    Command(ID_TOOLS_SYNCHRONIZE);
    AfxSetModalSheetHook(nullptr);
    EXPECT_EQ((std::vector<int>{0, 9, 10}), modes);
    EXPECT_EQ(0, pDoc->m_nMouseMode) << (finish ? "finished" : "cancelled");
  }
}

TEST_F(NdDialogCommandsTest, CustomizeKeepsTheDivisorWithinTheMaximum) {
  OpenExperiment(4, 32);
  RunDialogs(ID_FILE_CUSTOMIZE, {[&](CDialog& d) {
               Type(d, IDC_CUSTOM_DIVISOR, "20");
               Type(d, IDC_CUSTOM_MAX_COEFFICIENTS, "10");
               Check(d, IDC_CUSTOM_SHOW_F1, false);
               EXPECT_TRUE(Confirm(d));
             }});
  EXPECT_EQ(10, App().m_nPredictionDivisor);
  EXPECT_EQ(10, App().m_nMaxCoefficients);
  EXPECT_EQ(0, App().m_drawSettings.m_bShowF1Axis);
  EXPECT_EQ(1, App().m_drawSettings.m_bShowF2Axis);
  EXPECT_EQ(0, App().GetProfileInt("Scale", "Show F1", -1));
  App().m_nPredictionDivisor = App().m_nMaxCoefficients = 16;
  App().m_drawSettings.m_bShowF1Axis = 1;
  App().WriteProfileInt("Scale", "Show F1", 1);
}

}  // namespace
