// The File, Edit, View and Layout commands of brivane23.exe driven by their
// ids on a document of two spectra and on an empty one, checked in the
// saved file; the scale bar, the tabs of the document windows and the
// splash.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <memory>
#include <string>

#include "onedim/model/AxisScale.h"
#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

// What the program saved, read back by the document core.
struct Saved {
  CTestHost host;
  CBrivaneProDoc doc{&host};
};

// A tab of the program's tab strip, its text and rectangle read through
// memory of the program's own process.
RECT TabRect(const BrivaneProcess& app, HWND tabs, int nTab) {
  RECT rc = {};
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, app.pid());
  if (process == nullptr)
    return rc;
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof rc, MEM_COMMIT, PAGE_READWRITE);
  if (remote != nullptr) {
    if (::SendMessageA(tabs, TCM_GETITEMRECT, (WPARAM)nTab, (LPARAM)remote))
      ::ReadProcessMemory(process, remote, &rc, sizeof rc, nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  ::CloseHandle(process);
  return rc;
}

std::string TabText(const BrivaneProcess& app, HWND tabs, int nTab) {
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, app.pid());
  if (process == nullptr)
    return "(no access)";
  const SIZE_T kText = 256;
  BYTE* remote =
      static_cast<BYTE*>(::VirtualAllocEx(process, nullptr, sizeof(TCITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text = "(no memory)";
  if (remote != nullptr) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPSTR>(remote + sizeof(TCITEMA));
    item.cchTextMax = (int)kText;
    ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    char buffer[kText] = {};
    if (::SendMessageA(tabs, TCM_GETITEMA, (WPARAM)nTab, (LPARAM)remote) &&
        ::ReadProcessMemory(process, remote + sizeof(TCITEMA), buffer, kText - 1, nullptr))
      text = buffer;
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  ::CloseHandle(process);
  return text;
}

class CommandsProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + "brivane_commands_test";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }

  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  // A .bvx of two spectra of 256 floats, the second current, in ppm.
  std::string WriteTwoSpectra(const char* name) {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    for (int k = 0; k < 2; k++)
      AddTestSpectrum(
          doc, 256, [k](int) { return (float)(k + 1); }, 4000.0, 400.0);
    doc.RefreshAfterAdd();
    for (int k = 0; k < 2; k++)
      doc.GetSpectrumAt(k)->m_Scale.m_nUnits = AXIS_UNITS_PPM;
    const std::string path = Path(name);
    EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
    return path;
  }

  // With bSplash, as a user starts it: the frame's layout has settled by
  // the time the splash goes.
  static bool Start(BrivaneProcess& app, const std::string& path, bool bSplash = false) {
    const std::string arguments = path.empty() ? "" : "\"" + path + "\"";
    if (!(bSplash ? app.StartWithSplash(arguments) : app.Start(arguments)) || app.WaitMainWindow() == nullptr)
      return false;
    app.Sync();
    return true;
  }

  // Saves the document as name and reads it back; null when it fails.
  std::unique_ptr<Saved> SaveAndRead(BrivaneProcess& app, const char* name) const {
    const std::string path = Path(name);
    std::unique_ptr<Saved> saved(new Saved);
    if (!app.SaveAs(path) || !saved->doc.ReadNativeFile(path.c_str()))
      return nullptr;
    return saved;
  }

  // Reads what File > Save left under name.
  std::unique_ptr<Saved> ReadBack(const char* name) const {
    std::unique_ptr<Saved> saved(new Saved);
    return saved->doc.ReadNativeFile(Path(name).c_str()) ? std::move(saved) : nullptr;
  }

  std::string m_dir;
};

TEST_F(CommandsProgramTest, EditAndViewCommandsOnTwoSpectraShowInTheSavedFile) {
  BrivaneProcess app;
  ASSERT_TRUE(Start(app, WriteTwoSpectra("two.bvx")));
  app.Command(ID_EDIT_COPY_DATA);
  // Sum Data asks for its factor; one buffer of 2.0 added twice over.
  app.PostCommand(ID_EDIT_SUM_DATA);
  HWND sum = app.WaitDialog("Sum Data");
  ASSERT_NE(nullptr, sum);
  ::SetWindowTextA(::GetDlgItem(sum, IDC_SUM_FACTOR), "2");
  ASSERT_TRUE(BrivaneProcess::Dismiss(sum, IDOK));
  app.Sync();
  app.Command(ID_VIEW_INCREASE);
  app.Command(ID_VIEW_EXPANSION);
  std::unique_ptr<Saved> saved = SaveAndRead(app, "two-saved.bvx");
  ASSERT_NE(nullptr, saved);
  const CBrivaneProDoc& doc = saved->doc;
  ASSERT_EQ(3, doc.GetSpectrumCount()) << "the expansion was appended";
  const CSpectrum* second = doc.GetSpectrumAt(1);
  EXPECT_EQ(2.0f + 2.0f * 2.0f, second->m_pData[10]);
  EXPECT_FLOAT_EQ(second->m_fVerticalScale, doc.GetSpectrumAt(0)->m_fVerticalScale * 1.2f);
  EXPECT_EQ(second->m_pData[10], doc.GetSpectrumAt(2)->m_pData[10]);

  // Delete Spectrum until one is left; the last one stays.
  for (int i = 0; i < 3; i++)
    app.Command(ID_EDIT_DELETE_SPECTRUM);
  app.Command(ID_FILE_BYTE_SWAP);
  app.Command(ID_FILE_SAVE);
  app.Sync();
  std::unique_ptr<Saved> last = ReadBack("two-saved.bvx");
  ASSERT_NE(nullptr, last);
  ASSERT_EQ(1, last->doc.GetSpectrumCount());
  // The first of the list became current each time: the expansion is left.
  EXPECT_EQ(6.0f * 16777216.0f, last->doc.GetSpectrumAt(0)->m_pData[0]) << "6 byte-swapped";
}

TEST_F(CommandsProgramTest, AnEmptyDocumentTakesEveryCommandDrawsAndSaves) {
  BrivaneProcess app;
  ASSERT_TRUE(Start(app, ""));
  // A cancelled Simulation > New leaves an empty document window.
  app.PostCommand(ID_SIMULATION_NEW);
  HWND dialog = app.WaitDialog("Simulation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.Sync();
  ASSERT_EQ(1, app.ChildCount());

  for (UINT id : {ID_FILE_BYTE_SWAP, ID_EDIT_DELETE_SPECTRUM, ID_EDIT_COPY, ID_EDIT_COPY_DATA, ID_EDIT_PASTE_DATA,
                  ID_EDIT_SUM_DATA, ID_VIEW_INCREASE, ID_VIEW_DECREASE, ID_VIEW_FULL_SPECTRUM, ID_VIEW_ZOOM,
                  ID_VIEW_ZOOM_ALL, ID_VIEW_SHOW_GRID, ID_VIEW_EXPANSION, ID_LAYOUT_OVERLAY, ID_LAYOUT_STACKED,
                  ID_VIEW_SET_LIMITS, ID_EDIT_PROPERTIES, ID_EDIT_ADD_TEXT}) {
    app.Command(id);
    ASSERT_TRUE(app.IsRunning()) << id;
    EXPECT_EQ(nullptr, app.WaitDialog(nullptr, 200)) << "nothing to ask about: " << id;
  }
  ::RedrawWindow(app.ActiveChild(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  app.Sync();
  std::unique_ptr<Saved> saved = SaveAndRead(app, "empty.bvx");
  ASSERT_NE(nullptr, saved);
  EXPECT_EQ(0, saved->doc.GetSpectrumCount());
}

TEST_F(CommandsProgramTest, LayoutsAndTheScaleBarPlaceTheSpectraAcrossTheView) {
  BrivaneProcess app;
  // The view's size is read once, below, for every step.
  ASSERT_TRUE(Start(app, WriteTwoSpectra("layout.bvx"), true));
  HWND bar = ::GetDlgItem(app.main(), IDD_SCALE_BAR);
  ASSERT_NE(nullptr, bar);
  EXPECT_TRUE(::IsWindowVisible(bar));
  HWND units = ::GetDlgItem(bar, IDC_SCALEBAR_UNITS);
  EXPECT_EQ(4, (int)::SendMessageA(units, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, (int)::SendMessageA(units, CB_GETCURSEL, 0, 0)) << "ppm, as the current spectrum";
  HWND view = nullptr;
  {
    HWND splitter = ::GetDlgItem(app.ActiveChild(), AFX_IDW_PANE_FIRST);
    HWND lower = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16);
    view = lower != nullptr && ::IsWindowVisible(lower) ? lower : ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
  }
  RECT rc;
  ::GetClientRect(view, &rc);
  const int W = rc.right, H = rc.bottom;
  ASSERT_GT(W, 100);

  // The ruler's box at 25..75 % with Apply to All: both spectra move.
  app.Command(ID_LAYOUT_OVERLAY);
  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_SCALEBAR_APPLY_ALL, BN_CLICKED),
                 (LPARAM)::GetDlgItem(bar, IDC_SCALEBAR_APPLY_ALL));
  ::SendMessageA(bar, 0x2B32, 25, 75);
  // Hz for every spectrum.
  ::SendMessageA(units, CB_SETCURSEL, 2, 0);
  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_SCALEBAR_UNITS, CBN_SELCHANGE), (LPARAM)units);
  std::unique_ptr<Saved> placed = SaveAndRead(app, "placed.bvx");
  ASSERT_NE(nullptr, placed);
  ASSERT_EQ(2, placed->doc.GetSpectrumCount());
  for (int k = 0; k < 2; k++) {
    EXPECT_EQ(W * 25 / 100, placed->doc.GetSpectrumAt(k)->m_nLeftPixel) << k;
    EXPECT_EQ(W * 75 / 100, placed->doc.GetSpectrumAt(k)->m_nRightPixel) << k;
    EXPECT_EQ(AXIS_UNITS_HZ, placed->doc.GetSpectrumAt(k)->m_Scale.m_nUnits) << k;
  }

  // Fit to screen, then the stacked plot from the lower right.
  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_SCALEBAR_FIT, BN_CLICKED),
                 (LPARAM)::GetDlgItem(bar, IDC_SCALEBAR_FIT));
  std::unique_ptr<Saved> fitted = SaveAndRead(app, "fitted.bvx");
  ASSERT_NE(nullptr, fitted);
  for (int k = 0; k < 2; k++) {
    EXPECT_EQ(0, fitted->doc.GetSpectrumAt(k)->m_nLeftPixel) << k;
    EXPECT_EQ(W, fitted->doc.GetSpectrumAt(k)->m_nRightPixel) << k;
  }
  app.Command(ID_LAYOUT_STACKED);
  std::unique_ptr<Saved> stacked = SaveAndRead(app, "stacked.bvx");
  ASSERT_NE(nullptr, stacked);
  for (int g = 1; g <= 2; g++) {
    const CSpectrum* s = stacked->doc.GetSpectrumAt(g - 1);
    EXPECT_EQ((2 - g) * H / 3, s->m_nLeftPixel) << g;
    EXPECT_EQ(W - g * H / 3, s->m_nRightPixel) << g;
  }

  // Layout Options: the manual origin and increments, taken on OK.
  app.PostCommand(ID_LAYOUT_OPTIONS);
  HWND options = app.WaitDialog("Options");
  ASSERT_NE(nullptr, options);
  BrivaneProcess::Press(options, IDC_LAYOUT_AUTO);
  const struct {
    int nID;
    const char* text;
  } fields[] = {
      {IDC_LAYOUT_ORIGIN_X, "10"}, {IDC_LAYOUT_ORIGIN_Y, "60"}, {IDC_LAYOUT_STEP_X, "30"}, {IDC_LAYOUT_STEP_Y, "25"}};
  for (const auto& f : fields)
    ::SendMessageA(::GetDlgItem(options, f.nID), WM_SETTEXT, 0, (LPARAM)f.text);
  ASSERT_TRUE(BrivaneProcess::Dismiss(options, IDOK));
  app.Sync();
  std::unique_ptr<Saved> manual = SaveAndRead(app, "manual.bvx");
  ASSERT_NE(nullptr, manual);
  EXPECT_EQ(10, manual->doc.GetSpectrumAt(0)->m_nLeftPixel);
  EXPECT_EQ(W - 30, manual->doc.GetSpectrumAt(0)->m_nRightPixel);
  EXPECT_EQ(40, manual->doc.GetSpectrumAt(1)->m_nLeftPixel);
  EXPECT_EQ(W, manual->doc.GetSpectrumAt(1)->m_nRightPixel);

  // Control Bar hides and shows the bar; Full Screen hides it while on.
  for (UINT id : {ID_VIEW_CONTROL_BAR, ID_VIEW_FULL_SCREEN}) {
    app.Command(id);
    app.Sync();
    EXPECT_FALSE(::IsWindowVisible(bar)) << id;
    app.Command(id);
    app.Sync();
    EXPECT_TRUE(::IsWindowVisible(bar)) << id;
  }
}

