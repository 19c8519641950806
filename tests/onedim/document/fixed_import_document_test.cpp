// The fixed-layout importers reached through the document's import
// dispatcher: history, open-failure text, the current spectrum and the
// Varian warning box all land in the document and its host.
#include <string>
#include <vector>

#include "tests/onedim/document/document_test_host.h"
#include "tests/onedim/import/fixed_import_test_util.h"

namespace {

struct TypeCase {
  int nType;
  std::string error;  // the reason a one-byte file gets from that type's importer
};

}  // namespace

TEST(FixedImportDocument, RealVarianThroughTheDispatcher) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  host.m_app.m_nImportType = 3;
  const std::string path = std::string(BRIVANE_REALDATA_DIR) + "/varian-proton.fid/fid";
  ASSERT_EQ(doc.ImportFile(path.c_str()), importForeign) << (LPCSTR)host.m_app.m_strOpenFailure;
  ASSERT_EQ(doc.GetSpectrumCount(), 1);
  CSpectrum* pSpectrum = doc.GetCurrentSpectrum();
  ASSERT_NE(pSpectrum, nullptr);
  EXPECT_EQ(pSpectrum, doc.GetSpectrumAt(0));
  EXPECT_EQ(pSpectrum->m_paramsA.td, 65536);
  EXPECT_EQ(pSpectrum->m_pData[0], -214394.875f);
  EXPECT_EQ(pSpectrum->m_pRawData[1], 734592.625f);
  EXPECT_TRUE(host.m_messages.empty());
}

TEST(FixedImportDocument, WarningsAndFailuresReachTheHost) {
  ImportFolder folder;
  CTestHost host;
  CBrivaneProDoc doc(&host);

  // A Varian header that disagrees with procpar: the box, then the spectrum.
  folder.Write("procpar", "np 1 1\n1 2\n0\n");
  Bytes fid;
  fid.U32(8, 4, true).U16(26, 0x0048, true).Size(60).F32(60, 1.0f, true).F32(64, 2.0f, true);
  folder.Write("fid", fid.str);
  host.m_app.m_nImportType = 3;
  ASSERT_EQ(doc.ImportFile(folder.Path("fid").c_str()), importForeign) << (LPCSTR)host.m_app.m_strOpenFailure;
  EXPECT_EQ(host.m_messages,
            (std::vector<std::string>{"Number of points in the procpar\nIs different to the fid header"}));

  // Each type reaches its own importer, which refuses a one-byte file in
  // its own words, leaves its steps in the history and adds nothing.
  ImportFolder other;
  other.Write("x.dat", "X");
  const std::string path = other.Path("x.dat");
  const std::string kShort = "The file holds fewer data points than its header says.\nImporting aborted";
  const TypeCase cases[] = {
      {1, path + " is not an Aspect file"},
      {3, "failed to open ProcPar file.\nImporting aborted"},
      {4, "The Parameters File was not found"},
      {5, "Not a Nicolet header"},
      {6, "Cannot open file"},
      {7, path + " is not a Nuts data type"},
      {10, "The file ends inside its header.\nImporting aborted"},
      {11, "Not a TECMAG file"},
      {12, kShort},
  };
  for (const TypeCase& c : cases) {
    host.m_app.m_nImportType = c.nType;
    host.m_app.m_History.RemoveAll();
    EXPECT_EQ(doc.ImportFile(path.c_str()), importFailed) << c.nType;
    EXPECT_EQ(std::string(host.m_app.m_strOpenFailure), c.error) << c.nType;
    EXPECT_EQ(doc.GetSpectrumCount(), 1) << c.nType;
  }
  host.m_app.m_nImportType = 7;
  host.m_app.m_History.RemoveAll();
  doc.ImportFile(path.c_str());
  EXPECT_EQ(std::string(host.m_app.m_History.GetHead()), "Starting traslation for " + path + " Nuts data type");
}
