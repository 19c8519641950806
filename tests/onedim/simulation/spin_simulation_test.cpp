// A spectrum's spin systems turned into its data: lines where the axis says
// they are, subsystems that add, and a refused system that leaves the
// spectrum as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/simulation/SpinSimulation.h"
#include "onedim/simulation/SpinSystem.h"
#include "tests/onedim/simulation/spin_test_util.h"

namespace {

// A spectrum as Simulation New makes it: td 1, one-float buffers.
std::unique_ptr<CSpectrum> NewSimulatedSpectrum() {
  CSpectrumParams params;
  params.td = 1;
  auto s = std::make_unique<CSpectrum>(params);
  s->m_pData = CSpectrum::AllocateFloats(1);
  s->m_pRawData = CSpectrum::AllocateFloats(1);
  s->m_pWeighted = CSpectrum::AllocateFloats(1);
  return s;
}

// Appends a system of the given groups and couplings; the spectrum owns it.
CSpinSystem* AddSystem(CSpectrum& s, const std::vector<GroupSpec>& groups, const std::vector<CouplingSpec>& couplings) {
  CSpinSystem* system = new CSpinSystem;
  s.m_arrObjects.Add(system);
  EXPECT_TRUE(system->SetGroupCount((int)groups.size()));
  for (size_t g = 0; g < groups.size(); g++) {
    system->m_pSpins[g] = groups[g].n;
    system->m_pShifts[g] = (float)groups[g].shift;
  }
  for (const CouplingSpec& c : couplings)
    system->m_ppCoupling[c.p][c.q] = c.j;
  return system;
}

// The axis of the simulated spectrum shows the window, so a line's maximum
// sits at its shift (within the one point by which the synthesis's reversed
// storage places it) whatever the window's low edge.
TEST(SpinSimulation, LinesSitAtTheirShiftOnTheAxis) {
  const double windows[][3] = {{0.0, 3000.0, 1500.0}, {1000.0, 2000.0, 1500.0}, {-500.0, 500.0, 120.0}};
  for (const auto& w : windows) {
    auto s = NewSimulatedSpectrum();
    CSpinSystem* system = AddSystem(*s, {{1, w[2]}}, {});
    system->m_dMinFrequency = w[0];
    system->m_dMaxFrequency = w[1];
    ASSERT_TRUE(SimulateSpinSystems(s.get(), TRUE));
    ASSERT_EQ(64000, s->m_paramsA.td);
    EXPECT_EQ(w[1] - w[0], s->m_paramsA.sw);
    s->FindMaximum();
    const double hz = (w[1] - w[0]) / 32000;
    EXPECT_NEAR(w[2], s->ConvertUnits(s->m_nMaxIndex, AXIS_UNITS_HZ), hz * 1.01) << w[0];
    EXPECT_NEAR(w[1], s->ConvertUnits(0, AXIS_UNITS_HZ), 1e-9) << w[0];
  }
}

// Subsystems add up, and recomputing in place gives the same data again.
TEST(SpinSimulation, SubsystemsAddUp) {
  const std::vector<GroupSpec> ab = {{1, 700.0}, {1, 740.0}};
  const std::vector<GroupSpec> a2x = {{2, 1200.0}, {1, 2100.0}};
  auto one = NewSimulatedSpectrum(), two = NewSimulatedSpectrum(), both = NewSimulatedSpectrum();
  AddSystem(*one, ab, {{0, 1, 12.0}});
  AddSystem(*two, a2x, {{0, 1, 5.0}});
  AddSystem(*both, ab, {{0, 1, 12.0}});
  AddSystem(*both, a2x, {{0, 1, 5.0}});
  for (CSpectrum* s : {one.get(), two.get(), both.get()})
    ASSERT_TRUE(SimulateSpinSystems(s, TRUE));
  ASSERT_TRUE(SimulateSpinSystems(both.get(), FALSE));
  double largest = 0.0;
  for (int k = 0; k < 64000; k += 2) {
    ASSERT_NEAR(one->m_pData[k] + two->m_pData[k], both->m_pData[k], 1e-5) << k;
    largest = std::max(largest, (double)both->m_pData[k]);
  }
  EXPECT_GT(largest, 0.1);
}

TEST(SpinSimulation, RefusedSystemLeavesTheSpectrumAlone) {
  struct Case {
    int spins, points;
    const char* text;
  };
  const Case cases[] = {{13, 64000, CCompositeSpinSystem::TooManySpinsText},
                        {1, 1, "The number of points must be at least 2"}};
  for (const Case& c : cases) {
    auto s = NewSimulatedSpectrum();
    AddSystem(*s, {{1, 100.0}}, {});
    ASSERT_TRUE(SimulateSpinSystems(s.get(), TRUE));
    const std::vector<float> before(s->m_pData, s->m_pData + s->m_paramsA.td);
    CSpinSystem* bad = AddSystem(*s, {{c.spins, 200.0}}, {});
    static_cast<CSpinSystem*>(s->m_arrObjects.GetAt(0))->m_nPoints = c.points;
    bad->m_nPoints = c.points;
    CapturedReports reports;
    EXPECT_FALSE(SimulateSpinSystems(s.get(), TRUE));
    ASSERT_EQ(1u, CapturedReports::texts().size());
    EXPECT_EQ(c.text, CapturedReports::texts()[0]);
    ASSERT_EQ(64000, s->m_paramsA.td);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), s->m_pData));
  }
}

}  // namespace
