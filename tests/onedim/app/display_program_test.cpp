// What a chemist sees of real spectra in brivane23.exe: a transformed FID
// drawn to fit its view, saved work reopened as it was saved, edits of
// integrals and labels kept, a spectrum's outline following the mouse while
// it is moved, the byte order on the parameters page, the FID Shift's
// arrows and the scale bar's units of the active window.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "resources/BrivaneRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/app/lines_document.h"

namespace {

const COLORREF kTrace = RGB(0, 0, 255);  // the current spectrum's colour

// The message box the program shows next, its text, and No pressed.
std::string AnswerNo(BrivaneProcess& app) {
  HWND box = app.WaitDialog("Brivane", 10000);
  if (box == nullptr)
    return "";
  const std::string text = BrivaneProcess::StaticTexts(box);
  BrivaneProcess::Dismiss(box, IDNO);
  return text;
}

// The program started on a document file; its 1D view once the layout has
// settled, or null.
HWND StartOnDocument(BrivaneProcess& app, const std::string& path) {
  if (!app.Start("\"" + path + "\"") || app.WaitMainWindow() == nullptr)
    return nullptr;
  app.Sync();
  HWND view = PanesOf(app).view;
  if (view != nullptr)
    WaitForSteadyLayout(view);
  return view;
}

// The real pointer put on a point of a window, and the cursor the screen
// shows there once it is the one wanted. The handle is the program's own:
// a system cursor the program loads keeps one handle in it.
template <class Wanted>
HCURSOR CursorAt(HWND hWnd, int x, int y, Wanted wanted) {
  POINT pt = {x, y};
  ::ClientToScreen(hWnd, &pt);
  ::SetCursorPos(pt.x, pt.y);
  CURSORINFO info = {};
  WaitFor([&] {
    info.cbSize = sizeof info;
    return ::GetCursorInfo(&info) && info.ptScreenPos.x == pt.x && info.ptScreenPos.y == pt.y &&
           wanted(info.hCursor);
  }, 5000);
  return info.hCursor;
}

std::string TempPath(const char* pszName) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + pszName;
  ::DeleteFileA(path.c_str());
  return path;
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
    const TraceExtent trace = MeasureTrace(*shot, nZeroLine, kTrace);
    ASSERT_GT(trace.nColumns, shot->width() / 2) << "the trace runs across the view";
    EXPECT_LE(trace.nTop, nZeroLine / 2) << "the tallest line reaches half the band";
    EXPECT_LT(trace.nCutColumns * 100, trace.nColumns) << "fewer than 1 % of the columns cut at the top";
  }
}

