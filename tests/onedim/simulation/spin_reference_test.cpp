// Held-out check of the spin engine: systems of up to 8 spins solved here
// the long way, with every nucleus a spin-1/2 in the full 2^S product basis,
// the whole Hamiltonian diagonalised by Jacobi rotations (no use of Fz and
// none of the engine's routines), and the lines taken as |<b|F+|a>|^2 over
// all pairs of eigenstates.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/onedim/simulation/spin_test_util.h"

namespace {

// Eigenvalues and eigenvectors (columns of v) of the symmetric n x n matrix
// a (row by row), by cyclic Jacobi sweeps until the off-diagonal vanishes.
void Jacobi(std::vector<double>& a, int n, std::vector<double>& values, std::vector<double>& v) {
  v.assign((size_t)n * n, 0.0);
  for (int i = 0; i < n; i++)
    v[(size_t)i * n + i] = 1.0;
  for (int sweep = 0; sweep < 100; sweep++) {
    double off = 0.0;
    for (int p = 0; p < n; p++)
      for (int q = p + 1; q < n; q++)
        off += a[(size_t)p * n + q] * a[(size_t)p * n + q];
    if (off < 1e-26)
      break;
    for (int p = 0; p < n; p++)
      for (int q = p + 1; q < n; q++) {
        const double apq = a[(size_t)p * n + q];
        if (std::fabs(apq) < 1e-300)
          continue;
        const double theta = (a[(size_t)q * n + q] - a[(size_t)p * n + p]) / (2.0 * apq);
        const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
        for (int k = 0; k < n; k++) {  // columns p and q
          const double akp = a[(size_t)k * n + p], akq = a[(size_t)k * n + q];
          a[(size_t)k * n + p] = c * akp - s * akq;
          a[(size_t)k * n + q] = s * akp + c * akq;
        }
        for (int k = 0; k < n; k++) {  // rows p and q
          const double apk = a[(size_t)p * n + k], aqk = a[(size_t)q * n + k];
          a[(size_t)p * n + k] = c * apk - s * aqk;
          a[(size_t)q * n + k] = s * apk + c * aqk;
        }
        for (int k = 0; k < n; k++) {
          const double vkp = v[(size_t)k * n + p], vkq = v[(size_t)k * n + q];
          v[(size_t)k * n + p] = c * vkp - s * vkq;
          v[(size_t)k * n + q] = s * vkp + c * vkq;
        }
      }
  }
  values.resize(n);
  for (int i = 0; i < n; i++)
    values[i] = a[(size_t)i * n + i];
}

// Bit k of a state set: nucleus k is up (m = +1/2).
std::vector<Line> ReferenceLines(const std::vector<GroupSpec>& groups, const std::vector<CouplingSpec>& couplings) {
  std::vector<int> group;  // group of each nucleus
  for (size_t g = 0; g < groups.size(); g++)
    group.insert(group.end(), groups[g].n, (int)g);
  const int s = (int)group.size(), n = 1 << s;
  auto coupling = [&](int k, int l) {
    double j = 0.0;
    for (const CouplingSpec& c : couplings)
      if ((c.p == group[k] && c.q == group[l]) || (c.p == group[l] && c.q == group[k]))
        j = c.j;
    return j;
  };
  auto m = [](int state, int k) {
    return (state >> k) & 1 ? 0.5 : -0.5;
  };

  // H = sum nu_k Iz_k + sum_(k<l) J_kl (Iz_k Iz_l + (I+_k I-_l + I-_k I+_l) / 2)
  std::vector<double> h((size_t)n * n, 0.0);
  for (int st = 0; st < n; st++) {
    double e = 0.0;
    for (int k = 0; k < s; k++) {
      e += groups[group[k]].shift * m(st, k);
      for (int l = k + 1; l < s; l++) {
        const double j = coupling(k, l);
        e += j * m(st, k) * m(st, l);
        if (((st >> k) & 1) != ((st >> l) & 1))
          h[(size_t)(st ^ (1 << k) ^ (1 << l)) * n + st] += j / 2;
      }
    }
    h[(size_t)st * n + st] += e;
  }
  std::vector<double> energy, v;
  Jacobi(h, n, energy, v);

  // F+ |a> for every eigenvector a, then <b|F+|a>.
  std::vector<Line> lines;
  std::vector<double> raised(n);
  for (int a = 0; a < n; a++) {
    std::fill(raised.begin(), raised.end(), 0.0);
    for (int st = 0; st < n; st++)
      for (int k = 0; k < s; k++)
        if (!((st >> k) & 1))
          raised[st | (1 << k)] += v[(size_t)st * n + a];
    for (int b = 0; b < n; b++) {
      double x = 0.0;
      for (int st = 0; st < n; st++)
        x += v[(size_t)st * n + b] * raised[st];
      if (x * x > 1e-24)
        lines.push_back({energy[b] - energy[a], x * x / n});
    }
  }
  return lines;
}

// Every pair coupled: strongly between neighbours, weakly but not zero
// across the chain, with both signs.
std::vector<CouplingSpec> EveryPair(int n) {
  std::vector<CouplingSpec> couplings;
  for (int k = 0; k < n; k++)
    for (int l = k + 1; l < n; l++)
      couplings.push_back({k, l, (l - k == 1 ? 7.0 + 0.4 * k : 1.6 / (l - k)) * ((k + l) % 4 == 3 ? -1 : 1)});
  return couplings;
}

// The lines of both calculations agree, and the engine's add up to half the
// number of spins.
TEST(SpinReference, EngineMatchesFullDiagonalisation) {
  struct Case {
    const char* name;
    std::vector<GroupSpec> groups;
    std::vector<CouplingSpec> couplings;
    double tolerance;  // relative, on merged intensities, and 1e-3 of it absolute
  };
  // Composite spins other than 1/2 meet the raising table's truncation to
  // seven decimals, felt most by the weak lines; single spins are exact.
  const Case cases[] = {
      {"ABC", {{1, 100.0}, {1, 135.0}, {1, 181.0}}, {{0, 1, 7.3}, {1, 2, 3.1}, {0, 2, -2.2}}, 1e-9},
      {"A2B", {{2, 100.0}, {1, 112.0}}, {{0, 1, 7.0}}, 1e-6},
      {"AA'BB' as A2B2", {{2, 300.0}, {2, 318.0}}, {{0, 1, 6.5}}, 1e-6},
      {"A3X", {{3, 120.0}, {1, 460.0}}, {{0, 1, 7.1}}, 1e-6},
      {"five strongly coupled",
       {{1, 10.0}, {1, 14.5}, {1, 21.0}, {1, 22.0}, {1, 30.0}},
       {{0, 1, 8.0}, {0, 2, -3.5}, {1, 2, 11.0}, {1, 3, 2.5}, {2, 3, 15.0}, {2, 4, 1.2}, {3, 4, -6.0}, {0, 4, 0.7}},
       1e-9},
      {"A3B2CD",
       {{3, 50.0}, {2, 58.0}, {1, 71.0}, {2, 64.0}},
       {{0, 1, 7.2}, {0, 2, 1.1}, {1, 2, 4.4}, {1, 3, -9.0}, {2, 3, 3.3}},
       1e-6},
      {"eight coupled",
       {{1, 100.0}, {1, 107.0}, {1, 113.0}, {1, 125.0}, {1, 131.0}, {1, 142.0}, {1, 150.0}, {1, 161.0}},
       EveryPair(8),
       1e-9},
  };
  for (const Case& c : cases) {
    const std::vector<Line> lines = EngineLines(c.groups, c.couplings);
    int spins = 0;
    for (const GroupSpec& g : c.groups)
      spins += g.n;
    EXPECT_NEAR(spins / 2.0, TotalIntensity(lines), c.tolerance * spins) << c.name;
    const std::vector<Line> engine = Merged(lines);
    const std::vector<Line> reference = Merged(ReferenceLines(c.groups, c.couplings));
    ASSERT_EQ(reference.size(), engine.size()) << c.name;
    for (size_t k = 0; k < engine.size(); k++) {
      EXPECT_NEAR(reference[k].f, engine[k].f, 1e-7) << c.name << " line " << k;
      EXPECT_NEAR(reference[k].i, engine[k].i, c.tolerance * (reference[k].i + 1e-3)) << c.name << " line " << k;
    }
  }
}

}  // namespace
