#include "onedim/document/DataBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

CDataBuffer::~CDataBuffer() {
  Empty();
}

void CDataBuffer::Empty() {
  delete[] m_pValues;
  m_pValues = nullptr;
  m_nCount = 0;
}

BOOL CDataBuffer::Copy(const float* pValues, int nCount) {
  Empty();
  if (nCount < 0 || (nCount > 0 && pValues == nullptr))
    return FALSE;
  // An empty range still leaves a (zero-length) buffer, so Paste is offered.
  float* pCopy = new (std::nothrow) float[(size_t)nCount + 1];
  if (pCopy == nullptr)
    return FALSE;
  if (nCount > 0)
    std::memcpy(pCopy, pValues, sizeof(float) * (size_t)nCount);
  m_pValues = pCopy;
  m_nCount = nCount;
  return TRUE;
}

BOOL CDataBuffer::Apply(float* pValues, int nCount, float fFactor, BOOL bAdd) const {
  if (pValues == nullptr || m_pValues == nullptr)
    return TRUE;
  int n = std::min(m_nCount, nCount);
  for (int i = 0; i < n; i++)
    pValues[i] = fFactor * m_pValues[i] + (bAdd ? pValues[i] : 0.0f);
  return TRUE;
}
