// BrivanenD.exe as an OLE server: a client that knows only the class makes
// COM start it with -Embedding; the object is a 3000 x 3000 picture drawn by
// the graph view, and the program ends with its last object. The 1D program
// as container inserts a 2D object, edited in place with its tool bar in the
// container's frame.
// A watchdog ends the servers when a call does not come back, so a hung
// server fails a test instead of stalling the suite.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/win/FrameworkRes.h"
#include "ndim/app/HandOffMessageBoxes.h"
#include "ndim/data/DimensionBlock.h"
#include "ndim/handoff/TraceFile.h"
#include "tests/onedim/app/BrivaneProcess.h"

namespace {

const CLSID kBrivanenDClassId = {0x2E8F4D63, 0x90A1, 0x4C7B, {0xB5, 0xD2, 0x6F, 0x1A, 0x3E, 0x9C, 0x0B, 0x85}};
const char kClassKey[] = "CLSID\\{2E8F4D63-90A1-4C7B-B5D2-6F1A3E9C0B85}";

std::vector<DWORD> ServerProcesses() {
  std::vector<DWORD> pids;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return pids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
    if (::lstrcmpiA(entry.szExeFile, "BrivanenD.exe") == 0)
      pids.push_back(entry.th32ProcessID);
  ::CloseHandle(snapshot);
  return pids;
}

void EndServers() {
  for (DWORD pid : ServerProcesses()) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
      continue;
    ::TerminateProcess(process, 99);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
  }
}

class Watchdog {
 public:
  explicit Watchdog(DWORD timeoutMs) : m_timeoutMs(timeoutMs) {
    m_done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, &Watchdog::Run, this, 0, nullptr);
  }
  ~Watchdog() {
    ::SetEvent(m_done);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_done);
  }
  bool fired() const { return m_fired != 0; }

 private:
  static DWORD WINAPI Run(void* param) {
    auto* self = static_cast<Watchdog*>(param);
    if (::WaitForSingleObject(self->m_done, self->m_timeoutMs) == WAIT_TIMEOUT) {
      self->m_fired = 1;
      EndServers();
    }
    return 0;
  }
  DWORD m_timeoutMs;
  HANDLE m_done;
  HANDLE m_thread;
  volatile LONG m_fired = 0;
};

IStorage* NewStorage() {
  ILockBytes* bytes = nullptr;
  if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes)))
    return nullptr;
  IStorage* storage = nullptr;
  ::StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage);
  bytes->Release();
  return storage;
}

// What a metafile picture records: its window extent and the rectangles
// painted white.
struct PictureRecords {
  int windowCx = 0;
  int windowCy = 0;
  std::vector<RECT> whiteBlocks;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, METARECORD* record, int, LPARAM param) {
  auto* records = reinterpret_cast<PictureRecords*>(param);
  const WORD* parm = record->rdParm;
  if (record->rdFunction == META_SETWINDOWEXT) {
    records->windowCy = (short)parm[0];
    records->windowCx = (short)parm[1];
  } else if (record->rdFunction == META_PATBLT && MAKELONG(parm[0], parm[1]) == WHITENESS) {
    // rop, height, width, y, x
    const int x = (short)parm[5], y = (short)parm[4];
    records->whiteBlocks.push_back({x, y, x + (short)parm[3], y + (short)parm[2]});
  }
  return 1;
}

// A visible ListBox of a dialog (the system's Insert Object dialog's types).
HWND VisibleList(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (::lstrcmpiA(cls, "ListBox") == 0 && ::IsWindowVisible(child))
      return child;
  }
  return nullptr;
}

class NdOleServerProgramTest : public ::testing::Test {
 protected:
  // A plain start writes the class's entries, as every start by the user does.
  static void SetUpTestSuite() {
    BrivaneProcess registration(BRIVANEND_APP_PATH);
    if (registration.Start("") && registration.WaitMainWindow() != nullptr) {
      ::PostMessageA(registration.main(), WM_CLOSE, 0, 0);
      registration.WaitExit(20000);
    }
  }
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
  void TearDown() override {
    ::OleUninitialize();
    EndServers();
  }
};

