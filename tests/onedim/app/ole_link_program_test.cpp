// A saved 1D document reached the way a container's link reaches it: by
// binding the file's moniker. COM finds the class from the extension,
// starts brivane23.exe -Embedding and has the new document load the file; a
// second bind finds that document running. (Wine's ole32 has no link object
// of its own -- OleCreateLinkToFile and OleCreateLink are unimplemented --
// so the test binds the moniker itself, as the link does when it runs.)
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/OleTestSupport.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

// The moniker's name, or "" when it has none.
std::wstring DisplayName(IMoniker* moniker) {
  IBindCtx* context = nullptr;
  LPOLESTR name = nullptr;
  std::wstring result;
  if (SUCCEEDED(::CreateBindCtx(0, &context)) && SUCCEEDED(moniker->GetDisplayName(context, nullptr, &name))) {
    result = name;
    ::CoTaskMemFree(name);
  }
  if (context != nullptr)
    context->Release();
  return result;
}

// The class's entries come with the file extension.
class OleLinkProgramTest : public OleProgramFixture {
 protected:
  // Binds the file's moniker as a link does; the object or null, and hr.
  static IOleObject* Bind(const std::string& path, HRESULT& hr) {
    IMoniker* moniker = nullptr;
    IOleObject* object = nullptr;
    hr = ::CreateFileMoniker(Wide(path).c_str(), &moniker);
    if (SUCCEEDED(hr)) {
      hr = ::BindMoniker(moniker, 0, IID_IOleObject, (void**)&object);
      moniker->Release();
    }
    return SUCCEEDED(hr) ? object : nullptr;
  }
};

TEST_F(OleLinkProgramTest, TheExtensionNamesTheClassUnlessAnotherProgramsTypeHasIt) {
  const std::string path = Path("classed.bvx");
  ASSERT_TRUE(WriteFlatSpectrum(path));
  CLSID registered = {};
  ASSERT_EQ(S_OK, ::CLSIDFromProgID(L"Brivane.Document", &registered));
  const struct {
    const char* before;  // null: no entry
    const char* after;
  } cases[] = {{nullptr, "Brivane.Document"}, {"Other.Document", "Other.Document"}};
  for (const auto& c : cases) {
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".bvx");
    if (c.before != nullptr)
      ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, ".bvx", REG_SZ, c.before, 0));
    BrivaneProcess registration;
    ASSERT_TRUE(registration.Start("/regserver"));
    ASSERT_NE(-1, registration.WaitExit(30000));
    char value[MAX_PATH] = "";
    LONG size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CLASSES_ROOT, ".bvx", value, &size));
    EXPECT_STREQ(c.after, value);
  }
  ::RegSetValueA(HKEY_CLASSES_ROOT, ".bvx", REG_SZ, "Brivane.Document", 0);
  CLSID clsid = {};
  ASSERT_EQ(S_OK, ::GetClassFile(Wide(path).c_str(), &clsid));
  EXPECT_TRUE(::IsEqualCLSID(registered, clsid));
}

TEST_F(OleLinkProgramTest, ALinkedFileRunsInOneServerThatNamesItAndEndsWithTheLastLink) {
  Watchdog watchdog(90000);
  const std::string path = Path("linked.bvx");
  ASSERT_TRUE(WriteFlatSpectrum(path));
  HRESULT hr = E_FAIL;
  IOleObject* object = Bind(path, hr);
  ASSERT_EQ(S_OK, hr);
  ASSERT_NE(nullptr, object);
  std::vector<DWORD> pids = BrivaneProcesses();
  ASSERT_EQ(1u, pids.size());
  BrivaneProcess server;
  server.Attach(pids[0]);
  EXPECT_NE(std::string::npos, CommandLineOf(pids[0]).find("Embedding")) << CommandLineOf(pids[0]);
  EXPECT_EQ(S_OK, ::OleRun(object));

  IDataObject* data = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IDataObject, (void**)&data));
  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  STGMEDIUM medium = {};
  ASSERT_EQ(S_OK, data->GetData(&format, &medium));
  auto* picture = static_cast<METAFILEPICT*>(::GlobalLock(medium.hMetaFilePict));
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ("Brivane Pro", ReadPicture(picture->hMF).text);
  ::GlobalUnlock(medium.hMetaFilePict);
  ::ReleaseStgMedium(&medium);
  data->Release();

  // Without a container's site the object is named by its file.
  IMoniker* moniker = nullptr;
  ASSERT_EQ(S_OK, object->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, &moniker));
  EXPECT_EQ(0, ::lstrcmpiW(Wide(path).c_str(), DisplayName(moniker).c_str())) << path;
  moniker->Release();
  IPersistFile* file = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistFile, (void**)&file));
  LPOLESTR current = nullptr;
  ASSERT_EQ(S_OK, file->GetCurFile(&current));
  EXPECT_EQ(0, ::lstrcmpiW(Wide(path).c_str(), current));
  ::CoTaskMemFree(current);
  EXPECT_EQ(S_FALSE, file->IsDirty()) << "a document just read holds no changes";
  file->Release();

  // A second link to the file reaches the running document.
  IOleObject* second = Bind(path, hr);
  ASSERT_EQ(S_OK, hr);
  EXPECT_EQ(1u, BrivaneProcesses().size()) << "no second server";
  IUnknown* identity = nullptr;
  IUnknown* secondIdentity = nullptr;
  object->QueryInterface(IID_IUnknown, (void**)&identity);
  second->QueryInterface(IID_IUnknown, (void**)&secondIdentity);
  EXPECT_EQ(identity, secondIdentity);
  identity->Release();
  secondIdentity->Release();

  object->Release();
  EXPECT_EQ(-1, server.WaitExit(1000)) << "the second link still holds the document";
  second->Release();
  EXPECT_NE(-1, server.WaitExit(20000)) << "the server outlived its last link";
  EXPECT_FALSE(watchdog.fired());
}

TEST_F(OleLinkProgramTest, ALinkToAMissingForeignOrDamagedFileFailsAndLeavesNoServer) {
  Watchdog watchdog(120000);
  {
    std::ofstream(Path("notes.txt")) << "not a spectrum\n";
    std::ofstream(Path("damaged.bvx"), std::ios::binary) << "not a spectrum either";
  }
  // No file and no class are refused before any server starts; a file the
  // program cannot read is refused by the server, which then ends.
  const struct {
    const char* name;
    HRESULT hr;
  } cases[] = {
      {"missing.bvx", STG_E_FILENOTFOUND}, {"notes.txt", MK_E_INVALIDEXTENSION}, {"damaged.bvx", STG_E_READFAULT}};
  for (const auto& c : cases) {
    HRESULT hr = S_OK;
    IOleObject* object = Bind(Path(c.name), hr);
    EXPECT_EQ(c.hr, hr) << c.name;
    EXPECT_EQ(nullptr, object) << c.name;
    if (object != nullptr)
      object->Release();
    for (DWORD pid : BrivaneProcesses()) {
      BrivaneProcess server;
      server.Attach(pid);
      EXPECT_NE(-1, server.WaitExit(20000)) << c.name << ": a refused file left its server running";
    }
  }
  EXPECT_FALSE(watchdog.fired());
}

}  // namespace
