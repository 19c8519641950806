#include "onedim/model/AxisScale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "onedim/model/Spectrum.h"
#include "numerics/Saturate.h"

namespace {

struct TickRow {
  double dBound;  // the row holds for spans below this
  AxisTickStep step;
};

// From the widest span down; the last row whose bound exceeds the span wins.
const TickRow kTickRows[] = {
    {33000, {500, 0.001, 0}},    {10000, {200, 0.001, 0}},
    {6000, {100, 0.002, 0}},     {3000, {50, 0.005, 0}},
    {2000, {40, 0.005, 0}},      {1000, {20, 0.01, 0}},
    {500, {5, 0.04, 0}},         {200, {1, 0.1, 0}},
    {100, {2, 0.1, 0}},          {50, {0.4, 2, 0}},
    {20, {0.2, 1, 0}},           {10, {0.1, 2, 1}},
    {5, {0.04, 10, 1}},          {2, {0.04, 10, 2}},
    {1, {0.02, 20, 2}},          {0.5, {0.01, 20, 2}},
    {0.2, {0.004, 100, 2}},      {0.1, {0.002, 100, 3}},
    {0.05, {0.001, 400, 3}},     {0.02, {0.0005, 1200, 3}},
    {0.005, {0.00005, 2000, 3}}, {0.0005, {0.000005, 5000, 3}},
};

// A value printed with a fixed format and read back, which is how the ticks
// shed the noise that adding the step again and again collects.
double RoundTrip(LPCSTR pszFormat, double dValue) {
  char sz[512];
  std::snprintf(sz, sizeof(sz), pszFormat, dValue);
  return std::strtod(sz, nullptr);
}

}  // namespace

AxisTickStep ChooseAxisTickStep(double dSpan) {
  AxisTickStep result = {500, 0, 0};
  for (const TickRow& row : kTickRows) {
    if (row.dBound > dSpan)
      result = row.step;
  }
  return result;
}

std::vector<AxisTick> ComputeAxisTicks(const AxisTickInput& in, AxisTickStep* pStep) {
  std::vector<AxisTick> ticks;
  const double lo = in.bMirrored ? in.dRightValue : in.dLeftValue;
  const double hi = in.bMirrored ? in.dLeftValue : in.dRightValue;
  const double dSpan = std::fabs(lo - hi);
  // The span goes through a float, as the scale has always chosen its step.
  const AxisTickStep step = ChooseAxisTickStep((float)dSpan);
  if (pStep != nullptr)
    *pStep = step;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(dSpan))
    return ticks;

  const double dFirst = step.dStep * (std::trunc(lo / step.dStep) + 1);
  const double dHiSteps = hi / step.dStep;
  const double dRead = RoundTrip("%.5lf", dHiSteps);
  const double dLast = dRead == std::trunc(dRead) ? hi - step.dStep : step.dStep * std::trunc(dHiSteps);
  if (!std::isfinite(dFirst) || !std::isfinite(dLast))
    return ticks;

  // Without a pixel extent there is nowhere to put a tick.
  const long long nWidth = (long long)in.nRightPixel - in.nLeftPixel;
  if (nWidth <= 0)
    return ticks;
  double dUnitsPerPixel = dSpan / (double)nWidth;
  if (!(dUnitsPerPixel >= 1e-9))
    dUnitsPerPixel = 1e-9;

  // A tick count that is a hair short of whole must not lose the last tick.
  double dCount = std::floor(std::fabs((dLast - dFirst) / step.dStep) + 1e-6) + 1;
  if (!(dCount <= CAxisScale::MaxTicks))
    dCount = CAxisScale::MaxTicks;
  const int nCount = (int)dCount;

  const double dAxisLeft = (double)in.nLeftOffset + in.nLeftPixel;
  const double dMinX = dAxisLeft;
  const double dMaxX = dAxisLeft + (double)nWidth;
  const double dMirror = (double)in.nLeftPixel + in.nRightPixel + 2.0 * in.nLeftOffset;
  double dValue = dFirst;
  for (int n = 0; n < nCount; n++, dValue += step.dStep) {
    double v = dValue;
    if (v > -0.0005 && v < 0.0005)
      v = 0.0;
    const double u = RoundTrip("%.8lf", v);
    double x = std::trunc((v - lo) / dUnitsPerPixel + dAxisLeft);
    if (in.bMirrored)
      x = dMirror - x;
    if (!(x >= dMinX && x <= dMaxX))
      continue;
    const double t = u * step.dLabelFactor;
    const double k = std::trunc(u < 0 ? t - 0.0005 : t + 0.0005);
    AxisTick tick;
    tick.dValue = u;
    tick.x = SaturatingInt(x);
    tick.bMajor = t - 0.0005 < k && k < t + 0.0005;
    ticks.push_back(tick);
  }
  return ticks;
}

