// The importer of each import file type, as the import dialog numbers
// them; type 9, the program's own file, is read by the document itself. A
// type whose importer is not in the build answers null.
#include "onedim/document/BrivaneProDoc.h"

PFNIMPORTER GetImporter(int nType) {
  switch (nType) {
    case 0:
      return &CBrivaneProDoc::ImportBruker;
    case 2:
      return &CBrivaneProDoc::ImportWinNmr;
    default:
      return nullptr;
  }
}
