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
  folder.Write("1/pdata/1/proc", "##$MC2= 3\n");
  folder.Write("1/pdata/1/proc2s", "##$OFFSET= 120.5\n");
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

TEST(NdBrukerReader, AMissingMc2IsShownAndTakenAsZero) {
  NdFolder folder;
  WriteExperiment(folder, Experiment());
  folder.Write("1/pdata/1/proc", "##$PPARMOD= 1\n");
  NdImport r = Read(folder);
  ASSERT_TRUE(r.set) << r.error;
  EXPECT_EQ(std::vector<std::string>{"Failed to read mc2 parameter in the proc file"}, r.shown);
  EXPECT_EQ(0, r.set->m_dims[1].m_nIndirectMode);
}

TEST(NdBrukerReader, RefusesWhatFallsShortBeforeReadingTheData) {
  struct Case {
    const char* name;
    std::function<void(const NdFolder&)> damage;
    const char* shown;  // the message the user sees, or null
  } cases[] = {
      {"no DSPFVS",
       [](const NdFolder& f) {
         f.Write("1/acqus", "##$AQ_mod= 1 ##$BYTORDA= 0 ##$DECIM= 1 ##$SFO1= 500 ##$SW_h= 6000 ##$TD= 8");
       },
       nullptr},
      {"no acqu2s", [](const NdFolder& f) { f.Remove("1/acqu2s"); }, nullptr},
      {"TD not a number",
       [](const NdFolder& f) {
         std::string text = Acqus(3, 1, 1, false, 1, 10, 0);
         f.Write("1/acqu2s", text.replace(text.find("##$TD= 3"), 8, "##$TD= x"));
       },
       nullptr},
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
