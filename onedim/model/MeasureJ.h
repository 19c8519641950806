// One coupling-constant measurement: a reference line and the partner lines
// measured against it, each pair with its shown flag. The spectrum owns its
// measurements.
#pragma once

#include "framework/base/Arrays.h"
#include "framework/base/Object.h"

class CMeasureJ : public CObject {
  DECLARE_SERIAL(CMeasureJ)

 public:
  CMeasureJ();
  explicit CMeasureJ(int nReference);
  ~CMeasureJ() override;

  // Measurements are not persisted.
  void Serialize(CArchive& ar) override;

  int m_nReference;           // float index of the reference line
  CArray<int> m_arrPartners;  // float indices of the partner lines
  CByteArray m_arrShown;      // per partner: the pair's bracket is drawn
};
