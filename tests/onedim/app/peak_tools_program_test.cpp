// The peak tools in the running program: a band dragged in the peak-picking
// mode picks the lines inside it, the peak list opens with them, and its
// copy puts one line per peak on the clipboard.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <sstream>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/lines_document.h"

namespace {

TEST(PeakToolsProgramTest, ADraggedBandPicksTheLinesInsideAndTheListCopiesThem) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "brivane_peaks.bvx";
  ASSERT_TRUE(WriteLinesDocument(path));
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + path + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  HWND splitter = ::GetDlgItem(child, AFX_IDW_PANE_FIRST);
  HWND view = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
  ASSERT_NE(nullptr, view);

  // The layout the program gave the spectrum, as the document core makes
  // it for this view's size: where its zero line and its lines lie.
  CViewHost host;
  ::GetClientRect(view, &host.m_rc);
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
  doc.RefreshAfterLoad();
  CSpectrum* s = doc.GetSpectrumAt(0);
  doc.SetCurrentSpectrum(s);
  s->FindMaximum();
  const int zero = s->ValueToY(0.0f);
  const int x1 = doc.PointToPixel(2 * 200), x2 = doc.PointToPixel(2 * 600);
  ASSERT_LT(x1 + 20, x2);

  // A band over the first two lines whose lower edge lies just above the
  // zero line.
  app.Command(ID_TOOLS_PEAK_PICKING);
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, At(x1, zero - 3));
  ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, At(x2, zero - 3));
  ::PostMessageA(view, WM_LBUTTONUP, 0, At(x2, zero - 3));
  HWND list = app.WaitDialog("Peak List");
  ASSERT_NE(nullptr, list);
  HWND rows = ::GetDlgItem(list, IDC_PEAK_LIST);
  ASSERT_NE(nullptr, rows);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0) == 4; }, 5000))
      << "FROM, TO and two peaks: " << ::SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(list, WM_COMMAND, ID_PEAKS_COPY, 0, SMTO_NORMAL, 10000, &result);
  const std::string text = ClipboardText();
  std::istringstream lines(text);
  int peaks = 0;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(line.empty() || line.back() == '\r' || lines.eof()) << "CR LF between lines";
    if (!line.empty() && line[0] >= '1' && line[0] <= '9') {
      ++peaks;
      int point = 0;
      ASSERT_EQ(1, std::sscanf(line.c_str(), "%*d\t%d", &point)) << line;
      EXPECT_TRUE(std::abs(point / 2 - 300) <= 1 || std::abs(point / 2 - 500) <= 1) << line;
    }
  }
  EXPECT_EQ(2, peaks) << text;
  ASSERT_TRUE(BrivaneProcess::Dismiss(list, IDOK));
}

}  // namespace
