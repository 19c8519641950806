#include "onedim/simulation/SpinSimulation.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "framework/base/Exception.h"
#include "onedim/model/Spectrum.h"
#include "onedim/simulation/CompositeSpinSystem.h"
#include "onedim/simulation/SpinGroup.h"
#include "onedim/simulation/SpinHamiltonian.h"
#include "onedim/simulation/SpinSystem.h"

namespace {

const char kNoMemory[] = "error allocating memory";
const char kTooFewPoints[] = "The number of points must be at least 2";

struct CalculatedSystem {
  const CSpinSystem* pSystem;
  std::unique_ptr<CCompositeSpinSystem> pComposite;
};

// A system whose groups have not been entered yet has no lines.
BOOL Calculate(const CSpinSystem& system, CCompositeSpinSystem& composite) {
  const int nGroups = system.m_nGroups;
  if (nGroups < 1 || system.m_pSpins == nullptr || system.m_pShifts == nullptr || system.m_ppCoupling == nullptr)
    return TRUE;
  std::vector<CSpinGroup> groups(nGroups);
  for (int g = 0; g < nGroups; g++)
    groups[g].Set(system.m_pSpins[g], system.m_pShifts[g]);
  return composite.Build(groups.data(), system.m_ppCoupling, nGroups) && composite.Calculate();
}

void Synthesize(CSpectrum& spectrum, const CSpinSystem& system, const CCompositeSpinSystem& composite) {
  CSpectrumParams& params = spectrum.m_paramsA;
  params.title = "Spin Simulation";
  params.sf = system.m_dSpectrometerFrequency;
  params.DECIM = 0;
  params.sw = std::trunc(std::fabs(system.m_dMaxFrequency - system.m_dMinFrequency));
  // The axis reads sw - sw (i + offset) / td: this offset makes it run from
  // the window's low edge, where the lines are placed.
  params.offset = params.sw != 0.0 ? -system.m_dMinFrequency * params.td / params.sw : 0.0;
  for (int i = 0; i < composite.GetCombinationCount(); i++) {
    const CSpinHamiltonian& lines = composite.GetCombination(i);
    const std::vector<double> widths((size_t)lines.GetTransitionCount(), system.m_dLineWidth);
    spectrum.SynthesizeLines(lines.GetFrequencies(), lines.GetIntensities(), widths.data(), system.m_dThreshold,
                             lines.GetTransitionCount(), system.m_nPoints, system.m_dMinFrequency,
                             system.m_dMaxFrequency);
  }
}

}  // namespace

std::vector<CSpinSystem*> GetSpinSystems(const CSpectrum& spectrum) {
  std::vector<CSpinSystem*> systems;
  for (INT_PTR i = 0; i < spectrum.m_arrObjects.GetSize(); i++) {
    CObject* pObject = spectrum.m_arrObjects.GetAt(i);
    if (pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CSpinSystem)))
      systems.push_back(static_cast<CSpinSystem*>(pObject));
  }
  return systems;
}

BOOL SimulateSpinSystems(CSpectrum* pSpectrum, BOOL bReallocate) {
  if (pSpectrum == nullptr)
    return FALSE;
  std::vector<CalculatedSystem> systems;
  try {
    for (CSpinSystem* pSystem : GetSpinSystems(*pSpectrum)) {
      CalculatedSystem calculated = {pSystem, std::unique_ptr<CCompositeSpinSystem>(new CCompositeSpinSystem)};
      if (!Calculate(*calculated.pSystem, *calculated.pComposite))
        return FALSE;
      systems.push_back(std::move(calculated));
    }
    if (systems.empty())
      return FALSE;
    // Lines of every system go into one buffer; a later system with more
    // points than the first still writes only into the buffer it has.
    if (bReallocate) {
      const int nTd = systems[0].pSystem->m_nPoints / 2 * 2;
      if (nTd < 2) {
        ReportErrorText(kTooFewPoints);
        return FALSE;
      }
      const char* pszZeroFillMessage = nullptr;
      if ((pSpectrum->m_paramsA.td != nTd || pSpectrum->m_pData == nullptr) &&
          !pSpectrum->ZeroFill(nTd, &pszZeroFillMessage)) {
        ReportErrorText(kNoMemory);
        return FALSE;
      }
      if (pSpectrum->m_pRawData != nullptr)
        std::fill(pSpectrum->m_pRawData, pSpectrum->m_pRawData + nTd, 0.0f);
    }
  } catch (const std::bad_alloc&) {
    ReportErrorText(kNoMemory);
    return FALSE;
  }
  if (pSpectrum->m_pData == nullptr)
    return FALSE;
  std::fill(pSpectrum->m_pData, pSpectrum->m_pData + std::max(0, pSpectrum->m_paramsA.td), 0.0f);
  for (const CalculatedSystem& calculated : systems)
    Synthesize(*pSpectrum, *calculated.pSystem, *calculated.pComposite);
  pSpectrum->m_bDataChanged = 1;
  return TRUE;
}
