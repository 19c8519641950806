// The importers of VHELPER, Nuts, SwaN-MR, TECMAG NTNMR and SIEMENS files.
#include <cmath>
#include <vector>

#include "tests/onedim/import/fixed_import_test_util.h"
#include "onedim/import/ImportNuts.h"
#include "onedim/import/ImportSiemens.h"
#include "onedim/import/ImportSwanMr.h"
#include "onedim/import/ImportTecmag.h"
#include "onedim/import/ImportVhelper.h"

namespace {

std::string Acqpar(float sw, float points, bool bNamed, float sfNamed, float sfOther) {
  Bytes b;
  b.At(48, "SW    ").F32(58, sw, false).At(80, "NP    ").F32(90, points, false);
  b.At(784, bNamed ? "sfrq  " : "TOF   ").F32(794, sfNamed, false).At(800, "SFRQ2 ").F32(810, sfOther, false);
  return b.str;
}

std::string Int32Words(const std::vector<std::int32_t>& v, bool bBig) {
  Bytes b;
  for (std::size_t i = 0; i < v.size(); ++i)
    b.U32(4 * i, (std::uint32_t)v[i], bBig);
  return b.str;
}

std::string Floats(const std::vector<float>& v, bool bBig) {
  Bytes b;
  for (std::size_t i = 0; i < v.size(); ++i)
    b.F32(4 * i, v[i], bBig);
  return b.str;
}

std::string NutsFile(std::int32_t nPoints, std::int32_t nConjugate, float sw, float sf, float x,
                     const std::vector<float>& data) {
  Bytes b;
  b.U32(0, 0x04030201, false).U32(384, (std::uint32_t)nPoints, false).U32(388, (std::uint32_t)nConjugate, false);
  b.F32(448, sw, false).F32(452, sf, false).F32(456, x, false).Size(1036).At(1036, Floats(data, false));
  return b.str;
}

std::string SwanFile(std::int32_t nPoints, std::int16_t nFourBytes, const std::vector<float>& data) {
  Bytes b;
  b.U32(32, (std::uint32_t)nPoints, true).F32(40, 2500.0f, true).F32(48, 125.75f, true);
  b.U16(130, (std::uint16_t)nFourBytes, true).Size(512).At(512, Floats(data, true));
  return b.str;
}

std::string TecmagFile(std::int32_t nPoints, double sf, double y, double x, std::int32_t nLength,
                       const std::vector<float>& data) {
  Bytes b;
  b.At(0, "TNT1.005").U32(20, (std::uint32_t)nPoints, false).F64LE(104, sf).F64LE(200, y).F64LE(260, x);
  b.U32(1052, (std::uint32_t)nLength, false).Size(1056).At(1056, Floats(data, false));
  return b.str;
}

std::vector<float> Ramp(int n) {
  std::vector<float> v(n);
  for (int i = 0; i < n; ++i)
    v[i] = (float)(i % 7) - 3.5f * (float)(i % 3);
  return v;
}

}  // namespace

TEST(VhelperImport, RecordsAndData) {
  ImportFolder folder;
  folder.Write("ACQPAR", Acqpar(4000.0f, 2.7f, true, 200.5f, 999.0f));
  folder.Write("data", Int32Words({1, -2, 300000, -4, 99}, true));
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CVhelperImporter>(target, folder.Path("data"))) << target.error;
  const CSpectrumParams& p = target.Params();
  EXPECT_EQ(p.sw, 4000.0);
  EXPECT_EQ(p.sf, 200.5);  // the record at 784 is named sfrq
  EXPECT_EQ(p.td, 4);
  EXPECT_EQ(p.aqmode, 1);
  EXPECT_EQ(p.bConjugate, 1);
  EXPECT_EQ(target.Data(), (std::vector<float>{1, -2, 300000, -4}));
  EXPECT_TRUE(target.history.empty());

  folder.Write("ACQPAR", Acqpar(4000.0f, 2.0f, false, 200.5f, 999.0f));
  RecordingTarget other;
  ASSERT_TRUE(RunImport<CVhelperImporter>(other, folder.Path("data")));
  EXPECT_EQ(other.Params().sf, 999.0);

  // A data file shorter than ACQPAR says: the points it holds, an even count.
  folder.Write("ACQPAR", Acqpar(4000.0f, 100.0f, false, 0, 1));
  RecordingTarget bounded;
  ASSERT_TRUE(RunImport<CVhelperImporter>(bounded, folder.Path("data")));
  EXPECT_EQ(bounded.Params().td, 4);
  EXPECT_TRUE(bounded.HasHistory("The data file holds 4 values only"));

  for (float points : {0.0f, -3.0f, 1e30f, NAN}) {
    folder.Write("ACQPAR", Acqpar(4000.0f, points, false, 0, 1));
    RecordingTarget refused;
    EXPECT_FALSE(RunImport<CVhelperImporter>(refused, folder.Path("data")));
    EXPECT_TRUE(refused.spectra.empty());
    EXPECT_FALSE(refused.error.empty());
  }

  ImportFolder empty;
  empty.Write("data", "1234");
  RecordingTarget noAcqpar;
  EXPECT_FALSE(RunImport<CVhelperImporter>(noAcqpar, empty.Path("data")));
  EXPECT_EQ(noAcqpar.error, "Cannot open file");
}

