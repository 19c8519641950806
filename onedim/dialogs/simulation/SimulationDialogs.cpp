#include "onedim/dialogs/simulation/SimulationDialogs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/simulation/CompositeSpinSystem.h"
#include "onedim/simulation/FidSynthesizer.h"
#include "onedim/simulation/SpinSimulation.h"
#include "onedim/simulation/SpinSystem.h"

namespace {

const double kDegreesToRadians = 0.01745327777777778;
const char kSignalsNotFinite[] = "Frequencies, intensities, phases and line widths must be finite numbers";
const char kNoMemory[] = "error allocating memory";

CString Letter(int nIndex) {
  CString s;
  s.Format("%c", 'A' + nIndex);
  return s;
}

CString Formatted(LPCSTR pszFormat, double dValue) {
  CString s;
  s.Format(pszFormat, dValue);
  return s;
}

BOOL IsFiniteText(const CString& s) {
  return std::isfinite(std::atof(s));
}

}  // namespace

// --- The Simulation dialog ---

BEGIN_MESSAGE_MAP(CSimulationDialog, CDialog)
  ON_CBN_SELCHANGE(IDC_SIM_GROUPS, OnGroupsChanged)
  ON_CBN_SELCHANGE(IDC_SIM_UNITS, OnUnitsChanged)
  ON_CBN_SELCHANGE(IDC_SIM_SUBSYSTEM, OnSubsystemChanged)
  ON_BN_CLICKED(IDC_SIM_ADD_SUBSYSTEM, OnAddSubsystem)
  ON_CBN_SELCHANGE(IDC_SIM_LINE_SHAPE, OnLineShapeChanged)
  ON_BN_CLICKED(IDC_SIM_LOAD_PARAM, OnLoadParam)
  ON_MESSAGE(WMU_GRID_CELL_EDITED, OnCellEdited)
END_MESSAGE_MAP()

CSimulationDialog::CSimulationDialog(CSpectrum& spectrum, CWnd* pParent)
    : CDialog(IDD, pParent), m_Spectrum(spectrum), m_pSystem(nullptr), m_nUnits(0) {
  // The template's grid is a window of the grid's class.
  CGridCtrl::RegisterGridClass();
  const std::vector<CSpinSystem*> systems = GetSpinSystems(spectrum);
  if (!systems.empty())
    m_pSystem = systems.front();
}

BOOL CSimulationDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Groups.SubclassDlgItem(IDC_SIM_GROUPS, this);
  m_Units.SubclassDlgItem(IDC_SIM_UNITS, this);
  m_Subsystem.SubclassDlgItem(IDC_SIM_SUBSYSTEM, this);
  m_LineShape.SubclassDlgItem(IDC_SIM_LINE_SHAPE, this);
  m_Grid.SubclassWindow(::GetDlgItem(m_hWnd, IDC_SIM_GRID));
  m_Diagram.SubclassDlgItem(IDC_SIM_DIAGRAM, this);
  m_Diagram.SetGrid(&m_Grid);
  for (int i = 0; i <= MaxGroups; i++)
    m_Groups.AddString(Formatted("%.0f", i));
  m_Units.AddString("Hz");
  m_Units.AddString("ppm");
  m_LineShape.AddString("Lorentzian");
  m_LineShape.AddString("Gaussian");
  m_LineShape.SetCurSel(0);
  m_Spectrum.m_bGaussian = 0;

  const int nSystems = std::max(1, (int)GetSpinSystems(m_Spectrum).size());
  for (int i = 1; i <= nSystems; i++)
    m_Subsystem.AddString(Formatted("%.0f", i));
  m_Subsystem.SetCurSel(0);
  Fill();
  return TRUE;
}

int CSimulationDialog::GetGroupCount() const {
  return std::max(1, m_Groups.GetCurSel());
}

double CSimulationDialog::GetSpectrometerFrequency() {
  CString s;
  GetDlgItemText(IDC_SIM_SF, s);
  return std::atof(s);
}

