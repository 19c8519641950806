// The Aspect 2D reader on files built from the documented layout: its 6-byte
// reals, both word orders, odd row lengths, and files it must refuse.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "ndim/import/NdAspectReader.h"
#include "tests/ndim/import/nd_import_test_util.h"

namespace {

// 6000 Hz and 400 MHz as 6-byte reals, most significant byte first. Their
// exponents are odd, so bit 5 of byte 4 adds 2^-23 to the mantissa.
const BYTE kWidth[6] = {0x5D, 0xC0, 0x00, 0x01, 0xA0, 0x00};
const float kWidthValue = 6000.0009765625f;
const BYTE kFrequency[6] = {0x64, 0x00, 0x00, 0x01, 0x20, 0x00};
const float kFrequencyValue = 400.00006103515625f;

struct AspectFile {
  bool leastFirst = false;
  int words = 8;  // c, as stored
  int rows = 3;
};

int Value(int row, int word) {
  return row * 1000 - word * 37 - 5;
}

std::string Word(int v, bool leastFirst) {
  std::string b = IntBytes(static_cast<std::uint32_t>(v), 3, true);
  if (leastFirst)
    std::swap(b[0], b[2]);
  return b;
}

std::string Real(const BYTE* six, bool leastFirst) {
  std::string b(reinterpret_cast<const char*>(six), 6);
  if (leastFirst) {
    std::swap(b[0], b[2]);
    std::swap(b[3], b[5]);
  }
  return b;
}

std::string Image(const AspectFile& a) {
  std::string f(768, '\0');
  f.replace(0, 3, a.leastFirst ? "\xF5\x84\x47" : "\x47\x84\xF5");
  f.replace(129, 3, Word(a.words, a.leastFirst));
  f.replace(159, 6, Real(kWidth, a.leastFirst));
  f.replace(231, 6, Real(kFrequency, a.leastFirst));
  const int c = std::abs(a.words);
  for (int r = 0; r < a.rows; ++r)
    for (int i = 0; i < c; ++i)
      f += Word(Value(r, i), a.leastFirst);
  return f;
}

// The floats a set of the file holds: the first c / 2 pairs of each row.
std::vector<float> Values(const AspectFile& a) {
  std::vector<float> v;
  const int c = std::abs(a.words);
  for (int r = 0; r < a.rows; ++r)
    for (int i = 0; i < c / 2 * 2; ++i)
      v.push_back(static_cast<float>(Value(r, i)));
  return v;
}

}  // namespace

TEST(NdAspectReader, SixByteRealsDecodeAsDocumented) {
  struct Case {
    BYTE b[6];
    double value;
  } cases[] = {
      {{0x40, 0x00, 0x00, 0x00, 0x40, 0x00}, 2.0},
      {{0x5D, 0xC0, 0x00, 0x01, 0xA0, 0x00}, 6000.0009765625},
      {{0xC0, 0x00, 0x00, 0x00, 0x20, 0x00}, -1.0 + std::ldexp(1.0, -22)},  // mantissa above 1: less 2
      {{0x40, 0x00, 0x00, 0xFF, 0xE0, 0x00}, 0.25 + std::ldexp(1.0, -24)},  // exponent -1
      {{0x40, 0x00, 0x01, 0x00, 0x00, 0x01}, 0.5 + std::ldexp(1.0, -23) + std::ldexp(1.0, -36)},
      {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 0.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.value, NdAspectReal(c.b)) << c.value;
}

TEST(NdAspectReader, ReadsBothWordOrdersAndRowsOfAnyLength) {
  const AspectFile cases[] = {{false, 8, 3}, {true, 8, 3}, {false, -8, 2}, {true, 7, 2}, {false, 2, 5}};
  for (const AspectFile& a : cases) {
    NdFolder folder;
    folder.Write("a.fid", Image(a) + std::string(5, '\7'));  // a partial row after the last
    NdImport r = RunReader(ReadAspect, folder.Path("a.fid"));
    ASSERT_TRUE(r.set) << r.error;
    ExpectWholeSet(*r.set, a.rows, std::abs(a.words) / 2, Values(a));
    for (int d : {1, 2}) {
      EXPECT_EQ(kWidthValue, r.set->m_dims[d].m_fSpectralWidth);
      EXPECT_EQ(kFrequencyValue, r.set->m_dims[d].m_fSpectrometerFreq);
    }
  }
}

TEST(NdAspectReader, RefusesFilesWithoutALayoutOrARow) {
  struct Case {
    const char* name;
    std::string image;
  } cases[] = {
      {"third magic", std::string("\x3D\xFB\x00", 3) + Image(AspectFile()).substr(3)},
      {"no magic", "XYZ" + Image(AspectFile()).substr(3)},
      {"short header", Image(AspectFile()).substr(0, 767)},
      {"no words", Image(AspectFile{false, 0, 3})},
      {"one word", Image(AspectFile{false, 1, 3})},
      {"negative count, second order", Image(AspectFile{true, -8, 3})},
      {"less than a row", Image(AspectFile{false, 8, 1}).substr(0, 768 + 23)},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    folder.Write("a.fid", c.image);
    NdImport r = RunReader(ReadAspect, folder.Path("a.fid"));
    EXPECT_FALSE(r.set) << c.name;
    EXPECT_FALSE(r.error.empty()) << c.name;
  }
}

TEST(NdAspectReader, EveryShorterOrDamagedCopyIsRefusedOrReadAsItsLeadingRows) {
  for (bool leastFirst : {false, true}) {
    NdFolder folder;
    const AspectFile a{leastFirst, 6, 3};
    CheckPrefixesAndFlips(folder, "a.fid", Image(a), [&] { return RunReader(ReadAspect, folder.Path("a.fid")); });
  }
}
