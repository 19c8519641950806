// The lines the processing dialogs build, run through the interpreter as
// the document runs them, and the phase dialog's slider arithmetic.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ndim/document/NdDialogCommands.h"
#include "tests/ndim/nd_test_support.h"

namespace {

using Lines = std::vector<std::string>;

TEST(NdDialogCommands, TransformSizesArePowersOfTwoFromFour) {
  const struct {
    int points;
    int index;
  } cases[] = {{1, 0}, {4, 0}, {5, 1}, {8, 1}, {1000, 8}, {1024, 8}, {1025, 9}, {262144, 16}, {1 << 20, 16}};
  for (const auto& c : cases)
    EXPECT_EQ(c.index, FourierSizeIndex(c.points)) << c.points;
  EXPECT_EQ(4, FourierSizeOf(0));
  EXPECT_EQ(262144, FourierSizeOf(16));
}

TEST(NdDialogCommands, TransformStartsFromTheDimensionsModes) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 16));
  set->m_bAcquired = 1;
  // The last dimension: its acquisition mode says real and quadrature; the
  // sense its reader stated says whether to invert, else the acquired flag.
  // Stated, sequential data (mode 2) invert instead of alternating.
  const struct {
    int mode, sense;
    BOOL real, quadrature, invert;
  } last[] = {{0, ndSenseUnstated, TRUE, FALSE, TRUE}, {1, ndSenseUnstated, FALSE, TRUE, TRUE},
              {2, ndSenseUnstated, TRUE, TRUE, TRUE},  {3, ndSenseUnstated, FALSE, TRUE, TRUE},
              {1, ndSenseForward, FALSE, TRUE, FALSE}, {1, ndSenseConjugate, FALSE, TRUE, TRUE},
              {2, ndSenseForward, TRUE, FALSE, TRUE},  {3, 7, FALSE, TRUE, TRUE}};
  for (const auto& c : last) {
    set->m_dims[2].m_nAcquisitionMode = c.mode;
    set->m_dims[2].m_nIndirectMode = c.sense;
    const FourierChoices f = FourierInitialChoices(*set);
    EXPECT_EQ(c.real, f.m_bReal) << c.mode;
    EXPECT_EQ(c.quadrature, f.m_bQuadrature) << c.mode;
    EXPECT_EQ(c.invert, f.m_bInvert) << c.mode << " sense " << c.sense;
    EXPECT_TRUE(f.m_bNextDimension && f.m_bNextEnabled && !f.m_bHyper && !f.m_bHyperphase);
  }
  // The one before: its second mode code picks the protocol and the boxes;
  // a hypercomplex split keeps both halves for phasing. Without a stated
  // sense, as the processing rules have them; with one, the vendor's own
  // orientation (the spectra themselves: nd_fourier_presets_test.cpp).
  set->m_nCurrentDim = 1;
  const struct {
    int code, sense;
    BOOL hyper, real, quadrature, magnitude, invert;
  } before[] = {{0, ndSenseUnstated, FALSE, FALSE, TRUE, TRUE, TRUE},
                {1, ndSenseUnstated, FALSE, TRUE, TRUE, TRUE, TRUE},
                {2, ndSenseUnstated, TRUE, TRUE, FALSE, FALSE, FALSE},
                {3, ndSenseUnstated, TRUE, FALSE, TRUE, FALSE, FALSE},
                {4, ndSenseUnstated, TRUE, FALSE, FALSE, FALSE, FALSE},
                {5, ndSenseUnstated, FALSE, FALSE, FALSE, FALSE, TRUE},  // the acquired flag
                {3, ndSenseForward, TRUE, FALSE, TRUE, FALSE, FALSE},
                {3, ndSenseConjugate, TRUE, FALSE, TRUE, FALSE, TRUE},
                {1, ndSenseForward, TRUE, TRUE, FALSE, FALSE, TRUE},
                {5, ndSenseForward, TRUE, FALSE, TRUE, FALSE, FALSE},
                {0, ndSenseConjugate, FALSE, FALSE, TRUE, TRUE, TRUE},
                {6, ndSenseForward, FALSE, FALSE, FALSE, FALSE, TRUE}};
  for (const auto& c : before) {
    set->m_dims[1].m_nIndirectMode = c.code;
    set->m_dims[2].m_nIndirectMode = c.sense;
    const FourierChoices f = FourierInitialChoices(*set);
    EXPECT_EQ(c.hyper, f.m_bHyper) << c.code << " sense " << c.sense;
    EXPECT_EQ(c.hyper, f.m_bHyperphase) << c.code << " sense " << c.sense;
    EXPECT_EQ(c.real, f.m_bReal) << c.code << " sense " << c.sense;
    EXPECT_EQ(c.quadrature, f.m_bQuadrature) << c.code << " sense " << c.sense;
    EXPECT_EQ(c.magnitude, f.m_bMagnitude) << c.code << " sense " << c.sense;
    EXPECT_EQ(c.invert, f.m_bInvert) << c.code << " sense " << c.sense;
    EXPECT_FALSE(f.m_bNextDimension || f.m_bNextEnabled) << "dimension 1 is the last to do";
  }
}

