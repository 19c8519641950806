#include "onedim/display/AxisScale.h"

#include <cstring>

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
