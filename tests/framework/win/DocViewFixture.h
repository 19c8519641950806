// The document/view window tests: a test program with a text document, two
// views of it, two document templates, an MDI main frame, and a fixture that
// builds and tears them down around each test.
#pragma once

#include <string>

#include "framework/base/Archive.h"
#include "framework/win/DocManager.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/Document.h"
#include "framework/win/MDIChildWnd.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/View.h"
#include "framework/win/WindowTest.h"

// A document holding one line of text.
class CTextDoc : public CDocument {
  DECLARE_DYNCREATE(CTextDoc)
 public:
  CString m_text;
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_text.Empty(); }
  void OnAppend();
  static int s_nLiving;  // documents alive now
  CTextDoc() { ++s_nLiving; }
  ~CTextDoc() override { --s_nLiving; }

 protected:
  DECLARE_MESSAGE_MAP()
};

// Draws the text; counts what it was told.
class CTextView : public CView {
  DECLARE_DYNCREATE(CTextView)
 public:
  CTextDoc* GetDocument() const { return static_cast<CTextDoc*>(CView::GetDocument()); }
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  int m_nInitialUpdates = 0;
  int m_nUpdates = 0;
  LPARAM m_lastHint = 0;
  int m_nActivations = 0;
};

// A second kind of view of the same document.
class CNoteView : public CTextView {
  DECLARE_DYNCREATE(CNoteView)
 public:
  void OnNote() { ++m_nNotes; }
  int m_nNotes = 0;

 protected:
  DECLARE_MESSAGE_MAP()
};

class CTestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CTestMainFrame)
};

class DocViewTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A path in the test's own folder.
  std::string PathOf(const char* name) const;
  // The menu bar's first-level titles, joined by '|'.
  std::string MenuTitles() const;
  CMDIChildWnd* ActiveChild() const { return m_pFrame->MDIGetActive(); }
  CTextDoc* ActiveDoc() const { return static_cast<CTextDoc*>(m_pFrame->GetActiveDocument()); }
  void Command(UINT nID) { m_pFrame->SendMessage(WM_COMMAND, nID, 0); }

  CTestMainFrame* m_pFrame = nullptr;
  CMultiDocTemplate* m_pTextTemplate = nullptr;
  CMultiDocTemplate* m_pNoteTemplate = nullptr;
  std::string m_folder;
};
