// What the program tests of the 1D program share about its view and its
// paper: the panes of a document window, a real FID opened and transformed
// through the menus, the parameters page read, the view's picture once its
// repaint has settled, where the trace lies in it, a click and a dial turned
// with the mouse, keys pressed, the caption-less baseline dialogs, and the
// ink of a printed page.
#pragma once

#include <windows.h>

#include <climits>
#include <initializer_list>
#include <memory>
#include <string>

#include "tests/framework/win/PdfOutput.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"

// The panes of a document window's splitter: the 1D view, and the full view
// above it while the dual display shows.
struct Panes {
  HWND full = nullptr;
  HWND view = nullptr;
};
Panes PanesOf(const BrivaneProcess& app);

// The program started without a file and the FID of tests/data/<experiment>
// opened through File > Open as a Bruker file (the type the dialog offers
// first), in a new window.
bool OpenBrukerFid(BrivaneProcess& app, const char* pszExperiment);
// The same FID opened through File > Open in one more window of the
// running program.
bool OpenAnotherBrukerFid(BrivaneProcess& app, const char* pszExperiment);

// Process > Fourier Transform with the dialog as it opens, or zero filled
// to pszPoints floats.
bool Transform(BrivaneProcess& app, const char* pszPoints = nullptr);

// Edit > Spectrum Properties: the acquisition time and the byte order its
// parameters page shows; the sheet is closed again with Cancel.
bool ReadParametersPage(BrivaneProcess& app, std::string& aq, std::string& byteOrder);

// The program lays its frame out in its own time after it starts (it is
// maximised, the window list makes room for its tabs, the first spectrum
// made current takes the scroll bar away): Tab makes the spectrum current
// once, then this waits until the view's size has held for a while.
void WaitForSteadyLayout(HWND view);

// The window as the screen shows it once its repaint has settled: the
// program paints in its own time, so copies are taken until two agree.
std::unique_ptr<TestBitmap> Shot(HWND hWnd);
// The window as the screen shows it by itself once it holds still: unlike
// Shot nothing asks it to paint again, so a part it never repaints stays
// as it is.
std::unique_ptr<TestBitmap> Settled(HWND hWnd);

// With BRIVANE_SHOT_DIR set (a Windows path), the picture is written there
// as <pszName>.bmp, for a person to look at; otherwise nothing is done.
void SaveShot(const TestBitmap& shot, const char* pszName);

// Where a trace of colour cr lies in a view's picture, in the band from the
// view's top to nZeroLine that its positive lines fill.
struct TraceExtent {
  int nColumns = 0;     // columns with trace pixels in the band
  int nTop = INT_MAX;   // the highest trace pixel
  int nCutColumns = 0;  // columns with trace pixels in the band's top rows
};
// A trace the drawing cut off piles up in the rows just below the top.
TraceExtent MeasureTrace(const TestBitmap& shot, int nZeroLine, COLORREF cr);

// Presses and lets go of the left button with the system's mouse at a
// client point of a window.
void ClickWithMouse(HWND hWnd, POINT ptClient);

// Presses the keys one after the other with the system's keyboard, holding
// each, then lets them go in the opposite order: {VK_CONTROL, VK_CANCEL} is
// Ctrl+Break. The keys go to the window that has the focus.
void PressKeys(std::initializer_list<WORD> keys);

// Drags a dial's knob with the real mouse from nFrom degrees (clockwise
// from its top) through nTurn degrees (negative: counter-clockwise) in steps
// of 30, each step seen on the dial before the next.
bool TurnDial(HWND dial, int nFrom, int nTurn);

// The baseline dialogs have no caption: the program's visible dialog that
// shows the control nControl.
HWND WaitPointsDialog(BrivaneProcess& app, int nControl);

// What ink rows y0 .. y1 - 1 of a colour PDF page hold: dark pixels, and
// pixels of a clear colour.
struct Ink {
  int nDark = 0;
  int nColoured = 0;
  int nLeft = -1;  // the leftmost column with dark or coloured ink
};
Ink InkIn(const PdfPage& page, int y0, int y1);

// The picture (in colour, at nDpi) of the only page of a job's PDF.
bool OnlyPage(const std::string& title, PdfPage& page, int nDpi);
