// Peak picking over a region, the refinement of one peak, and the peak
// list's rows and texts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/PeakList.h"
#include "onedim/model/PeakPicking.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

struct Line {
  double centre;  // complex points
  double height;
  double hwhm;  // complex points
};

float LorentzSum(const std::vector<Line>& lines, int nFloat) {
  if (nFloat % 2)
    return 0.0f;
  double y = 0.0;
  for (const Line& l : lines) {
    const double dx = nFloat / 2 - l.centre;
    y += l.height * l.hwhm * l.hwhm / (dx * dx + l.hwhm * l.hwhm);
  }
  return (float)y;
}

std::unique_ptr<CSpectrum> LineSpectrum(int td, const std::vector<Line>& lines) {
  auto s = MakeSpectrum(td, [&](int i) { return LorentzSum(lines, i); });
  s->FindMaximum();
  return s;
}

// Complex positions of the peaks one region pick finds.
std::vector<int> Pick(CSpectrum& s, int nStart, int nEnd, double dThreshold) {
  CPeakPicking* pRecord = new CPeakPicking(nStart, nEnd, (float)dThreshold);
  s.m_arrPeaks.Add(pRecord);
  s.m_pCurrentPeaks = pRecord;
  s.PickPeaks(nStart, nEnd, dThreshold);
  std::vector<int> found;
  for (int k = 0; k < pRecord->GetCount(); k++)
    found.push_back(pRecord->m_arrPoints[k] / 2);
  return found;
}

TEST(PeakPicking, FindsEveryLineAboveTheThresholdAtItsMaximum) {
  const std::vector<Line> lines = {{100, 100, 3}, {300.4, 50, 2}, {500, -40, 4}, {700, 5, 3}};
  auto s = LineSpectrum(2048, lines);
  const std::vector<int> found = Pick(*s, 0, 2046, 10.0);
  ASSERT_EQ(3u, found.size()) << "the line of height 5 is below the threshold";
  EXPECT_EQ(100, found[0]);
  EXPECT_NEAR(300.4, found[1], 1.0);
  EXPECT_EQ(500, found[2]) << "a negative line is picked at its most negative point";
}

TEST(PeakPicking, BoundaryRegionsFindNothingAndStayInsideTheData) {
  struct Case {
    const char* name;
    std::vector<Line> lines;
    int nStart, nEnd;
    double dThreshold;
    size_t nFound;
  };
  const Case cases[] = {
      {"flat below the threshold", {{100, 1, 3}}, 0, 510, 5.0, 0},
      {"threshold above the maximum", {{100, 100, 3}}, 0, 510, 1000.0, 0},
      {"line at the region's right edge", {{120, 100, 3}}, 0, 240, 10.0, 0},
      {"start beyond the limit", {{100, 100, 3}}, 600, 700, 1.0, 0},
      {"line at the last point of the data", {{255, 100, 3}}, 0, 510, 10.0, 0},
      {"line at the first point: the search starts one point in", {{0, 100, 3}}, 0, 510, 10.0, 1},
  };
  for (const Case& c : cases) {
    auto s = LineSpectrum(512, c.lines);
    EXPECT_EQ(c.nFound, Pick(*s, c.nStart, c.nEnd, c.dThreshold).size()) << c.name;
  }
  // All zeros with no threshold: a bounded list, every index in the data.
  auto zeros = MakeSpectrum(64);
  for (int p : Pick(*zeros, 0, 62, 0.0))
    EXPECT_TRUE(p >= 0 && p < 32);
  // No current record: nothing to fill, nothing read.
  auto none = LineSpectrum(64, {{10, 10, 2}});
  none->PickPeaks(0, 62, 1.0);
  EXPECT_EQ(0, none->GetPeakCount());
}

TEST(PeakWidth, RefinesPositionHeightAndWidthOnBothSides) {
  for (double centre : {200.3, 199.7}) {
    auto s = LineSpectrum(1024, {{centre, 80, 5}});
    double p = std::floor(centre), h = 0, w = 0;
    ASSERT_TRUE(peakwidth(s->m_pData, 512, p, h, w));
    EXPECT_NEAR(centre, p, 0.15) << "the offset goes towards the larger neighbour";
    EXPECT_NEAR(10.0, w, 0.5);
    EXPECT_GE(h, 79.0);
  }
  // At either end of the data the walks stop at the first and last points.
  for (double centre : {0.0, 511.0}) {
    auto s = LineSpectrum(1024, {{centre, 80, 5}});
    double p = centre, h = 0, w = 0;
    ASSERT_TRUE(peakwidth(s->m_pData, 512, p, h, w));
    EXPECT_EQ(centre, p);
    EXPECT_TRUE(std::isfinite(h) && std::isfinite(w));
  }
  double p = 3, h, w;
  EXPECT_FALSE(peakwidth(nullptr, 0, p, h, w));
}

