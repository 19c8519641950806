// The Bruker 2D reader on experiments built from the documented records:
// both byte orders, rows padded to 1024 bytes, the group-delay table, and
// every way the parameter files or the serial file can fall short.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "ndim/import/NdBrukerReader.h"
#include "tests/ndim/import/nd_import_test_util.h"

namespace {

struct Experiment {
  int td = 8;    // f2 real values a row
  int rows = 3;  // f1
  bool big = false;
  bool padded = false;
  int decim = 16;
  int dspfvs = 12;
  bool doubles = false;  // 64-bit float words, as newer software writes
};

std::string Acqus(int td, double sw, double sfo1, bool big, int decim, int dspfvs, int aqMod) {
  return "##TITLE= Parameter file\n##$AQ_mod= " + std::to_string(aqMod) + "\n##$BYTORDA= " + (big ? "1" : "0") +
         "\n##$DECIM= " + std::to_string(decim) + "\n##$DSPFVS= " + std::to_string(dspfvs) +
         "\n##$SFO1= " + std::to_string(sfo1) + "\n##$SW_h= " + std::to_string(sw) + "\n##$TD= " + std::to_string(td) +
         "\n##$TD0= 1\n##END=\n";
}

// Row r, value i: r x 1000 - i, so that rows and signs tell apart.
std::vector<float> Values(const Experiment& e) {
  std::vector<float> v;
  for (int r = 0; r < e.rows; ++r)
    for (int i = 0; i < e.td; ++i)
      v.push_back(static_cast<float>(r * 1000 - i));
  return v;
}

std::string Serial(const Experiment& e) {
  std::string bytes;
  const std::vector<float> v = Values(e);
  for (int r = 0; r < e.rows; ++r) {
    for (int i = 0; i < e.td; ++i) {
      if (e.doubles) {
        BYTE word[8];
        (e.big ? WriteF64BE : WriteF64LE)(word, v[r * e.td + i]);
        bytes.append(reinterpret_cast<const char*>(word), 8);
      } else {
        bytes += IntBytes(static_cast<std::uint32_t>(static_cast<int>(v[r * e.td + i])), 4, e.big);
      }
    }
    while (e.padded && bytes.size() % 1024 != 0)
      bytes += '\0';
  }
  return bytes;
}

void WriteExperiment(const NdFolder& folder, const Experiment& e) {
  // The word type stands after the records read first.
  folder.Write("1/acqus",
               Acqus(e.td, 6000.0, 500.13, e.big, e.decim, e.dspfvs, 1) + (e.doubles ? "##$DTYPA= 2\n" : ""));
  folder.Write("1/acqu2s", Acqus(e.rows, 2000.0, 125.76, e.big, 1, e.dspfvs, 0));
  // f1's mode is in proc2s; proc's MC2 is f2's, of no use.
  folder.Write("1/pdata/1/proc", "##$MC2= 0\n");
  folder.Write("1/pdata/1/proc2s", "##$MC2= 3\n##$OFFSET= 120.5\n");
  folder.Write("1/pdata/1/procs", "##$OFFSET= 10.25\n");
  folder.Write("1/ser", Serial(e));
}

NdImport Read(const NdFolder& folder) {
  return RunReader(ReadBruker, folder.Path("1/ser"));
}

}  // namespace

TEST(NdBrukerReader, ReadsBothByteOrdersBothWordTypesAndRowsPaddedTo1024Bytes) {
  const Experiment cases[] = {{8, 3, false, false},
                              {8, 3, true, false},
                              {8, 3, false, true},
                              {6, 4, true, true},
                              {256, 2, true, false},
                              {8, 3, true, false, 16, 12, true},
                              {6, 3, false, true, 16, 12, true}};
  for (const Experiment& e : cases) {
    NdFolder folder;
    WriteExperiment(folder, e);
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    ExpectWholeSet(*r.set, e.rows, e.td / 2, Values(e));
    EXPECT_TRUE(r.shown.empty());
  }
}

