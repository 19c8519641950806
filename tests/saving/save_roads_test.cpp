// Every file the programs write, each through its own writer: a save
// replaces the earlier file only once the new one is whole. A read-only
// file, a read-only folder and a full disk leave the earlier file as it
// was, nothing beside it, and the failure shown in the writer's words; a
// user's own file named like a temporary one is never touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/grid/GridFile.h"
#include "framework/base/FileReplace.h"
#include "ndim/document/PaletteFile.h"
#include "ndim/document/ScriptFile.h"
#include "ndim/handoff/TraceFile.h"
#include "ndim/import/Bv2File.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/export/AsciiExport.h"
#include "onedim/model/SolventTable.h"
#include "tests/ndim/handoff/handoff_test_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/document/document_test_host.h"
#include "tests/saving/small_disks.h"

namespace {

namespace fs = std::filesystem;
using small_disks::Bytes;
using small_disks::Names;

struct Saved {
  bool ok;
  std::string message;  // what the user is shown; empty when nothing
};

class AsciiAnswers : public CAsciiExportPrompts {
 public:
  explicit AsciiAnswers(const std::string& path) : m_path(path) {}
  BOOL AskPath(CString& strPath) override {
    strPath = m_path.c_str();
    return TRUE;
  }
  BOOL AskOptions(CAsciiExportOptions&) override { return TRUE; }
  void ShowError(LPCSTR pszText) override { m_shown = pszText; }
  std::string m_path, m_shown;
};

Saved SaveBvx(const std::string& path) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  AddTestSpectrum(doc, 2048, [](int i) { return (float)(i % 17); });
  const bool ok = doc.WriteNativeFile(path.c_str()) != FALSE;
  return {ok, host.m_messages.empty() ? std::string() : host.m_messages.back()};
}

Saved SaveBv2(const std::string& path) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 32));
  FillRandom(*set);
  CString error;
  const bool ok = CBv2File::Write(path.c_str(), *set, error);
  return {ok, ok ? std::string() : std::string(error)};
}

Saved SavePalette(const std::string& path) {
  std::string error;
  const bool ok = WritePaletteFile(path.c_str(), PaletteRamp(), error);
  return {ok, error};
}

Saved SaveGridList(const std::string& path) {
  const CGridFileRows rows = {{"Peak", "ppm", "Hz"}, {"1", "7.26", ""}, {"2", "1.5", "600"}};
  CString message;
  const bool ok = SaveGridFile(path.c_str(), rows, message) != FALSE;
  return {ok, ok ? std::string() : std::string(message)};
}

Saved ExportAsAscii(const std::string& path) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 512, [](int i) { return (float)i; });
  AsciiAnswers answers(path);
  const bool ok = ExportAscii(*s, answers) != FALSE;
  return {ok, answers.m_shown};
}

Saved SaveScript(const std::string& path) {
  CString error;
  const bool ok = WriteScriptFile(path.c_str(), "ze 1024\nem 1.0\nft\nsw 1\nft\n", error);
  return {ok, ok ? std::string() : std::string(error)};
}

Saved SaveSolvents(const std::string& path) {
  CSolventTable table(path.c_str());
  table.Add("CDCl3", "7.26");
  table.Add("DMSO-d6", "2.50");
  CString error;
  const bool ok = table.Save(error) != FALSE;
  return {ok, ok ? std::string() : std::string(error)};
}

Saved HandOffTrace(const std::string& path) {
  DimensionBlock block;
  block.m_nPoints = 256;
  block.m_fSpectralWidth = 4000.0f;
  block.m_fSpectrometerFreq = 400.0f;
  const std::vector<float> pairs(2 * 256, 0.5f);
  RecordingUi ui;
  const bool ok = WriteTraceFile(path.c_str(), pairs.data(), block, 1, true, CSize(640, 480), ui);
  return {ok, ui.messages.empty() ? std::string() : ui.messages.back()};
}

// A writer and its words for a save that cannot be made (a read-only file
// or folder) and one that cannot be finished (a full disk); "%s" is the
// file's path.
struct Road {
  const char* name;
  std::function<Saved(const std::string&)> save;
  const char* refused;
  const char* unfinished;
};

const char kAccessDenied[] = "Access to %s was denied.";
const char kDiskFull[] = "The disk is full: %s could not be written completely.";

const Road kRoads[] = {
    {".bvx document", SaveBvx, kAccessDenied, kDiskFull},
    {".bv2 document", SaveBv2, kAccessDenied, kDiskFull},
    {".PAL palette", SavePalette, "Unable to open file for writing", "Error during writing"},
    {"grid list", SaveGridList, kAccessDenied, "Unable to save grid list"},
    {"ASCII export", ExportAsAscii, "Error opening file", "Error writing file"},
    {"script file", SaveScript, kAccessDenied, kDiskFull},
    {"solvents.map", SaveSolvents, kAccessDenied, kDiskFull},
    {"hand-off trace file", HandOffTrace, kAccessDenied, kDiskFull},
};

