// brivane23.exe as an OLE server, met by a client that knows only the
// class: COM starts a second program with -Embedding, whose object draws
// the product's name, gives its extent, saves into a storage and loads from
// it, and whose program ends with the last reference. A watchdog ends the
// server when a call does not come back, so a hung server fails a test
// instead of stalling the suite.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/app/OleTestSupport.h"
#include "framework/win/FrameworkRes.h"
#include "resources/BrivaneRes.h"

namespace {

const CLSID kBrivaneClassId = {0x7A3C9E21, 0x4B6D, 0x4F08, {0x9C, 0x2E, 0x51, 0xD8, 0xA0, 0xB3, 0xC9, 0x47}};

// A container's site as far as a server calls it: it counts the saves the
// server asks for and remembers whether the server's window is open.
class TestSite : public IOleClientSite {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *ppv = static_cast<IOleClientSite*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }
  STDMETHODIMP SaveObject() override {
    ++m_saves;
    return S_OK;
  }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
    *ppmk = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** ppContainer) override {
    *ppContainer = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL fShow) override {
    m_windowOpen = fShow != FALSE;
    return S_OK;
  }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  ULONG m_refs = 1;  // the test's, on the stack
  int m_saves = 0;
  bool m_windowOpen = false;
};

// Waits for cond while answering the calls a server makes back to the test.
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  while (!cond()) {
    if (::GetTickCount() - start > timeoutMs)
      return false;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(20);
  }
  return true;
}

class OleServerProgramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The class's entries, as the program writes them when registering itself.
    BrivaneProcess registration;
    if (registration.Start("/regserver"))
      registration.WaitExit(30000);
  }
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
  void TearDown() override {
    ::OleUninitialize();
    EndBrivaneProcesses();
  }

  // A new object of the class with its server; the server's process is
  // taken on by server.
  IOleObject* CreateObject(BrivaneProcess& server) {
    IOleObject* object = nullptr;
    HRESULT hr = ::CoCreateInstance(kBrivaneClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject, (void**)&object);
    EXPECT_EQ(S_OK, hr);
    std::vector<DWORD> pids = BrivaneProcesses();
    EXPECT_EQ(1u, pids.size()) << "one server process serves the object";
    if (!pids.empty())
      server.Attach(pids[0]);
    return SUCCEEDED(hr) ? object : nullptr;
  }
  // A new, empty object in a new storage of the test's.
  IOleObject* CreateNewObject(BrivaneProcess& server, IStorage*& storage) {
    IOleObject* object = CreateObject(server);
    IPersistStorage* persist = nullptr;
    storage = NewStorage();
    if (object == nullptr || storage == nullptr ||
        FAILED(object->QueryInterface(IID_IPersistStorage, (void**)&persist)))
      return nullptr;
    EXPECT_EQ(S_OK, persist->InitNew(storage));
    persist->Release();
    return object;
  }
};

TEST_F(OleServerProgramTest, TheClassNamesThisProgramAsItsServer) {
  char value[MAX_PATH] = "";
  LONG size = sizeof value;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{7A3C9E21-4B6D-4F08-9C2E-51D8A0B3C947}\\LocalServer32", value,
                             &size));
  EXPECT_NE(nullptr, std::strstr(value, "brivane23.exe")) << value;
  size = sizeof value;
  ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CLASSES_ROOT, "Brivane.Document\\CLSID", value, &size));
  EXPECT_STREQ("{7A3C9E21-4B6D-4F08-9C2E-51D8A0B3C947}", value);
}