// The FID transformed with zero filling, an integral over its tallest line
// (the pointer over it shows what a press would drag), saved, closed
// and opened again through File > Open: the view shows the same picture,
// the parameters page the FID's acquisition time throughout, and the window
// and the question on closing it name the file.
TEST_F(DisplayProgramTest, ASavedDocumentOpensAgainAsItWasSaved) {
  const std::string path = TempPath("brivane_display_saved.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  std::string aqAcquired, byteOrder;
  ASSERT_TRUE(ReadParametersPage(app, aqAcquired, byteOrder));
  ASSERT_TRUE(Transform(app, "32768"));
  HWND view = PanesOf(app).view;
  std::unique_ptr<TestBitmap> shot = Shot(view);
  const int nZeroLine = shot->height() - 41;
  int xTallest = -1;
  for (int y = 0; y < nZeroLine && xTallest < 0; y++)
    for (int x = 0; x < shot->width() && xTallest < 0; x++)
      if (shot->Pixel(x, y) == kTrace)
        xTallest = x;
  ASSERT_GE(xTallest, 0);
  app.Command(ID_TOOLS_INTEGRATE);
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(xTallest - 15, nZeroLine - 3));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(xTallest + 15, nZeroLine - 3));
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(xTallest + 15, nZeroLine - 3));
  app.PostCommand(ID_TOOLS_INTEGRATE);  // after the band: the tool goes
  EXPECT_TRUE(WaitFor([&] { return ScreenCopy(view)->Count(RGB(255, 0, 0)) > 30; }, 5000))
      << "the integral's red curve and value";
  // The pointer on the integral takes the cursor of what a press there
  // would drag: the middle of its curve the moving cursor, its side edges
  // one sizing cursor, the corners of either diagonal another, all unlike
  // the view's arrow.
  {
    shot = Shot(view);
    // The curve: the red rows that run up from the zero line without a
    // gap (the value stands apart above it).
    RECT curve = {INT_MAX, INT_MAX, -1, -1};
    for (int y = nZeroLine; y >= 0; y--) {
      int nRed = 0;
      for (int x = 0; x < shot->width(); x++)
        if (shot->Pixel(x, y) == RGB(255, 0, 0)) {
          nRed++;
          curve = {std::min<LONG>(curve.left, x), std::min<LONG>(curve.top, y), std::max<LONG>(curve.right, x + 1),
                   std::max<LONG>(curve.bottom, y + 1)};
        }
      if (nRed == 0 && curve.bottom >= 0)
        break;
    }
    ASSERT_GT(curve.right - curve.left, 20) << "the integral's curve";
    ASSERT_GT(curve.bottom - curve.top, 20) << "the integral's curve";
    const int yMiddle = (curve.top + curve.bottom) / 2;
    const POINT away = {10, 45};
    const HCURSOR hArrow = CursorAt(view, away.x, away.y, [](HCURSOR h) { return h != nullptr; });
    // Each point reached from the arrow, so that the cursor read is the
    // point's own and not the one before.
    auto Over = [&](int x, int y) {
      CursorAt(view, away.x, away.y, [&](HCURSOR h) { return h == hArrow; });
      return CursorAt(view, x, y, [&](HCURSOR h) { return h != hArrow; });
    };
    const HCURSOR hMiddle = Over((curve.left + curve.right) / 2, yMiddle);
    const HCURSOR hLeft = Over(curve.left + 1, yMiddle);
    const HCURSOR hRight = Over(curve.right - 1, yMiddle);
    const HCURSOR hTopLeft = Over(curve.left + 1, curve.top + 1);
    const HCURSOR hBottomRight = Over(curve.right - 2, curve.bottom - 2);
    const HCURSOR hTopRight = Over(curve.right - 2, curve.top + 1);
    EXPECT_NE(hArrow, hMiddle) << "the middle of the curve";
    EXPECT_NE(hMiddle, hLeft) << "the left edge sizes";
    EXPECT_EQ(hLeft, hRight) << "both side edges size alike";
    EXPECT_NE(hLeft, hTopLeft) << "a corner sizes both ways";
    EXPECT_EQ(hTopLeft, hBottomRight) << "the corners of one diagonal alike";
    EXPECT_NE(hTopLeft, hTopRight) << "the other diagonal";
    for (HCURSOR h : {hMiddle, hLeft, hTopLeft, hTopRight})
      EXPECT_NE(hArrow, h);
  }
  std::string aq;
  ASSERT_TRUE(ReadParametersPage(app, aq, byteOrder));
  const std::unique_ptr<TestBitmap> before = Shot(view);
  ASSERT_TRUE(app.SaveAs(path));
  app.Command(ID_FILE_CLOSE);
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 0; }, 5000)) << "saved: closed without a question";

  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, path));
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 1 && !::IsWindow(dialog); }, 15000));
  app.Sync();
  EXPECT_EQ("brivane_display_saved.bvx", BrivaneProcess::WindowText(app.ActiveChild()));
  const std::unique_ptr<TestBitmap> after = Shot(PanesOf(app).view);
  EXPECT_TRUE(after->SameAs(*before)) << "the picture as it was saved";
  std::string aqAgain;
  ASSERT_TRUE(ReadParametersPage(app, aqAgain, byteOrder));
  // Zero filled to twice its points, the acquisition lasted as long as it
  // did: the page shows it so before the save and after it.
  EXPECT_GT(std::atof(aqAcquired.c_str()), 1.0) << aqAcquired;
  EXPECT_EQ(aqAcquired, aq);
  EXPECT_EQ(aqAcquired, aqAgain);
  // Still a spectrum: the transform offered is the inverse.
  app.PostCommand(ID_PROCESS_FOURIER);
  HWND transform = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, transform);
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(transform, IDC_FT_INVERSE), BM_GETCHECK, 0, 0));
  ASSERT_TRUE(BrivaneProcess::Dismiss(transform, IDCANCEL));
  app.Sync();

  app.PostCommand(ID_FILE_CLOSE);
  const std::string question = AnswerNo(app);
  EXPECT_NE(std::string::npos, question.find("brivane_display_saved.bvx")) << question;
  EXPECT_EQ(std::string::npos, question.find("Brivane1")) << question;
}

