// BrivanenD.exe as a user meets it: the splash, the frame with its menus
// and bars; a 2D serial file opened through File > Open shows a plot, a
// script run from the script window transforms it, Save writes a .bv2 file
// that reads back as the data in the program, never over a read-only one,
// and the ramp editor a .PAL palette; the properties sheet; the
// graph view's zoom, position readout, picture copy and sound; a real 2D
// set transformed and corrected by both baseline commands; the transform
// dialog's dimension after an inverse transform and its prediction
// refusal.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdSoundSamples.h"
#include "ndim/import/Bv2File.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/plot/NdViewGeometry.h"
#include "ndim/script/CommandInterpreter.h"
#include "resources/BrivanenDRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/ndim/app/nd_app_test_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class NdProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = NdTestFolder("nd_program_test");
    // No bar state or recent files of an earlier run.
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\BrivanenD");
  }

  // The program up, its main window found and idle.
  bool Start(BrivaneProcess& app, const std::string& arguments = "") {
    if (!app.Start(arguments) || app.WaitMainWindow() == nullptr)
      return false;
    app.Sync();
    return true;
  }

  std::string m_dir;
};

// The visible top-level windows of a process, topmost first.
std::vector<HWND> TopWindows(DWORD pid) {
  std::vector<HWND> windows;
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    if (owner == pid && ::IsWindowVisible(w))
      windows.push_back(w);
  }
  return windows;
}

// The window's pixels as the screen shows them, as 0x00RRGGBB values.
std::vector<COLORREF> ScreenPixels(HWND hWnd) {
  RECT rc;
  ::GetWindowRect(hWnd, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; y += 2)
    for (int x = 0; x < width; x += 2)
      pixels.push_back(::GetPixel(memory, x, y));
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

int CountNotWhite(const std::vector<COLORREF>& pixels) {
  int n = 0;
  for (COLORREF c : pixels)
    n += c != RGB(255, 255, 255);
  return n;
}

// The graph view of a document window: the first pane of its splitter.
HWND GraphView(HWND child) {
  HWND splitter = ::GetDlgItem(child, AFX_IDW_PANE_FIRST);
  return ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
}

// The view repainted and as the screen shows it.
std::vector<COLORREF> Repainted(HWND view) {
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::Sleep(300);
  return ScreenPixels(view);
}

// Opens a file through File > Open with the type left to detection.
bool OpenThroughDialog(BrivaneProcess& app, const std::string& path, int children) {
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  if (dialog == nullptr)
    return false;
  if (!BrivaneProcess::EnterFileName(dialog, path))
    return false;
  return WaitFor([&] { return app.ChildCount() == children; }, 20000);
}

// The program started and the file opened through File > Open: its graph
// view, or null.
HWND StartOnFile(BrivaneProcess& app, const std::string& path) {
  if (!app.Start("") || app.WaitMainWindow() == nullptr)
    return nullptr;
  app.Sync();
  if (!OpenThroughDialog(app, path, 1))
    return nullptr;
  app.Sync();
  return GraphView(app.ActiveChild());
}

// What the program holds after a transform along f2: the experiment read
// and run through the same command.
std::unique_ptr<CSpectrum2D> Expected(const std::string& ser, const char* script) {
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ReadBruker(ser.c_str(), log));
  if (set)
    CCommandInterpreter().Execute(*set, script);
  return set;
}

TEST_F(NdProgramTest, StartsWithItsSplashThenTheFrameWithMenusAndBars) {
  BrivaneProcess app(BRIVANEND_APP_PATH);
  ASSERT_TRUE(app.StartWithSplash(""));
  // The splash is a picture-sized pop-up without a caption.
  HWND splash = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        for (HWND w : TopWindows(app.pid())) {
          RECT rc;
          ::GetWindowRect(w, &rc);
          if ((::GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) == 0 && rc.right - rc.left == 300 &&
              rc.bottom - rc.top == 180)
            splash = w;
        }
        return splash != nullptr;
      },
      20000));
  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(splash); }, 5000)) << "the splash goes by itself";
  app.Sync();
  EXPECT_TRUE(::IsZoomed(main));
  EXPECT_EQ("BrivanenD", BrivaneProcess::WindowText(main));
  EXPECT_NE(nullptr, ::GetMenu(main));
  EXPECT_EQ(0, app.ChildCount());
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  ASSERT_NE(nullptr, toolbar);
  EXPECT_TRUE(::IsWindowVisible(toolbar));
  EXPECT_EQ(23, (int)::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(main, AFX_IDW_STATUS_BAR)));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(main, ID_COMMAND_BAR))) << "the command line starts hidden";

  // The traces toolbar floats in a window of its own with its caption.
  HWND traces = nullptr;
  for (HWND w : TopWindows(app.pid()))
    if (BrivaneProcess::WindowText(w) == "Slices/Projections")
      traces = w;
  ASSERT_NE(nullptr, traces);
  EXPECT_EQ(main, ::GetWindow(traces, GW_OWNER));
  RECT rc;
  ::GetWindowRect(traces, &rc);
  EXPECT_EQ(150, rc.left);
  EXPECT_EQ(150, rc.top);

  app.PostCommand(ID_APP_EXIT);
  EXPECT_EQ(0, app.WaitExit());
  HKEY hKey = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\BrivanenD\\BVX2DToolBarDockState", 0,
                                           KEY_READ, &hKey));
  if (hKey != nullptr)
    ::RegCloseKey(hKey);
}

TEST_F(NdProgramTest, AFileOnTheCommandLineOpensNoDocument) {
  const std::string ser = WriteNdExperiment(m_dir, 8, 64);
  BrivaneProcess app(BRIVANEND_APP_PATH);
  ASSERT_TRUE(Start(app, "\"" + ser + "\""));
  ::Sleep(500);
  app.Sync();
  EXPECT_EQ(0, app.ChildCount());
  EXPECT_EQ(nullptr, app.WaitDialog(nullptr, 500)) << "and says nothing about it";
}

