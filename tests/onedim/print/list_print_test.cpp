// A report list printed through the list print job on the real PDF printer:
// pages of rows under the header (with the page number), the headings and
// the footer, the "Printing" window counting the pages as they go out,
// Cancel abandoning the job, the set-up dialog's values reaching paper, and
// the peak list's Print and Customize.
#include <dlgs.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/win/CommonControls.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "framework/win/WindowTest.h"
#include "onedim/dialogs/analysis/CouplingTableDialog.h"
#include "onedim/dialogs/analysis/PeakListDialog.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/print/ListPrintJob.h"
#include "onedim/print/ListPrintSetupDlg.h"
#include "resources/BrivaneRes.h"
#include "tests/framework/win/PdfOutput.h"

namespace {

class CListPrintTestApp : public CWinApp {
 public:
  CListPrintTestApp() : CWinApp("ListPrintTest") { SetRegistryKey("BrivaneTests"); }
};

CListPrintTestApp theApp;

// What the "Printing" window showed while each page was drawn.
struct PageSeen {
  UINT nPage = 0;
  bool bVisible = false;
  bool bWindowsEnabled = true;  // the main window's or the job's own
  std::string percent;
  std::string page;
};

// A list job that notes each page, and can be told what to do after one.
class CNotingJob : public CListPrintJob {
 public:
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    CListPrintJob::OnPrint(pDC, pInfo);
    PageSeen seen;
    seen.nPage = pInfo->m_nCurPage;
    HWND hWnd = ::FindWindowA(nullptr, ("Printing " + std::string(m_strDocName) + " ...").c_str());
    seen.bVisible = hWnd != nullptr && ::IsWindowVisible(hWnd);
    seen.bWindowsEnabled = AfxGetMainWnd()->IsWindowEnabled() || (m_pParent != nullptr && m_pParent->IsWindowEnabled());
    char text[256] = "";
    ::GetDlgItemTextA(hWnd, IDC_PRINT_PERCENT, text, sizeof(text));
    seen.percent = text;
    ::GetDlgItemTextA(hWnd, IDC_PRINT_PAGE, text, sizeof(text));
    seen.page = text;
    m_seen.push_back(seen);
    if (pInfo->m_nCurPage == m_nCancelAfter && hWnd != nullptr)
      ::PostMessageA(::GetDlgItem(hWnd, IDCANCEL), BM_CLICK, 0, 0);
  }
  std::vector<PageSeen> m_seen;
  UINT m_nCancelAfter = 0;
};

class ListPrintTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    char printer[256];
    DWORD size = sizeof(printer);
    if (!::GetDefaultPrinterA(printer, &size))
      ::SetDefaultPrinterA("PDF");
    AfxGetApp()->SelectPrinter(nullptr, nullptr);
    m_pFrame = new CFrameWnd;
    ASSERT_TRUE(m_pFrame->Create(nullptr, "Peaks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    AfxGetApp()->m_pMainWnd = m_pFrame;
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 500, 300), m_pFrame, 1));
    m_list.InsertColumn(0, "Index", LVCFMT_CENTER, 50);
    m_list.InsertColumn(1, "Shift", LVCFMT_RIGHT, 100);
    m_list.InsertColumn(2, "Note", LVCFMT_LEFT, 50);
    // The print dialog is answered with OK; other dialogs by the test.
    AfxSetModalDialogHook([this](CDialog& dlg) {
      ++m_nDialogs;
      if (m_onSetup && dynamic_cast<CListPrintSetupDlg*>(&dlg) != nullptr)
        m_onSetup(dlg);
      else
        dlg.PostMessage(WM_COMMAND, IDOK);
    });
  }
  void TearDown() override {
    AfxSetModalDialogHook(nullptr);
    DeleteFoundPdfs();
    AfxGetApp()->SelectPrinter(nullptr, nullptr);
    DestroyMainFrame(m_pFrame);
    WindowTest::TearDown();
  }

  void FillRows(int nRows) {
    m_list.DeleteAllItems();
    for (int r = 0; r < nRows; r++) {
      char text[32];
      std::snprintf(text, sizeof(text), "row%d", r);
      m_list.InsertItem(r, std::to_string(r).c_str());
      m_list.SetItemText(r, 1, text);
      m_list.SetItemText(r, 2, "x");
    }
  }

  void Prepare(CListPrintJob& job, const char* suffix) {
    job.m_pList = &m_list;
    job.m_bShowSetupDialog = 0;
    job.m_strDocName = UniquePrintTitle(suffix).c_str();
    job.m_strHeader = "Brivane\r\nPeak List\r\n";
    job.m_strPageFormat = "Page %d of %d";
    job.m_strFooter = "the footer";
  }

  CFrameWnd* m_pFrame = nullptr;
  CListCtrl m_list;
  int m_nDialogs = 0;
  std::function<void(CDialog&)> m_onSetup;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A face of a font combo that is written upright (not an "@" face): Tahoma