// Each edit of an integral or a label by key, in a document just saved,
// makes closing it ask; Yes saves the edit.
TEST_F(DisplayProgramTest, IntegralAndLabelEditsByKeyAreKeptOnClosing) {
  const struct {
    const char* pszEdit;
    bool bSelectLabel, bSelectIntegral;
    WPARAM nKey;
    bool bCtrl;
  } edits[] = {
      {"Delete of the selected label", true, false, VK_DELETE, false},
      {"Delete of the selected integral", false, true, VK_DELETE, false},
      {"Up: the curves' scale", false, false, VK_UP, false},
      {"Ctrl+Down: the integrals move down", false, false, VK_DOWN, true},
  };
  const std::string path = TempPath("brivane_display_edits.bvx");
  for (const auto& edit : edits) {
    SCOPED_TRACE(edit.pszEdit);
    {
      CViewHost host;
      CBrivaneProDoc doc(&host);
      CSpectrum* s = AddTestSpectrum(doc, "lines", kLinesTd, 1, Lines);
      doc.RefreshAfterAdd();
      s->m_arrIntegrals.Add(new CIntegral(s, 2 * 280, 2 * 320, 300, RGB(255, 0, 0)));
      s->m_arrLabels.Add(new CTextLabel("label", nullptr, s, RGB(0, 0, 0), FALSE, 2 * 600, 60));
      ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
    }
    BrivaneProcess app;
    HWND view = StartOnDocument(app, path);
    ASSERT_NE(nullptr, view);
    app.Command(ID_FILE_SAVE);  // opening leaves the document changed
    // As the program laid the document out in its view.
    int nScaleDen = 0, nBase = 0;
    {
      CStoredLayoutHost host;
      CBrivaneProDoc saved(&host);
      ASSERT_TRUE(saved.ReadNativeFile(path.c_str()));
      nScaleDen = saved.GetSpectrumAt(0)->m_nIntegralScaleDen;
      nBase = static_cast<const CIntegral*>(saved.GetSpectrumAt(0)->m_arrIntegrals.GetAt(0))->m_nBase;
    }
    const std::unique_ptr<TestBitmap> shot = Shot(view);
    // A press on the label's black text, or on the integral's red curve.
    const COLORREF crWanted = edit.bSelectLabel ? RGB(0, 0, 0) : RGB(255, 0, 0);
    POINT hit = {-1, -1};
    for (int y = 40; y < shot->height() - 45 && hit.x < 0; y++)
      for (int x = 0; x < shot->width() && hit.x < 0; x++)
        if (shot->Pixel(x, y) == crWanted)
          hit = {x, y};
    if (edit.bSelectLabel || edit.bSelectIntegral) {
      ASSERT_GE(hit.x, 0);
      ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(hit.x, hit.y));
      ::PostMessageA(view, WM_LBUTTONUP, 0, At(hit.x, hit.y));
    }
    if (edit.bCtrl)
      ::PostMessageA(view, WM_KEYDOWN, VK_CONTROL, 0);
    ::PostMessageA(view, WM_KEYDOWN, edit.nKey, 0);
    if (edit.bCtrl)
      ::PostMessageA(view, WM_KEYUP, VK_CONTROL, 0);
    app.PostCommand(ID_FILE_CLOSE);
    HWND box = app.WaitDialog("Brivane", 10000);
    ASSERT_NE(nullptr, box) << "no question: the edit would be lost";
    ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDYES));
    ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 0; }, 5000));

    CStoredLayoutHost host;
    CBrivaneProDoc doc(&host);
    ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
    const CSpectrum* s = doc.GetSpectrumAt(0);
    EXPECT_EQ(edit.bSelectLabel ? 0 : 1, s->m_arrLabels.GetSize());
    ASSERT_EQ(edit.bSelectIntegral ? 0 : 1, s->m_arrIntegrals.GetSize());
    EXPECT_EQ(nScaleDen + (edit.nKey == VK_UP && !edit.bCtrl ? 5 : 0), s->m_nIntegralScaleDen);
    if (!edit.bSelectIntegral) {
      EXPECT_EQ(nBase + (edit.bCtrl ? 5 : 0), static_cast<const CIntegral*>(s->m_arrIntegrals.GetAt(0))->m_nBase);
    }
  }
}