TEST_F(NdProgramTest, ASerialFileShowsAPlotThatAScriptTransformsAndSaveKeeps) {
  const std::string ser = WriteNdExperiment(m_dir, 32, 256);
  BrivaneProcess app(BRIVANEND_APP_PATH);
  ASSERT_TRUE(Start(app));
  ASSERT_TRUE(OpenThroughDialog(app, ser, 1));
  app.Sync();
  HWND child = app.ActiveChild();
  EXPECT_EQ("ser", BrivaneProcess::WindowText(child));
  HWND view = GraphView(child);
  ASSERT_NE(nullptr, view);
  const std::vector<COLORREF> before = Repainted(view);
  EXPECT_GT(CountNotWhite(before), 2000) << "a plot, its frame and axes";

  // The script window of the same document runs "ft".
  app.Command(ID_VIEW_SCRIPT_VIEW);
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 2; }, 10000));
  HWND script = GraphView(app.ActiveChild());
  ASSERT_NE(nullptr, script);
  ::SendMessageA(script, WM_SETTEXT, 0, (LPARAM) "ft");
  app.Command(ID_SCRIPT_RUN);
  app.Sync();
  app.Command(ID_VIEW_GRAPH_VIEW);
  app.Sync();
  EXPECT_EQ(child, app.ActiveChild()) << "the graph window comes back, no new one";
  const std::vector<COLORREF> after = Repainted(view);
  EXPECT_NE(before, after) << "the plot changed";

  // Save asks for a name (the document came from a spectrometer file) and
  // writes what the program holds.
  const std::string saved = m_dir + "transformed.bv2";
  // A user's own file named as temporary files often are.
  std::ofstream(saved + ".tmp", std::ios::binary) << "the user's own";
  app.PostCommand(ID_FILE_SAVE);
  HWND dialog = app.WaitDialog();
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, saved));
  ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  app.Sync();
  EXPECT_EQ("transformed.bv2", BrivaneProcess::WindowText(child));

  CString error;
  std::unique_ptr<CSpectrum2D> written(CBv2File::Read(saved.c_str(), error));
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, "ft");
  ASSERT_NE(nullptr, written) << error;
  ASSERT_NE(nullptr, expected);
  for (int dim : {1, 2}) {
    EXPECT_EQ(expected->m_dims[dim].m_nPoints, written->m_dims[dim].m_nPoints);
    EXPECT_EQ(expected->m_dims[dim].m_fSpectralWidth, written->m_dims[dim].m_fSpectralWidth);
    EXPECT_EQ(expected->m_dims[dim].m_fSpectrometerFreq, written->m_dims[dim].m_fSpectrometerFreq);
  }
  const std::size_t floats = (std::size_t)expected->GetTotalPoints() * 2;
  ASSERT_EQ((std::size_t)written->GetTotalPoints() * 2, floats);
  EXPECT_TRUE(std::equal(expected->m_pData, expected->m_pData + floats, written->m_pData));

  // Made read-only, the file refuses the next Save, which says so, and
  // keeps what it holds.
  const std::string bytes = Bytes(saved);
  ::SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_READONLY);
  app.PostCommand(ID_FILE_SAVE);
  HWND refused = app.WaitDialog();
  ASSERT_NE(nullptr, refused);
  EXPECT_EQ("Access to " + saved + " was denied.", BrivaneProcess::StaticTexts(refused));
  ASSERT_TRUE(BrivaneProcess::Dismiss(refused, IDOK));
  ::SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(bytes, Bytes(saved));
  EXPECT_EQ("the user's own", Bytes(saved + ".tmp"));

  // The saved file opens again with the same pixels.
  ASSERT_TRUE(OpenThroughDialog(app, saved, 3));
  app.Sync();
  EXPECT_EQ(after, Repainted(GraphView(app.ActiveChild())));

  // Edit > Palette: the ramp editor's Save writes the set's ramp (256
  // records of red, green, blue and node, the ends nodes) in place of the
  // file there; made read-only, that file refuses the next save, which says
  // so, and keeps its bytes.
  const std::string pal = m_dir + "colours.PAL";
  std::ofstream(pal, std::ios::binary) << "earlier\n";
  std::ofstream(pal + ".tmp", std::ios::binary) << "the user's own";
  app.PostCommand(ID_EDIT_PALETTE);
  HWND editor = app.WaitDialog("Ramp editor");
  ASSERT_NE(nullptr, editor);
  const auto savePalette = [&] {
    BrivaneProcess::Press(editor, IDC_RAMP_SAVE);
    HWND files = nullptr;
    return WaitFor([&] { return (files = OwnedDialog(editor)) != nullptr; }, 15000) &&
           BrivaneProcess::EnterFileName(files, pal) && BrivaneProcess::ReplaceTheFile(files);
  };
  ASSERT_TRUE(savePalette());
  ASSERT_TRUE(WaitFor([&] { return Bytes(pal) != "earlier\n"; }, 10000));
  const std::string ramp = Bytes(pal);
  ASSERT_EQ(1024u, ramp.size());
  EXPECT_EQ(1, ramp[3]);
  EXPECT_EQ(1, ramp[1023]);
  ::SetFileAttributesA(pal.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(savePalette());
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = OwnedDialog(editor)) != nullptr; }, 15000));
  EXPECT_EQ("Unable to open file for writing", BrivaneProcess::StaticTexts(box));
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  ::SetFileAttributesA(pal.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ramp, Bytes(pal));
  EXPECT_EQ("the user's own", Bytes(pal + ".tmp"));
  ASSERT_TRUE(BrivaneProcess::Dismiss(editor, IDCANCEL));
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((m_dir + "~bv*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "left beside them: " << found.cFileName;
  if (find != INVALID_HANDLE_VALUE)
    ::FindClose(find);
}

TEST_F(NdProgramTest, SpectrumPropertiesOffersBothDimensions) {
  const std::string ser = WriteNdExperiment(m_dir, 16, 128);
  BrivaneProcess app(BRIVANEND_APP_PATH);
  ASSERT_TRUE(Start(app));
  ASSERT_TRUE(OpenThroughDialog(app, ser, 1));
  app.PostCommand(ID_EDIT_PROPERTIES);
  HWND sheet = app.WaitDialog("Spectrum Properties");
  ASSERT_NE(nullptr, sheet);
  HWND page = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        page = ::FindWindowExA(sheet, nullptr, "#32770", nullptr);
        return page != nullptr && ::GetDlgItem(page, IDC_DIMENSION_COMBO) != nullptr;
      },
      5000));
  EXPECT_EQ(2, (int)::SendDlgItemMessageA(page, IDC_DIMENSION_COMBO, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(5, (int)::SendDlgItemMessageA(page, IDC_PARAMETER_LIST, LVM_GETITEMCOUNT, 0, 0));
  BrivaneProcess::Press(sheet, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(sheet); }, 5000));
}

