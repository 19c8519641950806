// The Varian 2D reader on FIDs and procpar files built from the documented
// layouts: the three kinds of values, where procpar is looked for, which
// records must be there, and files that fall short.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/base/Endian.h"
#include "ndim/import/NdVarianReader.h"
#include "tests/ndim/import/nd_import_test_util.h"

namespace {

const int kStatusFloat = 0x0008;

struct Fid {
  int blocks = 3;
  int np = 6;
  int size = 4;  // bytes a value
  bool floats = false;
};

float Value(int block, int i) {
  return static_cast<float>(block * 100 - i * 7 - 1);
}

std::string FidImage(const Fid& f) {
  std::string b = IntBytes(static_cast<std::uint32_t>(f.blocks), 4, true) + std::string(4, '\0') +
                  IntBytes(static_cast<std::uint32_t>(f.np), 4, true) +
                  IntBytes(static_cast<std::uint32_t>(f.size), 4, true) + std::string(10, '\0') +
                  IntBytes(f.floats ? kStatusFloat : 0, 2, true) + std::string(4, '\0');
  for (int k = 0; k < f.blocks; ++k) {
    b += std::string(28, '\x55');  // block header: not read
    for (int i = 0; i < f.np; ++i) {
      const float v = Value(k, i);
      b += f.floats ? FloatBytes(v, true) : IntBytes(static_cast<std::uint32_t>(static_cast<int>(v)), f.size, true);
    }
  }
  return b;
}

std::vector<float> Values(const Fid& f) {
  std::vector<float> v;
  for (int k = 0; k < f.blocks; ++k)
    for (int i = 0; i < f.np / 2 * 2; ++i)
      v.push_back(Value(k, i));
  return v;
}

// One record as procpar writes it: the name line, then the values line, then
// the enumeration line.
std::string Record(const std::string& name, const std::string& value) {
  return name + " 1 1 1e9 -1e9 0 2 1 0 1 64\n1 " + value + "\n0\n";
}

std::string Procpar(const std::string& ni = "64", const std::string& arraydim = "128") {
  return Record("sfrq", "499.82") + Record("dfrq", "125.69") + Record("sw", "6000") + Record("sw1", "20000.5") +
         Record("rfl", "3000") + Record("rfp", "2500") + Record("rfl1", "9000") + Record("rfp1", "8000") +
         Record("arraydim", arraydim) + Record("ni", ni) + Record("np", "6");
}

NdImport Read(const NdFolder& folder, const char* name = "exp.fid/fid") {
  return RunReader(ReadVarian, folder.Path(name));
}

}  // namespace

TEST(NdVarianReader, ReadsSixteenAndThirtyTwoBitIntegersAndFloats) {
  const Fid cases[] = {{3, 6, 4, false}, {2, 8, 2, false}, {3, 4, 4, true}, {2, 7, 4, false}};
  for (const Fid& f : cases) {
    NdFolder folder;
    folder.Write("exp.fid/procpar", Procpar());
    folder.Write("exp.fid/fid", FidImage(f));
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    ExpectWholeSet(*r.set, f.blocks, f.np / 2, Values(f));
  }
}

TEST(NdVarianReader, FillsBothDimensionBlocksFromProcpar) {
  struct Case {
    const char* ni;
    const char* arraydim;
    int indirect;
  } cases[] = {{"64", "128", 3}, {"64", "64", 0}, {"1", "0", 0}};
  for (const Case& c : cases) {
    NdFolder folder;
    folder.Write("exp.fid/procpar", Procpar(c.ni, c.arraydim));
    folder.Write("exp.fid/fid", FidImage(Fid()));
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << r.error;
    const DimensionBlock& f2 = r.set->m_dims[2];
    const DimensionBlock& f1 = r.set->m_dims[1];
    EXPECT_FLOAT_EQ(499.82f, f2.m_fSpectrometerFreq);
    EXPECT_FLOAT_EQ(125.69f, f1.m_fSpectrometerFreq);
    EXPECT_FLOAT_EQ(6000.0f, f2.m_fSpectralWidth);
    EXPECT_FLOAT_EQ(20000.5f, f1.m_fSpectralWidth);
    EXPECT_FLOAT_EQ(-500.0f, f2.m_fLastFrequency);
    EXPECT_FLOAT_EQ(-1000.0f, f1.m_fLastFrequency);
    EXPECT_EQ(1, f2.m_nAcquisitionMode);
    EXPECT_EQ(ndSenseConjugate, f2.m_nIndirectMode) << "VnmrJ pairs are conjugated";
    EXPECT_EQ(c.indirect, f1.m_nIndirectMode) << c.ni << " " << c.arraydim;
  }
}