TEST(NdBrukerReader, FillsBothDimensionBlocksFromTheirParameterFiles) {
  NdFolder folder;
  WriteExperiment(folder, Experiment());
  NdImport r = Read(folder);
  ASSERT_TRUE(r.set) << r.error;
  const DimensionBlock& f2 = r.set->m_dims[2];
  const DimensionBlock& f1 = r.set->m_dims[1];
  EXPECT_FLOAT_EQ(6000.0f, f2.m_fSpectralWidth);
  EXPECT_FLOAT_EQ(500.13f, f2.m_fSpectrometerFreq);
  EXPECT_FLOAT_EQ(71.6f, f2.m_fFirstPoint);  // DECIM 16, DSPFVS 12
  EXPECT_FLOAT_EQ(10.25f * 500.13f - 6000.0f, f2.m_fLastFrequency);
  EXPECT_EQ(1, f2.m_nAcquisitionMode);
  EXPECT_EQ(ndSenseForward, f2.m_nIndirectMode);
  EXPECT_FLOAT_EQ(2000.0f, f1.m_fSpectralWidth);
  EXPECT_FLOAT_EQ(125.76f, f1.m_fSpectrometerFreq);
  EXPECT_FLOAT_EQ(0.0f, f1.m_fFirstPoint);  // DECIM 1
  EXPECT_FLOAT_EQ(120.5f * 125.76f - 2000.0f, f1.m_fLastFrequency);
  EXPECT_EQ(0, f1.m_nAcquisitionMode);
  EXPECT_EQ(3, f1.m_nIndirectMode);
}

TEST(NdBrukerReader, GroupDelayComesFromTheTableOnlyWhereItHasAValue) {
  struct Case {
    int decim, dspfvs;
    float delay;
  } cases[] = {{2, 10, 44.75f}, {3, 11, 36.5f}, {2048, 10, 70.492432f}, {2048, 11, 72.03125f}, {128, 12, 72.524f},
               {192, 12, 0.0f}, {16, 13, 0.0f}, {1, 12, 0.0f},          {5, 10, 0.0f}};
  for (const Case& c : cases) {
    NdFolder folder;
    Experiment e;
    e.decim = c.decim;
    e.dspfvs = c.dspfvs;
    WriteExperiment(folder, e);
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    EXPECT_EQ(c.delay, r.set->m_dims[2].m_fFirstPoint) << c.decim << " " << c.dspfvs;
  }
}

