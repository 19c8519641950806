// A chemist's first look at a real FID through brivane23.exe, with the
// engines made faster: File > Open of the aspirin's Bruker experiment,
// Process > Apodize (exponential, LB 1, OK), Process > Fourier Transform
// (with Autophase Correction, OK). After each step the document saved as it
// stands holds the numbers the former window and transform give, bit for
// bit, and the view shows the trace the former column builder gives of
// them, pixel for pixel.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/lines_document.h"
#include "tests/onedim/model/legacy_window.h"
#include "tests/onedim/plot/legacy_trace.h"
#include "tests/onedim/processing/legacy_fourier.h"
#include "onedim/document/ApodizeSession.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/processing/FastFourier.h"
#include "onedim/processing/FourierTransformStep.h"
#include "resources/BrivaneRes.h"

namespace {

const char kFid[] = BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid";

// The lower pane of the active document window: the 1D view.
HWND SpectrumView(const BrivaneProcess& app) {
  HWND child = app.ActiveChild();
  if (child == nullptr)
    return nullptr;
  HWND splitter = ::GetDlgItem(child, AFX_IDW_PANE_FIRST);
  HWND first = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
  HWND second = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16);
  return second != nullptr && ::IsWindowVisible(second) ? second : first;
}

// The document core's road with the former window and transform, step by
// step as the Apodize and Fourier Transform commands take it.
class CFormerRoad {
 public:
  CFormerRoad() : m_doc(&m_host) {
    m_host.m_app.m_nImportType = 0;
    EXPECT_NE(m_doc.ImportFile(kFid), importFailed);
    m_doc.RefreshAfterAdd();
  }
  CSpectrum& Spectrum() { return *m_doc.GetCurrentSpectrum(); }

  // Apodize, OK: the applied phases go to 0, the weighted signal becomes
  // the data.
  void Apodize(float fLB) {
    CSpectrum& s = Spectrum();
    CApodizeSession session(&m_doc);
    session.KeepWeightedCopies();
    session.KeepData();
    session.Accept();
    legacy_window::Parameters window;
    window.type = 0;
    window.lb = fLB;
    std::vector<double> weights;
    std::vector<float> weighted;
    EXPECT_TRUE(legacy_window::Apply(window, s.m_pRawData, s.m_paramsA.td, s.m_paramsA.sw, weights, weighted));
    std::memcpy(s.m_pData, weighted.data(), sizeof(float) * weighted.size());
  }

  // Fourier Transform, OK, with the dialog's first values.
  void Transform() {
    CSpectrum& s = Spectrum();
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bAutophase = FALSE;
    m_doc.InitFourierTransform(options, bAll, bAutophase);
    EXPECT_TRUE(bAutophase);
    EXPECT_TRUE(PrepareSpectrumForTransform(s, options));
    const int td = s.m_paramsA.td;
    CFastFourier steps;
    steps.SetData(s.m_pData, td, options.bReal ? 0 : 1, options.bQuadrature, 0);
    steps.HalveFirstPoint();
    if (options.bDriftCorrection)
      steps.RemoveDrift();
    if (options.bQuadrature)
      steps.Rotate();
    if (options.bReal) {
      legacy_fourier::RealTransform(s.m_pData, 1, td);
    } else {
      if (s.m_paramsA.bConjugate)
        steps.Conjugate();
      legacy_fourier::ComplexTransform(s.m_pData, 1, td / 2);
    }
    s.m_dPhase0 = s.m_dPhase1 = 0.0;
    m_doc.AutoPhaseSpectrum(s);
  }

 private:
  CViewHost m_host;
  CBrivaneProDoc m_doc;
};

// The former column builder's trace of s, drawn as the view draws it.
std::unique_ptr<TestBitmap> FormerTrace(const CSpectrum& s, const TraceDevice& screen, const RECT& rc) {
  const std::vector<POINT> points = legacy_trace::BuildColumnTrace(s.m_pData, MakeTraceMapping(s, screen, true));
  auto bitmap = std::make_unique<TestBitmap>(rc.right, rc.bottom);
  bitmap->Fill(RGB(255, 255, 255));
  if (points.empty())
    return bitmap;
  HPEN pen = ::CreatePen(PS_SOLID, 1, s.m_crTrace);
  HGDIOBJ old = ::SelectObject(bitmap->dc(), pen);
  ::MoveToEx(bitmap->dc(), points[0].x, points[0].y, nullptr);
  for (size_t k = 1; k < points.size(); ++k)
    ::LineTo(bitmap->dc(), points[k].x, points[k].y);
  ::SelectObject(bitmap->dc(), old);
  ::DeleteObject(pen);
  return bitmap;
}

// The first row of the axis, drawn over the trace: a line across the view
// in neither the background's nor the trace's colour.
int AxisTop(const TestBitmap& shot, COLORREF crTrace, COLORREF crBackground) {
  for (int y = 0; y < shot.height(); ++y) {
    int n = 0;
    for (int x = 0; x < shot.width(); ++x) {
      const COLORREF c = shot.Pixel(x, y);
      n += c != crTrace && c != crBackground;
    }
    if (n * 10 > shot.width() * 9)
      return y;
  }
  return shot.height();
}

