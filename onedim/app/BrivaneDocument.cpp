#include "onedim/app/BrivaneDocument.h"

#include <memory>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/app/BrivaneProApp.h"
#include "onedim/app/BrivaneProSrvrItem.h"
#include "onedim/dialogs/files/AsciiExportDialogs.h"
#include "onedim/dialogs/analysis/CouplingTableDialog.h"
#include "onedim/app/ChildFrame.h"
#include "onedim/app/MainFrame.h"
#include "onedim/dialogs/files/ImportFileDialog.h"
#include "onedim/dialogs/files/JcampWaitDialog.h"
#include "onedim/dialogs/analysis/PeakListDialog.h"
#include "onedim/dialogs/process/MultiPointBaselineDialog.h"
#include "onedim/dialogs/process/PhaseCorrectionDialog.h"
#include "onedim/dialogs/process/PolynomialBaselineDialog.h"
#include "onedim/dialogs/process/ProcessDialogs.h"
#include "onedim/dialogs/simulation/SimulationDialogs.h"
#include "onedim/dialogs/process/WindowFunctionsDialog.h"
#include "onedim/dialogs/display/AddTextDialog.h"
#include "onedim/dialogs/display/LayoutOptionsDlg.h"
#include "onedim/dialogs/display/SetLimitsDlg.h"
#include "onedim/dialogs/display/SpectrumProperties.h"
#include "onedim/model/TextLabel.h"
#include "onedim/app/TransformProgress.h"
#include "onedim/processing/FourierTransformStep.h"
#include "framework/win/CmdUI.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/plot/Graph.h"
#include "onedim/view/GraphDraw.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CBrivaneDocument, COleServerDoc)

