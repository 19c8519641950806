// The measuring tools in the running program: a coupling measured with two
// clicks lands in the coupling table, a line referenced through the
// Reference dialog keeps its shift in the saved document and leaves the
// list of signals beside the program, the relaxation bar picks a peak
// and opens the Relaxation dialog, and a coupling's marks sit on the band
// of an added spectrum and show only while that spectrum is current.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SolventTable.h"
#include "onedim/plot/ViewGeometry.h"
#include "resources/BrivaneRes.h"
#include "resources/ImportDialogsRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/app/lines_document.h"

namespace {

BOOL CALLBACK FindById(HWND hWnd, LPARAM lParam) {
  auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(lParam);
  if (::GetDlgCtrlID(hWnd) == wanted->first) {
    wanted->second = hWnd;
    return FALSE;
  }
  return TRUE;
}

HWND Descendant(HWND parent, int id) {
  std::pair<int, HWND> wanted(id, nullptr);
  ::EnumChildWindows(parent, FindById, (LPARAM)&wanted);
  return wanted.second;
}

struct WindowSearch {
  DWORD pid;
  std::string title;
  int count;
};

BOOL CALLBACK CountByTitle(HWND hWnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hWnd, &owner);
  if (owner == search->pid && BrivaneProcess::WindowText(hWnd) == search->title)
    search->count++;
  return TRUE;
}

// The program's top-level windows of that title.
int CountWindows(DWORD pid, const std::string& title) {
  WindowSearch search = {pid, title, 0};
  ::EnumWindows(CountByTitle, (LPARAM)&search);
  return search.count;
}

// The red pixels of a picture in columns x0 .. x1 - 1, rows y0 .. y1 - 1.
int RedIn(const TestBitmap& shot, int x0, int x1, int y0, int y1) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++)
      n += shot.Pixel(x, y) == RGB(255, 0, 0) ? 1 : 0;
  return n;
}

class MeasureProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_path = std::string(temp) + "brivane_measure.bvx";
    ASSERT_TRUE(WriteLinesDocument(m_path));
    const std::string exe = BrivaneProcess::WinePath(BRIVANE_APP_PATH);
    m_solvents = std::string(SolventsFilePath(exe.c_str()));
    ::DeleteFileA(m_solvents.c_str());
    ASSERT_TRUE(m_app.Start("\"" + m_path + "\""));
    ASSERT_NE(nullptr, m_app.WaitMainWindow());
    m_app.Sync();
    HWND child = m_app.ActiveChild();
    ASSERT_NE(nullptr, child);
    m_view = ::GetDlgItem(::GetDlgItem(child, AFX_IDW_PANE_FIRST), AFX_IDW_PANE_FIRST);
    ASSERT_NE(nullptr, m_view);
    // Started without its splash, the frame is still laying itself out:
    // the view's size is read once it holds.
    WaitForSteadyLayout(m_view);

    CBrivaneProDoc doc(&m_host);
    CSpectrum* s = LayOut(doc);
    ASSERT_NE(nullptr, s);
    m_y = s->ValueToY(0.0f) - 3;
    for (int k = 0; k < 3; k++)
      m_x[k] = doc.PointToPixel(2 * (int)kLineCentres[k]);
  }
  void TearDown() override { ::DeleteFileA(m_solvents.c_str()); }

  // Where the program drew the lines: the document core's layout of the
  // file for this view's size; its spectrum, or null when it cannot be read.
  CSpectrum* LayOut(CBrivaneProDoc& doc) {
    ::GetClientRect(m_view, &m_host.m_rc);
    if (!doc.ReadNativeFile(m_path.c_str()))
      return nullptr;
    doc.RefreshAfterLoad();
    CSpectrum* s = doc.GetSpectrumAt(0);
    doc.SetCurrentSpectrum(s);
    s->FindMaximum();
    return s;
  }

  // The import dialog of Open Additional Spectrum as it opens, the import
  // type it shows, and the document added through it.
  int OpenAdditional(const std::string& path) {
    m_app.PostCommand(ID_FILE_OPEN_ADDITIONAL);
    HWND dialog = m_app.WaitDialog("Import file");
    if (dialog == nullptr)
      return -2;
    const int nType = (int)::SendDlgItemMessageA(dialog, IDC_IMPORT_FILE_TYPE, CB_GETCURSEL, 0, 0);
    if (path.empty()) {
      BrivaneProcess::Dismiss(dialog, IDCANCEL);
    } else if (!BrivaneProcess::EnterFileName(dialog, path) ||
               !WaitFor([&] { return !::IsWindow(dialog); }, 15000)) {
      return -2;
    }
    m_app.Sync();
    return nType;
  }

  // A click on line k, after the move that finds its maximum.
  void ClickLine(int k) {
    ::PostMessageA(m_view, WM_MOUSEMOVE, 0, At(m_x[k], m_y));
    ::PostMessageA(m_view, WM_LBUTTONDOWN, MK_LBUTTON, At(m_x[k], m_y));
    ::PostMessageA(m_view, WM_LBUTTONUP, 0, At(m_x[k], m_y));
  }
  // A posted message first, so that the program runs its idle update of
  // the bars.
  bool ToolChecked(UINT id) {
    ::PostMessageA(m_app.main(), WM_NULL, 0, 0);
    HWND bar = ::GetDlgItem(m_app.main(), ID_PROCESS_TOOLBAR);
    return ::SendMessageA(bar, TB_ISBUTTONCHECKED, id, 0) != 0;
  }

  BrivaneProcess m_app;
  std::string m_path;
  std::string m_solvents;
  HWND m_view = nullptr;
  CViewHost m_host;
  int m_x[3] = {};
  int m_y = 0;
};

