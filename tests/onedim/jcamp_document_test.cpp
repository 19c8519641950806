// The JCAMP-DX importer as the document's member: the spectrum lands in the
// document, current, and the steps in the application's history.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "onedim/document_test_host.h"

namespace {

TEST(JcampDocument, RealFileBecomesTheCurrentSpectrum) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  ASSERT_TRUE(doc.ImportJcamp(BRIVANE_REALDATA_DIR "/jcamp-1h.dx")) << (LPCSTR)host.m_app.m_strOpenFailure;
  ASSERT_EQ(doc.GetSpectrumCount(), 1);
  CSpectrum* s = doc.GetCurrentSpectrum();
  ASSERT_EQ(s, doc.GetSpectrumAt(0));
  EXPECT_EQ(s->m_paramsA.td, 32768);
  EXPECT_EQ(s->m_pData[2], -99.0f);
  EXPECT_EQ(s->m_pRawData[2], -99.0f);
  EXPECT_TRUE(host.m_bModified);
  EXPECT_STREQ((LPCSTR)host.m_app.m_History.GetTail(), "JCampDX file correctly imported");
}

TEST(JcampDocument, RefusedFileLeavesTheDocumentAsItWas) {
  CTestHost host;
  CBrivaneProDoc doc(&host);
  EXPECT_FALSE(doc.ImportJcamp(BRIVANE_SOURCE_DIR "/CMakeLists.txt"));
  EXPECT_EQ(doc.GetSpectrumCount(), 0);
  EXPECT_EQ(doc.GetCurrentSpectrum(), nullptr);
  EXPECT_STREQ((LPCSTR)host.m_app.m_strOpenFailure, "An error reading the core fixed header has ocurred");
  std::vector<std::string> history;
  POSITION pos = host.m_app.m_History.GetHeadPosition();
  while (pos != nullptr)
    history.push_back((LPCSTR)host.m_app.m_History.GetNext(pos));
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[1], "It is not a JCAMP-DX file");
}

}  // namespace
