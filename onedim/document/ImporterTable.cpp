// The importer of each import file type, as the import dialog numbers
// them; type 9, the program's own file, is read by the document itself. A
// type whose importer is not in the build answers null.
#include "onedim/document/BrivaneProDoc.h"

PFNIMPORTER GetImporter(int nType) {
  switch (nType) {
    case 0:
      return &CBrivaneProDoc::ImportBruker;
    case 1:
      return &CBrivaneProDoc::ImportAspect;
    case 2:
      return &CBrivaneProDoc::ImportWinNmr;
    case 3:
      return &CBrivaneProDoc::ImportVarian;
    case 4:
      return &CBrivaneProDoc::ImportJeol;
    case 5:
      return &CBrivaneProDoc::ImportNicolet;
    case 6:
      return &CBrivaneProDoc::ImportVhelper;
    case 7:
      return &CBrivaneProDoc::ImportNuts;
    case 8:
      return &CBrivaneProDoc::ImportJcamp;
    case 10:
      return &CBrivaneProDoc::ImportSwanMr;
    case 11:
      return &CBrivaneProDoc::ImportTecmag;
    case 12:
      return &CBrivaneProDoc::ImportSiemens;
    default:
      return nullptr;
  }
}
