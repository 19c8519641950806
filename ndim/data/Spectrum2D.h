// One multi-dimensional data set of the nD program: a single buffer of
// complex points (or real values), the table of its dimensions and the
// display state the views draw from. All processing works in place on the
// buffer, through the operations here and the kernels beside this file.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/base/Lists.h"
#include "framework/base/Point.h"
#include "framework/base/Rect.h"
#include "framework/base/WinTypes.h"
#include "ndim/data/DimensionBlock.h"
#include "ndim/data/NdAxisScale.h"
#include "ndim/processing/NdFourier.h"

class CDC;
class CIntegrationBlock;
class CSpectrum2D;

// A projection strip beside the plot.
struct ProjectionTrace {
  COLORREF m_colour = 0xFF0000;
  double m_dScale = 20.0;
  CRect m_rect;
  int m_nOffset = 0;  // pixels
  int m_nDepth = 75;  // pixels
};

// A 1D trace loaded from the 1D program into a strip.
struct LoadedTrace {
  float* m_pData = nullptr;  // malloc'd; freed with the set
  float m_fSpectralWidth = 0.0f;
  float m_fSpectrometerFreq = 0.0f;
  float m_fLastFrequency = 0.0f;  // Hz at the last point, as the 1D program has it
  int m_nFloats = 0;
  // The referencing wizard's picks: the trace's point (row trace only) and
  // the 2D column or row; the wizard sets both to -1 as it begins.
  int m_nWizardFirst = 0;
  int m_nWizardSecond = 0;
};

// The Apodize dialog's switches and parameters, kept with the set.
struct ApodizationSettings {
  enum { Exponential, SineBell, SquaredSineBell, Gaussian, FirstPoint, Count };
  BOOL m_bOn[Count] = {FALSE, FALSE, FALSE, FALSE, FALSE};
  double m_dValue[Count] = {0.0, 0.0, 0.0, 0.0, 0.5};  // the first point halved
};

// The entries between consecutive nodes (flag set) of a 256-entry colour
// table interpolated linearly, each channel on its own; a node keeps its
// colour.
void InterpolateRamp(BYTE* red, BYTE* green, BYTE* blue, const int* nodes);

// The GDI palette a set keeps of its colour tables. Only window code can
// make one: the document gives one to each set it holds, and the set has
// it rebuilt whenever its colours change.
class CSpectrumGdiPalette {
 public:
  virtual ~CSpectrumGdiPalette() = default;
  virtual void Rebuild(const CSpectrum2D& set) = 0;
};

class CSpectrum2D {
 public:
  enum { MaxDimensions = 7, ContourColours = 12, PaletteSize = 256 };
  // Largest buffer a set may hold; every size change is checked against it,
  // so products of counts always fit an int.
  static const long long kMaxDataBytes = 0x7FFFFFFFLL;

  CSpectrum2D();
  virtual ~CSpectrum2D();

  // Dimension arithmetic (products of block counts; 1 for an empty product).
  int GetTotalPoints() const;
  int GetCurrentCount() const;
  int GetInnerCount() const;
  int GetOuterCount() const;
  int GetInnerCountOf(int dim) const;
  int GetOuterCountOf(int dim) const;
  void SetCurrentDimension(int n);
  int GetHorizontalCount() const;
  int GetVerticalCount() const;
  // A dimension processing can act along: 1 .. last.
  bool IsValidDimension(int dim) const;
  int FloatsPerPoint() const { return m_bReal ? 1 : 2; }
  // Whether a set of that many points fits the buffer limit.
  static bool SizeFits(long long points, int floatsPerPoint);

  // A zeroed buffer for the current counts and real flag; false (and no
  // change) when it does not fit or memory runs out.
  bool AllocateData();

  // Operations on the whole buffer. Both forms keep one hypercomplex half,
  // the first.
  void MakeReal();
  bool MakeComplex();
  void ToPolar();
  void FromPolar();
  void Conjugate();
  bool ZeroFill(int n);
  void QuadratureSplit(bool keep);
  void SwapQuadrature(int dim, int total);
  bool MakeWeights(bool alternate, int divisor);
  // The weight vector exists and still belongs to the current dimension and count.
  bool HasWeights() const;
  void ApplyWeights();
  void FreeWeights();
  void TransposeOrSymmetrize(bool transpose);
  void SymmetrizeAverage();
  void GetMinMax(float& minValue, float& maxValue) const;
  void ResetZoom();

  static void ProjectOntoF2(const float* buffer, float* result, int f2Count, int f1Count, bool complex);
  static void ProjectOntoF1(const float* buffer, float* result, int f2Count, int f1Count, bool complex);

  // Plot geometry (pixels).
  CPoint PixelToPoint(int x, int y) const;
  void SetPlotRect(const RECT& rect);
  void ScaleRect(RECT& rect) const;

