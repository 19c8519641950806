#include "onedim/processing/BaselineCorrection.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "onedim/processing/NumericalRoutines.h"

namespace {

// The polynomial basis of the fit: 1, x, x^2, ...
void PowerBasis(float x, float afunc[], int ma) {
  afunc[1] = 1.0f;
  for (int j = 2; j <= ma; j++)
    afunc[j] = afunc[j - 1] * x;
}

int EvenIndexWithin(int nIndex, int td) {
  return std::max(0, std::min(nIndex, td - 2)) & ~1;
}

}  // namespace

void PolynomialBaselineCurve(const double c[5], int td, float* pCurve) {
  const int n = td / 2;
  const int m = n / 2;
  // A spectrum of fewer than two complex points has no span: x stays 0.
  const double dScale = std::max(td / 4, 1);
  for (int j = 0; j < n; j++) {
    const double x = (j < m ? j - m + 1 : j - m) / dScale;
    pCurve[j] = (float)(c[0] + x * (c[1] + x * (c[2] + x * (c[3] + x * c[4]))));
  }
}

std::vector<POINT> BaselinePreviewLine(const float* pCurve, int nPoints, int nLeft, int nRight, int nMiddle) {
  std::vector<POINT> line;
  if (pCurve == nullptr || nPoints < 1)
    return line;
  auto y = [&](int j) {
    const double dY = nMiddle + (double)pCurve[std::min(j, nPoints - 1)];
    return (LONG)std::max(std::min(dY, 1.0e6), -1.0e6);
  };
  line.push_back({nLeft, y(0)});
  const double dStep = nRight > nLeft ? (double)nPoints / (nRight - nLeft) : 0.0;
  for (int x = nLeft + 1; x <= nRight; x++)
    line.push_back({x, y((int)((x - nLeft) * dStep))});
  return line;
}

void SubtractBaseline(float* pData, int td, const float* pCurve) {
  for (int j = 0; j < td / 2; j++) {
    pData[2 * j] -= pCurve[j];
    pData[2 * j + 1] -= pCurve[j];
  }
}

void SubtractMultiPointBaseline(float* pData, int td, const std::vector<BaselineNode>& nodes) {
  if (pData == nullptr || td < 2)
    return;
  std::vector<BaselineNode> path;
  path.reserve(nodes.size() + 2);
  path.push_back({0, 0.0f});
  for (const BaselineNode& node : nodes)
    path.push_back({EvenIndexWithin(node.nIndex, td), node.fValue});
  path.push_back({td - 2, 0.0f});
  for (size_t i = 0; i + 1 < path.size(); i++) {
    const int b = path[i].nIndex, c = path[i + 1].nIndex;
    if (c <= b)
      continue;
    const double yb = path[i].fValue;
    const double dSlope = (path[i + 1].fValue - yb) / (c - b);
    for (int g = b, h = 0; g < c - 1; g += 2, h++) {
      const float fValue = (float)(yb + 2.0 * dSlope * h);
      pData[g] -= fValue;
      pData[g + 1] -= fValue;
    }
  }
  pData[td - 2] = 0.0f;
  pData[td - 1] = 0.0f;
}

int CBaselineFit::CountDistinct(const std::vector<double>& x) {
  return (int)std::set<double>(x.begin(), x.end()).size();
}

BOOL CBaselineFit::Fit(const std::vector<double>& x, const std::vector<double>& y, int nCoefficients) {
  const int n = (int)std::min(x.size(), y.size());
  if (nCoefficients < 1 || n < 1)
    return FALSE;
  float* px = vector(1, n);
  float* py = vector(1, n);
  float* psig = vector(1, n);
  float* pa = vector(1, nCoefficients);
  int* pia = ivector_box(1, nCoefficients);
  float** covar = matrix(1, nCoefficients, 1, nCoefficients);
  int ok = px && py && psig && pa && pia && covar;
  if (ok) {
    for (int i = 1; i <= n; i++) {
      px[i] = (float)x[i - 1];
      py[i] = (float)y[i - 1];
      psig[i] = 1.0f;
    }
    for (int j = 1; j <= nCoefficients; j++) {
      pa[j] = 0.0f;
      pia[j] = 1;
    }
    float chisq = 0.0f;
    ok = lfit(px, py, psig, n, pa, pia, nCoefficients, covar, &chisq, PowerBasis);
    for (int j = 1; ok && j <= nCoefficients; j++)
      ok = std::isfinite(pa[j]);
    if (ok)
      m_coefficients.assign(pa + 1, pa + 1 + nCoefficients);
  }
  free_matrix(covar, 1, nCoefficients, 1, nCoefficients);
  free_ivector(pia, 1, nCoefficients);
  free_vector(pa, 1, nCoefficients);
  free_vector(psig, 1, n);
  free_vector(py, 1, n);
  free_vector(px, 1, n);
  return ok ? TRUE : FALSE;
}

double CBaselineFit::Evaluate(double x) const {
  double dSum = 0.0;
  for (size_t j = m_coefficients.size(); j-- > 0;)
    dSum = dSum * x + m_coefficients[j];
  return dSum;
}
