// brivane23.exe printing on the real PDF printer: the command line's /p,
// File > Print after Print Out Options, the print preview's margin lines
// dragged with the mouse and reaching paper, and a document without spectra.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/BrivaneRes.h"
#include "tests/framework/win/PdfOutput.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"

namespace {

const int kDpi = 50;  // the pictures of the PDF pages

// A window's pixels as the screen shows them, row by row (COLORREFs).
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

Capture CaptureClient(HWND hWnd) {
  Capture capture;
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  POINT origin = {0, 0};
  ::ClientToScreen(hWnd, &origin);
  capture.width = rc.right;
  capture.height = rc.bottom;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, capture.width, capture.height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
  for (int y = 0; y < capture.height; y++)
    for (int x = 0; x < capture.width; x++)
      capture.pixels.push_back(::GetPixel(memory, x, y));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return capture;
}

class PrintProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = temp;
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }
  void TearDown() override { DeleteFoundPdfs(); }

  // A copy of the bundled sample under a name of its own: the print job's
  // name, so the PDF is found.
  std::string Sample(const std::string& title) const {
    const std::string path = m_dir + title + ".bvx";
    ::CopyFileA(BrivaneProcess::WinePath(BRIVANE_SOURCE_DIR "/samples/sample.bvx").c_str(), path.c_str(), FALSE);
    return path;
  }

  // Answers the system's print dialog with OK.
  static bool ConfirmPrintDialog(BrivaneProcess& app) {
    HWND dialog = app.WaitDialog("Print");
    return dialog != nullptr && BrivaneProcess::Dismiss(dialog, IDOK);
  }

  // The print preview, once it has taken the frame's pane from the MDI
  // client and shows its page: the preview window, and the white page's
  // left and right edges.
  static HWND OpenPreview(BrivaneProcess& app, int& left, int& right) {
    app.PostCommand(ID_FILE_PRINT_PREVIEW_OWN);
    HWND preview = nullptr;
    WaitFor(
        [&] {
          preview = ::GetDlgItem(app.main(), AFX_IDW_PANE_FIRST);
          char name[64] = "";
          ::GetClassNameA(preview, name, sizeof name);
          return preview != nullptr && std::string(name) != "MDIClient";
        },
        10000);
    if (preview == nullptr)
      return nullptr;
    ::RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return WaitFor([&] { return PageEdges(preview, left, right); }, 5000) ? preview : nullptr;
  }

  // The preview's page on the screen: the white page's left and right
  // edges along the middle row of the preview window, once the preview
  // shows its page on its grey ground.
  static bool PageEdges(HWND preview, int& left, int& right) {
    const Capture shot = CaptureClient(preview);
    const int y = shot.height / 2;
    left = right = -1;
    if (shot.width < 2 || shot.At(0, y) == RGB(255, 255, 255) || shot.At(shot.width - 1, y) == RGB(255, 255, 255))
      return false;
    for (int x = 0; x < shot.width; x++) {
      if (shot.At(x, y) == RGB(255, 255, 255)) {
        if (left < 0)
          left = x;
        right = x;
      }
    }
    // The page's frame is one pixel outside the paper seen.
    left -= 1;
    right += 1;
    return left >= 0 && right > left + 100;
  }

  std::string m_dir;
};

TEST_F(PrintProgramTest, TheCommandLinePrintsTheBlackTraceOverItsScaleOnOnePageAndEnds) {
  const std::string title = UniquePrintTitle("cmd");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("/p \"" + Sample(title) + "\""));
  EXPECT_NE(-1, app.WaitExit(60000)) << "the program does not end by itself";
  PdfPage page;
  ASSERT_TRUE(OnlyPage(title, page, kDpi)) << "no one-page PDF of " << title;
  // The trace in the plot band, black; the scale's tick labels at the bottom.
  const Ink plot = InkIn(page, page.height / 4, page.height * 3 / 4);
  const Ink scale = InkIn(page, page.height * 9 / 10, page.height);
  EXPECT_GT(plot.nDark, page.width / 4) << "no trace";
  EXPECT_EQ(0, plot.nColoured) << "the trace is not black";
  EXPECT_GT(scale.nDark, 20) << "no scale along the bottom";
  const std::vector<std::string> texts = PdfPageTexts(WaitForPdf(title));
  ASSERT_EQ(1u, texts.size());
  EXPECT_NE(std::string::npos, texts[0].find("0.20")) << "tick labels: " << texts[0];
}

