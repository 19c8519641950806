// One importer of fixed file layouts on arbitrary bytes. The importer is
// chosen at build time (FIXED_IMPORTER). Formats with a parameter file take
// it from the front of the input: a 16-bit little-endian length, that many
// bytes of parameter file, and the rest as the data file.
//
// Whatever the input, the import either adds one spectrum whose two buffers
// hold td values (td even, at least 2), or adds none and gives a reason.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "fuzz/FuzzFiles.h"
#include "onedim/import/ImportAspect.h"
#include "onedim/import/ImportJeol.h"
#include "onedim/import/ImportNicolet.h"
#include "onedim/import/ImportNuts.h"
#include "onedim/import/ImportSiemens.h"
#include "onedim/import/ImportSwanMr.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/import/ImportTecmag.h"
#include "onedim/import/ImportVarian.h"
#include "onedim/import/ImportVhelper.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

class FuzzTarget : public CImportTarget {
 public:
  void AppendHistory(LPCSTR) override {}
  void SetImportError(LPCSTR lpszText) override { error = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams&) override { return TRUE; }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL) override {
    spectra.push_back(std::make_unique<CSpectrum>(params));
    return spectra.back().get();
  }
  void SetSpectrumCount(int) override {}

  std::string error;
  std::vector<std::unique_ptr<CSpectrum>> spectra;
};

const std::string& Folder() {
  static const std::string s_folder = [] {
    std::string folder = "/tmp/fuzz_fixed_import_" + std::to_string(::getpid()) + "/";
    std::string command = "mkdir -p " + folder;
    if (std::system(command.c_str()) != 0)
      std::abort();
    return folder;
  }();
  return s_folder;
}

void WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  WriteFuzzFile(Folder() + name, data, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* const kParamName = FIXED_PARAM_FILE;  // "" when the format has none
  std::string dataName = "data.fid";
  if (*kParamName != '\0') {
    if (size < 2)
      return 0;
    std::size_t nParams = data[0] | (data[1] << 8);
    data += 2;
    size -= 2;
    if (nParams > size)
      nParams = size;
    WriteFile(kParamName, data, nParams);
    data += nParams;
    size -= nParams;
  }
  WriteFile(dataName, data, size);

  FuzzTarget target;
  FIXED_IMPORTER importer(target);
  const BOOL bResult = importer.Import((Folder() + dataName).c_str());
  if (bResult) {
    if (target.spectra.size() != 1)
      std::abort();
    const CSpectrum& s = *target.spectra.front();
    const int td = s.m_paramsA.td;
    if (td < 2 || td % 2 != 0 || s.m_pData == nullptr || s.m_pRawData == nullptr)
      std::abort();
    // Every value is read, so the sanitizers see any that was not written.
    volatile float sum = 0.0f;
    for (int i = 0; i < td; ++i)
      sum = sum + s.m_pData[i] + s.m_pRawData[i];
  } else if (!target.spectra.empty() || target.error.empty()) {
    std::abort();
  }
  return 0;
}
