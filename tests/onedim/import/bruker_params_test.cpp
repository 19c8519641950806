// The Bruker parameter readers, the data decoding, the path helper and the
// missing-parameter check.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "framework/base/MemFile.h"
#include "onedim/import/BrukerData.h"
#include "onedim/import/BrukerParams.h"
#include "onedim/import/ImportPath.h"
#include "onedim/import/MissingParameters.h"
#include "onedim/model/SpectrumParams.h"
#include "tests/onedim/import/bruker_test_util.h"

namespace {

// A parameter file held in memory.
class TextFile {
 public:
  explicit TextFile(std::string text) : m_text(std::move(text)) {
    m_file.Attach(reinterpret_cast<BYTE*>(&m_text[0]), (UINT)m_text.size());
  }
  CFile& File() { return m_file; }

 private:
  std::string m_text;
  CMemFile m_file;
};

bool Missing(const CSpectrumParams& params, const char* key) {
  CString value;
  return params.names.Lookup(key, value) != FALSE;
}

const char kAcqus[] =
    "##TITLE= Parameter file, XWIN-NMR\t\tVersion 3.5\n"
    "##$AQ_mod= 1\n##$BF1= 300.13\n##$BYTORDA= 1\n##$DECIM= 24\n##$DSPFVS= 10\n"
    "##$DTYPA= 2\n##$SW_h= 4789.27203065134\n##$TD= 16384\n##END=\n";

}  // namespace

TEST(BrukerParams, AcqusGivesEveryRecordAndRemovesItsKey) {
  CSpectrumParams params;
  params.bConjugate = 1;
  TextFile file(kAcqus);
  int nDataType = 0;
  EXPECT_TRUE(ReadBrukerAcqus(params, file.File(), &nDataType));
  EXPECT_EQ(16384, params.td);
  EXPECT_DOUBLE_EQ(4789.27203065134, params.sw);
  EXPECT_DOUBLE_EQ(300.13, params.sf);
  EXPECT_EQ(24, params.DECIM);
  EXPECT_EQ(10, params.DSPFVS);
  EXPECT_EQ(1, params.aqmode);
  EXPECT_EQ(1, params.bComplex);
  EXPECT_EQ(0, params.bConjugate);
  EXPECT_EQ(1, params.byteorder);
  EXPECT_EQ(brukerFloat64, nDataType);
  // Only the offset, which procs gives, is left.
  EXPECT_EQ(1, params.names.GetCount());
  EXPECT_TRUE(Missing(params, "offset"));
}

TEST(BrukerParams, RecordNamesIgnoreCaseAndValuesMustParse) {
  CSpectrumParams params;
  TextFile file("##$td= 512 ##$sw_h= nan ##$BF1= abc ##$DECIMX= 4 ##$DSPFVS= 12");
  ReadBrukerAcqus(params, file.File());
  EXPECT_EQ(512, params.td);
  EXPECT_FALSE(Missing(params, "td"));
  // A value that is no finite number leaves the parameter missing.
  EXPECT_TRUE(Missing(params, "sw"));
  EXPECT_TRUE(Missing(params, "sf"));
  EXPECT_EQ(4, params.DECIM);  // any token that begins with "##$DECIM"
  EXPECT_EQ(12, params.DSPFVS);
}

// Acquisition modes as acqus and the WinNMR archive give them: 3 is digital
// quadrature (simultaneous complex points), like 1.
TEST(BrukerParams, AcquisitionModesOfBothReaders) {
  struct {
    const char* code;
    int aqmode;  // as the block held it before: 7
    int complex;
  } cases[] = {{"0", 0, 0}, {"1", 1, 1}, {"2", 0, 1}, {"3", 1, 1}, {"4", 7, 1}};
  typedef void (*Reader)(CSpectrumParams&, CFile&);
  const std::pair<const char*, Reader> readers[] = {
      {"##$AQ_mod= ", [](CSpectrumParams& p, CFile& f) { ReadBrukerAcqus(p, f); }},
      {"##$AQMODE= ", [](CSpectrumParams& p, CFile& f) { ReadWinNmrDis(p, f); }}};
  for (const auto& c : cases) {
    for (const auto& reader : readers) {
      CSpectrumParams params;
      params.aqmode = 7;
      TextFile file(std::string(reader.first) + c.code);
      reader.second(params, file.File());
      EXPECT_EQ(c.aqmode, params.aqmode) << reader.first << c.code;
      EXPECT_EQ(c.complex, params.bComplex) << reader.first << c.code;
    }
  }
}

TEST(BrukerParams, ByteOrderFromTheWritingProgramWhenNoRecord) {
  {
    CSpectrumParams params;
    TextFile file("##TITLE= Parameter file, XWIN-NMR Version 2.6\n##$TD= 8\n");
    ReadBrukerAcqus(params, file.File());
    EXPECT_EQ(1, params.byteorder);
    EXPECT_FALSE(Missing(params, "byteorder"));
  }
  {
    // The last of the two tokens wins.
    CSpectrumParams params;
    params.byteorder = 1;
    TextFile file("XWIN-NMR then UXNMR");
    ReadBrukerAcqus(params, file.File());
    EXPECT_EQ(0, params.byteorder);
  }
  {
    // A record beats the program's name.
    CSpectrumParams params;
    TextFile file("##$BYTORDA= 0 XWIN-NMR");
    ReadBrukerAcqus(params, file.File());
    EXPECT_EQ(0, params.byteorder);
  }
  {
    CSpectrumParams params;
    TextFile file("##$TD= 8");
    ReadBrukerAcqus(params, file.File());
    EXPECT_TRUE(Missing(params, "byteorder"));
  }
}

