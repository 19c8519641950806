// brivane23.exe as a user meets it: started with and without a file, on an
// old common-controls library, saving under another name, and leaving its
// last phases for the nD program when a document closes, and simulating
// spectra through the menus.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/app/lines_document.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/processing/FourierTransformStep.h"
#include "resources/BrivaneRes.h"

namespace {

// How many pixels of hWnd's client area the screen shows in colour cr.
int ScreenPixels(HWND hWnd, COLORREF cr) {
  return ScreenCopy(hWnd)->Count(cr);
}

// The panes of the document window's splitter, visible ones only.
struct Panes {
  HWND upper = nullptr;  // the full view, when shown
  HWND lower = nullptr;  // the 1D view
};

Panes VisiblePanes(HWND child) {
  Panes panes;
  HWND splitter = ::GetDlgItem(child, AFX_IDW_PANE_FIRST);
  HWND first = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
  HWND second = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16);
  if (first != nullptr && ::IsWindowVisible(first))
    panes.lower = first;
  if (second != nullptr && ::IsWindowVisible(second)) {
    panes.upper = first;
    panes.lower = second;
  }
  return panes;
}

class AppProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + "brivane_app_test";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    // Each run starts from no settings: no bar state or recent files of an
    // earlier run.
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }

  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  // A .bvx of one ramp spectrum of td floats, with the given applied phases.
  // With bSpike the data are zero but for one point in the middle, so that
  // the trace runs along its zero line.
  std::string WriteDocument(const char* name, int td, double phase0, double phase1, int nUnits = -1,
                            const POINT* pLabel = nullptr, bool bSpike = false) {
    CViewHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(
        doc, "ramp", td, 1, [&](int i) { return bSpike ? (i == td / 2 ? 100.0f : 0.0f) : (float)(i % 97) - 40.0f; });
    s->m_dPhase0 = phase0;
    s->m_dPhase1 = phase1;
    doc.RefreshAfterAdd();
    if (nUnits >= 0)
      s->m_Scale.m_nUnits = nUnits;
    if (pLabel != nullptr)
      s->m_arrLabels.Add(new CTextLabel("label", nullptr, s, RGB(0, 0, 0), FALSE, pLabel->x, pLabel->y));
    std::string path = Path(name);
    EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
    return path;
  }

  static std::string Quote(const std::string& path) { return "\"" + path + "\""; }

  // Starts the program on a file (a path of this machine or of Wine) and
  // answers the 1D view of its window once everything is up; null when
  // none came.
  static HWND StartOnView(BrivaneProcess& app, const std::string& path) {
    if (!app.Start(Quote(path)) || app.WaitMainWindow() == nullptr)
      return nullptr;
    app.Sync();
    return app.ActiveChild() != nullptr ? VisiblePanes(app.ActiveChild()).lower : nullptr;
  }

  std::string m_dir;
};

bool ReadSharedDouble(const char* name, double& value) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\Common", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = sizeof value;
  LONG result = ::RegQueryValueExA(hKey, name, nullptr, &type, (LPBYTE)&value, &size);
  ::RegCloseKey(hKey);
  return result == ERROR_SUCCESS && type == REG_BINARY && size == sizeof value;
}

TEST_F(AppProgramTest, PlainStartShowsTheMaximisedFrameWithoutADocument) {
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main);
  app.Sync();
  EXPECT_TRUE(::IsZoomed(main));
  EXPECT_EQ(0, app.ChildCount());
  EXPECT_NE(nullptr, ::GetMenu(main));
  EXPECT_NE(std::string::npos, BrivaneProcess::WindowText(main).find("Brivane"));

  // Full Screen needs a document window: with none nothing changes.
  RECT before, after;
  ::GetWindowRect(main, &before);
  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  ::GetWindowRect(main, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));

  // Help > About and View > Log Screen.
  app.PostCommand(ID_APP_ABOUT);
  HWND about = app.WaitDialog("About Brivane");
  ASSERT_NE(nullptr, about);
  EXPECT_NE(std::string::npos, BrivaneProcess::StaticTexts(about).find("Brivane 2.3a"));
  BrivaneProcess::Press(about, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }, 5000));
  app.PostCommand(ID_VIEW_LOG_SCREEN);
  HWND history = app.WaitDialog("History List");
  ASSERT_NE(nullptr, history);
  // OK and Copy show their icon and caption, flat until the mouse is over
  // one, which then raises a border.
  for (int nID : {IDOK, IDC_HISTORY_COPY}) {
    HWND button = ::GetDlgItem(history, nID);
    ASSERT_NE(nullptr, button);
    RECT rc;
    ::GetClientRect(button, &rc);
    EXPECT_GE(rc.bottom, 34) << nID << ": the 32-pixel icon whole, inside the border";
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), text = ::GetSysColor(COLOR_BTNTEXT);
    ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::unique_ptr<TestBitmap> out = ScreenCopy(button);
    int nIcon = 0;
    for (int y = 0; y < out->height(); y++)
      for (int x = 0; x < out->width(); x++)
        nIcon += out->Pixel(x, y) != face && out->Pixel(x, y) != text;
    EXPECT_GT(nIcon, 40) << nID << ": the icon";
    EXPECT_GT(out->Count(text), 10) << nID << ": the caption";
    EXPECT_EQ(face, out->Pixel(0, 0)) << nID << ": flat";
    ::PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    app.Sync();
    EXPECT_TRUE(WaitFor([&] { return ScreenCopy(button)->Pixel(0, 0) == ::GetSysColor(COLOR_BTNHIGHLIGHT); }, 5000))
        << nID << ": the hover border";
    ::PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(-5, 5));
    app.Sync();
  }
  BrivaneProcess::Press(history, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(history); }, 5000));

  app.PostCommand(ID_APP_EXIT);
  EXPECT_EQ(0, app.WaitExit());
  // The settings live under the maker's key; the bars' places were kept.
  HKEY hKey = nullptr;
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane\\ToolBarDockState", 0, KEY_READ, &hKey));
  if (hKey != nullptr)
    ::RegCloseKey(hKey);
}