TEST_F(OleServerProgramTest, AProgramTheUserStartedTakesInNoObjects) {
  Watchdog watchdog(90000);
  BrivaneProcess user;
  ASSERT_TRUE(user.Start(""));
  ASSERT_NE(nullptr, user.WaitMainWindow());
  IOleObject* object = nullptr;
  ASSERT_EQ(S_OK, ::CoCreateInstance(kBrivaneClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject, (void**)&object));
  std::vector<DWORD> pids = BrivaneProcesses();
  ASSERT_EQ(2u, pids.size()) << "a program of its own serves the object";
  BrivaneProcess server;
  server.Attach(pids[0] != user.pid() ? pids[0] : pids[1]);
  object->Release();
  EXPECT_NE(-1, server.WaitExit(20000));
  EXPECT_TRUE(user.IsRunning()) << "the user's program goes on";
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(OleServerProgramTest, AnEmbeddedDocumentDrawsTheProductNameAndItsProgramEndsWithTheLastReference) {
  Watchdog watchdog(90000);
  BrivaneProcess server;
  IOleObject* object = CreateObject(server);
  ASSERT_NE(nullptr, object);
  EXPECT_TRUE(server.IsRunning());
  EXPECT_EQ(nullptr, server.WaitMainWindow(500)) << "a program started for its objects shows no window";

  IPersistStorage* persist = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, (void**)&persist));
  IStorage* storage = NewStorage();
  ASSERT_NE(nullptr, storage);
  EXPECT_EQ(S_OK, persist->InitNew(storage));

  SIZEL extent = {};
  EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &extent));
  EXPECT_GT(extent.cx, extent.cy) << "40 x 22 units";
  EXPECT_GT(extent.cy, 0);

  IDataObject* data = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IDataObject, (void**)&data));
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  STGMEDIUM medium = {};
  ASSERT_EQ(S_OK, data->GetData(&format, &medium));
  ASSERT_EQ((DWORD)TYMED_MFPICT, medium.tymed);
  auto* picture = static_cast<METAFILEPICT*>(::GlobalLock(medium.hMetaFilePict));
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(MM_ANISOTROPIC, picture->mm);
  EXPECT_EQ(extent.cx, picture->xExt);
  EXPECT_EQ(extent.cy, picture->yExt);
  MetafileContents contents = ReadPicture(picture->hMF);
  ::GlobalUnlock(medium.hMetaFilePict);
  ::ReleaseStgMedium(&medium);
  EXPECT_EQ("Brivane Pro", contents.text);
  EXPECT_EQ(3000, contents.windowCx);
  EXPECT_EQ(3000, contents.windowCy);
  FORMATETC other = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&other));

  EXPECT_EQ(S_OK, persist->Save(storage, TRUE));
  EXPECT_EQ(S_OK, persist->SaveCompleted(nullptr));
  CLSID stored = {};
  EXPECT_EQ(S_OK, ::ReadClassStg(storage, &stored));
  EXPECT_TRUE(::IsEqualCLSID(kBrivaneClassId, stored));

  data->Release();
  persist->Release();
  object->Release();
  EXPECT_NE(-1, server.WaitExit(20000)) << "the server outlived its last object";
  storage->Release();
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(OleServerProgramTest, ASavedObjectLoadsBackAndAStorageWithoutItsContentsIsRefused) {
  Watchdog watchdog(120000);
  IStorage* saved = NewStorage();
  IStorage* empty = NewStorage();
  ASSERT_NE(nullptr, saved);
  ASSERT_NE(nullptr, empty);
  {
    BrivaneProcess server;
    IOleObject* object = CreateObject(server);
    ASSERT_NE(nullptr, object);
    IPersistStorage* persist = nullptr;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, (void**)&persist));
    EXPECT_EQ(S_OK, persist->InitNew(saved));
    EXPECT_EQ(S_OK, persist->Save(saved, TRUE));
    EXPECT_EQ(S_OK, persist->SaveCompleted(nullptr));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    persist->Release();
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    object->Release();
    EXPECT_NE(-1, server.WaitExit(20000));
  }
  BrivaneProcess server;
  IOleObject* object = CreateObject(server);
  ASSERT_NE(nullptr, object);
  IPersistStorage* persist = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, (void**)&persist));
  EXPECT_EQ(S_OK, persist->Load(saved));
  persist->Release();
  object->Release();
  ASSERT_NE(-1, server.WaitExit(20000));

  BrivaneProcess refusing;
  object = CreateObject(refusing);
  ASSERT_NE(nullptr, object);
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, (void**)&persist));
  EXPECT_TRUE(FAILED(persist->Load(empty)));
  persist->Release();
  object->Release();
  EXPECT_NE(-1, refusing.WaitExit(20000)) << "a refused load left the server running";
  saved->Release();
  empty->Release();
  EXPECT_FALSE(watchdog.fired());
}

