// The native .bvx file: exact layout on write, every field back on read,
// and refusal of damaged or hostile files without touching the document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "tests/onedim/document/document_test_host.h"
#include "framework/base/Endian.h"
#include "onedim/model/TextLabel.h"
#include "onedim/model/Integral.h"
#include "onedim/processing/FourierTransformStep.h"
#include "onedim/plot/ViewGeometry.h"

namespace {

typedef std::vector<BYTE> Bytes;

std::string TempPath(const std::string& name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "bvx_" + info->name() + "_" + name;
}

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

// A version-2 file built from the documented layout: one block of td floats
// (value i * 0.5), nIntegrals integrals and nLabels labels.
Bytes BuildBvx(int td, int nIntegrals, int nLabels, int nSpectra = 1) {
  Bytes b(1024, 0);
  std::memcpy(b.data(), "BVX", 3);
  WriteI32LE(&b[3], 2);
  WriteI32LE(&b[11], 1);
  WriteI32LE(&b[15], nSpectra);
  WriteI16LE(&b[19], 1);
  WriteU32LE(&b[512], RGB(255, 255, 255));
  for (int k = 0; k < nSpectra; k++) {
    size_t at = b.size();
    long long length = 76 + 4LL * td + 16LL * nIntegrals + 152LL * nLabels;
    b.resize(at + 512 + (size_t)length, 0);
    BYTE* r = &b[at];
    WriteI32LE(r, (int)length);
    WriteI32LE(r + 4, td);
    WriteF64LE(r + 8, 6000.0 + k);
    WriteF64LE(r + 16, 300.13);
    WriteI32LE(r + 88, 5000);
    WriteF32LE(r + 96, 100.0f);
    WriteF32LE(r + 100, 1.2f);
    WriteI32LE(r + 108, td);
    WriteI32LE(r + 116, 700);
    WriteI32LE(r + 160, nIntegrals);
    WriteI32LE(r + 164, nLabels);
    BYTE* d = r + 512;
    for (int i = 0; i < td; i++)
      WriteF32LE(d + 4 * i, i * 0.5f);
    BYTE* t = d + 4 * td;
    std::memcpy(t + 28, "Arial", 5);
    WriteI32LE(t + 72, 100);
    BYTE* p = t + 76;
    for (int i = 0; i < nIntegrals; i++, p += 16) {
      WriteI32LE(p, 2);
      WriteI32LE(p + 4, 4);
    }
    for (int i = 0; i < nLabels; i++, p += 152)
      std::memcpy(p, "label", 5);
  }
  return b;
}

// The older layout: version 3, one spectrum of td doubles.
Bytes BuildOlder(int td, short mode) {
  Bytes b(1024 + 8 * (size_t)td, 0);
  std::memcpy(b.data(), "BVX", 3);
  WriteI32LE(&b[3], 3);
  WriteI16LE(&b[256], mode);
  WriteF64LE(&b[264], 4000.0);
  WriteF64LE(&b[272], 200.5);
  WriteF64LE(&b[280], 12.0);
  WriteI32LE(&b[288], td);
  WriteI32LE(&b[320], 24);
  WriteI32LE(&b[324], 10);
  for (int i = 0; i < td; i++)
    WriteF64LE(&b[1024 + 8 * (size_t)i], 0.1 * i);
  return b;
}

class BvxFileTest : public ::testing::Test {
 protected:
  // Reads a file into a fresh document; the reason of a refusal is left in
  // m_strError.
  BOOL ReadInto(CBrivaneProDoc& doc, const Bytes& bytes) {
    std::string path = TempPath("in.bvx");
    WriteAll(path, bytes);
    BOOL ok = doc.ReadNativeFile(path.c_str());
    m_strError = (LPCSTR)m_host.m_app.m_strOpenFailure;
    return ok;
  }
  // Refused with a reason and nothing added.
  void ExpectRefused(const Bytes& bytes, const char* pszReason = nullptr) {
    CBrivaneProDoc doc(&m_host);
    EXPECT_FALSE(ReadInto(doc, bytes));
    EXPECT_EQ(doc.GetSpectrumCount(), 0);
    EXPECT_EQ(doc.m_pCurrent, nullptr);
    EXPECT_FALSE(m_strError.empty());
    if (pszReason != nullptr) {
      EXPECT_EQ(m_strError, pszReason);
    }
    EXPECT_TRUE(m_host.m_messages.empty()) << "the reader shows no box";
  }

