// The modeless Phase Correction dialog with the phase views: opened and
// closed by its command, slider drags that preview only what the views
// draw (or, with "Apply to nD spc.", phase the set), Enter applying, and the
// phase views it fills.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/win/CmdUI.h"
#include "ndim/app/ChildFrame.h"
#include "ndim/app/PhaseDialog.h"
#include "ndim/app/PhaseView.h"
#include "ndim/data/Spectrum2D.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"

namespace {

class NdPhaseDialogTest : public NdAppTest {
 protected:
  // A set transformed along f2, so it phases along f2.
  CBrivanenDDoc* OpenTransformed() {
    CBrivanenDDoc* pDoc = OpenExperiment(8, 64);
    if (pDoc != nullptr)
      pDoc->RunCommands("ft");
    return pDoc;
  }
  CPhaseDialog* Dialog(CBrivanenDDoc* pDoc) const { return static_cast<CPhaseDialog*>(pDoc->m_pPhaseDialog); }
  static std::string Text(CWnd* pWnd, int nID) { return TextOf(::GetDlgItem(pWnd->m_hWnd, nID)); }
  static std::vector<float> DataOf(const CSpectrum2D& set) {
    return std::vector<float>(set.m_pData, set.m_pData + set.GetTotalPoints() * 2);
  }
  static CHideSplitterWnd& Splitter(CBrivanenDDoc* pDoc) { return pDoc->GetChildFrame()->GetOuterSplitter(); }
};

TEST_F(NdPhaseDialogTest, OnlyATransformedComplexSetOpensIt) {
  CBrivanenDDoc* pDoc = OpenExperiment(8, 64);
  ASSERT_NE(nullptr, pDoc);
  Command(ID_PROCESS_PHASE);
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ("This spectrum is not phaseable along any dimension", m_messageBoxes[0].text);
  pDoc->RunCommands("ft");
  pDoc->GetCurrentSet()->MakeReal();
  pDoc->GetCurrentSet()->m_phasingOrder[0] = 2;
  Command(ID_PROCESS_PHASE);
  EXPECT_EQ("The spectrum is real", m_messageBoxes.back().text);
  EXPECT_EQ(nullptr, pDoc->m_pPhaseDialog);
  EXPECT_EQ(1, Splitter(pDoc).GetHiddenColumn());
}

TEST_F(NdPhaseDialogTest, DragsPreviewInTheViewsUntilApplied) {
  CBrivanenDDoc* pDoc = OpenTransformed();
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  Command(ID_PROCESS_PHASE);
  CPhaseDialog* pDialog = Dialog(pDoc);
  ASSERT_NE(nullptr, pDialog);
  EXPECT_EQ(-1, Splitter(pDoc).GetHiddenColumn()) << "the phase views show";
  EXPECT_EQ(1, Update(ID_PROCESS_PHASE).checked);
  EXPECT_EQ("0.00", Text(pDialog, IDC_PHASE_ZERO));

  set->m_nSelectedRow = 3;
  pDialog->SendMessage(WM_COMMAND, IDC_PHASE_SEND2, 0);
  CPhaseView* pView = static_cast<CPhaseView*>(pDoc->FindView(RUNTIME_CLASS(CPhaseView2)));
  ASSERT_NE(nullptr, pView);
  EXPECT_EQ(3, pView->m_nRow);
  EXPECT_EQ(-1, pView->m_nColumn);

  // Across 0 either way the first order goes the short way round.
  const std::vector<float> before = DataOf(*set);
  pDialog->MoveFirstSlider(350);
  EXPECT_EQ("-10", Text(pDialog, IDC_PHASE_FIRST));
  pDialog->MoveFirstSlider(10);
  EXPECT_EQ("10", Text(pDialog, IDC_PHASE_FIRST));
  pDialog->MoveZeroSlider(30);
  EXPECT_EQ("30", Text(pDialog, IDC_PHASE_ZERO));
  EXPECT_EQ(before, DataOf(*set)) << "a preview leaves the set";
  double zero = 0, first = 0;
  EXPECT_TRUE(pDoc->GetPreviewTurn(2, zero, first));
  EXPECT_FALSE(pDoc->GetPreviewTurn(1, zero, first));
  pView->UpdateWindow();

  // Enter in an edit applies the whole set.
  MSG enter = {::GetDlgItem(pDialog->m_hWnd, IDC_PHASE_ZERO), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(pDialog->PreTranslateMessage(&enter));
  EXPECT_NE(before, DataOf(*set));
  EXPECT_FLOAT_EQ(30.0f, set->m_appliedPhase[2][0]);
  EXPECT_FLOAT_EQ(10.0f, set->m_appliedPhase[2][1]);
  EXPECT_FALSE(pDoc->GetPreviewTurn(2, zero, first)) << "the views show the set as it is";

  // Checked, every move phases the set at once.
  pDialog->CheckDlgButton(IDC_PHASE_APPLY_ALL, BST_CHECKED);
  const std::vector<float> applied = DataOf(*set);
  pDialog->MoveZeroSlider(45);
  EXPECT_NE(applied, DataOf(*set));
  EXPECT_FLOAT_EQ(45.0f, set->m_appliedPhase[2][0]);

  // Undo puts back what the set had when the dialog opened.
  pDialog->SendMessage(WM_COMMAND, ID_PHASE_UNDO, 0);
  EXPECT_EQ("0.00", Text(pDialog, IDC_PHASE_ZERO));
  EXPECT_FLOAT_EQ(0.0f, set->m_appliedPhase[2][0]);
  EXPECT_FLOAT_EQ(0.0f, set->m_appliedPhase[2][1]);
  for (size_t i = 0; i < before.size(); ++i)
    ASSERT_NEAR(before[i], set->m_pData[i], 1e-3f * (1.0f + std::fabs(before[i]))) << i;
}

TEST_F(NdPhaseDialogTest, ADragOfTheZeroOrderDialPhasesTheSetWhenApplyingToIt) {
  CBrivanenDDoc* pDoc = OpenTransformed();
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* set = pDoc->GetCurrentSet();
  Command(ID_PROCESS_PHASE);
  CPhaseDialog* pDialog = Dialog(pDoc);
  ASSERT_NE(nullptr, pDialog);
  pDialog->CheckDlgButton(IDC_PHASE_APPLY_ALL, BST_CHECKED);
  const std::vector<float> before = DataOf(*set);
  HWND dial = ::GetDlgItem(pDialog->m_hWnd, IDC_PHASE_ZERO_SLIDER);
  RECT rc;
  ::GetClientRect(dial, &rc);
  const POINT top = {rc.right / 2, 4};
  const POINT right = {rc.right - 4, rc.bottom / 2};
  PostDrag(dial, top, right);
  PumpPending();
  EXPECT_NEAR(90.0f, set->m_appliedPhase[2][0], 5.0f) << "a quarter turn clockwise";
  EXPECT_NE(before, DataOf(*set));
  pDialog->SendMessage(WM_COMMAND, IDOK, 0);
}

TEST_F(NdPhaseDialogTest, OkAndASecondCommandCloseItAndHideTheViews) {
  CBrivanenDDoc* pDoc = OpenTransformed();
  ASSERT_NE(nullptr, pDoc);
  Command(ID_PROCESS_PHASE);
  ASSERT_NE(nullptr, Dialog(pDoc));
  Command(ID_PROCESS_PHASE);  // posts OK to it
  PumpPending();
  EXPECT_EQ(nullptr, pDoc->m_pPhaseDialog);
  EXPECT_EQ(1, Splitter(pDoc).GetHiddenColumn());
  EXPECT_EQ(0, Update(ID_PROCESS_PHASE).checked);

  // Closing the document with the dialog open takes the dialog with it.
  Command(ID_PROCESS_PHASE);
  HWND hDialog = Dialog(pDoc)->m_hWnd;
  App().CloseAllDocuments(FALSE);
  PumpPending();
  EXPECT_FALSE(::IsWindow(hDialog));
}

}  // namespace