TEST_F(MeasureProgramTest, TwoClicksMeasureACouplingAndTheTableCopiesIt) {
  m_app.Command(ID_TOOLS_COUPLING);
  HWND table = m_app.WaitDialog("Coupling Constants");
  ASSERT_NE(nullptr, table);
  EXPECT_TRUE(WaitFor([&] { return ToolChecked(ID_TOOLS_COUPLING); }, 5000));
  // The command again ends the tool and keeps the table; once more starts
  // it without a second table.
  m_app.Command(ID_TOOLS_COUPLING);
  EXPECT_TRUE(WaitFor([&] { return !ToolChecked(ID_TOOLS_COUPLING); }, 5000));
  EXPECT_TRUE(::IsWindow(table));
  m_app.Command(ID_TOOLS_COUPLING);
  EXPECT_TRUE(WaitFor([&] { return ToolChecked(ID_TOOLS_COUPLING); }, 5000));
  EXPECT_EQ(1, CountWindows(m_app.pid(), "Coupling Constants"));
  ClickLine(0);
  ClickLine(1);
  HWND list = ::GetDlgItem(table, IDC_COUPLING_LIST);
  ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, 5000));

  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(table, WM_COMMAND, ID_COUPLING_COPY, 0, SMTO_NORMAL, 10000, &result);
  const std::string text = ClipboardText();
  EXPECT_EQ(0u, text.find("Shift 1\tShift 2\tJ(1-2)\r\n")) << text;
  EXPECT_NE(std::string::npos, text.find("\t781.250\t")) << "200 points of 3.90625 Hz: " << text;

  ASSERT_TRUE(BrivaneProcess::Dismiss(table, IDCANCEL));
  EXPECT_TRUE(WaitFor([&] { return !ToolChecked(ID_TOOLS_COUPLING); }, 5000));
}

TEST_F(MeasureProgramTest, AReferencedLineKeepsItsShiftInTheSavedDocument) {
  m_app.Command(ID_TOOLS_REFERENCE);
  EXPECT_TRUE(WaitFor([&] { return ToolChecked(ID_TOOLS_REFERENCE); }, 5000));
  ClickLine(2);
  HWND dialog = m_app.WaitDialog("Reference");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(15, (int)::SendDlgItemMessageA(dialog, IDC_REF_LIST, LB_GETCOUNT, 0, 0));
  ::SetDlgItemTextA(dialog, IDC_REF_SHIFT, "5.125");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  EXPECT_TRUE(WaitFor([&] { return !ToolChecked(ID_TOOLS_REFERENCE); }, 5000)) << "one pick ends the tool";

  m_app.Command(ID_FILE_SAVE);
  CViewHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(m_path.c_str()));
  const CSpectrum* s = doc.GetSpectrumAt(0);
  EXPECT_NEAR(5.125, s->ConvertUnits(2 * kLineCentres[2], AXIS_UNITS_PPM), 1e-9);

  CSolventTable table(m_solvents.c_str());
  EXPECT_EQ(CSolventTable::loadRead, table.Load()) << m_solvents;
  EXPECT_EQ(15, table.GetMap().GetCount());
}