CString CSimulationDialog::GetKeyText(int nKey) {
  if (nKey < 0)
    return m_Grid.GetItemText(-nKey, 2);
  CString s;
  GetDlgItemText(nKey, s);
  return s;
}

void CSimulationDialog::SetKeyText(int nKey, LPCSTR pszText) {
  if (nKey < 0)
    m_Grid.SetItemText(-nKey, 2, pszText);
  else
    SetDlgItemText(nKey, pszText);
}

void CSimulationDialog::ShowConverted(int nKey, double dHz, double dSf, LPCSTR pszFormat) {
  const CString strText = Formatted(pszFormat, dHz / dSf);
  SetKeyText(nKey, strText);
  m_Converted[nKey] = {strText, dHz, dSf};
}

double CSimulationDialog::ReadHz(int nKey, const CString& strText, double dSf) const {
  if (m_nUnits == 0)
    return std::atof(strText);
  auto it = m_Converted.find(nKey);
  if (it != m_Converted.end() && it->second.strShown == strText && it->second.dSf == dSf)
    return it->second.dHz;
  return std::atof(strText) * dSf;
}

void CSimulationDialog::Fill() {
  CSpinSystem* s = m_pSystem;
  if (s == nullptr)
    return;
  m_Converted.clear();
  m_nUnits = s->m_bPpm ? 1 : 0;
  m_Groups.SetCurSel(std::min((int)MaxGroups, std::max(0, s->m_nGroups)));
  m_Units.SetCurSel(m_nUnits);
  m_Diagram.SetNodeCount(GetGroupCount());
  SetDlgItemText(IDC_SIM_SF, Formatted("%.3lf", s->m_dSpectrometerFrequency));
  // As OK will read it back.
  const double sf = GetSpectrometerFrequency();
  if (m_nUnits == 1 && sf != 0.0) {
    ShowConverted(IDC_SIM_MIN_FREQ, s->m_dMinFrequency, sf, "%.3lf");
    ShowConverted(IDC_SIM_MAX_FREQ, s->m_dMaxFrequency, sf, "%.3lf");
  } else {
    SetDlgItemText(IDC_SIM_MIN_FREQ, Formatted("%.3lf", s->m_dMinFrequency));
    SetDlgItemText(IDC_SIM_MAX_FREQ, Formatted("%.3lf", s->m_dMaxFrequency));
  }
  SetDlgItemText(IDC_SIM_LINE_WIDTH, Formatted("%.3lf", s->m_dLineWidth));
  SetDlgItemText(IDC_SIM_POINTS, Formatted("%.0f", s->m_nPoints));
  SetDlgItemText(IDC_SIM_THRESHOLD, Formatted("%.5lf", s->m_dThreshold));
  LayoutGrid(GetGroupCount());
  FillGrid();
  m_Diagram.Invalidate();
}

