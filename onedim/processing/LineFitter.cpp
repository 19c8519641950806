#include "onedim/processing/LineFitter.h"

#include <algorithm>
#include <cmath>
#include <vector>

double lorentz_model(float x, const double* a, double* d, int nParams) {
  double y = 0.0;
  for (int i = 0; i + 2 < nParams; i += 3) {
    const double dx = x - a[i + 1], w2 = a[i + 2];
    const double c = 1.0 / (dx * dx + w2);
    y += a[i] * w2 * c;
    d[i] = w2 * c;
    d[i + 1] = 2.0 * a[i] * w2 * dx * c * c;
    d[i + 2] = a[i] * dx * dx * c * c;
  }
  return y;
}

double gauss_model(float x, const double* a, double* d, int nParams) {
  double y = 0.0;
  for (int i = 0; i + 2 < nParams; i += 3) {
    const double w = a[i + 2], u = (x - a[i + 1]) / w;
    const double e = std::exp(-u * u);
    y += a[i] * e;
    d[i] = e;
    d[i + 1] = 2.0 * a[i] * u * e / w;
    d[i + 2] = 2.0 * a[i] * u * u * e / w;
  }
  return y;
}

void CLineFitter::FitCoefficients(const double* pParams, const float* pX, const float* pY, LineModel model,
                                  int nParams, int nData, double* pAlpha, double* pBeta, double& dChiSquare) {
  std::vector<double> d((size_t)nParams);
  for (int j = 0; j < nParams; j++) {
    pBeta[j] = 0.0;
    for (int k = 0; k < nParams; k++)
      pAlpha[j * nParams + k] = 0.0;
  }
  dChiSquare = 0.0;
  for (int i = 0; i < nData; i++) {
    const double r = pY[i] - model(pX[i], pParams, d.data(), nParams);
    dChiSquare += r * r;
    for (int j = 0; j < nParams; j++) {
      pBeta[j] += d[j] * r;
      for (int k = j; k < nParams; k++)
        pAlpha[j * nParams + k] += d[j] * d[k];
    }
  }
  for (int j = 1; j < nParams; j++) {
    for (int k = 0; k < j; k++)
      pAlpha[j * nParams + k] = pAlpha[k * nParams + j];
  }
}

int CLineFitter::LuDecompose(double* a, int n, int* pPivots) {
  std::vector<double> scale((size_t)n);
  for (int i = 0; i < n; i++) {
    double dBig = 0.0;
    for (int j = 0; j < n; j++)
      dBig = std::max(dBig, std::fabs(a[i * n + j]));
    if (!(dBig > 0.0))
      return 0;  // a row of zeros (or of NaN)
    scale[i] = 1.0 / dBig;
  }
  int nParity = 1;
  for (int j = 0; j < n; j++) {
    for (int i = 0; i < j; i++) {
      double sum = a[i * n + j];
      for (int k = 0; k < i; k++)
        sum -= a[i * n + k] * a[k * n + j];
      a[i * n + j] = sum;
    }
    double dBig = 0.0;
    int nMax = j;
    for (int i = j; i < n; i++) {
      double sum = a[i * n + j];
      for (int k = 0; k < j; k++)
        sum -= a[i * n + k] * a[k * n + j];
      a[i * n + j] = sum;
      const double dScaled = scale[i] * std::fabs(sum);
      if (dScaled >= dBig) {
        dBig = dScaled;
        nMax = i;
      }
    }
    if (nMax != j) {
      for (int k = 0; k < n; k++)
        std::swap(a[nMax * n + k], a[j * n + k]);
      nParity = -nParity;
      scale[nMax] = scale[j];
    }
    pPivots[j] = nMax;
    const double dPivot = a[j * n + j];
    if (!(dPivot != 0.0) || std::isnan(dPivot))
      return 0;
    for (int i = j + 1; i < n; i++)
      a[i * n + j] /= dPivot;
  }
  return nParity;
}

void CLineFitter::LuSolve(const double* a, int n, const int* pPivots, double* b) {
  int nFirst = -1;  // first non-zero element of the permuted right-hand side
  for (int i = 0; i < n; i++) {
    const int ip = pPivots[i];
    double sum = b[ip];
    b[ip] = b[i];
    if (nFirst >= 0) {
      for (int j = nFirst; j < i; j++)
        sum -= a[i * n + j] * b[j];
    } else if (sum != 0.0) {
      nFirst = i;
    }
    b[i] = sum;
  }
  for (int i = n - 1; i >= 0; i--) {
    double sum = b[i];
    for (int j = i + 1; j < n; j++)
      sum -= a[i * n + j] * b[j];
    b[i] = sum / a[i * n + i];
  }
}

bool CLineFitter::Fit(const float* pX, const float* pY, int nData, double* pParams, int nParams, double* pCovariance,
                      LineModel model, double& dChiSquare) {
  if (nParams <= 0 || nData <= 0)
    return false;
  const size_t np = (size_t)nParams;
  std::vector<double> alpha(np * np), saved, beta(np), trialAlpha(np * np), trialBeta(np), delta(np), trial(np);
  std::vector<int> pivots(np);
  double lambda = 0.001;
  FitCoefficients(pParams, pX, pY, model, nParams, nData, alpha.data(), beta.data(), dChiSquare);
  saved = alpha;
  // Clean data are fitted down to the rounding of their float values, where
  // a relative test of the last step can only see noise: a residual this
  // far below the data counts as converged.
  double dSquares = 0.0;
  for (int i = 0; i < nData; i++)
    dSquares += (double)pY[i] * pY[i];
  const double dFloor = 1e-12 * dSquares;
  for (int nIteration = 0; nIteration < 100; nIteration++) {
    for (int j = 0; j < nParams; j++)
      alpha[j * np + j] *= 1.0 + lambda;
    if (LuDecompose(alpha.data(), nParams, pivots.data()) == 0)
      return false;
    if (lambda == 0.0) {
      for (int c = 0; c < nParams; c++) {
        std::vector<double> unit(np, 0.0);
        unit[c] = 1.0;
        LuSolve(alpha.data(), nParams, pivots.data(), unit.data());
        for (int r = 0; r < nParams; r++)
          pCovariance[r * np + c] = unit[r];
      }
      return true;
    }
    delta = beta;
    LuSolve(alpha.data(), nParams, pivots.data(), delta.data());
    for (int j = 0; j < nParams; j++)
      trial[j] = pParams[j] + delta[j];
    double dTrialChi = 0.0;
    FitCoefficients(trial.data(), pX, pY, model, nParams, nData, trialAlpha.data(), trialBeta.data(), dTrialChi);
    if (dChiSquare - dTrialChi > 0.0) {
      const bool bSettled = dTrialChi <= dFloor || (dChiSquare - dTrialChi) / dTrialChi < 1e-5;
      for (int j = 0; j < nParams; j++)
        pParams[j] = trial[j];
      dChiSquare = dTrialChi;
      alpha = trialAlpha;
      saved = trialAlpha;
      beta = trialBeta;
      lambda = bSettled ? 0.0 : lambda * 0.1;
    } else {
      alpha = saved;
      lambda = dChiSquare <= dFloor ? 0.0 : lambda * 10.0;
    }
  }
  return false;
}
