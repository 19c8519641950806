#include "ndim/app/PhaseDialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/win/CmdUI.h"
#include "framework/win/DataExchange.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/app/PhaseView.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdDialogCommands.h"
#include "ndim/document/NdSetCommands.h"

IMPLEMENT_DYNAMIC(CPhaseDialog, nd::CBaseDialog)

BEGIN_MESSAGE_MAP(CPhaseDialog, nd::CBaseDialog)
  ON_WM_HSCROLL()
  ON_WM_CLOSE()
  ON_NOTIFY(UDN_DELTAPOS, IDC_PHASE_ZERO_SPIN, OnZeroSpin)
  ON_NOTIFY(UDN_DELTAPOS, IDC_PHASE_FIRST_SPIN, OnFirstSpin)
  ON_BN_CLICKED(IDC_PHASE_APPLY, OnApply)
  ON_COMMAND_EX(ID_PHASE_ALONG_F1, OnPhaseAlong)
  ON_COMMAND_EX(ID_PHASE_ALONG_F2, OnPhaseAlong)
  ON_COMMAND_EX(ID_PHASE_ALONG_F3, OnPhaseAlong)
  ON_COMMAND_EX(ID_PHASE_ALONG_F4, OnPhaseAlong)
  ON_UPDATE_COMMAND_UI_RANGE(ID_PHASE_ALONG_F1, ID_PHASE_ALONG_F4, OnUpdatePhaseAlong)
  ON_COMMAND(ID_PHASE_UNDO, OnUndoPhase)
  ON_COMMAND_EX(IDC_PHASE_SEND1, OnSendTrace)
  ON_COMMAND_EX(IDC_PHASE_SEND2, OnSendTrace)
  ON_COMMAND_EX(IDC_PHASE_SEND3, OnSendTrace)
END_MESSAGE_MAP()

namespace {

const int kZeroSpinMax = 360;
const int kFirstSpinMax = 18000;

void SetText(CWnd& wnd, int nID, const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  wnd.SetDlgItemText(nID, text);
}

}  // namespace

CPhaseDialog::CPhaseDialog(CBrivanenDDoc* pDoc) : nd::CBaseDialog(IDD, nullptr), m_pDoc(pDoc) {
  std::memset(m_saved, 0, sizeof m_saved);
  SetModeless(true);
}

CPhaseDialog::~CPhaseDialog() {
  if (m_pDoc != nullptr && m_pDoc->m_pPhaseDialog == this)
    m_pDoc->m_pPhaseDialog = nullptr;
}

BOOL CPhaseDialog::Create(CWnd* pParent) {
  return nd::CBaseDialog::Create(IDD, pParent);
}

int CPhaseDialog::PhasedCount() const {
  const CSpectrum2D* set = m_pDoc != nullptr ? m_pDoc->GetCurrentSet() : nullptr;
  if (set == nullptr)
    return 0;
  const int dim = PhasingDimension(*set);
  return dim > 0 && dim < CSpectrum2D::MaxDimensions ? set->m_dims[dim].m_nPoints : 0;
}

double CPhaseDialog::ReadEdit(int nID) const {
  CString text;
  GetDlgItemText(nID, text);
  return std::atof(text);
}

int CPhaseDialog::GetPivotPoint() const {
  const CSpectrum2D* set = m_pDoc != nullptr ? m_pDoc->GetCurrentSet() : nullptr;
  if (set == nullptr)
    return 0;
  CView* pView = m_pDoc->FindView(RUNTIME_CLASS(CPhaseView1));
  CRect client;
  if (pView != nullptr && pView->GetSafeHwnd() != nullptr)
    pView->GetClientRect(&client);
  const bool columns = PhasingDimension(*set) == 2;
  return PivotPoint(m_nPivotPixel, client.Width(), columns ? set->m_zoom.left : set->m_zoom.top,
                    columns ? set->m_zoom.right : set->m_zoom.bottom);
}

