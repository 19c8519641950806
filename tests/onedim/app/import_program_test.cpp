// brivane23.exe opening today's spectrometer files through File > Open and
// the import dialog, as a user does: a TopSpin 13C FID transformed with no
// mirror image, the vendor's processed spectrum on its ppm axis (also kept
// without its imaginary part), a JCAMP-DX spectrum on the scale of its shift
// reference, a JCAMP-DX FID and a WinNMR FID transformed as their Bruker
// experiment. Each step is checked on the screen and in the document the
// program saves.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "resources/BrivaneRes.h"
#include "resources/ImportDialogsRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/OleTestSupport.h"
#include "tests/onedim/app/lines_document.h"

namespace {

const int kTypeBruker = 0;
const int kTypeWinNmr = 2;
const int kTypeJcamp = 8;

const std::string kExperiment = BRIVANE_REALDATA_DIR "/bruker-gaba-13c/13C/";
// From the vendor's procs: the left edge and the width in ppm; the shifts of
// the vendor's three strongest lines, strongest first (its points 24707,
// 26311 and 23964 of 32768).
const double kOffset = 202.4913;
const double kWidthPpm = 27573.5294117647 / 125.764971327016;
const double kStrongestPpm[] = {37.1798, 26.4483, 42.1517};

struct ControlSearch {
  int id;
  const char* cls;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND hWnd, LPARAM param) {
  ControlSearch* s = reinterpret_cast<ControlSearch*>(param);
  char name[32] = "";
  ::GetClassNameA(hWnd, name, sizeof name);
  if (::GetDlgCtrlID(hWnd) == s->id && ::lstrcmpiA(name, s->cls) == 0)
    s->found = hWnd;
  return s->found == nullptr;
}

// A control of a dialog by its id and class, however deep it lies.
HWND FindControl(HWND parent, int id, const char* cls) {
  ControlSearch search = {id, cls, nullptr};
  ::EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The trace as the screen shows it: for each column of the view the pixel
// of the trace's colour farthest from the zero line, in pixels above it
// (negative below). The axis at the bottom is left out.
std::vector<int> TraceHeights(HWND view, int nZeroLine, COLORREF crTrace) {
  std::unique_ptr<TestBitmap> shot = ScreenCopy(view);
  std::vector<int> heights((size_t)shot->width(), 0);
  for (int x = 0; x < shot->width(); x++)
    for (int y = 0; y < nZeroLine + 30 && y < shot->height(); y++)
      if (shot->Pixel(x, y) == crTrace && std::abs(nZeroLine - y) > std::abs(heights[(size_t)x]))
        heights[(size_t)x] = nZeroLine - y;
  return heights;
}

// The current document's spectrum as the screen shows it once redrawn: its
// trace over the zero line a spectrum has, 41 pixels above the view's
// bottom; rc receives the view's client area. A window that has just come
// may not show yet: the screen is read again until a trace is there, for a
// few seconds. Empty without a view.
std::vector<int> ShownSpectrum(const BrivaneProcess& app, RECT& rc) {
  std::vector<int> heights;
  WaitFor(
      [&] {
        HWND view = SpectrumView(app);
        if (view == nullptr)
          return false;
        ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GetClientRect(view, &rc);
        heights = TraceHeights(view, rc.bottom - 41, RGB(0, 0, 255));
        return std::any_of(heights.begin(), heights.end(), [](int h) { return h != 0; });
      },
      5000);
  return heights;
}

int Strongest(const std::vector<int>& heights) {
  auto magnitude = [](int a, int b) {
    return std::abs(a) < std::abs(b);
  };
  return (int)(std::max_element(heights.begin(), heights.end(), magnitude) - heights.begin());
}

// The largest excursion within 3 columns of x, over the median excursion of
// the 100 columns either side (the noise).
int ExcursionNear(const std::vector<int>& heights, int x) {
  std::vector<int> around;
  for (int d = -100; d <= 100; d++)
    if (std::abs(d) > 5 && x + d >= 0 && x + d < (int)heights.size())
      around.push_back(std::abs(heights[(size_t)(x + d)]));
  std::nth_element(around.begin(), around.begin() + (long)around.size() / 2, around.end());
  int peak = 0;
  for (int d = -3; d <= 3; d++)
    if (x + d >= 0 && x + d < (int)heights.size())
      peak = std::max(peak, std::abs(heights[(size_t)(x + d)]));
  return peak - around[around.size() / 2];
}

class ImportProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + "brivane_import_test";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }

  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  // File > Open, the file type chosen in the dialog's combo as a user picks
  // it, and path entered; true once the dialog has gone.
  static bool ChooseInTheDialog(BrivaneProcess& app, const std::string& path, int nType) {
    app.PostCommand(ID_FILE_OPEN);
    HWND dialog = app.WaitDialog("Import file");
    HWND combo = dialog != nullptr ? FindControl(dialog, IDC_IMPORT_FILE_TYPE, "ComboBox") : nullptr;
    if (combo == nullptr)
      return false;
    ::SendMessageA(combo, CB_SETCURSEL, (WPARAM)nType, 0);
    ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(IDC_IMPORT_FILE_TYPE, CBN_SELCHANGE), (LPARAM)combo);
    return BrivaneProcess::EnterFileName(dialog, path) && WaitFor([&] { return !::IsWindow(dialog); }, 15000);
  }

  // File > Open of path with the file type chosen in the dialog's combo, as
  // a user picks it; true once the document window has come.
  static bool OpenThroughTheDialog(BrivaneProcess& app, const std::string& path, int nType) {
    const int nBefore = app.ChildCount();
    if (!ChooseInTheDialog(app, path, nType))
      return false;
    if (!WaitFor([&] { return app.ChildCount() > nBefore; }, 20000))
      return false;
    app.Sync();
    return true;
  }

  // The scale bar's units entry: 0 seconds, 1 ppm, 2 Hz, 3 points.
  static int UnitsEntry(const BrivaneProcess& app) {
    HWND units = ::GetDlgItem(::GetDlgItem(app.main(), IDD_SCALE_BAR), IDC_SCALEBAR_UNITS);
    return (int)::SendMessageA(units, CB_GETCURSEL, 0, 0);
  }

  // What the program saves of its current document, read back.
  struct Saved {
    CViewHost host;
    CBrivaneProDoc doc{&host};
  };
  std::unique_ptr<Saved> SaveAndRead(BrivaneProcess& app, const char* name) const {
    const std::string path = Path(name);
    ::DeleteFileA(path.c_str());
    std::unique_ptr<Saved> saved(new Saved);
    if (!app.SaveAs(path) || !saved->doc.ReadNativeFile(path.c_str()) || saved->doc.GetSpectrumCount() != 1)
      return nullptr;
    return saved;
  }

  std::string m_dir;
};

