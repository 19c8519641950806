#include "ndim/dialogs/DisplayDialogs.h"

#include <cfloat>
#include <cstdio>

#include "framework/win/CommonControls.h"
#include "framework/win/DataExchange.h"
#include "framework/win/Document.h"
#include "framework/win/WinApp.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdSetCommands.h"
#include "ndim/plot/NdAxisTicks.h"
#include "onedim/dialogs/display/ColourFontDialog.h"

namespace {

// The radio buttons of each axis's units, in unit order.
const int kUnitsF1[4] = {IDC_UNITS_F1_POINTS, IDC_UNITS_F1_SECONDS, IDC_UNITS_F1_HERTZ, IDC_UNITS_F1_PPM};
const int kUnitsF2[4] = {IDC_UNITS_F2_POINTS, IDC_UNITS_F2_SECONDS, IDC_UNITS_F2_HERTZ, IDC_UNITS_F2_PPM};

void CheckUnits(CDialog& dialog, const int (&buttons)[4], int units) {
  for (int i = 0; i < 4; ++i)
    dialog.CheckDlgButton(buttons[i], i == units ? BST_CHECKED : BST_UNCHECKED);
}

int CheckedUnits(const CDialog& dialog, const int (&buttons)[4], int current) {
  for (int i = 0; i < 4; ++i)
    if (dialog.IsDlgButtonChecked(buttons[i]))
      return i;
  return current;
}

// The smallest ratio between levels that still separates them: a ratio of
// zero or below puts every level at zero or flips its sign.
const float kLeastRatio = 1e-6f;

const char kScale[] = "Scale";

// A list control of one centred column as wide as the dialog, holding the
// indices.
void FillSliceList(CDialog& dialog, int nID, const char* heading, const std::vector<int>& indices) {
  CListCtrl list;
  list.Attach(dialog.GetDlgItem(nID)->GetSafeHwnd());
  CRect client;
  dialog.GetClientRect(&client);
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_UNDERLINEHOT);
  list.InsertColumn(0, heading, LVCFMT_CENTER, client.Width());
  for (size_t i = 0; i < indices.size(); ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", indices[i]);
    list.InsertItem(static_cast<int>(i), text);
  }
  list.Detach();
}

}  // namespace

// --- Set Levels ---

CLevelsDialog::CLevelsDialog(CSpectrum2D& set, CWnd* pParentWnd) : CDialog(IDD, pParentWnd), m_set(set) {}

BOOL CLevelsDialog::OnInitDialog() {
  m_nPositive = m_set.m_nPositiveLevels;
  m_nNegative = m_set.m_nNegativeLevels;
  m_fRatio = m_set.m_fLevelRatio;
  m_fThreshold = m_set.m_fLowestLevel;
  return CDialog::OnInitDialog();
}

void CLevelsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_LEVELS_POSITIVE, m_nPositive);
  DDV_MinMaxInt(pDX, m_nPositive, 0, MaxLevels);
  DDX_Text(pDX, IDC_LEVELS_NEGATIVE, m_nNegative);
  DDV_MinMaxInt(pDX, m_nNegative, 0, MaxLevels);
  DDX_Text(pDX, IDC_LEVELS_RATIO, m_fRatio);
  DDV_MinMaxFloat(pDX, m_fRatio, kLeastRatio, FLT_MAX);
  DDX_Text(pDX, IDC_LEVELS_THRESHOLD, m_fThreshold);
}

void CLevelsDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  m_set.m_nPositiveLevels = m_nPositive;
  m_set.m_nNegativeLevels = m_nNegative;
  m_set.m_fLevelRatio = m_fRatio;
  m_set.m_fLowestLevel = m_fThreshold;
  m_set.m_bPlotDirty = 1;
  EndDialog(IDOK);
}

// --- Scale Units ---

CScaleUnitsDialog::CScaleUnitsDialog(CSpectrum2D& set, CWnd* pParentWnd) : CDialog(IDD, pParentWnd), m_set(set) {}

BOOL CScaleUnitsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckUnits(*this, kUnitsF1, m_set.m_axis.m_nUnitsF1);
  CheckUnits(*this, kUnitsF2, m_set.m_axis.m_nUnitsF2);
  return TRUE;
}

void CScaleUnitsDialog::OnOK() {
  m_set.m_axis.m_nUnitsF1 = CheckedUnits(*this, kUnitsF1, m_set.m_axis.m_nUnitsF1);
  m_set.m_axis.m_nUnitsF2 = CheckedUnits(*this, kUnitsF2, m_set.m_axis.m_nUnitsF2);
  EndDialog(IDOK);
}