BOOL CPhaseDialog::OnInitDialog() {
  nd::CBaseDialog::OnInitDialog();
  if (m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) &&
      m_toolBar.LoadToolBar(IDR_PHASE_TOOLBAR)) {
    CRect client;
    GetClientRect(&client);
    const CSize size = m_toolBar.CalcFixedLayout(FALSE, TRUE);
    m_toolBar.MoveWindow(0, 0, client.Width(), size.cy);
  }
  m_zeroSlider.SubclassDlgItem(IDC_PHASE_ZERO_SLIDER, this);
  m_firstSlider.SubclassDlgItem(IDC_PHASE_FIRST_SLIDER, this);
  m_zeroSpin.Attach(GetDlgItem(IDC_PHASE_ZERO_SPIN)->GetSafeHwnd());
  m_firstSpin.Attach(GetDlgItem(IDC_PHASE_FIRST_SPIN)->GetSafeHwnd());
  m_pivotBar.Attach(GetDlgItem(IDC_PHASE_PIVOT)->GetSafeHwnd());
  m_zeroSpin.SetRange(0, kZeroSpinMax);
  m_firstSpin.SetRange(-kFirstSpinMax, kFirstSpinMax);
  if (CSpectrum2D* set = m_pDoc->GetCurrentSet())
    for (int d = 0; d < 4; ++d) {
      m_saved[d][0] = set->m_appliedPhase[d][0];
      m_saved[d][1] = set->m_appliedPhase[d][1];
    }
  CView* pView = m_pDoc->FindView(RUNTIME_CLASS(CPhaseView1));
  CRect client;
  if (pView != nullptr && pView->GetSafeHwnd() != nullptr)
    pView->GetClientRect(&client);
  m_pivotBar.SetScrollRange(0, client.Width() > 0 ? client.Width() : 1);
  m_pivotBar.SetScrollPos(0);
  LoadStoredPhase();
  char caption[32];
  std::snprintf(caption, sizeof caption, "%.0lf\xB0", m_dFirst);
  m_firstSlider.SetCaption(caption);
  return TRUE;
}

void CPhaseDialog::LoadStoredPhase() {
  const CSpectrum2D* set = m_pDoc->GetCurrentSet();
  double zero = 0, first = 0;
  if (set != nullptr) {
    const int dim = PhasingDimension(*set);
    if (dim >= 0 && dim < CSpectrum2D::MaxDimensions) {
      zero = set->m_appliedPhase[dim][0];
      first = set->m_appliedPhase[dim][1];
    }
  }
  SetText(*this, IDC_PHASE_ZERO, "%.2lf", zero);
  SetText(*this, IDC_PHASE_FIRST, "%.2lf", first);
  m_zeroSpin.SetPos(static_cast<int>(zero));
  m_firstSpin.SetPos(static_cast<int>(first));
  m_zeroSlider.SetPos(static_cast<int>(zero));
  m_dFirst = m_dPrevious = first;
  m_nFirstPosition = WrapDegrees(static_cast<int>(first));
  m_firstSlider.SetPos(m_nFirstPosition);
}

void CPhaseDialog::SetZeroText(double zero) {
  SetText(*this, IDC_PHASE_ZERO, "%.2lf", zero);
  if (m_zeroSlider.GetPos() != static_cast<int>(zero))
    m_zeroSlider.SetPos(static_cast<int>(zero));
}

void CPhaseDialog::SetFirstCaption() {
  char caption[32];
  std::snprintf(caption, sizeof caption, "%d\xB0", static_cast<int>(m_dFirst));
  m_firstSlider.SetCaption(caption);
  m_firstSlider.Invalidate();
}

void CPhaseDialog::MoveZeroSlider(int position) {
  m_zeroSlider.SetPos(position);
  SetText(*this, IDC_PHASE_ZERO, "%.0lf", position);
  m_pDoc->ApplyPhase(FALSE);
}

