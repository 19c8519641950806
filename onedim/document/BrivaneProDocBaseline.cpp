// The baseline corrections of the 1D document: the points the view collects
// in baseline mode, the straight lines or the fitted polynomial through
// them, and the hand-set polynomial.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/Graph.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/processing/BaselineCorrection.h"

namespace {

// The pixel of a float index of the spectrum, unrounded; the inverse of
// SpectrumPixelToPoint.
double PixelOfIndex(const CSpectrum& s, double dIndex) {
  const double dSpan = (double)s.m_nLast - s.m_nFirst;
  return s.m_nLeftPixel + ((double)s.m_nRightPixel - s.m_nLeftPixel) * (dIndex - s.m_nFirst) / dSpan;
}

bool ByX(const PlotPoint& a, const PlotPoint& b) {
  return a.x < b.x;
}

}  // namespace

void CBrivaneProDoc::DeleteBaselineGraphs() {
  delete m_pBaselinePoints;
  m_pBaselinePoints = nullptr;
  delete m_pBaselineCurve;
  m_pBaselineCurve = nullptr;
}

BOOL CBrivaneProDoc::StartBaselinePoints(BYTE bFitKind) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return FALSE;
  m_bFitKind = bFitKind;
  DeleteBaselineGraphs();
  // The ends of the visible trace are the first two points.
  const int a = PixelToPoint(s->m_nLeftPixel);
  const int b = PixelToPoint(s->m_nRightPixel);
  m_pBaselinePoints = new CGraph;
  std::vector<PlotPoint>& points = m_pBaselinePoints->m_curves[0].m_points;
  points[0] = {(float)s->m_nLeftPixel, (float)s->PointToY(a)};
  points[1] = {(float)s->m_nRightPixel, (float)s->PointToY(b - 2)};
  m_nMouseMode = MOUSE_BASELINE_POINTS;
  m_bBaselineInProgress = 1;
  m_bBaselineToSubtract = 0;
  SetModified();
  UpdateViews();
  return TRUE;
}

