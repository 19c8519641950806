// Script files: read back as written, refused when too large or not text,
// a very long line read and run without harm, and a write that cannot
// finish leaves the old file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "ndim/document/ScriptFile.h"
#include "tests/ndim/nd_test_support.h"

namespace {

std::string TempPath(const char* name) {
  return std::string(::testing::TempDir()) + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ScriptFile, WrittenAndReadBackTheSameText) {
  const std::string path = TempPath("script.txt");
  const char* text = "bw q 512\r\nem 2.5\r\new\r\nft\r\n";
  CString error, back;
  ASSERT_TRUE(WriteScriptFile(path.c_str(), text, error)) << static_cast<LPCSTR>(error);
  ASSERT_TRUE(ReadScriptFile(path.c_str(), back, error));
  EXPECT_STREQ(text, back);
  ASSERT_TRUE(WriteScriptFile(path.c_str(), "", error));
  ASSERT_TRUE(ReadScriptFile(path.c_str(), back, error));
  EXPECT_TRUE(back.IsEmpty());
  std::remove(path.c_str());
}

TEST(ScriptFile, FilesThatAreNoScriptAreRefusedWithTheReason) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* error;
  };
  const Case cases[] = {
      {"huge.txt", std::string(kMaxScriptBytes + 1, 'a'), "The script file is too large"},
      {"binary.txt", std::string("ft\0\x01\x02", 5), "Unexpected file format"},
  };
  for (const Case& c : cases) {
    const std::string path = TempPath(c.name);
    WriteBytes(path, c.bytes);
    CString text = "kept", error;
    EXPECT_FALSE(ReadScriptFile(path.c_str(), text, error)) << c.name;
    EXPECT_STREQ(c.error, error) << c.name;
    EXPECT_STREQ("kept", text) << c.name;
    std::remove(path.c_str());
  }
  CString text, error;
  EXPECT_FALSE(ReadScriptFile(TempPath("no such script").c_str(), text, error));
}

TEST(ScriptFile, ALineOfAMegabyteIsReadAndRunsNoFurtherThanItsText) {
  const std::string path = TempPath("long.txt");
  WriteBytes(path, "ze " + std::string(1000000, '9') + "\nf= ?\n");
  CString text, error;
  ASSERT_TRUE(ReadScriptFile(path.c_str(), text, error));
  std::unique_ptr<CSpectrum2D> set(MakeSet(4, 8));
  RecordingSink sink;
  CCommandInterpreter(&sink).Execute(*set, text);
  EXPECT_EQ(8, set->m_dims[2].m_nPoints) << "a size beyond the buffer limit changes nothing";
  ASSERT_EQ(1u, sink.messages.size());
  EXPECT_EQ("Performing Operations Along f2\n", sink.messages[0]);
  std::remove(path.c_str());
}

TEST(ScriptFile, AWriteThatCannotFinishLeavesTheOldFileAndNothingBeside) {
  namespace fs = std::filesystem;
  const std::string path = TempPath("readonly-script.txt");
  WriteBytes(path, "old");
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  CString error;
  EXPECT_FALSE(WriteScriptFile(path.c_str(), "new", error));
  EXPECT_FALSE(error.IsEmpty());
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ("old", ReadBytes(path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  std::remove(path.c_str());
  EXPECT_FALSE(WriteScriptFile(TempPath("no such folder/s.txt").c_str(), "x", error));
}

}  // namespace
