#include "onedim/dialogs/process/PhaseCorrectionDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/win/DataExchange.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"

namespace {

const double kRadiansPerDegree = 0.017453292519943295;

CString Format(const char* pszFormat, double dValue) {
  char text[64];
  std::snprintf(text, sizeof(text), pszFormat, dValue);
  return text;
}

CString FormatInt(int nValue) {
  char text[32];
  std::snprintf(text, sizeof(text), "%d", nValue);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPhaseCorrectionDialog, CBaseDialog)
  ON_WM_HSCROLL()
  ON_NOTIFY(UDN_DELTAPOS, IDC_PHASE_ZERO_SPIN, OnZeroDeltaPos)
  ON_NOTIFY(UDN_DELTAPOS, IDC_PHASE_FIRST_SPIN, OnFirstDeltaPos)
END_MESSAGE_MAP()

CPhaseCorrectionDialog::CPhaseCorrectionDialog(CBrivaneProDoc* pDoc, CWnd* pParent, CPhaseCorrectionDialog** ppOpen)
    : CBaseDialog(IDD, pParent), m_pDoc(pDoc), m_ppOpen(ppOpen) {}

int CPhaseCorrectionDialog::TurnBetween(int nLast, int nNew) {
  if (nLast > 300 && nNew < 100)
    return nNew - nLast + 360;
  if (nLast < 100 && nNew > 300)
    return nNew - nLast - 360;
  return nNew - nLast;
}

int CPhaseCorrectionDialog::DialPosition(double dDegrees) {
  if (!std::isfinite(dDegrees))
    return 0;
  int nPos = (int)std::fmod(dDegrees, 360.0);
  if (nPos < 0)
    nPos += 360;
  return nPos % 360;
}

void CPhaseCorrectionDialog::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_PHASE_APPLY_ALL, m_bApplyToAll);
  DDX_Check(pDX, IDC_PHASE_BASELINE, m_bBaseline);
}

BOOL CPhaseCorrectionDialog::OnInitDialog() {
  m_ZeroSlider.SubclassDlgItem(IDC_PHASE_ZERO_SLIDER, this);
  m_FirstSlider.SubclassDlgItem(IDC_PHASE_FIRST_SLIDER, this);
  m_ZeroEdit.SubclassDlgItem(IDC_PHASE_ZERO, this);
  m_FirstEdit.SubclassDlgItem(IDC_PHASE_FIRST, this);
  m_ZeroSpin.SubclassDlgItem(IDC_PHASE_ZERO_SPIN, this);
  m_FirstSpin.SubclassDlgItem(IDC_PHASE_FIRST_SPIN, this);
  m_Pivot.SubclassDlgItem(IDC_PHASE_PIVOT, this);
  m_ZeroLabel.SubclassDlgItem(IDC_PHASE_ZERO_LABEL, this);
  m_FirstLabel.SubclassDlgItem(IDC_PHASE_FIRST_LABEL, this);
  m_PivotLabel.SubclassDlgItem(IDC_PHASE_PIVOT_LABEL, this);
  CBaseDialog::OnInitDialog();
  m_PivotLabel.SetFontBold(TRUE).SetTextColor(RGB(0, 0, 255));
  m_ZeroSlider.SetInsetKnob(TRUE);

  SetDlgItemText(IDC_PHASE_ZERO, Format("%.2lf", m_dPhase0));
  SetDlgItemText(IDC_PHASE_FIRST, Format("%.2lf", m_dPhase1));
  m_ZeroSpin.SetRange(0, 360);
  m_ZeroSpin.SetPos((int)m_dPhase0);
  m_FirstSpin.SetRange(-18000, 18000);
  m_FirstSpin.SetPos((int)m_dPhase1);
  // The up-down controls rewrote their edits with whole numbers.
  SetDlgItemText(IDC_PHASE_ZERO, Format("%.2lf", m_dPhase0));
  SetDlgItemText(IDC_PHASE_FIRST, Format("%.2lf", m_dPhase1));
  m_ZeroSlider.SetPos(DialPosition(m_dPhase0));
  m_nLastPos = DialPosition(m_dPhase1);
  m_FirstSlider.SetPos(m_nLastPos);
  m_dAccumulated = m_dPhase1;
  m_FirstSlider.SetCaption(Format("%.0lf", m_dAccumulated));

  RefreshPivotRange();
  if (const CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum())
    m_Pivot.SetScrollPos(m_pDoc->PointToPixel(pSpectrum->m_nPivot));
  m_dOpenPhase0 = m_dPhase0;
  m_dOpenPhase1 = m_dPhase1;
  for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++) {
    CSpectrum* pSpectrum = m_pDoc->GetSpectrumAt(i);
    if (pSpectrum->m_pData != nullptr)
      m_Kept.push_back({pSpectrum, std::vector<float>(pSpectrum->m_pData, pSpectrum->m_pData + pSpectrum->m_paramsA.td),
                        pSpectrum->m_dPhase0, pSpectrum->m_dPhase1});
  }
  m_pDoc->UpdateViews();
  return TRUE;
}

