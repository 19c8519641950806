// A real Bruker FID in brivane23.exe: Zero Filling keeps the acquisition
// time the parameters page shows, and to fewer points it cuts the FID; Set
// Limits takes limits beyond the data and clamps them; a damaged .bvx
// opened through File > Open says why in the reader's words, and one of the
// older layout leaves import type 0 chosen.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "resources/BrivaneRes.h"
#include "resources/ImportDialogsRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

const char kFid[] = BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid";
const int kFidTd = 16384;

// What the program saved, read back by the document core.
struct Saved {
  CTestHost host;
  CBrivaneProDoc doc{&host};
};

class LimitsZeroFillProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + "brivane_limits_test";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }
  void TearDown() override { EndProcessesNamed("brivane23.exe"); }

  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  // File > Open of one file with the import type the profile holds; the
  // message box it ends in, if any, is left open for the caller.
  static bool OpenThroughDialog(BrivaneProcess& app, const std::string& path) {
    app.PostCommand(ID_FILE_OPEN);
    HWND dialog = app.WaitDialog("Import file");
    return dialog != nullptr && BrivaneProcess::EnterFileName(dialog, path);
  }

  // The program's message box, once one is up; null after the time.
  static HWND WaitMessageBox(BrivaneProcess& app, DWORD timeoutMs = 10000) {
    HWND box = nullptr;
    WaitFor(
        [&] {
          box = app.WaitDialog("Brivane", 100);
          return box != nullptr;
        },
        timeoutMs);
    return box;
  }

  // Starts the program and opens the real FID in it; its view then.
  HWND StartOnFid(BrivaneProcess& app) {
    if (!app.Start("") || app.WaitMainWindow() == nullptr)
      return nullptr;
    app.Sync();
    if (!OpenThroughDialog(app, BrivaneProcess::WinePath(kFid)) ||
        !WaitFor([&] { return app.ChildCount() == 1; }, 15000))
      return nullptr;
    app.Sync();
    HWND child = app.ActiveChild();
    HWND splitter = ::GetDlgItem(child, AFX_IDW_PANE_FIRST);
    return splitter != nullptr ? ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST) : nullptr;
  }

  std::unique_ptr<Saved> SaveAndRead(BrivaneProcess& app, const char* name) const {
    const std::string path = Path(name);
    std::unique_ptr<Saved> saved(new Saved);
    if (!app.SaveAs(path) || !saved->doc.ReadNativeFile(path.c_str()))
      return nullptr;
    return saved;
  }

  // The number typed into a dialog's field, then OK.
  static void Enter(HWND dialog, int nId, const char* pszText) {
    HWND field = ::GetDlgItem(dialog, nId);
    if (HWND inner = ::FindWindowExA(field, nullptr, "Edit", nullptr))
      field = inner;
    ::SendMessageA(field, WM_SETTEXT, 0, (LPARAM)pszText);
  }

  std::string m_dir;
};

std::vector<float> FidAsImported() {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  if (!doc.ImportBruker(kFid) || doc.GetSpectrumCount() != 1)
    return {};
  const CSpectrum* s = doc.GetSpectrumAt(0);
  return std::vector<float>(s->m_pData, s->m_pData + s->m_paramsA.td);
}

// Zero Filling to twice the points (what the dialog offers) leaves the
// acquisition time on the parameters page as it was; to fewer points than
// were acquired it cuts the FID, and the page shows the shorter time.
TEST_F(LimitsZeroFillProgramTest, ZeroFillingToFewerPointsCutsTheFidAndAnOddSizeIsRefused) {
  Watchdog watchdog(120000);
  BrivaneProcess app;
  HWND view = StartOnFid(app);
  ASSERT_NE(nullptr, view);
  const std::vector<float> fid = FidAsImported();
  ASSERT_EQ((size_t)kFidTd, fid.size());
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto before = ScreenCopy(view);
  std::string aqFid, aq, byteOrder;
  ASSERT_TRUE(ReadParametersPage(app, aqFid, byteOrder));
  ASSERT_GT(std::atof(aqFid.c_str()), 1.0) << aqFid;

  app.PostCommand(ID_PROCESS_ZERO_FILL);
  HWND dialog = app.WaitDialog("Zero Filling");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("32768", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_ZF_POINTS)));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  ASSERT_TRUE(ReadParametersPage(app, aq, byteOrder));
  EXPECT_EQ(aqFid, aq) << "zeros were not acquired";

  app.PostCommand(ID_PROCESS_ZERO_FILL);
  dialog = app.WaitDialog("Zero Filling");
  ASSERT_NE(nullptr, dialog);
  Enter(dialog, IDC_ZF_POINTS, "8000");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  ASSERT_TRUE(ReadParametersPage(app, aq, byteOrder));
  EXPECT_NEAR(std::atof(aqFid.c_str()) * 8000 / kFidTd, std::atof(aq.c_str()), 0.0011) << aqFid << " " << aq;
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto after = ScreenCopy(view);
  EXPECT_FALSE(after->SameAs(*before)) << "the shorter FID is drawn across the view";
  EXPECT_GT(after->Count(RGB(0, 0, 255)), 1000);
  std::unique_ptr<Saved> saved = SaveAndRead(app, "cut.bvx");
  ASSERT_NE(nullptr, saved);
  const CSpectrum* s = saved->doc.GetSpectrumAt(0);
  ASSERT_EQ(8000, s->m_paramsA.td);
  EXPECT_EQ(std::vector<float>(fid.begin(), fid.begin() + 8000), std::vector<float>(s->m_pData, s->m_pData + 8000));

  app.PostCommand(ID_PROCESS_ZERO_FILL);
  dialog = app.WaitDialog("Zero Filling");
  ASSERT_NE(nullptr, dialog);
  Enter(dialog, IDC_ZF_POINTS, "7999");
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  HWND box = WaitMessageBox(app);
  ASSERT_NE(nullptr, box);
  EXPECT_NE(std::string::npos,
            BrivaneProcess::StaticTexts(box).find("The number of points must be even and at least 2"));
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  saved = SaveAndRead(app, "odd.bvx");
  ASSERT_NE(nullptr, saved);
  EXPECT_EQ(8000, saved->doc.GetSpectrumAt(0)->m_paramsA.td) << "left as it was";
}

TEST_F(LimitsZeroFillProgramTest, SetLimitsClampsWhatLiesBeyondTheDataAndRefusesEqualLimits) {
  Watchdog watchdog(120000);
  BrivaneProcess app;
  HWND view = StartOnFid(app);
  ASSERT_NE(nullptr, view);
  // Each case: the limits typed (seconds), then the visible range, or none
  // when the dialog or the command refuses them.
  const struct {
    const char* from;
    const char* to;
    const char* refusal;
    int nFirst, nLast;
  } cases[] = {
      {"0.5", "1.0", nullptr, 4788, 9578},
      {"-5", "0.5", nullptr, 0, 4788},  // before the data: from its start
      {"1.0", "99", nullptr, 9578, kFidTd},
      {"5", "10", "These limits show none of the data", 9578, kFidTd},
      {"0.5", "0.5", "Please enter two different limits.", 9578, kFidTd},
  };
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto shown = ScreenCopy(view);
  int nCase = 0;
  for (const auto& c : cases) {
    app.PostCommand(ID_VIEW_SET_LIMITS);
    HWND dialog = app.WaitDialog("Set Limits");
    ASSERT_NE(nullptr, dialog) << c.from;
    EXPECT_EQ("Units: Seconds", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_LIMITS_UNITS)));
    Enter(dialog, IDC_LIMITS_FROM, c.from);
    Enter(dialog, IDC_LIMITS_TO, c.to);
    BrivaneProcess::Press(dialog, IDOK);
    if (c.refusal != nullptr) {
      HWND box = WaitMessageBox(app);
      ASSERT_NE(nullptr, box) << c.from;
      EXPECT_NE(std::string::npos, BrivaneProcess::StaticTexts(box).find(c.refusal)) << c.from;
      ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
      if (::IsWindow(dialog)) {
        // The dialog stays for other limits.
        ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
      }
    } else {
      ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 5000)) << c.from;
    }
    app.Sync();
    ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto now = ScreenCopy(view);
    EXPECT_EQ(c.refusal == nullptr, !now->SameAs(*shown)) << c.from << ": the view shows the new range";
    EXPECT_GT(now->Count(RGB(0, 0, 255)), 300) << c.from;
    shown = std::move(now);
    std::unique_ptr<Saved> saved = SaveAndRead(app, ("limits" + std::to_string(nCase++) + ".bvx").c_str());
    ASSERT_NE(nullptr, saved);
    EXPECT_EQ(c.nFirst, saved->doc.GetSpectrumAt(0)->m_nFirst) << c.from;
    EXPECT_EQ(c.nLast, saved->doc.GetSpectrumAt(0)->m_nLast) << c.from;
  }
}

