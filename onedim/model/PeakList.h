// The peak list of a spectrum as text: the rows of the list dialog, the
// tab-separated copy, the one-line export of the shifts, and the mapping of
// a list row back to its peak. Rows walk the records in order; a region
// record contributes its FROM and TO rows before its peaks.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

struct CPeakListRow {
  enum Kind { Peak, From, To };
  Kind kind = Peak;
  int nRecord = 0;
  int nPoint = 0;       // index within its record (peak rows)
  CString strCells[5];  // Index, Point, ppm, Hertz, Height
};

// Number of rows the list shows for the spectrum's records.
int GetPeakListRowCount(const CSpectrum& spectrum);
// Row nRow, FALSE when out of range.
BOOL GetPeakListRow(const CSpectrum& spectrum, int nRow, CPeakListRow& row);
// The peak a row shows; FALSE for the FROM and TO rows and past the end.
BOOL PeakOfRow(const CSpectrum& spectrum, int nRow, int& nRecord, int& nPoint);

// Removes one peak; a record left without peaks is deleted with it.
void DeletePeak(CSpectrum& spectrum, int nRecord, int nPoint);
void DeleteAllPeaks(CSpectrum& spectrum);

// The list as clipboard text: tabs between cells, CR LF between lines.
CString PeakListClipboardText(const CSpectrum& spectrum);
// The shifts of every peak in ppm on one line, with nDecimals decimals;
// bPeriods chooses the decimal period and ", " over the comma and "; ".
CString PeakExportText(const CSpectrum& spectrum, int nDecimals, BOOL bPeriods);

// What the Peak Information dialog shows for the peak near a float index,
// refined whatever the interpolation flag: frequency in Hz and ppm, width
// at half height in Hz, digital resolution (Hz per point), points per line
// width and the signal-to-noise ratio at the peak.
struct CPeakInformation {
  double dHz, dPpm, dWidthHz, dResolution, dPointsPerWidth, dSignalToNoise;
};
BOOL GetPeakInformation(const CSpectrum& spectrum, int nFloatIndex, CPeakInformation& info);
