// The file types the nD program opens, how a file's type is recognised, and
// the reader of each type.
#pragma once

#include "framework/base/WinTypes.h"

class CNdImportLog;
class CSpectrum2D;

// The values of the Import file dialog's choice; 4 is the program's own
// file, 5 only a detection result.
enum NdFileType {
  ndFileAutomatic = 0,
  ndFileBruker = 1,
  ndFileAspect = 2,
  ndFileVarian = 3,
  ndFileNative = 4,
  ndFileUnknown = 5
};

// In this order: a file beginning with "bvxn" is the program's own; a path
// containing "SER" (any case) with an "acqus" beside it is Bruker; a file
// beginning with an Aspect magic word is Aspect; a path containing "FID"
// with a "procpar" beside it is Varian; anything else, and a file that
// cannot be opened, is unknown.
int DetectFileType(LPCSTR path);

// A new set read from path with the reader of the type (automatic detects
// it first), or null with the reason in the log.
CSpectrum2D* ImportNdFile(int type, LPCSTR path, CNdImportLog& log);