// The selection of the import dialog's type list, read while it is open.
int ShownImportType(BrivaneProcess& app) {
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  if (dialog == nullptr)
    return -2;
  int nType = -2;
  WaitFor(
      [&] {
        HWND child = ::FindWindowExA(dialog, nullptr, "#32770", nullptr);
        HWND combo = child != nullptr ? ::GetDlgItem(child, IDC_IMPORT_FILE_TYPE) : nullptr;
        nType = combo != nullptr ? (int)::SendMessageA(combo, CB_GETCURSEL, 0, 0) : -2;
        return nType != -2;
      },
      5000);
  BrivaneProcess::Dismiss(dialog, IDCANCEL);
  return nType;
}

TEST_F(LimitsZeroFillProgramTest, FileOpenOfOurOwnDocumentsDamagedOrOfTheOlderLayout) {
  Watchdog watchdog(120000);
  // A whole document cut short, and one of the older layout: version 1, one
  // spectrum of 8 doubles.
  std::string whole;
  {
    CTestHost host;
    CBrivaneProDoc doc(&host);
    AddTestSpectrum(doc, 1024, [](int i) { return (float)(i % 50); });
    const std::string path = Path("whole.bvx");
    ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    whole.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::string cut = Path("cut.bvx");
  std::ofstream(cut, std::ios::binary) << whole.substr(0, 3000);
  std::vector<BYTE> older(1024 + 8 * 8, 0);
  std::memcpy(older.data(), "BVX", 3);
  WriteI32LE(&older[3], 1);
  WriteF64LE(&older[256 + 8], 4000.0);
  WriteF64LE(&older[256 + 16], 400.0);
  WriteI32LE(&older[256 + 32], 8);
  for (int i = 0; i < 8; i++)
    WriteF64LE(&older[1024 + 8 * i], 10.0 * i);
  const std::string olderPath = Path("older.bvx");
  std::ofstream(olderPath, std::ios::binary).write(reinterpret_cast<const char*>(older.data()), older.size());

  // Varian chosen: its importer never sees either file.
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane\\File", &hKey));
  const DWORD dwVarian = 3;
  ::RegSetValueExA(hKey, "File Type", 0, REG_DWORD, (const BYTE*)&dwVarian, sizeof dwVarian);
  ::RegCloseKey(hKey);
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  EXPECT_EQ(3, ShownImportType(app));

  ASSERT_TRUE(OpenThroughDialog(app, cut));
  HWND box = WaitMessageBox(app);
  ASSERT_NE(nullptr, box);
  const std::string why = BrivaneProcess::StaticTexts(box);
  EXPECT_NE(std::string::npos, why.find("Unexpected end of file while reading")) << why;
  EXPECT_NE(std::string::npos, why.find("cut.bvx")) << why;
  EXPECT_EQ(std::string::npos, why.find("ProcPar")) << why;
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  app.Sync();
  EXPECT_EQ(0, app.ChildCount());

  ASSERT_TRUE(OpenThroughDialog(app, olderPath));
  ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 1; }, 10000));
  app.Sync();
  EXPECT_EQ(0, ShownImportType(app)) << "the older layout leaves type 0 chosen";
  std::unique_ptr<Saved> saved = SaveAndRead(app, "older-saved.bvx");
  ASSERT_NE(nullptr, saved);
  const CSpectrum* s = saved->doc.GetSpectrumAt(0);
  ASSERT_EQ(8, s->m_paramsA.td);
  EXPECT_EQ(70.0f, s->m_pData[7]);
}

}  // namespace
