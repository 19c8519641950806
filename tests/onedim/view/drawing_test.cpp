// Windows build only: the spectrum drawing recorded into enhanced metafiles
// and painted into memory bitmaps: the trace and its display modes, the
// pivot mark, the axis scale on screen and on paper, text labels, plot
// markers, graphs, the XY plot and the line sample.
#include "framework/win/WindowTest.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "framework/win/MessageMap.h"
#include "framework/win/UiHooks.h"
#include "framework/win/Wnd.h"
#include "onedim/model/ColourFont.h"
#include "onedim/plot/Graph.h"
#include "onedim/view/AxisScaleDraw.h"
#include "onedim/view/GraphDraw.h"
#include "onedim/view/LineSample.h"
#include "onedim/view/PlotMarkerDraw.h"
#include "onedim/view/SpectrumDraw.h"
#include "onedim/view/TextLabelDraw.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/model/TextLabel.h"
#include "onedim/view/XYPlotCtrl.h"
#include "onedim/model/Integral.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

class DrawingTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    GetPrintSettings() = CPrintSettings();
  }
  void TearDown() override {
    GetPrintSettings() = CPrintSettings();
    WindowTest::TearDown();
  }

  template <class T>
  static std::vector<T> RecordsOf(HENHMETAFILE hEmf, DWORD type) {
    std::vector<T> out;
    for (const MetafileRecord& r : Records(hEmf)) {
      if (r.type != type)
        continue;
      T rec;
      std::memset(&rec, 0, sizeof(rec));
      std::memcpy(&rec, r.data.data(), std::min(sizeof(rec), r.data.size()));
      out.push_back(rec);
    }
    return out;
  }

  static std::vector<COLORREF> PenColours(HENHMETAFILE hEmf) {
    std::vector<COLORREF> colours;
    for (const EMRCREATEPEN& pen : RecordsOf<EMRCREATEPEN>(hEmf, EMR_CREATEPEN))
      colours.push_back(pen.lopn.lopnColor);
    return colours;
  }

  // The x of each text output, in drawing order.
  static std::vector<LONG> TextXs(HENHMETAFILE hEmf) {
    std::vector<LONG> xs;
    for (const MetafileRecord& r : Records(hEmf)) {
      if (r.type == EMR_EXTTEXTOUTW || r.type == EMR_EXTTEXTOUTA) {
        EMREXTTEXTOUTW rec;
        std::memcpy(&rec, r.data.data(), std::min(sizeof(rec), r.data.size()));
        xs.push_back(rec.emrtext.ptlReference.x);
      }
    }
    return xs;
  }

  // Text records without the empty ones that fill rectangles.
  static std::vector<std::string> NonEmptyTexts(HENHMETAFILE hEmf) {
    std::vector<std::string> texts = Texts(hEmf);
    texts.erase(std::remove(texts.begin(), texts.end(), std::string()), texts.end());
    return texts;
  }

  static std::vector<LONG> FontHeights(HENHMETAFILE hEmf) {
    std::vector<LONG> heights;
    for (const auto& f : RecordsOf<EMREXTCREATEFONTINDIRECTW>(hEmf, EMR_EXTCREATEFONTINDIRECTW))
      heights.push_back(f.elfw.elfLogFont.lfHeight);
    return heights;
  }
};

// A sine of td floats drawn from pixel 10 over width pixels, zero line 200.
std::unique_ptr<CSpectrum> Sine(int td, int width) {
  auto s = MakeSpectrum(td, [](int i) { return (float)(std::sin(i * 0.01) * 1000.0); });
  s->FindMaximum();
  s->m_nLast = td;
  s->m_nLeftPixel = 10;
  s->m_nRightPixel = 10 + width;
  s->m_rectPlot = {0, 0, 600, 400};
  s->m_crTrace = kBlue;
  s->m_bShowScale = 0;
  return s;
}

void DrawInto(TestBitmap& bitmap, const std::function<void(CDC&)>& draw) {
  CDC dc;
  dc.AttachTemporary(bitmap.dc());
  draw(dc);
  dc.DetachTemporary();
}

// --- Trace ---

