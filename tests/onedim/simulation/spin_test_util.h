// Spin systems for the tests: groups and couplings written as literals, the
// engine's lines collected over all combinations, and line lists merged by
// frequency so that lists from different calculations can be compared.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "onedim/processing/NumericalRoutines.h"
#include "onedim/simulation/CompositeSpinSystem.h"
#include "onedim/simulation/SpinGroup.h"
#include "onedim/simulation/SpinHamiltonian.h"

struct GroupSpec {
  int n;
  double shift;
};
struct CouplingSpec {
  int p, q;
  double j;
};
struct Line {
  double f, i;
};

// A G x G coupling matrix from 0 with J(p, q) above the diagonal.
class CouplingMatrix {
 public:
  CouplingMatrix(int g, const std::vector<CouplingSpec>& couplings) : m_g(g), m_m(dmatrix(0, g - 1, 0, g - 1)) {
    for (const CouplingSpec& c : couplings)
      m_m[std::min(c.p, c.q)][std::max(c.p, c.q)] = c.j;
  }
  ~CouplingMatrix() { free_dmatrix(m_m, 0, m_g - 1, 0, m_g - 1); }
  double** get() const { return m_m; }

 private:
  int m_g;
  double** m_m;
};

// Every line of every combination, or an empty list when the engine refused.
inline std::vector<Line> EngineLines(const std::vector<GroupSpec>& groups, const std::vector<CouplingSpec>& couplings) {
  const int g = (int)groups.size();
  std::vector<CSpinGroup> set(g);
  for (int k = 0; k < g; k++)
    set[k].Set(groups[k].n, groups[k].shift);
  CouplingMatrix j(g, couplings);
  CCompositeSpinSystem system;
  std::vector<Line> lines;
  if (!system.Build(set.data(), j.get(), g) || !system.Calculate())
    return lines;
  for (int c = 0; c < system.GetCombinationCount(); c++) {
    const CSpinHamiltonian& h = system.GetCombination(c);
    for (int t = 0; t < h.GetTransitionCount(); t++)
      lines.push_back({h.GetFrequencies()[t], h.GetIntensities()[t]});
  }
  return lines;
}

// Lines closer than tol Hz become one line carrying their summed intensity;
// lines weaker than floor after merging are dropped.
inline std::vector<Line> Merged(std::vector<Line> lines, double tol = 1e-6, double floor = 1e-10) {
  std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.f < b.f; });
  std::vector<Line> out;
  for (size_t k = 0; k < lines.size();) {
    size_t e = k;
    double f = 0.0, i = 0.0;
    for (; e < lines.size() && lines[e].f - lines[k].f < tol; e++) {
      f += lines[e].f * lines[e].i;
      i += lines[e].i;
    }
    if (i > floor)
      out.push_back({f / i, i});
    k = e;
  }
  return out;
}

inline double TotalIntensity(const std::vector<Line>& lines) {
  double sum = 0.0;
  for (const Line& l : lines)
    sum += l.i;
  return sum;
}

// Captures what the engine reports instead of showing it.
struct CapturedReports {
  CapturedReports() {
    texts().clear();
    m_previous = SetReportErrorHook([](LPCSTR text, UINT) {
      texts().push_back(text);
      return IDOK;
    });
  }
  ~CapturedReports() { SetReportErrorHook(m_previous); }
  static std::vector<std::string>& texts() {
    static std::vector<std::string> s;
    return s;
  }
  PFNREPORTERROR m_previous;
};
