// The coupling brackets drawn over a spectrum: a red bracket joining a
// reference line and a partner line with its J in a white box above, for
// every pair the coupling table ticks and for the pair under the mouse in
// the table.
#pragma once

class CDC;
class CSpectrum;

// The bracket between two points of the view (y on the traces) labelled
// "J=%.3lf"; positions, pen and font follow the spectrum's print factors.
void DrawCouplingBracket(CDC* pDC, const CSpectrum& s, int x1, int y1, int x2, int y2, double dJ);
// The bracket of one pair; nothing for a pair the spectrum does not hold.
void DrawCouplingPair(CDC* pDC, const CSpectrum& s, int nMeasure, int nPartner);
// The bracket of every pair whose shown flag is set.
void DrawCouplings(CDC* pDC, const CSpectrum& s);
