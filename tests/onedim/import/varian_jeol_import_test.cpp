// The Varian VXR/Unity and Jeol importers with their parameter files.
#include <cmath>
#include <vector>

#include "tests/onedim/import/fixed_import_test_util.h"
#include "onedim/import/ImportJeol.h"
#include "onedim/import/ImportVarian.h"

namespace {

// A procpar record: the name line with its attributes, then the values.
std::string Record(const std::string& name, const std::string& value) {
  return name + " 1 1 1000000000 -1000000000 0 2 1 0 1 64\n1 " + value + "\n0\n";
}

std::string Procpar(int np, const std::string& dp, double sw = 5000.0) {
  std::string s = Record("sfrq", "399.78") + Record("sw", std::to_string(sw)) + Record("sw1", "1234") +
                  Record("rfl", "2500") + Record("rfp", "500") + Record("np", std::to_string(np));
  if (!dp.empty())
    s += "dp 2 2 1 0 0 2 1 0 1 64\n1 " + dp + "\n2 \"n\" \"y\"\n";
  return s;
}

// The fid: 32-byte file header, 28-byte block header, the samples.
std::string VarianFid(int nHeaderNp, bool bFloat, const std::string& samples) {
  Bytes b;
  b.U32(0, 1, true).U32(4, 1, true).U32(8, (std::uint32_t)nHeaderNp, true);
  b.U16(26, bFloat ? 0x0049 : 0x0041, true).Size(60).At(60, samples);
  return b.str;
}

std::string Int32BE(const std::vector<std::int32_t>& v) {
  Bytes b;
  for (std::size_t i = 0; i < v.size(); ++i)
    b.U32(4 * i, (std::uint32_t)v[i], true);
  return b.str;
}

std::string Float32BE(const std::vector<float>& v) {
  Bytes b;
  for (std::size_t i = 0; i < v.size(); ++i)
    b.F32(4 * i, v[i], true);
  return b.str;
}

class WarningVarianImporter : public CVarianImporter {
 public:
  using CVarianImporter::CVarianImporter;
  std::vector<std::string> warnings;

 protected:
  void Warn(LPCSTR lpszText) override { warnings.push_back(lpszText); }
};

}  // namespace

TEST(VarianImport, RealExperiment) {
  const std::string path = std::string(BRIVANE_REALDATA_DIR) + "/varian-proton.fid/fid";
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CVarianImporter>(target, path)) << target.error;
  const CSpectrumParams& p = target.Params();
  EXPECT_EQ(p.td, 65536);
  EXPECT_DOUBLE_EQ(p.sw, 12019.2307692);
  EXPECT_DOUBLE_EQ(p.sf, 599.8311617);
  EXPECT_NEAR(p.offset, (1240.69360581 - 37.1892340354) * 65536 / 12019.2307692, 1e-9);
  EXPECT_EQ(p.aqmode, 1);
  EXPECT_EQ(p.bComplex, 1);
  EXPECT_EQ(p.bConjugate, 1);
  const std::vector<float> data = target.Data();
  EXPECT_EQ(std::vector<float>(data.begin(), data.begin() + 4),
            (std::vector<float>{-214394.875f, 734592.625f, -629650.25f, -297754.65625f}));
  EXPECT_EQ(data.back(), 7.69429874420166f);
  EXPECT_EQ(std::vector<float>(target.Only().m_pRawData, target.Only().m_pRawData + 65536), data);
}

