#include "controls/HyperlinkCtrl.h"

#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"

BEGIN_MESSAGE_MAP(CHyperlinkCtrl, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_MOUSEMOVE()
  ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

const UINT_PTR kToolId = 1;
// The hand of the help viewer, the one hand cursor every system had.
const int kHelpHandCursor = 106;

// The default value of HKEY_CLASSES_ROOT\lpszKey; FALSE when it cannot be read.
BOOL ReadClassesRootDefault(LPCSTR lpszKey, CString& value) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
    return FALSE;
  char data[MAX_PATH + 1] = {};
  DWORD cbData = MAX_PATH;  // one byte kept for a terminator the value may lack
  DWORD type = 0;
  LONG rc = ::RegQueryValueExA(hKey, nullptr, nullptr, &type, (LPBYTE)data, &cbData);
  ::RegCloseKey(hKey);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return FALSE;
  value = data;
  return TRUE;
}

}  // namespace

CHyperlinkCtrl::CHyperlinkCtrl() : m_crHover(::GetSysColor(COLOR_HIGHLIGHT)) {}

CHyperlinkCtrl::~CHyperlinkCtrl() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
    ::SendMessageA(m_hWnd, WM_SETFONT, 0, FALSE);
  if (m_hDefaultCursor != nullptr)
    ::DestroyCursor(m_hDefaultCursor);
}

void CHyperlinkCtrl::PreSubclassWindow() {
  ModifyStyle(0, SS_NOTIFY);
  if (m_strURL.IsEmpty())
    GetWindowText(m_strURL);
  CString strText;
  GetWindowText(strText);
  if (strText.IsEmpty())
    SetWindowText(m_strURL);
  SetUnderlineFont();
  PositionWindow();
  if (m_hLinkCursor == nullptr)
    SetDefaultCursor();
  if (m_ToolTip.Create(this)) {
    CRect rc;
    GetClientRect(&rc);
    m_ToolTip.AddTool(this, m_strURL, &rc, kToolId);
  }
  CStatic::PreSubclassWindow();
}

