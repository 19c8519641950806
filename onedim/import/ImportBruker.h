// The importer of Bruker UXNMR/XWIN-NMR experiments (import type 0): a raw
// FID ("fid", or a series "ser" beside "Acqu2s") with its "acqus", or a
// processed spectrum ("1r" and "1i") with its "acqus" and "procs". It writes
// its steps to the history list and, on failure, leaves the reason as the
// import error. The WinNMR importer shares its file searches.
#pragma once

#include "framework/base/File.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"
#include "onedim/import/BrukerData.h"

class CImportTarget;
class CSpectrum;
class CSpectrumParams;

class CBrukerImporter {
 public:
  explicit CBrukerImporter(CImportTarget& target) : CBrukerImporter(target, TRUE) {}
  virtual ~CBrukerImporter() = default;

  // TRUE when at least one spectrum was added. Never throws.
  BOOL Import(LPCSTR lpszPath);

 protected:
  // bXwinNmr: the import type is Bruker XWIN-NMR (the WinNMR importer says not).
  CBrukerImporter(CImportTarget& target, BOOL bXwinNmr) : m_target(target), m_bXwinNmr(bXwinNmr) {}
  virtual BOOL DoImport();

  // --- steps shared with the WinNMR importer ---
  void History(LPCSTR lpszLine);
  // The parameter file did not give the key: it is still in the block's map.
  static BOOL IsMissing(const CSpectrumParams& params, LPCSTR lpszKey);
  // Sets the import error and returns FALSE.
  BOOL Fail(LPCSTR lpszError);
  // The chosen file is a processed spectrum: its name ends in "1r" or "1i".
  BOOL IsProcessedPath() const;
  // The title file beside the data, or "Untitled".
  void ReadTitle(CSpectrumParams& params);
  // The acqus of an FID; on failure the history says so and FALSE returns
  // with the import error set.
  BOOL OpenFidAcqus(CFile& file);
  // The procs of an FID; FALSE (after the history line) when there is none.
  BOOL OpenFidProcs(CFile& file);
  // Reads the parameters of an FID from its acqus (with the data type into
  // *pnDataType when asked for) and from its procs when there is one, then
  // asks for what is missing. FALSE ends the import (reason set); bProcs
  // tells whether a procs was read.
  BOOL ReadFidParameters(CSpectrumParams& params, int* pnDataType, BOOL& bProcs);
  // Opens the chosen file and checks td. FALSE with the reason set.
  BOOL OpenFid(CFile& fid, const CSpectrumParams& params);
  // Opens "1r" and "1i" beside the chosen file. Processed data are often
  // kept without "1i": bImaginary tells whether it opened (the history says
  // when not); only a missing "1r" fails.
  BOOL OpenProcessedPair(CFile& real, CFile& imag, BOOL& bImaginary);
  // The acqus and the procs of a processed spectrum.
  BOOL OpenProcessedAcqus(CFile& file);
  BOOL OpenProcessedProcs(CFile& file);
  // Reads the parameters of a processed spectrum from acqus and procs,
  // settles the byte order of its data and asks for what is missing. The
  // processing wrote the data, so procs' order comes first; without it,
  // acqus' order (bAcqusOrder) or the PC's own. The history names the order
  // used. FALSE ends the import (reason set).
  BOOL ReadProcessedParameters(CSpectrumParams& params, BOOL bAcqusOrder);
  // The history line that names the byte order of processed data and the
  // file or choice that gave it.
  void LogProcessedOrder(LPCSTR lpszSource, int nByteOrder);
  // The procs OFFSET, ppm of the left-most point, as the spectrum's offset
  // in float indices; dMissing without an OFFSET record, 0 without a width.
  static void ConvertProcsOffset(CSpectrumParams& params, double dMissing);
  // After the procs of an FID: td back to the acqus value.
  static void KeepAcqusSize(CSpectrumParams& params, int nAcqusTd, BOOL bAcqusGaveTd);
  // Refuses a td no spectrum can have.
  BOOL CheckSize(const CSpectrumParams& params);
  // Reads td / 2 words from the start of each file into the even and the
  // odd floats of a new spectrum, appended, which opens as a transformed
  // spectrum; without an imaginary file (pImag null) the odd floats are 0.
  // FALSE with the reason set.
  BOOL AddProcessedSpectrum(const CSpectrumParams& params, CFile& real, CFile* pImag, BrukerWordKind kind,
                            BOOL bBigEndian);
  // Reads td words of one FID from nOffset into a new spectrum. FALSE with
  // the reason set.
  BOOL AddFidSpectrum(const CSpectrumParams& params, CFile& fid, ULONGLONG nOffset, BrukerWordKind kind,
                      BOOL bBigEndian, BOOL bAtEnd);

  CImportTarget& m_target;
  const BOOL m_bXwinNmr;
  CString m_strPath;
  CString m_strFolder;
  // The import error when the buffer for the words of "1r" and "1i" cannot be had.
  LPCSTR m_pszNoRealPartBuffer = "Cannot allocate memory  real part";

 private:
  int m_nFids = 1;  // FIDs in the chosen file

  BOOL ImportFid(CSpectrumParams& params);
  BOOL ImportProcessed(CSpectrumParams& params);
  // The number of FIDs: from "Acqu2s" beside a "ser", else 1; 0 when
  // "Acqu2s" gives no usable count.
  int CountSeriesFids();
};
