// What an importer needs of the document it fills: the history list, the
// import error text, the missing-parameter question and a way to add a
// spectrum. The document provides it; tests and fuzz targets use a small fake.
#pragma once

#include <memory>

#include "framework/base/WinTypes.h"

class CSpectrum;
class CSpectrumParams;

class CImportTarget {
 public:
  virtual ~CImportTarget() = default;

  // Appends one line to the history list.
  virtual void AppendHistory(LPCSTR lpszLine) = 0;
  // Sets the reason shown when the import returns FALSE.
  virtual void SetImportError(LPCSTR lpszText) = 0;
  // Asks for the parameters still missing in the block's map; FALSE aborts.
  virtual BOOL CheckMissingParameters(CSpectrumParams& params) = 0;
  // Creates a spectrum from the block, appended (or at the head of the list
  // when bAtEnd is FALSE), and makes it the current one. The caller then
  // hands it its buffers.
  virtual CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) = 0;
  // The document's count of spectra, which a series import keeps.
  virtual void SetSpectrumCount(int nCount) = 0;
  // Tells the user of an oddity the import went on past; the document shows
  // it in a message box, a target without one keeps it in the history.
  virtual void ShowWarning(LPCSTR lpszText) { AppendHistory(lpszText); }
};

// Adds a spectrum through the target that takes data (td floats) as its data
// and a copy as its kept data, the input of the window functions. Null when
// memory runs out; the data are freed then.
CSpectrum* AddImportedSpectrum(CImportTarget& target, const CSpectrumParams& params, std::unique_ptr<float[]> data,
                               BOOL bAtEnd);

// A spectrum the file holds already transformed (processed data) opens as a
// forward transform would leave it: ppm axis, the inverse offered.
// bBrukerImport: read by the Bruker XWIN-NMR import type.
void OpenAsTransformed(CSpectrum& spectrum, BOOL bBrukerImport);

// Why a GRPDLY given with an FID of td floats cannot be its rotation (a text
// that follows "GRPDLY ..."), or null when it can. bUnreadable: the record
// held no number.
LPCSTR GroupDelayFault(double dGroupDelay, int td, BOOL bUnreadable);

// Once td is settled: a GRPDLY that cannot be the FID's rotation becomes 0,
// with a history line naming where it came from ("acqus") where the
// firmware is not in the delay table (the transform would have used it).
void CheckFidGroupDelay(CImportTarget& target, CSpectrumParams& params, BOOL bUnreadable, LPCSTR lpszSource);
