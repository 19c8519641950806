#include "onedim/dialogs/analysis/IntegralOptionsDialog.h"

#include "framework/win/DataExchange.h"
#include "onedim/dialogs/display/ColourFontDialog.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

BEGIN_MESSAGE_MAP(CIntegralOptionsDialog, CDialog)
  ON_BN_CLICKED(IDC_IO_ABOVE, OnAbove)
  ON_BN_CLICKED(IDC_IO_FONT, OnFont)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

CIntegralOptionsDialog::CIntegralOptionsDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CDialog(IDD_INTEGRAL_OPTIONS, pParent), m_pDoc(pDoc) {}

BOOL CIntegralOptionsDialog::OnInitDialog() {
  m_Colour.SubclassDlgItem(IDC_IO_COLOUR, this);
  CComboBox* pWidth = static_cast<CComboBox*>(GetDlgItem(IDC_IO_WIDTH));
  for (int i = 1; i <= 10; i++) {
    CString item;
    item.Format("%d", i);
    ::SendMessageA(pWidth->m_hWnd, CB_ADDSTRING, 0, (LPARAM)(LPCSTR)item);
  }
  const HWND hBar = ::GetDlgItem(m_hWnd, IDC_IO_DISTANCE);
  ::SetScrollRange(hBar, SB_CTL, -100, 100, FALSE);
  ::SetScrollPos(hBar, SB_CTL, m_Options.nDistance, TRUE);
  m_nOpenDistance = m_Options.nDistance;
  m_bOpenAbove = m_Options.bOnTop;
  CDialog::OnInitDialog();
  ShowDistance(!m_Options.bOnTop);
  return TRUE;
}

void CIntegralOptionsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_IO_CURVES, m_Options.bShowCurves);
  DDX_Check(pDX, IDC_IO_VALUES, m_Options.bShowValues);
  DDX_Check(pDX, IDC_IO_TOGETHER, m_Options.bMoveTogether);
  DDX_ColourPicker(pDX, IDC_IO_COLOUR, m_Options.crColour);
  DDX_Check(pDX, IDC_IO_RECTANGLE, m_Options.bRectangle);
  DDX_CBIndex(pDX, IDC_IO_WIDTH, m_Options.nWidthIndex);
  DDX_Check(pDX, IDC_IO_ROTATE, m_Options.bRotate);
  DDX_Check(pDX, IDC_IO_ABOVE, m_Options.bOnTop);
}

void CIntegralOptionsDialog::ShowDistance(BOOL bShow) {
  for (UINT nID : {IDC_IO_DISTANCE, IDC_IO_DISTANCE_LABEL})
    ::ShowWindow(::GetDlgItem(m_hWnd, nID), bShow ? SW_SHOW : SW_HIDE);
}

// The values-above flag and the distance act on the spectrum at once.
void CIntegralOptionsDialog::OnAbove() {
  m_Options.bOnTop = IsDlgButtonChecked(IDC_IO_ABOVE) ? 1 : 0;
  ShowDistance(!m_Options.bOnTop);
  if (CSpectrum* s = m_pDoc->GetCurrentSpectrum()) {
    s->m_nIntegralsOnTop = m_Options.bOnTop;
    m_pDoc->UpdateViews();
  }
}

void CIntegralOptionsDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar == nullptr)
    return;
  const HWND hBar = pScrollBar->m_hWnd;
  m_Options.nDistance =
      IntegralScrollPosition((int)nSBCode, ::GetScrollPos(hBar, SB_CTL), (short)nPos, 100, 2, 4);
  ::SetScrollPos(hBar, SB_CTL, m_Options.nDistance, TRUE);
  if (CSpectrum* s = m_pDoc->GetCurrentSpectrum()) {
    s->m_nIntegralDistance = m_Options.nDistance;
    m_pDoc->UpdateViews();
  }
}

void CIntegralOptionsDialog::OnFont() {
  ChooseColourFont(m_Options.font, nullptr, nullptr, this);
}

void CIntegralOptionsDialog::OnCancel() {
  if (CSpectrum* s = m_pDoc->GetCurrentSpectrum()) {
    s->m_nIntegralDistance = m_nOpenDistance;
    s->m_nIntegralsOnTop = m_bOpenAbove;
    m_pDoc->UpdateViews();
  }
  CDialog::OnCancel();
}
