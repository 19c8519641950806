// The Bruker XWIN-NMR and WinNMR importers on experiment folders built from
// scratch, on damaged copies of them and on a real experiment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "onedim/import/ImportBruker.h"
#include "onedim/import/ImportWinNmr.h"
#include "onedim/import/MissingParameters.h"
#include "tests/onedim/import/bruker_test_util.h"

namespace {

const double kSw = 5000.0;
const double kSf = 400.13;

std::string Acqus(int td, const std::string& byteOrder = "##$BYTORDA= 0\n", const std::string& program = "UXNMR") {
  return "##TITLE= Parameter file, " + program + "\n##$AQ_mod= 1\n##$BF1= 400.13\n" + byteOrder +
         "##$DECIM= 16\n##$DSPFVS= 12\n##$SW_h= 5000\n##$TD= " + std::to_string(td) + "\n##END=\n";
}

std::string Procs(int si, const std::string& offset = "##$OFFSET= 10.5\n") {
  return offset + "##$SI= " + std::to_string(si) + "\n##END=\n";
}

// Words that tell their position and FID apart: FID f, word i.
std::vector<int32_t> Ramp(int td, int fid = 0) {
  std::vector<int32_t> words(td);
  for (int i = 0; i < td; ++i)
    words[i] = (i % 2 ? -1 : 1) * (1000 * i + 7) + 100000 * fid;
  return words;
}

void ExpectData(const CSpectrum& s, const std::vector<int32_t>& words) {
  ASSERT_EQ((int)words.size(), s.m_paramsA.td);
  ASSERT_NE(nullptr, s.m_pData);
  ASSERT_NE(nullptr, s.m_pRawData);
  for (size_t i = 0; i < words.size(); ++i) {
    ASSERT_EQ((float)words[i], s.m_pData[i]) << i;
    ASSERT_EQ((float)words[i], s.m_pRawData[i]) << i;
  }
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

BOOL ImportBruker(FakeDocument& doc, const std::string& path) {
  CBrukerImporter importer(doc);
  return importer.Import(path.c_str());
}

BOOL ImportWinNmr(FakeDocument& doc, const std::string& path) {
  CWinNmrImporter importer(doc);
  return importer.Import(path.c_str());
}

// A complete experiment: acqus, fid, pdata/1/procs and title.
void WriteExperiment(const TempFolder& folder, int td = 16) {
  folder.Write("1/acqus", Acqus(td));
  folder.Write("1/fid", Int32Bytes(Ramp(td), false));
  folder.Write("1/pdata/1/procs", Procs(td));
  folder.Write("1/title", "Ethyl benzoate\r\nin CDCl3\n");
}

}  // namespace

TEST(BrukerImport, FidExperimentFromScratch) {
  TempFolder folder;
  WriteExperiment(folder);
  FakeDocument doc;
  const std::string path = folder.Path("1/fid");
  ASSERT_TRUE(ImportBruker(doc, path)) << doc.error;
  ASSERT_EQ(1u, doc.spectra.size());
  const CSpectrum& s = *doc.spectra[0];
  EXPECT_EQ(&s, doc.current);
  EXPECT_EQ(1, doc.count);
  EXPECT_EQ(16, s.m_paramsA.td);  // the acqus TD, not twice the procs SI
  EXPECT_DOUBLE_EQ(kSw, s.m_paramsA.sw);
  EXPECT_DOUBLE_EQ(kSf, s.m_paramsA.sf);
  EXPECT_DOUBLE_EQ(16 - 16 * kSf * 10.5 / kSw, s.m_paramsA.offset);
  EXPECT_EQ(16, s.m_paramsA.DECIM);
  EXPECT_EQ(12, s.m_paramsA.DSPFVS);
  EXPECT_STREQ("Ethyl benzoate\r\nin CDCl3\r\n", (LPCSTR)s.m_paramsA.title);
  ExpectData(s, Ramp(16));
  EXPECT_EQ(0, doc.policy.m_nQuestions);  // every parameter was given

  const std::string dir = folder.Path("1/");
  const std::vector<std::string> expected = {"Starting traslation for " + path + " Bruker XWIN-NMR/UXNMR data type",
                                             "Attempting to open file " + dir + "title...",
                                             "File title correctly opened",
                                             "Selected file corresponds to an FID",
                                             "Attempting to open file " + dir + "Acqus...",
                                             "Acqus file correctly opened",
                                             "ok",
                                             "Attempting to open file " + dir + "procs",
                                             "Attempting to open file " + dir + "\\pdata\\1\\procs",
                                             "Procs file correctly opened",
                                             "Attempting to open file " + path + "...",
                                             "ok"};
  EXPECT_EQ(expected, doc.history);
}

TEST(BrukerImport, ByteOrderFromTheRecordOrTheProgram) {
  for (int variant = 0; variant < 2; ++variant) {
    TempFolder folder;
    WriteExperiment(folder);
    folder.Write("1/acqus", variant == 0 ? Acqus(16, "##$BYTORDA= 1\n") : Acqus(16, "", "XWIN-NMR"));
    folder.Write("1/fid", Int32Bytes(Ramp(16), true));
    FakeDocument doc;
    ASSERT_TRUE(ImportBruker(doc, folder.Path("1/fid"))) << doc.error;
    ExpectData(*doc.spectra[0], Ramp(16));
  }
}

TEST(BrukerImport, DoubleWordsWhenTheAcqusSaysSo) {
  TempFolder folder;
  WriteExperiment(folder, 4);
  folder.Write("1/acqus", Acqus(4, "##$BYTORDA= 1\n##$DTYPA= 2\n"));
  folder.Write("1/fid", Float64BigEndianBytes({1.5, -2.25, 1e6, 0.0}));
  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, folder.Path("1/fid"))) << doc.error;
  const float* p = doc.spectra[0]->m_pData;
  EXPECT_EQ(1.5f, p[0]);
  EXPECT_EQ(-2.25f, p[1]);
  EXPECT_EQ(1e6f, p[2]);
}

