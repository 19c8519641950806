// Phase correction as a user meets it: Autophase Correction, and the Phase
// Correction dialog turned by mouse drags on its dials or clicks on its
// arrows, then OK or Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/app/lines_document.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "resources/BrivaneRes.h"

namespace {

class CPhaseHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

const double kDegree = 0.017453292519943295;

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "brivane_phase_test";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  std::string path = dir + "\\" + name;
  ::DeleteFileA(path.c_str());
  return path;
}

// A spectrum of one broad dispersive line on an offset, so that every phase
// change shows in the data.
std::string WriteSpectrum(const char* name) {
  CPhaseHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, "line", 4096, 1, [](int i) {
    const double x = (i / 2 - 900) / 40.0;
    return (float)(i % 2 ? 1 / (1 + x * x) : x / (1 + x * x) + 0.05);
  });
  s->m_bTransformed = 1;
  doc.RefreshAfterAdd();
  std::string path = TempPath(name);
  EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
  return path;
}

bool SaveAs(BrivaneProcess& app, const std::string& path) {
  app.PostCommand(ID_FILE_SAVE_AS);
  HWND save = app.WaitDialog();
  if (save == nullptr || !BrivaneProcess::EnterFileName(save, path))
    return false;
  const bool bSaved = WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
  app.Sync();
  return bSaved;
}

struct Saved {
  CPhaseHost host;
  CBrivaneProDoc doc{&host};
  const CSpectrum* s = nullptr;
  bool Read(const std::string& path) {
    if (!doc.ReadNativeFile(path.c_str()))
      return false;
    s = doc.GetSpectrumAt(0);
    return s != nullptr && s->m_pData != nullptr;
  }
};

}  // namespace

// In the Phase Correction dialog, a quarter turn of the zero-order dial and
// two full turns of the first-order dial apply 90 and 720 degrees on OK; a
// further session with every control moved and then Cancel leaves the data
// and the phases bit for bit as they were. Autophase Correction then phases
// the spectrum as the document core does.
TEST(PhaseProgramTest, DialsOnOkCancelRestoringTheDataThenAutophase) {
  const std::string source = WriteSpectrum("line.bvx");
  const std::string turned = TempPath("turned.bvx");
  const std::string cancelled = TempPath("cancelled.bvx");
  const std::string autophased = TempPath("autophased.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + source + "\""));
  ASSERT_NE(nullptr, app.WaitMainWindow());
  app.Sync();

  app.PostCommand(ID_PROCESS_PHASE);
  HWND dialog = app.WaitDialog("Phase Correction");
  ASSERT_NE(nullptr, dialog);
  HWND zero = ::GetDlgItem(dialog, IDC_PHASE_ZERO_SLIDER);
  HWND first = ::GetDlgItem(dialog, IDC_PHASE_FIRST_SLIDER);
  ASSERT_TRUE(TurnDial(zero, 0, 90));
  ASSERT_TRUE(TurnDial(first, 0, 720));
  ::CheckDlgButton(dialog, IDC_PHASE_BASELINE, BST_UNCHECKED);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  ASSERT_TRUE(SaveAs(app, turned));

  app.PostCommand(ID_PROCESS_PHASE);
  dialog = app.WaitDialog("Phase Correction");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("90.00", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_PHASE_ZERO)));
  EXPECT_EQ("720.00", BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_PHASE_FIRST)));
  zero = ::GetDlgItem(dialog, IDC_PHASE_ZERO_SLIDER);
  first = ::GetDlgItem(dialog, IDC_PHASE_FIRST_SLIDER);
  ASSERT_TRUE(TurnDial(zero, 90, -150));
  ::PostMessageA(dialog, WM_HSCROLL, SB_PAGERIGHT, (LPARAM)::GetDlgItem(dialog, IDC_PHASE_PIVOT));
  ASSERT_TRUE(TurnDial(first, 0, -420));
  ASSERT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_PHASE_FIRST)) == "300"; }, 5000))
      << BrivaneProcess::WindowText(::GetDlgItem(dialog, IDC_PHASE_FIRST));
  // Enter in an edit takes any number: the dial shows it modulo 360.
  HWND firstEdit = ::GetDlgItem(dialog, IDC_PHASE_FIRST);
  ::SendMessageA(firstEdit, WM_SETTEXT, 0, (LPARAM) "-1000");
  ::PostMessageA(firstEdit, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(first, TBM_GETPOS, 0, 0) == 80; }, 5000));
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
  ASSERT_TRUE(SaveAs(app, cancelled));

  app.PostCommand(ID_PROCESS_AUTOPHASE);
  ASSERT_TRUE(SaveAs(app, autophased));

  Saved src, t, c, ref, a;
  ASSERT_TRUE(src.Read(source) && t.Read(turned) && c.Read(cancelled) && ref.Read(cancelled) && a.Read(autophased));
  const size_t nBytes = sizeof(float) * (size_t)src.s->m_paramsA.td;
  ASSERT_EQ(src.s->m_paramsA.td, a.s->m_paramsA.td);
  EXPECT_NEAR(90.0 * kDegree, t.s->m_dPhase0, 1e-6);
  EXPECT_NEAR(720.0 * kDegree, t.s->m_dPhase1, 1e-5);
  EXPECT_NE(0, std::memcmp(src.s->m_pData, t.s->m_pData, nBytes));

  EXPECT_EQ(t.s->m_dPhase0, c.s->m_dPhase0);
  EXPECT_EQ(t.s->m_dPhase1, c.s->m_dPhase1);
  EXPECT_EQ(0, std::memcmp(t.s->m_pData, c.s->m_pData, nBytes));

  ASSERT_TRUE(ref.doc.AutoPhaseSpectrum(*ref.doc.GetSpectrumAt(0)));
  EXPECT_EQ(0, std::memcmp(ref.s->m_pData, a.s->m_pData, nBytes));
  EXPECT_NE(0, std::memcmp(c.s->m_pData, a.s->m_pData, nBytes));
}