// The FID through the dialog, then Fourier Transform with the dialog's own
// values: it rotates by GRPDLY, and the spectrum has no image of its
// strongest line across the middle. Then the vendor's 1r beside it: a
// spectrum on ppm, the strongest line at the vendor's shift.
TEST_F(ImportProgramTest, TopSpinFidTransformsWithoutAMirrorImageAndItsProcessedSpectrumOpensOnPpm) {
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(OpenThroughTheDialog(app, BrivaneProcess::WinePath(kExperiment + "fid"), kTypeBruker));
  EXPECT_EQ(0, UnitsEntry(app)) << "an FID, in seconds";

  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("76", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_FT_ROTATION)));
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_ROTATE), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_REAL), BM_GETCHECK, 0, 0)) << "complex data";
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  app.Sync();
  EXPECT_EQ(1, UnitsEntry(app));

  RECT rc;
  std::vector<int> heights = ShownSpectrum(app, rc);
  ASSERT_FALSE(heights.empty());
  const int x = Strongest(heights);
  ASSERT_GT(heights[(size_t)x], rc.bottom / 2) << "the tallest line upright, over most of the view";
  // Without the vendor's line broadening the tallest is one of its three
  // strongest; its image across the middle would stand 42 % of it high.
  const double dPpm = kOffset - kWidthPpm * x / rc.right;
  EXPECT_TRUE(std::any_of(std::begin(kStrongestPpm), std::end(kStrongestPpm), [&](double ppm) {
    return std::fabs(ppm - dPpm) < 2 * kWidthPpm / rc.right;
  })) << dPpm;
  EXPECT_LT(ExcursionNear(heights, rc.right - 1 - x), heights[(size_t)x] / 10);

  std::unique_ptr<Saved> transformed = SaveAndRead(app, "topspin_ft.bvx");
  ASSERT_NE(nullptr, transformed);
  const CSpectrum& s = *transformed->doc.GetSpectrumAt(0);
  EXPECT_EQ(AXIS_UNITS_PPM, s.m_Scale.m_nUnits);
  EXPECT_EQ(76.0, s.m_paramsA.GRPDLY) << "the delay travels with the spectrum";
  const int n = s.m_paramsA.td / 2;
  auto mag = [&](int k) {
    return std::hypot((double)s.m_pData[2 * k], (double)s.m_pData[2 * k + 1]);
  };
  int k = 0;
  for (int i = 0; i < n; i++)
    if (mag(i) > mag(k))
      k = i;
  double image = 0.0;
  for (int d = -3; d <= 3; d++)
    image = std::max(image, mag(n - 1 - k + d));
  EXPECT_LT(image, 0.05 * mag(k));

  ASSERT_TRUE(OpenThroughTheDialog(app, BrivaneProcess::WinePath(kExperiment + "pdata/1/1r"), kTypeBruker));
  EXPECT_EQ(1, UnitsEntry(app)) << "a spectrum, in ppm";
  heights = ShownSpectrum(app, rc);
  ASSERT_FALSE(heights.empty());
  const int xVendor = Strongest(heights);
  EXPECT_GT(heights[(size_t)xVendor], rc.bottom / 2) << "upright, over most of the view";
  EXPECT_NEAR(kStrongestPpm[0], kOffset - kWidthPpm * xVendor / rc.right, 2 * kWidthPpm / rc.right);

  std::unique_ptr<Saved> processed = SaveAndRead(app, "topspin_1r.bvx");
  ASSERT_NE(nullptr, processed);
  const CSpectrum& p = *processed->doc.GetSpectrumAt(0);
  EXPECT_EQ(AXIS_UNITS_PPM, p.m_Scale.m_nUnits);
  EXPECT_NEAR(kStrongestPpm[0], p.ConvertUnits(p.GetMaxIndex(), AXIS_UNITS_PPM), kWidthPpm / 32768);
}

