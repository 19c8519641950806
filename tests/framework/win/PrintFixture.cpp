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

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string UnixPathOf(const std::string& windowsPath) {
  std::string path = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The folders the PDF printer may write to (Windows paths): the one
// BRIVANE_PDF_DIR names, else the user's ~/PDF (home from the password
// file, as the printer finds it) and the printer's spool folders.
std::vector<std::string> PdfFolders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("BRIVANE_PDF_DIR"))
    folders.push_back(WindowsPathOf(dir));
  const char* user = std::getenv("USER");
  if (user == nullptr)
    user = std::getenv("USERNAME");
  std::string name = user != nullptr ? user : "root";
  std::ifstream passwd("Z:\\etc\\passwd");
  std::string line;
  while (std::getline(passwd, line)) {
    if (line.compare(0, name.size() + 1, name + ":") != 0)
      continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, ':'))
      fields.push_back(field);
    if (fields.size() >= 6)
      folders.push_back(WindowsPathOf(fields[5] + "/PDF"));
  }
  folders.push_back(WindowsPathOf("/var/spool/cups-pdf/" + name));
  folders.push_back(WindowsPathOf("/var/spool/cups-pdf/ANONYMOUS"));
  return folders;
}

std::string FindPdf(const std::string& title) {
  for (const std::string& folder : PdfFolders()) {
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((folder + "\\" + title + "*.pdf").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
      continue;
    ::FindClose(hFind);
    return folder + "\\" + found.cFileName;
  }
  return std::string();
}

LONGLONG FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return -1;
  return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Runs a shell command of the host. Wine starts host programs without a
// process handle to wait on, so the command ends by writing a marker file.
bool RunHostCommand(const std::string& command, const std::string& doneMarker, DWORD timeoutMs) {
  std::string line = "Z:\\bin\\sh -c \"" + command + "; echo $? > " + doneMarker + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hThread != nullptr)
    ::CloseHandle(pi.hThread);
  if (pi.hProcess != nullptr)
    ::CloseHandle(pi.hProcess);
  std::string marker = WindowsPathOf(doneMarker);
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    std::ifstream in(marker);
    int code = -1;
    if (in >> code)
      return code == 0;
    ::Sleep(100);
  }
  return false;
}

bool ReadPgm(const std::string& path, PdfPage& page) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  if (!(in >> magic >> page.width >> page.height >> maxValue) || magic != "P5" || maxValue != 255 || page.width <= 0 ||
      page.height <= 0 || page.width > 10000 || page.height > 10000)
    return false;
  in.get();  // the one white-space byte before the pixels
  page.grey.resize((size_t)page.width * page.height);
  in.read(reinterpret_cast<char*>(page.grey.data()), (std::streamsize)page.grey.size());
  return (size_t)in.gcount() == page.grey.size();
}

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

std::vector<std::string> PrintTest::s_pdfsFound;

void PrintTest::TearDown() {
  for (const std::string& pdf : s_pdfsFound)
    ::DeleteFileA(pdf.c_str());
  s_pdfsFound.clear();
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
  // Short (the printer cuts long names) and of letters, digits and
  // underscores only (it keeps them in the PDF's name as they are).
  static int s_nCount = 0;
  char title[64];
  std::snprintf(title, sizeof(title), "Brv%lu_%lu_%d%sZ", (unsigned long)(::GetCurrentProcessId() % 100000),
                (unsigned long)(::GetTickCount() % 100000000), ++s_nCount, suffix);
  return title;
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
  return !FindPdf(title).empty();
}

std::string PrintTest::WaitForPdf(const std::string& title, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  std::string path;
  while (path.empty() && ::GetTickCount() - start < timeoutMs) {
    path = FindPdf(title);
    if (path.empty())
      ::Sleep(200);
  }
  if (path.empty())
    return path;
  // The printer writes the file in place: wait until it stops growing.
  LONGLONG last = -1;
  for (int i = 0; i < 100; ++i) {
    LONGLONG size = FileSize(path);
    if (size > 0 && size == last)
      break;
    last = size;
    ::Sleep(300);
  }
  s_pdfsFound.push_back(path);
  return path;
}

std::vector<PdfPage> PrintTest::RenderPdf(const std::string& windowsPath, int dpi) {
  std::vector<PdfPage> pages;
  char prefix[128];
  std::snprintf(prefix, sizeof(prefix), "/tmp/brivane-pdf-%lu-%lu", (unsigned long)::GetCurrentProcessId(),
                (unsigned long)::GetTickCount());
  std::string command = "pdftoppm -gray -r " + std::to_string(dpi) + " " + UnixPathOf(windowsPath) + " " + prefix;
  if (!RunHostCommand(command, std::string(prefix) + ".done", 60000))
    return pages;
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  std::string folder = WindowsPathOf("/tmp");
  HANDLE hFind = ::FindFirstFileA((WindowsPathOf(prefix) + "-*.pgm").c_str(), &found);
  if (hFind != INVALID_HANDLE_VALUE) {
    do
      files.push_back(folder + "\\" + found.cFileName);
    while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    PdfPage page;
    if (ReadPgm(file, page))
      pages.push_back(std::move(page));
    ::DeleteFileA(file.c_str());
  }
  ::DeleteFileA(WindowsPathOf(std::string(prefix) + ".done").c_str());
  return pages;
}