// when there is one.
std::string FirstUprightFace(HWND hCombo) {
  if (::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Tahoma") != CB_ERR)
    return "Tahoma";
  const int nCount = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < nCount; i++) {
    char face[LF_FACESIZE + 1] = "";
    ::SendMessageA(hCombo, CB_GETLBTEXT, i, (LPARAM)face);
    if (face[0] != '@')
      return face;
  }
  return std::string();
}

TEST_F(ListPrintTest, ALongListGoesOutPageByPageUnderItsHeaderWhileTheWindowCountsThePages) {
  FillRows(250);
  CNotingJob job;
  Prepare(job, "list");
  // The list's own window stays out of reach while its rows are printed.
  CFrameWnd* pListWindow = new CFrameWnd;
  ASSERT_TRUE(pListWindow->Create(nullptr, "List", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 300, 300)));
  job.m_pParent = pListWindow;
  ASSERT_TRUE(job.Print());
  EXPECT_TRUE(pListWindow->IsWindowEnabled());
  pListWindow->DestroyWindow();
  EXPECT_EQ(1, m_nDialogs) << "the print dialog, and no set-up";
  const int nRows = job.GetRowsPerPage();
  const UINT nPages = 250 / nRows + 1;
  ASSERT_GT(nPages, 2u) << nRows << " rows a page";
  ASSERT_EQ(nPages, job.m_seen.size());
  for (UINT k = 1; k <= nPages; k++) {
    const PageSeen& seen = job.m_seen[k - 1];
    EXPECT_EQ(k, seen.nPage);
    EXPECT_TRUE(seen.bVisible) << "page " << k;
    EXPECT_FALSE(seen.bWindowsEnabled) << "page " << k;
    char expected[64];
    std::snprintf(expected, sizeof(expected), "%u %%", 100 * k / nPages);
    EXPECT_EQ(expected, seen.percent);
    std::snprintf(expected, sizeof(expected), "Page %u of %u, ", k, nPages);
    EXPECT_EQ(0u, seen.page.find(expected)) << seen.page;
  }
  EXPECT_EQ(nullptr, ::FindWindowA(nullptr, ("Printing " + std::string(job.m_strDocName) + " ...").c_str()));
  EXPECT_TRUE(m_pFrame->IsWindowEnabled());
  EXPECT_TRUE(m_messageBoxes.empty());

  // On paper: every page has the header, its number and the footer; the
  // rows run on from page to page in the list's order.
  const std::string pdf = WaitForPdf(std::string(job.m_strDocName));
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::string> texts = PdfPageTexts(pdf);
  ASSERT_EQ(nPages, texts.size());
  for (UINT k = 1; k <= nPages; k++) {
    const std::string& text = texts[k - 1];
    char number[32];
    std::snprintf(number, sizeof(number), "Page %u of %u", k, nPages);
    EXPECT_TRUE(Contains(text, number)) << text;
    EXPECT_TRUE(Contains(text, "Peak List") && Contains(text, "the footer")) << "page " << k;
    EXPECT_TRUE(Contains(text, "Index") && Contains(text, "Shift")) << "headings on page " << k;
    const int nFirst = (int)(k - 1) * nRows, nLast = std::min(250, (int)k * nRows) - 1;
    if (nFirst <= nLast) {
      EXPECT_TRUE(Contains(text, "row" + std::to_string(nFirst) + "x")) << "page " << k;
      EXPECT_TRUE(Contains(text, "row" + std::to_string(nLast) + "x")) << "page " << k;
    }
    if (nLast + 1 < 250) {
      EXPECT_FALSE(Contains(text, "row" + std::to_string(nLast + 1) + "x")) << "page " << k;
    }
  }
  // The columns share the page in the list's proportions, 50 : 100 : 50.
  const std::vector<int>& edges = job.GetColumnEdges();
  ASSERT_EQ(4u, edges.size());
  EXPECT_NEAR(edges[3] / 4.0, edges[1], 1);
  EXPECT_NEAR(edges[3] * 3 / 4.0, edges[2], 1);
}

