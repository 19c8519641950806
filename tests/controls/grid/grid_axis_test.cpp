// Row heights (or column widths) and the positions drawn from them, as they
// change: the running sums must follow every insertion, removal and swap.
#include <gtest/gtest.h>

#include <climits>

#include "controls/grid/GridAxis.h"

namespace {

TEST(GridAxis, OffsetsFollowEveryChange) {
  CGridAxis axis;
  axis.SetCount(4, 10);  // 0 10 20 30 | 40
  EXPECT_EQ(40, axis.GetTotal());
  EXPECT_EQ(20, axis.GetOffset(2));
  axis.SetSize(1, 5);  // 0 10 15 25 | 35
  EXPECT_EQ(15, axis.GetOffset(2));
  axis.Insert(0, 7);  // 0 7 17 22 32 | 42
  EXPECT_EQ(22, axis.GetOffset(3));
  axis.Swap(0, 4);  // sizes 10 10 5 10 7
  EXPECT_EQ(25, axis.GetOffset(3));
  EXPECT_EQ(42, axis.GetTotal());
  axis.Remove(1);  // sizes 10 5 10 7
  EXPECT_EQ(15, axis.GetOffset(2));
  EXPECT_EQ(32, axis.GetTotal());
  EXPECT_EQ(15, axis.GetSpan(0, 1));
  EXPECT_FALSE(axis.SetSize(4, 1));
  EXPECT_FALSE(axis.SetSize(0, -1));
  EXPECT_EQ(-1, axis.GetSize(-1));
  axis.SetCount(2, 99);
  EXPECT_EQ(15, axis.GetTotal());
}

TEST(GridAxis, PositionsFindTheirEntries) {
  CGridAxis axis;
  axis.SetCount(3, 10);
  axis.Insert(1, 0);  // sizes 10 0 10 10: offsets 0 10 10 20 | 30
  const struct {
    int pos, at, firstAtOrAfter;
  } cases[] = {{-1, -1, 0}, {0, 0, 0}, {9, 0, 1}, {10, 2, 1}, {29, 3, 4}, {30, 4, 4}, {500, 4, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.at, axis.IndexAt(c.pos)) << c.pos;
    EXPECT_EQ(c.firstAtOrAfter, axis.FirstAtOrAfter(c.pos)) << c.pos;
  }
}

TEST(GridAxis, HugeSizesSaturateInsteadOfOverflowing) {
  CGridAxis axis;
  axis.SetCount(3, INT_MAX);
  EXPECT_EQ(INT_MAX, axis.GetTotal());
  EXPECT_EQ(INT_MAX, axis.GetOffset(1));
  EXPECT_EQ(1, axis.IndexAt(INT_MAX));
}

}  // namespace
