// Property sheets: two pages exchange their values on page change and on
// OK; Cancel takes nothing; a refused value keeps its page. The edit view
// stores its text raw.
#include "DocViewFixture.h"
#include "DocViewTestRes.h"
#include "framework/base/MemFile.h"
#include "framework/win/DataExchange.h"
#include "framework/win/EditView.h"
#include "framework/win/PropertyPage.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

namespace {

class CPageOne : public CPropertyPage {
 public:
  CPageOne() : CPropertyPage(IDD_PAGE_ONE) {}
  int m_nValue = 5;
  int m_nActivations = 0;
  BOOL OnSetActive() override {
    ++m_nActivations;
    return CPropertyPage::OnSetActive();
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_PAGE_ONE_EDIT, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 0, 100);
  }
};

class CPageTwo : public CPropertyPage {
 public:
  CPageTwo() : CPropertyPage(IDD_PAGE_TWO) {}
  CString m_strText = "before";
  int m_bCheck = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_PAGE_TWO_EDIT, m_strText);
    DDX_Check(pDX, IDC_PAGE_TWO_CHECK, m_bCheck);
  }
};

class SheetTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    m_sheet.AddPage(&m_one);
    m_sheet.AddPage(&m_two);
  }
  // Fills both pages the way a user would, then presses nButton.
  void EditBothAndPress(int nButton) {
    AfxSetModalSheetHook([this, nButton](CPropertySheet& sheet) {
      m_nPagesSeen = sheet.GetPageCount();
      m_one.SetDlgItemText(IDC_PAGE_ONE_EDIT, "42");
      sheet.SetActivePage(1);
      PumpPending();
      m_nActiveAfterChange = sheet.GetActiveIndex();
      m_two.SetDlgItemText(IDC_PAGE_TWO_EDIT, "after");
      m_two.CheckDlgButton(IDC_PAGE_TWO_CHECK, BST_CHECKED);
      sheet.PressButton(nButton);
    });
  }

  CPropertySheet m_sheet{"Two Pages"};
  CPageOne m_one;
  CPageTwo m_two;
  int m_nPagesSeen = 0;
  int m_nActiveAfterChange = -1;
  std::string m_shown;
};

}  // namespace

TEST_F(SheetTest, OkTakesTheValuesOfBothPages) {
  EditBothAndPress(PSBTN_OK);
  EXPECT_EQ(IDOK, m_sheet.DoModal());
  EXPECT_EQ(2, m_nPagesSeen);
  EXPECT_EQ(1, m_nActiveAfterChange);
  EXPECT_EQ(42, m_one.m_nValue);
  EXPECT_EQ("after", std::string(m_two.m_strText));
  EXPECT_EQ(TRUE, m_two.m_bCheck);
  EXPECT_EQ(nullptr, m_sheet.m_hWnd);
  EXPECT_EQ(nullptr, m_one.m_hWnd);
}

TEST_F(SheetTest, CancelTakesNothingEvenFromAPageAlreadyLeft) {
  EditBothAndPress(PSBTN_CANCEL);
  EXPECT_EQ(IDCANCEL, m_sheet.DoModal());
  EXPECT_EQ(1, m_nActiveAfterChange);
  EXPECT_EQ(5, m_one.m_nValue);
  EXPECT_EQ("before", std::string(m_two.m_strText));
  EXPECT_EQ(FALSE, m_two.m_bCheck);
}

TEST_F(SheetTest, ARefusedValueKeepsItsPage) {
  AfxSetModalSheetHook([this](CPropertySheet& sheet) {
    m_one.SetDlgItemText(IDC_PAGE_ONE_EDIT, "500");
    sheet.SetActivePage(1);
    PumpPending();
    m_nActiveAfterChange = sheet.GetActiveIndex();
    m_one.SetDlgItemText(IDC_PAGE_ONE_EDIT, "50");
    sheet.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(IDOK, m_sheet.DoModal());
  EXPECT_EQ(0, m_nActiveAfterChange);
  ASSERT_FALSE(m_messageBoxes.empty()) << "the range prompt";
  EXPECT_EQ(50, m_one.m_nValue);
  EXPECT_EQ("before", std::string(m_two.m_strText)) << "a page never shown keeps its values";
}

TEST_F(SheetTest, ThePagesAreShownAgainWithTheirValues) {
  AfxSetModalSheetHook([this](CPropertySheet& sheet) {
    m_one.SetDlgItemText(IDC_PAGE_ONE_EDIT, "7");
    sheet.SetActivePage(1);
    sheet.SetActivePage(0);
    PumpPending();
    CString text;
    m_one.GetDlgItemText(IDC_PAGE_ONE_EDIT, text);
    m_shown = text;  // what the first page shows again
    sheet.PressButton(PSBTN_CANCEL);
  });
  m_sheet.DoModal();
  EXPECT_EQ("7", m_shown);
  EXPECT_EQ(2, m_one.m_nActivations);
}

TEST_F(SheetTest, TheSheetOpensOnTheChosenPage) {
  m_sheet.SetActivePage(1);
  AfxSetModalSheetHook([this](CPropertySheet& sheet) {
    m_nActiveAfterChange = sheet.GetActiveIndex();
    sheet.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(IDOK, m_sheet.DoModal());
  EXPECT_EQ(1, m_nActiveAfterChange);
  EXPECT_EQ(nullptr, m_one.m_hWnd);
}

TEST_F(SheetTest, ASheetWithoutPagesDoesNotOpen) {
  CPropertySheet empty("Empty");
  EXPECT_EQ(-1, empty.DoModal());
}

TEST_F(DocViewTest, AnEditViewStoresItsTextRaw) {
  CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CTextDoc),
                                                       RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CEditView));
  AfxGetApp()->AddDocTemplate(pTemplate);
  ASSERT_NE(nullptr, pTemplate->OpenDocumentFile(nullptr));
  CEditView* pView = static_cast<CEditView*>(ActiveChild()->GetActiveView());
  ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CEditView)));
  pView->GetEditCtrl().SetWindowText("first line\r\nsecond line");

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    pView->SerializeRaw(ar);
    ar.Close();
  }
  EXPECT_EQ(23u, (unsigned)file.GetLength()) << "the text alone, no length, no terminator";
  pView->GetEditCtrl().SetWindowText("");
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    pView->SerializeRaw(ar);
  }
  CString text;
  pView->GetWindowText(text);
  EXPECT_EQ("first line\r\nsecond line", std::string(text));
}

TEST_F(SheetTest, AWizardGoesPageByPageAndFinishTakesTheValues) {
  m_sheet.SetWizardMode();
  AfxSetModalSheetHook([this](CPropertySheet& sheet) {
    sheet.SetWizardButtons(PSWIZB_NEXT);
    m_one.SetDlgItemText(IDC_PAGE_ONE_EDIT, "9");
    sheet.PressButton(PSBTN_NEXT);
    PumpPending();
    m_nActiveAfterChange = sheet.GetActiveIndex();
    m_two.SetDlgItemText(IDC_PAGE_TWO_EDIT, "done");
    sheet.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    PumpPending();
    sheet.PressButton(PSBTN_FINISH);
  });
  EXPECT_EQ(ID_WIZFINISH, m_sheet.DoModal());
  EXPECT_EQ(1, m_nActiveAfterChange);
  EXPECT_EQ(9, m_one.m_nValue);
  EXPECT_EQ("done", std::string(m_two.m_strText));
}
