// The JCAMP-DX importer on files built here and on a real spectrometer file.
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/import/ImportBruker.h"
#include "onedim/import/ImportJcamp.h"
#include "onedim/model/AxisScale.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

// Records what the importer does to the document.
class JcampDocument : public CImportTarget {
 public:
  void AppendHistory(LPCSTR lpszLine) override { history.push_back(lpszLine); }
  void SetImportError(LPCSTR lpszText) override { error = lpszText; }
  BOOL CheckMissingParameters(CSpectrumParams&) override {
    ++questions;
    return TRUE;
  }
  CSpectrum* AddSpectrum(const CSpectrumParams& params, BOOL) override {
    spectra.push_back(std::make_unique<CSpectrum>(params));
    return spectra.back().get();
  }
  void SetSpectrumCount(int) override {}

  bool Has(const std::string& line) const {
    for (const std::string& h : history)
      if (h == line)
        return true;
    return false;
  }
  std::vector<float> Data(size_t nFloats) const {
    const CSpectrum& s = *spectra.back();
    return std::vector<float>(s.m_pData, s.m_pData + nFloats);
  }
  void Clear() {
    history.clear();
    error.clear();
    spectra.clear();
  }

  std::vector<std::string> history;
  std::string error;
  std::vector<std::unique_ptr<CSpectrum>> spectra;
  int questions = 0;
};

const char kSimple[] =
    "##TITLE= two words\n"
    "##JCAMP-DX= 5.00\n"
    "##DATA TYPE= NMR SPECTRUM\n"
    "##DATA CLASS= XYDATA\n"
    "##.OBSERVE FREQUENCY= 400.13\n"
    "##.OBSERVE NUCLEUS= ^1H\n"
    "##.SOLVENT REFERENCE= 7.26\n"
    "##.ACQUISITION MODE= SIMULTANEOUS\n"
    "##XUNITS= HZ\n"
    "##FIRSTX= 4000.0\n"
    "##LASTX= -1000.0\n"
    "##NPOINTS= 6\n"
    "##XYDATA= (X++(Y..Y))\n"
    "5 A1JJ\n"
    "2 A3B2C3D4\n"
    "##END=\n";

const char kNtuples[] =
    "##TITLE= complex\n"
    "##JCAMP-DX= 5.00 $$ written by hand\n"
    "##DATA TYPE= NMR FID\n"
    "##DATA CLASS= NTUPLES\n"
    "##.OBSERVE FREQUENCY= 100.0\n"
    "##NTUPLES= NMR FID\n"
    "##VAR_NAME= TIME, FID/REAL, FID/IMAG, PAGE NUMBER\n"
    "##SYMBOL= X, R, I, N\n"
    "##VAR_DIM= 4, 4, 4, 2\n"
    "##UNITS= SECONDS, ARBITRARY UNITS, ARBITRARY UNITS,\n"
    "##FIRST= 0.0, 1, 5\n"
    "##LAST= 0.003, 4, 8\n"
    "##PAGE= N=1\n"
    "##DATA TABLE= (X++(R..R)), XYDATA\n"
    "0 1 2 3 4\n"
    "##PAGE= N=2\n"
    "##DATA TABLE= (X++(I..I)), XYDATA\n"
    "0 E%J\n"
    "2 F G\n"
    "##END NTUPLES= NMR FID\n"
    "##END=\n";

// An instrument's export: plain decimals, X as point numbers, a point count
// written as a decimal and a table one value short of it.
const char kShortTable[] =
    "##TITLE= 1H\n"
    "##JCAMP-DX= 4.24\n"
    "##DATA TYPE= NMR SPECTRUM\n"
    "##DATA CLASS= XYDATA\n"
    "##.OBSERVE FREQUENCY= 300.13\n"
    "##XUNITS= HZ\n"
    "##FIRSTX= 3000.0\n"
    "##LASTX= -600.0\n"
    "##NPOINTS= 7.000000000\n"
    "##XYDATA= (X++(Y..Y))\n"
    "0 1.5 -2.25 3.0\n"
    "3 4.5 5.5 -6.0\n"
    "##END=\n";

BOOL ImportText(JcampDocument& doc, const std::string& text, CJcampImporter* pImporter = nullptr) {
  CJcampImporter importer(doc);
  CJcampImporter& used = pImporter != nullptr ? *pImporter : importer;
  return used.ImportText("test.dx", text.data(), text.size());
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t pos = text.find(from);
  if (pos != std::string::npos)
    text.replace(pos, from.size(), to);
  return text;
}