// f1's frequency is the experiment's reference frequency of f1 where VnmrJ
// gives one, the decoupler's otherwise; the names match as whole words.
TEST(NdVarianReader, F1TakesReffrq1WhereProcparGivesItElseDfrq) {
  const std::string cosy = Record("tn", "\"H1\"") + Record("dn", "\"C13\"") + Record("sfrq", "599.7931758") +
                           Record("dfrq", "150.8318042") + Record("sw", "6009.61538462") +
                           Record("sw1", "6009.61538462") + Record("arraydim", "512") + Record("ni", "256") +
                           Record("reffrq", "599.790763004");
  struct Case {
    const char* name;
    std::string procpar;
    float f1;
  } cases[] = {
      {"homonuclear gDQCOSY", cosy + Record("reffrq1", "599.790776633"), 599.790776633f},
      {"heteronuclear", cosy + Record("reffrq1", "150.8270441"), 150.8270441f},
      {"no reffrq1", cosy, 150.8318042f},
      {"reffrq1 only as a prefix", cosy + Record("reffrq10", "599.79"), 150.8318042f},
      {"reffrq1 zero", cosy + Record("reffrq1", "0"), 150.8318042f},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    folder.Write("exp.fid/procpar", c.procpar);
    folder.Write("exp.fid/fid", FidImage(Fid()));
    NdImport r = Read(folder);
    ASSERT_TRUE(r.set) << c.name << ": " << r.error;
    EXPECT_EQ(c.f1, r.set->m_dims[1].m_fSpectrometerFreq) << c.name;
    EXPECT_EQ(599.7931758f, r.set->m_dims[2].m_fSpectrometerFreq) << c.name;
    EXPECT_EQ(6009.61538462f, r.set->m_dims[1].m_fSpectralWidth) << c.name;
  }
}

TEST(NdVarianReader, ProcparIsAlsoLookedForBesideTheNameUpToItsLastDot) {
  NdFolder folder;
  folder.Write("run.fid", FidImage(Fid()));
  folder.Write("run.procpar", Procpar());
  NdImport r = Read(folder, "run.fid");
  ASSERT_TRUE(r.set) << r.error;

  folder.Remove("run.procpar");
  r = Read(folder, "run.fid");
  EXPECT_FALSE(r.set);
  EXPECT_EQ(std::vector<std::string>{"failed to open ProcPar file.\nImporting aborted"}, r.shown);
}

