#include "onedim/dialogs/simulation/SpinDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "controls/GridCtrl.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "onedim/dialogs/simulation/SimulationDialogs.h"
#include "resources/BrivaneRes.h"

namespace {

const COLORREF kPenColours[CSpinDiagram::PenCount] = {
    RGB(255, 0, 0),   RGB(255, 160, 115), RGB(255, 255, 128), RGB(0, 255, 0),    RGB(0, 255, 255),
    RGB(255, 0, 255), RGB(0, 0, 255),     RGB(0, 0, 128),     RGB(255, 255, 255),
};
const double kDegreesToRadians = 0.01745327777777778;

CString Letter(int nIndex) {
  CString s;
  s.Format("%c", 'A' + nIndex);
  return s;
}

}  // namespace

const COLORREF CSpinDiagram::NodeColour = RGB(0, 0, 255);
const COLORREF CSpinDiagram::HotColour = RGB(255, 0, 0);

BEGIN_MESSAGE_MAP(CSpinDiagram, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSpinDiagram::CSpinDiagram()
    : m_nNodes(0), m_nPressed(-1), m_nCursorMode(0), m_crBackground(RGB(127, 127, 127)), m_pGrid(nullptr),
      m_nLinesDrawn(0) {
  for (int i = 0; i < PenCount; i++)
    m_Pens[i].CreatePen(PS_SOLID, 1, kPenColours[i]);
}

CSpinDiagram::~CSpinDiagram() = default;

void CSpinDiagram::SetNodeCount(int nNodes) {
  m_nNodes = std::max(0, nNodes);
  m_Nodes.assign((size_t)m_nNodes, CSpinNode());
  for (int i = 0; i < m_nNodes; i++)
    m_Nodes[(size_t)i].nIndex = i;
  m_nPressed = -1;
  Layout();
}

void CSpinDiagram::Layout() {
  if (m_nNodes == 0 || m_hWnd == nullptr)
    return;
  CRect rc;
  GetClientRect(&rc);
  const int w = rc.Width(), h = rc.Height();
  const int r = (int)(0.4 * std::min(w, h));
  const int step = 360 / m_nNodes;
  for (CSpinNode& node : m_Nodes) {
    const double a = node.nIndex * step * kDegreesToRadians;
    node.x = (int)(w / 2 + r * std::sin(a));
    node.y = (int)(h / 2 - r * std::cos(a));
    node.rect = {node.x - node.nRadius, node.y - node.nRadius, node.x + node.nRadius, node.y + node.nRadius};
  }
}

int CSpinDiagram::NodeAt(CPoint point) const {
  for (const CSpinNode& node : m_Nodes)
    if (::PtInRect(&node.rect, point))
      return node.nIndex;
  return -1;
}

double CSpinDiagram::GetCoupling(int p, int q) {
  if (m_pGrid == nullptr || p == q)
    return 0.0;
  const int lo = std::min(p, q), hi = std::max(p, q);
  return std::atof(m_pGrid->GetItemText(hi + 1, lo + 3));
}

void CSpinDiagram::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CDC memDC;
  CBitmap bitmap;
  if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height()))
    return;
  CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
  memDC.FillSolidRect(&rc, m_crBackground);
  Layout();

  m_nLinesDrawn = 0;
  CPen* pOldPen = memDC.SelectObject(&m_Pens[0]);
  for (int p = 0; p < m_nNodes; p++)
    for (int q = p + 1; q < m_nNodes; q++) {
      if (!(std::fabs(GetCoupling(p, q)) > 1e-9))
        continue;
      memDC.SelectObject(&m_Pens[p % PenCount]);
      memDC.MoveTo(m_Nodes[(size_t)p].x, m_Nodes[(size_t)p].y);
      memDC.LineTo(m_Nodes[(size_t)q].x, m_Nodes[(size_t)q].y);
      m_nLinesDrawn++;
    }

  CFont font;
  font.CreateFont(12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  CFont* pOldFont = memDC.SelectObject(&font);
  memDC.SelectStockObject(NULL_PEN);
  for (const CSpinNode& node : m_Nodes) {
    memDC.SetBkColor(RGB(255, 255, 255));
    memDC.TextOut(node.x, node.rect.bottom, Letter(node.nIndex));
    // A ball: ellipses shrinking from the bounding square, from black at
    // the rim to the node's colour in the middle.
    const int nSteps = std::max(1, 2 * node.nRadius / 3);
    for (int k = 0; k < nSteps; k++) {
      const int inset = k * node.nRadius / nSteps;
      const double f = (double)(k + 1) / nSteps;
      CBrush brush(RGB((int)(GetRValue(node.crColour) * f), (int)(GetGValue(node.crColour) * f),
                       (int)(GetBValue(node.crColour) * f)));
      CBrush* pOldBrush = memDC.SelectObject(&brush);
      memDC.Ellipse(node.rect.left + inset, node.rect.top + inset, node.rect.right - inset, node.rect.bottom - inset);
      memDC.SelectObject(pOldBrush);
    }
  }
  memDC.SelectObject(pOldFont);
  memDC.SelectObject(pOldPen);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
  memDC.SelectObject(pOldBitmap);
}

