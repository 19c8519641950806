// The Ramp editor's colour table and its .PAL files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ndim/document/PaletteFile.h"

namespace {

bool SameRamp(const PaletteRamp& a, const PaletteRamp& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(PaletteRamp, NodesBoundStraightRampsAndTheEndsStayNodes) {
  PaletteRamp ramp;
  ramp.m_red[0] = 255, ramp.m_green[0] = 0, ramp.m_blue[0] = 0;
  ramp.m_red[255] = 0, ramp.m_green[255] = 0, ramp.m_blue[255] = 255;
  ramp.Compute();
  for (int i : {0, 1, 64, 128, 254, 255}) {
    EXPECT_NEAR(255 - i, ramp.m_red[i], 1) << i;
    EXPECT_NEAR(i, ramp.m_blue[i], 1) << i;
    EXPECT_EQ(0, ramp.m_green[i]) << i;
  }
  // A node in the middle bends each channel there.
  ramp.m_green[128] = 200;
  ramp.AddNode(128);
  for (int i = 0; i < 3; ++i)
    ramp.Compute();
  EXPECT_EQ(100, ramp.m_green[64]);
  EXPECT_EQ(200, ramp.m_green[128]) << "a node keeps its colour however often the ramps are computed";
  EXPECT_NEAR(99, ramp.m_green[192], 1);

  for (int end : {0, 255}) {
    ramp.DeleteNode(end);
    EXPECT_EQ(1, ramp.m_nodes[end]);
  }
  ramp.AddNode(10);
  ramp.DeleteInnerNodes();
  for (int i = 1; i < 255; ++i)
    ASSERT_EQ(0, ramp.m_nodes[i]) << i;
}

class PaletteFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<unsigned char>& bytes) {
    const std::string path = Dir() + "test.pal";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }
  static std::string Dir() { return ::testing::TempDir(); }
};

TEST_F(PaletteFileTest, ASavedPaletteLoadsAsTheSame256Colours) {
  PaletteRamp saved;
  saved.m_red[100] = 7, saved.m_green[100] = 250, saved.m_blue[100] = 3;
  saved.AddNode(100);
  saved.Compute();
  std::string error;
  const std::string path = Dir() + "ramp.pal";
  ASSERT_TRUE(WritePaletteFile(path.c_str(), saved, error)) << error;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  EXPECT_EQ(1024, static_cast<int>(in.tellg()));
  PaletteRamp loaded;
  ASSERT_TRUE(ReadPaletteFile(path.c_str(), loaded, error)) << error;
  EXPECT_TRUE(SameRamp(saved, loaded));

  EXPECT_FALSE(WritePaletteFile((Dir() + "no/such/folder.pal").c_str(), saved, error));
  EXPECT_EQ("Unable to open file for writing", error);
  EXPECT_FALSE(ReadPaletteFile((Dir() + "missing.pal").c_str(), loaded, error));
  EXPECT_EQ("Unable to open file for reading", error);
}

// A file is read record by record as far as it goes: a short one reports the
// error and keeps the entries it held (not recomputed), the rest as they
// were; odd flags and trailing bytes are taken as they stand, and the two
// ends stay nodes.
TEST_F(PaletteFileTest, AShortOrOddFileKeepsWhatItHolds) {
  // Nodes at the ends (red 0 -> 255); every inner entry 7, which a
  // computed ramp replaces by its index.
  std::vector<unsigned char> good(1024, 7);
  for (int i = 0; i < 256; ++i)
    good[4 * i + 3] = 0;
  good[0] = 0, good[3] = 1;
  good[1020] = 255, good[1023] = 1;
  auto cut = [&](std::size_t n) {
    return std::vector<unsigned char>(good.begin(), good.begin() + n);
  };
  auto with = [&](std::initializer_list<std::pair<int, unsigned char>> changes) {
    std::vector<unsigned char> bytes = good;
    for (const auto& c : changes)
      bytes[c.first] = c.second;
    return bytes;
  };
  std::vector<unsigned char> longer = good;
  longer.insert(longer.end(), {9, 9, 9, 9});
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;
    bool whole;
    int records;  // entries taken from the file
  } files[] = {{"empty", {}, false, 0},
               {"250 records", cut(1000), false, 250},
               {"a record cut short", cut(1023), false, 255},
               {"trailing bytes", longer, true, 256},
               {"a node flag of 2", with({{4 * 50, 50}, {4 * 50 + 3, 2}}), true, 256},
               {"the first entry no node", with({{3, 0}}), true, 256},
               {"the last entry no node", with({{1023, 0}}), true, 256}};
  for (const auto& f : files) {
    PaletteRamp ramp;  // grey: entry i is (i, i, i)
    std::string error;
    EXPECT_EQ(f.whole, ReadPaletteFile(Write(f.bytes).c_str(), ramp, error)) << f.what;
    EXPECT_EQ(f.whole ? "" : "Error during reading", error) << f.what;
    EXPECT_EQ(1, ramp.m_nodes[0]) << f.what;
    EXPECT_EQ(1, ramp.m_nodes[255]) << f.what;
    for (int i = 0; i < 256; ++i) {
      const int file = f.bytes.size() >= 4u * i + 4 ? f.bytes[4 * i] : -1;
      const int expected = i >= f.records                ? i     // as it was
                           : !f.whole || ramp.m_nodes[i] ? file  // as read
                                                         : i;    // computed
      ASSERT_EQ(expected, ramp.m_red[i]) << f.what << " entry " << i;
    }
    if (f.records > 50)
      EXPECT_EQ(f.bytes[4 * 50 + 3], ramp.m_nodes[50]) << f.what;
  }
}

}  // namespace
