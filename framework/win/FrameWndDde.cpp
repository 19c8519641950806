// Shell open by DDE. The shell opens a document of a registered type by
// starting a conversation with the program's name and the topic "system" and
// sending it the command [open("path")]; when no copy of the program
// answers, it starts one with /dde and then sends the command. The main
// window of a program that enabled shell open is the server: it answers the
// initiate, copies the command, acknowledges it at once (so the shell is not
// held while the file opens or says why it cannot) and then runs it.
#include <dde.h>

#include <cstring>
#include <vector>

#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"

namespace {

const char kSystemTopic[] = "system";

LPCSTR DdeName(const CWinApp* pApp) {
  return pApp->m_pszExeName != nullptr ? pApp->m_pszExeName : "";
}

// The command text of an execute's global memory block. A Unicode client
// may send UTF-16; a command always begins with an ASCII character, so a
// zero second byte tells the two apart.
CString CommandText(HGLOBAL hData) {
  const SIZE_T nSize = hData != nullptr ? ::GlobalSize(hData) : 0;
  const char* p = nSize > 0 ? static_cast<const char*>(::GlobalLock(hData)) : nullptr;
  if (p == nullptr)
    return CString();
  CString text;
  if (nSize >= 2 && p[0] != '\0' && p[1] == '\0') {
    std::vector<wchar_t> wide(nSize / 2 + 1, L'\0');
    std::memcpy(wide.data(), p, nSize / 2 * 2);
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (nBytes > 0) {
      std::vector<char> narrow((size_t)nBytes);
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(), nBytes, nullptr, nullptr);
      text = narrow.data();
    }
  } else {
    text = CString(p, (int)strnlen(p, nSize));
  }
  ::GlobalUnlock(hData);
  return text;
}

// The path of a command [open("path")]; FALSE for any other command.
BOOL ParseOpenCommand(LPCSTR psz, CString& strPath) {
  while (*psz == ' ')
    ++psz;
  if (_strnicmp(psz, "[open(\"", 7) != 0)
    return FALSE;
  psz += 7;
  const char* pEnd = std::strchr(psz, '"');
  if (pEnd == nullptr || pEnd == psz || std::strncmp(pEnd, "\")]", 3) != 0)
    return FALSE;
  strPath = CString(psz, (int)(pEnd - psz));
  return TRUE;
}

}  // namespace

void CWinApp::EnableShellOpen() {
  if (m_atomApp != 0)
    return;
  m_atomApp = ::GlobalAddAtomA(DdeName(this));
  m_atomSystemTopic = ::GlobalAddAtomA(kSystemTopic);
}

BOOL CWinApp::OnDDECommand(LPSTR lpszCommand) {
  CString strPath;
  if (lpszCommand == nullptr || !ParseOpenCommand(lpszCommand, strPath))
    return FALSE;
  OpenDocumentFile(strPath);
  // The file was opened for the user to see.
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
    if (::IsIconic(m_pMainWnd->m_hWnd))
      m_pMainWnd->ShowWindow(SW_RESTORE);
    ::SetForegroundWindow(m_pMainWnd->m_hWnd);
  }
  return TRUE;
}

LRESULT CFrameWnd::OnDDEInitiate(WPARAM wParam, LPARAM lParam) {
  CWinApp* pApp = AfxGetApp();
  // A copy that only serves another program's objects shows no window to
  // open a file in: the shell then starts one that does.
  if (pApp == nullptr || !pApp->IsShellOpenEnabled() || pApp->m_pMainWnd != this || !::IsWindowVisible(m_hWnd))
    return 0;
  const ATOM aApp = LOWORD(lParam), aTopic = HIWORD(lParam);
  if ((aApp != 0 && aApp != pApp->m_atomApp) || (aTopic != 0 && aTopic != pApp->m_atomSystemTopic))
    return 0;
  // The atoms of the answer are the client's to delete.
  ::SendMessageA((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd,
                 MAKELPARAM(::GlobalAddAtomA(DdeName(pApp)), ::GlobalAddAtomA(kSystemTopic)));
  return 0;
}

LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam) {
  CWinApp* pApp = AfxGetApp();
  UINT_PTR nUnused = 0, nData = 0;
  ::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &nUnused, &nData);
  HGLOBAL hData = (HGLOBAL)nData;
  CString strCommand = CommandText(hData);
  CString strPath;
  const BOOL bKnown = pApp != nullptr && pApp->IsShellOpenEnabled() && ParseOpenCommand(strCommand, strPath);
  // The client frees the block once it has the answer.
  LPARAM lAck = ::PackDDElParam(WM_DDE_ACK, bKnown ? 0x8000 : 0, (UINT_PTR)hData);
  if (!::PostMessageA((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd, lAck))
    ::FreeDDElParam(WM_DDE_ACK, lAck);
  if (bKnown)
    pApp->OnDDECommand(strCommand.GetBuffer(0));
  return 0;
}

LRESULT CFrameWnd::OnDDETerminate(WPARAM wParam, LPARAM) {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->IsShellOpenEnabled() && pApp->m_pMainWnd == this)
    ::PostMessageA((HWND)wParam, WM_DDE_TERMINATE, (WPARAM)m_hWnd, 0);
  return 0;
}
