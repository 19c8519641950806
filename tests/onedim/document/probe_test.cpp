// spectrum_probe as a program: a document it saved reads back with the same
// lines, and a file it cannot read ends in an error line and status 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/onedim/document/document_test_host.h"
#include "tests/tools/run_tool.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int RunProbe(const std::string& args, const std::string& output) {
  return RunTool(SPECTRUM_PROBE_PATH, args, output);
}

TEST(SpectrumProbeTest, SavedDocumentReadsBackWithTheSameLines) {
  std::string dir = ::testing::TempDir();
  std::string a = dir + "probe_a.bvx", b = dir + "probe_b.bvx";
  {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    AddTestSpectrum(doc, 64, [](int i) { return (float)((i * 37) % 19) - 9.5f; });
    AddTestSpectrum(
        doc, 16, [](int i) { return i == 11 ? -40.0f : 1.0f; }, 1234.5, 600.25);
    ASSERT_TRUE(doc.WriteNativeFile(a.c_str()));
  }
  ASSERT_EQ(RunProbe("import 9 \"" + a + "\"", dir + "probe_1.txt"), 0);
  ASSERT_EQ(RunProbe("save 9 \"" + a + "\" \"" + b + "\"", dir + "probe_2.txt"), 0);
  ASSERT_EQ(RunProbe("import 9 \"" + b + "\"", dir + "probe_3.txt"), 0);
  std::string first = Slurp(dir + "probe_1.txt");
  EXPECT_EQ(first.substr(0, 10), "spectra 2\n");
  EXPECT_NE(first.find("peak 1 index=11 value=-40\n"), std::string::npos) << first;
  EXPECT_NE(first.find("sw=1234.500000 sf=600.250000000"), std::string::npos) << first;
  EXPECT_EQ(Slurp(dir + "probe_3.txt"), first);
  EXPECT_EQ(Slurp(dir + "probe_2.txt"), first);
}

TEST(SpectrumProbeTest, UnreadableFileGivesAnErrorLine) {
  std::string dir = ::testing::TempDir();
  std::string bad = dir + "probe_bad.bvx";
  std::ofstream(bad, std::ios::binary) << "BVX\x02";
  EXPECT_EQ(RunProbe("import 9 \"" + bad + "\"", dir + "probe_4.txt"), 1);
  std::string out = Slurp(dir + "probe_4.txt");
  EXPECT_EQ(out.substr(0, 6), "error ") << out;
  EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line: " << out;
  EXPECT_EQ(RunProbe("import 99 \"" + bad + "\"", dir + "probe_5.txt"), 1);
}

// AB at 100 and 110 Hz, J 8: the four lines in ascending order with the
// closed-form positions and intensities.
TEST(SpectrumProbeTest, SimulatePrintsTheLines) {
  std::string dir = ::testing::TempDir();
  ASSERT_EQ(RunProbe("simulate 300 1:100 1:110 J=0,1,8", dir + "probe_6.txt"), 0);
  std::istringstream out(Slurp(dir + "probe_6.txt"));
  const double r = std::sqrt(164.0);
  const double expected[4][2] = {
      {105 - (r + 8) / 2, (1 - 8 / r) / 4},
      {105 - (r - 8) / 2, (1 + 8 / r) / 4},
      {105 + (r - 8) / 2, (1 + 8 / r) / 4},
      {105 + (r + 8) / 2, (1 - 8 / r) / 4},
  };
  std::string line;
  for (const auto& e : expected) {
    ASSERT_TRUE(std::getline(out, line));
    double f = 0, i = 0;
    ASSERT_EQ(2, std::sscanf(line.c_str(), "line f=%lf i=%lf", &f, &i)) << line;
    EXPECT_NEAR(e[0], f, 1e-6);
    EXPECT_NEAR(e[1], i, 1e-9);
  }
  ASSERT_TRUE(std::getline(out, line));
  EXPECT_EQ("lines 4", line);
  EXPECT_FALSE(std::getline(out, line));
}

