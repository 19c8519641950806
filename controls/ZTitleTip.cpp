#include "controls/ZTitleTip.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(ZTitleTip, CWnd)

BEGIN_MESSAGE_MAP(ZTitleTip, CWnd)
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

const char kTitleTipClass[] = "ZTitleTip";

BOOL RegisterTitleTipClass() {
  WNDCLASSA wndcls;
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (::GetClassInfoA(hInst, kTitleTipClass, &wndcls))
    return TRUE;
  wndcls = {};
  wndcls.style = CS_SAVEBITS;
  wndcls.lpfnWndProc = ::DefWindowProcA;
  wndcls.hInstance = hInst;
  wndcls.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
  wndcls.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
  wndcls.lpszClassName = kTitleTipClass;
  return ::RegisterClassA(&wndcls) != 0;
}

}  // namespace

ZTitleTip::~ZTitleTip() {
  if (m_hWnd != nullptr)
    DestroyWindow();
}

BOOL ZTitleTip::Create(CWnd* pParentWnd) {
  if (pParentWnd == nullptr || !RegisterTitleTipClass())
    return FALSE;
  m_pParentWnd = pParentWnd;
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitleTipClass, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                  pParentWnd->m_hWnd, nullptr);
}

void ZTitleTip::Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset) {
  if (m_hWnd == nullptr || IsWindowVisible() || ::GetFocus() == nullptr || lpszTitleText == nullptr)
    return;
  // The stay area, in the tip's own coordinates once it sits over the cell.
  m_rectTitle.SetRect(-xoffset - 1, -1, rectTitle.Width() - xoffset, rectTitle.Height() + 1);
  m_pParentWnd->ClientToScreen(&rectTitle);

  CClientDC dc(this);
  CString strTitle = CString(" ") + lpszTitleText + " ";
  CFont* pFont = m_pParentWnd->GetFont();
  CSelectGuard font(dc.m_hDC, pFont != nullptr ? pFont->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
  CSize size = dc.GetTextExtent(strTitle);
  if (rectTitle.right - xoffset >= rectTitle.left + size.cx + 2 * xoffset)
    return;  // the text fits its cell

  CRect rectDisplay(rectTitle.left + xoffset, rectTitle.top, rectTitle.left + xoffset + size.cx + xoffset,
                    rectTitle.bottom);
  SetWindowPos(&wndTop, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(0, 0, strTitle);
  SetCapture();
}

void ZTitleTip::Hide() {
  if (m_hWnd == nullptr)
    return;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  ShowWindow(SW_HIDE);
}

void ZTitleTip::ForwardMouse(UINT message, WPARAM wParam, CPoint ptScreen) {
  Hide();
  HWND hWnd = ::WindowFromPoint(ptScreen);
  if (hWnd == nullptr || hWnd == m_hWnd)
    hWnd = m_pParentWnd->m_hWnd;
  LRESULT nHitTest = ::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
  if (nHitTest == HTCLIENT) {
    CPoint pt = ptScreen;
    ::ScreenToClient(hWnd, &pt);
    ::PostMessageA(hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
  } else {
    // WM_NCMOUSEMOVE and the non-client presses lie at the same distance from their client forms.
    ::PostMessageA(hWnd, message + (WM_NCMOUSEMOVE - WM_MOUSEMOVE), (WPARAM)nHitTest,
                   MAKELPARAM(ptScreen.x, ptScreen.y));
  }
}

void ZTitleTip::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_rectTitle.PtInRect(point))
    return;
  ClientToScreen(&point);
  ForwardMouse(WM_MOUSEMOVE, nFlags, point);
}

BOOL ZTitleTip::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      CPoint point(BRIVANE_X(pMsg->lParam), BRIVANE_Y(pMsg->lParam));
      ::ClientToScreen(pMsg->hwnd, &point);
      ForwardMouse(pMsg->message, pMsg->wParam, point);
      return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Hide();
      m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
      return TRUE;
    default:
      break;
  }
  if (::GetFocus() == nullptr)
    Hide();
  return CWnd::PreTranslateMessage(pMsg);
}
