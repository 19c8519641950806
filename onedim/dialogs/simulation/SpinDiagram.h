// CSpinDiagram: the Simulation dialog's picture of a spin system, a static
// control it subclasses. One ball per group on a circle, a line between
// every two coupled groups; a click on a ball edits the group, a drag from
// one ball to another edits their coupling. Values are read from and written
// to the dialog's grid, which stays the one place they are kept.
#pragma once

#include <vector>

#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"

class CGridCtrl;

struct CSpinNode {
  int x = 0;  // centre
  int y = 0;
  RECT rect = {};  // centre plus and minus the radius
  int nIndex = 0;  // 0 = "A"
  COLORREF crColour = RGB(0, 0, 255);
  int nRadius = 12;
};

class CSpinDiagram : public CStatic {
 public:
  enum { PenCount = 9 };
  static const COLORREF NodeColour;
  static const COLORREF HotColour;

  CSpinDiagram();
  ~CSpinDiagram() override;

  // The grid the values live in (rows and columns as the Simulation dialog
  // lays them out); not owned.
  void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
  void SetNodeCount(int nNodes);
  int GetNodeCount() const { return m_nNodes; }
  const CSpinNode& GetNode(int i) const { return m_Nodes[(size_t)i]; }
  int GetPressedNode() const { return m_nPressed; }
  // Places the nodes on the circle for the current client size.
  void Layout();
  // The node under a client point, or -1.
  int NodeAt(CPoint point) const;
  // The coupling of groups p and q as the grid holds it (0 when empty).
  double GetCoupling(int p, int q);
  // How many coupling lines the last paint drew.
  int GetLinesDrawn() const { return m_nLinesDrawn; }

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  // The Coupling Constant and Chemical Shift dialogs behind the mouse.
  void EditCoupling(int p, int q);
  void EditGroup(int g);

  int m_nNodes;
  std::vector<CSpinNode> m_Nodes;
  int m_nPressed;     // -1 = none
  int m_nCursorMode;  // 0 arrow, 1 drag cursor
  COLORREF m_crBackground;
  CPen m_Pens[PenCount];
  CGridCtrl* m_pGrid;
  int m_nLinesDrawn;

  DECLARE_MESSAGE_MAP()
};