TEST(SpectrumProbeTest, SimulateRefusesBadArguments) {
  std::string dir = ::testing::TempDir();
  for (const char* args : {"simulate 0 1:100", "simulate 300 1:100 J=0,0,5", "simulate 300 13:100",
                           "simulate 300 1:100 1:110 J=0,1,nan"}) {
    EXPECT_EQ(RunProbe(args, dir + "probe_7.txt"), 1) << args;
    std::string out = Slurp(dir + "probe_7.txt");
    EXPECT_EQ(out.substr(0, 6), "error ") << out;
  }
}

// phase=90,0 turns every point a quarter round; autophase on data it cannot
// improve (silence, two points, noise) ends with finite data.
TEST(SpectrumProbeTest, PhaseStepsTurnTheDataAndAutophaseStaysFinite) {
  std::string dir = ::testing::TempDir();
  const struct {
    int td;
    float (*value)(int);
    const char* step;
    bool bQuarterTurn;
  } cases[] = {
      {64, [](int i) { return (float)((i * 37) % 19) - 9.5f; }, "phase=90,0", true},
      {16, [](int) { return 0.0f; }, "autophase", false},
      {4, [](int i) { return i == 1 ? -2.0f : 1.0f; }, "autophase", false},
      {256, [](int i) { return (float)((i * 7919) % 211) / 211.0f - 0.5f; }, "autophase", false},
  };
  for (const auto& c : cases) {
    std::string in = dir + "probe_phase.bvx", out = dir + "probe_phase_points.txt";
    {
      CTestHost host;
      CBrivaneProDoc doc(&host);
      AddTestSpectrum(doc, c.td, c.value);
      ASSERT_TRUE(doc.WriteNativeFile(in.c_str()));
    }
    ASSERT_EQ(RunProbe("process 9 \"" + in + "\" \"" + out + "\" " + c.step, dir + "probe_8.txt"), 0) << c.step;
    std::istringstream points(Slurp(out));
    double x = 0, re = 0, im = 0;
    int k = 0;
    for (; points >> x >> re >> im; k++) {
      ASSERT_TRUE(std::isfinite(re) && std::isfinite(im)) << c.step << " " << k;
      if (c.bQuarterTurn) {
        EXPECT_NEAR(-c.value(2 * k + 1), re, 1e-5) << k;
        EXPECT_NEAR(c.value(2 * k), im, 1e-5) << k;
      }
    }
    EXPECT_EQ(c.td / 2, k) << c.step;
  }
}

