#include "ndim/handoff/TraceFile.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/handoff/HandOffUi.h"
#include "ndim/import/NdImportSupport.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
// Magic "BVX", int32 version, int32, int32 build, int32 spectra, int16.
const int kHeaderSize = 21;
const COLORREF kBlue = 0xFF0000;

// The 1D document as a file format: no view (the zero line is then written
// in the middle), no settings kept, its messages shown to the user.
class CTraceFileHost : public CDocumentHost {
 public:
  explicit CTraceFileHost(CHandOffUi& ui) : m_ui(ui) {}
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  int ShowMessage(LPCSTR text, UINT) override {
    m_ui.ShowMessage(text);
    return 0;
  }

 private:
  CHandOffUi& m_ui;
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

// The 1D program puts float index i at sw - sw (i + offset) / td Hz, the 2D
// program point k at (n - 1 - k) / n x sw + last: with i = 2k and td = 2n the
// two agree when offset = 2 - td x last / sw. Without a width there is no
// axis to keep.
double OffsetOfLastFrequency(double last, double sw, int td) {
  return sw != 0.0 ? 2.0 - td * last / sw : 0.0;
}

float LastFrequencyOfOffset(double offset, double sw, int td) {
  return td > 0 ? NdToFloat((2.0 - offset) * sw / td) : 0.0f;
}

// Appends one trace of `points` pairs, with the fields the 1D program is
// given for every trace.
bool AddTrace(CBrivaneProDoc& doc, const float* pairs, const DimensionBlock& block, bool complex,
              const CSize& client) {
  CSpectrumParams params;
  params.td = 2 * block.m_nPoints;
  params.sw = block.m_fSpectralWidth;
  params.sf = block.m_fSpectrometerFreq;
  params.offset = OffsetOfLastFrequency(block.m_fLastFrequency, params.sw, params.td);
  // No filter table entry: a FID's delay, in the block's complex points, is
  // the 1D program's GRPDLY, which its transform rotates by as it does for a
  // spectrometer's FID. That transform rotates only decimated data, and the
  // 2D set keeps no decimation factor: 2, the least there is, says that the
  // data still hold the delay. A delay no rotation of the trace can take
  // (a damaged .bv2 file's) is none.
  const bool delayed = block.m_fFirstPoint > 0.0f && block.m_fFirstPoint < block.m_nPoints;
  params.DSPFVS = 0;
  params.DECIM = delayed ? 2 : 0;
  params.GRPDLY = delayed ? block.m_fFirstPoint : 0.0;
  // Quadrature pairs transform as complex data in the 1D program too.
  params.aqmode = complex ? 1 : 0;
  params.bComplex = complex ? 1 : 0;
  params.bConjugate = 0;
  CSpectrum* s = doc.AddSpectrum(params);
  s->m_pData = CSpectrum::AllocateFloats(params.td);
  if (!s->m_pData)
    return false;
  std::memcpy(s->m_pData, pairs, sizeof(float) * static_cast<std::size_t>(params.td));
  s->m_dPhase0 = 0.0;
  s->m_dPhase1 = 0.0;
  s->m_crTrace = kBlue;
  s->m_fVerticalScale = 100.0f;
  s->m_fIntensityStep = 2.0f;
  s->m_nFirst = 0;
  s->m_nLast = params.td;
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = client.cx;
  s->m_Scale.m_nUnits = 0;
  s->m_Scale.SetPosition(client.cy / 2);
  s->m_Scale.m_nBaseFontHeight = 14;
  s->m_Scale.m_crAxis = 0;
  s->m_Scale.SetFloating(false);
  std::strcpy(s->m_Scale.m_lf.lfFaceName, "Courier New");
  s->m_dIntegralNorm = 1.0;
  s->m_nIntegralScaleNum = 100;
  s->m_nIntegralScaleDen = 1;
  return true;
}

}  // namespace