// A JCAMP-DX export whose x put the methyl line of aspirin at 2.77 ppm and
// whose shift reference puts it at 2.29, where it is.
TEST_F(ImportProgramTest, JcampSpectrumOpensOnTheScaleOfItsShiftReference) {
  const char kAspirin[] =
      "##TITLE= aspirin\n##JCAMP-DX= 5.00\n##DATA TYPE= NMR SPECTRUM\n##DATA CLASS= XYDATA\n"
      "##.OBSERVE FREQUENCY= 300.13\n##.SHIFT REFERENCE= INTERNAL, CDCl3, 1, 15.47866\n##XUNITS= HZ\n"
      "##FIRSTX= 4789.6726258\n##LASTX= -488.0774086\n##NPOINTS= 16\n##XYDATA= (X++(Y..Y))\n"
      "4789 1 2 1 3 2 1 2 1\n2391 1 2 3 1 900 2 1 2\n##END=\n";
  const std::string path = Path("aspirin.dx");
  {
    std::ofstream out(path, std::ios::binary);
    out << kAspirin;
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(OpenThroughTheDialog(app, path, kTypeJcamp));
  EXPECT_EQ(1, UnitsEntry(app));

  RECT rc;
  const std::vector<int> heights = ShownSpectrum(app, rc);
  ASSERT_FALSE(heights.empty());
  const int x = Strongest(heights);
  // The view spans 16 points of 1.099 ppm from 15.47866 ppm down.
  const double ppmPerPixel = 16 * 1.099055 / rc.right;
  EXPECT_NEAR(2.29, 15.47866 - ppmPerPixel * x, 2 * ppmPerPixel);

  std::unique_ptr<Saved> saved = SaveAndRead(app, "aspirin.bvx");
  ASSERT_NE(nullptr, saved);
  const CSpectrum& s = *saved->doc.GetSpectrumAt(0);
  EXPECT_EQ(AXIS_UNITS_PPM, s.m_Scale.m_nUnits);
  EXPECT_NEAR(2.29, s.ConvertUnits(s.GetMaxIndex(), AXIS_UNITS_PPM), 1e-6);
}

// A TopSpin processed folder kept without 1i opens through File > Open as a
// real spectrum, its tallest line at the vendor's shift; Phase Correction is
// refused with a message and leaves the spectrum as it was.
TEST_F(ImportProgramTest, ProcessedSpectrumWithoutItsImaginaryPartOpensAndRefusesPhasing) {
  const std::string folder = Path("gaba_no_1i");
  for (const char* sub : {"", "\\pdata", "\\pdata\\1"})
    ::CreateDirectoryA((folder + sub).c_str(), nullptr);
  for (const char* name : {"acqus", "pdata/1/procs", "pdata/1/1r"}) {
    std::string target = folder + "\\" + name;
    std::replace(target.begin(), target.end(), '/', '\\');
    ASSERT_TRUE(::CopyFileA(BrivaneProcess::WinePath(kExperiment + name).c_str(), target.c_str(), FALSE)) << name;
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(OpenThroughTheDialog(app, folder + "\\pdata\\1\\1r", kTypeBruker));
  EXPECT_EQ(1, UnitsEntry(app)) << "a spectrum, in ppm";
  RECT rc;
  const std::vector<int> heights = ShownSpectrum(app, rc);
  ASSERT_FALSE(heights.empty());
  const int x = Strongest(heights);
  EXPECT_GT(heights[(size_t)x], rc.bottom / 2) << "upright, over most of the view";
  EXPECT_NEAR(kStrongestPpm[0], kOffset - kWidthPpm * x / rc.right, 2 * kWidthPpm / rc.right);

  app.PostCommand(ID_PROCESS_PHASE);
  HWND box = app.WaitDialog("Brivane");
  ASSERT_NE(nullptr, box);
  EXPECT_NE(std::string::npos,
            BrivaneProcess::StaticTexts(box).find("The spectrum has no imaginary part: it cannot be phased"))
      << BrivaneProcess::StaticTexts(box);
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  app.Sync();
  EXPECT_EQ(nullptr, app.WaitDialog("Phase Correction", 500)) << "no phase dialog after the refusal";

  std::unique_ptr<Saved> saved = SaveAndRead(app, "gaba_no_1i.bvx");
  ASSERT_NE(nullptr, saved);
  const CSpectrum& s = *saved->doc.GetSpectrumAt(0);
  EXPECT_EQ(1, s.m_bTransformed);
  EXPECT_NEAR(kStrongestPpm[0], s.ConvertUnits(s.GetMaxIndex(), AXIS_UNITS_PPM), kWidthPpm / 32768);
  for (int i = 1; i < s.m_paramsA.td; i += 2)
    ASSERT_EQ(0.0f, s.m_pData[i]) << i;
}

// The aspirin FID as WinNMR keeps it: PC floats beside the acquisition's
// acqus (which says its words were big-endian) and procs. Its folder; empty
// when it cannot be written.
std::string WriteWinNmrFid(const std::string& folder) {
  const std::string aspirin = BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/";
  for (const char* sub : {"", "\\pdata", "\\pdata\\1"})
    ::CreateDirectoryA((folder + sub).c_str(), nullptr);
  if (!::CopyFileA(BrivaneProcess::WinePath(aspirin + "acqus").c_str(), (folder + "\\acqus").c_str(), FALSE) ||
      !::CopyFileA(BrivaneProcess::WinePath(aspirin + "pdata/1/procs").c_str(), (folder + "\\pdata\\1\\procs").c_str(),
                   FALSE))
    return "";
  std::ifstream in(BrivaneProcess::WinePath(aspirin + "fid"), std::ios::binary);
  std::ofstream out(folder + "\\fid", std::ios::binary);
  unsigned char b[4];
  while (in.read(reinterpret_cast<char*>(b), 4)) {
    const float f = (float)(int32_t)((uint32_t)b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]);
    out.write(reinterpret_cast<const char*>(&f), 4);
  }
  return out ? folder : "";
}

// The aspirin FID read as Bruker, as the JCAMP-DX "NMR FID" exported from it
// and as WinNMR keeps it, each through File > Open and Process > Fourier
// Transform with the dialog as it opens: the parameters page shows the
// order the data are in; each dialog offers what the Bruker one does
// (complex points, the digital filter's 61 points rotated); the three show
// their tallest line in the same column and save it at the same ppm, with
// the first point at procs OFFSET.
TEST_F(ImportProgramTest, AnFidExportedOrKeptByWinNmrTransformsWithTheDialogsChoicesAsTheBrukerFid) {
  const std::string winNmr = WriteWinNmrFid(Path("winnmr"));
  ASSERT_FALSE(winNmr.empty());
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  const struct {
    std::string path;
    int nType;
    const char* saved;
    const char* byteOrder;
  } roads[] = {
      {BrivaneProcess::WinePath(BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid"), kTypeBruker, "aspirin_bruker.bvx",
       "Big endian"},
      {BrivaneProcess::WinePath(BRIVANE_REALDATA_DIR "/jcamp-aspirin-fid.dx"), kTypeJcamp, "aspirin_jcamp.bvx",
       "Little endian"},
      {winNmr + "\\fid", kTypeWinNmr, "aspirin_winnmr.bvx", "Little endian"},
  };
  int xBruker = -1;
  double ppmBruker = 0;
  for (const auto& road : roads) {
    ASSERT_TRUE(OpenThroughTheDialog(app, road.path, road.nType)) << road.path;
    EXPECT_EQ(0, UnitsEntry(app)) << "an FID, in seconds";
    app.PostCommand(ID_EDIT_PROPERTIES);
    HWND sheet = app.WaitDialog("Spectrum Properties");
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(road.byteOrder, BrivaneProcess::WindowText(FindControl(sheet, IDC_PROP_BYTE_ORDER, "ComboBox")))
        << road.path;
    ASSERT_TRUE(BrivaneProcess::Dismiss(sheet, IDCANCEL));

    app.PostCommand(ID_PROCESS_FOURIER);
    HWND dialog = app.WaitDialog("Fourier Transform");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_REAL), BM_GETCHECK, 0, 0)) << road.path;
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_QUADRATURE), BM_GETCHECK, 0, 0)) << road.path;
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(dialog, IDC_FT_ROTATE), BM_GETCHECK, 0, 0)) << road.path;
    EXPECT_EQ("61", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_FT_ROTATION))) << road.path;
    ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
    app.Sync();
    EXPECT_EQ(1, UnitsEntry(app));
    RECT rc;
    const std::vector<int> heights = ShownSpectrum(app, rc);
    ASSERT_FALSE(heights.empty());
    const int x = Strongest(heights);
    EXPECT_GT(heights[(size_t)x], rc.bottom / 2) << "upright, over most of the view: " << road.path;

    std::unique_ptr<Saved> saved = SaveAndRead(app, road.saved);
    ASSERT_NE(nullptr, saved);
    const CSpectrum& s = *saved->doc.GetSpectrumAt(0);
    const double ppm = s.ConvertUnits(s.GetMaxIndex(), AXIS_UNITS_PPM);
    const double ppmPoint = s.m_paramsA.sw / s.m_paramsA.sf / (s.m_paramsA.td / 2);
    EXPECT_NEAR(15.47866, s.ConvertUnits(0, AXIS_UNITS_PPM), 1e-6) << "procs OFFSET: " << road.path;
    if (xBruker < 0) {
      xBruker = x;
      ppmBruker = ppm;
      EXPECT_NEAR(2.29, ppm, 0.05) << "the methyl singlet";
    }
    EXPECT_NEAR(xBruker, x, 1) << road.path;
    EXPECT_NEAR(ppmBruker, ppm, ppmPoint) << road.path;
  }
}

}  // namespace