TEST(BrukerImport, SeriesBackToBackAndPadded) {
  const int td = 100;  // 400 bytes: padded series use 1024-byte blocks
  for (bool bPadded : {false, true}) {
    TempFolder folder;
    WriteExperiment(folder, td);
    folder.Write("1/acqu2s", "##$TD= 8\n");
    std::string ser;
    for (int f = 0; f < 8; ++f) {
      ser += Int32Bytes(Ramp(td, f), false);
      if (bPadded)
        ser += std::string(1024 - 4 * td, '\0');
    }
    folder.Write("1/ser", ser);
    FakeDocument doc;
    ASSERT_TRUE(ImportBruker(doc, folder.Path("1/ser"))) << doc.error;
    ASSERT_EQ(8u, doc.spectra.size());
    EXPECT_EQ(8, doc.count);
    // Each FID went to the head of the list: the last one read is first.
    for (int k = 0; k < 8; ++k)
      ExpectData(*doc.spectra[k], Ramp(td, 7 - k));
    EXPECT_EQ(doc.spectra[0].get(), doc.current);
  }
}

TEST(BrukerImport, ShortSeriesKeepsTheFidsBeforeIt) {
  TempFolder folder;
  WriteExperiment(folder, 16);
  folder.Write("1/acqu2s", "##$TD= 8\n");
  std::string ser;
  for (int f = 0; f < 8; ++f)
    ser += Int32Bytes(Ramp(16, f), false);
  folder.Write("1/ser", ser.substr(0, ser.size() - 10));
  FakeDocument doc;
  EXPECT_FALSE(ImportBruker(doc, folder.Path("1/ser")));
  EXPECT_EQ("error opening FID. \nNumber of points different from expected", doc.error);
  EXPECT_EQ(7u, doc.spectra.size());
  EXPECT_TRUE(doc.AllSpectraFilled());

  folder.Write("1/acqu2s", "##$TD= 0\n");
  FakeDocument none;
  EXPECT_FALSE(ImportBruker(none, folder.Path("1/ser")));
  EXPECT_FALSE(none.error.empty());
  EXPECT_TRUE(none.spectra.empty());
}

TEST(BrukerImport, ProcessedSpectrumFromRealAndImaginaryFiles) {
  TempFolder folder;
  const int si = 16384;
  folder.Write("1/acqus", Acqus(65536, "##$BYTORDA= 1\n"));
  folder.Write("1/pdata/1/procs", Procs(si));
  std::vector<int32_t> re(si), im(si);
  for (int i = 0; i < si; ++i) {
    re[i] = i * 3 - 5;
    im[i] = -i * 7;
  }
  folder.Write("1/pdata/1/1r", Int32Bytes(re, true));
  folder.Write("1/pdata/1/1i", Int32Bytes(im, true));
  // The upper-case name is still a processed spectrum.
  for (const char* name : {"1/pdata/1/1r", "1/pdata/1/1R"}) {
    FakeDocument doc;
    ASSERT_TRUE(ImportBruker(doc, folder.Path(name))) << doc.error;
    const CSpectrum& s = *doc.spectra[0];
    ASSERT_EQ(32768, s.m_paramsA.td);
    EXPECT_DOUBLE_EQ(32768 - 32768 * kSf * 10.5 / kSw, s.m_paramsA.offset);
    for (int i = 0; i < si; ++i) {
      ASSERT_EQ((float)re[i], s.m_pData[2 * i]);
      ASSERT_EQ((float)im[i], s.m_pData[2 * i + 1]);
    }
    // The kept data are the input of the window functions.
    EXPECT_EQ(0, std::memcmp(s.m_pData, s.m_pRawData, 32768 * sizeof(float)));
  }
}