typedef std::vector<float> V;

TEST(JcampImport, SimpleTable) {
  JcampDocument doc;
  ASSERT_TRUE(ImportText(doc, kSimple)) << doc.error;
  ASSERT_EQ(doc.spectra.size(), 1u);
  const CSpectrum& s = *doc.spectra[0];
  const CSpectrumParams& p = s.m_paramsA;
  EXPECT_EQ(p.td, 12);
  EXPECT_DOUBLE_EQ(p.sf, 400.13);
  EXPECT_DOUBLE_EQ(p.sw, 5000.0);
  EXPECT_STREQ((LPCSTR)p.title, "twowords");
  EXPECT_EQ(p.DSPFVS, 0);
  EXPECT_EQ(p.DECIM, 0);
  // The first point at its x, 4000 Hz.
  EXPECT_DOUBLE_EQ(s.ConvertUnits(0, AXIS_UNITS_HZ), 4000.0);
  EXPECT_EQ(doc.Data(12), (V{11, 0, 12, 0, 13, 0, 22, 0, 33, 0, 44, 0}));
  EXPECT_EQ(std::vector<float>(s.m_pRawData, s.m_pRawData + 12), doc.Data(12));
  EXPECT_EQ(doc.history, (std::vector<std::string>{"Starting traslation for test.dx JCamp-DX data type",
                                                   "No Complex data storage (NTuples) detected ",
                                                   "JCampDX file correctly imported"}));
  // No question about missing parameters, and every key stays in the map.
  EXPECT_EQ(doc.questions, 0);
  EXPECT_EQ(p.names.GetCount(), 8);
}

TEST(JcampImport, NtuplesPagesInterleave) {
  JcampDocument doc;
  CJcampImporter importer(doc);
  ASSERT_TRUE(ImportText(doc, kNtuples, &importer)) << doc.error;
  EXPECT_TRUE(doc.Has("Complex data storage (NTuples) detected "));
  EXPECT_EQ(doc.Data(8), (V{1, 5, 2, 5, 3, 6, 4, 7}));
  const CSpectrumParams& p = doc.spectra[0]->m_paramsA;
  EXPECT_EQ(p.td, 8);
  // Four points 1 ms apart.
  EXPECT_DOUBLE_EQ(p.sw, 1000.0);
  EXPECT_STREQ((LPCSTR)importer.GetHeader().strUnits, "SECONDS");
}

// An aspirin spectrum of 16 points as an instrument exports it: X in Hz
// that put the methyl line (point 13) at 2.77 ppm, and a shift reference
// that puts the first point at 15.47866 ppm and so the methyl at 2.29.
const char kAspirin[] =
    "##TITLE= aspirin\n"
    "##JCAMP-DX= 5.00\n"
    "##DATA TYPE= NMR SPECTRUM\n"
    "##DATA CLASS= XYDATA\n"
    "##.OBSERVE FREQUENCY= 300.13\n"
    "##.SHIFT REFERENCE= INTERNAL, CDCl3, 1, 15.47866\n"
    "##XUNITS= HZ\n"
    "##FIRSTX= 4789.6726258\n"
    "##LASTX= -488.0774086\n"
    "##NPOINTS= 16\n"
    "##XYDATA= (X++(Y..Y))\n"
    "4789 1 2 1 3 2 1 2 1\n"
    "2391 1 2 3 1 900 2 1 2\n"
    "##END=\n";

// Where the methyl line of the aspirin export lands with each kind of
// reference; a reference that cannot be used keeps the offset 0 and says so.
TEST(JcampImport, ShiftScaleFromTheReferenceOrTheFirstX) {
  const std::string reference = "##.SHIFT REFERENCE= INTERNAL, CDCl3, 1, 15.47866\n";
  const std::string hz = "##XUNITS= HZ\n##FIRSTX= 4789.6726258\n##LASTX= -488.0774086\n";
  const double sw = 4789.6726258 + 488.0774086;
  const double unreferenced = (sw - sw * 24 / 32) / 300.13;  // offset 0
  const char* const outside = "outside the 16 points: the axis keeps no reference offset";
  const char* const unreadable = "The shift reference cannot be read: the axis keeps no reference offset";
  struct {
    std::string reference, units;  // what replaces them
    double methyl;
    std::string line;  // "" when none
  } cases[] = {
      {reference, hz, 2.29, ""},
      {"", hz, 2.77, ""},
      {"##.SHIFT REFERENCE= (INTERNAL, TMS, 13, 2.29)\n", hz, 2.29, ""},
      {"##.SHIFT REFERENCE= INTERNAL, CDCl3, 17, 15.47866\n", hz, unreferenced,
       std::string("The shift reference names point 17, ") + outside},
      {"##.SHIFT REFERENCE= INTERNAL, CDCl3, 0, 15.47866\n", hz, unreferenced,
       std::string("The shift reference names point 0, ") + outside},
      {"##.SHIFT REFERENCE= INTERNAL, CDCl3\n", hz, unreferenced, unreadable},
      {"##.SHIFT REFERENCE= INTERNAL, CDCl3, 1.5, 15.47866\n", hz, unreferenced, unreadable},
      // X in ppm: the first x itself.
      {"", "##XUNITS= PPM\n##FIRSTX= 15.95866\n##LASTX= -1.62622\n", 2.77, ""},
      {reference, "##XUNITS= PPM\n##FIRSTX= 15.95866\n##LASTX= -1.62622\n", 2.29, ""},
  };
  for (const auto& c : cases) {
    JcampDocument doc;
    const std::string text = Replace(Replace(kAspirin, reference, c.reference), hz, c.units);
    ASSERT_TRUE(ImportText(doc, text)) << text << doc.error;
    const CSpectrum& s = *doc.spectra[0];
    EXPECT_EQ(2 * 12, s.GetMaxIndex()) << text;
    EXPECT_NEAR(c.methyl, s.ConvertUnits(2 * 12, AXIS_UNITS_PPM), 1e-6) << text;
    int nLines = 0;
    for (const std::string& line : doc.history)
      nLines += line.compare(0, 19, "The shift reference") == 0;
    EXPECT_EQ(c.line.empty() ? 0 : 1, nLines) << text;
    if (!c.line.empty()) {
      EXPECT_TRUE(doc.Has(c.line)) << text;
    }
  }
}

// An FID as an instrument's software exports it, with the acquisition's
// own records: 4 points, the first of its transform at 15 ppm.
const char kBrukerFid[] =
    "##TITLE= fid\n"
    "##JCAMP-DX= 5.01\n"
    "##DATA TYPE= NMR FID\n"
    "##DATA CLASS= NTUPLES\n"
    "##.OBSERVE FREQUENCY= 300.13\n"
    "##.ACQUISITION MODE= SIMULTANEOUS\n"
    "##.SHIFT REFERENCE= INTERNAL, CDCl3, 1, 15.0\n"
    "##$DECIM= 24\n"
    "##$DSPFVS= 10\n"
    "##$GRPDLY= -1\n"
    "##$SW_h= 4000\n"
    "##NTUPLES= NMR FID\n"
    "##VAR_NAME= TIME, FID/REAL, FID/IMAG, PAGE NUMBER\n"
    "##VAR_DIM= 4, 4, 4, 2\n"
    "##UNITS= SECONDS, ARBITRARY UNITS, ARBITRARY UNITS,\n"
    "##FIRST= 0.0, 1, 5\n"
    "##LAST= 0.001, 4, 8\n"
    "##PAGE= N=1\n"
    "##DATA TABLE= (X++(R..R)), XYDATA\n"
    "0 1 2 3 4\n"
    "##PAGE= N=2\n"
    "##DATA TABLE= (X++(I..I)), XYDATA\n"
    "0 5 6 7 8\n"
    "##END NTUPLES= NMR FID\n"
    "##END=\n";