TEST_F(MeasureProgramTest, TheRelaxationBarPicksAPeakAndOpensTheRelaxationDialog) {
  m_app.Command(ID_TOOLS_RELAXATION);
  HWND rebar = ::GetDlgItem(m_app.main(), ID_RELAXATION_REBAR);
  ASSERT_NE(nullptr, rebar);
  EXPECT_TRUE(::IsWindowVisible(rebar));
  HWND bar = Descendant(rebar, IDD_RELAXATION_BAR);
  ASSERT_NE(nullptr, bar);
  HWND select = ::GetDlgItem(bar, IDC_RELAX_SELECT_PEAK);
  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_RELAX_SELECT_PEAK, BN_CLICKED), (LPARAM)select);
  EXPECT_NE(0u, ::SendMessageA(select, BM_GETSTATE, 0, 0) & BST_PUSHED);
  ClickLine(0);
  HWND label = ::GetDlgItem(bar, IDC_RELAX_LABEL);
  EXPECT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(label) == "Point position= 600"; }, 5000))
      << BrivaneProcess::WindowText(label);
  EXPECT_EQ(0u, ::SendMessageA(select, BM_GETSTATE, 0, 0) & BST_PUSHED);

  ::PostMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_RELAX_COMPUTE, BN_CLICKED),
                 (LPARAM)::GetDlgItem(bar, IDC_RELAX_COMPUTE));
  HWND dialog = m_app.WaitDialog("Relaxation");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));

  ::SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_RELAX_CLOSE, BN_CLICKED), (LPARAM)::GetDlgItem(bar, IDC_RELAX_CLOSE));
  m_app.Sync();
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(rebar); }, 5000));
}

// The document opened twice: the added copy is current on the lower band.
// The reference line's mark reaches the band's top edge, 5 pixels under the
// zero line, as after the Overlay and Stacked layouts; a ticked coupling's
// bracket shows over its own spectrum only while that one is current.
TEST_F(MeasureProgramTest, ACouplingOfAnAddedSpectrumMarksItsOwnBandOnly) {
  ASSERT_EQ(0, OpenAdditional(m_path));
  CViewHost host;
  ::GetClientRect(m_view, &host.m_rc);
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(m_path.c_str()));
  doc.RefreshAfterLoad();
  ASSERT_EQ(importNative, doc.ImportFile(m_path.c_str()));
  doc.RefreshAfterAdd();
  ASSERT_EQ(2, doc.GetSpectrumCount());
  CSpectrum* s = doc.GetSpectrumAt(1);
  ASSERT_EQ(s, doc.m_pCurrent);
  s->FindMaximum();
  const int nZero = s->ValueToY(0.0f);
  ASSERT_EQ(nZero + 5, s->m_rectPlot.top);
  m_y = nZero - 3;
  for (int k = 0; k < 3; k++)
    m_x[k] = doc.PointToPixel(2 * (int)kLineCentres[k]);
  // The bracket's rise from the first line towards its middle, above both tips.
  const int f = std::min(std::max(s->PointToY(2 * (int)kLineCentres[0]), 40),
                         std::max(s->PointToY(2 * (int)kLineCentres[1]), 40));
  auto Bracket = [&](const TestBitmap& shot) { return RedIn(shot, m_x[0] + 4, (m_x[0] + m_x[1]) / 2, f - 45, f - 21); };

  m_app.Command(ID_TOOLS_COUPLING);
  HWND table = m_app.WaitDialog("Coupling Constants");
  ASSERT_NE(nullptr, table);
  ClickLine(0);
  ClickLine(1);
  HWND list = ::GetDlgItem(table, IDC_COUPLING_LIST);
  ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, 5000));
  std::unique_ptr<TestBitmap> shot = Shot(m_view);
  EXPECT_EQ(6, RedIn(*shot, m_x[0] - 3, m_x[0] + 3, nZero + 5, nZero + 6)) << "the mark's bar under the zero line";
  EXPECT_EQ(0, RedIn(*shot, m_x[0] - 3, m_x[0] - 1, nZero - 5, nZero - 4)) << "no bar above it";
  EXPECT_EQ(0, Bracket(*shot)) << "an unticked coupling has no bracket";

  // Ticked in the table (the space bar on its first row), then the tool ends.
  ::PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
  ::PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
  ::PostMessageA(list, WM_KEYUP, VK_SPACE, 0);
  m_app.Sync();
  m_app.Command(ID_TOOLS_COUPLING);
  EXPECT_TRUE(WaitFor([&] { return !ToolChecked(ID_TOOLS_COUPLING); }, 5000));
  shot = Shot(m_view);
  EXPECT_LT(5, Bracket(*shot)) << "the ticked coupling's bracket";

  // Tab makes the first spectrum current: the bracket of the other goes.
  ::PostMessageA(m_view, WM_KEYDOWN, VK_TAB, 0);
  m_app.Sync();
  shot = Shot(m_view);
  EXPECT_EQ(0, Bracket(*shot)) << "a coupling of a spectrum that is not current";
  ::PostMessageA(m_view, WM_KEYDOWN, VK_TAB, 0);
  m_app.Sync();
  shot = Shot(m_view);
  EXPECT_LT(5, Bracket(*shot)) << "current again";

  // The added file of our own left the import type the user had.
  EXPECT_EQ(0, OpenAdditional(""));
  ASSERT_TRUE(BrivaneProcess::Dismiss(table, IDCANCEL));
}

// A press on a trace and its release on the same spot, without a drag,
// puts the spectrum's zero line at the spot, as the line drawn while
// moving it shows.
TEST_F(MeasureProgramTest, AClickOnATraceWithoutADragPutsItsZeroLineThere) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = LayOut(doc);
  ASSERT_NE(nullptr, s);
  const int nZero = s->ValueToY(0.0f);
  // Between two lines the trace lies near its zero line; the press goes
  // 2 pixels above the trace as the screen shows it, within its reach and
  // clear of the zero line as it was.
  const int x = doc.PointToPixel(2 * 400);
  const std::unique_ptr<TestBitmap> drawn = Shot(m_view);
  int yTrace = -1;
  for (int row = 0; row < drawn->height() && yTrace < 0; row++)
    if (drawn->Pixel(x, row) == s->m_crTrace)
      yTrace = row;
  ASSERT_GE(yTrace, 0) << "the trace in column " << x;
  EXPECT_NEAR(s->PointToY(2 * 400), yTrace, 1) << "the trace drawn on its band";
  const int y = yTrace - 2;
  // The real pointer there too: hovering over the trace is what arms the
  // move, and the system's own moves carry the pointer's place.
  ASSERT_TRUE(PutPointer(m_view, POINT{x, y}));
  // Sent, not posted: a message sent by Sync or Save is handled before
  // posted ones, so the save could come before the click.
  ::SendMessageA(m_view, WM_MOUSEMOVE, 0, At(x, y));
  ::SendMessageA(m_view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  ::SendMessageA(m_view, WM_LBUTTONUP, 0, At(x, y));
  m_app.Sync();
  ::SetCursorPos(0, 0);
  m_app.Command(ID_FILE_SAVE);
  CBrivaneProDoc saved(&m_host);
  ASSERT_TRUE(saved.ReadNativeFile(m_path.c_str()));
  const RECT& band = saved.GetSpectrumAt(0)->m_rectPlot;
  EXPECT_NEAR(y, (band.top + band.bottom) / 2, 1) << "zero line was at " << nZero;
}

// An integral that another writer stored with its start after its end:
// the added document shows its curve over the line it covers, and draws
// nothing of it anywhere else.
TEST_F(MeasureProgramTest, AnIntegralStoredBackwardsDrawsItsCurveOverItsLine) {
  const COLORREF kGreen = RGB(0, 160, 0);
  const std::string path = m_path.substr(0, m_path.size() - 4) + "_integral.bvx";
  {
    CViewHost host;
    CBrivaneProDoc doc(&host);
    CSpectrum* s = AddTestSpectrum(doc, "lines", kLinesTd, 1, Lines);
    doc.RefreshAfterAdd();
    s->m_arrIntegrals.Add(new CIntegral(s, 2 * 550, 2 * 450, 100, kGreen));
    ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  }
  ASSERT_EQ(0, OpenAdditional(path));
  RECT rc;
  ::GetClientRect(m_view, &rc);
  const int x0 = (int)((long long)rc.right * 2 * 450 / kLinesTd), x1 = (int)((long long)rc.right * 2 * 550 / kLinesTd);
  const std::unique_ptr<TestBitmap> shot = Shot(m_view);
  int nOver = 0, nElsewhere = 0;
  for (int y = 0; y < shot->height(); y++) {
    for (int x = 0; x < shot->width(); x++) {
      if (shot->Pixel(x, y) != kGreen)
        continue;
      if (x >= x0 - 3 && x <= x1 + 3)
        nOver++;
      else
        nElsewhere++;
    }
  }
  EXPECT_LT(50, nOver) << "the curve over the line";
  EXPECT_EQ(0, nElsewhere);
  ::DeleteFileA(path.c_str());
}

}  // namespace
