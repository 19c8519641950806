// The largest-magnitude value of a trace, kept for the trace last scanned:
// a trace whose first, middle and last points read the same (to a
// thousandth) as last time is not scanned again.
#pragma once

class CTraceMaxCache {
 public:
  // The value of largest magnitude (sign kept) of n points, every second
  // float when complex. Values that are not finite numbers are passed over.
  float Scan(const float* p, int n, bool complex);

  float GetMaximum() const { return m_fMax; }

 private:
  float m_fMax = 1.0f;
  long long m_samples[3] = {0, 0, 0};
  // The trace the samples belong to: another trace that happens to share
  // them is scanned, so that no row takes another row's maximum.
  const float* m_pTrace = nullptr;
  int m_nPoints = 0;
  bool m_bComplex = false;
};