void CSimulationDialog::LayoutGrid(int nGroups) {
  m_Grid.SetRowCount(nGroups + 1);
  m_Grid.SetColumnCount(nGroups + 3);
  m_Grid.SetFixedRowCount(1);
  m_Grid.SetFixedColumnCount(1);
  for (int c = 0; c < nGroups + 3; c++)
    m_Grid.SetColumnWidth(c, c < 2 ? 27 : 45);
  m_Grid.SetItemText(0, 1, "N");
  m_Grid.SetItemText(0, 2, "Shift");
  const COLORREF crLocked = ::GetSysColor(COLOR_APPWORKSPACE);
  for (int g = 0; g < nGroups; g++) {
    m_Grid.SetItemText(0, g + 3, Letter(g));
    m_Grid.SetItemText(g + 1, 0, Letter(g));
  }
  for (int r = 0; r <= nGroups; r++)
    for (int c = 0; c < nGroups + 3; c++) {
      if (r == 0 || c == 0)
        m_Grid.SetItemFormat(r, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      // The diagonal and the upper triangle: J(p, q), p < q, is entered in
      // row q only.
      const BOOL bLocked = (r == 0 && c == 0) || (r >= 1 && c >= r + 2);
      const UINT nState = m_Grid.GetItemState(r, c) & ~GVIS_READONLY;
      m_Grid.SetItemState(r, c, bLocked ? nState | GVIS_READONLY : nState);
      if (bLocked) {
        m_Grid.SetItemBkColor(r, c, crLocked);
        if (r > 0)
          m_Grid.SetItemText(r, c, "");
      } else if (r > 0 && c > 0) {
        m_Grid.SetItemBkColor(r, c);
      }
    }
  m_Grid.Invalidate();
}

void CSimulationDialog::FillGrid() {
  const CSpinSystem* s = m_pSystem;
  const int nGroups = GetGroupCount();
  const BOOL bArrays = s->m_pSpins != nullptr && s->m_pShifts != nullptr && s->m_ppCoupling != nullptr;
  const double sf = GetSpectrometerFrequency();
  for (int g = 0; g < nGroups; g++) {
    const BOOL bHas = bArrays && g < s->m_nGroups;
    const int n = bHas ? s->m_pSpins[g] : 0;
    m_Grid.SetItemText(g + 1, 1, n > 0 ? (LPCSTR)Formatted("%.0f", n) : "");
    const double dShift = bHas ? s->m_pShifts[g] : 0.0;
    if (!(std::fabs(dShift) > 1e-8))
      m_Grid.SetItemText(g + 1, 2, "");
    else if (m_nUnits == 1 && sf != 0.0)
      ShowConverted(-(g + 1), dShift, sf, "%.3lf");
    else
      m_Grid.SetItemText(g + 1, 2, Formatted("%.3lf", dShift));
    for (int p = 0; p < g; p++) {
      const double j = bHas && p < s->m_nGroups ? s->m_ppCoupling[p][g] : 0.0;
      m_Grid.SetItemText(g + 1, p + 3, std::fabs(j) > 1e-7 ? (LPCSTR)Formatted("%.3lf", j) : "");
    }
  }
  m_Grid.Invalidate();
}

BOOL CSimulationDialog::CheckValues() {
  const int nGroups = GetGroupCount();
  for (int r = 1; r <= nGroups; r++)
    for (int c = 2; c < r + 2; c++)
      if (!IsFiniteText(m_Grid.GetItemText(r, c))) {
        AfxMessageBox(CCompositeSpinSystem::NotFiniteText, MB_OK | MB_ICONEXCLAMATION);
        m_Grid.SetFocus();
        m_Grid.SetFocusCell(r, c);
        return FALSE;
      }
  return TRUE;
}

void CSimulationDialog::Store() {
  CSpinSystem* s = m_pSystem;
  const int nGroups = GetGroupCount();
  const double sf = GetSpectrometerFrequency();
  // Read everything before the arrays are replaced.
  std::vector<int> spins((size_t)nGroups);
  std::vector<double> shifts((size_t)nGroups);
  std::vector<double> coupling((size_t)nGroups * nGroups, 0.0);
  for (int g = 0; g < nGroups; g++) {
    spins[(size_t)g] = std::atoi(m_Grid.GetItemText(g + 1, 1));
    shifts[(size_t)g] = ReadHz(-(g + 1), m_Grid.GetItemText(g + 1, 2), sf);
    for (int p = 0; p < g; p++)
      coupling[(size_t)p * nGroups + g] = std::atof(m_Grid.GetItemText(g + 1, p + 3));
  }
  const double dMin = ReadHz(IDC_SIM_MIN_FREQ, GetKeyText(IDC_SIM_MIN_FREQ), sf);
  const double dMax = ReadHz(IDC_SIM_MAX_FREQ, GetKeyText(IDC_SIM_MAX_FREQ), sf);
  CString strWidth, strPoints, strThreshold;
  GetDlgItemText(IDC_SIM_LINE_WIDTH, strWidth);
  GetDlgItemText(IDC_SIM_POINTS, strPoints);
  GetDlgItemText(IDC_SIM_THRESHOLD, strThreshold);

  if (s->SetGroupCount(nGroups)) {
    for (int g = 0; g < nGroups; g++) {
      s->m_pSpins[g] = spins[(size_t)g];
      s->m_pShifts[g] = (float)shifts[(size_t)g];
      for (int q = 0; q < nGroups; q++)
        s->m_ppCoupling[g][q] = coupling[(size_t)g * nGroups + q];
    }
  } else {
    AfxMessageBox(kNoMemory);
  }
  s->m_dSpectrometerFrequency = sf;
  s->m_dMinFrequency = dMin;
  s->m_dMaxFrequency = dMax;
  s->m_dLineWidth = std::atof(strWidth);
  s->m_nPoints = std::atoi(strPoints);
  s->m_dThreshold = std::atof(strThreshold);
  s->m_bPpm = (BYTE)m_nUnits;
}

void CSimulationDialog::OnGroupsChanged() {
  if (m_Groups.GetCurSel() <= 0)
    m_Groups.SetCurSel(1);
  const int nGroups = GetGroupCount();
  m_Diagram.SetNodeCount(nGroups);
  LayoutGrid(nGroups);
  m_Diagram.Invalidate();
}

void CSimulationDialog::OnUnitsChanged() {
  const int nUnits = m_Units.GetCurSel() == 1 ? 1 : 0;
  if (nUnits == m_nUnits)
    return;
  const double sf = GetSpectrometerFrequency();
  if (sf == 0.0 || !std::isfinite(sf)) {
    m_Units.SetCurSel(m_nUnits);
    return;
  }
  std::vector<int> keys = {IDC_SIM_MIN_FREQ, IDC_SIM_MAX_FREQ};
  for (int g = 0; g < GetGroupCount(); g++)
    if (!m_Grid.GetItemText(g + 1, 2).IsEmpty())
      keys.push_back(-(g + 1));
  for (int nKey : keys) {
    const double dHz = ReadHz(nKey, GetKeyText(nKey), sf);
    if (nUnits == 1)
      ShowConverted(nKey, dHz, sf, nKey < 0 ? "%.3lf" : "%.1lf");
    else
      SetKeyText(nKey, Formatted("%.3lf", dHz));
  }
  m_nUnits = nUnits;
  if (nUnits == 0)
    m_Converted.clear();
  m_Grid.Invalidate();
}

void CSimulationDialog::OnSubsystemChanged() {
  const std::vector<CSpinSystem*> systems = GetSpinSystems(m_Spectrum);
  const int nSelected = m_Subsystem.GetCurSel();
  if (nSelected < 0 || nSelected >= (int)systems.size())
    return;
  Store();
  m_pSystem = systems[(size_t)nSelected];
  Fill();
}

void CSimulationDialog::OnAddSubsystem() {
  Store();
  CSpinSystem* pSystem = new CSpinSystem;
  m_Spectrum.m_arrObjects.Add(pSystem);
  m_pSystem = pSystem;
  const int nSystems = (int)GetSpinSystems(m_Spectrum).size();
  m_Subsystem.AddString(Formatted("%.0f", nSystems));
  m_Subsystem.SetCurSel(nSystems - 1);
  Fill();
}

void CSimulationDialog::OnLineShapeChanged() {
  m_Spectrum.m_bGaussian = m_LineShape.GetCurSel() == 1 ? 1 : 0;
}

void CSimulationDialog::OnLoadParam() {
  SetDlgItemText(IDC_SIM_POINTS, Formatted("%.0f", m_Spectrum.m_paramsA.td));
}

LRESULT CSimulationDialog::OnCellEdited(WPARAM, LPARAM) {
  m_Diagram.Invalidate();
  return 0;
}

void CSimulationDialog::OnOK() {
  if (m_pSystem == nullptr || !CheckValues())
    return;
  Store();
  EndDialog(IDOK);
}

// --- Chemical Shift and Coupling Constant ---

BOOL CChemicalShiftDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CString s;
  s.Format("Group %s", (LPCSTR)m_strGroup);
  SetDlgItemText(IDC_CS_GROUP, s);
  SetDlgItemText(IDC_CS_SPINS, Formatted("%.0f", m_nSpins));
  SetDlgItemText(IDC_CS_SHIFT, Formatted("%.2lf", m_dShift));
  return TRUE;
}

