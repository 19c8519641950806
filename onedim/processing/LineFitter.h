// Levenberg-Marquardt least squares of a sum of lines, unweighted, with
// the model's parameter derivatives given analytically. Parameters come in
// threes per line (height, centre, width parameter); matrices are dense,
// row-major, indexed from 0.
#pragma once

// A model: its value at x for the parameters, with the derivatives by each
// parameter in pDerivatives.
typedef double (*LineModel)(float x, const double* pParams, double* pDerivatives, int nParams);

// Sum of A w2 / ((x - x0)^2 + w2); the third parameter is the squared half
// width at half height.
double lorentz_model(float x, const double* pParams, double* pDerivatives, int nParams);
// Sum of A exp(-((x - x0) / w)^2).
double gauss_model(float x, const double* pParams, double* pDerivatives, int nParams);

class CLineFitter {
 public:
  // Fits pParams (in: the start, out: the result) to the nData points. The
  // covariance (nParams x nParams) is filled on success. FALSE when the
  // curvature matrix is singular or 100 iterations did not converge; the
  // parameters are then those of the last accepted step.
  bool Fit(const float* pX, const float* pY, int nData, double* pParams, int nParams, double* pCovariance,
           LineModel model, double& dChiSquare);

  // The curvature matrix alpha, the gradient beta and chi-square at pParams.
  void FitCoefficients(const double* pParams, const float* pX, const float* pY, LineModel model, int nParams,
                       int nData, double* pAlpha, double* pBeta, double& dChiSquare);

  // Crout LU decomposition in place with implicit partial pivoting: 0 when
  // singular, else +1 or -1 by the parity of the row exchanges.
  static int LuDecompose(double* pMatrix, int n, int* pPivots);
  // Solves with the decomposed matrix; the right-hand side becomes the
  // solution.
  static void LuSolve(const double* pMatrix, int n, const int* pPivots, double* pRhs);
};
