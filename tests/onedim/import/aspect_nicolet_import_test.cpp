// The Aspect and GE/Nicolet importers with their word and real decoders, and
// the byte-order routines.
#include <cmath>
#include <vector>

#include "tests/onedim/import/fixed_import_test_util.h"
#include "onedim/import/ByteOrder.h"
#include "onedim/import/ImportAspect.h"
#include "onedim/import/ImportNicolet.h"

namespace {

// --- Aspect images ---

// Six bytes (big-endian words) of an Aspect real. The exponent is kept even
// so that bit 5 of b4, shared with the fraction, stays clear.
std::string AspectReal(double v) {
  int k = 0;
  double f = v == 0.0 ? 0.0 : std::frexp(v, &k);
  if (k % 2 != 0) {
    f /= 2.0;
    ++k;
  }
  if (f < 0.0)
    f += 2.0;  // two's-complement fraction
  const double dHigh = std::floor(std::ldexp(f, 23));
  const auto nHigh = (std::uint32_t)dHigh;
  const auto nLow = (std::uint32_t)std::lround(std::ldexp(std::ldexp(f, 23) - dHigh, 13));
  const std::uint32_t e = (std::uint32_t)(k < 0 ? k + 2048 : k);
  std::string b(6, '\0');
  b[0] = (char)(nHigh >> 16);
  b[1] = (char)(nHigh >> 8);
  b[2] = (char)nHigh;
  b[3] = (char)(e >> 3);
  b[4] = (char)(((e & 7) << 5) | ((nLow >> 8) & 0x1F));
  b[5] = (char)nLow;
  return b;
}

std::string Word24(int v) {
  const auto u = (std::uint32_t)v;
  return std::string{(char)(u >> 16), (char)(u >> 8), (char)u};
}

// A little-endian file holds each 3-byte group reversed.
std::string Order(std::string s, bool bLittle) {
  if (bLittle)
    for (std::size_t i = 0; i + 3 <= s.size(); i += 3)
      std::swap(s[i], s[i + 2]);
  return s;
}

struct AspectFid {
  int td = 8;
  double sw = 5000.0, sf = 400.0, x = 250.0;
  int nMode = 1, nComplex = 1;
  std::vector<int> data = {1, -1, 8388607, -8388608, 0, 123456, -654321, 42};
};

std::string AspectImage(const AspectFid& fid, bool bL) {
  Bytes b;
  b.At(0, Order("\x47\x84\xF5", bL)).At(129, Order(Word24(fid.td), bL));
  b.At(159, Order(AspectReal(fid.sw), bL)).At(166, Order(Word24(fid.nMode), bL));
  b.At(231, Order(AspectReal(fid.sf), bL)).At(238, Order(Word24(fid.nComplex), bL));
  b.At(471, Order(AspectReal(fid.x), bL));
  std::string data;
  for (int v : fid.data)
    data += Word24(v);
  b.At(768, Order(data, bL));
  return b.str;
}

// --- Nicolet images ---

std::string PackNicolet(const std::vector<int>& words) {
  std::string out;
  for (std::size_t n = 0; n < words.size(); n += 2) {
    const std::uint32_t a = (std::uint32_t)words[n] & 0xFFFFF;
    const std::uint32_t b = n + 1 < words.size() ? (std::uint32_t)words[n + 1] & 0xFFFFF : 0;
    out += (char)(a >> 12);
    out += (char)(a >> 4);
    out += (char)(((a & 0xF) << 4) | (b >> 16));
    if (n + 1 < words.size()) {
      out += (char)(b >> 8);
      out += (char)b;
    }
  }
  return out;
}

// The two words of a positive Nicolet real, exact for 26 significant bits.
void NicoletWords(double v, int& w1, int& w2) {
  int k;
  const double f = std::frexp(v, &k);
  const auto m = (long long)std::ldexp(f, 28);
  w1 = (int)(m / 1024);
  w2 = (k + 1) * 1024 + (int)(m % 1024 % 256);
}

std::string NicoletImage(int nMagic, int nWidth, int nTime, int nFreq, double sw, double dTimeUs, double sf,
                         const std::vector<int>& data) {
  std::vector<int> header(512, 0);
  header[0] = nMagic;
  NicoletWords(sw, header[nWidth], header[nWidth + 1]);
  NicoletWords(dTimeUs, header[nTime], header[nTime + 1]);
  NicoletWords(sf, header[nFreq], header[nFreq + 1]);
  return PackNicolet(header) + PackNicolet(data);
}

}  // namespace