// The pixels above the axis where one picture shows the trace's colour and
// the other does not.
int Mismatch(const TestBitmap& want, const TestBitmap& shot, COLORREF cr, int nAxisTop) {
  int n = 0;
  for (int y = 0; y < nAxisTop; ++y)
    for (int x = 0; x < want.width(); ++x)
      n += (want.Pixel(x, y) == cr) != (shot.Pixel(x, y) == cr);
  return n;
}

// Saves the program's document and checks it against the former road: the
// same floats, and the view showing the former trace of them above its
// axis. The file
// keeps the zero line in ten-thousandths of the view's height, a pixel or
// two from where the view holds it, and not the largest value the drawing
// is normalised by (measured when the spectrum was first drawn, here the
// FID, or now): the closest of those is compared.
void ExpectFormerNumbersAndTrace(BrivaneProcess& app, const std::string& path, CSpectrum& former, float fidMax,
                                 const char* step) {
  ::DeleteFileA(path.c_str());
  ASSERT_TRUE(app.SaveAs(path)) << step;
  HWND view = SpectrumView(app);
  ASSERT_NE(nullptr, view) << step;
  RECT rc;
  ::GetClientRect(view, &rc);
  CViewHost host;
  host.m_rc = rc;
  CBrivaneProDoc saved(&host);
  ASSERT_TRUE(saved.ReadNativeFile(path.c_str())) << step;
  saved.RefreshAfterLoad();
  CSpectrum& s = *saved.GetSpectrumAt(0);
  ASSERT_EQ(former.m_paramsA.td, s.m_paramsA.td) << step;
  EXPECT_EQ(0, std::memcmp(s.m_pData, former.m_pData, sizeof(float) * (size_t)s.m_paramsA.td)) << step;

  TraceDevice screen;
  HDC hScreen = ::GetDC(nullptr);
  screen.nVertRes = ::GetDeviceCaps(hScreen, VERTRES);
  ::ReleaseDC(nullptr, hScreen);
  s.FindMaximum();
  const float maxima[2] = {fidMax, s.m_fMaxValue};
  const RECT plot = s.m_rectPlot;
  int nBest = -1, nTrace = 0;
  EXPECT_TRUE(WaitFor(
      [&] {
        const std::unique_ptr<TestBitmap> shot = ScreenCopy(view);
        const int nAxisTop = AxisTop(*shot, s.m_crTrace, saved.m_crBackground);
        for (float fMax : maxima)
          for (int shift = -2; shift <= 2; ++shift) {
            s.m_fMaxValue = fMax;
            s.m_rectPlot = {plot.left, plot.top + shift, plot.right, plot.bottom + shift};
            const std::unique_ptr<TestBitmap> want = FormerTrace(s, screen, rc);
            const int nWrong = Mismatch(*want, *shot, s.m_crTrace, nAxisTop);
            if (nBest < 0 || nWrong < nBest) {
              nBest = nWrong;
              nTrace = want->Count(s.m_crTrace);
            }
          }
        return nTrace > 1000 && nBest == 0;
      },
      10000))
      << step << ": " << nBest << " pixels of " << nTrace << " differ";
}

TEST(EngineRoadProgramTest, ARealFidTransformsAndDrawsAsBefore) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "brivane_engine_road.bvx";
  CFormerRoad former;
  CSpectrum& s = former.Spectrum();
  s.FindMaximum();
  const float fidMax = s.m_fMaxValue;

  // The file type chosen in Import File stays in the profile: an earlier
  // test's Varian or JCAMP-DX choice would refuse the Bruker FID.
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_FILE_OPEN);
  HWND open = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, open);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(open, BrivaneProcess::WinePath(kFid)));
  // The FID drawn: its largest value now sets the drawing's scale.
  ASSERT_TRUE(WaitFor(
      [&] {
        HWND view = app.ChildCount() == 1 ? SpectrumView(app) : nullptr;
        return view != nullptr && ScreenCopy(view)->Count(s.m_crTrace) > 1000;
      },
      20000));
  app.Sync();
  ExpectFormerNumbersAndTrace(app, path, s, fidMax, "open");

  app.PostCommand(ID_PROCESS_APODIZE);
  HWND apodize = app.WaitDialog("Window Functions");
  ASSERT_NE(nullptr, apodize);
  ::SendMessageA(::GetDlgItem(apodize, IDC_WF_LB), WM_SETTEXT, 0, (LPARAM) "1.0");
  ASSERT_TRUE(BrivaneProcess::Dismiss(apodize, IDOK));
  app.Sync();
  former.Apodize(1.0f);
  ExpectFormerNumbersAndTrace(app, path, s, fidMax, "apodize");

  app.PostCommand(ID_PROCESS_FOURIER);
  HWND transform = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, transform);
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(transform, IDC_FT_AUTOPHASE), BM_GETCHECK, 0, 0));
  ASSERT_TRUE(BrivaneProcess::Dismiss(transform, IDOK));
  app.Sync();
  former.Transform();
  ExpectFormerNumbersAndTrace(app, path, s, fidMax, "transform");
}

}  // namespace
