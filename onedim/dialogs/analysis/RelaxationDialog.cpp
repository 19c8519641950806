#include "onedim/dialogs/analysis/RelaxationDialog.h"

#include <cstdlib>
#include <new>

#include "framework/base/Exception.h"
#include "framework/win/UiHooks.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/processing/RelaxationFit.h"
#include "resources/BrivaneRes.h"

BYTE CRelaxationDialog::s_bShowGraph = 1;

BEGIN_MESSAGE_MAP(CRelaxationDialog, CBaseDialog)
  ON_BN_CLICKED(IDC_RELAX_CALCULATE, OnCalculate)
  ON_BN_CLICKED(IDC_RELAX_DELETE_ROW, OnDeleteRow)
  ON_BN_CLICKED(IDC_RELAX_RESET, OnReset)
  ON_BN_CLICKED(IDC_RELAX_COPY, OnCopy)
  ON_BN_CLICKED(IDC_RELAX_PRINT, OnPrint)
  ON_BN_CLICKED(IDC_RELAX_SHOW_GRAPH, OnShowGraph)
  ON_MESSAGE(WMU_GRID_CELL_EDITED, OnCellEdited)
  ON_MESSAGE(WM_LINE_SAMPLE_CHANGED, OnColourChanged)
END_MESSAGE_MAP()

namespace {

const COLORREF kExptColour = RGB(255, 255, 255);
const COLORREF kCalcColour = RGB(0, 255, 0);
const UINT kHeading = DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

const struct {
  int nID;
  int nIcon;
} kIconButtons[] = {{IDC_RELAX_PRINT, IDI_DATA_PRINT},       {IDC_RELAX_COPY, IDI_HISTORY_COPY},
                    {IDC_RELAX_DELETE_ROW, IDI_RELAX_DELETE_ROW}, {IDC_RELAX_SHOW_GRAPH, IDI_RELAX_SHOW_GRAPH},
                    {IDC_RELAX_CALCULATE, IDI_RELAX_CALCULATE}, {IDC_RELAX_RESET, IDI_RELAX_RESET},
                    {IDC_RELAX_EXPT, IDI_RELAX_EXPT},          {IDC_RELAX_CALC, IDI_RELAX_CALC}};

const char* FitMessage(RelaxationFitResult result) {
  switch (result) {
    case relaxTooFewRows:
      return "T1 needs at least three delays";
    case relaxTooFewBelow:
      return "T1 needs at least two intensities below the last one";
    case relaxEqualDelays:
      return "T1 needs delays that differ";
    default:
      return "These intensities give no T1";
  }
}

}  // namespace

CRelaxationDialog::CRelaxationDialog(CBrivaneProDoc* pDoc, CWnd* pParent)
    : CBaseDialog(IDD_RELAXATION, pParent), m_pDoc(pDoc) {}

BOOL CRelaxationDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  m_Grid.SubclassWindow(::GetDlgItem(m_hWnd, IDC_RELAX_GRID));
  m_Plot.SubclassDlgItem(IDC_RELAX_PLOT, this);
  m_Plot.m_crBackground = RGB(192, 255, 192);
  m_ExptColour.SubclassDlgItem(IDC_RELAX_EXPT_COLOUR, this);
  m_ExptColour.m_crLine = kExptColour;
  m_ExptColour.m_nShape = MARKER_DIAMOND;
  m_CalcColour.SubclassDlgItem(IDC_RELAX_CALC_COLOUR, this);
  m_CalcColour.m_crLine = kCalcColour;
  m_CalcColour.m_nShape = MARKER_CIRCLE;
  for (int i = 0; i < 8; i++) {
    m_Buttons[i].SubclassDlgItem(kIconButtons[i].nID, this);
    m_Buttons[i].SetIcon(kIconButtons[i].nIcon);
  }
  ShowGraph(FALSE);
  if (!FillGrid()) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  ReadGrid();
  m_Plot.AddSeries(m_ExptColour.m_crLine, &m_Points, MARKER_DIAMOND);
  return TRUE;
}

BOOL CRelaxationDialog::FillGrid() {
  const std::vector<CString> intensities = m_pDoc->GetRelaxationIntensities();
  const int n = (int)intensities.size();
  try {
    m_Grid.SetColumnCount(3);
    m_Grid.SetRowCount(n + 1);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetFixedColumnCount(1);
  } catch (const std::bad_alloc&) {
    CMemoryException e(FALSE);
    e.ReportError();
    return FALSE;
  }
  m_bCalcColumn = FALSE;
  const char* headings[] = {"Number", "Delay", "Int."};
  for (int c = 0; c < 3; c++) {
    m_Grid.SetItemText(0, c, headings[c]);
    m_Grid.SetItemFormat(0, c, kHeading);
  }
  for (int k = 1; k <= n; k++) {
    CString number;
    number.Format("%d", k);
    m_Grid.SetItemText(k, 0, number);
    m_Grid.SetItemText(k, 1, "  ");
    m_Grid.SetItemText(k, 2, intensities[k - 1]);
  }
  m_Grid.StretchColumnsToWidth();
  // A new table has no calculated series yet.
  m_Calculated.clear();
  if (m_Plot.m_series.size() > 1)
    m_Plot.m_series.resize(1);
  return TRUE;
}