TEST_F(PrintProgramTest, PrintOutOptionsPutColourTheLineThicknessAndABorderOnPaper) {
  const std::string title = UniquePrintTitle("opt");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + Sample(title) + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_FILE_PRINT_OPTIONS);
  HWND options = app.WaitDialog("Print Out Options");
  ASSERT_NE(nullptr, options);
  EXPECT_EQ("1", BrivaneProcess::WindowText(::GetDlgItem(options, IDC_PRINT_LINE_THICKNESS)));
  EXPECT_EQ(BST_UNCHECKED, ::SendDlgItemMessageA(options, IDC_PRINT_IN_COLOUR, BM_GETCHECK, 0, 0));
  ::SendDlgItemMessageA(options, IDC_PRINT_IN_COLOUR, BM_SETCHECK, BST_CHECKED, 0);
  ::SendDlgItemMessageA(options, IDC_PRINT_BORDER, BM_SETCHECK, BST_CHECKED, 0);
  ::SetDlgItemTextA(options, IDC_PRINT_LINE_THICKNESS, "12");
  ASSERT_TRUE(BrivaneProcess::Dismiss(options, IDOK));
  app.PostCommand(ID_FILE_PRINT);
  ASSERT_TRUE(ConfirmPrintDialog(app));
  PdfPage page;
  ASSERT_TRUE(OnlyPage(title, page, kDpi));
  EXPECT_GT(page.width, page.height) << "the program prints landscape";
  const Ink plot = InkIn(page, page.height / 4, page.height * 3 / 4);
  EXPECT_GT(plot.nColoured, page.width) << "a thick trace in its own colour";
  // The border runs along the top of the page.
  EXPECT_GT(InkIn(page, 0, 3).nDark, page.width * 8 / 10);

  // The dialog shows what it was given.
  app.PostCommand(ID_FILE_PRINT_OPTIONS);
  options = app.WaitDialog("Print Out Options");
  ASSERT_NE(nullptr, options);
  EXPECT_EQ("12", BrivaneProcess::WindowText(::GetDlgItem(options, IDC_PRINT_LINE_THICKNESS)));
  EXPECT_EQ(BST_CHECKED, ::SendDlgItemMessageA(options, IDC_PRINT_IN_COLOUR, BM_GETCHECK, 0, 0));
  ASSERT_TRUE(BrivaneProcess::Dismiss(options, IDCANCEL));
}

TEST_F(PrintProgramTest, TheLeftMarginDraggedInThePreviewMovesThePrintedTrace) {
  const std::string title = UniquePrintTitle("pre");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + Sample(title) + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();

  // Printed from the preview untouched: no margins.
  int left = 0, right = 0;
  ASSERT_NE(nullptr, OpenPreview(app, left, right)) << "no preview came";
  app.PostCommand(AFX_ID_PREVIEW_PRINT);
  ASSERT_TRUE(ConfirmPrintDialog(app));
  PdfPage plain;
  ASSERT_TRUE(OnlyPage(title, plain, kDpi));
  DeleteFoundPdfs();
  const Ink before = InkIn(plain, 0, plain.height);

  // The left line dragged a fifth of the page to the right.
  HWND preview = OpenPreview(app, left, right);
  ASSERT_NE(nullptr, preview);
  RECT rcPreview;
  ::GetClientRect(preview, &rcPreview);
  const int y = rcPreview.bottom / 2, nDrag = (right - left) / 5;
  ::PostMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + 1, y));
  for (int step = 1; step <= 4; step++)
    ::PostMessageA(preview, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 1 + nDrag * step / 4, y));
  ::PostMessageA(preview, WM_LBUTTONUP, 0, MAKELPARAM(left + 1 + nDrag, y));
  app.Sync();
  app.PostCommand(AFX_ID_PREVIEW_PRINT);
  ASSERT_TRUE(ConfirmPrintDialog(app));
  PdfPage moved;
  ASSERT_TRUE(OnlyPage(title, moved, kDpi));
  DeleteFoundPdfs();
  const Ink after = InkIn(moved, 0, moved.height);
  // The plot is squeezed into the page right of the margin.
  const double dMargin = (double)nDrag / (right - left) * moved.width;
  const double dExpected = dMargin + before.nLeft * (moved.width - dMargin) / moved.width;
  EXPECT_NEAR(dExpected, after.nLeft, 3) << "printed from " << before.nLeft << " without the margin";

  // Reopened, the preview shows the line where it was left.
  preview = OpenPreview(app, left, right);
  ASSERT_NE(nullptr, preview);
  const Capture shot = CaptureClient(preview);
  int nDarkColumn = 0;
  for (int x = left + nDrag - 2; x <= left + nDrag + 2; x++) {
    int nDark = 0;
    for (int row = 0; row < shot.height; row++)
      nDark += shot.At(x, row) == RGB(0, 0, 0);
    nDarkColumn = std::max(nDarkColumn, nDark);
  }
  EXPECT_GT(nDarkColumn, shot.height / 2) << "no margin line near x " << left + nDrag;
  app.PostCommand(AFX_ID_PREVIEW_CLOSE);
  EXPECT_TRUE(WaitFor(
      [&] {
        return ::FindWindowExA(app.main(), nullptr, "MDIClient", nullptr) != nullptr &&
               ::IsWindowVisible(::FindWindowExA(app.main(), nullptr, "MDIClient", nullptr));
      },
      5000))
      << "Close gives the document window back";
}

TEST_F(PrintProgramTest, ADocumentWithoutSpectraPrintsAnEmptyPage) {
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_SIMULATION_NEW);
  HWND simulation = app.WaitDialog("Simulation");
  ASSERT_NE(nullptr, simulation);
  ASSERT_TRUE(BrivaneProcess::Dismiss(simulation, IDCANCEL));
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child) << "the empty document window stays";
  // The job is named after the document: saved under a name of this test's
  // own, its pages are not taken for another run's "Untitled".
  const std::string title = UniquePrintTitle("empty");
  ASSERT_TRUE(app.SaveAs(m_dir + title + ".bvx"));
  ASSERT_EQ(title + ".bvx", BrivaneProcess::WindowText(child));
  app.Command(ID_FILE_PRINT_DIRECT);
  PdfPage page;
  ASSERT_TRUE(OnlyPage(title, page, kDpi));
  const Ink ink = InkIn(page, 0, page.height);
  EXPECT_EQ(0, ink.nDark + ink.nColoured);
  EXPECT_TRUE(app.IsRunning());
}

}  // namespace
