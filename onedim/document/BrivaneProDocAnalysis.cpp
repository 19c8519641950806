// The 1D document's measuring tools: peak picks, integral regions, the
// Tools commands that switch the mouse tools and the line fit.
#include <algorithm>
#include <vector>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Integral.h"
#include "onedim/model/PeakList.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/PeakFit.h"

void CBrivaneProDoc::PickPeaksInRange(int nFirst, int nLast, double dThreshold) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return;
  CPeakPicking* pRecord = new CPeakPicking(nFirst, nLast, (float)dThreshold);
  s->m_pCurrentPeaks = pRecord;
  s->m_arrPeaks.Add(pRecord);
  s->PickPeaks(nFirst, nLast, dThreshold);
}

void CBrivaneProDoc::PickPeakAt(int nIndex) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr || nIndex < 0 || nIndex >= s->m_paramsA.td)
    return;
  CPeakPicking* pRecord = new CPeakPicking(-1, -1, -1.0f);
  pRecord->m_arrPoints.Add(nIndex);
  s->m_pCurrentPeaks = pRecord;
  s->m_arrPeaks.Add(pRecord);
}

void CBrivaneProDoc::RemovePeaksInRange(int nFirst, int nLast) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return;
  for (int r = (int)s->m_arrPeaks.GetSize() - 1; r >= 0; r--) {
    const CPeakPicking* pRecord = static_cast<const CPeakPicking*>(s->m_arrPeaks.GetAt(r));
    for (int k = pRecord->GetCount() - 1; k >= 0; k--) {
      const int nIndex = pRecord->m_arrPoints.GetAt(k);
      // The last point of a record takes the record with it.
      if (nIndex >= nFirst && nIndex <= nLast)
        DeletePeak(*s, r, k);
      if (r >= (int)s->m_arrPeaks.GetSize() || s->m_arrPeaks.GetAt(r) != pRecord)
        break;
    }
  }
  m_nSelectedPeakRecord = m_nSelectedPeak = 0;
  s->m_bSelectedPeakShown = 0;
}

void CBrivaneProDoc::AddIntegralOver(int nFirst, int nLast) {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_pData == nullptr || s->m_paramsA.td < 2)
    return;
  const int nStart = std::max(std::min(nFirst, nLast), 0) & ~1;
  const int nEnd = std::min(std::max(nFirst, nLast), s->m_paramsA.td - 2) & ~1;
  if (nEnd <= nStart)
    return;
  const int nZeroLine = (s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
  s->m_arrIntegrals.Add(new CIntegral(s, nStart, nEnd, nZeroLine, m_crIntegral));
  SetModified();
}

void CBrivaneProDoc::ToggleMouseMode(int nMode) {
  if (m_nMouseMode != nMode) {
    m_nMouseMode = nMode;
    return;
  }
  m_nMouseMode = MOUSE_NONE;
  if (nMode == MOUSE_REFERENCE || nMode == MOUSE_INTEGRATE || nMode == MOUSE_REMOVE_PEAKS)
    UpdateViews();
}

void CBrivaneProDoc::AlignIntegrals() {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr || s->m_arrIntegrals.GetSize() == 0)
    return;
  int nBase = 0;
  if (s->m_pSelectedIntegral != nullptr) {
    nBase = s->m_pSelectedIntegral->m_nBase;
  } else {
    nBase = static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(0))->m_nBase;
    for (INT_PTR i = 1; i < s->m_arrIntegrals.GetSize(); i++)
      nBase = std::max(nBase, static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(i))->m_nBase);
  }
  for (INT_PTR i = 0; i < s->m_arrIntegrals.GetSize(); i++)
    static_cast<CIntegral*>(s->m_arrIntegrals.GetAt(i))->m_nBase = nBase;
  SetModified();
  UpdateViews();
}

void CBrivaneProDoc::DeleteAllIntegrals() {
  CSpectrum* s = m_pCurrent;
  if (s == nullptr)
    return;
  while (s->m_arrIntegrals.GetSize() > 0)
    RemoveIntegral(s, (int)s->m_arrIntegrals.GetSize() - 1);
  SetModified();
  UpdateViews();
}

namespace {

// Three boxes per line, in line order.
void show_fit_results(CDocumentHost& host, const std::vector<CFittedLine>& lines) {
  for (const CFittedLine& line : lines) {
    CString text;
    text.Format("Frequency=%.3lf", line.dFrequency);
    host.ShowMessage(text, MB_OK);
    text.Format("Area=%.3lf", line.dArea);
    host.ShowMessage(text, MB_OK);
    text.Format("Width=%.3lf", line.dWidth);
    host.ShowMessage(text, MB_OK);
  }
}

}  // namespace

void CBrivaneProDoc::FitPeaks(int nShape) {
  CSpectrum* s = m_pCurrent;
  std::vector<CFitWindow> windows;
  std::vector<CFittedLine> lines;
  const bool bConverged = s != nullptr && FitPeakLines(*s, nShape, windows, lines);
  for (const CFitWindow& w : windows)
    MarkFitWindow(2 * w.nFirst, 2 * w.nLast);
  if (!bConverged) {
    m_pHost->ShowMessage("Not converged", MB_OK);
    return;
  }
  show_fit_results(*m_pHost, lines);
}
