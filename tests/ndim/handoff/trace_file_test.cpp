// Traces of a 2D set in the 1D document file: which floats a row or column
// gives, every field the 1D program is handed, and reading its traces back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "ndim/handoff/TraceFile.h"
#include "ndim/import/NdBrukerReader.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/script/CommandInterpreter.h"
#include "ndim/plot/NdAxisTicks.h"
#include "onedim/model/AxisScale.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/ndim/handoff/handoff_test_support.h"
#include "tests/ndim/nd_test_support.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

// A 3 x 4 set whose point (r, k) holds (10 r + k, -(10 r + k)).
std::unique_ptr<CSpectrum2D> NumberedSet(bool real = false) {
  std::unique_ptr<CSpectrum2D> set(MakeSet(3, 4, real));
  for (int p = 0; p < 12; ++p) {
    const float v = static_cast<float>(10 * (p / 4) + p % 4);
    if (real) {
      set->m_pData[p] = v;
    } else {
      set->m_pData[2 * p] = v;
      set->m_pData[2 * p + 1] = -v;
    }
  }
  return set;
}

std::string TempPath(const char* name) {
  return std::string(::testing::TempDir()) + name;
}

std::vector<BYTE> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A 1D document of n spectra of td floats, spectrum s holding s + i / 1000.
std::string WriteOneD(const char* name, int n, int td) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  for (int s = 0; s < n; ++s) {
    CSpectrumParams params;
    params.td = td;
    params.sw = 1000.0 * (s + 1);
    params.sf = 400.0 + s;
    params.offset = -250.5 * (s + 1);
    CSpectrum* spectrum = doc.AddSpectrum(params);
    spectrum->m_pData = CSpectrum::AllocateFloats(td);
    for (int i = 0; i < td; ++i)
      spectrum->m_pData[i] = static_cast<float>(s) + i / 1000.0f;
  }
  const std::string path = TempPath(name);
  EXPECT_TRUE(doc.WriteNativeFile(path.c_str()));
  return path;
}

}  // namespace

