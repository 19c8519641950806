// Linear prediction of the current spectrum as the Linear Prediction dialog
// runs it: the spectrum grows to hold the predicted points, the points are
// predicted forward or backward, and the result becomes the kept data.
#pragma once

#include "framework/base/WinTypes.h"

class CSpectrum;

// In complex points; first may be negative to rebuild points before the
// start.
struct CLinearPredictionSettings {
  int nFirst = 0;
  int nLast = 0;
  int nBasis = 0;
  int nCoefficients = 0;
};

// The dialog's defaults for a spectrum of n = td/2 points: double the FID
// (first n, last 2n - 1), M = td/32 (32 when that exceeds 256) and a basis
// of n - M - 1.
void InitLinearPredictionSettings(const CSpectrum& spectrum, CLinearPredictionSettings& settings);

// Cuts the basis to n - M - 1; TRUE when it was cut (the dialog then shows
// "Basis have been trucated").
BOOL TruncateLinearPredictionBasis(const CSpectrum& spectrum, CLinearPredictionSettings& settings);

// Grows the spectrum (points before the start move the data up), predicts
// forward when M + basis is below the first predicted point, else backward,
// and copies the data into the kept and the weighted buffers. Refuses with
// a message, changing nothing, when the window and the run do not fit the
// data; a failed allocation also changes nothing.
BOOL PredictSpectrum(CSpectrum& spectrum, const CLinearPredictionSettings& settings, const char** message = nullptr);
