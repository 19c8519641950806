// nd_probe import: what a reader made of a file, in the lines that checks on
// real experiments compare, and the set written as .bv2; nd_probe transform:
// the Fourier Transform dialog's first choices run on a .bv2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "ndim/import/Bv2File.h"
#include "ndim/plot/NdAxisTicks.h"
#include "tests/ndim/import/nd_import_test_util.h"
#include "tests/tools/run_tool.h"

namespace {

int RunProbe(const std::string& args, const std::string& output) {
  return RunTool(ND_PROBE_PATH, args, output);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace

TEST(NdProbeImport, PrintsTheSetAndWritesItAsBv2) {
  NdFolder folder;
  folder.Write("1/acqus",
               "##$BYTORDA= 1 ##$SW_h= 6009.6 ##$TD= 4 ##$SFO1= 500.13 ##$DECIM= 16 "
               "##$DSPFVS= 10 ##$AQ_mod= 3");
  folder.Write("1/acqu2s",
               "##$BYTORDA= 1 ##$SW_h= 2000 ##$TD= 3 ##$SFO1= 125.7 ##$DECIM= 1 "
               "##$DSPFVS= 10 ##$AQ_mod= 0");
  folder.Write("1/pdata/1/proc2s", "##$MC2= 2 ##$OFFSET= 100");
  folder.Write("1/pdata/1/procs", "##$OFFSET= 12");
  std::string ser;
  for (int v = 0; v < 12; ++v)
    ser += IntBytes(static_cast<std::uint32_t>(v * 1000 - 3), 4, true);
  folder.Write("1/ser", ser);

  const std::string out = folder.Path("out.txt"), bv2 = folder.Path("out.bv2");
  ASSERT_EQ(0, RunProbe("import 1 \"" + folder.Path("1/ser") + "\" \"" + bv2 + "\"", out));
  EXPECT_EQ(
      "dims 1 3 2 real=0\n"
      "cur 2\n"
      "phasing 0 0 0 0\n"
      "data -3 997 1997 2997 3997 4997 5997 6997\n"
      "offset d=0.000000 sw=2000.000000 sf=125.699996948\n"
      "offset d=69.531250 sw=6009.600098 sf=500.130004883\n",
      ReadAll(out));
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(bv2.c_str(), error));
  ASSERT_TRUE(set) << static_cast<LPCSTR>(error);
  EXPECT_EQ(3, set->m_dims[1].m_nPoints);
  EXPECT_EQ(10997.0f, set->m_pData[11]);

  folder.Remove("1/pdata/1/procs");
  EXPECT_EQ(1, RunProbe("import 0 \"" + folder.Path("1/ser") + "\" \"" + bv2 + "\"", out));
  EXPECT_EQ("error Failed to read OFFSET parameter in the procs file\n", ReadAll(out));
}

// The TopSpin 3.2 serial file of tests/data, as a check on a held-out file
// runs it: both dimensions' points, widths and frequencies of its acqus and
// acqu2s, f2's group delay from GRPDLY.
TEST(NdProbeImport, ReadsATopSpin32SerialFile) {
  NdFolder folder;
  const std::string ser = std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/ser";
  const std::string out = folder.Path("out.txt"), bv2 = folder.Path("out.bv2");
  ASSERT_EQ(0, RunProbe("import 0 \"" + ser + "\" \"" + bv2 + "\"", out));
  const std::string text = ReadAll(out);
  EXPECT_EQ(0u, text.find("dims 1 10 4096 real=0\ncur 2\nphasing 0 0 0 0\ndata 0 0 0 0 0 0 0 0\n")) << text;
  EXPECT_NE(std::string::npos, text.find("offset d=0.000000 sw=6009.615234 sf=600.201538086\n"
                                         "offset d=67.985245 sw=3607.503662 sf=600.201538086\n"))
      << text;
}

// The TopSpin 3.2 set transformed as OK with the dialog's first choices does
// it, f2 then f1: the lines it ran, the state after them, and its strongest
// line where the vendor's 2rr has it, within two points. A file it cannot
// read is an error.
TEST(NdProbeTransform, RunsTheDialogsFirstChoicesOnATopSpin32SerialFile) {
  NdFolder folder;
  const std::string real = std::string(BRIVANE_REALDATA_DIR) + "/bruker-t1-2d/1/";
  const std::string out = folder.Path("out.txt"), in = folder.Path("in.bv2"), bv2 = folder.Path("out.bv2");
  ASSERT_EQ(0, RunProbe("import 1 \"" + real + "ser\" \"" + in + "\"", out));
  ASSERT_EQ(0, RunProbe("transform \"" + in + "\" \"" + bv2 + "\"", out));
  // Along f2 no conjugation; f1 is QF (MC2 0): conjugated, magnitude.
  EXPECT_EQ(
      "line bw q 4096\nline ew\nline ze 4096\nline ft \n"
      "line c*\nline bw q 16\nline ew\nline ze 16\nline ft \nline ma\n"
      "dims 1 16 4096 real=0\ncur 0\nphasing 1 0 0 0\n",
      ReadAll(out));
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(bv2.c_str(), error));
  ASSERT_TRUE(set) << static_cast<LPCSTR>(error);
  const DimensionBlock& f2 = set->m_dims[2];
  const double point = f2.m_fSpectralWidth / f2.m_fSpectrometerFreq / f2.m_nPoints;
  const double vendor = StrongestPpmOf2rr(real + "pdata/1");
  EXPECT_NEAR(3.4631, vendor, 0.0001);
  EXPECT_NEAR(vendor, NdAxisValue(f2, StrongestPoint(*set).column, ND_UNITS_PPM), 2 * point);

  EXPECT_EQ(1, RunProbe("transform \"" + folder.Path("none.bv2") + "\" \"" + bv2 + "\"", out));
  EXPECT_EQ("error Unable to open the file\n", ReadAll(out));
  // A real set, which the program offers no transform for.
  std::unique_ptr<CSpectrum2D> realSet(MakeSet(2, 4, true));
  ASSERT_TRUE(CBv2File::Write(in.c_str(), *realSet, error));
  EXPECT_EQ(1, RunProbe("transform \"" + in + "\" \"" + bv2 + "\"", out));
  EXPECT_EQ("error The set is real: there is nothing to transform\n", ReadAll(out));
}