TEST(NdDialogCommands, TransformLinesFollowTheBoxesInTheirOrder) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 16));
  ApodizationSettings& a = set->m_apodization;
  a.m_bOn[ApodizationSettings::Exponential] = a.m_bOn[ApodizationSettings::SineBell] = TRUE;
  a.m_bOn[ApodizationSettings::FirstPoint] = TRUE;
  a.m_dValue[ApodizationSettings::Exponential] = 2.5;
  a.m_dValue[ApodizationSettings::SineBell] = 90;
  a.m_dValue[ApodizationSettings::Gaussian] = 7;  // off: not issued
  a.m_dValue[ApodizationSettings::FirstPoint] = 0.5;

  FourierChoices plain;
  plain.m_nSizeIndex = 3;
  FourierChoices all = plain;
  all.m_bHyper = all.m_bHyperphase = all.m_bInvert = all.m_bQuadrature = all.m_bApodize = TRUE;
  all.m_bInverse = all.m_bReal = all.m_bMagnitude = TRUE;
  FourierChoices predicted = plain;
  predicted.m_bPredictionFill = TRUE;
  FourierChoices split = predicted;
  split.m_bHyper = TRUE;
  FourierChoices cut = predicted;
  cut.m_nSizeIndex = 1;
  const struct {
    FourierChoices choices;
    int divisor;
    Lines lines;
    int divisorAfter;
  } cases[] = {
      {plain, 4, {"bw s 32", "ew", "ze 32", "ft "}, 4},
      {all, 4, {"qd *", "c*", "bw q 32", "em 2.50000", "sb 90.00000", "fp 0.50000", "ew", "ze 32", "ft i r", "ma"}, 4},
      // 16 points, divisor 4: 4 coefficients from a basis of 11.
      {predicted, 4, {"bw s 32", "ew", "lp 16 31 11 4", "ft "}, 4},
      // The 8 points the quadrature split leaves: 2 coefficients.
      {split, 4, {"qd", "bw s 32", "ew", "lp 8 31 5 2", "ft "}, 4},
      // Nothing to predict in a size below the points: cut to it.
      {cut, 4, {"bw s 8", "ew", "ze 8", "ft "}, 4},
      // A zero divisor counts as 1 and stays 1.
      {predicted, 0, {"bw s 32", "ew", "lp 16 31 -1 16", "ft "}, 1},
  };
  for (const auto& c : cases) {
    int divisor = c.divisor;
    EXPECT_EQ(c.lines, FourierCommandLines(c.choices, *set, divisor));
    EXPECT_EQ(c.divisorAfter, divisor);
  }
}

// Filling by prediction needs 1 to (n - 1) / 2 coefficients from the n
// points the transform finds; a divisor that gives none of those is
// refused with the divisors that would.
TEST(NdDialogCommands, PredictionFillingTheCoefficientsCannotGiveIsRefusedWithWhatWould) {
  FourierChoices c;
  c.m_bPredictionFill = TRUE;
  c.m_nSizeIndex = 2;  // 16
  const struct {
    int count, divisor;
    BOOL hyper;
    const char* refusal;  // null: accepted
  } cases[] = {
      {10, 3, FALSE, nullptr},
      {10, 10, FALSE, nullptr},
      {10, 16, FALSE,
       "Linear Prediction Filling with Coefficients = Points/16 takes 0 coefficients from 10 points, where 1 to 4 fit."
       "\nSet a divisor from 3 to 10 in File > Customize, or fill with zeros."},
      {10, 2, FALSE,
       "Linear Prediction Filling with Coefficients = Points/2 takes 5 coefficients from 10 points, where 1 to 4 fit."
       "\nSet a divisor from 3 to 10 in File > Customize, or fill with zeros."},
      {10, 0, FALSE,
       "Linear Prediction Filling with Coefficients = Points/1 takes 10 coefficients from 10 points, where 1 to 4 fit."
       "\nSet a divisor from 3 to 10 in File > Customize, or fill with zeros."},
      {10, -3, FALSE,
       "Linear Prediction Filling with Coefficients = Points/-3 takes 0 coefficients from 10 points, where 1 to 4 fit."
       "\nSet a divisor from 3 to 10 in File > Customize, or fill with zeros."},
      {10, 2, TRUE, nullptr},  // 5 points after the split: 2 coefficients
      {16, 16, FALSE, nullptr},  // nothing to predict
      {40, 1, FALSE, nullptr},   // cut
      {2, 1, FALSE, "Linear Prediction Filling needs at least 3 points; the transform has 2.\nFill with zeros instead."},
  };
  for (const auto& k : cases) {
    c.m_bHyper = k.hyper;
    int used = k.divisor;
    const std::string refusal = FourierPredictionRefusal(c, k.count, used);
    EXPECT_EQ(k.refusal ? k.refusal : "", refusal) << k.count << " / " << k.divisor;
    // A zero divisor becomes 1, and stays 1 for Customize.
    EXPECT_EQ(k.divisor == 0 ? 1 : k.divisor, used) << k.count << " / " << k.divisor;
    // What is accepted predicts up to the size in the interpreter.
    if (k.refusal == nullptr && k.count >= 2 && k.count < 16) {
      std::unique_ptr<CSpectrum2D> set(MakeSet(3, k.count));
      FillRandom(*set);
      int divisor = k.divisor;
      CCommandInterpreter interpreter;
      for (const std::string& line : FourierCommandLines(c, *set, divisor))
        interpreter.Execute(*set, line.c_str());
      EXPECT_EQ(16, set->m_dims[2].m_nPoints) << k.count << " / " << k.divisor;
    }
  }
  c.m_bPredictionFill = FALSE;
  int divisor = 16;
  EXPECT_EQ("", FourierPredictionRefusal(c, 10, divisor)) << "zero filling";
}