// Texts that are no number read as 0.
void CRelaxationDialog::ReadGrid() {
  m_Points.clear();
  m_Calculated.clear();
  for (int r = 1; r < m_Grid.GetRowCount(); r++) {
    const float fDelay = (float)std::atof(m_Grid.GetItemText(r, 1));
    m_Points.push_back({fDelay, (float)std::atof(m_Grid.GetItemText(r, 2))});
    if (m_bCalcColumn)
      m_Calculated.push_back({fDelay, (float)std::atof(m_Grid.GetItemText(r, 3))});
  }
}

void CRelaxationDialog::OnCalculate() {
  ReadGrid();
  std::vector<CRelaxationPoint> points;
  for (const PlotPoint& p : m_Points)
    points.push_back({p.x, p.y});
  CRelaxationFit fit;
  std::vector<CRelaxationPoint> calculated;
  const RelaxationFitResult result = FitRelaxation(points, fit, calculated);
  if (result != relaxFitted) {
    SetDlgItemText(IDC_RELAX_RESULT, "");
    AfxMessageBox(FitMessage(result), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!m_bCalcColumn) {
    m_Grid.InsertColumn("Calc.", kHeading);
    m_bCalcColumn = TRUE;
  }
  m_Calculated.clear();
  for (size_t k = 0; k < calculated.size(); k++) {
    CString text;
    text.Format("%.1lf", (double)calculated[k].fIntensity);
    m_Grid.SetItemText((int)k + 1, 3, text);
    m_Calculated.push_back({calculated[k].fDelay, calculated[k].fIntensity});
  }
  if (m_Plot.m_series.size() < 2)
    m_Plot.AddSeries(m_CalcColour.m_crLine, &m_Calculated, MARKER_CIRCLE);
  m_Grid.AutoSizeColumns();
  m_Grid.StretchColumnsToWidth();
  m_Grid.Invalidate();
  CString text;
  text.Format("T1=%.3lf", fit.dT1);
  SetDlgItemText(IDC_RELAX_RESULT, text);
  m_Plot.Invalidate();
}

void CRelaxationDialog::OnDeleteRow() {
  const CCellID cell = m_Grid.GetFocusCell();
  if (!cell.IsValid() || cell.row < m_Grid.GetFixedRowCount())
    return;
  m_Grid.DeleteRow(cell.row);
  m_Grid.Invalidate();
  ReadGrid();
  m_Plot.Invalidate();
}

void CRelaxationDialog::OnReset() {
  if (!FillGrid())
    return;
  m_Grid.Invalidate();
  ReadGrid();
  m_Plot.Invalidate();
}

void CRelaxationDialog::OnCopy() {
  m_Grid.OnEditCopy();
}

void CRelaxationDialog::OnPrint() {
  m_Grid.Print();
}

void CRelaxationDialog::ShowGraph(BOOL bShow) {
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  if (m_nFullHeight == 0) {
    CRect rcTop;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_RELAX_GRAPH_TOP), &rcTop);
    m_nFullHeight = rcWindow.Height();
    m_nCutHeight = rcTop.top - rcWindow.top;
  }
  SetWindowPos(nullptr, 0, 0, rcWindow.Width(), bShow ? m_nFullHeight : m_nCutHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetDlgItemText(IDC_RELAX_SHOW_GRAPH, bShow ? " &Hide Graph" : " &Show Graph");
}

void CRelaxationDialog::OnShowGraph() {
  ShowGraph(s_bShowGraph);
  s_bShowGraph = s_bShowGraph ? 0 : 1;
}

LRESULT CRelaxationDialog::OnCellEdited(WPARAM, LPARAM) {
  ReadGrid();
  m_Plot.Invalidate();
  return 0;
}

LRESULT CRelaxationDialog::OnColourChanged(WPARAM, LPARAM) {
  if (!m_Plot.m_series.empty())
    m_Plot.m_series[0].crCurve = m_ExptColour.m_crLine;
  if (m_Plot.m_series.size() == 2)
    m_Plot.m_series[1].crCurve = m_CalcColour.m_crLine;
  m_Plot.Invalidate();
  return 0;
}
