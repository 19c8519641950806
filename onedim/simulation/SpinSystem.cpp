#include "onedim/simulation/SpinSystem.h"

#include <cstdlib>

#include "onedim/processing/NumericalRoutines.h"

IMPLEMENT_DYNAMIC(CSpinSystem, CObject)

CSpinSystem::CSpinSystem()
    : m_pSpins(nullptr),
      m_ppCoupling(nullptr),
      m_pShifts(nullptr),
      m_nPoints(64000),
      m_dThreshold(1e-5),
      m_dMinFrequency(0.0),
      m_dMaxFrequency(3000.0),
      m_dLineWidth(0.5),
      m_dSpectrometerFrequency(300.0),
      m_nGroups(2),
      m_bPpm(0) {}

CSpinSystem::~CSpinSystem() {
  FreeArrays();
}

void CSpinSystem::FreeArrays() {
  std::free(m_pSpins);
  std::free(m_pShifts);
  if (m_ppCoupling != nullptr)
    free_dmatrix(m_ppCoupling, 0, m_nGroups - 1, 0, m_nGroups - 1);
  m_pSpins = nullptr;
  m_pShifts = nullptr;
  m_ppCoupling = nullptr;
}

BOOL CSpinSystem::SetGroupCount(int nGroups) {
  if (nGroups < 1)
    return FALSE;
  int* pSpins = static_cast<int*>(std::calloc((size_t)nGroups, sizeof(int)));
  float* pShifts = static_cast<float*>(std::calloc((size_t)nGroups, sizeof(float)));
  double** ppCoupling = pSpins && pShifts ? dmatrix(0, nGroups - 1, 0, nGroups - 1) : nullptr;
  if (ppCoupling == nullptr) {
    std::free(pSpins);
    std::free(pShifts);
    return FALSE;
  }
  FreeArrays();
  m_pSpins = pSpins;
  m_pShifts = pShifts;
  m_ppCoupling = ppCoupling;
  m_nGroups = nGroups;
  return TRUE;
}
