#include "onedim/app/BrivaneDocument.h"

#include "framework/win/MDIChildWnd.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/UiHooks.h"
#include "onedim/view/BrivaneProView.h"
#include "onedim/app/BrivaneProApp.h"
#include "onedim/dialogs/AsciiExportDialogs.h"
#include "onedim/app/ChildFrame.h"
#include "onedim/dialogs/ImportFileDialog.h"
#include "onedim/dialogs/JcampWaitDialog.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CBrivaneDocument, CDocument)

BEGIN_MESSAGE_MAP(CBrivaneDocument, COleServerDoc)
  ON_COMMAND(ID_FILE_OPEN_ADDITIONAL, OnFileOpenAdditional)
  ON_COMMAND(ID_FILE_EXPORT_ASCII, OnFileExportAscii)
END_MESSAGE_MAP()

// The core keeps the host's address only; it asks nothing of it while both
// are being built or taken down.
CBrivaneDocument::CBrivaneDocument() : CBrivaneProDoc(&m_Host), m_Host(this) {
  SetMissingParametersPolicy(&m_MissingDialogs);
}

CBrivaneDocument::~CBrivaneDocument() = default;

void CBrivaneDocument::OnFileOpenAdditional() {
  CBrivaneProApp* pApp = GetBrivaneApp();
  CImportFileDialog dlg(pApp->GetState(), pApp->GetSettings(), AfxGetMainWnd());
  if (dlg.DoModal() != IDOK)
    return;
  CStringList paths;
  dlg.GetChosenPaths(paths);
  ImportResult result = importFailed;
  for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;)
    result = ImportFile(paths.GetNext(pos));
  if (result != importFailed)
    RefreshAfterAdd();
  else
    AfxMessageBox("Failed to open", MB_OK | MB_ICONEXCLAMATION);
}

void CBrivaneDocument::OnFileExportAscii() {
  if (CSpectrum* pSpectrum = GetCurrentSpectrum()) {
    CAsciiExportDialogs dialogs(AfxGetMainWnd());
    ExportAscii(*pSpectrum, dialogs);
  }
}

BOOL CBrivaneDocument::OnNewDocument() {
  return COleServerDoc::OnNewDocument();
}

// Reads the file into this document. (The application opens files through
// its own OpenDocumentFile; this path serves the framework's other callers.)
BOOL CBrivaneDocument::OnOpenDocument(LPCSTR lpszPathName) {
  DeleteContents();
  return OpenNativeDocument(lpszPathName);
}

BOOL CBrivaneDocument::OnSaveDocument(LPCSTR lpszPathName) {
  if (!SaveNativeDocument(lpszPathName))
    return FALSE;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CBrivaneDocument::OnCloseDocument() {
  // The nD program reads the last phase and window function from here.
  WriteSharedValues();
  COleServerDoc::OnCloseDocument();
}

void CBrivaneDocument::DeleteContents() {
  RemoveAllSpectra();
  COleServerDoc::DeleteContents();
}

CBrivaneProView* CBrivaneDocument::GetSpectrumView() const {
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CView* pView = GetNextView(pos);
    if (pView->IsKindOf(RUNTIME_CLASS(CBrivaneProView)))
      return static_cast<CBrivaneProView*>(pView);
  }
  return nullptr;
}

CBrivaneProDoc* GetActiveSpectrumDoc() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return nullptr;
  CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
  if (pChild == nullptr)
    return nullptr;
  CDocument* pDoc = pChild->GetActiveDocument();
  if (pDoc == nullptr || !pDoc->IsKindOf(RUNTIME_CLASS(CBrivaneDocument)))
    return nullptr;
  return static_cast<CBrivaneDocument*>(pDoc);
}

// --- The host ---

CBrivaneAppState& CBrivaneDocumentHost::GetAppState() {
  return GetBrivaneApp()->GetState();
}

CSettingsStore& CBrivaneDocumentHost::GetSettings() {
  return GetBrivaneApp()->GetSettings();
}

BOOL CBrivaneDocumentHost::GetViewClientRect(RECT* pRect) {
  CBrivaneProView* pView = m_pDoc->GetSpectrumView();
  if (pView == nullptr || pView->GetSafeHwnd() == nullptr)
    return CDocumentHost::GetViewClientRect(pRect);
  *pRect = pView->GetLayoutRect();
  return TRUE;
}

void CBrivaneDocumentHost::SetHorzScrollBar(int nMin, int nMax, int nPage, int nPos, BOOL bVisible) {
  CBrivaneProView* pView = m_pDoc->GetSpectrumView();
  CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
  if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)))
    static_cast<CChildFrame*>(pFrame)->SetSpectrumScrollBar(nMin, nMax, nPage, nPos, bVisible);
}

int CBrivaneDocumentHost::ShowMessage(LPCSTR pszText, UINT nType) {
  return AfxMessageBox(pszText, nType);
}

void CBrivaneDocumentHost::SetDocumentModified(BOOL bModified) {
  m_pDoc->SetModifiedFlag(bModified);
}

void CBrivaneDocumentHost::SetDocumentTitle(LPCSTR pszTitle) {
  m_pDoc->SetTitle(pszTitle);
}

void CBrivaneDocumentHost::UpdateDocumentViews() {
  m_pDoc->UpdateAllViews(nullptr);
}

void CBrivaneDocumentHost::ShowImportWait(BOOL bShow) {
  if (bShow && m_pWait == nullptr) {
    m_pWait = new CJcampWaitDialog;
    m_pWait->Create(AfxGetMainWnd());
  } else if (!bShow && m_pWait != nullptr) {
    m_pWait->DestroyWindow();
    delete m_pWait;
    m_pWait = nullptr;
  }
}