// The acquisition of an FID as the Bruker reader takes it from acqus: the
// mode, the digital filter, the sampling rate, and the shift of the first
// point of its transform.
TEST(JcampImport, FidAcquisitionAndShiftReference) {
  const char* const outside =
      "The shift reference names point 5, outside the 4 points: the axis keeps no reference offset";
  const double unreferenced = 4000.0 / 300.13;  // offset 0: the first point at sw
  struct {
    const char* from;
    const char* to;
    int aqmode, complex, decim, dspfvs;
    double grpdly, sw, firstPpm;
    const char* line;  // "" when none
  } cases[] = {
      {"", "", 1, 1, 24, 10, 0.0, 4000, 15.0, ""},
      {"SIMULTANEOUS", "SIMULTANEOUS (DQD)", 1, 1, 24, 10, 0.0, 4000, 15.0, ""},
      {"SIMULTANEOUS", "SEQUENTIAL", 0, 1, 24, 10, 0.0, 4000, 15.0, ""},
      {"SIMULTANEOUS", "SINGLE", 0, 0, 24, 10, 0.0, 4000, 15.0, ""},
      {"##.ACQUISITION MODE= SIMULTANEOUS\n", "", 0, 0, 24, 10, 0.0, 4000, 15.0, "ACQUISITION MODE not found"},
      {"##$DSPFVS= 10\n##$GRPDLY= -1", "##$DSPFVS= 21\n##$GRPDLY= 1.5", 1, 1, 24, 21, 1.5, 4000, 15.0, ""},
      {"##$DSPFVS= 10\n##$GRPDLY= -1", "##$DSPFVS= 20\n##$GRPDLY= 9", 1, 1, 24, 20, 0.0, 4000, 15.0,
       "GRPDLY of the file (9) is not less than the number of points: the FID is not rotated for the digital filter"},
      {"##$DSPFVS= 10\n##$GRPDLY= -1", "##$DSPFVS= 20\n##$GRPDLY= x", 1, 1, 24, 20, 0.0, 4000, 15.0,
       "GRPDLY of the file is not a number: the FID is not rotated for the digital filter"},
      {"##$DECIM= 24\n##$DSPFVS= 10\n", "##$DECIM= 725.33\n", 1, 1, 725, 0, 0.0, 4000, 15.0,
       "GRPDLY of the file (-1) is negative: the FID is not rotated for the digital filter"},
      // Without the acquisition's rate, the x range's: 3 dwells of 1/3 ms.
      {"##$SW_h= 4000\n", "", 1, 1, 24, 10, 0.0, 3000, 15.0, ""},
      {"1, 15.0", "3, 14.0", 1, 1, 24, 10, 0.0, 4000, 14.0 + 2 * 1000 / 300.13, ""},
      {"1, 15.0", "5, 15.0", 1, 1, 24, 10, 0.0, 4000, unreferenced, outside},
      {"##.SHIFT REFERENCE= INTERNAL, CDCl3, 1, 15.0\n", "", 1, 1, 24, 10, 0.0, 4000, unreferenced, ""},
  };
  for (const auto& c : cases) {
    JcampDocument doc;
    const std::string text = Replace(kBrukerFid, c.from, c.to);
    ASSERT_TRUE(ImportText(doc, text)) << text << doc.error;
    const CSpectrum& s = *doc.spectra[0];
    const CSpectrumParams& p = s.m_paramsA;
    EXPECT_EQ(0, s.m_bTransformed) << text;
    EXPECT_EQ(c.aqmode, p.aqmode) << text;
    EXPECT_EQ(c.complex, p.bComplex) << text;
    EXPECT_EQ(0, p.bConjugate) << text;
    EXPECT_EQ(c.decim, p.DECIM) << text;
    EXPECT_EQ(c.dspfvs, p.DSPFVS) << text;
    EXPECT_EQ(c.grpdly, p.GRPDLY) << text;
    EXPECT_DOUBLE_EQ(c.sw, p.sw) << text;
    EXPECT_NEAR(c.firstPpm, s.ConvertUnits(0, AXIS_UNITS_PPM), 1e-9) << text;
    int nLines = 0;
    for (const std::string& line : doc.history)
      nLines += line.compare(0, 6, "GRPDLY") == 0 || line.compare(0, 19, "The shift reference") == 0 ||
                line.compare(0, 16, "ACQUISITION MODE") == 0;
    EXPECT_EQ(*c.line ? 1 : 0, nLines) << text;
    if (*c.line) {
      EXPECT_TRUE(doc.Has(c.line)) << text;
    }
  }
}