TEST(ByteOrder, ReversesWordsFloatsAndSamples) {
  CByteOrder order;
  EXPECT_EQ(order.Reverse32(0x11223344u), 0x44332211u);
  BYTE group[4] = {1, 2, 3, 4};
  order.Reverse32InPlace(group);
  EXPECT_EQ(std::vector<BYTE>(group, group + 4), (std::vector<BYTE>{4, 3, 2, 1}));
  // A 16-bit sample stored big-endian, loaded little-endian: s x 65536.
  EXPECT_EQ((std::int32_t)order.Reverse16(0x0100u), 65536);
  EXPECT_EQ((std::int32_t)order.Reverse16(0xFFFFu), -65536);
  EXPECT_EQ((std::int32_t)order.Reverse16(0xABCD0080u), (std::int32_t)0x80000000u);
}

TEST(AspectDecoders, RealsAndWords) {
  const BYTE b400[6] = {0x32, 0x00, 0x00, 0x01, 0x40, 0x00};
  EXPECT_EQ(ReadAspectReal(b400), 400.0);
  // A fraction whose top bit is set is negative.
  const BYTE bNegative[6] = {0xC0, 0x00, 0x00, 0x00, 0x20, 0x00};
  // (1.5 + 2^-23 from the shared bit 5) - 2, times 2^1.
  EXPECT_EQ(ReadAspectReal(bNegative), -1.0 + std::ldexp(1.0, -22));
  // Exactly 1.0 stays 1.0; a negative exponent is 11-bit two's complement.
  const BYTE bOne[6] = {0x80, 0x00, 0x00, 0xFF, 0xC0, 0x00};  // e = 2046 = -2
  EXPECT_EQ(ReadAspectReal(bOne), 0.25);
  for (double v : {400.0, -400.0, 599.8311617, 12019.2307692, -0.001, 3.0e-9, 0.0}) {
    const std::string s = AspectReal(v);
    EXPECT_NEAR(ReadAspectReal((const BYTE*)s.data()), v, std::fabs(v) * 1e-10) << v;
  }
  BYTE six[6] = {1, 2, 3, 4, 5, 6};
  ReverseAspectWords(six);
  EXPECT_EQ(std::vector<BYTE>(six, six + 6), (std::vector<BYTE>{3, 2, 1, 6, 5, 4}));
  const BYTE w[3] = {0xFF, 0xFF, 0xFE};
  EXPECT_EQ(ReadAspectWord(w, FALSE), -2);
  EXPECT_EQ(ReadAspectWord(w, TRUE), (0xFE - 256) * 65536 + 0xFF * 256 + 0xFF);
}

TEST(AspectImport, BothWordOrdersGiveTheSameSpectrum) {
  ImportFolder folder;
  AspectFid fid;
  folder.Write("big.fid", AspectImage(fid, false));
  folder.Write("little.fid", AspectImage(fid, true));
  RecordingTarget big, little;
  ASSERT_TRUE(RunImport<CAspectImporter>(big, folder.Path("big.fid"))) << big.error;
  ASSERT_TRUE(RunImport<CAspectImporter>(little, folder.Path("little.fid"))) << little.error;

  const CSpectrumParams& p = big.Params();
  EXPECT_EQ(p.td, 8);
  EXPECT_EQ(p.sw, 5000.0);
  EXPECT_EQ(p.sf, 400.0);
  EXPECT_EQ(p.offset, -8 * 250.0 / 5000.0);
  EXPECT_EQ(p.aqmode, 1);
  EXPECT_EQ(p.bComplex, 1);
  EXPECT_TRUE(p.title.IsEmpty());
  const std::vector<float> expected(fid.data.begin(), fid.data.end());
  EXPECT_EQ(big.Data(), expected);
  EXPECT_EQ(little.Data(), expected);
  CSpectrum& s = little.Only();
  EXPECT_EQ(std::vector<float>(s.m_pRawData, s.m_pRawData + 8), expected);
  EXPECT_EQ(little.Params().sw, p.sw);
  EXPECT_EQ(little.Params().offset, p.offset);

  const std::string path = folder.Path("big.fid");
  EXPECT_EQ(big.history,
            (std::vector<std::string>{"Attempting to import " + path + " file", path + " correctly opened"}));
}