TEST_F(DrawingTest, TraceIsOneSpanPerPixelColumn) {
  auto s = Sine(20000, 500);  // 10,000 points over 500 pixels
  s->m_nLineThickness = 2;
  TestMetafile emf([&](CDC& dc) { EXPECT_TRUE(DrawSpectrum(*s, &dc)); });
  const auto lines = RecordsOf<EMRLINETO>(emf.get(), EMR_LINETO);
  const auto moves = RecordsOf<EMRMOVETOEX>(emf.get(), EMR_MOVETOEX);
  EXPECT_LE(lines.size(), 1001u);
  EXPECT_GE(lines.size(), 500u);
  ASSERT_EQ(1u, moves.size());

  TraceDevice screen;
  screen.nVertRes = ::GetDeviceCaps(::GetDC(nullptr), VERTRES);
  const std::vector<POINT> expected = BuildColumnTrace(s->m_pData, MakeTraceMapping(*s, screen, true));
  ASSERT_EQ(expected.size(), lines.size() + 1);
  EXPECT_EQ(expected[0].y, moves[0].ptl.y);
  EXPECT_EQ(expected.back().x, lines.back().ptl.x);
  EXPECT_EQ(expected.back().y, lines.back().ptl.y);
  const auto pens = RecordsOf<EMRCREATEPEN>(emf.get(), EMR_CREATEPEN);
  ASSERT_EQ(1u, pens.size());
  EXPECT_EQ(kBlue, pens[0].lopn.lopnColor);
  EXPECT_EQ(2, pens[0].lopn.lopnWidth.x);
}

