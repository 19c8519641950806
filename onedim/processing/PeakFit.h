// The line fit of a spectrum's picked peaks: one window of data around each
// accepted peak, one line per window, fitted together.
#pragma once

#include <vector>

class CSpectrum;

struct CFittedLine {
  double dFrequency;  // Hz
  double dArea;
  double dWidth;  // Hz
};

// The data window of one accepted peak, in complex points.
struct CFitWindow {
  int nFirst;
  int nLast;
};

enum { FIT_LORENTZIAN = 0, FIT_GAUSSIAN = 1 };

// Chooses the peaks and their windows (windows out, before the fit) and
// fits them. FALSE when nothing converged or there was nothing to fit; the
// spectrum is never changed.
bool FitPeakLines(const CSpectrum& spectrum, int nShape, std::vector<CFitWindow>& windows,
                  std::vector<CFittedLine>& lines);
