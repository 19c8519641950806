// The importer of JCAMP-DX 5.0 NMR files (import type 8): a spectrum or FID
// stored as one table of ordinates, or complex data stored as NTUPLES with a
// page of real and a page of imaginary ordinates. It writes its steps and
// every problem to the history list and, on failure, also leaves the reason
// as the import error.
//
//   record (header, before the first data table)     kept as
//   ##JCAMP-DX=          version (refused without it)  version text
//   ##DATA CLASS=        "NTUPLES" or a simple table   data class
//   ##TITLE=             title, blanks removed         title
//   ##DATA TYPE=, ##.SOLVENT REFERENCE=, ##.OBSERVE NUCLEUS=,
//   ##.ACQUISITION MODE=                               texts, for the history only
//   ##.OBSERVE FREQUENCY=  MHz                         sf
//   ##.SHIFT REFERENCE=  kind, compound, point (from 1), ppm
//                        the point's shift: the axis offset (of an FID: the
//                        point of the spectrum its transform gives)
//   an FID's acquisition, in the records an instrument's own software adds:
//   ##$DECIM=, ##$DSPFVS=, ##$GRPDLY=  the digital filter (as in acqus)
//   ##$SW_h=             Hz, the sampling rate (else from the x range)
//   simple:   ##NPOINTS= ##XUNITS= ##FIRSTX= ##LASTX=  points, units, first and last x
//   NTUPLES:  ##VAR_DIM= ##UNITS=  ##FIRST=  ##LAST=   (the first field of each)
//   data:     "(X++(Y..Y))", or "(X++(R..R))" and "(X++(I..I))": ordinates of
//             the ASDF forms, decoded by JcampDecoder.h; a table the next
//             record closes short of the point count is read, the rest 0
//
// Ordinates are stored as they are written (no Y factor). Without a shift
// reference the offset puts the first point at its x (Hz, or ppm times the
// observe frequency); a time axis has none. A "NMR SPECTRUM" opens as a
// transformed spectrum. An FID's acquisition mode says how it transforms:
// SIMULTANEOUS complex points, SEQUENTIAL real points of the two channels in
// turn, SINGLE one channel; any other leaves the transform's presets.
#pragma once

#include <cstddef>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CImportTarget;
class CSpectrumParams;

// What the header records said; every import starts from these values.
struct CJcampHeader {
  CString strVersion;
  CString strDataClass = "Unknown";
  CString strTitle = "Untitled";
  CString strDataType = "UnKnown";
  double dObserveFrequency = 0.0;  // MHz
  CString strSolventReference = "0.0";
  CString strNucleus = "Unknown";
  CString strAcquisitionMode = "Unknown";
  BOOL bShiftReference = FALSE;  // the record was there
  CString strShiftReference;     // its value, blanks removed
  // The digital filter and sampling rate of an FID; 0 when not given.
  int nDecim = 0;
  int nDspfvs = 0;
  double dGroupDelay = 0.0;
  BOOL bGroupDelayUnreadable = FALSE;  // a GRPDLY record without a number
  double dSamplingRate = 0.0;          // Hz
  int nPoints = 0;
  CString strUnits;
  double dFirstX = 0.0;
  double dLastX = 0.0;
};

class CJcampImporter {
 public:
  explicit CJcampImporter(CImportTarget& target) : m_target(target) {}

  // TRUE when the spectrum was added. Never throws.
  BOOL Import(LPCSTR lpszPath);
  // The same on a file already in memory (pszPath names it in the history).
  BOOL ImportText(LPCSTR lpszPath, const char* pText, std::size_t nLength);

  // What the last import read of the header.
  const CJcampHeader& GetHeader() const { return m_header; }

 private:
  // Imports from the text, which is borrowed for the call only.
  BOOL ImportFrom(const char* pText, std::size_t nLength);
  BOOL DoImport();
  BOOL ReadJcampHeader();
  BOOL ReadJcampSimpleHeader();
  BOOL ReadJcampNtuplesHeader();
  // Point count, units and x range from the four records of either kind.
  BOOL ReadDataHeader(LPCSTR pszPoints, LPCSTR pszUnits, LPCSTR pszFirst, LPCSTR pszLast);
  BOOL ReadJcampXYData(float* pValues);
  BOOL ReadJcampRealPage(float* pValues);
  BOOL ReadJcampImaginaryPage(float* pValues);
  // Finds the table's label and decodes the points into every second float
  // from pValues; the history says which step failed.
  BOOL ReadTable(LPCSTR pszLabel, float* pValues, LPCSTR pszNotFound, LPCSTR pszBadData);
  BOOL AddSpectrum(float* pValues);

  // The value of the first line that holds the label (blanks removed,
  // without regard to case). bStopAtData ends the search at the first data
  // table. On success the read position is just behind the line.
  BOOL FindLabel(LPCSTR pszLabel, CString& strValue, BOOL bStopAtData);
  double SweepWidth() const;
  // The acquisition of an FID: mode, complex flag and digital filter.
  void SetFidAcquisition(CSpectrumParams& params);
  // The vendor's records of the acquisition, when the file has them.
  void ReadAcquisitionRecords();
  // The offset (float indices) of a spectrum of td floats over sw Hz: from
  // the shift reference when there is one (0, with a history line, when it
  // cannot be used), else from the first x. 0 on a time axis.
  double ReferenceOffset(int td, double sw);

  void History(LPCSTR pszLine);
  BOOL Fail(LPCSTR pszReason);

  CImportTarget& m_target;
  CString m_strPath;
  const char* m_pText = nullptr;
  std::size_t m_nLength = 0;
  std::size_t m_nPosition = 0;
  CJcampHeader m_header;
};
