#include "ndim/app/BrivanenDApp.h"

#include "common/SplashWnd.h"
#include "framework/win/Dialog.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/OleInit.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/app/InPlaceFrame.h"
#include "ndim/app/MainFrame.h"
#include "ndim/app/ScriptView.h"
#include "ndim/dialogs/DisplayDialogs.h"
#include "ndim/dialogs/NdImportFileDialog.h"
#include "resources/BrivanenDRes.h"

namespace {

const char kScale[] = "Scale";
const CLSID kBrivanenDClassId = {0x2E8F4D63, 0x90A1, 0x4C7B, {0xB5, 0xD2, 0x6F, 0x1A, 0x3E, 0x9C, 0x0B, 0x85}};

// A stored "Show" value: missing (-1) or any non-zero value shows the axis.
BYTE ShowsAxis(UINT value) {
  return value != 0 ? 1 : 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CBrivanenDApp, CWinApp)

BEGIN_MESSAGE_MAP(CBrivanenDApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_FILE_CUSTOMIZE, OnFileCustomize)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CBrivanenDApp::CBrivanenDApp() : CWinApp("BrivanenD") {
  SetNdDrawSettings(&m_drawSettings);
}

CBrivanenDApp::~CBrivanenDApp() {
  SetNdDrawSettings(nullptr);
}

CBrivanenDApp* GetBrivanenDApp() {
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->IsKindOf(RUNTIME_CLASS(CBrivanenDApp)) ? static_cast<CBrivanenDApp*>(pApp) : nullptr;
}

BOOL CBrivanenDApp::InitInstance() {
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  CSplashWnd::EnableSplashScreen(cmdInfo.m_bShowSplash);

  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  SetRegistryKey("Orvandel");
  LoadStdProfileSettings(4);
  AddDocTemplates();
  if (!CreateMainFrame())
    return FALSE;

  // Started by OLE for an embedded item or for automation: no window yet,
  // and the program ends with the last object it serves. Only then does it
  // offer its class: a program the user started would otherwise take in
  // every object that other programs create.
  if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
    AfxOleSetUserCtrl(FALSE);
    COleTemplateServer::RegisterAll();
    return TRUE;
  }
  m_server.UpdateRegistry(OAT_INPLACE_SERVER);
  // Neither an empty document nor a file named on the command line opens.
  cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
  if (!ProcessShellCommand(cmdInfo))
    return FALSE;
  m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
  m_pMainWnd->UpdateWindow();
  SetLandscape();
  LoadScaleSettings();
  return TRUE;
}

int CBrivanenDApp::ExitInstance() {
  AfxOleTerm();
  return CWinApp::ExitInstance();
}

void CBrivanenDApp::AddDocTemplates() {
  m_pGraphTemplate = new CMultiDocTemplate(IDR_BRIVANETYPE, RUNTIME_CLASS(CBrivanenDDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CBrivanenDView));
  m_pGraphTemplate->SetContainerInfo(IDR_ND_CNTR_INPLACE);
  m_pGraphTemplate->SetServerInfo(IDR_SRVR_EMBEDDED, IDR_SRVR_INPLACE, RUNTIME_CLASS(CInPlaceFrame));
  AddDocTemplate(m_pGraphTemplate);
  m_server.ConnectTemplate(kBrivanenDClassId, m_pGraphTemplate, FALSE);
  m_pScriptTemplate = new CMultiDocTemplate(IDR_SCRIPTTYPE, RUNTIME_CLASS(CBrivanenDDoc), RUNTIME_CLASS(CChildFrame),
                                            RUNTIME_CLASS(CScriptView));
  AddDocTemplate(m_pScriptTemplate);
}

BOOL CBrivanenDApp::CreateMainFrame() {
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
  return TRUE;
}

// A font that was never stored stays the Arial the settings start with.
void CBrivanenDApp::LoadScaleSettings() {
  const CString fontF2 = GetProfileString(kScale, "Font F2", "");
  if (!fontF2.IsEmpty())
    m_drawSettings.m_fontF2.SetFontString(fontF2);
  const CString fontF1 = GetProfileString(kScale, "Font F1", "");
  if (!fontF1.IsEmpty())
    m_drawSettings.m_fontF1.SetFontString(fontF1);
  m_drawSettings.m_bShowF2Axis = ShowsAxis(GetProfileInt(kScale, "Show F2", -1));
  m_drawSettings.m_bShowF1Axis = ShowsAxis(GetProfileInt(kScale, "Show F1", -1));
}

BOOL CBrivanenDApp::PreTranslateMessage(MSG* pMsg) {
  if (CSplashWnd::PreTranslateAppMessage(pMsg))
    return TRUE;
  return CWinApp::PreTranslateMessage(pMsg);
}

CDocument* CBrivanenDApp::OpenDocumentFile(LPCSTR lpszFileName) {
  return m_pGraphTemplate != nullptr ? m_pGraphTemplate->OpenDocumentFile(lpszFileName) : nullptr;
}

void CBrivanenDApp::OnAppAbout() {
  CDialog dlg(IDD_ABOUTBOX);
  dlg.DoModal();
}

void CBrivanenDApp::OnFileOpen() {
  CNdImportFileDialog dlg(m_nImportType, AfxGetMainWnd());
  if (dlg.DoModal() == IDOK)
    OpenDocumentFile(dlg.GetPathName());
}

void CBrivanenDApp::SetLandscape() {
  UpdatePrinterSelection(FALSE);
  if (m_hDevMode == nullptr)
    return;
  if (DEVMODEA* pDevMode = static_cast<DEVMODEA*>(::GlobalLock(m_hDevMode))) {
    pDevMode->dmOrientation = DMORIENT_LANDSCAPE;
    ::GlobalUnlock(m_hDevMode);
  }
}

void CBrivanenDApp::OnFileCustomize() {
  CustomizeSettings settings{m_nPredictionDivisor,    m_nMaxCoefficients,           m_drawSettings.m_fontF2,
                             m_drawSettings.m_fontF1, m_drawSettings.m_bShowF2Axis, m_drawSettings.m_bShowF1Axis};
  CCustomizeDialog dialog(settings, m_pMainWnd);
  if (dialog.DoModal() != IDOK)
    return;
  if (CBrivanenDDoc* pDoc = GetActiveSpectrumDoc())
    pDoc->UpdateAllViews(nullptr);
}
