// Scripts of the processing command language and what they do to a set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "tests/ndim/nd_test_support.h"
#include "numerics/Constants.h"

namespace {

struct Script {
  std::unique_ptr<CSpectrum2D> set;
  RecordingSink sink;
  CCommandInterpreter interpreter{&sink};

  Script(int f1, int f2, bool real = false) : set(MakeSet(f1, f2, real)) {}
  void Fill(float re, float im) {
    for (int i = 0; i < set->GetTotalPoints(); ++i)
      set->m_pData[2 * i] = re, set->m_pData[2 * i + 1] = im;
  }
  void Run(const std::string& text) { interpreter.Execute(*set, text.c_str()); }
};

}  // namespace

TEST(CommandInterpreter, AlternatingWeightsQuarterTheData) {
  Script s(1, 4);
  s.Fill(1, 1);
  s.Run("bw q 4\new");
  const float expected[8] = {.25f, .25f, -.25f, -.25f, .25f, .25f, -.25f, -.25f};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(s.set->m_pData[i], expected[i]) << i;
  EXPECT_EQ(s.set->m_pWeights, nullptr);
}

TEST(CommandInterpreter, CaseAndLeadingBlanksAreIgnored) {
  Script upper(1, 4), lower(1, 4);
  upper.Fill(1, 1);
  lower.Fill(1, 1);
  upper.Run("BW Q 512\n   EW");
  lower.Run("bw q 512\new");
  EXPECT_EQ(DataOf(*upper.set), DataOf(*lower.set));
  EXPECT_FLOAT_EQ(upper.set->m_pData[2], -1.0f / 512);

  Script ft(1, 8);
  ft.set->m_pData[0] = 1;
  ft.Run("\t  ft");
  for (int k = 0; k < 8; ++k)
    EXPECT_EQ(ft.set->m_pData[2 * k], 1.0f);
}

TEST(CommandInterpreter, UnknownCommandsAndBadArgumentsChangeNothing) {
  Script s(4, 4);
  FillRandom(*s.set);
  const std::vector<float> before = DataOf(*s.set);
  s.Run(
      "xx 1 2\nq\nz\n\n\nze\nze abc\nze 0\nze -4\n\xff\xfe 1\nbw\nem 3\nga 2\nsb\nph nan 0\nph inf\nph 1e99\nf=1\nf= "
      "0\nf= x\nph 0 0");
  EXPECT_EQ(DataOf(*s.set), before);
  EXPECT_EQ(s.set->m_nCurrentDim, 2);
  EXPECT_TRUE(s.sink.messages.empty());
  // A 10,000-character word is just a word.
  s.Run("ze " + std::string(10000, '9') + "\n" + std::string(10000, 'q') + "\nbw " + std::string(10000, 'q'));
  EXPECT_EQ(DataOf(*s.set), before);
}

TEST(CommandInterpreter, DimensionCommand) {
  Script s(4, 4);
  s.Run("f= ?");
  ASSERT_EQ(s.sink.messages.size(), 1u);
  EXPECT_EQ(s.sink.messages[0], "Performing Operations Along f2\n");
  s.Run("F= 1\nf= ?\nf= 0");
  EXPECT_EQ(s.set->m_nCurrentDim, 1);
  EXPECT_EQ(s.sink.messages.back(), "Performing Operations Along f1\n");
  s.Run("f= -1\nf= ?");
  EXPECT_EQ(s.sink.messages.back(), "Performing Operations Along all dimensions\n");
  s.Run("f= 1\nft\nf= ?");
  EXPECT_EQ(s.sink.messages.back(), "Performing Operations Along no dimension\n");
}

// Where the dimension command and the transforms leave the current
// dimension, from a fresh set (f2).
TEST(CommandInterpreter, TheCurrentDimensionFollowsTransformsAndTheDimensionCommand) {
  const struct {
    const char* script;
    int current;
  } cases[] = {{"f= -1", -1},     {"f= 3", 3},       {"f= 0", 2},
               {"f= 1\nf= 0", 1}, {"ft", 1},         {"ft\nft", 0},
               {"ft i", 3},       {"f= 1\nft i", 2}, {"ft\nft\nf= -1", -1},
               {"f= -1\nft", -1}, {"f= 3\nft i", 3}, {"f= 99\nft\nft i", 99}};
  for (const auto& c : cases) {
    Script s(4, 4);
    s.Run(c.script);
    EXPECT_EQ(c.current, s.set->m_nCurrentDim) << c.script;
  }
}

