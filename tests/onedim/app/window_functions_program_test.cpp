// Process > Apodize on a real FID, the Window Functions dialog worked with
// the keyboard: an LB typed moves the red weighting curve over the full view
// as it is typed, to where Enter and Apply leave it; Ctrl+Break cancels the
// dialog and leaves the FID as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "resources/BrivaneRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/app/ProgramViewSupport.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

std::string TempPath(const char* pszName) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + pszName;
  ::DeleteFileA(path.c_str());
  return path;
}

// The digits and the point of a number, as keys.
void TypeNumber(const char* pszText) {
  for (const char* p = pszText; *p != '\0'; ++p)
    PressKeys({*p == '.' ? (WORD)VK_OEM_PERIOD : (WORD)(BYTE)*p});
}

}  // namespace

TEST(WindowFunctionsProgramTest, ATypedLbMovesTheCurveAsItIsTypedAndBreakCancels) {
  Watchdog watchdog(120000);
  const std::string before = TempPath("brivane_wf_before.bvx");
  const std::string after = TempPath("brivane_wf_after.bvx");
  BrivaneProcess app;
  ASSERT_TRUE(OpenBrukerFid(app, "bruker-aspirin-1h/1"));
  ASSERT_TRUE(app.SaveAs(before));

  app.PostCommand(ID_PROCESS_APODIZE);
  HWND dialog = app.WaitDialog("Window Functions");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(WaitFor([&] { return PanesOf(app).full != nullptr; }, 5000)) << "the full view shows the curve";
  HWND full = PanesOf(app).full;
  HWND type = ::GetDlgItem(dialog, IDC_WF_TYPE);
  if (BrivaneProcess::WindowText(type) != "Exponential") {
    ::SendMessageA(type, CB_SETCURSEL, 0, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WF_TYPE, CBN_SELCHANGE), (LPARAM)type);
  }
  // The field's text selected and a number typed over it: the curve moves
  // as it is typed, and neither Enter nor Apply moves it further.
  HWND lb = ::GetDlgItem(dialog, IDC_WF_LB);
  std::unique_ptr<TestBitmap> shown = Shot(full);
  for (const char* pszLb : {"0.5", "2"}) {
    SCOPED_TRACE(pszLb);
    ::PostMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)lb, TRUE);
    app.Sync();
    TypeNumber(pszLb);
    ASSERT_TRUE(WaitFor([&] { return BrivaneProcess::WindowText(lb) == pszLb; }, 5000))
        << BrivaneProcess::WindowText(lb);
    ASSERT_TRUE(WaitFor([&] { return !Settled(full)->SameAs(*shown); }, 5000)) << "the curve follows the typing";
    app.Sync();
    const std::unique_ptr<TestBitmap> typed = Settled(full);
    PressKeys({VK_RETURN});
    app.Sync();
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "Enter in the field applies, it does not close";
    EXPECT_TRUE(Shot(full)->SameAs(*typed)) << "Enter leaves the curve where the typing put it";
    BrivaneProcess::Press(dialog, IDC_WF_APPLY);
    app.Sync();
    shown = Shot(full);
    EXPECT_TRUE(shown->SameAs(*typed)) << "so does Apply";
  }

  PressKeys({VK_CONTROL, VK_CANCEL});
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 5000)) << "Ctrl+Break cancels";
  app.Sync();
  ASSERT_TRUE(app.SaveAs(after));
  CTestHost hostBefore, hostAfter;
  CBrivaneProDoc docBefore(&hostBefore), docAfter(&hostAfter);
  ASSERT_TRUE(docBefore.ReadNativeFile(before.c_str()) && docAfter.ReadNativeFile(after.c_str()));
  const CSpectrum* b = docBefore.GetSpectrumAt(0);
  const CSpectrum* a = docAfter.GetSpectrumAt(0);
  ASSERT_EQ(b->m_paramsA.td, a->m_paramsA.td);
  EXPECT_EQ(0, std::memcmp(b->m_pData, a->m_pData, sizeof(float) * (size_t)b->m_paramsA.td));
}
