// The Tools commands of the 1D document window and the dialogs of its
// measuring tools.
#include <cstdlib>

#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/dialogs/display/ColourFontDialog.h"
#include "onedim/dialogs/analysis/CouplingTableDialog.h"
#include "onedim/dialogs/files/ExportOptionsDialog.h"
#include "onedim/dialogs/analysis/IntegralCorrectionDialog.h"
#include "onedim/dialogs/analysis/IntegralOptionsDialog.h"
#include "onedim/dialogs/analysis/IntegralThresholdDialog.h"
#include "onedim/dialogs/analysis/PeakInfoDialog.h"
#include "onedim/dialogs/analysis/PeakListDialog.h"
#include "onedim/dialogs/analysis/ReferenceDialog.h"
#include "onedim/dialogs/analysis/ReferenceIntegralDialog.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/PeakList.h"
#include "onedim/model/Spectrum.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

void CBrivaneDocument::OnUpdateToolMode(CCmdUI* pCmdUI) {
  const struct {
    UINT nID;
    int nMode;
  } modes[] = {{ID_TOOLS_PEAK_PICKING, MOUSE_PEAK_REGION},   {ID_TOOLS_PEAK_BY_PEAK, MOUSE_PEAK_BY_PEAK},
               {ID_TOOLS_INTEGRATE, MOUSE_INTEGRATE},        {ID_TOOLS_PEAK_INFO, MOUSE_PEAK_INFO},
               {ID_TOOLS_REMOVE_PEAKS, MOUSE_REMOVE_PEAKS},  {ID_TOOLS_REFERENCE, MOUSE_REFERENCE},
               {ID_TOOLS_COUPLING, MOUSE_COUPLING_REFERENCE}};
  for (const auto& m : modes) {
    if (m.nID == pCmdUI->m_nID)
      pCmdUI->SetCheck(m_nMouseMode == m.nMode ? 1 : 0);
  }
}

