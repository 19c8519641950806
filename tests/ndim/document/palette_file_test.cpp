// The Ramp editor's colour table and its .PAL files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
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

TEST_F(PaletteFileTest, ABadFileIsRefusedAndTheTableKept) {
  std::vector<unsigned char> good(1024, 0);
  for (int i = 0; i < 256; ++i)
    good[4 * i] = good[4 * i + 1] = good[4 * i + 2] = static_cast<unsigned char>(255 - i);
  good[3] = good[1023] = 1;
  auto with = [&](int offset, unsigned char value) {
    std::vector<unsigned char> bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;
  } bad[] = {{"empty", {}},
             {"truncated", std::vector<unsigned char>(good.begin(), good.begin() + 1000)},
             {"one record short", std::vector<unsigned char>(good.begin(), good.end() - 4)},
             {"too long",
              [&] {
                auto b = good;
                b.push_back(0);
                return b;
              }()},
             {"a node flag of 2", with(4 * 50 + 3, 2)},
             {"the first entry no node", with(3, 0)},
             {"the last entry no node", with(1023, 0)}};
  PaletteRamp ramp;
  ramp.m_red[9] = 42;
  const PaletteRamp before = ramp;
  std::string error;
  for (const auto& b : bad) {
    EXPECT_FALSE(ReadPaletteFile(Write(b.bytes).c_str(), ramp, error)) << b.what;
    EXPECT_EQ("Error during reading", error) << b.what;
    EXPECT_TRUE(SameRamp(before, ramp)) << b.what;
  }
  ASSERT_TRUE(ReadPaletteFile(Write(good).c_str(), ramp, error));
  EXPECT_EQ(255, ramp.m_red[0]);
  EXPECT_EQ(0, ramp.m_blue[255]);
}

}  // namespace
