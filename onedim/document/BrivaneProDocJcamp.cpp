// The document's side of the JCAMP-DX importer (type 8). The dispatcher
// shows the wait window around it and the failure message after it.
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/DocImportTarget.h"
#include "onedim/import/ImportJcamp.h"

namespace {

// A JCAMP-DX file is taken as it is: nothing is asked.
class CJcampDocTarget : public CDocImportTarget {
 public:
  using CDocImportTarget::CDocImportTarget;
  BOOL CheckMissingParameters(CSpectrumParams&) override { return TRUE; }
};

}  // namespace

BOOL CBrivaneProDoc::ImportJcamp(LPCSTR pszPath) {
  CJcampDocTarget target(*this);
  CJcampImporter importer(target);
  return importer.Import(pszPath);
}
