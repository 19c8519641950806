// The horizontal axis of one spectrum: units, position, label font and
// colours. It is a member of CSpectrum and is never created as a window; its
// drawing lives with the spectrum drawing.
#pragma once

#include "framework/base/WinTypes.h"

// Axis units, as stored in files and used by every dialog that shows a
// position.
enum {
  AXIS_UNITS_POINTS = 0,
  AXIS_UNITS_SECONDS = 1,
  AXIS_UNITS_HZ = 2,
  AXIS_UNITS_PPM = 3,
};

class CAxisScale {
 public:
  CAxisScale();
  virtual ~CAxisScale();

  // Takes the colours, the current tick value and the two byte flags of
  // another scale and becomes floating; font, units and base height stay.
  CAxisScale& operator=(const CAxisScale& other);

  void SetPosition(int nPosition) { m_nPosition = nPosition; }
  int GetPosition() const { return m_nPosition; }
  void SetFloating(bool bFloating) { m_bFloating = bFloating ? 1 : 0; }
  bool IsFloating() const { return m_bFloating != 0; }
  void SetTextColour(COLORREF cr) { m_crText = cr; }

  int m_nPosition;        // y of the axis line in view pixels, when floating
  BYTE m_bFlag;           // copied by assignment; not read by the drawing
  COLORREF m_crText;      // label text colour
  int m_nTickX;           // x of the tick being drawn
  int m_nLastMinorX;      // x of the last minor tick
  double m_dTickValue;    // value of the tick being drawn, in the units
  LOGFONT m_lf;           // label font
  BYTE m_bFontFlag;       // kept beside the font; copied by assignment
  BYTE m_bFloating;       // 0 grey band at the bottom, 1 line at m_nPosition
  BYTE m_bMinorTick;      // the tick being drawn is a minor one
  int m_nUnits;           // AXIS_UNITS_*; Hz and ppm run right to left
  int m_nBaseFontHeight;  // label font height on screen
  short m_nDecimals;      // decimals of the labels, 0..3
  RECT m_rectClient;      // the view's client rectangle, set before drawing
  COLORREF m_crAxis;      // axis line, ticks; set by the owner
  int m_nCleared1;        // cleared by construction and by assignment
  int m_nCleared2;

 private:
  CAxisScale(const CAxisScale&) = delete;
};
