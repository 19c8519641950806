// The nD document in its windows: opening a spectrometer file, the update
// rules of its commands, the mouse tools, Save and its name, the hand-off's
// commands, and running command text with or without data.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/Dialog.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/Bv2File.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"

namespace {

class NdDocumentTest : public NdAppTest {
 protected:
  std::string LastMessage() const { return m_messageBoxes.empty() ? "" : m_messageBoxes.back().text; }
};

TEST_F(NdDocumentTest, ASerialFileOpensIntoAWindowWithItsPlotLaidOut) {
  CBrivanenDDoc* pDoc = OpenExperiment(16, 64);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  ASSERT_NE(nullptr, set);
  EXPECT_EQ(32, set->m_dims[2].m_nPoints);
  EXPECT_EQ(16, set->m_dims[1].m_nPoints);
  EXPECT_TRUE(pDoc->m_bNameNeeded);
  EXPECT_EQ(&App(), GetBrivanenDApp());
  EXPECT_EQ(pDoc, GetActiveSpectrumDoc());

  // The phase views' column is hidden; the plot takes 0.91 x 0.75 of the
  // window, centred, with the strips above and left of it.
  CChildFrame* pChild = static_cast<CChildFrame*>(Frame()->MDIGetActive());
  ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CChildFrame)));
  EXPECT_EQ(1, pChild->GetOuterSplitter().GetHiddenColumn());
  CRect client;
  pChild->GetClientRect(&client);
  EXPECT_EQ(client.Width(), pDoc->m_nClientWidth);
  EXPECT_EQ(client.Height(), pDoc->m_nClientHeight);
  EXPECT_EQ((int)(0.91 * client.Width()), set->m_plotRect.Width());
  EXPECT_EQ((int)(0.75 * client.Height()), set->m_plotRect.Height());
  EXPECT_NEAR(client.CenterPoint().x, set->m_plotRect.CenterPoint().x, 1);
  EXPECT_EQ(set->m_plotRect.top, set->m_traceF2.m_rect.bottom);
  EXPECT_EQ(set->m_plotRect.left, set->m_traceF1.m_rect.right);
}

TEST_F(NdDocumentTest, AFileNoReaderTakesIsToldAndOpensNoWindow) {
  const std::string path = PathOf("ser-without-acqus");
  std::ofstream(path) << "no spectrometer file";
  EXPECT_EQ(nullptr, App().OpenDocumentFile(path.c_str()));
  EXPECT_EQ(nullptr, Frame()->MDIGetActive());
  EXPECT_EQ("There is no converter available", LastMessage());

  // A reader that keeps its reason to itself still gets it told.
  App().m_nImportType = 1;  // Bruker, without its parameter files
  EXPECT_EQ(nullptr, App().OpenDocumentFile(path.c_str()));
  EXPECT_EQ("The acqus file is missing", LastMessage());
}

