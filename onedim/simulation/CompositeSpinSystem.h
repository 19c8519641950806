// One calculation of a spin system: every combination of one composite spin
// per group is an independent sub-problem (a CSpinHamiltonian) whose lines
// count with the product of the chosen spins' multiplicities.
//
//   CCompositeSpinSystem system;
//   if (system.Build(groups, coupling, nGroups) && system.Calculate())
//     for each combination i: system.GetCombination(i) holds its lines.
#pragma once

#include <memory>
#include <vector>

#include "framework/base/WinTypes.h"

class CSpinGroup;
class CSpinHamiltonian;

class CCompositeSpinSystem {
 public:
  // What a calculation may take. A system beyond either is refused before
  // anything is allocated, rather than exhausting memory or running for
  // hours: twelve coupled spins without equivalence stay well inside.
  static const double MaxBytes;
  static const double MaxWork;  // multiply-adds of the dense steps
  // The refusals, as reported.
  static const char* const TooManySpinsText;
  static const char* const TooLargeText;
  static const char* const NotFiniteText;

  CCompositeSpinSystem();
  virtual ~CCompositeSpinSystem();

  // Takes the groups (each Set) and the couplings (G x G from 0, J(p, q)
  // above the diagonal, Hz), lists the combinations and checks the size of
  // the calculation. Returns FALSE after reporting when a group holds more
  // spins than a group can, a shift or coupling is not a finite number, or
  // the calculation would exceed MaxBytes or MaxWork.
  BOOL Build(const CSpinGroup* pGroups, double** ppCoupling, int nGroups);

  // Computes every combination's lines; FALSE after reporting when memory
  // runs out or the eigenvalue routine gives up (no lines are kept then).
  BOOL Calculate();

  // Combinations calculated: all of them after a successful Calculate.
  int GetCombinationCount() const { return (int)m_Hamiltonians.size(); }
  const CSpinHamiltonian& GetCombination(int i) const { return *m_Hamiltonians[i]; }
  // Composite spin chosen in group g by combination i (0 = n/2).
  int GetChoice(int i, int g) const { return m_Choice[(size_t)i * m_nGroups + g]; }
  double GetWeight(int i) const { return m_Weights[i]; }

 private:
  BOOL Refuse(const char* pszText);

  int m_nGroups;
  int m_nNuclei;  // S, spin-1/2 nuclei of all groups
  int m_nCombinations;
  std::vector<double> m_Shifts;
  std::vector<double> m_Coupling;                // G x G
  std::vector<std::vector<double>> m_Quantum;    // per group: I_i
  std::vector<std::vector<int>> m_Multiplicity;  // per group: w_i
  std::vector<int> m_Choice;                     // N x G
  std::vector<double> m_Weights;
  std::vector<std::unique_ptr<CSpinHamiltonian>> m_Hamiltonians;

  CCompositeSpinSystem(const CCompositeSpinSystem&) = delete;
  CCompositeSpinSystem& operator=(const CCompositeSpinSystem&) = delete;
};