TEST(NdVarianReader, RefusesMissingRecordsAndHeadersWithoutAKnownLayout) {
  std::string noNi = Procpar();
  noNi.replace(noNi.find("ni "), 2, "nx");
  std::string noSw = Procpar();
  noSw.replace(noSw.find("sw "), 2, "sz");
  std::string noSw1 = noNi;
  noSw1.replace(noSw1.find("sw1 "), 3, "sx1");
  // The records missing are named, in the order they are looked for.
  const char* lacksNi = "The procpar file lacks the parameter ni of the 2D experiment";
  struct Case {
    const char* name;
    std::string procpar, fid;
    const char* error = nullptr;  // the reason, where a record is missing
  } cases[] = {
      {"no ni", noNi, FidImage(Fid()), lacksNi},
      {"ni no number", Procpar("x1"), FidImage(Fid()), lacksNi},
      {"no sw1, no ni", noSw1, FidImage(Fid()), "The procpar file lacks the parameters sw1, ni of the 2D experiment"},
      {"sw only as a prefix", noSw + Record("sweep", "1"), FidImage(Fid()),
       "The procpar file lacks the parameter sw of the 2D experiment"},
      {"eight-byte values", Procpar(), FidImage(Fid{3, 6, 8, false})},
      {"two-byte floats", Procpar(), FidImage(Fid{3, 6, 2, true})},
      {"no blocks", Procpar(), FidImage(Fid{0, 6, 4, false})},
      {"one value a block", Procpar(), FidImage(Fid{3, 1, 4, false})},
      {"blocks x values past any buffer", Procpar(), FidImage(Fid{3, 6, 4, false}).replace(8, 4, "\x7F\xFF\xFF\xFE")},
      {"short header", Procpar(), FidImage(Fid()).substr(0, 31)},
  };
  for (const Case& c : cases) {
    NdFolder folder;
    folder.Write("exp.fid/procpar", c.procpar);
    folder.Write("exp.fid/fid", c.fid);
    NdImport r = Read(folder);
    EXPECT_FALSE(r.set) << c.name;
    EXPECT_FALSE(r.error.empty()) << c.name;
    if (c.error != nullptr) {
      EXPECT_EQ(c.error, r.error) << c.name;
    }
    EXPECT_TRUE(r.shown.empty()) << c.name;
  }
}

TEST(NdVarianReader, EveryShorterOrDamagedCopyIsRefusedOrReadWhole) {
  NdFolder folder;
  folder.Write("exp.fid/procpar", Procpar());
  for (const Fid& f : {Fid{3, 6, 4, false}, Fid{2, 4, 2, false}})
    CheckPrefixesAndFlips(folder, "exp.fid/fid", FidImage(f), [&] { return Read(folder); });
  CheckPrefixesAndFlips(folder, "exp.fid/procpar", Procpar(), [&] { return Read(folder); });
}

// A real FID (one block of floats) and its procpar, given the two records
// only a 2D experiment has.
TEST(NdVarianReader, ReadsARealFidAndProcpar) {
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/varian-proton.fid/";
  std::ifstream procparFile(real + "procpar"), fidFile(real + "fid", std::ios::binary);
  const std::string procpar((std::istreambuf_iterator<char>(procparFile)), std::istreambuf_iterator<char>());
  const std::string fid((std::istreambuf_iterator<char>(fidFile)), std::istreambuf_iterator<char>());
  NdFolder folder;
  folder.Write("exp.fid/procpar", procpar);
  folder.Write("exp.fid/fid", fid);
  NdImport r = Read(folder);
  EXPECT_FALSE(r.set);
  EXPECT_EQ("The procpar file lacks the parameters sw1, ni of the 2D experiment", r.error);
  folder.Write("exp.fid/procpar", procpar + Record("sw1", "1000") + Record("ni", "1"));
  r = Read(folder);
  ASSERT_TRUE(r.set) << r.error;
  EXPECT_EQ(1, r.set->m_dims[1].m_nPoints);
  EXPECT_EQ(32768, r.set->m_dims[2].m_nPoints);
  EXPECT_FLOAT_EQ(599.8311617f, r.set->m_dims[2].m_fSpectrometerFreq);
  // This 1D experiment's procpar keeps a reffrq1 of another instrument's
  // 13C; read as a 2D set, f1 takes it.
  EXPECT_FLOAT_EQ(125.6955729f, r.set->m_dims[1].m_fSpectrometerFreq);
  EXPECT_FLOAT_EQ(12019.2307692f, r.set->m_dims[2].m_fSpectralWidth);
  EXPECT_FLOAT_EQ(static_cast<float>(37.1892340354 - 1240.69360581), r.set->m_dims[2].m_fLastFrequency);
  for (std::size_t i = 0; i < 65536; i += 4099)
    EXPECT_EQ(ReadF32BE(reinterpret_cast<const BYTE*>(&fid[60 + 4 * i])), r.set->m_pData[i]) << i;
}
