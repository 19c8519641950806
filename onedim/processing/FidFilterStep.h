// The time-domain filter of the High Pass Filter command: the FID is
// smoothed with a short sine-shaped kernel after the null point has been
// moved to zero frequency, so that the smoothed signal holds only the band
// around the null point; high-pass subtracts it, low-pass keeps it.
#pragma once

#include "framework/base/WinTypes.h"

class CSpectrum;

// Selectivity n is held to 4 ... 32; dOffsetHz is the null point's distance
// from the centre of the spectrum in Hz. Refuses, leaving the data alone,
// when the spectrum holds too few points for the kernel and its end
// repairs (2n + 1 complex points), its spectral width is not positive, or
// the work block cannot be allocated.
BOOL FilterSpectrumFid(CSpectrum& spectrum, int nSelectivity, double dOffsetHz, BOOL bHighPass);
