// The command lines the nD program's processing dialogs build, and the
// small pieces of arithmetic behind their fields, apart from any window:
// the dialogs only read their controls into these records and hand the
// lines to the document's interpreter one by one.
#pragma once

#include <string>
#include <vector>

#include "framework/base/WinTypes.h"

class CSpectrum2D;

// Size list of the Fourier Transform dialog: index i is 2^(i + 2) complex
// points, up to 256 K.
enum { kFourierSizeCount = 17 };
int FourierSizeOf(int index);
// The smallest listed size not below points.
int FourierSizeIndex(int points);

struct FourierChoices {
  int m_nSizeIndex = 0;
  BOOL m_bHyper = FALSE;  // Protocol "Hyper"
  BOOL m_bReal = FALSE;
  BOOL m_bQuadrature = FALSE;
  BOOL m_bPredictionFill = FALSE;
  BOOL m_bApodize = FALSE;
  BOOL m_bMagnitude = FALSE;
  BOOL m_bHyperphase = FALSE;
  BOOL m_bInverse = FALSE;
  BOOL m_bNextDimension = FALSE;
  BOOL m_bNextEnabled = FALSE;
  BOOL m_bInvert = FALSE;
};

// The dimension the dialog transforms: the current one, or the last when
// the current one is past it (where an inverse transform along the last
// dimension leaves the set).
int FourierDimension(const CSpectrum2D& set);
// The dialog's first state for that dimension, from the dimension blocks.
FourierChoices FourierInitialChoices(const CSpectrum2D& set);
// Why OK cannot fill that dimension of count points by linear prediction
// up to the chosen size with the application's divisor (0 counts as 1);
// empty when it can, or when there is nothing to predict.
std::string FourierPredictionRefusal(const FourierChoices& c, int count, int& divisor);
// The lines of one transform along that dimension ("f=" first when it is
// not the current one). divisor is the application's automatic-prediction
// divisor; a zero one becomes 1 (kept). The prediction's points are those
// the transform finds, after the quadrature split of "Hyper".
std::vector<std::string> FourierCommandLines(const FourierChoices& c, const CSpectrum2D& set, int& divisor);
// After the lines ran: the axis just transformed shows ppm, and the set
// remembers whether to apodize next time.
void FinishFourier(CSpectrum2D& set, BOOL bApodize);

// The Linear Prediction dialog: a basis that does not fit before the
// coefficients is cut to what does (truncated says so).
struct PredictionChoices {
  int m_nFirst = 0;
  int m_nLast = 0;
  int m_nBasis = 8;
  int m_nCoefficients = 4;
};
PredictionChoices PredictionInitialChoices(const CSpectrum2D& set);
std::string PredictionCommandLine(PredictionChoices c, const CSpectrum2D& set, bool& truncated);

// High Pass Filter: the null point at the centre of the current dimension
// (ppm), and its line.
double HighPassNullPoint(const CSpectrum2D& set);
std::string HighPassCommandLine(int selectivity, double nullPoint);

// The Polynomial Baseline Correction dialog: the order's button (0 .. 7),
// the "Along:" button (0 for f1), the filter width as typed, the basis.
struct BaselineChoices {
  int m_nOrder = 5;
  int m_nAlong = 0;
  std::string m_filter = "2";
  BOOL m_bTrigonometric = FALSE;
};
// Whether the "Along:" button of that index is offered on a set whose last
// dimension is last: only a dimension the set has.
bool BaselineAlongOffered(int index, int last);
// "bc" with the dimension, the order, the basis (1 trigonometric) and the
// filter text read as a whole number (0 when it is none).
std::string BaselineCommandLine(const BaselineChoices& c);

// Phase dialog arithmetic. The first-order round slider wraps at 360: a
// move across 0 goes the short way round.
int RoundSliderDelta(int oldPos, int newPos);
// Degrees into 0 .. 360, with 360 itself (within 1e-6) shown as 0.
double NormaliseZeroOrder(double zero);
// The zero order that keeps the pivot still when the first order changes
// from previous to first over n points.
double PivotCompensatedZero(double zero, int pivot, double first, double previous, int n);
// The pivot: a pixel of a view width wide mapped onto the visible points
// from..to, rounded down to an even index.
int PivotPoint(int pixel, int width, int from, int to);
// The position of the round slider for an angle: 0 .. 359.
int WrapDegrees(int degrees);
