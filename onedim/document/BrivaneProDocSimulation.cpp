// The simulation commands of the document: spin systems edited and
// calculated into a spectrum, and a FID made from a table of signals.
#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/simulation/FidSynthesizer.h"
#include "onedim/simulation/SpinSimulation.h"
#include "onedim/simulation/SpinSystem.h"

namespace {

const char kSimulationTitle[] = "Spin Simulation";

}  // namespace

CSimulationEditor::~CSimulationEditor() = default;

CSpinSystem* CBrivaneProDoc::GetFirstSpinSystem(const CSpectrum& spectrum) {
  const std::vector<CSpinSystem*> systems = GetSpinSystems(spectrum);
  return systems.empty() ? nullptr : systems.front();
}

BOOL CBrivaneProDoc::Simulate(BOOL bNew, CSimulationEditor& editor) {
  CSpectrum* pSpectrum = m_pCurrent;
  if (bNew) {
    CSpectrumParams params;
    params.td = 1;
    params.title = kSimulationTitle;
    pSpectrum = AddSpectrum(params);
    pSpectrum->m_pData = CSpectrum::AllocateFloats(1);
    pSpectrum->m_pRawData = CSpectrum::AllocateFloats(1);
    SetCurrentSpectrum(pSpectrum);
  }
  if (pSpectrum == nullptr)
    return FALSE;
  if (GetFirstSpinSystem(*pSpectrum) == nullptr)
    pSpectrum->m_arrObjects.Add(new CSpinSystem);

  const BOOL bDone = editor.EditSpinSystems(*pSpectrum) && SimulateSpinSystems(pSpectrum, TRUE);
  if (!bDone) {
    // A spectrum made for the simulation holds nothing without it.
    if (bNew) {
      RemoveSpectrum(pSpectrum);
      UpdateViews();
    }
    return FALSE;
  }
  if (bNew) {
    FinishSimulatedSpectrum(pSpectrum);
    RefreshAfterAdd();
  } else
    UpdateViews();
  SetModified();
  return TRUE;
}

BOOL CBrivaneProDoc::RecomputeSimulation() {
  if (m_pCurrent == nullptr || GetFirstSpinSystem(*m_pCurrent) == nullptr)
    return FALSE;
  const BOOL bDone = SimulateSpinSystems(m_pCurrent, FALSE);
  UpdateViews();
  return bDone;
}

BOOL CBrivaneProDoc::AddFidSimulation(int nComplexPoints, double dSpectralWidth, double dOperatingFrequency,
                                      const std::vector<CFidSignal>& signals) {
  if (nComplexPoints < 1 || nComplexPoints > INT_MAX / 2 || !(dSpectralWidth > 0.0) || !std::isfinite(dSpectralWidth))
    return FALSE;
  const int nTd = 2 * nComplexPoints;
  float* pData = CSpectrum::AllocateFloats(nTd);
  float* pRaw = pData != nullptr ? CSpectrum::AllocateFloats(nTd) : nullptr;
  if (pRaw == nullptr) {
    delete[] pData;
    return FALSE;
  }
  CFidSynthesizer synthesizer(pData, signals, dOperatingFrequency, dSpectralWidth, nTd);
  if (!synthesizer.Synthesize()) {
    delete[] pData;
    delete[] pRaw;
    return FALSE;
  }
  std::copy(pData, pData + nTd, pRaw);

  CSpectrumParams params;
  params.td = nTd;
  params.sw = dSpectralWidth;
  params.sf = dOperatingFrequency;
  // The points are complex: the transform reads them so unless told they
  // are real (a real transform of them mirrors every line at sw - f). No
  // quadrature rotation: the synthesizer puts a signal of f Hz at f on the
  // transformed spectrum's axis as it is.
  params.aqmode = 1;
  params.bComplex = 0;
  CSpectrum* pSpectrum = AddSpectrum(params);
  pSpectrum->m_pData = pData;
  pSpectrum->m_pRawData = pRaw;
  SetCurrentSpectrum(pSpectrum);
  RefreshAfterAdd();
  FinishSimulatedSpectrum(pSpectrum);
  UpdateViews();
  return TRUE;
}
