// Baseline correction in the running program: points clicked in the view for
// the multi-point lines and the auto-fit polynomial (a click on a point takes
// it away again), the manual polynomial moved by its scroll bar, and Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/app/lines_document.h"

namespace {

const int kTd = 2048;

// Lines of 1000 at complex points 300 and 700 on a sloped offset.
double Line(int k) {
  double y = 0.0;
  for (double c : {300.0, 700.0}) {
    const double u = (k - c) / 3.0;
    y += 1000.0 / (1.0 + u * u);
  }
  return y;
}
double Offset(int k) {
  return 200.0 + 0.2 * k;
}

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  std::string path = std::string(temp) + name;
  ::DeleteFileA(path.c_str());
  return path;
}

std::string WriteSpectrum() {
  CViewHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, "baseline", kTd, 0, [](int i) {
    const int k = i / 2;
    return (float)(i % 2 ? Offset(k) : Line(k) + Offset(k));
  });
  s->m_bTransformed = 1;
  doc.RefreshAfterAdd();
  const std::string path = TempPath("brivane_baseline.bvx");
  EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
  return path;
}

bool SaveAs(BrivaneProcess& app, const std::string& path) {
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND save = app.WaitDialog();
  if (save == nullptr || !BrivaneProcess::EnterFileName(save, path))
    return false;
  const bool bSaved = WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
  app.Sync();
  return bSaved;
}

struct Saved {
  CStoredLayoutHost host;
  CBrivaneProDoc doc{&host};
  const CSpectrum* s = nullptr;
  bool Read(const std::string& path) {
    if (!doc.ReadNativeFile(path.c_str()))
      return false;
    s = doc.GetSpectrumAt(0);
    return s != nullptr && s->m_pData != nullptr && s->m_paramsA.td == kTd;
  }
  // The real value at complex point k less what is expected there.
  double Off(int k, double dExpected) const { return s->m_pData[2 * k] - dExpected; }
};

LPARAM At(int x, int y) {
  return MAKELPARAM((WORD)(short)x, (WORD)(short)y);
}

void Click(BrivaneProcess& app, HWND view, int x, int y) {
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(x, y));
  app.Sync();
}

}  // namespace

TEST(BaselineProgramTest, PointsPickedInTheViewAndTheManualPolynomialCorrectTheBaseline) {
  const std::string source = WriteSpectrum();
  const std::string lines = TempPath("brivane_baseline_lines.bvx");
  const std::string lifted = TempPath("brivane_baseline_lifted.bvx");
  const std::string fitted = TempPath("brivane_baseline_fitted.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + source + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  HWND view = ::GetDlgItem(::GetDlgItem(child, AFX_IDW_PANE_FIRST), AFX_IDW_PANE_FIRST);
  ASSERT_NE(nullptr, view);

  // Where the program draws the spectrum: the layout of the file.
  Saved layout;
  ASSERT_TRUE(layout.Read(source));
  CBrivaneProDoc& doc = layout.doc;
  doc.RefreshAfterLoad();
  CSpectrum* s = doc.GetSpectrumAt(0);
  doc.SetCurrentSpectrum(s);
  s->FindMaximum();
  const double dPixel = s->m_fMaxValue / (s->m_fVerticalScale * s->m_fIntensityStep);
  auto x = [&](int k) {
    return doc.PointToPixel(2 * k);
  };

  // Multi-Point: the ends of the trace and a point between the lines; the
  // lines between them come off.
  app.PostCommand(ID_PROCESS_BASELINE_MULTI);
  HWND dialog = WaitPointsDialog(app, IDOK);
  ASSERT_NE(nullptr, dialog);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_MPB_COMPUTE)));
  Click(app, view, x(500), 10);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  ASSERT_TRUE(SaveAs(app, lines));

  // Manual polynomial: c0 ten pixels below the zero line lifts the trace.
  app.PostCommand(ID_PROCESS_BASELINE_MANUAL);
  dialog = app.WaitDialog("Polynomial Baseline Correction");
  ASSERT_NE(nullptr, dialog);
  ::PostMessageA(dialog, WM_HSCROLL, SB_LINERIGHT, (LPARAM)::GetDlgItem(dialog, IDC_PB_ORDER0));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  ASSERT_TRUE(SaveAs(app, lifted));

  // Auto-Fit, first cancelled, then a straight line through the ends and a
  // point between the lines; a point clicked again goes.
  app.PostCommand(ID_PROCESS_BASELINE_AUTO_FIT);
  dialog = WaitPointsDialog(app, IDC_MPB_COMPUTE);
  ASSERT_NE(nullptr, dialog);
  Click(app, view, x(500), 10);
  BrivaneProcess::Press(dialog, IDC_MPB_COMPUTE);
  app.Sync();
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.PostCommand(ID_PROCESS_BASELINE_AUTO_FIT);
  dialog = WaitPointsDialog(app, IDC_MPB_COMPUTE);
  ASSERT_NE(nullptr, dialog);
  // Off the trace the point lies where the mouse was, high above the line.
  ::CheckDlgButton(dialog, IDC_MPB_FIT_TRACE, BST_UNCHECKED);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MPB_FIT_TRACE, BN_CLICKED),
                 (LPARAM)::GetDlgItem(dialog, IDC_MPB_FIT_TRACE));
  Click(app, view, x(300), 10);
  Click(app, view, x(300), 10);
  ::CheckDlgButton(dialog, IDC_MPB_FIT_TRACE, BST_CHECKED);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MPB_FIT_TRACE, BN_CLICKED),
                 (LPARAM)::GetDlgItem(dialog, IDC_MPB_FIT_TRACE));
  Click(app, view, x(500), 10);
  BrivaneProcess::Press(dialog, IDC_MPB_COMPUTE);
  app.Sync();
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDC_MPB_SUBTRACT));
  ASSERT_TRUE(SaveAs(app, fitted));

  Saved a, b, c;
  ASSERT_TRUE(a.Read(lines) && b.Read(lifted) && c.Read(fitted));
  // The lift was set on the trace as drawn after the multi-point step: to
  // the largest value of the data it left.
  const double dLiftPixel = a.s->GetLargestValue() / (a.s->m_fVerticalScale * a.s->m_fIntensityStep);
  for (int k : {100, 500, 900}) {
    EXPECT_NEAR(0.0, a.Off(k, Line(k)), 2 * dPixel) << k;
    EXPECT_NEAR(0.0, b.Off(k, Line(k) + 10 * dLiftPixel), 2 * dPixel) << k;
    EXPECT_NEAR(0.0, c.Off(k, Line(k)), 2 * dPixel) << k;
  }
  for (int k : {300, 700}) {
    EXPECT_NEAR(1000.0, a.s->m_pData[2 * k], 2 * dPixel) << k;
    EXPECT_NEAR(1000.0, c.s->m_pData[2 * k], 2 * dPixel) << k;
  }
  EXPECT_EQ(0.0f, a.s->m_pData[kTd - 2]) << "the last point of the lines";
  EXPECT_EQ(0.0f, a.s->m_pData[kTd - 1]);
}
