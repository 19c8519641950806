#include "tests/ndim/app/NdAppFixture.h"

#include "framework/win/CommonDialogs.h"
#include "framework/win/DocManager.h"
#include "framework/win/UiHooks.h"
#include "tests/ndim/app/nd_app_test_support.h"

#include <dlgs.h>

namespace {

CBrivanenDApp theApp;

}  // namespace

CBrivanenDApp& NdAppTest::App() {
  return theApp;
}

void NdAppTest::SetUp() {
  WindowTest::SetUp();
  m_folder = NdTestFolder(std::string("nd_app_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  theApp.SetRegistryKey("BrivaneNdTests");
  theApp.m_nImportType = 0;
  theApp.AddDocTemplates();
  ASSERT_TRUE(theApp.CreateMainFrame());
  m_pFrame = static_cast<CMainFrame*>(theApp.m_pMainWnd);
  m_pFrame->ShowWindow(SW_SHOWNORMAL);
  m_pFrame->UpdateWindow();
  PumpPending();
}

void NdAppTest::TearDown() {
  theApp.CloseAllDocuments(FALSE);
  // Not the main window while it goes: no quit message for the next test.
  CWnd* pMain = theApp.m_pMainWnd;
  theApp.m_pMainWnd = nullptr;
  if (pMain != nullptr)
    pMain->DestroyWindow();
  PumpPending();
  delete theApp.m_pDocManager;
  theApp.m_pDocManager = nullptr;
  WindowTest::TearDown();
}

CBrivanenDDoc* NdAppTest::OpenExperiment(int rows, int td) {
  const std::string ser = WriteNdExperiment(m_folder, rows, td);
  CDocument* pDoc = theApp.OpenDocumentFile(ser.c_str());
  PumpPending();
  return pDoc != nullptr ? static_cast<CBrivanenDDoc*>(pDoc) : nullptr;
}

void NdAppTest::Command(UINT nID) const {
  m_pFrame->SendMessage(WM_COMMAND, nID, 0);
}

CommandState NdAppTest::Update(UINT nID) const {
  CommandState state;
  state.m_nID = nID;
  state.DoUpdate(m_pFrame, TRUE);
  return state;
}

void NdAppTest::AnswerFileDialog(const std::string& name) {
  AfxSetModalDialogHook([name](CDialog& d) {
    HWND hWndSystem = ::GetParent(d.m_hWnd);
    if (!name.empty()) {
      static_cast<CFileDialog&>(d).SetControlText(edt1, name.c_str());
      static_cast<CFileDialog&>(d).SetControlText(cmb13, name.c_str());
    }
    const int button = name.empty() ? IDCANCEL : IDOK;
    ::PostMessageA(hWndSystem, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(hWndSystem, button));
  });
}
