#include "controls/RoundSliderCtrl.h"

#include <algorithm>
#include <cmath>

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CRoundSliderCtrl, CSliderCtrl)
IMPLEMENT_DYNAMIC(CTextRoundSliderCtrl, CRoundSliderCtrl)

BEGIN_MESSAGE_MAP(CRoundSliderCtrl, CSliderCtrl)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_MESSAGE(TBM_SETPOS, OnSetWithRedraw)
  ON_MESSAGE(TBM_SETRANGE, OnSetWithRedraw)
  ON_MESSAGE(TBM_SETRANGEMIN, OnSetWithRedraw)
  ON_MESSAGE(TBM_SETRANGEMAX, OnSetWithRedraw)
END_MESSAGE_MAP()

namespace {

const double kPi = 3.14159265358979323846;

// The range as a count of positions; never zero, so that it can divide.
int RangeSize(int nMin, int nMax) {
  return std::max(1, nMax - nMin + 1);
}

}  // namespace

// "%ld" and the degree sign of the ANSI code page.
CRoundSliderCtrl::CRoundSliderCtrl() : m_strText("%ld\xB0") {}

CRoundSliderCtrl::~CRoundSliderCtrl() = default;

CString CRoundSliderCtrl::GetText() const {
  CString strText;
  strText.Format(m_strText, (long)GetPos());
  return strText;
}

void CRoundSliderCtrl::PreSubclassWindow() {
  CSliderCtrl::PreSubclassWindow();
  SetRange(0, 359, FALSE);
  SetLineSize(1);
  SetPageSize(10);
  Init();
}

void CRoundSliderCtrl::OnSize(UINT, int, int) {
  Default();
  Init();
}

void CRoundSliderCtrl::Init() {
  CRect rc;
  GetClientRect(&rc);
  const int nSide = std::min(rc.Width(), rc.Height());
  rc.right = rc.left + nSide;
  rc.bottom = rc.top + nSide;
  m_ptCenter.x = (nSide + rc.left) / 2;
  m_ptCenter.y = (nSide + rc.top) / 2;
  m_nRadius = nSide / 2 - m_nKnobRadius - 1;

  // The window's region belongs to the system once set; ours is a copy.
  m_rgn.DeleteObject();
  SetWindowRgn(nullptr, FALSE);
  m_rgn.CreateEllipticRgnIndirect(&rc);
  CRgn rgnWindow;
  if (rgnWindow.CreateEllipticRgnIndirect(&rc) && SetWindowRgn((HRGN)rgnWindow.GetSafeHandle(), TRUE))
    rgnWindow.Detach();
  SendMessage(TBM_SETPOS, FALSE, 0);
}

BOOL CRoundSliderCtrl::SetKnob(const CPoint& pt) {
  const int dx = m_bInverted ? m_ptCenter.x - pt.x : pt.x - m_ptCenter.x;
  const int dy = pt.y - m_ptCenter.y;
  double dAngle;
  if (dx != 0) {
    dAngle = 90.0 - std::atan(-(double)dy / dx) * 180.0 / kPi;
    if (dx < 0)
      dAngle += 180.0;
  } else {
    dAngle = dy < 0 ? 0.0 : 180.0;
  }
  dAngle -= m_nZeroAngle;
  while (dAngle < 0.0)
    dAngle += 360.0;
  while (dAngle >= 360.0)
    dAngle -= 360.0;

  int nMin, nMax;
  GetRange(nMin, nMax);
  const int nPos = nMin + (int)(dAngle * RangeSize(nMin, nMax) / 360.0);
  if (nPos == GetPos())
    return FALSE;
  SetPos(nPos);
  return TRUE;
}

void CRoundSliderCtrl::PostNotification(int nCode) {
  HWND hWndParent = ::GetParent(m_hWnd);
  if (hWndParent != nullptr)
    ::PostMessageA(hWndParent, WM_HSCROLL, MAKEWPARAM(nCode, GetPos()), (LPARAM)m_hWnd);
}

CPoint CRoundSliderCtrl::KnobCentre(int nDistance) const {
  int nMin, nMax;
  GetRange(nMin, nMax);
  int nAngle = ((GetPos() - nMin) * 360 / RangeSize(nMin, nMax) + m_nZeroAngle) % 360;
  if (nAngle < 0)
    nAngle += 360;
  if (m_bInverted)
    nAngle = 360 - nAngle;
  const double dRadians = nAngle * kPi / 180.0;
  return CPoint((int)(m_ptCenter.x + nDistance * std::sin(dRadians)),
                (int)(m_ptCenter.y - nDistance * std::cos(dRadians)));
}