  CTestHost m_host;
  std::string m_strError;
};

TEST_F(BvxFileTest, OneSpectrumWithIntegralsAndLabelRoundTrips) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 16384, [](int i) { return (float)i * 0.25f - 100.0f; });
  s->m_paramsA.sf = 500.13;
  s->m_paramsA.offset = 123.5;
  s->m_paramsA.DSPFVS = 12;
  s->m_paramsA.DECIM = 24;
  s->m_paramsA.aqmode = 3;
  s->m_paramsA.bComplex = 1;
  s->m_paramsA.bConjugate = 0;
  s->m_dPhase0 = 0.1;
  s->m_dPhase1 = -0.2;
  s->m_rectPlot = {0, 290, 800, 300};
  s->m_crTrace = RGB(1, 2, 3);
  s->m_fVerticalScale = 250.0f;
  s->m_fIntensityStep = 1.44f;
  s->m_nFirst = 100;
  s->m_nLast = 8000;
  s->m_nLeftPixel = 10;
  s->m_nRightPixel = 790;
  s->m_Scale.m_nUnits = AXIS_UNITS_PPM;
  s->m_Scale.SetPosition(305);
  s->m_Scale.m_nBaseFontHeight = -13;
  s->m_Scale.m_crAxis = RGB(9, 8, 7);
  s->m_Scale.SetFloating(false);
  std::strcpy(s->m_Scale.m_lf.lfFaceName, "Courier New");
  s->m_Scale.m_lf.lfWeight = 700;
  s->m_dIntegralNorm = 2.5;
  s->m_nIntegralScaleNum = 7;
  s->m_nIntegralScaleDen = 90;
  // The first one stored the wrong way round, as another writer may leave it.
  s->m_arrIntegrals.Add(new CIntegral(s, 200, 100, 40, RGB(255, 0, 0)));
  s->m_arrIntegrals.Add(new CIntegral(s, 300, 460, 50, RGB(0, 0, 255)));
  LOGFONT lf = {};
  lf.lfHeight = -20;
  std::strcpy(lf.lfFaceName, "Times New Roman");
  std::string text79(79, 'x');
  CTextLabel* pLabel = new CTextLabel(text79.c_str(), &lf, s, RGB(0, 128, 0), FALSE, 120, 80);
  s->m_arrLabels.Add(pLabel);

  std::string path = TempPath("one.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  EXPECT_FALSE(m_host.m_bModified);
  Bytes file = ReadAll(path);
  ASSERT_EQ(file.size(), 67332u);
  EXPECT_EQ(ReadI32LE(&file[1024]), 65796);
  EXPECT_EQ(std::memcmp(file.data(), "BVX", 3), 0);
  EXPECT_EQ(ReadI32LE(&file[3]), 2);
  EXPECT_EQ(ReadI32LE(&file[11]), 1);
  EXPECT_EQ(ReadI32LE(&file[15]), 1);
  EXPECT_EQ(ReadI16LE(&file[19]), 1);
  EXPECT_EQ(ReadU32LE(&file[512]), RGB(255, 255, 255));
  for (size_t i = 1024 + 68; i < 1024 + 88; i++)
    EXPECT_EQ(file[i], 0) << i;
  for (size_t i = 1024 + 140; i < 1024 + 160; i++)
    EXPECT_EQ(file[i], 0) << i;
  for (size_t i = 1024 + 168; i < 1024 + 512; i++)
    ASSERT_EQ(file[i], 0) << i;
  // The zero line, 295 of 600 pixels, in ten-thousandths.
  EXPECT_EQ(ReadI32LE(&file[1024 + 88]), 295 * 10000 / 600);
  // The face name's bytes after its terminator are zero.
  size_t font = 1024 + 512 + 4 * 16384;
  for (size_t i = font + 28 + 11; i < font + 60; i++)
    EXPECT_EQ(file[i], 0) << i;

  CTestHost host2;
  CBrivaneProDoc doc2(&host2);
  ASSERT_TRUE(doc2.ReadNativeFile(path.c_str())) << (LPCSTR)host2.m_app.m_strOpenFailure;
  ASSERT_EQ(doc2.GetSpectrumCount(), 1);
  CSpectrum* r = doc2.m_pCurrent;
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->m_paramsA.td, 16384);
  EXPECT_EQ(r->m_paramsA.sw, 5000.0);
  EXPECT_EQ(r->m_paramsA.sf, 500.13);
  EXPECT_EQ(r->m_paramsA.offset, 123.5);
  EXPECT_EQ(r->m_paramsA.DSPFVS, 12);
  EXPECT_EQ(r->m_paramsA.DECIM, 24);
  EXPECT_EQ(r->m_paramsA.aqmode, 3);
  EXPECT_EQ(r->m_paramsA.bComplex, 1);
  EXPECT_EQ(r->m_paramsA.bConjugate, 0);
  EXPECT_EQ(r->m_paramsA.aq, 0.0);
  EXPECT_EQ(r->m_dPhase0, 0.1);
  EXPECT_EQ(r->m_dPhase1, -0.2);
  EXPECT_EQ((r->m_rectPlot.top + r->m_rectPlot.bottom) / 2, 295);
  EXPECT_EQ(r->m_rectPlot.bottom - r->m_rectPlot.top, 10);
  EXPECT_EQ(r->m_crTrace, RGB(1, 2, 3));
  EXPECT_EQ(r->m_fVerticalScale, 250.0f);
  EXPECT_EQ(r->m_fIntensityStep, 1.44f);
  EXPECT_EQ(r->m_nFirst, 100);
  EXPECT_EQ(r->m_nLast, 8000);
  EXPECT_EQ(r->m_nLeftPixel, 10);
  EXPECT_EQ(r->m_nRightPixel, 790);
  EXPECT_EQ(r->m_Scale.m_nUnits, AXIS_UNITS_PPM);
  EXPECT_EQ(r->m_Scale.GetPosition(), 305);
  EXPECT_EQ(r->m_Scale.m_nBaseFontHeight, -13);
  EXPECT_EQ(r->m_Scale.m_crAxis, RGB(9, 8, 7));
  EXPECT_FALSE(r->m_Scale.IsFloating());
  EXPECT_STREQ(r->m_Scale.m_lf.lfFaceName, "Courier New");
  EXPECT_EQ(r->m_Scale.m_lf.lfWeight, 700);
  EXPECT_EQ(r->m_dIntegralNorm, 2.5);
  EXPECT_EQ(r->m_nIntegralScaleNum, 7);
  EXPECT_EQ(r->m_nIntegralScaleDen, 90);
  for (int i = 0; i < 16384; i++) {
    ASSERT_EQ(r->m_pData[i], s->m_pData[i]) << i;
    ASSERT_EQ(r->m_pRawData[i], s->m_pData[i]) << i;
  }
  ASSERT_EQ(r->m_arrIntegrals.GetSize(), 2);
  const CIntegral* i0 = static_cast<const CIntegral*>(r->m_arrIntegrals.GetAt(0));
  EXPECT_EQ(100, i0->m_nStart);
  EXPECT_EQ(200, i0->m_nEnd);
  const CIntegral* i1 = static_cast<const CIntegral*>(r->m_arrIntegrals.GetAt(1));
  EXPECT_EQ(i1->m_nStart, 300);
  EXPECT_EQ(i1->m_nEnd, 460);
  EXPECT_EQ(i1->m_nBase, 50);
  EXPECT_EQ(i1->m_crColour, RGB(0, 0, 255));
  EXPECT_EQ(i1->m_pSpectrum, r);
  ASSERT_EQ(r->m_arrLabels.GetSize(), 1);
  const CTextLabel* l = static_cast<const CTextLabel*>(r->m_arrLabels.GetAt(0));
  EXPECT_EQ(std::string((LPCSTR)l->m_strText), text79);
  EXPECT_EQ(l->m_x, 120);
  EXPECT_EQ(l->m_y, 80);
  EXPECT_EQ(l->m_crText, RGB(0, 128, 0));
  EXPECT_EQ(l->m_lf.lfHeight, -20);
  EXPECT_STREQ(l->m_lf.lfFaceName, "Times New Roman");
  EXPECT_EQ(l->m_pSpectrum, r);
  EXPECT_EQ(r->m_arrPeaks.GetSize(), 0);
  EXPECT_EQ(r->m_arrCouplings.GetSize(), 0);
}

