// CPrintInfo: one print job or preview on its way through a view: the page
// range and the page now printed, whether to go on, the drawing area of the
// page, and the print dialog that chose the printer (owned).
#pragma once

#include "framework/base/Rect.h"
#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CPrintDialog;

// The page count of a document that does not know it yet: print until the
// view clears m_bContinuePrinting.
const UINT kUnknownPageCount = 0xFFFF;

struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT nMinPage);
  void SetMaxPage(UINT nMaxPage);
  UINT GetMinPage() const;
  UINT GetMaxPage() const;
  // The range the user chose, or every page.
  UINT GetFromPage() const;
  UINT GetToPage() const;

  CPrintDialog* m_pPD;              // owned
  BOOL m_bDirect = FALSE;           // no dialog: the default or the command line's printer
  BOOL m_bPreview = FALSE;          // drawing for the print preview
  BOOL m_bContinuePrinting = TRUE;  // cleared by the view after its last page
  UINT m_nCurPage = 1;              // the page being drawn
  UINT m_nNumPreviewPages = 1;      // pages side by side in the preview (1 or 2)
  CString m_strPageDesc;            // the preview's "Page %u\nPages %u-%u\n"
  LPVOID m_lpUserData = nullptr;    // the view's own
  CRect m_rectDraw;                 // the page's printable area, logical units
};

class CWnd;

// The print dialog over pInfo's page range, on the application's printer
// selection: FALSE when it is cancelled or gives no printer (said in
// words). Sets the preview's page count and page description.
BOOL AfxPromptPrinter(CPrintInfo* pInfo);
// Asks where a print to a file goes, owned by pParent; FALSE when cancelled.
BOOL AfxPromptPrintFile(CWnd* pParent, CString& strPath);
