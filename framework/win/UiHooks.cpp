#include "framework/win/UiHooks.h"

#include <mapi.h>

#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"

namespace {
MessageBoxHook g_messageBoxHook;
ModalDialogHook g_modalDialogHook;
ModalSheetHook g_modalSheetHook;
MessageBeepHook g_messageBeepHook;
ShellExecuteHook g_shellExecuteHook;
WinExecHook g_winExecHook;
SendMailHook g_sendMailHook;
PrintJobNameHook g_printJobNameHook;
}  // namespace

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook) {
  std::swap(g_messageBoxHook, hook);
  return hook;
}

ModalDialogHook AfxSetModalDialogHook(ModalDialogHook hook) {
  std::swap(g_modalDialogHook, hook);
  return hook;
}

ModalSheetHook AfxSetModalSheetHook(ModalSheetHook hook) {
  std::swap(g_modalSheetHook, hook);
  return hook;
}

MessageBeepHook AfxSetMessageBeepHook(MessageBeepHook hook) {
  std::swap(g_messageBeepHook, hook);
  return hook;
}

ShellExecuteHook AfxSetShellExecuteHook(ShellExecuteHook hook) {
  std::swap(g_shellExecuteHook, hook);
  return hook;
}

WinExecHook AfxSetWinExecHook(WinExecHook hook) {
  std::swap(g_winExecHook, hook);
  return hook;
}

SendMailHook AfxSetSendMailHook(SendMailHook hook) {
  std::swap(g_sendMailHook, hook);
  return hook;
}

PrintJobNameHook AfxSetPrintJobNameHook(PrintJobNameHook hook) {
  std::swap(g_printJobNameHook, hook);
  return hook;
}

CString AfxPrintJobName(LPCSTR lpszDocName) {
  if (g_printJobNameHook)
    return g_printJobNameHook(lpszDocName);
  return lpszDocName != nullptr ? lpszDocName : "";
}

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) {
    CWinApp* pApp = AfxGetApp();
    lpszCaption = pApp != nullptr && pApp->m_pszAppName != nullptr ? pApp->m_pszAppName : "";
  }
  if (lpszText == nullptr)
    lpszText = "";
  if (g_messageBoxHook)
    return g_messageBoxHook(hWndOwner, lpszText, lpszCaption, nType);
  return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  HWND hWndOwner = ::GetActiveWindow();
  if (hWndOwner == nullptr) {
    CWnd* pMainWnd = AfxGetMainWnd();
    hWndOwner = CWnd::HwndOf(pMainWnd);
  }
  return AfxShowMessageBox(hWndOwner, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text = AfxLoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

void AfxRunModalDialogHook(CDialog& dialog) {
  if (g_modalDialogHook)
    g_modalDialogHook(dialog);
}

void AfxRunModalSheetHook(CPropertySheet& sheet) {
  if (g_modalSheetHook)
    g_modalSheetHook(sheet);
}

BOOL AfxMessageBeep(UINT uType) {
  if (g_messageBeepHook) {
    g_messageBeepHook(uType);
    return TRUE;
  }
  return ::MessageBeep(uType);
}

HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpVerb, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                          int nShowCmd) {
  if (g_shellExecuteHook)
    return g_shellExecuteHook(hWnd, lpVerb, lpFile, lpParameters, lpDirectory, nShowCmd);
  return ::ShellExecuteA(hWnd, lpVerb, lpFile, lpParameters, lpDirectory, nShowCmd);
}

UINT AfxWinExec(LPCSTR lpCmdLine, UINT uCmdShow) {
  if (g_winExecHook)
    return g_winExecHook(lpCmdLine, uCmdShow);
  return ::WinExec(lpCmdLine, uCmdShow);
}

ULONG AfxSendMail(HWND hWndOwner, LPCSTR lpszPath, LPCSTR lpszFileName) {
  if (g_sendMailHook)
    return g_sendMailHook(hWndOwner, lpszPath, lpszFileName);
  HMODULE hMapi = ::LoadLibraryA("MAPI32.DLL");
  if (hMapi == nullptr)
    return MAPI_E_FAILURE;
  LPMAPISENDMAIL pfnSendMail = (LPMAPISENDMAIL)(void*)::GetProcAddress(hMapi, "MAPISendMail");
  ULONG nResult = MAPI_E_FAILURE;
  if (pfnSendMail != nullptr) {
    MapiFileDesc file = {};
    file.nPosition = (ULONG)-1;
    file.lpszPathName = const_cast<LPSTR>(lpszPath);
    file.lpszFileName = const_cast<LPSTR>(lpszFileName);
    MapiMessage message = {};
    message.nFileCount = 1;
    message.lpFiles = &file;
    // The mail program's own window writes the message.
    nResult = pfnSendMail(0, (ULONG_PTR)hWndOwner, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
  }
  ::FreeLibrary(hMapi);
  return nResult;
}

BOOL AfxIsMailAvailable() {
  return ::GetProfileIntA("Mail", "MAPI", 0) != 0;
}

void AfxReportUnhandledException() {
  AfxMessageBox("An unexpected error occurred. The last operation was not completed.", MB_OK | MB_ICONSTOP);
}

CString AfxLoadString(UINT nID) {
  // String resources hold at most 4097 characters; the call truncates safely.
  char buffer[4097];
  int nLen = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, (int)sizeof(buffer));
  return CString(buffer, nLen > 0 ? nLen : 0);
}
