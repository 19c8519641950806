// The simulated spectrum of a spectrum's spin systems: what the simulation
// commands run once the systems are edited.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

class CSpectrum;
class CSpinSystem;

// The spin systems a spectrum owns, in the order of its object array.
std::vector<CSpinSystem*> GetSpinSystems(const CSpectrum& spectrum);

// Calculates every CSpinSystem in the spectrum's object array and then adds
// all their lines into its data, which are first set to zero. With
// bReallocate the buffers are sized to the first system's points and the
// kept data are zeroed too; without it the buffers stay as they are (the
// interactive recomputation). Each system in turn sets the title "Spin
// Simulation", sf, DECIM 0, sw (the window's width, truncated) and the
// offset that puts its window on the axis.
//
// Every system is calculated before the data are touched: when one fails
// (reported by the engine) or memory for the buffers runs out, FALSE is
// returned and the spectrum is as it was.
BOOL SimulateSpinSystems(CSpectrum* pSpectrum, BOOL bReallocate);
