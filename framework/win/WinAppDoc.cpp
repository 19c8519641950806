// The document side of the application object: it hands documents, the
// recent-file list and the shell's file types to its document manager.
#include "framework/win/CmdUI.h"
#include "framework/win/DocManager.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (m_pDocManager == nullptr)
    m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
  return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (m_pDocManager == nullptr)
    m_pDocManager = new CDocManager;
  m_pDocManager->LoadStdProfileSettings(nMaxMRU);
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pDocManager != nullptr)
    m_pDocManager->SaveStdProfileSettings();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
  if (m_pDocManager != nullptr)
    m_pDocManager->AddToRecentFileList(lpszPathName);
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
  if (m_pDocManager != nullptr)
    m_pDocManager->RegisterShellFileTypes(bCompat);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  if (m_pDocManager == nullptr)
    return rCmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen;
  return m_pDocManager->ProcessShellCommand(rCmdInfo);
}

BOOL CWinApp::SaveAllModified() {
  return m_pDocManager == nullptr || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager != nullptr)
    m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() const {
  return m_pDocManager != nullptr ? m_pDocManager->GetOpenDocumentCount() : 0;
}

void CWinApp::OnFileNew() {
  if (m_pDocManager != nullptr)
    m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  if (m_pDocManager != nullptr)
    m_pDocManager->OnFileOpen();
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  return m_pDocManager != nullptr && m_pDocManager->OnOpenRecentFile(nID);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pDocManager != nullptr)
    m_pDocManager->OnUpdateRecentFileMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}

void CWinApp::OnAppExit() {
  // The main window's close asks about unsaved documents first.
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
    m_pMainWnd->SendMessage(WM_CLOSE);
}
