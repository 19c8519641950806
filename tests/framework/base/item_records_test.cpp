// Item records: a block of records read back whole; damage to one record
// costs that record, and a cut costs the rest, never a read outside the
// block.
#include <gtest/gtest.h>

#include <vector>

#include "framework/base/Endian.h"
#include "framework/base/ItemRecords.h"

namespace {

TEST(ItemRecords, RoundTripAndDamage) {
  const std::vector<CItemRecord> records = {{1, 2, 3}, {}, {9, 8, 7, 6, 5}};
  const std::vector<BYTE> block = JoinItemRecords(records);
  ASSERT_EQ(block.size(), 4u + 3 * 8 + 3 + 0 + 5);
  EXPECT_EQ(ReadU32LE(block.data()), 3u);
  // The checksum is the common CRC-32.
  const BYTE check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(ItemRecordCrc32(check, sizeof check), 0xCBF43926u);

  std::vector<BYTE> flipped = block;
  flipped[4 + 8 + 1] ^= 0xFF;  // inside the first record
  std::vector<BYTE> hugeCount = block;
  WriteU32LE(hugeCount.data(), 0xFFFFFFFFu);
  // A damaged record, then the block ends under a huge count.
  std::vector<BYTE> damagedThenCut(12, 0);
  WriteU32LE(damagedThenCut.data(), 0xFFFFFFFFu);
  WriteU32LE(&damagedThenCut[8], 1);
  std::vector<BYTE> hugeLength = block;
  WriteU32LE(&hugeLength[4], 0x7FFFFFFFu);
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    std::vector<CItemRecord> expected;
    int nDamaged;
  };
  const Case cases[] = {
      {"whole", block, records, 0},
      {"a flipped byte", flipped, {records[1], records[2]}, 1},
      {"cut in the last record", std::vector<BYTE>(block.begin(), block.end() - 1), {records[0], records[1]}, 1},
      {"cut in the first head", std::vector<BYTE>(block.begin(), block.begin() + 6), {}, 3},
      {"more counted than held", hugeCount, records, 0x7FFFFFFF},
      {"a length past the end", hugeLength, {}, 3},
      {"damaged, then cut under a huge count", damagedThenCut, {}, 0x7FFFFFFF},
      {"no count", std::vector<BYTE>(block.begin(), block.begin() + 3), {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int nDamaged = -1;
    EXPECT_EQ(SplitItemRecords(c.bytes.data(), c.bytes.size(), &nDamaged), c.expected);
    EXPECT_EQ(nDamaged, c.nDamaged);
  }
}

}  // namespace
