// The spin engine against closed forms: composite spins of a group, lines of
// the textbook two-spin systems; and the refusals of systems it cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/onedim/simulation/spin_test_util.h"

namespace {

TEST(SpinGroup, CompositeSpinsSpanTheWholeGroup) {
  CSpinGroup three;
  ASSERT_TRUE(three.Set(3, 120.0));
  ASSERT_EQ(2, three.m_nComposite);
  EXPECT_EQ(1.5, three.m_pQuantum[0]);
  EXPECT_EQ(1, three.m_pMultiplicity[0]);
  EXPECT_EQ(0.5, three.m_pQuantum[1]);
  EXPECT_EQ(2, three.m_pMultiplicity[1]);
  // Every group: its composite spins with their multiplicities hold the
  // 2^n states of n spins, and the smallest spin is 0 or 1/2.
  for (int n = 0; n <= CSpinGroup::MaxSpins; n++) {
    CSpinGroup g;
    ASSERT_TRUE(g.Set(n, 0.0));
    int states = 0;
    for (int i = 0; i < g.m_nComposite; i++)
      states += g.m_pMultiplicity[i] * (int)(2 * g.m_pQuantum[i] + 1);
    EXPECT_EQ(1 << n, states) << n;
    EXPECT_EQ(n % 2 ? 0.5 : 0.0, g.m_pQuantum[g.m_nComposite - 1]) << n;
  }
}

TEST(SpinEngine, UncoupledSpinsGiveOneLineAtEachShift) {
  const std::vector<Line> lines = Merged(EngineLines({{1, 100.0}, {1, 230.0}}, {}));
  ASSERT_EQ(2u, lines.size());
  EXPECT_NEAR(100.0, lines[0].f, 1e-9);
  EXPECT_NEAR(230.0, lines[1].f, 1e-9);
  EXPECT_NEAR(0.5, lines[0].i, 1e-12);
  EXPECT_NEAR(0.5, lines[1].i, 1e-12);
}

// AB: lines at (sum/2) +/- (R +/- J)/2 with R = sqrt(d^2 + J^2); the inner
// pair carries (1 + J/R)/4 each, the outer (1 - J/R)/4. With shifts +50 and
// -50 the lowest and highest levels coincide although their Fz differ.
TEST(SpinEngine, AbQuartetHasTheRoofEffect) {
  const double systems[][3] = {{100.0, 110.0, 8.0}, {50.0, -50.0, 6.0}, {200.0, 201.0, -12.0}};
  for (const auto& s : systems) {
    const double a = s[0], b = s[1], j = s[2];
    const std::vector<Line> lines = Merged(EngineLines({{1, a}, {1, b}}, {{0, 1, j}}));
    ASSERT_EQ(4u, lines.size()) << a;
    const double c = (a + b) / 2, r = std::hypot(b - a, j), aj = std::fabs(j);
    const double expected[4][2] = {{c - (r + aj) / 2, (1 - aj / r) / 4},
                                   {c - (r - aj) / 2, (1 + aj / r) / 4},
                                   {c + (r - aj) / 2, (1 + aj / r) / 4},
                                   {c + (r + aj) / 2, (1 - aj / r) / 4}};
    for (int k = 0; k < 4; k++) {
      EXPECT_NEAR(expected[k][0], lines[k].f, 1e-9) << a << " " << k;
      EXPECT_NEAR(expected[k][1], lines[k].i, 1e-12) << a << " " << k;
    }
    EXPECT_GT(lines[1].i, lines[0].i) << a;
  }
}

// Groups too large for the held-out check still give lines that add up to
// half the number of spins (less the raising table's truncation to seven
// decimals, a few parts in 1e7).
TEST(SpinEngine, LargeGroupsKeepTheIntensitySum) {
  EXPECT_NEAR(6.0, TotalIntensity(EngineLines({{12, 10.0}}, {})), 6e-6);
  const std::vector<Line> lines =
      EngineLines({{6, 100.0}, {3, 130.0}, {1, 90.0}}, {{0, 1, 7.0}, {1, 2, -3.0}, {0, 2, 1.5}});
  EXPECT_NEAR(5.0, TotalIntensity(lines), 5e-6);
}

TEST(SpinEngine, RefusesWhatItCannotHold) {
  struct Case {
    std::vector<GroupSpec> groups;
    std::vector<CouplingSpec> couplings;
    const char* text;
  };
  const double nan = std::nan(""), inf = HUGE_VAL;
  const Case cases[] = {
      {{{13, 100.0}}, {}, CCompositeSpinSystem::TooManySpinsText},
      {{{1, 100.0}, {-1, 90.0}}, {}, CCompositeSpinSystem::TooManySpinsText},
      {{{1, nan}}, {}, CCompositeSpinSystem::NotFiniteText},
      {{{1, 100.0}, {1, 90.0}}, {{0, 1, inf}}, CCompositeSpinSystem::NotFiniteText},
      // Ten groups of twelve: 13^10 states in the largest combination.
      {std::vector<GroupSpec>(10, {12, 100.0}), {}, CCompositeSpinSystem::TooLargeText},
      // Thirteen coupled spins: more work than twelve by far.
      {std::vector<GroupSpec>(13, {1, 100.0}), {}, CCompositeSpinSystem::TooLargeText},
      // Nine groups of two spins: a middle block of 3139 states.
      {std::vector<GroupSpec>(9, {2, 100.0}), {}, CCompositeSpinSystem::TooLargeText},
      // Many groups: 2^40 states.
      {std::vector<GroupSpec>(40, {1, 100.0}), {}, CCompositeSpinSystem::TooLargeText},
  };
  for (const Case& c : cases) {
    CapturedReports reports;
    EXPECT_TRUE(EngineLines(c.groups, c.couplings).empty());
    ASSERT_EQ(1u, CapturedReports::texts().size());
    EXPECT_EQ(c.text, CapturedReports::texts()[0]);
  }
  // Twelve coupled single spins are within bounds (not calculated here).
  std::vector<CSpinGroup> twelve(12);
  for (CSpinGroup& g : twelve)
    g.Set(1, 100.0);
  CouplingMatrix j(12, {{0, 1, 7.0}});
  CCompositeSpinSystem system;
  EXPECT_TRUE(system.Build(twelve.data(), j.get(), 12));
}

}  // namespace
