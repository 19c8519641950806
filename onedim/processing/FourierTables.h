// The twiddle factors of the transform of one size and sign, computed once
// by the same trigonometric recurrence that each stage always ran, and kept
// for the next transform of that size.
#pragma once

#include <memory>
#include <vector>

struct FourierTables {
  // Complex transform of n points: the stage whose butterflies join points
  // h apart holds its h factors at [h, 2h). Real split of n values: the
  // factor of point pair p (1 <= p < n/4) at [p].
  std::vector<double> wr, wi;
};

// Null when the tables cannot be allocated or would pass 512K points;
// n is a power of two of at least 2 (stages) or 8 (split).
std::shared_ptr<const FourierTables> StageTables(int n, int isign);
std::shared_ptr<const FourierTables> SplitTables(int n, int isign);

// The recurrence of one stage or of the split: (wr, wi) advances by
// wpr = -2 sin^2(theta / 2), wpi = sin(theta).
class CTwiddleRecurrence {
 public:
  static CTwiddleRecurrence Stage(int h, int isign);  // starts at (1, 0)
  static CTwiddleRecurrence Split(int n, int isign);  // starts at pair 1
  double wr, wi;
  void Advance() {
    const double wtemp = wr;
    wr = wr + (wr * m_wpr - wi * m_wpi);
    wi = wi + (wi * m_wpr + wtemp * m_wpi);
  }

 private:
  explicit CTwiddleRecurrence(double theta);
  double m_wpr, m_wpi;
};