TEST_F(AppProgramTest, AFileArgumentOpensOneMaximisedWindowTitledWithItsName) {
  std::string path = WriteDocument("opened.bvx", 512, 0.0, 0.0);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  EXPECT_EQ(1, app.ChildCount());
  bool maximized = false;
  HWND child = app.ActiveChild(&maximized);
  ASSERT_NE(nullptr, child);
  EXPECT_TRUE(maximized);
  EXPECT_EQ("opened.bvx", BrivaneProcess::WindowText(child));
  EXPECT_NE(std::string::npos, BrivaneProcess::WindowText(app.main()).find("opened.bvx"));
}

TEST_F(AppProgramTest, AnUnreadableFileShowsWhyAndTheProgramGoesOn) {
  std::string path = Path("not-a-spectrum.bvx");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("this is no spectrum", f);
  std::fclose(f);

  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  HWND box = app.WaitDialog();
  ASSERT_NE(nullptr, box) << "the failure is shown";
  std::string text = BrivaneProcess::StaticTexts(box);
  EXPECT_FALSE(text.empty());
  BrivaneProcess::Press(box, IDOK);

  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main) << "the program keeps running";
  app.Sync();
  EXPECT_TRUE(app.IsRunning());
  EXPECT_EQ(0, app.ChildCount()) << "no empty document window is left";
}

TEST_F(AppProgramTest, OldCommonControlsStopTheStartAndTheRequiredVersionPasses) {
  {
    BrivaneProcess app;
    ASSERT_TRUE(app.Start("", "4.70"));
    HWND notice = app.WaitDialog("Update Common Controls");
    ASSERT_NE(nullptr, notice);
    EXPECT_NE(std::string::npos,
              BrivaneProcess::StaticTexts(notice).find("Brivane needs COMCTL32.DLL version 4.71 or higher to work"));
    BrivaneProcess::Press(notice, IDOK);
    EXPECT_NE(-1, app.WaitExit()) << "the program ends after the notice";
  }
  {
    BrivaneProcess app;
    ASSERT_TRUE(app.Start("", "4.71"));
    EXPECT_NE(nullptr, app.WaitMainWindow());
  }
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Save As writes a document the reader takes back; Save As onto a read-only
// document and Export as ASCII onto a read-only text file each show why they
// failed and leave the file there as it was, the document keeps its name,
// and nothing is left beside them; an export onto a file that may be
// replaced replaces it, and a user's own <file>.tmp is never touched.
TEST_F(AppProgramTest, SaveAsWritesADocumentTheReaderTakesBackAndNeverOverAReadOnlyFile) {
  std::string source = WriteDocument("source.bvx", 1024, 0.0, 0.0);
  std::string target = Path("copy-of-source.bvx");
  ::DeleteFileA(target.c_str());
  // A user's own files named as temporary files often are.
  WriteFileBytes(target + ".tmp", "the user's own");
  const std::string exported = Path("exported.txt");
  WriteFileBytes(exported, "earlier\n");
  WriteFileBytes(exported + ".tmp", "the user's own");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(source)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND dialog = app.WaitDialog();
  ASSERT_NE(nullptr, dialog);
  // The dialog opens in the source's folder.
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, "copy-of-source.bvx"));
  ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  app.Sync();
  EXPECT_EQ("copy-of-source.bvx", BrivaneProcess::WindowText(app.ActiveChild()));

  const std::string bvx = Path("read-only.bvx"), txt = Path("read-only.txt");
  for (const std::string& path : {bvx, txt}) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileBytes(path, "earlier\n");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  app.PostCommand(ID_FILE_SAVE_AS);
  dialog = app.WaitDialog();
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, bvx));
  ASSERT_TRUE(BrivaneProcess::ReplaceTheFile(dialog));
  EXPECT_EQ("Access to " + bvx + " was denied.", app.ReadAndCloseMessage());
  app.Sync();
  EXPECT_EQ("copy-of-source.bvx", BrivaneProcess::WindowText(app.ActiveChild()));
  app.PostCommand(ID_FILE_EXPORT_ASCII);
  dialog = app.WaitDialog("Save As ASCII file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, txt));
  ASSERT_TRUE(BrivaneProcess::ReplaceTheFile(dialog));
  HWND options = app.WaitDialog("Export as ASCII");
  ASSERT_NE(nullptr, options);
  ASSERT_TRUE(BrivaneProcess::Dismiss(options, IDOK));
  EXPECT_EQ("Error opening file", app.ReadAndCloseMessage());
  app.Sync();
  for (const std::string& path : {bvx, txt}) {
    EXPECT_EQ("earlier\n", ReadFileBytes(path)) << path;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  // Onto a file that may be replaced the export takes its place whole: the
  // header, then one line for each real point (every other value).
  app.PostCommand(ID_FILE_EXPORT_ASCII);
  dialog = app.WaitDialog("Save As ASCII file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, exported));
  ASSERT_TRUE(BrivaneProcess::ReplaceTheFile(dialog));
  options = app.WaitDialog("Export as ASCII");
  ASSERT_NE(nullptr, options);
  ASSERT_TRUE(BrivaneProcess::Dismiss(options, IDOK));
  ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(exported) != "earlier\n"; }, 10000));
  app.Sync();
  const std::string text = ReadFileBytes(exported);
  EXPECT_EQ(0u, text.find("============\r\nBrivane\r\n============\r\n")) << text.substr(0, 200);
  const std::string rule = "=====================================================\r\n";
  const std::size_t data = text.find(rule);
  ASSERT_NE(std::string::npos, data);
  int lines = 0;
  for (std::size_t at = data + rule.size(); at < text.size(); ++lines) {
    const std::size_t end = text.find("\r\n", at);
    ASSERT_NE(std::string::npos, end) << "a last line without its end";
    const std::string line = text.substr(at, end - at);
    if (lines == 0) {
      EXPECT_EQ("-40.0000", line.substr(line.find('\t') + 1)) << line;
    }
    at = end + 2;
  }
  EXPECT_EQ(512, lines);
  EXPECT_EQ("the user's own", ReadFileBytes(target + ".tmp"));
  EXPECT_EQ("the user's own", ReadFileBytes(exported + ".tmp"));
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA(Path("~bv*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "left beside them: " << found.cFileName;
  if (find != INVALID_HANDLE_VALUE)
    ::FindClose(find);

  CViewHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(target.c_str()));
  ASSERT_EQ(1, doc.GetSpectrumCount());
  const CSpectrum* s = doc.GetSpectrumAt(0);
  EXPECT_EQ(1024, s->m_paramsA.td);
  EXPECT_DOUBLE_EQ(4000.0, s->m_paramsA.sw);
  EXPECT_FLOAT_EQ(-40.0f, s->m_pData[0]);
  EXPECT_FLOAT_EQ(56.0f, s->m_pData[96]);
}

