// What a chemist sees of a real spectrum in brivane23.exe: a transformed
// FID drawn to fit its view.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "resources/BrivaneRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"

namespace {

const COLORREF kTrace = RGB(0, 0, 255);  // the current spectrum's colour

// Where the trace of the current spectrum lies in a view's picture: the band
// above its zero line that the positive lines fill.
struct TraceExtent {
  int nColumns = 0;     // columns with trace pixels in the band
  int nTop = INT_MAX;   // the highest trace pixel
  int nCutColumns = 0;  // columns with trace pixels in the band's top rows
};

// The band runs from the view's top to nZeroLine; a trace the drawing cut
// off piles up in the rows just below the top.
TraceExtent MeasureTrace(const TestBitmap& shot, int nZeroLine) {
  const int kTopRows = 8;
  TraceExtent extent;
  for (int x = 0; x < shot.width(); x++) {
    bool bTrace = false, bCut = false;
    for (int y = 0; y <= nZeroLine + 2; y++) {
      if (shot.Pixel(x, y) != kTrace)
        continue;
      bTrace = true;
      bCut |= y < kTopRows;
      extent.nTop = std::min(extent.nTop, y);
    }
    extent.nColumns += bTrace;
    extent.nCutColumns += bCut;
  }
  return extent;
}

// The panes of a document window's splitter: the 1D view, and the full view
// above it while the dual display shows.
struct Panes {
  HWND full = nullptr;
  HWND view = nullptr;
};

Panes PanesOf(const BrivaneProcess& app) {
  Panes panes;
  HWND child = app.ActiveChild();
  HWND splitter = child != nullptr ? ::GetDlgItem(child, AFX_IDW_PANE_FIRST) : nullptr;
  HWND first = splitter != nullptr ? ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST) : nullptr;
  HWND second = splitter != nullptr ? ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16) : nullptr;
  if (second != nullptr && ::IsWindowVisible(second)) {
    panes.full = first;
    panes.view = second;
  } else {
    panes.view = first;
  }
  return panes;
}

// The program started without a file and the FID opened through File > Open
// as a Bruker file (the type the dialog offers first), in a new window.
bool OpenBrukerFid(BrivaneProcess& app, const char* pszExperiment) {
  if (!app.Start("") || app.WaitMainWindow() == nullptr)
    return false;
  app.Sync();
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  const std::string fid = std::string(BRIVANE_SOURCE_DIR "/tests/data/") + pszExperiment + "/fid";
  if (dialog == nullptr || !BrivaneProcess::EnterFileName(dialog, BrivaneProcess::WinePath(fid)))
    return false;
  if (!WaitFor([&] { return app.ChildCount() == 1 && !::IsWindow(dialog); }, 15000))
    return false;
  app.Sync();
  return true;
}

// Process > Fourier Transform with the dialog as it opens.
bool Transform(BrivaneProcess& app) {
  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  if (dialog == nullptr || !BrivaneProcess::Dismiss(dialog, IDOK))
    return false;
  app.Sync();
  return true;
}

std::unique_ptr<TestBitmap> Shot(HWND hWnd) {
  ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return ScreenCopy(hWnd);
}

class DisplayProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No bar state, recent files or file type of an earlier run.
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }
};

}  // namespace

// File > Open of a real FID and Fourier Transform, straight away and with
// the dual display drawn last: the spectrum lies inside the 1D view's band
// above its zero line (41 pixels over the view's bottom), and its tallest
// line reaches above the band's middle without being cut off at the top.
TEST_F(DisplayProgramTest, ATransformedRealFidIsDrawnToFitItsView) {
  for (bool bDual : {false, true}) {
    SCOPED_TRACE(bDual ? "dual display" : "1D view alone");
    BrivaneProcess app;
    ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
    if (bDual) {
      app.Command(ID_VIEW_DUAL_DISPLAY);
      app.Sync();
      const Panes panes = PanesOf(app);
      ASSERT_NE(nullptr, panes.full);
      Shot(panes.view);
      Shot(panes.full);
    }
    ASSERT_TRUE(Transform(app));
    const std::unique_ptr<TestBitmap> shot = Shot(PanesOf(app).view);
    const int nZeroLine = shot->height() - 41;
    const TraceExtent trace = MeasureTrace(*shot, nZeroLine);
    ASSERT_GT(trace.nColumns, shot->width() / 2) << "the trace runs across the view";
    EXPECT_LE(trace.nTop, nZeroLine / 2) << "the tallest line reaches half the band";
    EXPECT_LT(trace.nCutColumns * 100, trace.nColumns) << "fewer than 1 % of the columns cut at the top";
  }
}
