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
//                    ##$AQ_mod=   acquisition mode code
//   pdata\1\proc     ##$MC2=      f1's indirect-dimension mode code (0 when
//                                 missing, after a message)
//   pdata\1\proc2s   ##$OFFSET=   ppm of f1's first point
//   pdata\1\procs    ##$OFFSET=   ppm of f2's first point
//                                 last-point frequency = OFFSET x sf - sw (Hz)
//
//   acqus            ##$DTYPA=    2: data words are 64-bit floats (newer
//                                 software; optional)
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