TEST(BrukerParams, TokensAreBoundedAndHugeNumbersClamped) {
  CSpectrumParams params;
  // A 2000-character token is read in pieces of 511; no piece is a record.
  std::string text = std::string(2000, 'x') + " ##$TD= 99999999999999999999 ##$SW_h=";
  TextFile file(text);
  ReadBrukerAcqus(params, file.File());
  EXPECT_EQ(INT_MAX, params.td);
  EXPECT_TRUE(Missing(params, "sw"));  // the value is missing at the end of the file

  CSpectrumParams procs;
  TextFile procsFile("##$SI= 2000000000 ##$OFFSET= 12.5");
  ReadBrukerProcs(procs, procsFile.File());
  EXPECT_EQ(INT_MAX, procs.td);  // twice SI does not fit; refused later as odd
  EXPECT_DOUBLE_EQ(12.5, procs.offset);
  EXPECT_FALSE(Missing(procs, "offset"));
  EXPECT_FALSE(Missing(procs, "td"));
}

TEST(BrukerParams, TitleLinesLoseOnlyTheirLineEnds) {
  struct Case {
    const char* text;
    const char* title;
  } cases[] = {
      {"1H BBI", "1H BBI\r\n"},
      {"first\r\nsecond\n", "first\r\nsecond\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    CSpectrumParams params;
    params.title = "old";
    TextFile file(c.text);
    EXPECT_TRUE(ReadTitleFile(params, file.File()));
    EXPECT_STREQ(c.title, (LPCSTR)params.title);
  }
}

TEST(BrukerData, DoublesBeyondFloatAndSeriesStride) {
  float out[2] = {};
  std::string d = Float64BigEndianBytes({-1e300, 1e300});
  DecodeBrukerWords((const BYTE*)d.data(), 2, brukerWordFloat64, TRUE, out, 1);
  EXPECT_EQ(-FLT_MAX, out[0]);  // clamped: converting them directly is undefined
  EXPECT_EQ(FLT_MAX, out[1]);

  // td 100 int32: 400-byte records, padded to 1024.
  EXPECT_EQ(400u, BrukerSeriesStride(8 * 400, 400, 8));
  EXPECT_EQ(1024u, BrukerSeriesStride(8 * 1024, 400, 8));
  EXPECT_EQ(1024u, BrukerSeriesStride(3 * 1024, 400, 8));  // stopped after three FIDs
  EXPECT_EQ(400u, BrukerSeriesStride(3 * 400, 400, 8));
  EXPECT_EQ(4096u, BrukerSeriesStride(8 * 4096, 4096, 8));  // already a whole block
}

TEST(ImportPath, FindsNamesWithoutRegardToCase) {
  TempFolder folder;
  folder.Write("exp/pdata/1/procs", "x");
  folder.Write("exp/acqus", "y");
  CFile file;
  EXPECT_TRUE(OpenImportFile(file, folder.Path("exp/Acqus").c_str()));
  file.Abort();
  EXPECT_TRUE(OpenImportFile(file, folder.Path("exp/ACQUS").c_str()));
  file.Abort();
  // A Windows path, with a doubled separator as the importers make them.
  std::string windowsPath = folder.Path("exp") + "\\\\PDATA\\1\\procs";
  EXPECT_TRUE(OpenImportFile(file, windowsPath.c_str()));
  file.Abort();
  EXPECT_FALSE(OpenImportFile(file, folder.Path("exp/acqu2s").c_str()));
  EXPECT_FALSE(OpenImportFile(file, ""));
}

TEST(MissingParameters, AbortCancelAndSetValues) {
  {
    CSpectrumParams params;
    CScriptedMissingParameters policy(CScriptedMissingParameters::abortImport);
    EXPECT_FALSE(CheckMissingParameters(params, &policy));
    // The descriptions in the map's order.
    ASSERT_EQ(8, policy.m_lines.GetCount());
    EXPECT_STREQ("Spectral Width", (LPCSTR)policy.m_lines.GetHead());
    EXPECT_STREQ("offset", (LPCSTR)policy.m_lines.GetTail());
  }
  {
    CSpectrumParams params;
    CScriptedMissingParameters policy(CScriptedMissingParameters::cancelEdit);
    EXPECT_FALSE(CheckMissingParameters(params, &policy));
  }
  {
    CSpectrumParams params;
    params.names.RemoveKey("td");
    CScriptedMissingParameters policy;
    policy.ScriptValues({400.13, 6000.0, 1024, 1});
    EXPECT_TRUE(CheckMissingParameters(params, &policy));
    EXPECT_DOUBLE_EQ(400.13, params.sf);
    EXPECT_DOUBLE_EQ(6000.0, params.sw);
    EXPECT_EQ(1024, params.td);
    EXPECT_EQ(1, params.byteorder);
    EXPECT_EQ(7, params.names.GetCount());  // the map is left as it was
    EXPECT_EQ(7, policy.m_keys.GetCount());
  }
}
