// CPrintJob: printing outside the document/view road, for what is no view's
// document (the peak list, the coupling table): the print dialog, the
// printer, and a page loop that shows its own progress window and stops
// at Cancel through the printer's abort procedure. A derived job draws the
// pages. A job lives on its caller's stack for one print.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CDC;
class CWnd;
struct CPrintInfo;

class CPrintJob {
 public:
  CPrintJob();
  CPrintJob(const CPrintJob&) = delete;
  CPrintJob& operator=(const CPrintJob&) = delete;

  // Prints every chosen page. TRUE when the whole document went to the
  // printer; FALSE when nothing was chosen, the user cancelled or the
  // printer failed (said in words).
  virtual BOOL Print();
  // Draws page pInfo->m_nCurPage into pInfo->m_rectDraw.
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) {}
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // The printer is known: fonts and page count can be measured.
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // Sets the page range and asks for the printer; FALSE prints nothing.
  // With bNoDialog nothing is asked and no printer chosen.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo, BOOL bNoDialog = FALSE);
  virtual ~CPrintJob();

  // The print dialog on the application's printer, over the page range;
  // FALSE when it is cancelled or gives no printer.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);

  // Owner of the progress window (null: the main window); disabled with the
  // main window while the job prints.
  CWnd* m_pParent = nullptr;
  CString m_strDocName;  // the spooler's name of the document
  DWORD m_dwFlags = 0;

 protected:
  // Whether page pInfo->m_nCurPage is printed: always when the page count
  // is known, else only the first page.
  void PreparePage(CPrintInfo* pInfo) const;
};

// The printer DC's abort procedure: lets the progress window work while a
// page is sent; FALSE once Cancel was pressed or the program is ending.
BOOL CALLBACK PrintAbortProc(HDC hDC, int nCode);

// What the printer of pDC cannot print at the paper's edges, device units:
// its printing offset (left, top) and the physical page beyond the
// printable area (right, bottom), as the printer driver tells them.
RECT MeasureUnprintableMargins(CDC* pDC);

// Turns the application's printer (the one the print dialogs start from)
// to landscape or portrait; FALSE when there is no printer.
BOOL SetAppPrinterOrientation(BOOL bLandscape);
