// CWinApp: the program's one application object. It runs the message pump
// (with the PreTranslateMessage chain and idle-time update of commands),
// keeps the main window, and reads and writes the program's profile under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>.
#pragma once

#include "framework/base/String.h"
#include "framework/base/Point.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/CommandLineInfo.h"

class CDC;
class CDocManager;
class CDocTemplate;
class CPrintDialog;
class CDocument;
class CWnd;

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // lpszAppName: the program's name; null takes the application title
  // string (AFX_IDS_APP_TITLE) or the executable's name.
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Idle work; lCount counts the calls since the last message. Returns
  // TRUE to be called again before waiting.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PumpMessage();
  virtual BOOL IsIdleMessage(MSG* pMsg);

  // Sets the instance, names and command line (AfxWinMain calls it).
  void InitApplication(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

  // Documents. The application's document manager holds the templates
  // (made at the first AddDocTemplate) and the recent-file list.
  void AddDocTemplate(CDocTemplate* pTemplate);
  // Opens a file in a new document window; null when it cannot be read.
  // The recent-file list, dropped files and the command line come here.
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  // Reads the recent-file list of nMaxMRU entries from the profile.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  // Every document that takes a path comes here; a program can keep some
  // files out of its list.
  virtual void AddToRecentFileList(LPCSTR lpszPathName);
  // Lets the shell open files in this running copy: the main window then
  // answers DDE conversations on the program's name and the topic "system",
  // and RegisterShellFileTypes registers the DDE open command.
  void EnableShellOpen();
  BOOL IsShellOpenEnabled() const { return m_atomApp != 0; }
  // Registers each document type with its icon and open command.
  void RegisterShellFileTypes(BOOL bCompat = FALSE);
  // A command the shell sent by DDE: [open("path")] opens the file.
  // FALSE when the command is not understood.
  virtual BOOL OnDDECommand(LPSTR lpszCommand);
  // Runs the command line's request (new document, open a file, nothing);
  // FALSE ends the program's start.
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  // Asks "save changes?" for every modified document; FALSE when cancelled.
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  int GetOpenDocumentCount() const;
  void OnFileNew();
  void OnFileOpen();

  // Printing. The application keeps the printer chosen in Print Setup (the
  // default printer until then) for every print dialog of the program.
  // Runs pPD on the application's printer selection and keeps what was chosen.
  virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
  // Fills hDevMode and hDevNames of pPrintDlg with the selection (which
  // stays the application's); FALSE when there is no printer.
  BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
  // Takes over the blocks as the new selection.
  void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld = TRUE);
  // Attaches to dc the selected printer's DC; FALSE (after saying so) when
  // there is no printer or it cannot be opened.
  BOOL CreatePrinterDC(CDC& dc);
  // Takes the default printer when there is no selection or bForceDefaults.
  void UpdatePrinterSelection(BOOL bForceDefaults);
  void OnFilePrintSetup();

  CWnd* GetMainWnd() const { return m_pMainWnd; }
  void ParseCommandLine(CCommandLineInfo& rCmdInfo) { AfxParseCommandLine(m_lpCmdLine, rCmdInfo); }

  // Profile.
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  // The key Software\<registry key>\<profile name>, created when missing; the caller closes it.
  HKEY GetAppRegistryKey();
  // The section's key under the application key, created when missing; the caller closes it.
  HKEY GetSectionKey(LPCSTR lpszSection);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
  CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
  // A null entry deletes the section; a null value deletes the entry.
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  // *ppData is allocated with new[]; the caller deletes it.
  BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszExeName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;
  CWnd* m_pMainWnd = nullptr;
  // A frame of this program inside another program's window (a document
  // edited in place), updated at idle time like the main window.
  CWnd* m_pActiveWnd = nullptr;
  MSG m_msgCur = {};
  CDocManager* m_pDocManager = nullptr;  // owned
  HGLOBAL m_hDevMode = nullptr;          // the printer selection (owned)
  HGLOBAL m_hDevNames = nullptr;
  // The command line being carried out (printing to the printer it names), or null.
  CCommandLineInfo* m_pCmdInfo = nullptr;
  // Pages the print preview shows side by side at first (1 or 2; 0: one).
  UINT m_nNumPreviewPages = 0;

 protected:
  BOOL OnOpenRecentFile(UINT nID);
  void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  void OnAppExit();
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strAppName;
  CString m_strExeName;
  CString m_strRegistryKey;
  CString m_strProfileName;
  CPoint m_ptLastMouse;

  friend class CFrameWnd;
  ATOM m_atomApp = 0;          // the program's name, for the shell's DDE
  ATOM m_atomSystemTopic = 0;  // "system"
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstance);
LPCSTR AfxGetAppName();

// Gives pMsg to the PreTranslateMessage chain: the application's when there
// is one, else the window under the message and its parents.
BOOL AfxPreTranslateMessage(MSG* pMsg);
// Inside a long operation: handles one queued message, if there is one, as
// the main loop would. FALSE when it was the quit message, which is queued
// again for the main loop.
BOOL AfxPumpPendingMessage();
// Frees the temporary wrappers of windows, DCs, GDI objects and menus.
void AfxDeleteTempMaps();

// Registers (once) a window class whose procedure is the default one and
// returns its name, unique for the style, cursor, brush and icon.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);

// The program's entry: initialises the application object, runs
// InitInstance and the message pump. WinMain calls it.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
