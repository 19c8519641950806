// The File, Edit, View and Layout commands of the 1D document window that
// need a window or a dialog; the changes themselves are the core's.
#include "framework/win/CmdUI.h"
#include "framework/win/WinApp.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/dialogs/analysis/PeakListDialog.h"
#include "onedim/dialogs/shell/SumDataDialog.h"
#include "onedim/view/BrivaneProView.h"
#include "resources/BrivaneRes.h"

void CBrivaneDocument::OnEditDeleteSpectrum() {
  // The open peak list shows the current spectrum's picks.
  if (DeleteCurrentSpectrum() && m_pPeakList != nullptr)
    m_pPeakList->Rebuild();
}

void CBrivaneDocument::OnUpdateEditDeleteSpectrum(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetSpectrumCount() > 1);
}

// Reached while another pane (the full view) is active: the 1D view copies
// its picture.
void CBrivaneDocument::OnEditCopy() {
  if (CBrivaneProView* pView = GetSpectrumView())
    pView->PostMessage(WM_COMMAND, ID_EDIT_COPY);
}

void CBrivaneDocument::OnEditSumData() {
  if (!m_DataBuffer.HasData())
    return;
  CSumDataDialog dlg(AfxGetMainWnd());
  dlg.m_fFactor = 1.0f;
  if (dlg.DoModal() == IDOK)
    SumData(dlg.m_fFactor);
}

void CBrivaneDocument::OnUpdateHasDataBuffer(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_DataBuffer.HasData());
}

void CBrivaneDocument::OnUpdateViewFullSpectrum(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(IsFullSpectrumShown() ? 1 : 0);
}

void CBrivaneDocument::OnUpdateViewZoom(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nMouseMode == MOUSE_ZOOM ? 1 : 0);
}

void CBrivaneDocument::OnUpdateViewZoomAll(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bZoomAll ? 1 : 0);
}

void CBrivaneDocument::OnViewShowGrid() {
  m_bShowGrid = m_bShowGrid ? 0 : 1;
  UpdateViews();
}

void CBrivaneDocument::OnUpdateViewShowGrid(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_bShowGrid ? 1 : 0);
}
