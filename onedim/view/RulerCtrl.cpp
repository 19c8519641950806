#include "onedim/view/RulerCtrl.h"

#include <algorithm>

#include "framework/win/Dc.h"
#include "framework/win/GdiObject.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CRulerCtrl, CStatic)

BEGIN_MESSAGE_MAP(CRulerCtrl, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

const int kInset = 5;

short ClampPercent(int n) {
  return (short)std::max(0, std::min(100, n));
}

}  // namespace

CRulerCtrl::CRulerCtrl() : m_nDragMode(dragNone), m_nEdge(edgeLeft), m_nRightPos(100), m_nLeftPos(0) {}

void CRulerCtrl::PreSubclassWindow() {
  // A static control only sees the mouse with SS_NOTIFY.
  ModifyStyle(0, SS_NOTIFY);
}

void CRulerCtrl::SetPositions(int nLeft, int nRight) {
  m_nLeftPos = (short)std::max(-32768, std::min(32767, nLeft));
  m_nRightPos = (short)std::max(-32768, std::min(32767, nRight));
  if (m_hWnd != nullptr)
    Invalidate();
}

void CRulerCtrl::LayoutBox() {
  GetClientRect(&m_rcClient);
  const int nWidth = m_rcClient.Width();
  m_rcBox = m_rcClient;
  m_rcBox.left = std::max(0, ::MulDiv(m_nLeftPos, nWidth, 100));
  m_rcBox.right = std::min((int)m_rcClient.right, ::MulDiv(m_nRightPos, nWidth, 100));
  m_rcInner = m_rcBox;
  m_rcInner.DeflateRect(kInset, 0);
}

void CRulerCtrl::OnPaint() {
  CPaintDC dc(this);
  if (m_nDragMode == dragNone || ::GetCapture() != m_hWnd)
    LayoutBox();
  CBrush white(RGB(255, 255, 255));
  dc.FillRect(&m_rcClient, &white);
  dc.FillRect(&m_rcBox, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
  CBrush grey(RGB(223, 223, 223));
  dc.FillRect(&m_rcInner, &grey);
  // Ticks centred on the middle: minor ones half way between the majors.
  const int nHeight = m_rcClient.Height();
  const int nStep = m_rcClient.Width() / 10;
  auto tick = [&](int x, int nLength) {
    const int y = m_rcClient.bottom - (nHeight - nLength) / 2;
    dc.MoveTo(x, y);
    dc.LineTo(x, y - nLength);
  };
  for (int i = 1; i <= 10; ++i)
    tick((int)((i - 0.5) * nStep), 5);
  for (int i = 1; i <= 9; ++i)
    tick(i * nStep, 10);
}

void CRulerCtrl::HitTest(CPoint point) {
  if (m_rcInner.PtInRect(point)) {
    m_nDragMode = dragBox;
  } else if (point.y >= m_rcBox.top && point.y < m_rcBox.bottom && point.x >= m_rcBox.left &&
             point.x < m_rcInner.left) {
    m_nDragMode = dragEdge;
    m_nEdge = edgeLeft;
  } else if (point.y >= m_rcBox.top && point.y < m_rcBox.bottom && point.x >= m_rcInner.right &&
             point.x < m_rcBox.right) {
    m_nDragMode = dragEdge;
    m_nEdge = edgeRight;
  } else {
    m_nDragMode = dragNone;
  }
}

void CRulerCtrl::UpdatePositions() {
  const int nWidth = m_rcClient.Width();
  if (nWidth <= 0)
    return;
  m_nLeftPos = ClampPercent(::MulDiv(m_rcBox.left, 100, nWidth));
  m_nRightPos = std::max(m_nLeftPos, ClampPercent(::MulDiv(m_rcBox.right, 100, nWidth)));
}

void CRulerCtrl::OnMouseMove(UINT, CPoint point) {
  if (::GetCapture() != m_hWnd) {
    LayoutBox();
    HitTest(point);
    return;
  }
  const int dx = point.x - m_ptLast.x;
  m_ptLast = point;
  if (m_nDragMode == dragBox) {
    // A move keeps the width; the box stops at either end.
    const int nShift = std::max(-(int)m_rcBox.left, std::min(dx, (int)(m_rcClient.right - m_rcBox.right)));
    m_rcBox.OffsetRect(nShift, 0);
  } else if (m_nDragMode == dragEdge && m_nEdge == edgeLeft) {
    m_rcBox.left = std::max(0, std::min((int)m_rcBox.left + dx, (int)m_rcBox.right));
  } else if (m_nDragMode == dragEdge) {
    m_rcBox.right = std::max((int)m_rcBox.left, std::min((int)m_rcBox.right + dx, (int)m_rcClient.right));
  } else {
    return;
  }
  m_rcInner = m_rcBox;
  m_rcInner.DeflateRect(kInset, 0);
  UpdatePositions();
  Invalidate();
  if (CWnd* pParent = GetParent())
    pParent->SendMessage(WM_RULER_CHANGED, (WPARAM)m_nLeftPos, (LPARAM)m_nRightPos);
}

BOOL CRulerCtrl::OnSetCursor(CWnd*, UINT, UINT) {
  HCURSOR hCursor = nullptr;
  if (m_nDragMode == dragEdge)
    hCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
  else if (m_nDragMode == dragBox)
    hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_RULER_MOVE));
  if (hCursor == nullptr)
    hCursor = ::LoadCursor(nullptr, m_nDragMode == dragBox ? IDC_SIZEALL : IDC_ARROW);
  ::SetCursor(hCursor);
  return TRUE;
}

void CRulerCtrl::OnLButtonDown(UINT, CPoint point) {
  LayoutBox();
  if (!m_rcBox.PtInRect(point) || m_rcClient.Width() <= 0)
    return;
  HitTest(point);
  SetCapture();
  m_ptLast = point;
}

void CRulerCtrl::OnLButtonUp(UINT, CPoint) {
  if (::GetCapture() != m_hWnd)
    return;
  ::ReleaseCapture();
  UpdatePositions();
  m_nDragMode = dragNone;
  Invalidate();
}
