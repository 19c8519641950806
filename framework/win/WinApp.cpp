#include "framework/win/WinApp.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/win/Dc.h"
#include "framework/win/DocManager.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/GdiObject.h"
#include "framework/win/ImageList.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;
PFNREPORTERROR g_pfnReportBefore = nullptr;

// Errors that the portable code reports go to the message box.
int ReportInMessageBox(LPCSTR lpszText, UINT nType) {
  return AfxMessageBox(lpszText, nType);
}
}  // namespace

CWinApp* AfxGetApp() {
  return g_pApp;
}

CWnd* AfxGetMainWnd() {
  return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr)
    return g_pApp->m_hInstance;
  return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
  return g_hResource != nullptr ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstance) {
  g_hResource = hInstance;
}

LPCSTR AfxGetAppName() {
  return g_pApp != nullptr ? g_pApp->m_pszAppName : "";
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  if (g_pApp != nullptr)
    return g_pApp->PreTranslateMessage(pMsg);
  return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpPendingMessage() {
  MSG msg;
  if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    return TRUE;
  if (msg.message == WM_QUIT) {
    ::PostQuitMessage((int)msg.wParam);
    return FALSE;
  }
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}

void AfxDeleteTempMaps() {
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  CImageList::DeleteTempMap();
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // The names live as long as the process, as the registered classes do.
  static std::set<std::string> s_names;
  char name[96];
  std::snprintf(name, sizeof(name), "Brivane:%x:%p:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground,
                (void*)hIcon);
  auto it = s_names.find(name);
  if (it != s_names.end())
    return it->c_str();
  HINSTANCE hInst = AfxGetInstanceHandle();
  WNDCLASSA wc = {};
  if (!::GetClassInfoA(hInst, name, &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;  // bound windows are subclassed at creation
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc))
      return nullptr;
  }
  return s_names.insert(name).first->c_str();
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
  if (lpszAppName != nullptr) {
    m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
  }
  g_pApp = this;
  g_pfnReportBefore = SetReportErrorHook(&ReportInMessageBox);
}

CWinApp::~CWinApp() {
  delete m_pDocManager;
  m_pDocManager = nullptr;
  SelectPrinter(nullptr, nullptr);
  if (m_atomApp != 0)
    ::GlobalDeleteAtom(m_atomApp);
  if (m_atomSystemTopic != 0)
    ::GlobalDeleteAtom(m_atomSystemTopic);
  if (g_pApp == this) {
    g_pApp = nullptr;
    SetReportErrorHook(g_pfnReportBefore);
  }
}

void CWinApp::InitApplication(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
  m_hInstance = hInstance;
  m_lpCmdLine = lpCmdLine;
  m_nCmdShow = nCmdShow;

  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(hInstance, path, MAX_PATH);
  CString exe(path);
  int slash = exe.ReverseFind('\\');
  if (slash >= 0)
    exe = exe.Mid(slash + 1);
  int dot = exe.ReverseFind('.');
  if (dot > 0)
    exe = exe.Left(dot);
  m_strExeName = exe;
  m_pszExeName = m_strExeName;

  if (m_pszAppName == nullptr) {
    m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strAppName.IsEmpty())
      m_strAppName = m_strExeName;
    m_pszAppName = m_strAppName;
  }
  if (m_pszProfileName == nullptr) {
    m_strProfileName = m_pszAppName;
    m_pszProfileName = m_strProfileName;
  }

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_DATE_CLASSES};
  ::InitCommonControlsEx(&icc);
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  AfxDeleteTempMaps();
  return (int)m_msgCur.wParam;
}

BOOL CWinApp::PumpMessage() {
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
    return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg) {
  // A mouse move that does not move, a repaint or a caret blink leaves idle
  // work done; anything else may have changed what the commands show.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    CPoint pt(pMsg->pt);
    if (pt == m_ptLastMouse)
      return FALSE;
    m_ptLastMouse = pt;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinApp::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++))
        bIdle = FALSE;
    }
    do {
      if (!PumpMessage())
        return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
  HWND hWndMain = CWnd::HwndOf(m_pMainWnd);
  if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
    return TRUE;
  // A window outside the main window's tree (a pop-up without owner) still
  // gets the main window's accelerators.
  if (hWndMain != nullptr && pMsg->hwnd != nullptr && ::GetAncestor(pMsg->hwnd, GA_ROOTOWNER) != hWndMain)
    return m_pMainWnd->PreTranslateMessage(pMsg);
  return FALSE;
}