BEGIN_MESSAGE_MAP(CBrivaneDocument, COleServerDoc)
  ON_COMMAND(ID_FILE_OPEN_ADDITIONAL, OnFileOpenAdditional)
  ON_COMMAND(ID_FILE_EXPORT_ASCII, OnFileExportAscii)
  ON_COMMAND(ID_PROCESS_FID_SHIFT, OnProcessFidShift)
  ON_COMMAND(ID_PROCESS_ZERO_FILL, OnProcessZeroFill)
  ON_COMMAND(ID_PROCESS_LINEAR_PREDICTION, OnProcessLinearPrediction)
  ON_COMMAND(ID_PROCESS_FOURIER, OnProcessFourier)
  ON_COMMAND(ID_PROCESS_APODIZE, OnProcessApodize)
  ON_COMMAND(ID_PROCESS_PHASE, OnProcessPhase)
  ON_COMMAND(ID_PROCESS_AUTOPHASE, OnProcessAutophase)
  ON_COMMAND(ID_PROCESS_SET_REGIONS, OnProcessSetRegions)
  ON_COMMAND(ID_PROCESS_BASELINE_TWO_POINT, OnProcessTwoPointBaseline)
  ON_COMMAND(ID_PROCESS_BASELINE_MULTI, OnProcessMultiPointBaseline)
  ON_COMMAND(ID_PROCESS_BASELINE_AUTO_FIT, OnProcessAutoFitBaseline)
  ON_COMMAND(ID_PROCESS_BASELINE_MANUAL, OnProcessManualBaseline)
  ON_COMMAND(ID_PROCESS_SWAP, OnProcessSwap)
  ON_COMMAND(ID_PROCESS_INVERT, OnProcessInvert)
  ON_COMMAND(ID_PROCESS_MAGNITUDE, OnProcessMagnitude)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_MAGNITUDE, OnUpdateProcessMagnitude)
  ON_COMMAND(ID_PROCESS_POWER, OnProcessPower)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_POWER, OnUpdateProcessPower)
  ON_COMMAND(ID_PROCESS_HIGH_PASS, OnProcessHighPass)
  ON_COMMAND(ID_SIMULATION_NEW_DOC, OnSimulationNew)
  ON_COMMAND(ID_SIMULATION_INTERACTIVE, OnSimulationInteractive)
  ON_COMMAND(ID_SIMULATION_EDIT, OnSimulationEdit)
  ON_UPDATE_COMMAND_UI(ID_SIMULATION_EDIT, OnUpdateSimulationEdit)
  ON_COMMAND(ID_FID_SIMULATION, OnFidSimulation)
  ON_COMMAND(ID_TOOLS_PEAK_PICKING, OnToolsPeakPicking)
  ON_COMMAND(ID_TOOLS_PEAK_BY_PEAK, OnToolsPeakByPeak)
  ON_COMMAND(ID_TOOLS_INTEGRATE, OnToolsIntegrate)
  ON_COMMAND(ID_TOOLS_PEAK_INFO, OnToolsPeakInfo)
  ON_COMMAND(ID_TOOLS_REMOVE_PEAKS, OnToolsRemovePeaks)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_PEAK_PICKING, OnUpdateToolMode)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_PEAK_BY_PEAK, OnUpdateToolMode)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_INTEGRATE, OnUpdateToolMode)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_PEAK_INFO, OnUpdateToolMode)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_REMOVE_PEAKS, OnUpdateToolMode)
  ON_COMMAND(ID_TOOLS_REFERENCE, OnToolsReference)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_REFERENCE, OnUpdateToolMode)
  ON_COMMAND(ID_TOOLS_SOLVENTS, OnToolsSolvents)
  ON_COMMAND(ID_TOOLS_COUPLING, OnToolsCoupling)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_COUPLING, OnUpdateToolMode)
  ON_COMMAND(ID_TOOLS_EDIT_PEAKS, OnToolsEditPeaks)
  ON_COMMAND(ID_TOOLS_PARABOLIC, OnToolsParabolic)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_PARABOLIC, OnUpdateToolsParabolic)
  ON_COMMAND(ID_TOOLS_SHOW_PEAKS, OnToolsShowPeaks)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SHOW_PEAKS, OnUpdateToolsShowPeaks)
  ON_COMMAND(ID_TOOLS_PEAK_FONT, OnToolsPeakFont)
  ON_COMMAND(ID_TOOLS_PEAK_EXPORT, OnToolsPeakExport)
  ON_COMMAND(ID_TOOLS_ALIGN_INTEGRALS, OnToolsAlignIntegrals)
  ON_COMMAND(ID_TOOLS_DELETE_INTEGRALS, OnToolsDeleteIntegrals)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_ALIGN_INTEGRALS, OnUpdateHasIntegrals)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_DELETE_INTEGRALS, OnUpdateHasIntegrals)
  ON_COMMAND(ID_TOOLS_INTEGRAL_CORRECTION, OnToolsIntegralCorrection)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_INTEGRAL_CORRECTION, OnUpdateHasIntegrals)
  ON_COMMAND(ID_TOOLS_INTEGRAL_THRESHOLD, OnToolsIntegralThreshold)
  ON_COMMAND(ID_TOOLS_INTEGRAL_OPTIONS, OnToolsIntegralOptions)
  ON_COMMAND(ID_TOOLS_FIT_LORENTZIAN, OnToolsFitLorentzian)
  ON_COMMAND(ID_TOOLS_FIT_GAUSSIAN, OnToolsFitGaussian)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_FIT_LORENTZIAN, OnUpdateToolsFit)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_FIT_GAUSSIAN, OnUpdateToolsFit)
  ON_COMMAND(ID_EDIT_PROPERTIES, OnEditProperties)
  ON_COMMAND(ID_EDIT_ADD_TEXT, OnEditAddText)
  ON_COMMAND(ID_VIEW_SET_LIMITS, OnViewSetLimits)
  ON_COMMAND(ID_LAYOUT_OPTIONS, OnLayoutOptions)
  ON_COMMAND(ID_FILE_BYTE_SWAP, OnFileByteSwap)
  ON_COMMAND(ID_EDIT_DELETE_SPECTRUM, OnEditDeleteSpectrum)
  ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE_SPECTRUM, OnUpdateEditDeleteSpectrum)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_COPY_DATA, OnEditCopyData)
  ON_COMMAND(ID_EDIT_PASTE_DATA, OnEditPasteData)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE_DATA, OnUpdateHasDataBuffer)
  ON_COMMAND(ID_EDIT_SUM_DATA, OnEditSumData)
  ON_UPDATE_COMMAND_UI(ID_EDIT_SUM_DATA, OnUpdateHasDataBuffer)
  ON_COMMAND(ID_VIEW_INCREASE, OnViewIncrease)
  ON_COMMAND(ID_VIEW_DECREASE, OnViewDecrease)
  ON_COMMAND(ID_VIEW_FULL_SPECTRUM, OnViewFullSpectrum)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FULL_SPECTRUM, OnUpdateViewFullSpectrum)
  ON_COMMAND(ID_VIEW_ZOOM, OnViewZoom)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM, OnUpdateViewZoom)
  ON_COMMAND(ID_VIEW_ZOOM_ALL, OnViewZoomAll)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_ALL, OnUpdateViewZoomAll)
  ON_COMMAND(ID_VIEW_SHOW_GRID, OnViewShowGrid)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SHOW_GRID, OnUpdateViewShowGrid)
  ON_COMMAND(ID_VIEW_EXPANSION, OnViewExpansion)
  ON_COMMAND(ID_LAYOUT_OVERLAY, OnLayoutOverlay)
  ON_COMMAND(ID_LAYOUT_STACKED, OnLayoutStacked)
