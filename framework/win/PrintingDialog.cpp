#include "framework/win/PrintingDialog.h"

#include "framework/win/FrameworkRes.h"
#include "framework/win/PrintMessages.h"
#include "framework/win/WinApp.h"

BOOL CPrintingDialog::s_bUserAbort = FALSE;

BEGIN_MESSAGE_MAP(CPrintingDialog, CWnd)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
const int kWidth = 320;
const int kLineHeight = 18;

HWND AddChild(HWND hWndParent, LPCSTR lpszClass, LPCSTR lpszText, DWORD dwStyle, int x, int y, int cx, int cy,
              int nID) {
  HWND hWnd = ::CreateWindowExA(0, lpszClass, lpszText, WS_CHILD | WS_VISIBLE | dwStyle, x, y, cx, cy, hWndParent,
                                (HMENU)(INT_PTR)nID, AfxGetInstanceHandle(), nullptr);
  if (hWnd != nullptr)
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
  return hWnd;
}
}  // namespace

CPrintingDialog::~CPrintingDialog() {
  if (m_hWnd != nullptr)
    DestroyWindow();
}

BOOL CPrintingDialog::Create(CWnd* pOwner, LPCSTR lpszDocName, LPCSTR lpszPrinter, LPCSTR lpszPort) {
  s_bUserAbort = FALSE;
  HWND hWndOwner = CWnd::HwndOf(pOwner);
  while (hWndOwner != nullptr && (::GetWindowLongA(hWndOwner, GWL_STYLE) & WS_CHILD))
    hWndOwner = ::GetParent(hWndOwner);
  LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER;
  CRect rc(0, 0, kWidth, 5 * kLineHeight + 40);
  ::AdjustWindowRectEx(&rc, dwStyle, FALSE, WS_EX_DLGMODALFRAME);
  if (!CreateEx(WS_EX_DLGMODALFRAME, lpszClass, "Printing...", dwStyle, 0, 0, rc.Width(), rc.Height(), hWndOwner,
                nullptr))
    return FALSE;
  CString printer(lpszPrinter != nullptr ? lpszPrinter : "");
  CString port(lpszPort != nullptr ? lpszPort : "");
  if (!port.IsEmpty()) {
    CString on;
    on.Format(AfxLoadStringOr(AFX_IDS_PRINTONPORT, "on %s"), (LPCSTR)port);
    printer += " " + on;
  }
  AddChild(m_hWnd, "STATIC", lpszDocName, SS_CENTER | SS_NOPREFIX, 8, 8, kWidth - 16, kLineHeight, -1);
  AddChild(m_hWnd, "STATIC", printer, SS_CENTER | SS_NOPREFIX, 8, 8 + kLineHeight, kWidth - 16, kLineHeight, -1);
  m_hWndPage = AddChild(m_hWnd, "STATIC", "", SS_CENTER, 8, 8 + 2 * kLineHeight, kWidth - 16, kLineHeight, -1);
  AddChild(m_hWnd, "BUTTON", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth / 2 - 40, 8 + 3 * kLineHeight + 8, 80, 24,
           IDCANCEL);
  CenterWindow(pOwner);
  ShowWindow(SW_SHOWNOACTIVATE);
  UpdateWindow();
  return TRUE;
}

void CPrintingDialog::SetPage(UINT nPage) {
  if (m_hWndPage == nullptr)
    return;
  CString text;
  text.Format(AfxLoadStringOr(AFX_IDS_PRINTPAGENUM, "Page %u"), nPage);
  ::SetWindowTextA(m_hWndPage, text);
  ::UpdateWindow(m_hWndPage);
}

void CPrintingDialog::OnCancel() {
  s_bUserAbort = TRUE;
  HWND hWndCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
  if (hWndCancel != nullptr)
    ::EnableWindow(hWndCancel, FALSE);
}

BOOL CALLBACK CPrintingDialog::AbortProc(HDC, int) {
  MSG msg;
  while (!s_bUserAbort && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    // The program is ending: the job stops, and the quit goes on to the main loop.
    if (!AfxPumpPendingMessage())
      return FALSE;
  }
  return !s_bUserAbort;
}
