#include "onedim/print/MyPreviewView.h"

#include "framework/win/CmdUI.h"
#include "framework/win/ControlBar.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/GdiObject.h"
#include "framework/win/UiHooks.h"
#include "onedim/plot/PrintMargins.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/print/PrintJob.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CMyPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CMyPreviewView, CPreviewView)
  ON_WM_CREATE()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoom)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoom)
END_MESSAGE_MAP()

namespace {

const int kBandHalfWidth = 4;  // a line's hit band reaches this far either side
const int kUnmeasured = -50;
// Lines dragged towards each other stop this many pixels apart.
const int kMinimumGap = 2 * kBandHalfWidth;

}  // namespace

CMyPreviewView::CMyPreviewView() : m_rcUnprintable(kUnmeasured, kUnmeasured, kUnmeasured, kUnmeasured) {}

int CMyPreviewView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CPreviewView::OnCreate(lpcs) == -1)
    return -1;
  if (m_DataTip.Create(this))
    m_DataTip.On(TRUE);
  return 0;
}

void CMyPreviewView::PlaceLines(const CRect& rcPage) {
  // The printer's page over the page drawn: device units per pixel.
  m_dScaleX = (double)m_dcPrint.GetDeviceCaps(PHYSICALWIDTH) / std::max(rcPage.Width(), 1);
  m_dScaleY = (double)m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT) / std::max(rcPage.Height(), 1);
  if (m_dScaleX <= 0 || m_dScaleY <= 0) {
    m_dScaleX = (double)m_dcPrint.GetDeviceCaps(HORZRES) / std::max(rcPage.Width(), 1);
    m_dScaleY = (double)m_dcPrint.GetDeviceCaps(VERTRES) / std::max(rcPage.Height(), 1);
  }
  CPrintSettings& settings = GetPrintSettings();
  settings.rcUnprintable = MeasureUnprintableMargins(&m_dcPrint);
  FitMarginsToResolution(settings, m_dcPrint.GetDeviceCaps(LOGPIXELSX), m_dcPrint.GetDeviceCaps(LOGPIXELSY));
  const RECT& u = settings.rcUnprintable;
  m_rcUnprintable = CRect((int)(u.left / m_dScaleX), (int)(u.top / m_dScaleY), (int)(u.right / m_dScaleX),
                          (int)(u.bottom / m_dScaleY));
  m_rcOffsets = MarginLineOffsets(settings.rcMargins, u, m_dScaleX, m_dScaleY);
}

void CMyPreviewView::OnDraw(CDC* pDC) {
  CPreviewView::OnDraw(pDC);
  const PageInfo& page = m_pageInfo[0];
  if (page.nPage == 0)
    return;
  // The framework lays its page out at every paint: a page of another size
  // (the window was resized) needs the lines placed anew.
  if (m_bFirstDraw || page.rectScreen.Size() != m_rcPage.Size()) {
    if (m_bFirstDraw && m_pToolBar != nullptr)
      m_PrintButton.AutoLoad(AFX_ID_PREVIEW_PRINT, m_pToolBar, IDB_PREVIEW_PRINT);
    PlaceLines(page.rectScreen);
    m_bFirstDraw = FALSE;
  }
  m_rcPage = page.rectScreen;
  const CRect& p = m_rcPage;
  const int yTop = p.top + m_rcOffsets.top, yBottom = p.bottom - m_rcOffsets.bottom;
  const int xLeft = p.left + m_rcOffsets.left, xRight = p.right - m_rcOffsets.right;
  pDC->MoveTo(p.left, yTop);
  pDC->LineTo(p.right, yTop);
  pDC->MoveTo(p.left, yBottom);
  pDC->LineTo(p.right, yBottom);
  pDC->MoveTo(xLeft, p.top);
  pDC->LineTo(xLeft, p.bottom);
  pDC->MoveTo(xRight, p.top);
  pDC->LineTo(xRight, p.bottom);
}

int CMyPreviewView::HitTestLines(CPoint point) const {
  if (m_rcPage.IsRectEmpty())
    return kDragNone;
  const CRect& p = m_rcPage;
  const int lines[4] = {p.top + m_rcOffsets.top, p.left + m_rcOffsets.left, p.right - m_rcOffsets.right,
                        p.bottom - m_rcOffsets.bottom};
  for (int nType = kDragTop; nType <= kDragBottom; nType++) {
    const bool bHorizontal = nType == kDragTop || nType == kDragBottom;
    const int nAcross = bHorizontal ? point.y : point.x;
    const int nAlong = bHorizontal ? point.x : point.y;
    const bool bOnEdge = bHorizontal ? nAlong >= p.left && nAlong <= p.right : nAlong >= p.top && nAlong <= p.bottom;
    if (bOnEdge && nAcross >= lines[nType] - kBandHalfWidth && nAcross <= lines[nType] + kBandHalfWidth)
      return nType;
  }
  return kDragNone;
}

