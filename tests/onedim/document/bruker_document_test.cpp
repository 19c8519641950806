// The Bruker importers as members of the document: history, error text,
// the missing-parameter policy and the spectra they leave.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "onedim/document/BrivaneProDoc.h"
#include "onedim/import/MissingParameters.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/import/bruker_test_util.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

void WriteFid(const TempFolder& folder, int td, const std::string& procs) {
  folder.Write("1/acqus", "##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= " + std::to_string(td) +
                              " ##$DECIM= 16 ##$DSPFVS= 12");
  std::vector<int32_t> words(td);
  for (int i = 0; i < td; ++i)
    words[i] = i - 3;
  folder.Write("1/fid", Int32Bytes(words, false));
  folder.Write("1/pdata/1/procs", procs);
}

std::string Lines(const CHistoryList& history) {
  std::string text;
  for (POSITION pos = history.GetHeadPosition(); pos != nullptr;)
    text += std::string(history.GetNext(pos)) + "|";
  return text;
}

}  // namespace

TEST(BrukerDocument, ImportAddsTheCurrentSpectrumAndLogs) {
  TempFolder folder;
  WriteFid(folder, 8, "##$OFFSET= 10 ##$SI= 4");
  CTestHost host;
  CBrivaneProDoc doc(&host);
  const std::string path = folder.Path("1/fid");
  ASSERT_TRUE(doc.ImportBruker(path.c_str())) << (LPCSTR)host.m_app.m_strOpenFailure;
  ASSERT_EQ(1, doc.GetSpectrumCount());
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(8, s->m_paramsA.td);
  EXPECT_EQ(-3.0f, s->m_pData[0]);
  EXPECT_EQ(4.0f, s->m_pRawData[7]);
  EXPECT_EQ(1, doc.m_nSpectra);
  EXPECT_NE(std::string::npos,
            Lines(host.m_app.m_History).find("Starting traslation for " + path + " Bruker XWIN-NMR/UXNMR data type|"));
}

TEST(BrukerDocument, MissingParametersGoThroughTheDocumentsPolicy) {
  TempFolder folder;
  WriteFid(folder, 8, "##$SI= 4");  // no OFFSET
  CTestHost host;
  CBrivaneProDoc doc(&host);
  // Without a policy the import goes on with the values as read.
  EXPECT_TRUE(doc.ImportBruker(folder.Path("1/fid").c_str()));

  CScriptedMissingParameters abort(CScriptedMissingParameters::abortImport);
  doc.SetMissingParametersPolicy(&abort);
  EXPECT_FALSE(doc.ImportBruker(folder.Path("1/fid").c_str()));
  EXPECT_EQ(1, abort.m_nQuestions);
  EXPECT_STREQ("offset", (LPCSTR)abort.m_keys.GetHead());
  EXPECT_STREQ("Importing aborted", (LPCSTR)host.m_app.m_History.GetTail());
  EXPECT_EQ(1, doc.GetSpectrumCount());  // only the first import's spectrum
}

TEST(BrukerDocument, ProcessedSpectrumKeepsTheByteOrderItWasReadIn) {
  TempFolder folder;
  WriteFid(folder, 8, "##$OFFSET= 10 ##$SI= 2 ##$BYTORDP= 1");
  folder.Write("1/acqus",
               "##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= 8 ##$DECIM= 16 ##$DSPFVS= 12");
  folder.Write("1/pdata/1/1r", Int32Bytes({70000, -3}, true));
  folder.Write("1/pdata/1/1i", Int32Bytes({-70000, 3}, true));
  CTestHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ImportBruker(folder.Path("1/pdata/1/1r").c_str())) << (LPCSTR)host.m_app.m_strOpenFailure;
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(1, s->m_paramsA.byteorder);
  EXPECT_EQ(70000.0f, s->m_pData[0]);
  EXPECT_EQ(3.0f, s->m_pData[3]);
  EXPECT_NE(std::string::npos,
            Lines(host.m_app.m_History).find("|Processed data read in the procs byte order (Big Endian)|"));
}

