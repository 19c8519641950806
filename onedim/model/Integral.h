// An integral: a region of a spectrum whose real values are summed point by
// point, with the running sum as a curve and the sum as a value label. The
// spectrum owns its integrals; the document file stores their regions.
#pragma once

#include "framework/base/Object.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

class CIntegral : public CObject {
  DECLARE_SERIAL(CIntegral)

 public:
  CIntegral();
  // Both arrays are allocated for the region's points; when that fails they
  // stay empty (m_n 0) and the next computation tries again.
  CIntegral(CSpectrum* pSpectrum, int nStart, int nEnd, int nBase, COLORREF crColour);
  ~CIntegral() override;

  // The document file stores the integrals; the record itself is not
  // persisted.
  void Serialize(CArchive& ar) override;

  // With automatic correction, bias and slope from the means of the first
  // and the last five points of the region; then the baseline values.
  void FitBaseline();
  // Largest real value of the region (0 for an empty one).
  double MaxValue() const;
  // Sets the threshold level and returns the largest and smallest running
  // sums, always with the baseline values.
  void SumRange(double& dLargest, double& dSmallest);
  // The pixel x of a float index in the owner's visible range, with the
  // horizontal factor f and the offset of the page.
  int PointToX(double f, int nOffset, int nIndex) const;
  // Recomputes the sum, the curve and its box for the vertical factor fy
  // and the page offsets (both 0 on the screen) and returns the sum. A
  // region whose arrays cannot be had returns 0 with bAllocated FALSE.
  double ComputeCurve(double fx, double fy, int nOffsetX, int nOffsetY, BOOL& bAllocated);

  COLORREF m_crColour;        // curve and value
  COLORREF m_crDrawn;         // colour actually used for the value
  double m_dThreshold;        // threshold level, data units
  CSpectrum* m_pSpectrum;     // owner, not owned
  double m_dSlope;            // baseline change per complex point
  double m_dBias;             // baseline value at the region start
  BYTE m_bAutoCorrect;        // fit bias and slope at each computation
  BYTE m_bBaseline;           // a baseline enters the sum
  int m_nBase;                // y of the curve's base line, pixels
  double m_dValue;            // the last computed sum
  int m_nEnd;                 // float index, exclusive
  int m_nStart;               // float index of the first summed point
  RECT m_rectValue;           // the drawn value label
  RECT m_rectCurve;           // the drawn curve
  POINT* m_pCurve;            // m_n curve points, owned
  int m_bThresholding;        // only values above the level are summed
  double* m_pBaselineValues;  // m_n baseline values, owned
  int m_n;                    // size of both arrays

 private:
  void AllocateArrays();
};