bool GatherTraces(const CSpectrum2D& set, bool columns, const std::vector<int>& indices, std::vector<float>& pairs) {
  if (!set.m_pData || set.m_nLastDim != 2 || indices.empty())
    return false;
  const int f1 = set.m_dims[1].m_nPoints, f2 = set.m_dims[2].m_nPoints;
  for (int index : indices)
    if (index < 0 || index >= (columns ? f2 : f1))
      return false;
  const std::size_t points = static_cast<std::size_t>(columns ? f1 : f2);
  const std::size_t u = static_cast<std::size_t>(set.FloatsPerPoint());
  std::vector<float> gathered;
  try {
    gathered.reserve(2 * points * indices.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int index : indices) {
    for (std::size_t k = 0; k < points; ++k) {
      const std::size_t point = columns ? k * f2 + index : static_cast<std::size_t>(index) * f2 + k;
      gathered.push_back(set.m_pData[u * point]);
      gathered.push_back(u == 2 ? set.m_pData[2 * point + 1] : 0.0f);
    }
  }
  pairs.swap(gathered);
  return true;
}

DimensionBlock HandedBlock(const CSpectrum2D& set, int dim) {
  DimensionBlock block = set.m_dims[dim];
  bool transformed = set.m_bReal != 0;
  for (BYTE d : set.m_phasingOrder)
    transformed = transformed || d == dim;
  if (transformed)
    block.m_fFirstPoint = 0.0f;
  return block;
}

bool WriteTraceFile(LPCSTR path, const float* pairs, const DimensionBlock& block, int count, bool complex,
                    const CSize& client, CHandOffUi& ui) {
  CTraceFileHost host(ui);
  CBrivaneProDoc doc(&host);
  doc.m_crBackground = kWhite;
  const std::size_t floats = 2 * static_cast<std::size_t>(block.m_nPoints);
  try {
    for (int i = 0; i < count; ++i)
      if (!AddTrace(doc, pairs + i * floats, block, complex, client))
        AfxThrowMemoryException();
  } catch (CMemoryException* e) {
    e->Delete();
    ui.ShowMessage("Memory exhausted");
    return false;
  } catch (const std::bad_alloc&) {
    ui.ShowMessage("Memory exhausted");
    return false;
  }
  return doc.WriteNativeFile(path) != FALSE;
}

bool ImportTrace(LPCSTR path, LoadedTrace& trace, CHandOffUi& ui) {
  // Only a document of the 1D program's present layout and build holds a
  // trace; the 1D program's reader alone would also take older layouts.
  BYTE header[kHeaderSize] = {};
  UINT have = 0;
  {
    CFile file;
    if (NdOpenFile(file, path)) {
      try {
        have = file.Read(header, sizeof header);
      } catch (CException* e) {
        e->Delete();
      }
    }
  }
  if (have >= 3 && std::memcmp(header, "BVX", 3) != 0) {
    ui.ShowMessage("Unexpected file format");
    return false;
  }
  if (have == sizeof header && (ReadI32LE(header + 3) != 2 || ReadI32LE(header + 11) != 1))
    return false;
  CTraceFileHost host(ui);
  CBrivaneProDoc doc(&host);
  if (!doc.ReadNativeFile(path)) {
    ui.ShowMessage(host.GetAppState().m_strOpenFailure);
    return false;
  }
  const CSpectrum* s = doc.GetSpectrumAt(0);
  if (!s)
    return false;
  if (doc.GetSpectrumCount() > 1)
    ui.ShowMessage("Only the first trace will be imported");
  const int td = s->m_paramsA.td;
  float* data = static_cast<float*>(std::malloc(sizeof(float) * static_cast<std::size_t>(td)));
  if (!data) {
    ui.ShowMessage("Memory exhausted. \nImporting aborted");
    return false;
  }
  std::memcpy(data, s->m_pData, sizeof(float) * static_cast<std::size_t>(td));
  std::free(trace.m_pData);
  trace.m_pData = data;
  trace.m_nFloats = td;
  trace.m_fSpectralWidth = NdToFloat(s->m_paramsA.sw);
  trace.m_fSpectrometerFreq = NdToFloat(s->m_paramsA.sf);
  trace.m_fLastFrequency = LastFrequencyOfOffset(s->m_paramsA.offset, s->m_paramsA.sw, td);
  return true;
}