// The baseline step takes a sloped offset off a spectrum through the ends of
// its trace, leaving its line; the ist step extends a truncated FID whose
// transform keeps its line where it was.
TEST(SpectrumProbeTest, BaselineAndIstStepsKeepTheLine) {
  std::string dir = ::testing::TempDir();
  std::string in = dir + "probe_baseline.bvx", out = dir + "probe_baseline_points.txt";
  auto read = [&](std::vector<double>& x, std::vector<double>& re) {
    std::istringstream points(Slurp(out));
    double a = 0, b = 0, c = 0;
    x.clear();
    re.clear();
    while (points >> a >> b >> c) {
      ASSERT_TRUE(std::isfinite(b) && std::isfinite(c));
      x.push_back(a);
      re.push_back(b);
    }
  };
  {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, 2048, [](int i) {
      const double x = (i / 2 - 300) / 3.0;
      return (float)((i % 2 == 0 ? 1000.0 / (1.0 + x * x) : 0.0) + 40.0 + 0.02 * (i / 2));
    });
    s->m_bTransformed = 1;
    doc.RefreshAfterAdd();  // laid out over the view as the program saves it
    ASSERT_TRUE(doc.WriteNativeFile(in.c_str()));
  }
  ASSERT_EQ(RunProbe("process 9 \"" + in + "\" \"" + out + "\" baseline", dir + "probe_9.txt"), 0);
  std::vector<double> x, re;
  read(x, re);
  ASSERT_EQ(1024u, re.size());
  // Within the 9 data units of a pixel of this drawing.
  EXPECT_NEAR(0.0, re[0], 9.0);
  EXPECT_NEAR(0.0, re[1022], 9.0);
  EXPECT_NEAR(1000.0, re[300], 9.0);

  {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, 1024, [](int i) {
      const int k = i / 2;
      const double a = 0.37 * k;
      return (float)(1000.0 * std::exp(-0.004 * k) * (i % 2 == 0 ? std::cos(a) : std::sin(a)));
    });
    s->m_paramsA.aqmode = 1;  // complex points
    ASSERT_TRUE(doc.WriteNativeFile(in.c_str()));
  }
  ASSERT_EQ(RunProbe("process 9 \"" + in + "\" \"" + out + "\" ft", dir + "probe_10.txt"), 0);
  read(x, re);
  const double dLine = x[(size_t)(std::max_element(re.begin(), re.end()) - re.begin())];
  ASSERT_EQ(RunProbe("process 9 \"" + in + "\" \"" + out + "\" ft ist ft", dir + "probe_10.txt"), 0);
  read(x, re);
  ASSERT_EQ(1024u, re.size()) << "zero filled to twice the points";
  EXPECT_NEAR(dLine, x[(size_t)(std::max_element(re.begin(), re.end()) - re.begin())], std::fabs(x[1] - x[0]));
}

}  // namespace

namespace {

std::vector<double> Numbers(const std::string& text, const std::string& prefix, const std::string& key) {
  std::vector<double> values;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const size_t at = line.find(key);
    if (line.compare(0, prefix.size(), prefix) == 0 && at != std::string::npos)
      values.push_back(std::atof(line.c_str() + at + key.size()));
  }
  return values;
}

// Held out: the vendor's own peak list of the experiment, strongest first.
TEST(SpectrumProbeTest, PickedPeaksOfARealSpectrumIncludeTheVendorsStrongest) {
  const std::string dir = ::testing::TempDir();
  const std::string data = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/";
  ASSERT_EQ(
      RunProbe("process 0 \"" + data + "fid\" \"" + dir + "probe_p.txt\" ft magnitude pick integrate=8.4:8.0,2.34:2.21",
               dir + "probe_6.txt"),
      0);
  const std::string out = Slurp(dir + "probe_6.txt");
  const std::vector<double> picked = Numbers(out, "peaklist 0 ", " ppm=");
  std::vector<std::pair<double, double>> vendor;  // intensity, ppm
  const std::string xml = Slurp(data + "pdata/1/peaklist.xml");
  for (size_t at = xml.find("<Peak1D F1=\""); at != std::string::npos; at = xml.find("<Peak1D F1=\"", at + 1)) {
    const double ppm = std::atof(xml.c_str() + at + 12);
    const size_t i = xml.find("intensity=\"", at);
    vendor.emplace_back(std::atof(xml.c_str() + i + 11), ppm);
  }
  std::sort(vendor.rbegin(), vendor.rend());
  ASSERT_GE(vendor.size(), 8u);
  for (size_t k = 0; k < 8; k++) {
    double dBest = 1e9;
    for (double p : picked)
      dBest = std::min(dBest, std::fabs(p - vendor[k].second));
    EXPECT_LE(dBest, 0.005) << vendor[k].second << " ppm\n" << out;
  }
  const std::vector<double> values = Numbers(out, "integral 0 ", " value=");
  ASSERT_EQ(2u, values.size()) << out;
  EXPECT_GT(values[0], 0.0);
  EXPECT_EQ(1,
            RunProbe("process 0 \"" + data + "fid\" \"" + dir + "probe_p.txt\" ft integrate=8.4", dir + "probe_7.txt"));
}

}  // namespace