void CChemicalShiftDialog::OnOK() {
  CString strSpins, strShift;
  GetDlgItemText(IDC_CS_SPINS, strSpins);
  GetDlgItemText(IDC_CS_SHIFT, strShift);
  if (!IsFiniteText(strShift)) {
    AfxMessageBox(CCompositeSpinSystem::NotFiniteText, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  m_nSpins = std::atoi(strSpins);
  m_dShift = std::atof(strShift);
  EndDialog(IDOK);
}

BOOL CCouplingConstantDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_CC_VALUE, Formatted("%.2lf", m_dCoupling));
  return TRUE;
}

void CCouplingConstantDialog::OnOK() {
  CString s;
  GetDlgItemText(IDC_CC_VALUE, s);
  if (!IsFiniteText(s)) {
    AfxMessageBox(CCompositeSpinSystem::NotFiniteText, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  m_dCoupling = std::atof(s);
  EndDialog(IDOK);
}

// --- Interactive Simulation ---

BEGIN_MESSAGE_MAP(CInteractiveSimulationDialog, CDialog)
  ON_CBN_SELCHANGE(IDC_ISIM_SHIFTS, OnShiftSelected)
  ON_CBN_SELCHANGE(IDC_ISIM_COUPLINGS, OnCouplingSelected)
  ON_CBN_SELCHANGE(IDC_ISIM_SUBSYSTEM, OnSubsystemChanged)
  ON_BN_CLICKED(IDC_ISIM_APPLY, OnApply)
  ON_MESSAGE(WMU_REPEAT_VALUE, OnRepeat)
END_MESSAGE_MAP()

CInteractiveSimulationDialog::CInteractiveSimulationDialog(CBrivaneProDoc& doc, CWnd* pParent)
    : CDialog(IDD, pParent), m_Doc(doc), m_pSystem(nullptr), m_bCoupling(FALSE), m_nShift(0), m_nP(0), m_nQ(1) {}

BOOL CInteractiveSimulationDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Shifts.SubclassDlgItem(IDC_ISIM_SHIFTS, this);
  m_Couplings.SubclassDlgItem(IDC_ISIM_COUPLINGS, this);
  m_Subsystem.SubclassDlgItem(IDC_ISIM_SUBSYSTEM, this);
  m_Inc.Create("Inc >>", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(90, 15, 150, 40), this, IDC_ISIM_INC);
  m_Dec.Create("<< Dec", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 15, 80, 40), this, IDC_ISIM_DEC);
  LOGFONT lf = {};
  if (CFont* pFont = GetFont())
    pFont->GetLogFont(&lf);
  lf.lfWeight = FW_BOLD;
  if (m_BoldFont.CreateFontIndirect(&lf))
    GetDlgItem(IDC_ISIM_LABEL)->SetFont(&m_BoldFont);

  const CSpectrum* pSpectrum = m_Doc.GetCurrentSpectrum();
  const std::vector<CSpinSystem*> systems =
      pSpectrum != nullptr ? GetSpinSystems(*pSpectrum) : std::vector<CSpinSystem*>();
  if (!systems.empty())
    m_pSystem = systems.front();
  for (int i = 1; i <= std::max(1, (int)systems.size()); i++)
    m_Subsystem.AddString(Formatted("%.0f", i));
  m_Subsystem.SetCurSel(0);
  SetDlgItemText(IDC_ISIM_INCREMENT, "2");
  FillCombos();
  m_Shifts.SetCurSel(0);
  m_Couplings.SetCurSel(0);
  OnShiftSelected();
  return TRUE;
}