// TopSpin 3 writes acqu2s without BYTORDA, DECIM, DSPFVS and AQ_mod: the
// data keep acqus' byte order, f1 has no filter and its mode comes from
// FnMODE where AQ_mod is absent (AQ_mod 3 is complex, as 1 is). A FnMODE
// that is no number or no mode says nothing, and the user is told.
TEST(NdBrukerReader, ATopSpin3Acqu2sTakesItsModeFromFnMode) {
  struct Case {
    const char* modeRecords;
    int mode;            // f1's acquisition mode code
    const char* shown;   // what the user is told, or null
    const char* reason;  // or the refusal
  } cases[] = {
      {"##$FnMODE= 0", 0, nullptr, nullptr},
      {"##$FnMODE= 1", 0, nullptr, nullptr},  // QF
      {"##$FnMODE= 2", 2, nullptr, nullptr},  // QSEQ
      {"##$FnMODE= 3", 2, nullptr, nullptr},  // TPPI
      {"##$FnMODE= 4", 1, nullptr, nullptr},  // States
      {"##$FnMODE= 5", 1, nullptr, nullptr},  // States-TPPI
      {"##$FnMODE= 6", 1, nullptr, nullptr},  // echo-antiecho
      {"##$AQ_mod= 3 ##$FnMODE= 1", 1, nullptr, nullptr},
      {"##$AQ_mod= 2 ##$FnMODE= 4", 2, nullptr, nullptr},
      {"##$FnMODE= 7", 0, "The FnMODE parameter in the acqu2s file is out of range", nullptr},
      {"##$FnMODE= -1", 0, "The FnMODE parameter in the acqu2s file is out of range", nullptr},
      {"##$FnMODE= x", 0, "Failed to read FnMODE parameter in the acqu2s file", nullptr},
      {"##$FnMODE=", 0, "Failed to read FnMODE parameter in the acqu2s file", nullptr},
      {"##$AQ_mod= 1 ##$FnMODE= 9", 1, "The FnMODE parameter in the acqu2s file is out of range", nullptr},
      {"##$AQ_mod= x ##$FnMODE= 4", 0, nullptr, "The acqu2s file gives no number for the acquisition parameter AQ_mod"},
      {"", 0, nullptr, "The acqu2s file lacks the acquisition parameters AQ_mod and FnMODE"},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    Experiment e;
    e.big = true;
    WriteExperiment(folder, e);
    folder.Write("1/acqus", Acqus(e.td, 6000.0, 500.13, e.big, e.decim, e.dspfvs, 3));
    folder.Write("1/acqu2s", std::string("##$SFO1= 125.76\n##$SW= 15.9\n##$SW_h= 2000\n##$TD= 3\n") + c.modeRecords);
    NdImport r = Read(folder);
    if (c.reason) {
      EXPECT_FALSE(r.set) << c.modeRecords;
      EXPECT_EQ(c.reason, r.error) << c.modeRecords;
      continue;
    }
    ASSERT_TRUE(r.set) << c.modeRecords << ": " << r.error;
    ExpectWholeSet(*r.set, e.rows, e.td / 2, Values(e));
    EXPECT_EQ(c.shown ? std::vector<std::string>{c.shown} : std::vector<std::string>{}, r.shown) << c.modeRecords;
    EXPECT_EQ(c.mode, r.set->m_dims[1].m_nAcquisitionMode) << c.modeRecords;
    EXPECT_EQ(3, r.set->m_dims[1].m_nIndirectMode) << "MC2 of proc2s stands";
    EXPECT_EQ(0.0f, r.set->m_dims[1].m_fFirstPoint) << c.modeRecords;
    EXPECT_EQ(1, r.set->m_dims[2].m_nAcquisitionMode) << "AQ_mod 3";
    EXPECT_FLOAT_EQ(2000.0f, r.set->m_dims[1].m_fSpectralWidth);
  }
}

// Firmware without a table entry writes its filter's delay as GRPDLY: f2's
// first-point offset, unless it is no count of points of the FID.
TEST(NdBrukerReader, GrpdlyIsTheDelayWhereTheTableHasNone) {
  struct Case {
    int decim, dspfvs;
    const char* grpdly;  // the record's value, null for no record
    float delay;
  } cases[] = {
      {5544, 20, "67.9852447509766", 67.98524475f},
      {1600, 21, "76", 76.0f},
      {192, 12, "3.5", 3.5f},  // the table's column ends before 192
      {1, 0, "12", 12.0f},
      {16, 12, "50", 71.6f},  // the table's value stands
      {5544, 20, nullptr, 0.0f},
      {5544, 20, "-1", 0.0f},
      {5544, 20, "0", 0.0f},
      {5544, 20, "128", 128.0f},  // td / 2: the last point
      {5544, 20, "128.5", 0.0f},
      {5544, 20, "1e300", 0.0f},
      {5544, 20, "abc", 0.0f},
      {5544, 20, "nan", 0.0f},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    Experiment e;
    e.td = 256;
    e.decim = c.decim;
    e.dspfvs = c.dspfvs;
    WriteExperiment(folder, e);
    const std::string record = c.grpdly ? std::string("##$GRPDLY= ") + c.grpdly + "\n" : "";
    folder.Write("1/acqus", Acqus(e.td, 6000.0, 500.13, e.big, e.decim, e.dspfvs, 1) + record);
    // f1 has no filter, whatever acqu2s says.
    folder.Write("1/acqu2s", Acqus(e.rows, 2000.0, 125.76, e.big, 1, 0, 0) + "##$GRPDLY= 2\n");
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    EXPECT_EQ(c.delay, r.set->m_dims[2].m_fFirstPoint) << (c.grpdly ? c.grpdly : "none");
    EXPECT_EQ(0.0f, r.set->m_dims[1].m_fFirstPoint);
    EXPECT_TRUE(r.shown.empty());
  }
}

