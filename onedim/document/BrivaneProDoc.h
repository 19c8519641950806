// The 1D document: the ordered list of spectra with the current one, the
// mouse-tool mode of its views, display and layout settings and the state of
// the modeless tools. Importers add spectra to it, it reads and writes the
// native .bvx file, and it lays out what it holds after a load.
//
// This is the portable core. It asks its CDocumentHost for everything that
// lives in windows or in the application. In the program a framework
// document (an OLE server document) derives from it as well and passes
// itself, or an object of its own, as the host.
#pragma once

#include <vector>

#include "framework/base/Lists.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/plot/PlotMarker.h"
#include "onedim/document/BrivaneProDocTools.h"
#include "onedim/document/DataBuffer.h"
#include "onedim/model/ColourFont.h"

struct CFourierTransformOptions;
class CGraph;
class CMissingParametersPolicy;
class CIntegral;
class CPeakListDialog;
class CCouplingTableDialog;
class CSpectrum;
class CSpectrumParams;
class CSpinSystem;
struct CFidSignal;

// Who edits a spectrum's spin systems before they are calculated: the
// Simulation dialog in the program. The spectrum holds at least one system
// when it is asked; TRUE (OK) goes on to the calculation.
class CSimulationEditor {
 public:
  virtual ~CSimulationEditor();
  virtual BOOL EditSpinSystems(CSpectrum& spectrum) = 0;
};

// What the Integrals Options dialog shows and sets.
struct CIntegralOptions {
  int bShowCurves = 1;
  int bShowValues = 1;
  int bMoveTogether = 0;
  COLORREF crColour = 255;
  int bRectangle = 1;
  int nWidthIndex = 0;  // line width - 1
  int bRotate = 0;
  int bOnTop = 1;
  int nDistance = 20;  // -100..100
  CColourFont font;    // the integral-label font
};

// The new position of a scroll bar of the integral dialogs after a scroll
// code (SB_*), within -nHalfRange..nHalfRange.
int IntegralScrollPosition(int nCode, int nPos, int nTrack, int nHalfRange, int nLine, int nPage);
class CTextLabel;

// The spectra of a document in drawing and file order. The document deletes
// them; the list only forgets them.
class CSpectrumList : public CObList {
 public:
  CSpectrumList() : CObList(10) {}
  ~CSpectrumList() override { RemoveAll(); }

  CSpectrum* GetSpectrum(POSITION& rPos) const;
};

// What the import dispatcher did with a file. Both successes are non-zero.
enum ImportResult {
  importFailed = 0,
  importForeign = 1,  // a spectrometer file: the caller runs RefreshAfterAdd
  importNative = 2    // a .bvx document: the caller runs RefreshAfterLoad
};

// Mouse-tool modes of the views.
enum {
  MOUSE_NONE = 0,
  MOUSE_MOVE = 1,
  MOUSE_ZOOM = 2,
  MOUSE_PEAK_REGION = 4,
  MOUSE_PEAK_BY_PEAK = 5,
  MOUSE_BASELINE_POINTS = 6,
  MOUSE_COUPLING_REFERENCE = 7,
  MOUSE_COUPLING_PARTNERS = 8,
  MOUSE_REFERENCE = 9,
  MOUSE_INTEGRATE = 10,
  MOUSE_REMOVE_PEAKS = 11,
  MOUSE_MOVE_LABEL = 12,
  MOUSE_RELAXATION_PEAK = 13,
  MOUSE_RELAXATION_INTEGRAL = 14,
  MOUSE_PEAK_INFO = 15,
  MOUSE_MAGNIFIER = 16
};

class CBrivaneProDoc {
 public:
  explicit CBrivaneProDoc(CDocumentHost* pHost);
  virtual ~CBrivaneProDoc();

  CDocumentHost* GetHost() const { return m_pHost; }
  CBrivaneAppState& GetAppState() const { return m_pHost->GetAppState(); }
  CHistoryList& GetHistory() const { return m_pHost->GetAppState().m_History; }

