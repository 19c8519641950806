// The engines made faster give today's numbers on the real spectrometer
// files: every weighted float of every window function, and every point of
// the trace at every width.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "onedim/model/WindowFunction.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/processing/AutoPhase.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/document/document_test_host.h"
#include "tests/onedim/model/legacy_window.h"
#include "tests/onedim/plot/legacy_trace.h"
#include "tests/onedim/processing/legacy_autophase.h"

namespace {

struct RealFile {
  const char* path;
  int nImportType;
};

const RealFile kRealFiles[] = {
    {"/bruker-aspirin-1h/1/fid", 0},
    {"/bruker-gaba-13c/13C/fid", 0},
    {"/varian-proton.fid/fid", 3},
    {"/jcamp-1h.dx", 8},
};

// The file's spectrum as imported, owned by the document.
class RealSpectrum {
 public:
  explicit RealSpectrum(const RealFile& file) : m_doc(&m_host) {
    m_host.m_app.m_nImportType = file.nImportType;
    const std::string path = std::string(BRIVANE_REALDATA_DIR) + file.path;
    if (m_doc.ImportFile(path.c_str()) != importFailed)
      m_doc.RefreshAfterAdd();
  }
  CSpectrum* Get() { return m_doc.GetCurrentSpectrum(); }
  // The forward transform, zero filled to nFloats (0: td).
  void Transform(int nFloats) {
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bAutophase = FALSE;
    m_doc.InitFourierTransform(options, bAll, bAutophase);
    if (nFloats > 0)
      options.nPoints = nFloats;
    m_doc.FourierTransform(options, FALSE, FALSE);
  }

