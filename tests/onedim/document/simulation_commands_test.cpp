// The document's simulation commands: a new simulated spectrum and its
// layout, Edit on the current one, a cancelled or refused simulation that
// leaves the document as it was, and the FID simulation whose transform
// shows each signal at its frequency.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/simulation/FidSynthesizer.h"
#include "onedim/simulation/SpinSystem.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

class CFakeEditor : public CSimulationEditor {
 public:
  explicit CFakeEditor(std::function<BOOL(CSpectrum&)> edit) : m_edit(std::move(edit)) {}
  BOOL EditSpinSystems(CSpectrum& spectrum) override {
    m_nCalls++;
    return m_edit(spectrum);
  }
  std::function<BOOL(CSpectrum&)> m_edit;
  int m_nCalls = 0;
};

// One group of one spin at the shift, in a window of 0 ... 1000 Hz.
BOOL OneLine(CSpectrum& s, double dShift, int nPoints) {
  CSpinSystem* system = CBrivaneProDoc::GetFirstSpinSystem(s);
  if (system == nullptr || !system->SetGroupCount(1))
    return FALSE;
  system->m_pSpins[0] = 1;
  system->m_pShifts[0] = (float)dShift;
  system->m_nPoints = nPoints;
  system->m_dMaxFrequency = 1000.0;
  return TRUE;
}

double PeakHz(CSpectrum& s) {
  s.FindMaximum();
  return s.ConvertUnits(s.m_nMaxIndex, AXIS_UNITS_HZ);
}

class SimulationCommandsTest : public ::testing::Test {
 protected:
  CTestHost m_host;
  CBrivaneProDoc m_doc{&m_host};
};

TEST_F(SimulationCommandsTest, NewSimulationAddsABlueSpectrumAndEditRecomputesIt) {
  CFakeEditor editor([](CSpectrum& s) { return OneLine(s, 250.0, 4096); });
  ASSERT_TRUE(m_doc.Simulate(TRUE, editor));
  ASSERT_EQ(1, m_doc.GetSpectrumCount());
  CSpectrum* s = m_doc.GetCurrentSpectrum();
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(4096, s->m_paramsA.td);
  EXPECT_STREQ("Spin Simulation", (LPCSTR)s->m_paramsA.title);
  EXPECT_EQ(1000.0, s->m_paramsA.sw);
  EXPECT_EQ(0, s->m_nFirst);
  EXPECT_EQ(4096, s->m_nLast);
  EXPECT_NE(nullptr, s->m_pWeighted);
  EXPECT_NE(nullptr, s->m_pWindow);
  EXPECT_DOUBLE_EQ(4096 / 2000.0, s->m_paramsA.aq);
  EXPECT_EQ(1, m_doc.m_nSpectra);
  EXPECT_NEAR(250.0, PeakHz(*s), 1.0);
  EXPECT_TRUE(m_host.m_bModified);

  // Edit keeps the spectrum and its system, and moves the line.
  CFakeEditor edit([](CSpectrum& sp) {
    CBrivaneProDoc::GetFirstSpinSystem(sp)->m_pShifts[0] = 700.0f;
    return TRUE;
  });
  const int nUpdates = m_host.m_nUpdates;
  ASSERT_TRUE(m_doc.Simulate(FALSE, edit));
  EXPECT_EQ(1, m_doc.GetSpectrumCount());
  EXPECT_EQ(s, m_doc.GetCurrentSpectrum());
  EXPECT_EQ(1, s->m_arrObjects.GetSize());
  EXPECT_NEAR(700.0, PeakHz(*s), 1.0);
  EXPECT_GT(m_host.m_nUpdates, nUpdates);

  // The interactive step recomputes into the same buffers.
  CBrivaneProDoc::GetFirstSpinSystem(*s)->m_pShifts[0] = 400.0f;
  float* pData = s->m_pData;
  ASSERT_TRUE(m_doc.RecomputeSimulation());
  EXPECT_EQ(pData, s->m_pData);
  EXPECT_NEAR(400.0, PeakHz(*s), 1.0);
}

// Cancel, a system the engine refuses and too few points all end with the
// document as it was: no empty spectrum is left behind by New, and Edit
// keeps the data it had.
TEST_F(SimulationCommandsTest, NothingSimulatedLeavesTheDocumentAsItWas) {
  const std::vector<std::function<BOOL(CSpectrum&)>> edits = {
      [](CSpectrum&) { return FALSE; },
      [](CSpectrum& s) {
        OneLine(s, 100.0, 2048);
        CBrivaneProDoc::GetFirstSpinSystem(s)->m_pShifts[0] = NAN;
        return TRUE;
      },
      [](CSpectrum& s) { return OneLine(s, 100.0, 1); },
  };
  for (size_t i = 0; i < edits.size(); i++) {
    CFakeEditor editor(edits[i]);
    EXPECT_FALSE(m_doc.Simulate(TRUE, editor)) << i;
    EXPECT_EQ(1, editor.m_nCalls) << i;
    EXPECT_EQ(0, m_doc.GetSpectrumCount()) << i;
    EXPECT_EQ(nullptr, m_doc.GetCurrentSpectrum()) << i;
  }
  CFakeEditor good([](CSpectrum& s) { return OneLine(s, 300.0, 2048); });
  ASSERT_TRUE(m_doc.Simulate(TRUE, good));
  CSpectrum* s = m_doc.GetCurrentSpectrum();
  const std::vector<float> before(s->m_pData, s->m_pData + s->m_paramsA.td);
  for (size_t i = 0; i < edits.size(); i++) {
    CFakeEditor editor(edits[i]);
    EXPECT_FALSE(m_doc.Simulate(FALSE, editor)) << i;
    ASSERT_EQ(1, m_doc.GetSpectrumCount()) << i;
    EXPECT_EQ(before, std::vector<float>(s->m_pData, s->m_pData + s->m_paramsA.td)) << i;
  }
}

