#include "onedim/model/Integral.h"

#include <cstdlib>
#include <new>

#include "framework/base/Archive.h"

IMPLEMENT_SERIAL(CIntegral, CObject, 1)

CIntegral::CIntegral()
    : m_crColour(RGB(255, 0, 0)),
      m_crDrawn(RGB(255, 0, 0)),
      m_dThreshold(0.0),
      m_pSpectrum(nullptr),
      m_dSlope(0.0),
      m_dBias(0.0),
      m_bAutoCorrect(0),
      m_bBaseline(1),
      m_nBase(0),
      m_dValue(0.0),
      m_nEnd(0),
      m_nStart(0),
      m_rectValue(),
      m_rectCurve(),
      m_pCurve(nullptr),
      m_bThresholding(0),
      m_pBaselineValues(nullptr),
      m_n(0) {}

CIntegral::CIntegral(CSpectrum* pSpectrum, int nStart, int nEnd, int nBase, COLORREF crColour) : CIntegral() {
  m_pSpectrum = pSpectrum;
  m_nStart = nStart;
  m_nEnd = nEnd;
  m_nBase = nBase;
  m_crColour = crColour;
  m_crDrawn = crColour;
  AllocateArrays();
}

CIntegral::~CIntegral() {
  delete[] m_pCurve;
  delete[] m_pBaselineValues;
}

void CIntegral::AllocateArrays() {
  // The span is taken in 64 bits: a region read from a file may hold any two
  // integers.
  long long span = std::llabs((long long)m_nEnd - (long long)m_nStart) / 2;
  if (span <= 0 || span > 0x7FFFFFFF / (long long)sizeof(POINT))
    return;
  POINT* pCurve = new (std::nothrow) POINT[(size_t)span]();
  double* pValues = new (std::nothrow) double[(size_t)span]();
  if (pCurve == nullptr || pValues == nullptr) {
    delete[] pCurve;
    delete[] pValues;
    return;
  }
  m_pCurve = pCurve;
  m_pBaselineValues = pValues;
  m_n = (int)span;
}

void CIntegral::Serialize(CArchive&) {}
