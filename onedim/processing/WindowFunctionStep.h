// What the Window Functions dialog does to one spectrum on each change: the
// weighted copy becomes the data, and with "Interactive" the data are
// transformed at once as the last Fourier transform did.
#pragma once

#include "framework/base/WinTypes.h"

class CSpectrum;

// Applies the spectrum's window function and copies the weighted copy into
// the data. With bInteractive the data are then transformed with the mode,
// rotation and conjugation recorded in the second parameter block (rotated
// first by that block's digital-filter delay, first point halved, drift
// removed), the axis units become ppm, and a spectrum whose phase had been
// changed gets the phase pair fPhase0, fPhase1 (radians) anew. Returns
// FALSE with a message, leaving the data alone, when the window cannot be
// applied.
BOOL ApplyWindowToSpectrum(CSpectrum& spectrum, BOOL bInteractive, float fPhase0, float fPhase1,
                           const char** message = nullptr);