// A stale SW_h in acqu2s gives way to SW (ppm) x SFO1 when the two differ
// by more than 0.1 %; acqus' SW_h always stands.
TEST(NdBrukerReader, F1sWidthIsSwTimesSfo1WhereSwHDisagrees) {
  struct Case {
    double swH;
    const char* sw;  // null for no record
    float width;
  } cases[] = {
      {6666.67, "10.9942", static_cast<float>(10.9942 * 500.132)},  // a TopSpin 2.1 COSY
      {5500.0, "10.9942", 5500.0f},                                 // 0.03 % apart
      {5494.0, "10.9942", 5494.0f},                                 // 0.08 %
      {5490.0, "10.9942", static_cast<float>(10.9942 * 500.132)},   // 0.16 %
      {6666.67, nullptr, 6666.67f},
      {6666.67, "x", 6666.67f},
      {6666.67, "0", 6666.67f},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    WriteExperiment(folder, Experiment());
    const std::string sw = c.sw ? std::string("##$SW= ") + c.sw + "\n" : "";
    folder.Write("1/acqus", Acqus(8, 6000.0, 500.13, false, 16, 12, 1) + "##$SW= 1\n");
    folder.Write("1/acqu2s", Acqus(3, c.swH, 500.132, false, 1, 0, 0) + sw);
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    EXPECT_FLOAT_EQ(c.width, r.set->m_dims[1].m_fSpectralWidth) << c.swH << " " << (c.sw ? c.sw : "none");
    EXPECT_FLOAT_EQ(6000.0f, r.set->m_dims[2].m_fSpectralWidth);
  }
}

// f1's mode is the MC2 of proc2s (a States-TPPI HMQC of TopSpin 3: FnMODE 5,
// proc2s MC2 4, proc MC2 0). One that cannot be read is shown by name and
// FnMODE's mode taken, else 0.
TEST(NdBrukerReader, F1sModeIsMc2OfProc2sElseFnMode) {
  struct Case {
    const char* proc2s;  // besides OFFSET
    const char* fnMode;  // the record of acqu2s, or null for AQ_mod 0 alone
    int code;
    std::vector<std::string> shown;
  } cases[] = {
      {"##$MC2= 4", "5", 4, {}},
      {"##$MC2= 0", "5", 0, {}},  // the mode TopSpin transformed f1 with
      {"##$MC2= 5", nullptr, 5, {}},
      {"", "5", 4, {"Failed to read mc2 parameter in the proc2s file"}},
      {"##$MC2= QF", "2", 1, {"Failed to read mc2 parameter in the proc2s file"}},
      {"##$MC2=", "4", 3, {"Failed to read mc2 parameter in the proc2s file"}},
      {"##$MC2= 6", "6", 5, {"The mc2 parameter in the proc2s file is out of range"}},
      {"##$MC2= -1", "1", 0, {"The mc2 parameter in the proc2s file is out of range"}},
      {"", "0", 0, {"Failed to read mc2 parameter in the proc2s file"}},
      {"", nullptr, 0, {"Failed to read mc2 parameter in the proc2s file"}},
      {"",
       "12",
       0,
       {"The FnMODE parameter in the acqu2s file is out of range", "Failed to read mc2 parameter in the proc2s file"}},
      {"##$MC2= 3", "x", 3, {"Failed to read FnMODE parameter in the acqu2s file"}},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    WriteExperiment(folder, Experiment());
    const std::string acqu2s = Acqus(3, 2000.0, 125.76, false, 1, 12, 0);
    folder.Write("1/acqu2s", c.fnMode ? acqu2s.substr(0, acqu2s.find("##$AQ_mod")) +
                                            acqu2s.substr(acqu2s.find("##$BYTORDA")) + "##$FnMODE= " + c.fnMode
                                      : acqu2s);
    folder.Write("1/pdata/1/proc2s", std::string(c.proc2s) + "\n##$OFFSET= 120.5\n");
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << c.proc2s << ": " << r.error;
    EXPECT_EQ(c.code, r.set->m_dims[1].m_nIndirectMode) << c.proc2s;
    EXPECT_EQ(c.shown, r.shown) << c.proc2s;
  }
}