TEST_F(ListPrintTest, CancelAbandonsTheJobAfterThePageItIsOn) {
  FillRows(250);
  CNotingJob probe;  // the rows a page on this printer
  Prepare(probe, "probe");
  probe.m_nCancelAfter = 1;
  EXPECT_FALSE(probe.Print());
  const int nRows = probe.GetRowsPerPage();
  ASSERT_GT(nRows, 0);
  FillRows(2 * nRows + 1);  // three pages
  CNotingJob cancelled;
  Prepare(cancelled, "cancelled");
  cancelled.m_nCancelAfter = 2;
  EXPECT_FALSE(cancelled.Print());
  ASSERT_EQ(2u, cancelled.m_seen.size()) << "pages drawn after Cancel";
  EXPECT_TRUE(m_messageBoxes.empty()) << "a cancel is no error";
  EXPECT_EQ(nullptr, ::FindWindowA(nullptr, ("Printing " + std::string(cancelled.m_strDocName) + " ...").c_str()));
  EXPECT_TRUE(m_pFrame->IsWindowEnabled());

  // The printer takes jobs in order: once a later job is out, the cancelled
  // ones would have been too.
  CNotingJob later;
  Prepare(later, "later");
  ASSERT_TRUE(later.Print());
  ASSERT_FALSE(WaitForPdf(std::string(later.m_strDocName)).empty());
  EXPECT_FALSE(PdfExists(std::string(cancelled.m_strDocName))) << "the cancelled job reached the printer";
  EXPECT_FALSE(PdfExists(std::string(probe.m_strDocName)));
}

