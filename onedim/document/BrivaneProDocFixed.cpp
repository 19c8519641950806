// The document's side of the importers of fixed file layouts (types 1, 3,
// 4, 5, 6, 7, 10, 11 and 12).
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/DocImportTarget.h"
#include "onedim/import/ImportAspect.h"
#include "onedim/import/ImportJeol.h"
#include "onedim/import/ImportNicolet.h"
#include "onedim/import/ImportNuts.h"
#include "onedim/import/ImportSiemens.h"
#include "onedim/import/ImportSwanMr.h"
#include "onedim/import/ImportTecmag.h"
#include "onedim/import/ImportVarian.h"
#include "onedim/import/ImportVhelper.h"

namespace {

// The Varian importer shows its one warning in a message box.
class CDocVarianImporter : public CVarianImporter {
 public:
  CDocVarianImporter(CImportTarget& target, CDocumentHost* pHost) : CVarianImporter(target), m_pHost(pHost) {}

 protected:
  void Warn(LPCSTR lpszText) override { m_pHost->ShowMessage(lpszText, MB_OK); }

 private:
  CDocumentHost* m_pHost;
};

template <class TImporter>
BOOL RunImporter(CBrivaneProDoc& doc, LPCSTR pszPath) {
  CDocImportTarget target(doc);
  TImporter importer(target);
  return importer.Import(pszPath);
}

}  // namespace

BOOL CBrivaneProDoc::ImportAspect(LPCSTR pszPath) {
  return RunImporter<CAspectImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportVarian(LPCSTR pszPath) {
  CDocImportTarget target(*this);
  CDocVarianImporter importer(target, GetHost());
  return importer.Import(pszPath);
}

BOOL CBrivaneProDoc::ImportJeol(LPCSTR pszPath) {
  return RunImporter<CJeolImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportNicolet(LPCSTR pszPath) {
  return RunImporter<CNicoletImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportVhelper(LPCSTR pszPath) {
  return RunImporter<CVhelperImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportNuts(LPCSTR pszPath) {
  return RunImporter<CNutsImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportSwanMr(LPCSTR pszPath) {
  return RunImporter<CSwanMrImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportTecmag(LPCSTR pszPath) {
  return RunImporter<CTecmagImporter>(*this, pszPath);
}

BOOL CBrivaneProDoc::ImportSiemens(LPCSTR pszPath) {
  return RunImporter<CSiemensImporter>(*this, pszPath);
}
