// A file replaced only once the new one is whole: the new file is made
// beside the old one under a name of its own, never over a file that is
// there, and takes the old one's place in one step; every way a write can
// fail leaves the old file and nothing beside it.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <set>
#include <stdexcept>
#include <string>

#include "framework/base/Exception.h"
#include "framework/base/FileReplace.h"
#include "framework/base/StdioFile.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own, empty at the start.
class FileReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::path(::testing::TempDir()) /
               ("file_replace_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(m_folder, ec))
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(m_folder, ec);
  }

  std::string Path(const char* name) const { return (m_folder / name).string(); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder))
      names.insert(entry.path().filename().string());
    return names;
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

  fs::path m_folder;
};

TEST_F(FileReplaceTest, OpenNewNeverOpensAFileThatIsThere) {
  const std::string path = Path("there.bin");
  Put(path, "kept");
  CFile file;
  CFileException e;
  EXPECT_FALSE(file.OpenNew(path.c_str(), CFile::typeBinary, &e));
  EXPECT_EQ(CFileException::accessDenied, e.m_cause);
  EXPECT_EQ(EEXIST, e.m_lOsError);
  EXPECT_EQ("kept", Bytes(path));

  // A new one is made for writing; a CStdioFile opened so is in text mode.
  CStdioFile text;
  ASSERT_TRUE(text.OpenNew(Path("new.txt").c_str(), CFile::typeText));
  EXPECT_TRUE(text.IsTextMode());
  text.WriteString("a\nb\n");
  text.Close();
  EXPECT_EQ("a\r\nb\r\n", Bytes(Path("new.txt")));
  EXPECT_FALSE(file.OpenNew(Path("no such folder/x").c_str(), CFile::typeBinary, &e));
  EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
}

TEST_F(FileReplaceTest, TheNewFileIsMadeBesideUnderANameOfItsOwn) {
  const std::string path = Path("doc.bvx");
  Put(path, "old");
  // A user's own file named as temporaries often are is nobody's temporary.
  Put(path + ".tmp", "user's own");
  std::set<std::string> during;
  CString error;
  EXPECT_EQ(fileReplaced, ReplaceFileContents(
                              path.c_str(), CFile::typeBinary,
                              [&](CStdioFile& file) {
                                during = Names();
                                file.Write("new", 3);
                              },
                              error));
  EXPECT_TRUE(error.IsEmpty());
  EXPECT_EQ("new", Bytes(path));
  EXPECT_EQ("user's own", Bytes(path + ".tmp"));
  EXPECT_EQ((std::set<std::string>{"doc.bvx", "doc.bvx.tmp"}), Names());
  ASSERT_EQ(3u, during.size()) << "one new file, beside the target";
  std::string temporary;
  for (const std::string& name : during)
    if (name != "doc.bvx" && name != "doc.bvx.tmp")
      temporary = name;
  ASSERT_EQ(0u, temporary.rfind("~bv", 0)) << temporary;

  // Nor is a user's file named as the next temporaries would be: the save
  // takes a name that is free.
  const std::size_t dash = temporary.rfind('-');
  const std::string stem = temporary.substr(0, dash + 1);
  const unsigned long serial = std::stoul(temporary.substr(dash + 1));
  const std::string taken[] = {stem + std::to_string(serial + 1) + ".tmp", stem + std::to_string(serial + 2) + ".tmp"};
  for (const std::string& name : taken)
    Put(Path(name.c_str()), "user's " + name);
  std::string used;
  EXPECT_EQ(fileReplaced, ReplaceFileContents(
                              path.c_str(), CFile::typeBinary,
                              [&](CStdioFile& file) {
                                used = fs::path((LPCSTR)file.GetFilePath()).filename().string();
                                file.Write("newer", 5);
                              },
                              error));
  EXPECT_EQ(stem + std::to_string(serial + 3) + ".tmp", used);
  EXPECT_EQ("newer", Bytes(path));
  for (const std::string& name : taken) {
    EXPECT_EQ("user's " + name, Bytes(Path(name.c_str())));
    fs::remove(Path(name.c_str()));
  }

  // A file that is not there yet is made; text mode writes CR LF.
  EXPECT_TRUE(ReplaceFileContents(
                  Path("list.txt").c_str(), CFile::typeText, [](CStdioFile& file) { file.WriteString("1,2\n"); },
                  error) == fileReplaced);
  EXPECT_EQ("1,2\r\n", Bytes(Path("list.txt")));
}

// Every failure: the result says where it stopped, the reason names the
// user's file (not the temporary one), the old file keeps its bytes and the
// folder holds what it held.
TEST_F(FileReplaceTest, AFailedWriteLeavesTheOldFileAndNothingBeside) {
  const std::string path = Path("doc.bvx");
  struct Case {
    const char* name;
    FileReplaceResult result;
    const char* reason;
    std::function<void(CStdioFile&)> write;
  } cases[] = {
      {"a full disk", fileNotWritten, "The disk is full: ",
       [](CStdioFile& file) {
         file.Write("half", 4);
         AfxThrowFileException(CFileException::diskFull, 28, file.GetFilePath());
       }},
      {"no memory", fileNotWritten, "There is not enough memory",
       [](CStdioFile& file) {
         file.Write("half", 4);
         throw std::bad_alloc();
       }},
      {"an archive fault", fileNotWritten, "",
       [](CStdioFile&) {
         AfxThrowArchiveException(CArchiveException::genericException, nullptr);
       }},
  };
  for (const Case& c : cases) {
    Put(path, "old");
    CString error;
    EXPECT_EQ(c.result, ReplaceFileContents(path.c_str(), CFile::typeBinary, c.write, error)) << c.name;
    EXPECT_EQ("old", Bytes(path)) << c.name;
    EXPECT_EQ(std::set<std::string>{"doc.bvx"}, Names()) << c.name;
    EXPECT_FALSE(error.IsEmpty()) << c.name;
    EXPECT_EQ(0, error.Find(c.reason)) << c.name << ": " << (LPCSTR)error;
    if (std::string(c.name) == "a full disk") {
      EXPECT_NE(-1, error.Find(path.c_str())) << (LPCSTR)error;
    }
  }

  // A read-only file is refused before anything is written.
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  bool bWritten = false;
  CString error;
  EXPECT_EQ(fileNotReplaced, ReplaceFileContents(
                                 path.c_str(), CFile::typeBinary, [&](CStdioFile&) { bWritten = true; }, error));
  EXPECT_FALSE(bWritten);
  EXPECT_EQ("Access to " + path + " was denied.", std::string(error));
  EXPECT_EQ(std::set<std::string>{"doc.bvx"}, Names());
  // The move itself refuses it too (Wine's MoveFileEx would replace it),
  // and both files stay as they were.
  Put(Path("new.bin"), "new");
  EXPECT_FALSE(MoveFileReplacing(Path("new.bin").c_str(), path.c_str()));
  EXPECT_EQ("old", Bytes(path));
  EXPECT_EQ("new", Bytes(Path("new.bin")));
  fs::remove(Path("new.bin"));
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);

  // A folder that is not there gets nothing.
  const std::string lost = Path("no such folder/doc.bvx");
  EXPECT_EQ(fileNotCreated, ReplaceFileContents(
                                lost.c_str(), CFile::typeBinary, [](CStdioFile&) {}, error));
  EXPECT_EQ("The file " + lost + " could not be found.", std::string(error));

  // Any other exception goes on to the caller, the new file removed.
  EXPECT_THROW(ReplaceFileContents(
                   path.c_str(), CFile::typeBinary, [](CStdioFile&) { throw std::runtime_error("caller's"); }, error),
               std::runtime_error);
  EXPECT_EQ("old", Bytes(path));
  EXPECT_EQ(std::set<std::string>{"doc.bvx"}, Names());
}

#ifndef _WIN32
// The new file takes the old one's permissions: a private file stays private.
TEST_F(FileReplaceTest, TheReplacedFileKeepsItsPermissions) {
  const std::string path = Path("private.bvx");
  Put(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  CString error;
  ASSERT_TRUE(WriteFileReplacing(
      path.c_str(), [](CStdioFile& file) { file.Write("new", 3); }, error));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write, fs::status(path).permissions() & fs::perms::all);
}
#endif

}  // namespace