// Saves the document under name and reads the file back.
std::unique_ptr<CSpectrum2D> SaveAndRead(BrivaneProcess& app, const std::string& path, UINT command) {
  ::DeleteFileA(path.c_str());
  app.PostCommand(command);
  HWND dialog = app.WaitDialog();
  if (dialog == nullptr || !BrivaneProcess::EnterFileName(dialog, path) ||
      !WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
    return nullptr;
  app.Sync();
  CString error;
  return std::unique_ptr<CSpectrum2D>(CBv2File::Read(path.c_str(), error));
}

bool SameData(const CSpectrum2D& a, const CSpectrum2D& b) {
  const std::size_t floats = (std::size_t)a.GetTotalPoints() * a.FloatsPerPoint();
  return a.m_dims[1].m_nPoints == b.m_dims[1].m_nPoints && a.m_dims[2].m_nPoints == b.m_dims[2].m_nPoints &&
         (std::size_t)b.GetTotalPoints() * b.FloatsPerPoint() == floats &&
         std::equal(a.m_pData, a.m_pData + floats, b.m_pData);
}

TEST_F(NdProgramTest, TheTransformDialogRunsTheLinesItShowsAndCancelRunsNone) {
  const std::string ser = WriteNdExperiment(m_dir, 8, 64);
  BrivaneProcess app(BRIVANEND_APP_PATH);
  ASSERT_TRUE(Start(app));
  ASSERT_TRUE(OpenThroughDialog(app, ser, 1));

  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t2", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  // Quadrature data read from a Bruker spectrometer: not conjugated, 32 points.
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_QUADRATURE));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_INVERT));
  EXPECT_EQ(3, ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_GETCURSEL, 0, 0));
  ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_SETCURSEL, 4, 0);  // 64
  ::CheckDlgButton(dialog, IDC_FT_NEXT_DIMENSION, BST_UNCHECKED);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  std::unique_ptr<CSpectrum2D> written = SaveAndRead(app, m_dir + "ft.bv2", ID_FILE_SAVE);
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, "bw q 64\new\nze 64\nft ");
  ASSERT_NE(nullptr, written);
  ASSERT_NE(nullptr, expected);
  EXPECT_EQ(64, written->m_dims[2].m_nPoints);
  EXPECT_TRUE(SameData(*expected, *written));

  // The next dimension's dialog, cancelled: nothing runs.
  app.PostCommand(ID_PROCESS_FOURIER);
  dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t1", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.Sync();
  std::unique_ptr<CSpectrum2D> again = SaveAndRead(app, m_dir + "cancelled.bv2", ID_FILE_SAVE_AS);
  ASSERT_NE(nullptr, again);
  EXPECT_TRUE(SameData(*written, *again));
}

