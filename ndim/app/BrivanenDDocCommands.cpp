// The View, Process and Tools commands of the nD document: each one a
// small step on the current data set, then a redraw.
#include "ndim/app/BrivanenDDoc.h"

#include <cstdio>

#include "framework/win/CmdUI.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/View.h"
#include "framework/win/WaitCursor.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/OneDProgram.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdSetCommands.h"
#include "ndim/handoff/HandOff.h"
#include "ndim/handoff/TraceFile.h"
#include "resources/BrivanenDRes.h"

namespace {

const int kTraceStep = 3;  // pixels a trace moves
const int kPlotStep = 10;  // pixels the plot grows or shrinks on each side

// The display mode each plot command chooses.
struct DisplayModeCommand {
  UINT nID;
  UINT nMode;
};
const DisplayModeCommand kDisplayModes[] = {{ID_VIEW_FAST_PLOT, 0},
                                            {ID_VIEW_CONTOUR_PLOT, 1},
                                            {ID_VIEW_STACKED_PLOT, 2},
                                            {ID_VIEW_WHITEWASH, 3},
                                            {ID_VIEW_COLOURED_CONTOUR, 4}};

UINT DisplayModeOf(UINT nID) {
  for (const DisplayModeCommand& c : kDisplayModes)
    if (c.nID == nID)
      return c.nMode;
  return 0;
}

}  // namespace

void CBrivanenDDoc::InvalidateStrips() {
  CView* pView = FindView(RUNTIME_CLASS(CBrivanenDView));
  if (pView == nullptr || m_pCurrent == nullptr || pView->GetSafeHwnd() == nullptr)
    return;
  pView->InvalidateRect(&m_pCurrent->m_traceF2.m_rect);
  pView->InvalidateRect(&m_pCurrent->m_traceF1.m_rect);
}

// --- View ---