void CInteractiveSimulationDialog::FillCombos() {
  const int nShift = m_Shifts.GetCurSel(), nCoupling = m_Couplings.GetCurSel();
  m_Shifts.ResetContent();
  m_Couplings.ResetContent();
  const CSpinSystem* s = m_pSystem;
  if (s == nullptr || s->m_pShifts == nullptr || s->m_ppCoupling == nullptr)
    return;
  for (int g = 0; g < s->m_nGroups; g++) {
    CString item;
    item.Format("Shift %s= %.3lf", (LPCSTR)Letter(g), (double)s->m_pShifts[g]);
    m_Shifts.AddString(item);
  }
  for (int p = 0; p < s->m_nGroups; p++)
    for (int q = p + 1; q < s->m_nGroups; q++) {
      CString item;
      item.Format("J(%s,%s)=%.3lf", (LPCSTR)Letter(p), (LPCSTR)Letter(q), s->m_ppCoupling[p][q]);
      const int nItem = m_Couplings.AddString(item);
      m_Couplings.SetItemData(nItem, (DWORD_PTR)(p * 256 + q));
    }
  m_Shifts.SetCurSel(nShift);
  m_Couplings.SetCurSel(nCoupling);
}

void CInteractiveSimulationDialog::ShowSelection() {
  const CSpinSystem* s = m_pSystem;
  if (s == nullptr || s->m_pShifts == nullptr || s->m_ppCoupling == nullptr)
    return;
  CString label;
  if (m_bCoupling) {
    label.Format("Coupling Constant %s%s", (LPCSTR)Letter(m_nP), (LPCSTR)Letter(m_nQ));
    SetDlgItemText(IDC_ISIM_VALUE, Formatted("%.1lf", s->m_ppCoupling[m_nP][m_nQ]));
  } else {
    label.Format("Shift of Nucleus %s", (LPCSTR)Letter(m_nShift));
    SetDlgItemText(IDC_ISIM_VALUE, Formatted("%.3lf", (double)s->m_pShifts[m_nShift]));
  }
  SetDlgItemText(IDC_ISIM_LABEL, label);
}

