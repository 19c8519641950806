#include "controls/TFXDataTip.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(TFXDataTip, CWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_MOUSEMOVE()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {
const char kClassName[] = "TFXDataTip";
}  // namespace

CPoint TFXDataTip::s_ptDefaultOffset(10, 5);
HFONT TFXDataTip::s_hFont = nullptr;
HBRUSH TFXDataTip::s_hBrush = nullptr;
BOOL TFXDataTip::s_bRegistered = FALSE;
HHOOK TFXDataTip::s_hKeyboardHook = nullptr;
WORD TFXDataTip::s_nCount = 0;
TFXDataTip* TFXDataTip::s_pCurrent = nullptr;
WORD TFXDataTip::s_nDelay = 500;

TFXDataTip::TFXDataTip() : m_nOffsetX(s_ptDefaultOffset.x), m_nOffsetY(s_ptDefaultOffset.y) {
  // The font and the brush serve every tip for the rest of the run.
  if (s_hFont == nullptr) {
    LOGFONT lf = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(lf), &lf);
    s_hFont = ::CreateFontIndirectA(&lf);
    s_hBrush = ::CreateSolidBrush(::GetSysColor(COLOR_INFOBK));
  }
  if (!s_bRegistered) {
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = s_hBrush;
    wc.lpszClassName = kClassName;
    s_bRegistered = ::RegisterClassA(&wc) != 0;
  }
  Register();
}

TFXDataTip::~TFXDataTip() {
  // The window goes with the base class, past our handlers: forget it here.
  if (s_pCurrent == this)
    s_pCurrent = nullptr;
  Unregister();
}

void TFXDataTip::Register() {
  if (m_bRegistered)
    return;
  m_bRegistered = TRUE;
  ++s_nCount;
  if (s_hKeyboardHook == nullptr)
    s_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, &KeyboardHookProc, nullptr, ::GetCurrentThreadId());
}

void TFXDataTip::Unregister() {
  if (!m_bRegistered)
    return;
  m_bRegistered = FALSE;
  if (--s_nCount == 0 && s_hKeyboardHook != nullptr) {
    ::UnhookWindowsHookEx(s_hKeyboardHook);
    s_hKeyboardHook = nullptr;
  }
}

LRESULT CALLBACK TFXDataTip::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode >= 0 && s_pCurrent != nullptr)
    s_pCurrent->Hide();
  return ::CallNextHookEx(s_hKeyboardHook, nCode, wParam, lParam);
}

BOOL TFXDataTip::Create(CWnd* pParentWnd) {
  m_hWndParent = HwndOf(pParentWnd);
  Register();  // a tip made anew after its window went counts again
  m_bCreated = CreateEx(WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                        m_hWndParent, nullptr);
  return m_bCreated;
}

void TFXDataTip::SetTip(CPoint point, LPCSTR lpszText) {
  if (!m_bOn || m_hWnd == nullptr || !::IsWindow(m_hWndParent))
    return;
  CRect rcClient;
  ::GetClientRect(m_hWndParent, &rcClient);
  if (!rcClient.PtInRect(point))
    return;
  ::ClientToScreen(m_hWndParent, &point);
  if (point == m_ptTip)
    return;
  m_strTip = lpszText != nullptr ? lpszText : "";
  m_ptTip = point;
  if (m_nTimer != 0)
    KillTimer(m_nTimer);
  m_nTimer = SetTimer(kShowTimer, s_nDelay);
}

void TFXDataTip::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowTimer) {
    Default();
    return;
  }
  KillTimer(kShowTimer);
  m_nTimer = 0;
  CPoint ptCursor;
  ::GetCursorPos(&ptCursor);
  if (ptCursor == m_ptTip)
    Show();
}

void TFXDataTip::Show() {
  if (s_pCurrent != nullptr && s_pCurrent != this)
    s_pCurrent->Hide();
  CSize extent;
  {
    CClientDC dc(this);
    CSelectGuard font(dc.m_hDC, s_hFont);
    extent = dc.GetTextExtent(m_strTip);
  }
  CRect rc(m_ptTip, extent);
  rc.InflateRect(4, 2);
  rc.OffsetRect(m_nOffsetX, m_nOffsetY);
  SetWindowPos(&wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  m_rcStay.SetRect(m_ptTip.x, m_ptTip.y, m_ptTip.x + 1, m_ptTip.y + 1);
  m_rcStay.InflateRect(2, 2);
  SetCapture();
  s_pCurrent = this;
}

void TFXDataTip::Hide() {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
    return;
  ShowWindow(SW_HIDE);
  if (m_nTimer != 0) {
    KillTimer(m_nTimer);
    m_nTimer = 0;
  }
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  if (s_pCurrent == this)
    s_pCurrent = nullptr;
}

BOOL TFXDataTip::DestroyWindow() {
  if (m_hWnd != nullptr && m_nTimer != 0) {
    KillTimer(m_nTimer);
    m_nTimer = 0;
  }
  return CWnd::DestroyWindow();
}

void TFXDataTip::OnNcDestroy() {
  Default();
  // A window that goes before its object takes its part of the hook with it.
  m_bCreated = 0;
  m_nTimer = 0;
  if (s_pCurrent == this)
    s_pCurrent = nullptr;
  Unregister();
}

void TFXDataTip::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_INFOBK));
  CSelectGuard font(dc.m_hDC, s_hFont);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
  dc.SetTextAlign(TA_CENTER);
  dc.TextOut(rc.Width() / 2, 1, m_strTip);
}

void TFXDataTip::OnMouseMove(UINT, CPoint point) {
  Default();
  if (!IsWindowVisible())
    return;
  ClientToScreen(&point);
  if (!m_rcStay.PtInRect(point))
    Hide();
}

BOOL TFXDataTip::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == m_hWnd && m_hWnd != nullptr) {
    switch (pMsg->message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_CANCELMODE: {
        LPARAM lParam = pMsg->lParam;
        if (pMsg->message != WM_CANCELMODE) {
          // The click belongs to the window under the tip.
          POINT pt = {(int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam)};
          ::ClientToScreen(m_hWnd, &pt);
          ::ScreenToClient(m_hWndParent, &pt);
          lParam = MAKELPARAM(pt.x, pt.y);
        }
        Hide();
        if (::IsWindow(m_hWndParent))
          ::SendMessageA(m_hWndParent, pMsg->message, pMsg->wParam, lParam);
        return FALSE;  // the parent may have closed this tip: nothing more here
      }
      default:
        break;
    }
  }
  return CWnd::PreTranslateMessage(pMsg);
}
