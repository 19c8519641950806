#include "common/MagnifyingGlass.h"

#include "framework/win/DataExchange.h"
#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "resources/MagnifierRes.h"

namespace {

const UINT kLensId = 0xFFFF;

// A memory bitmap the size of a window's client area that the window's
// paint DC receives in one copy.
class CLensCanvas {
 public:
  CLensCanvas(CDC& target, int cx, int cy) : m_target(target), m_cx(cx), m_cy(cy) {
    m_dc.CreateCompatibleDC(&target);
    m_bitmap.CreateCompatibleBitmap(&target, cx, cy);
    m_hOld = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
  }
  ~CLensCanvas() {
    m_target.BitBlt(0, 0, m_cx, m_cy, &m_dc, 0, 0, SRCCOPY);
    ::SelectObject(m_dc.m_hDC, m_hOld);
  }
  CLensCanvas(const CLensCanvas&) = delete;
  CLensCanvas& operator=(const CLensCanvas&) = delete;
  CDC* dc() { return &m_dc; }

 private:
  CDC& m_target;
  CDC m_dc;
  CBitmap m_bitmap;
  HGDIOBJ m_hOld = nullptr;
  int m_cx, m_cy;
};

}  // namespace

// --- The lens ---

BEGIN_MESSAGE_MAP(CMagnifierLens, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CMagnifierLens::Create(CWnd* pParent) {
  LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(NULL_BRUSH), nullptr);
  return CreateEx(0, lpszClass, nullptr, WS_CHILD, CRect(0, 0, 0, 0), pParent, kLensId);
}

BOOL CMagnifierLens::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // the lens paints all of itself

void CMagnifierLens::OnPaint() {
  CPaintDC dc(this);
  if (dc.IsPrinting()) {
    DrawLens(&dc);
    return;
  }
  CRect rc;
  GetClientRect(&rc);
  if (rc.IsRectEmpty())
    return;
  CLensCanvas canvas(dc, rc.Width(), rc.Height());
  DrawLens(canvas.dc());
}

void CMagnifierLens::DrawLens(CDC* pDC) {
  CMagnifierSource* pSource = m_pGlass->GetSource();
  if (pSource == nullptr)
    return;
  const int n = m_pGlass->m_nSize;
  CBrush background(pSource->GetLensBackground());
  CSelectGuard brushGuard(*pDC, &background);
  if (m_pGlass->m_bRectangular) {
    CRect rc(0, 0, n, n);
    pDC->FillRect(&rc, &background);
    pSource->DrawMagnified(pDC, m_pGlass->m_nLensLeft, m_pGlass->m_nLensTop, n, m_pGlass->m_nMagnification);
    CSelectGuard hollow(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
    pDC->Rectangle(0, 0, n - 1, n - 1);
    pDC->Rectangle(2, 2, n - 3, n - 3);
    pSource->DrawLensOverlay(pDC, m_pGlass->m_nLensLeft, m_pGlass->m_nLensTop, n);
    return;
  }
  // The round lens: the plot inside the ellipse, the view's own pixels in
  // the corners outside it.
  CDC snapshot;
  pDC->FillSolidRect(0, 0, n, n, ::GetSysColor(COLOR_WINDOW));
  pDC->Ellipse(0, 0, n, n);
  CRgn ellipse;
  ellipse.CreateEllipticRgn(0, 0, n, n);
  pDC->SelectClipRgn(&ellipse, RGN_COPY);
  pSource->DrawMagnified(pDC, m_pGlass->m_nLensLeft, m_pGlass->m_nLensTop, n, m_pGlass->m_nMagnification);
  pDC->Arc(1, 1, n - 2, n - 2, 0, 0, 0, 0);
  pDC->Arc(2, 2, n - 3, n - 3, 0, 0, 0, 0);
  CRgn corners;
  corners.CreateRectRgn(0, 0, n, n);
  corners.CombineRgn(&corners, &ellipse, RGN_XOR);
  pDC->SelectClipRgn(&corners, RGN_COPY);
  if (m_pGlass->GetSnapshot() != nullptr && snapshot.CreateCompatibleDC(pDC)) {
    HGDIOBJ hOld = ::SelectObject(snapshot.m_hDC, m_pGlass->GetSnapshot());
    pDC->BitBlt(0, 0, n + 2, n + 2, &snapshot, m_pGlass->m_nLensLeft, m_pGlass->m_nLensTop, SRCCOPY);
    ::SelectObject(snapshot.m_hDC, hOld);
  }
  pDC->SelectClipRgn(nullptr);
  pSource->DrawLensOverlay(pDC, m_pGlass->m_nLensLeft, m_pGlass->m_nLensTop, n);
}

// --- The overlay ---

BEGIN_MESSAGE_MAP(CMagnifyingGlass, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CMagnifyingGlass::CMagnifyingGlass() : m_pLens(new CMagnifierLens(this)) {}

CMagnifyingGlass::~CMagnifyingGlass() {
  if (m_pLens->m_hWnd != nullptr)
    m_pLens->DestroyWindow();
  delete m_pLens;
}

BOOL CMagnifyingGlass::Create(CWnd* pView, CMagnifierSource* pSource) {
  return Create(pView, pSource, IDC_CURSOR_MAGNIFIER);
}

BOOL CMagnifyingGlass::Create(CWnd* pView, CMagnifierSource* pSource, UINT nCursor, DWORD dwStyle) {
  m_pView = pView;
  m_pSource = pSource;
  CRect rc;
  pView->GetClientRect(&rc);
  LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
  if (!CreateEx(0, lpszClass, nullptr, WS_CHILD | dwStyle, rc, pView, 0))
    return FALSE;
  m_hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursor));
  return m_pLens->Create(this);
}

