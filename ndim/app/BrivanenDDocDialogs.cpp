// The nD document's commands that run a dialog: the processing dialogs,
// whose lines go to the interpreter one by one, and the display and colour
// dialogs, which change the set's display values.
#include <cstring>

#include "framework/win/CmdUI.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "ndim/app/BrivanenDApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/app/PhaseDialog.h"
#include "ndim/app/PhaseView.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/dialogs/ColourDialogs.h"
#include "ndim/dialogs/DisplayDialogs.h"
#include "ndim/dialogs/ProcessingDialogs.h"
#include "ndim/dialogs/RefWizard.h"
#include "ndim/document/NdDialogCommands.h"
#include "ndim/document/NdSetCommands.h"
#include "ndim/plot/NdViewGeometry.h"
#include "resources/BrivanenDRes.h"

void CBrivanenDDoc::RunLines(const std::vector<std::string>& lines) {
  CWaitCursor wait;
  for (const std::string& line : lines)
    ExecuteCommands(line.c_str());
}

CChildFrame* CBrivanenDDoc::GetChildFrame() const {
  CView* pView = FindView(RUNTIME_CLASS(CBrivanenDView));
  CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
  return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)) ? static_cast<CChildFrame*>(pFrame)
                                                                           : nullptr;
}

void CBrivanenDDoc::InvalidatePhaseViews() {
  for (CRuntimeClass* pClass : {RUNTIME_CLASS(CPhaseView1), RUNTIME_CLASS(CPhaseView2), RUNTIME_CLASS(CPhaseView3)})
    if (CView* pView = FindView(pClass); pView != nullptr && pView->GetSafeHwnd() != nullptr)
      pView->Invalidate();
}

void CBrivanenDDoc::ShowPhaseViews() {
  if (CChildFrame* pFrame = GetChildFrame(); pFrame != nullptr && pFrame->GetOuterSplitter().GetHiddenColumn() >= 0)
    pFrame->GetOuterSplitter().ShowColumn();
}

void CBrivanenDDoc::HidePhaseViews() {
  if (CChildFrame* pFrame = GetChildFrame(); pFrame != nullptr && pFrame->GetOuterSplitter().GetHiddenColumn() < 0)
    pFrame->GetOuterSplitter().HideColumn(1);
}

// A second Phase Correction closes the open dialog, as its OK does.
void CBrivanenDDoc::OnProcessPhase() {
  if (m_pCurrent == nullptr)
    return;
  if (m_pCurrent->m_phasingOrder[0] == 0) {
    AfxMessageBox("This spectrum is not phaseable along any dimension", MB_OK);
    return;
  }
  if (m_pCurrent->m_bReal) {
    AfxMessageBox("The spectrum is real", MB_OK);
    return;
  }
  if (m_pPhaseDialog != nullptr) {
    m_pPhaseDialog->PostMessage(WM_COMMAND, IDOK, 0);
    return;
  }
  ShowPhaseViews();
  CPhaseDialog* pDialog = new CPhaseDialog(this);
  m_pPhaseDialog = pDialog;
  if (!pDialog->Create(AfxGetMainWnd())) {
    m_pPhaseDialog = nullptr;
    delete pDialog;
    HidePhaseViews();
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
}

void CBrivanenDDoc::OnUpdateProcessPhase(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
  pCmdUI->SetCheck(m_pPhaseDialog != nullptr);
}

// One dialog per dimension, from the current one down, while the user asks
// for the next. Once the last of them is transformed the set has no time
// dimension left: the operations then act on all dimensions, and the
// baseline commands are offered.
void CBrivanenDDoc::OnProcessFourier() {
  while (m_pCurrent != nullptr && m_pCurrent->m_nCurrentDim > 0) {
    // Past the last dimension (after an inverse transform along it) the
    // dialog works along the last one, and its OK button says so.
    const int dim = FourierDimension(*m_pCurrent);
    CFourierDialog dialog(FourierInitialChoices(*m_pCurrent), m_pCurrent->m_apodization, dim, AfxGetMainWnd());
    CBrivanenDApp* pApp = GetBrivanenDApp();
    int divisor = pApp != nullptr ? pApp->m_nPredictionDivisor : 1;
    dialog.m_nPoints = m_pCurrent->IsValidDimension(dim) ? m_pCurrent->m_dims[dim].m_nPoints : 0;
    dialog.m_nDivisor = divisor;
    const INT_PTR result = dialog.DoModal();
    // A zero divisor the refusal read as 1 is kept as 1, even when the user
    // then cancels.
    if (pApp != nullptr)
      pApp->m_nPredictionDivisor = divisor = dialog.m_nDivisor;
    if (result != IDOK)
      return;
    const std::vector<std::string> lines = FourierCommandLines(dialog.m_choices, *m_pCurrent, divisor);
    if (pApp != nullptr)
      pApp->m_nPredictionDivisor = divisor;
    RunLines(lines);
    if (m_pCurrent == nullptr)
      return;
    if (m_pCurrent->m_nCurrentDim == 0)
      RunLines({"f= -1"});
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

// Each opening starts from the presets: order 5 along f1, filter 2.
void CBrivanenDDoc::OnProcessPolynomial() {
  if (m_pCurrent == nullptr)
    return;
  CBaselineDialog dialog(BaselineChoices(), m_pCurrent->m_nLastDim, AfxGetMainWnd());
  if (dialog.DoModal() != IDOK)
    return;
  RunLines({BaselineCommandLine(dialog.m_choices)});
  DataChanged();
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

void CBrivanenDDoc::OnViewLimits() {
  if (m_pCurrent == nullptr)
    return;
  CLimitsDialog dialog(*m_pCurrent, this, AfxGetMainWnd());
  if (dialog.DoModal() == IDOK)
    UpdateAllViews(nullptr);
}

// The menu never offers it.
void CBrivanenDDoc::OnUpdateViewLimits(CCmdUI* pCmdUI) {
  pCmdUI->Enable(FALSE);
}

// The wizard's pages set the view's picking tools; whichever way it ends,
// no tool stays. Finish brings the 2D signal to the 1D one's shift, with
// picks made in this run only.
void CBrivanenDDoc::OnToolsSynchronize() {
  if (m_pCurrent != nullptr)
    ClearWizardPicks(*m_pCurrent);
  CWizardRefDlg wizard(m_nMouseMode, AfxGetMainWnd());
  const INT_PTR nResult = wizard.DoModal();
  m_nMouseMode = ndMouseNone;
  if (nResult == ID_WIZFINISH && m_pCurrent != nullptr && ReferenceFromWizardPicks(*m_pCurrent)) {
    SetModifiedFlag();
    UpdateAllViews(nullptr);
  }
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
  m_pCurrent->SetPaletteColours(dialog.m_ramp.m_red, dialog.m_ramp.m_green, dialog.m_ramp.m_blue);
  m_pCurrent->m_bPlotDirty = 1;
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}
