// One 1D data set of the document: an FID or a spectrum held as interleaved
// complex floats (point k: real part at float index 2k, imaginary at 2k+1),
// with its acquisition parameters, its display geometry and the analysis
// objects attached to it. Indices called float indices count floats.
#pragma once

#include <cstddef>

#include "framework/base/Arrays.h"
#include "framework/base/Object.h"
#include "framework/base/WinTypes.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/ColourFont.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/model/ProcessingState.h"

class CIntegral;
class CMeasureJ;
class CPeakPicking;
class CTextLabel;
class CWindowFunction;

// Reverses the byte order of each of nCount 32-bit words in place.
void SwapBytes32(int* pWords, int nCount);

// The digital filter's group delay in points from the table of decimations
// and DSP firmware 10, 11, 12; 0 for a pair the table does not hold.
double GetFilterTableDelay(int nDecim, int nDspfvs);
// The group delay of a parameter block: the table's value, else its GRPDLY
// when that is less than its number of points; else 0.
double GetGroupDelayOf(const CSpectrumParams& params);

class CSpectrum : public CObject {
  DECLARE_SERIAL(CSpectrum)

 public:
  CSpectrum();
  explicit CSpectrum(const CSpectrumParams& params);
  // Create Expansion and the spectrum arithmetic: data, parameters and
  // display settings, moved by (100, -100); no analysis objects.
  CSpectrum(const CSpectrum& other);
  ~CSpectrum() override;

  // The document file stores spectra; the record itself writes nothing.
  void Serialize(CArchive& ar) override;

  // Buffers of the spectrum are arrays of floats from new[], released with
  // delete[]. This allocator zeroes them and answers null on failure.
  static float* AllocateFloats(int nFloats);
  // Lets tests fail allocations: the hook is asked before each one and a
  // false answer fails it. Returns the previous hook.
  typedef bool (*AllocationHook)(std::size_t nFloats);
  static AllocationHook SetAllocationHook(AllocationHook pfnHook);

  // --- Record and buffer operations ---
  int GetMaxIndex() const;  // float index of the largest real value (last of equals)
  int GetMinIndex() const;  // float index of the smallest real value (last of equals)
  RECT* GetBoundRect() { return &m_rectBound; }
  void Reverse();  // mirrors the order of the points
  // Re-sizes all three buffers to nNewTd floats (even, at least 2). When
  // memory runs out nothing changes, and the message for the user is
  // returned through ppszMessage or, without it, reported at once.
  BOOL ZeroFill(int nNewTd, const char** ppszMessage = nullptr);
  int GetPowerOfTwoSize() const;   // largest power of two not above td; 0 below 2
  BOOL Rotate(int nPoints);        // circular left rotation by nPoints complex points
  double GetGroupDelay() const;  // of the current parameters, GetGroupDelayOf
  int PointToY(int nIndex) const;  // y pixel of the real value at a float index
  int ValueToY(float fValue) const;
  double YToValue(double y) const;
  double ConvertUnits(double dIndex, int nUnits) const;  // axis value of a float index
  // How long the acquisition lasted: the time axis over the acquired
  // floats only, which a zero fill does not lengthen.
  double GetAcquisitionTime() const;
  // Sets m_fMaxValue and m_nMaxIndex from the data and clears
  // m_bDataChanged: the display data are those of the data as they are.
  void FindMaximum() const;
  void Normalize();  // divides every float by the largest value
  // Every step that writes the data sets m_bDataChanged; the display data
  // are found again here when it is set, so the views, the lens, the tools,
  // the peak list and the integrals all scale to the data as they are now.
  void UpdateDisplayData() const {
    if (m_bDataChanged)
      FindMaximum();
  }
  float GetLargestValue() const {
    UpdateDisplayData();
    return m_fMaxValue;
  }
  // The state a forward Fourier transform leaves, for the transform itself
  // and for spectra read already transformed: frequency-domain data on a
  // ppm axis, the inverse transform offered next. The creation block records
  // how the data were made (quadrature, complex mode, conjugation) so that
  // the inverse undoes it; the current block holds complex points with no
  // filter delay left, conjugated next unless the import type is Bruker
  // XWIN-NMR.
  void SetFrequencyDomain(BOOL bQuadrature, BOOL bComplexMode, BYTE bConjugated, BOOL bBrukerImport);

  // --- Signal operations ---
  void SetPhase(float fPhase0, float fPhase1);
  void RotatePhase(float* pBuffer, float fPhase0, float fPhase1, int nStride, int nBlocks, int nPoints);
  BOOL PhaseCorrect(BOOL bAlsoImaginary);
  void RemoveDCOffset();
  void FillWithNoise(int nFirst, int nEnd);
  void ShiftPoints(const float* pSource, int nShift);
  void SynthesizeLines(const double* pFreq, const double* pIntensity, const double* pWidth, double dThreshold,
                       int nLines, int nFloats, double dLow, double dHigh);
  int FindBaselinePoints(const float* pSource, double* pSums, float* pWork, BYTE* pMarks, int nHalfWindow, BOOL bReuse,
                         int nValues, int nStride);
  // The rejection level that FindBaselinePoints keeps from call to call.
  static double GetBaselineLevel();
  static void ResetBaselineLevel();
  int GetQuietestBlock() const;
  void GetSignalToNoise(int nIndex, double& dSignalToNoise, double& dNoise) const;
  int GetPeakCount() const;
  double GetPeakPosition(int n) const;
  // Stores the region in the current record and appends the peaks found
  // between the float indices nStart and nEnd whose magnitude reaches
  // |dThreshold|. Without a current record nothing is searched.
  void PickPeaks(int nStart, int nEnd, double dThreshold);

  // --- Fields ---
  RECT m_rectBound;       // area the view invalidates for this spectrum
  CObArray m_arrObjects;  // owned objects (the simulation's spin systems)
  void* m_pReserved;
  float* m_pData;             // td floats: the data as they are now
  float* m_pRawData;          // td floats: the data as loaded; window-function input
  float* m_pWeighted;         // td floats: window-function output, phase backup
  CSpectrumParams m_paramsA;  // the parameters of the data as they are now
  CSpectrumParams m_paramsB;  // the parameters as created (acquired)
  float m_fIntensityStep;     // factor of one intensity step; enters the drawing scale
  float m_fVerticalScale;     // the largest value is drawn this x step pixels high
  RECT m_rectPlot;            // pixel band of the trace; its middle is the zero line
  COLORREF m_crTrace;
  int m_nFirst;  // first visible float index
  int m_nLast;   // last visible float index
  CAxisScale m_Scale;
  int m_nDisplayMode;             // 0 solid, 1 dotted, 2 circles, 3 crosses
  CPeakPicking* m_pCurrentPeaks;  // one of m_arrPeaks
  CObArray m_arrPeaks;            // CPeakPicking
  BYTE m_bShowPeaks;              // draw the peak labels
  CMeasureJ* m_pCurrentJ;         // one of m_arrCouplings
  CObArray m_arrCouplings;        // CMeasureJ
  CObArray m_arrIntegrals;        // CIntegral
  CIntegral* m_pSelectedIntegral;
  BYTE m_bVerticalIntegralLabels;
  int m_nIntegralDistance;  // pixels between the zero line and the values
  CObArray m_arrLabels;     // CTextLabel
  CTextLabel* m_pSelectedLabel;
  BYTE m_bGaussian;           // line shape of SynthesizeLines: 0 Lorentzian
  BYTE m_bSelectedPeakShown;  // the peak list's selection is marked
  BYTE m_bMeasuringJ;         // a coupling measurement is in progress
  BYTE m_bSelectedJShown;     // the coupling table's selection is marked
  CColourFont m_PeakFont;
  CProcessingState m_State;
  float* m_pAux;            // private buffer of the FID shift and the arithmetic
  mutable int m_nMaxIndex;  // float index found by FindMaximum
  BYTE m_bInterpolatePeaks;
  double m_dPrintScaleX;  // device factors while printing; 1.0 on screen
  double m_dPrintScaleY;
  double m_dIntegralNorm;  // divisor of integral values; 0 until the first is drawn
  int m_nIntegralsOnTop;
  int m_nShowIntegralValues;
  int m_nShowIntegralCurves;
  int m_nIntegralRectangle;
  int m_nIntegralScaleNum;  // -1 until the first integral is computed
  int m_nIntegralLineWidth;
  int m_nIntegralScaleDen;
  BYTE m_bDrawThreshold;       // integral thresholding: draw the level
  double m_dThresholdPercent;  // integral thresholding: level, 0..100
  int m_nThresholdExtra;       // integral thresholding: further value
  CColourFont m_IntegralFont;
  BYTE m_bTransformed;
  BYTE m_bPhaseDisplay;  // the phase dialog is open: draw the pivot
  BYTE m_bPhaseChanged;
  int m_nLineThickness;        // pen width of the trace
  CWindowFunction* m_pWindow;  // owned
  BYTE m_bWeighted;            // the data hold a weighted copy
  BYTE m_bShowScale;
  mutable float m_fMaxValue;  // magnitude of the largest real value: the drawing's scale
  int m_nRightPixel;
  int m_nLeftPixel;
  mutable BYTE m_bDataChanged;  // the display data must be found again
  int m_nPivot;                 // float index about which first-order phase turns
  double m_dPhase0;             // applied zero-order phase, radians
  double m_dPhase1;             // applied first-order phase, radians

 private:
  void InitDefaults();
  CSpectrum& operator=(const CSpectrum&) = delete;
};

// One layout in every translation unit, window code included: a member that
// only some files or builds see stops the build here.
static_assert(sizeof(CSpectrum) == (sizeof(void*) == 8 ? 1216 : 944), "CSpectrum layout");