// The group delay of newer firmware travels in the first 8 bytes of the
// record's reserved area; files that hold 0 there, or no usable delay, read
// as none.
TEST_F(BvxFileTest, GroupDelayTravelsAtOffset68) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 256, [](int i) { return (float)i; });
  s->m_paramsA.GRPDLY = 67.9852447509766;
  const std::string path = TempPath("grpdly.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  Bytes file = ReadAll(path);
  EXPECT_EQ(ReadF64LE(&file[1024 + 68]), 67.9852447509766);
  for (size_t i = 1024 + 76; i < 1024 + 88; i++)
    EXPECT_EQ(file[i], 0) << i;

  const double inf = std::numeric_limits<double>::infinity();
  const double stored[] = {0.0, 67.9852447509766, 76.0, -1.0, std::nan(""), inf, -inf};
  const double read[] = {0.0, 67.9852447509766, 76.0, 0.0, 0.0, 0.0, 0.0};
  for (size_t k = 0; k < sizeof stored / sizeof stored[0]; k++) {
    Bytes bytes = BuildBvx(256, 0, 0);
    WriteF64LE(&bytes[1024 + 68], stored[k]);
    CBrivaneProDoc back(&m_host);
    ASSERT_TRUE(ReadInto(back, bytes)) << m_strError;
    EXPECT_EQ(read[k], back.m_pCurrent->m_paramsA.GRPDLY) << stored[k];
    EXPECT_EQ(read[k], back.m_pCurrent->m_paramsB.GRPDLY) << stored[k];
  }
}

// A transformed spectrum comes back as one, with what its inverse transform
// needs of its FID; an older file's zeros give a FID, as before.
TEST_F(BvxFileTest, ATransformedSpectrumComesBackTransformed) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 256, [](int i) { return (float)i; });
  s->SetFrequencyDomain(TRUE, TRUE, 1, TRUE);
  const std::string path = TempPath("transformed.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  CBrivaneProDoc back(&m_host);
  ASSERT_TRUE(back.ReadNativeFile(path.c_str()));
  const CSpectrum& t = *back.m_pCurrent;
  EXPECT_EQ(1, t.m_bTransformed);
  EXPECT_EQ(1, t.m_paramsB.bComplex);
  EXPECT_EQ(1, t.m_paramsB.aqmode);
  EXPECT_EQ(1, t.m_paramsB.bConjugate);
  CFourierTransformOptions options;
  InitFourierTransformOptions(t, options);
  EXPECT_TRUE(options.bInverse);
  EXPECT_TRUE(options.bQuadrature);
  EXPECT_FALSE(options.bReal);

  CBrivaneProDoc older(&m_host);
  ASSERT_TRUE(ReadInto(older, BuildBvx(256, 0, 0))) << m_strError;
  EXPECT_EQ(0, older.m_pCurrent->m_bTransformed);
}

