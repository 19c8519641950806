// The steps of the Fourier Transform command that act on one spectrum:
// rotation for the digital-filter delay, resizing to the chosen size and to
// a power of two, and the transform with its parameter bookkeeping. The
// document's command calls them for the current spectrum or for all.
#pragma once

#include "framework/base/WinTypes.h"
#include "onedim/processing/FastFourier.h"

class CSpectrum;

// The values of the Fourier Transform dialog that the steps use.
struct CFourierTransformOptions {
  int nPoints = 0;          // floats of the transform (the dialog's "Number of points")
  int nRotationPoints = 0;  // complex points to rotate left
  int nMaxRotation = 0;     // the dialog's rotation limit: td
  BOOL bRotateData = FALSE;
  BOOL bDriftCorrection = TRUE;
  BOOL bQuadrature = FALSE;  // rotate flag of the transform
  BOOL bReal = FALSE;        // real mode instead of complex
  BOOL bInverse = FALSE;
  BOOL bBrukerImport = FALSE;  // the import file type is "Bruker UXNMR/XWIN-NMR"
};

// The dialog's initial values that come from the spectrum: size and
// rotation limit td; quadrature, real and rotation from the parameters; the
// inverse offered for a transformed spectrum. For the inverse, quadrature
// and real are those the last forward transform recorded in the second
// parameter block, so that the default inverse undoes it.
void InitFourierTransformOptions(const CSpectrum& spectrum, CFourierTransformOptions& options);

// Rotation (when chosen) and resize: zero-filled or cut to the chosen size,
// then cut to the largest power of two not above td. A size below 4 floats
// is refused with a message and nothing changes. A failed allocation leaves
// the data as they are and returns its message with TRUE: the transform
// goes on with what there is.
BOOL PrepareSpectrumForTransform(CSpectrum& spectrum, const CFourierTransformOptions& options,
                                 const char** message = nullptr);

// First-point halving, drift correction (when chosen; over the acquired
// points of an FID, see CFastFourier::RemoveDrift), the transform and the
// bookkeeping of both parameter blocks and the flags; the axis units become
// ppm. progress (may be null) runs after each butterfly stage and must not
// reach the spectrum's buffers. Refuses with a message, changing nothing,
// when td cannot be transformed or a transform is already running.
BOOL TransformSpectrum(CSpectrum& spectrum, const CFourierTransformOptions& options,
                       FourierProgressFn progress = nullptr, void* context = nullptr, const char** message = nullptr);

// The floats of the FID that were acquired: td, or fewer where the FID was
// zero-filled since it was read (the second block keeps the td it came with).
int AcquiredFloats(const CSpectrum& spectrum);

// The forward transform of the data as the last transform ran it: the mode,
// rotation and conjugation recorded in the second parameter block, the data
// first rotated left by that block's digital-filter delay, first point
// halved, drift removed. Returns the complex points rotated, for a caller
// that must line the data up again.
int TransformAsRecorded(CSpectrum& spectrum);

// True while TransformSpectrum runs: the document refuses to start another
// processing command from a redraw between stages.
bool IsTransformRunning();
