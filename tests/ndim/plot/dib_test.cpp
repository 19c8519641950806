// Device-independent bitmaps: the header a size calls for, BMP files
// written and read back (also through an archive), and files that are
// truncated, flipped or lie about their sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/MemFile.h"
#include "ndim/plot/Dib.h"

namespace {

int QuietReport(LPCSTR, UINT) {
  return IDOK;
}

class DibTest : public ::testing::Test {
 protected:
  void SetUp() override { m_old = SetReportErrorHook(QuietReport); }
  void TearDown() override { SetReportErrorHook(m_old); }
  PFNREPORTERROR m_old = nullptr;
};

std::vector<BYTE> FileOf(CDib& dib) {
  CMemFile file;
  EXPECT_TRUE(dib.Write(&file));
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

bool ReadBack(std::vector<BYTE> bytes, CDib& dib, CString* reason = nullptr) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CString why;
  const bool ok = dib.ReadBmp(file, why);
  if (reason)
    *reason = why;
  return ok;
}

// A 3 x 2 24-bit bitmap with distinct bytes.
std::vector<BYTE> SmallBitmap() {
  CDib dib(3, 2, 24);
  EXPECT_TRUE(dib.AllocateBits());
  for (DWORD i = 0; i < dib.m_dwSizeImage; ++i)
    dib.m_lpImage[i] = static_cast<BYTE>(i * 7 + 1);
  return FileOf(dib);
}

TEST_F(DibTest, HeaderForASize) {
  CDib rgb(3, 2, 24);
  ASSERT_TRUE(rgb.m_lpBMIH);
  EXPECT_EQ(rgb.m_nColorTableEntries, 0);
  EXPECT_EQ(rgb.RowBytes(), 12);
  EXPECT_EQ(rgb.m_dwSizeImage, 24u);
  EXPECT_EQ(rgb.m_lpBMIH->biPlanes, 1);
  CDib mono(9, 5, 1);
  EXPECT_EQ(mono.m_nColorTableEntries, 2);
  EXPECT_EQ(mono.RowBytes(), 4);
  CDib grey(10, 1, 8);
  EXPECT_EQ(grey.m_nColorTableEntries, 256);
  EXPECT_EQ(grey.m_lpBMIH->biClrUsed, 256u);
  const int bad[][3] = {{0, 4, 24}, {4, -1, 24}, {4, 4, 7}};
  for (const auto& b : bad) {
    CDib none(b[0], b[1], b[2]);
    EXPECT_FALSE(none.m_lpBMIH);
  }
}

TEST_F(DibTest, WritesAndReadsBackAFile) {
  const std::vector<BYTE> bytes = SmallBitmap();
  ASSERT_EQ(bytes.size(), 54u + 24u);
  EXPECT_EQ(ReadU16LE(&bytes[0]), 0x4D42);
  EXPECT_EQ(ReadU32LE(&bytes[2]), 0u);
  EXPECT_EQ(ReadU32LE(&bytes[10]), 54u);
  EXPECT_EQ(ReadU32LE(&bytes[14]), 40u);
  CDib dib;
  ASSERT_TRUE(ReadBack(bytes, dib));
  EXPECT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(0, std::memcmp(dib.m_lpImage, &bytes[54], 24));

  // An 8-bit one with its colour table, through an archive.
  CDib grey(5, 3, 8);
  ASSERT_TRUE(grey.AllocateBits());
  for (int i = 0; i < 256; ++i)
    grey.m_lpvColorTable[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
  grey.m_lpImage[0] = 200;
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << 12345;
    grey.Serialize(ar);
    ar << 678;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  int before = 0, after = 0;
  ar >> before;
  CDib again;
  again.Serialize(ar);
  ar >> after;
  EXPECT_EQ(before, 12345);
  EXPECT_EQ(after, 678);
  ASSERT_EQ(again.m_nColorTableEntries, 256);
  EXPECT_EQ(again.m_lpvColorTable[10].green, 245);
  EXPECT_EQ(again.m_lpImage[0], 200);
}

TEST_F(DibTest, EveryTruncatedFileIsRefused) {
  const std::vector<BYTE> bytes = SmallBitmap();
  for (size_t n = 0; n < bytes.size(); ++n) {
    CDib dib;
    EXPECT_FALSE(ReadBack(std::vector<BYTE>(bytes.begin(), bytes.begin() + n), dib)) << n;
    EXPECT_FALSE(dib.m_lpBMIH);
  }
}

TEST_F(DibTest, FlippedBytesAreRefusedOrReadWithinTheFile) {
  const std::vector<BYTE> bytes = SmallBitmap();
  for (size_t i = 0; i < 54; ++i) {
    for (BYTE mask : {0x01, 0x80, 0xFF}) {
      std::vector<BYTE> flipped = bytes;
      flipped[i] ^= mask;
      CDib dib;
      if (ReadBack(flipped, dib)) {
        EXPECT_LE(54u + dib.m_nColorTableEntries * 4u + dib.m_dwSizeImage, bytes.size()) << i;
        EXPECT_GE(dib.m_dwSizeImage, static_cast<DWORD>(dib.RowBytes() * dib.Height()));
      }
    }
  }
}

TEST_F(DibTest, FilesThatLieAboutTheirSizesAreRefused) {
  struct Case {
    const char* what;
    size_t offset;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"wrong type", 0, 0x4D43},
      {"header size 12", 14, 12},
      {"negative width", 18, 0xFFFFFFFD},
      {"negative height", 22, 0xFFFFFFFE},
      {"huge width", 18, 0x40000000},
      {"huge height", 22, 0x7FFFFFFF},
      {"bit count 7", 28, 7},
      {"compressed", 30, 1},
      {"image size short of the rows", 34, 12},
      {"image size past the end", 34, 25},
      {"colour table past the header", 46, 1},
      {"bits offset past the end", 10, 1000},
      {"bits offset inside the header", 10, 40},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bytes = SmallBitmap();
    if (c.offset == 0 || c.offset == 28)
      WriteU16LE(&bytes[c.offset], static_cast<std::uint16_t>(c.value));
    else
      WriteU32LE(&bytes[c.offset], c.value);
    CDib dib;
    CString reason;
    EXPECT_FALSE(ReadBack(bytes, dib, &reason)) << c.what;
    EXPECT_FALSE(reason.IsEmpty()) << c.what;
    EXPECT_FALSE(dib.m_lpBMIH) << c.what;
  }
}

TEST_F(DibTest, ReadAndWriteReportTheirFailure) {
  std::vector<std::string> reports;
  static std::vector<std::string>* s_reports = nullptr;
  s_reports = &reports;
  PFNREPORTERROR old = SetReportErrorHook([](LPCSTR text, UINT) {
    s_reports->push_back(text);
    return IDOK;
  });
  std::vector<BYTE> junk(10, 0);
  CMemFile in(junk.data(), static_cast<UINT>(junk.size()));
  CDib dib;
  EXPECT_FALSE(dib.Read(&in));
  CMemFile out;
  EXPECT_FALSE(dib.Write(&out));  // nothing to write
  SetReportErrorHook(old);
  EXPECT_EQ(reports, (std::vector<std::string>{"Read error", "write error"}));
}

}  // namespace
