// CBrivaneProApp: the 1D program's application object. It starts the
// program (common-controls check, profile, document template, main frame,
// command line) and keeps what outlives the documents: the processing
// history, the import file type, the open-failure text and the integration
// display settings. The print-out options are the program's print settings
// (GetPrintSettings), which all drawing reads; the printer the print dialogs
// start from is the framework's printer selection.
#pragma once

#include "framework/win/OleTemplateServer.h"
#include "framework/win/WinApp.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/app/ProfileSettings.h"

class CMultiDocTemplate;

// The common-controls version the program needs: 4.71.
const DWORD kRequiredComCtlVersion = (4 << 16) | 71;

// The version of a DLL from its DllGetVersion, as major x 65536 + minor;
// 0 when the library or the function is missing or the call fails.
DWORD GetDllVersion(LPCSTR lpszDllName);

class CBrivaneProApp : public CWinApp {
 public:
  CBrivaneProApp();
  ~CBrivaneProApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // The splash sees every message first and goes at a key or button press.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // A new document window with the native file read into it; null (after
  // the failure was shown, and with the window closed) when it cannot be read.
  CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;
  // The nD program's hand-off documents are not listed: it deletes them
  // once this program has ended.
  void AddToRecentFileList(LPCSTR lpszPathName) override;

  // The orientation of the printer the print dialogs start from: landscape
  // when bLandscape, else portrait. 0 when there is no printer.
  int SetPrinterOrientation(BOOL bLandscape);
  void SetImportType(int nType) { m_State.m_nImportType = nType; }

  // The common-controls version the start checks. The environment variable
  // BRIVANE_COMCTL_VERSION ("4.70") stands in for the system's, so that the
  // program's tests can start it as on an older system.
  static DWORD GetComCtlVersion();

  CBrivaneAppState& GetState() { return m_State; }
  CSettingsStore& GetSettings() { return m_Settings; }
  CHistoryList& GetHistory() { return m_State.m_History; }

  CBrivaneAppState m_State;           // history, import type, open failure, integration settings
  int m_nIconType;                    // "Icon"/"Icon Type"
  CMultiDocTemplate* m_pDocTemplate;  // owned by the document manager
  COleTemplateServer m_server;        // offers the 1D document to other programs

 protected:
  void OnAppAbout();
  void OnFileOpen();
  void OnViewLogScreen();
  void OnFilePrintOptions();
  void OnSimulationNew();

 private:
  // Starts a new, empty document window; null when it could not be made.
  CDocument* NewDocumentWindow();

  CProfileSettings m_Settings;

  DECLARE_MESSAGE_MAP()
};

CBrivaneProApp* GetBrivaneApp();
