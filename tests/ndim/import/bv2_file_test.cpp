// The .bv2 file: built byte by byte from its layout, round trips, and
// truncated, corrupted and oversized copies.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/ndim/nd_test_support.h"
#include "framework/base/Endian.h"
#include "ndim/import/Bv2File.h"

namespace {

void PutBlock(std::vector<BYTE>& f, std::size_t at, int points, float first, float sw, float lastHz, float sf, int aq,
              int mc) {
  WriteI32LE(&f[at], points);
  WriteF32LE(&f[at + 4], first);
  WriteF32LE(&f[at + 8], sw);
  WriteF32LE(&f[at + 12], lastHz);
  WriteF32LE(&f[at + 16], sf);
  WriteI32LE(&f[at + 20], aq);
  WriteI32LE(&f[at + 24], mc);
}

// A complex f1 x f2 file whose point k holds (k, -k).
std::vector<BYTE> BuildFile(int f1, int f2, int realFlag = 0) {
  const int floats = realFlag ? 1 : 2;
  std::vector<BYTE> f(64 + static_cast<std::size_t>(f1) * f2 * floats * 4);
  std::memcpy(&f[0], "bvxn", 4);
  WriteI16LE(&f[4], 2);
  WriteI16LE(&f[6], static_cast<std::int16_t>(realFlag));
  PutBlock(f, 8, f1, 0.0f, 2000.0f, -100.0f, 500.13f, 1, 4);
  PutBlock(f, 36, f2, 67.98f, 6000.0f, -250.5f, 500.13f, 3, 0);
  for (int k = 0; k < f1 * f2; ++k) {
    WriteF32LE(&f[64 + 4 * floats * k], static_cast<float>(k));
    if (!realFlag)
      WriteF32LE(&f[64 + 8 * k + 4], static_cast<float>(-k));
  }
  return f;
}

CSpectrum2D* Parse(const std::vector<BYTE>& f, CString& error) {
  return CBv2File::Parse(f.data(), f.size(), error);
}

std::string TempPath(const char* name) {
  return std::string(::testing::TempDir()) + name;
}

}  // namespace

TEST(Bv2File, ReadsTheDocumentedLayout) {
  CString error;
  std::unique_ptr<CSpectrum2D> set(Parse(BuildFile(3, 4), error));
  ASSERT_TRUE(set) << static_cast<LPCSTR>(error);
  EXPECT_EQ(set->m_nLastDim, 2);
  EXPECT_EQ(set->m_nCurrentDim, 2);
  EXPECT_FALSE(set->m_bReal);
  EXPECT_EQ(set->m_dims[0].m_nPoints, 1);
  EXPECT_EQ(set->m_dims[1].m_nPoints, 3);
  EXPECT_EQ(set->m_dims[2].m_nPoints, 4);
  EXPECT_FLOAT_EQ(set->m_dims[2].m_fFirstPoint, 67.98f);
  EXPECT_FLOAT_EQ(set->m_dims[1].m_fSpectralWidth, 2000.0f);
  EXPECT_FLOAT_EQ(set->m_dims[2].m_fLastFrequency, -250.5f);
  EXPECT_EQ(set->m_dims[1].m_nIndirectMode, 4);
  EXPECT_EQ(set->m_dims[2].m_nAcquisitionMode, 3);
  EXPECT_EQ(set->m_zoom, CRect(0, 0, 4, 3));
  EXPECT_EQ(set->m_pData[2 * 11], 11.0f);
  EXPECT_EQ(set->m_pData[2 * 11 + 1], -11.0f);
  EXPECT_EQ(set->m_phasingOrder[0], 0);

  std::unique_ptr<CSpectrum2D> real(Parse(BuildFile(2, 3, 7), error));
  ASSERT_TRUE(real);
  EXPECT_TRUE(real->m_bReal);
  EXPECT_EQ(real->m_pData[5], 5.0f);
}

TEST(Bv2File, WrittenAndReadBackIsByteIdentical) {
  for (int realFlag : {0, 1}) {
    const std::vector<BYTE> file = BuildFile(16, 32, realFlag);
    CString error;
    std::unique_ptr<CSpectrum2D> set(Parse(file, error));
    ASSERT_TRUE(set);
    std::vector<BYTE> image;
    ASSERT_TRUE(CBv2File::Format(*set, image, error));
    EXPECT_EQ(image, file);

    const std::string path = TempPath("roundtrip.bv2");
    ASSERT_TRUE(CBv2File::Write(path.c_str(), *set, error)) << static_cast<LPCSTR>(error);
    std::unique_ptr<CSpectrum2D> again(CBv2File::Read(path.c_str(), error));
    ASSERT_TRUE(again) << static_cast<LPCSTR>(error);
    ASSERT_TRUE(CBv2File::Format(*again, image, error));
    EXPECT_EQ(image, file);
    std::remove(path.c_str());
  }
}