// An inverse transform along the last dimension leaves the set past it;
// the dialog then works along the last dimension, with its first choices.
TEST(NdDialogCommands, PastTheLastDimensionTheTransformWorksAlongTheLast) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 16));
  FillRandom(*set);
  set->m_dims[2].m_nAcquisitionMode = 1;
  CCommandInterpreter interpreter;
  interpreter.Execute(*set, "ft i");
  ASSERT_EQ(3, set->m_nCurrentDim);
  EXPECT_EQ(2, FourierDimension(*set));
  const FourierChoices c = FourierInitialChoices(*set);
  EXPECT_EQ(2, c.m_nSizeIndex) << "16 points";
  EXPECT_TRUE(c.m_bQuadrature);
  EXPECT_TRUE(c.m_bNextDimension);
  int divisor = 16;
  const Lines lines = FourierCommandLines(c, *set, divisor);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ("f= 2", lines.front());
  for (const std::string& line : lines)
    interpreter.Execute(*set, line.c_str());
  EXPECT_EQ(1, set->m_nCurrentDim) << "transformed along f2 again";
  set->m_nCurrentDim = 2;
  EXPECT_EQ(2, FourierDimension(*set));
  EXPECT_EQ("bw q 16", FourierCommandLines(c, *set, divisor).front()) << "along the current one: no f= line";
}

TEST(NdDialogCommands, TransformLinesTransformBothDimensionsAndSwitchTheAxesToPpm) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 16));
  FillRandom(*set);
  CCommandInterpreter interpreter;
  const struct {
    int sizeIndex;
    int dim;
    int points;
    int unitsF2, unitsF1;
  } steps[] = {{0, 2, 4, 3, 0}, {2, 1, 16, 3, 3}};  // index 0: 4 points
  for (const auto& s : steps) {
    ASSERT_EQ(s.dim, set->m_nCurrentDim);
    FourierChoices c = FourierInitialChoices(*set);
    c.m_nSizeIndex = s.sizeIndex;
    c.m_bHyper = c.m_bReal = c.m_bMagnitude = c.m_bInvert = FALSE;
    int divisor = 16;
    for (const std::string& line : FourierCommandLines(c, *set, divisor))
      interpreter.Execute(*set, line.c_str());
    FinishFourier(*set, TRUE);
    EXPECT_EQ(s.points, set->m_dims[s.dim].m_nPoints);
    EXPECT_EQ(s.dim - 1, set->m_nCurrentDim);
    EXPECT_EQ(s.unitsF2, set->m_axis.m_nUnitsF2);
    EXPECT_EQ(s.unitsF1, set->m_axis.m_nUnitsF1);
    EXPECT_EQ(1, set->m_bApodize);
  }
}

TEST(NdDialogCommands, PredictionCutsABasisThatDoesNotFitAndItsLineExtends) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 32));
  FillRandom(*set);
  PredictionChoices c = PredictionInitialChoices(*set);
  EXPECT_EQ(32, c.m_nFirst);
  EXPECT_EQ(63, c.m_nLast);
  bool truncated = true;
  EXPECT_EQ("lp 32 63 8 4", PredictionCommandLine(c, *set, truncated));
  EXPECT_FALSE(truncated);
  CCommandInterpreter interpreter;
  interpreter.Execute(*set, PredictionCommandLine(c, *set, truncated).c_str());
  EXPECT_EQ(64, set->m_dims[2].m_nPoints);

  c.m_nBasis = 60;
  c.m_nCoefficients = 10;
  EXPECT_EQ("lp 32 63 53 10", PredictionCommandLine(c, *set, truncated));
  EXPECT_TRUE(truncated);
}

