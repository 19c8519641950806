// The add/subtract bar in the running program: shown by its Tools command on
// a document of two spectra, a factor typed into the bar, the operands
// subtracted into the result, and the bar closed again; an operand shifted
// with the mouse stays on the bar's common scale.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

class CFileHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

const int kTd = 256;

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  std::string path = std::string(temp) + name;
  ::DeleteFileA(path.c_str());
  return path;
}

// Two spectra of different shapes and heights; the second is current once
// the file is opened.
std::string WriteTwoSpectra() {
  CFileHost host;
  CBrivaneProDoc doc(&host);
  for (int n = 0; n < 2; n++) {
    CSpectrumParams params;
    params.td = kTd;
    params.sw = 4000.0;
    params.sf = 400.0;
    params.title = n == 0 ? "first" : "second";
    CSpectrum* s = doc.AddSpectrum(params);
    s->m_pData = CSpectrum::AllocateFloats(kTd);
    s->m_pRawData = CSpectrum::AllocateFloats(kTd);
    for (int i = 0; i < kTd; i++)
      s->m_pData[i] = s->m_pRawData[i] = n == 0 ? (float)(i % 7) * 30.0f : (float)(kTd - i) * 2.0f;
    s->m_bTransformed = 1;
    doc.SetCurrentSpectrum(s);
  }
  doc.RefreshAfterAdd();
  const std::string path = TempPath("brivane_arithmetic.bvx");
  EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
  return path;
}

struct FindBar {
  HWND hWnd = nullptr;
};

BOOL CALLBACK MatchBar(HWND hWnd, LPARAM lParam) {
  if (::GetDlgItem(hWnd, IDC_ARITH_ADD) == nullptr)
    return TRUE;
  reinterpret_cast<FindBar*>(lParam)->hWnd = hWnd;
  return FALSE;
}

}  // namespace

TEST(ArithmeticProgramTest, TheBarSubtractsTheScaledOperandsIntoANewSpectrum) {
  const std::string source = WriteTwoSpectra();
  const std::string saved = TempPath("brivane_arithmetic_result.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + source + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  FindBar find;
  ::EnumChildWindows(app.main(), &MatchBar, reinterpret_cast<LPARAM>(&find));
  HWND bar = find.hWnd;
  ASSERT_NE(nullptr, bar);
  EXPECT_FALSE(::IsWindowVisible(bar)) << "hidden until asked for";

  app.PostCommand(ID_TOOLS_ADD_SUBTRACT);
  app.Sync();
  // The frame lays the bar out after the command returns.
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(bar) != FALSE; }, 5000));
  EXPECT_EQ("0", BrivaneProcess::WindowText(::GetDlgItem(bar, IDC_ARITH_SHIFT)));
  EXPECT_EQ("1.00", BrivaneProcess::WindowText(::GetDlgItem(bar, IDC_ARITH_FACTOR)));
  // Operand A is the current (second) spectrum. Its bars: a page of the
  // shift moves it td/10 points, a line of the factor 0.10; the end of
  // either scroll leaves them where they are.
  HWND factor = ::GetDlgItem(bar, IDC_ARITH_FACTOR);
  ::PostMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  for (int id : {IDC_ARITH_SHIFT_BAR, IDC_ARITH_FACTOR_BAR}) {
    HWND scroll = ::GetDlgItem(bar, id);
    ::PostMessageA(bar, WM_HSCROLL, id == IDC_ARITH_SHIFT_BAR ? SB_PAGERIGHT : SB_LINERIGHT, (LPARAM)scroll);
    ::PostMessageA(bar, WM_HSCROLL, SB_ENDSCROLL, (LPARAM)scroll);
  }
  EXPECT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(factor) == "1.10"; }, 5000))
      << BrivaneProcess::WindowText(factor);
  EXPECT_EQ("25", BrivaneProcess::WindowText(::GetDlgItem(bar, IDC_ARITH_SHIFT)));

  // The factor range: halved twice from 0 ... 2 to nothing, then doubled
  // from 1. The mouse move over the bar, handled before, ran the buttons'
  // update handlers: every button stays enabled.
  HWND factorBar = ::GetDlgItem(bar, IDC_ARITH_FACTOR_BAR);
  auto range = [&] {
    int nMin = -1, nMax = -1;
    ::GetScrollRange(factorBar, SB_CTL, &nMin, &nMax);
    return std::to_string(nMin) + "..." + std::to_string(nMax);
  };
  EXPECT_EQ("0...200", range());
  const struct {
    int nButton;
    const char* pszRange;
  } steps[] = {{IDC_ARITH_HALF, "0...100"}, {IDC_ARITH_HALF, "0...0"}, {IDC_ARITH_TWICE, "0...200"}};
  for (const auto& step : steps) {
    BrivaneProcess::Press(bar, step.nButton);
    EXPECT_TRUE(WaitFor([&] { return range() == step.pszRange; }, 5000)) << step.nButton << " " << range();
  }
  for (int id : {IDC_ARITH_SELECT_A, IDC_ARITH_SELECT_B, IDC_ARITH_ADD, IDC_ARITH_SUBTRACT, IDC_ARITH_CLOSE,
                 IDC_ARITH_TWICE, IDC_ARITH_HALF})
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar, id))) << id;

  // Then half of A, less the first spectrum.
  ::SendMessageA(factor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0.50"));
  ::PostMessageA(factor, WM_KEYDOWN, VK_RETURN, 0);
  app.Sync();
  BrivaneProcess::Press(bar, IDC_ARITH_SUBTRACT);
  app.Sync();

  app.PostCommand(ID_FILE_SAVE_AS);
  HWND save = app.WaitDialog();
  ASSERT_NE(nullptr, save);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(save, saved));
  ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  app.Sync();

  BrivaneProcess::Press(bar, IDC_ARITH_CLOSE);
  app.Sync();
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(bar); }, 5000));

  CFileHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(saved.c_str()));
  ASSERT_EQ(3, doc.GetSpectrumCount());
  const CSpectrum* b = doc.GetSpectrumAt(0);
  const CSpectrum* a = doc.GetSpectrumAt(1);
  const CSpectrum* result = doc.GetSpectrumAt(2);
  ASSERT_EQ(kTd, result->m_paramsA.td);
  // The operands were normalised when the bar was shown, and A shifted 25
  // complex points to the left.
  EXPECT_FLOAT_EQ(1.0f, b->m_pData[6]);
  EXPECT_FLOAT_EQ(2.0f * (kTd - 50) / 512.0f, a->m_pData[0]) << "float 50 over the largest, 512";
  EXPECT_EQ(0.0f, a->m_pData[kTd - 1]);
  for (int i = 0; i < kTd; i++)
    ASSERT_FLOAT_EQ(0.5f * a->m_pData[i] - b->m_pData[i], result->m_pData[i]) << i;
}