// Echo and antiecho rows, E and A, become the States pair E - A, i (E + A);
// an odd last row stays as it was read.
TEST(NdBrukerReader, EchoAntiechoRowsAreReadAsStatesPairs) {
  for (int rows : {4, 5}) {
    NdFolder folder;
    Experiment e;
    e.rows = rows;
    WriteExperiment(folder, e);
    folder.Write("1/pdata/1/proc2s", "##$MC2= 5\n##$OFFSET= 120.5\n");
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    const std::vector<float> raw = Values(e);
    std::vector<float> expected = raw;
    for (int row = 0; row + 1 < rows; row += 2)
      for (int k = 0; k < e.td; k += 2) {
        const std::size_t i = static_cast<std::size_t>(row * e.td + k), j = i + static_cast<std::size_t>(e.td);
        expected[i] = raw[i] - raw[j];
        expected[i + 1] = raw[i + 1] - raw[j + 1];
        expected[j] = -(raw[i + 1] + raw[j + 1]);
        expected[j + 1] = raw[i] + raw[j];
      }
    ExpectWholeSet(*r.set, rows, e.td / 2, expected);
    EXPECT_EQ(5, r.set->m_dims[1].m_nIndirectMode);
  }
}

TEST(NdBrukerReader, RefusesWhatFallsShortBeforeReadingTheData) {
  struct Case {
    const char* name;
    std::function<void(const NdFolder&)> damage;
    const char* shown;             // the message the user sees, or null
    const char* reason = nullptr;  // the reason the caller is given, or null for any
  } cases[] = {
      {"no DSPFVS",
       [](const NdFolder& f) {
         f.Write("1/acqus", "##$AQ_mod= 1 ##$BYTORDA= 0 ##$DECIM= 1 ##$SFO1= 500 ##$SW_h= 6000 ##$TD= 8");
       },
       nullptr, "The acqus file lacks the acquisition parameter DSPFVS"},
      {"no acqu2s", [](const NdFolder& f) { f.Remove("1/acqu2s"); }, nullptr, "The acqu2s file is missing"},
      {"TD not a number",
       [](const NdFolder& f) {
         std::string text = Acqus(3, 1, 1, false, 1, 10, 0);
         f.Write("1/acqu2s", text.replace(text.find("##$TD= 3"), 8, "##$TD= x"));
       },
       nullptr, "The acqu2s file gives no number for the acquisition parameter TD"},
      {"acqu2s without SW_h", [](const NdFolder& f) { f.Write("1/acqu2s", "##$TD= 3 ##$SFO1= 125 ##$FnMODE= 4"); },
       nullptr, "The acqu2s file lacks the acquisition parameter SW_h"},
      {"acqu2s without SFO1", [](const NdFolder& f) { f.Write("1/acqu2s", "##$SW_h= 20 ##$TD= 3 ##$FnMODE= 4"); },
       nullptr, "The acqu2s file lacks the acquisition parameter SFO1"},
      {"no proc2s", [](const NdFolder& f) { f.Remove("1/pdata/1/proc2s"); },
       "Failed to read OFFSET parameter in the proc2s file"},
      {"procs without OFFSET", [](const NdFolder& f) { f.Write("1/pdata/1/procs", "##$SI= 8\n"); },
       "Failed to read OFFSET parameter in the procs file"},
      {"one row short", [](const NdFolder& f) { f.Write("1/ser", std::string(2 * 8 * 4, '\1')); }, nullptr},
      {"TD 1", [](const NdFolder& f) { f.Write("1/acqus", Acqus(1, 6000, 500, false, 1, 10, 1)); }, nullptr},
      {"rows x points past any buffer",
       [](const NdFolder& f) { f.Write("1/acqu2s", Acqus(2147483647, 1, 1, false, 1, 10, 0)); }, nullptr},
      {"rows x points far past the file",
       [](const NdFolder& f) { f.Write("1/acqu2s", Acqus(30000, 1, 1, false, 1, 10, 0)); }, nullptr},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    WriteExperiment(folder, Experiment());
    c.damage(folder);
    NdImport r = Read(folder);
    EXPECT_FALSE(r.set) << c.name;
    EXPECT_FALSE(r.error.empty()) << c.name;
    if (c.reason)
      EXPECT_EQ(c.reason, r.error) << c.name;
    if (c.shown)
      EXPECT_EQ(std::vector<std::string>{c.shown}, r.shown) << c.name;
    else
      EXPECT_TRUE(r.shown.empty()) << c.name;
  }
}

