// The arithmetic behind printing: the pages a job sends and its progress
// texts, a list cut into pages, and the print margins between printer units
// and preview pixels.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "onedim/plot/PrintMargins.h"
#include "onedim/plot/PrintPages.h"
#include "onedim/plot/PrintSettings.h"

namespace {

TEST(PrintPages, TheChosenRangeIsKeptInsideTheDocument) {
  struct Case {
    UINT from, to, min, max;
    UINT start, end;
    int step;
    UINT count;
  };
  const Case cases[] = {
      {1, 3, 1, 3, 1, 4, 1, 3},
      {3, 1, 1, 3, 3, 0, -1, 3},  // backwards
      {0, 9, 1, 5, 1, 6, 1, 5},   // beyond both ends
      {2, 2, 1, 5, 2, 3, 1, 1},   // one page
      {1, kPrintPagesUnknown, 1, kPrintPagesUnknown, 1, kPrintPagesUnknown, 1,
       kPrintPagesUnknown - 1},  // length unknown
  };
  for (const Case& c : cases) {
    const PrintPageRange r = GetPrintPageRange(c.from, c.to, c.min, c.max);
    EXPECT_EQ(c.start, r.nStart) << c.from << ".." << c.to;
    EXPECT_EQ(c.end, r.nEnd) << c.from << ".." << c.to;
    EXPECT_EQ(c.step, r.nStep) << c.from << ".." << c.to;
    EXPECT_EQ(c.count, r.nCount) << c.from << ".." << c.to;
  }
}

TEST(PrintPages, ProgressTextsCountDownTheTimeLeft) {
  struct Case {
    DWORD msPerPage;
    UINT pages, k;
    const char* percent;
    const char* left;
  };
  const Case cases[] = {
      {0, 1, 1, "100 %", ""},               // one page: no estimate
      {0, 3, 1, "33 %", "??"},              // nothing measured yet
      {2500, 3, 2, "66 %", "5 secondi"},    // two pages left
      {30000, 3, 2, "66 %", "60 secondi"},  // a minute is still seconds
      {30000, 5, 3, "60 %", "1 minuti, 30 secondi"},
      {70000, 2, 1, "50 %", "2 minuti, 20 secondi"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.percent, std::string(PrintPercentText(c.k, c.pages))) << c.k << "/" << c.pages;
    EXPECT_EQ(c.left, std::string(PrintTimeLeftText(c.msPerPage, c.pages, c.k))) << c.msPerPage;
  }
}

TEST(PrintPages, ThePageNumberFormatTakesOnlyPageNumbers) {
  struct Case {
    const char* format;
    const char* text;
  };
  const Case cases[] = {
      {"Page %d of %d", "Page 2 of 5"},
      {"%03d/%d/%d", "002/5/%d"},  // a third number has nothing to take
      {"%d%%", "2%"},
      {"%s %n %x %", "%s %n %x %"},  // typed by a user: printed, never read
      {"%123d", "%123d"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, std::string(FormatPageNumber(c.format, 2, 5))) << c.format;
}

TEST(PrintPages, ListColumnsFillThePageAndRowsFillThePages) {
  EXPECT_EQ((std::vector<int>{0, 250, 750, 1000}), ScaleColumnEdges({50, 100, 50}, 1000));
  EXPECT_EQ((std::vector<int>{0, 50, 100}), ScaleColumnEdges({0, 0}, 100)) << "columns of no width share the page";
  EXPECT_EQ((std::vector<int>{0, 0, 100}), ScaleColumnEdges({-5, 10}, 100));
  EXPECT_EQ(std::vector<int>{0}, ScaleColumnEdges({}, 100));

  EXPECT_EQ(99, ListRowsPerPage(1000, 9));
  EXPECT_EQ(1, ListRowsPerPage(5, 20)) << "fonts or margins larger than the page still print a row a page";
  struct Case {
    int items, rows;
    UINT pages;
  };
  const Case cases[] = {{25, 10, 3}, {20, 10, 3}, {0, 10, 1}, {250, 47, 6}, {5, 0, 6}, {INT_MAX, 1, 0xFFFE}};
  for (const Case& c : cases)
    EXPECT_EQ(c.pages, ListPageCount(c.items, c.rows)) << c.items << " items, " << c.rows << " a page";

  EXPECT_EQ(118, MillimetresToDevice(10, 300));
  EXPECT_EQ(0, MillimetresToDevice(0, 600));
  EXPECT_EQ(INT_MAX, MillimetresToDevice(INT_MAX, 300)) << "a huge margin saturates";
}

TEST(PrintMargins, PreviewLinesAndMarginsMapBothWays) {
  const RECT unprintable = {50, 40, 60, 70};
  const RECT margins = {100, 0, 200, 30};
  const RECT lines = MarginLineOffsets(margins, unprintable, 4.0, 5.0);
  EXPECT_EQ(38, lines.left);  // 150 / 4, rounded
  EXPECT_EQ(8, lines.top);
  EXPECT_EQ(65, lines.right);
  EXPECT_EQ(20, lines.bottom);
  // Back within half a pixel's worth of device units.
  EXPECT_NEAR(100, MarginFromLineOffset(lines.left, unprintable.left, 4.0), 2);
  EXPECT_NEAR(200, MarginFromLineOffset(lines.right, unprintable.right, 4.0), 2);
  EXPECT_NEAR(30, MarginFromLineOffset(lines.bottom, unprintable.bottom, 5.0), 3);
  EXPECT_EQ(0, MarginFromLineOffset(2, 50, 4.0)) << "a line in the unprintable band is no negative margin";

  // Dragged lines stay on the printable paper and short of each other.
  EXPECT_EQ(13, ClampLineOffset(-10, 50, 4.0, 65, 600, 8));
  EXPECT_EQ(13, ClampLineOffset(5, 50, 4.0, 65, 600, 8));
  EXPECT_EQ(300, ClampLineOffset(300, 50, 4.0, 65, 600, 8));
  EXPECT_EQ(527, ClampLineOffset(590, 50, 4.0, 65, 600, 8)) << "past the opposite line";
  EXPECT_EQ(13, ClampLineOffset(590, 50, 4.0, 595, 600, 8)) << "no room left: the line keeps to its edge";
}

// The lines stand where the margins fall on the paper shown, every time the
// preview opens. A placement by the printable width per page pixel with a
// fixed correction (x 0.9708 + 0.3926, not undone when the margin is
// stored) would stand off the margin and creep inwards at every opening.
TEST(PrintMargins, ReopenedPreviewsShowTheLinesOnTheMarginsOfThePaper) {
  // The PDF printer's A4 page at 300 dpi, shown 600 pixels wide; the printer
  // cannot print a sixth of an inch at the left.
  const int kPhysical = 2480, kHorzRes = 2430, kPixels = 600;
  const double dScale = (double)kPhysical / kPixels;
  const RECT unprintable = {50, 0, 0, 0};
  RECT margins = {300, 0, 0, 0};  // an inch
  const int nOnPaper = (int)((50.0 + 300) / dScale + 0.5);  // where the inch ends on the page drawn
  int nCorrected = 0, nCorrectedMargin = 300;
  for (int nOpening = 0; nOpening < 5; nOpening++) {
    const RECT lines = MarginLineOffsets(margins, unprintable, dScale, dScale);
    EXPECT_EQ(nOnPaper, lines.left) << "opening " << nOpening;
    margins.left = MarginFromLineOffset(lines.left, unprintable.left, dScale);
    const double dPrintable = (double)kHorzRes / kPixels;
    nCorrected = (int)((int)((50 + nCorrectedMargin) / dPrintable) * 0.9708 + 0.3926);
    nCorrectedMargin = (int)((nCorrected - 50 / dPrintable) * dPrintable);
  }
  EXPECT_NEAR(300, margins.left, 3);
  EXPECT_LT(nCorrected, nOnPaper - 5) << "the corrected placement would have crept off the margin";
}

TEST(PrintMargins, MarginsKeepTheirSizeOnPaperAtAnotherResolution) {
  CPrintSettings settings;
  settings.rcMargins = {100, 50, 200, 80};
  FitMarginsToResolution(settings, 300, 300);
  EXPECT_EQ(100, settings.rcMargins.left) << "the first printer gives the margins their units";
  EXPECT_EQ(300, settings.sizeMarginDpi.cx);
  FitMarginsToResolution(settings, 600, 150);
  EXPECT_EQ(200, settings.rcMargins.left);
  EXPECT_EQ(400, settings.rcMargins.right);
  EXPECT_EQ(25, settings.rcMargins.top);
  EXPECT_EQ(40, settings.rcMargins.bottom);
  EXPECT_EQ(600, settings.sizeMarginDpi.cx);
  EXPECT_EQ(150, settings.sizeMarginDpi.cy);
  FitMarginsToResolution(settings, 0, 0);
  EXPECT_EQ(200, settings.rcMargins.left) << "a device without a resolution changes nothing";
}

}  // namespace
