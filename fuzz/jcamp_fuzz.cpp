// The JCAMP-DX importer on arbitrary text. Whatever the input, the import
// either adds one spectrum whose two buffers hold td values (td = 2 x the
// header's point count) or adds none and gives a reason.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "onedim/import/ImportJcamp.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

class FuzzTarget : public CImportTarget {
 public:
  void AppendHistory(LPCSTR) override {}
  void SetImportError(LPCSTR lpszText) override { error = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams&) override { std::abort(); }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL) override {
    spectra.push_back(std::make_unique<CSpectrum>(params));
    return spectra.back().get();
  }
  void SetSpectrumCount(int) override {}

  std::string error;
  std::vector<std::unique_ptr<CSpectrum>> spectra;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's length: a read past it is a finding.
  std::unique_ptr<char[]> text(new char[size]);
  for (std::size_t i = 0; i < size; i++)
    text[i] = (char)data[i];
  FuzzTarget target;
  CJcampImporter importer(target);
  BOOL bRead = importer.ImportText("fuzz.dx", text.get(), size);
  if (bRead) {
    if (target.spectra.size() != 1)
      std::abort();
    const CSpectrum& s = *target.spectra[0];
    const int td = s.m_paramsA.td;
    if (td != 2 * importer.GetHeader().nPoints || td < 2 || s.m_pData == nullptr || s.m_pRawData == nullptr)
      std::abort();
    // Every value is readable and finite.
    for (int i = 0; i < td; i++)
      if (!(s.m_pData[i] == s.m_pData[i]) || s.m_pData[i] != s.m_pRawData[i])
        std::abort();
  } else if (!target.spectra.empty() || target.error.empty()) {
    std::abort();
  }
  return 0;
}