// The aspirin FID as an instrument's software exports it (written from the
// Bruker experiment by scripts/make_jcamp_fid.py) reads as the Bruker
// reader reads the experiment: the same words, acquisition and filter, and
// the first point of its transform at the same shift.
TEST(JcampImport, ExportedFidReadsAsTheBrukerExperiment) {
  JcampDocument jcamp, bruker;
  CJcampImporter jcampImporter(jcamp);
  ASSERT_TRUE(jcampImporter.Import(BRIVANE_REALDATA_DIR "/jcamp-aspirin-fid.dx")) << jcamp.error;
  CBrukerImporter brukerImporter(bruker);
  ASSERT_TRUE(brukerImporter.Import(BRIVANE_REALDATA_DIR "/bruker-aspirin-1h/1/fid")) << bruker.error;
  const CSpectrum& j = *jcamp.spectra[0];
  const CSpectrum& b = *bruker.spectra[0];
  const CSpectrumParams& p = j.m_paramsA;
  const CSpectrumParams& q = b.m_paramsA;
  ASSERT_EQ(q.td, p.td);
  EXPECT_EQ(0, std::memcmp(j.m_pData, b.m_pData, sizeof(float) * (size_t)p.td));
  EXPECT_EQ(0, std::memcmp(j.m_pRawData, b.m_pRawData, sizeof(float) * (size_t)p.td));
  EXPECT_EQ(q.aqmode, p.aqmode);
  EXPECT_EQ(q.bComplex, p.bComplex);
  EXPECT_EQ(q.bConjugate, p.bConjugate);
  EXPECT_EQ(q.DECIM, p.DECIM);
  EXPECT_EQ(q.DSPFVS, p.DSPFVS);
  EXPECT_EQ(j.GetGroupDelay(), b.GetGroupDelay());
  EXPECT_NEAR(q.sw, p.sw, 1e-6);
  EXPECT_EQ(0, j.m_bTransformed);
  EXPECT_NEAR(b.ConvertUnits(0, AXIS_UNITS_PPM), j.ConvertUnits(0, AXIS_UNITS_PPM), 1e-9);
  // The file's observe frequency is the carrier's (SFO1), the Bruker
  // reader's the base frequency (BF1): the far end within a point.
  const double dPoint = q.sw / q.sf / (q.td / 2);
  EXPECT_NEAR(b.ConvertUnits(p.td - 2, AXIS_UNITS_PPM), j.ConvertUnits(p.td - 2, AXIS_UNITS_PPM), dPoint / 4);
}

// A spectrum opens as a transform leaves one; an FID stays an FID.
TEST(JcampImport, SpectraOpenTransformed) {
  for (const char* text : {kAspirin, kSimple, kNtuples}) {
    JcampDocument doc;
    ASSERT_TRUE(ImportText(doc, text));
    const CSpectrum& s = *doc.spectra[0];
    const bool bSpectrum = text != kNtuples;
    EXPECT_EQ(bSpectrum ? 1 : 0, s.m_bTransformed) << text;
    EXPECT_EQ(bSpectrum ? AXIS_UNITS_PPM : AXIS_UNITS_SECONDS, s.m_Scale.m_nUnits) << text;
    if (bSpectrum) {
      EXPECT_EQ(1, s.m_paramsB.bComplex);
      EXPECT_EQ(1, s.m_paramsA.bConjugate);
    }
  }
}

TEST(JcampImport, PpmAxisScalesByTheObserveFrequency) {
  JcampDocument doc;
  std::string text = Replace(Replace(Replace(kSimple, "HZ", "PPM"), "4000.0", "10.0"), "-1000.0", "-2.5");
  ASSERT_TRUE(ImportText(doc, text));
  EXPECT_NEAR(doc.spectra[0]->m_paramsA.sw, 12.5 * 400.13, 1e-9);
}

TEST(JcampImport, HeaderRecordsMissing) {
  JcampDocument doc;
  std::string text = std::string("##JCAMP-DX= 5.01\n##XUNITS= HZ\n##FIRSTX= 10\n##LASTX= 0\n##NPOINTS= 2\n") +
                     "##XYDATA= (X++(Y..Y))\n1 AB\n";
  CJcampImporter importer(doc);
  ASSERT_TRUE(ImportText(doc, text, &importer));
  for (const char* line :
       {"Data class not found", "Title not found", "Data type not found", "OBSERVE FREQUENCY not found",
        "SOLVENT REFERENCE not found", "NUCLEUS not found", "ACQUISITION MODE not found"})
    EXPECT_TRUE(doc.Has(line)) << line;
  EXPECT_FALSE(doc.Has("This is not version 5.00"));
  const CJcampHeader& h = importer.GetHeader();
  EXPECT_STREQ((LPCSTR)h.strDataClass, "Unknown");
  EXPECT_STREQ((LPCSTR)h.strDataType, "UnKnown");
  EXPECT_STREQ((LPCSTR)h.strSolventReference, "0.0");
  EXPECT_STREQ((LPCSTR)doc.spectra[0]->m_paramsA.title, "Untitled");
  EXPECT_EQ(doc.spectra[0]->m_paramsA.sf, 0.0);
}

TEST(JcampImport, OtherVersionsAreReadWithAWarning) {
  for (const char* version : {"4.24", "6.0"}) {
    JcampDocument doc;
    ASSERT_TRUE(ImportText(doc, Replace(kSimple, "5.00", version))) << version;
    EXPECT_TRUE(doc.Has("This is not version 5.00")) << version;
  }
}