TEST_F(AppProgramTest, ClosingADocumentLeavesItsPhasesInDegreesUnderTheSharedKey) {
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Common");
  std::string path = WriteDocument("phased.bvx", 2048, 0.1, 0.2);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_FILE_CLOSE);
  // A document that was laid out again counts as changed: do not save.
  if (HWND ask = app.WaitDialog(nullptr, 3000))
    BrivaneProcess::Press(ask, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 0; }, 10000));
  double ph0 = 0.0, ph1 = 0.0;
  ASSERT_TRUE(ReadSharedDouble("ph0", ph0));
  ASSERT_TRUE(ReadSharedDouble("ph1", ph1));
  // The loaded document pivots at 0.
  EXPECT_NEAR(0.1 * 57.29577951308232, ph0, 1e-12);
  EXPECT_NEAR(0.2 * 57.29577951308232, ph1, 1e-12);
  // The window function a loaded spectrum gets is exponential: type 0 with its LB.
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\Common", 0, KEY_READ, &hKey));
  int type = -1;
  DWORD size = sizeof type, regType = 0;
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "type", nullptr, &regType, (LPBYTE)&type, &size));
  ::RegCloseKey(hKey);
  EXPECT_EQ(REG_BINARY, regType);
  EXPECT_EQ(0, type);
  double lb = -1.0;
  EXPECT_TRUE(ReadSharedDouble("lb", lb));
}

// Whether a button of the standard toolbar is checked. A posted message
// first, so that the program runs its idle update of the bars.
bool ButtonChecked(HWND main, UINT id) {
  ::PostMessageA(main, WM_NULL, 0, 0);
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, id, 0) != 0;
}

TEST_F(AppProgramTest, DualDisplayShowsTheFullViewAboveTheSpectrumAndHidesItAgain) {
  std::string path = WriteDocument("dual.bvx", 1024, 0.0, 0.0);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  Panes panes = VisiblePanes(child);
  EXPECT_EQ(nullptr, panes.upper) << "a new window shows only the 1D view";
  ASSERT_NE(nullptr, panes.lower);
  EXPECT_FALSE(ButtonChecked(app.main(), ID_VIEW_DUAL_DISPLAY));

  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  panes = VisiblePanes(child);
  ASSERT_NE(nullptr, panes.upper);
  RECT upper, lower;
  ::GetWindowRect(panes.upper, &upper);
  ::GetWindowRect(panes.lower, &lower);
  EXPECT_LT(upper.top, lower.top);
  EXPECT_EQ(100, upper.bottom - upper.top);
  EXPECT_TRUE(WaitFor([&] { return ButtonChecked(app.main(), ID_VIEW_DUAL_DISPLAY); }, 3000));

  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  EXPECT_EQ(nullptr, VisiblePanes(child).upper);
  EXPECT_TRUE(WaitFor([&] { return !ButtonChecked(app.main(), ID_VIEW_DUAL_DISPLAY); }, 3000));
}

TEST_F(AppProgramTest, FullScreenHidesTheBarsAndGivesBackEachAsItWas) {
  std::string path = WriteDocument("full.bvx", 1024, 0.0, 0.0);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main);
  app.Sync();
  HWND status = ::GetDlgItem(main, AFX_IDW_STATUS_BAR);
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  ASSERT_NE(nullptr, status);
  ASSERT_NE(nullptr, toolbar);
  app.Command(ID_VIEW_STATUS_BAR);
  app.Sync();
  ASSERT_FALSE(::IsWindowVisible(status));
  RECT before;
  ::GetWindowRect(main, &before);

  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  EXPECT_FALSE(::IsWindowVisible(toolbar));
  RECT full;
  ::GetWindowRect(main, &full);
  EXPECT_LT(full.top, before.top) << "caption and menu go above the screen";

  app.Command(ID_VIEW_FULL_SCREEN);
  app.Sync();
  EXPECT_FALSE(::IsWindowVisible(status)) << "hidden before, hidden after";
  EXPECT_TRUE(::IsWindowVisible(toolbar));
  EXPECT_TRUE(::IsZoomed(main));
}

TEST_F(AppProgramTest, TheBundledSampleShowsItsTrace) {
  std::string sample = BrivaneProcess::WinePath(BRIVANE_SOURCE_DIR "/samples/sample.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(sample)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  EXPECT_EQ("sample.bvx", BrivaneProcess::WindowText(child));
  HWND view = VisiblePanes(child).lower;
  ASSERT_NE(nullptr, view);
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(WaitFor([&] { return ScreenPixels(view, RGB(0, 0, 255)) > 1000; }, 5000))
      << "the blue trace of the current spectrum";
}

TEST_F(AppProgramTest, OpeningThreeFilesWhoseLastFailsClosesTheNewWindowAndSaysWhy) {
  WriteDocument("first.bvx", 256, 0.0, 0.0);
  WriteDocument("second.bvx", 256, 0.0, 0.0);
  std::string bad = Path("third.bvx");
  FILE* f = std::fopen(bad.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("not a spectrum either", f);
  std::fclose(f);

  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, m_dir));  // into the folder first
  ::Sleep(500);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, "\"first.bvx\" \"second.bvx\" \"third.bvx\""));

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        box = app.WaitDialog(nullptr, 100);
        return box != nullptr && BrivaneProcess::WindowText(box) == "Brivane";
      },
      10000));
  EXPECT_FALSE(BrivaneProcess::StaticTexts(box).empty()) << "the failure text";
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  app.Sync();
  EXPECT_EQ(0, app.ChildCount()) << "the new window is closed although two files were read";
}

// The main frame of a program that shows none, found by its MDI client.
struct HiddenMainSearch {
  DWORD pid;
  HWND main;
};

BOOL CALLBACK FindHiddenMain(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<HiddenMainSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid == search->pid && ::FindWindowExA(hWnd, nullptr, "MDIClient", nullptr) != nullptr)
    search->main = hWnd;
  return search->main == nullptr;
}

