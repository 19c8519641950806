#include "onedim/processing/LinearPredictionStep.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "onedim/model/Spectrum.h"
#include "numerics/LinearPrediction.h"
#include "onedim/model/WindowFunction.h"

namespace {

const char kBadWindow[] = "The predicted points, basis points and coefficients do not fit the data";
const char kNoMemory[] = "Memory exhausted. \nLinear prediction aborted";

void SetMessage(const char** message, const char* text) {
  if (message)
    *message = text;
}

}  // namespace

void InitLinearPredictionSettings(const CSpectrum& spectrum, CLinearPredictionSettings& settings) {
  const int td = spectrum.m_paramsA.td;
  const int n = td / 2;
  int m = td / 32;
  if (m > 256)
    m = 32;
  settings.nFirst = n;
  settings.nLast = 2 * n - 1;
  settings.nCoefficients = m;
  settings.nBasis = n - m - 1;
}

BOOL TruncateLinearPredictionBasis(const CSpectrum& spectrum, CLinearPredictionSettings& settings) {
  const long long limit = static_cast<long long>(spectrum.m_paramsA.td / 2) - settings.nCoefficients - 1;
  if (settings.nBasis <= limit)
    return FALSE;
  settings.nBasis = static_cast<int>(std::max<long long>(limit, INT_MIN));
  return TRUE;
}

BOOL PredictSpectrum(CSpectrum& spectrum, const CLinearPredictionSettings& settings, const char** message) {
  const int n = spectrum.m_paramsA.td / 2;
  const int basis = settings.nBasis;
  const int m = settings.nCoefficients;
  if (!spectrum.m_pData || n < 1) {
    SetMessage(message, kBadWindow);
    return FALSE;
  }

  // Where the run and the data lie once the spectrum has grown: points
  // before the start move the data up by as many points. The size also
  // covers the end of the run, so that no prediction lands past the buffer.
  const long long shift = settings.nFirst < 0 ? -static_cast<long long>(settings.nFirst) : 0;
  const long long first = settings.nFirst + shift;
  const long long last = settings.nLast + shift;
  const long long points = std::max<long long>(n + shift, last + 1);
  if (points > INT_MAX / 2 || last < -1) {
    SetMessage(message, kBadWindow);
    return FALSE;
  }
  const int direction = static_cast<long long>(m) + basis < first ? 1 : -1;
  if (!CLinearPrediction::IsValid(static_cast<int>(points), 1, basis, m, 1, static_cast<int>(first),
                                  static_cast<int>(last), direction)) {
    SetMessage(message, kBadWindow);
    return FALSE;
  }

  const std::size_t bytes = lp_workspace(basis, m, 1);
  char* work = bytes ? new (std::nothrow) char[bytes] : nullptr;
  if (!work) {
    SetMessage(message, kNoMemory);
    return FALSE;
  }
  if (points != n && !spectrum.ZeroFill(static_cast<int>(2 * points), message)) {
    delete[] work;
    return FALSE;
  }
  float* data = spectrum.m_pData;
  if (shift > 0) {
    std::memmove(data + 2 * shift, data, sizeof(float) * 2 * static_cast<std::size_t>(n));
    std::fill(data, data + 2 * shift, 0.0f);
  }

  CLinearPrediction lp;
  lp.Predict(data, static_cast<int>(points), 1, basis, m, 1, static_cast<int>(first), static_cast<int>(last), direction,
             work, bytes);
  delete[] work;

  const std::size_t floats = static_cast<std::size_t>(spectrum.m_paramsA.td);
  if (spectrum.m_pRawData)
    std::memcpy(spectrum.m_pRawData, data, sizeof(float) * floats);
  if (spectrum.m_pWeighted)
    std::memcpy(spectrum.m_pWeighted, data, sizeof(float) * floats);
  if (spectrum.m_pWindow)
    spectrum.m_pWindow->SetBuffers(spectrum.m_pRawData, spectrum.m_pWeighted);
  spectrum.m_bDataChanged = 1;
  return TRUE;
}
