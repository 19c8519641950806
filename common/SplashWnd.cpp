#include "common/SplashWnd.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

namespace {

const UINT_PTR kHideTimer = 1;
const UINT kShowMs = 750;

BOOL g_bShowSplashWnd = FALSE;
CSplashWnd* g_pSplashWnd = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

void CSplashWnd::EnableSplashScreen(BOOL bEnable) {
  g_bShowSplashWnd = bEnable;
}

CSplashWnd* CSplashWnd::GetSplashWnd() {
  return g_pSplashWnd;
}

void CSplashWnd::ShowSplashScreen(CWnd* pParentWnd, UINT nIDBitmap) {
  if (!g_bShowSplashWnd || g_pSplashWnd != nullptr)
    return;
  g_pSplashWnd = new CSplashWnd;
  if (!g_pSplashWnd->Create(pParentWnd, nIDBitmap)) {
    // No window was bound, so nothing deletes it but us.
    delete g_pSplashWnd;
  } else {
    g_pSplashWnd->UpdateWindow();
  }
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* pMsg) {
  if (g_pSplashWnd == nullptr)
    return FALSE;
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      g_pSplashWnd->HideSplashScreen();
      return TRUE;
    default:
      return FALSE;
  }
}

CSplashWnd::~CSplashWnd() {
  if (g_pSplashWnd == this)
    g_pSplashWnd = nullptr;
}

BOOL CSplashWnd::Create(CWnd* pParentWnd, UINT nIDBitmap) {
  if (!m_bitmap.LoadBitmap(nIDBitmap))
    return FALSE;
  BITMAP bm = {};
  m_bitmap.GetBitmap(&bm);
  return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), nullptr, WS_POPUP | WS_VISIBLE, 0, 0,
                  bm.bmWidth, bm.bmHeight, pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CSplashWnd::HideSplashScreen() {
  DestroyWindow();
  // What the splash covered is painted now, not at the next idle moment.
  if (CWnd* pMain = AfxGetMainWnd())
    pMain->UpdateWindow();
}

void CSplashWnd::PostNcDestroy() {
  delete this;
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  CenterWindow(CWnd::GetDesktopWindow());
  SetTimer(kHideTimer, kShowMs);
  return 0;
}

void CSplashWnd::OnPaint() {
  CPaintDC dc(this);
  CDC dcImage;
  if (!dcImage.CreateCompatibleDC(&dc))
    return;
  BITMAP bm = {};
  m_bitmap.GetBitmap(&bm);
  CSelectGuard bitmapGuard(dcImage, &m_bitmap);
  dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
}

void CSplashWnd::OnTimer(UINT_PTR) {
  HideSplashScreen();
}