namespace {

// The visible top-level frames of the thread besides the main window
// (floating bars, frames of their own).
BOOL CALLBACK CollectFrame(HWND hWnd, LPARAM lParam) {
  auto* frames = reinterpret_cast<std::vector<HWND>*>(lParam);
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd != nullptr && ::IsWindowVisible(hWnd) && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    frames->push_back(hWnd);
  return TRUE;
}

void UpdateFrame(HWND hWnd) {
  ::SendMessageA(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
  CWnd frame(hWnd);
  frame.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
}

}  // namespace

BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    // Update the menus, toolbars and dialog bars of the main window and of
    // the other frames.
    HWND hWndMain = CWnd::HwndOf(m_pMainWnd);
    if (hWndMain != nullptr && ::IsWindowVisible(hWndMain))
      UpdateFrame(hWndMain);
    HWND hWndActive = CWnd::HwndOf(m_pActiveWnd);
    if (hWndActive != nullptr && ::IsWindowVisible(hWndActive))
      UpdateFrame(hWndActive);
    std::vector<HWND> frames;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectFrame, reinterpret_cast<LPARAM>(&frames));
    for (HWND hWnd : frames)
      if (hWnd != hWndMain && ::IsWindow(hWnd))
        UpdateFrame(hWnd);
    return TRUE;
  }
  if (lCount == 1)
    AfxDeleteTempMaps();
  return FALSE;
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey;
  m_pszRegistryKey = m_strRegistryKey;
  if (m_pszProfileName == nullptr) {
    m_strProfileName = m_pszAppName != nullptr ? m_pszAppName : "";
    m_pszProfileName = m_strProfileName;
  }
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  SetRegistryKey(AfxLoadString(nIDRegistryKey));
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr || *m_pszProfileName == '\0')
    return nullptr;
  CString path;
  path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
  HKEY hKey = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                        &hKey, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return hKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
  HKEY hAppKey = GetAppRegistryKey();
  if (hAppKey == nullptr || lpszSection == nullptr) {
    if (hAppKey != nullptr)
      ::RegCloseKey(hAppKey);
    return nullptr;
  }
  HKEY hKey = nullptr;
  DWORD disposition = 0;
  LONG rc = ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                              &hKey, &disposition);
  ::RegCloseKey(hAppKey);
  return rc == ERROR_SUCCESS ? hKey : nullptr;
}

namespace {
// Closes a registry key on every path.
struct CRegKey {
  explicit CRegKey(HKEY h) : hKey(h) {}
  ~CRegKey() {
    if (hKey != nullptr)
      ::RegCloseKey(hKey);
  }
  HKEY hKey;
};
}  // namespace

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return (UINT)nDefault;
  DWORD type = 0, value = 0, size = sizeof(value);
  if (::RegQueryValueExA(key.hKey, lpszEntry, nullptr, &type, (LPBYTE)&value, &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return (UINT)nDefault;
  return (UINT)value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return FALSE;
  DWORD value = (DWORD)nValue;
  return ::RegSetValueExA(key.hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&value, sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
  CString fallback(lpszDefault != nullptr ? lpszDefault : "");
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return fallback;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return fallback;
  // The stored value need not end with a zero; the buffer gets one of its own.
  CString value;
  LPSTR buffer = value.GetBuffer((int)size);
  DWORD got = size;
  if (::RegQueryValueExA(key.hKey, lpszEntry, nullptr, &type, (LPBYTE)buffer, &got) != ERROR_SUCCESS) {
    value.ReleaseBuffer(0);
    return fallback;
  }
  buffer[got < size ? got : size] = '\0';
  value.ReleaseBuffer();
  return value;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (lpszEntry == nullptr) {
    CRegKey appKey(GetAppRegistryKey());
    if (appKey.hKey == nullptr)
      return FALSE;
    return ::RegDeleteKeyA(appKey.hKey, lpszSection) == ERROR_SUCCESS;
  }
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return FALSE;
  if (lpszValue == nullptr)
    return ::RegDeleteValueA(key.hKey, lpszEntry) == ERROR_SUCCESS;
  return ::RegSetValueExA(key.hKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)(lstrlenA(lpszValue) + 1)) ==
         ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  *ppData = nullptr;
  *pBytes = 0;
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return FALSE;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
    return FALSE;
  std::unique_ptr<BYTE[]> data(new BYTE[size > 0 ? size : 1]);
  DWORD got = size;
  if (::RegQueryValueExA(key.hKey, lpszEntry, nullptr, &type, data.get(), &got) != ERROR_SUCCESS || got > size)
    return FALSE;
  *ppData = data.release();
  *pBytes = got;
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  CRegKey key(GetSectionKey(lpszSection));
  if (key.hKey == nullptr)
    return FALSE;
  return ::RegSetValueExA(key.hKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return -1;
  pApp->InitApplication(hInstance, lpCmdLine, nCmdShow);
  int nReturnCode;
  if (!pApp->InitInstance()) {
    if (pApp->m_pMainWnd != nullptr)
      pApp->m_pMainWnd->DestroyWindow();
    nReturnCode = pApp->ExitInstance();
  } else {
    nReturnCode = pApp->Run();
  }
  AfxDeleteTempMaps();
  return nReturnCode;
}