END_MESSAGE_MAP()

// The core keeps the host's address only; it asks nothing of it while both
// are being built or taken down.
CBrivaneDocument::CBrivaneDocument() : CBrivaneProDoc(&m_Host), m_Host(this) {
  SetMissingParametersPolicy(&m_MissingDialogs);
}

CBrivaneDocument::~CBrivaneDocument() {
  // An open peak list or coupling table outlives no document.
  if (m_pPeakList != nullptr) {
    m_pPeakList->ForgetDocument();
    m_pPeakList->DestroyWindow();
  }
  if (m_pCouplingTable != nullptr) {
    m_pCouplingTable->ForgetDocument();
    m_pCouplingTable->DestroyWindow();
  }
}

void CBrivaneDocument::OnFileOpenAdditional() {
  CBrivaneProApp* pApp = GetBrivaneApp();
  CImportFileDialog dlg(pApp->GetState(), pApp->GetSettings(), AfxGetMainWnd());
  if (dlg.DoModal() != IDOK)
    return;
  CStringList paths;
  dlg.GetChosenPaths(paths);
  const ImportResult result = ImportFiles(paths);
  // An added file of our own leaves the user's import type chosen.
  RestoreImportType();
  if (result != importFailed)
    RefreshAfterAdd();
  else if (!pApp->GetState().m_bOpenFailureShown)
    AfxMessageBox("Failed to open", MB_OK | MB_ICONEXCLAMATION);
}

void CBrivaneDocument::OnFileExportAscii() {
  if (CSpectrum* pSpectrum = GetCurrentSpectrum()) {
    CAsciiExportDialogs dialogs(AfxGetMainWnd());
    ExportAscii(*pSpectrum, dialogs);
  }
}

void CBrivaneDocument::OnProcessFidShift() {
  if (GetCurrentSpectrum() == nullptr)
    return;
  CFidShiftDialog dlg(this, AfxGetMainWnd());
  if (dlg.DoModal() == IDOK) {
    GetHistory().AddLine("Fid Shift");
    SetModified();
  }
}

void CBrivaneDocument::OnProcessZeroFill() {
  if (GetCurrentSpectrum() == nullptr)
    return;
  CZeroFillingDialog dlg(AfxGetMainWnd());
  dlg.m_nPoints = 2 * GetCurrentSpectrum()->m_paramsA.td;
  if (dlg.DoModal() == IDOK) {
    ZeroFilling(dlg.m_nPoints);
    return;
  }
  SetModified();
  UpdateViews();
}

