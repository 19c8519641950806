// The JCAMP-DX importer reached through the document's dispatcher and
// through spectrum_probe.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
  ASSERT_EQ(doc.GetSpectrumCount(), 1);
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_EQ(s, doc.GetSpectrumAt(0));
  EXPECT_EQ(s->m_pRawData[2], -99.0f);
  EXPECT_STREQ((LPCSTR)host.m_app.m_History.GetTail(), "JCampDX file correctly imported");

  host.m_waits.clear();
  EXPECT_EQ(doc.ImportFile(BRIVANE_SOURCE_DIR "/CMakeLists.txt"), importFailed);
  EXPECT_EQ(host.m_waits, (std::vector<bool>{true, false}));
  EXPECT_EQ(host.m_messages, std::vector<std::string>{"Failed to import JCAMP-DX file\nCheck the history window"});
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

}  // namespace
