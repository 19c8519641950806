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
//   acqu2s           ##$FnMODE=   0 undefined, 1 QF, 2 QSEQ, 3 TPPI, 4 States,
//                                 5 States-TPPI, 6 echo-antiecho. f1's
//                                 acquisition mode where AQ_mod is absent
//                                 (0 and 1 give 0, 2 and 3 give 2, 4 to 6
//                                 give 1), and f1's mode where MC2 cannot
//                                 be read. No number or no mode: shown, and
//                                 then taken as saying nothing
//                    ##$SW=       ppm: where SW x SFO1 differs from SW_h by
//                                 more than 0.1 %, it is f1's width
//   acqus must give its seven records; acqu2s SW_h, TD, SFO1 and AQ_mod or
//   FnMODE (TopSpin 3 writes no BYTORDA, DECIM, DSPFVS or AQ_mod there: f1
//   has no filter then).
//   pdata\1\proc2s   ##$OFFSET=   ppm of f1's first point
//                    ##$MC2=      f1's indirect-dimension mode code: 0 QF,
//                                 1 QSEQ, 2 TPPI, 3 States, 4 States-TPPI,
//                                 5 echo-antiecho (the mode TopSpin
//                                 transformed f1 with). Unreadable or out
//                                 of range: shown, then FnMODE - 1 (0 when
//                                 FnMODE says nothing)
//   pdata\1\procs    ##$OFFSET=   ppm of f2's first point
//                                 last-point frequency = OFFSET x sf - sw (Hz)
//
//   f2's second mode code is ndSenseForward: Bruker's pairs need no
//   conjugation. Echo-antiecho rows (MC2 5) are recombined into States
//   pairs as they are read.
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
