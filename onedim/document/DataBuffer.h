// The document's buffer behind Copy Data, Paste Data and Sum Data: a copy of
// some floats of a spectrum that can be written back, scaled, into any
// spectrum of the document.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CDataBuffer {
 public:
  CDataBuffer() = default;
  virtual ~CDataBuffer();

  // Replaces the contents with a copy of nCount values. On a failed
  // allocation (or a negative count) the buffer is left empty and the
  // answer is FALSE.
  BOOL Copy(const float* pValues, int nCount);

  // values[i] = factor x buffer[i] (+ the old values[i] when bAdd) for the
  // first min(count, nCount) values.
  BOOL Apply(float* pValues, int nCount, float fFactor, BOOL bAdd) const;

  BOOL HasData() const { return m_pValues != nullptr; }
  int GetCount() const { return m_nCount; }
  const float* GetData() const { return m_pValues; }
  void Empty();

 private:
  float* m_pValues = nullptr;  // owned, null when empty
  int m_nCount = 0;

  CDataBuffer(const CDataBuffer&) = delete;
  CDataBuffer& operator=(const CDataBuffer&) = delete;
};