TEST_F(BvxFileTest, LongLabelIsCutTo79AndFieldIsZeroPadded) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 8);
  std::string text100(100, 'y');
  s->m_arrLabels.Add(new CTextLabel(text100.c_str(), nullptr, s, 0, FALSE, 1, 2));
  s->m_arrLabels.Add(new CTextLabel("ab", nullptr, s, 0, FALSE, 1, 2));
  std::string path = TempPath("label.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  Bytes file = ReadAll(path);
  size_t labels = 1024 + 512 + 32 + 76;
  EXPECT_EQ(file[labels + 78], 'y');
  EXPECT_EQ(file[labels + 79], 0);
  for (size_t i = labels + 152 + 2; i < labels + 152 + 80; i++)
    EXPECT_EQ(file[i], 0);

  CBrivaneProDoc doc2(&m_host);
  ASSERT_TRUE(doc2.ReadNativeFile(path.c_str()));
  const CTextLabel* l = static_cast<const CTextLabel*>(doc2.m_pCurrent->m_arrLabels.GetAt(0));
  EXPECT_EQ(std::string((LPCSTR)l->m_strText), std::string(79, 'y'));
}

TEST_F(BvxFileTest, UnterminatedTextsAreTerminatedOnRead) {
  Bytes b = BuildBvx(8, 0, 1);
  size_t t = 1024 + 512 + 32;
  std::memset(&b[t + 28], 'F', 32);  // axis face name without terminator
  std::memset(&b[t + 76], 'T', 80);  // label text without terminator
  std::memset(&b[t + 76 + 88 + 28], 'G', 32);
  CBrivaneProDoc doc(&m_host);
  ASSERT_TRUE(ReadInto(doc, b)) << m_strError;
  EXPECT_EQ(std::string(doc.m_pCurrent->m_Scale.m_lf.lfFaceName), std::string(31, 'F'));
  const CTextLabel* l = static_cast<const CTextLabel*>(doc.m_pCurrent->m_arrLabels.GetAt(0));
  EXPECT_EQ(std::string((LPCSTR)l->m_strText), std::string(79, 'T'));
  EXPECT_EQ(std::string(l->m_lf.lfFaceName), std::string(31, 'G'));
}

TEST_F(BvxFileTest, SpectraComeBackInOrderLastOneCurrentAndAreAppended) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* existing = AddTestSpectrum(doc, 4);
  ASSERT_TRUE(ReadInto(doc, BuildBvx(8, 1, 0, 3))) << m_strError;
  ASSERT_EQ(doc.GetSpectrumCount(), 4);
  EXPECT_EQ(doc.GetSpectrumAt(0), existing);
  EXPECT_EQ(doc.GetSpectrumAt(1)->m_paramsA.sw, 6000.0);
  EXPECT_EQ(doc.GetSpectrumAt(3)->m_paramsA.sw, 6002.0);
  EXPECT_EQ(doc.m_pCurrent, doc.GetSpectrumAt(3));
  EXPECT_EQ(doc.m_pCurrent->m_pData[7], 3.5f);
  // Stored at 5000 of a 600-pixel view.
  EXPECT_EQ(doc.m_pCurrent->m_rectPlot.top, 295);
  EXPECT_EQ(doc.m_pCurrent->m_rectPlot.bottom, 305);
}

TEST_F(BvxFileTest, HeaderRefusals) {
  Bytes b = BuildBvx(8, 0, 0);
  b[0] = 'X';
  ExpectRefused(b, "Unexpected file format");
  ExpectRefused(Bytes(), "Unexpected file format");
  ExpectRefused(Bytes{'B', 'V'}, "Unexpected file format");

  b = BuildBvx(8, 0, 0);
  WriteI32LE(&b[11], 2);
  ExpectRefused(b, "Build Number out of Date");
}

TEST_F(BvxFileTest, OlderLayoutIsReadWithItsModeWord) {
  CBrivaneProDoc doc(&m_host);
  m_host.m_app.m_nImportType = 4;
  ASSERT_TRUE(ReadInto(doc, BuildOlder(6, 2))) << m_strError;
  CSpectrum* s = doc.m_pCurrent;
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->m_paramsA.td, 6);
  EXPECT_EQ(s->m_paramsA.sw, 4000.0);
  EXPECT_EQ(s->m_paramsA.sf, 200.5);
  EXPECT_EQ(s->m_paramsA.offset, 12.0);
  EXPECT_EQ(s->m_paramsA.DECIM, 24);
  EXPECT_EQ(s->m_paramsA.DSPFVS, 10);
  EXPECT_EQ(s->m_paramsA.aqmode, 0);
  EXPECT_EQ(s->m_paramsA.bComplex, 1);
  EXPECT_EQ(s->m_paramsA.bConjugate, 1);
  EXPECT_EQ(s->m_pData[5], (float)0.5);
  EXPECT_EQ(s->m_pRawData[3], (float)(0.1 * 3));
  // Reading it chooses import type 0; a refused one leaves the choice.
  EXPECT_EQ(m_host.m_app.m_nImportType, 0);

  struct {
    short mode;
    int aqmode;
    int complex;
  } cases[] = {{0, 0, 0}, {1, 1, 1}, {7, 0, 1}};
  for (auto& c : cases) {
    CBrivaneProDoc d(&m_host);
    ASSERT_TRUE(ReadInto(d, BuildOlder(4, c.mode)));
    EXPECT_EQ(d.m_pCurrent->m_paramsA.aqmode, c.aqmode) << c.mode;
    EXPECT_EQ(d.m_pCurrent->m_paramsA.bComplex, c.complex) << c.mode;
  }
  Bytes older = BuildOlder(6, 1);
  older.pop_back();
  m_host.m_app.m_nImportType = 4;
  ExpectRefused(older);
  EXPECT_EQ(m_host.m_app.m_nImportType, 4);
  WriteI32LE(&older[288], -2);
  ExpectRefused(older);
}

