// The framework's doors to the user that tests stand in for: every message
// box, every modal dialog as it opens, MessageBeep and ShellExecute go
// through here, and so do WinExec, the mail sent through Simple MAPI and
// the name a print job gets in the spooler. With no hook installed the real
// call is made.
#pragma once

#include <functional>

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CDialog;
class CPropertySheet;

// Decides a message box: gets the text, caption and MB_ style, returns the
// button (IDOK, IDYES, ...).
typedef std::function<int(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)> MessageBoxHook;
// Acts on a modal dialog after its initialisation, before its loop runs
// (fill fields, press a button, or EndDialog).
typedef std::function<void(CDialog& dialog)> ModalDialogHook;
// The same for a property sheet, once its first page is up.
typedef std::function<void(CPropertySheet& sheet)> ModalSheetHook;
typedef std::function<void(UINT uType)> MessageBeepHook;
// Returns what ShellExecute would (> 32 success).
typedef std::function<HINSTANCE(HWND hWnd, LPCSTR lpVerb, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                                int nShowCmd)>
    ShellExecuteHook;
// Returns what WinExec would (> 31 success).
typedef std::function<UINT(LPCSTR lpCmdLine, UINT uCmdShow)> WinExecHook;
// Opens a new mail message with one file attached (its path, and the name
// the message shows); returns what MAPISendMail would (0 success).
typedef std::function<ULONG(HWND hWndOwner, LPCSTR lpszPath, LPCSTR lpszFileName)> SendMailHook;
// The spooler's name of a print job the program names lpszDocName (a test
// gives each job a name of its own, to find its pages among others').
typedef std::function<CString(LPCSTR lpszDocName)> PrintJobNameHook;

// Each returns the hook it replaces; an empty function removes the hook.
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);
ModalDialogHook AfxSetModalDialogHook(ModalDialogHook hook);
ModalSheetHook AfxSetModalSheetHook(ModalSheetHook hook);
MessageBeepHook AfxSetMessageBeepHook(MessageBeepHook hook);
ShellExecuteHook AfxSetShellExecuteHook(ShellExecuteHook hook);
WinExecHook AfxSetWinExecHook(WinExecHook hook);
SendMailHook AfxSetSendMailHook(SendMailHook hook);
PrintJobNameHook AfxSetPrintJobNameHook(PrintJobNameHook hook);

// The one place a message box is shown. A null caption becomes the application's name.
int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
// A message box owned by the active window of the program.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text of string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
void AfxRunModalDialogHook(CDialog& dialog);
void AfxRunModalSheetHook(CPropertySheet& sheet);
BOOL AfxMessageBeep(UINT uType);
HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpVerb, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                          int nShowCmd);
UINT AfxWinExec(LPCSTR lpCmdLine, UINT uCmdShow);
ULONG AfxSendMail(HWND hWndOwner, LPCSTR lpszPath, LPCSTR lpszFileName);
// The name a print job the program names lpszDocName goes to the spooler by.
CString AfxPrintJobName(LPCSTR lpszDocName);
// Whether the system offers Simple MAPI: "MAPI" set in the profile's
// [Mail] section.
BOOL AfxIsMailAvailable();

// Shown when an exception escapes a message handler.
void AfxReportUnhandledException();

// Loads string resource nID; empty when it does not exist.
CString AfxLoadString(UINT nID);
