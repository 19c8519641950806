// Iterated soft thresholding: extends a truncated FID with the signal that
// the strong lines of its spectrum stand for. Each pass transforms the
// zero-filled FID as the last transform did, phases it, lowers every value
// by the threshold (values below it become 0), transforms back and puts
// the part beyond the measured points into the FID; the measured points
// stay as measured. Each back-transform is scaled to the FID's own size,
// so that passes cannot grow it.
#pragma once

#include "framework/base/WinTypes.h"

class CSpectrum;

// Runs nIterations passes (none below 1) on the spectrum whose acquired
// buffer holds the FID, after zero filling it to nZeroFill floats.
// dThreshold is in data units. The extension goes into the acquired buffer
// lined up with the measured points. The data then hold the last
// thresholded spectrum transformed back as a later transform of the
// spectrum takes it (complex, no rotation, conjugated unless the import
// file type is Bruker UXNMR/XWIN-NMR); with no pass, the zero-filled FID.
// Either way the data are an FID: the transformed flag is cleared.
// A count that is not a transform size of at least td, a threshold that
// is not a number or a failed allocation is refused with a message and
// nothing changed.
BOOL ExtendBySoftThresholding(CSpectrum& spectrum, int nIterations, int nZeroFill, double dThreshold,
                              BOOL bBrukerImport, const char** ppszMessage = nullptr);
