#include "ndim/app/BrivanenDDoc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/win/CmdUI.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/View.h"
#include "ndim/app/BrivanenDApp.h"
#include "ndim/app/BrivanenDSrvrItem.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ClipboardPicture.h"
#include "ndim/app/MainFrame.h"
#include "ndim/app/PhaseDialog.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/dialogs/SpectrumPropertiesSheet.h"
#include "ndim/document/NdSetCommands.h"
#include "ndim/import/Bv2File.h"
#include "ndim/import/NdFileType.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/view/Spectrum2DDraw.h"
#include "numerics/Constants.h"
#include "resources/BrivanenDRes.h"

IMPLEMENT_DYNCREATE(CBrivanenDDoc, COleServerDoc)

BEGIN_MESSAGE_MAP(CBrivanenDDoc, COleServerDoc)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
  ON_COMMAND(ID_FILE_REVERT, OnFileRevert)
  ON_COMMAND(IDC_COMMAND_RUN, OnCommandRun)
  ON_COMMAND(ID_PHASE_APPLY, OnPhaseApply)
  ON_COMMAND(ID_EDIT_PROPERTIES, OnEditProperties)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PROPERTIES, OnUpdateNeedsSet)
  // View.
  ON_COMMAND(ID_VIEW_INCREASE, OnViewIncrease)
  ON_UPDATE_COMMAND_UI(ID_VIEW_INCREASE, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_DECREASE, OnViewDecrease)
  ON_UPDATE_COMMAND_UI(ID_VIEW_DECREASE, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_INCREASE_SLICES, OnViewIncreaseSlices)
  ON_UPDATE_COMMAND_UI(ID_VIEW_INCREASE_SLICES, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_DECREASE_SLICES, OnViewDecreaseSlices)
  ON_UPDATE_COMMAND_UI(ID_VIEW_DECREASE_SLICES, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_ZOOM, OnViewZoom)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM, OnUpdateViewZoom)
  ON_COMMAND(ID_VIEW_FULL, OnViewFull)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FULL, OnUpdateViewFull)
  ON_COMMAND(ID_VIEW_SLICES, OnViewSlices)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SLICES, OnUpdateViewSlices)
  ON_COMMAND(ID_VIEW_REFRESH, OnViewRefresh)
  ON_COMMAND_EX(ID_VIEW_FAST_PLOT, OnViewDisplayMode)
  ON_COMMAND_EX(ID_VIEW_CONTOUR_PLOT, OnViewDisplayMode)
  ON_COMMAND_EX(ID_VIEW_COLOURED_CONTOUR, OnViewDisplayMode)
  ON_COMMAND_EX(ID_VIEW_STACKED_PLOT, OnViewDisplayMode)
  ON_COMMAND_EX(ID_VIEW_WHITEWASH, OnViewDisplayMode)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FAST_PLOT, OnUpdateViewDisplayMode)
  ON_UPDATE_COMMAND_UI(ID_VIEW_CONTOUR_PLOT, OnUpdateViewDisplayMode)
  ON_UPDATE_COMMAND_UI(ID_VIEW_COLOURED_CONTOUR, OnUpdateViewDisplayMode)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STACKED_PLOT, OnUpdateViewDisplayMode)
  ON_UPDATE_COMMAND_UI(ID_VIEW_WHITEWASH, OnUpdateViewDisplayMode)
  ON_COMMAND(ID_VIEW_ENLARGE, OnViewEnlarge)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ENLARGE, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_REDUCE, OnViewReduce)
  ON_UPDATE_COMMAND_UI(ID_VIEW_REDUCE, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_SQUARE, OnViewSquare)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SQUARE, OnUpdateNeedsSet)
  ON_COMMAND_EX(ID_TRACES_F1_PROJECTION, OnTracesProjection)
  ON_COMMAND_EX(ID_TRACES_F2_PROJECTION, OnTracesProjection)
  ON_UPDATE_COMMAND_UI(ID_TRACES_F1_PROJECTION, OnUpdateTracesProjection)
  ON_UPDATE_COMMAND_UI(ID_TRACES_F2_PROJECTION, OnUpdateTracesProjection)
  ON_COMMAND_EX(ID_TRACES_SHOW_F1, OnTracesLoaded)
  ON_COMMAND_EX(ID_TRACES_SHOW_F2, OnTracesLoaded)
  ON_UPDATE_COMMAND_UI(ID_TRACES_SHOW_F1, OnUpdateTracesLoaded)
  ON_UPDATE_COMMAND_UI(ID_TRACES_SHOW_F2, OnUpdateTracesLoaded)
  ON_COMMAND_EX(ID_TRACES_UP, OnTracesMove)
  ON_COMMAND_EX(ID_TRACES_DOWN, OnTracesMove)
  ON_COMMAND_EX(ID_TRACES_LEFT, OnTracesMove)
  ON_COMMAND_EX(ID_TRACES_RIGHT, OnTracesMove)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TRACES_UP, ID_TRACES_RIGHT, OnUpdateNeedsSet)
  ON_COMMAND_EX(ID_TRACES_PREVIOUS_ROW, OnTracesStep)
  ON_COMMAND_EX(ID_TRACES_NEXT_ROW, OnTracesStep)
  ON_COMMAND_EX(ID_TRACES_PREVIOUS_COLUMN, OnTracesStep)
  ON_COMMAND_EX(ID_TRACES_NEXT_COLUMN, OnTracesStep)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TRACES_PREVIOUS_ROW, ID_TRACES_NEXT_COLUMN, OnUpdateTracesStep)
  ON_COMMAND(ID_VIEW_GRID, OnViewGrid)
  ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateViewGrid)
  // Process.
  ON_COMMAND(ID_PROCESS_FULL_AUTO, OnProcessFullAuto)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_FULL_AUTO, OnUpdateProcessBaseline)
  ON_COMMAND(ID_PROCESS_MAGNITUDE, OnProcessMagnitude)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_MAGNITUDE, OnUpdateProcessMagnitude)
  ON_COMMAND(ID_PROCESS_MAKE_REAL, OnProcessMakeReal)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_MAKE_REAL, OnUpdateProcessMakeReal)
  ON_COMMAND(ID_PROCESS_SYMMETRIZE, OnProcessSymmetrize)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_SYMMETRIZE, OnUpdateSquarePlane)
  ON_COMMAND(ID_PROCESS_AVERAGE, OnProcessAverage)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_AVERAGE, OnUpdateSquarePlane)
  ON_COMMAND(ID_PROCESS_TRANSPOSE, OnProcessTranspose)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_TRANSPOSE, OnUpdateSquarePlane)
  // Tools.
  ON_COMMAND(ID_TOOLS_SELECT_SPECTRUM, OnToolsSelectSpectrum)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SELECT_SPECTRUM, OnUpdateToolsSelectSpectrum)
  ON_COMMAND(ID_TOOLS_REFERENCE_F1, OnToolsReferenceF1)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_REFERENCE_F1, OnUpdateToolsReferenceF1)
  ON_COMMAND(ID_TOOLS_REFERENCE_F2, OnToolsReferenceF2)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_REFERENCE_F2, OnUpdateToolsReferenceF2)
  ON_COMMAND(ID_TOOLS_INTEGRATE, OnToolsIntegrate)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_INTEGRATE, OnUpdateToolsIntegrate)
  ON_COMMAND_EX(ID_TOOLS_RECTANGLE, OnToolsShape)
  ON_COMMAND_EX(ID_TOOLS_ELLIPSE, OnToolsShape)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_RECTANGLE, OnUpdateToolsShape)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_ELLIPSE, OnUpdateToolsShape)
  ON_COMMAND(ID_TOOLS_DELETE_INTEGRALS, OnToolsDeleteIntegrals)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_DELETE_INTEGRALS, OnUpdateToolsDeleteIntegrals)
  ON_COMMAND(ID_TOOLS_SEND_ROW, OnToolsSendRow)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SEND_ROW, OnUpdateNeedsSet)
  ON_COMMAND(ID_TOOLS_SEND_COLUMN, OnToolsSendColumn)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SEND_COLUMN, OnUpdateNeedsSet)
  ON_COMMAND(ID_TOOLS_SEND_ROWS, OnToolsSendRows)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SEND_ROWS, OnUpdateToolsSendRows)
  ON_COMMAND(ID_TOOLS_SEND_COLUMNS, OnToolsSendColumns)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SEND_COLUMNS, OnUpdateToolsSendColumns)
  ON_COMMAND(ID_TRACES_ADD_ROW, OnTracesAddRow)
  ON_UPDATE_COMMAND_UI(ID_TRACES_ADD_ROW, OnUpdateNeedsSet)
  ON_COMMAND(ID_TRACES_ADD_COLUMN, OnTracesAddColumn)
  ON_UPDATE_COMMAND_UI(ID_TRACES_ADD_COLUMN, OnUpdateNeedsSet)
  ON_COMMAND(ID_TRACES_LOAD_ROW, OnTracesLoadRow)
  ON_UPDATE_COMMAND_UI(ID_TRACES_LOAD_ROW, OnUpdateNeedsSet)
  ON_COMMAND(ID_TRACES_LOAD_COLUMN, OnTracesLoadColumn)
  ON_UPDATE_COMMAND_UI(ID_TRACES_LOAD_COLUMN, OnUpdateNeedsSet)
  // Dialogs.
  ON_COMMAND(ID_PROCESS_PHASE, OnProcessPhase)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_PHASE, OnUpdateProcessPhase)
  ON_COMMAND(ID_PROCESS_FOURIER, OnProcessFourier)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_FOURIER, OnUpdateProcessFourier)
  ON_COMMAND(ID_PROCESS_APODIZE, OnProcessApodize)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_APODIZE, OnUpdateNeedsSet)
  ON_COMMAND(ID_PROCESS_PREDICTION, OnProcessPrediction)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_PREDICTION, OnUpdateNeedsSet)
  ON_COMMAND(ID_PROCESS_HIGH_PASS, OnProcessHighPass)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_HIGH_PASS, OnUpdateProcessHighPass)
  ON_COMMAND(ID_PROCESS_POLYNOMIAL, OnProcessPolynomial)
  ON_UPDATE_COMMAND_UI(ID_PROCESS_POLYNOMIAL, OnUpdateProcessBaseline)
  ON_COMMAND(ID_VIEW_LEVELS, OnViewLevels)
  ON_UPDATE_COMMAND_UI(ID_VIEW_LEVELS, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_SCALE_UNITS, OnViewScaleUnits)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SCALE_UNITS, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_PROJECTIONS, OnViewProjections)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PROJECTIONS, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_SLICE_LIST, OnViewSliceList)
  ON_UPDATE_COMMAND_UI(ID_VIEW_SLICE_LIST, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_COLOURS, OnViewColours)
  ON_UPDATE_COMMAND_UI(ID_VIEW_COLOURS, OnUpdateNeedsSet)
  ON_COMMAND(ID_TOOLS_SYNCHRONIZE, OnToolsSynchronize)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_SYNCHRONIZE, OnUpdateNeedsSet)
  ON_COMMAND(ID_VIEW_LIMITS, OnViewLimits)
  ON_UPDATE_COMMAND_UI(ID_VIEW_LIMITS, OnUpdateViewLimits)
  ON_COMMAND(ID_EDIT_PALETTE, OnEditPalette)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PALETTE, OnUpdateNeedsSet)