TEST_F(NdDocumentTest, CommandsFollowTheirUpdateRules) {
  // Without a data set nothing that needs one is offered.
  Command(ID_FILE_NEW);
  for (UINT id : {ID_VIEW_INCREASE, ID_VIEW_FULL, ID_PROCESS_MAKE_REAL, ID_TOOLS_SEND_ROW, ID_TRACES_NEXT_ROW})
    EXPECT_FALSE(Update(id).enabled) << id;

  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);  // 8 x 16 complex points
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  struct Rule {
    UINT id;
    bool enabled;
  };
  const Rule fresh[] = {{ID_PROCESS_TRANSPOSE, false},  {ID_PROCESS_SYMMETRIZE, false},
                        {ID_PROCESS_AVERAGE, false},    {ID_PROCESS_MAGNITUDE, true},
                        {ID_PROCESS_FULL_AUTO, false},  {ID_TOOLS_SEND_ROWS, false},
                        {ID_TOOLS_SEND_COLUMNS, false}, {ID_TRACES_PREVIOUS_ROW, false},
                        {ID_TRACES_NEXT_ROW, true},     {ID_TRACES_PREVIOUS_COLUMN, false},
                        {ID_TRACES_NEXT_COLUMN, true},  {ID_TOOLS_DELETE_INTEGRALS, false},
                        {ID_VIEW_LIMITS, false},        {ID_PROCESS_FOURIER, true}};
  for (const Rule& r : fresh)
    EXPECT_EQ(r.enabled, Update(r.id).enabled) << r.id;
  EXPECT_EQ("Make Real", Update(ID_PROCESS_MAKE_REAL).text);
  EXPECT_EQ(1, Update(ID_VIEW_FULL).checked);
  EXPECT_EQ(1, Update(ID_VIEW_FAST_PLOT).checked);

  Command(ID_TRACES_ADD_ROW);
  EXPECT_TRUE(Update(ID_TOOLS_SEND_ROWS).enabled);
  Command(ID_TRACES_ADD_ROW);
  EXPECT_EQ("Row #0 already exists in the list", LastMessage());
  for (int i = 0; i < 7; ++i)
    Command(ID_TRACES_NEXT_ROW);
  EXPECT_EQ(7, set->m_nSelectedRow);
  EXPECT_FALSE(Update(ID_TRACES_NEXT_ROW).enabled) << "the last row";

  // Both dimensions transformed; the baseline commands wait for "f= -1".
  pDoc->RunCommands("ft\nft");
  EXPECT_EQ(0, set->m_nCurrentDim);
  EXPECT_FALSE(Update(ID_PROCESS_FULL_AUTO).enabled);
  EXPECT_FALSE(Update(ID_PROCESS_POLYNOMIAL).enabled);
  pDoc->RunCommands("f= -1");
  EXPECT_TRUE(Update(ID_PROCESS_FULL_AUTO).enabled);
  EXPECT_TRUE(Update(ID_PROCESS_POLYNOMIAL).enabled);
  Command(ID_PROCESS_FULL_AUTO);
  EXPECT_TRUE(set->m_bReal) << "the baseline fit leaves real data";
  EXPECT_EQ(1, set->m_phasingOrder[0]) << "and keeps the phasing order";
  EXPECT_EQ("Make Complex", Update(ID_PROCESS_MAKE_REAL).text);
  EXPECT_FALSE(Update(ID_PROCESS_MAGNITUDE).enabled);
  Command(ID_PROCESS_MAKE_REAL);
  EXPECT_TRUE(set->m_bReal) << "the entry makes sets real, never complex";

  Command(ID_VIEW_CONTOUR_PLOT);
  EXPECT_EQ(1u, set->m_nDisplayMode);
  EXPECT_EQ(0, Update(ID_VIEW_FAST_PLOT).checked);
  EXPECT_EQ(1, Update(ID_VIEW_CONTOUR_PLOT).checked);
}

TEST_F(NdDocumentTest, MouseToolsToggleAndTheResetHidesThePlotSelection) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  struct Tool {
    UINT id;
    int mode;
  };
  const Tool tools[] = {{ID_VIEW_ZOOM, 1},
                        {ID_TOOLS_SELECT_SPECTRUM, 2},
                        {ID_TOOLS_REFERENCE_F1, 6},
                        {ID_TOOLS_REFERENCE_F2, 7},
                        {ID_TOOLS_INTEGRATE, 8}};
  for (const Tool& t : tools) {
    pDoc->GetCurrentSet()->m_bShowTracker = 1;
    Command(t.id);
    EXPECT_EQ(t.mode, pDoc->m_nMouseMode);
    EXPECT_EQ(1, Update(t.id).checked);
    Command(t.id);
    EXPECT_EQ(0, pDoc->m_nMouseMode) << "chosen twice, no tool";
    EXPECT_EQ(0, Update(t.id).checked);
  }
  EXPECT_EQ(0, pDoc->GetCurrentSet()->m_bShowTracker);
  Command(ID_VIEW_ZOOM);
  Command(ID_TOOLS_INTEGRATE);
  EXPECT_EQ(8, pDoc->m_nMouseMode) << "one tool replaces another";
}

