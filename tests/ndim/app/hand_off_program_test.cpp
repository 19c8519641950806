// A hand-off to the real brivane23.exe: rows of a 2D set go to it, the
// program leaves a phase under the shared key as a user's last document
// would, and the 2D side takes that phase back.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "common/SharedKey.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/HandOffMessageBoxes.h"
#include "ndim/app/OneDProgram.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/document/document_test_host.h"
#include "tests/onedim/app/BrivaneProcess.h"

namespace {

// A .bvx of one spectrum with applied phases 0.1 and 0.2 radians (pivot 0).
std::string WritePhasedDocument(const std::string& folder) {
  CTestHost host;
  host.m_bHasView = FALSE;  // as a file, without a view
  CBrivaneProDoc doc(&host);
  CSpectrumParams params;
  params.td = 256;
  params.sw = 4000.0;
  params.sf = 400.0;
  params.bComplex = 1;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(params.td);
  s->m_dPhase0 = 0.1;
  s->m_dPhase1 = 0.2;
  const std::string path = folder + "phased.bvx";
  EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
  return path;
}

// The 1D program's main window that is not ours, once it shows.
DWORD FindOneDProgram() {
  DWORD found = 0;
  WaitFor(
      [&] {
        for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
          DWORD pid = 0;
          ::GetWindowThreadProcessId(w, &pid);
          if (pid != ::GetCurrentProcessId() && ::IsWindowVisible(w) &&
              ::FindWindowExA(w, nullptr, "MDIClient", nullptr) != nullptr)
            found = pid;
        }
        return found != 0;
      },
      20000);
  return found;
}

// Closes the active document, saying No to saving it.
bool CloseDocument(BrivaneProcess& app, int childrenLeft) {
  app.PostCommand(ID_FILE_CLOSE);
  if (HWND ask = app.WaitDialog(nullptr, 3000))
    BrivaneProcess::Press(ask, IDNO);
  return WaitFor([&] { return app.ChildCount() == childrenLeft; }, 10000);
}

struct Driver {
  std::string phased;
  std::string failure;  // what went wrong, read after the hand-off
  std::string firstTitle;
};

// Plays the user of the 1D program: looks at the traces, closes them, opens
// a document phased earlier, closes it (which leaves its phase) and quits.
// Whatever fails, the program is ended so that the hand-off returns.
DWORD WINAPI PlayTheUser(LPVOID data) {
  Driver& d = *static_cast<Driver*>(data);
  const DWORD pid = FindOneDProgram();
  BrivaneProcess app;
  if (pid == 0 || !app.Attach(pid) || app.WaitMainWindow() == nullptr) {
    d.failure = "the 1D program did not show";
    return 0;
  }
  app.Sync();
  d.firstTitle = BrivaneProcess::WindowText(app.ActiveChild());
  if (!CloseDocument(app, 0)) {
    d.failure = "the traces did not close";
    return 0;
  }
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  if (dialog == nullptr) {
    d.failure = "no open dialog";
    return 0;
  }
  HWND field = ::GetDlgItem(dialog, 0x47c);
  for (const char* cls : {"ComboBox", "Edit"})
    if (HWND inner = ::FindWindowExA(field, nullptr, cls, nullptr))
      field = inner;
  ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(d.phased.c_str()));
  BrivaneProcess::Press(dialog, IDOK);
  if (!WaitFor([&] { return app.ChildCount() == 1; }, 10000) || !CloseDocument(app, 0)) {
    d.failure = "the phased document did not open and close";
    return 0;
  }
  app.PostCommand(ID_APP_EXIT);
  if (app.WaitExit() != 0)
    d.failure = "the 1D program did not end";
  return 0;
}

}  // namespace

TEST(HandOffProgram, APhaseLeftByTheOneDProgramComesBackToTheRows) {
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kSharedKeyPath);
  const std::string bin = BrivaneProcess::WinePath(BRIVANE_APP_PATH);
  const std::string folder = bin.substr(0, bin.rfind('\\') + 1);
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);

  // A Bruker States set as the Fourier Transform dialog's first choices
  // leave it along both dimensions: its rows can still be phased along f2.
  auto transformed = [] {
    std::unique_ptr<CSpectrum2D> s(MakeSet(8, 8));
    FillRandom(*s);
    s->m_bAcquired = 1;
    s->m_dims[1].m_nIndirectMode = 3;
    s->m_dims[2].m_nIndirectMode = ndSenseForward;
    TransformWithFirstChoices(*s);
    return s;
  };
  std::unique_ptr<CSpectrum2D> set = transformed();
  ASSERT_EQ(2, set->m_dims[0].m_nPoints) << "both hypercomplex halves kept";
  std::unique_ptr<CSpectrum2D> expected = transformed();
  CCommandInterpreter().Execute(*expected, "sw 2\nph 5.729578 11.459156");

  std::vector<std::string> asked;
  MessageBoxHook old = AfxSetMessageBoxHook([&](HWND, LPCSTR text, LPCSTR, UINT type) {
    asked.push_back(text);
    return (type & MB_YESNO) != 0 && asked.size() == 1 ? IDYES : IDNO;
  });
  Driver driver;
  driver.phased = WritePhasedDocument(temp);
  HANDLE thread = ::CreateThread(nullptr, 0, PlayTheUser, &driver, 0, nullptr);

  HandOffTraces rows;
  rows.m_indices = {2, 0};
  CHandOffMessageBoxes ui;
  CCommandInterpreter interpreter(&ui);
  COneDProgramWin program(folder.c_str());
  HandOff(*set, interpreter, rows, HandOffFolders{folder.c_str(), ""}, CSize(800, 600), program, ui);
  ::WaitForSingleObject(thread, INFINITE);
  ::CloseHandle(thread);
  AfxSetMessageBoxHook(old);

  ASSERT_EQ("", driver.failure);
  EXPECT_EQ("~row.bvx", driver.firstTitle);
  ASSERT_EQ(2u, asked.size());
  EXPECT_EQ("Apply phase correction along f2 using values from 1D program?\nZero order=5.730\nFirst Order=11.459",
            asked[0]);
  EXPECT_EQ("Use apodization values from 1D program?", asked[1]);
  EXPECT_EQ(DataOf(*expected), DataOf(*set));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + "~row.bvx").c_str())) << "removed";
}