// The plot's raster as the screen shows it: the box of the pixels neither
// white nor black (the frame, the axes and their labels are black). The
// frame covers the raster's first column and row.
CRect PlotOnScreen(HWND view) {
  const std::unique_ptr<TestBitmap> shot = ScreenCopy(view);
  CRect box(shot->width(), shot->height(), 0, 0);
  for (int y = 0; y < shot->height(); y += 1)
    for (int x = 0; x < shot->width(); x += 3) {
      const COLORREF c = shot->Pixel(x, y);
      if (c != RGB(255, 255, 255) && c != RGB(0, 0, 0)) {
        box.left = std::min<LONG>(box.left, x);
        box.right = std::max<LONG>(box.right, x + 1);
        box.top = std::min<LONG>(box.top, y);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
  return CRect(box.left - 1, box.top - 1, box.right, box.bottom);
}

struct RecordCount {
  DWORD type;
  int n;
};

int CALLBACK CountRecord(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM lParam) {
  RecordCount* c = reinterpret_cast<RecordCount*>(lParam);
  c->n += rec->iType == c->type;
  return 1;
}

int CountRecordsOf(HENHMETAFILE hEmf, DWORD type) {
  RecordCount count = {type, 0};
  ::EnumEnhMetaFile(nullptr, hEmf, CountRecord, &count, nullptr);
  return count.n;
}

// A pixel of the plot that maps to the point (column c, row r) of the
// window the set shows, a quarter of a point from where the mapping rounds
// to it exactly.
CPoint PixelOfPoint(const CSpectrum2D& set, const CRect& plot, int c, int r) {
  const RECT& z = set.m_zoom;
  return CPoint(plot.left + plot.Width() * (4 * (c - z.left) + 1) / (4 * (z.right - z.left)),
                plot.top + plot.Height() * (4 * (z.bottom - 1 - r) + 1) / (4 * (z.bottom - z.top)));
}

// A click on the view at p, and the status bar's text once it has been
// handled (a sent message can overtake what was posted): expected, or what
// it read last.
// The real pointer is put there too: holding the cursor in the plot moves
// it, and the view hears of that. A move the X server reports late can
// still carry the pointer's previous place, so the press is repeated as a
// move until the readout settles. The readout lasts while the button is down.
std::string PressAndReadStatus(BrivaneProcess& app, HWND view, CPoint p, const std::string& expected) {
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  PutPointer(view, p);
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  std::string text;
  WaitFor(
      [&] {
        if ((text = BrivaneProcess::WindowText(status)) == expected)
          return true;
        ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        return false;
      },
      5000);
  ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  app.Sync();
  return text;
}

TEST_F(NdProgramTest, TheGraphViewZoomsShowsThePositionCopiesThePlotAndPlaysTheSet) {
  const std::string ser = WriteNdExperiment(m_dir, 16, 64);  // 16 rows of 32 points
  BrivaneProcess app(BRIVANEND_APP_PATH);
  HWND view = StartOnFile(app, ser);
  ASSERT_NE(nullptr, view);
  Repainted(view);
  // The set as the program read it, on the plot found on the screen.
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ReadBruker(ser.c_str(), log));
  ASSERT_NE(nullptr, set);
  const CRect plot = PlotOnScreen(view);
  ASSERT_GT(plot.Width(), 100);
  set->SetPlotRect(plot);
  auto pixelOf = [&](int c, int r) {
    return PixelOfPoint(*set, plot, c, r);
  };
  auto press = [&](CPoint p, const std::string& expected) {
    return PressAndReadStatus(app, view, p, expected);
  };

  // The position of a known pixel in the status bar.
  ASSERT_EQ(CPoint(5, 3), set->PixelToPoint(pixelOf(5, 3).x, pixelOf(5, 3).y));
  EXPECT_EQ(FormatNdCursorReadout(*set, 5, 3), press(pixelOf(5, 3), FormatNdCursorReadout(*set, 5, 3)));

  // A band dragged in zoom mode shows the points it covered. The tool is
  // posted: sent, it could overtake the release above, which ends a tool.
  app.PostCommand(ID_VIEW_ZOOM);
  const CPoint from = pixelOf(4, 12), to = pixelOf(20, 6);
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  app.PostCommand(ID_VIEW_ZOOM);  // back to the cursor once the band is done
  RECT window;
  ASSERT_TRUE(ZoomWindowFromBand(*set, CRect(from.x, from.y, to.x, to.y), window));
  EXPECT_EQ(CRect(4, 6, 20, 13), CRect(window));
  set->m_zoom = window;
  EXPECT_EQ(FormatNdCursorReadout(*set, 4, 6), press(pixelOf(4, 6), FormatNdCursorReadout(*set, 4, 6)))
      << "the zoomed window's corner";
  EXPECT_EQ(FormatNdCursorReadout(*set, 19, 12), press(pixelOf(19, 12), FormatNdCursorReadout(*set, 19, 12)));

  // Edit > Copy: a picture of the plot on the clipboard.
  app.Command(ID_EDIT_COPY);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HENHMETAFILE hPicture = ::CopyEnhMetaFile((HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE), nullptr);
  ::CloseClipboard();
  ASSERT_NE(nullptr, hPicture);
  char description[32] = {};
  ::GetEnhMetaFileDescriptionA(hPicture, sizeof description, description);
  EXPECT_STREQ("bvx metafile", description);
  EXPECT_GT(CountRecordsOf(hPicture, EMR_STRETCHDIBITS), 0) << "the raster";
  ::DeleteEnhMetaFile(hPicture);

  // Play: every trace, one after another, reaches the sound device.
  const char* pszSound = std::getenv("BRIVANE_SOUND_FILE");
  if (pszSound == nullptr)
    GTEST_SKIP() << "no sound file device in this environment";
  ::DeleteFileA(pszSound);
  float least, greatest;
  set->GetMinMax(least, greatest);
  const std::vector<unsigned char> samples = BuildNdSoundSamples(
      set->m_pData, set->GetOuterCount(), set->GetInnerCount(), set->GetCurrentCount(), true, least, greatest);
  ASSERT_EQ(512u, samples.size());
  app.Command(ID_PROCESS_PLAY);
  EXPECT_TRUE(WaitFor(
      [&] {
        std::ifstream in(pszSound, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return written.find(std::string(samples.begin(), samples.end())) != std::string::npos;
      },
      10000));
}

// The visible pop-up menus of a process, smallest first.
std::vector<HWND> PopupMenus(DWORD pid) {
  std::vector<HWND> menus;
  for (HWND w : TopWindows(pid)) {
    char cls[16] = "";
    ::GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32768")
      menus.push_back(w);
  }
  std::sort(menus.begin(), menus.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    ::GetWindowRect(a, &ra);
    ::GetWindowRect(b, &rb);
    return ra.bottom - ra.top < rb.bottom - rb.top;
  });
  return menus;
}

// Menus opened from the keyboard, as a user opens them: Alt with the menu
// bar's letter, then the letter of each pop-up in turn. The pop-ups shown,
// smallest first; empty when one did not open.
std::vector<HWND> OpenMenus(BrivaneProcess& app, const std::string& letters) {
  std::vector<HWND> menus;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (i == 0)
      ::PostMessageA(app.main(), WM_SYSCOMMAND, SC_KEYMENU, letters[0]);
    else
      ::PostMessageA(app.main(), WM_CHAR, letters[i], 0);
    if (!WaitFor([&] { return (menus = PopupMenus(app.pid())).size() == i + 1; }, 5000))
      return {};
  }
  ::Sleep(200);  // drawn
  return menus;
}

bool MenusClosed(BrivaneProcess& app) {
  const bool closed = WaitFor([&] { return PopupMenus(app.pid()).empty(); }, 5000);
  app.Sync();
  return closed;
}

void CloseMenus(BrivaneProcess& app) {
  for (std::size_t n = PopupMenus(app.pid()).size(); n > 0; --n)
    ::PostMessageA(app.main(), WM_KEYDOWN, VK_ESCAPE, 0);
  MenusClosed(app);
}

// An item chosen from the menus of letters by its own letter, or, for an
// item without one, by nDown presses of Down from the first item and Enter.
// False when a menu did not open or close.
bool ChooseFromMenu(BrivaneProcess& app, const std::string& letters, char item, int nDown = 0) {
  if (OpenMenus(app, letters).empty())
    return false;
  if (item != 0) {
    ::PostMessageA(app.main(), WM_CHAR, item, 0);
  } else {
    for (int i = 0; i < nDown; ++i)
      ::PostMessageA(app.main(), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(app.main(), WM_KEYDOWN, VK_RETURN, 0);
  }
  return MenusClosed(app);
}

// Process > Baseline opened and closed again: the black pixels of its
// items' text on the screen (none while they are greyed), or -1 when it did
// not open.
int BaselineMenuBlackPixels(BrivaneProcess& app) {
  const std::vector<HWND> menus = OpenMenus(app, "pb");
  if (menus.size() != 2)
    return -1;
  RECT rc;
  ::GetWindowRect(menus[0], &rc);
  const int width = (rc.right - rc.left) / 2;  // the pixel list samples every second one
  const std::vector<COLORREF> pixels = ScreenPixels(menus[0]);
  int black = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const int x = (int)(i % width), y = (int)(i / width);
    // Inside the border: the items' text only.
    black += x > 3 && x < width - 3 && y > 3 && y < (rc.bottom - rc.top) / 2 - 3 && pixels[i] == RGB(0, 0, 0);
  }
  CloseMenus(app);
  return black;
}