// A real FID opened twice through the menus, the bar shown and the current
// copy (operand A, drawn in the current spectrum's blue) shifted one page
// to the left with the mouse: the FID's first tenth, its largest values
// with it, leaves the data, and what is left is drawn on the scale the bar
// set up for both copies, as high as its values reach, not stretched to the
// height of the whole FID.
TEST(ArithmeticProgramTest, AShiftedOperandKeepsTheBarsCommonScale) {
  const char kFid[] = BRIVANE_SOURCE_DIR "/tests/data/bruker-aspirin-1h/1/fid";
  const COLORREF kCurrent = RGB(0, 0, 255);
  const std::string saved = TempPath("brivane_arithmetic_shifted.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  app.PostCommand(ID_FILE_OPEN_ADDITIONAL);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, BrivaneProcess::WinePath(kFid)));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 15000));
  app.Sync();
  app.PostCommand(ID_TOOLS_ADD_SUBTRACT);
  app.Sync();
  FindBar find;
  ::EnumChildWindows(app.main(), &MatchBar, reinterpret_cast<LPARAM>(&find));
  ASSERT_NE(nullptr, find.hWnd);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(find.hWnd) != FALSE; }, 5000));
  app.Sync();
  HWND view = PanesOf(app).view;
  // Where A's zero line lies: as the document keeps it.
  RECT rcView;
  ::GetClientRect(view, &rcView);
  ASSERT_TRUE(app.SaveAs(saved));
  CTestHost host;
  host.m_rcClient = rcView;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(saved.c_str()));
  ASSERT_EQ(3, doc.GetSpectrumCount()) << "the two copies and the result";
  const CSpectrum* a = doc.GetSpectrumAt(1);
  const int nZeroLine = (a->m_rectPlot.top + a->m_rectPlot.bottom) / 2;
  // The height of A's tallest line above its zero line.
  auto height = [&] {
    const TraceExtent trace = MeasureTrace(*Shot(view), nZeroLine, kCurrent);
    return trace.nColumns > 0 ? nZeroLine - trace.nTop : -1;
  };
  const int nBefore = height();
  ASSERT_GT(nBefore, 50);

  HWND shift = ::GetDlgItem(find.hWnd, IDC_ARITH_SHIFT_BAR);
  RECT rc;
  ::GetClientRect(shift, &rc);
  ClickWithMouse(shift, POINT{rc.right - rc.bottom - 4, rc.bottom / 2});  // the trough left of the right arrow
  HWND edit = ::GetDlgItem(find.hWnd, IDC_ARITH_SHIFT);
  const int td = a->m_paramsA.td;
  ASSERT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(edit) == std::to_string(td / 10); }, 5000))
      << BrivaneProcess::WindowText(edit);
  app.Sync();
  // The largest real value before and after the shift, as the data give it.
  float fAll = 0.0f, fLeft = 0.0f;
  for (int i = 0; i < td; i += 2) {
    fAll = std::max(fAll, a->m_pData[i]);
    if (i >= 2 * (td / 10))
      fLeft = std::max(fLeft, a->m_pData[i]);
  }
  ASSERT_LT(fLeft, 0.5f * fAll) << "the shift takes the tallest lines away";
  EXPECT_NEAR(nBefore * fLeft / fAll, height(), 3) << nBefore;
}
