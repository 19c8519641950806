// The coupling brackets recorded into enhanced metafiles: one bracket and
// label per ticked pair, nothing for pairs the spectrum does not hold, and
// the geometry scaled by the print factors.
#include "framework/win/WindowTest.h"

#include <cstring>
#include <string>
#include <vector>

#include "framework/win/Dc.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/view/CouplingDraw.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

class CouplingDrawTest : public WindowTest {
 protected:
  // The points of every polyline, in drawing order.
  static std::vector<std::vector<POINT>> Polylines(HENHMETAFILE hEmf) {
    std::vector<std::vector<POINT>> lines;
    for (const MetafileRecord& r : Records(hEmf)) {
      if (r.type == EMR_POLYLINE16) {
        EMRPOLYLINE16 head;
        std::memcpy(&head, r.data.data(), sizeof head - sizeof head.apts);
        const POINTS* p = reinterpret_cast<const POINTS*>(r.data.data() + offsetof(EMRPOLYLINE16, apts));
        std::vector<POINT> line;
        for (DWORD k = 0; k < head.cpts; k++)
          line.push_back({p[k].x, p[k].y});
        lines.push_back(line);
      } else if (r.type == EMR_POLYLINE) {
        EMRPOLYLINE head;
        std::memcpy(&head, r.data.data(), sizeof head - sizeof head.aptl);
        const POINTL* p = reinterpret_cast<const POINTL*>(r.data.data() + offsetof(EMRPOLYLINE, aptl));
        lines.push_back(std::vector<POINT>());
        for (DWORD k = 0; k < head.cptl; k++)
          lines.back().push_back({p[k].x, p[k].y});
      }
    }
    return lines;
  }
  static std::vector<std::string> Labels(HENHMETAFILE hEmf) {
    std::vector<std::string> labels;
    for (const std::string& t : Texts(hEmf))
      if (!t.empty())
        labels.push_back(t);
    return labels;
  }
};

TEST_F(CouplingDrawTest, TickedPairsGetABracketWithTheirJ) {
  // 400 floats over 400 pixels from x 0: a float index is its pixel.
  auto s = MakeSpectrum(400, nullptr, 4000.0);
  s->m_nLast = 400;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = 400;
  s->m_rectPlot = {0, 100, 400, 300};  // zero line 200: every point lies there
  CMeasureJ* pMeasure = new CMeasureJ(100);
  for (int p : {120, 60, 300}) {
    pMeasure->m_arrPartners.Add(p);
    pMeasure->m_arrShown.Add(p == 300 ? 0 : 1);
  }
  s->m_arrCouplings.Add(pMeasure);

  TestMetafile emf([&](CDC& dc) {
    DrawCouplings(&dc, *s);
    DrawCouplingPair(&dc, *s, 0, 3);  // no such partner
    DrawCouplingPair(&dc, *s, 1, 0);  // no such measurement
  });
  EXPECT_EQ((std::vector<std::string>{"J=200.000", "J=400.000"}), Labels(emf.get()));
  const std::vector<std::vector<POINT>> lines = Polylines(emf.get());
  ASSERT_EQ(2u, lines.size());
  const std::vector<POINT> first = {{100, 200}, {100, 180}, {110, 165}, {120, 180}, {120, 200}};
  ASSERT_EQ(first.size(), lines[0].size());
  for (size_t k = 0; k < first.size(); k++) {
    EXPECT_EQ(first[k].x, lines[0][k].x) << k;
    EXPECT_EQ(first[k].y, lines[0][k].y) << k;
  }

  // On paper every position follows the print factors.
  s->m_dPrintScaleX = 2.0;
  s->m_dPrintScaleY = 3.0;
  TestMetafile paper([&](CDC& dc) { DrawCouplingPair(&dc, *s, 0, 0); });
  const std::vector<std::vector<POINT>> scaled = Polylines(paper.get());
  ASSERT_EQ(1u, scaled.size());
  EXPECT_EQ(220, scaled[0][2].x);
  EXPECT_EQ(495, scaled[0][2].y);
}

}  // namespace
