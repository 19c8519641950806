// Where the add/subtract bar's scroll bars go for each scroll code: the
// shift bar never steps a line below 0 nor past its last page and ignores
// the codes it has no move for; the factor bar stays within its range.
#include <gtest/gtest.h>

#include <windows.h>

#include "onedim/dialogs/process/SpectrumArithmeticBar.h"

namespace {

TEST(SpectrumArithmeticBarTest, ScrollCodesMoveTheBarsWithinTheirLimits) {
  // Shift bar over -128 ... 128 of a spectrum of 256 floats, no page.
  const struct {
    int nCode, nPos, nTrack, nExpected;
  } shifts[] = {
      {SB_LINELEFT, 5, 0, 0},       {SB_LINELEFT, 40, 0, 30},    {SB_LINERIGHT, 125, 0, 129},
      {SB_LINERIGHT, 129, 0, 129},  {SB_PAGELEFT, 0, 0, -25},    {SB_PAGERIGHT, 10, 0, 35},
      {SB_THUMBTRACK, 10, -77, -77}, {SB_THUMBPOSITION, 10, 90, 10}, {SB_ENDSCROLL, 10, 90, 10},
  };
  for (const auto& c : shifts)
    EXPECT_EQ(c.nExpected, CSpectrumArithmeticBar::ShiftPosition(c.nCode, c.nPos, c.nTrack, 128, 0, 256))
        << c.nCode << " from " << c.nPos;

  // Factor bar over 0 ... 400: pages of 8.
  const struct {
    int nCode, nPos, nTrack, nExpected;
  } factors[] = {
      {SB_LINELEFT, 5, 0, 0},      {SB_LINERIGHT, 395, 0, 400},   {SB_PAGELEFT, 100, 0, 92},
      {SB_PAGERIGHT, 100, 0, 108}, {SB_THUMBTRACK, 100, 250, 250}, {SB_ENDSCROLL, 100, 100, 100},
      {SB_THUMBPOSITION, 0, 999, 400},
  };
  for (const auto& c : factors)
    EXPECT_EQ(c.nExpected, CSpectrumArithmeticBar::FactorPosition(c.nCode, c.nPos, c.nTrack, 0, 400))
        << c.nCode << " from " << c.nPos;
}

}  // namespace
