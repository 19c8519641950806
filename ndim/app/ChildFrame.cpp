#include "ndim/app/ChildFrame.h"

#include "framework/win/View.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/PhaseView.h"
#include "ndim/data/Spectrum2D.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

namespace {

CRuntimeClass* const kPhaseViewClasses[3] = {RUNTIME_CLASS(CPhaseView1), RUNTIME_CLASS(CPhaseView2),
                                             RUNTIME_CLASS(CPhaseView3)};

// The plot's share of the window, centred in it.
const double kPlotWidth = 0.91;
const double kPlotHeight = 0.75;

}  // namespace

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  const int cx = lpcs->cx > 0 ? lpcs->cx : 400;
  const int cy = lpcs->cy > 0 ? lpcs->cy : 300;
  if (!m_wndOuter.CreateStatic(this, 1, 2) ||
      !m_wndOuter.CreateView(0, 0, pContext->m_pNewViewClass, CSize((int)(0.75 * cx), cy), pContext))
    return FALSE;
  if (!m_wndInner.CreateStatic(&m_wndOuter, 3, 1, WS_CHILD | WS_VISIBLE | WS_BORDER, m_wndOuter.IdFromRowCol(0, 1)))
    return FALSE;
  for (int row = 0; row < 3; ++row) {
    if (!m_wndInner.CreateView(row, 0, kPhaseViewClasses[row], CSize(cx / 4, cy / 2), pContext))
      return FALSE;
  }
  m_wndOuter.SetActivePane(0, 0);
  m_wndOuter.HideColumn(1);
  return TRUE;
}

void CChildFrame::ActivateFrame(int nCmdShow) {
  CMDIChildWnd::ActivateFrame(nCmdShow == -1 ? SW_SHOWMAXIMIZED : nCmdShow);
  CDocument* pDoc = GetActiveDocument();
  if (pDoc == nullptr || !pDoc->IsKindOf(RUNTIME_CLASS(CBrivanenDDoc)))
    return;
  CBrivanenDDoc* pNdDoc = static_cast<CBrivanenDDoc*>(pDoc);
  CRect client;
  GetClientRect(&client);
  pNdDoc->m_nClientWidth = client.Width();
  pNdDoc->m_nClientHeight = client.Height();
  if (CSpectrum2D* pSet = pNdDoc->GetCurrentSet()) {
    const int width = (int)(kPlotWidth * client.Width());
    const int height = (int)(kPlotHeight * client.Height());
    const int left = (client.Width() - width) / 2;
    const int top = (client.Height() - height) / 2;
    pSet->SetPlotRect(CRect(left, top, left + width, top + height));
  }
}