TEST_F(AppProgramTest, StartedForEmbeddingOrAutomationItShowsNoWindow) {
  for (const char* start : {"/Embedding", "/Automation"}) {
    BrivaneProcess app;
    ASSERT_TRUE(app.Start(start));
    ::Sleep(2000);
    EXPECT_TRUE(app.IsRunning()) << start;
    EXPECT_EQ(nullptr, app.WaitMainWindow(500)) << start;
    // With no window to open it in, it leaves a file from the shell to a copy
    // the shell starts.
    EXPECT_FALSE(SendDdeCommand("brivane23", "[open(\"C:\\x.bvx\")]")) << start;
    // Ended as a user would end it, not killed: a killed server leaves its
    // class offered to OLE by a program that is gone, for later tests to meet.
    HiddenMainSearch search = {app.pid(), nullptr};
    ::EnumWindows(FindHiddenMain, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(nullptr, search.main) << start << ": the hidden main frame";
    ::PostMessageA(search.main, WM_CLOSE, 0, 0);
    EXPECT_NE(-1, app.WaitExit()) << start;
  }
}

TEST_F(AppProgramTest, ClosingInFullScreenKeepsTheBarsForTheNextStart) {
  std::string path = WriteDocument("closing.bvx", 256, 0.0, 0.0);
  {
    BrivaneProcess app;
    ASSERT_TRUE(app.Start(Quote(path)));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    app.Sync();
    app.Command(ID_VIEW_FULL_SCREEN);
    ASSERT_FALSE(::IsWindowVisible(::GetDlgItem(app.main(), AFX_IDW_TOOLBAR)));
    app.PostCommand(ID_APP_EXIT);
    if (HWND ask = app.WaitDialog(nullptr, 3000))
      BrivaneProcess::Press(ask, IDNO);
    ASSERT_NE(-1, app.WaitExit());
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main);
  app.Sync();
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(main, AFX_IDW_TOOLBAR)));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(main, AFX_IDW_STATUS_BAR)));
}

// A document window closed by its system command (Ctrl+F4) in full screen
// ends full screen: the bars and the maximised frame come back at once, and
// Full Screen, Escape and closing the frame afterwards find no window that
// has gone.
TEST_F(AppProgramTest, ClosingTheFullScreenWindowEndsFullScreen) {
  std::string path = WriteDocument("fullclose.bvx", 256, 0.0, 0.0);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  HWND main = app.WaitMainWindow();
  ASSERT_NE(nullptr, main);
  app.Sync();
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  app.Command(ID_VIEW_FULL_SCREEN);
  ASSERT_FALSE(::IsWindowVisible(toolbar));
  ::PostMessageA(app.ActiveChild(), WM_SYSCOMMAND, SC_CLOSE, 0);
  if (HWND ask = app.WaitDialog(nullptr, 3000))
    BrivaneProcess::Dismiss(ask, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 0; }, 5000));
  // The window leaves the MDI client's list before its destruction reaches
  // the frame, which then brings the bars back.
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(toolbar) != FALSE; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(::GetDlgItem(main, AFX_IDW_STATUS_BAR)) != FALSE; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return ::IsZoomed(main) != FALSE; }, 3000));

  app.Command(ID_VIEW_FULL_SCREEN);  // no document window: nothing to do
  ::PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
  app.Sync();
  EXPECT_TRUE(::IsWindowVisible(toolbar));
  app.PostCommand(ID_APP_EXIT);
  EXPECT_EQ(0, app.WaitExit());
}

TEST_F(AppProgramTest, ACancelledExitKeepsTheHistory) {
  std::string path = WriteDocument("kept.bvx", 256, 0.0, 0.0);
  std::string bad = Path("bad-import.fid");
  FILE* f = std::fopen(bad.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("no spectrometer data", f);
  std::fclose(f);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  // A failed import leaves its lines in the history.
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, bad));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        box = app.WaitDialog(nullptr, 100);
        return box != nullptr && BrivaneProcess::WindowText(box) == "Brivane";
      },
      10000));
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  app.Sync();

  // Exit, then Cancel at "save changes?" of the open document.
  app.PostCommand(ID_APP_EXIT);
  HWND ask = app.WaitDialog("Brivane", 5000);
  ASSERT_NE(nullptr, ask);
  BrivaneProcess::Press(ask, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(ask); }, 5000));
  ASSERT_TRUE(app.IsRunning());

  app.PostCommand(ID_VIEW_LOG_SCREEN);
  HWND history = app.WaitDialog("History List");
  ASSERT_NE(nullptr, history);
  EXPECT_FALSE(BrivaneProcess::WindowText(::GetDlgItem(history, IDC_HISTORY_EDIT)).empty());
  BrivaneProcess::Press(history, IDOK);
}

}  // namespace

namespace {

// File > Save As under path; true once the file is there.
bool SaveAs(BrivaneProcess& app, const std::string& path) {
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND save = app.WaitDialog();
  if (save == nullptr || !BrivaneProcess::EnterFileName(save, path))
    return false;
  const bool bSaved = WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
  app.Sync();
  return bSaved;
}

// Process > Fourier Transform with the dialog's OK, then Magnitude twice:
// the saved document holds the spectrum the document core computes, on a
// ppm axis.
TEST_F(AppProgramTest, FourierTransformThroughItsDialogAndMagnitudeTwice) {
  const std::string sample = BRIVANE_SOURCE_DIR "/samples/sample.bvx";
  const std::string target = Path("transformed.bvx");
  ::DeleteFileA(target.c_str());
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(BrivaneProcess::WinePath(sample))));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  app.PostCommand(ID_PROCESS_MAGNITUDE);
  app.PostCommand(ID_PROCESS_MAGNITUDE);
  ASSERT_TRUE(SaveAs(app, target));

  CViewHost host, refHost;
  CBrivaneProDoc doc(&host), ref(&refHost);
  ASSERT_TRUE(doc.ReadNativeFile(target.c_str()));
  ASSERT_TRUE(ref.ReadNativeFile(sample.c_str()));
  ref.RefreshAfterLoad();
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  ref.InitFourierTransform(options, bAll, bAutophase);
  EXPECT_TRUE(bAutophase) << "the dialog offers autophase";
  ASSERT_TRUE(ref.FourierTransform(options, FALSE, bAutophase));
  const CSpectrum* s = doc.GetSpectrumAt(0);
  const CSpectrum* r = ref.GetSpectrumAt(0);
  EXPECT_EQ(AXIS_UNITS_PPM, s->m_Scale.m_nUnits);
  ASSERT_EQ(r->m_paramsA.td, s->m_paramsA.td);
  float fMax = 0.0f;
  for (int i = 0; i < r->m_paramsA.td; i++)
    fMax = std::max(fMax, std::fabs(r->m_pData[i]));
  for (int i = 0; i < r->m_paramsA.td; i++)
    ASSERT_NEAR(r->m_pData[i], s->m_pData[i], 1e-4f * fMax) << i;
}

