// nd_probe plot as a program: a Gaussian drawn in every display mode lands
// where the plot is (a ring for contours, a disc for the raster), the BMP
// reads back through CDib, and bad arguments end in status 1.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "framework/base/StdioFile.h"
#include "ndim/import/Bv2File.h"
#include "ndim/plot/Dib.h"
#include "tests/ndim/nd_plot_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/tools/run_tool.h"

namespace {

int RunProbe(const std::string& args) {
  return RunTool(ND_PROBE_PATH, args, "NUL");
}

// The BMP's pixel (x from the left, y from the top) as RGB().
COLORREF PixelOf(const CDib& dib, int x, int y) {
  const BYTE* p = dib.m_lpImage + static_cast<size_t>(dib.Height() - 1 - y) * dib.RowBytes() + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

class NdProbePlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = ::testing::TempDir();
    std::unique_ptr<CSpectrum2D> set(MakeSet(96, 128, true));
    FillGaussian(*set, 60.0, 45.0, 9.0, 1000.0);
    CString error;
    ASSERT_TRUE(CBv2File::Write((m_dir + "gauss.bv2").c_str(), *set, error)) << error;
  }
  // Plots at 640 x 480 draw into (90, 90) - (570, 420): 3.75 pixels a
  // point across, 3.4375 down.
  static double Distance(int x, int y) {
    const double px = 90 + (60 + 0.5) * 480 / 128.0, py = 420 - (45 + 0.5) * 330 / 96.0;
    return std::hypot((x - px) / (480 / 128.0), (y - py) / (330 / 96.0));
  }
  std::string m_dir;
};

TEST_F(NdProbePlotTest, EveryModeDrawsWhereThePlotIs) {
  const double radius = GaussianRadius(9.0, 0.5);  // points
  for (int mode = 0; mode <= 4; ++mode) {
    const std::string out = m_dir + "plot" + std::to_string(mode) + ".bmp";
    ASSERT_EQ(RunProbe("plot \"" + m_dir + "gauss.bv2\" " + std::to_string(mode) + " 640 480 \"" + out + "\""), 0)
        << mode;
    CStdioFile file;
    ASSERT_TRUE(file.Open(out.c_str(), CFile::modeRead));
    CDib dib;
    CString reason;
    ASSERT_TRUE(dib.ReadBmp(file, reason)) << reason;
    ASSERT_EQ(dib.Width(), 640);
    ASSERT_EQ(dib.Height(), 480);
    int ring = 0, disc = 0, strays = 0;
    for (int y = 92; y < 418; ++y) {
      for (int x = 92; x < 568; ++x) {
        const COLORREF c = PixelOf(dib, x, y);
        if (c == RGB(255, 255, 255))
          continue;
        const double d = Distance(x, y);
        if (c == RGB(0, 0, 255) && std::fabs(d - radius) < 0.6)
          ++ring;
        else if (c != RGB(0, 0, 255) && d < radius + 0.6)
          ++disc;
        else
          ++strays;
      }
    }
    const double area = 3.14159 * radius * radius * (480 / 128.0) * (330 / 96.0);
    if (mode == 1 || mode == 4) {
      EXPECT_GT(ring, 200) << mode;
    }
    if (mode == 0 || mode == 4) {
      EXPECT_NEAR(disc, area, area * 0.2) << mode;
    }
    if (mode == 2 || mode == 3) {
      EXPECT_GT(strays, 1000) << mode;  // rows over the whole plot
    } else {
      EXPECT_EQ(strays, 0) << mode;
    }
    // The frame and the axes below and to the right.
    EXPECT_EQ(PixelOf(dib, 90, 200), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(dib, 300, 430), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(dib, 580, 200), RGB(0, 0, 0));
  }
}

TEST_F(NdProbePlotTest, BadArgumentsEndInAnError) {
  const std::string in = "\"" + m_dir + "gauss.bv2\" ";
  const std::string out = " \"" + m_dir + "bad.bmp\"";
  EXPECT_EQ(RunProbe("plot " + in + "5 640 480" + out), 1);
  EXPECT_EQ(RunProbe("plot " + in + "1 0 480" + out), 1);
  EXPECT_EQ(RunProbe("plot " + in + "1 640 x" + out), 1);
  EXPECT_EQ(RunProbe("plot \"" + m_dir + "missing.bv2\" 1 640 480" + out), 1);
  CStdioFile file;
  EXPECT_FALSE(file.Open((m_dir + "bad.bmp").c_str(), CFile::modeRead));
}

}  // namespace
