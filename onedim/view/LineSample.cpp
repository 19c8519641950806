#include "onedim/view/LineSample.h"

#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "onedim/plot/PlotMarker.h"

IMPLEMENT_DYNAMIC(CLineSample, CStatic)

BEGIN_MESSAGE_MAP(CLineSample, CStatic)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLineSample::CLineSample() : m_crLine(RGB(255, 0, 0)), m_nShape(MARKER_CIRCLE) {}

CLineSample::~CLineSample() = default;

void CLineSample::PreSubclassWindow() {
  // A static control only sees the mouse with SS_NOTIFY.
  ModifyStyle(0, SS_NOTIFY);
}

void CLineSample::DrawSample(CDC* pDC, const RECT& client) {
  const int yMiddle = (client.top + client.bottom) / 2;
  const int xMiddle = (client.left + client.right) / 2;
  {
    CPen line(PS_SOLID, 1, m_crLine);
    CSelectGuard penGuard(*pDC, &line);
    pDC->MoveTo(client.left, yMiddle);
    pDC->LineTo(client.right, yMiddle);
  }
  CPen outline(PS_SOLID, 1, RGB(255, 0, 0));
  CBrush white(RGB(255, 255, 255));
  CSelectGuard penGuard(*pDC, &outline);
  CSelectGuard brushGuard(*pDC, &white);
  if (m_nShape == MARKER_CIRCLE) {
    pDC->Ellipse(xMiddle - 4, yMiddle - 4, xMiddle + 4, yMiddle + 4);
  } else if (m_nShape == MARKER_DIAMOND) {
    const POINT diamond[4] = {
        {xMiddle, yMiddle - 4}, {xMiddle + 4, yMiddle}, {xMiddle, yMiddle + 4}, {xMiddle - 4, yMiddle}};
    pDC->Polygon(diamond, 4);
  }
}

void CLineSample::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  DrawSample(&dc, client);
}

void CLineSample::OnLButtonDown(UINT, CPoint) {
  CColorDialog dlg(m_crLine, 0, this);
  if (dlg.DoModal() != IDOK)
    return;
  m_crLine = dlg.GetColor();
  CWnd* pParent = GetParent();
  if (pParent != nullptr)
    pParent->SendMessage(WM_LINE_SAMPLE_CHANGED, 0, 0);
  Invalidate();
}
