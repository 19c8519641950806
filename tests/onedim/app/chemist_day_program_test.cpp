// A chemist's day in brivane23.exe as one road: File > Open of a real 13C
// FID, Apodize, Fourier Transform with zero filling, the Phase Correction
// dials, an Auto-Fit baseline, a zoom dragged with the mouse, peaks picked
// over a region, two integrals, the zoomed work saved and reopened, then
// saved again with the Dual Display on and reopened, the full spectrum
// again, a text label, Save As, close, reopen and File > Print on the PDF
// printer.
// After every step the view is read as a person reads it: the spectrum lies
// in its band, its tallest line reaches up the band and is not cut off; a
// reopened document looks as it was saved, its integral curves on their
// trace; the page holds the whole trace and its scale inside what the
// printer can print.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/app/lines_document.h"

namespace {

const COLORREF kTrace = RGB(0, 0, 255);  // the current spectrum's colour
const char kExperiment[] = "bruker-gaba-13c/13C";
const int kDpi = 100;  // the pictures of the PDF pages
// Ink on them: the printer's hairline (a 300th of an inch) shows light grey
// at kDpi.
const int kInk = 200;

// The spectrum's band in the view: from its top down to the zero line,
// 41 pixels over the view's bottom (the scale's band lies below).
int ZeroLine(const TestBitmap& shot) {
  return shot.height() - 41;
}

// What a person checks of a processed spectrum: drawn across the view,
// its tallest line at least half way up the band, and (almost) no column
// cut off at the band's top.
void ExpectFitted(const TestBitmap& shot, const char* pszStep) {
  const TraceExtent trace = MeasureTrace(shot, ZeroLine(shot), kTrace);
  EXPECT_GT(trace.nColumns, shot.width() / 2) << pszStep << ": the trace runs across the view";
  EXPECT_LE(trace.nTop, ZeroLine(shot) / 2) << pszStep << ": the tallest line reaches half the band";
  EXPECT_LT(trace.nCutColumns * 100, trace.nColumns) << pszStep << ": fewer than 1 % of the columns cut at the top";
}

// The column of the tallest line: the first column with a trace pixel at
// the trace's highest row.
int TallestColumn(const TestBitmap& shot) {
  const TraceExtent trace = MeasureTrace(shot, ZeroLine(shot), kTrace);
  for (int x = 0; x < shot.width(); x++)
    if (shot.Pixel(x, trace.nTop) == kTrace)
      return x;
  return -1;
}

// The highest trace pixel of column x, or the zero line when none.
int TopOfColumn(const TestBitmap& shot, int x) {
  for (int y = 0; y < ZeroLine(shot); y++)
    if (shot.Pixel(x, y) == kTrace)
      return y;
  return ZeroLine(shot);
}

// Columns of the baseline, away from every line: the nCount columns,
// spread over the view, whose trace stays lowest near them.
std::vector<int> BaselineColumns(const TestBitmap& shot, int nCount) {
  std::vector<int> columns;
  const int nSlice = shot.width() / nCount;
  for (int k = 0; k < nCount; k++) {
    int xBest = -1, yBest = -1;
    for (int x = k * nSlice + 10; x < (k + 1) * nSlice - 10; x++) {
      int yHighest = ZeroLine(shot);
      for (int d = -4; d <= 4; d++)
        yHighest = std::min(yHighest, TopOfColumn(shot, x + d));
      if (yHighest > yBest)
        xBest = x, yBest = yHighest;
    }
    columns.push_back(xBest);
  }
  return columns;
}

// The row that holds most of the trace's pixels: its baseline.
int BaselineRow(const TestBitmap& shot) {
  int yBest = -1, nBest = 0;
  for (int y = 0; y < shot.height(); y++) {
    int n = 0;
    for (int x = 0; x < shot.width(); x++)
      n += shot.Pixel(x, y) == kTrace;
    if (n > nBest)
      yBest = y, nBest = n;
  }
  return yBest;
}

// The lowest row of the integrals' red: the foot of a curve, where its
// region begins (values and brackets lie above the curves).
int IntegralFoot(const TestBitmap& shot) {
  for (int y = shot.height() - 1; y >= 0; y--)
    for (int x = 0; x < shot.width(); x++)
      if (shot.Pixel(x, y) == RGB(255, 0, 0))
        return y;
  return -1;
}

bool HasScrollBar(HWND child) {
  return (::GetWindowLongA(child, GWL_STYLE) & WS_HSCROLL) != 0;
}

void Drag(HWND view, int x0, int y0, int x1, int y1) {
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x0, y0));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At((x0 + x1) / 2, (y0 + y1) / 2));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(x1, y1));
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(x1, y1));
}

