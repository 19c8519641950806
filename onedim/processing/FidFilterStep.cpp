#include "onedim/processing/FidFilterStep.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "numerics/Constants.h"
#include "numerics/LinearPrediction.h"
#include "onedim/model/Spectrum.h"

BOOL FilterSpectrumFid(CSpectrum& spectrum, int nSelectivity, double dOffsetHz, BOOL bHighPass) {
  const int n = std::min(32, std::max(4, nSelectivity));
  const int nPoints = spectrum.m_pData != nullptr ? spectrum.m_paramsA.td / 2 : 0;
  const double sw = spectrum.m_paramsA.sw;
  if (nPoints < 2 * n + 1 || !(sw > 0.0) || !std::isfinite(dOffsetHz))
    return FALSE;

  // One block: the prediction's work area, then the filtered signal.
  const std::size_t nWork = lp_workspace(n, 1, 1);
  const std::size_t nFiltered = sizeof(float) * 2 * (std::size_t)nPoints;
  std::vector<unsigned char> block;
  try {
    block.assign(nWork + nFiltered + sizeof(float), 0);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  // The filtered signal follows the work area on a float boundary.
  const std::size_t nOffset = (nWork + sizeof(float) - 1) / sizeof(float) * sizeof(float);
  float* pFiltered = reinterpret_cast<float*>(block.data() + nOffset);
  float* pData = spectrum.m_pData;

  const float theta = (float)(nPoints * dOffsetHz * kPi * -2.0 / sw);
  spectrum.RotatePhase(pData, 0.0f, theta, 1, 1, nPoints);

  const int m = 2 * n + 1;
  std::vector<double> kernel(m);
  double sum = 0.0;
  for (int j = 1; j <= m; j++)
    sum += kernel[j - 1] = std::sin(kPi * j / (m + 1));
  for (double& k : kernel)
    k /= sum;

  for (int i = n; i <= nPoints - n - 1; i++) {
    double re = 0.0, im = 0.0;
    for (int j = 0; j < m; j++) {
      re += kernel[j] * pData[2 * (i - n + j)];
      im += kernel[j] * pData[2 * (i - n + j) + 1];
    }
    pFiltered[2 * i] = (float)re;
    pFiltered[2 * i + 1] = (float)im;
  }

  // The kernel cannot reach the first and the last n points: the first are
  // predicted back from the filtered ones, the last continue their slope.
  CLinearPrediction().Predict(pFiltered, nPoints, 1, n, 1, 1, 0, n - 1, -1, block.data(), nWork);
  const int nLastConvolved = nPoints - n - 1;
  for (int c = 0; c < 2; c++) {
    const float v = pFiltered[2 * nLastConvolved + c];
    const float u = pFiltered[2 * (nLastConvolved - n) + c];
    for (int k = 0; k < n; k++)
      pFiltered[2 * (nPoints - n + k) + c] = v + (float)(k + 1) * (v - u) / (float)n;
  }

  for (int i = 0; i < 2 * nPoints; i++)
    pData[i] = bHighPass ? pData[i] - pFiltered[i] : pFiltered[i];
  spectrum.RotatePhase(pData, 0.0f, -theta, 1, 1, nPoints);
  spectrum.m_bDataChanged = 1;
  return TRUE;
}