TEST_F(CommandsProgramTest, EachDocumentWindowHasATabWithItsTitle) {
  BrivaneProcess app;
  ASSERT_TRUE(Start(app, WriteTwoSpectra("tabbed.bvx")));
  HWND tabs = ::GetDlgItem(app.main(), IDW_WINDOW_TABS);
  ASSERT_NE(nullptr, tabs);
  ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 1; }, 5000));
  EXPECT_EQ("tabbed.bvx", TabText(app, tabs, 0));
  // The MDI client lies inside the strip's display area.
  RECT rcTabs, rcClient;
  ::GetWindowRect(tabs, &rcTabs);
  ::GetWindowRect(app.MdiClient(), &rcClient);
  EXPECT_GT(rcClient.left, rcTabs.left);
  EXPECT_LT(rcClient.bottom, rcTabs.bottom) << "the tabs lie below the windows";

  // A second window adds a tab titled as the window; saving renames it.
  app.PostCommand(ID_SIMULATION_NEW);
  HWND dialog = app.WaitDialog("Simulation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  app.Sync();
  ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 2; }, 5000));
  EXPECT_EQ(BrivaneProcess::WindowText(app.ActiveChild()), TabText(app, tabs, 1));
  EXPECT_EQ(1, (int)::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  ASSERT_TRUE(app.SaveAs(Path("renamed.bvx")));
  EXPECT_TRUE(WaitFor([&] { return TabText(app, tabs, 1) == "renamed.bvx"; }, 3000)) << TabText(app, tabs, 1);

  // A double click on the active maximised window's tab restores it, a
  // second one maximises it again.
  bool maximized = false;
  app.ActiveChild(&maximized);
  ASSERT_TRUE(maximized);
  ::SendMessageA(tabs, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  app.Sync();
  app.ActiveChild(&maximized);
  EXPECT_FALSE(maximized);
  ::SendMessageA(tabs, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  app.Sync();
  app.ActiveChild(&maximized);
  EXPECT_TRUE(maximized);

  // A click on the first tab activates the first window.
  HWND second = app.ActiveChild();
  const RECT rcFirst = TabRect(app, tabs, 0);
  ASSERT_LT(rcFirst.left, rcFirst.right);
  const LPARAM at = MAKELPARAM((rcFirst.left + rcFirst.right) / 2, (rcFirst.top + rcFirst.bottom) / 2);
  ::PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(tabs, WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(WaitFor([&] { return app.ActiveChild() != second; }, 5000));
  EXPECT_EQ("tabbed.bvx", BrivaneProcess::WindowText(app.ActiveChild()));
  EXPECT_EQ(0, (int)::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  ::SendMessageA(app.MdiClient(), WM_MDIACTIVATE, (WPARAM)second, 0);
  app.Sync();

  // Closing the window takes its tab away.
  app.Command(ID_FILE_CLOSE);
  app.Sync();
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 1; }, 5000));

  // Without the tabs the MDI client takes the whole area again.
  ::GetWindowRect(app.MdiClient(), &rcClient);
  const LONG nHeightWithTabs = rcClient.bottom - rcClient.top;
  app.Command(ID_VIEW_TABBED);
  app.Sync();
  EXPECT_EQ(nullptr, ::GetDlgItem(app.main(), IDW_WINDOW_TABS));
  ::GetWindowRect(app.MdiClient(), &rcClient);
  EXPECT_GT(rcClient.bottom - rcClient.top, nHeightWithTabs);
  app.Command(ID_VIEW_TABBED);
  app.Sync();
  tabs = ::GetDlgItem(app.main(), IDW_WINDOW_TABS);
  ASSERT_NE(nullptr, tabs);
  EXPECT_EQ(1, (int)::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
}

TEST_F(CommandsProgramTest, TheSplashShowsAtTheStartAndGoesByItself) {
  BrivaneProcess app;
  ASSERT_TRUE(app.StartWithSplash(""));
  HWND splash = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (splash = app.Splash()) != nullptr; }, 20000));
  RECT rc;
  ::GetWindowRect(splash, &rc);
  EXPECT_EQ(300, rc.right - rc.left);
  EXPECT_EQ(180, rc.bottom - rc.top);
  ASSERT_NE(nullptr, app.WaitMainWindow());
  // Hidden first, then destroyed in the program's own time.
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(splash); }, 10000));
}

}  // namespace