void CRoundSliderCtrl::DrawCircle(CDC* pDC, CPoint ptCentre, int nRadius, COLORREF crUpperLeft, COLORREF crLowerRight,
                                  BOOL bDotted) {
  if (nRadius < 0)
    return;
  auto plot = [&](int dx, int dy) {
    COLORREF cr = crUpperLeft;
    if (!bDotted) {
      double t = -std::atan2((double)dy, (double)dx) - 2.356;
      if (t < -3.1415)
        t += 6.293;
      if (t > 3.1415)
        t = 6.293 - t;
      const double w = (1.0 + std::cos(t)) / 2.0;
      auto mix = [w](int a, int b) {
        return (BYTE)(int)(w * a + (1.0 - w) * b);
      };
      cr = RGB(mix(GetRValue(crUpperLeft), GetRValue(crLowerRight)),
               mix(GetGValue(crUpperLeft), GetGValue(crLowerRight)),
               mix(GetBValue(crUpperLeft), GetBValue(crLowerRight)));
    }
    ::SetPixelV(pDC->m_hDC, ptCentre.x + dx, ptCentre.y + dy, cr);
  };
  // Midpoint circle: one step of the first octant gives eight points.
  int x = 0, y = nRadius, d = -nRadius;
  BOOL bDraw = TRUE;
  while (x <= y) {
    if (!bDotted || bDraw) {
      plot(x, y), plot(-x, y), plot(x, -y), plot(-x, -y);
      plot(y, x), plot(-y, x), plot(y, -x), plot(-y, -x);
    }
    bDraw = !bDraw;
    d += 2 * x + 1;
    ++x;
    if (d > 0) {
      --y;
      d -= 2 * y;
    }
  }
}

BOOL CRoundSliderCtrl::OnEraseBkgnd(CDC*) {
  return TRUE;  // the painting covers everything
}

void CRoundSliderCtrl::OnPaint() {
  CPaintDC dc(this);
  if (dc.IsPrinting() || dc.GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER) {
    Draw(&dc);
    return;
  }
  CRect rcClip;
  dc.GetClipBox(&rcClip);
  if (rcClip.IsRectEmpty())
    return;
  // Drawn off the screen and copied in one step: the circles go pixel by pixel.
  CDC dcMem;
  CBitmap bitmap;
  if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rcClip.Width(), rcClip.Height())) {
    Draw(&dc);
    return;
  }
  CSelectGuard selectBitmap(dcMem, &bitmap);
  dcMem.SetWindowOrg(rcClip.left, rcClip.top);
  Draw(&dcMem);
  dc.BitBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), &dcMem, rcClip.left, rcClip.top, SRCCOPY);
}

