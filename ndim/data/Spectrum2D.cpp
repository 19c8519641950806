#include "ndim/data/Spectrum2D.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "ndim/data/IntegrationBlock.h"

namespace {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when
// c is 0 or the result does not fit, as the Win32 call does.
int MulDiv64(int a, int b, int c) {
  if (c == 0)
    return -1;
  long long num = static_cast<long long>(a) * b;
  long long den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const long long q = num >= 0 ? (num + den / 2) / den : (num - den / 2) / den;
  if (q > 2147483647LL || q < -2147483647LL)
    return -1;
  return static_cast<int>(q);
}

long long Product(const DimensionBlock* dims, int from, int to) {
  long long p = 1;
  for (int i = from; i <= to; ++i)
    p *= dims[i].m_nPoints;
  return p;
}

}  // namespace

CSpectrum2D::CSpectrum2D() {
  for (int i = 0; i < ContourColours; ++i) {
    m_positiveColours[i] = 0xFF0000;
    m_negativeColours[i] = 0x0000FF;
  }
  std::memset(m_appliedPhase, 0, sizeof(m_appliedPhase));
  std::memset(m_phasingOrder, 0, sizeof(m_phasingOrder));
  NdBuildTrigTable(m_trig);
  BuildDefaultPalette();
}

CSpectrum2D::~CSpectrum2D() {
  std::free(m_pData);
  std::free(m_pWeights);
  std::free(m_pProjectionF2);
  std::free(m_pProjectionF1);
  std::free(m_loadedF2.m_pData);
  std::free(m_loadedF1.m_pData);
  DeleteRegions();
}

// ---------------------------------------------------------------------------
// Dimension arithmetic

int CSpectrum2D::GetTotalPoints() const {
  if (m_nLastDim < 0)
    return 1;
  return static_cast<int>(Product(m_dims, 0, m_nLastDim < MaxDimensions ? m_nLastDim : MaxDimensions - 1));
}

int CSpectrum2D::GetCurrentCount() const {
  if (m_nCurrentDim < 0 || m_nCurrentDim >= MaxDimensions)
    return -1;
  return m_dims[m_nCurrentDim].m_nPoints;
}

int CSpectrum2D::GetInnerCountOf(int dim) const {
  if (dim < 1)
    return 1;
  if (dim > MaxDimensions)
    dim = MaxDimensions;
  return static_cast<int>(Product(m_dims, 0, dim - 1));
}

int CSpectrum2D::GetOuterCountOf(int dim) const {
  const int last = m_nLastDim < MaxDimensions ? m_nLastDim : MaxDimensions - 1;
  if (dim >= last)
    return 1;
  return static_cast<int>(Product(m_dims, dim < 0 ? 0 : dim + 1, last));
}

int CSpectrum2D::GetInnerCount() const {
  return GetInnerCountOf(m_nCurrentDim);
}
int CSpectrum2D::GetOuterCount() const {
  return GetOuterCountOf(m_nCurrentDim);
}

void CSpectrum2D::SetCurrentDimension(int n) {
  if (n != 0)
    m_nCurrentDim = n;
}

int CSpectrum2D::GetHorizontalCount() const {
  return m_nHorizontalDim < MaxDimensions ? m_dims[m_nHorizontalDim].m_nPoints : 1;
}

int CSpectrum2D::GetVerticalCount() const {
  return m_nVerticalDim < MaxDimensions ? m_dims[m_nVerticalDim].m_nPoints : 1;
}

bool CSpectrum2D::IsValidDimension(int dim) const {
  return dim >= 1 && dim <= m_nLastDim && m_nLastDim < MaxDimensions;
}

bool CSpectrum2D::SizeFits(long long points, int floatsPerPoint) {
  return points >= 1 && points <= kMaxDataBytes / (4LL * floatsPerPoint);
}

bool CSpectrum2D::AllocateData() {
  const long long total = GetTotalPoints();
  if (!SizeFits(total, FloatsPerPoint()))
    return false;
  void* p = std::calloc(static_cast<std::size_t>(total) * FloatsPerPoint(), sizeof(float));
  if (!p)
    return false;
  std::free(m_pData);
  m_pData = static_cast<float*>(p);
  return true;
}

// ---------------------------------------------------------------------------
// Real and complex forms

void CSpectrum2D::DropHypercomplexHalves() {
  if (m_dims[0].m_nPoints > 1) {
    // The dimensions whose pairs those halves held have no pairs left to swap.
    m_phasingOrder[1] = m_phasingOrder[2] = m_phasingOrder[3] = 0;
  }
  m_dims[0].m_nPoints = 1;
}