TEST_F(BvxFileTest, HostileCountsAndSizesAreRefused) {
  const int tds[] = {-2, 0, 7, 1 << 30};
  for (int td : tds) {
    Bytes b = BuildBvx(8, 0, 0);
    WriteI32LE(&b[1024 + 4], td);
    ExpectRefused(b);
  }
  // A length field that disagrees with td, I and L.
  Bytes b = BuildBvx(8, 1, 1);
  WriteI32LE(&b[1024], ReadI32LE(&b[1024]) + 4);
  ExpectRefused(b);
  // A million integrals, a negative count, more spectra than the file holds.
  b = BuildBvx(8, 0, 0);
  WriteI32LE(&b[1024 + 160], 1000000);
  WriteI32LE(&b[1024], 76 + 32 + 16 * 1000000);
  ExpectRefused(b);
  b = BuildBvx(8, 0, 0);
  WriteI32LE(&b[1024 + 164], -1);
  ExpectRefused(b);
  b = BuildBvx(8, 0, 0);
  WriteI32LE(&b[15], 2);
  ExpectRefused(b);
  b = BuildBvx(8, 0, 0);
  WriteI32LE(&b[15], 0x7FFFFFFF);
  ExpectRefused(b);
}

TEST_F(BvxFileTest, EveryTruncationIsRefusedAndLeavesTheDocumentAlone) {
  // An empty document's file too: it still has its 1024-byte head.
  Bytes empty = BuildBvx(8, 0, 0, 0);
  for (size_t n = 21; n < empty.size(); n += 100)
    ExpectRefused(Bytes(empty.begin(), empty.begin() + (long)n));
  Bytes whole = BuildBvx(8, 1, 1, 2);
  for (size_t n = 0; n < whole.size(); n++) {
    CBrivaneProDoc doc(&m_host);
    CSpectrum* existing = AddTestSpectrum(doc, 4);
    Bytes part(whole.begin(), whole.begin() + (long)n);
    ASSERT_FALSE(ReadInto(doc, part)) << n;
    ASSERT_EQ(doc.GetSpectrumCount(), 1) << n;
    ASSERT_EQ(doc.m_pCurrent, existing) << n;
    ASSERT_FALSE(m_strError.empty()) << n;
  }
  CBrivaneProDoc doc(&m_host);
  EXPECT_TRUE(ReadInto(doc, whole));
}

TEST_F(BvxFileTest, OutOfRangeGeometryIsMadeSafe) {
  Bytes b = BuildBvx(8, 1, 1);
  BYTE* r = &b[1024];
  WriteI32LE(r + 112, 1024);  // left pixel, and a label at the far left
  WriteI32LE(r + 512 + 32 + 76 + 16 + 80, -2147483647 - 1);
  WriteI32LE(r + 104, -6);  // visible range outside the data
  WriteI32LE(r + 108, 4000);
  WriteI32LE(r + 120, 99);         // unknown units
  WriteI32LE(r + 88, 0x7FFFFFFF);  // a zero line far below any view
  WriteF32LE(r + 96, std::nanf(""));
  WriteI32LE(r + 512 + 32 + 72, 0);  // integral curve scale denominator
  BYTE* integ = r + 512 + 32 + 76;
  WriteI32LE(integ, -100);
  WriteI32LE(integ + 4, 1 << 30);
  CBrivaneProDoc doc(&m_host);
  ASSERT_TRUE(ReadInto(doc, b)) << m_strError;
  CSpectrum* s = doc.m_pCurrent;
  EXPECT_EQ(s->m_nFirst, 0);
  EXPECT_EQ(s->m_nLast, 8);
  EXPECT_EQ(s->m_Scale.m_nUnits, AXIS_UNITS_POINTS);
  EXPECT_EQ(s->m_fVerticalScale, 100.0f);
  EXPECT_NE(s->m_nIntegralScaleDen, 0);
  const CIntegral* pIntegral = static_cast<const CIntegral*>(s->m_arrIntegrals.GetAt(0));
  EXPECT_EQ(pIntegral->m_nStart, 0);
  EXPECT_EQ(pIntegral->m_nEnd, 8);
  const CTextLabel* pLabel = static_cast<const CTextLabel*>(s->m_arrLabels.GetAt(0));
  EXPECT_EQ(pLabel->m_x, -2147483647 - 1);
  EXPECT_EQ(pLabel->m_bAttached, 1);
}