// Each row of after (real) keeps the largest value of the same row of
// before (its lines, within 2 %) on a baseline at zero: the median within
// 0.1 % of that value.
void ExpectLinesKeptOnAFlatBaseline(const CSpectrum2D& before, const CSpectrum2D& after) {
  const int rows = after.m_dims[1].m_nPoints, n = after.m_dims[2].m_nPoints;
  ASSERT_TRUE(after.m_bReal);
  ASSERT_EQ(rows * n, before.GetTotalPoints());
  for (int r = 0; r < rows; ++r) {
    std::vector<float> row(after.m_pData + (std::size_t)r * n, after.m_pData + (std::size_t)(r + 1) * n);
    float largest = 0, largestBefore = 0;
    for (int i = 0; i < n; ++i) {
      largest = std::max(largest, std::fabs(row[i]));
      const float was = before.m_pData[before.FloatsPerPoint() * ((std::size_t)r * n + i)];
      largestBefore = std::max(largestBefore, std::fabs(was));
    }
    EXPECT_NEAR(largestBefore, largest, 0.02 * largestBefore) << "row " << r;
    std::nth_element(row.begin(), row.begin() + n / 2, row.end());
    EXPECT_LT(std::fabs(row[n / 2]), 1e-3 * largest) << "row " << r;
  }
}

// A line typed into the command bar (View > Dialog Bar) and run; the text
// of the message box it shows, if any.
std::string RunCommandLine(BrivaneProcess& app, const char* line) {
  HWND bar = ::GetDlgItem(app.main(), ID_COMMAND_BAR);
  if (bar == nullptr || !::IsWindowVisible(bar))
    app.Command(ID_VIEW_COMMAND_BAR);
  bar = ::GetDlgItem(app.main(), ID_COMMAND_BAR);
  ::SendDlgItemMessageA(bar, IDC_COMMAND_EDIT, WM_SETTEXT, 0, (LPARAM)line);
  BrivaneProcess::Press(bar, IDC_COMMAND_RUN);
  app.Sync();
  HWND box = app.WaitDialog(nullptr, 1000);
  if (box == nullptr)
    return "";
  const std::string text = BrivaneProcess::StaticTexts(box);
  BrivaneProcess::Dismiss(box, IDOK);
  return text;
}

// The frame's client area above its document windows (the docked bars), as
// the screen shows it: its rows of pixels.
std::vector<std::vector<COLORREF>> BarArea(const BrivaneProcess& app) {
  RECT client;
  ::GetWindowRect(app.MdiClient(), &client);
  POINT top = {client.left, client.top};
  ::ScreenToClient(app.main(), &top);
  const std::unique_ptr<TestBitmap> shot = ScreenCopy(app.main());
  std::vector<std::vector<COLORREF>> rows;
  for (int y = 0; y < top.y && y < shot->height(); ++y) {
    rows.emplace_back();
    for (int x = 0; x < shot->width(); ++x)
      rows.back().push_back(shot->Pixel(x, y));
  }
  return rows;
}

// Of those rows, the ones that are black from edge to edge.
int BlackRows(const std::vector<std::vector<COLORREF>>& rows) {
  int black = 0;
  for (const std::vector<COLORREF>& row : rows)
    black += std::all_of(row.begin(), row.end(), [](COLORREF c) { return c == RGB(0, 0, 0); });
  return black;
}

std::string RectText(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + " - " + std::to_string(rc.right) + "," +
         std::to_string(rc.bottom);
}

// View > Full Screen on the real set, left once by the same menu item and
// once by Escape: the frame comes back maximised where it was, with its
// caption and its toolbar drawn as before (no black band over it).
TEST_F(NdProgramTest, LeavingFullScreenKeepsTheFrameMaximisedWithItsToolbarDrawn) {
  const std::string ser = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser");
  BrivaneProcess app(BRIVANEND_APP_PATH);
  HWND view = StartOnFile(app, ser);
  ASSERT_NE(nullptr, view);
  HWND main = app.main();
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  ASSERT_NE(nullptr, toolbar);
  // The pointer on the status bar: no button is hot, no trace follows it.
  RECT status;
  ::GetWindowRect(::GetDlgItem(main, AFX_IDW_STATUS_BAR), &status);
  ::SetCursorPos(status.right - 5, status.bottom - 3);
  Repainted(view);
  ASSERT_TRUE(::IsZoomed(main));
  RECT framed, bar;
  ::GetWindowRect(main, &framed);
  ::GetWindowRect(toolbar, &bar);
  const std::vector<std::vector<COLORREF>> bars = BarArea(app);
  ASSERT_GT(bars.size(), 20u) << "the toolbar's rows";
  EXPECT_EQ(0, BlackRows(bars));
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);

  for (const char* way : {"the menu", "Escape"}) {
    SCOPED_TRACE(way);
    ASSERT_TRUE(ChooseFromMenu(app, "v", 'l'));
    ASSERT_TRUE(WaitFor([&] { return (::GetWindowLongA(main, GWL_STYLE) & WS_CAPTION) == 0; }, 5000));
    app.Sync();
    RECT whole;
    ::GetWindowRect(main, &whole);
    EXPECT_LE(whole.left, 0);
    EXPECT_LE(whole.top, 0);
    EXPECT_GE(whole.right, cx);
    EXPECT_GE(whole.bottom, cy);
    EXPECT_FALSE(::IsWindowVisible(toolbar));

    if (std::string(way) == "Escape")
      ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 0);
    else
      ASSERT_TRUE(ChooseFromMenu(app, "v", 'l'));
    ASSERT_TRUE(WaitFor([&] { return (::GetWindowLongA(main, GWL_STYLE) & WS_CAPTION) != 0; }, 5000));
    app.Sync();
    EXPECT_TRUE(::IsZoomed(main));
    RECT now;
    ::GetWindowRect(main, &now);
    EXPECT_EQ(RectText(framed), RectText(now));
    ASSERT_TRUE(::IsWindowVisible(toolbar));
    ::GetWindowRect(toolbar, &now);
    EXPECT_EQ(RectText(bar), RectText(now));
    ::SetCursorPos(status.right - 5, status.bottom - 3);
    Repainted(view);
    std::vector<std::vector<COLORREF>> shown;
    EXPECT_TRUE(WaitFor([&] { return (shown = BarArea(app)) == bars; }, 5000))
        << BlackRows(shown) << " black rows of " << shown.size();
  }
}