void CBrivaneDocument::OnProcessLinearPrediction() {
  if (GetCurrentSpectrum() == nullptr)
    return;
  CLinearPredictionDialog dlg(this, AfxGetMainWnd());
  dlg.DoModal();
  SetModified();
  UpdateViews();
}

void CBrivaneDocument::OnProcessFourier() {
  if (GetCurrentSpectrum() == nullptr || IsTransformRunning())
    return;
  CFourierTransformOptions options;
  BOOL bApplyToAll = FALSE, bAutophase = FALSE;
  InitFourierTransform(options, bApplyToAll, bAutophase);
  CFourierTransformDialog dlg(AfxGetMainWnd());
  dlg.m_nMaxRotation = options.nMaxRotation;
  dlg.m_nPoints = options.nPoints;
  dlg.m_nRotationPoints = options.nRotationPoints;
  dlg.m_bDriftCorrection = options.bDriftCorrection;
  dlg.m_bQuadrature = options.bQuadrature;
  dlg.m_bReal = options.bReal;
  dlg.m_bRotateData = options.bRotateData;
  dlg.m_bApplyToAll = bApplyToAll;
  dlg.m_bInverse = options.bInverse;
  dlg.m_bShowProgress = m_nShowProgress;
  dlg.m_bAutophase = bAutophase;
  if (dlg.DoModal() != IDOK) {
    SetModified();
    UpdateViews();
    return;
  }
  options.nPoints = dlg.m_nPoints;
  options.nRotationPoints = dlg.m_nRotationPoints;
  options.bDriftCorrection = dlg.m_bDriftCorrection;
  options.bQuadrature = dlg.m_bQuadrature;
  options.bReal = dlg.m_bReal;
  options.bRotateData = dlg.m_bRotateData;
  options.bInverse = dlg.m_bInverse;
  m_nShowProgress = dlg.m_bShowProgress;
  FourierTransform(options, dlg.m_bApplyToAll, dlg.m_bAutophase);
}

void CBrivaneDocument::OnProcessApodize() {
  CSpectrum* pSpectrum = GetCurrentSpectrum();
  if (pSpectrum == nullptr || pSpectrum->m_pWindow == nullptr || IsTransformRunning())
    return;
  const int nShowProgress = m_nShowProgress;
  m_nShowProgress = 0;
  // The weighting is seen in the full view.
  CBrivaneProView* pView = GetSpectrumView();
  CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
  if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)) &&
      !static_cast<CChildFrame*>(pFrame)->IsFullViewShown())
    pFrame->PostMessage(WM_COMMAND, ID_VIEW_DUAL_DISPLAY);
  PrepareApodize();

  CWindowFunction& window = *pSpectrum->m_pWindow;
  CWindowFunctionsDialog dlg(this, AfxGetMainWnd());
  dlg.m_crCurve = GetAppState().m_crApodizeCurve;
  dlg.m_Session.KeepWeightedCopies();
  dlg.m_nType = window.m_nType;
  window.Apply();
  window.m_bShowCurve = 1;
  UpdateViews();
  if (dlg.DoModal() == IDOK)
    FinishApodize(dlg.m_crCurve);
  // The dialog's changes may have left another spectrum current.
  for (int i = 0; i < GetSpectrumCount(); i++)
    if (CWindowFunction* pWindow = GetSpectrumAt(i)->m_pWindow)
      pWindow->m_bShowCurve = 0;
  m_nShowProgress = nShowProgress;
  SetModified();
  UpdateViews();
}