std::vector<CSpectrum*> CPhaseCorrectionDialog::Targets() const {
  std::vector<CSpectrum*> targets;
  if (m_bApplyToAll) {
    for (int i = 0; i < m_pDoc->GetSpectrumCount(); i++)
      targets.push_back(m_pDoc->GetSpectrumAt(i));
  } else if (CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum()) {
    targets.push_back(pSpectrum);
  }
  return targets;
}

void CPhaseCorrectionDialog::ApplyPhases(CSpectrum& spectrum) {
  UpdateData(TRUE);
  CString text;
  GetDlgItemText(IDC_PHASE_ZERO, text);
  const double dPhase0 = std::atof(text);
  GetDlgItemText(IDC_PHASE_FIRST, text);
  const double dPhase1 = std::atof(text);
  // A text atof cannot read as a finite number must not reach the data.
  if (!std::isfinite(dPhase0) || !std::isfinite(dPhase1))
    return;
  spectrum.SetPhase((float)(dPhase0 * kRadiansPerDegree), (float)(dPhase1 * kRadiansPerDegree));
  spectrum.m_bPhaseChanged = 1;
  spectrum.m_bDataChanged = 1;
  m_pDoc->UpdateViews();
}

void CPhaseCorrectionDialog::ApplyToCurrent() {
  if (CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum())
    ApplyPhases(*pSpectrum);
}

void CPhaseCorrectionDialog::SetFirstOrder(double dDegrees) {
  m_dAccumulated = dDegrees;
  m_nLastPos = DialPosition(dDegrees);
  m_FirstSlider.SetPos(m_nLastPos);
  m_FirstSlider.SetCaption(Format("%.0lf", m_dAccumulated));
}

void CPhaseCorrectionDialog::OnZeroDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
  CString text;
  GetDlgItemText(IDC_PHASE_ZERO, text);
  const int nPhase = std::atoi(text) + pUpDown->iDelta;
  m_ZeroSlider.SetPos(DialPosition(nPhase));
  SetDlgItemText(IDC_PHASE_ZERO, FormatInt(nPhase));
  ApplyToCurrent();
  *pResult = 0;
}

void CPhaseCorrectionDialog::OnFirstDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
  CString text;
  GetDlgItemText(IDC_PHASE_FIRST, text);
  const int nPhase = std::atoi(text) + pUpDown->iDelta;
  SetFirstOrder(nPhase);
  SetDlgItemText(IDC_PHASE_FIRST, FormatInt(nPhase));
  ApplyToCurrent();
  *pResult = 0;
}

void CPhaseCorrectionDialog::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  const int nId = pScrollBar != nullptr ? pScrollBar->GetDlgCtrlID() : 0;
  // The end of a track carries no position.
  if (nSBCode == TB_ENDTRACK && nId != IDC_PHASE_PIVOT)
    return;
  if (nId == IDC_PHASE_ZERO_SLIDER) {
    // The dial posts its moves: the position each one carries, not the
    // dial's position now, which a fast drag has left behind.
    SetDlgItemText(IDC_PHASE_ZERO, FormatInt((int)nPos));
    m_ZeroSpin.SetPos((int)nPos);
    ApplyToCurrent();
  } else if (nId == IDC_PHASE_FIRST_SLIDER) {
    const int nNew = (int)nPos;
    if (nNew == m_nLastPos)
      return;
    SetFirstOrder(m_dAccumulated + TurnBetween(m_nLastPos, nNew));
    SetDlgItemText(IDC_PHASE_FIRST, FormatInt((int)m_dAccumulated));
    m_FirstSpin.SetPos((int)m_dAccumulated);
    ApplyToCurrent();
  } else if (nId == IDC_PHASE_PIVOT) {
    OnPivotScroll(nSBCode, nPos);
  }
}