// The menus of a document its container owns (read from the program's
// resources, which this test is linked with: another program's menus are
// out of reach under Wine).
TEST(OleServerResources, EmbeddedDocumentsUpdateTheirContainerAndInPlaceMenusLeaveFilesToIt) {
  HINSTANCE resources = ::GetModuleHandleA(nullptr);
  HMENU embedded = ::LoadMenuA(resources, MAKEINTRESOURCEA(IDR_SRVR_EMBEDDED));
  ASSERT_NE(nullptr, embedded);
  EXPECT_EQ((UINT)ID_FILE_UPDATE, ::GetMenuItemID(::GetSubMenu(embedded, 0), 0));
  std::vector<UINT> ids = MenuCommands(embedded);
  for (UINT fileCommand : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_OPEN, ID_FILE_CLOSE})
    EXPECT_FALSE(HasCommand(ids, fileCommand)) << fileCommand;
  EXPECT_TRUE(HasCommand(ids, ID_FILE_SAVE_COPY_AS));
  EXPECT_TRUE(HasCommand(ids, ID_PROCESS_FOURIER)) << "the document's own commands stay";
  ::DestroyMenu(embedded);

  HMENU inPlace = ::LoadMenuA(resources, MAKEINTRESOURCEA(IDR_SRVR_INPLACE));
  ASSERT_NE(nullptr, inPlace);
  ids = MenuCommands(inPlace);
  for (UINT id : ids)
    EXPECT_TRUE(id < ID_FILE_NEW || id > ID_FILE_MRU_LAST) << "the container's File menu serves " << id;
  EXPECT_EQ((UINT)ID_APP_ABOUT, ::GetMenuItemID(::GetSubMenu(inPlace, ::GetMenuItemCount(inPlace) - 1), 0));
  ::DestroyMenu(inPlace);

  ACCEL accels[32];
  HACCEL table = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(IDR_SRVR_EMBEDDED));
  ASSERT_NE(nullptr, table);
  int count = ::CopyAcceleratorTableA(table, accels, 32);
  bool ctrlS = false;
  for (int i = 0; i < count; ++i)
    if (accels[i].key == 'S' && (accels[i].fVirt & FCONTROL))
      ctrlS = accels[i].cmd == ID_FILE_UPDATE;
  EXPECT_TRUE(ctrlS) << "Ctrl+S updates the container";
  ::DestroyAcceleratorTable(table);
  EXPECT_NE(nullptr, ::FindResourceA(resources, MAKEINTRESOURCEA(IDR_SRVR_INPLACE), MAKEINTRESOURCEA(RT_TOOLBAR_ID)));
}

TEST_F(OleServerProgramTest, OpenedForEditingTheDocumentShowsItsWindowAndUpdatesItsContainer) {
  Watchdog watchdog(90000);
  BrivaneProcess server;
  IStorage* storage = nullptr;
  IOleObject* object = CreateNewObject(server, storage);
  ASSERT_NE(nullptr, object);
  TestSite site;
  EXPECT_EQ(S_OK, object->SetClientSite(&site));

  RECT rect = {0, 0, 100, 100};
  EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_OPEN, nullptr, &site, 0, nullptr, &rect));
  EXPECT_TRUE(site.m_windowOpen);
  HWND main = server.WaitMainWindow(10000);
  ASSERT_NE(nullptr, main) << "the program's window opens for the document";
  EXPECT_EQ(1, server.ChildCount());

  // File > Update asks the container to save the object.
  server.PostCommand(ID_FILE_UPDATE);
  EXPECT_TRUE(PumpUntil([&] { return site.m_saves == 1; }, 10000));

  EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_HIDE, nullptr, &site, 0, nullptr, &rect));
  EXPECT_FALSE(site.m_windowOpen);
  EXPECT_FALSE(::IsWindowVisible(main)) << "nothing shows once the only document is hidden";

  EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
  object->Release();
  EXPECT_NE(-1, server.WaitExit(20000));
  EXPECT_EQ(1u, site.m_refs) << "the server let go of the site";
  storage->Release();
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace

namespace {

// A container that lets its object be edited in place: one top-level
// window is both its frame and the object's site. It records what the
// server asks of it.
class InPlaceContainer : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  InPlaceContainer() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "InPlaceContainer";
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowA("InPlaceContainer", "Container", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                             600, 400, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~InPlaceContainer() { ::DestroyWindow(m_hWnd); }

  // IUnknown (the container lives on the test's stack)
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
      *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
      *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
      *ppv = static_cast<IOleInPlaceFrame*>(this);
    else
      *ppv = nullptr;
    if (*ppv == nullptr)
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }
  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
    *ppmk = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** ppContainer) override {
    *ppContainer = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow (site and frame alike)
  STDMETHODIMP GetWindow(HWND* phwnd) override {
    *phwnd = m_hWnd;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override {
    m_inPlace = true;
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override {
    m_uiActive = true;
    return S_OK;
  }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override {
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = nullptr;
    *lprcPosRect = RECT{10, 10, 100, 100};
    ::GetClientRect(m_hWnd, lprcClipRect);
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = m_hWnd;
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override {
    m_uiActive = false;
    return S_OK;
  }
  STDMETHODIMP OnInPlaceDeactivate() override {
    m_inPlace = false;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
  // IOleInPlaceUIWindow and IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT lprectBorder) override {
    ::GetClientRect(m_hWnd, lprectBorder);
    return S_OK;
  }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override {
    m_borderTop = widths != nullptr ? widths->top : 0;
    return S_OK;
  }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override {
    if (m_activeObject != nullptr)
      m_activeObject->Release();
    m_activeObject = pActiveObject;
    if (m_activeObject != nullptr)
      m_activeObject->AddRef();
    return S_OK;
  }
  // Its File and Window groups join the object's menus. (Under Wine a menu
  // of another process cannot be filled or read: only the order of the
  // calls is seen here.)
  STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override {
    ::InsertMenuA(shared, 0, MF_BYPOSITION | MF_STRING, 1, "&File");
    ::InsertMenuA(shared, 1, MF_BYPOSITION | MF_STRING, 2, "&Window");
    widths->width[0] = 1;
    widths->width[4] = 1;
    return S_OK;
  }
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU, HWND) override {
    m_menuShared = shared != nullptr;
    return S_OK;
  }
  STDMETHODIMP RemoveMenus(HMENU) override {
    m_menusRemoved = !m_menuShared;
    return S_OK;
  }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // The server's tool bar in this window, or null.
  HWND ServerToolBar(DWORD serverPid) const {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(child, &pid);
      char name[64] = "";
      ::GetClassNameA(child, name, sizeof name);
      if (pid == serverPid && ::lstrcmpiA(name, "ToolbarWindow32") == 0)
        return child;
    }
    return nullptr;
  }

  HWND m_hWnd;
  ULONG m_refs = 1;
  bool m_inPlace = false;
  bool m_uiActive = false;
  LONG m_borderTop = 0;
  IOleInPlaceActiveObject* m_activeObject = nullptr;
  bool m_menuShared = false;    // the shared menu is up
  bool m_menusRemoved = false;  // taken down, then the container's groups taken out
};

TEST_F(OleServerProgramTest, EditedInPlaceTheDocumentSitsOnTheItemWithItsToolBarInTheContainersFrame) {
  Watchdog watchdog(90000);
  BrivaneProcess server;
  IStorage* storage = nullptr;
  IOleObject* object = CreateNewObject(server, storage);
  ASSERT_NE(nullptr, object);
  InPlaceContainer container;
  ASSERT_NE(nullptr, container.m_hWnd);
  EXPECT_EQ(S_OK, object->SetClientSite(&container));

  RECT item = {10, 10, 100, 100};
  EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_PRIMARY, nullptr, &container, 0, container.m_hWnd, &item));
  EXPECT_TRUE(container.m_inPlace);
  EXPECT_TRUE(container.m_uiActive);
  EXPECT_NE(nullptr, container.m_activeObject);
  EXPECT_TRUE(container.m_menuShared);
  IOleInPlaceObject* inPlace = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IOleInPlaceObject, (void**)&inPlace));
  HWND frame = nullptr;
  ASSERT_EQ(S_OK, inPlace->GetWindow(&frame));
  EXPECT_EQ(container.m_hWnd, ::GetParent(frame)) << "the document is edited in the container's window";
  EXPECT_TRUE(::IsWindowVisible(frame));
  EXPECT_EQ(nullptr, server.WaitMainWindow(500)) << "and not in a window of its own";
  RECT rc;
  ::GetWindowRect(frame, &rc);
  ::MapWindowPoints(nullptr, container.m_hWnd, (LPPOINT)&rc, 2);
  EXPECT_EQ(6, rc.left);  // the item's rectangle with the resize bar's border around it
  EXPECT_EQ(6, rc.top);
  EXPECT_EQ(104, rc.right);
  EXPECT_EQ(104, rc.bottom);
  EXPECT_NE(nullptr, ::GetDlgItem(frame, AFX_IDW_RESIZE_BAR));

  HWND toolBar = container.ServerToolBar(server.pid());
  ASSERT_NE(nullptr, toolBar) << "the tool bar goes into the container's frame";
  EXPECT_TRUE(::IsWindowVisible(toolBar));
  EXPECT_GT(container.m_borderTop, 0) << "in the room the frame gave it at the top";
  RECT rcBar;
  ::GetWindowRect(toolBar, &rcBar);
  EXPECT_EQ(container.m_borderTop, rcBar.bottom - rcBar.top);
  // Its buttons follow the document's commands: the zoom, once chosen
  // there, shows pressed.
  EXPECT_EQ(0, ::SendMessageA(toolBar, TB_ISBUTTONCHECKED, ID_VIEW_ZOOM, 0));
  ::PostMessageA(frame, WM_COMMAND, ID_VIEW_ZOOM, 0);
  EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(toolBar, TB_ISBUTTONCHECKED, ID_VIEW_ZOOM, 0) != 0; }, 10000));

  // The container moves the item.
  RECT moved = {40, 50, 240, 150};
  RECT clip;
  ::GetClientRect(container.m_hWnd, &clip);
  EXPECT_EQ(S_OK, inPlace->SetObjectRects(&moved, &clip));
  ::GetWindowRect(frame, &rc);
  ::MapWindowPoints(nullptr, container.m_hWnd, (LPPOINT)&rc, 2);
  EXPECT_EQ(36, rc.left);
  EXPECT_EQ(46, rc.top);
  EXPECT_EQ(244, rc.right);
  // Partly outside what the container shows: the frame is cut there, and
  // the document stays on the item.
  RECT shown = {0, 0, 150, 100};
  EXPECT_EQ(S_OK, inPlace->SetObjectRects(&moved, &shown));
  ::GetWindowRect(frame, &rc);
  ::MapWindowPoints(nullptr, container.m_hWnd, (LPPOINT)&rc, 2);
  EXPECT_EQ(36, rc.left);
  EXPECT_EQ(46, rc.top);
  EXPECT_EQ(150, rc.right);
  EXPECT_EQ(100, rc.bottom);
  HWND pane = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
  ASSERT_NE(nullptr, pane);
  ::GetWindowRect(pane, &rc);
  ::MapWindowPoints(nullptr, container.m_hWnd, (LPPOINT)&rc, 2);
  EXPECT_EQ(40, rc.left);
  EXPECT_EQ(50, rc.top);
  EXPECT_EQ(240, rc.right);
  EXPECT_EQ(150, rc.bottom);

  // Escape in the document ends the editing in place.
  ::PostMessageA(frame, WM_COMMAND, ID_CANCEL_EDIT_SRVR, 0);
  EXPECT_TRUE(PumpUntil([&] { return !container.m_inPlace; }, 10000));
  EXPECT_FALSE(container.m_uiActive);
  EXPECT_FALSE(::IsWindow(frame));
  EXPECT_EQ(nullptr, container.ServerToolBar(server.pid()));
  EXPECT_EQ(0, container.m_borderTop) << "the frame's room is given back";
  EXPECT_EQ(nullptr, container.m_activeObject);
  EXPECT_TRUE(container.m_menusRemoved);

  inPlace->Release();
  object->Close(OLECLOSE_NOSAVE);
  object->Release();
  EXPECT_NE(-1, server.WaitExit(20000));
  EXPECT_EQ(1u, container.m_refs) << "the server let go of the container";
  storage->Release();
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace
