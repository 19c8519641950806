// BrivanenD.exe and brivane23.exe together, as a user runs them on a real
// TopSpin 3.2 serial file: the set opens with its acquisition files' widths
// and frequencies, is transformed along f2 through its dialog, and the row
// that holds the set's strongest line goes to the 1D program, which shows
// that line at the ppm the 2D axis gives it and the vendor's 2rr has it, and
// keeps the document it was handed out of its recent files.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/SharedKey.h"
#include "framework/win/FrameworkRes.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/script/CommandInterpreter.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivanenDRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/ndim/app/nd_app_test_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

// The 1D program's scale bar and its units box (its resource header and
// this program's give some names different numbers); entry 1 is "ppm".
const int kScaleBar = 155;
const int kScaleBarUnits = 1114;
const int kUnitsPpm = 1;

// The text of a list view item of another process, read through memory of
// that process.
std::string ListItemText(DWORD pid, HWND list, int item, int column) {
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr)
    return "(no access)";
  const SIZE_T kText = 128;
  BYTE* remote =
      static_cast<BYTE*>(::VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text = "(no memory)";
  if (remote != nullptr) {
    LVITEMA lvi = {};
    lvi.iSubItem = column;
    lvi.pszText = reinterpret_cast<LPSTR>(remote + sizeof(LVITEMA));
    lvi.cchTextMax = (int)kText;
    ::WriteProcessMemory(process, remote, &lvi, sizeof lvi, nullptr);
    char buffer[kText] = {};
    ::SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)item, (LPARAM)remote);
    if (::ReadProcessMemory(process, remote + sizeof(LVITEMA), buffer, kText - 1, nullptr))
      text = buffer;
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  ::CloseHandle(process);
  return text;
}

// Edit > Properties: the parameter list of each dimension as the sheet's
// page shows it ("name=value" lines), f1 first; empty when it did not open.
std::vector<std::string> ShownParameters(BrivaneProcess& app) {
  std::vector<std::string> shown;
  app.PostCommand(ID_EDIT_PROPERTIES);
  HWND sheet = app.WaitDialog("Spectrum Properties");
  if (sheet == nullptr)
    return shown;
  HWND page = nullptr;
  WaitFor(
      [&] {
        page = ::FindWindowExA(sheet, nullptr, "#32770", nullptr);
        return page != nullptr && ::GetDlgItem(page, IDC_DIMENSION_COMBO) != nullptr;
      },
      5000);
  HWND combo = page != nullptr ? ::GetDlgItem(page, IDC_DIMENSION_COMBO) : nullptr;
  HWND list = page != nullptr ? ::GetDlgItem(page, IDC_PARAMETER_LIST) : nullptr;
  for (int entry = 0; combo != nullptr && list != nullptr && entry < 2; ++entry) {
    ::SendMessageA(combo, CB_SETCURSEL, (WPARAM)entry, 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DIMENSION_COMBO, CBN_SELCHANGE), (LPARAM)combo);
    std::string lines;
    const int items = (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < items; ++i)
      lines += ListItemText(app.pid(), list, i, 0) + "=" + ListItemText(app.pid(), list, i, 1) + "\n";
    shown.push_back(lines);
  }
  BrivaneProcess::Dismiss(sheet, IDCANCEL);
  app.Sync();
  return shown;
}

// The view of the 1D program's active document window.
HWND OneDView(const BrivaneProcess& app) {
  HWND splitter = ::GetDlgItem(app.ActiveChild(), AFX_IDW_PANE_FIRST);
  return ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
}

// The column of the view where the blue trace spans the most pixels (the
// strongest line, whichever its sign), or -1 while no trace shows.
int TallestColumn(HWND view) {
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  std::unique_ptr<TestBitmap> shot = ScreenCopy(view);
  int best = -1, most = 1;
  for (int x = 0; x < shot->width(); ++x) {
    int blue = 0;
    for (int y = 0; y < shot->height(); ++y)
      blue += shot->Pixel(x, y) == RGB(0, 0, 255);
    if (blue > most) {
      most = blue;
      best = x;
    }
  }
  return best;
}

