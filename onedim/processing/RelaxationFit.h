// The longitudinal relaxation time from a recovery series: the last row's
// intensity is taken as the plateau M_inf, and ln(M_inf - M) is fitted as a
// straight line a + b t over the other rows by least squares; T1 = -1 / b.
// Delays are in the user's time unit, T1 comes out in the same.
#pragma once

#include <vector>

// A row of the Relaxation dialog: delay and intensity.
struct CRelaxationPoint {
  float fDelay;
  float fIntensity;
};

struct CRelaxationFit {
  double a = 0.0;  // intercept of ln(M_inf - M)
  double b = 0.0;  // slope, per time unit
  double dT1 = 0.0;
  int nFitted = 0;  // rows that entered the line
};

enum RelaxationFitResult {
  relaxFitted = 0,
  relaxTooFewRows,     // fewer than three rows
  relaxTooFewBelow,    // fewer than two rows lie below the plateau
  relaxEqualDelays,    // the rows below the plateau share one delay
  relaxNoRecovery      // the line gives no finite T1 (a flat series)
};

// Fits the rows in order. Rows whose intensity is not below the last one's
// have no logarithm and are left out of the line. On success calculated
// holds, for every row, its delay and M_inf - exp(a + b t); on failure fit
// and calculated are left as they were.
RelaxationFitResult FitRelaxation(const std::vector<CRelaxationPoint>& points, CRelaxationFit& fit,
                                  std::vector<CRelaxationPoint>& calculated);