END_MESSAGE_MAP()

namespace {

// Passes the readers' messages on and notes whether any was shown, so that
// a failure the reader kept to itself is still told.
class CShownSink : public CNdMessageSink {
 public:
  explicit CShownSink(CNdMessageSink& inner) : m_inner(inner) {}
  void ShowMessage(LPCSTR text) override {
    m_bShown = true;
    m_inner.ShowMessage(text);
  }
  bool m_bShown = false;

 private:
  CNdMessageSink& m_inner;
};

}  // namespace

void CBrivanenDDoc::CMessageBoxes::ShowMessage(LPCSTR text) {
  AfxMessageBox(text, MB_OK);
}

CBrivanenDDoc::CBrivanenDDoc() : m_messages(this), m_interpreter(&m_messages) {}

CBrivanenDDoc::~CBrivanenDDoc() {
  // The dialog reads this document while it lives.
  if (m_pPhaseDialog != nullptr)
    m_pPhaseDialog->DestroyWindow();
  DeleteContents();
}

CBrivanenDDoc* GetActiveSpectrumDoc() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
  CDocument* pDoc = pChild != nullptr ? pChild->GetActiveDocument() : nullptr;
  if (pDoc == nullptr || !pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)))
    return nullptr;
  return static_cast<CBrivanenDDoc*>(pDoc);
}