void CSpectrum2D::MakeReal() {
  if (m_bReal)
    return;
  m_bReal = 1;
  DropHypercomplexHalves();
  if (!m_pData)
    return;
  const int total = GetTotalPoints();
  for (int i = 0; i < total; ++i)
    m_pData[i] = m_pData[2 * static_cast<std::size_t>(i)];
  if (void* p = std::realloc(m_pData, static_cast<std::size_t>(total) * sizeof(float)))
    m_pData = static_cast<float*>(p);
}

// A complex set keeps its first hypercomplex half only, as a real one made
// complex has one.
bool CSpectrum2D::MakeComplex() {
  if (!m_bReal) {
    if (m_dims[0].m_nPoints > 1) {
      DropHypercomplexHalves();
      if (m_pData) {
        const std::size_t bytes = static_cast<std::size_t>(GetTotalPoints()) * 2 * sizeof(float);
        if (void* p = std::realloc(m_pData, bytes))
          m_pData = static_cast<float*>(p);
      }
    }
    return true;
  }
  if (m_pData) {
    const long long total = GetTotalPoints();
    if (!SizeFits(total, 2))
      return false;
    void* p = std::realloc(m_pData, static_cast<std::size_t>(total) * 2 * sizeof(float));
    if (!p)
      return false;
    m_pData = static_cast<float*>(p);
    for (long long i = total - 1; i >= 0; --i) {
      m_pData[2 * i] = m_pData[i];
      m_pData[2 * i + 1] = 0.0f;
    }
  }
  DropHypercomplexHalves();
  m_bReal = 0;
  return true;
}

void CSpectrum2D::ToPolar() {
  if (m_bReal || !m_pData)
    return;
  const std::size_t n = static_cast<std::size_t>(GetTotalPoints()) * 2;
  for (std::size_t i = 0; i < n; i += 2) {
    const double x = m_pData[i], y = m_pData[i + 1];
    m_pData[i] = static_cast<float>(std::sqrt(x * x + y * y));
    m_pData[i + 1] = static_cast<float>(std::atan2(y, x));
  }
}

void CSpectrum2D::FromPolar() {
  if (m_bReal || !m_pData)
    return;
  const std::size_t n = static_cast<std::size_t>(GetTotalPoints()) * 2;
  for (std::size_t i = 0; i < n; i += 2) {
    const double r = m_pData[i], a = m_pData[i + 1];
    m_pData[i] = static_cast<float>(r * std::cos(a));
    m_pData[i + 1] = static_cast<float>(r * std::sin(a));
  }
}

void CSpectrum2D::Conjugate() {
  if (m_bReal || !m_pData)
    return;
  const std::size_t n = static_cast<std::size_t>(GetTotalPoints()) * 2;
  for (std::size_t i = 1; i < n; i += 2)
    m_pData[i] = -m_pData[i];
}

// ---------------------------------------------------------------------------
// Resizing along the current dimension

bool CSpectrum2D::ZeroFill(int n) {
  const int dim = m_nCurrentDim;
  if (!IsValidDimension(dim) || !m_pData || n < 1)
    return false;
  const int count = m_dims[dim].m_nPoints;
  if (n == count)
    return true;
  const int inner = GetInnerCountOf(dim);
  const int outer = GetOuterCountOf(dim);
  const int u = FloatsPerPoint();
  const long long newTotal = static_cast<long long>(inner) * n * outer;
  if (!SizeFits(newTotal, u))
    return false;

  // A run is one inner block: outer points times the count.
  const std::size_t oldRun = static_cast<std::size_t>(outer) * count * u;
  const std::size_t newRun = static_cast<std::size_t>(outer) * n * u;
  const std::size_t newBytes = static_cast<std::size_t>(newTotal) * u * sizeof(float);
  if (n > count) {
    void* p = std::realloc(m_pData, newBytes);
    if (!p)
      return false;
    m_pData = static_cast<float*>(p);
    for (int b = inner - 1; b >= 0; --b) {
      float* dst = m_pData + b * newRun;
      std::memmove(dst, m_pData + b * oldRun, oldRun * sizeof(float));
      std::memset(dst + oldRun, 0, (newRun - oldRun) * sizeof(float));
    }
  } else {
    for (int b = 0; b < inner; ++b)
      std::memmove(m_pData + b * newRun, m_pData + b * oldRun, newRun * sizeof(float));
    if (void* p = std::realloc(m_pData, newBytes))
      m_pData = static_cast<float*>(p);
  }
  m_dims[dim].m_nPoints = n;
  ResetZoom();
  return true;
}

