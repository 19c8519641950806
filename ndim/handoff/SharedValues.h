// What the 1D program leaves under the key both programs share when it
// closes a document (phases in degrees, its window function), and the two
// offers to apply them to the 2D data after a hand-off.
#pragma once

class CCommandInterpreter;
class CHandOffUi;
class CSpectrum2D;

struct SharedValues {
  bool m_bKeyOpened = false;  // false: nothing below was read
  // Missing values take these defaults; a value of the wrong registry type or
  // size clears its usable flag.
  bool m_bPhaseUsable = true;
  double m_dPhase0 = 0.0;  // "ph0", degrees
  double m_dPhase1 = 0.0;  // "ph1", degrees
  bool m_bWindowUsable = true;
  int m_nWindowType = 0;        // "type": 0 exponential, 1 Gaussian, 2 sine bell, 3 squared sine bell, 4 to 7 others
  double m_dWindowValue = 1.0;  // "lb": line broadening or sine shift
};

// Offers the phase along f2 (dim 2, after rows) or f1 (dim 1, after
// columns): brings that dimension's quadrature pair into the points ("sw"),
// then asks and applies the phase ("ph"). Values out of range are not
// offered.
void OfferPhase(CSpectrum2D& set, CCommandInterpreter& interpreter, int dim, const SharedValues& values,
                CHandOffUi& ui);
// Switches every window of the set's apodization settings off and asks
// whether the 1D program's window is to be used in the next transform.
// Values out of range change nothing.
void OfferApodization(CSpectrum2D& set, const SharedValues& values, CHandOffUi& ui);