TEST(BrukerImport, ProcessedDataInTheByteOrderOfTheProcessing) {
  // Acquired on one computer, processed on another: 1r and 1i are in the
  // order procs gives, and the spectrum keeps the order they were read in.
  struct Case {
    bool bWinNmr;
    const char* acqusOrder;  // "" leaves acqus without any sign of its order
    const char* procsOrder;
    int nEntered;  // the order the user gives when asked; -1: not asked
    int nRead;     // 1: 1r and 1i are written big-endian
    const char* source;
  } cases[] = {
      {false, "##$BYTORDA= 1\n", "##$BYTORDP= 0\n", -1, 0, "procs"},
      {false, "##$BYTORDA= 0\n", "##$BYTORDP= 1\n", -1, 1, "procs"},
      {false, "##$BYTORDA= 1\n", "", -1, 1, "acqus"},
      {false, "", "##$BYTORDP= 1\n", -1, 1, "procs"},
      {false, "", "", 1, 1, "chosen"},
      {true, "##$BYTORDA= 1\n", "", -1, 0, "PC"},
      {true, "##$BYTORDA= 0\n", "##$BYTORDP= 1\n", -1, 1, "procs"},
  };
  const int si = 8;
  const std::vector<int32_t> re = Ramp(si), im = Ramp(si, 1);
  for (const Case& c : cases) {
    const std::string name = std::string(c.bWinNmr ? "WinNMR " : "") + c.acqusOrder + "|" + c.procsOrder;
    TempFolder folder;
    folder.Write("1/acqus", Acqus(64, c.acqusOrder, "NMR"));
    folder.Write("1/pdata/1/procs", c.procsOrder + Procs(si));
    const bool bBig = c.nRead == 1;
    if (c.bWinNmr) {
      folder.Write("1/pdata/1/1r", Float32Bytes(std::vector<float>(re.begin(), re.end()), bBig));
      folder.Write("1/pdata/1/1i", Float32Bytes(std::vector<float>(im.begin(), im.end()), bBig));
    } else {
      folder.Write("1/pdata/1/1r", Int32Bytes(re, bBig));
      folder.Write("1/pdata/1/1i", Int32Bytes(im, bBig));
    }
    FakeDocument doc;
    if (c.nEntered >= 0)
      doc.policy.ScriptValues({kSf, kSw, 2 * si, c.nEntered});
    const std::string path = folder.Path("1/pdata/1/1r");
    ASSERT_TRUE(c.bWinNmr ? ImportWinNmr(doc, path) : ImportBruker(doc, path)) << name << doc.error;
    const CSpectrum& s = *doc.spectra[0];
    for (int i = 0; i < si; ++i) {
      ASSERT_EQ((float)re[i], s.m_pData[2 * i]) << name << i;
      ASSERT_EQ((float)im[i], s.m_pData[2 * i + 1]) << name << i;
    }
    EXPECT_EQ(c.nRead, s.m_paramsA.byteorder) << name;
    EXPECT_EQ(c.nEntered >= 0 ? 1 : 0, doc.policy.m_nQuestions) << name;
    // A spectrum as a transform leaves one: the inverse is offered on ppm.
    EXPECT_EQ(1, s.m_bTransformed) << name;
    EXPECT_EQ(AXIS_UNITS_PPM, s.m_Scale.m_nUnits) << name;
    EXPECT_EQ(0, s.m_paramsA.DECIM) << name;
    EXPECT_EQ(1, s.m_paramsB.aqmode) << name;
    EXPECT_EQ(1, s.m_paramsB.bComplex) << name;
    EXPECT_EQ(c.bWinNmr ? 1 : 0, s.m_paramsA.bConjugate) << name;
    EXPECT_TRUE(doc.HasHistory(std::string("Processed data read in the ") + c.source + " byte order (" +
                               (bBig ? "Big Endian)" : "Little Endian)")))
        << name;
  }
}

TEST(BrukerImport, ProcessedWithRealParameterFiles) {
  // A real experiment acquired big-endian and processed little-endian.
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/";
  TempFolder folder;
  folder.Write("1/acqus", Slurp(real + "acqus"));
  folder.Write("1/pdata/1/procs", Slurp(real + "pdata/1/procs"));
  const int si = 32768;
  std::vector<int32_t> re = Ramp(si), im = Ramp(si, 3);
  re[100] = 440000000;
  folder.Write("1/pdata/1/1r", Int32Bytes(re, false));
  folder.Write("1/pdata/1/1i", Int32Bytes(im, false));
  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, folder.Path("1/pdata/1/1r"))) << doc.error;
  const CSpectrum& s = *doc.spectra[0];
  ASSERT_EQ(2 * si, s.m_paramsA.td);
  EXPECT_EQ(0, s.m_paramsA.byteorder);
  EXPECT_EQ(440000000.0f, s.m_pData[200]);
  EXPECT_EQ((float)im[si - 1], s.m_pData[2 * si - 1]);
}