CSpectrum2D* CBrivanenDDoc::AttachDataSet(CSpectrum2D* pSet) {
  pSet->SetGdiPalette(std::make_unique<CSpectrumPalette>());
  m_dataSets.AddTail(pSet);
  m_pCurrent = pSet;
  SetModifiedFlag();
  return pSet;
}

CView* CBrivanenDDoc::FindView(CRuntimeClass* pViewClass) const {
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CView* pView = GetNextView(pos);
    if (pView->IsKindOf(pViewClass))
      return pView;
  }
  return nullptr;
}

void CBrivanenDDoc::ExecuteCommands(LPCSTR lpszText) {
  if (m_pCurrent == nullptr) {
    m_messages.ShowMessage("No data available");
    return;
  }
  m_interpreter.Execute(*m_pCurrent, lpszText);
  RefreshProjections(*m_pCurrent);
}

void CBrivanenDDoc::RunCommands(LPCSTR lpszText) {
  ExecuteCommands(lpszText);
  if (m_pCurrent != nullptr) {
    SetModifiedFlag();
    UpdateAllViews(nullptr);
  }
}

void CBrivanenDDoc::DataChanged() {
  if (m_pCurrent != nullptr)
    RefreshProjections(*m_pCurrent);
  SetModifiedFlag();
  UpdateAllViews(nullptr);
}