void CRoundSliderCtrl::Draw(CDC* pDC) {
  const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 crLight = ::GetSysColor(COLOR_3DLIGHT), crShadow = ::GetSysColor(COLOR_BTNSHADOW),
                 crDark = ::GetSysColor(COLOR_3DDKSHADOW);
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, crFace);

  const int R = m_nRadius;
  int nDistance = R - m_nKnobRadius;
  if (!m_bInsetKnob) {
    // The groove the knob runs in.
    DrawCircle(pDC, m_ptCenter, R, crDark, crHighlight);
    DrawCircle(pDC, m_ptCenter, R - 1, crShadow, crLight);
    nDistance = R - 1;
  }
  const int nEdge = m_bInsetKnob ? R : R - 1;
  DrawCircle(pDC, m_ptCenter, nEdge + 2, crHighlight, crDark);
  DrawCircle(pDC, m_ptCenter, nEdge + 1, crLight, crShadow);

  const CPoint ptKnob = KnobCentre(nDistance);
  const int k = m_bInsetKnob ? (int)(0.8 * m_nKnobRadius) : m_nKnobRadius;
  CRgn rgnKnob;
  if (rgnKnob.CreateEllipticRgn(ptKnob.x - k, ptKnob.y - k, ptKnob.x + k + 1, ptKnob.y + k + 1)) {
    CBrush brushFace(crFace);
    pDC->FillRgn(&rgnKnob, &brushFace);
  }
  if (m_bInsetKnob || m_bDragging) {
    DrawCircle(pDC, ptKnob, k - 1, crDark, crHighlight);
    DrawCircle(pDC, ptKnob, k - 2, crShadow, crLight);
  } else {
    DrawCircle(pDC, ptKnob, k - 1, crHighlight, crDark);
    DrawCircle(pDC, ptKnob, k - 2, crLight, crShadow);
  }
  if (!m_bInsetKnob && ::GetFocus() == m_hWnd)
    DrawCircle(pDC, ptKnob, k - 4, RGB(0, 0, 0), RGB(0, 0, 0), TRUE);

  const CString strText = GetText();
  if (strText.IsEmpty())
    return;
  HWND hWndParent = ::GetParent(m_hWnd);
  HGDIOBJ hFont = hWndParent != nullptr ? (HGDIOBJ)::SendMessageA(hWndParent, WM_GETFONT, 0, 0) : nullptr;
  CSelectGuard font(pDC->m_hDC, hFont != nullptr ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
  pDC->SetBkMode(TRANSPARENT);
  const CSize extent = pDC->GetTextExtent(strText);
  const int x = m_ptCenter.x - extent.cx / 2, y = m_ptCenter.y - extent.cy / 2;
  if (IsWindowEnabled()) {
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->TextOut(x, y, strText);
  } else {
    ::DrawStateA(pDC->m_hDC, nullptr, nullptr, (LPARAM)(LPCSTR)strText, (WPARAM)strText.GetLength(), x, y, extent.cx,
                 extent.cy, DST_TEXT | DSS_DISABLED);
  }
}

void CRoundSliderCtrl::OnLButtonDown(UINT, CPoint point) {
  if (m_bDragging)
    return;
  m_bDragging = 1;
  m_bDragChanged = 0;
  SetCapture();
  SetFocus();
  if (SetKnob(point)) {
    m_bDragChanged = 1;
    PostNotification(TB_THUMBTRACK);
  }
  RedrawWindow();
}

void CRoundSliderCtrl::OnMouseMove(UINT, CPoint point) {
  if (!m_bDragging) {
    Default();
    return;
  }
  if (SetKnob(point)) {
    m_bDragChanged = 1;
    PostNotification(TB_THUMBTRACK);
    RedrawWindow();
  }
}

void CRoundSliderCtrl::OnLButtonUp(UINT, CPoint point) {
  if (!m_bDragging) {
    Default();
    return;
  }
  m_bDragging = 0;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  if (SetKnob(point)) {
    PostNotification(TB_THUMBTRACK);
    m_bDragChanged = 1;
  }
  if (m_bDragChanged) {
    PostNotification(TB_THUMBPOSITION);
    m_bDragChanged = 0;
  }
  RedrawWindow();
}

void CRoundSliderCtrl::Step(int nDelta, int nCode) {
  int nMin, nMax;
  GetRange(nMin, nMax);
  const int n = RangeSize(nMin, nMax);
  int nPos = GetPos() + nDelta;
  while (nPos < nMin)
    nPos += n;
  while (nPos > nMax)
    nPos -= n;
  SetPos(nPos);
  PostNotification(nCode);
}

void CRoundSliderCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_PRIOR:
      Step(-GetPageSize(), TB_PAGEUP);
      return;
    case VK_NEXT:
      Step(GetPageSize(), TB_PAGEDOWN);
      return;
    case VK_LEFT:
    case VK_UP:
      Step(-GetLineSize(), TB_LINEUP);
      return;
    case VK_RIGHT:
    case VK_DOWN:
      Step(GetLineSize(), TB_LINEDOWN);
      return;
    case VK_HOME:
    case VK_END:
      return;
    default:
      Default();
  }
}

void CRoundSliderCtrl::OnKeyUp(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      PostNotification(TB_ENDTRACK);
      return;
    default:
      Default();
  }
}

LRESULT CRoundSliderCtrl::OnSetWithRedraw(WPARAM wParam, LPARAM) {
  // The trackbar repaints only where its own straight thumb would lie; the
  // knob and the text of the dial are elsewhere.
  const LRESULT lResult = Default();
  if (wParam)
    Invalidate();
  return lResult;
}

void CTextRoundSliderCtrl::SetCaption(LPCSTR lpszCaption) {
  m_strCaption = lpszCaption != nullptr ? lpszCaption : "";
  if (m_hWnd != nullptr)
    Invalidate();
}
