// A static control that plots data series on simple axes: delay along x,
// intensity along y (the relaxation dialog). A double click near an axis
// recolours the axes, elsewhere the background.
#pragma once

#include <vector>

#include "framework/win/Controls.h"
#include "onedim/plot/PlotMarker.h"

class CXYPlotCtrl : public CStatic {
  DECLARE_DYNAMIC(CXYPlotCtrl)

 public:
  struct Series {
    const std::vector<PlotPoint>* pPoints;  // not owned; x increasing
    CPlotMarker marker;
    COLORREF crCurve;
  };

  CXYPlotCtrl();
  ~CXYPlotCtrl() override;

  // Appends a series drawn in crCurve with hollow markers of the shape;
  // returns 1, or 0 when memory runs out.
  int AddSeries(COLORREF crCurve, const std::vector<PlotPoint>* pPoints, int nShape);

  // The whole picture for a client rectangle; the paint handler's body.
  void DrawPlot(CDC* pDC, const RECT& client);

  std::vector<Series> m_series;
  COLORREF m_crAxis;
  COLORREF m_crBackground;
  int m_nTop;  // the plot frame of the last paint
  int m_nBottom;
  int m_nRight;
  int m_nLeft;

 protected:
  void PreSubclassWindow() override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