BOOL CHyperlinkCtrl::PreTranslateMessage(MSG* pMsg) {
  if (m_ToolTip.m_hWnd != nullptr)
    m_ToolTip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

void CHyperlinkCtrl::SetURL(LPCSTR lpszURL) {
  m_strURL = lpszURL != nullptr ? lpszURL : "";
  if (m_hWnd != nullptr) {
    PositionWindow();
    if (m_ToolTip.m_hWnd != nullptr)
      m_ToolTip.UpdateTipText(m_strURL, this, kToolId);
  }
}

void CHyperlinkCtrl::SetLinkColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover) {
  m_crLink = crLink;
  m_crVisited = crVisited;
  m_crHover = crHover == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : crHover;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CHyperlinkCtrl::SetVisited(BOOL bVisited) {
  m_bVisited = bVisited;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CHyperlinkCtrl::SetHandCursor(HCURSOR hCursor) {
  m_hLinkCursor = hCursor;
  if (m_hLinkCursor == nullptr)
    SetDefaultCursor();
}

void CHyperlinkCtrl::SetUnderline(BOOL bUnderline) {
  m_bUnderline = bUnderline;
  if (m_hWnd != nullptr) {
    SetUnderlineFont();
    Invalidate();
  }
}

void CHyperlinkCtrl::SetFitToText(BOOL bFit) {
  m_bFitToText = bFit;
  if (m_hWnd != nullptr)
    PositionWindow();
}

void CHyperlinkCtrl::SetUnderlineFont() {
  LOGFONT lf = {};
  HFONT hCurrent = (HFONT)SendMessage(WM_GETFONT);
  if (hCurrent == nullptr || ::GetObjectA(hCurrent, sizeof(lf), &lf) == 0)
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfUnderline = (BYTE)(m_bUnderline ? 1 : 0);
  // The control may be using the font being replaced: set the new one first.
  CFont font;
  if (!font.CreateFontIndirect(&lf))
    return;
  SetFont(&font, FALSE);
  m_UnderlineFont.DeleteObject();
  m_UnderlineFont.Attach(font.Detach());
}

void CHyperlinkCtrl::PositionWindow() {
  if (!m_bFitToText || m_hWnd == nullptr)
    return;
  CRect rc;
  GetWindowRect(&rc);
  HWND hWndParent = ::GetParent(m_hWnd);
  if (hWndParent != nullptr)
    ::MapWindowPoints(nullptr, hWndParent, (LPPOINT)&rc, 2);

  CString strText;
  GetWindowText(strText);
  CSize extent;
  {
    CClientDC dc(this);
    CSelectGuard font(dc.m_hDC, m_UnderlineFont.GetSafeHandle() != nullptr ? m_UnderlineFont.GetSafeHandle()
                                                                           : ::GetStockObject(DEFAULT_GUI_FONT));
    extent = dc.GetTextExtent(strText);
  }

  DWORD dwStyle = GetStyle();
  if (dwStyle & SS_CENTERIMAGE) {
    rc.top += (rc.Height() - extent.cy) / 2;
    rc.bottom = rc.top + extent.cy;
  } else {
    rc.bottom = rc.top + extent.cy;
  }
  switch (dwStyle & SS_TYPEMASK) {
    case SS_CENTER:
      rc.left += (rc.Width() - extent.cx) / 2;
      rc.right = rc.left + extent.cx;
      break;
    case SS_RIGHT:
      rc.left = rc.right - extent.cx;
      break;
    default:
      rc.right = rc.left + extent.cx;
      break;
  }
  SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
}

void CHyperlinkCtrl::SetDefaultCursor() {
  char szPath[MAX_PATH + 32] = "";
  UINT nLen = ::GetWindowsDirectoryA(szPath, MAX_PATH);
  if (nLen == 0 || nLen >= MAX_PATH)
    return;
  ::lstrcatA(szPath, "\\winhlp32.exe");
  // Only its resources are wanted: none of its code is run.
  HMODULE hModule = ::LoadLibraryExA(szPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (hModule == nullptr)
    return;
  HCURSOR hHand = ::LoadCursorA(hModule, MAKEINTRESOURCEA(kHelpHandCursor));
  if (hHand != nullptr) {
    if (m_hDefaultCursor == nullptr)
      m_hDefaultCursor = (HCURSOR)::CopyIcon((HICON)hHand);
    m_hLinkCursor = m_hDefaultCursor;
  }
  ::FreeLibrary(hModule);
}

void CHyperlinkCtrl::RepaintNow() {
  Invalidate();
  UpdateWindow();
}

HBRUSH CHyperlinkCtrl::CtlColor(CDC* pDC, UINT) {
  if (m_bOverControl)
    pDC->SetTextColor(m_crHover);
  else if (m_bVisited)
    pDC->SetTextColor(m_crVisited);
  else
    pDC->SetTextColor(m_crLink);
  pDC->SetBkMode(TRANSPARENT);
  return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CHyperlinkCtrl::OnMouseMove(UINT, CPoint point) {
  Default();
  if (!m_bOverControl) {
    m_bOverControl = TRUE;
    RepaintNow();
    SetCapture();
    return;
  }
  CRect rc;
  GetClientRect(&rc);
  if (!rc.PtInRect(point)) {
    m_bOverControl = FALSE;
    ::ReleaseCapture();
    RepaintNow();
  }
}

BOOL CHyperlinkCtrl::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_hLinkCursor == nullptr)
    return FALSE;
  ::SetCursor(m_hLinkCursor);
  return TRUE;
}

void CHyperlinkCtrl::OnClicked() {
  HINSTANCE hResult = OpenURL(m_strURL, SW_SHOW);
  m_bVisited = (INT_PTR)hResult > 32;
  if (m_bVisited) {
    SetVisited(TRUE);
    UpdateWindow();
    return;
  }
  AfxMessageBeep(MB_ICONEXCLAMATION);
  AfxMessageBox(ErrorText((int)(INT_PTR)hResult), MB_ICONEXCLAMATION);
}

HINSTANCE CHyperlinkCtrl::OpenURL(LPCSTR lpszURL, int nShowCmd) {
  HINSTANCE hResult = AfxShellExecute(nullptr, "open", lpszURL, nullptr, nullptr, nShowCmd);
  if ((INT_PTR)hResult > 32)
    return hResult;
  // No association for the address itself: the program that opens web pages.
  CString strClass, strCommand;
  if (!ReadClassesRootDefault(".htm", strClass))
    return hResult;
  strClass += "\\shell\\open\\command";
  if (!ReadClassesRootDefault(strClass, strCommand))
    return hResult;
  int nCut = strCommand.Find("\"%1\"");
  if (nCut < 0)
    nCut = strCommand.Find("%1");
  if (nCut >= 0)
    strCommand = strCommand.Left(nCut);
  strCommand += " ";
  strCommand += lpszURL;
  return (HINSTANCE)(UINT_PTR)AfxWinExec(strCommand, (UINT)nShowCmd);
}

CString CHyperlinkCtrl::ErrorText(int nError) {
  static const struct {
    int nCode;
    LPCSTR pszText;
  } kErrors[] = {
      {0, "The operating system is out\nof memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied\naccess to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred. "},
      {27, "The filename association is\nincomplete or invalid."},
      {28, "The DDE transaction could not\nbe completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
      {31, "There is no application associated\nwith the given filename extension."},
      {32, "The specified dynamic-link library was not found."},
  };
  CString strText = "Unable to open hyperlink:\n\n";
  for (const auto& e : kErrors) {
    if (e.nCode == nError)
      return strText + e.pszText;
  }
  CString strUnknown;
  strUnknown.Format("Unknown Error (%d) occurred.", nError);
  return strText + strUnknown;
}
