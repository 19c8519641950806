// The printing road on the real printer: Print Setup and Print through the
// system dialogs, every page in the PDF where the view drew it, Cancel
// abandoning the job, the command line's /p and /pt, and a missing printer
// said in words with no job started.
#include "PrintFixture.h"
#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

namespace {

// A DEVNAMES block naming a printer, as Print Setup leaves it.
HGLOBAL MakeDevNames(const char* device) {
  const char* driver = "winspool";
  const char* port = "";
  size_t offDriver = sizeof(DEVNAMES), offDevice = offDriver + strlen(driver) + 1,
         offPort = offDevice + strlen(device) + 1, size = offPort + strlen(port) + 1;
  HGLOBAL hGlobal = ::GlobalAlloc(GHND, size);
  BYTE* p = static_cast<BYTE*>(::GlobalLock(hGlobal));
  DEVNAMES* pNames = reinterpret_cast<DEVNAMES*>(p);
  pNames->wDriverOffset = (WORD)offDriver;
  pNames->wDeviceOffset = (WORD)offDevice;
  pNames->wOutputOffset = (WORD)offPort;
  strcpy(reinterpret_cast<char*>(p + offDriver), driver);
  strcpy(reinterpret_cast<char*>(p + offDevice), device);
  strcpy(reinterpret_cast<char*>(p + offPort), port);
  ::GlobalUnlock(hGlobal);
  return hGlobal;
}

// Where the system keeps the default printer.
const char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::string ReadDefaultPrinterValue() {
  char value[512] = "";
  DWORD size = sizeof(value);
  if (::RegGetValueA(HKEY_CURRENT_USER, kWindowsKey, "Device", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::string();
  return value;
}

void WriteDefaultPrinterValue(const std::string& value) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kWindowsKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
    return;
  if (value.empty())
    ::RegDeleteValueA(hKey, "Device");
  else
    ::RegSetValueExA(hKey, "Device", 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
  ::RegCloseKey(hKey);
}

// The printer's page at dpi dots per inch, from its own measures.
CSize PageAtDpi(int dpi) {
  CDC dc;
  if (!AfxGetApp()->CreatePrinterDC(dc))
    return CSize(0, 0);
  int logX = dc.GetDeviceCaps(LOGPIXELSX), logY = dc.GetDeviceCaps(LOGPIXELSY);
  return CSize(MulDiv(dc.GetDeviceCaps(PHYSICALWIDTH), dpi, logX), MulDiv(dc.GetDeviceCaps(PHYSICALHEIGHT), dpi, logY));
}

}  // namespace

TEST_F(PrintTest, PrintSetupThenPrintPutsEveryPageInThePdfWhereTheViewDrewIt) {
  // Print Setup: OK keeps the chosen (default) printer for later prints.
  int nDialogs = 0;
  AfxSetModalDialogHook([&](CDialog& d) {
    ++nDialogs;
    d.PostMessage(WM_COMMAND, IDOK);
  });
  m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
  ASSERT_EQ(1, nDialogs);
  CPrintDialog chosen(FALSE);
  ASSERT_TRUE(AfxGetApp()->GetPrinterDeviceDefaults(&chosen.m_pd));
  EXPECT_EQ(std::string("PDF"), std::string(chosen.GetDeviceName()));
  chosen.m_pd.hDevNames = chosen.m_pd.hDevMode = nullptr;

  CPageDoc* pDoc = NewDocument(2);
  ASSERT_NE(nullptr, pDoc);
  CPageView* pView = ViewOf(pDoc);
  m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(2, nDialogs) << "File > Print asks through the print dialog";
  EXPECT_EQ((std::vector<UINT>{1, 2}), pView->m_printedPages);
  EXPECT_TRUE(m_messageBoxes.empty());

  std::string pdf = WaitForPdf(std::string(pDoc->GetTitle()));
  ASSERT_FALSE(pdf.empty()) << "no PDF of the job";
  const int dpi = 30;
  std::vector<PdfPage> pages = RenderPdf(pdf, dpi);
  ASSERT_EQ(2u, pages.size());
  CSize page = PageAtDpi(dpi);
  for (UINT n = 1; n <= 2; ++n) {
    const PdfPage& p = pages[n - 1];
    EXPECT_NEAR(page.cx, p.width, 1);
    EXPECT_NEAR(page.cy, p.height, 1);
    // Each page holds its own mark, and only its own.
    for (UINT m = 1; m <= 2; ++m) {
      CPoint centre = CPageView::MarkOrigin(m);
      centre.Offset(CPageView::kMarkSize / 2, CPageView::kMarkSize / 2);
      int grey = p.At(centre.x * dpi / 300, centre.y * dpi / 300);
      if (m == n)
        EXPECT_LT(grey, 64) << "page " << n << " lacks its mark";
      else
        EXPECT_GT(grey, 192) << "page " << n << " has the mark of page " << m;
    }
    CPoint before = CPageView::MarkOrigin(n);
    before.Offset(-40, -40);
    EXPECT_GT(p.At(before.x * dpi / 300, before.y * dpi / 300), 192) << "the mark is larger than drawn";
  }
}

TEST_F(PrintTest, CancelInThePrintingWindowAbandonsTheJob) {
  CPageDoc* pCancelled = NewDocument(3, "cancelled");
  ASSERT_NE(nullptr, pCancelled);
  CPageView* pView = ViewOf(pCancelled);
  bool bSawWindow = false;
  CPageView::s_afterPage = [&](CPrintInfo* pInfo) {
    HWND hWndPrinting = FindThreadWindow("Printing...");
    bSawWindow = hWndPrinting != nullptr && ::IsWindowVisible(hWndPrinting);
    if (pInfo->m_nCurPage == 1 && hWndPrinting != nullptr)
      ::PostMessageA(::GetDlgItem(hWndPrinting, IDCANCEL), BM_CLICK, 0, 0);
  };
  pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  EXPECT_TRUE(bSawWindow) << "no \"Printing...\" window while the pages went out";
  EXPECT_EQ(std::vector<UINT>{1}, pView->m_printedPages) << "pages after Cancel";
  EXPECT_TRUE(m_messageBoxes.empty()) << "a cancel is no error";
  EXPECT_EQ(nullptr, FindThreadWindow("Printing..."));
  EXPECT_TRUE(m_pFrame->IsWindowEnabled());

  // The printer takes jobs in order: once a later job is out, the cancelled
  // one would have been too.
  CPageView::s_afterPage = nullptr;
  CPageDoc* pLater = NewDocument(1, "later");
  ViewOf(pLater)->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  ASSERT_FALSE(WaitForPdf(std::string(pLater->GetTitle())).empty());
  EXPECT_FALSE(PdfExists(std::string(pCancelled->GetTitle()))) << "the cancelled job reached the printer";
}

TEST_F(PrintTest, TheCommandLinePrintsAFileOnTheDefaultOrTheNamedPrinter) {
  // Two files of one page each.
  std::string titles[2];
  std::string paths[2];
  for (int i = 0; i < 2; ++i) {
    CPageDoc* pDoc = NewDocument(1, i == 0 ? "p" : "pt");
    ASSERT_NE(nullptr, pDoc);
    titles[i] = std::string(pDoc->GetTitle());
    paths[i] = m_folder + titles[i] + ".pgs";
    ASSERT_TRUE(pDoc->OnSaveDocument(paths[i].c_str()));
    pDoc->OnCloseDocument();
  }
  CWinApp* pApp = AfxGetApp();
  CCommandLineInfo printDefault;
  AfxParseCommandLine(("/p \"" + paths[0] + "\"").c_str(), printDefault);
  EXPECT_FALSE(pApp->ProcessShellCommand(printDefault)) << "after printing the program has nothing more to do";
  CCommandLineInfo printTo;
  AfxParseCommandLine(("/pt \"" + paths[1] + "\" PDF").c_str(), printTo);
  EXPECT_FALSE(pApp->ProcessShellCommand(printTo));
  EXPECT_TRUE(m_messageBoxes.empty());
  EXPECT_EQ(nullptr, pApp->m_pCmdInfo);
  for (const std::string& title : titles)
    EXPECT_FALSE(WaitForPdf(title).empty()) << title;

  // A printer that does not exist is said so; nothing is printed.
  CCommandLineInfo printToNowhere;
  AfxParseCommandLine(("/pt \"" + paths[1] + "\" \"Brivane Absent Printer\"").c_str(), printToNowhere);
  EXPECT_FALSE(pApp->ProcessShellCommand(printToNowhere));
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_NE(std::string::npos, m_messageBoxes[0].text.find("\"Brivane Absent Printer\" is not available"));
}

TEST_F(PrintTest, AMissingPrinterIsSaidAndNoJobStarts) {
  CPageDoc* pDoc = NewDocument(1);
  ASSERT_NE(nullptr, pDoc);
  CPageView* pView = ViewOf(pDoc);

  // The printer chosen in Print Setup was removed since.
  AfxGetApp()->SelectPrinter(MakeDevNames("Brivane Removed Printer"), nullptr);
  pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_NE(std::string::npos, m_messageBoxes[0].text.find("\"Brivane Removed Printer\" is not available"));

  // No printer at all: the system has no default printer.
  std::string savedDefault = ReadDefaultPrinterValue();
  ASSERT_FALSE(savedDefault.empty()) << "the PDF printer is not the default printer";
  WriteDefaultPrinterValue("");
  AfxGetApp()->SelectPrinter(nullptr, nullptr);
  pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  WriteDefaultPrinterValue(savedDefault);
  ASSERT_EQ(2u, m_messageBoxes.size());
  EXPECT_EQ(0u, m_messageBoxes[1].text.find("No printer is installed"));
  EXPECT_TRUE(pView->m_printedPages.empty());
  EXPECT_TRUE(m_pFrame->IsWindowEnabled());
}