void CBrivaneDocument::OnProcessPhase() {
  CSpectrum* pSpectrum = GetCurrentSpectrum();
  if (pSpectrum == nullptr || !CheckPhaseable(*pSpectrum))
    return;
  // One dialog at a time: a second would keep its own opening data for Cancel.
  if (m_pPhaseDialog != nullptr) {
    m_pPhaseDialog->SetActiveWindow();
    return;
  }
  pSpectrum->m_bPhaseDisplay = 1;
  CPhaseCorrectionDialog* pDialog = new CPhaseCorrectionDialog(this, AfxGetMainWnd(), &m_pPhaseDialog);
  pDialog->m_bBaseline = 1;
  pDialog->m_dPhase0 = pSpectrum->m_dPhase0 * 57.29582790879778;
  pDialog->m_dPhase1 = pSpectrum->m_dPhase1 * 57.29582790879778;
  pDialog->SetModeless(true);
  m_pPhaseDialog = pDialog;
  if (!pDialog->Create(CPhaseCorrectionDialog::IDD, AfxGetMainWnd())) {
    // A window that came and went took the object with it.
    if (m_pPhaseDialog == pDialog)
      delete pDialog;
    m_pPhaseDialog = nullptr;
    pSpectrum->m_bPhaseDisplay = 0;
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
  GetHistory().AddLine("Phase Correction");
  SetModified();
}

void CBrivaneDocument::OnProcessAutophase() {
  AutophaseCurrent();
}

// Shows for a moment which points of the current spectrum are baseline: a
// red pixel per point, on row 0 for baseline and on row 500 for signal; the
// next repaint takes them away.
void CBrivaneDocument::OnProcessSetRegions() {
  CSpectrum* pSpectrum = GetCurrentSpectrum();
  CBrivaneProView* pView = GetSpectrumView();
  if (pSpectrum == nullptr || pSpectrum->m_pData == nullptr || pView == nullptr)
    return;
  const int nValues = pSpectrum->m_paramsA.td / 2;
  if (nValues < 1)
    return;
  std::vector<double> sums((size_t)nValues);
  std::vector<float> work((size_t)nValues);
  std::vector<BYTE> marks((size_t)nValues);
  pSpectrum->FindBaselinePoints(pSpectrum->m_pData, sums.data(), work.data(), marks.data(), 2, FALSE, nValues, 2);
  CClientDC dc(pView);
  for (int k = 0; k < nValues; k++)
    dc.SetPixel(PointToPixel(2 * k), marks[(size_t)k] * 500, RGB(255, 0, 0));
}

void CBrivaneDocument::OnProcessTwoPointBaseline() {
  TwoPointBaseline();
}

void CBrivaneDocument::OpenBaselinePoints(BYTE bFitKind) {
  // A second start begins the picking again with the kind chosen.
  if (m_pBaselineDialog != nullptr)
    m_pBaselineDialog->DestroyWindow();
  if (!StartBaselinePoints(bFitKind))
    return;
  // Modeless: the view must take the presses that pick the points.
  CMultiPointBaselineDialog* pDialog = new CMultiPointBaselineDialog(this, AfxGetMainWnd(), &m_pBaselineDialog);
  pDialog->SetModeless(true);
  m_pBaselineDialog = pDialog;
  if (!pDialog->Create(CMultiPointBaselineDialog::IDD, AfxGetMainWnd())) {
    if (m_pBaselineDialog == pDialog)
      delete pDialog;
    m_pBaselineDialog = nullptr;
    EndBaselinePoints();
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
}

void CBrivaneDocument::OnProcessManualBaseline() {
  if (GetCurrentSpectrum() == nullptr)
    return;
  CPolynomialBaselineDialog dlg(this, GetSpectrumView(), AfxGetMainWnd());
  dlg.DoModal();
}

void CBrivaneDocument::ToggleBaselinePoint(POINT pt) {
  if (m_pBaselinePoints == nullptr)
    return;
  if (const PlotPoint* pHit = HitTestGraph(*m_pBaselinePoints, pt))
    RemoveBaselinePoints(*pHit);
  else
    AddBaselinePoint(pt.x, pt.y);
}

void CBrivaneDocument::OnProcessSwap() {
  SwapSpectrum();
}

void CBrivaneDocument::OnProcessInvert() {
  InvertSpectrum();
}

void CBrivaneDocument::OnProcessMagnitude() {
  ToggleMagnitude();
}

void CBrivaneDocument::OnUpdateProcessMagnitude(CCmdUI* pCmdUI) {
  const CSpectrum* pSpectrum = GetCurrentSpectrum();
  pCmdUI->SetCheck(pSpectrum != nullptr && pSpectrum->m_State.m_bMagnitude ? 1 : 0);
}

void CBrivaneDocument::OnProcessPower() {
  TogglePower();
}

void CBrivaneDocument::OnUpdateProcessPower(CCmdUI* pCmdUI) {
  const CSpectrum* pSpectrum = GetCurrentSpectrum();
  pCmdUI->SetCheck(pSpectrum != nullptr && pSpectrum->m_State.m_bPower ? 1 : 0);
}

void CBrivaneDocument::OnProcessHighPass() {
  const CSpectrum* pSpectrum = GetCurrentSpectrum();
  if (pSpectrum == nullptr)
    return;
  const double dCentre = GetCentreShift();
  CHighPassFilterDialog dlg(AfxGetMainWnd());
  dlg.m_fNullPoint = (float)dCentre;
  dlg.m_nSelectivity = 8;
  if (dlg.DoModal() == IDOK)
    FilterFid(dlg.m_nSelectivity, (dlg.m_fNullPoint - dCentre) * pSpectrum->m_paramsA.sf);
}

namespace {

// The Simulation dialog as the document's editor of spin systems; after its
// OK the hourglass stays up while the systems are calculated.
class CSimulationDialogEditor : public CSimulationEditor {
 public:
  BOOL EditSpinSystems(CSpectrum& spectrum) override {
    CSimulationDialog dlg(spectrum, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK)
      return FALSE;
    m_pWait.reset(new CWaitCursor);
    return TRUE;
  }

 private:
  std::unique_ptr<CWaitCursor> m_pWait;
};

}  // namespace

BOOL CBrivaneDocument::RunSimulation(BOOL bNew) {
  CSimulationDialogEditor editor;
  return Simulate(bNew, editor);
}

void CBrivaneDocument::OnSimulationNew() {
  if (m_bFullView) {
    CBrivaneProView* pView = GetSpectrumView();
    CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
    if (pFrame != nullptr)
      pFrame->PostMessage(WM_COMMAND, ID_VIEW_DUAL_DISPLAY);
  }
  RunSimulation(TRUE);
}

void CBrivaneDocument::OnSimulationInteractive() {
  CInteractiveSimulationDialog dlg(*this, AfxGetMainWnd());
  dlg.DoModal();
}

void CBrivaneDocument::OnSimulationEdit() {
  RunSimulation(FALSE);
}

void CBrivaneDocument::OnUpdateSimulationEdit(CCmdUI* pCmdUI) {
  const CSpectrum* pSpectrum = GetCurrentSpectrum();
  pCmdUI->Enable(pSpectrum != nullptr && GetFirstSpinSystem(*pSpectrum) != nullptr);
}

void CBrivaneDocument::OnFidSimulation() {
  CFidSimulationDialog dlg(*this, AfxGetMainWnd());
  dlg.DoModal();
  SetModified();
}

void CBrivaneDocument::EditSpectrumProperties() {
  if (GetCurrentSpectrum() == nullptr)
    return;
  CSpectrumProperties sheet("Spectrum Properties", AfxGetMainWnd());
  sheet.SetLogoText("Brivane");
  sheet.LoadFrom(*this);
  sheet.m_Colors.m_pIconType = &GetBrivaneApp()->m_nIconType;
  sheet.DoModal();
  sheet.ApplyTo(*this);
}

void CBrivaneDocument::EditTextLabel(CTextLabel* pLabel) {
  CSpectrum* pSpectrum = pLabel != nullptr ? pLabel->m_pSpectrum : GetCurrentSpectrum();
  if (pSpectrum == nullptr)
    return;
  CAddTextDialog dlg(pLabel, AfxGetMainWnd());
  if (dlg.DoModal() != IDOK)
    return;
  dlg.Apply(pLabel, pSpectrum);
  // Labels are stored in the document file.
  SetModified();
  UpdateViews();
}

void CBrivaneDocument::OnViewSetLimits() {
  CSetLimitsDlg dlg(AfxGetMainWnd());
  if (!GetVisibleLimits(dlg.m_dFrom, dlg.m_dTo))
    return;
  dlg.m_nUnits = GetCurrentSpectrum()->m_Scale.m_nUnits;
  // Limits both beyond the same end clamp to a range of no width, which no
  // axis can divide by.
  if (dlg.DoModal() == IDOK && !SetVisibleLimits(dlg.m_dFrom, dlg.m_dTo))
    AfxMessageBox("These limits show none of the data", MB_OK | MB_ICONEXCLAMATION);
}

void CBrivaneDocument::OnLayoutOptions() {
  CLayoutOptionsDlg dlg(AfxGetMainWnd());
  dlg.m_nDirection = m_nStackDirection;
  dlg.m_bAutomatic = m_nAutoLayout;
  dlg.m_dOriginX = m_dLayoutLeft;
  dlg.m_dOriginY = m_dLayoutZero;
  dlg.m_dStepX = m_dLayoutStepX;
  dlg.m_dStepY = m_dLayoutStepY;
  if (dlg.DoModal() != IDOK)
    return;
  m_dLayoutLeft = dlg.m_dOriginX;
  m_dLayoutZero = dlg.m_dOriginY;
  m_dLayoutStepX = dlg.m_dStepX;
  m_dLayoutStepY = dlg.m_dStepY;
  m_nStackDirection = dlg.m_nDirection;
  m_nAutoLayout = dlg.m_bAutomatic;
  ArrangeStacked();
}

BOOL CBrivaneDocument::OnNewDocument() {
  return COleServerDoc::OnNewDocument();
}

// Reads the file into this document. (The application opens files through
// its own OpenDocumentFile; this path serves the framework's other callers.)
BOOL CBrivaneDocument::OnOpenDocument(LPCSTR lpszPathName) {
  DeleteContents();
  return OpenNativeDocument(lpszPathName);
}

BOOL CBrivaneDocument::OnSaveDocument(LPCSTR lpszPathName) {
  if (!SaveNativeDocument(lpszPathName))
    return FALSE;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CBrivaneDocument::OnCloseDocument() {
  // The nD program reads the last phase and window function from here.
  WriteSharedValues();
  // The dialog works on this document's spectra.
  if (m_pPhaseDialog != nullptr)
    m_pPhaseDialog->DestroyWindow();
  if (m_pBaselineDialog != nullptr)
    m_pBaselineDialog->DestroyWindow();
  COleServerDoc::OnCloseDocument();
}

void CBrivaneDocument::DeleteContents() {
  RemoveAllSpectra();
  COleServerDoc::DeleteContents();
}

void CBrivaneDocument::Serialize(CArchive& ar) {
  COleServerDoc::Serialize(ar);
}

COleServerItem* CBrivaneDocument::OnGetEmbeddedItem() {
  return new CBrivaneProSrvrItem(this);
}

void CBrivaneDocument::OnSetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  COleServerDoc::OnSetItemRects(lpPosRect, lpClipRect);
}

CBrivaneProView* CBrivaneDocument::GetSpectrumView() const {
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CView* pView = GetNextView(pos);
    if (pView->IsKindOf(RUNTIME_CLASS(CBrivaneProView)))
      return static_cast<CBrivaneProView*>(pView);
  }
  return nullptr;
}

CBrivaneProDoc* GetActiveSpectrumDoc() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
  if (pChild == nullptr)
    return nullptr;
  CDocument* pDoc = pChild->GetActiveDocument();
  if (pDoc == nullptr || !pDoc->IsKindOf(RUNTIME_CLASS(CBrivaneDocument)))
    return nullptr;
  return static_cast<CBrivaneDocument*>(pDoc);
}