// A document reopened in a view as tall as the one it was saved from has its
// zero lines where they were, its time axis as it was and the acquisition's
// time as it was shown: a zero fill lengthened the one, not the other. Files
// without a time (0, or no usable number) take it from td and sw.
TEST_F(BvxFileTest, ZeroLinesAndTheAcquisitionTimeComeBackAsSaved) {
  for (int nHeight : {600, 873, 1017, 9999}) {
    m_host.m_rcClient = {0, 0, 800, nHeight};
    CBrivaneProDoc doc(&m_host);
    for (int z = -50; z < nHeight + 50; z += 7) {
      CSpectrum* s = AddTestSpectrum(doc, 8);
      s->m_rectPlot = {0, z + 5, 800, z - 5};  // as the transform lays it out
    }
    const std::string path = TempPath("zero.bvx");
    ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
    CBrivaneProDoc back(&m_host);
    ASSERT_TRUE(back.ReadNativeFile(path.c_str()));
    for (int i = 0; i < doc.GetSpectrumCount(); i++) {
      const RECT& a = doc.GetSpectrumAt(i)->m_rectPlot;
      const RECT& b = back.GetSpectrumAt(i)->m_rectPlot;
      ASSERT_EQ((a.top + a.bottom) / 2, (b.top + b.bottom) / 2) << nHeight << " spectrum " << i;
    }
  }

  // Zero filled from 8192 to 16384 floats at 5000 Hz: the axis spans
  // 1.6384 s, the acquisition lasted 0.8192 s.
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 8192);
  s->m_paramsA.aq = 0.8192;
  ASSERT_TRUE(s->ZeroFill(16384));
  const std::string path = TempPath("aq.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  EXPECT_EQ(ReadF64LE(&ReadAll(path)[1024 + 76]), 1.6384);
  EXPECT_EQ(ReadI32LE(&ReadAll(path)[1024 + 84]), 8192);
  // The time over td and the acquired floats as stored, then the axis's time
  // and the acquisition's as shown. Older files hold 0 for either.
  const struct {
    double dStored;
    int nAcquired;
    double dAxis, dAcquisition;
  } cases[] = {{1.6384, 8192, 1.6384, 0.8192}, {0.8192, 0, 0.8192, 0.8192},     {0.0, 8192, 1.6384, 0.8192},
               {-1.0, 0, 1.6384, 1.6384},      {NAN, 0, 1.6384, 1.6384},        {INFINITY, 0, 1.6384, 1.6384},
               {1.6384, -2, 1.6384, 1.6384},   {1.6384, 16384, 1.6384, 1.6384}, {1.6384, 99999, 1.6384, 1.6384}};
  for (const auto& c : cases) {
    Bytes file = ReadAll(path);
    WriteF64LE(&file[1024 + 76], c.dStored);
    WriteI32LE(&file[1024 + 84], c.nAcquired);
    CBrivaneProDoc back(&m_host);
    ASSERT_TRUE(ReadInto(back, file)) << m_strError;
    back.RefreshAfterLoad();
    EXPECT_EQ(c.dAxis, back.m_pCurrent->m_paramsA.aq) << c.dStored << " " << c.nAcquired;
    EXPECT_DOUBLE_EQ(c.dAcquisition, back.m_pCurrent->GetAcquisitionTime()) << c.dStored << " " << c.nAcquired;
  }
}

// A layout comes back in the view it was saved from: the scroll bar of a
// zoomed spectrum takes its room before the zero lines are converted, so
// trace, scale and integral curves lie where they were. Saved from a
// smaller view (the full view above it), it follows the larger one as the
// saved view grown to it would, and shrinking the view back gives the saved
// layout again. A file that knows no view height (older files, a height no
// window has) keeps its zero line relative to the view and the rest as
// stored, as before.
TEST_F(BvxFileTest, ALayoutComesBackInTheViewItWasSavedFrom) {
  struct Case {
    const char* what;
    int nSavedHeight;    // the view's client height at the save
    BOOL bZoomed;        // the saved spectrum shows a part: the scroll bar shows
    int nHeightField;    // -1: as written
    int nOpenedHeight;   // the view's height on reopening, before any bar
    int nExpectedHeight; // the height the layout is converted to
  };
  const Case cases[] = {
      {"zoomed", 583, TRUE, -1, 600, 583},
      {"full spectrum", 600, FALSE, -1, 600, 600},
      {"from the dual display", 493, FALSE, -1, 600, 600},
      {"into a smaller view", 600, FALSE, -1, 493, 493},
      {"no height: an older file", 583, TRUE, 0, 600, 583},
      {"a height no window has", 583, FALSE, 40000, 600, 600},
      {"a negative height", 583, FALSE, -5, 600, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_host.m_nScrollBarHeight = 17;
    m_host.m_bScrollVisible = c.bZoomed;
    m_host.m_rcClient = {0, 0, 800, c.nSavedHeight};
    CBrivaneProDoc doc(&m_host);
    CSpectrum* s = AddTestSpectrum(doc, 64);
    s->m_rectPlot = {0, c.nSavedHeight - 36, 800, c.nSavedHeight - 46};
    s->m_nFirst = c.bZoomed ? 10 : 0;
    s->m_nLast = c.bZoomed ? 40 : 64;
    s->m_Scale.SetPosition(c.nSavedHeight - 36);
    s->m_fVerticalScale = 417.25f;
    s->m_nIntegralScaleDen = 100;
    s->m_nLeftPixel = 30;
    s->m_nRightPixel = 770;
    s->m_arrIntegrals.Add(new CIntegral(s, 12, 20, c.nSavedHeight - 41, RGB(255, 0, 0)));
    const std::string path = TempPath("view.bvx");
    ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
    Bytes file = ReadAll(path);
    const BOOL bHeightKnown = c.nHeightField == -1;
    if (bHeightKnown)
      EXPECT_EQ(c.nSavedHeight, ReadI32LE(&file[24]));
    else
      WriteI32LE(&file[24], c.nHeightField);

    m_host.m_bScrollVisible = FALSE;
    m_host.m_rcClient = {0, 0, 800, c.nOpenedHeight};
    CBrivaneProDoc back(&m_host);
    ASSERT_TRUE(ReadInto(back, file)) << m_strError;
    EXPECT_EQ(c.bZoomed, m_host.m_bScrollVisible) << "the bar of the spectrum made current";
    EXPECT_EQ(c.nExpectedHeight, m_host.m_rcClient.bottom);
    const CSpectrum* r = back.m_pCurrent;
    const CIntegral* pIntegral = static_cast<const CIntegral*>(r->m_arrIntegrals.GetAt(0));
    const int nZero = (r->m_rectPlot.top + r->m_rectPlot.bottom) / 2;
    EXPECT_EQ(30, r->m_nLeftPixel) << "widths as stored";
    EXPECT_EQ(770, r->m_nRightPixel);
    if (!bHeightKnown || c.nSavedHeight == c.nExpectedHeight) {
      // The stored ten-thousandths of the line in this view's height; every
      // other height kept in pixels.
      const int nStored = (c.nSavedHeight - 41) * 10000 / c.nSavedHeight;
      EXPECT_EQ((c.nExpectedHeight * nStored + 9999) / 10000, nZero);
      EXPECT_EQ(c.nSavedHeight - 36, r->m_Scale.GetPosition());
      EXPECT_EQ(c.nSavedHeight - 41, pIntegral->m_nBase);
      EXPECT_EQ(417.25f, r->m_fVerticalScale);
      continue;
    }
    // Everything grown or shrunk together: the curve still sits on the trace.
    const double dy = (double)c.nExpectedHeight / c.nSavedHeight;
    EXPECT_NEAR((c.nSavedHeight - 41) * dy, nZero, 1.0);
    EXPECT_NEAR(nZero, pIntegral->m_nBase, 1);
    EXPECT_NEAR(nZero + 5, r->m_Scale.GetPosition(), 1);
    EXPECT_FLOAT_EQ((float)(417.25 * dy), r->m_fVerticalScale);
    // The view back at the saved size gives the saved layout again.
    CSpectrum& w = *back.m_pCurrent;
    RescaleSpectrumLayout(w, 1.0, 1.0 / dy);
    if (dy > 1.0) {  // grown then shrunk: exact
      EXPECT_EQ(c.nSavedHeight - 41, (w.m_rectPlot.top + w.m_rectPlot.bottom) / 2);
      EXPECT_EQ(c.nSavedHeight - 36, w.m_Scale.GetPosition());
      EXPECT_EQ(c.nSavedHeight - 41, pIntegral->m_nBase);
      EXPECT_EQ(100, w.m_nIntegralScaleDen);
      EXPECT_EQ(417.25f, w.m_fVerticalScale);
    }
  }
}

TEST_F(BvxFileTest, WriterUsesItsOwnViewAndTheListsCount) {
  CBrivaneProDoc doc(&m_host);
  CSpectrum* s = AddTestSpectrum(doc, 8);
  s->m_rectPlot = {0, 95, 100, 105};
  AddTestSpectrum(doc, 8);
  doc.m_nSpectra = 7;  // a stale count must not reach the file
  m_host.m_bHasView = FALSE;
  std::string path = TempPath("noview.bvx");
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  Bytes file = ReadAll(path);
  EXPECT_EQ(ReadI32LE(&file[15]), 2);
  EXPECT_EQ(ReadI32LE(&file[1024 + 88]), 5000);
  m_host.m_bHasView = TRUE;
  m_host.m_rcClient = {0, 0, 100, 0};
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  EXPECT_EQ(ReadI32LE(&ReadAll(path)[1024 + 88]), 5000);
  // A band below the middle in a large view, in signed arithmetic.
  m_host.m_rcClient = {0, 0, 100, 200};
  s->m_rectPlot = {0, -30, 100, -10};
  ASSERT_TRUE(doc.WriteNativeFile(path.c_str()));
  EXPECT_EQ(ReadI32LE(&ReadAll(path)[1024 + 88]), -1000);
}

TEST_F(BvxFileTest, FailedSaveKeepsTheOldFileFlagAndTitle) {
  CBrivaneProDoc doc(&m_host);
  AddTestSpectrum(doc, 8);
  std::string path = TempPath("keep.bvx");
  Bytes old = {'o', 'l', 'd'};
  WriteAll(path, old);
  m_host.m_bModified = TRUE;
  m_host.m_strTitle = "before";
  // A read-only file there refuses the save.
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(doc.SaveNativeDocument(path.c_str()));
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_TRUE(m_host.m_bModified);
  EXPECT_EQ(m_host.m_strTitle, "before");
  ASSERT_EQ(m_host.m_messages.size(), 1u);

  // A save into a folder that does not exist fails the same way.
  EXPECT_FALSE(doc.SaveNativeDocument(TempPath("missing/dir/x.bvx").c_str()));
  EXPECT_TRUE(m_host.m_bModified);

  ASSERT_TRUE(doc.SaveNativeDocument(path.c_str()));
  EXPECT_FALSE(m_host.m_bModified);
  EXPECT_EQ(m_host.m_strTitle, path);
  EXPECT_EQ(ReadAll(path).size(), 1024u + 512 + 32 + 76);
}

TEST_F(BvxFileTest, OpenShowsTheReasonAndRefreshesOnSuccess) {
  CBrivaneProDoc doc(&m_host);
  std::string path = TempPath("open.bvx");
  WriteAll(path, Bytes{'n', 'o', 'p', 'e'});
  EXPECT_FALSE(doc.OpenNativeDocument(path.c_str()));
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0], "Unexpected file format");

  WriteAll(path, BuildBvx(8, 0, 0));
  ASSERT_TRUE(doc.OpenNativeDocument(path.c_str()));
  EXPECT_NE(doc.m_pCurrent->m_pWeighted, nullptr);
  EXPECT_NE(doc.m_pCurrent->m_pWindow, nullptr);
  EXPECT_EQ(doc.m_nSpectra, 1);
}

}  // namespace

