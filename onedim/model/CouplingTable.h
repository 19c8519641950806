// The coupling measurements of a spectrum as the coupling table lists them:
// one row per (reference, partner) pair, numbered over the measurements in
// order and, within one, over its partners in order. Shifts are in Hz.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrum;

struct CCouplingRow {
  int nMeasure = 0;  // index in the spectrum's measurements
  int nPartner = 0;  // index in that measurement's partners
  double dShift1 = 0.0;
  double dShift2 = 0.0;
  double dJ = 0.0;  // |Shift 2 - Shift 1|
};

int GetCouplingRowCount(const CSpectrum& spectrum);
// Row nRow; FALSE past the end.
BOOL GetCouplingRow(const CSpectrum& spectrum, int nRow, CCouplingRow& row);
// The shown flag of a row's pair (its bracket is drawn); FALSE past the end.
BOOL SetCouplingShown(CSpectrum& spectrum, int nRow, BOOL bShown);
BOOL IsCouplingShown(const CSpectrum& spectrum, int nRow);

// Removes a row's partner and its flag; a measurement left without partners
// is deleted, and the spectrum forgets it as its current one. FALSE for a
// row that maps to no pair.
BOOL DeleteCouplingRow(CSpectrum& spectrum, int nRow);

// The table as clipboard text: a heading, then per pair CR LF and the three
// values each followed by a tab.
CString CouplingClipboardText(const CSpectrum& spectrum);
