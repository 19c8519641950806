// The printing tests: a document of a few pages whose view puts one black
// square on each page at a known place, an MDI frame, and the real printer
// ("PDF", a CUPS printer that writes each job as a PDF file), with helpers
// that find a job's PDF and turn its pages into pictures (PdfOutput.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/base/Archive.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/Document.h"
#include "framework/win/MDIFrameWnd.h"
#include "framework/win/StatusBar.h"
#include "framework/win/View.h"
#include "framework/win/WindowTest.h"
#include "tests/framework/win/PdfOutput.h"

// A document of m_nPages pages; its file holds the count as text.
class CPageDoc : public CDocument {
  DECLARE_DYNCREATE(CPageDoc)
 public:
  int m_nPages = 2;
  void Serialize(CArchive& ar) override;
};

// Page n gets a black square of kMarkSize printer pixels at MarkOrigin(n).
class CPageView : public CView {
  DECLARE_DYNCREATE(CPageView)
 public:
  static const int kMarkSize = 400;
  static CPoint MarkOrigin(UINT nPage) { return CPoint(300 + 600 * (int)(nPage - 1), 400 + 1200 * (int)(nPage - 1)); }

  CPageDoc* GetDocument() const { return static_cast<CPageDoc*>(CView::GetDocument()); }
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC*, CPrintInfo*) override { ++m_nBegun; }
  void OnEndPrinting(CDC*, CPrintInfo*) override { ++m_nEnded; }
  int m_nBegun = 0;
  int m_nEnded = 0;

  // Called at the end of each printed page (a test presses Cancel there).
  static std::function<void(CPrintInfo* pInfo)> s_afterPage;
  std::vector<UINT> m_printedPages;
  std::vector<BOOL> m_previewFlags;
};

class PrintTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new document window of nPages pages whose title (the print job's name)
  // is unique to this test and this run.
  CPageDoc* NewDocument(int nPages, const char* suffix = "");
  CPageView* ViewOf(CPageDoc* pDoc) const;
  std::string UniqueTitle(const char* suffix) const;
  // The PDF of the job named title (the folder the printer writes to is
  // searched until it appears); empty when none came within timeoutMs.
  static std::string WaitForPdf(const std::string& title, DWORD timeoutMs = 60000);
  static bool PdfExists(const std::string& title);
  // The pages of a PDF at dpi dots per inch; empty on failure.
  static std::vector<PdfPage> RenderPdf(const std::string& windowsPath, int dpi);

  CMDIFrameWnd* m_pFrame = nullptr;
  CStatusBar m_statusBar;
  CMultiDocTemplate* m_pTemplate = nullptr;
  std::string m_folder;
};