// Both halves are written; the file reopens with the first one only, from
// a file and from memory alike.
TEST(Bv2File, AHypercomplexSetReopensWithItsFirstHalf) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(8, 4));
  FillRandom(*set);
  set->m_nCurrentDim = 1;
  set->QuadratureSplit(true);
  ASSERT_EQ(set->m_dims[0].m_nPoints, 2);
  std::vector<BYTE> image;
  CString error;
  ASSERT_TRUE(CBv2File::Format(*set, image, error));
  EXPECT_EQ(image.size(), 64u + 8 * 4 * 8);
  const std::string path = TempPath("hyper.bv2");
  ASSERT_TRUE(CBv2File::Write(path.c_str(), *set, error));
  const std::vector<float> whole = DataOf(*set);
  const std::vector<float> first(whole.begin(), whole.begin() + whole.size() / 2);
  std::unique_ptr<CSpectrum2D> read[] = {std::unique_ptr<CSpectrum2D>(Parse(image, error)),
                                         std::unique_ptr<CSpectrum2D>(CBv2File::Read(path.c_str(), error))};
  for (const auto& again : read) {
    ASSERT_TRUE(again) << static_cast<LPCSTR>(error);
    EXPECT_EQ(again->m_dims[0].m_nPoints, 1);
    EXPECT_EQ(again->GetTotalPoints(), 16);
    EXPECT_EQ(DataOf(*again), first);
  }
  std::remove(path.c_str());
}

TEST(Bv2File, RefusesWhatIsNotACompleteFile) {
  const std::vector<BYTE> good = BuildFile(4, 4);
  CString error;
  std::vector<BYTE> bad = good;
  bad[3] = 'm';
  EXPECT_FALSE(Parse(bad, error));
  EXPECT_STREQ(error, "This is not a BrivanenD data file");

  // Every truncation, header and data alike.
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<BYTE> cut(good.begin(), good.begin() + n);
    EXPECT_FALSE(Parse(cut, error)) << n;
  }
  bad = good;
  WriteI32LE(&bad[8], 0x10000);
  WriteI32LE(&bad[36], 0x10000);  // product overflows 32 bits
  EXPECT_FALSE(Parse(bad, error));
  EXPECT_STREQ(error, "The data set is too large");
  WriteI32LE(&bad[8], 0x7FFFFFFF);
  WriteI32LE(&bad[36], 0x7FFFFFFF);
  EXPECT_FALSE(Parse(bad, error));
  WriteI32LE(&bad[8], 1 << 20);
  WriteI32LE(&bad[36], 4);  // fits in memory, not in the file
  EXPECT_FALSE(Parse(bad, error));
  EXPECT_STREQ(error, "The file is shorter than its data");
  bad = good;
  WriteI32LE(&bad[8], -4);
  EXPECT_FALSE(Parse(bad, error));
  bad = good;
  WriteI16LE(&bad[4], 7);
  EXPECT_FALSE(Parse(bad, error));

  EXPECT_FALSE(CBv2File::Read(TempPath("missing/none.bv2").c_str(), error));
  const std::string path = TempPath("cut.bv2");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(good.data(), 1, good.size() - 1, f);
  std::fclose(f);
  EXPECT_FALSE(CBv2File::Read(path.c_str(), error));
  EXPECT_STREQ(error, "The file is shorter than its data");
  std::remove(path.c_str());
}

// A write that cannot finish leaves what was at the path as it was, and no
// half-written file beside it.
TEST(Bv2File, AFailedWriteLeavesTheOldFileWhole) {
  const std::vector<BYTE> old = BuildFile(4, 8);
  CString error;
  std::unique_ptr<CSpectrum2D> set(Parse(BuildFile(16, 32), error));
  ASSERT_TRUE(set);
  const std::string path = TempPath("kept.bv2");
  std::remove(path.c_str());
  {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(old.data(), 1, old.size(), f);
    std::fclose(f);
  }
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(CBv2File::Write(path.c_str(), *set, error));
  EXPECT_FALSE(error.IsEmpty());
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(old, std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  std::remove(path.c_str());

  const std::string lost = TempPath("no such folder/lost.bv2");
  EXPECT_FALSE(CBv2File::Write(lost.c_str(), *set, error));
  EXPECT_FALSE(fs::exists(lost));
}