TEST(BrukerDocument, DispatcherReadsNativeAndBrukerFilesAlike) {
  TempFolder folder;
  WriteFid(folder, 8, "##$OFFSET= 10 ##$SI= 4");
  CTestHost host;
  host.m_app.m_nImportType = 0;
  const std::string fid = folder.Path("1/fid");
  const std::string bvx = folder.Path("saved.bvx");
  {
    CBrivaneProDoc doc(&host);
    ASSERT_EQ(importForeign, doc.ImportFile(fid.c_str()));
    ASSERT_TRUE(doc.WriteNativeFile(bvx.c_str()));
  }
  // A mixed open: the .bvx is recognised whatever the type and shows the
  // native type until the caller puts the user's back; the FID is then read
  // by the chosen importer, and the choice stays.
  CBrivaneProDoc doc(&host);
  EXPECT_EQ(importNative, doc.ImportFile(bvx.c_str()));
  EXPECT_EQ(CBrivaneAppState::ImportTypeNative, host.m_app.m_nImportType);
  EXPECT_EQ(0, host.m_app.m_nPreviousImportType);
  doc.RestoreImportType();
  EXPECT_EQ(importForeign, doc.ImportFile(fid.c_str()));
  EXPECT_EQ(0, host.m_app.m_nImportType);
  ASSERT_EQ(2, doc.GetSpectrumCount());
  EXPECT_EQ(doc.GetSpectrumAt(0)->m_pData[5], doc.GetSpectrumAt(1)->m_pData[5]);

  host.m_app.m_nImportType = 2;
  folder.Write("w/h1.dis", "##$TDSIZE= 2 ##$SPWIDTH= 6000 ##$SFREQ= 500.1");
  folder.Write("w/h1.fid", Float32Bytes({1.0f, -1.0f}));
  EXPECT_EQ(importForeign, doc.ImportFile(folder.Path("w/h1.fid").c_str()));
  EXPECT_EQ(3, doc.GetSpectrumCount());

  // The native type chosen by the user stays chosen after a file of ours.
  host.m_app.m_nImportType = CBrivaneAppState::ImportTypeNative;
  EXPECT_EQ(importNative, doc.ImportFile(bvx.c_str()));
  doc.RestoreImportType();
  EXPECT_EQ(CBrivaneAppState::ImportTypeNative, host.m_app.m_nImportType);
}

// Files read together, the last of which fails: those read before it go
// again (they never got the refresh that gives a window function, a
// weighted copy and a band), and the document holds what it held, as it
// was, its modified flag too.
TEST(BrukerDocument, AFailingFileOfSeveralLeavesTheDocumentAsItWas) {
  TempFolder folder;
  WriteFid(folder, 8, "##$OFFSET= 10 ##$SI= 4");
  CTestHost host;
  host.m_app.m_nImportType = 0;
  CBrivaneProDoc doc(&host);
  CStringList good;
  good.AddTail(folder.Path("1/fid").c_str());
  ASSERT_EQ(importForeign, doc.ImportFiles(good));
  doc.RefreshAfterAdd();
  doc.SetModified(FALSE);
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_NE(nullptr, s);
  ASSERT_NE(nullptr, s->m_pWindow);
  s->m_bPhaseDisplay = 1;
  const bool bFloating = s->m_Scale.IsFloating();

  CStringList paths;
  paths.AddTail(folder.Path("1/fid").c_str());
  paths.AddTail(folder.Path("none/fid").c_str());
  EXPECT_EQ(importFailed, doc.ImportFiles(paths));
  EXPECT_FALSE(host.m_app.m_strOpenFailure.IsEmpty());
  ASSERT_EQ(1, doc.GetSpectrumCount());
  EXPECT_EQ(1, doc.m_nSpectra);
  EXPECT_EQ(s, doc.GetCurrentSpectrum());
  EXPECT_EQ(1, s->m_bPhaseDisplay);
  EXPECT_EQ(1, s->m_bShowScale);
  EXPECT_EQ(bFloating, s->m_Scale.IsFloating());
  EXPECT_NE(nullptr, s->m_pWindow);
  EXPECT_FALSE(host.m_bModified);
}

// The vendor's processed spectrum opens as a spectrum: ppm on the scale bar,
// laid out as a transform leaves it, the inverse transform offered; the FID
// beside it still offers the forward one and rotates by its GRPDLY.
TEST(BrukerDocument, ProcessedSpectrumOpensAsATransformWouldLeaveIt) {
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-gaba-13c/13C/";
  struct {
    std::string path;
    bool bSpectrum;
  } cases[] = {{real + "pdata/1/1r", true}, {real + "fid", false}};
  for (const auto& c : cases) {
    CTestHost host;
    host.m_app.m_nImportType = 0;
    CBrivaneProDoc doc(&host);
    ASSERT_EQ(importForeign, doc.ImportFile(c.path.c_str())) << c.path;
    doc.RefreshAfterAdd();
    const CSpectrum& s = *doc.GetCurrentSpectrum();
    EXPECT_EQ(c.bSpectrum ? 1 : 0, host.m_nUnitsEntry) << c.path;  // ppm, else seconds
    const int nZeroLine = (s.m_rectPlot.top + s.m_rectPlot.bottom) / 2;
    EXPECT_EQ(c.bSpectrum ? 600 - 41 : 300, nZeroLine) << c.path;
    if (c.bSpectrum) {
      EXPECT_FLOAT_EQ(0.8f * 600 / s.m_fIntensityStep, s.m_fVerticalScale);
    }
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bAutophase = FALSE;
    doc.InitFourierTransform(options, bAll, bAutophase);
    EXPECT_EQ(c.bSpectrum, options.bInverse != FALSE) << c.path;
    EXPECT_EQ(!c.bSpectrum, options.bRotateData != FALSE) << c.path;
    EXPECT_EQ(c.bSpectrum ? 0 : 76, options.nRotationPoints) << c.path;
  }
}

// A damaged acqus whose DSPFVS lies far outside any firmware's (the reader
// clamps "-99999999999" to INT_MIN) names no filter, as an unknown firmware
// does: the FID imports, the transform rotates nothing, and a document saved
// with it reads back and transforms the same.
TEST(BrukerDocument, ADspfvsFarOutsideTheTableRotatesNothingOnEveryRoad) {
  const int td = 64;
  auto transformed = [](CBrivaneProDoc& doc) {
    CFourierTransformOptions options;
    BOOL bAll = FALSE, bAutophase = FALSE;
    doc.InitFourierTransform(options, bAll, bAutophase);
    EXPECT_EQ(0, options.nRotationPoints);
    EXPECT_TRUE(doc.FourierTransform(options, FALSE, FALSE));
    const CSpectrum* s = doc.GetCurrentSpectrum();
    return std::vector<float>(s->m_pData, s->m_pData + s->m_paramsA.td);
  };
  struct {
    const char* text;
    int value;
  } cases[] = {{"0", 0},
               {"-99999999999", INT_MIN},
               {"-2147483639", INT_MIN + 9},
               {"-2147483648", INT_MIN},
               {"99999999999", INT_MAX}};
  std::vector<float> unrotated;
  for (const auto& c : cases) {
    const char* dspfvs = c.text;
    TempFolder folder;
    folder.Write("1/acqus", std::string("##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= ") +
                                std::to_string(td) + " ##$DECIM= 16 ##$DSPFVS= " + dspfvs);
    std::vector<int32_t> words(td);
    for (int i = 0; i < td; ++i)
      words[i] = (i * 7919) % 113 - 56;
    folder.Write("1/fid", Int32Bytes(words, false));
    folder.Write("1/pdata/1/procs", "##$OFFSET= 10 ##$SI= 32");
    CTestHost host;
    CBrivaneProDoc doc(&host);
    ASSERT_TRUE(doc.ImportBruker(folder.Path("1/fid").c_str())) << dspfvs;
    EXPECT_EQ(c.value, doc.GetCurrentSpectrum()->m_paramsA.DSPFVS) << dspfvs;
    EXPECT_EQ(0.0, doc.GetCurrentSpectrum()->GetGroupDelay()) << dspfvs;
    const std::string saved = folder.Path("saved.bvx");
    ASSERT_TRUE(doc.WriteNativeFile(saved.c_str())) << dspfvs;
    const std::vector<float> imported = transformed(doc);
    if (unrotated.empty())
      unrotated = imported;
    EXPECT_EQ(unrotated, imported) << dspfvs;

    CBrivaneProDoc reread(&host);
    ASSERT_TRUE(reread.ReadNativeFile(saved.c_str())) << dspfvs;
    reread.RefreshAfterLoad();
    EXPECT_EQ(c.value, reread.GetCurrentSpectrum()->m_paramsA.DSPFVS) << dspfvs;
    EXPECT_EQ(unrotated, transformed(reread)) << dspfvs;
  }
}

// Every integer of the parameter files at the ends of what the reader takes
// (it clamps to INT_MIN and INT_MAX): the import, the layout and the
// transform of what it gives keep to defined arithmetic, or the import
// refuses with its reason.
TEST(BrukerDocument, EveryIntegerParameterAtItsExtremesImportsAndTransformsSafely) {
  const std::string acqus = "##$BYTORDA= 0 ##$AQ_mod= 1 ##$BF1= 400.13 ##$SW_h= 5000 ##$TD= 64 ##$DECIM= 16 "
                            "##$DSPFVS= 12 ##$DTYPA= 0 ##$GRPDLY= 10";
  const std::string procs = "##$OFFSET= 10 ##$SI= 32 ##$BYTORDP= 0";
  for (const char* key : {"BYTORDA", "AQ_mod", "TD", "DECIM", "DSPFVS", "DTYPA", "SI", "BYTORDP"}) {
    for (const char* value : {"-99999999999", "-2147483639", "-1", "99999999999"}) {
      std::string a = acqus, p = procs;
      std::string& text = a.find(std::string("##$") + key + "=") != std::string::npos ? a : p;
      const std::size_t at = text.find(std::string("##$") + key + "=") + std::strlen(key) + 5;
      text.replace(at, text.find(' ', at) == std::string::npos ? std::string::npos : text.find(' ', at) - at, value);
      TempFolder folder;
      folder.Write("1/acqus", a);
      folder.Write("1/fid", Int32Bytes(std::vector<int32_t>(64, 5), false));
      folder.Write("1/pdata/1/procs", p);
      CTestHost host;
      CBrivaneProDoc doc(&host);
      if (!doc.ImportBruker(folder.Path("1/fid").c_str())) {
        EXPECT_FALSE(host.m_app.m_strOpenFailure.IsEmpty()) << key << "=" << value;
        continue;
      }
      doc.RefreshAfterAdd();
      CFourierTransformOptions options;
      BOOL bAll = FALSE, bAutophase = FALSE;
      doc.InitFourierTransform(options, bAll, bAutophase);
      doc.FourierTransform(options, FALSE, FALSE);
    }
  }
}
