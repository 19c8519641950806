// Portable geometry of the spectrum drawing: the axis ticks and labels, the
// coloured font's text form, the anchoring of text labels, the trace's pixel
// columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "onedim/model/AxisScale.h"
#include "onedim/model/ColourFont.h"
#include "onedim/plot/SpectrumTrace.h"
#include "onedim/model/TextLabel.h"
#include "numerics/Saturate.h"
#include "tests/onedim/model/spectrum_test_util.h"

namespace {

// --- Axis ticks ---

TEST(AxisTickStep, EachRowHoldsFromItsBoundDownToTheNext) {
  struct Row {
    double bound;
    double step;
    double factor;
    short decimals;
  };
  const Row rows[] = {{33000, 500, 0.001, 0},    {10000, 200, 0.001, 0},
                      {6000, 100, 0.002, 0},     {3000, 50, 0.005, 0},
                      {2000, 40, 0.005, 0},      {1000, 20, 0.01, 0},
                      {500, 5, 0.04, 0},         {200, 1, 0.1, 0},
                      {100, 2, 0.1, 0},          {50, 0.4, 2, 0},
                      {20, 0.2, 1, 0},           {10, 0.1, 2, 1},
                      {5, 0.04, 10, 1},          {2, 0.04, 10, 2},
                      {1, 0.02, 20, 2},          {0.5, 0.01, 20, 2},
                      {0.2, 0.004, 100, 2},      {0.1, 0.002, 100, 3},
                      {0.05, 0.001, 400, 3},     {0.02, 0.0005, 1200, 3},
                      {0.005, 0.00005, 2000, 3}, {0.0005, 0.000005, 5000, 3}};
  for (size_t r = 0; r < sizeof(rows) / sizeof(rows[0]); r++) {
    const AxisTickStep below = ChooseAxisTickStep(rows[r].bound * 0.999);
    EXPECT_EQ(rows[r].step, below.dStep) << rows[r].bound;
    EXPECT_EQ(rows[r].factor, below.dLabelFactor) << rows[r].bound;
    EXPECT_EQ(rows[r].decimals, below.nDecimals) << rows[r].bound;
    // At the bound itself the wider row still holds.
    const AxisTickStep at = ChooseAxisTickStep(rows[r].bound);
    const double widerStep = r == 0 ? 500 : rows[r - 1].step;
    EXPECT_EQ(widerStep, at.dStep) << rows[r].bound;
  }
  const AxisTickStep wide = ChooseAxisTickStep(33000);
  EXPECT_EQ(500, wide.dStep);
  EXPECT_EQ(0, wide.dLabelFactor);  // every tick labelled
  EXPECT_EQ(0.000005, ChooseAxisTickStep(0).dStep);
  EXPECT_EQ(500, ChooseAxisTickStep(std::nan("")).dStep);

  CAxisScale scale;
  double step = 0, factor = 0;
  scale.ChooseTickStep(3.0f, step, factor);
  EXPECT_EQ(0.04, step);
  EXPECT_EQ(10, factor);
  EXPECT_EQ(1, scale.m_nDecimals);
}

AxisTickInput Input(double left, double right, bool mirrored, int leftPixel = 0, int rightPixel = 512) {
  AxisTickInput in;
  in.dLeftValue = left;
  in.dRightValue = right;
  in.bMirrored = mirrored;
  in.nLeftPixel = leftPixel;
  in.nRightPixel = rightPixel;
  in.nLeftOffset = 0;
  return in;
}

std::vector<double> Majors(const std::vector<AxisTick>& ticks) {
  std::vector<double> values;
  for (const AxisTick& t : ticks)
    if (t.bMajor)
      values.push_back(t.dValue);
  return values;
}

TEST(AxisTicks, PointsRunLeftToRightWithLabelsEveryTwoHundred) {
  const std::vector<AxisTick> ticks = ComputeAxisTicks(Input(0, 1024, false));
  ASSERT_EQ(25u, ticks.size());
  EXPECT_EQ(40, ticks.front().dValue);
  EXPECT_EQ(1000, ticks.back().dValue);
  for (size_t i = 0; i < ticks.size(); i++) {
    EXPECT_DOUBLE_EQ(40.0 * (i + 1), ticks[i].dValue);
    EXPECT_EQ((int)(ticks[i].dValue / 2), ticks[i].x);
  }
  EXPECT_EQ((std::vector<double>{200, 400, 600, 800, 1000}), Majors(ticks));
}

TEST(AxisTicks, SecondsKeepTheLastTickDespiteRounding) {
  AxisTickStep step;
  const std::vector<AxisTick> ticks = ComputeAxisTicks(Input(0, 0.5, false), &step);
  EXPECT_EQ(2, step.nDecimals);
  ASSERT_EQ(24u, ticks.size());
  EXPECT_DOUBLE_EQ(0.02, ticks.front().dValue);
  EXPECT_DOUBLE_EQ(0.48, ticks.back().dValue);
  EXPECT_EQ(20, ticks.front().x);  // 0.02 / (0.5 / 512)
  EXPECT_EQ((std::vector<double>{0.1, 0.2, 0.3, 0.4}), Majors(ticks));
  EXPECT_EQ(CString("0.10"), FormatAxisLabel(0.1, step.nDecimals));
}

TEST(AxisTicks, HzAndPpmGrowFromRightToLeft) {
  const std::vector<AxisTick> hz = ComputeAxisTicks(Input(5000, 0, true));
  ASSERT_EQ(49u, hz.size());
  EXPECT_EQ(100, hz.front().dValue);
  EXPECT_EQ(502, hz.front().x);  // 512 - trunc(100 / 9.765625)
  EXPECT_EQ(4900, hz.back().dValue);
  EXPECT_EQ(11, hz.back().x);
  for (size_t i = 1; i < hz.size(); i++)
    EXPECT_LT(hz[i].x, hz[i - 1].x);
  EXPECT_EQ((std::vector<double>{500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500}), Majors(hz));

  const std::vector<AxisTick> ppm = ComputeAxisTicks(Input(12.5, 0, true));
  ASSERT_EQ(62u, ppm.size());
  EXPECT_DOUBLE_EQ(0.2, ppm.front().dValue);
  EXPECT_DOUBLE_EQ(12.4, ppm.back().dValue);
  const std::vector<double> majors = Majors(ppm);
  ASSERT_EQ(12u, majors.size());
  EXPECT_EQ(1, majors.front());
  EXPECT_EQ(12, majors.back());
  EXPECT_EQ(472, ppm[4].x);  // 1 ppm: 512 - trunc(1 / (12.5 / 512))
}

TEST(AxisTicks, NoiseAroundZeroLabelsAsZeroAndNeverMinusZero) {
  // From -0.5 to 10.5 ppm the ticks climb through zero by adding 0.2.
  const std::vector<AxisTick> ticks = ComputeAxisTicks(Input(10.5, -0.5, true));
  auto zero = std::find_if(ticks.begin(), ticks.end(), [](const AxisTick& t) { return std::fabs(t.dValue) < 1e-6; });
  ASSERT_NE(ticks.end(), zero);
  EXPECT_EQ(0.0, zero->dValue);
  EXPECT_FALSE(std::signbit(zero->dValue));
  EXPECT_TRUE(zero->bMajor);
  EXPECT_EQ(CString("0"), FormatAxisLabel(zero->dValue, 0));

  EXPECT_EQ(CString("0"), FormatAxisLabel(-0.4, 0));
  EXPECT_EQ(CString("0.000"), FormatAxisLabel(-0.0004, 3));
  EXPECT_EQ(CString("-1.5"), FormatAxisLabel(-1.5, 1));
  EXPECT_EQ(CString("-0.001"), FormatAxisLabel(-0.001, 3));
  EXPECT_EQ(CString("2.500"), FormatAxisLabel(2.5, 7));  // decimals kept to 0..3
}

TEST(AxisTicks, TicksStayOnTheAxisAndBadRangesGiveNone) {
  // A negative right end: truncation toward zero would put the last tick
  // past the end of the axis.
  for (const AxisTick& t : ComputeAxisTicks(Input(-3.0, -0.5, false, 10, 410))) {
    EXPECT_GE(t.x, 10);
    EXPECT_LE(t.x, 410);
    EXPECT_LE(t.dValue, -0.5 + 1e-9);
  }
  EXPECT_TRUE(ComputeAxisTicks(Input(std::nan(""), 5, false)).empty());
  EXPECT_TRUE(ComputeAxisTicks(Input(0, HUGE_VAL, false)).empty());
  EXPECT_TRUE(ComputeAxisTicks(Input(-HUGE_VAL, HUGE_VAL, true)).empty());
  // One visible point: at most its own value at the left end.
  for (const AxisTick& t : ComputeAxisTicks(Input(5, 5, false))) {
    EXPECT_EQ(0, t.x);
    EXPECT_DOUBLE_EQ(5.0, t.dValue);
  }
  // No pixel extent, or a reversed one: nowhere to put a tick.
  EXPECT_TRUE(ComputeAxisTicks(Input(0, 100, false, 200, 200)).empty());
  EXPECT_TRUE(ComputeAxisTicks(Input(0, 100, false, 300, 200)).empty());
  // A vast range is capped.
  EXPECT_LE(ComputeAxisTicks(Input(0, 1e12, false)).size(), (size_t)CAxisScale::MaxTicks);
}

// --- Coloured font ---

TEST(ColourFontText, DefaultsRoundTrip) {
  CColourFont font;
  EXPECT_EQ(CString("-12,0,0,0,400,0,0,0,0,0,0,2,18,Times New Roman,0"), font.GetFontString());

  CColourFont changed("Arial");
  changed.SetSize(20);
  changed.SetWeight(700);
  changed.SetItalic(1);
  changed.SetCharSet(238);
  changed.SetEscapement(900);
  changed.SetTextColour(RGB(255, 255, 255));
  const CString text = changed.GetFontString();
  EXPECT_EQ(CString("-20,0,900,0,700,1,0,0,238,0,0,2,18,Arial,16777215"), text);

  CColourFont read;
  EXPECT_EQ(RGB(255, 255, 255), read.SetFontString(text));
  EXPECT_EQ(0, std::memcmp(&changed.m_lf, &read.m_lf, sizeof(LOGFONT)));
  EXPECT_EQ(RGB(255, 255, 255), read.GetTextColour());
}

TEST(ColourFontText, OddTextsReadAsThePlainRulesSay) {
  CColourFont font;
  // The "automatic" colour has its top byte set; it survives the text form.
  font.SetTextColour(0xFF000000);
  CColourFont read;
  EXPECT_EQ(0xFF000000u, read.SetFontString(font.GetFontString()));

  // A comma in the face ends the face; what follows is read as the colour.
  read.SetFontString("-12,0,0,0,400,0,0,0,0,0,0,2,18,Face,With,255");
  EXPECT_EQ(CString("Face"), read.GetFaceName());
  EXPECT_EQ(0u, read.GetTextColour());  // atol("With,255")

  // Without a colour the face is the last field and has no comma: it stays
  // as the rest and is read as the colour.
  read.SetFontString("-16,0,0,0,400,0,0,0,0,3,2,1,34,Arial");
  EXPECT_EQ(-16, read.GetHeight());
  EXPECT_EQ(34, read.GetPitchAndFamily());
  EXPECT_EQ(CString(""), read.GetFaceName());

  read.SetFontString("12,x");  // short and malformed: zeros
  EXPECT_EQ(12, read.GetHeight());
  EXPECT_EQ(0, read.GetWeight());

  const std::string longFace(40, 'F');
  read.SetFontString(("1,0,0,0,400,0,0,0,0,0,0,0,0," + longFace + ",5").c_str());
  EXPECT_EQ(std::string(31, 'F'), std::string(read.GetFaceName()));
  EXPECT_EQ(5u, read.GetTextColour());
  EXPECT_EQ(CString(std::string(31, 'F').c_str()), read.SetFaceName(longFace.c_str()));
  EXPECT_EQ(31, read.GetFaceName().GetLength());
}

TEST(ColourFontText, SizeAndBoldSetters) {
  CColourFont font;
  EXPECT_EQ(-12, font.SetSize(30));
  EXPECT_EQ(-30, font.SetSize(-7));  // always a character height
  EXPECT_EQ(-7, font.GetHeight());
  font.SetWeight(600);
  EXPECT_TRUE(font.SetBold(false));
  EXPECT_EQ(400, font.GetWeight());
}

// --- Text labels ---

TEST(TextLabelAnchor, PixelOrPointTimesFactorsPlusMargins) {
  auto s = MakeSpectrum(2048);
  s->m_nLast = 2048;
  s->m_nRightPixel = 512;
  LOGFONT lf = CColourFont("Arial").GetLogFont();
  lf.lfHeight = -20;
  CTextLabel attached("peak", &lf, s.get(), 0, TRUE, 100, 60);
  EXPECT_EQ(400, attached.m_x);  // the point under pixel 100
  EXPECT_EQ(100, attached.GetDeviceAnchor(1.0, 1.0, 0, 0).x);
  s->m_nFirst = 200;  // zoomed: the label stays on its point
  s->m_nLast = 600;
  EXPECT_EQ(256, attached.GetDeviceAnchor(1.0, 1.0, 0, 0).x);
  const POINT onPaper = attached.GetDeviceAnchor(4.0, 3.0, 50, 70);
  EXPECT_EQ(256 * 4 + 50, onPaper.x);
  EXPECT_EQ(60 * 3 + 70, onPaper.y);
  EXPECT_EQ(-20, attached.GetDrawHeight(false, 3.0));
  EXPECT_EQ(-60, attached.GetDrawHeight(true, 3.0));

  CTextLabel loose("note", &lf, s.get(), 0, FALSE, 100, 60);
  EXPECT_EQ(100, loose.GetDeviceAnchor(1.0, 1.0, 0, 0).x);
}

// --- Trace columns ---

TraceMapping ScreenMapping(const CSpectrum& s) {
  TraceDevice screen;
  screen.nVertRes = 1000;
  return MakeTraceMapping(s, screen, true);
}

std::unique_ptr<CSpectrum> Sine(int td, int width) {
  auto s = MakeSpectrum(td, [](int i) { return (float)(std::sin(i * 0.01) * 1000.0); });
  s->FindMaximum();
  s->m_nFirst = 0;
  s->m_nLast = td;
  s->m_nLeftPixel = 10;
  s->m_nRightPixel = 10 + width;
  s->m_rectPlot = {0, 0, 600, 400};
  return s;
}

TEST(TraceColumns, EachColumnSpansEveryPointInIt) {
  auto s = Sine(20000, 500);  // 10,000 points over 500 pixels
  const TraceMapping m = ScreenMapping(*s);
  const std::vector<POINT> pts = BuildColumnTrace(s->m_pData, m);
  ASSERT_FALSE(pts.empty());
  EXPECT_LE(pts.size() - 1, 1001u);  // line segments

  // Each column's span, from the points that share an x.
  std::map<int, std::pair<int, int>> spans;
  for (const POINT& p : pts) {
    auto it = spans.find(p.x);
    if (it == spans.end())
      spans[p.x] = {p.y, p.y};
    else
      it->second = {std::min(it->second.first, (int)p.y), std::max(it->second.second, (int)p.y)};
  }
  for (int i = 0; i < 20000; i += 2) {
    auto it = spans.find(m.MapX(i));
    ASSERT_NE(spans.end(), it) << i;
    const int y = m.MapY(s->m_pData[i]);
    EXPECT_GE(y, it->second.first) << i;
    EXPECT_LE(y, it->second.second) << i;
  }
  EXPECT_EQ(10, pts.front().x);
  EXPECT_EQ(510, pts.back().x);
}

TEST(TraceColumns, ValuesBeyondTheViewAreClipped) {
  auto s = MakeSpectrum(64);
  s->m_nLast = 64;
  s->m_nRightPixel = 100;
  s->m_rectPlot = {0, 100, 600, 301};
  s->m_fMaxValue = 1.0f;
  const TraceMapping clipped = ScreenMapping(*s);
  EXPECT_EQ(5, clipped.MapY(1e30f));
  EXPECT_EQ(1000, clipped.MapY(-1e30f));
  EXPECT_EQ(5, clipped.MapY(std::nanf("")));  // held inside the view
}

TEST(TraceColumns, ReadsOnlyTheDataThatExist) {
  auto s = Sine(200, 50);
  s->m_nLast = 260;  // beyond td: the sanitizers would see a read past it
  s->m_nFirst = -20;
  EXPECT_FALSE(BuildColumnTrace(s->m_pData, ScreenMapping(*s)).empty());
  s->m_nFirst = s->m_nLast = 100;  // empty range
  EXPECT_TRUE(ScreenMapping(*s).IsEmpty());
  EXPECT_TRUE(BuildColumnTrace(s->m_pData, ScreenMapping(*s)).empty());
  s->m_nFirst = 300;  // entirely past the data
  s->m_nLast = 400;
  EXPECT_TRUE(BuildColumnTrace(s->m_pData, ScreenMapping(*s)).empty());
  EXPECT_TRUE(BuildColumnTrace(nullptr, ScreenMapping(*s)).empty());
}

TEST(TraceColumns, PictureHeightAndWhereDotsClip) {
  auto s = Sine(200, 100);
  s->m_fMaxValue = 0.0f;  // no largest value: the normaliser is 1
  s->m_dPrintScaleY = 2.0;
  TraceDevice picture;
  picture.bMetafile = true;
  picture.nVertRes = 3000;
  const TraceMapping trace = MakeTraceMapping(*s, picture, true);
  EXPECT_DOUBLE_EQ(2.0 * 100.0 * (double)1.2f, (double)trace.gain);
  EXPECT_EQ(11250, trace.yBottom);  // the picture's own height
  const TraceMapping dots = MakeTraceMapping(*s, picture, false);
  EXPECT_TRUE(dots.bClip);
  EXPECT_EQ(3000, dots.yBottom);
  EXPECT_FALSE(MakeTraceMapping(*s, TraceDevice(), false).bClip);  // dots on screen
}

// On a printer the lowest row of the trace: the line the solid scale
// becomes (no band hides what lies below it on paper), else the page's last
// printable row; the screen keeps VERTRES, below its band.
TEST(TraceColumns, OnPaperTheTraceStopsAtTheScaleAndOnThePage) {
  auto s = Sine(200, 100);
  s->m_dPrintScaleY = 4.0;
  s->m_Scale.m_rectClient = {0, 0, 600, 500};
  s->m_Scale.SetPosition(300);
  const struct {
    const char* pszCase;
    bool bPrinter;
    BYTE bShowScale;
    bool bFloating;
    int nBottom;
  } cases[] = {
      {"printer, solid scale", true, 1, false, 50 + (500 - 31) * 4},
      {"printer, floating scale", true, 1, true, 2400 - 30 - 1},
      {"printer, no scale", true, 0, false, 2400 - 30 - 1},
      {"screen, solid scale", false, 1, false, 2400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszCase);
    s->m_bShowScale = c.bShowScale;
    s->m_Scale.SetFloating(c.bFloating);
    TraceDevice device;
    device.bPrinter = c.bPrinter;
    device.rcMargins = {20, 50, 20, 30};
    device.nVertRes = 2400;
    for (bool bForTrace : {true, false}) {
      const TraceMapping m = MakeTraceMapping(*s, device, bForTrace);
      if (c.bPrinter || bForTrace)
        EXPECT_EQ(c.nBottom, m.MapY(-1e30f));
    }
  }
}

TEST(TraceColumns, MulDivRoundsLikeWindows) {
  EXPECT_EQ(1, MulDivRound(1, 1, 2));
  EXPECT_EQ(-1, MulDivRound(-1, 1, 2));
  EXPECT_EQ(8, MulDivRound(5, 3, 2));
  EXPECT_EQ(-8, MulDivRound(5, -3, 2));
  EXPECT_EQ(3, MulDivRound(10, 1, 3));
  EXPECT_EQ(0, MulDivRound(7, 7, 0));
  EXPECT_EQ(2147483647, MulDivRound(4000000000LL, 4000000000LL, 1));
}

// Truncation toward zero of long doubles that the nearest double rounds
// onto a whole number (a unit of the long double's last place below 5 or
// above -5), at the ends of the int range, and not a number.
TEST(TraceColumns, SaturatingIntTruncatesTheLongDoubleItself) {
  const long double below5 = 5.0L - 4.0L * LDBL_EPSILON, above5 = -5.0L + 4.0L * LDBL_EPSILON;
  ASSERT_EQ(5.0, (double)below5);
  const struct {
    long double v;
    int want;
  } kCases[] = {{below5, 4},  {above5, -4},  {5.0L, 5},          {-5.0L, -5},         {0.9999999999999999999L, 0},
                {-0.5L, 0},   {-0.0L, 0},    {2147483646.99999999L, 2147483646},    {2147483647.5L, 2147483647},
                {1e30L, 2147483647},         {-2147483648.5L, -2147483647 - 1},     {-2147483647.999999L, -2147483647},
                {(long double)NAN, 0},       {-(long double)INFINITY, -2147483647 - 1}};
  for (const auto& c : kCases)
    EXPECT_EQ(c.want, SaturatingInt(c.v)) << (double)c.v;
}

}  // namespace