// Process > Apodize: the full view opens and shows the weighting curve,
// inverted over the zoom box's grey, and follows each change while the
// dialog is open; Cancel after an Apply gives the data back bit for bit.
// Then Set Regions on that FID.
TEST_F(AppProgramTest, ApodizeShowsItsCurveAndCancelGivesTheDataBackAndSetRegionsMarks) {
  const std::string sample = BRIVANE_SOURCE_DIR "/samples/sample.bvx";
  const std::string target = Path("apodize_cancel.bvx");
  ::DeleteFileA(target.c_str());
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(BrivaneProcess::WinePath(sample))));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  app.PostCommand(ID_PROCESS_APODIZE);
  HWND dialog = app.WaitDialog("Window Functions");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(WaitFor([&] { return VisiblePanes(child).upper != nullptr; }, 5000));
  // With the run's first LB of 0 the weighting is a flat line at the top of
  // the strip: the default red NOT-XORed over the zoom box's grey.
  const COLORREF crCurve = RGB(223, 32, 32);
  int nFlat = 0;
  // Read until two readings agree: the strip may be half painted.
  EXPECT_TRUE(WaitFor(
      [&] {
        const int n = ScreenPixels(VisiblePanes(child).upper, crCurve);
        const bool bSettled = n > 300 && n == nFlat;
        nFlat = n;
        return bSettled;
      },
      5000));
  // A steep decay lays it on the zero line, over the trace.
  ::SendMessageA(::GetDlgItem(dialog, IDC_WF_LB), WM_SETTEXT, 0, (LPARAM) "20");
  BrivaneProcess::Press(dialog, IDC_WF_APPLY);
  EXPECT_TRUE(WaitFor([&] { return ScreenPixels(VisiblePanes(child).upper, crCurve) < nFlat / 4; }, 5000));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  ASSERT_TRUE(SaveAs(app, target));

  // Set Regions marks the baseline points as red pixels on the view's top row.
  HWND view = VisiblePanes(child).lower;
  ASSERT_NE(nullptr, view);
  RECT rcView;
  ::GetClientRect(view, &rcView);
  auto topRowRed = [&] {
    const std::unique_ptr<TestBitmap> shown = ScreenCopy(view);
    int n = 0;
    for (int x = 0; x < rcView.right; ++x)
      n += shown->Pixel(x, 0) == RGB(255, 0, 0) ? 1 : 0;
    return n;
  };
  const int nBefore = topRowRed();
  app.PostCommand(ID_PROCESS_SET_REGIONS);
  EXPECT_TRUE(WaitFor([&] { return topRowRed() > nBefore + 50; }, 5000)) << nBefore;

  CViewHost host, refHost;
  CBrivaneProDoc doc(&host), ref(&refHost);
  ASSERT_TRUE(doc.ReadNativeFile(target.c_str()));
  ASSERT_TRUE(ref.ReadNativeFile(sample.c_str()));
  const CSpectrum* s = doc.GetSpectrumAt(0);
  const CSpectrum* r = ref.GetSpectrumAt(0);
  ASSERT_EQ(r->m_paramsA.td, s->m_paramsA.td);
  EXPECT_EQ(0, std::memcmp(r->m_pData, s->m_pData, sizeof(float) * (size_t)r->m_paramsA.td));
}

}  // namespace

namespace {

void Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
}

// A band dragged in a view whose press runs a tracking loop: all of it
// posted, in order, for the loop to take from the queue.
void TrackedDrag(HWND view, int x1, int x2, int y) {
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x1, y));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(x2, y));
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(x2, y));
}

// A drag in a window that follows the mouse with its own handlers.
void CapturedDrag(HWND hWnd, int x1, int x2, int y) {
  Send(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(x1, y));
  Send(hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(x2, y));
  Send(hWnd, WM_LBUTTONUP, 0, At(x2, y));
}

// The first and last client x of the zoom box's grey inside on row y, as
// the screen shows the window.
bool GreyRow(HWND hWnd, int y, int& left, int& right) {
  const std::unique_ptr<TestBitmap> shown = ScreenCopy(hWnd);
  left = right = -1;
  for (int x = 0; x < shown->width(); ++x)
    if (shown->Pixel(x, y) == RGB(223, 223, 223)) {
      if (left < 0)
        left = x;
      right = x;
    }
  return left >= 0 && right > left;
}

// The position the status bar reads with the cursor at x on the view's
// middle row; NaN when it reads none.
double PositionAt(const BrivaneProcess& app, HWND view, HWND status, int x) {
  RECT rc;
  ::GetClientRect(view, &rc);
  Send(view, WM_MOUSEMOVE, 0, At(x, rc.bottom / 2));
  double ppm = 0, intensity = 0;
  const std::string text = BrivaneProcess::WindowText(status);
  return std::sscanf(text.c_str(), "%lf Int.=%lf", &ppm, &intensity) == 2 ? ppm : std::nan("");
}

TEST_F(AppProgramTest, TheViewAndEditDialogsOpenFromTheirCommandsAndTheSheetRetitles) {
  const std::string sample = BRIVANE_SOURCE_DIR "/samples/sample.bvx";
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(BrivaneProcess::WinePath(sample))));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  const struct {
    UINT nCommand;
    const char* title;
  } dialogs[] = {{ID_VIEW_SET_LIMITS, "Set Limits"}, {ID_LAYOUT_OPTIONS, "Options"}, {ID_EDIT_ADD_TEXT, "Add Text"}};
  for (const auto& d : dialogs) {
    app.PostCommand(d.nCommand);
    HWND dialog = app.WaitDialog(d.title);
    ASSERT_NE(nullptr, dialog) << d.title;
    ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL)) << d.title;
    app.Sync();
  }
  app.PostCommand(ID_EDIT_PROPERTIES);
  HWND sheet = app.WaitDialog("Spectrum Properties");
  ASSERT_NE(nullptr, sheet);
  HWND title = FindControl(sheet, IDC_PROP_TITLE);
  ASSERT_NE(nullptr, title);
  ::SendMessageA(title, WM_SETTEXT, 0, (LPARAM) "retitled");
  ASSERT_TRUE(BrivaneProcess::Dismiss(sheet, IDOK));
  app.Sync();
  // The spectrum took the title: the sheet opens on it next time.
  app.PostCommand(ID_EDIT_PROPERTIES);
  sheet = app.WaitDialog("Spectrum Properties");
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("retitled", BrivaneProcess::WindowText(FindControl(sheet, IDC_PROP_TITLE)));
  ASSERT_TRUE(BrivaneProcess::Dismiss(sheet, IDCANCEL));
}

}  // namespace

