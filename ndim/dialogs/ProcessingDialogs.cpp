#include "ndim/dialogs/ProcessingDialogs.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/win/DataExchange.h"
#include "framework/win/UiHooks.h"
#include "ndim/data/Spectrum2D.h"

namespace {

// The apodization functions in the order of their check boxes and edits.
struct ApodizationControl {
  int index;
  int nCheck;
  int nEdit;
};
const ApodizationControl kApodization[] = {
    {ApodizationSettings::Exponential, IDC_APOD_EXPONENTIAL, IDC_APOD_EXPONENTIAL_VALUE},
    {ApodizationSettings::Gaussian, IDC_APOD_GAUSSIAN, IDC_APOD_GAUSSIAN_VALUE},
    {ApodizationSettings::SineBell, IDC_APOD_SINE_BELL, IDC_APOD_SINE_BELL_VALUE},
    {ApodizationSettings::SquaredSineBell, IDC_APOD_SINE_SQUARE, IDC_APOD_SINE_SQUARE_VALUE},
    {ApodizationSettings::FirstPoint, IDC_APOD_FIRST_POINT, IDC_APOD_FIRST_POINT_VALUE}};

const char* const kSizeNames[kFourierSizeCount] = {"0",   "8",   "16",  "32",   "64",   "128",  "256",   "512",  "1 K",
                                                   "2 K", "4 K", "8 K", "16 K", "32 K", "64 K", "128 K", "256 K"};

void SetApplyCaption(CDialog& dialog, int dim) {
  char text[32];
  std::snprintf(text, sizeof text, "Apply along t%d", dim);
  dialog.SetDlgItemText(IDOK, text);
}

int ReadInt(CDialog& dialog, int nID) {
  CString text;
  dialog.GetDlgItemText(nID, text);
  return std::atoi(text);
}

void WriteInt(CDialog& dialog, int nID, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  dialog.SetDlgItemText(nID, text);
}

}  // namespace

// --- Apodization ---

CApodizationDialog::CApodizationDialog(ApodizationSettings& settings, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_settings(settings) {}

BOOL CApodizationDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const ApodizationControl& c : kApodization) {
    CheckDlgButton(c.nCheck, m_settings.m_bOn[c.index] ? BST_CHECKED : BST_UNCHECKED);
    char text[64];
    std::snprintf(text, sizeof text, "%.2lf", m_settings.m_dValue[c.index]);
    SetDlgItemText(c.nEdit, text);
  }
  return TRUE;
}

void CApodizationDialog::OnOK() {
  for (const ApodizationControl& c : kApodization) {
    m_settings.m_bOn[c.index] = IsDlgButtonChecked(c.nCheck) ? TRUE : FALSE;
    CString text;
    GetDlgItemText(c.nEdit, text);
    m_settings.m_dValue[c.index] = std::atof(text);
  }
  EndDialog(IDOK);
}

// --- Fourier Transform ---

BEGIN_MESSAGE_MAP(CFourierDialog, CDialog)
  ON_BN_CLICKED(IDC_FT_CHOOSE_FUNCTION, OnChooseFunction)
  ON_BN_CLICKED(IDC_FT_MAGNITUDE, OnMagnitude)
  ON_BN_CLICKED(IDC_FT_HYPERPHASE, OnHyperphase)
END_MESSAGE_MAP()

CFourierDialog::CFourierDialog(const FourierChoices& choices, ApodizationSettings& apodization, int dim,
                               CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_choices(choices), m_apodization(apodization), m_nDim(dim) {}

BOOL CFourierDialog::OnInitDialog() {
  for (const char* name : kSizeNames)
    SendDlgItemMessage(IDC_FT_SIZE, CB_ADDSTRING, 0, (LPARAM)name);
  for (const char* name : {"None", "Hyper"})
    SendDlgItemMessage(IDC_FT_PROTOCOL, CB_ADDSTRING, 0, (LPARAM)name);
  CDialog::OnInitDialog();
  SetApplyCaption(*this, m_nDim);
  if (CWnd* pNext = GetDlgItem(IDC_FT_NEXT_DIMENSION))
    pNext->EnableWindow(m_choices.m_bNextEnabled);
  return TRUE;
}

void CFourierDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_CBIndex(pDX, IDC_FT_SIZE, m_choices.m_nSizeIndex);
  int protocol = m_choices.m_bHyper ? 1 : 0;
  DDX_CBIndex(pDX, IDC_FT_PROTOCOL, protocol);
  m_choices.m_bHyper = protocol == 1;
  const struct {
    int nID;
    BOOL& value;
  } boxes[] = {{IDC_FT_REAL, m_choices.m_bReal},
               {IDC_FT_QUADRATURE, m_choices.m_bQuadrature},
               {IDC_FT_PREDICTION, m_choices.m_bPredictionFill},
               {IDC_FT_APODIZE, m_choices.m_bApodize},
               {IDC_FT_MAGNITUDE, m_choices.m_bMagnitude},
               {IDC_FT_HYPERPHASE, m_choices.m_bHyperphase},
               {IDC_FT_INVERSE, m_choices.m_bInverse},
               {IDC_FT_NEXT_DIMENSION, m_choices.m_bNextDimension},
               {IDC_FT_INVERT, m_choices.m_bInvert}};
  for (const auto& box : boxes) {
    int value = box.value ? 1 : 0;
    DDX_Check(pDX, box.nID, value);
    box.value = value != 0;
  }
}

void CFourierDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  const std::string refusal = FourierPredictionRefusal(m_choices, m_nPoints, m_nDivisor);
  if (!refusal.empty()) {
    AfxMessageBox(refusal.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  EndDialog(IDOK);
}

void CFourierDialog::OnChooseFunction() {
  CApodizationDialog dialog(m_apodization, this);
  dialog.DoModal();
}

void CFourierDialog::OnMagnitude() {
  if (IsDlgButtonChecked(IDC_FT_MAGNITUDE))
    CheckDlgButton(IDC_FT_HYPERPHASE, BST_UNCHECKED);
}

void CFourierDialog::OnHyperphase() {
  if (IsDlgButtonChecked(IDC_FT_HYPERPHASE))
    CheckDlgButton(IDC_FT_MAGNITUDE, BST_UNCHECKED);
}

// --- Linear Prediction ---

CPredictionDialog::CPredictionDialog(const PredictionChoices& choices, int dim, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_choices(choices), m_nDim(dim) {}

BOOL CPredictionDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  WriteInt(*this, IDC_LP_FIRST, m_choices.m_nFirst);
  WriteInt(*this, IDC_LP_LAST, m_choices.m_nLast);
  WriteInt(*this, IDC_LP_BASIS, m_choices.m_nBasis);
  WriteInt(*this, IDC_LP_COEFFICIENTS, m_choices.m_nCoefficients);
  SetApplyCaption(*this, m_nDim);
  return TRUE;
}

void CPredictionDialog::OnOK() {
  m_choices.m_nFirst = ReadInt(*this, IDC_LP_FIRST);
  m_choices.m_nLast = ReadInt(*this, IDC_LP_LAST);
  m_choices.m_nBasis = ReadInt(*this, IDC_LP_BASIS);
  m_choices.m_nCoefficients = ReadInt(*this, IDC_LP_COEFFICIENTS);
  EndDialog(IDOK);
}

// --- High Pass Filter ---

void CHighPassDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_HP_NULL_POINT, m_fNullPoint);
  DDX_Text(pDX, IDC_HP_SELECTIVITY, m_nSelectivity);
  DDV_MinMaxInt(pDX, m_nSelectivity, 4, 32);
}

// --- Polynomial Baseline Correction ---

CBaselineDialog::CBaselineDialog(const BaselineChoices& choices, int last, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_choices(choices), m_nLast(last) {}

BOOL CBaselineDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const int along[] = {IDC_BC_F1, IDC_BC_F2, IDC_BC_F3, IDC_BC_F4};
  for (int i = 0; i < 4; ++i)
    if (CWnd* pButton = GetDlgItem(along[i]))
      pButton->EnableWindow(BaselineAlongOffered(i, m_nLast));
  return TRUE;
}

void CBaselineDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Radio(pDX, IDC_BC_ORDER0, m_choices.m_nOrder);
  DDX_Radio(pDX, IDC_BC_F1, m_choices.m_nAlong);
  CString filter(m_choices.m_filter.c_str());
  DDX_Text(pDX, IDC_BC_FILTER, filter);
  m_choices.m_filter = static_cast<LPCSTR>(filter);
  int trigonometric = m_choices.m_bTrigonometric ? 1 : 0;
  DDX_Check(pDX, IDC_BC_TRIGONOMETRIC, trigonometric);
  m_choices.m_bTrigonometric = trigonometric != 0;
}
