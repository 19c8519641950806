// BrivanenD.exe as a user meets it: the splash, the frame with its menus
// and bars; a 2D serial file opened through File > Open shows a plot, a
// script run from the script window transforms it, Save writes a .bv2 file
// that reads back as the data in the program, never over a read-only one,
// and the ramp editor a .PAL palette; the properties sheet; the
// graph view's zoom, position readout, picture copy and sound; a real 2D
// set transformed and corrected by both baseline commands.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ndim/data/Spectrum2D.h"
#include "ndim/document/NdSoundSamples.h"
#include "ndim/import/Bv2File.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/plot/NdViewGeometry.h"
#include "ndim/script/CommandInterpreter.h"
#include "resources/BrivanenDRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/ndim/app/nd_app_test_support.h"
#include "tests/onedim/app/BrivaneProcess.h"

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
  ASSERT_TRUE(app.Start(""));
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
  // Quadrature data read from the spectrometer: conjugated, 32 points.
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_QUADRATURE));
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_INVERT));
  EXPECT_EQ(3, ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_GETCURSEL, 0, 0));
  ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_SETCURSEL, 4, 0);  // 64
  ::CheckDlgButton(dialog, IDC_FT_NEXT_DIMENSION, BST_UNCHECKED);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  std::unique_ptr<CSpectrum2D> written = SaveAndRead(app, m_dir + "ft.bv2", ID_FILE_SAVE);
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, "c*\nbw q 64\new\nze 64\nft ");
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
  RECT rc;
  ::GetClientRect(view, &rc);
  POINT origin = {0, 0};
  ::ClientToScreen(view, &origin);
  HDC screen = ::GetDC(nullptr);
  CRect box(rc.right, rc.bottom, 0, 0);
  for (int y = 0; y < rc.bottom; y += 1)
    for (int x = 0; x < rc.right; x += 3) {
      const COLORREF c = ::GetPixel(screen, origin.x + x, origin.y + y);
      if (c != RGB(255, 255, 255) && c != RGB(0, 0, 0) && c != CLR_INVALID) {
        box.left = std::min<LONG>(box.left, x);
        box.right = std::max<LONG>(box.right, x + 1);
        box.top = std::min<LONG>(box.top, y);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
  ::ReleaseDC(nullptr, screen);
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
  // A pixel that maps to the point (column c, row r) of the window shown,
  // a quarter of a point from where the mapping rounds to it exactly.
  auto pixelOf = [&](int c, int r) {
    const RECT& z = set->m_zoom;
    return CPoint(plot.left + plot.Width() * (4 * (c - z.left) + 1) / (4 * (z.right - z.left)),
                  plot.top + plot.Height() * (4 * (z.bottom - 1 - r) + 1) / (4 * (z.bottom - z.top)));
  };
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  // A click, and the status bar's text once it has been handled (a sent
  // message can overtake what was posted).
  // The real pointer is put there too: holding the cursor in the plot
  // moves it, and the view hears of that. A move the X server reports late
  // can still carry the pointer's previous place, so the press is repeated
  // as a move until the readout settles. The readout lasts while the
  // button is down.
  auto press = [&](CPoint p, const std::string& expected) {
    POINT screen = p;
    ::ClientToScreen(view, &screen);
    ::SetCursorPos(screen.x, screen.y);
    WaitFor(
        [&] {
          POINT at;
          return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
        },
        2000);
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

// Process > Baseline opened from the keyboard, as a user opens it, and
// closed again: the black pixels of its items' text on the screen (none
// while they are greyed), or -1 when it did not open.
int BaselineMenuBlackPixels(BrivaneProcess& app) {
  ::PostMessageA(app.main(), WM_SYSCOMMAND, SC_KEYMENU, 'p');
  if (!WaitFor([&] { return PopupMenus(app.pid()).size() == 1; }, 5000))
    return -1;
  ::PostMessageA(app.main(), WM_CHAR, 'b', 0);
  std::vector<HWND> menus;
  if (!WaitFor([&] { return (menus = PopupMenus(app.pid())).size() == 2; }, 5000))
    return -1;
  ::Sleep(200);  // drawn
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
  for (int i = 0; i < 2; ++i)
    ::PostMessageA(app.main(), WM_KEYDOWN, VK_ESCAPE, 0);
  WaitFor([&] { return PopupMenus(app.pid()).empty(); }, 5000);
  app.Sync();
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

// A real experiment (TopSpin 3.2: 10 rows of 4096 complex points) opened,
// transformed along f2 by the Fourier Transform dialog, then corrected by
// Process > Baseline > Polynomial and Full Auto once "f= -1" has offered
// them. After each step the saved file holds what the same lines give here,
// and the plot on the screen has changed.
TEST_F(NdProgramTest, ARealSetIsTransformedAndCorrectedByBothBaselineCommands) {
  const std::string ser = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser");
  BrivaneProcess app(BRIVANEND_APP_PATH);
  HWND view = StartOnFile(app, ser);
  ASSERT_NE(nullptr, view);
  std::vector<COLORREF> shown = Repainted(view);
  EXPECT_GT(CountNotWhite(shown), 2000) << "the FIDs, their frame and axes";
  EXPECT_EQ(0, BaselineMenuBlackPixels(app)) << "greyed";

  // Process > Fourier Transform along f2 only: digitally filtered quadrature
  // data from the spectrometer, conjugated, at its own size.
  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Apply along t2", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(10, ::SendDlgItemMessageA(dialog, IDC_FT_SIZE, CB_GETCURSEL, 0, 0)) << "4 K";
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_QUADRATURE));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_REAL));
  EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_INVERT));
  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_FT_APODIZE));
  ::CheckDlgButton(dialog, IDC_FT_NEXT_DIMENSION, BST_UNCHECKED);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  std::string script = "c*\nbw q 4096\new\nze 4096\nft ";
  std::unique_ptr<CSpectrum2D> written = SaveAndRead(app, m_dir + "t1-ft.bv2", ID_FILE_SAVE);
  std::unique_ptr<CSpectrum2D> expected = Expected(ser, script.c_str());
  ASSERT_NE(nullptr, written);
  ASSERT_NE(nullptr, expected);
  EXPECT_TRUE(SameData(*expected, *written));
  const std::unique_ptr<CSpectrum2D> transformed = std::move(written);
  std::vector<COLORREF> now = Repainted(view);
  EXPECT_NE(shown, now) << "the spectra are drawn";
  shown = now;

  // The baseline commands wait for the current dimension -1.
  EXPECT_EQ("Performing Operations Along f1\n", RunCommandLine(app, "f= ?"));
  EXPECT_EQ(0, BaselineMenuBlackPixels(app)) << "greyed";
  EXPECT_EQ("", RunCommandLine(app, "f= -1"));
  EXPECT_GT(BaselineMenuBlackPixels(app), 20) << "offered";

  // Polynomial: order 3 along f2 (the rows), trigonometric, filter 3.
  app.PostCommand(ID_PROCESS_POLYNOMIAL);
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
  script += "\nf= -1\nbc 2 3 1 3";
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
  app.Command(ID_PROCESS_FULL_AUTO);
  app.Sync();
  script += "\nbc\nbc 1";
  written = SaveAndRead(app, m_dir + "t1-full-auto.bv2", ID_FILE_SAVE_AS);
  expected = Expected(ser, script.c_str());
  ASSERT_NE(nullptr, written);
  EXPECT_TRUE(SameData(*expected, *written));
  ExpectLinesKeptOnAFlatBaseline(*transformed, *written);
  EXPECT_NE(shown, Repainted(view)) << "corrected again";
}

}  // namespace
