#include "onedim/model/SpectrumParams.h"

// Every field starts at zero, so that no undefined value can reach a file
// even when a reader leaves one unset.
CSpectrumParams::CSpectrumParams()
    : DSPFVS(0),
      DECIM(0),
      byteorder(0),
      td(0),
      sw(0.0),
      aq(0.0),
      sf(0.0),
      offset(0.0),
      GRPDLY(0.0),
      reserved2(0),
      reserved3(0),
      aqmode(0),
      acquiredTd(0),
      bComplex(0),
      bConjugate(0),
      names(10) {
  // A reader removes each key as it reads the value; what is left is
  // offered to the user as missing.
  names.SetAt("sw", "Spectral Width");
  names.SetAt("sf", "Spectrum reference");
  names.SetAt("aqmode", "acquisition mode");
  names.SetAt("decim", "decimation");
  names.SetAt("DSPFVS", "DSPFVS");
  names.SetAt("td", "Time domain");
  names.SetAt("byteorder", "byte order");
  names.SetAt("offset", "offset");
}

CSpectrumParams::~CSpectrumParams() = default;

void CSpectrumParams::CopyFrom(const CSpectrumParams& other) {
  if (&other == this)
    return;
  DSPFVS = other.DSPFVS;
  DECIM = other.DECIM;
  byteorder = other.byteorder;
  td = other.td;
  sw = other.sw;
  aq = other.aq;
  sf = other.sf;
  offset = other.offset;
  GRPDLY = other.GRPDLY;
  reserved2 = other.reserved2;
  reserved3 = other.reserved3;
  aqmode = other.aqmode;
  acquiredTd = other.acquiredTd;
  bComplex = other.bComplex;
  bConjugate = other.bConjugate;
  title = other.title;
}
