#include "onedim/app/BrivaneProApp.h"

#include <cstdio>

#include "common/HandOffNames.h"
#include "common/SplashWnd.h"
#include "controls/HoverListCtrl.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/OleInit.h"
#include "framework/win/UiHooks.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/view/IntegralDraw.h"
#include "onedim/view/PeakLabelDraw.h"
#include "onedim/view/SpectrumDraw.h"
#include "onedim/dialogs/shell/AboutDialog.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/ChildFrame.h"
#include "onedim/app/InPlaceFrame.h"
#include "onedim/dialogs/shell/HistoryDialog.h"
#include "onedim/dialogs/files/ImportFileDialog.h"
#include "onedim/dialogs/display/PrintOutOptionsDlg.h"
#include "onedim/dialogs/shell/UpdateComCtlDialog.h"
#include "onedim/app/MainFrame.h"
#include "onedim/model/Spectrum.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/print/PrintJob.h"
#include "resources/BrivaneRes.h"

namespace {

// The class other programs embed 1D documents as.
const CLSID kBrivaneClassId = {0x7A3C9E21, 0x4B6D, 0x4F08, {0x9C, 0x2E, 0x51, 0xD8, 0xA0, 0xB3, 0xC9, 0x47}};

// The version record that DllGetVersion fills (20 bytes).
struct DllVersionInfo {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
};
typedef HRESULT(CALLBACK* PFNDLLGETVERSION)(DllVersionInfo*);

// Leaving a hover list (the peak list's, the coupling table's) takes its
// marks off the active document's current spectrum.
void ClearActiveHoverMarks() {
  if (CBrivaneProDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->ClearHoverMarks();
}

}  // namespace

DWORD GetDllVersion(LPCSTR lpszDllName) {
  HINSTANCE hDll = ::LoadLibraryA(lpszDllName);
  if (hDll == nullptr)
    return 0;
  DWORD dwVersion = 0;
  PFNDLLGETVERSION pfnGetVersion = (PFNDLLGETVERSION)(void*)::GetProcAddress(hDll, "DllGetVersion");
  if (pfnGetVersion != nullptr) {
    DllVersionInfo info = {};
    info.cbSize = sizeof info;
    if (SUCCEEDED(pfnGetVersion(&info)))
      dwVersion = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  }
  ::FreeLibrary(hDll);
  return dwVersion;
}

BEGIN_MESSAGE_MAP(CBrivaneProApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_VIEW_LOG_SCREEN, OnViewLogScreen)
  ON_COMMAND(ID_FILE_PRINT_OPTIONS, OnFilePrintOptions)
  ON_COMMAND(ID_SIMULATION_NEW, OnSimulationNew)
END_MESSAGE_MAP()

CBrivaneProApp::CBrivaneProApp() : CWinApp("Brivane"), m_nIconType(0), m_pDocTemplate(nullptr), m_Settings(this) {}

CBrivaneProApp::~CBrivaneProApp() = default;

CBrivaneProApp* GetBrivaneApp() {
  return static_cast<CBrivaneProApp*>(AfxGetApp());
}

DWORD CBrivaneProApp::GetComCtlVersion() {
  char szForced[32] = {};
  unsigned nMajor = 0, nMinor = 0;
  if (::GetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", szForced, sizeof szForced) > 0 &&
      std::sscanf(szForced, "%u.%u", &nMajor, &nMinor) == 2)
    return (nMajor << 16) | (nMinor & 0xFFFF);
  return GetDllVersion("comctl32.dll");
}

BOOL CBrivaneProApp::InitInstance() {
  if (GetComCtlVersion() < kRequiredComCtlVersion) {
    CUpdateComCtlDialog notice;
    notice.DoModal();
    return FALSE;
  }

  CHoverListCtrl::SetLeaveAction(&ClearActiveHoverMarks);
  SetIntegralDrawer(&DrawIntegral);
  SetPeakLabelDrawer(&DrawPeakLabels);
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  CSplashWnd::EnableSplashScreen(cmdInfo.m_bShowSplash);

  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  SetRegistryKey("Orvandel");
  LoadStdProfileSettings(4);

  m_pDocTemplate = new CMultiDocTemplate(IDR_BRIVANETYPE, RUNTIME_CLASS(CBrivaneDocument), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CBrivaneProView));
  m_pDocTemplate->SetContainerInfo(IDR_CNTR_INPLACE);
  m_pDocTemplate->SetServerInfo(IDR_SRVR_EMBEDDED, IDR_SRVR_INPLACE, RUNTIME_CLASS(CInPlaceFrame));
  AddDocTemplate(m_pDocTemplate);
  m_server.ConnectTemplate(kBrivaneClassId, m_pDocTemplate, FALSE);

  CMainFrame* pMainFrame = new CMainFrame;
  if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    if (pMainFrame->GetSafeHwnd() == nullptr)
      delete pMainFrame;
    return FALSE;
  }
  m_pMainWnd = pMainFrame;
  pMainFrame->DragAcceptFiles();
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  // Started by OLE for an embedded item or for automation: no window yet,
  // and the program ends with the last object it serves.
  // Only then does it offer its class: a program the user started would
  // otherwise take in every object that other programs create.
  if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
    AfxOleSetUserCtrl(FALSE);
    COleTemplateServer::RegisterAll();
    return TRUE;
  }
  m_server.UpdateRegistry(OAT_INPLACE_SERVER);

  // A plain start opens no document. A file that cannot be read has shown
  // its failure; the program goes on with an empty frame.
  if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew)
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
  if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
    OpenDocumentFile(cmdInfo.m_strFileName);
  else if (!ProcessShellCommand(cmdInfo))
    return FALSE;

  pMainFrame->ShowWindow(SW_SHOWMAXIMIZED);
  pMainFrame->UpdateWindow();
  SetPrinterOrientation(TRUE);

  m_State.m_nImportType = (int)GetProfileInt("File", "File Type", 0);
  m_nIconType = (int)GetProfileInt("Icon", "Icon Type", 0);
  return TRUE;
}