TEST(JcampImport, NothingCarriesOverToTheNextImport) {
  JcampDocument doc;
  CJcampImporter importer(doc);
  ASSERT_TRUE(ImportText(doc, kSimple, &importer));
  std::string bare = Replace(Replace(kSimple, "##TITLE= two words\n", ""), "##.OBSERVE FREQUENCY= 400.13\n", "");
  ASSERT_TRUE(ImportText(doc, bare, &importer));
  const CSpectrumParams& p = doc.spectra[1]->m_paramsA;
  EXPECT_EQ(p.sf, 0.0);
  EXPECT_STREQ((LPCSTR)p.title, "Untitled");
  EXPECT_TRUE(doc.Has("OBSERVE FREQUENCY not found"));
}

// Each refusal: the history names the step, the reason is set, no spectrum.
void ExpectRefused(const std::string& text, const std::vector<std::string>& lines, const std::string& reason) {
  JcampDocument doc;
  EXPECT_FALSE(ImportText(doc, text));
  EXPECT_TRUE(doc.spectra.empty());
  for (const std::string& line : lines)
    EXPECT_TRUE(doc.Has(line)) << line;
  EXPECT_EQ(doc.history.back(), reason);
  EXPECT_EQ(doc.error, reason);
}

TEST(JcampImport, RefusedFiles) {
  const std::string kFixed = "An error reading the core fixed header has ocurred";
  const std::string kData = "An error reading the core data header has ocurred";
  const std::string kReal = "An error reading real data points has ocurred";
  ExpectRefused(Replace(kSimple, "##JCAMP-DX= 5.00\n", ""), {"It is not a JCAMP-DX file"}, kFixed);
  // "##JCAMP" after the first data table does not count.
  ExpectRefused(Replace(kSimple, "##JCAMP-DX= 5.00\n", "") + "##JCAMP-DX= 5.00\n", {"It is not a JCAMP-DX file"},
                kFixed);
  ExpectRefused(Replace(kSimple, "##NPOINTS= 6", "##NPOINTS= many"), {"Cannot read number of points"}, kData);
  ExpectRefused(Replace(kSimple, "##NPOINTS= 6", "##NPOINTS= -6"), {"Cannot read number of points"}, kData);
  ExpectRefused(Replace(kSimple, "##NPOINTS= 6", "##NPOINTS= 99999999999"), {"Cannot read number of points"}, kData);
  ExpectRefused(Replace(kSimple, "##FIRSTX= 4000.0\n", ""), {"Cannot read First X"}, kData);
  ExpectRefused(Replace(kSimple, "##LASTX= -1000.0", "##LASTX= nan"), {"Cannot read Last X"}, kData);
  ExpectRefused(Replace(kSimple, "(X++(Y..Y))", "(XY..XY)"), {"Failed to find real points"}, kReal);
  // Fewer points than the header promises with no record after them, or a
  // damaged number.
  ExpectRefused(Replace(Replace(kSimple, "##NPOINTS= 6", "##NPOINTS= 7"), "##END=\n", ""),
                {"Failed to read data points"}, kReal);
  ExpectRefused(Replace(kSimple, "D4", "D4" + std::string(80, '7')), {"Failed to read data points"}, kReal);
  ExpectRefused(Replace(kNtuples, "(X++(I..I))", "(X++(J..J))"), {"Failed to find imaginary points"},
                "An error reading imaginary data points has ocurred");
  ExpectRefused(Replace(kNtuples, "2 F G\n##END NTUPLES= NMR FID\n##END=\n", "2 F\n"),
                {"Failed to read imaginary points"}, "An error reading imaginary data points has ocurred");
  ExpectRefused(Replace(kNtuples, "##VAR_DIM= 4", "##VAR_DIM= 0"), {"Cannot read number of points"},
                "An error reading the core data complex header has ocurred");
}