BOOL CSpinDiagram::OnEraseBkgnd(CDC*) {
  return 0;
}

void CSpinDiagram::OnMouseMove(UINT, CPoint point) {
  const int nOver = NodeAt(point);
  for (CSpinNode& node : m_Nodes)
    if (node.nIndex != m_nPressed)
      node.crColour = node.nIndex == nOver ? HotColour : NodeColour;
  m_nCursorMode = m_nPressed >= 0 && nOver < 0 ? 1 : 0;
  HCURSOR hCursor = m_nCursorMode == 1 ? ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_SPIN_DRAG))
                                       : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
  if (hCursor != nullptr)
    ::SetCursor(hCursor);
  Invalidate();
  UpdateWindow();
}

void CSpinDiagram::OnLButtonDown(UINT, CPoint point) {
  m_nPressed = NodeAt(point);
  if (m_nPressed >= 0) {
    // The release is ours wherever it happens.
    SetCapture();
    m_Nodes[(size_t)m_nPressed].crColour = HotColour;
    Invalidate();
  }
}

void CSpinDiagram::OnLButtonUp(UINT, CPoint point) {
  const int nPressed = m_nPressed;
  const int nOver = NodeAt(point);
  m_nPressed = -1;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  if (nPressed >= 0 && nOver >= 0) {
    if (nOver != nPressed)
      EditCoupling(nPressed, nOver);
    else
      EditGroup(nPressed);
  }
  for (CSpinNode& node : m_Nodes)
    node.crColour = NodeColour;
  Invalidate();
}

void CSpinDiagram::EditCoupling(int p, int q) {
  if (m_pGrid == nullptr)
    return;
  CCouplingConstantDialog dlg(GetParent());
  dlg.m_dCoupling = GetCoupling(p, q);
  if (dlg.DoModal() != IDOK)
    return;
  const int lo = std::min(p, q), hi = std::max(p, q);
  CString s;
  s.Format("%.2lf", dlg.m_dCoupling);
  m_pGrid->SetItemText(hi + 1, lo + 3, s);
  m_pGrid->RedrawColumn(lo + 3);
}

void CSpinDiagram::EditGroup(int g) {
  if (m_pGrid == nullptr)
    return;
  CChemicalShiftDialog dlg(GetParent());
  dlg.m_nSpins = std::atoi(m_pGrid->GetItemText(g + 1, 1));
  dlg.m_dShift = std::atof(m_pGrid->GetItemText(g + 1, 2));
  dlg.m_strGroup = Letter(g);
  if (dlg.DoModal() != IDOK)
    return;
  CString s;
  s.Format("%d", dlg.m_nSpins);
  m_pGrid->SetItemText(g + 1, 1, s);
  s.Format("%.2lf", dlg.m_dShift);
  m_pGrid->SetItemText(g + 1, 2, s);
  m_pGrid->RedrawRow(g + 1);
}