// --- The host ---

CBrivaneAppState& CBrivaneDocumentHost::GetAppState() {
  return GetBrivaneApp()->GetState();
}

CSettingsStore& CBrivaneDocumentHost::GetSettings() {
  return GetBrivaneApp()->GetSettings();
}

BOOL CBrivaneDocumentHost::GetViewClientRect(RECT* pRect) {
  CBrivaneProView* pView = m_pDoc->GetSpectrumView();
  if (pView == nullptr || pView->GetSafeHwnd() == nullptr)
    return CDocumentHost::GetViewClientRect(pRect);
  *pRect = pView->GetLayoutRect();
  return TRUE;
}

namespace {
CScaleBar* MainScaleBar() {
  CWnd* pMain = AfxGetMainWnd();
  return pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(pMain)->GetScaleBar()
                                                                        : nullptr;
}
}  // namespace

void CBrivaneDocumentHost::SetScaleRuler(int nLeftPercent, int nRightPercent) {
  if (CScaleBar* pBar = MainScaleBar())
    pBar->SetRulerPositions(nLeftPercent, nRightPercent);
}

void CBrivaneDocumentHost::SetScaleUnitsEntry(int nEntry) {
  if (CScaleBar* pBar = MainScaleBar())
    pBar->SetUnitsEntry(nEntry);
}

