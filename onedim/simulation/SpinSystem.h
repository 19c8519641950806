// One simulated spin system as the user describes it: groups of equivalent
// spin-1/2 nuclei with their shifts and the couplings between groups, and
// the window and line settings of the spectrum it is drawn into. A spectrum
// owns its systems in its object array.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/WinTypes.h"

class CSpinSystem : public CObject {
  DECLARE_DYNAMIC(CSpinSystem)

 public:
  CSpinSystem();
  ~CSpinSystem() override;

  // Replaces the three group arrays by zeroed ones for nGroups groups and
  // sets the group count; on failure the system keeps its old arrays.
  BOOL SetGroupCount(int nGroups);

  int* m_pSpins;           // equivalent nuclei per group (malloc)
  double** m_ppCoupling;   // J in Hz, groups x groups from 0; J(p, q) for p < q
  float* m_pShifts;        // Hz (malloc)
  int m_nPoints;           // floats of the simulated spectrum
  double m_dThreshold;     // lines not above it are not drawn
  double m_dMinFrequency;  // window, Hz
  double m_dMaxFrequency;
  double m_dLineWidth;              // Hz
  double m_dSpectrometerFrequency;  // MHz
  int m_nGroups;
  BYTE m_bPpm;  // shifts and window are edited in ppm

 private:
  void FreeArrays();
};
