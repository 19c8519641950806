#include "onedim/import/ImportDispatcher.h"

#include "onedim/import/ImportAspect.h"
#include "onedim/import/ImportBruker.h"
#include "onedim/import/ImportJcamp.h"
#include "onedim/import/ImportJeol.h"
#include "onedim/import/ImportNicolet.h"
#include "onedim/import/ImportNuts.h"
#include "onedim/import/ImportSiemens.h"
#include "onedim/import/ImportSwanMr.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/import/ImportTecmag.h"
#include "onedim/import/ImportVarian.h"
#include "onedim/import/ImportVhelper.h"
#include "onedim/import/ImportWinNmr.h"

namespace {

// A target that takes the file's values as read: the missing-parameter
// question is never asked.
class CAskNothingTarget : public CImportTarget {
 public:
  explicit CAskNothingTarget(CImportTarget& target) : m_target(target) {}

  void AppendHistory(LPCSTR lpszLine) override { m_target.AppendHistory(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { m_target.SetImportError(lpszText); }
  BOOL CheckMissingParameters(CSpectrumParams&) override { return TRUE; }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL bAtEnd) override {
    return m_target.AddSpectrum(params, bAtEnd);
  }
  void SetSpectrumCount(int nCount) override { m_target.SetSpectrumCount(nCount); }
  void ShowWarning(LPCSTR lpszText) override { m_target.ShowWarning(lpszText); }

 private:
  CImportTarget& m_target;
};

template <class TImporter>
BOOL Run(CImportTarget& target, LPCSTR pszPath) {
  TImporter importer(target);
  return importer.Import(pszPath);
}

// A JCAMP-DX file is taken as it is.
template <class TImporter>
BOOL RunAskingNothing(CImportTarget& target, LPCSTR pszPath) {
  CAskNothingTarget quiet(target);
  return Run<TImporter>(quiet, pszPath);
}

struct ImporterEntry {
  int nType;
  BOOL (*pfnImport)(CImportTarget& target, LPCSTR pszPath);
};

const ImporterEntry kImporters[] = {
    {importTypeBruker, &Run<CBrukerImporter>},
    {importTypeAspect, &Run<CAspectImporter>},
    {importTypeWinNmr, &Run<CWinNmrImporter>},
    {importTypeVarian, &Run<CVarianImporter>},
    {importTypeJeol, &Run<CJeolImporter>},
    {importTypeNicolet, &Run<CNicoletImporter>},
    {importTypeVhelper, &Run<CVhelperImporter>},
    {importTypeNuts, &Run<CNutsImporter>},
    {importTypeJcamp, &RunAskingNothing<CJcampImporter>},
    {importTypeSwanMr, &Run<CSwanMrImporter>},
    {importTypeTecmag, &Run<CTecmagImporter>},
    {importTypeSiemens, &Run<CSiemensImporter>},
};

const ImporterEntry* Find(int nType) {
  for (const ImporterEntry& entry : kImporters)
    if (entry.nType == nType)
      return &entry;
  return nullptr;
}

}  // namespace

BOOL HasImporter(int nType) {
  return Find(nType) != nullptr;
}

BOOL ImportFileOfType(int nType, CImportTarget& target, LPCSTR pszPath) {
  const ImporterEntry* pEntry = Find(nType);
  return pEntry != nullptr ? pEntry->pfnImport(target, pszPath) : FALSE;
}