TEST(VhelperImport, EveryPrefix) {
  ImportFolder folder;
  folder.Write("ACQPAR", Acqpar(4000.0f, 3.0f, false, 0, 7));
  CheckEveryPrefix<CVhelperImporter>(folder, "data", Int32Words({1, 2, 3, 4, 5, 6}, true));
  CheckEveryPrefix<CVhelperImporter>(folder, "ACQPAR", Acqpar(4000.0f, 3.0f, false, 0, 7));
}

TEST(NutsImport, FieldsAndRefusals) {
  ImportFolder folder;
  folder.Write("a.nuts", NutsFile(2, 1, 1000.0f, 100.0f, 250.0f, {1.5f, -2.5f, 3.0f, 4.0f}));
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CNutsImporter>(target, folder.Path("a.nuts"))) << target.error;
  const CSpectrumParams& p = target.Params();
  EXPECT_EQ(p.td, 4);
  EXPECT_EQ(p.bConjugate, 1);
  EXPECT_EQ(p.bComplex, 1);
  EXPECT_EQ(p.sw, 1000.0);
  EXPECT_EQ(p.sf, 100.0);
  EXPECT_EQ(p.offset, 2 - 250.0 * 4 / 1000.0);
  EXPECT_STREQ(p.title, "Untitled");
  EXPECT_EQ(target.Data(), (std::vector<float>{1.5f, -2.5f, 3.0f, 4.0f}));
  const std::string path = folder.Path("a.nuts");
  EXPECT_EQ(target.history,
            (std::vector<std::string>{"Starting traslation for " + path + " Nuts data type", path + " correctly opened",
                                      path + " is a Nuts data type", "Nuts file correctly imported"}));

  // The other byte order is refused.
  std::string swapped = NutsFile(2, 0, 1000.0f, 100.0f, 0.0f, {1, 2, 3, 4});
  swapped.replace(0, 4, "\x04\x03\x02\x01", 4);
  folder.Write("b.nuts", swapped);
  RecordingTarget refused;
  EXPECT_FALSE(RunImport<CNutsImporter>(refused, folder.Path("b.nuts")));
  EXPECT_EQ(refused.error, folder.Path("b.nuts") + " is not a Nuts data type");
  EXPECT_TRUE(refused.HasHistory(refused.error));

  // A zero width gives no offset, and says so.
  folder.Write("c.nuts", NutsFile(2, 3, 0.0f, 100.0f, 250.0f, {1, 2, 3, 4}));
  RecordingTarget zero;
  ASSERT_TRUE(RunImport<CNutsImporter>(zero, folder.Path("c.nuts")));
  EXPECT_EQ(zero.Params().offset, 0.0);
  EXPECT_EQ(zero.Params().bConjugate, 0);
  EXPECT_TRUE(zero.HasHistory("The reference offset cannot be computed from the file: offset set to 0"));

  for (std::int32_t n : {0, -1, 0x7FFFFFFF}) {
    folder.Write("d.nuts", NutsFile(n, 0, 1.0f, 1.0f, 0.0f, {1, 2}));
    RecordingTarget bad;
    EXPECT_FALSE(RunImport<CNutsImporter>(bad, folder.Path("d.nuts")));
    EXPECT_TRUE(bad.spectra.empty());
  }

  RecordingTarget missing;
  EXPECT_FALSE(RunImport<CNutsImporter>(missing, folder.Path("none")));
  EXPECT_EQ(missing.error, "Failed to open " + folder.Path("none") + " file");

  FailingAllocations failing;
  RecordingTarget memory;
  EXPECT_FALSE(RunImport<CNutsImporter>(memory, folder.Path("a.nuts")));
  EXPECT_EQ(memory.error, "Memory exhausted. Importing aborted");
  EXPECT_TRUE(memory.HasHistory(memory.error));
}

TEST(NutsImport, EveryPrefix) {
  ImportFolder folder;
  CheckEveryPrefix<CNutsImporter>(folder, "p.nuts", NutsFile(3, 1, 500.0f, 50.0f, 10.0f, Ramp(6)));
}