void CMagnifyingGlass::PlaceLens(CPoint point) {
  m_nLensLeft = point.x - m_nSize / 2;
  m_nLensTop = point.y - m_nSize / 2;
}

void CMagnifyingGlass::TakeSnapshot() {
  CRect rc;
  m_pView->GetClientRect(&rc);
  CClientDC viewDC(m_pView);
  CDC memory;
  CBitmap bitmap;
  if (rc.IsRectEmpty() || !memory.CreateCompatibleDC(&viewDC) ||
      !bitmap.CreateCompatibleBitmap(&viewDC, rc.Width(), rc.Height()))
    return;
  HGDIOBJ hOld = ::SelectObject(memory.m_hDC, bitmap.m_hObject);
  memory.BitBlt(0, 0, rc.Width(), rc.Height(), &viewDC, 0, 0, SRCCOPY);
  ::SelectObject(memory.m_hDC, hOld);
  m_snapshot.DeleteObject();
  m_snapshot.Attach(bitmap.Detach());
}

void CMagnifyingGlass::OnLButtonDown(UINT, CPoint point) {
  // The overlay hides nothing yet: the view under it is drawn fresh and
  // photographed.
  m_pView->Invalidate(TRUE);
  m_pView->UpdateWindow();
  TakeSnapshot();
  PlaceLens(point);
  SetCapture();
  m_bDragging = 1;
  m_pLens->SetWindowPos(nullptr, m_nLensLeft, m_nLensTop, m_nSize, m_nSize, SWP_NOZORDER | SWP_NOACTIVATE);
  m_pLens->ShowWindow(SW_SHOW);
  m_pLens->Invalidate(FALSE);
  Invalidate(FALSE);
}

void CMagnifyingGlass::OnMouseMove(UINT, CPoint point) {
  if (!m_bDragging) {
    ::SetCursor(m_hCursor);
    return;
  }
  ::SetCursor(nullptr);
  // Only where the lens was needs the snapshot back; the view itself is
  // not drawn again while the lens moves.
  CRect old(m_nLensLeft, m_nLensTop, m_nLensLeft + m_nSize, m_nLensTop + m_nSize);
  PlaceLens(point);
  m_pLens->SetWindowPos(nullptr, m_nLensLeft, m_nLensTop, m_nSize, m_nSize,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  InvalidateRect(&old, FALSE);
  UpdateWindow();
  m_pLens->Invalidate(FALSE);
  m_pLens->UpdateWindow();
}

void CMagnifyingGlass::StopDragging() {
  m_pLens->ShowWindow(SW_HIDE);
  m_bDragging = 0;
  m_pView->Invalidate(TRUE);
  m_pView->UpdateWindow();
}

void CMagnifyingGlass::OnLButtonUp(UINT, CPoint) {
  if (!m_bDragging)
    return;
  // Dragging ends first, so that the capture's loss finds nothing to end.
  m_bDragging = 0;
  if (GetCapture() == this)
    ReleaseCapture();
  StopDragging();
}

void CMagnifyingGlass::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this && m_bDragging)
    StopDragging();  // a lens left hanging would freeze the view
}

void CMagnifyingGlass::OnRButtonDown(UINT, CPoint) {
  CMagnifierSettingsDialog dlg(this);
  dlg.m_fZoom = (float)(m_nMagnification * 0.1);
  dlg.m_nSize = m_nSize;
  dlg.m_bRectangular = m_bRectangular;
  if (dlg.DoModal() != IDOK)
    return;
  m_nMagnification = (int)(dlg.m_fZoom * 10.0f);
  m_nSize = dlg.m_nSize;
  m_bRectangular = dlg.m_bRectangular;
}

BOOL CMagnifyingGlass::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // the view shows through until a snapshot covers it

void CMagnifyingGlass::OnPaint() {
  CPaintDC dc(this);
  if (!m_bDragging || m_snapshot.m_hObject == nullptr)
    return;
  CRect rc;
  GetClientRect(&rc);
  CDC memory;
  if (!memory.CreateCompatibleDC(&dc))
    return;
  HGDIOBJ hOld = ::SelectObject(memory.m_hDC, m_snapshot.m_hObject);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memory, 0, 0, SRCCOPY);
  ::SelectObject(memory.m_hDC, hOld);
}

BOOL CMagnifyingGlass::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    ::SetCursor(m_bDragging ? nullptr : m_hCursor);
    return TRUE;
  }
  return (BOOL)Default();
}

// --- Settings ---

CMagnifierSettingsDialog::CMagnifierSettingsDialog(CWnd* pParent) : CDialog(IDD_MAGNIFIER_SETTINGS, pParent) {}

void CMagnifierSettingsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_MAGNIFIER_RECTANGULAR, m_bRectangular);
  DDX_Text(pDX, IDC_MAGNIFIER_SIZE, m_nSize);
  DDV_MinMaxInt(pDX, m_nSize, 100, 500);
  DDX_Text(pDX, IDC_MAGNIFIER_ZOOM, m_fZoom);
  DDV_MinMaxFloat(pDX, m_fZoom, 0.1f, 100.0f);
}
