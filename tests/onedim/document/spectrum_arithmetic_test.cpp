// The add/subtract operands: combining two spectra with their factors,
// refusing operands of different sizes, and stepping an operand through the
// document's spectra.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "onedim/document/BrivaneProDocTools.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

TEST(SpectrumArithmeticTest, CombinesOrRefusesWithoutTouchingTheResult) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* a = AddTestSpectrum(doc, 8192, [](int i) { return (float)(i % 13) - 6.0f; });
  CSpectrum* b = AddTestSpectrum(doc, 8192, [](int i) { return (float)(i % 5) * 0.5f; });
  CSpectrum* big = AddTestSpectrum(doc, 16384, [](int) { return 3.0f; });
  CSpectrum* small = AddTestSpectrum(doc, 4096, [](int) { return 7.0f; });
  CSpectrum* result = AddTestSpectrum(doc, 8192, [](int) { return -1.0f; });
  const struct {
    CSpectrum *pA, *pB, *pResult;
    float fA, fB;
    int nMode;
    bool bDone;
    float (*expected)(float a, float b);
  } cases[] = {
      // A spectrum added to itself doubles.
      {a, a, result, 1.0f, 1.0f, CSpectrumArithmetic::Add, true,
       [](float x, float) {
         return 2 * x;
       }},
      {a, b, result, 2.0f, 0.5f, CSpectrumArithmetic::Subtract, true,
       [](float x, float y) {
         return 2 * x - y / 2;
       }},
      {a, b, a, 1.0f, 1.0f, CSpectrumArithmetic::Add, true,
       [](float x, float y) {
         return x + y;
       }},
      {a, big, result, 1.0f, 1.0f, CSpectrumArithmetic::Subtract, false, nullptr},
      {big, a, result, 1.0f, 1.0f, CSpectrumArithmetic::Add, false, nullptr},
      {a, b, small, 1.0f, 1.0f, CSpectrumArithmetic::Add, false, nullptr},
  };
  for (const auto& c : cases) {
    const std::vector<float> before(c.pResult->m_pData, c.pResult->m_pData + c.pResult->m_paramsA.td);
    const std::vector<float> va(c.pA->m_pData, c.pA->m_pData + c.pA->m_paramsA.td);
    const std::vector<float> vb(c.pB->m_pData, c.pB->m_pData + c.pB->m_paramsA.td);
    CSpectrumArithmetic arithmetic;
    arithmetic.m_pA = c.pA;
    arithmetic.m_pB = c.pB;
    arithmetic.m_pResult = c.pResult;
    arithmetic.m_fFactorA = c.fA;
    arithmetic.m_fFactorB = c.fB;
    const char* pszMessage = nullptr;
    const size_t nCase = (size_t)(&c - cases);
    ASSERT_EQ(c.bDone, arithmetic.Combine(c.nMode, &pszMessage) != FALSE) << nCase;
    if (!c.bDone) {
      EXPECT_STREQ("Different number of points", pszMessage) << nCase;
      EXPECT_EQ(0, std::memcmp(before.data(), c.pResult->m_pData, before.size() * sizeof(float))) << nCase;
      continue;
    }
    for (size_t i = 0; i < va.size(); i++)
      ASSERT_FLOAT_EQ(c.expected(va[i], vb[i]), c.pResult->m_pData[i]) << nCase << " " << i;
  }
  CSpectrumArithmetic missing;
  missing.m_pA = a;
  EXPECT_FALSE(missing.Combine(CSpectrumArithmetic::Add));
}

TEST(SpectrumArithmeticTest, SelectNextWrapsAndPassesOverTheResult) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s[3];
  for (CSpectrum*& p : s)
    p = AddTestSpectrum(doc, 16);
  CSpectrum outsider;
  CSpectrumArithmetic arithmetic;
  arithmetic.m_pResult = s[1];
  const struct {
    CSpectrum* pFrom;
    CSpectrum* pTo;
  } steps[] = {{s[0], s[2]}, {s[2], s[0]}, {s[1], s[2]}, {&outsider, &outsider}, {nullptr, nullptr}};
  for (const auto& step : steps) {
    CSpectrum* pOperand = step.pFrom;
    arithmetic.SelectNext(pOperand, s, 3);
    EXPECT_EQ(step.pTo, pOperand) << (size_t)(&step - steps);
  }
}

}  // namespace

