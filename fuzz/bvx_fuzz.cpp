// Fuzz target of the .bvx reader: any bytes as a file. A file that reads is
// written again and must read back with the same spectra.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"

namespace {

class CFuzzHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = {0, 0, 640, 480};
    return TRUE;
  }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

std::string WorkPath(const char* pszName) {
  return "/tmp/fuzz_bvx_" + std::to_string(getpid()) + "_" + pszName;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in = WorkPath("in.bvx");
  std::FILE* fp = std::fopen(in.c_str(), "wb");
  if (fp == nullptr)
    return 0;
  if (size > 0)
    std::fwrite(data, 1, size, fp);
  std::fclose(fp);

  CFuzzHost host;
  CBrivaneProDoc doc(&host);
  if (doc.ReadNativeFile(in.c_str())) {
    doc.RefreshAfterLoad();
    std::string out = WorkPath("out.bvx");
    if (!doc.WriteNativeFile(out.c_str()))
      std::abort();
    CBrivaneProDoc again(&host);
    if (!again.ReadNativeFile(out.c_str()) || again.GetSpectrumCount() != doc.GetSpectrumCount())
      std::abort();
    for (int i = 0; i < doc.GetSpectrumCount(); i++)
      if (again.GetSpectrumAt(i)->m_paramsA.td != doc.GetSpectrumAt(i)->m_paramsA.td)
        std::abort();
    std::remove(out.c_str());
  }
  return 0;
}
