// The importer of each import file type. The document's dispatcher tries a
// file as its own .bvx first and hands every other file here with the type
// the user chose; the importer fills whatever target it is given.
#pragma once

#include "framework/base/WinTypes.h"

class CImportTarget;

// The import file types, numbered as the import dialog lists them. Type 9
// is the program's own file, which the document reads itself.
enum ImportFileType {
  importTypeBruker = 0,
  importTypeAspect = 1,
  importTypeWinNmr = 2,
  importTypeVarian = 3,
  importTypeJeol = 4,
  importTypeNicolet = 5,
  importTypeVhelper = 6,
  importTypeNuts = 7,
  importTypeJcamp = 8,
  importTypeSwanMr = 10,
  importTypeTecmag = 11,
  importTypeSiemens = 12
};

// TRUE when the type has an importer in this build.
BOOL HasImporter(int nType);

// Reads the file with the importer of the type: TRUE when a spectrum was
// added, otherwise the reason is the target's import error. FALSE, with no
// reason, for a type without an importer.
BOOL ImportFileOfType(int nType, CImportTarget& target, LPCSTR pszPath);