// 10 ppm at point 0 and 0.01 ppm per point: point 274 is 7.26 ppm.
std::unique_ptr<CSpectrum> ListSpectrum() {
  auto s = MakeSpectrum(2000, [](int i) {
    const int k = i % 2 ? -1 : i / 2;
    return k == 274 ? 100.0f : k == 500 ? 50.0f : (k == 273 || k == 275 || k == 499 || k == 501) ? 20.0f : 0.0f;
  });
  s->FindMaximum();
  s->m_paramsA.sw = 5000.0;
  s->m_paramsA.sf = 500.0;
  s->m_bInterpolatePeaks = 0;
  Pick(*s, 0, 1998, 10.0);
  CPeakPicking* manual = new CPeakPicking(-1, -1, -1.0f);
  manual->m_arrPoints.Add(1200);
  s->m_arrPeaks.Add(manual);
  return s;
}

TEST(PeakList, RowsCopyAndExport) {
  auto s = ListSpectrum();
  ASSERT_EQ(5, GetPeakListRowCount(*s));
  const char* expected[][5] = {{"FROM", "0", "10.000", "5000.000", "Threshold"},
                               {"TO", "1998", "0.010", "5.000", "10.000"},
                               {"1", "548", "7.260", "3630.000", "100.000"},
                               {"2", "1000", "5.000", "2500.000", "50.000"},
                               {"Manual", "1200", "4.000", "2000.000", "0.000"}};
  for (int r = 0; r < 5; r++) {
    CPeakListRow row;
    ASSERT_TRUE(GetPeakListRow(*s, r, row));
    for (int c = 0; c < 5; c++)
      EXPECT_STREQ(expected[r][c], (LPCSTR)row.strCells[c]) << r << "," << c;
  }
  int nRecord = -1, nPoint = -1;
  EXPECT_FALSE(PeakOfRow(*s, 1, nRecord, nPoint));
  ASSERT_TRUE(PeakOfRow(*s, 4, nRecord, nPoint));
  EXPECT_EQ(1, nRecord);
  EXPECT_EQ(0, nPoint);
  EXPECT_FALSE(PeakOfRow(*s, 5, nRecord, nPoint));

  const std::string text = (LPCSTR)PeakListClipboardText(*s);
  EXPECT_EQ(0u, text.find("\tPoint\tppm\tHz\t\tHeight\r\n\t----"));
  EXPECT_NE(std::string::npos, text.find("\r\n1\t548\t7.260\t3630.000\t100.000\t\r\n2\t1000\t"));
  EXPECT_NE(std::string::npos, text.find("\r\nManual\t1200\t4.000\t2000.000\t0.000\t"));
  EXPECT_EQ(std::string::npos, text.find('\n', text.find("Manual")));

  EXPECT_STREQ("7,26; 5,00; 4,00; ", (LPCSTR)PeakExportText(*s, 2, FALSE));
  EXPECT_STREQ("7.260, 5.000, 4.000, ", (LPCSTR)PeakExportText(*s, 3, TRUE));
}

TEST(PeakList, DeletingTheLastPointOfARecordRemovesTheRecord) {
  auto s = ListSpectrum();
  DeletePeak(*s, 1, 0);
  EXPECT_EQ(1, (int)s->m_arrPeaks.GetSize());
  EXPECT_EQ(4, GetPeakListRowCount(*s));
  DeletePeak(*s, 0, 5);  // no such point
  DeletePeak(*s, 7, 0);  // no such record
  EXPECT_EQ(2, s->GetPeakCount());
  DeleteAllPeaks(*s);
  EXPECT_EQ(0, GetPeakListRowCount(*s));
  EXPECT_EQ(nullptr, s->m_pCurrentPeaks);
}

TEST(PeakList, PeakInformationIsRefinedAndStaysInsideTheData) {
  // 2 Hz per complex point: a line of half width 4 points is 16 Hz wide.
  auto s = LineSpectrum(2048, {{400, 100, 4}});
  s->m_paramsA.sw = 2048.0;
  CPeakInformation info;
  ASSERT_TRUE(GetPeakInformation(*s, 2 * 398, info));
  EXPECT_NEAR(s->ConvertUnits(800, AXIS_UNITS_HZ), info.dHz, 0.2);
  EXPECT_NEAR(16.0, info.dWidthHz, 0.5);
  EXPECT_DOUBLE_EQ(2.0, info.dResolution);
  EXPECT_NEAR(8.0, info.dPointsPerWidth, 0.25);
  EXPECT_FALSE(GetPeakInformation(*s, 2048, info));
  EXPECT_FALSE(GetPeakInformation(*s, -2, info));
}

}  // namespace
