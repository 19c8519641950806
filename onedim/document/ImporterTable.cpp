// The importer of each import file type. Each importer adds its line here
// when it is built; type 9, the program's own file, is read by the document.
#include "onedim/document/BrivaneProDoc.h"

PFNIMPORTER GetImporter(int nType) {
  switch (nType) {
    default:
      return nullptr;
  }
}