TEST_F(NdOleServerProgramTest, AnEmbeddedGraphIsA3000SquareDrawnByItsViewAndItsProgramEndsWithTheLastReference) {
  Watchdog watchdog(90000);
  IOleObject* object = nullptr;
  ASSERT_EQ(S_OK, ::CoCreateInstance(kBrivanenDClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject, (void**)&object));
  std::vector<DWORD> pids = ServerProcesses();
  ASSERT_EQ(1u, pids.size()) << "one server process serves the object";
  BrivaneProcess server(BRIVANEND_APP_PATH);
  server.Attach(pids[0]);
  EXPECT_EQ(nullptr, server.WaitMainWindow(500)) << "a program started for its objects shows no window";

  IPersistStorage* persist = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, (void**)&persist));
  IStorage* storage = NewStorage();
  ASSERT_NE(nullptr, storage);
  EXPECT_EQ(S_OK, persist->InitNew(storage));
  SIZEL extent = {};
  EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &extent));
  EXPECT_EQ(3000, extent.cx);
  EXPECT_EQ(3000, extent.cy);

  // Opened, the document has its graph view, which draws the picture.
  RECT rect = {0, 0, 100, 100};
  EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_OPEN, nullptr, nullptr, 0, nullptr, &rect));
  EXPECT_NE(nullptr, server.WaitMainWindow(10000));
  IDataObject* data = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IDataObject, (void**)&data));
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  STGMEDIUM medium = {};
  ASSERT_EQ(S_OK, data->GetData(&format, &medium));
  auto* picture = static_cast<METAFILEPICT*>(::GlobalLock(medium.hMetaFilePict));
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(MM_ANISOTROPIC, picture->mm);
  EXPECT_EQ(3000, picture->xExt);
  EXPECT_EQ(3000, picture->yExt);
  PictureRecords records;
  HDC screen = ::GetDC(nullptr);
  ::EnumMetaFile(screen, picture->hMF, CollectRecord, reinterpret_cast<LPARAM>(&records));
  ::ReleaseDC(nullptr, screen);
  ::GlobalUnlock(medium.hMetaFilePict);
  ::ReleaseStgMedium(&medium);
  EXPECT_EQ(3000, records.windowCx);
  EXPECT_EQ(3000, records.windowCy);
  ASSERT_EQ(1u, records.whiteBlocks.size()) << "the view's ground";
  const RECT& block = records.whiteBlocks[0];
  EXPECT_EQ(10, block.left);
  EXPECT_EQ(10, block.top);
  EXPECT_EQ(1010, block.right);
  EXPECT_EQ(1010, block.bottom);

  EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
  data->Release();
  persist->Release();
  object->Release();
  EXPECT_NE(-1, server.WaitExit(20000)) << "the server outlived its last object";
  storage->Release();
  EXPECT_FALSE(watchdog.fired());
}

struct ToolBarSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindServerToolBar(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<ToolBarSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  char cls[32] = {};
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (pid == search->pid && ::lstrcmpiA(cls, TOOLBARCLASSNAMEA) == 0 && ::GetDlgCtrlID(hWnd) == AFX_IDW_TOOLBAR &&
      ::IsWindowVisible(hWnd)) {
    search->found = hWnd;
    return FALSE;
  }
  return TRUE;
}

// The server's tool bar among the container frame's windows, or null.
HWND ServerToolBar(HWND frame, DWORD serverPid) {
  ToolBarSearch search = {serverPid, nullptr};
  ::EnumChildWindows(frame, FindServerToolBar, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The 1D program with a document of one flat trace, as container.
class NdOleContainerTest : public NdOleServerProgramTest {
 protected:
  void SetUp() override {
    NdOleServerProgramTest::SetUp();
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_document = std::string(temp) + "nd_ole_container.bvx";
    DimensionBlock block;
    block.m_nPoints = 256;
    const std::vector<float> pairs(2 * block.m_nPoints, 0.0f);
    CHandOffMessageBoxes ui;
    ASSERT_TRUE(WriteTraceFile(m_document.c_str(), pairs.data(), block, 1, CSize(600, 400), ui));
    ASSERT_TRUE(m_container.Start("\"" + m_document + "\""));
    ASSERT_NE(nullptr, m_container.WaitMainWindow());
    m_container.Sync();
  }
  void TearDown() override {
    ::DeleteFileA(m_document.c_str());
    NdOleServerProgramTest::TearDown();
  }

  // Insert New Object with the graph's class, as the user picks it in the
  // system's dialog; the server's process is taken on by m_server.
  void InsertGraph() {
    char name[128] = "";
    LONG size = sizeof name;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CLASSES_ROOT, kClassKey, name, &size));
    m_container.PostCommand(ID_OLE_INSERT_NEW);
    HWND dialog = m_container.WaitDialog();
    ASSERT_NE(nullptr, dialog);
    HWND list = VisibleList(dialog);
    ASSERT_NE(nullptr, list);
    const LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    ASSERT_NE(LB_ERR, index) << name;
    ::SendMessageA(list, LB_SETCURSEL, (WPARAM)index, 0);
    ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
    ASSERT_TRUE(WaitFor([] { return ServerProcesses().size() == 1; }, 20000)) << "BrivanenD.exe serves the item";
    m_server.Attach(ServerProcesses()[0]);
    m_container.Sync();
  }

  std::string m_document;
  BrivaneProcess m_container;
  BrivaneProcess m_server{BRIVANEND_APP_PATH};
};

TEST_F(NdOleContainerTest, AnInsertedGraphIsEditedInPlaceWithItsToolBarInTheContainersFrame) {
  Watchdog watchdog(90000);
  ASSERT_NO_FATAL_FAILURE(InsertGraph());
  HWND toolBar = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] {
        toolBar = ServerToolBar(m_container.main(), m_server.pid());
        return toolBar != nullptr;
      },
      10000));
  if (toolBar != nullptr) {
    EXPECT_EQ(12, (int)::SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0));
  }
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace
