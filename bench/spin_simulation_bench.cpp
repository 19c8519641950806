// The spin engine on n coupled single spins (no equivalence, every J
// non-zero), on the widest vector unit and on SSE2, against the
// diagonalisation of the whole 2^n x 2^n Hamiltonian that a calculation
// without Fz blocks would need before its line step.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "numerics/VectorUnit.h"
#include "onedim/processing/NumericalRoutines.h"
#include "onedim/simulation/CompositeSpinSystem.h"
#include "onedim/simulation/SpinGroup.h"
#include "onedim/simulation/SpinHamiltonian.h"

namespace {

double Shift(int k) {
  return 100.0 + 23.7 * k + 3.1 * (k % 3);
}

// Large between neighbours, small but non-zero across the molecule.
double Coupling(int k, int l) {
  return 7.5 / (l - k) + 0.13 * ((k + 2 * l) % 5) + 0.05;
}

void BM_SpinEngine(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<CSpinGroup> groups(n);
  for (int k = 0; k < n; k++)
    groups[k].Set(1, Shift(k));
  double** j = dmatrix(0, n - 1, 0, n - 1);
  for (int k = 0; k < n; k++)
    for (int l = k + 1; l < n; l++)
      j[k][l] = Coupling(k, l);
  int lines = 0;
  for (auto _ : state) {
    CCompositeSpinSystem system;
    if (!system.Build(groups.data(), j, n) || !system.Calculate()) {
      state.SkipWithError("refused");
      break;
    }
    lines = system.GetCombination(0).GetTransitionCount();
  }
  free_dmatrix(j, 0, n - 1, 0, n - 1);
  state.counters["lines"] = lines;
}
BENCHMARK(BM_SpinEngine)->Arg(8)->Arg(10)->Arg(11)->Arg(12)->Unit(benchmark::kMillisecond);

// The same on the SSE2 loops of processors without AVX2.
void BM_SpinEngine_SSE2(benchmark::State& state) {
  LimitVectorUnit(VectorUnit::kSse2);
  BM_SpinEngine(state);
  LimitVectorUnit(WidestVectorUnit());
}
BENCHMARK(BM_SpinEngine_SSE2)->Arg(10)->Arg(12)->Unit(benchmark::kMillisecond);

// The same Hamiltonian in the 2^n product basis, diagonalised at once.
void BM_WholeMatrix(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int d = 1 << n;
  std::vector<double> h(static_cast<size_t>(d) * d, 0.0);
  for (int s = 0; s < d; s++) {
    double e = 0.0;
    for (int k = 0; k < n; k++) {
      const double mk = (s >> k) & 1 ? 0.5 : -0.5;
      e += Shift(k) * mk;
      for (int l = k + 1; l < n; l++) {
        const double ml = (s >> l) & 1 ? 0.5 : -0.5;
        e += Coupling(k, l) * mk * ml;
        if (mk != ml)
          h[static_cast<size_t>(s ^ (1 << k) ^ (1 << l)) * d + s] = 0.5 * Coupling(k, l);
      }
    }
    h[static_cast<size_t>(s) * d + s] = e;
  }
  double** a = dmatrix(1, d, 1, d);
  std::vector<double> diag(d + 1), off(d + 1);
  for (auto _ : state) {
    for (int r = 0; r < d; r++)
      for (int c = 0; c < d; c++)
        a[r + 1][c + 1] = h[static_cast<size_t>(r) * d + c];
    tridiagonalize(a, d, diag.data(), off.data());
    benchmark::DoNotOptimize(tqli(diag.data(), off.data(), d, a));
  }
  free_dmatrix(a, 1, d, 1, d);
}
BENCHMARK(BM_WholeMatrix)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeMatrix)->Arg(12)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