// The printable part of the default printer's page in a picture of it at
// nDpi: its printing offset and printable size (landscape when the page
// is wider than high).
RECT PrintableArea(const PdfPage& page) {
  RECT rc = {0, 0, page.width, page.height};
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!::PrintDlgA(&pd) || pd.hDC == nullptr)
    return rc;
  HDC dc = pd.hDC;
  ::GlobalFree(pd.hDevMode);
  ::GlobalFree(pd.hDevNames);
  const double sx = (double)kDpi / ::GetDeviceCaps(dc, LOGPIXELSX), sy = (double)kDpi / ::GetDeviceCaps(dc, LOGPIXELSY);
  const int nOffsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX), nOffsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  // Every picture pixel that holds a printable dot, partly or wholly.
  int left = (int)std::floor(nOffsetX * sx), top = (int)std::floor(nOffsetY * sy);
  int width = (int)std::ceil((nOffsetX + ::GetDeviceCaps(dc, HORZRES)) * sx) - left;
  int height = (int)std::ceil((nOffsetY + ::GetDeviceCaps(dc, VERTRES)) * sy) - top;
  ::DeleteDC(dc);
  if ((page.width > page.height) != (width > height)) {
    std::swap(left, top);
    std::swap(width, height);
  }
  rc = {left, top, left + width, top + height};
  return rc;
}

class ChemistDayProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No bar state, recent files or file type of an earlier run.
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = temp;
  }
  void TearDown() override { DeleteFoundPdfs(); }

  // Save As, close and File > Open of the file: the reopened view.
  static HWND SaveCloseReopen(BrivaneProcess& app, const std::string& path) {
    if (!app.SaveAs(path))
      return nullptr;
    app.Command(ID_FILE_CLOSE);
    if (!WaitFor([&] { return app.ChildCount() == 0; }, 5000))
      return nullptr;  // saved: closed without a question
    return Reopen(app, path);
  }

  // File > Open of a saved document; its view once drawn.
  static HWND Reopen(BrivaneProcess& app, const std::string& path) {
    app.PostCommand(ID_FILE_OPEN);
    HWND dialog = app.WaitDialog("Import file");
    if (dialog == nullptr || !BrivaneProcess::EnterFileName(dialog, path))
      return nullptr;
    if (!WaitFor([&] { return app.ChildCount() == 1 && !::IsWindow(dialog); }, 15000))
      return nullptr;
    app.Sync();
    return PanesOf(app).view;
  }

  // File > Print, the print dialog confirmed; the page's picture.
  static bool Print(BrivaneProcess& app, const std::string& title, PdfPage& page) {
    app.PostCommand(ID_FILE_PRINT);
    HWND dialog = app.WaitDialog("Print");
    if (dialog == nullptr || !BrivaneProcess::Dismiss(dialog, IDOK))
      return false;
    return OnlyPage(title, page, kDpi);
  }

  // What a person checks on paper: no ink outside the printable area, nor
  // along its top and bottom edges (a line cut off at the top piles up
  // under the top edge; a trace let run below the scale reaches the bottom
  // edge through the tick labels); the trace across the plot; and the
  // tallest line, at the fraction fx of the view's width, with its top at
  // fTop and the zero line at fZero of the view's height, reaching at least
  // half as high over the zero line on paper.
  static void ExpectWholeOnPaper(const PdfPage& page, double fx, double fTop, double fZero) {
    const RECT area = PrintableArea(page);
    const int nEdge = kDpi * 3 / 50;  // 1.5 mm
    int nOutside = 0, nOnEdge = 0, nTop = page.height, nBottom = -1;
    for (int y = 0; y < page.height; y++)
      for (int x = 0; x < page.width; x++) {
        if (page.At(x, y) >= kInk)
          continue;
        nOutside += x < area.left || x >= area.right || y < area.top || y >= area.bottom;
        nOnEdge += y < area.top + nEdge || y >= area.bottom - nEdge;
        nTop = std::min(nTop, y);
        nBottom = std::max(nBottom, y);
      }
    EXPECT_EQ(0, nOutside) << "ink outside the printable area";
    EXPECT_EQ(0, nOnEdge) << "ink along the top or bottom edge; ink from row " << nTop << " to " << nBottom << " of "
                          << page.height;
    const int nHeight = area.bottom - area.top;
    const int yZero = area.top + (int)(fZero * nHeight);
    // A flat baseline lies on the zero line's row or the one beside it
    // (the scale's line lies some rows further down).
    int nColumns = 0;
    for (int x = area.left; x < area.right; x++)
      for (int y = area.top; y <= yZero + 1; y++)
        if (page.At(x, y) < kInk) {
          nColumns++;
          break;
        }
    EXPECT_GT(nColumns, (area.right - area.left) / 2) << "the trace runs across the page";
    const int x = (int)(area.left + fx * (area.right - area.left));
    int yLine = page.height;
    for (int dx = -2; dx <= 2; dx++)
      for (int y = area.top; y < page.height; y++)
        if (page.At(x + dx, y) < kInk) {
          yLine = std::min(yLine, y);
          break;
        }
    const int yExpected = area.top + (int)(fTop * nHeight);
    EXPECT_LE(yLine, yZero - (yZero - yExpected) / 2) << "the tallest line reaches up the page, at x " << x;
  }

  // The end of the day: Save As under the print title, closed without a
  // question, File > Open of the file showing the same picture, and File >
  // Print putting it whole on paper.
  void SaveReopenAndPrint(BrivaneProcess& app, HWND view) {
    const std::string title = UniquePrintTitle("day");
    const std::string path = m_dir + title + ".bvx";
    const std::unique_ptr<TestBitmap> before = Shot(view);
    view = SaveCloseReopen(app, path);
    ASSERT_NE(nullptr, view);
    const std::unique_ptr<TestBitmap> after = Shot(view);
    EXPECT_TRUE(after->SameAs(*before)) << "the picture as it was saved";

    PdfPage page;
    ASSERT_TRUE(Print(app, title, page)) << "no one-page PDF of " << title;
    const int xTallest = TallestColumn(*after);
    ASSERT_GE(xTallest, 0);
    const double dHeight = after->height();
    ExpectWholeOnPaper(page, (double)xTallest / after->width(), TopOfColumn(*after, xTallest) / dHeight,
                       ZeroLine(*after) / dHeight);
    ::DeleteFileA(path.c_str());
  }

  std::string m_dir;
};

}  // namespace