TEST(JcampImport, TableShortOfTheCountAtALabel) {
  const std::string kOnlySix = "Only 6 of 7 data points found: the missing ones set to 0";
  JcampDocument doc;
  CJcampImporter importer(doc);
  ASSERT_TRUE(ImportText(doc, kShortTable, &importer)) << doc.error;
  EXPECT_EQ(importer.GetHeader().nPoints, 7);
  EXPECT_EQ(doc.Data(14), (V{1.5f, 0, -2.25f, 0, 3, 0, 4.5f, 0, 5.5f, 0, -6, 0, 0, 0}));
  EXPECT_TRUE(doc.Has(kOnlySix));
  EXPECT_EQ(doc.history.back(), "JCampDX file correctly imported");

  // A complex page closed early by the next page keeps the other page whole.
  doc.Clear();
  ASSERT_TRUE(ImportText(doc, Replace(kNtuples, "0 1 2 3 4\n", "0 1 2 3\n"))) << doc.error;
  EXPECT_EQ(doc.Data(8), (V{1, 5, 2, 5, 3, 6, 0, 7}));
  EXPECT_TRUE(doc.Has("Only 3 of 4 data points found: the missing ones set to 0"));

  // Cut off by the end of the file, or with no value at all: refused.
  const std::string kReal = "An error reading real data points has ocurred";
  const std::string text = kShortTable;
  ExpectRefused(text.substr(0, text.find("5.5")), {"Failed to read data points"}, kReal);
  ExpectRefused(text.substr(0, text.find("##END")), {"Failed to read data points"}, kReal);
  ExpectRefused(Replace(Replace(text, "0 1.5 -2.25 3.0\n", ""), "3 4.5 5.5 -6.0\n", ""), {"Failed to read data points"},
                kReal);
}

// A table that is the last thing in the file, its last line without a line
// feed, ends at the end of the file.
TEST(JcampImport, ATableEndingTheFileWithoutALineFeedIsRead) {
  const struct {
    std::string text;
    size_t nFloats;
    V values;
  } cases[] = {
      {Replace(kSimple, "D4\n##END=\n", "D4"), 12, {11, 0, 12, 0, 13, 0, 22, 0, 33, 0, 44, 0}},
      {Replace(kSimple, "D4\n##END=\n", "D4\r"), 12, {11, 0, 12, 0, 13, 0, 22, 0, 33, 0, 44, 0}},
      {Replace(kNtuples, "2 F G\n##END NTUPLES= NMR FID\n##END=\n", "2 F G"), 8, {1, 5, 2, 5, 3, 6, 4, 7}},
  };
  for (const auto& c : cases) {
    JcampDocument doc;
    ASSERT_TRUE(ImportText(doc, c.text)) << doc.error;
    EXPECT_EQ(doc.Data(c.nFloats), c.values);
    EXPECT_EQ(doc.history.back(), "JCampDX file correctly imported");
  }
}

TEST(JcampImport, UnitsMayBeMissing) {
  JcampDocument doc;
  ASSERT_TRUE(ImportText(doc, Replace(kSimple, "##XUNITS= HZ\n", "")));
  EXPECT_TRUE(doc.Has("Cannot read units"));
  EXPECT_DOUBLE_EQ(doc.spectra[0]->m_paramsA.sw, 5000.0);
}