TEST(CommandInterpreter, SwapCommandShowsAndClearsTheOrder) {
  Script s(4, 4);
  s.Run("sw -1");
  ASSERT_EQ(s.sink.messages.size(), 1u);
  EXPECT_EQ(s.sink.messages[0], "Phasing Vector order: \n0 0 0 0");
  s.Run("ft\nsw");
  EXPECT_EQ(s.sink.messages.back(), "Phasing Vector order: \n2 0 0 0");
  s.Run("sw 0\nsw -1");
  EXPECT_EQ(s.sink.messages.back(), "Phasing Vector order: \n0 0 0 0");
}

TEST(CommandInterpreter, PhaseCommand) {
  Script s(2, 4);
  FillRandom(*s.set);
  const std::vector<float> before = DataOf(*s.set);
  s.Run("ph 0 0");
  EXPECT_EQ(DataOf(*s.set), before);
  s.Run("ph 180 0");
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(s.set->m_pData[i], -before[i]);
  s.Run("ph 90");  // (re, im) -> (-im, re)
  for (std::size_t i = 0; i < before.size(); i += 2) {
    EXPECT_NEAR(s.set->m_pData[i], before[i + 1], 1e-6);
    EXPECT_NEAR(s.set->m_pData[i + 1], -before[i], 1e-6);
  }
}

TEST(CommandInterpreter, MagnitudeRoundTripAndRealSetsEndTheRun) {
  Script s(2, 4);
  FillRandom(*s.set);
  const std::vector<float> before = DataOf(*s.set);
  s.Run("ma");
  EXPECT_NEAR(s.set->m_pData[0], std::hypot(before[0], before[1]), 1e-6);
  s.Run("um");
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_NEAR(s.set->m_pData[i], before[i], 1e-6);

  Script real(2, 2, true);
  real.Run("ma\nmc");
  EXPECT_TRUE(real.set->m_bReal);  // the run ended at "ma"
  real.Run("um\nf= ?");
  EXPECT_TRUE(real.sink.messages.empty());
  real.Run("mc\nc*");
  EXPECT_FALSE(real.set->m_bReal);
}

TEST(CommandInterpreter, QuadratureAndTranspose) {
  Script s(8, 4), plain(8, 4);
  FillRandom(*s.set);
  const std::vector<float> data = DataOf(*s.set);
  std::copy(data.begin(), data.end(), plain.set->m_pData);
  s.Run("f= 1\nqd *");
  EXPECT_EQ(s.set->m_dims[0].m_nPoints, 2);
  EXPECT_EQ(s.set->m_dims[1].m_nPoints, 4);
  EXPECT_EQ(s.set->m_zoom, CRect(0, 0, 4, 4));
  // "mc" on the complex set keeps the first half: what "qd" alone gives.
  s.Run("mc");
  plain.Run("f= 1\nqd");
  EXPECT_EQ(s.set->m_dims[0].m_nPoints, 1);
  EXPECT_EQ(DataOf(*plain.set), DataOf(*s.set));

  Script t(3, 3, true);
  for (int i = 0; i < 9; ++i)
    t.set->m_pData[i] = static_cast<float>(i);
  t.Run("ts");
  const float expected[9] = {0, 3, 6, 1, 4, 7, 2, 5, 8};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(t.set->m_pData[i], expected[i]);
}