  // Palette tables: the channels between consecutive control points are
  // interpolated linearly. Every change of the tables rebuilds the GDI
  // palette.
  void BuildDefaultPalette();
  void InterpolatePalette();
  void SetPaletteColours(const BYTE* red, const BYTE* green, const BYTE* blue);
  void PaletteChanged();
  // Takes the GDI palette and builds it from the tables at once.
  void SetGdiPalette(std::unique_ptr<CSpectrumGdiPalette> pPalette);
  const CSpectrumGdiPalette* GetGdiPalette() const { return m_pGdiPalette.get(); }

  // Integration regions (owned).
  void DeleteRegions();

  // Drawing, in the Windows builds (ndim/view/Spectrum2DDraw.cpp).
  // The plot (only while the plot-dirty flag is set), the trace strips, the
  // frame and the axes, on screen, a printer or a metafile alike; returns
  // with the pen the DC had before.
  void Draw(CDC* pDC);
  // The plot in the display mode over the zoom window.
  void DrawPlot(CDC* pDC);
  // A trace in its strip in a one-pixel pen of the trace's colour, along
  // the strip (horizontal) or up it: n values, every stride floats.
  static void DrawTrace(CDC* pDC, const float* values, int n, int stride, const ProjectionTrace& trace,
                        const RECT& strip, bool horizontal, double zoom);

  float* m_pData = nullptr;
  DimensionBlock m_dims[MaxDimensions];
  BYTE m_bAcquired = 0;
  BYTE m_bReal = 0;
  int m_nLastDim = 2;
  int m_nCurrentDim = 0;
  float* m_pWeights = nullptr;
  int m_nWeightDim = 0;  // dimension and count the weights were made for
  int m_nWeightCount = 0;
  ApodizationSettings m_apodization;
  BYTE m_bApodize = 0;

  // CIntegrationBlock objects. The view's region tracker sits on the head
  // region while there is one.
  CObList m_regions;
  CIntegrationBlock* m_pReferenceRegion = nullptr;
  double m_dReferenceIntegral = 1.0;
  int m_nIntegrationShape = 0;  // 0 rectangle, 1 ellipse

  CRect m_zoom;             // data points: left, top = first f2 and f1 point
  UINT m_nDisplayMode = 0;  // 0 raster, 1 contour, 2 stacked, 3 whitewash, 4 coloured contour
  BYTE m_bPlotDirty = 1;
  BYTE m_bMagnitude = 0;

  BYTE m_red[PaletteSize];
  BYTE m_green[PaletteSize];
  BYTE m_blue[PaletteSize];
  int m_controlFlags[PaletteSize];
  std::vector<int> m_controlPoints;

  UINT m_nHorizontalDim = 2;
  UINT m_nVerticalDim = 1;
  ProjectionTrace m_traceF2;
  ProjectionTrace m_traceF1;
  float* m_pProjectionF2 = nullptr;  // malloc'd, like every buffer of the set
  float* m_pProjectionF1 = nullptr;
  LoadedTrace m_loadedF2;
  LoadedTrace m_loadedF1;
  // The referencing wizard's 1D pick was on the trace above the plot (1)
  // or on the one beside it (0).
  BYTE m_bWhichTrace = 0;

  BYTE m_bSliceDisplay = 0;
  BYTE m_bShowProjectionF2 = 0;
  BYTE m_bShowProjectionF1 = 0;
  BYTE m_bShowLoadedF2 = 0;
  BYTE m_bShowLoadedF1 = 0;
  int m_nSelectedRow = 0;
  int m_nSelectedColumn = 0;
  std::vector<int> m_rowList;
  std::vector<int> m_columnList;

  COLORREF m_positiveColours[ContourColours];
  COLORREF m_negativeColours[ContourColours];
  int m_nNegativeLevels = 3;
  int m_nPositiveLevels = 3;
  float m_fLowestLevel = 500.0f;
  float m_fLevelRatio = 2.0f;
  float m_fStackScale = 50.0f;

  float m_appliedPhase[MaxDimensions][2];  // degrees: zero and first order
  // Byte 0: the dimension whose quadrature pair is each point's (re, im);
  // bytes 1 to 3: those whose pairs lie in the hypercomplex halves.
  BYTE m_phasingOrder[4];

  CRect m_plotRect;
  double m_dPrintFactorX = 1.0;
  double m_dPrintFactorY = 1.0;
  // The plot tracker (around the plot rectangle) is drawn while this is set.
  BYTE m_bShowTracker = 0;
  NdAxisScale m_axis;

  double m_trig[kNdTrigEntries];

 private:
  std::unique_ptr<CSpectrumGdiPalette> m_pGdiPalette;

  // The hypercomplex factor back to 1, and with the halves gone the
  // phasing order's bytes that named them.
  void DropHypercomplexHalves();

  CSpectrum2D(const CSpectrum2D&) = delete;
  CSpectrum2D& operator=(const CSpectrum2D&) = delete;
};