TEST_F(AppProgramTest, ZoomDragsSetTheVisibleRangeAndTheStatusBarReadsTheCursor) {
  std::string path = WriteDocument("zoom.bvx", 4096, 0.0, 0.0, AXIS_UNITS_POINTS);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(Quote(path)));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  HWND view = VisiblePanes(child).lower;
  ASSERT_NE(nullptr, view);
  RECT rc;
  ::GetClientRect(view, &rc);

  // The cursor readout: position and intensity in the status bar.
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  ASSERT_NE(nullptr, status);
  // The real pointer rests outside the views (the frame's title), so that
  // only the test moves the mouse over them.
  RECT frame;
  ::GetWindowRect(app.main(), &frame);
  ::SetCursorPos((frame.left + frame.right) / 2, frame.top + 2);
  Send(view, WM_MOUSEMOVE, 0, At(rc.right / 2, rc.bottom / 2));
  std::string text = BrivaneProcess::WindowText(status);
  double position = 0, intensity = 0;
  EXPECT_EQ(2, std::sscanf(text.c_str(), "%lf Int.=%lf", &position, &intensity)) << text;
  Send(view, WM_MOUSEMOVE, 0, At(-20, rc.bottom / 2));
  EXPECT_EQ("Out of range", BrivaneProcess::WindowText(status));

  // Zoom mode: the visible range read back through the positions under two
  // fixed pixels. A band past both ends keeps the whole data; a band
  // between them then shows what lay between them; a click changes nothing.
  // The document was laid out 800 pixels wide: both lie on the trace.
  const int x1 = 300, x2 = 600, y = rc.bottom / 2;
  auto span = [&] {
    return PositionAt(app, view, status, x2) - PositionAt(app, view, status, x1);
  };
  const double wholeSpan = span();
  ASSERT_GT(wholeSpan, 100.0);  // points, one or more a pixel
  app.Command(ID_VIEW_ZOOM);
  TrackedDrag(view, -200, rc.right + 200, y);
  ::Sleep(300);
  EXPECT_NEAR(wholeSpan, span(), 2);
  TrackedDrag(view, x1, x2, y);
  EXPECT_TRUE(WaitFor([&] { return span() < wholeSpan * 0.6; }, 5000)) << span();
  const double zoomedSpan = span();
  EXPECT_GT(zoomedSpan, 0.0);
  const double left = PositionAt(app, view, status, x1);
  TrackedDrag(view, rc.right / 2, rc.right / 2, y);
  ::Sleep(300);
  EXPECT_DOUBLE_EQ(left, PositionAt(app, view, status, x1));
  app.Command(ID_VIEW_ZOOM);  // back to mode 0

  // The full view boxes the zoomed part (its grey inside); moving the box
  // to the right scrolls the 1D view to the right, keeping its width.
  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  HWND full = VisiblePanes(child).upper;
  ASSERT_NE(nullptr, full);
  view = VisiblePanes(child).lower;
  ::GetClientRect(view, &rc);
  ::RedrawWindow(full, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  int boxLeft = -1, boxRight = -1;
  // Read until two readings agree: the strip may be half painted.
  ASSERT_TRUE(WaitFor(
      [&] {
        const int nLeft = boxLeft, nRight = boxRight;
        return GreyRow(full, 20, boxLeft, boxRight) && boxLeft == nLeft && boxRight == nRight;
      },
      5000))
      << "no zoom box";
  EXPECT_GT(boxLeft, 0);  // a part, not the whole strip
  const double before = PositionAt(app, view, status, 450);
  const int middle = (boxLeft + boxRight) / 2;
  CapturedDrag(full, middle, middle + 30, 20);
  EXPECT_GT(PositionAt(app, view, status, 450), before);
  EXPECT_NEAR(zoomedSpan, PositionAt(app, view, status, x2) - PositionAt(app, view, status, x1), 2);
}

namespace {

// The Simulation menus: New from the frame opens a window with the simulated
// spectrum; a cancelled New adds nothing; the Fid Simulation adds its FID.
TEST_F(AppProgramTest, SimulationNewCancelAndFidSimulationThroughTheMenus) {
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  app.PostCommand(ID_SIMULATION_NEW);
  HWND dialog = app.WaitDialog("Simulation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  EXPECT_EQ(1, app.ChildCount());

  app.PostCommand(ID_SIMULATION_NEW_DOC);
  dialog = app.WaitDialog("Simulation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.Sync();
  app.PostCommand(ID_FID_SIMULATION);
  dialog = app.WaitDialog("Fid Simulation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  // The simulated FID's points are complex, which the transform's dialog
  // offers as they are: no real transform, no quadrature rotation.
  app.PostCommand(ID_PROCESS_FOURIER);
  dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_REAL), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_QUADRATURE), BM_GETCHECK, 0, 0));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.Sync();

  const std::string target = Path("simulated.bvx");
  ::DeleteFileA(target.c_str());
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND save = app.WaitDialog();
  ASSERT_NE(nullptr, save);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(save, target));
  ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  app.Sync();
  CViewHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(target.c_str()));
  ASSERT_EQ(2, doc.GetSpectrumCount());
  EXPECT_EQ(300.0, doc.GetSpectrumAt(0)->m_paramsA.sf);
  EXPECT_EQ(64000, doc.GetSpectrumAt(0)->m_paramsA.td);
  EXPECT_EQ(3000.0, doc.GetSpectrumAt(0)->m_paramsA.sw);
  EXPECT_EQ(32768, doc.GetSpectrumAt(1)->m_paramsA.td);
  EXPECT_EQ(2000.0, doc.GetSpectrumAt(1)->m_paramsA.sw);
}

}  // namespace

