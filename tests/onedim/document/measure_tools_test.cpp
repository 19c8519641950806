// Coupling measurements, referencing and the relaxation intensities as the
// document makes them: a doublet measures its J, the coupling table's rows
// and deletions, the aspirin experiment referenced to a typed shift, picks
// outside the data refused, and the intensities of a peak or a region in
// every spectrum.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "onedim/model/AxisScale.h"
#include "onedim/model/CouplingTable.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/document/document_test_host.h"

namespace {

const int kTd = 8192;
const double kSw = 4000.0;
const double kJ = 7.3;  // Hz

// Two Lorentzian lines kJ apart, at the complex point c and c + kJ in points.
float Doublet(int i) {
  if (i % 2)
    return 0.0f;
  const double dPointHz = kSw / (kTd / 2);
  double y = 0.0;
  for (double c : {1500.3, 1500.3 + kJ / dPointHz}) {
    const double u = (i / 2 - c) / 2.5;
    y += 100.0 / (1.0 + u * u);
  }
  return (float)y;
}

TEST(MeasureTools, ADoubletMeasuresItsCouplingToTheDigitalResolution) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, kTd, Doublet, kSw);
  s->FindMaximum();
  doc.PickPeaksInRange(0, kTd - 2, 50.0);
  const CPeakPicking* peaks = static_cast<const CPeakPicking*>(s->m_arrPeaks[0]);
  ASSERT_EQ(2, peaks->GetCount());
  doc.StartCoupling(peaks->m_arrPoints[1]);
  doc.AddCouplingPartner(peaks->m_arrPoints[0]);  // left of the reference
  CCouplingRow row;
  ASSERT_TRUE(GetCouplingRow(*s, 0, row));
  EXPECT_NEAR(kJ, row.dJ, kSw / (kTd / 2));
  EXPECT_GT(row.dShift2, row.dShift1) << "J is positive either way round";
}

TEST(MeasureTools, TheCouplingTableNumbersPairsAndDeletesThem) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  CSpectrum* s = AddTestSpectrum(doc, 1024);
  doc.AddCouplingPartner(10);  // no measurement yet
  doc.StartCoupling(-2);       // outside the data
  doc.StartCoupling(1024);
  EXPECT_EQ(0, s->m_arrCouplings.GetSize());

  doc.StartCoupling(100);
  for (int p : {110, 120, 130, 5000})
    doc.AddCouplingPartner(p);
  doc.StartCoupling(400);
  doc.AddCouplingPartner(390);
  ASSERT_EQ(4, GetCouplingRowCount(*s));
  CCouplingRow row;
  for (int r = 0; r < 3; r++) {
    ASSERT_TRUE(GetCouplingRow(*s, r, row));
    EXPECT_EQ(s->ConvertUnits(100, AXIS_UNITS_HZ), row.dShift1) << "three partners, one reference";
  }
  ASSERT_TRUE(GetCouplingRow(*s, 3, row));
  EXPECT_EQ(1, row.nMeasure);
  EXPECT_FALSE(GetCouplingRow(*s, 4, row));

  EXPECT_FALSE(IsCouplingShown(*s, 1));
  EXPECT_TRUE(SetCouplingShown(*s, 1, TRUE));
  EXPECT_TRUE(IsCouplingShown(*s, 1));
  EXPECT_FALSE(SetCouplingShown(*s, 9, TRUE));

  const CString text = CouplingClipboardText(*s);
  EXPECT_EQ(0, text.Find("Shift 1\tShift 2\tJ(1-2)\r\n"));
  EXPECT_EQ('\t', text[text.GetLength() - 1]) << "a tab after the last J, no line break";
  int nLines = 0;
  for (int k = 0; (k = text.Find("\r\n", k) + 1) > 0;)
    nLines++;
  EXPECT_EQ(4, nLines);

  // The last partner takes its measurement, and the current one with it:
  // further partners wait for a new reference line.
  EXPECT_TRUE(DeleteCouplingRow(*s, 3));
  EXPECT_EQ(1, s->m_arrCouplings.GetSize());
  EXPECT_EQ(nullptr, s->m_pCurrentJ);
  doc.AddCouplingPartner(200);
  EXPECT_EQ(3, GetCouplingRowCount(*s));
  EXPECT_TRUE(DeleteCouplingRow(*s, 0));
  EXPECT_TRUE(IsCouplingShown(*s, 0)) << "the flags follow their partners";
  EXPECT_FALSE(DeleteCouplingRow(*s, 2));
}