void CPhaseDialog::MoveFirstSlider(int position) {
  const int delta = RoundSliderDelta(m_nFirstPosition, position);
  const double before = m_dFirst;
  m_dFirst += delta;
  SetText(*this, IDC_PHASE_FIRST, "%.0lf", m_dFirst);
  SetFirstCaption();
  m_nFirstPosition = WrapDegrees(static_cast<int>(m_dFirst));
  if (m_firstSlider.GetPos() != m_nFirstPosition)
    m_firstSlider.SetPos(m_nFirstPosition);
  SetZeroText(PivotCompensatedZero(ReadEdit(IDC_PHASE_ZERO), GetPivotPoint(), m_dFirst, before, PhasedCount()));
  m_pDoc->ApplyPhase(FALSE);
}

void CPhaseDialog::SetPivotPixel(int pixel) {
  int low = 0, high = 0;
  m_pivotBar.GetScrollRange(&low, &high);
  m_nPivotPixel = pixel < low ? low : pixel > high ? high : pixel;
  m_pivotBar.SetScrollPos(m_nPivotPixel);
  for (CRuntimeClass* pClass : {RUNTIME_CLASS(CPhaseView1), RUNTIME_CLASS(CPhaseView2), RUNTIME_CLASS(CPhaseView3)})
    if (CView* pView = m_pDoc->FindView(pClass))
      pView->Invalidate();
}

void CPhaseDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar == nullptr)
    return;
  if (pScrollBar->m_hWnd == m_zeroSlider.m_hWnd) {
    MoveZeroSlider(m_zeroSlider.GetPos());
  } else if (pScrollBar->m_hWnd == m_firstSlider.m_hWnd) {
    MoveFirstSlider(m_firstSlider.GetPos());
  } else if (pScrollBar->m_hWnd == m_pivotBar.m_hWnd) {
    int low = 0, high = 0;
    m_pivotBar.GetScrollRange(&low, &high);
    const int page = high / 100 > 0 ? high / 100 : 1;
    switch (nSBCode) {
      case SB_LINELEFT:
        SetPivotPixel(m_nPivotPixel - 1);
        break;
      case SB_LINERIGHT:
        SetPivotPixel(m_nPivotPixel + 1);
        break;
      case SB_PAGELEFT:
        SetPivotPixel(m_nPivotPixel - page);
        break;
      case SB_PAGERIGHT:
        SetPivotPixel(m_nPivotPixel + page);
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        SetPivotPixel(static_cast<int>(nPos));
        break;
      default:
        break;
    }
  }
}

void CPhaseDialog::OnZeroSpin(NMHDR* pNotify, LRESULT* pResult) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNotify);
  const int zero = static_cast<int>(ReadEdit(IDC_PHASE_ZERO)) + pUpDown->iDelta;
  SetText(*this, IDC_PHASE_ZERO, "%.0lf", zero);
  m_zeroSlider.SetPos(zero);
  m_pDoc->ApplyPhase(FALSE);
  *pResult = 0;
}

void CPhaseDialog::OnFirstSpin(NMHDR* pNotify, LRESULT* pResult) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNotify);
  m_dFirst = static_cast<int>(ReadEdit(IDC_PHASE_FIRST)) + pUpDown->iDelta;
  SetText(*this, IDC_PHASE_FIRST, "%.0lf", m_dFirst);
  SetFirstCaption();
  m_nFirstPosition = WrapDegrees(static_cast<int>(m_dFirst));
  m_firstSlider.SetPos(m_nFirstPosition);
  m_pDoc->ApplyPhase(FALSE);
  *pResult = 0;
}

BOOL CPhaseDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    char className[16] = "";
    ::GetClassNameA(pMsg->hwnd, className, sizeof className);
    if (_stricmp(className, "edit") == 0) {
      OnApply();
      return TRUE;
    }
  }
  return nd::CBaseDialog::PreTranslateMessage(pMsg);
}