TEST_F(ListPrintTest, TheSetUpDialogRefusesAMarginOffThePageAndHandsItsValuesToTheJob) {
  FillRows(5);
  bool bRefusedOnItsTab = false;
  std::string face;
  m_onSetup = [&](CDialog& dlg) {
    HWND hTabs = ::GetDlgItem(dlg.m_hWnd, IDC_LP_TABS);
    EXPECT_EQ(2, (int)::SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0));
    HWND hFormat = ::GetParent(FindChild(dlg.m_hWnd, IDC_LP_HEADER_TEXT));
    HWND hMargins = ::GetParent(FindChild(dlg.m_hWnd, IDC_LP_LEFT));
    EXPECT_TRUE(::IsWindowVisible(hFormat) && !::IsWindowVisible(hMargins)) << "the first tab shows first";
    EXPECT_EQ("Brivane\r\nPeak List\r\n", TextOf(::GetDlgItem(hFormat, IDC_LP_HEADER_TEXT)));
    EXPECT_EQ("14", TextOf(::GetDlgItem(hFormat, IDC_LP_HEADER_SIZE)));
    EXPECT_EQ("8", TextOf(::GetDlgItem(hFormat, IDC_LP_FOOTER_SIZE)));
    EXPECT_EQ("10", TextOf(::GetDlgItem(hMargins, IDC_LP_LEFT)));
    EXPECT_EQ(11, (int)::SendDlgItemMessageA(hFormat, IDC_LP_CONTENT_SIZE, CB_GETCOUNT, 0, 0));
    // A face the list lacks selects its first entry; another face is chosen.
    HWND hFace = ::GetDlgItem(hFormat, IDC_LP_HEADER_FACE);
    const int nArial = (int)::SendMessageA(hFace, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Arial");
    EXPECT_EQ(nArial == CB_ERR ? 0 : nArial, (int)::SendMessageA(hFace, CB_GETCURSEL, 0, 0));
    face = FirstUprightFace(hFace);
    ::SendMessageA(hFace, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)face.c_str());
    ::SetDlgItemTextA(hFormat, IDC_LP_HEADER_TEXT, "Custom head");
    ::SetDlgItemTextA(hFormat, IDC_LP_CONTENT_SIZE, "9");
    ::SetDlgItemTextA(hMargins, IDC_LP_LEFT, "301");
    dlg.SendMessage(WM_COMMAND, IDOK);
    bRefusedOnItsTab = m_messageBoxes.size() == 1 && ::IsWindowVisible(hMargins) && !::IsWindowVisible(hFormat);
    ::SetDlgItemTextA(hMargins, IDC_LP_LEFT, "25");
    ::CheckDlgButton(dlg.m_hWnd, IDC_LP_GRID, BST_UNCHECKED);
    dlg.SendMessage(WM_COMMAND, IDOK);
  };
  CNotingJob job;
  Prepare(job, "setup");
  job.m_bShowSetupDialog = 1;
  ASSERT_TRUE(job.Print());
  EXPECT_TRUE(bRefusedOnItsTab) << "301 mm was taken, or its tab not shown";
  EXPECT_EQ(2, m_nDialogs) << "the set-up, then the print dialog";
  EXPECT_EQ("Custom head", std::string(job.m_strHeader));
  EXPECT_EQ(9, job.m_nContentSize);
  EXPECT_EQ(25, job.m_nMarginLeft);
  EXPECT_EQ(0, job.m_bPrintGrid);
  const std::string pdf = WaitForPdf(std::string(job.m_strDocName));
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::string> texts = PdfPageTexts(pdf);
  ASSERT_EQ(1u, texts.size());
  EXPECT_TRUE(Contains(texts[0], "Custom head")) << texts[0];
  EXPECT_EQ(face, std::string(job.m_strHeaderFace));

  // Cancel in the set-up prints nothing and asks for no printer.
  m_nDialogs = 0;
  m_onSetup = [](CDialog& dlg) {
    dlg.SendMessage(WM_COMMAND, IDCANCEL);
  };
  CNotingJob cancelled;
  Prepare(cancelled, "nosetup");
  cancelled.m_bShowSetupDialog = 1;
  EXPECT_FALSE(cancelled.Print());
  EXPECT_EQ(1, m_nDialogs);
  EXPECT_TRUE(cancelled.m_seen.empty());
}

TEST_F(ListPrintTest, AListWithoutRowsOrColumnsPrintsNothing) {
  CNotingJob noList;
  EXPECT_FALSE(noList.Print());
  CNotingJob empty;
  Prepare(empty, "empty");
  EXPECT_FALSE(empty.Print());
  EXPECT_EQ(0, m_nDialogs) << "nothing to print: no print dialog";
}

TEST_F(ListPrintTest, PrintingToAFileAsksForTheFileBeforeThePrintingWindowAndACancelPrintsNothing) {
  FillRows(5);
  char temp[MAX_PATH] = "";
  ::GetTempPathA(sizeof(temp), temp);
  const std::string path = std::string(temp) + UniquePrintTitle("file") + ".prn";
  std::string answer;  // the file dialog's answer; empty cancels it
  int nFileDialogs = 0;
  bool bPrintingWindowFirst = false;
  std::string docName;
  AfxSetModalDialogHook([&](CDialog& d) {
    if (d.IsKindOf(RUNTIME_CLASS(CFileDialog))) {
      ++nFileDialogs;
      bPrintingWindowFirst |= ::FindWindowA(nullptr, ("Printing " + docName + " ...").c_str()) != nullptr;
      HWND hWndSystem = ::GetParent(d.m_hWnd);
      if (!answer.empty()) {
        static_cast<CFileDialog&>(d).SetControlText(edt1, answer.c_str());
        static_cast<CFileDialog&>(d).SetControlText(cmb13, answer.c_str());
      }
      const int button = answer.empty() ? IDCANCEL : IDOK;
      ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, button));
      return;
    }
    ::CheckDlgButton(d.m_hWnd, chx1, BST_CHECKED);  // the print dialog's "Print to file"
    d.PostMessage(WM_COMMAND, IDOK);
  });

  CNotingJob cancelled;
  Prepare(cancelled, "tofile");
  docName = std::string(cancelled.m_strDocName);
  EXPECT_FALSE(cancelled.Print());
  EXPECT_EQ(1, nFileDialogs);
  EXPECT_TRUE(cancelled.m_seen.empty());
  EXPECT_FALSE(bPrintingWindowFirst);
  EXPECT_TRUE(m_pFrame->IsWindowEnabled());

  answer = path;
  CNotingJob printed;
  Prepare(printed, "tofile");
  docName = std::string(printed.m_strDocName);
  EXPECT_TRUE(printed.Print());
  EXPECT_EQ(2, nFileDialogs);
  EXPECT_FALSE(bPrintingWindowFirst) << "the printing window came before the file was chosen";
  EXPECT_EQ(1u, printed.m_seen.size());
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ASSERT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
  EXPECT_GT(data.nFileSizeLow, 0u);
  EXPECT_FALSE(PdfExists(docName)) << "the printer printed what went to a file";
  EXPECT_TRUE(m_messageBoxes.empty());
  ::DeleteFileA(path.c_str());
}

class CPlainHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

// The orientation of the printer the print dialogs start from.
short AppOrientation() {
  CWinApp* pApp = AfxGetApp();
  pApp->UpdatePrinterSelection(FALSE);
  const DEVMODEA* pMode = static_cast<const DEVMODEA*>(::GlobalLock(pApp->m_hDevMode));
  const short nOrientation = pMode != nullptr ? pMode->dmOrientation : 0;
  ::GlobalUnlock(pApp->m_hDevMode);
  return nOrientation;
}

std::string ColumnTitle(HWND list, int nColumn) {
  char title[64] = "";
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = sizeof title;
  ::SendMessageA(list, LVM_GETCOLUMNA, nColumn, (LPARAM)&column);
  return title;
}

TEST_F(ListPrintTest, ThePeakListPrintsPortraitWithoutItsPointColumnAndKeepsTheGridChoice) {
  CPlainHost host;
  CBrivaneProDoc doc(&host);
  CSpectrumParams params;
  params.td = 512;
  params.sw = 4000.0;
  params.sf = 400.0;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(512);
  for (int k : {100, 200, 300})
    s->m_pData[k] = 50.0f;
  s->FindMaximum();
  doc.SetCurrentSpectrum(s);
  doc.PickPeaksInRange(0, 510, 10.0);
  CPeakListDialog* pDialog = new CPeakListDialog(&doc, m_pFrame);
  doc.m_pPeakList = pDialog;
  doc.m_bPeakListOpen = 1;
  ASSERT_TRUE(pDialog->CreateModeless(m_pFrame));
  HWND hList = ::GetDlgItem(pDialog->m_hWnd, IDC_PEAK_LIST);
  const int nRows = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
  ScopedJobNames jobs("peaks");

  ASSERT_TRUE(SetAppPrinterOrientation(TRUE));
  short nOrientationAsked = 0;
  m_onSetup = nullptr;
  AfxSetModalDialogHook([&](CDialog& dlg) {
    ++m_nDialogs;
    nOrientationAsked = AppOrientation();
    dlg.PostMessage(WM_COMMAND, IDOK);
  });
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, ID_PEAKS_PRINT, 0);
  EXPECT_EQ(1, m_nDialogs) << "Print goes straight to the print dialog";
  EXPECT_EQ(DMORIENT_PORTRAIT, nOrientationAsked);
  EXPECT_EQ(DMORIENT_LANDSCAPE, AppOrientation()) << "landscape again afterwards";
  EXPECT_EQ("Point", ColumnTitle(hList, 1)) << "the column comes back";
  EXPECT_EQ(nRows, (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
  ASSERT_EQ(std::vector<std::string>{"Brivane"}, jobs.named) << "one job, the program's";
  const std::string pdf = WaitForPdf(jobs.spooled[0]);
  ASSERT_FALSE(pdf.empty());
  const std::vector<PdfPage> pages = RenderPdf(pdf, 20);
  ASSERT_EQ(1u, pages.size());
  EXPECT_LT(pages[0].width, pages[0].height) << "portrait";
  const std::vector<std::string> texts = PdfPageTexts(pdf);
  ASSERT_EQ(1u, texts.size());
  for (const char* part : {"Brivane", "Peak List", "Page 1 of 1", "Current time is", "Index", "ppm", "Hertz", "Height"})
    EXPECT_TRUE(Contains(texts[0], part)) << part << " missing from\n" << texts[0];
  EXPECT_FALSE(Contains(texts[0], "Point"));
  DeleteFoundPdfs();

  // Customize: the set-up first, its grid off at first and then as it was left.
  std::vector<UINT> gridShown;
  AfxSetModalDialogHook([&](CDialog& dlg) {
    if (dynamic_cast<CListPrintSetupDlg*>(&dlg) == nullptr) {
      dlg.PostMessage(WM_COMMAND, IDOK);
      return;
    }
    gridShown.push_back(::IsDlgButtonChecked(dlg.m_hWnd, IDC_LP_GRID));
    ::CheckDlgButton(dlg.m_hWnd, IDC_LP_GRID, BST_CHECKED);
    dlg.SendMessage(WM_COMMAND, gridShown.size() == 1 ? IDOK : IDCANCEL);
  });
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, ID_PEAKS_CUSTOMIZE, 0);
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, ID_PEAKS_CUSTOMIZE, 0);
  EXPECT_EQ((std::vector<UINT>{BST_UNCHECKED, BST_CHECKED}), gridShown);
  ASSERT_EQ(2u, jobs.spooled.size()) << "the set-up cancelled prints nothing";
  EXPECT_FALSE(WaitForPdf(jobs.spooled[1]).empty());
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(ListPrintTest, TheCouplingTablePrintsPortraitThroughItsSetUpWithGridLines) {
  CPlainHost host;
  CBrivaneProDoc doc(&host);
  CSpectrumParams params;
  params.td = 512;
  params.sw = 4000.0;
  params.sf = 400.0;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(512);
  doc.SetCurrentSpectrum(s);
  doc.StartCoupling(100);
  doc.AddCouplingPartner(110);
  CCouplingTableDialog* pDialog = new CCouplingTableDialog(&doc, m_pFrame);
  doc.m_pCouplingTable = pDialog;
  ASSERT_TRUE(pDialog->CreateModeless(m_pFrame));
  ScopedJobNames jobs("couplings");

  ASSERT_TRUE(SetAppPrinterOrientation(TRUE));
  m_onSetup = nullptr;
  UINT nGridShown = BST_UNCHECKED;
  short nOrientationAsked = 0;
  std::vector<std::string> faces;
  AfxSetModalDialogHook([&](CDialog& dlg) {
    ++m_nDialogs;
    if (dynamic_cast<CListPrintSetupDlg*>(&dlg) != nullptr) {
      nGridShown = ::IsDlgButtonChecked(dlg.m_hWnd, IDC_LP_GRID);
      // The program's faces, as the printer offers them, print as they stand.
      HWND hFormat = ::GetParent(FindChild(dlg.m_hWnd, IDC_LP_HEADER_TEXT));
      for (int nCombo : {IDC_LP_HEADER_FACE, IDC_LP_FOOTER_FACE, IDC_LP_CONTENT_FACE})
        faces.push_back(TextOf(::GetDlgItem(hFormat, nCombo)));
    } else {
      nOrientationAsked = AppOrientation();
    }
    dlg.PostMessage(WM_COMMAND, IDOK);
  });
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, ID_COUPLING_PRINT, 0);
  EXPECT_EQ(2, m_nDialogs) << "the set-up, then the print dialog";
  EXPECT_EQ(BST_CHECKED, nGridShown);
  EXPECT_EQ((std::vector<std::string>{"Arial", "Times New Roman", "Arial"}), faces) << "header, footer, content";
  EXPECT_EQ(DMORIENT_PORTRAIT, nOrientationAsked);
  EXPECT_EQ(DMORIENT_LANDSCAPE, AppOrientation());
  ASSERT_EQ(std::vector<std::string>{"Brivane"}, jobs.named) << "one job, the program's";
  const std::string pdf = WaitForPdf(jobs.spooled[0]);
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::string> texts = PdfPageTexts(pdf);
  ASSERT_EQ(1u, texts.size());
  for (const char* part : {"Coupling constants", "Page 1 of 1", "Shift 1", "J (1-2)", "78.125"})
    EXPECT_TRUE(Contains(texts[0], part)) << part << " missing from\n" << texts[0];
  DeleteFoundPdfs();
  ::SendMessageA(pDialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace
