// Baseline correction: a correction is one value per complex point, taken
// off both the real and the imaginary value of that point. Three ways to
// build one: a polynomial of degree 4 set by hand, straight lines between
// chosen points, and a least-squares polynomial through chosen points.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

// A point of a multi-point baseline: an even float index and the data value
// there.
struct BaselineNode {
  int nIndex;
  float fValue;
};

// The hand-set polynomial c[0] + c[1] x + ... + c[4] x^4 at each of the td/2
// complex points, x running from about -1 to 1 across the data (x = 0 at the
// two middle points).
void PolynomialBaselineCurve(const double c[5], int td, float* pCurve);

// The preview of a curve of nPoints pixel values over the columns nLeft ...
// nRight, drawn about the zero line nMiddle (positive values below it): from
// (nLeft, nMiddle + curve[0]) one segment per column, the curve index
// advancing by nPoints / (nRight - nLeft) a column.
std::vector<POINT> BaselinePreviewLine(const float* pCurve, int nPoints, int nLeft, int nRight, int nMiddle);

// Takes pCurve[j] off data[2j] and data[2j + 1] for every complex point j.
void SubtractBaseline(float* pData, int td, const float* pCurve);

// Straight lines from (0, 0) through the nodes, in their order, to
// (td - 2, 0) are taken off the data; a pair whose second index is not
// above the first takes nothing. The last complex point becomes 0. Indices
// are limited to the data and made even.
void SubtractMultiPointBaseline(float* pData, int td, const std::vector<BaselineNode>& nodes);

// A least-squares polynomial a1 + a2 x + ... + an x^(n-1) (n = 1 ... 6)
// through points (x, y), each of weight 1.
class CBaselineFit {
 public:
  // FALSE, after the least-squares routine has said why, when it cannot
  // solve for the coefficients.
  BOOL Fit(const std::vector<double>& x, const std::vector<double>& y, int nCoefficients);
  double Evaluate(double x) const;

  // Distinct x values among the points: fewer than the coefficients leave
  // the fit undetermined.
  static int CountDistinct(const std::vector<double>& x);

 private:
  std::vector<double> m_coefficients;
};
