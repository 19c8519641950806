// CRelaxationDialog: the relaxation series of the document, one row per
// spectrum with the delay the user types and the intensity of the picked
// peak or region; Calculate T1 fits the recovery, adds the calculated
// intensities and shows T1 and both series in a plot below the table.
#pragma once

#include <vector>

#include "controls/BaseDialog.h"
#include "controls/IconButton.h"
#include "controls/NotifyGridCtrl.h"
#include "onedim/plot/PlotMarker.h"
#include "onedim/view/LineSample.h"
#include "onedim/view/XYPlotCtrl.h"

class CBrivaneProDoc;

class CRelaxationDialog : public CBaseDialog {
 public:
  CRelaxationDialog(CBrivaneProDoc* pDoc, CWnd* pParent);

  CGridCtrl& GetGrid() { return m_Grid; }
  // The points read from the table: (delay, intensity), and (delay,
  // calculated intensity) once T1 has been calculated.
  const std::vector<PlotPoint>& GetPoints() const { return m_Points; }
  const std::vector<PlotPoint>& GetCalculated() const { return m_Calculated; }

 protected:
  BOOL OnInitDialog() override;
  void OnCalculate();
  void OnDeleteRow();
  void OnReset();
  void OnCopy();
  void OnPrint();
  void OnShowGraph();
  LRESULT OnCellEdited(WPARAM, LPARAM);
  LRESULT OnColourChanged(WPARAM, LPARAM);

 private:
  // One row per spectrum with its intensity; FALSE when there is no memory
  // for the table (reported).
  BOOL FillGrid();
  void ReadGrid();
  // The whole dialog, or only the table above the graph.
  void ShowGraph(BOOL bShow);

  CBrivaneProDoc* m_pDoc;
  CNotifyGridCtrl m_Grid;
  CXYPlotCtrl m_Plot;
  CLineSample m_ExptColour;
  CLineSample m_CalcColour;
  CIconButton m_Buttons[8];
  std::vector<PlotPoint> m_Points;
  std::vector<PlotPoint> m_Calculated;
  BOOL m_bCalcColumn = FALSE;
  int m_nFullHeight = 0;  // measured on first use
  int m_nCutHeight = 0;

  // Whether the next Show Graph shows the graph; the program's, not the
  // dialog's.
  static BYTE s_bShowGraph;

  DECLARE_MESSAGE_MAP()
};