 private:
  CTestHost m_host;
  CBrivaneProDoc m_doc;
};

bool SameBits(float a, float b) {
  uint32_t x, y;
  std::memcpy(&x, &a, 4);
  std::memcpy(&y, &b, 4);
  return x == y;
}

struct WindowCase {
  int type;
  float lb, gb, gaussShift, sineShift;
};

// The windows whose weights come from block factors, over line broadenings
// from narrow to steep and both signs, and each of the others once.
const WindowCase kWindows[] = {
    {0, 0.3f, 1, 0, 0},      {0, 1.0f, 1, 0, 0},      {0, 5.0f, 1, 0, 0},     {0, -0.5f, 1, 0, 0},
    {0, 40.0f, 1, 0, 0},     {1, 0.3f, 1, 0, 0},      {1, 2.0f, 1, 0.15f, 0}, {1, 8.0f, 1, 0.3f, 0},
    {2, -1.0f, 0.1f, 0, 0},  {2, -0.3f, 0.3f, 0, 0},  {2, -4.0f, 1.0f, 0, 0}, {2, 2.0f, 0.5f, 0, 0},
    {3, 1.0f, 1, 0, 0},      {3, -2.0f, 1, 0, 0},     {3, 0, 1, 0, 0},        {3, 30.0f, 1, 0, 0},
    {3, 400.0f, 1, 0, 0},    {4, 0, 1, 0, 0},         {4, 0, 1, 0, 12.5f},    {4, 0, 1, 0, 45.0f},
    {4, 0, 1, 0, 89.9f},     {4, 0, 1, 0, 90.0f},     {4, 0, 1, 0, -20.0f},   {4, 0, 1, 0, 135.0f},
    {5, 0, 1, 0, 0},         {5, 0, 1, 0, 60.0f},     {5, 0, 1, 0, 90.0f},    {6, 0, 1, 0, 0},
    {7, 0, 1, 0, 0},         {9, 1.0f, 1, 0, 0},
};

// Near weights differ from the own weights by the recurrences' and block
// factors' rounding: to 2^-42 relative, and 2^-58 absolute for Hanning
// near its end.

// Every weighted float as the former weights give it, bit for bit, and the
// curve drawn from the weights point for point; the weights themselves to
// the near weights' bound.
TEST(EngineIdentity, WindowFunctionsWeightEveryFloatOfTheRealFilesAsBefore) {
  for (const RealFile& file : kRealFiles) {
    RealSpectrum real(file);
    CSpectrum* s = real.Get();
    ASSERT_NE(s, nullptr) << file.path;
    int td = s->m_paramsA.td;
    double sw = s->m_paramsA.sw;
    ASSERT_GT(td, 0) << file.path;
    for (const WindowCase& c : kWindows) {
      std::vector<float> target(td);
      CWindowFunction window(s->m_pRawData, target.data(), &td, &sw);
      ASSERT_TRUE(window.SetParameters(c.type, c.lb, c.gb, c.gaussShift, c.sineShift));
      legacy_window::Parameters p;
      p.type = c.type;
      p.lb = c.lb;
      p.gb = c.gb;
      p.gaussShift = c.gaussShift;
      p.sineShift = c.sineShift;
      std::vector<double> formerWeights;
      std::vector<float> former;
      const bool bFormer = legacy_window::Apply(p, s->m_pRawData, td, sw, formerWeights, former);
      ASSERT_EQ(window.Apply() != FALSE, bFormer) << file.path << " type " << c.type << " LB " << c.lb;
      if (!bFormer)
        continue;
      EXPECT_EQ(window.m_LB, p.lb);
      for (int i = 0; i < td; ++i) {
        ASSERT_TRUE(SameBits(target[i], former[i]))
            << file.path << " type " << c.type << " LB " << c.lb << " float " << i << ": " << target[i] << " for "
            << former[i];
        const double w = window.GetWeights()[i], want = formerWeights[i];
        ASSERT_LE(std::fabs(w - want), 0x1p-42 * std::fabs(want) + 0x1p-58 + 1e-300)
            << file.path << " type " << c.type << " " << i;
      }
      // The curve drawn from the weights: the former weights' points at
      // every 41st width and view heights of odd and even scale.
      std::vector<double> own(window.GetWeights(), window.GetWeights() + td);
      for (int height : {237, 238, 600, 601}) {
        window.m_nViewHeight = height;
        for (int width = 1; width <= 1300; width += 41) {
          std::memcpy(window.m_pWeights, own.data(), td * sizeof(double));
          const std::vector<POINT> got = window.CurvePoints(17, 17 + width);
          std::memcpy(window.m_pWeights, formerWeights.data(), td * sizeof(double));
          const std::vector<POINT> want = window.CurvePoints(17, 17 + width);
          ASSERT_EQ(got.size(), want.size());
          for (size_t k = 0; k < want.size(); ++k)
            ASSERT_TRUE(got[k].x == want[k].x && got[k].y == want[k].y)
                << file.path << " type " << c.type << " width " << width << " point " << k << ": " << got[k].x << ","
                << got[k].y << " for " << want[k].x << "," << want[k].y;
        }
      }
    }
  }
}

// The trace of each file on the screen and on a printer page, whole and
// zoomed to a fifth, at every 17th width up to 1300 pixels, and the
// aspirin's whole trace on the screen at every width: the points of the
// former point-by-point mapping.
TEST(EngineIdentity, TraceColumnsOfTheRealFilesAtEveryWidthAreTheFormerPoints) {
  for (const RealFile& file : kRealFiles) {
    RealSpectrum real(file);
    CSpectrum* s = real.Get();
    ASSERT_NE(s, nullptr) << file.path;
    s->FindMaximum();
    const int td = s->m_paramsA.td;
    for (int zoom = 0; zoom <= 1; ++zoom) {
      s->m_nFirst = zoom ? (td / 3) & ~1 : 0;
      s->m_nLast = zoom ? s->m_nFirst + ((td / 5) & ~1) : td;
      for (int printer = 0; printer <= 1; ++printer) {
        TraceDevice device;
        device.bPrinter = printer != 0;
        device.rcMargins = {150, 120, 150, 130};
        device.nVertRes = printer ? 3508 : 1024;
        s->m_dPrintScaleX = printer ? 1.93 : 1.0;
        s->m_dPrintScaleY = printer ? 2.41 : 1.0;
        s->m_rectPlot = {0, 40, 1300, 700};
        const bool bEveryWidth = !zoom && !printer && &file == &kRealFiles[0];
        for (int width = 1; width <= 1300; width += bEveryWidth ? 1 : 17) {
          s->m_nLeftPixel = 17;
          s->m_nRightPixel = 17 + width;
          const TraceMapping m = MakeTraceMapping(*s, device, true);
          const std::vector<POINT> got = BuildColumnTrace(s->m_pData, m);
          const std::vector<POINT> want = legacy_trace::BuildColumnTrace(s->m_pData, m);
          ASSERT_EQ(got.size(), want.size()) << file.path << " width " << width;
          for (size_t k = 0; k < want.size(); ++k)
            ASSERT_TRUE(got[k].x == want[k].x && got[k].y == want[k].y)
                << file.path << " width " << width << " zoom " << zoom << " point " << k;
        }
      }
    }
  }
}

// Autophase on each real file transformed as it is and zero filled four
// times, and on the spectra turned by further phases: the phases of the
// former search bit for bit, and the points left in the same polar form.
TEST(EngineIdentity, AutophaseFindsTheFormerPhasesOnTheRealFiles) {
  for (const RealFile& file : kRealFiles) {
    for (int fill : {1, 4}) {
      RealSpectrum real(file);
      CSpectrum* s = real.Get();
      ASSERT_NE(s, nullptr) << file.path;
      real.Transform(fill * s->m_paramsA.td);
      const int n = s->m_paramsA.td / 2;
      for (double turn : {0.0, 0.7, 2.9, -1.9}) {
        std::vector<float> points(s->m_pData, s->m_pData + 2 * n);
        for (int k = 0; k < n; ++k) {
          const double a = turn * (1.0 + 0.3 * k / n), re = points[2 * k], im = points[2 * k + 1];
          points[2 * k] = (float)(re * std::cos(a) - im * std::sin(a));
          points[2 * k + 1] = (float)(re * std::sin(a) + im * std::cos(a));
        }
        std::vector<float> former = points;
        float want[2];
        legacy_autophase::Autophase(n, former.data(), want);
        const float* got = autophase(n, points.data());
        EXPECT_TRUE(SameBits(got[0], want[0]) && SameBits(got[1], want[1]))
            << file.path << " x" << fill << " turned " << turn << ": " << got[0] << ", " << got[1] << " for "
            << want[0] << ", " << want[1];
        EXPECT_EQ(0, std::memcmp(points.data(), former.data(), points.size() * sizeof(float))) << file.path;
      }
    }
  }
}

}  // namespace
