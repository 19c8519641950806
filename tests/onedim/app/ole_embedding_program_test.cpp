// brivane23.exe as both container and server: a new 1D document inserted
// into another 1D document's window, its program started by COM for it;
// edited in place, saved with its picture, reopened; and a server that is
// killed under its object.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlwapi.h>

#include <cstring>

#include <string>
#include <vector>

#include "resources/BrivaneRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/OleTestSupport.h"

namespace {

RECT ChildRect(HWND child, HWND parent) {
  RECT rc = {};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rc), 2);
  return rc;
}

// The picture an item's storage keeps for the object, read without its
// server.
struct CachedPicture {
  bool found = false;
  SIZEL extent = {0, 0};
  MetafileContents contents;
};

CachedPicture ReadCachedPicture(const std::vector<BYTE>& storageBytes) {
  CachedPicture picture;
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, storageBytes.size());
  if (hGlobal == nullptr || storageBytes.empty())
    return picture;
  std::memcpy(::GlobalLock(hGlobal), storageBytes.data(), storageBytes.size());
  ::GlobalUnlock(hGlobal);
  ILockBytes* bytes = nullptr;
  if (FAILED(::CreateILockBytesOnHGlobal(hGlobal, TRUE, &bytes)))
    return picture;
  IStorage* storage = nullptr;
  IDataObject* data = nullptr;
  if (SUCCEEDED(
          ::StgOpenStorageOnILockBytes(bytes, nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage)) &&
      SUCCEEDED(::OleLoad(storage, IID_IDataObject, nullptr, reinterpret_cast<void**>(&data)))) {
    FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK && medium.tymed == TYMED_MFPICT) {
      if (auto* pict = static_cast<METAFILEPICT*>(::GlobalLock(medium.hMetaFilePict))) {
        picture.found = true;
        picture.extent = SIZEL{pict->xExt, pict->yExt};
        picture.contents = ReadPicture(pict->hMF);
        ::GlobalUnlock(medium.hMetaFilePict);
      }
      ::ReleaseStgMedium(&medium);
    }
    data->Release();
  }
  if (storage != nullptr)
    storage->Release();
  bytes->Release();
  return picture;
}

class OleEmbeddingProgramTest : public OleProgramFixture {
 protected:
  void SetUp() override {
    OleProgramFixture::SetUp();
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
    HDC hScreen = ::GetDC(nullptr);
    m_nDpiX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    m_nDpiY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
  }

  // A container on a document of one spectrum, a new 1D object inserted
  // into it and shown in place: the object's program (taken on by server),
  // the container's view and the in-place frame, or false.
  bool StartAndInsert(BrivaneProcess& app, BrivaneProcess& server, HWND& view, HWND& frame) {
    const std::string path = Path("container.bvx");
    if (!WriteFlatSpectrum(path) || !StartOn(app, path))
      return false;
    view = SpectrumView(app);
    if (view == nullptr || !InsertObject(app) || !WaitServer(app, server))
      return false;
    frame = WaitInPlaceFrame(view, server);
    return frame != nullptr;
  }

  // Edit > Insert New Object with the object type of that name chosen.
  static bool InsertObject(BrivaneProcess& app, const char* pszType = "Brivane Document") {
    app.PostCommand(ID_OLE_INSERT_NEW);
    HWND dialog = app.WaitDialog();
    if (dialog == nullptr)
      return false;
    HWND list = nullptr;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      char cls[32] = {};
      ::GetClassNameA(child, cls, sizeof cls);
      if (::lstrcmpiA(cls, "ListBox") == 0 && ::IsWindowVisible(child))
        list = child;
    }
    const LRESULT index =
        list != nullptr ? ::SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)pszType) : LB_ERR;
    if (index == LB_ERR)
      return false;
    ::SendMessageA(list, LB_SETCURSEL, (WPARAM)index, 0);
    return BrivaneProcess::Dismiss(dialog, IDOK);
  }

  // The program COM started for the container's object, taken on by server.
  static bool WaitServer(const BrivaneProcess& container, BrivaneProcess& server) {
    DWORD pid = 0;
    WaitFor(
        [&] {
          for (DWORD p : BrivaneProcesses())
            if (p != container.pid())
              pid = p;
          return pid != 0;
        },
        20000);
    return pid != 0 && server.Attach(pid);
  }

  // The server's in-place frame over the container's view, once visible.
  static HWND WaitInPlaceFrame(HWND view, const BrivaneProcess& server) {
    HWND frame = nullptr;
    WaitFor(
        [&] {
          frame = ChildOfProcess(view, server.pid());
          return frame != nullptr && ::IsWindowVisible(frame);
        },
        20000);
    return frame != nullptr && ::IsWindowVisible(frame) ? frame : nullptr;
  }

  // The server's tool bar, shown in the container's main frame.
  static bool ToolBarShown(const BrivaneProcess& container, const BrivaneProcess& server) {
    HWND bar = ChildOfProcess(container.main(), server.pid(), "ToolbarWindow32");
    return bar != nullptr && ::IsWindowVisible(bar);
  }

  // Escape pressed in the document edited in place.
  static void PressEscape(HWND frame) {
    HWND pane = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ::PostMessageA(pane != nullptr ? pane : frame, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(pane != nullptr ? pane : frame, WM_KEYUP, VK_ESCAPE, 0);
  }

  static void DoubleClick(HWND view, POINT pt) {
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(view, WM_LBUTTONUP, 0, at);
    ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageA(view, WM_LBUTTONUP, 0, at);
  }

  // Closes the container, declining to save, and waits for it to end.
  static bool Close(BrivaneProcess& app) {
    ::PostMessageA(app.main(), WM_CLOSE, 0, 0);
    if (HWND box = app.WaitDialog(nullptr, 3000))
      BrivaneProcess::Dismiss(box, IDNO);
    return app.WaitExit(20000) != -1;
  }

  int m_nDpiX = 96;
  int m_nDpiY = 96;
};