BOOL CMyPreviewView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest != HTCLIENT)
    return CPreviewView::OnSetCursor(pWnd, nHitTest, message);
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  const int nType = m_nDragType != kDragNone ? m_nDragType : HitTestLines(point);
  LPCSTR lpszCursor = nType == kDragTop || nType == kDragBottom ? IDC_SIZENS
                      : nType == kDragNone                      ? IDC_ARROW
                                                                : IDC_SIZEWE;
  ::SetCursor(::LoadCursorA(nullptr, lpszCursor));
  return TRUE;
}

void CMyPreviewView::DrawRubberLine(CPoint point) {
  CClientDC dc(this);
  CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
  CSelectGuard pen(dc, &dotted);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  if (m_nDragType == kDragTop || m_nDragType == kDragBottom) {
    dc.MoveTo(m_rcPage.left, point.y);
    dc.LineTo(m_rcPage.right, point.y);
  } else {
    dc.MoveTo(point.x, m_rcPage.top);
    dc.LineTo(point.x, m_rcPage.bottom);
  }
  dc.SetROP2(nOldRop);
}

void CMyPreviewView::OnLButtonDown(UINT nFlags, CPoint point) {
  m_nDragType = HitTestLines(point);
  if (m_nDragType == kDragNone) {
    CPreviewView::OnLButtonDown(nFlags, point);
    return;
  }
  SetCapture();
  m_nDragStart = m_nDragType == kDragTop || m_nDragType == kDragBottom ? point.y : point.x;
  m_ptLast = point;
  DrawRubberLine(point);
}

void CMyPreviewView::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_nDragType == kDragNone) {
    CPreviewView::OnMouseMove(nFlags, point);
    return;
  }
  DrawRubberLine(m_ptLast);
  DrawRubberLine(point);
  m_ptLast = point;
  if (m_nDragType == kDragLeft)
    m_DataTip.SetTip(point, "message");
}

void CMyPreviewView::OnLButtonUp(UINT nFlags, CPoint point) {
  const int nType = m_nDragType;
  if (nType == kDragNone) {
    CPreviewView::OnLButtonUp(nFlags, point);
    return;
  }
  DrawRubberLine(m_ptLast);
  m_nDragType = kDragNone;  // before the release, so that losing the capture ends nothing more
  if (GetCapture() == this)
    ReleaseCapture();
  m_DataTip.Hide();
  const int w = m_rcPage.Width(), h = m_rcPage.Height();
  CRect& o = m_rcOffsets;
  const CRect& u = m_rcUnprintable;
  switch (nType) {
    case kDragTop:
      o.top = ClampLineOffset(o.top + point.y - m_nDragStart, u.top, 1.0, o.bottom, h, kMinimumGap);
      break;
    case kDragLeft:
      o.left = ClampLineOffset(o.left + point.x - m_nDragStart, u.left, 1.0, o.right, w, kMinimumGap);
      break;
    case kDragRight:
      o.right = ClampLineOffset(o.right + m_nDragStart - point.x, u.right, 1.0, o.left, w, kMinimumGap);
      break;
    default:
      o.bottom = ClampLineOffset(o.bottom + m_nDragStart - point.y, u.bottom, 1.0, o.top, h, kMinimumGap);
      break;
  }
  StoreMargins();
  Invalidate(FALSE);
}

void CMyPreviewView::OnCaptureChanged(CWnd* pWnd) {
  // The data tip holds the mouse while it shows, and hands the button's
  // release on: the drag goes on under it. Any other window taking the
  // mouse ends the drag; the margins stay.
  const bool bToTip = pWnd != nullptr && m_DataTip.m_hWnd != nullptr && pWnd->m_hWnd == m_DataTip.m_hWnd;
  if (m_nDragType != kDragNone && pWnd != this && !bToTip) {
    DrawRubberLine(m_ptLast);
    m_nDragType = kDragNone;
    m_DataTip.Hide();
  }
}

void CMyPreviewView::StoreMargins() {
  CPrintSettings& settings = GetPrintSettings();
  const RECT& u = settings.rcUnprintable;
  settings.rcMargins.left = MarginFromLineOffset(m_rcOffsets.left, u.left, m_dScaleX);
  settings.rcMargins.top = MarginFromLineOffset(m_rcOffsets.top, u.top, m_dScaleY);
  settings.rcMargins.right = MarginFromLineOffset(m_rcOffsets.right, u.right, m_dScaleX);
  settings.rcMargins.bottom = MarginFromLineOffset(m_rcOffsets.bottom, u.bottom, m_dScaleY);
  settings.sizeMarginDpi = {m_dcPrint.GetDeviceCaps(LOGPIXELSX), m_dcPrint.GetDeviceCaps(LOGPIXELSY)};
}

void CMyPreviewView::OnUpdateNumPage(CCmdUI* pCmdUI) {
  pCmdUI->SetText(AfxLoadString(m_nPages == 1 ? IDS_PREVIEW_ONE_PAGE : IDS_PREVIEW_TWO_PAGES));
  pCmdUI->Enable(FALSE);
}

void CMyPreviewView::OnUpdateZoom(CCmdUI* pCmdUI) {
  pCmdUI->Enable(FALSE);
}