TEST(JcampImport, LongLinesAndCarriageReturns) {
  JcampDocument doc;
  std::string text = "##$VENDOR= " + std::string(2000, 'x') + "\n" + kSimple;
  size_t pos;
  while ((pos = text.find('\n')) != std::string::npos && text[pos - 1] != '\r')
    text.replace(pos, 1, "\r\n");
  ASSERT_TRUE(ImportText(doc, text)) << doc.error;
  EXPECT_EQ(doc.Data(12), (V{11, 0, 12, 0, 13, 0, 22, 0, 33, 0, 44, 0}));
  EXPECT_STREQ((LPCSTR)doc.spectra[0]->m_paramsA.title, "twowords");
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every prefix of a file is either refused with a reason or read whole. A
// prefix that ends inside the last number of the last table has as many
// points as the whole file and is read with the digits it holds: that one
// value may differ. Of the real export, the prefixes that end near its
// ends, near a record the reader takes, and a spread of the others.
TEST(JcampImport, EveryPrefixIsRefusedOrReadWhole) {
  const std::string exported = ReadWholeFile(BRIVANE_REALDATA_DIR "/jcamp-aspirin-fid.dx");
  ASSERT_FALSE(exported.empty());
  // Its last table ends in a line of differences and the check line after it.
  const size_t nCheck = exported.rfind('\n', exported.rfind("\n##END NTUPLES") - 1);
  const size_t nLastLine = exported.rfind('\n', nCheck - 1) + 1;
  const struct {
    std::string text;
    std::string lastLine;  // the last data line, when a cut in it can be read
    size_t nLastValue;     // the float that line's last number gives
  } files[] = {{kSimple, "2 A3B2C3D4", 10},  {kNtuples, "2 F G", 7},
               {kShortTable, "", 0},         {kAspirin, "", 0},
               {kBrukerFid, "0 5 6 7 8", 7}, {exported, exported.substr(nLastLine, nCheck - nLastLine), 16383}};
  for (const auto& file : files) {
    const std::string& full = file.text;
    JcampDocument reference;
    ASSERT_TRUE(ImportText(reference, full));
    const int td = reference.spectra[0]->m_paramsA.td;
    const V expected = reference.Data((size_t)td);
    // A prefix that ends in the header lacks the data: a few of those say enough.
    std::vector<bool> chosen(full.size(), full.size() < 4096);
    for (size_t n = 0; n < 24 && n < full.size(); n++)
      chosen[n] = chosen[full.size() - 1 - n] = true;
    for (const char* record : {"##JCAMP", "##DATA", "##.OBSERVE FREQUENCY", "##.SHIFT", "##.ACQUISITION", "##$DECIM=",
                               "##$DSPFVS=", "##$GRPDLY=", "##$SW_h=", "##VAR_DIM", "##FIRST", "##LAST", "##END"})
      for (size_t at = full.find(record); at != std::string::npos; at = full.find(record, at + 1))
        for (size_t n = at; n < full.size() && n < at + 16; n++)
          chosen[n] = true;
    if (!file.lastLine.empty())
      for (size_t n = full.rfind(file.lastLine); n < full.rfind(file.lastLine) + file.lastLine.size(); n++)
        chosen[n] = true;
    for (size_t n = 0; n < full.size(); n += 9973)
      chosen[n] = true;
    for (size_t n = 0; n < full.size(); n++) {
      if (!chosen[n])
        continue;
      JcampDocument doc;
      std::vector<char> prefix(full.begin(), full.begin() + (long)n);  // no terminating zero
      CJcampImporter importer(doc);
      BOOL bRead = importer.ImportText("prefix.dx", prefix.data(), prefix.size());
      if (bRead) {
        ASSERT_EQ(doc.spectra.size(), 1u) << n;
        ASSERT_EQ(doc.spectra[0]->m_paramsA.td, td) << n;
        V got = doc.Data((size_t)td);
        if (got != expected && !file.lastLine.empty()) {
          const size_t nLine = full.rfind(file.lastLine);
          EXPECT_TRUE(n > nLine && n < nLine + file.lastLine.size()) << n;
          got[file.nLastValue] = expected[file.nLastValue];
        }
        EXPECT_EQ(got, expected) << n;
      } else {
        EXPECT_TRUE(doc.spectra.empty()) << n;
        EXPECT_FALSE(doc.error.empty()) << n;
      }
    }
  }
}

TEST(JcampImport, MissingFile) {
  JcampDocument doc;
  CJcampImporter importer(doc);
  EXPECT_FALSE(importer.Import("no-such-folder/none.dx"));
  EXPECT_EQ(doc.error, "Failed to open no-such-folder/none.dx");
  EXPECT_EQ(doc.history.front(), "Starting traslation for no-such-folder/none.dx JCamp-DX data type");
  EXPECT_TRUE(doc.spectra.empty());
}

bool FailAllocations(std::size_t) {
  return false;
}

TEST(JcampImport, MemoryExhausted) {
  JcampDocument doc;
  CSpectrum::AllocationHook previous = CSpectrum::SetAllocationHook(&FailAllocations);
  BOOL bRead = ImportText(doc, kSimple);
  CSpectrum::SetAllocationHook(previous);
  EXPECT_FALSE(bRead);
  EXPECT_EQ(doc.error, "Memory exhausted. Importing aborted");
  EXPECT_TRUE(doc.spectra.empty());
}

TEST(JcampImport, RealSpectrometerFile) {
  JcampDocument doc;
  CJcampImporter importer(doc);
  ASSERT_TRUE(importer.Import(BRIVANE_REALDATA_DIR "/jcamp-1h.dx")) << doc.error;
  const CSpectrumParams& p = doc.spectra[0]->m_paramsA;
  ASSERT_EQ(p.td, 2 * 16384);
  EXPECT_DOUBLE_EQ(p.sf, 399.784493896);
  EXPECT_NEAR(p.sw, 6037.9072694778 + 1953.6127495766, 1e-9);
  EXPECT_STREQ((LPCSTR)p.title, "auto");
  EXPECT_FALSE(doc.Has("This is not version 5.00"));
  // Ordinates as written: the first ones, and the last ones after every Y check.
  EXPECT_EQ(doc.Data(10), (V{0, 0, -99, 0, -312, 0, -264, 0, -1654, 0}));
  const float* pData = doc.spectra[0]->m_pData;
  EXPECT_EQ((V{pData[p.td - 6], pData[p.td - 4], pData[p.td - 2]}), (V{-1797, 330, 962}));
  EXPECT_EQ(pData[2 * 10237], 4194303.0f);
}

}  // namespace
