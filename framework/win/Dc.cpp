#include "framework/win/Dc.h"

#include <cstdlib>

#include "framework/win/HandleMap.h"
#include "framework/win/UiHooks.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {
CTempHandleMap<HDC, CDC>& TemporaryDCs() {
  static CTempHandleMap<HDC, CDC> s_map;
  return s_map;
}
}  // namespace

CDC* BrivaneDCFromHandle(HDC hDC) {
  return CDC::FromHandle(hDC);
}

CDC::~CDC() {
  if (m_hDC != nullptr)
    ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC hDC) {
  return TemporaryDCs().Lookup(hDC);
}

void CDC::DeleteTempMap() {
  TemporaryDCs().DeleteAll();
}

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr || m_hDC != nullptr)
    return FALSE;
  m_hDC = hDC;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  m_hDC = nullptr;
  return hDC;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr)
    return FALSE;
  return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const {
  return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::StartDoc(LPDOCINFOA lpDocInfo) {
  DOCINFOA di = *lpDocInfo;
  const CString strName = AfxPrintJobName(di.lpszDocName);
  di.lpszDocName = strName;
  return ::StartDocA(m_hDC, &di);
}

int CDC::StartDoc(LPCSTR lpszDocName) {
  DOCINFOA di = {};
  di.cbSize = sizeof(di);
  di.lpszDocName = lpszDocName;
  return StartDoc(&di);
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old = {};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetWindowOrg() const {
  POINT pt = {};
  ::GetWindowOrgEx(m_hDC, &pt);
  return pt;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE old = {};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}

CSize CDC::GetWindowExt() const {
  SIZE size = {};
  ::GetWindowExtEx(m_hDC, &size);
  return size;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old = {};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetViewportOrg() const {
  POINT pt = {};
  ::GetViewportOrgEx(m_hDC, &pt);
  return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT old = {};
  ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
  return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE old = {};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}

CSize CDC::GetViewportExt() const {
  SIZE size = {};
  ::GetViewportExtEx(m_hDC, &size);
  return size;
}

// A size is a distance: converted as the difference of two converted points.
void CDC::DPtoLP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::DPtoLP(m_hDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const {
  LPtoDP(lpSize);
  int nPixelsX = ::GetDeviceCaps(m_hDC, LOGPIXELSX);
  int nPixelsY = ::GetDeviceCaps(m_hDC, LOGPIXELSY);
  lpSize->cx = nPixelsX > 0 ? ::MulDiv(std::abs((int)lpSize->cx), 2540, nPixelsX) : 0;
  lpSize->cy = nPixelsY > 0 ? ::MulDiv(std::abs((int)lpSize->cy), 2540, nPixelsY) : 0;
}

void CDC::LPtoDP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::LPtoDP(m_hDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old = {};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::SetBrushOrg(int x, int y) {
  POINT old = {};
  ::SetBrushOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetCurrentPosition() const {
  POINT pt = {};
  ::GetCurrentPositionEx(m_hDC, &pt);
  return pt;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  // An opaque empty text output fills with the background colour, and needs no brush.
  COLORREF old = ::SetBkColor(m_hDC, clr);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT rc = {x, y, x + cx, y + cy};
  FillSolidRect(&rc, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
  SIZE size = {};
  ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
  return size;
}

namespace {
HWND g_hWndPrintClient = nullptr;
HDC g_hDCPrintClient = nullptr;
}  // namespace

CPaintDC::CPrintClientScope::CPrintClientScope(HWND hWnd, HDC hDC)
    : m_hWndSaved(g_hWndPrintClient), m_hDCSaved(g_hDCPrintClient) {
  g_hWndPrintClient = hWnd;
  g_hDCPrintClient = hDC;
}

CPaintDC::CPrintClientScope::~CPrintClientScope() {
  g_hWndPrintClient = m_hWndSaved;
  g_hDCPrintClient = m_hDCSaved;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
  if (m_hWnd != nullptr && m_hWnd == g_hWndPrintClient) {
    m_bPrintClient = TRUE;
    m_ps.hdc = g_hDCPrintClient;
    m_ps.fErase = FALSE;
    ::GetClientRect(m_hWnd, &m_ps.rcPaint);
    m_hDC = g_hDCPrintClient;
    return;
  }
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  if (!m_bPrintClient)
    ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::HwndOf(pWnd)) {
  Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
  ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(CWnd::HwndOf(pWnd)) {
  Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
  ::ReleaseDC(m_hWnd, Detach());
}