BOOL CBrivaneProDoc::AddBaselinePoint(int x, int y) {
  const CSpectrum* s = m_pCurrent;
  if (s == nullptr || m_pBaselinePoints == nullptr || x < s->m_nLeftPixel || x > s->m_nRightPixel)
    return FALSE;
  if (m_bFitOntoTrace)
    y = s->PointToY(PixelToPoint(x) & ~1);
  std::vector<PlotPoint>& points = m_pBaselinePoints->m_curves[0].m_points;
  points.push_back({(float)x, (float)y});
  std::stable_sort(points.begin(), points.end(), ByX);
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::RemoveBaselinePoints(PlotPoint pt) {
  if (m_pBaselinePoints == nullptr)
    return;
  const float x = std::round(pt.x), y = std::round(pt.y);
  std::vector<PlotPoint>& points = m_pBaselinePoints->m_curves[0].m_points;
  points.erase(std::remove_if(points.begin(), points.end(),
                              [x, y](const PlotPoint& p) { return std::round(p.x) == x && std::round(p.y) == y; }),
               points.end());
  UpdateViews();
}

BOOL CBrivaneProDoc::ComputeBaseline(int nCoefficients, std::vector<float>& baseline) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || m_pBaselinePoints == nullptr || s->m_pData == nullptr)
    return FALSE;
  const std::vector<PlotPoint>& points = m_pBaselinePoints->m_curves[0].m_points;
  std::vector<double> x, y;
  for (const PlotPoint& p : points) {
    x.push_back(p.x);
    y.push_back(p.y);
  }
  // Points at one x count once: they cannot fix more than one value there.
  if (CBaselineFit::CountDistinct(x) < nCoefficients) {
    char text[120];
    std::snprintf(text, sizeof(text), "Not enough points defined to fit selected function\nMin. # Points=%d",
                  nCoefficients);
    m_pHost->ShowMessage(text, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  if (s->m_nRightPixel == s->m_nLeftPixel || s->m_nLast == s->m_nFirst)
    return FALSE;
  CBaselineFit fit;
  if (!fit.Fit(x, y, nCoefficients))
    return FALSE;

  // Each complex point takes the curve at the pixel it is drawn at; beyond
  // the visible part the curve keeps its value at the nearer end instead of
  // running off as a polynomial does.
  const int nPoints = s->m_paramsA.td / 2;
  std::vector<float> values((size_t)nPoints);
  const double dLeft = std::min(s->m_nLeftPixel, s->m_nRightPixel);
  const double dRight = std::max(s->m_nLeftPixel, s->m_nRightPixel);
  for (int k = 0; k < nPoints; k++) {
    const double dX = std::min(std::max(PixelOfIndex(*s, 2.0 * k), dLeft), dRight);
    const double dValue = s->YToValue(fit.Evaluate(dX));
    if (!std::isfinite(dValue) || std::fabs(dValue) > 3.0e38)
      return FALSE;
    values[(size_t)k] = (float)dValue;
  }
  baseline.swap(values);

  RECT rcClient;
  m_pHost->GetViewClientRect(&rcClient);
  if (m_pBaselineCurve == nullptr)
    m_pBaselineCurve = new CGraph;
  m_pBaselineCurve->m_bShowMarkers = FALSE;
  std::vector<PlotPoint>& curve = m_pBaselineCurve->m_curves[0].m_points;
  curve.clear();
  for (int i = 0; i < rcClient.right - rcClient.left; i++) {
    const double dY = fit.Evaluate(i);
    curve.push_back({(float)i, (float)std::max(std::min(dY, 1.0e7), -1.0e7)});
  }
  m_bBaselineToSubtract = 1;
  UpdateViews();
  return TRUE;
}

void CBrivaneProDoc::SubtractComputedBaseline(const std::vector<float>& baseline) {
  CSpectrum* s = m_pCurrent;
  m_nMouseMode = MOUSE_NONE;
  m_bBaselineInProgress = 0;
  if (m_bBaselineToSubtract && s != nullptr && s->m_pData != nullptr &&
      (int)baseline.size() == s->m_paramsA.td / 2) {
    SubtractBaseline(s->m_pData, s->m_paramsA.td, baseline.data());
    s->m_bDataChanged = 1;
    SetModified();
  }
  EndBaselinePoints();
}

BOOL CBrivaneProDoc::SubtractMultiPointBaseline() {
  CSpectrum* s = m_pCurrent;
  BOOL bDone = FALSE;
  if (s != nullptr && s->m_pData != nullptr && m_pBaselinePoints != nullptr) {
    const int td = s->m_paramsA.td;
    std::vector<BaselineNode> nodes;
    bool bFinite = true;
    for (const PlotPoint& p : m_pBaselinePoints->m_curves[0].m_points) {
      const double dValue = s->YToValue(p.y);
      bFinite = bFinite && std::isfinite(dValue);
      nodes.push_back({std::min(PixelToPoint((int)p.x), td - 2) & ~1, (float)dValue});
    }
    if (bFinite) {
      ::SubtractMultiPointBaseline(s->m_pData, td, nodes);
      s->m_bDataChanged = 1;
      SetModified();
      bDone = TRUE;
    }
  }
  EndBaselinePoints();
  return bDone;
}

void CBrivaneProDoc::EndBaselinePoints() {
  m_nMouseMode = MOUSE_NONE;
  m_bBaselineInProgress = 0;
  m_bBaselineToSubtract = 0;
  DeleteBaselineGraphs();
  UpdateViews();
}

BOOL CBrivaneProDoc::SubtractPolynomialBaseline(const double adPixels[5]) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr)
    return FALSE;
  // Pixels to data units as the preview was drawn: positive pixels lie
  // below the zero line.
  const double dGain = (double)s->m_fVerticalScale * s->m_fIntensityStep;
  const float fLargest = s->GetLargestValue();
  const double dLargest = fLargest != 0.0f ? fLargest : 1.0;
  if (!(std::fabs(dGain) > 0.0) || !std::isfinite(dGain))
    return FALSE;
  double c[5];
  for (int i = 0; i < 5; i++)
    c[i] = -(adPixels[i] * dLargest) / dGain;
  std::vector<float> curve((size_t)(s->m_paramsA.td / 2));
  PolynomialBaselineCurve(c, s->m_paramsA.td, curve.data());
  SubtractBaseline(s->m_pData, s->m_paramsA.td, curve.data());
  s->m_bDataChanged = 1;
  SetModified();
  UpdateViews();
  return TRUE;
}