// The ppm the 1D program's status bar reads with the cursor at x on the
// view's middle row; NaN when it reads none.
double ReadoutAt(const BrivaneProcess& app, HWND view, int x) {
  RECT rc;
  ::GetClientRect(view, &rc);
  ::SendMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(x, rc.bottom / 2));
  HWND status = ::GetDlgItem(app.main(), AFX_IDW_STATUS_BAR);
  double ppm = 0, intensity = 0;
  const std::string text = BrivaneProcess::WindowText(status);
  return std::sscanf(text.c_str(), "%lf Int.=%lf", &ppm, &intensity) == 2 ? ppm : std::nan("");
}

// The point of the largest real value (in size) of a complex set: what the
// 1D program draws of a handed row is its real part.
NdStrongest StrongestRealPoint(const CSpectrum2D& set) {
  NdStrongest s;
  const int n = set.m_dims[2].m_nPoints;
  float largest = -1.0f;
  for (int r = 0; r < set.m_dims[1].m_nPoints; ++r)
    for (int k = 0; k < n; ++k) {
      const float v = std::fabs(set.m_pData[2 * ((std::size_t)r * n + k)]);
      if (v > largest) {
        largest = v;
        s.row = r;
        s.column = k;
      }
    }
  return s;
}

}  // namespace