CString FormatAxisLabel(double dValue, int nDecimals) {
  static const char* const kFormats[] = {"%.0lf", "%.1lf", "%.2lf", "%.3lf"};
  if (nDecimals < 0)
    nDecimals = 0;
  if (nDecimals > 3)
    nDecimals = 3;
  char sz[512];
  std::snprintf(sz, sizeof(sz), kFormats[nDecimals], dValue);
  // A small negative value rounds to "-0.00"; the sign means nothing then.
  if (sz[0] == '-' && std::strspn(sz + 1, "0.") == std::strlen(sz + 1))
    std::memmove(sz, sz + 1, std::strlen(sz));
  return CString(sz);
}

CAxisScale::CAxisScale()
    : m_nPosition(0),
      m_bFlag(1),
      m_crText(RGB(0, 0, 0)),
      m_nTickX(0),
      m_nLastMinorX(0),
      m_dTickValue(0.0),
      m_bFontFlag(0),
      m_bFloating(0),
      m_bMinorTick(0),
      m_nUnits(AXIS_UNITS_SECONDS),
      m_nBaseFontHeight(14),
      m_nDecimals(0),
      m_rectClient(),
      m_crAxis(RGB(0, 0, 0)),
      m_nCleared1(0),
      m_nCleared2(0) {
  std::memset(&m_lf, 0, sizeof(m_lf));
  m_lf.lfHeight = 14;
  m_lf.lfOutPrecision = 4;
  m_lf.lfClipPrecision = 0;
  m_lf.lfQuality = 2;
  m_lf.lfPitchAndFamily = 0x22;
  std::strcpy(m_lf.lfFaceName, "Times New Roman");
}

CAxisScale::~CAxisScale() = default;

CAxisScale& CAxisScale::operator=(const CAxisScale& other) {
  if (&other == this)
    return *this;
  m_crText = other.m_crText;
  m_crAxis = other.m_crAxis;
  m_dTickValue = other.m_dTickValue;
  m_bFlag = other.m_bFlag;
  m_bFontFlag = other.m_bFontFlag;
  m_bFloating = 1;
  m_nCleared1 = 0;
  m_nCleared2 = 0;
  return *this;
}

void CAxisScale::ChooseTickStep(float fSpan, double& dStep, double& dLabelFactor) {
  const AxisTickStep step = ChooseAxisTickStep(fSpan);
  dStep = step.dStep;
  dLabelFactor = step.dLabelFactor;
  m_nDecimals = step.nDecimals;
}

void CAxisScale::FormatLabel(CString& strLabel, double dValue) const {
  strLabel = FormatAxisLabel(dValue, m_nDecimals);
}

AxisTickInput CAxisScale::GetTickInput(const CSpectrum& spectrum, int nLeftOffset) const {
  AxisTickInput in;
  in.dLeftValue = spectrum.ConvertUnits(spectrum.m_nFirst, m_nUnits);
  in.dRightValue = spectrum.ConvertUnits(spectrum.m_nLast, m_nUnits);
  in.bMirrored = m_nUnits == AXIS_UNITS_HZ || m_nUnits == AXIS_UNITS_PPM;
  in.nLeftPixel = spectrum.m_nLeftPixel;
  in.nRightPixel = spectrum.m_nRightPixel;
  in.nLeftOffset = nLeftOffset;
  return in;
}

int CAxisScale::GetLineY(bool bPaper, double dPrintScaleY, int nTopMargin) const {
  const int nPosition = !IsFloating() && bPaper ? m_rectClient.bottom - 31 : m_nPosition;
  return SaturatingInt(nTopMargin + (long double)nPosition * dPrintScaleY);
}