// The first order typed since the last Apply moves the zero order about the
// pivot, as a drag of the slider would.
void CPhaseDialog::OnApply() {
  const double first = ReadEdit(IDC_PHASE_FIRST);
  const double zero =
      PivotCompensatedZero(ReadEdit(IDC_PHASE_ZERO), GetPivotPoint(), first, m_dPrevious, PhasedCount());
  SetText(*this, IDC_PHASE_ZERO, "%.2lf", zero);
  m_pDoc->ApplyPhase(TRUE);
  m_zeroSlider.SetPos(static_cast<int>(zero));
  m_dFirst = m_dPrevious = first;
  SetFirstCaption();
  m_nFirstPosition = WrapDegrees(static_cast<int>(first));
  m_firstSlider.SetPos(m_nFirstPosition);
}

BOOL CPhaseDialog::OnPhaseAlong(UINT nID) {
  char line[16];
  std::snprintf(line, sizeof line, "sw %u", nID - ID_PHASE_ALONG_F1 + 1);
  m_pDoc->ExecuteCommands(line);
  m_pDoc->InvalidatePhaseViews();
  LoadStoredPhase();
  return TRUE;
}

void CPhaseDialog::OnUpdatePhaseAlong(CCmdUI* pCmdUI) {
  const CSpectrum2D* set = m_pDoc->GetCurrentSet();
  const int dim = static_cast<int>(pCmdUI->m_nID - ID_PHASE_ALONG_F1) + 1;
  bool present = false;
  if (set != nullptr)
    for (BYTE order : set->m_phasingOrder)
      present = present || order == dim;
  pCmdUI->Enable(present);
  pCmdUI->SetCheck(set != nullptr && set->m_phasingOrder[0] == dim);
}

void CPhaseDialog::OnUndoPhase() {
  const CSpectrum2D* set = m_pDoc->GetCurrentSet();
  if (set == nullptr)
    return;
  const int dim = PhasingDimension(*set);
  if (dim < 0 || dim >= 4)
    return;
  SetText(*this, IDC_PHASE_ZERO, "%.2lf", m_saved[dim][0]);
  SetText(*this, IDC_PHASE_FIRST, "%.2lf", m_saved[dim][1]);
  m_zeroSlider.SetPos(static_cast<int>(m_saved[dim][0]));
  m_dFirst = m_dPrevious = m_saved[dim][1];
  m_nFirstPosition = WrapDegrees(static_cast<int>(m_dFirst));
  m_firstSlider.SetPos(m_nFirstPosition);
  SetFirstCaption();
  m_pDoc->ApplyPhase(IsDlgButtonChecked(IDC_PHASE_APPLY_ALL) ? TRUE : FALSE);
}

BOOL CPhaseDialog::OnSendTrace(UINT nID) {
  static CRuntimeClass* const kViews[3] = {RUNTIME_CLASS(CPhaseView1), RUNTIME_CLASS(CPhaseView2),
                                           RUNTIME_CLASS(CPhaseView3)};
  const CSpectrum2D* set = m_pDoc->GetCurrentSet();
  CView* pView = m_pDoc->FindView(kViews[nID - IDC_PHASE_SEND1]);
  if (set == nullptr || pView == nullptr)
    return TRUE;
  CPhaseView* pPhaseView = static_cast<CPhaseView*>(pView);
  if (PhasingDimension(*set) == 2)
    pPhaseView->ShowRow(set->m_nSelectedRow);
  else
    pPhaseView->ShowColumn(set->m_nSelectedColumn);
  pPhaseView->Invalidate();
  return TRUE;
}

void CPhaseDialog::Close() {
  if (m_pDoc != nullptr) {
    m_pDoc->HidePhaseViews();
    if (m_pDoc->m_pPhaseDialog == this)
      m_pDoc->m_pPhaseDialog = nullptr;
    m_pDoc->InvalidatePhaseViews();
  }
}

void CPhaseDialog::OnOK() {
  OnApply();
  Close();
  nd::CBaseDialog::OnOK();
}

void CPhaseDialog::OnClose() {
  Close();
  nd::CBaseDialog::OnClose();
}

void CPhaseDialog::OnCancel() {
  Close();
  nd::CBaseDialog::OnCancel();
}
