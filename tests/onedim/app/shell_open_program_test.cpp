// A document opened from the shell (a double click on a .bvx) while
// Brivane runs opens in the running copy, not in a second one; with no copy
// running, the shell starts one that opens it.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "framework/win/FrameworkRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

const char kExe[] = "brivane23.exe";

// The shell's open verb on the file, as a double click gives it.
bool ShellOpen(const std::string& path) {
  return (INT_PTR)::ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL) > 32;
}

// The registry value under HKEY_CLASSES_ROOT, "" when there is none.
std::string ClassesValue(const std::string& key) {
  char value[MAX_PATH] = "";
  LONG size = sizeof value;
  return ::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
}

// The document window shows its file's name and the sample's blue trace.
void ExpectSampleShown(BrivaneProcess& app) {
  HWND child = app.ActiveChild();
  ASSERT_NE(nullptr, child);
  EXPECT_EQ("sample.bvx", BrivaneProcess::WindowText(child));
  ::RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(WaitFor([&] { return ScreenCopy(child)->Count(RGB(0, 0, 255)) > 1000; }, 5000));
}

// The copies the shell started end with the test, whatever it found.
struct EndCopiesAtExit {
  ~EndCopiesAtExit() { EndProcessesNamed(kExe); }
};

TEST(ShellOpenProgramTest, TheShellOpensAFileInTheRunningCopyOrInOneItStarts) {
  Watchdog watchdog(120000, kExe);
  EndCopiesAtExit endCopies;
  const std::string sample = BrivaneProcess::WinePath(BRIVANE_SOURCE_DIR "/samples/sample.bvx");
  {
    // A running copy registered the type as it started.
    BrivaneProcess app;
    ASSERT_TRUE(app.Start(""));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    app.Sync();
    ASSERT_EQ(0, app.ChildCount());
    const std::string type = ClassesValue(".bvx");
    ASSERT_FALSE(type.empty());
    const std::string open = ClassesValue(type + "\\shell\\open\\command");
    ASSERT_GT(open.size(), 5u);
    EXPECT_EQ(" /dde", open.substr(open.size() - 5));
    EXPECT_EQ("[open(\"%1\")]", ClassesValue(type + "\\shell\\open\\ddeexec"));
    // Commands it does not know, or cut short, are refused and open nothing.
    EXPECT_FALSE(SendDdeCommand("brivane23", "[print(\"x.bvx\")]"));
    EXPECT_FALSE(SendDdeCommand("brivane23", "[open(\""));
    app.Sync();
    EXPECT_EQ(0, app.ChildCount());
    EXPECT_TRUE(SendDdeCommand("brivane23", ("[open(\"" + sample + "\")]").c_str()));
    ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 1; }, 15000));

    ASSERT_TRUE(ShellOpen(sample));
    ASSERT_TRUE(WaitFor([&] { return app.ChildCount() == 2; }, 15000));
    EXPECT_EQ(1u, ProcessesNamed(kExe).size()) << "no second copy";
    app.Sync();
    ExpectSampleShown(app);
    app.PostCommand(ID_APP_EXIT);
    while (HWND ask = app.WaitDialog(nullptr, 3000))
      BrivaneProcess::Press(ask, IDNO);
    ASSERT_NE(-1, app.WaitExit());
  }

  ASSERT_TRUE(ProcessesNamed(kExe).empty());
  ASSERT_TRUE(ShellOpen(sample));
  std::vector<DWORD> pids;
  ASSERT_TRUE(WaitFor([&] { return !(pids = ProcessesNamed(kExe)).empty(); }, 15000));
  EXPECT_EQ(1u, pids.size());
  BrivaneProcess started;
  ASSERT_TRUE(started.Attach(pids[0]));
  EXPECT_NE(std::string::npos, CommandLineOf(pids[0]).find("/dde"));
  ASSERT_NE(nullptr, started.WaitMainWindow());
  ASSERT_TRUE(WaitFor([&] { return started.ChildCount() == 1; }, 15000));
  started.Sync();
  EXPECT_TRUE(::IsZoomed(started.main()));
  ExpectSampleShown(started);
  started.PostCommand(ID_APP_EXIT);
  while (HWND ask = started.WaitDialog(nullptr, 3000))
    BrivaneProcess::Press(ask, IDNO);
  EXPECT_NE(-1, started.WaitExit());
}

}  // namespace