TEST_F(ChemistDayProgramTest, AProcessedSpectrumStaysReadableFromOpenToPaper) {
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, kExperiment));
  HWND view = PanesOf(app).view;
  ASSERT_NE(nullptr, view);
  WaitForSteadyLayout(view);
  EXPECT_GT(Shot(view)->Count(kTrace), 1000) << "the FID is drawn";

  // Process > Apodize: exponential, 0.3 Hz.
  app.PostCommand(ID_PROCESS_APODIZE);
  HWND dialog = app.WaitDialog("Window Functions");
  ASSERT_NE(nullptr, dialog);
  HWND type = ::GetDlgItem(dialog, IDC_WF_TYPE);
  ::SendMessageA(type, CB_SETCURSEL, 0, 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WF_TYPE, CBN_SELCHANGE), (LPARAM)type);
  EXPECT_EQ("Exponential", BrivaneProcess::WindowText(type));
  ::SendMessageA(::GetDlgItem(dialog, IDC_WF_LB), WM_SETTEXT, 0, (LPARAM) "0.3");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  view = PanesOf(app).view;
  EXPECT_GT(Shot(view)->Count(kTrace), 1000) << "the weighted FID is drawn";

  // Fourier Transform, zero filled to twice the FID's 32768 floats.
  ASSERT_TRUE(Transform(app, "65536"));
  view = PanesOf(app).view;
  ExpectFitted(*Shot(view), "transform");
  // Apodize opened the full view over the spectrum; the rest of the day
  // goes on in the whole window, as a reopened document shows it.
  if (PanesOf(app).full != nullptr) {
    app.Command(ID_VIEW_DUAL_DISPLAY);
    app.Sync();
    ASSERT_EQ(nullptr, PanesOf(app).full);
    view = PanesOf(app).view;
    WaitForSteadyLayout(view);
    ExpectFitted(*Shot(view), "the full view closed");
  }

  // Phase Correction: the zero-order dial a quarter turn on and a third of
  // that back, OK.
  app.PostCommand(ID_PROCESS_PHASE);
  dialog = app.WaitDialog("Phase Correction");
  ASSERT_NE(nullptr, dialog);
  HWND zero = ::GetDlgItem(dialog, IDC_PHASE_ZERO_SLIDER);
  ASSERT_TRUE(TurnDial(zero, 0, 90));
  ASSERT_TRUE(TurnDial(zero, 90, -60));
  EXPECT_NEAR(30.0, std::atof(BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_PHASE_ZERO)).c_str()), 0.01);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  std::unique_ptr<TestBitmap> shot = Shot(view);
  ExpectFitted(*shot, "phase");

  // Auto-Fit baseline through six points of the baseline, subtracted.
  app.PostCommand(ID_PROCESS_BASELINE_AUTO_FIT);
  dialog = WaitPointsDialog(app, IDC_MPB_COMPUTE);
  ASSERT_NE(nullptr, dialog);
  for (int x : BaselineColumns(*shot, 6)) {
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, ZeroLine(*shot) - 5));
    ::PostMessageA(view, WM_LBUTTONUP, 0, At(x, ZeroLine(*shot) - 5));
  }
  app.Sync();
  BrivaneProcess::Press(dialog, IDC_MPB_COMPUTE);
  app.Sync();
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDC_MPB_SUBTRACT));
  app.Sync();
  shot = Shot(view);
  ExpectFitted(*shot, "baseline");

  // View > Zoom: a band dragged with the mouse over the half of the
  // spectrum that holds the tallest line spreads it over the view.
  const int nZero = ZeroLine(*shot), nWidth = shot->width();
  const int xBefore = TallestColumn(*shot);
  ASSERT_GE(xBefore, 0);
  const int xFrom = std::max(5, std::min(xBefore - nWidth / 4, nWidth / 2 - 5)), xTo = xFrom + nWidth / 2;
  app.Command(ID_VIEW_ZOOM);
  Drag(view, xFrom, nZero / 2, xTo, nZero / 2);
  app.Sync();
  app.Command(ID_VIEW_ZOOM);  // the tool goes
  shot = Shot(view);
  ExpectFitted(*shot, "zoom");
  const int xTallest = TallestColumn(*shot);
  EXPECT_NEAR((double)(xBefore - xFrom) * nWidth / (xTo - xFrom), xTallest, 8) << "the tallest line spread out";

  // Peaks picked over a band around the tallest line (the zoomed view has
  // the scroll bar), its lower edge a tenth of the band over the zero line.
  const int nZoomedZero = ZeroLine(*shot), nThreshold = nZoomedZero - nZoomedZero / 10;
  app.Command(ID_TOOLS_PEAK_PICKING);
  Drag(view, xTallest - 40, 20, xTallest + 40, nThreshold);
  HWND list = app.WaitDialog("Peak List");
  ASSERT_NE(nullptr, list);
  HWND rows = ::GetDlgItem(list, IDC_PEAK_LIST);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0) >= 3; }, 5000))
      << "FROM, TO and the tallest line: " << ::SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0);
  ASSERT_TRUE(BrivaneProcess::Dismiss(list, IDOK));
  app.Command(ID_TOOLS_PEAK_PICKING);  // the tool goes
  app.Sync();
  ExpectFitted(*Shot(view), "peaks");

  // Two integrals: over the tallest line and over the next tallest.
  int xOther = -1;
  for (int x = 0, yBest = nZoomedZero; x < nWidth; x++) {
    const int y = TopOfColumn(*shot, x);
    if (std::abs(x - xTallest) > 30 && y < yBest)
      xOther = x, yBest = y;
  }
  ASSERT_GE(xOther, 0);
  app.Command(ID_TOOLS_INTEGRATE);
  Drag(view, xTallest - 12, nZoomedZero - 3, xTallest + 12, nZoomedZero - 3);
  app.Sync();
  Drag(view, xOther - 12, nZoomedZero - 3, xOther + 12, nZoomedZero - 3);
  app.Sync();
  app.Command(ID_TOOLS_INTEGRATE);
  EXPECT_TRUE(WaitFor([&] { return ScreenCopy(view)->Count(RGB(255, 0, 0)) > 60; }, 5000))
      << "two integrals' red curves and values";
  ExpectFitted(*Shot(view), "integrals");

  // The zoomed work with its integrals saved, closed and opened again: the
  // window has its scroll bar back and the picture as it was saved.
  const std::string zoomed = m_dir + "brivane_day_zoomed.bvx";
  shot = Shot(view);
  SaveShot(*shot, "day_zoomed_saved");
  ASSERT_TRUE(HasScrollBar(app.ActiveChild()));
  view = SaveCloseReopen(app, zoomed);
  ASSERT_NE(nullptr, view);
  std::unique_ptr<TestBitmap> reopened = Shot(view);
  SaveShot(*reopened, "day_zoomed_reopened");
  EXPECT_TRUE(HasScrollBar(app.ActiveChild())) << "the zoomed spectrum's scroll bar";
  EXPECT_TRUE(reopened->SameAs(*shot)) << "the zoomed picture as it was saved: baseline " << BaselineRow(*shot)
                                       << " then " << BaselineRow(*reopened) << ", curves' foot "
                                       << IntegralFoot(*shot) << " then " << IntegralFoot(*reopened);
  ::DeleteFileA(zoomed.c_str());

  // View > Dual Display, saved, closed and opened again. The window opens
  // without the full view, in the taller view each integral curve still
  // on its trace; Dual Display on again gives both panes as they were saved.
  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  Panes panes = PanesOf(app);
  ASSERT_NE(nullptr, panes.full);
  WaitForSteadyLayout(panes.view);
  const std::unique_ptr<TestBitmap> dual = Shot(panes.view), dualFull = Shot(panes.full);
  SaveShot(*dual, "day_dual_saved");
  SaveShot(*dualFull, "day_dual_saved_full");
  const int nFoot = IntegralFoot(*dual) - BaselineRow(*dual);
  const std::string dualPath = m_dir + "brivane_day_dual.bvx";
  view = SaveCloseReopen(app, dualPath);
  ASSERT_NE(nullptr, view);
  ASSERT_EQ(nullptr, PanesOf(app).full) << "the full view waits for Dual Display";
  reopened = Shot(view);
  SaveShot(*reopened, "day_dual_reopened_single");
  const double dRatio = (double)reopened->height() / dual->height();
  EXPECT_NEAR(nFoot * dRatio, IntegralFoot(*reopened) - BaselineRow(*reopened), 3)
      << "the curves' foot on the trace, from " << IntegralFoot(*reopened) << " to baseline "
      << BaselineRow(*reopened);
  ExpectFitted(*reopened, "dual display saved, reopened alone");
  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  panes = PanesOf(app);
  ASSERT_NE(nullptr, panes.full);
  reopened = Shot(panes.view);
  SaveShot(*reopened, "day_dual_reopened");
  EXPECT_TRUE(reopened->SameAs(*dual)) << "the dual display's 1D view as it was saved: baseline "
                                       << BaselineRow(*dual) << " then " << BaselineRow(*reopened);
  EXPECT_TRUE(Shot(panes.full)->SameAs(*dualFull)) << "the full view as it was saved";
  ::DeleteFileA(dualPath.c_str());
  // The rest of the day in the whole window again.
  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  view = PanesOf(app).view;
  WaitForSteadyLayout(view);

  // View > Full Spectrum: the whole spectrum again, its scroll bar gone.
  app.Command(ID_VIEW_FULL_SPECTRUM);
  app.Sync();
  WaitForSteadyLayout(view);
  ExpectFitted(*Shot(view), "full spectrum");

  // A text label.
  const int nBlackBefore = Shot(view)->Count(RGB(0, 0, 0));
  app.PostCommand(ID_EDIT_ADD_TEXT);
  dialog = app.WaitDialog("Add Text");
  ASSERT_NE(nullptr, dialog);
  ::SendMessageA(::GetDlgItem(dialog, IDC_TEXT_TEXT), WM_SETTEXT, 0, (LPARAM) "GABA in D2O");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  shot = Shot(view);
  EXPECT_GT(shot->Count(RGB(0, 0, 0)), nBlackBefore + 20) << "the label's text";
  ExpectFitted(*shot, "label");


  SaveReopenAndPrint(app, view);
}

// The same road, short, on the aspirin's 1H FID (its words the other byte
// order): File > Open, Fourier Transform zero filled, then saved, reopened
// and printed.
TEST_F(ChemistDayProgramTest, AShortDayOnAnotherFid) {
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  ASSERT_TRUE(Transform(app, "32768"));
  HWND view = PanesOf(app).view;
  ASSERT_NE(nullptr, view);
  WaitForSteadyLayout(view);
  ExpectFitted(*Shot(view), "transform");
  SaveReopenAndPrint(app, view);
}
