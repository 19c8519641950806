// The grid's comma-separated file: what the reader takes, what it refuses
// (and then gives nothing of), and lines the writer will not make because
// the reader could not take them.
#include <gtest/gtest.h>

#include <string>

#include "controls/grid/GridFile.h"

namespace {

typedef std::vector<std::vector<std::string>> Rows;

Rows AsStrings(const CGridFileRows& rows) {
  Rows out;
  for (const auto& row : rows) {
    out.emplace_back();
    for (const CString& field : row)
      out.back().emplace_back((LPCSTR)field);
  }
  return out;
}

// Feeds the text in pieces of nPiece bytes, as a file read in blocks would.
bool Read(const std::string& text, Rows& rows, size_t nPiece = 7) {
  CGridFileReader reader;
  for (size_t i = 0; i < text.size(); i += nPiece)
    reader.Feed(text.data() + i, std::min(nPiece, text.size() - i));
  const bool ok = reader.Finish() != FALSE;
  rows = AsStrings(reader.GetRows());
  return ok;
}

TEST(GridFile, ReadsHeadingsAndRowsKeepingEmptyFieldsInTheirColumns) {
  const struct {
    const char* what;
    std::string text;
    Rows rows;
  } cases[] = {
      {"nothing", "", {}},
      {"three rows", "ppm,Hz\n1.5,600\n2.0,800\n", {{"ppm", "Hz"}, {"1.5", "600"}, {"2.0", "800"}}},
      {"empty cells", "a,b,c\n,x,\n", {{"a", "b", "c"}, {"", "x", ""}}},
      {"one column of empty lines", "h\n\n\n", {{"h"}, {""}, {""}}},
      {"spaces kept", " a , b\n", {{" a ", " b"}}},
      {"a line of the longest length", std::string(1023, 'x') + "\n", {{std::string(1023, 'x')}}},
      {"no line feed after the last line", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
      {"a last line cut after its comma", "a,b\n1,2\n3,", {{"a", "b"}, {"1", "2"}, {"3", ""}}},
      {"rows shorter and longer than the headings", "a,b,c\n1,2\n1,2,3,4\n",
       {{"a", "b", "c"}, {"1", "2"}, {"1", "2", "3", "4"}}},
      {"a carriage return kept in its field", "a\r,b\n", {{"a\r", "b"}}},
  };
  for (const auto& c : cases) {
    for (size_t piece : {1, 7, 4096}) {
      Rows rows;
      EXPECT_TRUE(Read(c.text, rows, piece)) << c.what;
      EXPECT_EQ(c.rows, rows) << c.what << ", pieces of " << piece;
    }
  }
}

TEST(GridFile, RefusesDamagedFilesWhole) {
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"a line one character too long", "a\n" + std::string(1024, 'y') + "\n"},
      {"a last line too long without its line feed", "a\n" + std::string(1024, 'y')},
      {"a line of a megabyte", "a\n" + std::string(1 << 20, 'z') + "\n1\n"},
      {"a zero byte", std::string("a,b\n1,\0\n", 8)},
  };
  for (const auto& c : cases) {
    Rows rows;
    EXPECT_FALSE(Read(c.text, rows)) << c.what;
    EXPECT_TRUE(rows.empty()) << c.what;
  }
}

TEST(GridFile, WritesTextsAsTheyStandButNotACommaALineFeedOrAnOverlongLine) {
  CString line;
  EXPECT_TRUE(FormatGridFileLine({"1.5", "", "x y"}, line));
  EXPECT_STREQ("1.5,,x y", line);
  EXPECT_TRUE(FormatGridFileLine({}, line));
  EXPECT_STREQ("", line);
  EXPECT_TRUE(FormatGridFileLine({CString(std::string(1023, 'a').c_str())}, line));
  // A carriage return comes back as itself; a comma would come back as a
  // separator, a line feed as a line end.
  EXPECT_TRUE(FormatGridFileLine({"1.5", "cr\r"}, line));
  EXPECT_STREQ("1.5,cr\r", line);
  EXPECT_FALSE(FormatGridFileLine({"1,5", "600"}, line));
  EXPECT_FALSE(FormatGridFileLine({"ok", "two\nlines"}, line));
  EXPECT_FALSE(
      FormatGridFileLine({CString(std::string(600, 'a').c_str()), CString(std::string(600, 'b').c_str())}, line));
}

}  // namespace
