#include "ndim/document/NdSetCommands.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ndim/data/Spectrum2D.h"
#include "ndim/script/CommandInterpreter.h"

namespace {

const double kIncreaseStack = 1.3;
const double kDecreaseStack = 0.7692307692307692;
const int kSmallestPlot = 20;

int F1Count(const CSpectrum2D& set) {
  return set.m_dims[1].m_nPoints;
}

int F2Count(const CSpectrum2D& set) {
  return set.m_dims[2].m_nPoints;
}

// A projection buffer of one float per point of the dimension, summed from
// the set; freed and null when the set has no plane to project.
void Recompute(CSpectrum2D& set, float*& buffer, int dim) {
  std::free(buffer);
  buffer = nullptr;
  if (!set.m_pData || set.m_nLastDim != 2)
    return;
  const int f2 = F2Count(set), f1 = F1Count(set);
  buffer = static_cast<float*>(std::malloc(sizeof(float) * static_cast<std::size_t>(dim == 1 ? f1 : f2)));
  if (!buffer)
    return;
  if (dim == 1)
    CSpectrum2D::ProjectOntoF1(set.m_pData, buffer, f2, f1, !set.m_bReal);
  else
    CSpectrum2D::ProjectOntoF2(set.m_pData, buffer, f2, f1, !set.m_bReal);
}

void Release(float*& buffer) {
  std::free(buffer);
  buffer = nullptr;
}

}  // namespace

void IncreaseLevels(CSpectrum2D& set) {
  set.m_fLowestLevel /= set.m_fLevelRatio;
  set.m_fStackScale = static_cast<float>(set.m_fStackScale * kIncreaseStack);
}

void DecreaseLevels(CSpectrum2D& set) {
  set.m_fLowestLevel *= set.m_fLevelRatio;
  set.m_fStackScale = static_cast<float>(set.m_fStackScale * kDecreaseStack);
}

void ScaleSliceTraces(CSpectrum2D& set, double factor) {
  set.m_traceF2.m_dScale *= factor;
  set.m_traceF1.m_dScale *= factor;
}

void ZoomFull(CSpectrum2D& set) {
  set.m_zoom.SetRect(0, 0, F2Count(set), F1Count(set));
}

bool IsZoomFull(const CSpectrum2D& set) {
  return set.m_zoom == CRect(0, 0, F2Count(set), F1Count(set));
}

bool ToggleMagnitude(CSpectrum2D& set) {
  if (set.m_bReal)
    return false;
  if (set.m_bMagnitude)
    set.FromPolar();
  else
    set.ToPolar();
  set.m_bMagnitude = !set.m_bMagnitude;
  return true;
}

bool HasSquarePlane(const CSpectrum2D& set) {
  const int last = set.m_nLastDim;
  return last >= 1 && last < CSpectrum2D::MaxDimensions && set.m_dims[last].m_nPoints == set.m_dims[last - 1].m_nPoints;
}

bool OffersBaselineCommands(const CSpectrum2D& set) {
  return set.m_pData && set.m_nCurrentDim == -1;
}

void ToggleProjection(CSpectrum2D& set, int dim) {
  BYTE& shown = dim == 1 ? set.m_bShowProjectionF1 : set.m_bShowProjectionF2;
  shown = !shown;
  (dim == 1 ? set.m_bShowLoadedF1 : set.m_bShowLoadedF2) = 0;
  RefreshProjections(set);
}

void ToggleLoadedTrace(CSpectrum2D& set, int dim) {
  BYTE& shown = dim == 1 ? set.m_bShowLoadedF1 : set.m_bShowLoadedF2;
  shown = !shown;
  (dim == 1 ? set.m_bShowProjectionF1 : set.m_bShowProjectionF2) = 0;
  RefreshProjections(set);
}

void RefreshProjections(CSpectrum2D& set) {
  if (set.m_bShowProjectionF1)
    Recompute(set, set.m_pProjectionF1, 1);
  else
    Release(set.m_pProjectionF1);
  if (set.m_bShowProjectionF2)
    Recompute(set, set.m_pProjectionF2, 2);
  else
    Release(set.m_pProjectionF2);
}

void ComputeProjection(CSpectrum2D& set, int dim) {
  Recompute(set, dim == 1 ? set.m_pProjectionF1 : set.m_pProjectionF2, dim);
}

bool AddToSliceList(std::vector<int>& list, int index) {
  if (std::find(list.begin(), list.end(), index) != list.end())
    return false;
  list.push_back(index);
  return true;
}

bool CanStepRow(const CSpectrum2D& set, int step) {
  const int row = set.m_nSelectedRow + step;
  return row >= 0 && row < F1Count(set);
}

bool CanStepColumn(const CSpectrum2D& set, int step) {
  const int column = set.m_nSelectedColumn + step;
  return column >= 0 && column < F2Count(set);
}

void StepRow(CSpectrum2D& set, int step) {
  if (CanStepRow(set, step))
    set.m_nSelectedRow += step;
}

void StepColumn(CSpectrum2D& set, int step) {
  if (CanStepColumn(set, step))
    set.m_nSelectedColumn += step;
}

void GrowPlot(CSpectrum2D& set, int pixels) {
  CRect rect = set.m_plotRect;
  rect.InflateRect(pixels, pixels);
  if (rect.Width() < kSmallestPlot || rect.Height() < kSmallestPlot)
    return;
  set.SetPlotRect(rect);
}

void MakePlotSquare(CSpectrum2D& set) {
  const CRect& plot = set.m_plotRect;
  const int side = std::min(plot.Width(), plot.Height());
  set.SetPlotRect(CRect(plot.left, plot.top, plot.left + side, plot.top + side));
}

int PhasingDimension(const CSpectrum2D& set) {
  return set.m_phasingOrder[0] ? set.m_phasingOrder[0] : set.m_nCurrentDim;
}

void ApplyPhaseDifference(CSpectrum2D& set, CCommandInterpreter& interpreter, double phase0, double phase1) {
  const int dim = PhasingDimension(set);
  if (dim <= 0 || dim >= CSpectrum2D::MaxDimensions)
    return;
  float* applied = set.m_appliedPhase[dim];
  char line[96];
  std::snprintf(line, sizeof line, "ph %.5lf %.5lf", phase0 - applied[0], phase1 - applied[1]);
  interpreter.Execute(set, line);
  applied[0] = static_cast<float>(phase0);
  applied[1] = static_cast<float>(phase1);
}
