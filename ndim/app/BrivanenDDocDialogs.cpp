// The nD document's commands that run a dialog: the processing dialogs,
// whose lines go to the interpreter one by one, and the display and colour
// dialogs, which change the set's display values.
#include <cstring>

#include "framework/win/CmdUI.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "ndim/app/BrivanenDApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/dialogs/ColourDialogs.h"
#include "ndim/dialogs/DisplayDialogs.h"
#include "ndim/dialogs/ProcessingDialogs.h"
#include "ndim/document/NdDialogCommands.h"
#include "ndim/document/NdSetCommands.h"
#include "resources/BrivanenDRes.h"

void CBrivanenDDoc::RunLines(const std::vector<std::string>& lines) {
  CWaitCursor wait;
  for (const std::string& line : lines)
    ExecuteCommands(line.c_str());
}

// One dialog per dimension, from the current one down, while the user asks
// for the next.
void CBrivanenDDoc::OnProcessFourier() {
  while (m_pCurrent != nullptr && m_pCurrent->m_nCurrentDim > 0) {
    CFourierDialog dialog(FourierInitialChoices(*m_pCurrent), m_pCurrent->m_apodization, m_pCurrent->m_nCurrentDim,
                          AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
      return;
    CBrivanenDApp* pApp = GetBrivanenDApp();
    int divisor = pApp != nullptr ? pApp->m_nPredictionDivisor : 1;
    const std::vector<std::string> lines = FourierCommandLines(dialog.m_choices, *m_pCurrent, divisor);
    if (pApp != nullptr)
      pApp->m_nPredictionDivisor = divisor;
    RunLines(lines);
    if (m_pCurrent == nullptr)
      return;
    FinishFourier(*m_pCurrent, dialog.m_choices.m_bApodize);
    DataChanged();
    if (!dialog.m_choices.m_bNextDimension)
      return;
  }
}

void CBrivanenDDoc::OnUpdateProcessFourier(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && !m_pCurrent->m_bReal);
}

void CBrivanenDDoc::OnProcessApodize() {
  if (m_pCurrent == nullptr)
    return;
  CApodizationDialog dialog(m_pCurrent->m_apodization, AfxGetMainWnd());
  dialog.DoModal();
}

void CBrivanenDDoc::OnProcessPrediction() {
  if (m_pCurrent == nullptr)
    return;
  CPredictionDialog dialog(PredictionInitialChoices(*m_pCurrent), m_pCurrent->m_nCurrentDim, AfxGetMainWnd());
  if (dialog.DoModal() != IDOK)
    return;
  bool truncated = false;
  const std::string line = PredictionCommandLine(dialog.m_choices, *m_pCurrent, truncated);
  if (truncated)
    AfxMessageBox("Basis have been trucated", MB_OK);
  RunLines({line});
  DataChanged();
}

void CBrivanenDDoc::OnProcessHighPass() {
  if (m_pCurrent == nullptr)
    return;
  CHighPassDialog dialog(AfxGetMainWnd());
  dialog.m_nSelectivity = 8;
  dialog.m_fNullPoint = static_cast<float>(HighPassNullPoint(*m_pCurrent));
  if (dialog.DoModal() != IDOK)
    return;
  RunLines({HighPassCommandLine(dialog.m_nSelectivity, dialog.m_fNullPoint)});
  DataChanged();
}

void CBrivanenDDoc::OnUpdateProcessHighPass(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr && m_pCurrent->m_nCurrentDim == m_pCurrent->m_nLastDim);
}

void CBrivanenDDoc::OnViewLevels() {
  if (m_pCurrent == nullptr)
    return;
  CLevelsDialog dialog(*m_pCurrent, AfxGetMainWnd());
  if (dialog.DoModal() == IDOK)
    UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewScaleUnits() {
  if (m_pCurrent == nullptr)
    return;
  CScaleUnitsDialog dialog(*m_pCurrent, AfxGetMainWnd());
  if (dialog.DoModal() == IDOK)
    UpdateAllViews(nullptr);
}

void CBrivanenDDoc::OnViewProjections() {
  if (m_pCurrent == nullptr)
    return;
  CProjectionsDialog dialog(*m_pCurrent, AfxGetMainWnd());
  if (dialog.DoModal() == IDOK) {
    // A projection shown has its buffer; one hidden has none.
    RefreshProjections(*m_pCurrent);
    UpdateAllViews(nullptr);
  }
}

void CBrivanenDDoc::OnViewSliceList() {
  if (m_pCurrent == nullptr)
    return;
  CExtractsDialog dialog(*m_pCurrent, AfxGetMainWnd());
  dialog.DoModal();
}

void CBrivanenDDoc::OnViewColours() {
  if (m_pCurrent == nullptr)
    return;
  CColoursDialog dialog(*m_pCurrent, AfxGetMainWnd());
  if (dialog.DoModal() == IDOK)
    UpdateAllViews(nullptr);
}

// The editor works on a copy of the set's colours; nodes start at the two
// ends each time.
void CBrivanenDDoc::OnEditPalette() {
  if (m_pCurrent == nullptr)
    return;
  CRampEditorDialog dialog(AfxGetMainWnd());
  std::memcpy(dialog.m_ramp.m_red, m_pCurrent->m_red, sizeof m_pCurrent->m_red);
  std::memcpy(dialog.m_ramp.m_green, m_pCurrent->m_green, sizeof m_pCurrent->m_green);
  std::memcpy(dialog.m_ramp.m_blue, m_pCurrent->m_blue, sizeof m_pCurrent->m_blue);
  if (dialog.DoModal() != IDOK)
    return;
  std::memcpy(m_pCurrent->m_red, dialog.m_ramp.m_red, sizeof m_pCurrent->m_red);
  std::memcpy(m_pCurrent->m_green, dialog.m_ramp.m_green, sizeof m_pCurrent->m_green);
  std::memcpy(m_pCurrent->m_blue, dialog.m_ramp.m_blue, sizeof m_pCurrent->m_blue);
  m_pCurrent->m_bPlotDirty = 1;
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}