TEST_F(SimulationCommandsTest, EditWithoutSystemsStartsOneAndWithoutSpectrumDoesNothing) {
  CFakeEditor editor([](CSpectrum& s) { return s.m_arrObjects.GetSize() == 1 && OneLine(s, 100.0, 1024); });
  EXPECT_FALSE(m_doc.Simulate(FALSE, editor));
  EXPECT_EQ(0, editor.m_nCalls);
  CSpectrumParams params;
  params.td = 8;
  CSpectrum* s = m_doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(8);
  s->m_pRawData = CSpectrum::AllocateFloats(8);
  m_doc.SetCurrentSpectrum(s);
  EXPECT_FALSE(m_doc.RecomputeSimulation());
  ASSERT_TRUE(m_doc.Simulate(FALSE, editor));
  EXPECT_EQ(1024, s->m_paramsA.td);
  EXPECT_NE(nullptr, CBrivaneProDoc::GetFirstSpinSystem(*s));
}

// The largest magnitude within two points of the float index nearest hz.
double MagnitudeNear(const CSpectrum& s, double hz) {
  const int td = s.m_paramsA.td;
  const int nCentre = (int)std::lround((s.m_paramsA.sw - hz) * td / s.m_paramsA.sw / 2) * 2;
  double largest = 0.0;
  for (int i = std::max(0, nCentre - 4); i <= nCentre + 4 && i + 1 < td; i += 2)
    largest = std::max(largest, std::hypot((double)s.m_pData[i], (double)s.m_pData[i + 1]));
  return largest;
}

// Each signal, once transformed with the dialog's first choices, peaks at
// its frequency on the Hz axis, and only there: the points are complex, so
// no mirror line stands at sw - f.
TEST_F(SimulationCommandsTest, FidSimulationPutsEachSignalAtItsFrequency) {
  const double sw = 2000.0;
  for (double f : {250.0, 1000.0, 1731.0}) {
    const std::vector<CFidSignal> signals = {{2.0, 1.0, 0.0, f}};
    ASSERT_TRUE(m_doc.AddFidSimulation(4096, sw, 300.0, signals)) << f;
    CSpectrum* s = m_doc.GetCurrentSpectrum();
    EXPECT_EQ(8192, s->m_paramsA.td);
    EXPECT_EQ(300.0, s->m_paramsA.sf);
    EXPECT_EQ(RGB(0, 0, 255), s->m_crTrace);
    EXPECT_EQ(8192 / (2 * sw), s->m_paramsA.aq);
    EXPECT_EQ(0, std::memcmp(s->m_pData, s->m_pRawData, sizeof(float) * 8192)) << "the kept data are the FID too";
    EXPECT_FLOAT_EQ(1.0f, s->m_pData[0]);
    CFourierTransformOptions options;
    InitFourierTransformOptions(*s, options);
    EXPECT_FALSE(options.bReal);
    EXPECT_FALSE(options.bQuadrature);
    ASSERT_TRUE(TransformSpectrum(*s, options));
    EXPECT_NEAR(f, PeakHz(*s), sw / 2048) << f;  // two points
    if (f != sw / 2)
      EXPECT_LT(MagnitudeNear(*s, sw - f), 0.01 * MagnitudeNear(*s, f)) << f;
  }
  EXPECT_EQ(3, m_doc.m_nSpectra);
}

TEST_F(SimulationCommandsTest, FidSimulationRefusesValuesThatMakeNoSpectrum) {
  const std::vector<CFidSignal> good = {{1.0, 1.0, 0.0, 100.0}};
  const std::vector<CFidSignal> infinite = {{1.0, INFINITY, 0.0, 100.0}};
  EXPECT_FALSE(m_doc.AddFidSimulation(0, 2000.0, 300.0, good));
  EXPECT_FALSE(m_doc.AddFidSimulation(-5, 2000.0, 300.0, good));
  EXPECT_FALSE(m_doc.AddFidSimulation(1 << 30, 2000.0, 300.0, good));
  EXPECT_FALSE(m_doc.AddFidSimulation(16, 0.0, 300.0, good));
  EXPECT_FALSE(m_doc.AddFidSimulation(16, NAN, 300.0, good));
  EXPECT_FALSE(m_doc.AddFidSimulation(16, 2000.0, 300.0, infinite));
  EXPECT_EQ(0, m_doc.GetSpectrumCount());
  EXPECT_TRUE(m_doc.AddFidSimulation(16, 2000.0, 300.0, {}));
}

}  // namespace
