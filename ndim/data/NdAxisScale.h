// The settings of a 2D set's axes: the label font and decimals, the display
// units of F2 and F1, and the print factors the view gives it before each
// drawing. The ticks are computed in ndim/plot and drawn in ndim/view.
#pragma once

#include <cstring>

#include "framework/base/WinTypes.h"

struct NdAxisScale {
  NdAxisScale() {
    std::memset(&m_lf, 0, sizeof m_lf);
    m_lf.lfHeight = 14;
    m_lf.lfOutPrecision = 4;  // OUT_TT_PRECIS
    m_lf.lfQuality = 2;       // PROOF_QUALITY
    m_lf.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(m_lf.lfFaceName, "Times New Roman");
  }

  int m_nDecimals = 2;  // of the labels, set by the tick choice
  int m_nSpare = 0;
  LOGFONT m_lf;
  int m_nFontHeight = 14;
  int m_nUnitsF2 = 0;  // 0 points, 1 seconds, 2 Hz, 3 ppm
  int m_nUnitsF1 = 0;
  double m_dPrintFactorX = 1.0;
  double m_dPrintFactorY = 1.0;
};
