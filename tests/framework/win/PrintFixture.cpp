#include "PrintFixture.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "PrintTestRes.h"
#include "framework/win/Dc.h"
#include "framework/win/DocManager.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/WinApp.h"

namespace {

class CPrintTestApp : public CWinApp {
 public:
  CPrintTestApp() : CWinApp("PrintTest") { SetRegistryKey("BrivaneFrameworkTests"); }
};

CPrintTestApp theApp;

}  // namespace

IMPLEMENT_DYNCREATE(CPageDoc, CDocument)
IMPLEMENT_DYNCREATE(CPageView, CView)

std::function<void(CPrintInfo* pInfo)> CPageView::s_afterPage;

void CPageDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << (LONG)m_nPages;
  else {
    LONG n = 0;
    ar >> n;
    m_nPages = (int)n;
  }
}

void CPageView::OnDraw(CDC* pDC) {
  pDC->TextOut(2, 2, "pages", 5);
}

BOOL CPageView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage((UINT)GetDocument()->m_nPages);
  return DoPreparePrinting(pInfo);
}

void CPageView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  m_printedPages.push_back(pInfo->m_nCurPage);
  m_previewFlags.push_back(pInfo->m_bPreview);
  CPoint origin = MarkOrigin(pInfo->m_nCurPage);
  CRect mark(origin, CSize(kMarkSize, kMarkSize));
  CBrush black(RGB(0, 0, 0));
  pDC->FillRect(&mark, &black);
  if (s_afterPage)
    s_afterPage(pInfo);
}

void PrintTest::SetUp() {
  WindowTest::SetUp();
  CPageView::s_afterPage = nullptr;
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  m_folder = temp;
  // A run that stopped inside the no-printer test left no default printer.
  char printer[256];
  DWORD size = sizeof(printer);
  if (!::GetDefaultPrinterA(printer, &size))
    ::SetDefaultPrinterA("PDF");
  CWinApp* pApp = AfxGetApp();
  pApp->SelectPrinter(nullptr, nullptr);
  m_pTemplate = new CMultiDocTemplate(IDR_PAGETYPE, RUNTIME_CLASS(CPageDoc), RUNTIME_CLASS(CMDIChildWnd),
                                      RUNTIME_CLASS(CPageView));
  pApp->AddDocTemplate(m_pTemplate);
  m_pFrame = new CMDIFrameWnd;
  ASSERT_TRUE(m_pFrame->LoadFrame(IDR_PRINT_MAINFRAME));
  pApp->m_pMainWnd = m_pFrame;
  static const UINT kIndicators[] = {ID_SEPARATOR};
  ASSERT_TRUE(m_statusBar.Create(m_pFrame) && m_statusBar.SetIndicators(kIndicators, 1));
  m_pFrame->MoveWindow(0, 0, 800, 600);
  m_pFrame->ShowWindow(SW_SHOWNORMAL);
  m_pFrame->UpdateWindow();
  PumpPending();
}

void PrintTest::TearDown() {
  DeleteFoundPdfs();
  CPageView::s_afterPage = nullptr;
  CWinApp* pApp = AfxGetApp();
  pApp->CloseAllDocuments(FALSE);
  DestroyMainFrame(pApp->m_pMainWnd);
  delete pApp->m_pDocManager;
  pApp->m_pDocManager = nullptr;
  pApp->SelectPrinter(nullptr, nullptr);
  WindowTest::TearDown();
}

std::string PrintTest::UniqueTitle(const char* suffix) const {
  return UniquePrintTitle(suffix);
}

CPageDoc* PrintTest::NewDocument(int nPages, const char* suffix) {
  CPageDoc* pDoc = static_cast<CPageDoc*>(m_pTemplate->OpenDocumentFile(nullptr));
  if (pDoc == nullptr)
    return nullptr;
  pDoc->m_nPages = nPages;
  pDoc->SetTitle(UniqueTitle(suffix).c_str());
  PumpPending();
  return pDoc;
}

CPageView* PrintTest::ViewOf(CPageDoc* pDoc) const {
  POSITION pos = pDoc->GetFirstViewPosition();
  return pos != nullptr ? static_cast<CPageView*>(pDoc->GetNextView(pos)) : nullptr;
}

bool PrintTest::PdfExists(const std::string& title) {
  return ::PdfExists(title);
}

std::string PrintTest::WaitForPdf(const std::string& title, DWORD timeoutMs) {
  return ::WaitForPdf(title, timeoutMs);
}

std::vector<PdfPage> PrintTest::RenderPdf(const std::string& windowsPath, int dpi) {
  return ::RenderPdf(windowsPath, dpi);
}
