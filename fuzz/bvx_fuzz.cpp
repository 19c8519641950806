// Fuzz target of the .bvx reader: any bytes as a file. A file that reads is
// written again and must read back with the same spectra; the transform's
// settings are taken from each spectrum, as the Fourier Transform dialog
// takes them from what a file gave.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzFiles.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/processing/FourierTransformStep.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in = FuzzWorkPath("bvx", "in.bvx");
  WriteFuzzFile(in, data, size);

  CFuzzHost host;
  CBrivaneProDoc doc(&host);
  if (doc.ReadNativeFile(in.c_str())) {
    doc.RefreshAfterLoad();
    for (int i = 0; i < doc.GetSpectrumCount(); i++) {
      CFourierTransformOptions options;
      InitFourierTransformOptions(*doc.GetSpectrumAt(i), options);
    }
    std::string out = FuzzWorkPath("bvx", "out.bvx");
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