TEST(MeasureTools, TheAspirinExperimentReferencesToTheTypedShift) {
  CTestHost host;
  host.m_app.m_nImportType = 0;
  CBrivaneProDoc doc(&host);
  const std::string fid = std::string(BRIVANE_REALDATA_DIR) + "/bruker-aspirin-1h/1/fid";
  ASSERT_TRUE(doc.ImportBruker(fid.c_str()));
  doc.RefreshAfterAdd();
  CFourierTransformOptions options;
  BOOL bAll = FALSE, bAutophase = FALSE;
  doc.InitFourierTransform(options, bAll, bAutophase);
  ASSERT_TRUE(doc.FourierTransform(options, FALSE, FALSE));
  CSpectrum* s = doc.GetCurrentSpectrum();
  s->FindMaximum();
  const int nMethyl = s->m_nMaxIndex;
  const int nOther = nMethyl / 3 & ~1;
  const double dBefore = s->ConvertUnits(nOther, AXIS_UNITS_PPM);
  const double dMethyl = s->ConvertUnits(nMethyl, AXIS_UNITS_PPM);
  host.m_bModified = FALSE;

  ASSERT_TRUE(doc.ReferencePoint(nMethyl, 2.345));
  EXPECT_NEAR(2.345, s->ConvertUnits(nMethyl, AXIS_UNITS_PPM), 1e-9);
  EXPECT_NEAR(dBefore + (2.345 - dMethyl), s->ConvertUnits(nOther, AXIS_UNITS_PPM), 1e-9);
  EXPECT_TRUE(host.m_bModified);
}

TEST(MeasureTools, ReferencingNeedsAPointOfTheDataAndAScale) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  EXPECT_FALSE(doc.ReferencePoint(0, 1.0)) << "no spectrum";
  CSpectrum* s = AddTestSpectrum(doc, 1024);
  s->m_paramsA.offset = 12.0;
  host.m_bModified = FALSE;
  const struct {
    int nIndex;
    double dShift;
    double dSw;
  } refused[] = {{-2, 1.0, 5000.0}, {1024, 1.0, 5000.0}, {100, 1e308, 5000.0}, {100, 1.0, 0.0}};
  for (const auto& r : refused) {
    s->m_paramsA.sw = r.dSw;
    EXPECT_FALSE(doc.ReferencePoint(r.nIndex, r.dShift)) << r.nIndex;
    EXPECT_EQ(12.0, s->m_paramsA.offset);
  }
  EXPECT_FALSE(host.m_bModified);
}

TEST(MeasureTools, RelaxationIntensitiesOfAPeakAndOfARegion) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  AddTestSpectrum(doc, 64, [](int i) { return i % 2 ? 0.0f : 2.0f; });
  AddTestSpectrum(doc, 64, [](int i) { return i % 2 ? 0.0f : 1.0f; });
  AddTestSpectrum(doc, 32, [](int i) { return i % 2 ? 0.0f : -0.5f; });

  doc.m_nMouseMode = MOUSE_RELAXATION_PEAK;
  doc.SetRelaxationPoint(40);
  EXPECT_EQ(MOUSE_NONE, doc.m_nMouseMode);
  EXPECT_EQ(0, doc.m_bRelaxationIntegral);
  EXPECT_EQ("Point position= 40", host.m_strRelaxationPick);
  EXPECT_EQ((std::vector<CString>{"2.00", "1.00", ""}), doc.GetRelaxationIntensities())
      << "the third spectrum ends before the point";

  doc.SetRelaxationRegion(20, 40);
  EXPECT_EQ(1, doc.m_bRelaxationIntegral);
  EXPECT_EQ("Integral region=( 10, 20) points", host.m_strRelaxationPick);
  EXPECT_EQ((std::vector<CString>{"1.00", "0.50", "-0.15"}), doc.GetRelaxationIntensities())
      << "ten points each; the third has six of them";

  doc.SetRelaxationRegion(21, 21);  // an empty region: sums of 0 are not divided by
  EXPECT_EQ((std::vector<CString>{"0.00", "0.00", "0.00"}), doc.GetRelaxationIntensities());
}

}  // namespace