TEST(HandOffRealSetProgram, TheRowOfTheStrongestLineShowsItInTheOneDProgramWhereTheTwoDAxisPutsIt) {
  // No bar state, recent files, units or shared values of an earlier run.
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\BrivanenD");
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kSharedKeyPath);
  EndProcessesNamed("brivane23.exe");
  const std::string dir = NdTestFolder("hand_off_real_set");
  const std::string ser = BrivaneProcess::WinePath(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser");
  // Ends a 1D program that never lets the 2D one go.
  Watchdog watchdog(240000);

  BrivaneProcess nd(BRIVANEND_APP_PATH);
  ASSERT_TRUE(nd.Start(""));
  ASSERT_NE(nullptr, nd.WaitMainWindow());
  nd.Sync();
  nd.PostCommand(ID_FILE_OPEN);
  HWND dialog = nd.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, ser));
  ASSERT_TRUE(WaitFor([&] { return nd.ChildCount() == 1; }, 30000));
  nd.Sync();

  // Both dimensions as acqus and acqu2s give them: f2 3607.50 Hz (SW_h),
  // f1 6009.62 Hz, both at SFO1 600.20152 MHz.
  const std::vector<std::string> shown = ShownParameters(nd);
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(
      "Dimension=F1\nSpectrometer Frequency=600.202\nNumber of Points=10\nSpectral Width=6009.615\n"
      "Lowest Frequency (high fields)=-3229.755\n",
      shown[0]);
  EXPECT_EQ(
      "Dimension=F2\nSpectrometer Frequency=600.202\nNumber of Points=4096\nSpectral Width=3607.504\n"
      "Lowest Frequency (high fields)=-283.574\n",
      shown[1]);

  // Process > Fourier Transform along f2 only, with the dialog's values
  // (Bruker's pairs are not conjugated).
  nd.PostCommand(ID_PROCESS_FOURIER);
  dialog = nd.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  ::CheckDlgButton(dialog, IDC_FT_NEXT_DIMENSION, BST_UNCHECKED);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  nd.Sync();

  // The same transform here: where the strongest line is, and its ppm on
  // the 2D axis.
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> expected(ReadBruker(ser.c_str(), log));
  ASSERT_NE(nullptr, expected);
  CCommandInterpreter().Execute(*expected, "bw q 4096\new\nze 4096\nft ");
  const NdStrongest line = StrongestRealPoint(*expected);
  const DimensionBlock& f2 = expected->m_dims[2];
  const double ppm = NdAxisValue(f2, line.column, ND_UNITS_PPM);
  const double ppmPerPoint = f2.m_fSpectralWidth / f2.m_fSpectrometerFreq / f2.m_nPoints;
  // There the vendor's own spectrum has it, within two points (not at its
  // mirror image about the middle, 1.86 ppm away for this line).
  const double vendor = StrongestPpmOf2rr(std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/pdata/1");
  EXPECT_NEAR(vendor, ppm, 2 * ppmPerPoint);

  // The row chosen with the Slices bar's Next Row, the pointer kept off the
  // plot (the traces follow it there), then Tools > Send Row.
  ::SetCursorPos(0, 0);
  for (int r = 0; r < line.row; ++r)
    nd.Command(ID_TRACES_NEXT_ROW);
  nd.PostCommand(ID_TOOLS_SEND_ROW);
  BrivaneProcess one;
  ASSERT_TRUE(AttachHandedOneDProgram(one));
  EXPECT_EQ("~row.bvx", BrivaneProcess::WindowText(one.ActiveChild()));

  // The scale bar's units set to ppm, as a user picks them.
  HWND units = ::GetDlgItem(::GetDlgItem(one.main(), kScaleBar), kScaleBarUnits);
  ASSERT_NE(nullptr, units);
  ::SendMessageA(units, CB_SETCURSEL, kUnitsPpm, 0);
  ::SendMessageA(::GetParent(units), WM_COMMAND, MAKEWPARAM(kScaleBarUnits, CBN_SELCHANGE), (LPARAM)units);
  one.Sync();

  // On the screen: the tallest line of the trace, and the ppm the status
  // bar reads there, within the readout's rounding and two pixels.
  HWND view = OneDView(one);
  ASSERT_NE(nullptr, view);
  int x = -1;
  ASSERT_TRUE(WaitFor([&] { return (x = TallestColumn(view)) >= 0; }, 10000)) << "a trace shows";
  RECT rc;
  ::GetClientRect(view, &rc);
  const double ppmPerPixel = f2.m_nPoints * ppmPerPoint / rc.right;
  const double readout = ReadoutAt(one, view, x);
  EXPECT_NEAR(ppm, readout, 0.005 + 2 * ppmPerPixel) << "row " << line.row << " point " << line.column;
  EXPECT_NEAR(vendor, readout, 0.005 + 2 * ppmPerPixel + 2 * ppmPerPoint) << "the vendor's line";

  // In the document it holds: the row as the 2D program has it, and its
  // strongest point at the 2D axis's ppm, within a point, on the axis it shows.
  const std::string saved = dir + "row.bvx";
  ASSERT_TRUE(one.SaveAs(saved));
  CTestHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(saved.c_str()));
  ASSERT_EQ(1, doc.GetSpectrumCount());
  const CSpectrum& s = *doc.GetSpectrumAt(0);
  ASSERT_EQ(2 * f2.m_nPoints, s.m_paramsA.td);
  const float* row = expected->m_pData + 2 * (std::size_t)line.row * f2.m_nPoints;
  EXPECT_EQ(std::vector<float>(row, row + s.m_paramsA.td), std::vector<float>(s.m_pData, s.m_pData + s.m_paramsA.td));
  EXPECT_EQ(AXIS_UNITS_PPM, s.m_Scale.m_nUnits);
  EXPECT_NEAR(ppm, s.ConvertUnits(2.0 * line.column, AXIS_UNITS_PPM), ppmPerPoint);

  one.PostCommand(ID_APP_EXIT);
  if (HWND ask = one.WaitDialog(nullptr, 3000))
    BrivaneProcess::Press(ask, IDNO);
  EXPECT_EQ(0, one.WaitExit(30000));
  // Brivane lists the document saved from it, not the one it was handed.
  const std::vector<std::string> recent = RecentFilesOf("Brivane");
  ASSERT_EQ(1u, recent.size());
  EXPECT_EQ(0, ::lstrcmpiA(saved.c_str(), recent[0].c_str())) << recent[0];
  DeclineWhatIsOffered(nd);
  nd.PostCommand(ID_APP_EXIT);
  DeclineWhatIsOffered(nd);
  EXPECT_EQ(0, nd.WaitExit(30000));
  EXPECT_FALSE(watchdog.fired());
}
