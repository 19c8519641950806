#include "tests/onedim/app/OleTestSupport.h"

#include <algorithm>

#include "framework/base/Endian.h"
#include "framework/win/FrameworkRes.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/ProgramTestSupport.h"
#include "tests/onedim/document/document_test_host.h"

std::vector<DWORD> BrivaneProcesses() {
  return ProcessesNamed("brivane23.exe");
}

void EndBrivaneProcesses() {
  EndProcessesNamed("brivane23.exe");
}

namespace {

int CALLBACK CollectRecord(HDC, HANDLETABLE*, METARECORD* record, int, LPARAM param) {
  auto* contents = reinterpret_cast<MetafileContents*>(param);
  const WORD* parm = record->rdParm;
  if (record->rdFunction == META_SETWINDOWEXT) {
    contents->windowCy = (short)parm[0];
    contents->windowCx = (short)parm[1];
  } else if (record->rdFunction == META_TEXTOUT) {
    contents->text.append(reinterpret_cast<const char*>(&parm[1]), parm[0]);
  } else if (record->rdFunction == META_EXTTEXTOUT) {
    // y, x, count, options, [rectangle], text
    int skip = (parm[3] & (ETO_OPAQUE | ETO_CLIPPED)) != 0 ? 8 : 4;
    contents->text.append(reinterpret_cast<const char*>(&parm[skip]), parm[2]);
  }
  return 1;
}

// A host that keeps the items block of a read file.
class CItemsHost : public CTestHost {
 public:
  void TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged) override {
    m_block = block;
    m_bDamaged = bDamaged;
  }
  std::vector<BYTE> m_block;
  BOOL m_bDamaged = FALSE;
};

}  // namespace

MetafileContents ReadPicture(HMETAFILE hMF) {
  MetafileContents contents;
  HDC screen = ::GetDC(nullptr);
  ::EnumMetaFile(screen, hMF, CollectRecord, reinterpret_cast<LPARAM>(&contents));
  ::ReleaseDC(nullptr, screen);
  return contents;
}

bool WriteFlatSpectrum(const std::string& path) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  AddTestSpectrum(doc, 256, [](int) { return 0.0f; });
  doc.RefreshAfterAdd();
  return doc.WriteNativeFile(path.c_str()) != FALSE;
}

bool StartOn(BrivaneProcess& app, const std::string& path) {
  if (!app.Start("\"" + path + "\"") || app.WaitMainWindow() == nullptr)
    return false;
  app.Sync();
  return true;
}

HWND SpectrumView(const BrivaneProcess& app) {
  HWND splitter = ::GetDlgItem(app.ActiveChild(), AFX_IDW_PANE_FIRST);
  HWND first = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
  HWND second = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16);
  return second != nullptr && ::IsWindowVisible(second) ? second : first;
}

HWND ChildOfProcess(HWND parent, DWORD pid, const char* cls) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(child, &owner);
    char name[64] = "";
    ::GetClassNameA(child, name, sizeof name);
    if (owner == pid && (cls == nullptr || ::lstrcmpiA(name, cls) == 0))
      return child;
  }
  return nullptr;
}

std::vector<CItemRecord> ItemRecordsOf(const std::string& path, bool* damaged, int* spectra) {
  CItemsHost host;
  CBrivaneProDoc doc(&host);
  if (!doc.ReadNativeFile(path.c_str()))
    return {};
  if (damaged != nullptr)
    *damaged = host.m_bDamaged != FALSE;
  if (spectra != nullptr)
    *spectra = doc.GetSpectrumCount();
  int nDamaged = 0;
  return SplitItemRecords(host.m_block.data(), host.m_block.size(), &nDamaged);
}

RECT ItemRect(const CItemRecord& record) {
  RECT rc = {};
  if (record.size() < 16)
    return rc;
  const BYTE* p = record.data() + record.size() - 16;
  rc = RECT{ReadI32LE(p), ReadI32LE(p + 4), ReadI32LE(p + 8), ReadI32LE(p + 12)};
  return rc;
}

std::vector<BYTE> ItemStorage(const CItemRecord& record) {
  static const BYTE kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  auto start = std::search(record.begin(), record.end(), std::begin(kSignature), std::end(kSignature));
  if (start == record.end() || record.end() - start < 16)
    return {};
  return std::vector<BYTE>(start, record.end() - 16);
}

void OleProgramFixture::SetUpTestSuite() {
  BrivaneProcess registration;
  if (registration.Start("/regserver"))
    registration.WaitExit(30000);
}

void OleProgramFixture::SetUp() {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  m_dir = std::string(temp) + "brivane_" + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
  ::CreateDirectoryA(m_dir.c_str(), nullptr);
}

void OleProgramFixture::TearDown() {
  ::OleUninitialize();
  EndBrivaneProcesses();
}