// Mouse mode 1: while the button is held on the trace, an inverted line
// follows the mouse across the spectrum's extent; on release the spectrum
// lies there and the line has gone.
TEST_F(DisplayProgramTest, AMovedSpectrumDragsItsOutlineAlong) {
  const std::string path = TempPath("brivane_display_move.bvx");
  {
    CViewHost host;
    CBrivaneProDoc doc(&host);
    AddTestSpectrum(doc, "flat", kLinesTd, 1, [](int) { return 0.0f; });
    doc.RefreshAfterAdd();
    ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  }
  BrivaneProcess app;
  HWND view = StartOnDocument(app, path);
  ASSERT_NE(nullptr, view);
  auto rowOf = [](const TestBitmap& shot, COLORREF cr) {
    int nBest = -1, nBestCount = 0;
    for (int y = 0; y < shot.height(); y++) {
      int n = 0;
      for (int x = 0; x < shot.width(); x++)
        n += shot.Pixel(x, y) == cr;
      if (n > nBestCount)
        nBest = y, nBestCount = n;
    }
    return nBestCount > shot.width() / 2 ? nBest : -1;
  };
  const std::unique_ptr<TestBitmap> start = Shot(view);
  const int y0 = rowOf(*start, kTrace);
  ASSERT_GT(y0, 150) << "the flat trace on its zero line";
  const int x = start->width() / 2, y1 = y0 - 120;
  ::PostMessageA(view, WM_MOUSEMOVE, 0, At(x, y0));  // over the trace: mode 1
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y0));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(x, y0 - 60));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(x, y1));
  EXPECT_TRUE(WaitFor([&] { return rowOf(*ScreenCopy(view), RGB(0, 0, 0)) == y1; }, 5000))
      << "the outline at the mouse, and only there";
  EXPECT_EQ(y0, rowOf(*ScreenCopy(view), kTrace)) << "the spectrum itself waits for the release";
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(x, y1));
  EXPECT_TRUE(WaitFor([&] { return rowOf(*ScreenCopy(view), kTrace) == y1; }, 5000));
  const std::unique_ptr<TestBitmap> moved = Shot(view);
  EXPECT_EQ(-1, rowOf(*moved, RGB(0, 0, 0))) << "the outline has gone";
}

// The parameters page shows the byte order the Bruker files give: words
// most significant byte first (BYTORDA 1) in the aspirin experiment, least
// significant first (0) in the GABA one.
TEST_F(DisplayProgramTest, TheParametersPageShowsTheFilesByteOrder) {
  const struct {
    const char* pszExperiment;
    const char* pszOrder;
  } files[] = {{"bruker-aspirin-1h/1", "Big endian"}, {"bruker-gaba-13c/13C", "Little endian"}};
  for (const auto& file : files) {
    BrivaneProcess app;
    ASSERT_TRUE(OpenBrukerFid(app, file.pszExperiment));
    std::string aq, byteOrder;
    ASSERT_TRUE(ReadParametersPage(app, aq, byteOrder));
    EXPECT_EQ(file.pszOrder, byteOrder) << file.pszExperiment;
  }
}

// Process > FID Shift: two steps of the up-down arrow show 2 in the count
// and OK leaves the FID shifted left by 2 points.
TEST_F(DisplayProgramTest, FidShiftStepsMadeWithTheArrowsReachOk) {
  const std::string source = TempPath("brivane_display_shift_in.bvx");
  const std::string path = TempPath("brivane_display_shift.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  ASSERT_TRUE(app.SaveAs(source));
  app.PostCommand(ID_PROCESS_FID_SHIFT);
  HWND dialog = app.WaitDialog("Fid Shift");
  ASSERT_NE(nullptr, dialog);
  HWND spin = ::GetDlgItem(dialog, IDC_SHIFT_SPIN);
  ASSERT_NE(nullptr, spin);
  RECT rc;
  ::GetClientRect(spin, &rc);
  for (int i = 0; i < 2; i++) {  // the upper half of the arrows steps up
    ::PostMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, At(rc.right / 2, rc.bottom / 4));
    ::PostMessageA(spin, WM_LBUTTONUP, 0, At(rc.right / 2, rc.bottom / 4));
  }
  HWND count = ::GetDlgItem(dialog, IDC_SHIFT_COUNT);
  EXPECT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(count) == "2"; }, 5000))
      << BrivaneProcess::WindowText(count);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  ASSERT_TRUE(app.SaveAs(path));

  CViewHost host, sourceHost;
  CBrivaneProDoc doc(&host), before(&sourceHost);
  ASSERT_TRUE(doc.ReadNativeFile(path.c_str()) && before.ReadNativeFile(source.c_str()));
  const CSpectrum* s = doc.GetSpectrumAt(0);
  const CSpectrum* b = before.GetSpectrumAt(0);
  ASSERT_EQ(b->m_paramsA.td, s->m_paramsA.td);
  for (int i = 0; i + 4 < s->m_paramsA.td; i++)
    ASSERT_EQ(b->m_pData[i + 4], s->m_pData[i]) << i;
}

