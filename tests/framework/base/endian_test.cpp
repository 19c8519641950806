#include <gtest/gtest.h>

#include <cstring>

#include "framework/base/Endian.h"

TEST(Endian, KnownBytesInBothOrders) {
  const BYTE b[8] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88};
  EXPECT_EQ(ReadU16LE(b), 0x0201u);
  EXPECT_EQ(ReadU16BE(b), 0x0102u);
  EXPECT_EQ(ReadU32LE(b), 0x04030201u);
  EXPECT_EQ(ReadU32BE(b), 0x01020304u);
  EXPECT_EQ(ReadU64LE(b), 0x8807060504030201ull);
  EXPECT_EQ(ReadU64BE(b), 0x0102030405060788ull);
  EXPECT_EQ(ReadI16BE(b + 6), (std::int16_t)0x0788);
  EXPECT_EQ(ReadI16LE(b + 6), (std::int16_t)-30713);  // 0x8807
  EXPECT_EQ(ReadI64LE(b), (std::int64_t)0x8807060504030201ull);

  // 1.0f is 3F 80 00 00; -2.5 is C0 04 00 00 00 00 00 00.
  const BYTE f[4] = {0x3F, 0x80, 0x00, 0x00};
  EXPECT_EQ(ReadF32BE(f), 1.0f);
  const BYTE d[8] = {0, 0, 0, 0, 0, 0, 0x04, 0xC0};
  EXPECT_EQ(ReadF64LE(d), -2.5);
}

TEST(Endian, WriteThenReadRoundTrips) {
  BYTE buf[8];
  WriteI32BE(buf, -123456789);
  EXPECT_EQ(ReadI32BE(buf), -123456789);
  EXPECT_EQ(buf[0], 0xF8);
  WriteI32LE(buf, -123456789);
  EXPECT_EQ(ReadI32LE(buf), -123456789);
  EXPECT_EQ(buf[3], 0xF8);
  WriteU16BE(buf, 0xABCD);
  EXPECT_EQ(buf[0], 0xAB);
  WriteI16LE(buf, -2);
  EXPECT_EQ(ReadI16LE(buf), -2);
  WriteI64BE(buf, -5);
  EXPECT_EQ(ReadI64BE(buf), -5);
  EXPECT_EQ(buf[7], 0xFB);
  WriteF32LE(buf, 3.25f);
  EXPECT_EQ(ReadF32LE(buf), 3.25f);
  WriteF64BE(buf, 1e-300);
  EXPECT_EQ(ReadF64BE(buf), 1e-300);
  WriteF64LE(buf, -0.0);
  EXPECT_EQ(buf[7], 0x80);
}

TEST(ByteReader, ReadsInItsByteOrderAndCanSwitch) {
  const BYTE data[] = {0x00, 0x10, 0x20, 0x00, 0x00, 0x00, 0x41, 0x20, 0x00, 0x00};
  CByteReader r(data, sizeof data, ByteOrder::BigEndian);
  EXPECT_EQ(r.ReadU16(), 0x0010u);
  r.SetByteOrder(ByteOrder::LittleEndian);
  EXPECT_EQ(r.ReadU32(), 0x20u);
  r.SetByteOrder(ByteOrder::BigEndian);
  EXPECT_EQ(r.ReadF32(), 10.0f);
  EXPECT_EQ(r.GetPosition(), 10u);
  EXPECT_EQ(r.GetRemaining(), 0u);
  EXPECT_FALSE(r.HasError());
}

TEST(ByteReader, ShortBufferSetsAStickyError) {
  const BYTE data[] = {1, 2, 3, 4, 5, 6};
  CByteReader r(data, sizeof data, ByteOrder::LittleEndian);
  EXPECT_EQ(r.ReadU32(), 0x04030201u);
  // Two bytes remain: an 8-byte read fails without moving.
  EXPECT_EQ(r.ReadF64(), 0.0);
  EXPECT_TRUE(r.HasError());
  EXPECT_EQ(r.GetPosition(), 4u);
  // Everything after fails too, even what would fit.
  EXPECT_EQ(r.ReadU8(), 0u);
  EXPECT_EQ(r.ReadU16(), 0u);
  EXPECT_FALSE(r.Seek(0));
  EXPECT_TRUE(r.HasError());
}

TEST(ByteReader, SeekSkipAndBytesStayInsideTheBuffer) {
  const BYTE data[] = {'a', 'b', 'c', 'd'};
  CByteReader r(data, sizeof data, ByteOrder::LittleEndian);
  EXPECT_TRUE(r.Seek(4));  // one past the end is a valid position
  EXPECT_EQ(r.GetRemaining(), 0u);
  EXPECT_TRUE(r.Seek(1));
  char out[4] = {'x', 'x', 'x', 'x'};
  EXPECT_TRUE(r.ReadBytes(out, 2));
  EXPECT_EQ(std::memcmp(out, "bc", 2), 0);
  // A copy that does not fit leaves zeros, never stale or foreign bytes.
  EXPECT_FALSE(r.ReadBytes(out, 4));
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[3], 0);

  CByteReader s(data, sizeof data, ByteOrder::LittleEndian);
  EXPECT_FALSE(s.Skip((std::size_t)-1));  // no wrap-around on huge counts
  EXPECT_TRUE(s.HasError());
  CByteReader t(data, sizeof data, ByteOrder::LittleEndian);
  EXPECT_FALSE(t.Seek(5));
  EXPECT_EQ(t.Take(1), nullptr);

  CByteReader empty(nullptr, 100, ByteOrder::LittleEndian);  // no buffer, no bytes
  EXPECT_EQ(empty.GetSize(), 0u);
  EXPECT_EQ(empty.ReadU8(), 0u);
  EXPECT_TRUE(empty.HasError());
}