TEST(NdDialogCommands, HighPassNullPointIsTheCentreOfTheDimension) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 32));
  set->m_dims[2].m_fSpectralWidth = 6000.0f;
  set->m_dims[2].m_fLastFrequency = -600.0f;
  set->m_dims[2].m_fSpectrometerFreq = 600.0f;
  EXPECT_DOUBLE_EQ(4.0, HighPassNullPoint(*set));
  EXPECT_EQ("fi 8 4.000000 1", HighPassCommandLine(8, HighPassNullPoint(*set)));
  set->m_dims[2].m_fSpectrometerFreq = 0.0f;
  EXPECT_DOUBLE_EQ(0.0, HighPassNullPoint(*set)) << "no frequency, no division by it";
}

// The baseline dialog's line: the button indexes as dimension and order, the
// filter as the whole number it starts with; only the dimensions a set has
// are offered.
TEST(NdDialogCommands, BaselineLineAndTheDimensionsOffered) {
  const struct {
    int order, along;
    const char* filter;
    BOOL trig;
    const char* line;
  } cases[] = {{5, 0, "2", FALSE, "bc 1 5 0 2"},
               {0, 1, "9", TRUE, "bc 2 0 1 9"},
               {7, 3, " 3x", FALSE, "bc 4 7 0 3"},
               {2, 0, "", FALSE, "bc 1 2 0 0"},
               {2, 0, "abc", TRUE, "bc 1 2 1 0"},
               {2, 0, "-4", FALSE, "bc 1 2 0 -4"},
               {2, 0, "99999999999", FALSE, "bc 1 2 0 2147483647"}};
  for (const auto& c : cases) {
    BaselineChoices choices;
    choices.m_nOrder = c.order;
    choices.m_nAlong = c.along;
    choices.m_filter = c.filter;
    choices.m_bTrigonometric = c.trig;
    EXPECT_EQ(c.line, BaselineCommandLine(choices)) << c.filter;
  }
  EXPECT_EQ("bc 1 5 0 2", BaselineCommandLine(BaselineChoices())) << "the presets";
  const bool offered2D[4] = {true, true, false, false};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(offered2D[i], BaselineAlongOffered(i, 2)) << i;
    EXPECT_EQ(i < 3, BaselineAlongOffered(i, 3)) << i;
    EXPECT_TRUE(BaselineAlongOffered(i, 4)) << i;
    EXPECT_FALSE(BaselineAlongOffered(i, 0)) << "f" << i + 1 << " with no dimension";
  }
}

TEST(NdDialogCommands, PhaseSlidersWrapTheShortWayAndZeroOrderStaysInACircle) {
  const struct {
    int from, to, delta;
  } moves[] = {{350, 10, 20}, {10, 350, -20}, {100, 150, 50}, {200, 100, -100}, {0, 359, -1}, {359, 0, 1}};
  for (const auto& m : moves)
    EXPECT_EQ(m.delta, RoundSliderDelta(m.from, m.to)) << m.from << " -> " << m.to;

  const struct {
    double in, out;
  } zeros[] = {{360.0, 0.0}, {359.9999999, 0.0}, {-10.0, 350.0}, {370.0, 10.0}, {-370.0, 350.0}, {45.5, 45.5}};
  for (const auto& z : zeros)
    EXPECT_NEAR(z.out, NormaliseZeroOrder(z.in), 1e-9) << z.in;

  EXPECT_EQ(350, WrapDegrees(-10));
  EXPECT_EQ(10, WrapDegrees(730));
  // The pivot at point 64 of 128: 90 degrees more first order turn the
  // zero order back by 45.
  EXPECT_NEAR(315.0, PivotCompensatedZero(0.0, 64, 90.0, 0.0, 128), 1e-9);
  EXPECT_NEAR(30.0, PivotCompensatedZero(30.0, 0, 500.0, 0.0, 128), 1e-9);
  // Pixel to point over the visible window, even.
  EXPECT_EQ(0, PivotPoint(0, 200, 0, 128));
  EXPECT_EQ(64, PivotPoint(100, 200, 0, 128));
  EXPECT_EQ(72, PivotPoint(99, 200, 10, 138));
  EXPECT_EQ(10, PivotPoint(50, 0, 10, 138)) << "a view with no width";
}

}  // namespace