void CPhaseCorrectionDialog::RefreshPivotRange() {
  if (const CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum()) {
    m_nPivotMin = pSpectrum->m_nLeftPixel;
    m_nPivotMax = pSpectrum->m_nRightPixel;
  }
  m_Pivot.SetScrollRange(m_nPivotMin, std::max(m_nPivotMin, m_nPivotMax));
}

void CPhaseCorrectionDialog::OnPivotScroll(UINT nSBCode, UINT nPos) {
  RefreshPivotRange();
  CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum();
  if (pSpectrum == nullptr)
    return;
  const int nSpan = m_nPivotMax - m_nPivotMin;
  int nPosition = m_Pivot.GetScrollPos();
  switch (nSBCode) {
    case SB_LINELEFT:
      nPosition -= 10;
      break;
    case SB_LINERIGHT:
      nPosition += 10;
      break;
    case SB_PAGELEFT:
      nPosition -= nSpan / 100;
      break;
    case SB_PAGERIGHT:
      nPosition += nSpan / 100;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      nPosition = (int)nPos;
      break;
    default:
      return;
  }
  nPosition = std::min(std::max(nPosition, m_nPivotMin), std::max(m_nPivotMin, m_nPivotMax));
  m_Pivot.SetScrollPos(nPosition);
  pSpectrum->m_nPivot = m_pDoc->PixelToPoint(nPosition);
  m_pDoc->UpdateViews();
}

BOOL CPhaseCorrectionDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
      (pMsg->hwnd == m_ZeroEdit.GetSafeHwnd() || pMsg->hwnd == m_FirstEdit.GetSafeHwnd())) {
    ApplyToCurrent();
    CString zero, first;
    GetDlgItemText(IDC_PHASE_ZERO, zero);
    GetDlgItemText(IDC_PHASE_FIRST, first);
    m_ZeroSlider.SetPos(DialPosition(std::atof(zero)));
    SetFirstOrder(std::atof(first));
    // The up-down controls step from their own positions when an edit holds
    // no whole number; setting them rewrites the edits, which keep the text
    // the user gave.
    m_ZeroSpin.SetPos(std::atoi(zero));
    m_FirstSpin.SetPos(std::atoi(first));
    SetDlgItemText(IDC_PHASE_ZERO, zero);
    SetDlgItemText(IDC_PHASE_FIRST, first);
    return TRUE;
  }
  return CBaseDialog::PreTranslateMessage(pMsg);
}

void CPhaseCorrectionDialog::EndPhaseDisplay() {
  if (CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum())
    pSpectrum->m_bPhaseDisplay = 0;
  m_pDoc->UpdateViews();
}

void CPhaseCorrectionDialog::OnOK() {
  UpdateData(TRUE);
  for (CSpectrum* pSpectrum : Targets()) {
    ApplyPhases(*pSpectrum);
    if (m_bBaseline)
      pSpectrum->RemoveDCOffset();
  }
  EndPhaseDisplay();
  CBaseDialog::OnOK();
}

void CPhaseCorrectionDialog::OnCancel() {
  UpdateData(TRUE);
  SetDlgItemText(IDC_PHASE_ZERO, Format("%.3lf", m_dOpenPhase0));
  SetDlgItemText(IDC_PHASE_FIRST, Format("%.3lf", m_dOpenPhase1));
  for (CSpectrum* pSpectrum : Targets()) {
    ApplyPhases(*pSpectrum);
    // The data as they were at opening, unless the spectrum changed size.
    for (const Kept& kept : m_Kept)
      if (kept.pSpectrum == pSpectrum && pSpectrum->m_pData != nullptr &&
          (int)kept.data.size() == pSpectrum->m_paramsA.td) {
        std::memcpy(pSpectrum->m_pData, kept.data.data(), kept.data.size() * sizeof(float));
        pSpectrum->m_dPhase0 = kept.dPhase0;
        pSpectrum->m_dPhase1 = kept.dPhase1;
      }
  }
  EndPhaseDisplay();
  CBaseDialog::OnCancel();
}

void CPhaseCorrectionDialog::PostNcDestroy() {
  if (m_ppOpen != nullptr && *m_ppOpen == this)
    *m_ppOpen = nullptr;
  CBaseDialog::PostNcDestroy();
}