void CSpectrum2D::ResetZoom() {
  m_zoom.SetRect(0, 0, GetHorizontalCount(), GetVerticalCount());
}

void CSpectrum2D::QuadratureSplit(bool keep) {
  const int dim = m_nCurrentDim;
  if (m_bReal || !m_pData || !IsValidDimension(dim) || m_dims[dim].m_nPoints < 2)
    return;
  if (m_dims[dim].m_nPoints % 2 && !ZeroFill(m_dims[dim].m_nPoints - 1))
    return;

  const int count = m_dims[dim].m_nPoints;
  const std::size_t row = 2 * static_cast<std::size_t>(GetOuterCountOf(dim));  // floats
  const std::size_t rows = static_cast<std::size_t>(GetInnerCountOf(dim)) * count;
  const std::size_t half = rows / 2;

  // Row 2j becomes (re 2j, re 2j+1), row 2j+1 (im 2j, im 2j+1).
  for (std::size_t j = 0; j < half; ++j) {
    float* even = m_pData + 2 * j * row;
    float* odd = even + row;
    for (std::size_t i = 0; i < row; i += 2) {
      const float t = even[i + 1];
      even[i + 1] = odd[i];
      odd[i] = t;
    }
  }
  float* copy = nullptr;
  if (keep) {
    copy = static_cast<float*>(std::malloc(half * row * sizeof(float)));
    if (copy) {
      for (std::size_t j = 0; j < half; ++j)
        std::memcpy(copy + j * row, m_pData + (2 * j + 1) * row, row * sizeof(float));
    }
  }
  for (std::size_t j = 1; j < half; ++j)
    std::memmove(m_pData + j * row, m_pData + 2 * j * row, row * sizeof(float));
  if (copy) {
    std::memcpy(m_pData + half * row, copy, half * row * sizeof(float));
    std::free(copy);
    m_dims[0].m_nPoints *= 2;
    m_phasingOrder[3] = m_phasingOrder[2];
    m_phasingOrder[2] = m_phasingOrder[1];
    m_phasingOrder[1] = m_phasingOrder[0];
    m_phasingOrder[0] = 0;
  }
  m_dims[dim].m_nPoints = count / 2;
  const std::size_t bytes = static_cast<std::size_t>(GetTotalPoints()) * 2 * sizeof(float);
  if (void* p = std::realloc(m_pData, bytes))
    m_pData = static_cast<float*>(p);
}

void CSpectrum2D::SwapQuadrature(int dim, int total) {
  if (m_bReal || !m_pData)
    return;
  int i = 3;
  while (i >= 0 && m_phasingOrder[i] != dim)
    --i;
  if (i <= 0)
    return;
  m_phasingOrder[i] = m_phasingOrder[0];
  m_phasingOrder[0] = static_cast<BYTE>(dim);
  long long m = 1;
  for (int j = 3; j > i; --j)
    if (m_phasingOrder[j])
      m *= 2;
  // Never beyond the buffer, whatever total the caller passes.
  const long long points = total < GetTotalPoints() ? total : GetTotalPoints();
  const long long h = points / (2 * m);
  for (long long b = 0; b < m; ++b) {
    float* first = m_pData + 2 * (b * 2 * h);
    float* second = first + 2 * h;
    for (long long k = 0; k < h; ++k) {
      const float t = first[2 * k + 1];
      first[2 * k + 1] = second[2 * k];
      second[2 * k] = t;
    }
  }
}

// ---------------------------------------------------------------------------
// The weight vector

bool CSpectrum2D::MakeWeights(bool alternate, int divisor) {
  if (!IsValidDimension(m_nCurrentDim) || divisor <= 0)
    return false;
  const int n = GetCurrentCount();
  if (n < 1)
    return false;
  FreeWeights();
  m_pWeights = static_cast<float*>(std::malloc(static_cast<std::size_t>(n) * sizeof(float)));
  if (!m_pWeights)
    return false;
  m_nWeightDim = m_nCurrentDim;
  m_nWeightCount = n;
  const float x = static_cast<float>(1.0 / divisor);
  for (int k = 0; k < n; ++k)
    m_pWeights[k] = (alternate && (k & 1)) ? -x : x;
  return true;
}

bool CSpectrum2D::HasWeights() const {
  return m_pWeights && m_nWeightDim == m_nCurrentDim && IsValidDimension(m_nCurrentDim) &&
         m_nWeightCount == GetCurrentCount();
}