void CInteractiveSimulationDialog::OnShiftSelected() {
  const int nItem = m_Shifts.GetCurSel();
  if (nItem < 0)
    return;
  m_bCoupling = FALSE;
  m_nShift = nItem;
  ShowSelection();
}

void CInteractiveSimulationDialog::OnCouplingSelected() {
  const int nItem = m_Couplings.GetCurSel();
  if (nItem < 0)
    return;
  const int nPair = (int)m_Couplings.GetItemData(nItem);
  m_bCoupling = TRUE;
  m_nP = nPair / 256;
  m_nQ = nPair % 256;
  ShowSelection();
}

void CInteractiveSimulationDialog::OnSubsystemChanged() {
  const CSpectrum* pSpectrum = m_Doc.GetCurrentSpectrum();
  if (pSpectrum == nullptr)
    return;
  const std::vector<CSpinSystem*> systems = GetSpinSystems(*pSpectrum);
  const int nSelected = m_Subsystem.GetCurSel();
  if (nSelected < 0 || nSelected >= (int)systems.size())
    return;
  m_pSystem = systems[(size_t)nSelected];
  m_Shifts.SetCurSel(-1);
  m_Couplings.SetCurSel(-1);
  FillCombos();
  m_Shifts.SetCurSel(0);
  m_Couplings.SetCurSel(0);
  OnShiftSelected();
}

void CInteractiveSimulationDialog::SetValue(double dValue) {
  CSpinSystem* s = m_pSystem;
  if (s == nullptr || s->m_pShifts == nullptr || s->m_ppCoupling == nullptr || !std::isfinite(dValue))
    return;
  if (m_bCoupling)
    s->m_ppCoupling[m_nP][m_nQ] = dValue;
  else if (m_nShift < s->m_nGroups)
    s->m_pShifts[m_nShift] = (float)dValue;
  FillCombos();
  CWaitCursor wait;
  m_Doc.RecomputeSimulation();
}

void CInteractiveSimulationDialog::OnApply() {
  CString s;
  GetDlgItemText(IDC_ISIM_VALUE, s);
  SetValue(std::atof(s));
}