TEST(VarianImport, SampleKindsAndRecords) {
  ImportFolder folder;
  // dp "y", no float flag: 32-bit integers; "sw" is taken, not "sw1".
  folder.Write("procpar", Procpar(4, "\"y\""));
  folder.Write("fid", VarianFid(4, false, Int32BE({1, -2, 70000, -2147483647})));
  RecordingTarget ints;
  ASSERT_TRUE(RunImport<CVarianImporter>(ints, folder.Path("fid"))) << ints.error;
  EXPECT_EQ(ints.Data(), (std::vector<float>{1, -2, 70000, -2147483647.0f}));
  EXPECT_EQ(ints.Params().sw, 5000.0);
  EXPECT_EQ(ints.Params().sf, 399.78);
  EXPECT_EQ(ints.Params().offset, (2500.0 - 500.0) * 4 / 5000.0);

  // With the float flag the reversed bytes are the floats themselves.
  folder.Write("fid", VarianFid(4, true, Float32BE({1.5f, -2.25f, 1e-3f, 3e7f})));
  RecordingTarget floats;
  ASSERT_TRUE(RunImport<CVarianImporter>(floats, folder.Path("fid")));
  EXPECT_EQ(floats.Data(), (std::vector<float>{1.5f, -2.25f, 1e-3f, 3e7f}));

  // No dp record: 32-bit as well.
  folder.Write("procpar", Procpar(4, ""));
  RecordingTarget noDp;
  ASSERT_TRUE(RunImport<CVarianImporter>(noDp, folder.Path("fid")));
  EXPECT_EQ(noDp.Data(), floats.Data());

  // dp "n": 16-bit samples, each times 65536.
  folder.Write("procpar", Procpar(4, "\"n\""));
  folder.Write("fid", VarianFid(4, false, std::string("\x00\x01\xFF\xFF\x7F\xFF\x80\x00", 8)));
  RecordingTarget shorts;
  ASSERT_TRUE(RunImport<CVarianImporter>(shorts, folder.Path("fid")));
  EXPECT_EQ(shorts.Data(), (std::vector<float>{65536.0f, -65536.0f, 32767 * 65536.0f, -32768 * 65536.0f}));

  // rfl equal to rfp gives offset 0; a zero sw gives 0 and says why.
  folder.Write("procpar", Record("rfl", "7") + Record("rfp", "7") + Record("np", "2") + Record("sw", "100"));
  folder.Write("fid", VarianFid(2, true, Float32BE({1, 2})));
  RecordingTarget same;
  ASSERT_TRUE(RunImport<CVarianImporter>(same, folder.Path("fid")));
  EXPECT_EQ(same.Params().offset, 0.0);
  folder.Write("procpar", Record("rfl", "7") + Record("np", "2"));
  RecordingTarget noWidth;
  ASSERT_TRUE(RunImport<CVarianImporter>(noWidth, folder.Path("fid")));
  EXPECT_EQ(noWidth.Params().offset, 0.0);
  EXPECT_TRUE(noWidth.HasHistory("The reference offset cannot be computed from the file: offset set to 0"));

  // Names open their lines: a value that reads "np" is not a record.
  folder.Write("procpar", Record("np", "2") + Record("array", "np") + "np\n");
  RecordingTarget values;
  ASSERT_TRUE(RunImport<CVarianImporter>(values, folder.Path("fid"))) << values.error;
  EXPECT_EQ(values.Params().td, 2);
}

TEST(VarianImport, HeaderCountsAndFailures) {
  ImportFolder folder;
  folder.Write("procpar", Procpar(4, "\"y\""));
  // A header announcing more points than np: only td values are stored.
  folder.Write("fid", VarianFid(8, false, Int32BE({1, 2, 3, 4, 5, 6, 7, 8})));
  RecordingTarget more;
  WarningVarianImporter moreImporter(more);
  ASSERT_TRUE(moreImporter.Import(folder.Path("fid").c_str()));
  EXPECT_EQ(moreImporter.warnings,
            (std::vector<std::string>{"Number of points in the procpar\nIs different to the fid header"}));
  EXPECT_EQ(more.Data(), (std::vector<float>{1, 2, 3, 4}));

  // Fewer: the rest of the spectrum stays zero.
  folder.Write("fid", VarianFid(2, false, Int32BE({9, 8})));
  RecordingTarget fewer;
  ASSERT_TRUE(RunImport<CVarianImporter>(fewer, folder.Path("fid")));
  EXPECT_EQ(fewer.Data(), (std::vector<float>{9, 8, 0, 0}));

  folder.Write("fid", VarianFid(0, false, Int32BE({9, 8})));
  RecordingTarget none;
  EXPECT_FALSE(RunImport<CVarianImporter>(none, folder.Path("fid")));
  EXPECT_EQ(none.error, "The fid header gives no data points.\nImporting aborted");

  folder.Write("procpar", Procpar(3, "\"y\""));
  RecordingTarget odd;
  EXPECT_FALSE(RunImport<CVarianImporter>(odd, folder.Path("fid")));
  EXPECT_EQ(odd.error, "Invalid number of data points (td = 3).\nImporting aborted");

  RecordingTarget noData;
  EXPECT_FALSE(RunImport<CVarianImporter>(noData, folder.Path("nothing")));
  EXPECT_EQ(noData.error, "cannot open the file containing the data points");

  ImportFolder bare;
  bare.Write("fid", VarianFid(4, false, Int32BE({1, 2, 3, 4})));
  RecordingTarget noProcpar;
  EXPECT_FALSE(RunImport<CVarianImporter>(noProcpar, bare.Path("fid")));
  EXPECT_EQ(noProcpar.error, "failed to open ProcPar file.\nImporting aborted");
  // The second place: the path up to its last dot, then "procpar".
  bare.Write("exp.procpar", Procpar(4, "\"y\""));
  bare.Write("exp.fid", VarianFid(4, false, Int32BE({1, 2, 3, 4})));
  RecordingTarget besides;
  EXPECT_TRUE(RunImport<CVarianImporter>(besides, bare.Path("exp.fid"))) << besides.error;

  folder.Write("procpar", Procpar(4, "\"y\""));
  folder.Write("fid", VarianFid(4, false, Int32BE({1, 2, 3, 4})));
  FailingAllocations failing;
  RecordingTarget memory;
  EXPECT_FALSE(RunImport<CVarianImporter>(memory, folder.Path("fid")));
  EXPECT_EQ(memory.error, "Memory exhausted. \nImporting aborted");
  EXPECT_TRUE(memory.HasHistory("Memory exchausted. Importing aborted"));
  EXPECT_TRUE(memory.spectra.empty());
}