// --- Setup Projections ---

BEGIN_MESSAGE_MAP(CProjectionsDialog, CDialog)
  ON_BN_CLICKED(IDC_PROJ_COMPUTE_F1, OnComputeF1)
  ON_BN_CLICKED(IDC_PROJ_COMPUTE_F2, OnComputeF2)
END_MESSAGE_MAP()

CProjectionsDialog::CProjectionsDialog(CSpectrum2D& set, CWnd* pParentWnd) : CDialog(IDD, pParentWnd), m_set(set) {}

BOOL CProjectionsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckDlgButton(IDC_PROJ_F1, m_set.m_bShowProjectionF1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_PROJ_F2, m_set.m_bShowProjectionF2 ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CProjectionsDialog::OnComputeF1() {
  ComputeProjection(m_set, 1);
}

void CProjectionsDialog::OnComputeF2() {
  ComputeProjection(m_set, 2);
}

void CProjectionsDialog::OnOK() {
  m_set.m_bShowProjectionF1 = IsDlgButtonChecked(IDC_PROJ_F1) ? 1 : 0;
  m_set.m_bShowProjectionF2 = IsDlgButtonChecked(IDC_PROJ_F2) ? 1 : 0;
  EndDialog(IDOK);
}

// --- Extracts list ---

BEGIN_MESSAGE_MAP(CExtractsDialog, CDialog)
  ON_BN_CLICKED(IDC_EXTRACT_CLEAR_ROWS, OnClearRows)
  ON_BN_CLICKED(IDC_EXTRACT_CLEAR_COLUMNS, OnClearColumns)
END_MESSAGE_MAP()

CExtractsDialog::CExtractsDialog(CSpectrum2D& set, CWnd* pParentWnd) : CDialog(IDD, pParentWnd), m_set(set) {}

BOOL CExtractsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FillSliceList(*this, IDC_EXTRACT_ROWS, "Row #", m_set.m_rowList);
  FillSliceList(*this, IDC_EXTRACT_COLUMNS, "Col. #", m_set.m_columnList);
  return TRUE;
}

void CExtractsDialog::OnClearRows() {
  m_set.m_rowList.clear();
  SendDlgItemMessage(IDC_EXTRACT_ROWS, LVM_DELETEALLITEMS);
}

void CExtractsDialog::OnClearColumns() {
  m_set.m_columnList.clear();
  SendDlgItemMessage(IDC_EXTRACT_COLUMNS, LVM_DELETEALLITEMS);
}

// --- Customize ---

BEGIN_MESSAGE_MAP(CCustomizeDialog, CDialog)
  ON_BN_CLICKED(IDC_CUSTOM_FONT_F2, OnFontF2)
  ON_BN_CLICKED(IDC_CUSTOM_FONT_F1, OnFontF1)
END_MESSAGE_MAP()

CCustomizeDialog::CCustomizeDialog(const CustomizeSettings& settings, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_settings(settings) {
  m_fontF2.SetFontString(settings.m_fontF2.GetFontString());
  m_fontF1.SetFontString(settings.m_fontF1.GetFontString());
}

BOOL CCustomizeDialog::OnInitDialog() {
  m_nDivisor = m_settings.m_nDivisor;
  m_nMaxCoefficients = m_settings.m_nMaxCoefficients;
  m_bShowF2 = m_settings.m_bShowF2 ? 1 : 0;
  m_bShowF1 = m_settings.m_bShowF1 ? 1 : 0;
  return CDialog::OnInitDialog();
}

void CCustomizeDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_CUSTOM_DIVISOR, m_nDivisor);
  DDX_Text(pDX, IDC_CUSTOM_MAX_COEFFICIENTS, m_nMaxCoefficients);
  DDX_Check(pDX, IDC_CUSTOM_SHOW_F2, m_bShowF2);
  DDX_Check(pDX, IDC_CUSTOM_SHOW_F1, m_bShowF1);
}

void CCustomizeDialog::OnFontF2() {
  ChooseColourFont(m_fontF2, nullptr, nullptr, this);
}

void CCustomizeDialog::OnFontF1() {
  ChooseColourFont(m_fontF1, nullptr, nullptr, this);
}

void CCustomizeDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  if (m_nMaxCoefficients < m_nDivisor)
    m_nDivisor = m_nMaxCoefficients;
  m_settings.m_nDivisor = m_nDivisor;
  m_settings.m_nMaxCoefficients = m_nMaxCoefficients;
  m_settings.m_fontF2.SetFontString(m_fontF2.GetFontString());
  m_settings.m_fontF1.SetFontString(m_fontF1.GetFontString());
  m_settings.m_bShowF2 = m_bShowF2 ? 1 : 0;
  m_settings.m_bShowF1 = m_bShowF1 ? 1 : 0;
  if (CWinApp* pApp = AfxGetApp()) {
    pApp->WriteProfileString(kScale, "Font F2", m_fontF2.GetFontString());
    pApp->WriteProfileString(kScale, "Font F1", m_fontF1.GetFontString());
    pApp->WriteProfileInt(kScale, "Show F2", m_settings.m_bShowF2);
    pApp->WriteProfileInt(kScale, "Show F1", m_settings.m_bShowF1);
  }
  EndDialog(IDOK);
}

// --- Display a Portion of the Spectrum ---

BEGIN_MESSAGE_MAP(CLimitsDialog, CDialog)
  ON_BN_CLICKED(IDC_LIMITS_UNITS, OnUnits)
END_MESSAGE_MAP()

namespace {

// From and To of one axis over indices first .. last: Hz and ppm fall along
// the index, so From is the last index's value.
void AxisLimits(const DimensionBlock& dim, int units, int first, int last, double& from, double& to) {
  if (units == ND_UNITS_HZ || units == ND_UNITS_PPM) {
    from = NdAxisValue(dim, last, units);
    to = NdAxisValue(dim, first, units);
  } else {
    from = NdAxisValue(dim, first, units);
    to = NdAxisValue(dim, last, units);
  }
}

}  // namespace

CLimitsDialog::CLimitsDialog(CSpectrum2D& set, CDocument* pDoc, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_set(set), m_pDoc(pDoc) {}

void CLimitsDialog::Fill() {
  const CRect& zoom = m_set.m_zoom;
  AxisLimits(m_set.m_dims[1], m_set.m_axis.m_nUnitsF1, zoom.top, zoom.bottom - 1, m_f1From, m_f1To);
  AxisLimits(m_set.m_dims[2], m_set.m_axis.m_nUnitsF2, zoom.left, zoom.right - 1, m_f2From, m_f2To);
}

BOOL CLimitsDialog::OnInitDialog() {
  Fill();
  return CDialog::OnInitDialog();
}

void CLimitsDialog::DoDataExchange(CDataExchange* pDX) {
  const bool f1Points = m_set.m_axis.m_nUnitsF1 == ND_UNITS_POINTS;
  const bool f2Points = m_set.m_axis.m_nUnitsF2 == ND_UNITS_POINTS;
  const double f1Last = m_set.m_dims[1].m_nPoints - 1;
  const double f2Last = m_set.m_dims[2].m_nPoints - 1;
  DDX_Text(pDX, IDC_LIMITS_F1_FROM, m_f1From);
  if (f1Points)
    DDV_MinMaxDouble(pDX, m_f1From, 0, f1Last);
  DDX_Text(pDX, IDC_LIMITS_F1_TO, m_f1To);
  if (f1Points)
    DDV_MinMaxDouble(pDX, m_f1To, m_f1From, f1Last);
  DDX_Text(pDX, IDC_LIMITS_F2_FROM, m_f2From);
  if (f2Points)
    DDV_MinMaxDouble(pDX, m_f2From, 0, f2Last);
  DDX_Text(pDX, IDC_LIMITS_F2_TO, m_f2To);
  if (f2Points)
    DDV_MinMaxDouble(pDX, m_f2To, m_f2From, f2Last);
  DDX_Text(pDX, IDC_LIMITS_F1_UNITS, m_strF1Units);
  DDX_Text(pDX, IDC_LIMITS_F2_UNITS, m_strF2Units);
}

void CLimitsDialog::OnUnits() {
  CScaleUnitsDialog dialog(m_set, this);
  if (dialog.DoModal() != IDOK)
    return;
  if (m_pDoc != nullptr)
    m_pDoc->UpdateAllViews(nullptr);
  Fill();
  UpdateData(FALSE);
}

// Values in other units than points are not taken back.
void CLimitsDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  CRect zoom = m_set.m_zoom;
  if (m_set.m_axis.m_nUnitsF1 == ND_UNITS_POINTS) {
    zoom.top = static_cast<int>(m_f1From);
    zoom.bottom = static_cast<int>(m_f1To) + 1;
  }
  if (m_set.m_axis.m_nUnitsF2 == ND_UNITS_POINTS) {
    zoom.left = static_cast<int>(m_f2From);
    zoom.right = static_cast<int>(m_f2To) + 1;
  }
  m_set.m_zoom = zoom;
  m_set.m_bPlotDirty = 1;
  EndDialog(IDOK);
}