void CSpectrum2D::FreeWeights() {
  std::free(m_pWeights);
  m_pWeights = nullptr;
  m_nWeightDim = m_nWeightCount = 0;
}

void CSpectrum2D::ApplyWeights() {
  if (HasWeights() && m_pData) {
    const int n = m_nWeightCount;
    const int inner = GetInnerCount();
    const std::size_t run = static_cast<std::size_t>(GetOuterCount()) * FloatsPerPoint();
    float* p = m_pData;
    for (int b = 0; b < inner; ++b) {
      for (int k = 0; k < n; ++k) {
        const float w = m_pWeights[k];
        for (std::size_t i = 0; i < run; ++i)
          p[i] *= w;
        p += run;
      }
    }
  }
  FreeWeights();
}

// ---------------------------------------------------------------------------
// Square sets

void CSpectrum2D::TransposeOrSymmetrize(bool transpose) {
  MakeReal();
  if (!m_pData || m_nLastDim < 1 || m_nLastDim >= MaxDimensions)
    return;
  const int n = m_dims[m_nLastDim].m_nPoints;
  if (n != m_dims[m_nLastDim - 1].m_nPoints)
    return;
  float* a = m_pData;
  const std::size_t sn = static_cast<std::size_t>(n);
  for (std::size_t i = 0; i < sn; ++i) {
    for (std::size_t j = i + 1; j < sn; ++j) {
      float& x = a[i * sn + j];
      float& y = a[j * sn + i];
      if (transpose) {
        const float t = x;
        x = y;
        y = t;
      } else {
        const float v = std::fabs(x) <= std::fabs(y) ? x : y;
        x = y = v;
      }
    }
  }
}

void CSpectrum2D::SymmetrizeAverage() {
  MakeReal();
  if (!m_pData || m_nLastDim < 1 || m_nLastDim >= MaxDimensions)
    return;
  const int n = m_dims[m_nLastDim].m_nPoints;
  if (n != m_dims[m_nLastDim - 1].m_nPoints)
    return;
  const std::size_t sn = static_cast<std::size_t>(n);
  for (std::size_t i = 0; i < sn; ++i) {
    for (std::size_t j = i + 1; j < sn; ++j) {
      const float v = (m_pData[i * sn + j] + m_pData[j * sn + i]) / 2;
      m_pData[i * sn + j] = m_pData[j * sn + i] = v;
    }
  }
}

void CSpectrum2D::GetMinMax(float& minValue, float& maxValue) const {
  minValue = 1e12f;
  maxValue = -1e12f;
  if (!m_pData)
    return;
  const int hyper = m_dims[0].m_nPoints > 0 ? m_dims[0].m_nPoints : 1;
  // Every point of the first hypercomplex half (one value per point).
  const long long p = GetTotalPoints() / hyper;
  const int b = FloatsPerPoint();
  for (long long i = 0, c = 0; c < p; i += b, ++c) {
    const float v = m_pData[i];
    if (v < minValue)
      minValue = v;
    if (v > maxValue)
      maxValue = v;
  }
}

// ---------------------------------------------------------------------------
// Projections

void CSpectrum2D::ProjectOntoF2(const float* buffer, float* result, int f2Count, int f1Count, bool complex) {
  if (!buffer || !result)
    return;
  const std::size_t step = complex ? 2 : 1;
  const std::size_t stride = step * static_cast<std::size_t>(f2Count);
  for (int i = 0; i < f2Count; ++i) {
    long double sum = 0;
    const float* p = buffer + step * i;
    for (int r = 0; r < f1Count; ++r, p += stride)
      sum += *p;
    result[i] = static_cast<float>(sum);
  }
}

void CSpectrum2D::ProjectOntoF1(const float* buffer, float* result, int f2Count, int f1Count, bool complex) {
  if (!buffer || !result)
    return;
  const std::size_t step = complex ? 2 : 1;
  for (int r = 0; r < f1Count; ++r) {
    long double sum = 0;
    const float* p = buffer + step * static_cast<std::size_t>(f2Count) * r;
    for (int i = 0; i < f2Count; ++i, p += step)
      sum += *p;
    result[r] = static_cast<float>(sum);
  }
}

// ---------------------------------------------------------------------------
// Plot geometry

