// Volume integration regions of a 2D plot: a rectangle in view pixels that
// sums the data points under it. The data set owns a list of them; the view
// creates, moves and draws them.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CArchive;
class CSpectrum2D;

class CIntegrationBlock : public CObject {
  DECLARE_DYNAMIC(CIntegrationBlock)

 public:
  ~CIntegrationBlock() override {}
  void Serialize(CArchive& ar) override;
  // The region's volume; the region keeps its rectangle clipped to the plot.
  virtual double Integrate(CSpectrum2D& set) = 0;

  // The value label: this region's integral relative to the reference
  // region's, times the reference value ("%.2lf").
  CString GetLabelText(CSpectrum2D& set);

  int m_nPen = 0;
  RECT m_rect = {50, 50, 100, 100};

 protected:
  CIntegrationBlock() {}
  // Sum of the real values of the data points under the rectangle.
  double RectangleSum(CSpectrum2D& set);
};

class CRectBlock : public CIntegrationBlock {
  DECLARE_SERIAL(CRectBlock)

 public:
  CRectBlock() {}
  double Integrate(CSpectrum2D& set) override { return RectangleSum(set); }
};

// Integrates over its bounding rectangle.
class CElipBlock : public CIntegrationBlock {
  DECLARE_SERIAL(CElipBlock)

 public:
  CElipBlock() {}
  double Integrate(CSpectrum2D& set) override { return RectangleSum(set); }
};

// A marker shape only: it integrates to 0.
class CRoundBlock : public CIntegrationBlock {
  DECLARE_SERIAL(CRoundBlock)

 public:
  CRoundBlock() {}
  double Integrate(CSpectrum2D&) override { return 0.0; }
};