void CBrivanenDDoc::ApplyPhase(BOOL bApply) {
  if (m_pPhaseDialog == nullptr || m_pCurrent == nullptr)
    return;
  CString text;
  m_pPhaseDialog->GetDlgItemText(IDC_PHASE_ZERO, text);
  const double phase0 = std::atof(text);
  m_pPhaseDialog->GetDlgItemText(IDC_PHASE_FIRST, text);
  const double phase1 = std::atof(text);
  m_nPreviewDim = PhasingDimension(*m_pCurrent);
  m_previewPhase[0] = phase0;
  m_previewPhase[1] = phase1;
  if (bApply || m_pPhaseDialog->IsDlgButtonChecked(IDC_PHASE_APPLY_ALL)) {
    ApplyPhaseDifference(*m_pCurrent, m_interpreter, phase0, phase1);
    DataChanged();
  } else {
    InvalidatePhaseViews();
  }
}

bool CBrivanenDDoc::GetPreviewTurn(int dim, double& zero, double& first) const {
  if (m_pPhaseDialog == nullptr || m_pCurrent == nullptr || dim != m_nPreviewDim || dim <= 0 ||
      dim >= CSpectrum2D::MaxDimensions)
    return false;
  // The applied phases are kept as floats: compared as floats, an Apply
  // leaves no turn behind.
  zero = (static_cast<float>(m_previewPhase[0]) - m_pCurrent->m_appliedPhase[dim][0]) * kDegToRad;
  first = (static_cast<float>(m_previewPhase[1]) - m_pCurrent->m_appliedPhase[dim][1]) * kDegToRad;
  return zero != 0.0 || first != 0.0;
}

void CBrivanenDDoc::DrawPivotLine(CDC* pDC, int height) const {
  if (m_pPhaseDialog == nullptr || !m_pPhaseDialog->IsKindOf(RUNTIME_CLASS(CPhaseDialog)))
    return;
  const int x = static_cast<CPhaseDialog*>(m_pPhaseDialog)->GetPivotPixel();
  pDC->MoveTo(x, 0);
  pDC->LineTo(x, height);
}

void CBrivanenDDoc::ResetMouseTool() {
  m_nMouseMode = ndMouseNone;
  if (m_pCurrent != nullptr)
    m_pCurrent->m_bShowTracker = 0;
  if (CView* pView = FindView(RUNTIME_CLASS(CBrivanenDView)))
    static_cast<CBrivanenDView*>(pView)->HideMagnifier();
}

void CBrivanenDDoc::ToggleMouseMode(int nMode) {
  m_nMouseMode = m_nMouseMode == nMode ? ndMouseNone : nMode;
}

void CBrivanenDDoc::ToggleMouseTool(int nMode) {
  if (m_nMouseMode == nMode)
    ResetMouseTool();
  else
    m_nMouseMode = nMode;
}

// --- Life of the document ---

BOOL CBrivanenDDoc::OnNewDocument() {
  if (!COleServerDoc::OnNewDocument())
    return FALSE;
  m_bNameNeeded = 1;
  return TRUE;
}

