// The list of reference signals and its solvents.map: the built-in table
// when there is no file, the file's bytes, damaged files refused whole and
// left on disk until the list changes, and the file's path.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "onedim/model/SolventTable.h"

namespace {

std::string TempPath(const char* name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "solvents_" + info->name() + "_" + name;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Str(const std::string& text) {
  return std::string(1, (char)text.size()) + text;
}

std::string Entries(const CMapStringToString& map) {
  std::string all;
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    map.GetNextAssoc(pos, key, value);
    all += std::string(key) + "=" + std::string(value) + ";";
  }
  return all;
}

TEST(SolventTable, WithoutAFileTheBuiltInListIsWrittenOnSaveAndReadsBackTheSame) {
  const std::string path = TempPath("solvents.map");
  std::remove(path.c_str());
  CSolventTable table(path.c_str());
  EXPECT_EQ(CSolventTable::loadMissing, table.Load());
  EXPECT_EQ(15, table.GetMap().GetCount());
  CString shift;
  EXPECT_TRUE(table.Lookup("Chloroform-d (13C, triplet)", shift));
  EXPECT_STREQ("77.0", shift);

  CString error;
  ASSERT_TRUE(table.Save(error)) << error;
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(std::string("\x0F\x00", 2) + Str(" TMS") + Str("0"), bytes.substr(0, 9));

  CSolventTable again(path.c_str());
  EXPECT_EQ(CSolventTable::loadRead, again.Load());
  EXPECT_EQ(Entries(table.GetMap()), Entries(again.GetMap()));
}

TEST(SolventTable, LongNamesTakeTheLengthEscapeAndALaterDuplicateWins) {
  const std::string path = TempPath("solvents.map");
  const std::string name(300, 'n');
  const std::string bytes = std::string("\x03\x00", 2) + Str("A") + Str("1") + Str("A") + Str("2") + "\xFF" +
                            std::string("\x2C\x01", 2) + name + Str("3.5");
  WriteBytes(path, bytes);
  CSolventTable table(path.c_str());
  ASSERT_EQ(CSolventTable::loadRead, table.Load()) << table.GetLoadError();
  EXPECT_EQ(2, table.GetMap().GetCount());
  CString shift;
  EXPECT_TRUE(table.Lookup("A", shift));
  EXPECT_STREQ("2", shift);
  EXPECT_TRUE(table.Lookup(name.c_str(), shift));

  table.Add(name.c_str(), "3.6");
  CString error;
  ASSERT_TRUE(table.Save(error));
  const std::string saved = ReadBytes(path);
  EXPECT_NE(std::string::npos, saved.find(std::string("\xFF\x2C\x01", 3) + name + Str("3.6")));
}

TEST(SolventTable, DamagedFilesGiveTheBuiltInListAndStayUntilTheListChanges) {
  const std::string path = TempPath("solvents.map");
  const std::string megabyte(1 << 20, 'x');
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"cut inside the count", std::string("\x01", 1)},
      {"cut inside an entry", std::string("\x01\x00", 2) + Str("Water") + "\x04" + "4.7"},
      {"count beyond the length", std::string("\xFF\xFF\x00\x00\x01\x00", 6) + Str("A") + Str("1")},
      {"entry of 1 MB", std::string("\x01\x00", 2) + std::string("\xFF\xFF\xFF\x00\x00\x10\x00", 7) + megabyte +
                            Str("1")},
      {"bytes after the last entry", std::string("\x01\x00", 2) + Str("A") + Str("1") + "junk"},
  };
  for (const auto& c : cases) {
    WriteBytes(path, c.bytes);
    CSolventTable table(path.c_str());
    EXPECT_EQ(CSolventTable::loadDamaged, table.Load()) << c.what;
    EXPECT_FALSE(table.GetLoadError().IsEmpty()) << c.what;
    EXPECT_EQ(15, table.GetMap().GetCount()) << c.what;
    CString error;
    EXPECT_TRUE(table.Save(error)) << c.what;
    EXPECT_EQ(c.bytes, ReadBytes(path)) << c.what << ": an unchanged list leaves the file alone";
  }
  CSolventTable table(path.c_str());
  table.Load();
  table.Add("Water (1H, singlet)", "4.79");
  CString error;
  ASSERT_TRUE(table.Save(error));
  CSolventTable again(path.c_str());
  EXPECT_EQ(CSolventTable::loadRead, again.Load());
  EXPECT_EQ(16, again.GetMap().GetCount());
}

TEST(SolventTable, PathsAndListEntries) {
  const struct {
    const char* module;
    const char* path;
  } paths[] = {{"C:\\Programs\\Brivane\\brivane23.exe", "C:\\Programs\\Brivane\\solvents.map"},
               {"D:brivane23.exe", "D:solvents.map"},
               {"/opt/brivane/BrivanenD.exe", "/opt/brivane/solvents.map"},
               {"brivane23.exe", "solvents.map"}};
  for (const auto& p : paths)
    EXPECT_STREQ(p.path, SolventsFilePath(p.module)) << p.module;
  EXPECT_STREQ("Benzene-d6 (1H, singlet)\t7.15", SolventListEntry("Benzene-d6 (1H, singlet)", "7.15"));
  EXPECT_STREQ(" TMS", SolventNameOfEntry(" TMS\t0"));
  EXPECT_STREQ("plain", SolventNameOfEntry("plain"));
}

}  // namespace
