#include "onedim/simulation/CompositeSpinSystem.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "framework/base/Exception.h"
#include "onedim/simulation/SpinGroup.h"
#include "onedim/simulation/SpinHamiltonian.h"

// Half of what a 32-bit program can address at all.
const double CCompositeSpinSystem::MaxBytes = 1024.0 * 1024.0 * 1024.0;
// About four times what twelve coupled single spins take.
const double CCompositeSpinSystem::MaxWork = 1.6e10;
const char* const CCompositeSpinSystem::TooManySpinsText = "A group can hold from 0 to 12 equivalent spins";
const char* const CCompositeSpinSystem::TooLargeText = "The spin system is too large to be simulated";
const char* const CCompositeSpinSystem::NotFiniteText = "Shifts and coupling constants must be finite numbers";

namespace {

// No sub-problem of more states than this can pass the work limit: its
// largest Fz block alone would be too big. Checked first, so that the
// combinations are never listed for an absurd system.
const double kMaxStates = 1 << 20;

}  // namespace

CCompositeSpinSystem::CCompositeSpinSystem() : m_nGroups(0), m_nNuclei(0), m_nCombinations(0) {}

CCompositeSpinSystem::~CCompositeSpinSystem() = default;

BOOL CCompositeSpinSystem::Refuse(const char* pszText) {
  m_nCombinations = 0;
  m_Choice.clear();
  m_Weights.clear();
  m_Hamiltonians.clear();
  if (pszText != nullptr)
    ReportErrorText(pszText);
  return FALSE;
}

BOOL CCompositeSpinSystem::Build(const CSpinGroup* pGroups, double** ppCoupling, int nGroups) {
  Refuse(nullptr);
  if (pGroups == nullptr || ppCoupling == nullptr || nGroups < 1)
    return FALSE;
  // Sizes first, from the groups alone.
  double dLargest = 1.0, dCouplingBytes = 8.0 * nGroups * (double)nGroups;
  for (int g = 0; g < nGroups; g++) {
    const CSpinGroup& group = pGroups[g];
    if (group.m_nSpins < 0 || group.m_nSpins > CSpinGroup::MaxSpins)
      return Refuse(TooManySpinsText);
    if (group.m_nComposite < 1)
      return FALSE;  // its arrays failed, and Set has said so
    if (!std::isfinite(group.m_dShift))
      return Refuse(NotFiniteText);
    dLargest *= group.m_nSpins + 1;
  }
  if (dLargest > kMaxStates || dCouplingBytes > MaxBytes)
    return Refuse(TooLargeText);
  for (int p = 0; p < nGroups; p++)
    for (int q = p + 1; q < nGroups; q++)
      if (!std::isfinite(ppCoupling[p][q]))
        return Refuse(NotFiniteText);

  // Combinations, the last group varying fastest, and what they will take.
  int nCombinations = 1;
  for (int g = 0; g < nGroups; g++)
    nCombinations *= pGroups[g].m_nComposite;
  try {
    m_Choice.assign((size_t)nCombinations * nGroups, 0);
    m_Weights.assign(nCombinations, 1.0);
    std::vector<double> quantum(nGroups);
    double dKept = dCouplingBytes, dPeak = 0.0, dWork = 0.0;
    for (int i = 0; i < nCombinations; i++) {
      int rest = i;
      for (int g = nGroups - 1; g >= 0; g--) {
        const int c = rest % pGroups[g].m_nComposite;
        rest /= pGroups[g].m_nComposite;
        m_Choice[(size_t)i * nGroups + g] = c;
        m_Weights[i] *= pGroups[g].m_pMultiplicity[c];
        quantum[g] = pGroups[g].m_pQuantum[c];
      }
      const CSpinHamiltonian::Cost cost = CSpinHamiltonian::Estimate(nGroups, quantum.data());
      dKept += cost.dKeptBytes;
      dPeak = std::max(dPeak, cost.dPeakBytes);
      dWork += cost.dWork;
    }
    if (dKept + dPeak > MaxBytes || dWork > MaxWork)
      return Refuse(TooLargeText);

    m_nGroups = nGroups;
    m_nNuclei = 0;
    m_Shifts.resize(nGroups);
    m_Quantum.assign(nGroups, std::vector<double>());
    m_Multiplicity.assign(nGroups, std::vector<int>());
    for (int g = 0; g < nGroups; g++) {
      const CSpinGroup& group = pGroups[g];
      m_nNuclei += group.m_nSpins;
      m_Shifts[g] = group.m_dShift;
      m_Quantum[g].assign(group.m_pQuantum, group.m_pQuantum + group.m_nComposite);
      m_Multiplicity[g].assign(group.m_pMultiplicity, group.m_pMultiplicity + group.m_nComposite);
    }
    // Only couplings above the diagonal count.
    m_Coupling.assign((size_t)nGroups * nGroups, 0.0);
    for (int p = 0; p < nGroups; p++)
      for (int q = p + 1; q < nGroups; q++)
        m_Coupling[(size_t)p * nGroups + q] = ppCoupling[p][q];
  } catch (const std::bad_alloc&) {
    return Refuse("error allocating memory");
  }
  m_nCombinations = nCombinations;
  return TRUE;
}

BOOL CCompositeSpinSystem::Calculate() {
  m_Hamiltonians.clear();
  const int n = m_nCombinations;
  if (n < 1)
    return FALSE;  // not built, or refused
  try {
    std::vector<double> quantum(m_nGroups);
    for (int i = 0; i < n; i++) {
      for (int g = 0; g < m_nGroups; g++)
        quantum[g] = m_Quantum[g][GetChoice(i, g)];
      m_Hamiltonians.push_back(std::unique_ptr<CSpinHamiltonian>(new CSpinHamiltonian));
      if (!m_Hamiltonians.back()->Calculate(m_nGroups, quantum.data(), m_Shifts.data(), m_Coupling.data(), m_Weights[i],
                                            m_nNuclei)) {
        m_Hamiltonians.clear();
        return FALSE;
      }
    }
  } catch (const std::bad_alloc&) {
    m_Hamiltonians.clear();
    ReportErrorText("error allocating memory");
    return FALSE;
  }
  return TRUE;
}