TEST_F(OleEmbeddingProgramTest, ANewDocumentObjectIsEditedInPlaceAndComesBackWithItsPictureWhereItWasSaved) {
  Watchdog watchdog(180000);
  const std::string saved = Path("with_object.bvx");
  // The object's own size: 4 x 2.2 inches on this screen.
  const int nWidth = 4 * m_nDpiX;
  const int nHeight = ::MulDiv(22, m_nDpiY, 10);
  {
    // COM starts a program for the object, which shows no window of its
    // own: the object is shown in place at once.
    BrivaneProcess app, server;
    HWND view = nullptr, frame = nullptr;
    ASSERT_TRUE(StartAndInsert(app, server, view, frame));
    EXPECT_NE(CommandLineOf(server.pid()).find("-Embedding"), std::string::npos) << CommandLineOf(server.pid());
    EXPECT_EQ(server.WaitMainWindow(500), nullptr);

    // At the item's corner (10, 10), the resize bar's border around it, in
    // the size the server gives.
    const RECT rc = ChildRect(frame, view);
    EXPECT_EQ(rc.left, 6);
    EXPECT_EQ(rc.top, 6);
    EXPECT_NEAR(rc.right - rc.left - 8, nWidth, 1);
    EXPECT_NEAR(rc.bottom - rc.top - 8, nHeight, 1);
    EXPECT_TRUE(WaitFor([&] { return ToolBarShown(app, server); }, 10000)) << "its tool bar in the container's frame";

    PressEscape(frame);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(frame); }, 10000));
    EXPECT_TRUE(WaitFor([&] { return !ToolBarShown(app, server); }, 10000));
    ASSERT_TRUE(app.SaveAs(saved));
    EXPECT_TRUE(server.IsRunning()) << "the object stays loaded in its server";
    EXPECT_TRUE(Close(app));
    EXPECT_NE(server.WaitExit(20000), -1) << "the server ends with its container";
  }

  std::vector<CItemRecord> records = ItemRecordsOf(saved);
  ASSERT_EQ(records.size(), 1u);
  const RECT rect = ItemRect(records[0]);
  // The tool bar took room from the view and gave it back: the item is
  // where it was.
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  EXPECT_NEAR(rect.right - rect.left, nWidth, 1);
  EXPECT_NEAR(rect.bottom - rect.top, nHeight, 1);
  const CachedPicture picture = ReadCachedPicture(ItemStorage(records[0]));
  ASSERT_TRUE(picture.found) << "the object's picture is kept with it";
  EXPECT_EQ(picture.contents.text, "Brivane Pro");
  EXPECT_NEAR(picture.extent.cx, 10160, 30);
  EXPECT_NEAR(picture.extent.cy, 5588, 30);

  BrivaneProcess app;
  ASSERT_TRUE(StartOn(app, saved));
  HWND view = SpectrumView(app);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(BrivaneProcesses().size(), 1u) << "a reopened object is drawn from its picture; no server runs";
  const std::string again = Path("reopened.bvx");
  ASSERT_TRUE(app.SaveAs(again));
  records = ItemRecordsOf(again);
  ASSERT_EQ(records.size(), 1u);
  // At its corner. Its size follows the view's sizes while the program
  // lays out its window on start-up: a scroll bar's width over the view's
  // at most.
  const RECT reopened = ItemRect(records[0]);
  EXPECT_EQ(reopened.left, rect.left);
  EXPECT_EQ(reopened.top, rect.top);
  EXPECT_NEAR(reopened.right - reopened.left, rect.right - rect.left, (rect.right - rect.left) / 50);
  EXPECT_NEAR(reopened.bottom - reopened.top, rect.bottom - rect.top, (rect.bottom - rect.top) / 50);

  // A double click edits it in place again.
  DoubleClick(view, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  BrivaneProcess server;
  ASSERT_TRUE(WaitServer(app, server));
  HWND frame = WaitInPlaceFrame(view, server);
  ASSERT_NE(frame, nullptr);
  const RECT rc = ChildRect(frame, view);
  EXPECT_EQ(rc.left, reopened.left - 4);
  EXPECT_EQ(rc.top, reopened.top - 4);
  EXPECT_TRUE(WaitFor([&] { return ToolBarShown(app, server); }, 10000));
  PressEscape(frame);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(frame); }, 10000));
  EXPECT_TRUE(Close(app));
  EXPECT_NE(server.WaitExit(20000), -1);
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(OleEmbeddingProgramTest, AServerKilledUnderItsObjectLeavesThePictureAndADoubleClickSaysSo) {
  struct AfterKill {
    ~AfterKill() { ForgetKilledServers(); }
  } afterKill;
  Watchdog watchdog(120000);
  BrivaneProcess app, server;
  HWND view = nullptr, frame = nullptr;
  ASSERT_TRUE(StartAndInsert(app, server, view, frame));
  PressEscape(frame);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(frame); }, 10000));

  server.Kill();
  ASSERT_NE(server.WaitExit(10000), -1);
  DoubleClick(view, POINT{50, 50});
  HWND box = app.WaitDialog(nullptr, 30000);
  ASSERT_NE(box, nullptr) << "the container tells the user, and does not hang";
  EXPECT_NE(BrivaneProcess::StaticTexts(box).find("could not be opened"), std::string::npos)
      << BrivaneProcess::StaticTexts(box);
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  app.Sync();

  // The picture stays: it is saved with the document as it was.
  const std::string saved = Path("after_kill.bvx");
  ASSERT_TRUE(app.SaveAs(saved));
  std::vector<CItemRecord> records = ItemRecordsOf(saved);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(ReadCachedPicture(ItemStorage(records[0])).contents.text, "Brivane Pro");
  EXPECT_TRUE(Close(app));
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(OleEmbeddingProgramTest, AGraphOfTheTwoDimensionalProgramDrawsThroughItsServer) {
  // A graph server this test had to end must not be asked for the next
  // test's objects.
  struct AfterServer {
    ~AfterServer() { ForgetKilledServers(); }
  } afterServer;
  Watchdog watchdog(180000, "BrivanenD.exe");
  // The graph's class entries, as a plain start of its program writes them.
  BrivaneProcess registration(BRIVANEND_APP_PATH);
  ASSERT_TRUE(registration.Start("") && registration.WaitMainWindow() != nullptr);
  ::PostMessageA(registration.main(), WM_CLOSE, 0, 0);
  ASSERT_NE(registration.WaitExit(20000), -1);
  char type[128] = "";
  LONG size = sizeof type;
  ASSERT_EQ(::RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{2E8F4D63-90A1-4C7B-B5D2-6F1A3E9C0B85}", type, &size),
            ERROR_SUCCESS);

  const std::string saved = Path("with_graph.bvx");
  {
    BrivaneProcess app;
    BrivaneProcess server(BRIVANEND_APP_PATH);
    ASSERT_TRUE(WriteFlatSpectrum(Path("graph_container.bvx")) && StartOn(app, Path("graph_container.bvx")));
    HWND view = SpectrumView(app);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(InsertObject(app, type)) << type;
    ASSERT_TRUE(WaitFor(
        [&] {
          const std::vector<DWORD> pids = ProcessesNamed("BrivanenD.exe");
          return pids.size() == 1 && server.Attach(pids[0]);
        },
        20000));
    EXPECT_NE(CommandLineOf(server.pid()).find("-Embedding"), std::string::npos);
    HWND frame = WaitInPlaceFrame(view, server);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ToolBarShown(app, server); }, 10000)) << "the graph's tool bar in our frame";
    HWND bar = ChildOfProcess(app.main(), server.pid(), "ToolbarWindow32");
    EXPECT_EQ(bar != nullptr ? (int)::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0) : 0, 12);
    PressEscape(frame);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(frame); }, 10000));
    ASSERT_TRUE(app.SaveAs(saved));
    ::PostMessageA(app.main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.WaitExit(20000), 0) << "the container ends cleanly with a server's object in it";
    EXPECT_NE(server.WaitExit(20000), -1) << "the graph's program ends with its container";
  }

  // The picture kept with the item is the one the graph's program drew: its
  // 3000 x 3000 square.
  std::vector<CItemRecord> records = ItemRecordsOf(saved);
  ASSERT_EQ(records.size(), 1u);
  const CachedPicture picture = ReadCachedPicture(ItemStorage(records[0]));
  ASSERT_TRUE(picture.found) << "the graph's picture is kept with the item";
  EXPECT_EQ(picture.contents.windowCx, 3000);
  EXPECT_EQ(picture.contents.windowCy, 3000);
  EXPECT_NEAR(picture.extent.cx, 3000, 30);
  EXPECT_NEAR(picture.extent.cy, 3000, 30);
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace
