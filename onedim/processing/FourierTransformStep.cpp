#include "onedim/processing/FourierTransformStep.h"

#include "onedim/model/AxisScale.h"
#include "onedim/model/Spectrum.h"

namespace {

const char kTooFewPoints[] = "Number of points must be at least 4";
const char kCannotTransform[] = "The data cannot be transformed: too few points";
const char kAlreadyRunning[] = "A Fourier transform is already running";

// A redraw between butterfly stages runs on the same thread; it must not be
// able to start a second transform over the same buffers.
bool g_bTransformRunning = false;

struct RunningGuard {
  RunningGuard() { g_bTransformRunning = true; }
  ~RunningGuard() { g_bTransformRunning = false; }
};

void SetMessage(const char** message, const char* text) {
  if (message)
    *message = text;
}

}  // namespace

bool IsTransformRunning() {
  return g_bTransformRunning;
}

void InitFourierTransformOptions(const CSpectrum& spectrum, CFourierTransformOptions& options) {
  const CSpectrumParams& a = spectrum.m_paramsA;
  options.nPoints = a.td;
  options.nMaxRotation = a.td;
  options.bInverse = spectrum.m_bTransformed ? TRUE : FALSE;
  if (options.bInverse) {
    const CSpectrumParams& b = spectrum.m_paramsB;
    options.bQuadrature = b.bComplex ? TRUE : FALSE;
    options.bReal = b.aqmode == 0 ? TRUE : FALSE;
  } else {
    options.bQuadrature = a.bComplex ? TRUE : FALSE;
    options.bReal = a.aqmode == 0 ? TRUE : FALSE;
  }
  if (a.DECIM > 1) {
    options.bRotateData = TRUE;
    options.nRotationPoints = static_cast<int>(spectrum.GetGroupDelay());
  } else {
    options.bRotateData = FALSE;
    options.nRotationPoints = 0;
  }
}

int AcquiredFloats(const CSpectrum& spectrum) {
  const int td = spectrum.m_paramsA.td;
  const int acquired = spectrum.m_paramsB.td;
  return acquired > 0 && acquired < td ? acquired : td;
}

int TransformAsRecorded(CSpectrum& spectrum) {
  const CSpectrumParams& b = spectrum.m_paramsB;
  CFastFourier fft;
  fft.SetData(spectrum.m_pData, spectrum.m_paramsA.td, b.aqmode == 1 ? 1 : 0, b.bComplex, 0);
  fft.m_bConjugate = b.bConjugate;
  int nRotated = 0;
  if (b.DECIM > 1) {
    // The delay as acquired: the current block's DECIM is 0 after a transform.
    nRotated = static_cast<int>(GetGroupDelayOf(b));
    if (!spectrum.Rotate(nRotated))
      nRotated = 0;
  }
  fft.HalveFirstPoint();
  fft.RemoveDrift(AcquiredFloats(spectrum));
  fft.Transform();
  return nRotated;
}

BOOL PrepareSpectrumForTransform(CSpectrum& spectrum, const CFourierTransformOptions& options, const char** message) {
  if (options.nPoints < 4) {
    SetMessage(message, kTooFewPoints);
    return FALSE;
  }
  if (options.bRotateData)
    spectrum.Rotate(options.nRotationPoints);

  // An odd count cannot hold whole points; the power-of-two cut below
  // removes the difference anyway.
  const int points = options.nPoints & ~1;
  if (spectrum.m_paramsA.td != points)
    spectrum.ZeroFill(points, message);
  const int powerOfTwo = spectrum.GetPowerOfTwoSize();
  if (powerOfTwo >= 2 && powerOfTwo != spectrum.m_paramsA.td)
    spectrum.ZeroFill(powerOfTwo, message);
  return TRUE;
}

BOOL TransformSpectrum(CSpectrum& spectrum, const CFourierTransformOptions& options, FourierProgressFn progress,
                       void* context, const char** message) {
  if (g_bTransformRunning) {
    SetMessage(message, kAlreadyRunning);
    return FALSE;
  }
  CSpectrumParams& a = spectrum.m_paramsA;
  CSpectrumParams& b = spectrum.m_paramsB;
  const int mode = options.bReal ? 0 : 1;
  if (!spectrum.m_pData || !CFastFourier::IsValidSize(a.td, mode)) {
    SetMessage(message, kCannotTransform);
    return FALSE;
  }
  RunningGuard running;

  // The inverse must conjugate exactly as the forward transform did, which
  // the forward records in the second block; the first block's flag has
  // meanwhile been set for the spectrum.
  const BYTE conjugate = options.bInverse ? b.bConjugate : a.bConjugate;

  CFastFourier fft;
  fft.SetData(spectrum.m_pData, a.td, mode, options.bQuadrature, options.bInverse);
  fft.m_bConjugate = conjugate;
  fft.SetProgress(progress, context);
  spectrum.m_bTransformed = options.bInverse ? 0 : 1;
  fft.HalveFirstPoint();
  // A spectrum transformed back holds no zero filling.
  if (options.bDriftCorrection)
    fft.RemoveDrift(options.bInverse ? a.td : AcquiredFloats(spectrum));
  fft.Transform();

  if (!options.bInverse) {
    spectrum.SetFrequencyDomain(options.bQuadrature, mode == 1, conjugate, options.bBrukerImport);
    return TRUE;
  }
  b.bComplex = options.bQuadrature ? 1 : 0;
  b.aqmode = mode == 1 ? 1 : 0;
  // The data are the FID again: the first block says what they are, so that
  // the next forward transform offers what the last one did: the same mode,
  // the same quadrature rotation (without it the halves of the spectrum
  // change places) and the same conjugation. The digital-filter rotation
  // stays done.
  a.aqmode = b.aqmode;
  a.bComplex = b.bComplex;
  a.DECIM = 0;
  a.bConjugate = b.bConjugate;
  spectrum.m_bDataChanged = 1;
  spectrum.m_Scale.m_nUnits = AXIS_UNITS_PPM;
  return TRUE;
}
