// Varian 2D FIDs: the "fid" file chosen by the user, big-endian, with the
// "procpar" of its folder.
//
//   fid offset   size  content
//   0            4     int32 number of blocks: the f1 rows
//   8            4     int32 np, values a block: f2 has np / 2 complex points
//   12           4     int32 bytes a value: 2 (16-bit integers) or 4
//   26           2     int16 status; bit 0x0008: the values are 32-bit floats
//   32 + k b     28    header of block k, b = np x value size + 28
//   60 + k b     ...   the np values of block k
//
//   procpar: a record is a line beginning with its name, then a line with the
//   number of values and the values. Any word of the file that is a record
//   name below is taken, the rest of its line skipped and the second word
//   after it read as the value.
//     sfrq (or a word beginning with it)      f2 spectrometer frequency, MHz
//     reffrq1, else dfrq                      f1 spectrometer frequency, MHz
//                                             (reffrq1 when it is above 0)
//     sw, sw1 (or a word beginning with it)   f2 and f1 spectral width, Hz
//     rfp, rfl / rfp1, rfl1                   last-point frequency rfp - rfl
//                                             (f2), rfp1 - rfl1 (f1); 0 when
//                                             missing
//     arraydim (or a word beginning with it), ni
//                                             f1's indirect-dimension mode: 3
//                                             when ni < arraydim, else 0
//   sfrq, dfrq, sw, sw1, arraydim and ni must all be there.
//   f2's second mode code is ndSenseConjugate: VnmrJ's pairs are conjugated
//   before the transform.
#pragma once

#include "framework/base/WinTypes.h"

class CNdImportLog;
class CSpectrum2D;

// A new set from the fid at path, or null with the reason in the log.
CSpectrum2D* ReadVarian(LPCSTR path, CNdImportLog& log);
