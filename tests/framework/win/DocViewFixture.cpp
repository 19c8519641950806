#include "DocViewFixture.h"

#include "DocViewTestRes.h"
#include "framework/win/Dc.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"

namespace {

class CDocViewTestApp : public CWinApp {
 public:
  CDocViewTestApp() : CWinApp("DocViewTest") { SetRegistryKey("BrivaneFrameworkTests"); }

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocViewTestApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CDocViewTestApp theApp;

}  // namespace

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)
IMPLEMENT_DYNCREATE(CTextView, CView)
IMPLEMENT_DYNCREATE(CNoteView, CTextView)
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

int CTextDoc::s_nLiving = 0;

BEGIN_MESSAGE_MAP(CTextDoc, CDocument)
  ON_COMMAND(ID_TEXT_APPEND, OnAppend)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CNoteView, CTextView)
  ON_COMMAND(ID_NOTE_COMMAND, OnNote)
END_MESSAGE_MAP()

void CTextDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_text;
  else
    ar >> m_text;
}

void CTextDoc::OnAppend() {
  m_text += "line;";
  SetModifiedFlag();
  UpdateAllViews(nullptr, 7);
}

void CTextView::OnDraw(CDC* pDC) {
  CTextDoc* pDoc = GetDocument();
  if (pDoc != nullptr)
    pDC->TextOut(2, 2, pDoc->m_text, pDoc->m_text.GetLength());
}

void CTextView::OnInitialUpdate() {
  ++m_nInitialUpdates;
  CView::OnInitialUpdate();
}

void CTextView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
  ++m_nUpdates;
  m_lastHint = lHint;
  CView::OnUpdate(pSender, lHint, pHint);
}

void CTextView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  if (bActivate && pActivateView == this)
    ++m_nActivations;
  CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void DocViewTest::SetUp() {
  WindowTest::SetUp();
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  m_folder = std::string(temp) + "docview_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  ::CreateDirectoryA(m_folder.c_str(), nullptr);
  // Files of an earlier run would change what the dialogs ask.
  WIN32_FIND_DATAA found;
  HANDLE hFind = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
  if (hFind != INVALID_HANDLE_VALUE) {
    do {
      std::string path = m_folder + "\\" + found.cFileName;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
  }

  CWinApp* pApp = AfxGetApp();
  m_pTextTemplate = new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CMDIChildWnd),
                                          RUNTIME_CLASS(CTextView));
  m_pNoteTemplate = new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CMDIChildWnd),
                                          RUNTIME_CLASS(CNoteView));
  pApp->AddDocTemplate(m_pTextTemplate);
  pApp->AddDocTemplate(m_pNoteTemplate);
  pApp->LoadStdProfileSettings(4);

  m_pFrame = new CTestMainFrame;
  ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME));
  pApp->m_pMainWnd = m_pFrame;
  m_pFrame->ShowWindow(SW_SHOWNORMAL);
  m_pFrame->UpdateWindow();
  PumpPending();
}

void DocViewTest::TearDown() {
  CWinApp* pApp = AfxGetApp();
  pApp->CloseAllDocuments(FALSE);
  DestroyMainFrame(pApp->m_pMainWnd);
  delete pApp->m_pDocManager;
  pApp->m_pDocManager = nullptr;
  EXPECT_EQ(0, CTextDoc::s_nLiving) << "documents left alive";
  WindowTest::TearDown();
}

std::string DocViewTest::PathOf(const char* name) const {
  return m_folder + "\\" + name;
}

std::string DocViewTest::MenuTitles() const {
  std::string titles;
  HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
  int n = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < n; ++i) {
    char text[64] = "";
    ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
    if (text[0] == '\0')
      continue;  // a maximised child's system menu
    if (!titles.empty())
      titles += "|";
    titles += text;
  }
  return titles;
}