namespace {

// The aspirin FID transformed, transformed back and transformed again, each
// time with the dialog as it opens: the last dialog offers the first one's
// quadrature rotation, and the spectrum comes back with its methyl line in
// the same column at 2.29 ppm, not at the other half's 10.27.
TEST_F(ImportProgramTest, TransformInverseAndTransformWithTheDialogsChoicesGiveTheSpectrumBack) {
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(OpenThroughTheDialog(app, BrivaneProcess::WinePath(BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid"),
                                   kTypeBruker));
  int xFirst = -1;
  for (int nStep = 0; nStep < 3; nStep++) {
    app.PostCommand(ID_PROCESS_FOURIER);
    HWND dialog = app.WaitDialog("Fourier Transform");
    ASSERT_NE(nullptr, dialog);
    auto checked = [&](int nID) { return ::SendMessageA(::GetDlgItem(dialog, nID), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_EQ(nStep == 1, checked(IDC_FT_INVERSE)) << nStep;
    EXPECT_TRUE(checked(IDC_FT_QUADRATURE)) << nStep;
    EXPECT_FALSE(checked(IDC_FT_REAL)) << nStep;
    EXPECT_EQ(nStep == 0, checked(IDC_FT_ROTATE)) << nStep << ": the filter's delay is rotated once";
    ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
    app.Sync();
    if (nStep == 1)
      continue;
    RECT rc;
    const std::vector<int> heights = ShownSpectrum(app, rc);
    ASSERT_FALSE(heights.empty());
    const int x = Strongest(heights);
    if (xFirst < 0)
      xFirst = x;
    EXPECT_NEAR(xFirst, x, 1) << nStep;
  }
  std::unique_ptr<Saved> saved = SaveAndRead(app, "aspirin_round_trip.bvx");
  ASSERT_NE(nullptr, saved);
  const CSpectrum& s = *saved->doc.GetSpectrumAt(0);
  EXPECT_NEAR(2.29, s.ConvertUnits(s.GetMaxIndex(), AXIS_UNITS_PPM), 0.05) << "the methyl singlet";
}

// Every message box the program shows within a few seconds, answered with
// OK, by its text.
std::vector<std::string> AnswerBoxes(BrivaneProcess& app) {
  std::vector<std::string> texts;
  while (HWND box = app.WaitDialog("Brivane", texts.empty() ? 15000 : 3000)) {
    texts.push_back(BrivaneProcess::StaticTexts(box));
    if (!BrivaneProcess::Dismiss(box, IDOK) || texts.size() > 3)
      break;
    app.Sync();
  }
  return texts;
}

// Open Additional of the aspirin FID and a damaged copy of it chosen
// together: one box says it failed, the window holds the one spectrum it
// held, and Apodize still weights it.
TEST_F(ImportProgramTest, OpenAdditionalOfAGoodAndAFailingFileLeavesTheDocumentAsItWas) {
  const std::string folder = Path("additional");
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"acqus", "fid"})
    ASSERT_TRUE(::CopyFileA((BrivaneProcess::WinePath(BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/") + name).c_str(),
                            (folder + "\\" + name).c_str(), FALSE));
  {
    std::ofstream bad(folder + "\\short", std::ios::binary);
    bad << "X";
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(OpenThroughTheDialog(app, folder + "\\fid", kTypeBruker));
  RECT rc;
  const std::vector<int> before = ShownSpectrum(app, rc);
  ASSERT_FALSE(before.empty());

  app.PostCommand(ID_FILE_OPEN_ADDITIONAL);
  HWND dialog = app.WaitDialog("Import file");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(BrivaneProcess::EnterFileName(dialog, "\"" + folder + "\\fid\" \"" + folder + "\\short\""));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 15000));
  EXPECT_EQ(std::vector<std::string>{"Failed to open"}, AnswerBoxes(app));
  EXPECT_EQ(1, app.ChildCount());
  EXPECT_EQ(before, ShownSpectrum(app, rc)) << "the spectrum drawn as before";

  app.PostCommand(ID_PROCESS_APODIZE);
  HWND apodize = app.WaitDialog("Window Functions");
  ASSERT_NE(nullptr, apodize);
  ::SendMessageA(::GetDlgItem(apodize, IDC_WF_LB), WM_SETTEXT, 0, (LPARAM) "5.0");
  ASSERT_TRUE(BrivaneProcess::Dismiss(apodize, IDOK));
  app.Sync();
  EXPECT_NE(before, ShownSpectrum(app, rc)) << "the FID weighted";
  EXPECT_NE(nullptr, SaveAndRead(app, "additional.bvx")) << "one spectrum in the document";

  // Both files were read: the history starts a translation for each.
  app.PostCommand(ID_VIEW_LOG_SCREEN);
  HWND history = app.WaitDialog("History List");
  ASSERT_NE(nullptr, history);
  std::vector<char> text(1 << 16, '\0');
  ::SendMessageTimeoutA(::GetDlgItem(history, IDC_HISTORY_EDIT), WM_GETTEXT, text.size(), (LPARAM)text.data(),
                        SMTO_NORMAL, 5000, nullptr);
  const std::string log = text.data();
  int nStarts = 0;
  for (size_t at = log.find("Starting traslation for"); at != std::string::npos;
       at = log.find("Starting traslation for", at + 1))
    nStarts++;
  EXPECT_EQ(3, nStarts) << log;
  ASSERT_TRUE(BrivaneProcess::Dismiss(history, IDOK));
}

// A file that is no JCAMP-DX file, opened as one: one box tells it, and no
// window opens.
TEST_F(ImportProgramTest, AFailingJcampImportShowsOneBox) {
  const std::string path = Path("not_jcamp.dx");
  {
    std::ofstream out(path);
    out << "no labelled data here\n";
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start(""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();
  ASSERT_TRUE(ChooseInTheDialog(app, path, kTypeJcamp));
  EXPECT_EQ(std::vector<std::string>{"Failed to import JCAMP-DX file\nCheck the history window"}, AnswerBoxes(app));
  EXPECT_EQ(0, app.ChildCount());
}

}  // namespace