// A left click with the real mouse at a point of a window: the press, and
// once between (a dialog the press opens, say) has shown, the release, which
// goes where the real one would.
void ClickWithTheMouse(HWND hWnd, CPoint point, const std::function<void()>& between) {
  ::ClientToScreen(hWnd, &point);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  for (DWORD dwFlags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (point.x * 65535 + cx / 2) / (cx - 1);
    in.mi.dy = (point.y * 65535 + cy / 2) / (cy - 1);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    if (dwFlags == MOUSEEVENTF_LEFTDOWN)
      between();
  }
}

// The Fourier Transform dialog that follows after along t1, or null.
HWND NextDialogAlongT1(BrivaneProcess& app, HWND after) {
  HWND next = nullptr;
  const bool shown = WaitFor(
      [&] {
        next = app.WaitDialog("Fourier Transform", 500);
        return next != nullptr && next != after &&
               BrivaneProcess::WindowText(::GetDlgItem(next, IDOK)) == "Apply along t1";
      },
      20000);
  return shown ? next : nullptr;
}

// A Fourier Transform dialog set to quadrature, 16 points, no protocol and
// no other box, filled by prediction or zeros.
void ChooseQuadrature16(HWND dialog, bool prediction) {
  ::SendDlgItemMessageA(dialog, IDC_FT_PROTOCOL, CB_SETCURSEL, 0, 0);
  ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_SETCURSEL, 2, 0);
  for (int box : {IDC_FT_REAL, IDC_FT_MAGNITUDE, IDC_FT_HYPERPHASE, IDC_FT_INVERT, IDC_FT_APODIZE, IDC_FT_INVERSE})
    ::CheckDlgButton(dialog, box, BST_UNCHECKED);
  ::CheckDlgButton(dialog, IDC_FT_QUADRATURE, BST_CHECKED);
  ::CheckDlgButton(dialog, IDC_FT_PREDICTION, prediction ? BST_CHECKED : BST_UNCHECKED);
}

