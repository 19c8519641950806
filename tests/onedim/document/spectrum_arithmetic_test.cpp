// The add/subtract operands: combining two spectra with their factors,
// refusing operands of different sizes, and stepping an operand through the
// document's spectra.
#include <gtest/gtest.h>

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
      {a, a, result, 1.0f, 1.0f, CSpectrumArithmetic::Add, true, [](float x, float) { return 2 * x; }},
      {a, b, result, 2.0f, 0.5f, CSpectrumArithmetic::Subtract, true, [](float x, float y) { return 2 * x - y / 2; }},
      {a, b, a, 1.0f, 1.0f, CSpectrumArithmetic::Add, true, [](float x, float y) { return x + y; }},
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