// A real FID transformed through the menus, then each dial of the Phase
// Correction dialog stepped by clicks on its up-down arrows: after every
// click the edit, the dial's position and the dial's picture agree, and the
// picture is the one the dial paints for that value when asked afresh.
TEST(PhaseProgramTest, EachDialFollowsEveryClickOfItsArrows) {
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  ASSERT_TRUE(Transform(app));
  app.PostCommand(ID_PROCESS_PHASE);
  HWND dialog = app.WaitDialog("Phase Correction");
  ASSERT_NE(nullptr, dialog);
  const struct {
    int nDial, nEdit, nSpin;
  } dials[] = {{IDC_PHASE_ZERO_SLIDER, IDC_PHASE_ZERO, IDC_PHASE_ZERO_SPIN},
               {IDC_PHASE_FIRST_SLIDER, IDC_PHASE_FIRST, IDC_PHASE_FIRST_SPIN}};
  for (const auto& d : dials) {
    HWND dial = ::GetDlgItem(dialog, d.nDial), edit = ::GetDlgItem(dialog, d.nEdit),
         spin = ::GetDlgItem(dialog, d.nSpin);
    const int nStart = std::atoi(BrivaneProcess::WindowText(edit).c_str());
    RECT rc;
    ::GetClientRect(spin, &rc);
    // Up four times, then down twice.
    int nValue = nStart;
    for (int nClick = 0; nClick < 6; nClick++) {
      const bool bUp = nClick < 4;
      ClickWithMouse(spin, POINT{rc.right / 2, bUp ? rc.bottom / 4 : 3 * rc.bottom / 4});
      nValue += bUp ? 1 : -1;
      SCOPED_TRACE(d.nDial);
      SCOPED_TRACE(nValue);
      ASSERT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(edit) == std::to_string(nValue); }, 5000))
          << BrivaneProcess::WindowText(edit);
      ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(dial, TBM_GETPOS, 0, 0) == (nValue % 360 + 360) % 360; }, 5000));
      app.Sync();
      const std::unique_ptr<TestBitmap> shown = Settled(dial);
      const std::unique_ptr<TestBitmap> painted = Shot(dial);
      EXPECT_TRUE(shown->SameAs(*painted)) << "the dial shows its value";
    }
  }
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDCANCEL));
}