  // --- Spectra ---
  // A new spectrum from the block, appended (prepended when bAtEnd is
  // FALSE); the document is marked modified. The caller makes it current
  // and fills its buffers.
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd = TRUE);
  // Takes the spectrum out of the list, forgets every pointer to it and
  // deletes it. The first spectrum becomes current when it was current.
  void RemoveSpectrum(CSpectrum* pSpectrum);
  // Deletes every spectrum (the document's contents).
  void RemoveAllSpectra();
  // Deletes integral nIndex of a spectrum and forgets it.
  void RemoveIntegral(CSpectrum* pSpectrum, int nIndex);
  int GetSpectrumCount() const { return m_Spectra.GetCount(); }
  CSpectrum* GetSpectrumAt(int nIndex) const;

  void SetCurrentSpectrum(CSpectrum* pSpectrum);
  CSpectrum* GetCurrentSpectrum() const { return m_pCurrent; }
  // The scale ruler shows where the spectrum's pixel extent lies in its
  // plot band, in percent; the whole ruler when the band has no width.
  void ShowScaleRuler(const CSpectrum& spectrum);
  // The mouse left a hover list: the marks that the peak list and the
  // coupling table put on the current spectrum go, and the views redraw.
  void ClearHoverMarks();

  // Float index under a view pixel of the current spectrum, and back.
  int PixelToPoint(int x) const;
  int PointToPixel(int nIndex) const;

  // The view's zoom: the range between two pixels of the current spectrum
  // becomes its visible range, or, with apply-zoom-to-all, every spectrum's
  // through Hz; the frame's scroll bar follows and the views update. FALSE,
  // and nothing changed, for a band of no width or under two points.
  BOOL ZoomToPixels(int xA, int xB);

  // What the mouse tools do once the view has turned the mouse into float
  // indices of the current spectrum. The tools' engines fill these in.
  // A region record over the range (threshold in data units) or a manual
  // record of one point, made current and appended to the current spectrum.
  virtual void PickPeaksInRange(int nFirst, int nLast, double dThreshold);
  virtual void PickPeakAt(int nIndex);
  virtual void ToggleBaselinePoint(POINT pt) {}
  // A coupling measurement with its reference line at the point, made the
  // spectrum's current one, and a partner line of the current measurement
  // (shown flag 0). Points outside the data are ignored, and so is a
  // partner while no measurement is in progress.
  virtual void StartCoupling(int nIndex);
  virtual void AddCouplingPartner(int nIndex);
  // The view's reference tool picked a point; the program asks for its
  // shift (the Reference dialog).
  virtual void ReferencePointAt(int nIndex) {}
  // A new integral over the range, clipped to the data; a range of no
  // width is refused.
  virtual void AddIntegralOver(int nFirst, int nLast);
  // Removes the picked peaks between the two float indices.
  virtual void RemovePeaksInRange(int nFirst, int nLast);
  virtual void ShowPeakInformation(int nIndex) {}
  // An integral the view's tracker moved or resized: its sum and curve are
  // due again. A right click on one asks for its reference value.
  virtual void IntegralChanged(CSpectrum* pSpectrum, CIntegral* pIntegral) {}
  virtual void ReferenceIntegral(CSpectrum* pSpectrum, CIntegral* pIntegral) {}
  // The relaxation picks end their tool (mode 0), choose between the peak
  // and the integral region, and show on the relaxation bar.
  void SetRelaxationPoint(int nIndex);
  void SetRelaxationRegion(int nFirst, int nLast);
  // The intensity of the relaxation pick in every spectrum, in document
  // order, as the Relaxation dialog lists it: the real value at the point,
  // or the region's sum relative to the first spectrum's. A spectrum the
  // point misses gives an empty text.
  std::vector<CString> GetRelaxationIntensities() const;

  // Referencing: the current spectrum's scale moves so that float index
  // nIndex lies at dShift ppm. FALSE, nothing changed, for a point outside
  // its data, a spectrum without spectral width or frequency, or a shift
  // that gives no scale.
  BOOL ReferencePoint(int nIndex, double dShift);

  // --- Tools commands ---
  // A tool command: its mode goes off when it is on, else it becomes the
  // mode. Reference, Integrate and Remove Peaks redraw when switched off.
  void ToggleMouseMode(int nMode);
  // Every integral of the current spectrum takes the selected one's base
  // line, or the highest (largest) one's when none is selected.
  void AlignIntegrals();
  void DeleteAllIntegrals();
  // The line fit of the current spectrum's picked peaks (FIT_LORENTZIAN or
  // FIT_GAUSSIAN): each line's frequency, area and width are shown, or
  // "Not converged". The spectrum is not changed.
  void FitPeaks(int nShape);
  // Integral Options: the current spectrum's display settings of its
  // integrals with the document's colour and move-together flag; applying
  // them also colours every integral of the spectrum and writes the
  // "Integration" section of the profile.
  void GetIntegralOptions(CIntegralOptions& options) const;
  void ApplyIntegralOptions(const CIntegralOptions& options);
  // Integral Correction: the bias (bSlope FALSE) or slope of the selected
  // integral, or of all with bAll, set by hand (automatic correction off).
  // Nothing without a target.
  void SetIntegralCorrection(BOOL bSlope, double dValue, BOOL bAll);
  // Apply (automatic correction on) and Cancel (bias and slope back to the
  // values given) of the correction, for the same targets; Cancel takes
  // them all when none is selected.
  void AutoCorrectIntegrals(BOOL bAll);
  void RestoreIntegralCorrection(double dBias, double dSlope, BOOL bAll);
  // Reference Integral: the integral stands for dValue, on its spectrum or,
  // with bAll, on every spectrum. A value of 0 (or not a number) would make
  // every other value meaningless and is refused: FALSE, nothing changed.
  BOOL SetReferenceIntegral(const CIntegral& integral, double dValue, BOOL bAll);
  // Marks the data window of one fitted peak on the view, between two
  // float indices; nothing by default.
  virtual void MarkFitWindow(int nFirst, int nLast) {}

  // --- Import ---
  // Reads one file: a .bvx whatever the type chosen, otherwise with the
  // importer of the application's import file type.
  // A file of our own sets the import type to the native one, keeping the
  // type before it.
  ImportResult ImportFile(LPCSTR pszPath);
  // After a file of our own: the import type the user had before it, so
  // that the next file of a selection and the next import use the type chosen.
  void RestoreImportType();
  // Each path through ImportFile in order, the import type given back
  // between them; the last file's result decides.
  // When it fails, the spectra read on the way are taken out again and the
  // document holds what it held before, as it was.
  ImportResult ImportFiles(const CStringList& paths);
  // TRUE to go on importing: nothing is missing, or the user set the values
  // (asked through the missing-parameters policy).
  BOOL CheckMissingParameters(CSpectrumParams& params);
  // Who answers the missing-parameter question; not owned, null goes on
  // with the values as read.
  void SetMissingParametersPolicy(CMissingParametersPolicy* pPolicy) { m_pMissingPolicy = pPolicy; }
  CMissingParametersPolicy* GetMissingParametersPolicy() const { return m_pMissingPolicy; }

  // The importers of the import file types: each adds at least one spectrum
  // and answers TRUE, or leaves the reason in the application's open-failure
  // text.
  BOOL ImportBruker(LPCSTR pszPath);   // type 0
  BOOL ImportAspect(LPCSTR pszPath);   // type 1
  BOOL ImportWinNmr(LPCSTR pszPath);   // type 2
  BOOL ImportVarian(LPCSTR pszPath);   // type 3
  BOOL ImportJeol(LPCSTR pszPath);     // type 4
  BOOL ImportNicolet(LPCSTR pszPath);  // type 5
  BOOL ImportVhelper(LPCSTR pszPath);  // type 6
  BOOL ImportNuts(LPCSTR pszPath);     // type 7
  BOOL ImportJcamp(LPCSTR pszPath);    // type 8
  BOOL ImportSwanMr(LPCSTR pszPath);   // type 10
  BOOL ImportTecmag(LPCSTR pszPath);   // type 11
  BOOL ImportSiemens(LPCSTR pszPath);  // type 12

  // --- The native file ---
  // Reads every spectrum of a .bvx file and appends them, the last one
  // current. On failure nothing is added and the reason is left in the
  // application's open-failure text. *pbOwnFile (when given) tells whether
  // the file begins as a .bvx does, read or not. A file of the older layout
  // sets the import file type to 0.
  BOOL ReadNativeFile(LPCSTR pszPath, BOOL* pbOwnFile = nullptr);
  // Writes the document to a .bvx file. The old file is replaced only after
  // the new one is complete; a failure is shown and answered FALSE.
  BOOL WriteNativeFile(LPCSTR pszPath);

  // The framework's open, save and close of the document.
  BOOL OpenNativeDocument(LPCSTR pszPath);
  BOOL SaveNativeDocument(LPCSTR pszPath);
  // Leaves the current phase and window function under the shared key.
  void WriteSharedValues();

  // --- Refreshes ---
  void RefreshAfterLoad();
  void RefreshAfterAdd();
  void ReadDisplaySettings();
  void FixColourConflicts(BOOL bShowMessage);

  // --- Data buffer (Copy Data, Paste Data, Sum Data) ---
  BOOL CopyData();
  BOOL PasteData();
  BOOL SumData(float fFactor);

  // --- Edit commands ---
  // Byte Swap: every float of the current data, as a 32-bit integer, with
  // its bytes reversed; mends integer data read in the wrong byte order.
  BOOL ByteSwapSpectrum();
  // Delete Spectrum: the current spectrum goes, the first of the list
  // becomes current. Refused (FALSE) while it is the only one.
  BOOL DeleteCurrentSpectrum();

  // --- View and Layout commands ---
  // Increase and Decrease Intensity: one intensity step on the current
  // spectrum's vertical scale, or on every spectrum's while the add/subtract
  // bar is up.
  void ChangeIntensity(BOOL bIncrease);
  // Full Spectrum: the whole data of the current spectrum, or of all with
  // apply-zoom-to-all, become visible; the scroll bar goes.
  void ShowFullSpectrum();
  // Whether Full Spectrum is checked: the current spectrum (with
  // apply-zoom-to-all, the last of the list) shows all its data.
  BOOL IsFullSpectrumShown() const;
  // Create Expansion: a copy of the current spectrum appended to the list,
  // to be zoomed on its own. FALSE, with nothing added, without memory.
  BOOL CreateExpansion();
  // The spectra laid out over the first view's client area, one zero line
  // above the other: across the whole width (Overlay), or shifted sideways
  // one after the other by the stacked-plot settings (Stacked Plot).
  void ArrangeOverlay();
  void ArrangeStacked();

  // --- Scale bar ---
  // The ruler's box: the current spectrum's trace between two percentages
  // of the view's width; with bAll every spectrum moves by as much as the
  // current one's ends did.
  void PlaceSpectrum(int nWidth, int nLeftPercent, int nRightPercent, BOOL bAll);
  // The current spectrum's trace, or every one's, across the view's width.
  void FitToWidth(int nWidth, BOOL bAll);
  // The axis units of an entry of the scale bar's list (0 seconds, 1 ppm,
  // 2 Hz, 3 points) for the current spectrum or all; FALSE for no entry.
  BOOL SetUnitsEntry(int nEntry, BOOL bAll);
  // The entry of that list that names the current spectrum's axis units;
  // -1 without a current spectrum.
  int GetUnitsEntry() const;

  // --- View commands ---
  // Set Limits: the current spectrum's visible range in its axis units.
  // FALSE without one.
  BOOL GetVisibleLimits(double& dFrom, double& dTo) const;
  // The range between two axis values, in either order, becomes the current
  // spectrum's visible range, clamped to the data; the scroll bar follows.
  // FALSE, and nothing changed, when the values give no range of the data.
  BOOL SetVisibleLimits(double dFrom, double dTo);
  // The Spectrum Properties sheet on the current spectrum, and the Add Text
  // dialog on a label or, for null, a new one; the program's document opens them.
  virtual void EditSpectrumProperties() {}
  virtual void EditTextLabel(CTextLabel* pLabel) {}

  // --- Process commands ---
  // The Fourier Transform dialog's values for the current spectrum, with
  // the document's and the program's choices.
  void InitFourierTransform(CFourierTransformOptions& options, BOOL& bApplyToAll, BOOL& bAutophase) const;
  // The transform as the dialog's OK runs it: rotation, resize and the
  // transform of the current spectrum or of all, the history, ppm on the
  // scale bar and, for a single spectrum after a forward transform, the
  // plot band over the bottom of the view. FALSE when nothing was
  // transformed (the reason has been shown).
  BOOL FourierTransform(const CFourierTransformOptions& options, BOOL bApplyToAll, BOOL bAutophase);
  // Phases the spectrum automatically about point 0; FALSE (nothing
  // changed) when there is no memory for the search's copy.
  BOOL AutoPhaseSpectrum(CSpectrum& spectrum);
  // Whether the spectrum can be phased, with a message when not: a
  // transformed spectrum read without its imaginary part cannot (turning
  // its phase would make one up and scale its lines).
  BOOL CheckPhaseable(const CSpectrum& spectrum);
  // The Autophase Correction command on the current spectrum.
  BOOL AutophaseCurrent();
  // Zero Filling to nPoints floats. A size below td or odd is refused with
  // a message, as is one there is no memory for; the spectrum stays as it
  // was.
  BOOL ZeroFilling(int nPoints);
  // Magnitude and Power: each turns the data into its form, or back.
  void ToggleMagnitude();
  void TogglePower();
  void SwapSpectrum();
  void InvertSpectrum();
  void TwoPointBaseline();
  // The ppm of the centre point, where the High Pass Filter dialog opens.
  double GetCentreShift() const;
  // The FID filter of the current spectrum: selectivity and null point in
  // Hz from the centre.
  BOOL FilterFid(int nSelectivity, double dOffsetHz, BOOL bHighPass = TRUE);
  // The run's window parameters into the current spectrum's window function
  // and the curve colour and width remembered on the first use (Apodize).
  void PrepareApodize();
  // After the Window Functions dialog's OK: the run keeps its parameters
  // and curve colour; history line.
  void FinishApodize(COLORREF crCurve);

  // --- Baseline correction ---
  // Multi-Point (kind 0) and Auto-Fit (kind 1): a new points graph holding
  // the two ends of the current spectrum's visible trace, mode 6, baseline
  // in progress. FALSE without a current spectrum.
  BOOL StartBaselinePoints(BYTE bFitKind);
  // A point at view x inside the current spectrum's pixel extent: on the
  // trace at the even point under x while fit onto trace is set, else at y.
  // The points stay sorted by x. FALSE, nothing added, outside the extent.
  BOOL AddBaselinePoint(int x, int y);
  // Removes every point whose rounded coordinates are those of pt.
  void RemoveBaselinePoints(PlotPoint pt);
  // Compute Function of the auto-fit: the polynomial of nCoefficients
  // through the points (pixels) as the computed graph, one point per column
  // of the view, and in data units per complex point in baseline. Fewer
  // points at distinct x than coefficients are refused with the message
  // "Not enough points defined to fit selected function\nMin. # Points=n";
  // a fit the least-squares routine refuses leaves nothing computed.
  BOOL ComputeBaseline(int nCoefficients, std::vector<float>& baseline);
  // The auto-fit's Subtract: the computed baseline, when there is one, off
  // the current spectrum; then the tool ends.
  void SubtractComputedBaseline(const std::vector<float>& baseline);
  // The multi-point Subtract: straight lines through the points off the
  // current spectrum; then the tool ends.
  BOOL SubtractMultiPointBaseline();
  // Every way out of the tool: mode 0, flags cleared, both graphs deleted.
  void EndBaselinePoints();
  // The Manual Polynomial's OK: the five coefficients, set in pixels
  // (positive below the zero line) as the preview drew them, in data units
  // off the current spectrum. FALSE when the spectrum is drawn flat.
  BOOL SubtractPolynomialBaseline(const double adPixels[5]);

  // --- Add/Subtract Spectra ---
  // Showing the add/subtract bar: every spectrum normalised and its data
  // kept, one common largest value and the largest vertical scale
  // (fBaseScale) given to all, A the current spectrum and B the next, a
  // zeroed copy of A appended as the result, every axis floating 10 pixels
  // lower. With fewer than two spectra: "You need at least two spectra\nOpen
  // an additional spectrum", FALSE.
  BOOL PrepareArithmetic(float& fBaseScale);
  // The current spectrum, when it is A or B: its kept data shifted left by
  // nShift points, or drawn at fFactor times fBaseScale with fFactor as its
  // operand's factor. FALSE for any other spectrum, and for a scale that
  // is no finite float. The shifted operand, and the result of the two
  // below, stay drawn on the scale common to all the spectra.
  BOOL ShiftOperand(int nShift);
  BOOL ScaleOperand(float fFactor, float fBaseScale);
  // Add (0) or Subtract (1) into the result; "Different number of points"
  // refuses operands of different sizes.
  BOOL CombineOperands(int nMode);
  // Select A (bB FALSE) or B: the operand moves to the next spectrum.
  void SelectOperand(BOOL bB);

  // --- Iterated Soft Thresholding ---
  // Go: the current spectrum's FID extended with nIterations passes after
  // zero filling to nZeroFill floats, at the threshold the view's y pixel
  // stands for. A refusal is shown and changes nothing.
  BOOL SoftThresholding(int nIterations, int nZeroFill, int nThresholdY);

  // --- Simulation ---
  // Simulation New (bNew) and Edit Simulation: New adds an empty spectrum
  // "Spin Simulation" and makes it current, Edit takes the current one. The
  // spectrum's systems go to the editor and, when it answers OK, are
  // calculated into its data. A new spectrum is laid out like an added one;
  // it is taken out again when the editor is cancelled or nothing could be
  // calculated, so no empty spectrum stays behind. FALSE when nothing was
  // simulated.
  BOOL Simulate(BOOL bNew, CSimulationEditor& editor);
  // The spin system the simulation commands start from: the first of the
  // spectrum's systems, or null.
  static CSpinSystem* GetFirstSpinSystem(const CSpectrum& spectrum);
  // The interactive recomputation: every system of the current spectrum
  // again into its buffers as they are, and the views redrawn.
  BOOL RecomputeSimulation();
  // A new spectrum whose FID is made from the signals: nComplexPoints
  // points at the spectral width (Hz) and operating frequency (MHz). FALSE,
  // with nothing added, when the values cannot make one.
  BOOL AddFidSimulation(int nComplexPoints, double dSpectralWidth, double dOperatingFrequency,
                        const std::vector<CFidSignal>& signals);

  // Through the host: the framework document keeps the flag and the views.
  void SetModified(BOOL bModified = TRUE) { m_pHost->SetDocumentModified(bModified); }
  void UpdateViews() { m_pHost->UpdateDocumentViews(); }

  // --- Fields ---
  int m_nMouseMode;           // MOUSE_*
  int m_nStackDirection;      // 0 or 1: where the stacked plot shifts spectra
  int m_nSelectedPeakRecord;  // peak list selection: record and peak index
  int m_nSelectedPeak;
  int m_nSelectedCoupling;  // coupling table selection: measurement and entry
  int m_nSelectedCouplingEntry;
  CSpectrumList m_Spectra;
  CSpectrum* m_pCurrent;  // one of m_Spectra, or null
  CSpectrum* m_pSecond;   // the other operand of two-spectrum operations
  int m_nSpectra;         // recounted by the refreshes
  COLORREF m_crBackground;
  CGraph* m_pBaselinePoints;  // multi-point baseline markers
  CGraph* m_pBaselineCurve;   // and the computed curve
  CDataBuffer m_DataBuffer;
  CRelaxationPeak m_RelaxationPeak;
  int m_nRelaxationStart;  // integral region of the relaxation tool
  int m_nRelaxationEnd;
  BYTE m_bRelaxationIntegral;  // 0 peak, 1 integral region
  CSpectrumArithmetic m_Arithmetic;
  BYTE m_bShowGrid;
  BYTE m_bZoomAll;      // apply zoom to all spectra
  BYTE m_bAutoResize;   // the layout stretches with the view
  int m_nShowProgress;  // the transform redraws after each stage
  BYTE m_bMoveIntegralsTogether;
  COLORREF m_crIntegral;
  int m_nShowActiveIcon;  // mark the current spectrum with an icon
  double m_dLayoutStepY;  // manual stacked-plot geometry
  double m_dLayoutStepX;
  double m_dLayoutLeft;
  double m_dLayoutZero;
  int m_nAutoLayout;
  COLORREF m_crDefaultTrace;  // colour of the current spectrum
  BYTE m_bPeakListOpen;
  BYTE m_bBaselineDialogMode;
  BYTE m_bFitKind;   // 0 multi-point, 1 auto-fit
  BYTE m_bFullView;  // dual display shown
  BYTE m_bLayoutPending;
  BYTE m_bBaselineInProgress;
  BYTE m_bBaselineToSubtract;  // a computed baseline is shown
  BYTE m_bFitOntoTrace = 1;    // baseline points snap to the trace
  int m_nZoomBoxStyle;         // 0 plain, 1 red, 2 green, 3 blue gradient
  float m_fToolValue;          // multi-point baseline tool and scale bar
  int m_nToolValue;
  int m_nShowOnlyCurrentScale;
  BYTE m_bAutoPhase;             // autophase after the Fourier transform
  CPeakListDialog* m_pPeakList;  // modeless dialogs, while open
  int m_nExportDecimals = 3;     // peak export: decimals, 0..5
  int m_nExportSeparator = 1;    // peak export: 0 decimal commas, 1 decimal periods
  CCouplingTableDialog* m_pCouplingTable;
  BYTE m_bLabelArrow;  // the arrow mark carries its value

 private:
  // The units entry of the scale bar for an axis unit.
  static int UnitsEntry(int nUnits);
  // After the add/subtract bar wrote a spectrum's data: its display data
  // found again, drawn at the largest value the bar set up for all.
  void KeepCommonScale(CSpectrum& spectrum) const;
  // Gives the spectrum a zeroed weighted-copy buffer and a window function.
  static void PrepareBuffers(CSpectrum* pSpectrum);
  // A document's only spectrum, transformed, over the view's client area:
  // the zero line 41 pixels above its bottom, the largest value most of its
  // height above it.
  static void LayOutAsSpectrum(CSpectrum& s, const RECT& rcClient);
  // A spectrum read from a .bvx file put into a view nViewHeight pixels
  // tall: its stored zero line (1/10000 of the saved view's height) and the
  // heights of the layout of the saved view (nSavedHeight, 0 when the file
  // does not know it).
  static void PlaceInView(CSpectrum& s, int nZeroLine, int nSavedHeight, int nViewHeight);
  // The frame's scroll bar over the spectrum's visible range, hidden when
  // the whole spectrum shows.
  void ShowScrollBarFor(const CSpectrum& spectrum);
  // A new simulated spectrum: whole visible range, buffers, blue trace and
  // axis labels, acquisition time, counted.
  void FinishSimulatedSpectrum(CSpectrum* pSpectrum);
  // Writes the data buffer into the current spectrum's visible range.
  BOOL ApplyDataBuffer(float fFactor, BOOL bAdd);
  void Forget(CSpectrum* pSpectrum);
  void DeleteBaselineGraphs();
  void SetOpenFailure(LPCSTR pszText) { GetAppState().m_strOpenFailure = pszText; }
  // Reads the file with the importer of the type into this document.
  BOOL ImportOfType(int nType, LPCSTR pszPath);

  CDocumentHost* m_pHost;  // not owned
  CMissingParametersPolicy* m_pMissingPolicy = nullptr;

  CBrivaneProDoc(const CBrivaneProDoc&) = delete;
  CBrivaneProDoc& operator=(const CBrivaneProDoc&) = delete;
};
