// The JCAMP-DX importer reached through the document's dispatcher and
// through spectrum_probe.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/document/document_test_host.h"
#include "tests/tools/run_tool.h"

namespace {

// Records the wait window the dispatcher shows around a JCAMP-DX import.
class CJcampHost : public CTestHost {
 public:
  void ShowImportWait(BOOL bShow) override { m_waits.push_back(bShow != FALSE); }
  std::vector<bool> m_waits;
};

TEST(JcampDocument, DispatcherShowsTheWaitWindowAndTheFailure) {
  CJcampHost host;
  host.m_app.m_nImportType = 8;
  CBrivaneProDoc doc(&host);
  EXPECT_EQ(doc.ImportFile(BRIVANE_REALDATA_DIR "/jcamp-1h.dx"), importForeign);
  EXPECT_EQ(host.m_waits, (std::vector<bool>{true, false}));
  EXPECT_TRUE(host.m_messages.empty());
  EXPECT_FALSE(host.m_app.m_bOpenFailureShown);
  ASSERT_EQ(doc.GetSpectrumCount(), 1);
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_EQ(s, doc.GetSpectrumAt(0));
  EXPECT_EQ(s->m_pRawData[2], -99.0f);
  EXPECT_STREQ((LPCSTR)host.m_app.m_History.GetTail(), "JCampDX file correctly imported");

  host.m_waits.clear();
  EXPECT_EQ(doc.ImportFile(BRIVANE_SOURCE_DIR "/CMakeLists.txt"), importFailed);
  EXPECT_EQ(host.m_waits, (std::vector<bool>{true, false}));
  EXPECT_EQ(host.m_messages, std::vector<std::string>{"Failed to import JCAMP-DX file\nCheck the history window"});
  EXPECT_TRUE(host.m_app.m_bOpenFailureShown) << "the caller shows no second box";
  EXPECT_STREQ((LPCSTR)host.m_app.m_strOpenFailure, "An error reading the core fixed header has ocurred");
  EXPECT_EQ(doc.GetSpectrumCount(), 1);
  EXPECT_EQ(doc.GetCurrentSpectrum(), s);
}

// spectrum_probe import 8 on the real file; its output lines.
TEST(JcampDocument, ProbeReadsTheRealFile) {
  std::string data = BRIVANE_REALDATA_DIR "/jcamp-1h.dx";
  std::string output = ::testing::TempDir() + "jcamp_probe.txt";
#ifdef _WIN32
  // Under Wine the build folder is reached through drive Z:.
  for (char& c : data)
    if (c == '/')
      c = '\\';
  data = "Z:" + data;
#endif
  const int status = RunTool(SPECTRUM_PROBE_PATH, "import 8 \"" + data + "\"", output);
  ASSERT_EQ(status, 0);
  std::ifstream in(output, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(0, 10), "spectra 1\n") << text;
  EXPECT_NE(text.find("spectrum 0 td=32768 sw=7991.520019 sf=399.784493896"), std::string::npos) << text;
  EXPECT_NE(text.find("title 0 auto\n"), std::string::npos) << text;
  EXPECT_NE(text.find("data 0 0 0 -99 0 -312 0 -264 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("history JCampDX file correctly imported\n"), std::string::npos) << text;
}

// The real spectrum through spectrum_probe process: a spectrum on the ppm
// scale its first and last x give (the last point one step short of it).
TEST(JcampDocument, ProbeShowsTheRealSpectrumOnTheScaleOfItsX) {
  const std::string output = ::testing::TempDir() + "jcamp_points.txt";
  ASSERT_EQ(0, RunTool(SPECTRUM_PROBE_PATH, "process 8 \"" BRIVANE_REALDATA_DIR "/jcamp-1h.dx\" \"" + output + "\"",
                       ::testing::TempDir() + "jcamp_points_out.txt"));
  std::ifstream in(output);
  std::vector<double> x;
  for (double a = 0, re = 0, im = 0; in >> a >> re >> im;)
    x.push_back(a);
  ASSERT_EQ(x.size(), 16384u);
  const double sf = 399.784493896, first = 6037.9072694778, last = -1953.6127495766;
  const double step = (first - last) / 16384 / sf;
  EXPECT_NEAR(x.front(), first / sf, 1e-6);
  EXPECT_NEAR(x.back(), last / sf + step, 1e-6);
}

struct Point {
  double x, re, im;
};

// spectrum_probe process TYPE PATH STEPS: the points of the result.
std::vector<Point> Processed(int nType, const std::string& path, const std::string& steps, const std::string& name) {
  const std::string points = ::testing::TempDir() + name + ".txt";
  std::vector<Point> result;
  const std::string args = "process " + std::to_string(nType) + " \"" + path + "\" \"" + points + "\" " + steps;
  if (RunTool(SPECTRUM_PROBE_PATH, args, ::testing::TempDir() + name + "_out.txt") != 0)
    return result;
  std::ifstream in(points);
  for (Point p; in >> p.x >> p.re >> p.im;)
    result.push_back(p);
  return result;
}

// The aspirin FID exported as JCAMP-DX opens with the Fourier Transform
// dialog's choices that the Bruker experiment gives (complex points, the
// digital filter's delay taken off), and those choices make the same
// spectrum on the same axis; phased by Autophase, its real part is the
// Bruker road's.
TEST(JcampDocument, ExportedFidTransformsWithTheDialogsDefaultsAsTheBrukerFid) {
  const std::string jcamp = BRIVANE_REALDATA_DIR "/jcamp-aspirin-fid.dx";
  const std::string bruker = BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid";
  CFourierTransformOptions options[2];
  for (int i = 0; i < 2; i++) {
    CTestHost host;
    host.m_app.m_nImportType = i == 0 ? 8 : 0;
    CBrivaneProDoc doc(&host);
    ASSERT_EQ(importForeign, doc.ImportFile((i == 0 ? jcamp : bruker).c_str()));
    BOOL bAll = FALSE, bAutophase = FALSE;
    doc.InitFourierTransform(options[i], bAll, bAutophase);
  }
  EXPECT_FALSE(options[0].bReal) << "complex points: Real would fold the spectrum";
  EXPECT_TRUE(options[0].bQuadrature);
  EXPECT_TRUE(options[0].bRotateData);
  EXPECT_EQ(61, options[0].nRotationPoints) << "the table's delay for DECIM 24, DSPFVS 10";
  EXPECT_EQ(options[1].bReal, options[0].bReal);
  EXPECT_EQ(options[1].bQuadrature, options[0].bQuadrature);
  EXPECT_EQ(options[1].bRotateData, options[0].bRotateData);
  EXPECT_EQ(options[1].nRotationPoints, options[0].nRotationPoints);
  EXPECT_EQ(options[1].nPoints, options[0].nPoints);

  const std::vector<Point> j = Processed(8, jcamp, "ft autophase", "jcamp_fid_ft");
  const std::vector<Point> b = Processed(0, bruker, "ft autophase", "bruker_fid_ft");
  ASSERT_EQ(8192u, j.size());
  ASSERT_EQ(b.size(), j.size());
  const double step = std::fabs(b[1].x - b[0].x);
  double dWorst = 0.0, sj = 0, sb = 0, sjj = 0, sbb = 0, sjb = 0;
  size_t kj = 0, kb = 0;
  for (size_t i = 0; i < j.size(); i++) {
    dWorst = std::max(dWorst, std::fabs(j[i].x - b[i].x));
    sj += j[i].re, sb += b[i].re, sjj += j[i].re * j[i].re, sbb += b[i].re * b[i].re, sjb += j[i].re * b[i].re;
    kj = j[i].re > j[kj].re ? i : kj;
    kb = b[i].re > b[kb].re ? i : kb;
  }
  EXPECT_LT(dWorst, step) << "every point within one of the Bruker road's";
  const double n = (double)j.size();
  const double r = (sjb - sj * sb / n) / std::sqrt((sjj - sj * sj / n) * (sbb - sb * sb / n));
  EXPECT_GE(r, 0.98);
  EXPECT_EQ(kb, kj) << "the tallest line";
  EXPECT_NEAR(2.29, j[kj].x, 0.05) << "the methyl singlet";
}

}  // namespace