// A column runs from the first row to the last, as its f1 axis does: the
// 1D program shows it on that axis, and it comes back the right way up.
TEST(TraceFile, RowsAndColumnsRunFromTheirFirstPointToTheirLast) {
  struct Case {
    bool real, columns;
    std::vector<int> indices;
    std::vector<float> pairs;
  } cases[] = {
      {false, false, {1}, {10, -10, 11, -11, 12, -12, 13, -13}},
      {false, true, {2}, {2, -2, 12, -12, 22, -22}},
      {false, true, {3, 0}, {3, -3, 13, -13, 23, -23, 0, -0, 10, -10, 20, -20}},
      {true, false, {2, 0}, {20, 0, 21, 0, 22, 0, 23, 0, 0, 0, 1, 0, 2, 0, 3, 0}},
      {true, true, {1}, {1, 0, 11, 0, 21, 0}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CSpectrum2D> set = NumberedSet(c.real);
    std::vector<float> pairs;
    ASSERT_TRUE(GatherTraces(*set, c.columns, c.indices, pairs));
    EXPECT_EQ(c.pairs, pairs) << c.real << c.columns;
  }
  std::unique_ptr<CSpectrum2D> set = NumberedSet();
  std::vector<float> untouched = {7};
  for (const std::vector<int>& bad : {std::vector<int>{3}, std::vector<int>{0, -1}, std::vector<int>{}})
    EXPECT_FALSE(GatherTraces(*set, false, bad, untouched));
  EXPECT_FALSE(GatherTraces(*set, true, {4}, untouched));
  EXPECT_EQ(std::vector<float>{7}, untouched);
}

TEST(TraceFile, TheOneDProgramGetsEveryFieldItIsHanded) {
  DimensionBlock block;
  block.m_nPoints = 3;
  block.m_fSpectralWidth = 6000.5f;
  block.m_fSpectrometerFreq = 500.25f;
  block.m_fLastFrequency = -250.75f;
  block.m_fFirstPoint = 1.5f;
  const std::vector<float> pairs = {1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, -6};
  const std::string path = TempPath("handed.bvx");
  RecordingUi ui;
  ASSERT_TRUE(WriteTraceFile(path.c_str(), pairs.data(), block, 2, true, CSize(640, 480), ui));
  EXPECT_TRUE(ui.messages.empty());

  const std::vector<BYTE> bytes = FileBytes(path);
  ASSERT_EQ(1024u + 2 * (512 + 76 + 24), bytes.size());
  EXPECT_EQ(2, ReadI32LE(&bytes[15]));
  EXPECT_EQ(0xFFFFFFu, ReadU32LE(&bytes[512]));
  EXPECT_EQ(8 * 3 + 76, ReadI32LE(&bytes[1024]));
  EXPECT_EQ(5000, ReadI32LE(&bytes[1024 + 88]));  // the zero line in the middle

  CTestHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
  ASSERT_EQ(2, doc.GetSpectrumCount());
  for (int t = 0; t < 2; ++t) {
    const CSpectrum& s = *doc.GetSpectrumAt(t);
    EXPECT_EQ(6, s.m_paramsA.td);
    EXPECT_EQ(6000.5, s.m_paramsA.sw);
    EXPECT_EQ(500.25, s.m_paramsA.sf);
    EXPECT_EQ(0, s.m_paramsA.DSPFVS);
    EXPECT_EQ(2, s.m_paramsA.DECIM) << "the FID still holds its delay";
    EXPECT_EQ(1.5, s.m_paramsA.GRPDLY);
    EXPECT_EQ(1, s.m_paramsA.aqmode);
    EXPECT_EQ(1, s.m_paramsA.bComplex);
    EXPECT_EQ(0, s.m_paramsA.bConjugate);
    EXPECT_EQ(0.0, s.m_dPhase0);
    EXPECT_EQ(0.0, s.m_dPhase1);
    EXPECT_EQ(CRect(0, 295, 0, 305), CRect(0, s.m_rectPlot.top, 0, s.m_rectPlot.bottom));
    EXPECT_EQ(0xFF0000u, s.m_crTrace);
    EXPECT_EQ(100.0f, s.m_fVerticalScale);
    EXPECT_EQ(2.0f, s.m_fIntensityStep);
    EXPECT_EQ(0, s.m_nFirst);
    EXPECT_EQ(6, s.m_nLast);
    EXPECT_EQ(0, s.m_nLeftPixel);
    EXPECT_EQ(640, s.m_nRightPixel);
    EXPECT_EQ(0, s.m_Scale.m_nUnits);
    EXPECT_EQ(240, s.m_Scale.GetPosition());
    EXPECT_EQ(14, s.m_Scale.m_nBaseFontHeight);
    EXPECT_EQ(0u, s.m_Scale.m_crAxis);
    EXPECT_FALSE(s.m_Scale.IsFloating());
    EXPECT_STREQ("Courier New", s.m_Scale.m_lf.lfFaceName);
    EXPECT_EQ(1.0, s.m_dIntegralNorm);
    EXPECT_EQ(100, s.m_nIntegralScaleNum);
    EXPECT_EQ(1, s.m_nIntegralScaleDen);
    EXPECT_EQ(0, s.m_arrIntegrals.GetSize());
    EXPECT_EQ(0, s.m_arrLabels.GetSize());
    EXPECT_EQ(std::vector<float>(pairs.begin() + 6 * t, pairs.begin() + 6 * t + 6),
              std::vector<float>(s.m_pData, s.m_pData + 6));
  }
}

TEST(TraceFile, ImportTakesTheFirstTraceAndKeepsTheOldOneOnFailure) {
  LoadedTrace trace;
  trace.m_pData = static_cast<float*>(std::malloc(2 * sizeof(float)));
  trace.m_nFloats = 2;
  RecordingUi ui;
  ASSERT_TRUE(ImportTrace(WriteOneD("three.bvx", 3, 8).c_str(), trace, ui));
  EXPECT_EQ(std::vector<std::string>{"Only the first trace will be imported"}, ui.messages);
  EXPECT_EQ(8, trace.m_nFloats);
  EXPECT_EQ(1000.0f, trace.m_fSpectralWidth);
  EXPECT_EQ(400.0f, trace.m_fSpectrometerFreq);
  // Its last point, float index 6, lies at 1000 - 1000 (6 - 250.5) / 8 Hz:
  // the 2D program's last-point frequency.
  EXPECT_EQ(31562.5f, trace.m_fLastFrequency);
  EXPECT_EQ(0.007f, trace.m_pData[7]);

  // What cannot hold a trace: another file, another build, the older layout
  // that the 1D program still reads, a document cut short, no file at all.
  const float* kept = trace.m_pData;
  const std::vector<BYTE> image = FileBytes(WriteOneD("image.bvx", 1, 4));
  auto write = [](const char* name, std::vector<BYTE> bytes, int field, int value) {
    if (field >= 0)
      WriteI32LE(&bytes[field], value);
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  };
  const struct {
    std::string path;
    const char* shown;  // the one message, "" for any, null for none
  } failures[] = {
      {write("not-one.bvx", std::vector<BYTE>{'X', 'Y', 'Z', ' ', 'a'}, -1, 0), "Unexpected file format"},
      {write("newer.bvx", image, 11, 2), nullptr},
      {write("older.bvx", image, 3, 1), nullptr},
      {write("short.bvx", std::vector<BYTE>(image.begin(), image.begin() + 40), -1, 0), ""},
      {TempPath("absent.bvx"), ""},
  };
  for (const auto& f : failures) {
    RecordingUi failing;
    EXPECT_FALSE(ImportTrace(f.path.c_str(), trace, failing)) << f.path;
    EXPECT_EQ(f.shown ? 1u : 0u, failing.messages.size()) << f.path;
    if (f.shown && *f.shown)
      EXPECT_EQ(f.shown, failing.messages.at(0));
    EXPECT_EQ(kept, trace.m_pData);
    EXPECT_EQ(8, trace.m_nFloats);
  }
  std::free(trace.m_pData);
}

// The handed trace's axis is the 2D axis (the same Hz and ppm at every
// point in the 1D program), and reading the trace back gives the 2D
// program's last-point frequency again.
TEST(TraceFile, TheTraceKeepsThe2DAxisThereAndBack) {
  struct Case {
    int points;
    float sw, sf, last;
  } cases[] = {
      {4096, 3607.5036f, 600.20152f, -283.57373f},  // the TopSpin 3.2 experiment's f2
      {10, 6009.6154f, 600.20152f, -3229.7549f},
      {3, 6000.5f, 500.25f, -250.75f},
      {1024, 20000.0f, 150.9f, 1500.0f},
      {1, 1000.0f, 300.0f, -1.0f},
  };
  for (const Case& c : cases) {
    DimensionBlock block;
    block.m_nPoints = c.points;
    block.m_fSpectralWidth = c.sw;
    block.m_fSpectrometerFreq = c.sf;
    block.m_fLastFrequency = c.last;
    const std::vector<float> pairs(2 * static_cast<std::size_t>(c.points), 1.0f);
    const std::string path = TempPath("axis.bvx");
    RecordingUi ui;
    ASSERT_TRUE(WriteTraceFile(path.c_str(), pairs.data(), block, 1, false, CSize(640, 480), ui));
    CTestHost host;
    CBrivaneProDoc doc(&host);
    ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
    const CSpectrum& s = *doc.GetSpectrumAt(0);
    EXPECT_EQ(0, s.m_paramsA.aqmode) << "real values";
    EXPECT_EQ(0, s.m_paramsA.bComplex);
    for (int k : {0, c.points / 2, c.points - 1})
      EXPECT_NEAR(NdAxisValue(block, k, ND_UNITS_PPM), s.ConvertUnits(2.0 * k, AXIS_UNITS_PPM), 1e-6)
          << c.points << " point " << k;

    LoadedTrace trace;
    ASSERT_TRUE(ImportTrace(path.c_str(), trace, ui));
    EXPECT_EQ(c.last, trace.m_fLastFrequency) << c.points;
    EXPECT_EQ(c.sw, trace.m_fSpectralWidth);
    std::free(trace.m_pData);
  }
}

// A trace keeps its dimension's group delay while the dimension is still a
// FID: a forward transform along it (in the phasing order) or a real set
// has none.
TEST(TraceFile, TheGroupDelayTravelsOnlyWithAFid) {
  struct Case {
    std::vector<BYTE> order;
    bool real;
    float f2, f1;
  } cases[] = {
      {{0, 0, 0, 0}, false, 67.5f, 3.0f},
      {{2, 0, 0, 0}, false, 0.0f, 3.0f},
      {{1, 2, 0, 0}, false, 0.0f, 0.0f},
      {{0, 0, 0, 0}, true, 0.0f, 0.0f},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CSpectrum2D> set = NumberedSet(c.real);
    set->m_dims[2].m_fFirstPoint = 67.5f;
    set->m_dims[1].m_fFirstPoint = 3.0f;
    std::copy(c.order.begin(), c.order.end(), set->m_phasingOrder);
    EXPECT_EQ(c.f2, HandedBlock(*set, 2).m_fFirstPoint);
    EXPECT_EQ(c.f1, HandedBlock(*set, 1).m_fFirstPoint);
    EXPECT_EQ(set->m_dims[2].m_fLastFrequency, HandedBlock(*set, 2).m_fLastFrequency);
  }
}

// The real TopSpin 3.2 serial file: its FIDs start at GRPDLY (67.985 of
// f2's complex points), after the digital filter's rise. A row handed
// before the transform along f2 carries the delay to the 1D program, whose
// transform rotates it by the integer part in the same points: the FID then
// starts at its second point, as a spectrometer's 1D FID of the same delay
// does. A delay counted in floats, or in the wrong file field, would leave
// it 34 or 68 points in, a first-order phase of 12,000 degrees and more.
TEST(TraceFile, AFidRowOfARealSetTakesItsGroupDelayToTheOneDTransform) {
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ReadBruker((std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser").c_str(), log));
  ASSERT_NE(nullptr, set);
  const std::vector<int> rows = {0, 9};
  std::vector<float> pairs;
  ASSERT_TRUE(GatherTraces(*set, false, rows, pairs));
  const DimensionBlock block = HandedBlock(*set, 2);
  ASSERT_EQ(67.9852447509766f, block.m_fFirstPoint);
  const std::string path = TempPath("fid-rows.bvx");
  RecordingUi ui;
  ASSERT_TRUE(WriteTraceFile(path.c_str(), pairs.data(), block, 2, true, CSize(640, 480), ui));
  const std::vector<BYTE> bytes = FileBytes(path);
  ASSERT_GT(bytes.size(), 1024u + 76);
  EXPECT_EQ(67.9852447509766f, ReadF64LE(&bytes[1024 + 68])) << "the record's group delay";

  // The first point of a FID at half its largest magnitude or more.
  auto start = [](const float* data, int points) {
    auto magnitude = [&](int k) { return std::hypot(data[2 * k], data[2 * k + 1]); };
    float largest = 0.0f;
    for (int k = 0; k < points; ++k)
      largest = std::max(largest, magnitude(k));
    for (int k = 0; k < points; ++k)
      if (magnitude(k) >= largest / 2)
        return k;
    return -1;
  };
  CTestHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
  ASSERT_EQ(2, doc.GetSpectrumCount());
  for (int t = 0; t < 2; ++t) {
    CSpectrum& s = *doc.GetSpectrumAt(t);
    EXPECT_EQ(68, start(s.m_pData, 4096)) << "row " << rows[t] << " as acquired";
    CFourierTransformOptions options;
    InitFourierTransformOptions(s, options);
    EXPECT_TRUE(options.bRotateData);
    EXPECT_EQ(67, options.nRotationPoints);
    ASSERT_TRUE(PrepareSpectrumForTransform(s, options));
    EXPECT_EQ(1, start(s.m_pData, 4096)) << "row " << rows[t] << " rotated";
  }

  // Once the set is transformed along f2 its rows hold no delay, and a
  // delay as long as the row (a damaged .bv2 file's) is none either.
  DimensionBlock damaged = block;
  damaged.m_fFirstPoint = 4096.0f;
  CCommandInterpreter().Execute(*set, "ft");
  for (const DimensionBlock& none : {HandedBlock(*set, 2), damaged}) {
    ASSERT_TRUE(GatherTraces(*set, false, {0}, pairs));
    ASSERT_TRUE(WriteTraceFile(path.c_str(), pairs.data(), none, 1, true, CSize(640, 480), ui));
    CBrivaneProDoc spectrum(&host);
    ASSERT_TRUE(spectrum.ReadNativeFile(path.c_str()));
    EXPECT_EQ(0, spectrum.GetSpectrumAt(0)->m_paramsA.DECIM) << none.m_fFirstPoint;
    EXPECT_EQ(0.0, spectrum.GetSpectrumAt(0)->m_paramsA.GRPDLY);
    CFourierTransformOptions options;
    InitFourierTransformOptions(*spectrum.GetSpectrumAt(0), options);
    EXPECT_FALSE(options.bRotateData);
  }
  EXPECT_TRUE(ui.messages.empty());
}