namespace {

// Showing the bar: one spectrum is refused; with three, the last current, A
// is it and B the first, a zeroed copy of A is appended as the result, and
// every spectrum is normalised, kept and drawn alike.
TEST(SpectrumArithmeticTest, ShowingTheBarPreparesOperandsAndResult) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* one = AddTestSpectrum(doc, 64, [](int i) { return (float)(i % 9) * 10.0f; });
  float fBase = 0.0f;
  EXPECT_FALSE(doc.PrepareArithmetic(fBase));
  ASSERT_EQ(1u, host.m_messages.size());
  EXPECT_EQ("You need at least two spectra\nOpen an additional spectrum", host.m_messages[0]);
  EXPECT_EQ(nullptr, one->m_pAux);
  EXPECT_EQ(80.0f, *std::max_element(one->m_pData, one->m_pData + 64)) << "not normalised";

  CSpectrum* two = AddTestSpectrum(doc, 64, [](int i) { return (float)(i % 5) - 8.0f; });
  CSpectrum* three = AddTestSpectrum(doc, 64, [](int i) { return (float)i; });
  two->m_fVerticalScale = 250.0f;
  doc.RefreshAfterAdd();
  const int nAxis = one->m_Scale.GetPosition();
  ASSERT_TRUE(doc.PrepareArithmetic(fBase));
  EXPECT_EQ(250.0f, fBase);
  ASSERT_EQ(4, doc.GetSpectrumCount());
  CSpectrumArithmetic& a = doc.m_Arithmetic;
  EXPECT_EQ(three, a.m_pA);
  EXPECT_EQ(one, a.m_pB);
  EXPECT_EQ(doc.GetSpectrumAt(3), a.m_pResult);
  for (int i = 0; i < 4; i++) {
    const CSpectrum* s = doc.GetSpectrumAt(i);
    EXPECT_EQ(1.0f, s->m_fMaxValue) << i;
    EXPECT_EQ(250.0f, s->m_fVerticalScale) << i;
    EXPECT_TRUE(s->m_Scale.IsFloating()) << i;
  }
  EXPECT_EQ(nAxis + 10, one->m_Scale.GetPosition());
  for (int i = 0; i < 64; i++)
    ASSERT_EQ(0.0f, a.m_pResult->m_pData[i]) << i;
  EXPECT_FLOAT_EQ(-1.0f, two->m_pData[0]) << "normalised by its largest magnitude";
  ASSERT_NE(nullptr, two->m_pAux);
  EXPECT_EQ(0, std::memcmp(two->m_pAux, two->m_pData, 64 * sizeof(float)));

  // Shift and scale act on the current spectrum while it is an operand.
  doc.SetCurrentSpectrum(two);
  EXPECT_FALSE(doc.ShiftOperand(3));
  EXPECT_FALSE(doc.ScaleOperand(0.5f, fBase));
  doc.SetCurrentSpectrum(three);
  // Shifted to the right, its largest value leaves the data: it stays drawn
  // at the scale of all (as the result does, below).
  ASSERT_TRUE(doc.ShiftOperand(-3));
  EXPECT_FLOAT_EQ(56.0f / 62.0f, three->m_pData[62]);
  EXPECT_EQ(1.0f, three->GetLargestValue());
  EXPECT_EQ(62, three->m_nMaxIndex) << "where the data's largest real value is now";
  ASSERT_TRUE(doc.ShiftOperand(3));
  EXPECT_FLOAT_EQ(6.0f / 62.0f, three->m_pData[0]) << "its largest real value was 62";
  EXPECT_FALSE(doc.ScaleOperand(3.0e38f, fBase)) << "a scale past the float range";
  ASSERT_TRUE(doc.ScaleOperand(0.5f, fBase));
  EXPECT_EQ(125.0f, three->m_fVerticalScale);
  EXPECT_EQ(0.5f, a.m_fFactorA);
  ASSERT_TRUE(doc.CombineOperands(CSpectrumArithmetic::Subtract));
  EXPECT_FLOAT_EQ(0.5f * 6.0f / 62.0f, a.m_pResult->m_pData[0]);
  EXPECT_EQ(1.0f, a.m_pResult->GetLargestValue());

  // A spectrum resized since its data were kept is not shifted from them.
  ASSERT_TRUE(doc.ZeroFilling(128));
  EXPECT_FALSE(doc.ShiftOperand(1));
  host.m_messages.clear();
  EXPECT_FALSE(doc.CombineOperands(CSpectrumArithmetic::Add));
  ASSERT_EQ(1u, host.m_messages.size());
  EXPECT_EQ("Different number of points", host.m_messages[0]);

  // Select A steps on past B and the result, back to the first.
  doc.SelectOperand(FALSE);
  EXPECT_EQ(one, a.m_pA);
  doc.SelectOperand(TRUE);
  EXPECT_EQ(two, a.m_pB);
}

}  // namespace