void CBrivanenDDoc::OnViewIncrease() {
  if (m_pCurrent == nullptr)
    return;
  IncreaseLevels(*m_pCurrent);
  if (!m_bNoRedraw)
    UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewDecrease() {
  if (m_pCurrent == nullptr)
    return;
  DecreaseLevels(*m_pCurrent);
  if (!m_bNoRedraw)
    UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewIncreaseSlices() {
  if (m_pCurrent == nullptr)
    return;
  ScaleSliceTraces(*m_pCurrent, 1.25);
  InvalidateStrips();
}

void CBrivanenDDoc::OnViewDecreaseSlices() {
  if (m_pCurrent == nullptr)
    return;
  ScaleSliceTraces(*m_pCurrent, 0.8);
  InvalidateStrips();
}

void CBrivanenDDoc::OnViewZoom() {
  ToggleMouseTool(ndMouseZoom);
}

void CBrivanenDDoc::OnUpdateViewZoom(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == ndMouseZoom);
}

void CBrivanenDDoc::OnViewFull() {
  if (m_pCurrent == nullptr)
    return;
  ZoomFull(*m_pCurrent);
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnUpdateViewFull(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetCheck(m_pCurrent != nullptr && IsZoomFull(*m_pCurrent));
}

void CBrivanenDDoc::OnViewSlices() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->m_bSliceDisplay = !m_pCurrent->m_bSliceDisplay;
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnUpdateViewSlices(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetCheck(m_pCurrent != nullptr && m_pCurrent->m_bSliceDisplay);
}

void CBrivanenDDoc::OnViewRefresh() {
  Refresh();
}

BOOL CBrivanenDDoc::OnViewDisplayMode(UINT nID) {
  if (m_pCurrent != nullptr) {
    m_pCurrent->m_nDisplayMode = DisplayModeOf(nID);
    UpdateAllViews(nullptr);
  }
  return TRUE;
}

void CBrivanenDDoc::OnUpdateViewDisplayMode(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetCheck(m_pCurrent != nullptr && m_pCurrent->m_nDisplayMode == DisplayModeOf(pCmdUI->m_nID));
}

void CBrivanenDDoc::OnViewEnlarge() {
  if (m_pCurrent == nullptr)
    return;
  GrowPlot(*m_pCurrent, kPlotStep);
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewReduce() {
  if (m_pCurrent == nullptr)
    return;
  GrowPlot(*m_pCurrent, -kPlotStep);
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewSquare() {
  if (m_pCurrent == nullptr)
    return;
  MakePlotSquare(*m_pCurrent);
  UpdateAllViews(nullptr);
}

BOOL CBrivanenDDoc::OnTracesProjection(UINT nID) {
  if (m_pCurrent != nullptr) {
    ToggleProjection(*m_pCurrent, nID == ID_TRACES_F1_PROJECTION ? 1 : 2);
    UpdateAllViews(nullptr);
  }
  return TRUE;
}

void CBrivanenDDoc::OnUpdateTracesProjection(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  if (m_pCurrent != nullptr)
    pCmdUI->SetCheck(pCmdUI->m_nID == ID_TRACES_F1_PROJECTION ? m_pCurrent->m_bShowProjectionF1
                                                              : m_pCurrent->m_bShowProjectionF2);
}

BOOL CBrivanenDDoc::OnTracesLoaded(UINT nID) {
  if (m_pCurrent != nullptr) {
    ToggleLoadedTrace(*m_pCurrent, nID == ID_TRACES_SHOW_F1 ? 1 : 2);
    InvalidateStrips();
  }
  return TRUE;
}

void CBrivanenDDoc::OnUpdateTracesLoaded(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  if (m_pCurrent != nullptr)
    pCmdUI->SetCheck(pCmdUI->m_nID == ID_TRACES_SHOW_F1 ? m_pCurrent->m_bShowLoadedF1 : m_pCurrent->m_bShowLoadedF2);
}

BOOL CBrivanenDDoc::OnTracesMove(UINT nID) {
  if (m_pCurrent == nullptr)
    return TRUE;
  switch (nID) {
    case ID_TRACES_UP:
      m_pCurrent->m_traceF2.m_nOffset -= kTraceStep;
      break;
    case ID_TRACES_DOWN:
      m_pCurrent->m_traceF2.m_nOffset += kTraceStep;
      break;
    case ID_TRACES_LEFT:
      m_pCurrent->m_traceF1.m_nOffset -= kTraceStep;
      break;
    default:
      m_pCurrent->m_traceF1.m_nOffset += kTraceStep;
      break;
  }
  InvalidateStrips();
  return TRUE;
}

BOOL CBrivanenDDoc::OnTracesStep(UINT nID) {
  if (m_pCurrent == nullptr)
    return TRUE;
  if (nID == ID_TRACES_PREVIOUS_ROW || nID == ID_TRACES_NEXT_ROW)
    StepRow(*m_pCurrent, nID == ID_TRACES_NEXT_ROW ? 1 : -1);
  else
    StepColumn(*m_pCurrent, nID == ID_TRACES_NEXT_COLUMN ? 1 : -1);
  InvalidateStrips();
  return TRUE;
}

void CBrivanenDDoc::OnUpdateTracesStep(CCmdUI* pCmdUI) {
  if (m_pCurrent == nullptr) {
    pCmdUI->Enable(FALSE);
    return;
  }
  switch (pCmdUI->m_nID) {
    case ID_TRACES_PREVIOUS_ROW:
      pCmdUI->Enable(CanStepRow(*m_pCurrent, -1));
      break;
    case ID_TRACES_NEXT_ROW:
      pCmdUI->Enable(CanStepRow(*m_pCurrent, 1));
      break;
    case ID_TRACES_PREVIOUS_COLUMN:
      pCmdUI->Enable(CanStepColumn(*m_pCurrent, -1));
      break;
    default:
      pCmdUI->Enable(CanStepColumn(*m_pCurrent, 1));
      break;
  }
}

void CBrivanenDDoc::OnViewGrid() {
  m_bShowGrid = !m_bShowGrid;
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnUpdateViewGrid(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bShowGrid);
}

// --- Process ---

void CBrivanenDDoc::OnProcessFullAuto() {
  if (m_pCurrent == nullptr)
    return;
  CWaitCursor wait;
  ExecuteCommands("bc");
  ExecuteCommands("bc 1");
  DataChanged();
}

void CBrivanenDDoc::OnUpdateProcessBaseline(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && OffersBaselineCommands(*m_pCurrent));
}

void CBrivanenDDoc::OnProcessMagnitude() {
  if (m_pCurrent != nullptr && ToggleMagnitude(*m_pCurrent))
    DataChanged();
}

void CBrivanenDDoc::OnUpdateProcessMagnitude(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && !m_pCurrent->m_bReal);
  pCmdUI->SetCheck(m_pCurrent != nullptr && m_pCurrent->m_bMagnitude);
}

// The entry always makes the set real; on a real set (where it reads "Make
// Complex") nothing changes. "mc" makes a set complex again.
void CBrivanenDDoc::OnProcessMakeReal() {
  if (m_pCurrent == nullptr)
    return;
  if (m_pCurrent->m_bReal) {
    UpdateAllViews(nullptr);
    return;
  }
  m_pCurrent->MakeReal();
  DataChanged();
}

void CBrivanenDDoc::OnUpdateProcessMakeReal(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetText(m_pCurrent != nullptr && m_pCurrent->m_bReal ? "Make Complex" : "Make Real");
}

void CBrivanenDDoc::OnProcessSymmetrize() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->TransposeOrSymmetrize(false);
  DataChanged();
}

void CBrivanenDDoc::OnProcessAverage() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->SymmetrizeAverage();
  DataChanged();
}

void CBrivanenDDoc::OnProcessTranspose() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->TransposeOrSymmetrize(true);
  DataChanged();
}

void CBrivanenDDoc::OnUpdateSquarePlane(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && HasSquarePlane(*m_pCurrent));
}

// --- Tools ---

