// The acquisition parameters of one 1D data set, as a file reader, the
// simulation or a process hands them to the spectrum model.
#pragma once

#include "framework/base/Maps.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CSpectrumParams {
 public:
  CSpectrumParams();
  ~CSpectrumParams();

  // Copies every scalar and the title; the name map stays as it is (every
  // block is built with the same eight entries).
  void CopyFrom(const CSpectrumParams& other);

  int DSPFVS;       // firmware of the digital signal processor: 10, 11, 12
  int DECIM;        // decimation factor of the digital filter
  int byteorder;    // 1: the source file's words must be byte-reversed (Bruker); else 0
  int td;           // number of floats: two per complex point
  double sw;        // spectral width, Hz
  double aq;        // time the axis spans over td, s; 0 when the source does
                    // not give it (a zero fill lengthens it with td)
  double sf;        // spectrometer frequency, MHz
  double offset;    // reference offset, float indices
  double GRPDLY;    // group delay of the digital filter in points, as the
                    // acquisition gave it (newer firmware); 0 when none
  int reserved2;    // carried and copied, not interpreted
  int reserved3;    // carried and copied, not interpreted
  int aqmode;       // acquisition mode code as the source format gives it
  int acquiredTd;   // floats at the start of td that were acquired, the rest
                    // being zero filling's; 0: all of them
  BYTE bComplex;    // the data are quadrature (complex)
  BYTE bConjugate;  // the transform must conjugate the data
  CString title;

  // Keys of the parameters a reader has not found yet, each with the
  // description shown when the user is asked for the missing values.
  CMapStringToString names;

 private:
  // The map would not be copied and its state (keys removed by a reader)
  // matters; copies go through CopyFrom.
  CSpectrumParams(const CSpectrumParams&) = delete;
  CSpectrumParams& operator=(const CSpectrumParams&) = delete;
};