TEST(VarianImport, EveryPrefix) {
  ImportFolder folder;
  folder.Write("procpar", Procpar(6, "\"y\""));
  CheckEveryPrefix<CVarianImporter>(folder, "fid", VarianFid(6, true, Float32BE({1, 2, 3, 4, 5, 6})));
  folder.Write("fid", VarianFid(6, true, Float32BE({1, 2, 3, 4, 5, 6})));
  // dp first: a cut dp value would rightly change the sample width.
  CheckEveryPrefix<CVarianImporter>(folder, "procpar",
                                    "dp 2 2 1 0 0 2 1 0 1 64\n1 \"y\"\n0\n" + Record("sw", "100") + Record("np", "6"));
}

TEST(JeolImport, ParametersAndData) {
  ImportFolder folder;
  folder.Write("sample.gxp", "FREQUENCY 8000.5\nSAMPO 4\nOBFRQ 399.78\nOBSET 155.0\nOBFIN 1200\n");
  Bytes data;
  data.U32(0, 5, false).U32(4, (std::uint32_t)-6, false).U32(8, 7, false).U32(12, 0x7FFFFFFF, false);
  folder.Write("sample.bin", data.str);
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CJeolImporter>(target, folder.Path("sample.bin"))) << target.error;
  const CSpectrumParams& p = target.Params();
  EXPECT_EQ(p.sf, 399.78 + 0.155 + 0.0012);
  EXPECT_EQ(p.sw, 8000.5);
  EXPECT_EQ(p.td, 4);
  EXPECT_STREQ(p.title, "Untitled");
  EXPECT_EQ(p.offset, 0.0);
  EXPECT_EQ(target.Data(), (std::vector<float>{5, -6, 7, 2147483647.0f}));
  const std::string path = folder.Path("sample.bin");
  EXPECT_EQ(target.history,
            (std::vector<std::string>{"Attempting to import " + path + " file", "File correctly opened",
                                      "Attempting to import parameters file (" + folder.Path("sample.gxp") + ")"}));

  // "POINT" alone gives td too; names match without regard to case.
  folder.Write("sample.gxp", "point 2 ofr 100.0 frequ 10\n");
  RecordingTarget point;
  ASSERT_TRUE(RunImport<CJeolImporter>(point, folder.Path("sample.bin"))) << point.error;
  EXPECT_EQ(point.Params().td, 2);
  EXPECT_EQ(point.Params().sf, 100.0);
  EXPECT_EQ(point.Data(), (std::vector<float>{5, -6}));
}

TEST(JeolImport, Failures) {
  ImportFolder folder;
  RecordingTarget missing;
  EXPECT_FALSE(RunImport<CJeolImporter>(missing, folder.Path("none.bin")));
  EXPECT_EQ(missing.error, "File not found");
  EXPECT_TRUE(missing.HasHistory("File not found"));

  folder.Write("sample.bin", std::string(16, '\1'));
  RecordingTarget noParams;
  EXPECT_FALSE(RunImport<CJeolImporter>(noParams, folder.Path("sample.bin")));
  EXPECT_EQ(noParams.error, "The Parameters File was not found");
  EXPECT_TRUE(noParams.HasHistory("The parameters file was not found"));

  folder.Write("sample.gxp", "SAMPO 8\n");
  RecordingTarget shortData;
  EXPECT_FALSE(RunImport<CJeolImporter>(shortData, folder.Path("sample.bin")));
  EXPECT_EQ(shortData.error, "The file holds fewer data points than its header says.\nImporting aborted");
  EXPECT_TRUE(shortData.spectra.empty());

  folder.Write("sample.gxp", "SAMPO -4\n");
  RecordingTarget negative;
  EXPECT_FALSE(RunImport<CJeolImporter>(negative, folder.Path("sample.bin")));
  EXPECT_EQ(negative.error, "Invalid number of data points (td = -4).\nImporting aborted");

  folder.Write("sample.gxp", "SAMPO 4\n");
  FailingAllocations failing;
  RecordingTarget memory;
  EXPECT_FALSE(RunImport<CJeolImporter>(memory, folder.Path("sample.bin")));
  EXPECT_EQ(memory.error, "Memory exhausted. \nImporting aborted");
  EXPECT_TRUE(memory.spectra.empty());
}

TEST(JeolImport, EveryPrefix) {
  ImportFolder folder;
  folder.Write("p.gxp", "SAMPO 4 FREQU 100\n");
  CheckEveryPrefix<CJeolImporter>(folder, "p.dat", std::string("\1\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0", 16));
  CheckEveryPrefix<CJeolImporter>(folder, "p.gxp", "SAMPO 4 FREQU 100\n");
}
