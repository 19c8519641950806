// The horizontal axis of one spectrum: units, position, label font and
// colours, and the choice of its ticks. It is a member of CSpectrum and is
// never created as a window. The tick computation is here; the drawing is
// window code (onedim/view/AxisScaleDraw.h).
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

// Axis units, as stored in files and used by every dialog that shows a
// position.
enum {
  AXIS_UNITS_POINTS = 0,
  AXIS_UNITS_SECONDS = 1,
  AXIS_UNITS_HZ = 2,
  AXIS_UNITS_PPM = 3,
};

// Tick spacing for a visible span: ticks every dStep units, labels where
// the value times dLabelFactor is whole, written with nDecimals decimals.
struct AxisTickStep {
  double dStep;
  double dLabelFactor;
  short nDecimals;
};

// One tick of an axis, before the print factor: x in view pixels plus the
// left offset.
struct AxisTick {
  double dValue;  // in the axis units, rounding noise removed
  int x;
  bool bMajor;  // labelled
};

// What the ticks of one axis are computed from.
struct AxisTickInput {
  double dLeftValue;   // value at the first visible point
  double dRightValue;  // value at the last visible point
  bool bMirrored;      // Hz and ppm: values grow from right to left
  int nLeftPixel;      // pixel extent of the visible range
  int nRightPixel;
  int nLeftOffset;  // printer margin in view pixels; 0 on screen
};

// The step table: the row with the smallest bound still above the span
// decides; spans of 33000 and more (and spans that are not numbers) get
// every tick labelled at a step of 500.
AxisTickStep ChooseAxisTickStep(double dSpan);

// The ticks of an axis from left to right in value order. Ticks that would
// fall outside the pixel extent are left out; an end that is not finite
// gives none; the count is capped so that absurd ranges cannot stall a
// redraw.
std::vector<AxisTick> ComputeAxisTicks(const AxisTickInput& in, AxisTickStep* pStep = nullptr);

// A tick label with 0 to 3 decimals; a value that prints as zero never
// carries a minus sign.
CString FormatAxisLabel(double dValue, int nDecimals);

class CAxisScale {
 public:
  enum { MaxTicks = 100000 };

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

  // Step and label factor for a span; keeps the decimals for the labels.
  void ChooseTickStep(float fSpan, double& dStep, double& dLabelFactor);
  // The label of a tick value with the decimals last chosen.
  void FormatLabel(CString& strLabel, double dValue) const;
  // The tick input of the spectrum's visible range in this scale's units.
  AxisTickInput GetTickInput(const CSpectrum& spectrum, int nLeftOffset) const;
  // The device y of the axis line: on paper (a printer or the clipboard
  // picture) the solid band becomes a line at the plot's bottom, and the
  // position is scaled by the print y factor below the top margin.
  int GetLineY(bool bPaper, double dPrintScaleY, int nTopMargin) const;

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

// One layout in every translation unit, window code included: a member that
// only some files or builds see stops the build here.
static_assert(sizeof(CAxisScale) == (sizeof(void*) == 8 ? 144 : 136), "CAxisScale layout");
