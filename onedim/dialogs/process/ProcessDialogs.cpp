#include "onedim/dialogs/process/ProcessDialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/win/UiHooks.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/LinearPredictionStep.h"

namespace {

const char* const kSizes[] = {"8192", "16384", "32768", "65536", "131072", "262144", "524288", "1048576"};

// The sizes of the list, with nPoints added at the end when it is not one
// of them, and nPoints selected.
void FillSizes(CComboBox& combo, int nPoints) {
  for (const char* psz : kSizes)
    combo.AddString(psz);
  char text[16];
  std::snprintf(text, sizeof(text), "%d", nPoints);
  int nIndex = combo.FindString(-1, text);
  if (nIndex < 0)
    nIndex = combo.AddString(text);
  combo.SetCurSel(nIndex);
}

int ComboNumber(const CComboBox& combo) {
  char text[32] = "";
  combo.GetWindowText(text, sizeof(text));
  return std::atoi(text);
}

}  // namespace

// --- Zero Filling ---

BOOL CZeroFillingDialog::OnInitDialog() {
  m_Points.SubclassDlgItem(IDC_ZF_POINTS, this);
  m_OK.SubclassDlgItem(IDOK, this);
  m_Cancel.SubclassDlgItem(IDCANCEL, this);
  CDialog::OnInitDialog();
  m_OK.SetIcon(IDI_HISTORY_OK);
  m_Cancel.SetIcon(IDI_CANCEL);
  FillSizes(m_Points, m_nPoints);
  return TRUE;
}

void CZeroFillingDialog::OnOK() {
  m_nPoints = ComboNumber(m_Points);
  CDialog::OnOK();
}

// --- Fourier Transform ---

void CFourierTransformDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_FT_DRIFT, m_bDriftCorrection);
  DDX_Check(pDX, IDC_FT_QUADRATURE, m_bQuadrature);
  DDX_Check(pDX, IDC_FT_REAL, m_bReal);
  DDX_Check(pDX, IDC_FT_ROTATE, m_bRotateData);
  DDX_Check(pDX, IDC_FT_APPLY_ALL, m_bApplyToAll);
  DDX_Check(pDX, IDC_FT_INVERSE, m_bInverse);
  DDX_Check(pDX, IDC_FT_PROGRESS, m_bShowProgress);
  DDX_Check(pDX, IDC_FT_AUTOPHASE, m_bAutophase);
}

BOOL CFourierTransformDialog::OnInitDialog() {
  m_Spin.SubclassDlgItem(IDC_FT_SPIN, this);
  m_Rotation.SubclassDlgItem(IDC_FT_ROTATION, this);
  m_Points.SubclassDlgItem(IDC_FT_POINTS, this);
  CDialog::OnInitDialog();
  FillSizes(m_Points, m_nPoints);
  const int nMax = std::min(32767, m_nMaxRotation - 1);
  m_Rotation.SetRange(0, nMax);
  char text[16];
  std::snprintf(text, sizeof(text), "%d", m_nRotationPoints);
  m_Rotation.SetWindowText(text);
  m_Spin.SetRange(0, nMax);
  return TRUE;
}

void CFourierTransformDialog::OnOK() {
  m_nPoints = ComboNumber(m_Points);
  m_nRotationPoints = (int)GetDlgItemInt(IDC_FT_ROTATION);
  CDialog::OnOK();
}

// --- High Pass Filter ---

void CHighPassFilterDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_HPF_NULL_POINT, m_fNullPoint);
  DDX_Text(pDX, IDC_HPF_SELECTIVITY, m_nSelectivity);
}

// --- Fid Shift ---

BEGIN_MESSAGE_MAP(CFidShiftDialog, CDialog)
  ON_BN_CLICKED(4, OnApply)
  ON_CBN_SELCHANGE(IDC_SHIFT_DIRECTION, OnDirection)
END_MESSAGE_MAP()

void CFidShiftDialog::ApplyShift(CSpectrum& spectrum, int nDirection, int nCount) {
  const int td = spectrum.m_paramsA.td;
  if (spectrum.m_pAux == nullptr || spectrum.m_pData == nullptr)
    return;
  nCount = std::max(0, std::min(nCount, td / 2));
  if (nDirection == 0) {
    spectrum.ShiftPoints(spectrum.m_pAux, nCount);
  } else if (nDirection == 1) {
    spectrum.ShiftPoints(spectrum.m_pAux, -nCount);
  } else {
    std::memcpy(spectrum.m_pData, spectrum.m_pAux, sizeof(float) * (size_t)td);
    spectrum.Rotate(nCount);
  }
  spectrum.m_bDataChanged = 1;
}