BOOL CBrivanenDDoc::OnOpenDocument(LPCSTR lpszPathName) {
  CBrivanenDApp* pApp = GetBrivanenDApp();
  const int type = pApp != nullptr ? pApp->m_nImportType : ndFileAutomatic;
  if (type < ndFileAutomatic || type > ndFileNative) {
    m_messages.ShowMessage("There is no converter available");
    return FALSE;
  }
  CShownSink sink(m_messages);
  CNdImportLog log(&sink);
  CSpectrum2D* pSet = ImportNdFile(type, lpszPathName, log);
  if (pSet == nullptr) {
    if (!sink.m_bShown && !log.GetError().IsEmpty())
      m_messages.ShowMessage(log.GetError());
    return FALSE;
  }
  AttachDataSet(pSet);
  m_bNameNeeded = 1;
  return TRUE;
}

// Whatever asks to save (the close's "save changes?" among them) writes the
// program's own file, never the spectrometer file the document came from.
BOOL CBrivanenDDoc::OnSaveDocument(LPCSTR lpszPathName) {
  return SaveNativeFile(lpszPathName);
}

BOOL CBrivanenDDoc::DoFileSave() {
  if (!m_bNameNeeded)
    return SaveNativeFile(GetPathName());
  const CString name = PromptForName("Brivane nD(*.bv2)|*.bv2|");
  if (name.IsEmpty() || !SaveNativeFile(name))
    return FALSE;
  SetPathName(name);
  m_bNameNeeded = 0;
  return TRUE;
}

void CBrivanenDDoc::DeleteContents() {
  while (!m_dataSets.IsEmpty())
    delete static_cast<CSpectrum2D*>(m_dataSets.RemoveHead());
  m_pCurrent = nullptr;
  while (!m_pictures.IsEmpty())
    delete m_pictures.RemoveHead();
  delete m_pPictureTracker;
  m_pPictureTracker = nullptr;
  m_bPictureSelected = 0;
  COleServerDoc::DeleteContents();
}

void CBrivanenDDoc::Serialize(CArchive& ar) {
  COleServerDoc::Serialize(ar);
}

COleServerItem* CBrivanenDDoc::OnGetEmbeddedItem() {
  return new CBrivanenDSrvrItem(this);
}

BOOL CBrivanenDDoc::SaveNativeFile(LPCSTR lpszPathName) {
  CString error = "There is no data to save";
  if (m_pCurrent == nullptr || !CBv2File::Write(lpszPathName, *m_pCurrent, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

CString CBrivanenDDoc::PromptForName(LPCSTR lpszFilter) {
  CFileDialog dlg(FALSE, "Brivane", "*.bv2", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, lpszFilter);
  return dlg.DoModal() == IDOK ? dlg.GetPathName() : CString();
}

// --- File ---

void CBrivanenDDoc::OnFileSave() {
  DoFileSave();
}

void CBrivanenDDoc::OnFileSaveAs() {
  const CString name = PromptForName("Brivane nD files (*.bv2)|*.bv2|");
  if (name.IsEmpty() || !SaveNativeFile(name))
    return;
  SetPathName(name);
  m_bNameNeeded = 0;
}

// The file is read again into a new document; only when that worked does
// this one go, so a file that can no longer be read loses nothing.
void CBrivanenDDoc::OnFileRevert() {
  const CString path = GetPathName();
  CWinApp* pApp = AfxGetApp();
  if (path.IsEmpty() || pApp == nullptr)
    return;
  if (pApp->OpenDocumentFile(path) != nullptr)
    OnCloseDocument();
}

void CBrivanenDDoc::OnCommandRun() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMainFrame)))
    RunCommands(static_cast<CMainFrame*>(pMain)->GetCommandText());
}

void CBrivanenDDoc::OnPhaseApply() {
  ApplyPhase(FALSE);
}

void CBrivanenDDoc::OnUpdateNeedsSet(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pCurrent != nullptr);
}

// --- Edit ---

void CBrivanenDDoc::OnEditProperties() {
  if (m_pCurrent == nullptr)
    return;
  DimensionBlock before[CSpectrum2D::MaxDimensions];
  std::copy(m_pCurrent->m_dims, m_pCurrent->m_dims + CSpectrum2D::MaxDimensions, before);
  CSpectrumPropertiesSheet sheet(AfxGetMainWnd());
  sheet.m_parametersPage.SetDimensions(m_pCurrent->m_dims, m_pCurrent->m_nLastDim);
  sheet.DoModal();
  if (std::memcmp(before, m_pCurrent->m_dims, sizeof before) != 0) {
    SetModifiedFlag();
    UpdateAllViews(nullptr);
  }
}