void CBrivaneDocument::OnToolsEditPeaks() {
  m_bPeakListOpen = 1;
  if (m_pPeakList != nullptr) {
    m_pPeakList->Rebuild();
    return;
  }
  CPeakListDialog* pDialog = new CPeakListDialog(this, AfxGetMainWnd());
  m_pPeakList = pDialog;
  if (!pDialog->CreateModeless(AfxGetMainWnd())) {
    // A window that was never made cannot delete itself.
    m_pPeakList = nullptr;
    m_bPeakListOpen = 0;
    delete pDialog;
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
}

void CBrivaneDocument::OnToolsParabolic() {
  if (CSpectrum* s = GetCurrentSpectrum()) {
    s->m_bInterpolatePeaks = s->m_bInterpolatePeaks ? 0 : 1;
    if (m_pPeakList != nullptr)
      m_pPeakList->Rebuild();
    UpdateViews();
  }
}

void CBrivaneDocument::OnUpdateToolsParabolic(CCmdUI* pCmdUI) {
  const CSpectrum* s = GetCurrentSpectrum();
  pCmdUI->SetCheck(s != nullptr && s->m_bInterpolatePeaks ? 1 : 0);
}

void CBrivaneDocument::OnToolsShowPeaks() {
  if (CSpectrum* s = GetCurrentSpectrum()) {
    s->m_bShowPeaks = s->m_bShowPeaks ? 0 : 1;
    UpdateViews();
  }
}

void CBrivaneDocument::OnUpdateToolsShowPeaks(CCmdUI* pCmdUI) {
  const CSpectrum* s = GetCurrentSpectrum();
  pCmdUI->SetCheck(s != nullptr && s->m_bShowPeaks ? 1 : 0);
}

void CBrivaneDocument::OnToolsPeakFont() {
  if (CSpectrum* s = GetCurrentSpectrum()) {
    ChooseColourFont(s->m_PeakFont, nullptr, nullptr, AfxGetMainWnd());
    UpdateViews();
  }
}

void CBrivaneDocument::OnToolsPeakExport() {
  CExportOptionsDialog dlg(AfxGetMainWnd());
  dlg.m_nDecimals = m_nExportDecimals;
  dlg.m_nSeparator = m_nExportSeparator;
  if (dlg.DoModal() == IDOK) {
    m_nExportDecimals = dlg.m_nDecimals;
    m_nExportSeparator = dlg.m_nSeparator;
  }
}

void CBrivaneDocument::OnUpdateHasIntegrals(CCmdUI* pCmdUI) {
  const CSpectrum* s = GetCurrentSpectrum();
  pCmdUI->Enable(s != nullptr && s->m_arrIntegrals.GetSize() > 0);
}

void CBrivaneDocument::OnToolsIntegralCorrection() {
  CIntegralCorrectionDialog* pDialog = new CIntegralCorrectionDialog(&GetActiveSpectrumDoc, AfxGetMainWnd());
  if (!pDialog->CreateModeless(AfxGetMainWnd())) {
    delete pDialog;  // never made, so it cannot delete itself
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
}

void CBrivaneDocument::OnToolsIntegralThreshold() {
  if (CSpectrum* s = GetCurrentSpectrum()) {
    CIntegralThresholdDialog dlg(s, AfxGetMainWnd());
    if (dlg.DoModal() == IDOK)
      UpdateViews();
  }
}

void CBrivaneDocument::OnToolsIntegralOptions() {
  CIntegralOptionsDialog dlg(this, AfxGetMainWnd());
  GetIntegralOptions(dlg.m_Options);
  if (dlg.DoModal() == IDOK)
    ApplyIntegralOptions(dlg.m_Options);
  UpdateViews();
}

void CBrivaneDocument::PickPeaksInRange(int nFirst, int nLast, double dThreshold) {
  CBrivaneProDoc::PickPeaksInRange(nFirst, nLast, dThreshold);
  if (m_pPeakList != nullptr)
    m_pPeakList->Rebuild();
}

void CBrivaneDocument::PickPeakAt(int nIndex) {
  CBrivaneProDoc::PickPeakAt(nIndex);
  if (m_pPeakList != nullptr)
    m_pPeakList->Rebuild();
}

void CBrivaneDocument::RemovePeaksInRange(int nFirst, int nLast) {
  CBrivaneProDoc::RemovePeaksInRange(nFirst, nLast);
  if (m_pPeakList != nullptr)
    m_pPeakList->Rebuild();
}

void CBrivaneDocument::ShowPeakInformation(int nIndex) {
  const CSpectrum* s = GetCurrentSpectrum();
  CPeakInformation info;
  if (s == nullptr || !GetPeakInformation(*s, nIndex, info))
    return;
  CPeakInfoDialog dlg(info, AfxGetMainWnd());
  dlg.DoModal();
}

// Two lines straight on the client area; the next repaint takes them away.
void CBrivaneDocument::MarkFitWindow(int nFirst, int nLast) {
  CBrivaneProView* pView = GetSpectrumView();
  if (pView == nullptr)
    return;
  CClientDC dc(pView);
  for (int nIndex : {nFirst, nLast}) {
    const int x = PointToPixel(nIndex);
    dc.MoveTo(x, 0);
    dc.LineTo(x, 1000);
  }
}

void CBrivaneDocument::ReferenceIntegral(CSpectrum* pSpectrum, CIntegral* pIntegral) {
  if (pSpectrum == nullptr || pIntegral == nullptr)
    return;
  CReferenceIntegralDialog dlg(AfxGetMainWnd());
  // The value as drawn; before the first drawing the scale is not yet set.
  const double dNorm = pSpectrum->m_dIntegralNorm;
  dlg.m_dValue = dNorm != 0.0 ? pIntegral->m_dValue / dNorm : pIntegral->m_dValue;
  if (dlg.DoModal() != IDOK)
    return;
  SetReferenceIntegral(*pIntegral, dlg.m_dValue, dlg.m_bAllSpectra);
}

// Switching the tool on opens the table, once; switching it off leaves the
// table open.
void CBrivaneDocument::OnToolsCoupling() {
  ToggleMouseMode(MOUSE_COUPLING_REFERENCE);
  if (m_nMouseMode != MOUSE_COUPLING_REFERENCE || m_pCouplingTable != nullptr)
    return;
  CCouplingTableDialog* pDialog = new CCouplingTableDialog(this, AfxGetMainWnd());
  m_pCouplingTable = pDialog;
  if (!pDialog->CreateModeless(AfxGetMainWnd())) {
    m_pCouplingTable = nullptr;
    delete pDialog;  // never made, so it cannot delete itself
    return;
  }
  pDialog->ShowWindow(SW_SHOW);
}

void CBrivaneDocument::AddCouplingPartner(int nIndex) {
  CBrivaneProDoc::AddCouplingPartner(nIndex);
  if (m_pCouplingTable != nullptr)
    m_pCouplingTable->Rebuild();
}

void CBrivaneDocument::ReferencePointAt(int nIndex) {
  RunReferenceDialog(nIndex);
}

void CBrivaneDocument::RunReferenceDialog(int nIndex) {
  CSpectrum* s = GetCurrentSpectrum();
  const BOOL bPoint = s != nullptr && s->m_pData != nullptr && nIndex >= 0 && nIndex < s->m_paramsA.td;
  CReferenceDialog dlg(AfxGetMainWnd());
  if (bPoint)
    dlg.m_strShift.Format("%.3lf", s->ConvertUnits(nIndex, AXIS_UNITS_PPM));
  // A shift that is no number reads as far as it goes, as the C library
  // reads it.
  if (dlg.DoModal() == IDOK && bPoint && !ReferencePoint(nIndex, std::atof(dlg.m_strShift)))
    AfxMessageBox("This shift gives the spectrum no scale; its reference is unchanged.", MB_OK | MB_ICONEXCLAMATION);
  m_nMouseMode = MOUSE_NONE;
  UpdateViews();
}
