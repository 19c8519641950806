#include "onedim/processing/PeakFit.h"

#include <algorithm>
#include <cmath>

#include "onedim/model/AxisScale.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/LineFitter.h"

bool FitPeakLines(const CSpectrum& s, int nShape, std::vector<CFitWindow>& windows, std::vector<CFittedLine>& lines) {
  windows.clear();
  lines.clear();
  const int n = s.m_pData != nullptr ? s.m_paramsA.td / 2 : 0;
  if (n < 1)
    return false;
  const float dr = (float)(s.m_paramsA.sw / n);
  std::vector<double> params;
  std::vector<float> x, y;
  long long nLast = 0, nEnd = -1;
  for (int k = 0; k < s.GetPeakCount(); k++) {
    double p = s.GetPeakPosition(k), h = 0.0, w = 0.0;
    peakwidth(s.m_pData, n, p, h, w);
    if (nLast + 1 >= p)
      continue;  // the same line as the last accepted one, or at the very start
    params.push_back(h);
    params.push_back(p);
    params.push_back(w * 0.5);
    const long long v = (long long)std::llround(p);
    nLast = v;
    const long long B = std::min(std::max((long long)(1.6 * w), 5LL), 50LL);
    // The window stays inside the data and never overlaps the last one.
    const long long nFirst = std::max(std::max(nEnd + 1, v - B), 0LL);
    nEnd = v + B;
    const long long nTo = std::min(nEnd, (long long)n - 1);
    windows.push_back(CFitWindow{(int)nFirst, (int)nTo});
    for (long long j = nFirst; j <= nTo; j++) {
      x.push_back((float)j);
      y.push_back(s.m_pData[2 * j]);
    }
  }
  if (params.empty())
    return false;
  const bool bLorentz = nShape != FIT_GAUSSIAN;
  if (bLorentz) {
    for (size_t i = 2; i < params.size(); i += 3)
      params[i] *= params[i];
  }
  std::vector<double> covariance(params.size() * params.size());
  double dChiSquare = 0.0;
  CLineFitter fitter;
  if (!fitter.Fit(x.data(), y.data(), (int)x.size(), params.data(), (int)params.size(), covariance.data(),
                  bLorentz ? lorentz_model : gauss_model, dChiSquare))
    return false;
  for (size_t i = 0; i + 2 < params.size(); i += 3) {
    const double w = bLorentz ? std::sqrt(std::fabs(params[i + 2])) : params[i + 2];
    double dArea = params[i] * w * 6.28318;
    if (!bLorentz)
      dArea *= 0.6776607632637024;
    lines.push_back(CFittedLine{s.ConvertUnits(2.0 * params[i + 1], AXIS_UNITS_HZ), dArea, 2.0 * w * dr});
  }
  return true;
}