CPoint CSpectrum2D::PixelToPoint(int x, int y) const {
  const int w = m_plotRect.right - m_plotRect.left;
  const int h = m_plotRect.bottom - m_plotRect.top;
  if (w == 0 || h == 0)
    return CPoint(0, 0);
  int px = m_zoom.left + MulDiv64(x - m_plotRect.left, m_zoom.right - m_zoom.left, w);
  int py = m_zoom.bottom - 1 + MulDiv64(y - m_plotRect.top, m_zoom.top - m_zoom.bottom, h);
  return CPoint(px < 0 ? 0 : px, py < 0 ? 0 : py);
}

void CSpectrum2D::SetPlotRect(const RECT& rect) {
  const int depth = m_traceF2.m_nDepth;
  m_traceF2.m_rect.SetRect(rect.left, rect.top - depth, rect.right, rect.top);
  m_traceF1.m_rect.SetRect(rect.left - depth, rect.top, rect.left, rect.bottom);
  const CRect old = m_plotRect;
  const int ow = old.Width(), oh = old.Height();
  const int nw = rect.right - rect.left, nh = rect.bottom - rect.top;
  if (ow != 0 && oh != 0) {
    for (POSITION pos = m_regions.GetHeadPosition(); pos;) {
      CIntegrationBlock* region = static_cast<CIntegrationBlock*>(m_regions.GetNext(pos));
      RECT& r = region->m_rect;
      r.left = rect.left + MulDiv64(r.left - old.left, nw, ow);
      r.right = rect.left + MulDiv64(r.right - old.left, nw, ow);
      r.top = rect.top + MulDiv64(r.top - old.top, nh, oh);
      r.bottom = rect.top + MulDiv64(r.bottom - old.top, nh, oh);
    }
  }
  m_plotRect = rect;
}

void CSpectrum2D::ScaleRect(RECT& rect) const {
  rect.left = static_cast<LONG>(rect.left * m_dPrintFactorX);
  rect.right = static_cast<LONG>(rect.right * m_dPrintFactorX);
  rect.top = static_cast<LONG>(rect.top * m_dPrintFactorY);
  rect.bottom = static_cast<LONG>(rect.bottom * m_dPrintFactorY);
}

// ---------------------------------------------------------------------------
// Palette

void CSpectrum2D::BuildDefaultPalette() {
  std::memset(m_red, 0, sizeof(m_red));
  std::memset(m_green, 0, sizeof(m_green));
  std::memset(m_blue, 0, sizeof(m_blue));
  std::memset(m_controlFlags, 0, sizeof(m_controlFlags));
  m_controlFlags[0] = m_controlFlags[PaletteSize - 1] = 1;
  m_controlPoints.assign({0, PaletteSize - 1});
  m_red[0] = 255;
  m_blue[PaletteSize - 1] = 255;
  InterpolatePalette();
}

void CSpectrum2D::InterpolatePalette() {
  InterpolateRamp(m_red, m_green, m_blue, m_controlFlags);
  PaletteChanged();
}

void CSpectrum2D::SetPaletteColours(const BYTE* red, const BYTE* green, const BYTE* blue) {
  std::memcpy(m_red, red, sizeof m_red);
  std::memcpy(m_green, green, sizeof m_green);
  std::memcpy(m_blue, blue, sizeof m_blue);
  PaletteChanged();
}

void CSpectrum2D::PaletteChanged() {
  if (m_pGdiPalette)
    m_pGdiPalette->Rebuild(*this);
}

void CSpectrum2D::SetGdiPalette(std::unique_ptr<CSpectrumGdiPalette> pPalette) {
  m_pGdiPalette = std::move(pPalette);
  PaletteChanged();
}

void InterpolateRamp(BYTE* red, BYTE* green, BYTE* blue, const int* nodes) {
  BYTE* channels[3] = {red, green, blue};
  int p = -1;
  for (int q = 0; q < CSpectrum2D::PaletteSize; ++q) {
    if (!nodes[q])
      continue;
    if (p >= 0) {
      for (BYTE* v : channels) {
        const float a = static_cast<float>(v[q] - v[p]) / static_cast<float>(q - p);
        const float base = static_cast<float>(v[p]) - std::trunc(p * a);
        // From p + 1: the truncations of the line would otherwise move a
        // node's own colour a step each time the ramps are computed.
        for (int j = p + 1; j < q; ++j) {
          int value = static_cast<int>(base + a * j);
          v[j] = static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
        }
      }
    }
    p = q;
  }
}

void CSpectrum2D::DeleteRegions() {
  while (!m_regions.IsEmpty())
    delete m_regions.RemoveHead();
  m_pReferenceRegion = nullptr;
}