LRESULT CInteractiveSimulationDialog::OnRepeat(WPARAM wParam, LPARAM) {
  CString strValue, strIncrement;
  GetDlgItemText(IDC_ISIM_VALUE, strValue);
  GetDlgItemText(IDC_ISIM_INCREMENT, strIncrement);
  const double dIncrement = std::atof(strIncrement);
  const double dValue = std::atof(strValue) + ((UINT)wParam == IDC_ISIM_INC ? dIncrement : -dIncrement);
  SetDlgItemText(IDC_ISIM_VALUE, Formatted("%.3lf", dValue));
  GetDlgItem(IDC_ISIM_VALUE)->UpdateWindow();
  SetValue(dValue);
  return 0;
}

// --- Fid Simulation ---

CFidSimulationDialog::CFidSimulationDialog(CBrivaneProDoc& doc, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_nSignals(1),
      m_nPoints(16384),
      m_fOperatingFrequency(300.0f),
      m_fSpectralWidth(2000.0f),
      m_Doc(doc) {
  CGridCtrl::RegisterGridClass();
}

void CFidSimulationDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FSIM_SIGNALS, m_nSignals);
  DDV_MinMaxInt(pDX, m_nSignals, 0, MaxSignals);
  DDX_Text(pDX, IDC_FSIM_POINTS, m_nPoints);
  DDV_MinMaxInt(pDX, m_nPoints, 1, MaxPoints);
  DDX_Text(pDX, IDC_FSIM_SF, m_fOperatingFrequency);
  DDX_Text(pDX, IDC_FSIM_SW, m_fSpectralWidth);
  DDV_MinMaxFloat(pDX, m_fSpectralWidth, 0.001f, 1e9f);
}

BOOL CFidSimulationDialog::OnInitDialog() {
  m_nSignals = 1;
  m_nPoints = 16384;
  m_fSpectralWidth = 2000.0f;
  m_fOperatingFrequency = 300.0f;
  m_Grid.SubclassWindow(::GetDlgItem(m_hWnd, IDC_FSIM_GRID));
  m_Grid.SetRowCount(m_nSignals + 1);
  m_Grid.SetColumnCount(4);
  m_Grid.SetFixedRowCount(1);
  m_Grid.SetFixedColumnCount(0);
  const char* const headings[] = {"Freq.", "Intensity", "Phase", "LW"};
  for (int c = 0; c < 4; c++)
    m_Grid.SetItemText(0, c, headings[c]);
  return CDialog::OnInitDialog();
}

BOOL CFidSimulationDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
      ::GetFocus() == ::GetDlgItem(m_hWnd, IDC_FSIM_SIGNALS)) {
    if (UpdateData(TRUE)) {
      m_Grid.SetRowCount(m_nSignals + 1);
      UpdateData(FALSE);
    }
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CFidSimulationDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  // The grid may have fewer rows than the count typed without Enter.
  if (m_Grid.GetRowCount() != m_nSignals + 1)
    m_Grid.SetRowCount(m_nSignals + 1);
  std::vector<CFidSignal> signals((size_t)m_nSignals);
  for (int i = 0; i < m_nSignals; i++) {
    CFidSignal& signal = signals[(size_t)i];
    signal.dFrequency = std::atof(m_Grid.GetItemText(i + 1, 0));
    signal.dIntensity = std::atof(m_Grid.GetItemText(i + 1, 1));
    signal.dPhase = std::atof(m_Grid.GetItemText(i + 1, 2)) * kDegreesToRadians;
    signal.dLineWidth = std::atof(m_Grid.GetItemText(i + 1, 3));
    if (!std::isfinite(signal.dFrequency) || !std::isfinite(signal.dIntensity) || !std::isfinite(signal.dPhase) ||
        !std::isfinite(signal.dLineWidth)) {
      AfxMessageBox(kSignalsNotFinite, MB_OK | MB_ICONEXCLAMATION);
      m_Grid.SetFocus();
      m_Grid.SetFocusCell(i + 1, 0);
      return;
    }
  }
  if (!m_Doc.AddFidSimulation(m_nPoints, m_fSpectralWidth, m_fOperatingFrequency, signals)) {
    AfxMessageBox(kNoMemory);
    return;
  }
  EndDialog(IDOK);
}
