// In-place radix-2 Fourier transform of one interleaved float array, complex
// (re, im pairs) or real, in single precision and without normalisation.
#pragma once

#include "framework/base/WinTypes.h"

// Called after each butterfly stage so that the caller can show the partly
// transformed data. It must not touch the array's size or lifetime. A
// transform without one takes its stages in the order that suits the cache.
typedef void (*FourierProgressFn)(void* context);

class CFastFourier {
 public:
  CFastFourier();
  virtual ~CFastFourier();

  // data: nFloats floats owned by the caller; mode 1 = complex (nFloats/2
  // points), any other value = real (nFloats values). rotate negates every
  // second complex point first (zero frequency moves to the centre). The
  // conjugate flag is set directly afterwards. Returns 1.
  int SetData(float* data, int nFloats, int mode, int rotate, int inverse);

  void HalveFirstPoint();
  // Drift correction: the receiver's constant offset, the mean of the last
  // eighth of the acquired points where it stands out of their noise, taken
  // away from them. nAcquired: the
  // floats that hold acquired points (the rest is zero filling, which stays
  // zero); the whole array without one.
  void RemoveDrift(int nAcquired = -1);

  // Runs the set-up transform. Returns FALSE, leaving the data alone, when
  // the size is not one this transform can take (see IsValidSize).
  BOOL Transform();

  // The steps of Transform, callable alone. n is the number of complex
  // points (ComplexTransform) or of real values (RealTransform); both must
  // be powers of two, otherwise nothing happens.
  void ComplexTransform(int isign, int n);
  void RealTransform(int isign, int n);
  void Rotate();
  void Conjugate();

  void SetProgress(FourierProgressFn fn, void* context);

  // True when nFloats floats can be transformed in the given mode: a power
  // of two of at least 4 floats.
  static bool IsValidSize(int nFloats, int mode);

  int m_nMode;       // 1 complex, other real
  int m_bRotate;     // negate every second complex point before the transform
  float* m_pData;    // the caller's array
  int m_nPoints;     // number of floats in the array
  int m_bInverse;    // sign -1
  int m_bConjugate;  // complex mode: negate the imaginary parts

 private:
  FourierProgressFn m_pProgress;
  void* m_pProgressContext;

  CFastFourier(const CFastFourier&) = delete;
  CFastFourier& operator=(const CFastFourier&) = delete;
};
