// The 1D program as the hand-off meets it under Wine: missing, a stand-in
// that ends as a crashed program does, and the shared key as another program
// may have left it.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <fstream>
#include <string>

#include "common/SharedKey.h"
#include "ndim/app/OneDProgram.h"
#include "tests/onedim/app/BrivaneProcess.h"

namespace {

// A fresh folder (with a blank in its name) under the temporary folder.
std::string MakeFolder(const char* name) {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + name + "\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A window of this thread that counts its paints.
struct PaintCounter {
  PaintCounter() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "NdPaintCounter";
    ::RegisterClassA(&wc);
    hwnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
    ::UpdateWindow(hwnd);
    s_paints = 0;
  }
  ~PaintCounter() { ::DestroyWindow(hwnd); }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT)
      ++s_paints;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  HWND hwnd;
  static volatile LONG s_paints;
};
volatile LONG PaintCounter::s_paints = 0;

DWORD WINAPI InvalidateSoon(LPVOID window) {
  ::Sleep(300);
  ::InvalidateRect(static_cast<HWND>(window), nullptr, TRUE);
  return 0;
}

}  // namespace

TEST(OneDProgram, AMissingProgramIsNotStartedAndShowsNoBoxOfItsOwn) {
  COneDProgramWin program(MakeFolder("nd empty folder").c_str());
  EXPECT_EQ(COneDProgram::notStarted, program.Run("C:\\nowhere\\~row.bvx"));
}

TEST(OneDProgram, StartsFromItsFolderOnTheQuotedPathAndPaintsWhileItWaits) {
  const std::string folder = MakeFolder("nd hand off");
  ASSERT_TRUE(
      ::CopyFileA(BrivaneProcess::WinePath(ND_STAND_IN_PATH).c_str(), (folder + "brivane23.exe").c_str(), FALSE));
  ::RemoveDirectoryA("c:\\temp");
  PaintCounter counter;
  const std::string document = folder + "~row.bvx";

  COneDProgramWin program(folder.c_str());
  HANDLE thread = ::CreateThread(nullptr, 0, InvalidateSoon, counter.hwnd, 0, nullptr);
  EXPECT_EQ(COneDProgram::endedBadly, program.Run(document.c_str()));
  ::WaitForSingleObject(thread, INFINITE);
  ::CloseHandle(thread);
  EXPECT_GE(PaintCounter::s_paints, 1) << "painted while the program ran";

  const std::string started = ReadText(folder + "started.txt");
  EXPECT_NE(std::string::npos, started.find("\"" + document + "\"")) << started;
  std::string workingFolder = folder.substr(0, folder.size() - 1);
  EXPECT_NE(std::string::npos, started.find("\n" + workingFolder)) << started;

  ASSERT_TRUE(::CreateDirectoryA("c:\\temp", nullptr));
  EXPECT_STREQ("c:\\temp", COneDProgramWin::GetWorkingFolder(folder.c_str()));
  ::RemoveDirectoryA("c:\\temp");
  EXPECT_STREQ(folder.c_str(), COneDProgramWin::GetWorkingFolder(folder.c_str()));
}

TEST(OneDProgram, SharedValuesOfAnotherTypeOrSizeAreNotUsable) {
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kSharedKeyPath);
  COneDProgramWin program("C:\\");
  EXPECT_FALSE(program.ReadSharedValues().m_bKeyOpened);

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kSharedKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
  SharedValues missing = program.ReadSharedValues();
  EXPECT_TRUE(missing.m_bKeyOpened);
  EXPECT_TRUE(missing.m_bPhaseUsable && missing.m_bWindowUsable);
  EXPECT_EQ(0.0, missing.m_dPhase0);
  EXPECT_EQ(1.0, missing.m_dWindowValue);

  const double ph0 = 12.5, lb = 0.75;
  const int type = 3;
  ::RegSetValueExA(key, "ph0", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&ph0), 8);
  ::RegSetValueExA(key, "ph1", 0, REG_SZ, reinterpret_cast<const BYTE*>("1.0"), 4);
  ::RegSetValueExA(key, "type", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&type), 4);
  ::RegSetValueExA(key, "lb", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&lb), 8);
  SharedValues read = program.ReadSharedValues();
  EXPECT_FALSE(read.m_bPhaseUsable) << "ph1 as text";
  EXPECT_TRUE(read.m_bWindowUsable);
  EXPECT_EQ(3, read.m_nWindowType);
  EXPECT_EQ(0.75, read.m_dWindowValue);

  ::RegSetValueExA(key, "ph1", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&ph0), 8);
  ::RegSetValueExA(key, "type", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&lb), 8);
  read = program.ReadSharedValues();
  EXPECT_TRUE(read.m_bPhaseUsable);
  EXPECT_EQ(12.5, read.m_dPhase1);
  EXPECT_FALSE(read.m_bWindowUsable) << "type of 8 bytes";
  ::RegSetValueExA(key, "type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&type), 4);
  EXPECT_FALSE(program.ReadSharedValues().m_bWindowUsable) << "type as a registry double word";
  ::RegCloseKey(key);
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kSharedKeyPath);
}