BOOL CFidShiftDialog::OnInitDialog() {
  m_Count.SubclassDlgItem(IDC_SHIFT_COUNT, this);
  m_Spin.SubclassDlgItem(IDC_SHIFT_SPIN, this);
  m_Direction.SubclassDlgItem(IDC_SHIFT_DIRECTION, this);
  CDialog::OnInitDialog();
  for (const char* psz : {"Left", "Right", "Cyclical"})
    m_Direction.AddString(psz);
  m_Direction.SetCurSel(0);
  m_nDirection = 0;
  m_Count.SetWindowText("0");
  m_pSpectrum = m_pDoc->GetCurrentSpectrum();
  if (m_pSpectrum != nullptr) {
    const int td = m_pSpectrum->m_paramsA.td;
    m_Spin.SetRange(0, td / 2);
    delete[] m_pSpectrum->m_pAux;
    m_pSpectrum->m_pAux = CSpectrum::AllocateFloats(td);
    if (m_pSpectrum->m_pAux == nullptr) {
      AfxMessageBox("Memory exhausted", MB_OK | MB_ICONEXCLAMATION);
      EndDialog(IDCANCEL);
      return TRUE;
    }
    std::memcpy(m_pSpectrum->m_pAux, m_pSpectrum->m_pData, sizeof(float) * (size_t)td);
  }
  return TRUE;
}

void CFidShiftDialog::Apply(int nCount) {
  if (m_pSpectrum == nullptr)
    return;
  ApplyShift(*m_pSpectrum, m_nDirection, nCount);
  m_pDoc->UpdateViews();
}

void CFidShiftDialog::OnApply() {
  char text[32] = "";
  m_Count.GetWindowText(text, sizeof(text));
  Apply(std::atoi(text));
}

void CFidShiftDialog::OnDirection() {
  m_nDirection = m_Direction.GetCurSel();
}

BOOL CFidShiftDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr->idFrom == IDC_SHIFT_SPIN && pHdr->code == UDN_DELTAPOS) {
    const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(lParam);
    Apply(pUpDown->iPos + pUpDown->iDelta);
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CFidShiftDialog::OnOK() {
  OnApply();
  if (m_pSpectrum != nullptr) {
    delete[] m_pSpectrum->m_pAux;
    m_pSpectrum->m_pAux = nullptr;
  }
  CDialog::OnOK();
}

void CFidShiftDialog::OnCancel() {
  if (m_pSpectrum != nullptr && m_pSpectrum->m_pAux != nullptr) {
    std::memcpy(m_pSpectrum->m_pData, m_pSpectrum->m_pAux, sizeof(float) * (size_t)m_pSpectrum->m_paramsA.td);
    delete[] m_pSpectrum->m_pAux;
    m_pSpectrum->m_pAux = nullptr;
    m_pSpectrum->m_bDataChanged = 1;
    m_pDoc->UpdateViews();
  }
  CDialog::OnCancel();
}

// --- Linear Prediction ---

CLinearPredictionDialog::CLinearPredictionDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CDialog(IDD, pParent), m_pDoc(pDoc) {
  CLinearPredictionSettings settings;
  if (const CSpectrum* pSpectrum = pDoc->GetCurrentSpectrum())
    InitLinearPredictionSettings(*pSpectrum, settings);
  m_strFirst.Format("%d", settings.nFirst);
  m_strLast.Format("%d", settings.nLast);
  m_strBasis.Format("%d", settings.nBasis);
  m_strCoefficients.Format("%d", settings.nCoefficients);
}

void CLinearPredictionDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_LP_FIRST, m_strFirst);
  DDX_Text(pDX, IDC_LP_LAST, m_strLast);
  DDX_Text(pDX, IDC_LP_BASIS, m_strBasis);
  DDX_Text(pDX, IDC_LP_COEFFICIENTS, m_strCoefficients);
}

BOOL CLinearPredictionDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDOK, "Apply");
  return TRUE;
}

void CLinearPredictionDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  CSpectrum* pSpectrum = m_pDoc->GetCurrentSpectrum();
  if (pSpectrum != nullptr) {
    HCURSOR hOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    CLinearPredictionSettings settings;
    settings.nFirst = std::atoi(m_strFirst);
    settings.nLast = std::atoi(m_strLast);
    settings.nBasis = std::atoi(m_strBasis);
    settings.nCoefficients = std::atoi(m_strCoefficients);
    if (TruncateLinearPredictionBasis(*pSpectrum, settings))
      AfxMessageBox("Basis have been trucated");
    const char* pszMessage = nullptr;
    if (!PredictSpectrum(*pSpectrum, settings, &pszMessage) && pszMessage != nullptr)
      AfxMessageBox(pszMessage, MB_OK | MB_ICONEXCLAMATION);
    ::SetCursor(hOld);
  }
  EndDialog(IDOK);
}
