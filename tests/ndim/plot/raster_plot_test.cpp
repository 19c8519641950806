// The raster: the colour index of a value, the bitmap's size and rows, and
// the pixels of a Gaussian following the palette ramp.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "ndim/plot/RasterPlot.h"
#include "tests/ndim/nd_plot_support.h"
#include "tests/ndim/nd_test_support.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(RasterPlot, ColourIndexOfAValue) {
  // Threshold 500, ratio 2: step 100, base 400, top 13100.
  struct Case {
    float threshold, ratio, value;
    int index;
  };
  const Case cases[] = {
      {500, 2, 0, 0},        {500, 2, 499.9f, 0},  {500, 2, -499.9f, 0}, {500, 2, kNaN, 0},   {500, 2, 500, 1},
      {500, 2, 650, 2},      {500, 2, 13100, 127}, {500, 2, 1e30f, 127}, {500, 2, kInf, 127}, {500, 2, -500, 254},
      {500, 2, -13100, 128}, {500, 2, -kInf, 128}, {0, 2, 0, 128},       {0, 2, 5, 127},      {500, 0, 700, 127},
      {500, 0, -700, 128},   {-500, 2, 0, 128},    {-500, 2, 100, 127},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CRasterScale(c.threshold, c.ratio).Index(c.value), c.index) << c.threshold << " " << c.value;
}

TEST(RasterPlot, BitmapIsNeverLargerThanItsDestination) {
  struct Case {
    NdWindow window;
    int width, height;
    LONG cx, cy;
  };
  const Case cases[] = {
      {{0, 0, 4096, 4096}, 1280, 1024, 1280, 1024},
      {{10, 20, 30, 60}, 1280, 1024, 20, 40},
      {{5, 5, 6, 6}, 100, 100, 1, 1},
      {{5, 5, 5, 5}, 100, 100, 1, 1},
  };
  for (const Case& c : cases) {
    const SIZE s = RasterBitmapSize(c.window, c.width, c.height);
    EXPECT_EQ(s.cx, c.cx);
    EXPECT_EQ(s.cy, c.cy);
  }
  EXPECT_EQ(RasterRowBytes(3), 12);
  EXPECT_EQ(RasterRowBytes(4), 12);
  EXPECT_EQ(RasterRowBytes(1), 4);
}

struct Raster {
  int width, height;
  std::vector<BYTE> bits;
  // Blue, green, red of a pixel; row 0 first in memory.
  const BYTE* At(int x, int y) const { return &bits[static_cast<size_t>(y) * RasterRowBytes(width) + 3 * x]; }
};

Raster Fill(const CSpectrum2D& set, int width, int height) {
  const NdMatrix m = MatrixOf(set);
  const NdWindow w = ClampWindow(set.m_zoom, m);
  const SIZE size = RasterBitmapSize(w, width, height);
  Raster r{size.cx, size.cy, std::vector<BYTE>(static_cast<size_t>(RasterRowBytes(size.cx)) * size.cy, 0xCD)};
  const RasterPalette palette = {set.m_red, set.m_green, set.m_blue};
  FillRaster(m, w, CRasterScale(set.m_fLowestLevel, set.m_fLevelRatio), palette, r.bits.data(), r.width, r.height);
  return r;
}

TEST(RasterPlot, PixelsOfAGaussianFollowThePaletteRamp) {
  for (bool real : {true, false}) {
    std::unique_ptr<CSpectrum2D> set(MakeSet(30, 41, real));
    FillGaussian(*set, 20.0, 12.0, 4.0, 5000.0);
    set->m_pData[(29 * 41 + 40) * set->FloatsPerPoint()] = -3000.0f;  // last row, last column
    const Raster r = Fill(*set, 500, 500);
    ASSERT_EQ(r.width, 41);
    ASSERT_EQ(r.height, 30);
    const CRasterScale scale(set->m_fLowestLevel, set->m_fLevelRatio);
    for (int y = 0; y < r.height; ++y) {
      const int row = 29 - y;  // the last row first
      for (int x = 0; x < r.width; ++x) {
        const float v = set->m_pData[(static_cast<size_t>(row) * 41 + x) * set->FloatsPerPoint()];
        const int index = scale.Index(v);
        const BYTE* p = r.At(x, y);
        if (index == 0) {
          EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255);
        } else {
          EXPECT_EQ(p[0], set->m_blue[index]);
          EXPECT_EQ(p[1], set->m_green[index]);
          EXPECT_EQ(p[2], set->m_red[index]);
        }
      }
      // The padding after 41 pixels (123 bytes) to 124.
      EXPECT_EQ(r.bits[static_cast<size_t>(y) * 124 + 123], 0);
    }
    // The top of the peak, the negative corner, and white far from both.
    EXPECT_EQ(r.At(20, 29 - 12)[2], set->m_red[scale.Index(5000.0f)]);
    EXPECT_EQ(r.At(40, 0)[0], set->m_blue[scale.Index(-3000.0f)]);
    EXPECT_EQ(r.At(0, 0)[0], 255);
  }
}

TEST(RasterPlot, ALargeSetIsSampledAtThePixelCentres) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(400, 600, true));
  // Six columns and about six rows a pixel: pixel (50, 33) shows the point
  // under its centre, column 303 of row 399 - 200.
  set->m_pData[199 * 600 + 303] = 1e6f;
  const Raster r = Fill(*set, 100, 67);
  ASSERT_EQ(r.width, 100);
  ASSERT_EQ(r.height, 67);
  int coloured = 0;
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      coloured += r.At(x, y)[0] != 255;
  EXPECT_EQ(coloured, 1);
  EXPECT_NE(r.At(50, 33)[0], 255);
}

}  // namespace