TEST_F(NdDocumentTest, SaveAsksForANameOnceAndNeverWritesOverTheSpectrometerFile) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  const std::string ser = std::string(pDoc->GetPathName());
  const std::string saved = PathOf("saved.bv2");

  // Closing asks to save; Yes asks for a name first, and its Cancel keeps
  // the window open.
  m_boxAnswers.push_back(IDYES);
  AnswerFileDialog("");
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(pDoc, GetActiveSpectrumDoc());
  AnswerFileDialog("");
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(pDoc->m_bNameNeeded) << "cancelled: nothing written";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(saved.c_str()));

  AnswerFileDialog(saved);
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(pDoc->m_bNameNeeded);
  EXPECT_FALSE(pDoc->IsModified());
  EXPECT_EQ(0, lstrcmpiA(saved.c_str(), pDoc->GetPathName()));
  CString error;
  std::unique_ptr<CSpectrum2D> back(CBv2File::Read(saved.c_str(), error));
  ASSERT_NE(nullptr, back) << error;
  EXPECT_EQ(8, back->m_dims[1].m_nPoints);

  // Saved once, Save writes there without asking; a read-only file refuses
  // the write with a message and stays as it was.
  pDoc->RunCommands("ft");
  ::SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_READONLY);
  AfxSetModalDialogHook([](CDialog&) { FAIL() << "no dialog"; });
  m_messageBoxes.clear();
  Command(ID_FILE_SAVE);
  ::SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(1u, m_messageBoxes.size());
  EXPECT_TRUE(pDoc->IsModified());
  std::unique_ptr<CSpectrum2D> unchanged(CBv2File::Read(saved.c_str(), error));
  ASSERT_NE(nullptr, unchanged);
  EXPECT_EQ(0, std::memcmp(back->m_pData, unchanged->m_pData, 8 * 16 * 8));
  std::ifstream serial(ser, std::ios::binary | std::ios::ate);
  EXPECT_EQ(8u * 32 * 4, (std::size_t)serial.tellg()) << "the spectrometer file is untouched";
}

TEST_F(NdDocumentTest, CommandTextNeedsAndKeepsTheProjectionsInStepWithTheSet) {
  Command(ID_FILE_NEW);
  CBrivanenDDoc* pEmpty = GetActiveSpectrumDoc();
  ASSERT_NE(nullptr, pEmpty);
  pEmpty->RunCommands("ft");
  EXPECT_EQ("No data available", LastMessage());
  EXPECT_FALSE(pEmpty->IsModified());

  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  Command(ID_TRACES_F2_PROJECTION);
  Command(ID_TRACES_F1_PROJECTION);
  EXPECT_EQ(1, Update(ID_TRACES_F2_PROJECTION).checked);
  pDoc->RunCommands("ze 64\nf= 1\nze 32");  // both dimensions grow
  ASSERT_EQ(64, set->m_dims[2].m_nPoints);
  ASSERT_EQ(32, set->m_dims[1].m_nPoints);
  std::vector<float> f2(64), f1(32);
  CSpectrum2D::ProjectOntoF2(set->m_pData, f2.data(), 64, 32, true);
  CSpectrum2D::ProjectOntoF1(set->m_pData, f1.data(), 64, 32, true);
  EXPECT_TRUE(std::equal(f2.begin(), f2.end(), set->m_pProjectionF2));
  EXPECT_TRUE(std::equal(f1.begin(), f1.end(), set->m_pProjectionF1));
  Command(ID_TRACES_SHOW_F2);
  EXPECT_EQ(nullptr, set->m_pProjectionF2) << "the loaded trace takes the strip";
  EXPECT_EQ(0, Update(ID_TRACES_F2_PROJECTION).checked);
}

TEST_F(NdDocumentTest, RevertReadsTheFileAgainAndKeepsTheDataWhenItCannot) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  const std::string ser = std::string(pDoc->GetPathName());
  pDoc->RunCommands("ft");
  Command(ID_FILE_REVERT);
  CBrivanenDDoc* pAgain = GetActiveSpectrumDoc();
  ASSERT_NE(nullptr, pAgain);
  EXPECT_EQ(2, pAgain->GetCurrentSet()->m_nCurrentDim) << "the file as it was read";
  EXPECT_EQ(1, App().GetOpenDocumentCount());

  ::DeleteFileA(ser.c_str());
  Command(ID_FILE_REVERT);
  EXPECT_EQ(pAgain, GetActiveSpectrumDoc()) << "a file that is gone takes nothing away";
  EXPECT_NE(nullptr, pAgain->GetCurrentSet());
  EXPECT_FALSE(m_messageBoxes.empty());
}

TEST_F(NdDocumentTest, TheHandOffCommandsTellWhatWentWrong) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 32);
  ASSERT_NE(nullptr, pDoc);
  // The test program's folder holds no 1D program.
  Command(ID_TOOLS_SEND_ROW);
  EXPECT_NE(std::string::npos, LastMessage().find("Please make sure that you have Brivane version 2.3."));

  const std::string bad = PathOf("not-a-trace.bvx");
  std::ofstream(bad) << "nothing of a 1D document";
  AnswerFileDialog(bad);
  Command(ID_TRACES_LOAD_ROW);
  EXPECT_EQ("Failed to import 1D trace", LastMessage());
  EXPECT_EQ(nullptr, pDoc->GetCurrentSet()->m_loadedF2.m_pData);
}

}  // namespace