BOOL CBrivaneProApp::PreTranslateMessage(MSG* pMsg) {
  if (CSplashWnd::PreTranslateAppMessage(pMsg))
    return TRUE;
  return CWinApp::PreTranslateMessage(pMsg);
}

int CBrivaneProApp::ExitInstance() {
  AfxOleTerm();
  return CWinApp::ExitInstance();
}

CDocument* CBrivaneProApp::NewDocumentWindow() {
  CDocument* pDoc = m_pDocTemplate != nullptr ? m_pDocTemplate->OpenDocumentFile(nullptr) : nullptr;
  // The window list gives the new window its tab now, not when its posted
  // refresh comes: a file read into the window is laid out for the view's
  // size as it stays, not for the size it had before its tab took room.
  CWnd* pMain = AfxGetMainWnd();
  if (pDoc != nullptr && pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMainFrame))) {
    CWindowTabHost& tabs = static_cast<CMainFrame*>(pMain)->GetWindowTabs();
    if (tabs.IsInstalled())
      tabs.GetStrip().Refresh(TRUE);
  }
  return pDoc;
}

CDocument* CBrivaneProApp::OpenDocumentFile(LPCSTR lpszFileName) {
  CBrivaneDocument* pDoc = static_cast<CBrivaneDocument*>(NewDocumentWindow());
  if (pDoc == nullptr)
    return nullptr;
  if (!pDoc->ReadNativeFile(lpszFileName)) {
    // Read nothing: the empty window goes, the frame stays.
    CString strFailure = m_State.m_strOpenFailure;
    pDoc->OnCloseDocument();
    AfxMessageBox(strFailure, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  pDoc->RefreshAfterLoad();
  pDoc->SetPathName(lpszFileName);
  return pDoc;
}

void CBrivaneProApp::AddToRecentFileList(LPCSTR lpszPathName) {
  if (lpszPathName != nullptr && !IsHandOffDocument(lpszPathName))
    CWinApp::AddToRecentFileList(lpszPathName);
}

void CBrivaneProApp::OnFileOpen() {
  CImportFileDialog dlg(m_State, m_Settings, AfxGetMainWnd());
  if (dlg.DoModal() != IDOK)
    return;
  CStringList paths;
  dlg.GetChosenPaths(paths);
  if (paths.IsEmpty())
    return;

  CBrivaneDocument* pDoc = static_cast<CBrivaneDocument*>(NewDocumentWindow());
  if (pDoc == nullptr)
    return;
  // The last file decides, as each one goes to the same new document.
  const ImportResult result = pDoc->ImportFiles(paths);
  if (result == importFailed) {
    CString strFailure = m_State.m_strOpenFailure;
    pDoc->OnCloseDocument();
    if (!m_State.m_bOpenFailureShown)
      AfxMessageBox(strFailure, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (result == importNative) {
    pDoc->RefreshAfterLoad();
    pDoc->RestoreImportType();
    // A window that holds one document of ours is that document: it takes
    // its name, and Save writes it back there.
    if (paths.GetCount() == 1)
      pDoc->SetPathName(paths.GetHead());
  } else {
    pDoc->RefreshAfterAdd();
  }
}

void CBrivaneProApp::OnSimulationNew() {
  CBrivaneDocument* pDoc = static_cast<CBrivaneDocument*>(NewDocumentWindow());
  if (pDoc == nullptr)
    return;
  // The empty window shows nothing until there is a spectrum to draw.
  CBrivaneProView* pView = pDoc->GetSpectrumView();
  if (pView != nullptr)
    pView->ShowWindow(SW_HIDE);
  pDoc->RunSimulation(TRUE);
  if (pView != nullptr)
    pView->ShowWindow(SW_SHOW);
}

void CBrivaneProApp::OnAppAbout() {
  CAboutDialog dlg;
  dlg.DoModal();
}

void CBrivaneProApp::OnViewLogScreen() {
  CHistoryDialog dlg(m_State.m_History);
  dlg.DoModal();
}

int CBrivaneProApp::SetPrinterOrientation(BOOL bLandscape) {
  return SetAppPrinterOrientation(bLandscape) ? 1 : 0;
}

void CBrivaneProApp::OnFilePrintOptions() {
  CPrintSettings& print = GetPrintSettings();
  CBrivaneProDoc* pDoc = GetActiveSpectrumDoc();
  CSpectrum* pCurrent = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CPrintOutOptionsDlg dlg(AfxGetMainWnd());
  dlg.m_bPrintInColour = print.bPrintInColour;
  dlg.m_bPrintBorder = print.bPrintBorder;
  // Without a document the thickness has no spectrum to go to.
  dlg.m_nLineThickness = pCurrent != nullptr ? pCurrent->m_nLineThickness : 1;
  if (dlg.DoModal() != IDOK)
    return;
  if (pCurrent != nullptr) {
    for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
      CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
      if (s == pCurrent || dlg.m_bApplyToAll)
        s->m_nLineThickness = dlg.m_nLineThickness;
    }
    pDoc->UpdateViews();
  }
  print.bPrintInColour = dlg.m_bPrintInColour != 0;
  print.bPrintBorder = dlg.m_bPrintBorder != 0;
}