namespace {

// The line records of a picture: how many, and the x they reach.
struct PictureLines {
  int nLines = 0;
  int minX = INT_MAX, maxX = INT_MIN;
  bool bColouredPen = false;
};

int CALLBACK CollectLines(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam) {
  PictureLines& lines = *reinterpret_cast<PictureLines*>(lParam);
  if (pRecord->iType == EMR_LINETO || pRecord->iType == EMR_MOVETOEX) {
    const EMRLINETO* pLine = reinterpret_cast<const EMRLINETO*>(pRecord);
    lines.minX = std::min(lines.minX, (int)pLine->ptl.x);
    lines.maxX = std::max(lines.maxX, (int)pLine->ptl.x);
    lines.nLines += pRecord->iType == EMR_LINETO;
  } else if (pRecord->iType == EMR_CREATEPEN) {
    const EMRCREATEPEN* pPen = reinterpret_cast<const EMRCREATEPEN*>(pRecord);
    lines.bColouredPen |= pPen->lopn.lopnColor != RGB(0, 0, 0);
  }
  return 1;
}

HENHMETAFILE ClipboardPicture() {
  HENHMETAFILE hCopy = nullptr;
  if (!::OpenClipboard(nullptr))
    return nullptr;
  if (HENHMETAFILE hEmf = (HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE))
    hCopy = ::CopyEnhMetaFileA(hEmf, nullptr);
  ::CloseClipboard();
  return hCopy;
}

// The visible child window of a view: the magnifier's overlay.
HWND VisibleChild(HWND view) {
  for (HWND h = ::GetWindow(view, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    if (::IsWindowVisible(h))
      return h;
  return nullptr;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, parent, (POINT*)&rc, 2);
  return rc;
}

}  // namespace

TEST_F(AppProgramTest, CopyPutsThePlotOnTheClipboardAsABlackPictureAcrossItsWidth) {
  std::string sample = BrivaneProcess::WinePath(BRIVANE_SOURCE_DIR "/samples/sample.bvx");
  BrivaneProcess app;
  ASSERT_NE(nullptr, StartOnView(app, sample));
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();

  app.Command(ID_EDIT_COPY);
  HENHMETAFILE hEmf = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (hEmf = ClipboardPicture()) != nullptr; }, 5000));
  char description[64] = {};
  ::GetEnhMetaFileDescriptionA(hEmf, sizeof description, description);
  EXPECT_STREQ("bvx metafile", description);
  PictureLines lines;
  ::EnumEnhMetaFile(nullptr, hEmf, CollectLines, &lines, nullptr);
  ::DeleteEnhMetaFile(hEmf);
  // The trace: a line or more per pixel column, laid over the 15000-unit
  // drawing space, black while colour printing is off.
  EXPECT_GT(lines.nLines, 300);
  EXPECT_GT(lines.maxX - lines.minX, 7500);
  EXPECT_LE(lines.maxX, 15000);
  EXPECT_GE(lines.minX, 0);
  EXPECT_FALSE(lines.bColouredPen);
}

TEST_F(AppProgramTest, TheMagnifierLensFollowsThePressedPointerAndTakesItsSettings) {
  std::string path = WriteDocument("lens.bvx", 4096, 0.0, 0.0);
  BrivaneProcess app;
  HWND view = StartOnView(app, path);
  ASSERT_NE(nullptr, view);
  EXPECT_EQ(nullptr, VisibleChild(view));
  app.Command(ID_VIEW_MAGNIFIER);
  HWND overlay = VisibleChild(view);
  ASSERT_NE(nullptr, overlay);
  HWND lens = ::GetDlgItem(overlay, 0xFFFF);
  ASSERT_NE(nullptr, lens);
  EXPECT_FALSE(::IsWindowVisible(lens));

  // A 200-pixel lens centred on the pointer while the button is held. The
  // real pointer goes where the test presses and moves: the system moves
  // the lens to it whenever a window appears or moves under it.
  auto mouse = [&](UINT message, WPARAM keys, int x, int y) {
    POINT screen = {x, y};
    ::ClientToScreen(overlay, &screen);
    ::SetCursorPos(screen.x, screen.y);
    app.Sync();
    Send(overlay, message, keys, At(x, y));
  };
  mouse(WM_LBUTTONDOWN, MK_LBUTTON, 300, 200);
  EXPECT_TRUE(::IsWindowVisible(lens));
  RECT rc = ChildRect(overlay, lens);
  EXPECT_EQ(200, rc.left);
  EXPECT_EQ(100, rc.top);
  EXPECT_EQ(200, rc.right - rc.left);
  mouse(WM_MOUSEMOVE, MK_LBUTTON, 350, 220);
  rc = ChildRect(overlay, lens);
  EXPECT_EQ(250, rc.left);
  EXPECT_EQ(120, rc.top);
  mouse(WM_LBUTTONUP, 0, 350, 220);
  EXPECT_FALSE(::IsWindowVisible(lens));

  // A right click opens the settings: a 150-pixel lens from then on.
  ::PostMessageA(overlay, WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
  HWND settings = app.WaitDialog("Magnify glass settings");
  ASSERT_NE(nullptr, settings);
  EXPECT_EQ("200", BrivaneProcess::WindowText(::GetDlgItem(settings, 1275)));
  Send(::GetDlgItem(settings, 1275), WM_SETTEXT, 0, (LPARAM) "150");
  ASSERT_TRUE(BrivaneProcess::Dismiss(settings, IDOK));
  mouse(WM_LBUTTONDOWN, MK_LBUTTON, 300, 200);
  rc = ChildRect(overlay, lens);
  EXPECT_EQ(150, rc.right - rc.left);
  EXPECT_EQ(225, rc.left);
  mouse(WM_LBUTTONUP, 0, 300, 200);

  app.Command(ID_VIEW_MAGNIFIER);
  EXPECT_EQ(nullptr, VisibleChild(view));
}

TEST_F(AppProgramTest, ATextLabelDraggedInTheViewIsSavedWhereItWasDroppedAndEditedThere) {
  // A loaded label is attached: its x is a float index, 200 here.
  const POINT at = {200, 20};
  std::string path = WriteDocument("label.bvx", 4096, 0.0, 0.0, -1, &at);
  BrivaneProcess app;
  HWND view = StartOnView(app, path);
  ASSERT_NE(nullptr, view);
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT frame;
  ::GetWindowRect(app.main(), &frame);
  ::SetCursorPos((frame.left + frame.right) / 2, frame.top + 2);
  // The label's black text, found on the screen.
  POINT origin = {0, 0};
  ::ClientToScreen(view, &origin);
  int x = -1;
  HDC screen = ::GetDC(nullptr);
  for (int u = 0; u < 400 && x < 0; ++u)
    for (int v = at.y; v < at.y + 16 && x < 0; ++v)
      if (::GetPixel(screen, origin.x + u, origin.y + v) == RGB(0, 0, 0))
        x = u;
  ::ReleaseDC(nullptr, screen);
  ASSERT_GE(x, 0) << "no label drawn";

  Send(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x + 2, at.y + 4));
  Send(view, WM_MOUSEMOVE, MK_LBUTTON, At(x + 22, at.y + 14));
  Send(view, WM_MOUSEMOVE, MK_LBUTTON, At(x + 42, at.y + 34));
  Send(view, WM_LBUTTONUP, 0, At(x + 42, at.y + 34));
  app.Command(ID_FILE_SAVE);
  app.Sync();

  CViewHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
  const CSpectrum* s = doc.GetSpectrumAt(0);
  ASSERT_EQ(1, s->m_arrLabels.GetSize());
  const CTextLabel* label = static_cast<const CTextLabel*>(s->m_arrLabels.GetAt(0));
  EXPECT_EQ(at.y + 30, label->m_y);
  // 40 pixels to the right: several floats a pixel further into the data.
  EXPECT_GT(label->m_x, at.x + 40);

  // Where it was dropped, a double click edits it.
  ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x + 42, at.y + 34));
  HWND dialog = app.WaitDialog("Add Text");
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
}

