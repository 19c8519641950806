// Bruker UXNMR/XWIN-NMR 2D experiments: the serial file chosen by the user
// and the parameter files of its folder. Parameter files are read word by
// word; a record matches a word that begins with its name, and its value is
// the next word.
//
//   file             record       meaning
//   acqus (f2),      ##$BYTORDA=  1: data words big-endian (taken from acqus)
//   acqu2s (f1)      ##$SW_h=     spectral width, Hz
//                    ##$TD=       f2: real values a row (TD / 2 complex
//                                 points); f1: the number of rows
//                    ##$SFO1=     spectrometer frequency, MHz
//                    ##$DECIM=    with DSPFVS 10, 11 or 12: the group delay
//                    ##$DSPFVS=   of the digital filter, the first-point offset
//                    ##$AQ_mod=   acquisition mode code (3, digital
//                                 quadrature, read as 1: complex)
//   acqus            ##$GRPDLY=   the group delay where the table has none,
//                                 when above 0 and at most TD / 2 (optional)
//                    ##$DTYPA=    2: data words are 64-bit floats (newer
//                                 software; optional)
//   acqu2s           ##$FnMODE=   f1's mode where AQ_mod is absent: 0, 1 (QF)
//                                 give 0; 2 (QSEQ), 3 (TPPI) give 2; 4 to 6
//                                 (States, States-TPPI, echo-antiecho) give 1;
//                                 any other value refuses the set
//                    ##$SW=       ppm: where SW x SFO1 differs from SW_h by
//                                 more than 0.1 %, it is f1's width
//   acqus must give its seven records; acqu2s SW_h, TD, SFO1 and AQ_mod or
//   FnMODE (TopSpin 3 writes no BYTORDA, DECIM, DSPFVS or AQ_mod there: f1
//   has no filter then).
//   pdata\1\proc     ##$MC2=      f1's indirect-dimension mode code (0 when
//                                 missing, after a message)
//   pdata\1\proc2s   ##$OFFSET=   ppm of f1's first point
//   pdata\1\procs    ##$OFFSET=   ppm of f2's first point
//                                 last-point frequency = OFFSET x sf - sw (Hz)
//
//   serial file: f1 rows from byte 0, each of TD 32-bit integers (f2's TD),
//   or 64-bit floats as DTYPA says, byte-swapped when big-endian.
//   Spectrometers pad each row to a multiple of 1024 bytes: a file longer
//   than back-to-back rows is read that way.
#pragma once

#include "framework/base/WinTypes.h"

class CNdImportLog;
class CSpectrum2D;

// A new set from the serial file at path, or null with the reason in the log.
CSpectrum2D* ReadBruker(LPCSTR path, CNdImportLog& log);