TEST(AspectImport, ModesAndRefusals) {
  ImportFolder folder;
  AspectFid fid;
  fid.nMode = 2;
  fid.nComplex = 0;
  fid.sw = 0.0;  // no offset can be computed
  folder.Write("a.fid", AspectImage(fid, false));
  RecordingTarget target;
  ASSERT_TRUE(RunImport<CAspectImporter>(target, folder.Path("a.fid")));
  EXPECT_EQ(target.Params().aqmode, 0);
  EXPECT_EQ(target.Params().bComplex, 0);
  EXPECT_EQ(target.Params().offset, 0.0);
  EXPECT_TRUE(target.HasHistory("The reference offset cannot be computed from the file: offset set to 0"));

  std::string foreign = AspectImage(AspectFid(), false);
  foreign[0] = 'X';
  folder.Write("b.fid", foreign);
  RecordingTarget refused;
  EXPECT_FALSE(RunImport<CAspectImporter>(refused, folder.Path("b.fid")));
  EXPECT_EQ(refused.error, folder.Path("b.fid") + " is not an Aspect file");
  EXPECT_TRUE(refused.HasHistory(refused.error));

  // The third magic has no known word order: refused, not a spectrum of no points.
  std::string unknown = AspectImage(AspectFid(), false);
  unknown.replace(0, 3, "\x3D\xFB\x00", 3);
  folder.Write("c.fid", unknown);
  RecordingTarget other;
  EXPECT_FALSE(RunImport<CAspectImporter>(other, folder.Path("c.fid")));
  EXPECT_TRUE(other.spectra.empty());
  EXPECT_FALSE(other.error.empty());

  RecordingTarget missing;
  EXPECT_FALSE(RunImport<CAspectImporter>(missing, folder.Path("none.fid")));
  EXPECT_EQ(missing.error, "Failed to import");
  EXPECT_TRUE(missing.HasHistory("Failed to import " + folder.Path("none.fid") + " file"));

  AspectFid odd;
  odd.td = 7;
  folder.Write("d.fid", AspectImage(odd, false));
  RecordingTarget oddTarget;
  EXPECT_FALSE(RunImport<CAspectImporter>(oddTarget, folder.Path("d.fid")));
  EXPECT_EQ(oddTarget.error, "Invalid number of data points (td = 7).\nImporting aborted");

  FailingAllocations failing;
  RecordingTarget memory;
  EXPECT_FALSE(RunImport<CAspectImporter>(memory, folder.Path("a.fid")));
  EXPECT_EQ(memory.error, "Memory exhausted. \nImporting aborted");
  EXPECT_TRUE(memory.HasHistory("Memory exchausted. Importing aborted"));
  EXPECT_TRUE(memory.spectra.empty());
}

TEST(AspectImport, EveryPrefix) {
  ImportFolder folder;
  CheckEveryPrefix<CAspectImporter>(folder, "p.fid", AspectImage(AspectFid(), true));
}

TEST(NicoletDecoders, PackedWordsShareTheMiddleByte) {
  // Word 0 = 0x12345, word 1 = 0x6789A: the third byte holds 5 and 6.
  const BYTE b[5] = {0x12, 0x34, 0x56, 0x78, 0x9A};
  int w = 0;
  ASSERT_TRUE(ReadNicoletWord(b, 5, 0, 0, w));
  EXPECT_EQ(w, 0x12345);
  ASSERT_TRUE(ReadNicoletWord(b, 5, 1, 0, w));
  EXPECT_EQ(w, 0x6789A);
  EXPECT_FALSE(ReadNicoletWord(b, 5, 2, 0, w));
  EXPECT_FALSE(ReadNicoletWord(b, 4, 1, 0, w));
  EXPECT_FALSE(ReadNicoletWord(b, 5, -1, 0, w));
  // Sign extension from bit 19, in both modes; other modes give 0.
  const BYTE neg[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x38, 0x00, 0x01};
  ASSERT_TRUE(ReadNicoletWord(neg, 8, 0, 0, w));
  EXPECT_EQ(w, -1);
  ASSERT_TRUE(ReadNicoletWord(neg, 8, 1, 1, w));
  EXPECT_EQ(w, 0x80001 - 0x100000);
  ASSERT_TRUE(ReadNicoletWord(neg, 8, 1, 7, w));
  EXPECT_EQ(w, 0);

  const std::vector<int> words = {1, -1, 524287, -524288, 0, 77, -3};
  const std::string packed = PackNicolet(words);
  ASSERT_EQ(packed.size(), NicoletPackedSize(words.size()));
  std::vector<int> out(words.size());
  UnpackNicoletWords((const BYTE*)packed.data(), out.data(), out.size());
  EXPECT_EQ(out, words);
}