// A chemist's day on a real experiment (TopSpin 3.2: 10 rows of 4096
// complex points), each step by menu: Process > Fourier Transform along f2
// and, in the dialog that follows, along f1; then Process > Baseline >
// Polynomial and Full Auto, offered once both dimensions are transformed;
// Tools > Reference F2 and a click on the plot, which the tool takes once;
// Tools > Send Selected Row to Brivane, which shows the row and keeps its
// document out of its recent files. After each step the saved file holds
// what the same lines give here, and the plot on the screen has changed.
TEST_F(NdProgramTest, AChemistsDayTransformsBothDimensionsCorrectsTheBaselineReferencesAndSendsARow) {
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  EndProcessesNamed("brivane23.exe");
  // Ends a 1D program that never lets the 2D one go.
  Watchdog watchdog(300000);
  const std::string ser = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser");
  BrivaneProcess app(BRIVANEND_APP_PATH);
  HWND view = StartOnFile(app, ser);
  ASSERT_NE(nullptr, view);
  std::vector<COLORREF> shown = Repainted(view);
  EXPECT_GT(CountNotWhite(shown), 2000) << "the FIDs, their frame and axes";
  // The plot, while the FIDs' raster fills it (the spectra leave it white
  // between their lines).
  const CRect plot = PlotOnScreen(view);
  EXPECT_EQ(0, BaselineMenuBlackPixels(app)) << "greyed";

  // Process > Fourier Transform along f2: digitally filtered quadrature
  // data from a Bruker spectrometer, not conjugated, at its own size; the
  // next dimension follows.
  ASSERT_TRUE(ChooseFromMenu(app, "p", 'f'));
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t2", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(10, ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_GETCURSEL, 0, 0)) << "4 K";
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_QUADRATURE));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_REAL));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_INVERT));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_APODIZE));
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_NEXT_DIMENSION));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  // Along f1 with choices of its own: quadrature, 16 points, no protocol.
  HWND second = NextDialogAlongT1(app, dialog);
  ASSERT_NE(nullptr, second);
  ChooseQuadrature16(second, false);
  ASSERT_TRUE(BrivaneProcess::Dismiss(second, IDOK));
  app.Sync();
  std::string script = "bw q 4096\new\nze 4096\nft \nbw q 16\new\nze 16\nft \nf= -1";
  std::unique_ptr<CSpectrum2D> written = SaveAndRead(app, m_dir + "t1-ft.bv2", ID_FILE_SAVE);
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, script.c_str());
  ASSERT_NE(nullptr, written);
  ASSERT_NE(nullptr, expected);
  EXPECT_EQ(16, written->m_dims[1].m_nPoints);
  EXPECT_TRUE(SameData(*expected, *written));
  std::vector<COLORREF> now = Repainted(view);
  EXPECT_NE(shown, now) << "the spectra are drawn";
  shown = now;

  // The strongest line where the vendor's own 2rr has it, within two
  // points: in the saved file, and in the status bar with the pointer on
  // it (to within the points a pixel spans).
  {
    const DimensionBlock& f2 = written->m_dims[2];
    const double point = f2.m_fSpectralWidth / f2.m_fSpectrometerFreq / f2.m_nPoints;
    const double vendor = StrongestPpmOf2rr(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/pdata/1");
    const NdStrongest line = StrongestPoint(*written);
    EXPECT_NEAR(vendor, NdAxisValue(f2, line.column, ND_UNITS_PPM), 2 * point);
    ASSERT_GT(plot.Width(), 100);
    written->SetPlotRect(plot);
    written->m_axis.m_nUnitsF2 = ND_UNITS_PPM;  // as the transform left the axis
    const CPoint at = PixelOfPoint(*written, plot, line.column, line.row);
    const CPoint mapped = written->PixelToPoint(at.x, at.y);
    const std::string expectedText = FormatNdCursorReadout(*written, mapped.x, mapped.y);
    const std::string status = PressAndReadStatus(app, view, at, expectedText);
    double readout = 0;
    ASSERT_EQ(1, std::sscanf(status.c_str(), "Position=(F2 %lf", &readout))
        << status << " (" << expectedText << ") plot " << plot.left << "," << plot.top << "," << plot.right << ","
        << plot.bottom << " at " << at.x << "," << at.y << " zoom " << written->m_zoom.left << ","
        << written->m_zoom.right;
    EXPECT_NEAR(vendor, readout, (2 + f2.m_nPoints / plot.Width() + 1) * point + 0.005)
        << status << " (" << expectedText << ") plot " << plot.left << "," << plot.top << "," << plot.right << ","
        << plot.bottom << " at " << at.x << "," << at.y;
  }
  const std::unique_ptr<CSpectrum2D> transformed = std::move(written);

  // Both dimensions done: operations act on all of them, and the baseline
  // commands are offered.
  EXPECT_EQ("Performing Operations Along all dimensions\n", RunCommandLine(app, "f= ?"));
  EXPECT_GT(BaselineMenuBlackPixels(app), 20) << "offered";

  // Polynomial: order 3 along f2 (the rows), trigonometric, filter 3.
  ASSERT_TRUE(ChooseFromMenu(app, "pb", 'p'));
  dialog = app.WaitDialog("Polynomial Baseline Correction");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_BC_ORDER5));
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_BC_F1));
  EXPECT_EQ("2", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_BC_FILTER)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_BC_F2)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_BC_F3))) << "a 2D set";
  ::CheckDlgButton(dialog, IDC_BC_ORDER5, BST_UNCHECKED);
  ::CheckDlgButton(dialog, IDC_BC_ORDER3, BST_CHECKED);
  ::CheckDlgButton(dialog, IDC_BC_F1, BST_UNCHECKED);
  ::CheckDlgButton(dialog, IDC_BC_F2, BST_CHECKED);
  ::CheckDlgButton(dialog, IDC_BC_TRIGONOMETRIC, BST_CHECKED);
  ::SetDlgItemTextA(dialog, IDC_BC_FILTER, "3");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  script += "\nbc 2 3 1 3";
  written = SaveAndRead(app, m_dir + "t1-polynomial.bv2", ID_FILE_SAVE_AS);
  expected = Expected(ser, script.c_str());
  ASSERT_NE(nullptr, written);
  EXPECT_TRUE(written->m_bReal) << "the fit leaves real data";
  EXPECT_TRUE(SameData(*expected, *written));
  ExpectLinesKeptOnAFlatBaseline(*transformed, *written);
  now = Repainted(view);
  EXPECT_NE(shown, now) << "the corrected spectra are drawn";
  shown = now;

  // Full Auto: the rows, then the columns.
  ASSERT_TRUE(ChooseFromMenu(app, "pb", 'f'));
  script += "\nbc\nbc 1";
  written = SaveAndRead(app, m_dir + "t1-full-auto.bv2", ID_FILE_SAVE_AS);
  expected = Expected(ser, script.c_str());
  ASSERT_NE(nullptr, written);
  EXPECT_TRUE(SameData(*expected, *written));
  ExpectLinesKeptOnAFlatBaseline(*transformed, *written);
  now = Repainted(view);
  EXPECT_NE(shown, now) << "corrected again";
  shown = now;

  // Tools > Reference F2 (the third item), and a click on the plot: the
  // Reference dialog offers the point's shift, and OK with a shift 1 ppm
  // higher moves the f2 axis by 1 ppm.
  const DimensionBlock f2 = written->m_dims[2];
  ASSERT_TRUE(ChooseFromMenu(app, "t", 0, 2));
  const CPoint centre = PlotOnScreen(view).CenterPoint();
  HWND reference = nullptr;
  ClickWithTheMouse(view, centre, [&] { reference = app.WaitDialog("Reference"); });
  ASSERT_NE(nullptr, reference);
  const double offered = std::atof(BrivaneProcess::WindowText(::GetDlgItem(reference, IDC_ND_REF_SHIFT)).c_str());
  ::SetDlgItemTextA(reference, IDC_ND_REF_SHIFT, std::to_string(offered + 1.0).c_str());
  ASSERT_TRUE(BrivaneProcess::Dismiss(reference, IDOK));
  app.Sync();
  written = SaveAndRead(app, m_dir + "t1-referenced.bv2", ID_FILE_SAVE_AS);
  ASSERT_NE(nullptr, written);
  EXPECT_NEAR(f2.m_fSpectrometerFreq, written->m_dims[2].m_fLastFrequency - f2.m_fLastFrequency,
              0.001 * f2.m_fSpectrometerFreq)
      << "1 ppm";
  EXPECT_EQ(expected->m_dims[1].m_fLastFrequency, written->m_dims[1].m_fLastFrequency) << "f1 stays";
  now = Repainted(view);
  EXPECT_NE(shown, now) << "the f2 axis moved";
  // The tool acted once: the next click is the cursor's, whose position the
  // status bar shows, and no dialog opens.
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  std::string readout;
  ClickWithTheMouse(view, centre, [&] {
    WaitFor([&] { return (readout = BrivaneProcess::WindowText(status)).rfind("Position=(", 0) == 0; }, 5000);
  });
  EXPECT_EQ(0u, readout.rfind("Position=(", 0)) << readout;
  HWND again = app.WaitDialog("Reference", 1500);
  EXPECT_EQ(nullptr, again) << "the tool stayed armed";
  if (again != nullptr)
    BrivaneProcess::Dismiss(again, IDCANCEL);
  app.Sync();

  // Tools > Send Selected Row to Brivane 1D (the sixth item): Brivane shows
  // the row in the document it was handed, and once it has ended its
  // recent files do not list that document, which is gone.
  ::SetCursorPos(0, 0);
  ASSERT_TRUE(ChooseFromMenu(app, "t", 0, 5));
  BrivaneProcess one;
  ASSERT_TRUE(AttachHandedOneDProgram(one));
  EXPECT_EQ("~row.bvx", BrivaneProcess::WindowText(one.ActiveChild()));
  HWND oneView = GraphView(one.ActiveChild());
  ASSERT_NE(nullptr, oneView);
  EXPECT_TRUE(WaitFor([&] { return ScreenCopy(oneView)->Count(RGB(0, 0, 255)) > 100; }, 10000)) << "the row";
  one.PostCommand(ID_APP_EXIT);
  if (HWND ask = one.WaitDialog(nullptr, 3000))
    BrivaneProcess::Press(ask, IDNO);
  EXPECT_EQ(0, one.WaitExit(30000));
  DeclineWhatIsOffered(app);
  for (const std::string& file : RecentFilesOf("Brivane"))
    EXPECT_EQ(std::string::npos, file.find("~row.bvx")) << file;
  const std::string program = BrivaneProcess::WinePath(BRIVANEND_APP_PATH);
  const std::string handed = program.substr(0, program.find_last_of('\\') + 1) + "~row.bvx";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(handed.c_str())) << "removed";
  app.PostCommand(ID_APP_EXIT);
  DeclineWhatIsOffered(app);
  EXPECT_EQ(0, app.WaitExit(30000));
  EXPECT_FALSE(watchdog.fired());
}