TEST(NdBrukerReader, EveryShorterOrDamagedCopyIsRefusedOrReadWhole) {
  NdFolder folder;
  const Experiment e;
  WriteExperiment(folder, e);
  CheckPrefixesAndFlips(folder, "1/ser", Serial(e), [&] { return Read(folder); });
  CheckPrefixesAndFlips(folder, "1/acqus", Acqus(e.td, 6000.0, 500.13, e.big, e.decim, e.dspfvs, 1),
                        [&] { return Read(folder); });
  CheckPrefixesAndFlips(folder, "1/pdata/1/procs", "##$OFFSET= 10.25\n", [&] { return Read(folder); });
  CheckPrefixesAndFlips(folder, "1/pdata/1/proc2s", "##$MC2= 3\n##$OFFSET= 120.5\n", [&] { return Read(folder); });
}

// A padded file is read whole once its last row is complete; shorter, it is
// refused, but for the one length at which it looks like back-to-back rows.
TEST(NdBrukerReader, APaddedSerialFileCutShortIsRefused) {
  NdFolder folder;
  Experiment e;
  e.padded = true;
  WriteExperiment(folder, e);
  const std::string ser = Serial(e);
  const std::size_t lastRowEnd = 2 * 1024 + 8 * 4, backToBack = 3 * 8 * 4;
  for (std::size_t n : {0, 4, 32, 95, 96, 97, 1024, 1056, 2048, 2079, 2080, 3071}) {
    folder.Write("1/ser", ser.substr(0, n));
    NdImport r = Read(folder);
    if (n >= lastRowEnd)
      ExpectWholeSet(*r.set, e.rows, e.td / 2, Values(e));
    else
      EXPECT_EQ(n == backToBack, r.set != nullptr) << n;
  }
}

// A real experiment's files (a 1D one, its acqus standing in for acqu2s
// with one row): the records are found as the spectrometer wrote them.
TEST(NdBrukerReader, ReadsTheRecordsOfARealExperiment) {
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/";
  std::ifstream acqusFile(real + "acqus"), procsFile(real + "pdata/1/procs"), fidFile(real + "fid", std::ios::binary);
  const std::string acqus((std::istreambuf_iterator<char>(acqusFile)), std::istreambuf_iterator<char>());
  const std::string procs((std::istreambuf_iterator<char>(procsFile)), std::istreambuf_iterator<char>());
  const std::string fid((std::istreambuf_iterator<char>(fidFile)), std::istreambuf_iterator<char>());
  std::string acqu2s = acqus;
  acqu2s.replace(acqu2s.find("##$TD= 16384"), 12, "##$TD= 1");
  NdFolder folder;
  folder.Write("1/acqus", acqus);
  folder.Write("1/acqu2s", acqu2s);
  folder.Write("1/pdata/1/proc", procs);
  folder.Write("1/pdata/1/proc2s", procs);
  folder.Write("1/pdata/1/procs", procs);
  folder.Write("1/ser", fid);
  NdImport r = Read(folder);
  ASSERT_TRUE(r.set) << r.error;
  EXPECT_EQ(8192, r.set->m_dims[2].m_nPoints);
  EXPECT_FLOAT_EQ(4789.27203065134f, r.set->m_dims[2].m_fSpectralWidth);
  EXPECT_FLOAT_EQ(300.132250975f, r.set->m_dims[2].m_fSpectrometerFreq);
  EXPECT_FLOAT_EQ(61.020833f, r.set->m_dims[2].m_fFirstPoint);  // DECIM 24, DSPFVS 10
  EXPECT_NEAR(15.47866 * 300.132250975 - 4789.27203065134, r.set->m_dims[2].m_fLastFrequency, 1e-3);
  for (std::size_t i = 0; i < 16384; i += 997)
    EXPECT_EQ(static_cast<float>(ReadI32BE(reinterpret_cast<const BYTE*>(&fid[4 * i]))), r.set->m_pData[i]) << i;
}