std::string Words(const char* format, const std::string& path) {
  std::string text = format;
  const std::size_t at = text.find("%s");
  return at == std::string::npos ? text : text.replace(at, 2, path);
}

// A folder of the test's own with an earlier file and user's files named
// like temporary files: "<target>.tmp", which writers often use, and the
// names this process's next two temporaries would have.
class SaveRoadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = small_disks::Scratch("save roads");
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
    m_target = m_folder + "saved.file";
    m_user = m_target + ".tmp";
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_target, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(m_folder, ec);
  }
  void PutEarlierFiles() {
    std::ofstream(m_target, std::ios::binary) << small_disks::kEarlierBytes;
    std::ofstream(m_user, std::ios::binary) << "the user's own";
    std::string temporary;
    CString error;
    WriteFileReplacing((m_folder + "probe").c_str(),
                       [&](CStdioFile& file) { temporary = fs::path((LPCSTR)file.GetFilePath()).filename().string(); },
                       error);
    fs::remove(m_folder + "probe");
    const std::size_t dash = temporary.rfind('-');
    ASSERT_NE(std::string::npos, dash) << temporary;
    const unsigned long serial = std::stoul(temporary.substr(dash + 1));
    m_names = {"saved.file", "saved.file.tmp"};
    for (unsigned long next = serial + 1; next <= serial + 2; ++next) {
      const std::string name = temporary.substr(0, dash + 1) + std::to_string(next) + ".tmp";
      std::ofstream(m_folder + name, std::ios::binary) << "the user's own";
      m_names.insert(name);
    }
  }
  // Each user's file there still holds what the user put in it.
  void ExpectTheUsersFiles(const char* road) {
    EXPECT_EQ(m_names, Names(m_folder)) << road;
    for (const std::string& name : m_names)
      if (name != "saved.file") {
        EXPECT_EQ("the user's own", Bytes(m_folder + name)) << road << ": " << name;
        fs::remove(m_folder + name);
      }
  }

  std::string m_folder, m_target, m_user;
  std::set<std::string> m_names;  // what the folder holds before a save
};

TEST_F(SaveRoadsTest, ASaveReplacesTheEarlierFileAndLeavesTheUsersTmpFiles) {
  for (const Road& road : kRoads) {
    PutEarlierFiles();
    const Saved saved = road.save(m_target);
    EXPECT_TRUE(saved.ok) << road.name << ": " << saved.message;
    EXPECT_EQ("", saved.message) << road.name;
    const std::string bytes = Bytes(m_target);
    EXPECT_GT(bytes.size(), 16u) << road.name;
    EXPECT_NE(small_disks::kEarlierBytes, bytes) << road.name;
    ExpectTheUsersFiles(road.name);
  }
}

TEST_F(SaveRoadsTest, AReadOnlyFileRefusesTheSaveAndNothingIsDeleted) {
  for (const Road& road : kRoads) {
    PutEarlierFiles();
    fs::permissions(m_target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Saved saved = road.save(m_target);
    EXPECT_FALSE(saved.ok) << road.name;
    EXPECT_EQ(Words(road.refused, m_target), saved.message) << road.name;
    EXPECT_EQ(small_disks::kEarlierBytes, Bytes(m_target)) << road.name;
    ExpectTheUsersFiles(road.name);
    fs::permissions(m_target, fs::perms::owner_write, fs::perm_options::add);
  }
}

TEST_F(SaveRoadsTest, AReadOnlyFolderRefusesTheSave) {
  small_disks::ReadOnlyFolder readOnly;
  if (readOnly.Folder().empty())
    GTEST_SKIP() << readOnly.why;
  const std::string target = readOnly.Folder() + "earlier.bin";
  for (const Road& road : kRoads) {
    const Saved saved = road.save(target);
    EXPECT_FALSE(saved.ok) << road.name;
    EXPECT_EQ(Words(road.refused, target), saved.message) << road.name;
    EXPECT_EQ(small_disks::kEarlierBytes, Bytes(target)) << road.name;
    EXPECT_EQ(std::set<std::string>{"earlier.bin"}, Names(readOnly.Folder())) << road.name;
  }
}

TEST_F(SaveRoadsTest, AFullDiskKeepsTheEarlierFileAndTakesBackTheUnfinishedOne) {
  for (const Road& road : kRoads) {
    small_disks::FullDisk full;
    if (full.Folder().empty())
      GTEST_SKIP() << full.why;
    const std::string target = full.Folder() + "earlier.bin";
    const std::set<std::string> before = Names(full.Folder());
    const Saved saved = road.save(target);
    EXPECT_FALSE(saved.ok) << road.name;
    EXPECT_EQ(Words(road.unfinished, target), saved.message) << road.name;
    EXPECT_EQ(small_disks::kEarlierBytes, Bytes(target)) << road.name;
    EXPECT_EQ(before, Names(full.Folder())) << road.name;
  }
}

}  // namespace