TEST(CommandInterpreter, WindowCommandsShapeOnlyExistingWeights) {
  Script s(1, 8);
  s.Run("bw s 1\nfp 0.25");
  EXPECT_FLOAT_EQ(s.set->m_pWeights[0], 0.25f);
  for (int k = 1; k < 8; ++k)
    EXPECT_FLOAT_EQ(s.set->m_pWeights[k], 1.0f);
  s.Run("ga 0");
  for (int k = 1; k < 8; ++k)
    EXPECT_FLOAT_EQ(s.set->m_pWeights[k], 1.0f);
  s.Run("sb 90");  // a cosine from k0 = 0
  for (int k = 1; k < 8; ++k)
    EXPECT_NEAR(s.set->m_pWeights[k], std::cos(k * kPi / 16), 1e-6);
  s.Run("bw s 1\ns2 90");
  EXPECT_NEAR(s.set->m_pWeights[4], 0.5, 1e-6);
  s.Run("bw s 1\nem 1000");  // sw 1000 Hz: exp(-pi k)
  EXPECT_NEAR(s.set->m_pWeights[1], std::exp(-kPi), 1e-6);
  s.Run("bw s 1\nga -10");
  EXPECT_GT(s.set->m_pWeights[7], s.set->m_pWeights[1]);
  EXPECT_GT(s.set->m_pWeights[1], 1.0f);
  // Without a spectral width the weights stay as they are; a wild time origin
  // is taken as the largest int (the sanitizers check the conversion).
  s.set->m_dims[2].m_fSpectralWidth = 0.0f;
  s.Run("bw s 1\nem 5\nga 5");
  EXPECT_EQ(s.set->m_pWeights[3], 1.0f);
  s.set->m_dims[2].m_fSpectralWidth = 1000.0f;
  s.set->m_dims[2].m_fFirstPoint = 1e30f;
  s.Run("bw s 1\nem 5\nsb 30");
  EXPECT_EQ(s.set->m_nWeightCount, 8);
  s.set->m_dims[2].m_fFirstPoint = 8.0f;  // k0 at the count: no sine bell
  s.Run("bw s 1\nsb 30");
  EXPECT_EQ(s.set->m_pWeights[3], 1.0f);
  s.set->m_dims[2].m_fFirstPoint = 0.0f;
  // A zero-fill in between makes the weights stale: "ew" drops them.
  s.Fill(1, 1);
  s.Run("bw s 2\nze 16\nem 5\new");
  EXPECT_EQ(s.set->m_pWeights, nullptr);
  EXPECT_EQ(s.set->m_pData[0], 1.0f);
}

TEST(CommandInterpreter, HilbertRebuildsTheImaginaryPart) {
  const int n = 64;
  Script s(1, n);
  for (int k = 0; k < n; ++k)
    s.set->m_pData[2 * k] = static_cast<float>(std::cos(2 * kPi * 5 * k / n));
  s.Run("hi");
  for (int k = 0; k < n; ++k) {
    EXPECT_NEAR(s.set->m_pData[2 * k], std::cos(2 * kPi * 5 * k / n), 1e-5);
    EXPECT_NEAR(std::fabs(s.set->m_pData[2 * k + 1]), std::fabs(std::sin(2 * kPi * 5 * k / n)), 1e-5);
  }
  Script single(4, 1);  // one point: kept as it is
  single.Fill(3, 0);
  single.Run("hi");
  EXPECT_EQ(single.set->m_pData[0], 3.0f);
  Script odd(1, 12);
  FillRandom(*odd.set);
  const std::vector<float> before = DataOf(*odd.set);
  odd.Run("hi");
  EXPECT_EQ(DataOf(*odd.set), before);
}

TEST(CommandInterpreter, LinearPredictionExtendsAndIsValidated) {
  // Three columns of exponentials along f1, predicted from 16 points to 32.
  const int n = 16, cols = 9;
  Script s(n, cols);
  for (int k = 0; k < n; ++k)
    for (int c = 0; c < cols; ++c) {
      const double a = 0.3 * (c + 1) * k;
      s.set->m_pData[2 * (k * cols + c)] = static_cast<float>(std::cos(a) * std::exp(-0.02 * k));
      s.set->m_pData[2 * (k * cols + c) + 1] = static_cast<float>(std::sin(a) * std::exp(-0.02 * k));
    }
  const std::vector<float> before = DataOf(*s.set);
  s.Run("f= 1\nlp 16 31 80 4");  // basis does not fit: refused
  EXPECT_EQ(DataOf(*s.set), before);
  s.Run("lp 16 31 10 2\nlp 20 30 10 0\nlp 20 30 1 2");
  ASSERT_EQ(s.set->m_dims[1].m_nPoints, 32);
  for (int k = n; k < 32; ++k)
    for (int c = 0; c < cols; ++c) {
      const double a = 0.3 * (c + 1) * k;
      EXPECT_NEAR(s.set->m_pData[2 * (k * cols + c)], std::cos(a) * std::exp(-0.02 * k), 1e-3) << k << " " << c;
    }
  // Prepending points: the data move up and the count grows.
  Script b(1, 32);
  for (int k = 0; k < 32; ++k)
    b.set->m_pData[2 * k] = static_cast<float>(std::cos(0.2 * (k + 4))),
                       b.set->m_pData[2 * k + 1] = static_cast<float>(std::sin(0.2 * (k + 4)));
  b.Run("lp -4 -1 12 2");
  ASSERT_EQ(b.set->m_dims[2].m_nPoints, 36);
  for (int k = 0; k < 36; ++k)
    EXPECT_NEAR(b.set->m_pData[2 * k], std::cos(0.2 * k), 1e-3) << k;
}