// The TopSpin 3.2 serial file of tests/data: acqu2s of the new kind, DSPFVS
// 20 with its GRPDLY, digital quadrature. Shorter or damaged copies of its
// acqu2s and of its serial file are refused or read whole.
TEST(NdBrukerReader, ReadsATopSpin32SerialFile) {
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/";
  auto read = [&](const char* name) {
    std::ifstream in(real + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  NdFolder folder;
  for (const char* name : {"acqus", "acqu2s", "ser", "pdata/1/proc", "pdata/1/proc2s", "pdata/1/procs"})
    folder.Write(std::string("1/") + name, read(name));
  NdImport r = Read(folder);
  ASSERT_TRUE(r.set) << r.error;
  const DimensionBlock& f2 = r.set->m_dims[2];
  const DimensionBlock& f1 = r.set->m_dims[1];
  EXPECT_EQ(4096, f2.m_nPoints);
  EXPECT_FLOAT_EQ(3607.50360750361f, f2.m_fSpectralWidth);
  EXPECT_FLOAT_EQ(600.20152017f, f2.m_fSpectrometerFreq);
  EXPECT_FLOAT_EQ(67.9852447509766f, f2.m_fFirstPoint);
  EXPECT_EQ(1, f2.m_nAcquisitionMode);
  EXPECT_NEAR(5.538023 * 600.20152017 - 3607.50360750361, f2.m_fLastFrequency, 1e-3);
  EXPECT_EQ(10, f1.m_nPoints);
  EXPECT_FLOAT_EQ(6009.61538461538f, f1.m_fSpectralWidth);
  EXPECT_FLOAT_EQ(600.20152017f, f1.m_fSpectrometerFreq);
  EXPECT_EQ(0.0f, f1.m_fFirstPoint);
  EXPECT_EQ(0, f1.m_nAcquisitionMode);  // FnMODE 1, QF
  EXPECT_NEAR(4.631545 * 600.20152017 - 6009.61538461538, f1.m_fLastFrequency, 1e-3);
  const std::string ser = read("ser");
  ASSERT_EQ(ser.size(), 4 * DataOf(*r.set).size());
  for (std::size_t i = 0; i < ser.size() / 4; i += 4099)
    EXPECT_EQ(static_cast<float>(ReadI32LE(reinterpret_cast<const BYTE*>(&ser[4 * i]))), r.set->m_pData[i]) << i;

  CheckPrefixesAndFlips(folder, "1/acqu2s", read("acqu2s"), [&] { return Read(folder); });
  // The serial file cut anywhere (every 997th length, and about each row's
  // end) is refused.
  std::vector<std::size_t> cuts;
  for (std::size_t n = 0; n < ser.size(); n += 997)
    cuts.push_back(n);
  for (std::size_t row = 1; row <= 10; ++row)
    for (std::size_t n : {row * 32768 - 1, row * 32768 - 4, row * 32768 + 1})
      if (n < ser.size())
        cuts.push_back(n);
  for (std::size_t n : cuts) {
    folder.Cut("1/ser", n);
    NdImport cut = Read(folder);
    EXPECT_FALSE(cut.set) << n;
    EXPECT_EQ("The serial file is shorter than its acquisition parameters promise", cut.error) << n;
  }
}
