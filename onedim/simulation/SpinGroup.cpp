#include "onedim/simulation/SpinGroup.h"

#include <cstdlib>

#include "framework/base/Exception.h"

namespace {

int Factorial(int n) {
  int f = 1;
  for (int k = 2; k <= n; k++)
    f *= k;
  return f;
}

int Binomial(int n, int k) {
  if (k < 0 || k > n)
    return 0;
  return Factorial(n) / (Factorial(k) * Factorial(n - k));
}

}  // namespace

CSpinGroup::CSpinGroup() : m_nSpins(0), m_nComposite(0), m_pQuantum(nullptr), m_pMultiplicity(nullptr), m_dShift(0.0) {}

CSpinGroup::~CSpinGroup() {
  Clear();
}

void CSpinGroup::Clear() {
  std::free(m_pQuantum);
  std::free(m_pMultiplicity);
  m_pQuantum = nullptr;
  m_pMultiplicity = nullptr;
  m_nSpins = 0;
  m_nComposite = 0;
}

BOOL CSpinGroup::Set(int nSpins, double dShift) {
  Clear();
  m_dShift = dShift;
  if (nSpins < 0 || nSpins > MaxSpins) {
    m_nSpins = nSpins;
    return FALSE;
  }
  const int nComposite = nSpins / 2 + 1;
  m_pQuantum = static_cast<double*>(std::malloc(sizeof(double) * nComposite));
  m_pMultiplicity = static_cast<int*>(std::malloc(sizeof(int) * nComposite));
  if (m_pQuantum == nullptr || m_pMultiplicity == nullptr) {
    Clear();
    ReportErrorText("error allocating memory");
    return FALSE;
  }
  for (int i = 0; i < nComposite; i++) {
    m_pQuantum[i] = nSpins / 2.0 - i;
    m_pMultiplicity[i] = Binomial(nSpins, i) - Binomial(nSpins, i - 1);
  }
  m_nSpins = nSpins;
  m_nComposite = nComposite;
  return TRUE;
}