void CBrivaneDocumentHost::SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) {
  CBrivaneProView* pView = m_pDoc->GetSpectrumView();
  CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
  if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)))
    static_cast<CChildFrame*>(pFrame)->SetSpectrumScrollBar(nMin, nMax, nPage, nPos, bVisible);
}

BOOL CBrivaneDocumentHost::IsArithmeticBarVisible() {
  const CMainFrame* pMain = dynamic_cast<const CMainFrame*>(AfxGetMainWnd());
  return pMain != nullptr && pMain->IsArithmeticBarVisible();
}

void CBrivaneDocumentHost::SetArithmeticFactor(LPCSTR pszFactor, int nScrollPos) {
  if (CMainFrame* pMain = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
    pMain->ShowArithmeticFactor(pszFactor, nScrollPos);
}

int CBrivaneDocumentHost::ShowMessage(LPCSTR pszText, UINT nType) {
  return AfxMessageBox(pszText, nType);
}

void CBrivaneDocumentHost::ShowRelaxationPick(LPCSTR pszText) {
  if (CMainFrame* pMain = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
    pMain->GetRelaxationBar().ShowPick(pszText);
}

void CBrivaneDocumentHost::SetDocumentModified(BOOL bModified) {
  m_pDoc->SetModifiedFlag(bModified);
}

BOOL CBrivaneDocumentHost::IsDocumentModified() {
  return m_pDoc->IsModified();
}

void CBrivaneDocumentHost::SetDocumentTitle(LPCSTR pszTitle) {
  m_pDoc->SetTitle(pszTitle);
}

void CBrivaneDocumentHost::UpdateDocumentViews() {
  m_pDoc->UpdateAllViews(nullptr);
}

void CBrivaneDocumentHost::ShowImportWait(BOOL bShow) {
  if (bShow && m_pWait == nullptr) {
    m_pWait = new CJcampWaitDialog;
    m_pWait->Create(AfxGetMainWnd());
  } else if (!bShow && m_pWait != nullptr) {
    m_pWait->DestroyWindow();
    delete m_pWait;
    m_pWait = nullptr;
  }
}

void CBrivaneDocumentHost::PumpOneMessage() {
  PumpTransformProgressMessages();
}

void CBrivaneDocumentHost::GetItemsBlock(std::vector<BYTE>& block) {
  block.clear();
  POSITION pos = m_pDoc->GetStartPosition();
  // A document without items keeps the file as older programs wrote it.
  if (m_pDoc->GetNextClientItem(pos) != nullptr)
    block = m_pDoc->StoreItems();
}

void CBrivaneDocumentHost::TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged) {
  m_pDoc->ResetDamagedItemCount();
  if (!block.empty())
    m_pDoc->LoadItems(block.data(), block.size());
  if (bDamaged || m_pDoc->GetDamagedItemCount() > 0)
    AfxMessageBox("An embedded object of this file is damaged and was left out; the spectra are read.",
                  MB_OK | MB_ICONEXCLAMATION);
  m_pDoc->UpdateAllViews(nullptr);
}