TEST(SwanMrImport, PointSizes) {
  ImportFolder folder;
  folder.Write("a.swan", SwanFile(2, 0, {1.0f, -2.0f, 3.5f, 4.25f}));
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CSwanMrImporter>(target, folder.Path("a.swan"))) << target.error;
  EXPECT_EQ(target.Params().td, 4);
  EXPECT_EQ(target.Params().sw, 2500.0);
  EXPECT_EQ(target.Params().sf, 125.75);
  EXPECT_EQ(target.Params().bComplex, 1);
  EXPECT_EQ(target.Params().bConjugate, 0);
  EXPECT_EQ(target.Data(), (std::vector<float>{1.0f, -2.0f, 3.5f, 4.25f}));

  // Four bytes a point: n real values, each with a zero imaginary part.
  folder.Write("b.swan", SwanFile(3, 1, {7.0f, 8.0f, 9.0f}));
  RecordingTarget real;
  ASSERT_TRUE(RunImport<CSwanMrImporter>(real, folder.Path("b.swan"))) << real.error;
  EXPECT_EQ(real.Data(), (std::vector<float>{7, 0, 8, 0, 9, 0}));

  // A file that does not open is a failure, not a spectrum of no points.
  RecordingTarget missing;
  EXPECT_FALSE(RunImport<CSwanMrImporter>(missing, folder.Path("none")));
  EXPECT_TRUE(missing.spectra.empty());
  EXPECT_EQ(missing.error, "Failed to open " + folder.Path("none") + " file");

  CSwanMrFile reader;
  EXPECT_EQ(reader.GetParams().td, 0);
  EXPECT_EQ(reader.GetData(), nullptr);
  EXPECT_TRUE(reader.Read(folder.Path("b.swan").c_str()));
  EXPECT_EQ(reader.GetPointCount(), 3);
  EXPECT_EQ(reader.GetBytesPerPoint(), 4);
}

TEST(SwanMrImport, EveryPrefix) {
  ImportFolder folder;
  CheckEveryPrefix<CSwanMrImporter>(folder, "p.swan", SwanFile(3, 0, Ramp(6)));
}

TEST(TecmagImport, LengthDecides) {
  ImportFolder folder;
  folder.Write("a.tnt", TecmagFile(77, 400.13, 100.0, 2500.0, 8192, Ramp(2048)));
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CTecmagImporter>(target, folder.Path("a.tnt"))) << target.error;
  const CSpectrumParams& p = target.Params();
  EXPECT_EQ(p.td, 2048);
  EXPECT_EQ(p.sf, 400.13);
  EXPECT_EQ(p.sw, 5000.0);
  EXPECT_EQ(p.offset, (2500.0 + 100.0) * 77 / 2500.0);
  EXPECT_EQ(target.Data(), Ramp(2048));
  const std::string path = folder.Path("a.tnt");
  EXPECT_EQ(target.history, (std::vector<std::string>{"Starting traslation for " + path + " NTNMR tecmag data type",
                                                      path + " correctly opened"}));

  // A length past the end of the file gives what the file holds, made even.
  folder.Write("b.tnt", TecmagFile(4, 400.0, 0.0, 0.0, 4000, Ramp(5)));
  RecordingTarget bounded;
  ASSERT_TRUE(RunImport<CTecmagImporter>(bounded, folder.Path("b.tnt"))) << bounded.error;
  EXPECT_EQ(bounded.Params().td, 4);
  EXPECT_EQ(bounded.Params().offset, 0.0);  // x = 0
  EXPECT_TRUE(bounded.HasHistory("The file holds 5 values only"));
  EXPECT_TRUE(bounded.HasHistory("The reference offset cannot be computed from the file: offset set to 0"));

  std::string foreign = TecmagFile(4, 400.0, 0.0, 1.0, 16, Ramp(4));
  foreign[2] = 'X';
  folder.Write("c.tnt", foreign);
  RecordingTarget refused;
  EXPECT_FALSE(RunImport<CTecmagImporter>(refused, folder.Path("c.tnt")));
  EXPECT_EQ(refused.error, "Not a TECMAG file");

  folder.Write("d.tnt", TecmagFile(4, 400.0, 0.0, 1.0, -16, Ramp(4)));
  RecordingTarget negative;
  EXPECT_FALSE(RunImport<CTecmagImporter>(negative, folder.Path("d.tnt")));
  EXPECT_TRUE(negative.spectra.empty());

  FailingAllocations failing;
  RecordingTarget memory;
  EXPECT_FALSE(RunImport<CTecmagImporter>(memory, folder.Path("a.tnt")));
  EXPECT_EQ(memory.error, "Memory exhausted. Importing aborted");
  EXPECT_TRUE(memory.HasHistory(memory.error));
}

TEST(TecmagImport, EveryPrefix) {
  ImportFolder folder;
  CheckEveryPrefix<CTecmagImporter>(folder, "p.tnt", TecmagFile(3, 300.0, 10.0, 500.0, 24, Ramp(6)));
}

TEST(SiemensImport, FixedParameters) {
  ImportFolder folder;
  Bytes b;
  b.Size(6144).At(6144, Floats(Ramp(2048), true));
  folder.Write("s.dat", b.str);
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CSiemensImporter>(target, folder.Path("s.dat"))) << target.error;
  EXPECT_EQ(target.Params().td, 2048);
  EXPECT_EQ(target.Params().sf, 63.8655);
  EXPECT_EQ(target.Params().sw, 1000.0);
  EXPECT_EQ(target.Params().bComplex, 1);
  EXPECT_EQ(target.Data(), Ramp(2048));
  EXPECT_TRUE(target.HasHistory("Starting traslation for " + folder.Path("s.dat") + " SIEMENS data type"));

  // Every prefix: the data end at the end of the file, so each is refused.
  CheckEveryPrefix<CSiemensImporter>(folder, "s.dat", b.str);
}
