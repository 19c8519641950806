// bvx_sample: writes the bundled sample document, a synthetic proton FID of
// three decaying lines, as a .bvx file. Not part of either program.
//
//   bvx_sample OUT
#include <cmath>
#include <cstdio>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "numerics/Constants.h"

namespace {

class CSampleHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  // The layout is stored in the file: lay it out for a common screen.
  BOOL GetViewClientRect(RECT* pRect) override {
    *pRect = RECT{0, 0, 1200, 800};
    return TRUE;
  }

  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

// Lines of the sample: offset from the carrier in Hz, amplitude, T2 in s.
struct Line {
  double dHz;
  double dAmplitude;
  double dT2;
};
const Line kLines[] = {{-1200.0, 1.0, 0.12}, {350.0, 0.6, 0.08}, {1650.0, 0.35, 0.2}};

const int kPoints = 4096;          // complex points
const double kSweep = 5000.0;      // Hz
const double kFrequency = 400.13;  // MHz

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bvx_sample OUT\n");
    return 2;
  }
  CSampleHost host;
  CBrivaneProDoc doc(&host);
  CSpectrumParams params;
  params.td = 2 * kPoints;
  params.sw = kSweep;
  params.sf = kFrequency;
  params.aq = kPoints / kSweep;
  params.bComplex = 1;
  params.DECIM = 1;
  params.title = "Synthetic FID";
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(params.td);
  s->m_pRawData = CSpectrum::AllocateFloats(params.td);
  s->m_pWeighted = CSpectrum::AllocateFloats(params.td);
  if (s->m_pData == nullptr || s->m_pRawData == nullptr || s->m_pWeighted == nullptr) {
    std::fprintf(stderr, "error out of memory\n");
    return 1;
  }
  for (int k = 0; k < kPoints; ++k) {
    double t = k / kSweep;
    double re = 0.0, im = 0.0;
    for (const Line& line : kLines) {
      double a = line.dAmplitude * 1000.0 * std::exp(-t / line.dT2);
      re += a * std::cos(2.0 * kPi * line.dHz * t);
      im += a * std::sin(2.0 * kPi * line.dHz * t);
    }
    s->m_pData[2 * k] = s->m_pRawData[2 * k] = (float)re;
    s->m_pData[2 * k + 1] = s->m_pRawData[2 * k + 1] = (float)im;
  }
  doc.SetCurrentSpectrum(s);
  doc.RefreshAfterAdd();
  if (!doc.WriteNativeFile(argv[1])) {
    std::fprintf(stderr, "error the sample could not be written\n");
    return 1;
  }
  return 0;
}