namespace {

// A host that holds embedded objects: it gives its block to the writer and
// keeps what a read brings.
class CItemsHost : public CTestHost {
 public:
  void GetItemsBlock(std::vector<BYTE>& block) override { block = m_toWrite; }
  void TakeItemsBlock(const std::vector<BYTE>& block, BOOL bDamaged) override {
    m_taken = block;
    m_bDamaged = bDamaged;
    m_nTaken++;
  }
  Bytes m_toWrite, m_taken;
  BOOL m_bDamaged = FALSE;
  int m_nTaken = 0;
};

}  // namespace

TEST(BvxItemsTrailer, ItemsFollowTheBlocksAndComeBackWhileDamageSparesTheSpectra) {
  const Bytes plain = BuildBvx(8, 1, 1);
  CItemsHost host;
  {
    CBrivaneProDoc doc(&host);
    std::string path = TempPath("plain.bvx");
    WriteAll(path, plain);
    ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
    EXPECT_EQ(host.m_nTaken, 0) << "a file without items brings none";
    // Without items the file is written as it always was.
    ASSERT_TRUE(doc.WriteNativeFile(TempPath("again.bvx").c_str()));
    EXPECT_EQ(ReadAll(TempPath("again.bvx")).size(), plain.size());
    host.m_toWrite = {1, 2, 3, 4, 5, 6, 7};
    ASSERT_TRUE(doc.WriteNativeFile(TempPath("items.bvx").c_str()));
  }
  const Bytes withItems = ReadAll(TempPath("items.bvx"));
  ASSERT_EQ(withItems.size(), plain.size() + 12 + 7);
  EXPECT_EQ(std::memcmp(&withItems[plain.size()], "BVXITEMS", 8), 0);
  EXPECT_EQ(ReadU32LE(&withItems[plain.size() + 8]), 7u);

  Bytes wrongMagic = withItems;
  wrongMagic[plain.size() + 3] ^= 1;
  Bytes hugeLength = withItems;
  WriteU32LE(&hugeLength[plain.size() + 8], 0xFFFFFFF0u);
  struct Case {
    const char* what;
    Bytes file;
    BOOL bDamaged;
    Bytes block;
  };
  const Case cases[] = {
      {"whole", withItems, FALSE, {1, 2, 3, 4, 5, 6, 7}},
      {"empty block",
       [&] {
         Bytes b = withItems;
         b.resize(plain.size() + 12);
         WriteU32LE(&b[plain.size() + 8], 0);
         return b;
       }(),
       FALSE,
       {}},
      {"block cut short", Bytes(withItems.begin(), withItems.end() - 2), TRUE, {}},
      {"head cut short", Bytes(withItems.begin(), withItems.begin() + (long)plain.size() + 5), TRUE, {}},
      {"wrong magic", wrongMagic, TRUE, {}},
      {"length past the end", hugeLength, TRUE, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CItemsHost reader;
    CBrivaneProDoc doc(&reader);
    std::string path = TempPath("case.bvx");
    WriteAll(path, c.file);
    ASSERT_TRUE(doc.ReadNativeFile(path.c_str()));
    EXPECT_EQ(doc.GetSpectrumCount(), 1);
    EXPECT_EQ(doc.GetSpectrumAt(0)->m_paramsA.td, 8);
    EXPECT_EQ(reader.m_bDamaged, c.bDamaged);
    EXPECT_EQ(reader.m_taken, c.block);
    EXPECT_EQ(reader.m_nTaken, c.bDamaged || !c.block.empty() ? 1 : 0);
  }
}