// The box a step showed over the program: its texts, once dismissed with OK;
// empty when none showed within timeoutMs.
std::string DismissMessage(BrivaneProcess& app, HWND under, DWORD timeoutMs = 10000) {
  HWND box = nullptr;
  WaitFor(
      [&] {
        box = app.WaitDialog("BrivanenD", 200);
        return box != nullptr && box != under;
      },
      timeoutMs);
  if (box == nullptr || box == under)
    return "";
  const std::string text = BrivaneProcess::StaticTexts(box);
  BrivaneProcess::Dismiss(box, IDOK);
  return text;
}

// The real experiment (10 rows) after "ft i" along f2 from the command
// bar: Process > Fourier Transform works along t2 and says so, and the
// next dimension follows. Along t1, Linear Prediction Filling to 16 points
// with the default divisor (16: no coefficient from 10 points) is refused
// with the reason and the dialog stays; with a divisor of 4 from File >
// Customize it predicts up to 16. A 1D Varian FID is refused naming the
// records of the 2D experiment that it lacks.
TEST_F(NdProgramTest, TheTransformDialogSaysWhereItWorksAndWhyItCannotPredict) {
  const std::string ser = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser");
  BrivaneProcess app(BRIVANEND_APP_PATH);
  HWND view = StartOnFile(app, ser);
  ASSERT_NE(nullptr, view);
  EXPECT_EQ("", RunCommandLine(app, "ft i"));
  EXPECT_EQ("Performing Operations Along f3\n", RunCommandLine(app, "f= ?"));
  std::vector<COLORREF> shown = Repainted(view);

  ASSERT_TRUE(ChooseFromMenu(app, "p", 'f'));
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t2", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(10, ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_GETCURSEL, 0, 0)) << "4 K";
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_QUADRATURE));
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_NEXT_DIMENSION));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  HWND second = NextDialogAlongT1(app, dialog);
  ASSERT_NE(nullptr, second) << "the next dimension follows";
  ChooseQuadrature16(second, true);
  BrivaneProcess::Press(second, IDOK);
  EXPECT_EQ(
      "Linear Prediction Filling with Coefficients = Points/16 takes 0 coefficients from 10 points, where 1 to 4 "
      "fit.\nSet a divisor from 3 to 10 in File > Customize, or fill with zeros.",
      DismissMessage(app, second));
  EXPECT_TRUE(::IsWindow(second)) << "the dialog stays";
  ASSERT_TRUE(BrivaneProcess::Dismiss(second, IDCANCEL));
  app.Sync();
  const std::string along = "ft i\nf= 2\nbw q 4096\new\nze 4096\nft \n";
  std::unique_ptr<CSpectrum2D> written = SaveAndRead(app, m_dir + "along-t2.bv2", ID_FILE_SAVE);
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, along.c_str());
  ASSERT_NE(nullptr, written);
  ASSERT_NE(nullptr, expected);
  EXPECT_EQ(1, expected->m_nCurrentDim);
  EXPECT_TRUE(SameData(*expected, *written)) << "transformed along t2 only";
  std::vector<COLORREF> now = Repainted(view);
  EXPECT_NE(shown, now) << "the spectra are drawn";
  shown = now;

  // File > Customize (the seventh item): a divisor of 4 gives 2
  // coefficients from a basis of 7.
  ASSERT_TRUE(ChooseFromMenu(app, "f", 0, 6));
  HWND custom = app.WaitDialog("Customize");
  ASSERT_NE(nullptr, custom);
  EXPECT_EQ("16", BrivaneProcess::WindowText(::GetDlgItem(custom, IDC_CUSTOM_DIVISOR)));
  ::SetDlgItemTextA(custom, IDC_CUSTOM_DIVISOR, "4");
  ASSERT_TRUE(BrivaneProcess::Dismiss(custom, IDOK));
  ASSERT_TRUE(ChooseFromMenu(app, "p", 'f'));
  dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t1", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  ChooseQuadrature16(dialog, true);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  EXPECT_EQ("", DismissMessage(app, nullptr, 1500)) << "no refusal";
  written = SaveAndRead(app, m_dir + "predicted.bv2", ID_FILE_SAVE_AS);
  expected = Expected(ser, (along + "bw q 16\new\nlp 10 15 7 2\nft \nf= -1").c_str());
  ASSERT_NE(nullptr, written);
  ASSERT_NE(nullptr, expected);
  EXPECT_EQ(16, written->m_dims[1].m_nPoints);
  EXPECT_TRUE(SameData(*expected, *written));
  EXPECT_NE(shown, Repainted(view));

  // A 1D Varian FID: refused, with the names of what it lacks.
  const std::string fid = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/varian-proton.fid/fid");
  app.PostCommand(ID_FILE_OPEN);
  HWND open = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, open);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(open, fid));
  EXPECT_EQ("The procpar file lacks the parameters sw1, ni of the 2D experiment", DismissMessage(app, open));
  app.Sync();
  EXPECT_EQ(1, app.ChildCount());
  app.PostCommand(ID_APP_EXIT);
  DeclineWhatIsOffered(app);
  EXPECT_EQ(0, app.WaitExit(30000));
}

}  // namespace
