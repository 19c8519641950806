// The apodization of one spectrum: the chosen weighting function and its
// parameters, the weighted copy of the signal and the weighting curve.
#pragma once

#include <vector>

#include "framework/base/WinTypes.h"

class CWindowFunction {
 public:
  enum {
    Exponential = 0,
    Gaussian = 1,
    LorentzGauss = 2,
    Traficante = 3,
    SineBell = 4,
    SineSquared = 5,
    Hamming = 6,
    Hanning = 7,
    TypeCount = 8
  };

  // source and target are the spectrum's buffers of *td floats; td and sw
  // point at the spectrum's own values and are read at each Apply.
  CWindowFunction(float* source, float* target, int* td, double* sw);
  virtual ~CWindowFunction();

  // Points the object at the spectrum's buffers after they were reallocated.
  void SetBuffers(float* source, float* target);

  // Copies td floats from source to target and multiplies the target by the
  // window of the current type, keeping the weights. Returns FALSE with a
  // message, leaving the target alone, when sw is not positive or the
  // weights cannot be allocated.
  BOOL Apply(const char** message = nullptr);

  // Sets the type and the four parameters; refuses a GB that is not
  // positive (with a message) and keeps the previous values.
  BOOL SetParameters(int type, float lb, float gb, float gaussShift, float sineShift, const char** message = nullptr);

  // The weight of float index i of the current type, as Apply computes it
  // (the Lorentz-Gauss sign change of LB included).
  long double Weight(int i);

  // The polyline of the curve over the pixel span left..right for the view
  // height: the first point is where the pen starts, then two points per
  // pixel column (smallest and largest y). A curve whose largest weight is
  // 0 or not finite lies flat on the zero line.
  std::vector<POINT> CurvePoints(int left, int right) const;

  int GetTD() const { return m_pTD ? *m_pTD : 0; }
  const double* GetWeights() const { return m_pWeights; }
  int GetWeightCount() const { return m_nWeights; }

  float* m_pTarget;    // receives the weighted signal
  int m_nViewHeight;   // full view height in pixels, set before drawing
  COLORREF m_Colour;   // curve colour
  int m_nPenWidth;     // 1 ... 10
  BYTE m_bShowCurve;   // set while the Window Functions dialog is open
  double* m_pWeights;  // last weights, one per float; owned
  float m_GB;          // Gaussian fraction of the Lorentz-Gauss window
  float m_LB;          // line broadening, Hz
  float m_SineShift;   // degrees
  float m_GaussShift;  // shift of the Gaussian window
  float* m_pSource;    // unweighted signal
  double* m_pSW;       // spectral width, Hz
  int* m_pTD;          // number of floats
  int m_nType;         // 0 ... 7; other values act as 0

 private:
  int m_nWeights;

  CWindowFunction(const CWindowFunction&) = delete;
  CWindowFunction& operator=(const CWindowFunction&) = delete;
};

// One layout in every translation unit, window code included: a member that
// only some files or builds see stops the build here.
static_assert(sizeof(CWindowFunction) == (sizeof(void*) == 8 ? 88 : 64), "CWindowFunction layout");