TEST(CommandInterpreter, FidFilterRemovesTheLineAtItsNullPoint) {
  // A slow line at the centre (offset 0) and a fast one elsewhere.
  const int n = 256;
  Script s(2, n);
  s.set->m_dims[2].m_fSpectralWidth = 1000.0f;
  for (int r = 0; r < 2; ++r)
    for (int k = 0; k < n; ++k) {
      const double t = k / 1000.0;
      s.set->m_pData[2 * (r * n + k)] = static_cast<float>(1 + std::cos(2 * kPi * 300 * t));
      s.set->m_pData[2 * (r * n + k) + 1] = static_cast<float>(std::sin(2 * kPi * 300 * t));
    }
  s.Run("fi 8");
  for (int k = 40; k < n - 40; ++k) {
    EXPECT_NEAR(s.set->m_pData[2 * k], std::cos(2 * kPi * 300 * k / 1000.0), 0.05) << k;
  }
  Script tiny(2, 20);  // rows shorter than the windows
  FillRandom(*tiny.set);
  const std::vector<float> before = DataOf(*tiny.set);
  tiny.Run("fi 8");
  EXPECT_EQ(DataOf(*tiny.set), before);
}

TEST(CommandInterpreter, CommandsAlongNoValidDimensionDoNothing) {
  Script s(4, 8);
  FillRandom(*s.set);
  s.Run("ft\nft");
  ASSERT_EQ(s.set->m_nCurrentDim, 0);
  const std::vector<float> before = DataOf(*s.set);
  s.Run("ze 16\nbw q\new\nhi\nlp 0 0 2 1\nqd *\nft\nft i\nbw q 2\nem 1\nfp 3\new");
  EXPECT_EQ(DataOf(*s.set), before);
  EXPECT_EQ(s.set->m_nCurrentDim, 0);
  EXPECT_EQ(s.set->GetTotalPoints(), 32);
  EXPECT_EQ(s.set->m_pWeights, nullptr);

  s.Run("f= 2\nbw q 0\nbw s -3");
  EXPECT_EQ(s.set->m_pWeights, nullptr);

  // Nor along a dimension the set does not have: every command, and none
  // reads or writes outside the set.
  s.Run("sw 0");
  for (const char* dim : {"-1", "3", "6", "7", "99", "-2147483648", "2147483647"}) {
    s.Run(std::string("f= ") + dim +
          "\nze 16\nbw q\nem 1\nga 1\nsb 9\ns2 9\nfp 3\new\nhi\nlp 0 0 2 1\nqd *\nft\nft i r\nph 90 9\nc*\nc*");
    EXPECT_EQ(DataOf(*s.set), before) << dim;
    EXPECT_EQ(s.set->GetTotalPoints(), 32) << dim;
    EXPECT_EQ(s.set->m_pWeights, nullptr) << dim;
  }

  Script real(2, 2, true);
  for (int i = 0; i < 4; ++i)
    real.set->m_pData[i] = static_cast<float>(i);
  real.set->m_phasingOrder[1] = 2;
  real.Run("sw 2\nph 90 0\nc*\nft\nlp 0 0 1 1\nfi 4");
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(real.set->m_pData[i], static_cast<float>(i));
  EXPECT_EQ(real.set->m_phasingOrder[0], 0);
}