void CBrivanenDDoc::OnToolsSelectSpectrum() {
  ToggleMouseTool(ndMouseSelectSpectrum);
}

void CBrivanenDDoc::OnUpdateToolsSelectSpectrum(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == ndMouseSelectSpectrum);
}

void CBrivanenDDoc::OnToolsReferenceF1() {
  ToggleMouseMode(ndMouseReferenceF1);
}

void CBrivanenDDoc::OnUpdateToolsReferenceF1(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == ndMouseReferenceF1);
}

void CBrivanenDDoc::OnToolsReferenceF2() {
  ToggleMouseMode(ndMouseReferenceF2);
}

void CBrivanenDDoc::OnUpdateToolsReferenceF2(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == ndMouseReferenceF2);
}

void CBrivanenDDoc::OnToolsIntegrate() {
  ToggleMouseTool(ndMouseIntegrate);
}

void CBrivanenDDoc::OnUpdateToolsIntegrate(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == ndMouseIntegrate);
}

BOOL CBrivanenDDoc::OnToolsShape(UINT nID) {
  if (m_pCurrent != nullptr)
    m_pCurrent->m_nIntegrationShape = nID == ID_TOOLS_ELLIPSE ? 1 : 0;
  return TRUE;
}

void CBrivanenDDoc::OnUpdateToolsShape(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetCheck(m_pCurrent != nullptr && m_pCurrent->m_nIntegrationShape == (pCmdUI->m_nID == ID_TOOLS_ELLIPSE));
}

void CBrivanenDDoc::OnToolsDeleteIntegrals() {
  if (m_pCurrent == nullptr)
    return;
  m_pCurrent->DeleteRegions();
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnUpdateToolsDeleteIntegrals(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && !m_pCurrent->m_regions.IsEmpty());
}

void CBrivanenDDoc::SendTraces(const HandOffTraces& traces) {
  if (m_pCurrent == nullptr)
    return;
  const CString folder = COneDProgramWin::GetProgramFolder();
  COneDProgramWin program(folder);
  const HandOffFolders folders{folder, COneDProgramWin::GetTemporaryFolder()};
  HandOff(*m_pCurrent, m_interpreter, traces, folders, CSize(m_nClientWidth, m_nClientHeight), program, m_messages);
  // The windows were not repainted while the 1D program ran.
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnToolsSendRow() {
  if (m_pCurrent != nullptr)
    SendTraces(HandOffTraces{false, {m_pCurrent->m_nSelectedRow}});
}

void CBrivanenDDoc::OnToolsSendColumn() {
  if (m_pCurrent != nullptr)
    SendTraces(HandOffTraces{true, {m_pCurrent->m_nSelectedColumn}});
}

void CBrivanenDDoc::OnToolsSendRows() {
  if (m_pCurrent != nullptr && !m_pCurrent->m_rowList.empty())
    SendTraces(HandOffTraces{false, m_pCurrent->m_rowList});
}

void CBrivanenDDoc::OnUpdateToolsSendRows(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && !m_pCurrent->m_rowList.empty());
}

void CBrivanenDDoc::OnToolsSendColumns() {
  if (m_pCurrent != nullptr && !m_pCurrent->m_columnList.empty())
    SendTraces(HandOffTraces{true, m_pCurrent->m_columnList});
}

void CBrivanenDDoc::OnUpdateToolsSendColumns(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && !m_pCurrent->m_columnList.empty());
}

void CBrivanenDDoc::OnTracesAddRow() {
  if (m_pCurrent == nullptr || AddToSliceList(m_pCurrent->m_rowList, m_pCurrent->m_nSelectedRow))
    return;
  char text[64];
  std::snprintf(text, sizeof text, "Row #%d already exists in the list", m_pCurrent->m_nSelectedRow);
  m_messages.ShowMessage(text);
}

void CBrivanenDDoc::OnTracesAddColumn() {
  if (m_pCurrent == nullptr || AddToSliceList(m_pCurrent->m_columnList, m_pCurrent->m_nSelectedColumn))
    return;
  char text[64];
  std::snprintf(text, sizeof text, "Col #%d already exists in the list", m_pCurrent->m_nSelectedColumn);
  m_messages.ShowMessage(text);
}

void CBrivanenDDoc::LoadTrace(BOOL bColumn) {
  if (m_pCurrent == nullptr)
    return;
  CFileDialog dlg(TRUE, "brivane", "*.bvx", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Brivane files (*.bvx)|*.bvx|");
  if (dlg.DoModal() != IDOK)
    return;
  LoadedTrace& trace = bColumn ? m_pCurrent->m_loadedF1 : m_pCurrent->m_loadedF2;
  if (!ImportTrace(dlg.GetPathName(), trace, m_messages))
    m_messages.ShowMessage("Failed to import 1D trace");
  InvalidateStrips();
}

void CBrivanenDDoc::OnTracesLoadRow() {
  LoadTrace(FALSE);
}

void CBrivanenDDoc::OnTracesLoadColumn() {
  LoadTrace(TRUE);
}