// How many pixels of the frame's menu bar the screen shows in black: its
// texts, once drawn. The bar is the row of the menu's height over the
// client area.
int MenuTextPixels(HWND main) {
  POINT origin = {0, 0};
  ::ClientToScreen(main, &origin);
  RECT rcClient;
  ::GetClientRect(main, &rcClient);
  const std::unique_ptr<TestBitmap> screen = Settled(::GetDesktopWindow());
  int n = 0;
  for (int y = std::max(0L, origin.y - ::GetSystemMetrics(SM_CYMENU)); y < origin.y; y++)
    for (int x = std::max(0L, origin.x); x < origin.x + rcClient.right; x++)
      n += screen->Pixel(x, y) == RGB(0, 0, 0);
  return n;
}

// View > Full Screen over a transformed real FID, a second window open
// behind it: the 1D view fills what the process toolbar and the window tabs
// leave of the screen, its scale drawn at its bottom on the screen; Full
// Screen off gives the menu and the process toolbar back drawn as they
// were, and so does View > Toolbar off and on; Ctrl+F4 in Full Screen
// closes that window and leaves the other maximised, with the frame and its
// bars back.
TEST_F(DisplayProgramTest, FullScreenShowsTheWholeViewAndGivesTheWindowsBack) {
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  ASSERT_TRUE(OpenAnotherBrukerFid(app, "bruker-gaba-13c/13C"));
  ASSERT_TRUE(Transform(app));
  HWND view = PanesOf(app).view;
  WaitForSteadyLayout(view);
  HWND main = app.main();
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR), process = ::GetDlgItem(main, ID_PROCESS_TOOLBAR);
  ASSERT_NE(nullptr, process);
  const std::unique_ptr<TestBitmap> processBefore = Shot(process);
  const int nMenuText = MenuTextPixels(main);
  EXPECT_GT(nMenuText, 100) << "the menu's texts";
  SaveShot(*Settled(::GetDesktopWindow()), "full_before");

  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  WaitForSteadyLayout(view);
  ASSERT_FALSE(::IsWindowVisible(toolbar));
  const std::unique_ptr<TestBitmap> screen = Shot(::GetDesktopWindow());
  SaveShot(*screen, "full_screen");
  RECT rcView, rcRoom;
  ::GetWindowRect(view, &rcView);
  ::GetClientRect(app.MdiClient(), &rcRoom);
  ::MapWindowPoints(app.MdiClient(), nullptr, reinterpret_cast<POINT*>(&rcRoom), 2);
  EXPECT_TRUE(::EqualRect(&rcView, &rcRoom))
      << "the view fills the room the bars leave: view " << rcView.left << "," << rcView.top << " - " << rcView.right
      << "," << rcView.bottom << ", room " << rcRoom.left << "," << rcRoom.top << " - " << rcRoom.right << ","
      << rcRoom.bottom;
  EXPECT_LE(rcView.bottom, ::GetSystemMetrics(SM_CYSCREEN)) << "the view's bottom on the screen";
  // The scale's grey band in the view's last rows, as the screen shows them.
  int nBand = 0;
  for (int x = std::max(0L, rcView.left); x < std::min<LONG>(rcView.right, screen->width()); x++)
    nBand += screen->Pixel(x, rcView.bottom - 3) == RGB(191, 191, 191);
  EXPECT_GT(nBand, (rcView.right - rcView.left) / 2) << "the scale band on the screen, row " << rcView.bottom - 3;

  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  EXPECT_TRUE(::IsWindowVisible(toolbar));
  EXPECT_TRUE(::IsZoomed(main));
  std::unique_ptr<TestBitmap> processAfter = Settled(process);
  SaveShot(*processAfter, "full_process_after");
  SaveShot(*Settled(::GetDesktopWindow()), "full_left");
  EXPECT_TRUE(processAfter->SameAs(*processBefore)) << "the process toolbar drawn as before Full Screen";
  EXPECT_EQ(nMenuText, MenuTextPixels(main)) << "the menu drawn as before Full Screen";
  // The standard toolbar hidden and shown again through the View menu.
  app.Command(ID_VIEW_TOOLBAR);
  app.Sync();
  ASSERT_FALSE(::IsWindowVisible(toolbar));
  app.Command(ID_VIEW_TOOLBAR);
  app.Sync();
  ASSERT_TRUE(::IsWindowVisible(toolbar));
  processAfter = Settled(process);
  SaveShot(*processAfter, "full_process_toolbar_again");
  EXPECT_TRUE(processAfter->SameAs(*processBefore)) << "the process toolbar drawn as before the toolbar went";

  // Ctrl+F4 in Full Screen, from the keyboard.
  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  ASSERT_FALSE(::IsWindowVisible(toolbar));
  ::SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }, 5000));
  INPUT keys[4] = {};
  for (INPUT& key : keys)
    key.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = keys[2].ki.wVk = VK_F4;
  keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(4u, ::SendInput(4, keys, sizeof(INPUT)));
  if (HWND ask = app.WaitDialog(nullptr, 3000))
    BrivaneProcess::Dismiss(ask, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 1; }, 5000));
  app.Sync();
  bool bMaximized = false;
  ASSERT_NE(nullptr, app.ActiveChild(&bMaximized));
  EXPECT_TRUE(bMaximized) << "the other window stays maximised";
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(toolbar) != FALSE; }, 3000));
  EXPECT_TRUE(::IsZoomed(main));
  SaveShot(*Settled(::GetDesktopWindow()), "full_closed");
}

