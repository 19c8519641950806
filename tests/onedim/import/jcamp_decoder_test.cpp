// The ordinate decoder of JCAMP-DX data tables, on lines written by hand.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/import/JcampDecoder.h"

namespace {

// Decodes text into at most nPoints values (stride 1); the values read.
std::vector<float> Decode(const std::string& text, int nPoints = 32, int* pCount = nullptr) {
  std::vector<float> values((size_t)nPoints, -777.0f);
  int n = DecodeAsdfLines(text.data(), text.size(), values.data(), nPoints, 1);
  if (pCount != nullptr)
    *pCount = n;
  values.resize(n > 0 ? (size_t)n : 0);
  return values;
}

typedef std::vector<float> V;

TEST(JcampDecoder, CompressedFormsOnOneLine) {
  EXPECT_EQ(Decode("1000 A1B2C3"), (V{11, 22, 33}));  // SQZ
  EXPECT_EQ(Decode("1000 A1JJ"), (V{11, 12, 13}));    // DIF
  EXPECT_EQ(Decode("1000 A1J1"), (V{11, 22}));        // DIF with digits
  EXPECT_EQ(Decode("1000 A1T"), (V{11, 11}));         // DUP of a value
  EXPECT_EQ(Decode("1000 A1JT"), (V{11, 12, 13}));    // DUP of a difference repeats it
  EXPECT_EQ(Decode("1000 @A%a"), (V{0, 1, 1, -1}));   // SQZ zero, DIF zero, negative SQZ
  EXPECT_EQ(Decode("1000 a12j3"), (V{-112, -125}));   // negative forms
  EXPECT_EQ(Decode("1000 A1s"), V(9, 11.0f));         // "s" is DUP 9
  EXPECT_EQ(Decode("1000 J%Jj"), (V{1, 1, 2, 1}));    // a first DIF starts from 0
  EXPECT_EQ(Decode("1000 ES1"), V(11, 5.0f));         // DUP 11
  EXPECT_EQ(Decode("1000 JJU"), (V{1, 2, 3, 4}));     // DUP 3 after DIF
}

TEST(JcampDecoder, PlainNumbersKeepSignDecimalsAndExponent) {
  EXPECT_EQ(Decode("1000 1.5 -2.25 +3E+2 4.5e-1 .5"), (V{1.5f, -2.25f, 300.0f, 0.45f, 0.5f}));
  EXPECT_EQ(Decode("1000 1E5"), (V{1, 55}));            // an exponent needs its sign
  EXPECT_EQ(Decode("1000-5+3 7,8"), (V{-5, 3, 7, 8}));  // packed: a sign begins a number
  EXPECT_EQ(Decode("1.5E+03 12"), (V{12}));             // abscissa with exponent skipped
  // Not a plain line: "E" is the SQZ digit 5.
  EXPECT_EQ(Decode("1000 1E2J"), (V{1, 52, 53}));
}

TEST(JcampDecoder, YCheckOnlyAfterDifferenceForm) {
  // The next line repeats the last value of a line ending in DIF form.
  EXPECT_EQ(Decode("1000 A1JJ\n1002 A3K\n"), (V{11, 12, 13, 15}));
  EXPECT_EQ(Decode("1000 A1JT\n1003 A3J\n"), (V{11, 12, 13, 14}));
  // After a value in SQZ form, the next line's first value is a new point.
  EXPECT_EQ(Decode("1000 A1B2\n1002 B2C3\n"), (V{11, 22, 22, 33}));
  EXPECT_EQ(Decode("1000 A1T\n1002 A1\n"), (V{11, 11, 11}));
  // A line that ends in DIF, at the end of the table, keeps its last value.
  EXPECT_EQ(Decode("1000 A1J"), (V{11, 12}));
}

TEST(JcampDecoder, WhereATableEnds) {
  int n = 0;
  EXPECT_EQ(Decode("1 A\n2 B\n##END=\n3 C\n", 32, &n), (V{1, 2}));
  EXPECT_EQ(Decode("1 A\n2 B\n\n3 C\n"), (V{1, 2}));
  EXPECT_EQ(Decode("1 A\r\n2 B\r\n \r\n3 C\r\n"), (V{1, 2}));
  EXPECT_EQ(Decode("1 A\n2 B"), (V{1, 2}));  // last line without line feed
  // Full: what follows is not read, values beyond the count are ignored.
  EXPECT_EQ(Decode("1 ABCD\n5 garbage 1E+999\n", 3, &n), (V{1, 2, 3}));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(Decode("", 4, &n), V{});
  EXPECT_EQ(n, 0);
}

TEST(JcampDecoder, WhatClosedTheTable) {
  // The importer reads a short table only when a record closed it.
  struct Case {
    const char* text;
    BOOL bCutShort;
    BOOL bAtLabel;
  } cases[] = {
      {"1 A\n2 B\n##END=\n", FALSE, TRUE}, {"1 A\r\n  ##PAGE= N=2\r\n", FALSE, TRUE},
      {"1 A\n\n##END=\n", FALSE, FALSE},   {"1 A\n2 B\n", FALSE, FALSE},
      {"1 A\n2 B", TRUE, FALSE},           {"1 ABCD\n##END=\n", FALSE, FALSE},  // full before the record
  };
  for (const Case& c : cases) {
    const std::string text = c.text;
    float values[4];
    BOOL bCutShort = -1, bAtLabel = -1;
    DecodeAsdfLines(text.data(), text.size(), values, 4, 1, &bCutShort, &bAtLabel);
    EXPECT_EQ(bCutShort, c.bCutShort) << text;
    EXPECT_EQ(bAtLabel, c.bAtLabel) << text;
  }
}

TEST(JcampDecoder, CommentsMissingValuesAndStrayCharacters) {
  EXPECT_EQ(Decode("1000 A1B2 $$ checksum BCD\n"), (V{11, 22}));
  EXPECT_EQ(Decode("$$ a comment line\n1000 A1\n"), (V{11}));
  EXPECT_EQ(Decode("1000 A1 ? B2"), (V{11, 0, 22}));
  EXPECT_EQ(Decode("1000 A1 # B2"), (V{11, 22}));
  EXPECT_EQ(Decode("1000"), V{});  // an abscissa alone
}

TEST(JcampDecoder, DamagedNumbersAreRefused) {
  int n = 0;
  Decode("1000 A" + std::string(100, '1'), 4, &n);
  EXPECT_EQ(n, -1);
  Decode("1000 1E+39", 4, &n);  // beyond a float
  EXPECT_EQ(n, -1);
  Decode("1000 " + std::string(40, '9') + " J", 4, &n);
  EXPECT_EQ(n, -1);
  // A huge repeat count fills the table and stops.
  EXPECT_EQ(Decode("1000 A1S9999999999999999", 5, &n), V(5, 11.0f));
  EXPECT_EQ(n, 5);
}

TEST(JcampDecoder, StrideFillsEverySecondFloat) {
  const std::string text = "0 A1B2C3\n";
  float values[7] = {-1, -1, -1, -1, -1, -1, -1};
  ASSERT_EQ(DecodeAsdfLines(text.data(), text.size(), values + 1, 3, 2), 3);
  EXPECT_EQ(std::vector<float>(values, values + 7), (V{-1, 11, -1, 22, -1, 33, -1}));
}

}  // namespace