TEST_F(DrawingTest, ZeroDataDrawAFlatLineOnTheZeroLine) {
  auto s = MakeSpectrum(400);
  s->FindMaximum();
  s->m_nLast = 400;
  s->m_nLeftPixel = 50;
  s->m_nRightPixel = 250;
  s->m_rectPlot = {0, 0, 600, 300};
  s->m_crTrace = kBlue;
  s->m_bShowScale = 0;
  TestBitmap bitmap(300, 300);
  bitmap.Fill(kWhite);
  DrawInto(bitmap, [&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_GT(bitmap.Count(kBlue), 150);
  int onZeroLine = 0;
  for (int x = 0; x < 300; x++)
    onZeroLine += bitmap.Pixel(x, 150) == kBlue ? 1 : 0;
  EXPECT_EQ(bitmap.Count(kBlue), onZeroLine);
}

TEST_F(DrawingTest, DisplayModesDrawDotsCirclesCrossesOrNothing) {
  auto s = Sine(40, 100);  // 20 points
  s->m_nDisplayMode = 1;
  TestMetafile dots([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ(20, CountRecords(dots.get(), EMR_SETPIXELV));
  s->m_nDisplayMode = 2;
  TestMetafile circles([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ(20, CountRecords(circles.get(), EMR_ELLIPSE));
  s->m_nDisplayMode = 3;
  TestMetafile crosses([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ(40, CountRecords(crosses.get(), EMR_LINETO));

  // Mode 4: no trace, but still the scale (the grey band).
  s->m_nDisplayMode = 4;
  s->m_bShowScale = 1;
  s->m_Scale.m_rectClient = {0, 0, 300, 300};
  TestMetafile none([&](CDC& dc) { EXPECT_TRUE(DrawSpectrum(*s, &dc)); });
  EXPECT_EQ(0, CountRecords(none.get(), EMR_SETPIXELV));
  const std::vector<COLORREF> pens = PenColours(none.get());
  EXPECT_EQ(pens.end(), std::find(pens.begin(), pens.end(), kBlue));
  EXPECT_EQ(1, CountRecords(none.get(), EMR_RECTANGLE));
}

TEST_F(DrawingTest, PaperTurnsTheTraceBlackButNotTheDots) {
  auto s = Sine(40, 100);
  s->m_dPrintScaleX = 2.0;
  s->m_dPrintScaleY = 2.0;
  GetPrintSettings().rcMargins = {30, 40, 50, 60};
  TestMetafile printed([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawSpectrum(*s, &dc);
  });
  EXPECT_EQ(std::vector<COLORREF>{RGB(0, 0, 0)}, PenColours(printed.get()));
  const auto moves = RecordsOf<EMRMOVETOEX>(printed.get(), EMR_MOVETOEX);
  ASSERT_EQ(1u, moves.size());
  EXPECT_EQ(30 + 10 * 2, moves[0].ptl.x);  // the left margin counts on a printer

  s->m_nDisplayMode = 1;
  TestMetafile dots([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawSpectrum(*s, &dc);
  });
  for (const EMRSETPIXELV& dot : RecordsOf<EMRSETPIXELV>(dots.get(), EMR_SETPIXELV))
    EXPECT_EQ(kBlue, dot.crColor);

  // The clipboard picture: black too, but without the margins.
  s->m_nDisplayMode = 0;
  GetPrintSettings().bRenderingMetafile = TRUE;
  TestMetafile picture([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ(std::vector<COLORREF>{RGB(0, 0, 0)}, PenColours(picture.get()));
  EXPECT_EQ(10 * 2, RecordsOf<EMRMOVETOEX>(picture.get(), EMR_MOVETOEX)[0].ptl.x);

  GetPrintSettings().bPrintInColour = TRUE;
  TestMetafile coloured([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ(std::vector<COLORREF>{kBlue}, PenColours(coloured.get()));
}

TEST_F(DrawingTest, PivotMarkIsARedArrowAndASquareOnTheZeroLine) {
  auto s = Sine(400, 200);
  s->m_nDisplayMode = 9;  // the pivot alone
  s->m_bPhaseDisplay = 1;
  s->m_nPivot = 200;                   // the middle: x = 110
  s->m_rectPlot = {0, 100, 300, 300};  // zero line 200
  TestBitmap bitmap(300, 300);
  bitmap.Fill(kWhite);
  DrawInto(bitmap, [&](CDC& dc) { DrawSpectrum(*s, &dc); });
  const COLORREF red = RGB(255, 0, 0);
  EXPECT_EQ(red, bitmap.Pixel(110, 36));  // inside the arrow
  EXPECT_EQ(red, bitmap.Pixel(110, 30));  // its shaft
  EXPECT_EQ(kWhite, bitmap.Pixel(110, 20));
  EXPECT_EQ(red, bitmap.Pixel(110, 120));     // the line down to the zero line
  EXPECT_EQ(red, bitmap.Pixel(107, 200));     // the square's edge
  EXPECT_EQ(kWhite, bitmap.Pixel(109, 199));  // and its white inside
}

TEST_F(DrawingTest, DrawCallsTheIntegralLabelAndPeakLabelDrawingInOrder) {
  static std::vector<std::string> s_calls;
  s_calls.clear();
  auto s = Sine(40, 100);
  s->m_arrIntegrals.Add(new CIntegral(s.get(), 0, 10, 0, 0));
  s->m_arrIntegrals.Add(new CIntegral(s.get(), 10, 20, 0, 0));
  s->m_arrLabels.Add(new CTextLabel("label", nullptr, s.get(), 0, FALSE, 10, 10));
  auto oldIntegral =
      SetIntegralDrawer([](CIntegral* p, CDC*) { s_calls.push_back("integral " + std::to_string(p->m_nStart)); });
  auto oldPeaks = SetPeakLabelDrawer([](CSpectrum*, CDC*) { s_calls.push_back("peaks"); });
  TestMetafile without([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ((std::vector<std::string>{"integral 0", "integral 10"}), s_calls);
  EXPECT_EQ(std::vector<std::string>{"label"}, Texts(without.get()));
  s->m_bShowPeaks = 1;
  s_calls.clear();
  TestMetafile with([&](CDC& dc) { DrawSpectrum(*s, &dc); });
  EXPECT_EQ((std::vector<std::string>{"integral 0", "integral 10", "peaks"}), s_calls);
  SetIntegralDrawer(oldIntegral);
  SetPeakLabelDrawer(oldPeaks);
}

// The coloured font holds the GDI font of its LOGFONT: every setter makes
// it again, and a device context given to it takes its colour.
TEST_F(DrawingTest, AColouredFontHoldsTheGdiFontOfItsLogFont) {
  CColourFont font("Arial");
  auto Held = [&] {
    LOGFONT lf = {};
    EXPECT_EQ((int)sizeof lf, ::GetObjectA(font.GetSafeHandle(), sizeof lf, &lf));
    return lf;
  };
  EXPECT_EQ(-12, Held().lfHeight);
  EXPECT_STREQ("Arial", Held().lfFaceName);
  const HFONT hFirst = font.GetSafeHandle();
  font.SetSize(20);
  EXPECT_EQ(-20, Held().lfHeight);
  EXPECT_EQ(0, ::GetObjectA(hFirst, 0, nullptr)) << "the former font is freed";
  font.SetBold(true);
  EXPECT_EQ(700, Held().lfWeight);
  font.SetFaceName("Courier New");
  EXPECT_STREQ("Courier New", Held().lfFaceName);
  font.SetEscapement(900);
  EXPECT_EQ(900, Held().lfEscapement);
  font.SetFontString("-16,0,0,0,400,1,0,0,0,3,2,1,34,Times New Roman,255");
  EXPECT_EQ(-16, Held().lfHeight);
  EXPECT_EQ(1, Held().lfItalic);
  EXPECT_STREQ("Times New Roman", Held().lfFaceName);

  TestBitmap paper(4, 4);
  font.SetTextColour(RGB(1, 2, 3));
  EXPECT_NE(RGB(1, 2, 3), ::GetTextColor(paper.dc())) << "no device context held yet";
  font.SetDC(paper.dc());
  font.SetTextColour(RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(paper.dc()));
  font.SetDC(nullptr);
}

// --- Axis scale ---

// 1024 points over pixels 0..512 of a 600 x 400 view.
std::unique_ptr<CSpectrum> Axis(int units) {
  auto s = MakeSpectrum(2048, {}, 5000.0, 400.0);
  s->m_nLast = 2048;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = 512;
  s->m_Scale.m_nUnits = units;
  s->m_Scale.m_rectClient = {0, 0, 600, 400};
  s->m_Scale.m_crAxis = kBlue;
  return s;
}

TEST_F(DrawingTest, ScaleOnScreenIsTheGreyBandWithEmbossedLabels) {
  auto s = Axis(AXIS_UNITS_POINTS);
  TestBitmap bitmap(600, 400);
  bitmap.Fill(kWhite);
  DrawInto(bitmap, [&](CDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(DrawAxisScale(s->m_Scale, &dc, *s));
  });
  EXPECT_EQ(RGB(191, 191, 191), bitmap.Pixel(560, 390));
  EXPECT_EQ(RGB(127, 127, 127), bitmap.Pixel(560, 369));  // top edge at bottom - 31
  EXPECT_EQ(kWhite, bitmap.Pixel(560, 370));              // and the white line below it
  EXPECT_EQ(RGB(127, 127, 127), bitmap.Pixel(99, 375));   // groove of the major tick at 200 points
  EXPECT_EQ(kWhite, bitmap.Pixel(100, 375));

  TestMetafile emf([&](CDC& dc) { DrawAxisScale(s->m_Scale, &dc, *s); });
  EXPECT_EQ((std::vector<std::string>{"200", "200", "400", "400", "600", "600", "800", "800", "1000", "1000"}),
            Texts(emf.get()));
  EXPECT_EQ(14, FontHeights(emf.get()).at(0));
}

TEST_F(DrawingTest, ScaleOnPaperIsALineWithTicksScaledByTheFactors) {
  auto s = Axis(AXIS_UNITS_POINTS);
  s->m_dPrintScaleX = 2.0;
  s->m_dPrintScaleY = 3.0;
  s->m_Scale.SetFloating(true);
  s->m_Scale.SetPosition(100);
  GetPrintSettings().rcMargins = {30, 40, 0, 0};
  TestMetafile emf([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawAxisScale(s->m_Scale, &dc, *s);
  });
  EXPECT_EQ((std::vector<std::string>{"200", "400", "600", "800", "1000"}), Texts(emf.get()));
  EXPECT_EQ(0, CountRecords(emf.get(), EMR_RECTANGLE));
  EXPECT_EQ(25, FontHeights(emf.get()).at(0));  // 14 x 3 x 0.6
  const auto pens = RecordsOf<EMRCREATEPEN>(emf.get(), EMR_CREATEPEN);
  ASSERT_FALSE(pens.empty());
  EXPECT_EQ(2, pens[0].lopn.lopnWidth.x);           // the axis line
  EXPECT_EQ(RGB(0, 0, 0), pens[0].lopn.lopnColor);  // black on paper without colour

  const auto moves = RecordsOf<EMRMOVETOEX>(emf.get(), EMR_MOVETOEX);
  const auto lines = RecordsOf<EMRLINETO>(emf.get(), EMR_LINETO);
  ASSERT_GE(moves.size(), 3u);
  EXPECT_EQ(30, moves[0].ptl.x);  // axis from the left margin
  EXPECT_EQ(40 + 100 * 3, moves[0].ptl.y);
  EXPECT_EQ(30 + 512 * 2, lines[0].ptl.x);
  // First tick: 40 points, x = (20 + 30 / 2) x 2, minor: 5 x 3 long.
  EXPECT_EQ(70, moves[1].ptl.x);
  EXPECT_EQ(340 + 15, lines[1].ptl.y);
  // The fifth tick is the major one at 200: 10 x 3 long.
  EXPECT_EQ((100 + 15) * 2, moves[5].ptl.x);
  EXPECT_EQ(340 + 30, lines[5].ptl.y);

  // A solid scale on paper is a line at the bottom of the plot.
  s->m_Scale.SetFloating(false);
  TestMetafile solid([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawAxisScale(s->m_Scale, &dc, *s);
  });
  EXPECT_EQ(0, CountRecords(solid.get(), EMR_RECTANGLE));
  EXPECT_EQ(40 + (400 - 31) * 3, RecordsOf<EMRMOVETOEX>(solid.get(), EMR_MOVETOEX)[0].ptl.y);
  EXPECT_EQ(100, s->m_Scale.GetPosition());  // drawing moved nothing
}

// On paper a label centred on a tick at the plot's left end would start
// left of the printable area: it starts on its edge instead, and the labels
// away from the ends stay centred on their ticks.
TEST_F(DrawingTest, OnPaperTheEndLabelsStayOnThePage) {
  auto s = Axis(AXIS_UNITS_POINTS);
  s->m_nFirst = 398;  // point 199: the labelled tick at 200 lies on the left end
  s->m_dPrintScaleX = 2.0;
  s->m_dPrintScaleY = 3.0;
  GetPrintSettings().rcMargins = {0, 0, 0, 0};
  TestMetafile emf([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawAxisScale(s->m_Scale, &dc, *s);
  });
  std::vector<LONG> xs;
  for (const MetafileRecord& r : Records(emf.get()))
    if (r.type == EMR_EXTTEXTOUTA || r.type == EMR_EXTTEXTOUTW)
      xs.push_back(reinterpret_cast<const EMREXTTEXTOUTA*>(r.data.data())->emrtext.ptlReference.x);
  ASSERT_EQ((std::vector<std::string>{"200", "300", "400", "500", "600", "700", "800", "900", "1000"}),
            Texts(emf.get()));
  EXPECT_EQ(0, xs.front()) << "the first label on the paper's edge";
  // The others centred on their ticks, 100 points apart; the first one
  // moved right by half its width.
  EXPECT_NEAR(xs[2] - xs[1], xs[3] - xs[2], 1);
  EXPECT_LT(xs[1] - xs[0], xs[2] - xs[1]);
}

// --- Text labels ---

TEST_F(DrawingTest, LabelAlignmentsPlaceTheirLines) {
  auto s = Axis(AXIS_UNITS_POINTS);
  LOGFONT lf = CColourFont("Arial").GetLogFont();
  lf.lfHeight = -20;
  CTextLabel label("ab\nlonger line", &lf, s.get(), RGB(0, 128, 0), FALSE, 200, 100);
  std::vector<LONG> firstLineX;
  std::vector<RECT> rects;
  for (int align : {TEXT_ALIGN_LEFT, TEXT_ALIGN_CENTRE, TEXT_ALIGN_RIGHT}) {
    label.m_nAlign = align;
    TestMetafile emf([&](CDC& dc) { DrawTextLabel(label, &dc); });
    EXPECT_EQ((std::vector<std::string>{"ab", "longer line"}), Texts(emf.get()));
    const std::vector<LONG> xs = TextXs(emf.get());
    ASSERT_EQ(2u, xs.size());
    firstLineX.push_back(xs[0]);
    rects.push_back(label.m_rectDrawn);
    EXPECT_EQ(xs[1], label.m_rectDrawn.left);  // the long line fills the box
    EXPECT_EQ(100, label.m_rectDrawn.top);
    EXPECT_EQ(std::vector<LONG>{-20}, FontHeights(emf.get()));
  }
  EXPECT_EQ(200, rects[0].left);
  EXPECT_EQ(firstLineX[0], rects[0].left);
  const LONG width = rects[0].right - rects[0].left;
  EXPECT_GT(firstLineX[1], rects[1].left);  // centred
  EXPECT_LT(firstLineX[1], rects[1].left + width / 2);
  EXPECT_GT(firstLineX[2], firstLineX[1]);  // right-aligned

  label.m_strText.Empty();  // draws nothing, but stays a label
  TestMetafile empty([&](CDC& dc) { DrawTextLabel(label, &dc); });
  EXPECT_TRUE(Texts(empty.get()).empty());
}

TEST_F(DrawingTest, AttachedLabelFollowsItsPointAndPaperScalesIt) {
  auto s = Axis(AXIS_UNITS_POINTS);
  LOGFONT lf = CColourFont("Arial").GetLogFont();
  lf.lfHeight = -20;
  CTextLabel label("peak", &lf, s.get(), 0, TRUE, 100, 60);
  TestMetafile before([&](CDC& dc) { DrawTextLabel(label, &dc); });
  EXPECT_EQ(100, label.m_rectDrawn.left);
  s->m_nFirst = 200;  // zoomed in
  s->m_nLast = 600;
  TestMetafile after([&](CDC& dc) { DrawTextLabel(label, &dc); });
  EXPECT_EQ(256, label.m_rectDrawn.left);
  EXPECT_EQ(256, TextXs(after.get()).at(0));

  // On paper: position and height by the factors, plus the margins; the
  // view's hit rectangle stays.
  const RECT onScreen = label.m_rectDrawn;
  s->m_dPrintScaleX = 2.0;
  s->m_dPrintScaleY = 3.0;
  GetPrintSettings().rcMargins = {30, 40, 0, 0};
  TestMetafile printed([&](CDC& dc) {
    dc.SetPrinting(TRUE);
    DrawTextLabel(label, &dc);
  });
  EXPECT_EQ(std::vector<LONG>{-60}, FontHeights(printed.get()));
  EXPECT_EQ(256 * 2 + 30, TextXs(printed.get()).at(0));
  EXPECT_TRUE(::EqualRect(&onScreen, &label.m_rectDrawn));
  // The clipboard picture counts the margins too.
  GetPrintSettings().bRenderingMetafile = TRUE;
  TestMetafile picture([&](CDC& dc) { DrawTextLabel(label, &dc); });
  EXPECT_EQ(256 * 2 + 30, TextXs(picture.get()).at(0));
}

// --- Markers and graphs ---

TEST_F(DrawingTest, MarkersFillAndHitTheirShapes) {
  const COLORREF red = RGB(255, 0, 0);
  const COLORREF grey = RGB(100, 100, 100);
  for (int shape : {MARKER_CIRCLE, MARKER_SQUARE, MARKER_TRIANGLE, MARKER_DIAMOND}) {
    for (int fill : {MARKER_FILLED, MARKER_HOLLOW}) {
      CPlotMarker marker;
      marker.Set(6, red, shape, fill);
      marker.SetPosition(20, 20);
      TestBitmap bitmap(40, 40);
      bitmap.Fill(grey);
      DrawInto(bitmap, [&](CDC& dc) { DrawPlotMarker(marker, &dc); });
      EXPECT_EQ(fill == MARKER_FILLED ? red : kWhite, bitmap.Pixel(20, 21)) << shape;
      EXPECT_EQ(grey, bitmap.Pixel(2, 2)) << shape;
      EXPECT_GT(bitmap.Count(red), 10) << shape;
      EXPECT_TRUE(HitTestPlotMarker(marker, {20, 21})) << shape;
      EXPECT_FALSE(HitTestPlotMarker(marker, {20, 30})) << shape;
    }
  }
  // Edges: the circle by distance, the square as a region without its
  // right edge; an unknown shape neither draws nor hits.
  CPlotMarker m;
  m.Set(4, red, MARKER_CIRCLE, MARKER_FILLED);
  EXPECT_TRUE(HitTestPlotMarker(m, {4, 0}));
  EXPECT_FALSE(HitTestPlotMarker(m, {4, 1}));
  m.m_nShape = MARKER_SQUARE;
  EXPECT_TRUE(HitTestPlotMarker(m, {-4, -4}));
  EXPECT_FALSE(HitTestPlotMarker(m, {4, 0}));
  m.m_nShape = 7;
  EXPECT_FALSE(HitTestPlotMarker(m, {0, 0}));
  TestMetafile emf([&](CDC& dc) { DrawPlotMarker(m, &dc); });
  EXPECT_EQ(0, CountRecords(emf.get(), EMR_POLYGON16) + CountRecords(emf.get(), EMR_ELLIPSE));
}

TEST_F(DrawingTest, GraphDrawsPolylinesAndHitsTheFirstPoint) {
  CGraph graph;
  graph.m_curves[0].m_points = {{10, 10}, {50.7f, 50.2f}, {10, 11}};
  graph.m_curves.push_back(CGraphCurve());
  graph.m_curves[1].m_points = {{10, 10}, {30, 30}};
  graph.m_curves[1].m_marker.Set(4, kBlue, MARKER_SQUARE, MARKER_FILLED);
  graph.m_curves.push_back(CGraphCurve());  // an empty curve

  TestMetafile shown([&](CDC& dc) { DrawGraph(graph, &dc, 1, 2, 3, 4); });
  EXPECT_EQ(3, CountRecords(shown.get(), EMR_LINETO));
  EXPECT_EQ(50, RecordsOf<EMRLINETO>(shown.get(), EMR_LINETO)[0].ptl.x);  // truncated
  EXPECT_EQ(3, CountRecords(shown.get(), EMR_POLYGON16) + CountRecords(shown.get(), EMR_POLYGON));
  EXPECT_EQ(2, CountRecords(shown.get(), EMR_RECTANGLE));
  EXPECT_EQ(4, graph.m_rectDrawn.bottom);

  graph.m_bShowMarkers = FALSE;
  TestMetafile hidden([&](CDC& dc) { DrawGraph(graph, &dc, 0, 0, 0, 0); });
  EXPECT_EQ(3, CountRecords(hidden.get(), EMR_LINETO));
  EXPECT_EQ(0, CountRecords(hidden.get(), EMR_POLYGON16) + CountRecords(hidden.get(), EMR_RECTANGLE));

  // (10, 10) and (10, 11) of the first curve and (10, 10) of the second are
  // all under the cursor: the first curve's first point wins.
  EXPECT_EQ(&graph.m_curves[0].m_points[0], HitTestGraph(graph, {10, 10}));
  EXPECT_EQ(&graph.m_curves[1].m_points[1], HitTestGraph(graph, {30, 31}));
  EXPECT_EQ(nullptr, HitTestGraph(graph, {200, 200}));
}

// --- XY plot and line sample ---

class CMessageSink : public CWnd {
 public:
  int m_nSampleChanged = 0;

 protected:
  LRESULT OnSampleChanged(WPARAM, LPARAM) {
    m_nSampleChanged++;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageSink, CWnd)
  ON_MESSAGE(WM_LINE_SAMPLE_CHANGED, OnSampleChanged)
END_MESSAGE_MAP()

// Sets the colour in the open colour dialog and presses OK.
void ChooseColourInDialog(COLORREF colour) {
  AfxSetModalDialogHook([colour](CDialog& d) {
    // The red, green and blue fields of the dialog.
    d.SetDlgItemInt(706, GetRValue(colour), FALSE);
    d.SetDlgItemInt(707, GetGValue(colour), FALSE);
    d.SetDlgItemInt(708, GetBValue(colour), FALSE);
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
  });
}

TEST_F(DrawingTest, XYPlotDrawsAxesLabelsAndSeries) {
  std::vector<PlotPoint> decay = {{0, 100}, {10, 50}, {20, 25}, {40, 5}};
  CXYPlotCtrl plot;
  ASSERT_EQ(1, plot.AddSeries(kBlue, &decay, MARKER_CIRCLE));
  const RECT client = {0, 0, 300, 200};
  TestMetafile emf([&](CDC& dc) { plot.DrawPlot(&dc, client); });
  EXPECT_EQ((std::vector<std::string>{"100.0", "5.0", "0.0", "40.0", "Delay", "Intensity"}), NonEmptyTexts(emf.get()));
  EXPECT_EQ(40, plot.m_nLeft);
  EXPECT_EQ(176, plot.m_nBottom);
  EXPECT_EQ(4, CountRecords(emf.get(), EMR_ELLIPSE));
  // The last point: right edge, bottom.
  const auto lines = RecordsOf<EMRLINETO>(emf.get(), EMR_LINETO);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(280, lines.back().ptl.x);
  EXPECT_EQ(176, lines.back().ptl.y);

  // No points: the frame only; a series spanning less than one unit
  // collapses onto the left edge and the bottom instead of dividing by 0.
  std::vector<PlotPoint> none;
  CXYPlotCtrl empty;
  empty.AddSeries(kBlue, &none, MARKER_CIRCLE);
  TestMetafile emptyEmf([&](CDC& dc) { empty.DrawPlot(&dc, client); });
  EXPECT_EQ((std::vector<std::string>{"Delay", "Intensity"}), NonEmptyTexts(emptyEmf.get()));
  EXPECT_EQ(0, CountRecords(emptyEmf.get(), EMR_ELLIPSE));

  std::vector<PlotPoint> flat = {{5, 3}, {5.5f, 3.2f}};
  CXYPlotCtrl narrow;
  narrow.AddSeries(kBlue, &flat, MARKER_DIAMOND);
  TestMetafile narrowEmf([&](CDC& dc) { narrow.DrawPlot(&dc, client); });
  const auto narrowLines = RecordsOf<EMRLINETO>(narrowEmf.get(), EMR_LINETO);
  ASSERT_GE(narrowLines.size(), 2u);
  for (size_t k = narrowLines.size() - 2; k < narrowLines.size(); k++) {
    EXPECT_EQ(40, narrowLines[k].ptl.x);
    EXPECT_EQ(176, narrowLines[k].ptl.y);
  }
}

TEST_F(DrawingTest, XYPlotDoubleClickRecoloursAxisOrBackground) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 320, 220, nullptr, nullptr));
  CXYPlotCtrl plot;
  ASSERT_TRUE(plot.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 300, 200), &parent, 100));
  std::vector<PlotPoint> points = {{0, 1}, {1, 2}};
  plot.AddSeries(kBlue, &points, MARKER_CIRCLE);
  plot.UpdateWindow();
  auto painted = CaptureClient(plot.m_hWnd);
  EXPECT_EQ(kWhite, painted->Pixel(150, 5));

  ChooseColourInDialog(RGB(10, 20, 30));
  PostClick(plot.m_hWnd, {150, 176}, true);  // on the x axis
  EXPECT_EQ(RGB(10, 20, 30), plot.m_crAxis);
  ChooseColourInDialog(RGB(200, 210, 220));
  PostClick(plot.m_hWnd, {150, 80}, true);
  EXPECT_EQ(RGB(200, 210, 220), plot.m_crBackground);
  EXPECT_EQ(RGB(10, 20, 30), plot.m_crAxis);
  plot.UpdateWindow();
  EXPECT_EQ(RGB(200, 210, 220), CaptureClient(plot.m_hWnd)->Pixel(150, 5));
  plot.DestroyWindow();
  parent.DestroyWindow();
}

TEST_F(DrawingTest, LineSampleShowsItsColourAndTellsTheParent) {
  CMessageSink parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 120, 60, nullptr, nullptr));
  CLineSample sample;
  ASSERT_TRUE(sample.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 100, 41), &parent, 101));
  EXPECT_EQ(RGB(255, 0, 0), sample.m_crLine);

  TestBitmap bitmap(100, 41);
  bitmap.Fill(RGB(100, 100, 100));
  sample.m_crLine = kBlue;
  DrawInto(bitmap, [&](CDC& dc) { sample.DrawSample(&dc, {0, 0, 100, 41}); });
  EXPECT_EQ(kBlue, bitmap.Pixel(10, 20));
  EXPECT_EQ(RGB(255, 0, 0), bitmap.Pixel(46, 20));  // the circle's outline
  EXPECT_EQ(kWhite, bitmap.Pixel(50, 20));          // its white inside

  ChooseColourInDialog(RGB(0, 128, 0));
  PostClick(sample.m_hWnd, {50, 20});
  EXPECT_EQ(RGB(0, 128, 0), sample.m_crLine);
  EXPECT_EQ(1, parent.m_nSampleChanged);

  AfxSetModalDialogHook([](CDialog& d) {
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDCANCEL));
  });
  PostClick(sample.m_hWnd, {50, 20});
  EXPECT_EQ(RGB(0, 128, 0), sample.m_crLine);
  EXPECT_EQ(1, parent.m_nSampleChanged);
  sample.DestroyWindow();
  parent.DestroyWindow();
}

}  // namespace