TEST(NicoletDecoders, Reals) {
  EXPECT_EQ(NicoletReal(0, 0x7FC00), 0.0);  // a zero fraction is 0 whatever the exponent
  EXPECT_EQ(NicoletReal(0, 5 * 1024 + 200), 200.0 * std::ldexp(1.0, 5 - 29));
  EXPECT_EQ(NicoletReal(1 << 18, 1024), 1.0);
  EXPECT_EQ(NicoletReal(-(1 << 18), 1024), -1.0);
  for (double v : {5000.0, 204800.0, 300.125, 1.5}) {
    int w1, w2;
    NicoletWords(v, w1, w2);
    EXPECT_EQ(NicoletReal(w1, w2), v);
  }
}

TEST(NicoletImport, HeaderLayoutsAndData) {
  ImportFolder folder;
  // 2 x 0.0004 s x 5000 Hz = 4 values: two points, real parts first.
  const std::vector<int> data = {10, -20, 30, -40};
  struct Layout {
    int nMagic, nWidth, nTime, nFreq;
  };
  for (const Layout& l : {Layout{11378, 324, 326, 330}, Layout{12818, 323, 325, 329}, Layout{57923, 390, 146, 394}}) {
    folder.Write("n.fid", NicoletImage(l.nMagic, l.nWidth, l.nTime, l.nFreq, 5000.0, 400.0, 300.125, data));
    RecordingTarget target;
    ASSERT_TRUE(RunImport<CNicoletImporter>(target, folder.Path("n.fid"))) << target.error;
    const CSpectrumParams& p = target.Params();
    EXPECT_EQ(p.sw, 5000.0);
    EXPECT_EQ(p.sf, 300.125);
    EXPECT_DOUBLE_EQ(p.aq, 0.0004);
    EXPECT_EQ(p.td, 4);
    EXPECT_EQ(p.bConjugate, 0);
    EXPECT_EQ(target.Data(), (std::vector<float>{10, 30, -20, -40}));
    EXPECT_TRUE(target.HasHistory("File correctly imported"));
  }

  // 2 x 0.0005 s x 5000 Hz = 5: raised to the next even count.
  folder.Write("odd.fid", NicoletImage(11378, 324, 326, 330, 5000.0, 500.0, 300.0, {1, 2, 3, 4, 5, 6}));
  RecordingTarget odd;
  ASSERT_TRUE(RunImport<CNicoletImporter>(odd, folder.Path("odd.fid"))) << odd.error;
  EXPECT_EQ(odd.Params().td, 6);
  EXPECT_EQ(odd.Data(), (std::vector<float>{1, 4, 2, 5, 3, 6}));

  folder.Write("bad.fid", NicoletImage(11379, 324, 326, 330, 5000.0, 500.0, 300.0, {1, 2}));
  RecordingTarget bad;
  EXPECT_FALSE(RunImport<CNicoletImporter>(bad, folder.Path("bad.fid")));
  EXPECT_EQ(bad.error, "Not a Nicolet header");

  // A time and width whose product no spectrum can hold.
  folder.Write("huge.fid", NicoletImage(11378, 324, 326, 330, 1e30, 1e30, 300.0, {1, 2}));
  RecordingTarget huge;
  EXPECT_FALSE(RunImport<CNicoletImporter>(huge, folder.Path("huge.fid")));
  EXPECT_TRUE(huge.spectra.empty());

  RecordingTarget missing;
  EXPECT_FALSE(RunImport<CNicoletImporter>(missing, folder.Path("none.fid")));
  EXPECT_EQ(missing.error, "Failed to import Nicolet file (" + folder.Path("none.fid") + ")");
}

TEST(NicoletImport, EveryPrefix) {
  ImportFolder folder;
  CheckEveryPrefix<CNicoletImporter>(folder, "p.fid",
                                     NicoletImage(12818, 323, 325, 329, 5000.0, 600.0, 300.0, {1, 2, 3, 4, 5, 6}));
}