TEST(BrukerImport, ProcessedWithoutOffsetAsksForIt) {
  TempFolder folder;
  folder.Write("1/acqus", Acqus(16));
  folder.Write("1/pdata/1/procs", Procs(4, ""));
  folder.Write("1/pdata/1/1r", Int32Bytes({1, 2, 3, 4}, false));
  folder.Write("1/pdata/1/1i", Int32Bytes({5, 6, 7, 8}, false));

  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, folder.Path("1/pdata/1/1r"))) << doc.error;
  EXPECT_EQ(1, doc.policy.m_nQuestions);
  ASSERT_EQ(1, doc.policy.m_keys.GetCount());
  EXPECT_STREQ("offset", (LPCSTR)doc.policy.m_keys.GetHead());
  EXPECT_DOUBLE_EQ(8.0, doc.spectra[0]->m_paramsA.offset);  // td without an OFFSET

  FakeDocument aborted(CScriptedMissingParameters::abortImport);
  EXPECT_FALSE(ImportBruker(aborted, folder.Path("1/pdata/1/1r")));
  EXPECT_EQ("Importing aborted", aborted.history.back());
  EXPECT_TRUE(aborted.spectra.empty());

  // A short imaginary part is refused, not filled with whatever memory held.
  folder.Write("1/pdata/1/1i", Int32Bytes({5, 6, 7}, false));
  FakeDocument shortFile;
  EXPECT_FALSE(ImportBruker(shortFile, folder.Path("1/pdata/1/1r")));
  EXPECT_TRUE(shortFile.spectra.empty());
  EXPECT_FALSE(shortFile.error.empty());
}

// A real TopSpin processed folder kept without its imaginary part (1i)
// opens as a real spectrum, and the history says why it has no imaginary
// part; a 1r cut short stays refused.
TEST(BrukerImport, ProcessedDataWithoutTheImaginaryPartOpenAsARealSpectrum) {
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-gaba-13c/13C/";
  TempFolder folder;
  for (const char* name : {"acqus", "pdata/1/procs", "pdata/1/title", "pdata/1/1r"})
    folder.Write(std::string("13C/") + name, Slurp(real + name));
  const std::string words = Slurp(real + "pdata/1/1r");
  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, folder.Path("13C/pdata/1/1r"))) << doc.error;
  ASSERT_EQ(1u, doc.spectra.size());
  const CSpectrum& s = *doc.spectra[0];
  ASSERT_EQ((int)(words.size() / 2), s.m_paramsA.td);
  for (int i = 0; i < s.m_paramsA.td / 2; ++i) {
    int32_t w;
    std::memcpy(&w, words.data() + 4 * i, 4);  // little-endian, as the machine
    ASSERT_EQ((float)w, s.m_pData[2 * i]) << i;
    ASSERT_EQ(0.0f, s.m_pData[2 * i + 1]) << i;
  }
  EXPECT_EQ(1, s.m_bTransformed);
  EXPECT_TRUE(doc.HasHistory("No imaginary part found: the spectrum is read as real, its imaginary part 0"));
  EXPECT_FALSE(doc.HasHistory("Failed to import imaginary part. Importing aborted"));

  folder.Write("13C/pdata/1/1r", words.substr(0, words.size() - 4));
  FakeDocument cut;
  EXPECT_FALSE(ImportBruker(cut, folder.Path("13C/pdata/1/1r")));
  EXPECT_EQ("error opening real part. \nNumber of points different from expected", cut.error);
  EXPECT_TRUE(cut.spectra.empty());

  // Without 1r there is nothing to show.
  folder.Remove("13C/pdata/1/1r");
  FakeDocument none;
  EXPECT_FALSE(ImportBruker(none, folder.Path("13C/pdata/1/1r")));
  EXPECT_EQ("Failed to import real part. Importing aborted\n Importing aborted", none.error);
}

TEST(BrukerImport, FidWithoutProcsAsksNothing) {
  TempFolder folder;
  WriteExperiment(folder);
  folder.Remove("1/pdata/1/procs");
  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, folder.Path("1/fid"))) << doc.error;
  EXPECT_EQ(0, doc.policy.m_nQuestions);
  EXPECT_EQ(0.0, doc.spectra[0]->m_paramsA.offset);
  EXPECT_TRUE(doc.HasHistory("Cannot open procs file: the spectrum will not be refereneced"));
}

TEST(BrukerImport, ValuesTheUserEntersAreUsed) {
  // No TD in acqus: the procs SI must not stand in for it, and the td the
  // user enters is the one read.
  TempFolder folder;
  WriteExperiment(folder);
  folder.Write("1/acqus", "##$BYTORDA= 0 ##$SW_h= 5000 ##$BF1= 400.13\n");
  folder.Write("1/pdata/1/procs", "##$SI= 64\n");
  FakeDocument doc;
  doc.policy.ScriptValues({kSf, kSw, 16, 0});
  ASSERT_TRUE(ImportBruker(doc, folder.Path("1/fid"))) << doc.error;
  bool bAskedTd = false;
  for (POSITION pos = doc.policy.m_keys.GetHeadPosition(); pos != nullptr;)
    bAskedTd |= doc.policy.m_keys.GetNext(pos) == "td";
  EXPECT_TRUE(bAskedTd);
  ExpectData(*doc.spectra[0], Ramp(16));
}

TEST(BrukerImport, FailuresGiveTheirReasonAndAddNothing) {
  struct Case {
    const char* name;
    void (*damage)(const TempFolder&);
    const char* error;
  } cases[] = {
      {"no acqus", [](const TempFolder& f) { f.Remove("1/acqus"); }, "Error opening acqus file"},
      {"no fid", [](const TempFolder& f) { f.Remove("1/fid"); }, "Error opening the fid"},
      {"short fid", [](const TempFolder& f) { f.Write("1/fid", Int32Bytes(Ramp(15), false)); },
       "error opening FID. \nNumber of points different from expected"},
      {"odd td", [](const TempFolder& f) { f.Write("1/acqus", Acqus(15)); },
       "Invalid number of data points (td = 15).\nImporting aborted"},
      {"huge td", [](const TempFolder& f) { f.Write("1/acqus", Acqus(1 << 30)); },
       "Invalid number of data points (td = 1073741824).\nImporting aborted"},
      {"negative td", [](const TempFolder& f) { f.Write("1/acqus", Acqus(-2)); },
       "Invalid number of data points (td = -2).\nImporting aborted"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    WriteExperiment(folder);
    c.damage(folder);
    FakeDocument doc;
    EXPECT_FALSE(ImportBruker(doc, folder.Path("1/fid"))) << c.name;
    EXPECT_EQ(c.error, doc.error) << c.name;
    EXPECT_TRUE(doc.spectra.empty()) << c.name;
  }
}

// The buffer the words are read into comes first and fails in its own
// words; the spectrum's buffers after it in the common ones.
TEST(BrukerImport, FailedAllocationLeavesNoSpectrum) {
  TempFolder folder;
  WriteExperiment(folder);
  folder.Write("1/pdata/1/1r", Int32Bytes(Ramp(16), false));
  folder.Write("1/pdata/1/1i", Int32Bytes(Ramp(16), false));
  const std::string kMemory = "Memory exhausted. \nImporting aborted";
  const struct {
    bool bWinNmr;
    const char* file;
    const char* firstFailure;
  } cases[] = {
      {false, "1/fid", "error no memory"},
      {false, "1/pdata/1/1r", "Cannot allocate memory  real part"},
      {true, "1/fid", "error no memory"},
      {true, "1/pdata/1/1r", "Cannot allocate memory importing real part"},
  };
  static int s_nAllowed;
  for (const auto& c : cases) {
    for (int allowed : {0, 1}) {
      s_nAllowed = allowed;
      CSpectrum::AllocationHook old = CSpectrum::SetAllocationHook([](std::size_t) { return s_nAllowed-- > 0; });
      FakeDocument doc;
      const std::string path = folder.Path(c.file);
      EXPECT_FALSE(c.bWinNmr ? ImportWinNmr(doc, path) : ImportBruker(doc, path));
      CSpectrum::SetAllocationHook(old);
      EXPECT_EQ(allowed == 0 ? c.firstFailure : kMemory, doc.error) << c.bWinNmr << c.file << allowed;
      EXPECT_TRUE(doc.spectra.empty());
    }
  }
}

TEST(BrukerImport, TruncatedAndCorruptedCopiesAreRefusedOrReadFully) {
  TempFolder folder;
  WriteExperiment(folder);
  const std::string acqus = Acqus(16);
  const std::string fid = Int32Bytes(Ramp(16), false);
  const std::string procs = Procs(16);
  auto check = [&](const char* what, size_t n) {
    FakeDocument doc;
    BOOL bOk = ImportBruker(doc, folder.Path("1/fid"));
    if (bOk) {
      ASSERT_EQ(1u, doc.spectra.size()) << what << n;
      ASSERT_TRUE(doc.AllSpectraFilled()) << what << n;
    } else {
      ASSERT_FALSE(doc.error.empty()) << what << n;
      ASSERT_TRUE(doc.spectra.empty()) << what << n;
    }
  };
  for (size_t n = 0; n <= acqus.size(); ++n) {
    folder.Write("1/acqus", acqus.substr(0, n));
    check("acqus prefix ", n);
  }
  folder.Write("1/acqus", acqus);
  for (size_t n = 0; n <= fid.size(); ++n) {
    folder.Write("1/fid", fid.substr(0, n));
    check("fid prefix ", n);
  }
  std::mt19937 random(1234);
  for (int round = 0; round < 150; ++round) {
    std::string a = acqus, f = fid, p = procs;
    std::string* target = round % 3 == 0 ? &a : round % 3 == 1 ? &f : &p;
    for (int k = 0; k < 3; ++k)
      (*target)[random() % target->size()] = (char)(random() & 0xFF);
    folder.Write("1/acqus", a);
    folder.Write("1/fid", f);
    folder.Write("1/pdata/1/procs", p);
    check("flip round ", (size_t)round);
  }
}

// The real TopSpin files cut short: each data set is refused with a reason
// or read whole (a series keeps the whole FIDs before a short one, as its
// importer says). Of the parameter files every prefix that ends in or near a
// record the readers take, and a spread of the others (which end in records
// nobody reads); of the data files those near either end and a spread of
// others (the reader only asks whether all words are there).
TEST(BrukerImport, PrefixesOfTopSpinExperimentsAreRefusedOrReadWhole) {
  struct Chosen {
    const char* path;
    std::vector<std::string> reads;  // the files its import reads
    size_t spectra;
  };
  struct Experiment {
    const char* folder;
    std::vector<Chosen> chosen;
  } experiments[] = {
      {"bruker-gaba-13c/13C/",
       {{"fid", {"acqus", "pdata/1/procs", "fid"}, 1},
        {"pdata/1/1r", {"acqus", "pdata/1/procs", "pdata/1/1r", "pdata/1/1i"}, 1}}},
      {"bruker-t1-2d/1/", {{"ser", {"acqus", "acqu2s", "pdata/1/procs", "ser"}, 10}}},
      // Processed data kept without 1i.
      {"bruker-gaba-13c/13C/", {{"pdata/1/1r", {"acqus", "pdata/1/procs", "pdata/1/1r"}, 1}}},
  };
  for (const Experiment& e : experiments) {
    const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/" + e.folder;
    TempFolder folder;
    std::vector<std::string> files;
    for (const Chosen& c : e.chosen)
      for (const std::string& name : c.reads)
        if (std::find(files.begin(), files.end(), name) == files.end()) {
          files.push_back(name);
          folder.Write("x/" + name, Slurp(real + name));
        }
    for (const std::string& name : files) {
      const std::string full = Slurp(real + name);
      std::vector<bool> near(full.size() + 1, false);
      for (size_t n = 0; n < 64 && n <= full.size(); n++)
        near[n] = near[full.size() - n] = true;
      for (const char* record : {"##$AQ_mod=", "##$BF1=", "##$BYTORDA=", "##$DECIM=", "##$DSPFVS=", "##$GRPDLY=",
                                 "##$SW_h=", "##$TD=", "##$DTYPA=", "##$OFFSET=", "##$SI=", "##$BYTORDP="})
        for (size_t at = full.find(record); at != std::string::npos; at = full.find(record, at + 1))
          for (size_t n = at; n <= full.size() && n < at + std::strlen(record) + 24; n++)
            near[n] = true;
      const size_t nSpread = full.size() > 100000 ? 8191 : 1021;
      for (size_t n = 0; n <= full.size(); n++) {
        if (!near[n] && n % nSpread != 0)
          continue;
        folder.Write("x/" + name, full.substr(0, n));
        for (const Chosen& c : e.chosen) {
          if (std::find(c.reads.begin(), c.reads.end(), name) == c.reads.end())
            continue;
          const std::string what = std::string(e.folder) + name + " cut at " + std::to_string(n) + ", " + c.path;
          FakeDocument doc;
          const BOOL bRead = ImportBruker(doc, folder.Path(std::string("x/") + c.path));
          ASSERT_TRUE(doc.AllSpectraFilled()) << what;
          if (bRead) {
            // A cut acqu2s may count fewer FIDs; they are read whole.
            if (name == "acqu2s")
              ASSERT_GE(doc.spectra.size(), 1u) << what;
            else
              ASSERT_EQ(c.spectra, doc.spectra.size()) << what;
          } else {
            ASSERT_FALSE(doc.error.empty()) << what;
            ASSERT_LT(doc.spectra.size(), c.spectra) << what;
          }
        }
      }
      folder.Write("x/" + name, full);
    }
  }
}

TEST(WinNmrImport, ArchiveGivesEverything) {
  TempFolder folder;
  folder.Write("w/h1.dis", "##$AQMODE= 1 ##$SPWIDTH= 6000 ##$TDSIZE= 4 ##$SFREQ= 500.1");
  folder.Write("w/h1.fid", Float32Bytes({1.0f, -2.0f, 3.5f, 4.0f}));
  folder.Write("w/title", "not read");
  FakeDocument doc;
  ASSERT_TRUE(ImportWinNmr(doc, folder.Path("w/h1.fid"))) << doc.error;
  const CSpectrum& s = *doc.spectra[0];
  EXPECT_EQ(4, s.m_paramsA.td);
  EXPECT_DOUBLE_EQ(6000.0, s.m_paramsA.sw);
  EXPECT_DOUBLE_EQ(500.1, s.m_paramsA.sf);
  EXPECT_STREQ("Untitled", (LPCSTR)s.m_paramsA.title);
  EXPECT_EQ(-2.0f, s.m_pData[1]);
  EXPECT_EQ(3.5f, s.m_pRawData[2]);
  EXPECT_EQ(0, doc.policy.m_nQuestions);
}

// The floats are the PC's whatever the acquisition's byte order was, and
// the spectrum says so; procs OFFSET is the shift of the first point, as
// for XWIN-NMR.
TEST(WinNmrImport, FidWithAcqusKeepsItsFloatsInThePcsOrderAndItsShift) {
  TempFolder folder;
  folder.Write("1/acqus", Acqus(4, "##$BYTORDA= 1\n"));
  folder.Write("1/pdata/1/procs", Procs(4, "##$OFFSET= 12.5\n"));
  folder.Write("1/fid", Float32Bytes({0.5f, 1.5f, -2.5f, 8.0f}));
  FakeDocument doc;
  ASSERT_TRUE(ImportWinNmr(doc, folder.Path("1/fid"))) << doc.error;
  const CSpectrum& s = *doc.spectra[0];
  EXPECT_EQ(1.5f, s.m_pData[1]);  // no byte reversal, whatever BYTORDA says
  EXPECT_EQ(0, s.m_paramsA.byteorder);
  EXPECT_DOUBLE_EQ(12.5, s.ConvertUnits(0, AXIS_UNITS_PPM));

  // Without any sign of the acquisition's order nobody is asked for one.
  folder.Write("1/acqus", Acqus(4, "", "NMR"));
  FakeDocument unordered;
  ASSERT_TRUE(ImportWinNmr(unordered, folder.Path("1/fid"))) << unordered.error;
  EXPECT_EQ(0, unordered.policy.m_nQuestions);
  EXPECT_EQ(0, unordered.spectra[0]->m_paramsA.byteorder);

  folder.Remove("1/pdata/1/procs");
  FakeDocument noProcs;
  ASSERT_TRUE(ImportWinNmr(noProcs, folder.Path("1/fid")));
  EXPECT_EQ("Cannot open procs file: the spectrum will not be refereneced", noProcs.error);
}

TEST(WinNmrImport, ProcessedWithoutArchiveReadsAcqusAndProcs) {
  TempFolder folder;
  folder.Write("1/acqus", Acqus(64));
  folder.Write("1/pdata/1/procs", Procs(2));
  folder.Write("1/pdata/1/1r", Float32Bytes({1.0f, 2.0f}));
  folder.Write("1/pdata/1/1i", Float32Bytes({-1.0f, -2.0f}));
  FakeDocument doc;
  ASSERT_TRUE(ImportWinNmr(doc, folder.Path("1/pdata/1/1r"))) << doc.error;
  const CSpectrum& s = *doc.spectra[0];
  ASSERT_EQ(4, s.m_paramsA.td);
  EXPECT_EQ(2.0f, s.m_pData[2]);
  EXPECT_EQ(-2.0f, s.m_pData[3]);
  EXPECT_NEAR(10.5, s.ConvertUnits(0, AXIS_UNITS_PPM), 1e-12) << "procs OFFSET, in ppm";

  // Kept without 1i: a real spectrum.
  folder.Remove("1/pdata/1/1i");
  FakeDocument real;
  ASSERT_TRUE(ImportWinNmr(real, folder.Path("1/pdata/1/1r"))) << real.error;
  const float* pData = real.spectra[0]->m_pData;
  EXPECT_EQ((std::vector<float>{1.0f, 0.0f, 2.0f, 0.0f}), std::vector<float>(pData, pData + 4));
  EXPECT_TRUE(real.HasHistory("No imaginary part found: the spectrum is read as real, its imaginary part 0"));

  // Without procs there is no size: refused with a reason, nothing added.
  folder.Remove("1/pdata/1/procs");
  FakeDocument none;
  EXPECT_FALSE(ImportWinNmr(none, folder.Path("1/pdata/1/1r")));
  EXPECT_EQ("Failed to import procs/fqs file.\n Importing aborted", none.error);
  EXPECT_TRUE(none.spectra.empty());
}

// The two readers on the same real files: the first point of each spectrum
// (of an FID, of its transform) at the ppm procs OFFSET gives it. WinNMR
// reads the words as floats; only the axis is compared.
TEST(WinNmrImport, TheFirstPointLiesWhereTheXwinNmrReaderPutsIt) {
  for (const char* file : {"bruker-aspirin-1h/1/fid", "bruker-gaba-13c/13C/fid", "bruker-gaba-13c/13C/pdata/1/1r"}) {
    const std::string path = std::string(BRIVANE_REALDATA_DIR) + "/" + file;
    const std::string procs =
        path.substr(0, path.rfind('/') + 1) + (path.find("pdata") == std::string::npos ? "pdata/1/" : "") + "procs";
    const std::string text = Slurp(procs);
    const double dOffset = std::atof(text.c_str() + text.find("##$OFFSET=") + 10);
    FakeDocument bruker, winNmr;
    ASSERT_TRUE(ImportBruker(bruker, path)) << file << bruker.error;
    ASSERT_TRUE(ImportWinNmr(winNmr, path)) << file << winNmr.error;
    const CSpectrum& b = *bruker.spectra[0];
    const CSpectrum& w = *winNmr.spectra[0];
    EXPECT_EQ(b.m_paramsA.td, w.m_paramsA.td) << file;
    EXPECT_NEAR(dOffset, b.ConvertUnits(0, AXIS_UNITS_PPM), 1e-9) << file;
    EXPECT_NEAR(dOffset, w.ConvertUnits(0, AXIS_UNITS_PPM), 1e-9) << file;
  }
}

// GRPDLY of firmware the delay table does not know is the FID's rotation;
// one that cannot be is dropped, and the history says so where it counted.
TEST(BrukerImport, GroupDelayOfNewerFirmware) {
  struct {
    const char* dspfvs;
    const char* grpdly;
    double kept;
    const char* line;  // "" when none
  } cases[] = {
      {"21", "4.5", 4.5, ""},
      {"21", "-1", 0.0, "GRPDLY of acqus (-1) is negative: the FID is not rotated for the digital filter"},
      {"20", "8", 0.0,
       "GRPDLY of acqus (8) is not less than the number of points: the FID is not rotated for the digital filter"},
      {"21", "1e300", 0.0,
       "GRPDLY of acqus (1e+300) is not less than the number of points: the FID is not rotated for the digital "
       "filter"},
      {"21", "abc", 0.0, "GRPDLY of acqus is not a number: the FID is not rotated for the digital filter"},
      {"12", "-1", 0.0, ""},  // the table's firmware: older acqus write -1
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteExperiment(folder);
    std::string acqus = Acqus(16);
    acqus.replace(acqus.find("##$DSPFVS= 12"), 13, std::string("##$DSPFVS= ") + c.dspfvs + "\n##$GRPDLY= " + c.grpdly);
    folder.Write("1/acqus", acqus);
    FakeDocument doc;
    ASSERT_TRUE(ImportBruker(doc, folder.Path("1/fid"))) << c.grpdly << doc.error;
    EXPECT_EQ(c.kept, doc.spectra[0]->m_paramsA.GRPDLY) << c.dspfvs << " " << c.grpdly;
    EXPECT_EQ(c.kept, doc.spectra[0]->m_paramsB.GRPDLY) << c.dspfvs << " " << c.grpdly;
    int nLines = 0;
    for (const std::string& line : doc.history)
      nLines += line.compare(0, 6, "GRPDLY") == 0;
    EXPECT_EQ(*c.line ? 1 : 0, nLines) << c.dspfvs << " " << c.grpdly;
    if (*c.line) {
      EXPECT_TRUE(doc.HasHistory(c.line)) << c.grpdly;
    }
  }
}

TEST(BrukerImport, RealExperiment) {
  const std::string path = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/fid";
  FakeDocument doc;
  ASSERT_TRUE(ImportBruker(doc, path)) << doc.error;
  ASSERT_EQ(1u, doc.spectra.size());
  const CSpectrum& s = *doc.spectra[0];
  EXPECT_EQ(16384, s.m_paramsA.td);
  EXPECT_DOUBLE_EQ(4789.27203065134, s.m_paramsA.sw);
  EXPECT_DOUBLE_EQ(300.13, s.m_paramsA.sf);
  EXPECT_EQ(24, s.m_paramsA.DECIM);
  EXPECT_EQ(10, s.m_paramsA.DSPFVS);
  EXPECT_EQ(1, s.m_paramsA.aqmode);
  EXPECT_NEAR(16384 - 16384 * 300.13 * 15.47866 / 4789.27203065134, s.m_paramsA.offset, 1e-6);
  EXPECT_STREQ("1H BBI\r\n", (LPCSTR)s.m_paramsA.title);  // the title file has no line end
  // Big-endian integers: the digital filter's first points, then the echo top.
  EXPECT_EQ(0.0f, s.m_pData[14]);
  EXPECT_EQ(32.0f, s.m_pData[15]);
  EXPECT_EQ(-32.0f, s.m_pData[17]);
  EXPECT_EQ(1007953.0f, s.m_pData[129]);
  EXPECT_EQ(0, doc.policy.m_nQuestions);
}
