// BrivanenD.exe as an OLE server: a client that knows only the class makes
// COM start it with -Embedding; the object is a 3000 x 3000 picture drawn by
// the graph view, and the program ends with its last object.
// A watchdog ends the servers when a call does not come back, so a hung
// server fails a test instead of stalling the suite.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

const CLSID kBrivanenDClassId = {0x2E8F4D63, 0x90A1, 0x4C7B, {0xB5, 0xD2, 0x6F, 0x1A, 0x3E, 0x9C, 0x0B, 0x85}};

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
    EndProcessesNamed("BrivanenD.exe");
  }
};

TEST_F(NdOleServerProgramTest, AnEmbeddedGraphIsA3000SquareDrawnByItsViewAndItsProgramEndsWithTheLastReference) {
  Watchdog watchdog(90000, "BrivanenD.exe");
  IOleObject* object = nullptr;
  ASSERT_EQ(S_OK, ::CoCreateInstance(kBrivanenDClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject, (void**)&object));
  std::vector<DWORD> pids = ProcessesNamed("BrivanenD.exe");
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

}  // namespace
