// The grid's clipboard text: built from a block whose cells may or may not
// be selected, and pasted text split into the fields of each line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/grid/GridText.h"

namespace {

TEST(GridText, CopiedBlocksKeepTheirSeparatorsAndGiveEmptyCellsASpace) {
  const char* block[2][2] = {{"a", "b"}, {"c", ""}};
  auto all = [&](int r, int c) -> LPCSTR {
    return block[r][c];
  };
  EXPECT_STREQ("a\tb\nc\t ", BuildGridClipText(2, 2, all));
  auto diagonal = [&](int r, int c) -> LPCSTR {
    return r == c ? block[r][c] : nullptr;
  };
  EXPECT_STREQ("a\t\n\t ", BuildGridClipText(2, 2, diagonal));
  EXPECT_STREQ("a", BuildGridClipText(1, 1, all));
}

TEST(GridText, PastedTextSplitsAtTabsCommasAndLineEnds) {
  typedef std::vector<std::vector<std::string>> Lines;
  const struct {
    const char* text;
    Lines lines;
  } cases[] = {
      {"1,2\t3", {{"1", "2", "3"}}},
      {"a\tb\nc\t \n", {{"a", "b"}, {"c", ""}}},
      {"x\t\t,y", {{"x", "y"}}},
      {"  5 \r\n 6\r\n", {{"5"}, {"6"}}},
      {"1\n\n3", {{"1"}, {""}, {"3"}}},
      {"1\n\t\n3\n", {{"1"}, {""}, {"3"}}},
      {"", {}},
  };
  for (const auto& c : cases) {
    Lines lines;
    for (const auto& fields : SplitGridClipText(c.text)) {
      lines.emplace_back();
      for (const CString& field : fields)
        lines.back().emplace_back((LPCSTR)field);
    }
    EXPECT_EQ(c.lines, lines) << c.text;
  }
}

}  // namespace