namespace {

BOOL CALLBACK FindUnitsList(HWND hWnd, LPARAM lParam) {
  HWND units = ::GetDlgItem(hWnd, IDC_SCALEBAR_UNITS);
  if (units == nullptr)
    return TRUE;
  *reinterpret_cast<HWND*>(lParam) = units;
  return FALSE;
}

}  // namespace

// A FID's window and a transformed spectrum's: the scale bar's units list
// names the units of the active window's axis, seconds or ppm, each time the
// Window menu brings the other window forward, and shows them on screen as
// it painted them when each window was opened.
TEST_F(DisplayProgramTest, TheScaleBarNamesTheActiveWindowsUnits) {
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  HWND fid = app.ActiveChild();
  HWND units = nullptr;
  ::EnumChildWindows(app.main(), &FindUnitsList, reinterpret_cast<LPARAM>(&units));
  ASSERT_NE(nullptr, units);
  EXPECT_EQ("Seconds", BrivaneProcess::WindowText(units));
  app.Sync();
  const std::unique_ptr<TestBitmap> seconds = Shot(units);
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  const std::string path = BRIVANE_SOURCE_DIR "/tests/data/bruker-aspirin-1h/1/fid";
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, BrivaneProcess::WinePath(path)));
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 2 && !::IsWindow(dialog); }, 15000));
  app.Sync();
  HWND spectrum = app.ActiveChild();
  ASSERT_NE(fid, spectrum);
  ASSERT_TRUE(Transform(app));
  EXPECT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(units) == "ppm"; }, 5000));
  app.Sync();
  const std::unique_ptr<TestBitmap> ppm = Shot(units);
  ASSERT_FALSE(ppm->SameAs(*seconds));
  // The Window menu lists the windows in the order they were opened.
  const struct {
    UINT nCommand;
    HWND child;
    const char* pszUnits;
    const TestBitmap* pPicture;
  } steps[] = {{AFX_IDM_FIRST_MDICHILD, fid, "Seconds", seconds.get()},
               {AFX_IDM_FIRST_MDICHILD + 1, spectrum, "ppm", ppm.get()},
               {AFX_IDM_FIRST_MDICHILD, fid, "Seconds", seconds.get()}};
  for (const auto& step : steps) {
    app.Command(step.nCommand);
    ASSERT_TRUE(WaitFor([&] { return app.ActiveChild() == step.child; }, 5000)) << step.pszUnits;
    EXPECT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(units) == step.pszUnits; }, 5000))
        << step.pszUnits << ": " << BrivaneProcess::WindowText(units);
    EXPECT_TRUE(WaitFor([&] { return Settled(units)->SameAs(*step.pPicture); }, 5000))
        << step.pszUnits << " on screen";
  }
}