namespace {

// The mean row of the pixels of one colour in a window's client area, as
// the screen shows it; -1 when there are none.
int MeanRowOf(HWND hWnd, COLORREF colour) {
  const std::unique_ptr<TestBitmap> shown = ScreenCopy(hWnd);
  long long sum = 0, count = 0;
  for (int y = 0; y < shown->height(); ++y)
    for (int x = 0; x < shown->width(); x += 2)
      if (shown->Pixel(x, y) == colour) {
        sum += y;
        ++count;
      }
  return count > 0 ? (int)(sum / count) : -1;
}

// A visible pop-up menu of the program's thread, or null.
HWND PopupMenu() {
  HWND menu = ::FindWindowA("#32768", nullptr);
  return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
}

}  // namespace

TEST_F(AppProgramTest, RightClicksOpenTheViewMenusAndTheFullViewMovesItsTraceAndHides) {
  std::string path = WriteDocument("menus.bvx", 4096, 0.0, 0.0, -1, nullptr, true);
  BrivaneProcess app;
  ASSERT_NE(nullptr, StartOnView(app, path));
  HWND child = app.ActiveChild();
  app.Command(ID_VIEW_DUAL_DISPLAY);
  app.Sync();
  Panes panes = VisiblePanes(child);
  ASSERT_NE(nullptr, panes.upper);
  RECT rc;
  ::GetClientRect(panes.upper, &rc);

  // The strip's trace runs along its top, then its bottom.
  Send(panes.upper, WM_COMMAND, ID_FULLVIEW_TOP, 0);
  ::RedrawWindow(panes.upper, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  int top = -1;
  // Waited for as drawn: the strip may still show the trace in the middle.
  WaitFor([&] { return (top = MeanRowOf(panes.upper, RGB(0, 0, 255))) >= 0 && top < rc.bottom / 3; }, 5000);
  ASSERT_GE(top, 0);
  Send(panes.upper, WM_COMMAND, ID_FULLVIEW_BOTTOM, 0);
  ::RedrawWindow(panes.upper, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  int bottom = -1;
  WaitFor([&] { return (bottom = MeanRowOf(panes.upper, RGB(0, 0, 255))) - top > rc.bottom / 4; }, 5000);
  EXPECT_LT(top, rc.bottom / 3);
  EXPECT_GT(bottom - top, rc.bottom / 4);

  // Each pane's right click opens its menu; Escape closes it.
  for (HWND pane : {panes.upper, panes.lower}) {
    ::PostMessageA(pane, WM_RBUTTONDOWN, MK_RBUTTON, At(100, 30));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = PopupMenu()) != nullptr; }, 5000));
    ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return PopupMenu() == nullptr; }, 5000));
  }

  // Hide asks the frame to close the dual display.
  Send(panes.upper, WM_COMMAND, ID_FULLVIEW_HIDE, 0);
  app.Sync();
  EXPECT_TRUE(WaitFor([&] { return VisiblePanes(child).upper == nullptr; }, 5000));
}

TEST_F(AppProgramTest, ACrosshairDragShowsTheCursorReadoutInADataTipUntilTheRelease) {
  std::string path = WriteDocument("tip.bvx", 4096, 0.0, 0.0, AXIS_UNITS_POINTS, nullptr, true);
  BrivaneProcess app;
  HWND view = StartOnView(app, path);
  ASSERT_NE(nullptr, view);
  // The tip shows where the pointer rests: the real pointer goes there,
  // above the flat trace.
  POINT pt = {300, 20};
  POINT screen = pt;
  ::ClientToScreen(view, &screen);
  ::SetCursorPos(screen.x, screen.y);
  app.Sync();
  auto tip = [] {
    HWND h = ::FindWindowA("TFXDataTip", nullptr);
    return h != nullptr && ::IsWindowVisible(h) ? h : nullptr;
  };
  EXPECT_EQ(nullptr, tip());
  Send(view, WM_LBUTTONDOWN, MK_LBUTTON, At(pt.x, pt.y));
  Send(view, WM_MOUSEMOVE, MK_LBUTTON, At(pt.x, pt.y));
  EXPECT_TRUE(WaitFor([&] { return tip() != nullptr; }, 5000));
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  double position = 0, intensity = 0;
  EXPECT_EQ(2, std::sscanf(BrivaneProcess::WindowText(status).c_str(), "%lf Int.=%lf", &position, &intensity));
  Send(view, WM_LBUTTONUP, 0, At(pt.x, pt.y));
  EXPECT_TRUE(WaitFor([&] { return tip() == nullptr; }, 5000));
}
