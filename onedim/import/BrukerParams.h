// Readers of the Bruker parameter files: "acqus", "procs", the title file and
// the WinNMR "dis" archive. The parameter files are JCAMP-style text read as
// whitespace-separated tokens of at most 511 characters; a record matches
// when a token begins with its name (without regard to case) and its value
// is the next token.
//
//   acqus  "##$BYTORDA="  integer  byte-order flag (1: big-endian words)  key "byteorder"
//          "##$AQ_mod="   integer  aqmode, complex flag                   key "aqmode"
//          "##$SW_h="     real     sw, Hz                                 key "sw"
//          "##$TD="       integer  td                                     key "td"
//          "##$BF1="      real     sf, MHz                                key "sf"
//          "##$DECIM"     integer  DECIM                                  key "decim"
//          "##$DSPFVS"    integer  DSPFVS                                 key "DSPFVS"
//          "##$DTYPA="    integer  word type of the data (0 int32, 2 float64)
//          "##$GRPDLY="   real     GRPDLY, group delay of the digital filter in points
//   procs  "##$OFFSET="   real     offset, ppm of the left-most point     key "offset"
//          "##$SI="       integer  td = 2 x SI                            key "td"
//          "##$BYTORDP="  integer  byte order of 1r and 1i (1: big-endian)
//   dis    "##$AQMODE=", "##$SPWIDTH=", "##$TDSIZE=", "##$SFREQ="; removes no key
//
// A reader removes the key of each value it reads from the block's map of
// missing parameters. A value that does not parse as a finite number is not
// taken and its key stays missing. The readers stop at a read error as at
// the end of the file.
#pragma once

#include "framework/base/File.h"
#include "framework/base/WinTypes.h"

class CSpectrumParams;

// Word types of Bruker data files ("##$DTYPA=").
enum BrukerDataType { brukerInt32 = 0, brukerFloat64 = 2 };

// Reads an acqus file into the block; *pnDataType (when given) receives the
// word type of the data, *pbBadGroupDelay (when given) whether a GRPDLY
// record held no number (GRPDLY is then 0). When no "##$BYTORDA=" record was
// found, a token beginning with "XWIN" (big-endian) or "UXNMR"
// (little-endian) decides, the last one winning. Clears the conjugate flag.
// Always TRUE.
BOOL ReadBrukerAcqus(CSpectrumParams& params, CFile& file, int* pnDataType = nullptr,
                     BOOL* pbBadGroupDelay = nullptr);

// Reads a procs file into the block; *pnByteOrder (when given) receives the
// byte order of the processed data, 0 or 1, and is left as it is when the
// file has no "##$BYTORDP=" record. The block's own byte-order flag is not
// touched: an FID keeps the acquisition's order. Always TRUE.
BOOL ReadBrukerProcs(CSpectrumParams& params, CFile& file, int* pnByteOrder = nullptr);

// Replaces the block's title by the lines of the file, each ending in CR LF.
// Always TRUE.
BOOL ReadTitleFile(CSpectrumParams& params, CFile& file);

// Reads a WinNMR "dis" parameter archive into the block. Always TRUE.
BOOL ReadWinNmrDis(CSpectrumParams& params, CFile& file);
