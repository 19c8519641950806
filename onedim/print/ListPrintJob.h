// CListPrintJob: prints a report-style list control page by page: a header
// of free text and the page number, a row of column headings, the list's
// rows in its column widths and alignments spread across the page, grid
// lines if wanted, and a footer. An optional set-up dialog edits the texts,
// fonts, margins and grid before the print dialog.
#pragma once

#include <vector>

#include "framework/base/Rect.h"
#include "framework/win/GdiObject.h"
#include "onedim/print/PrintJob.h"

class CListCtrl;

class CListPrintJob : public CPrintJob {
 public:
  CListPrintJob();
  ~CListPrintJob() override;

  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  // Takes the list's columns; FALSE for a list without rows or columns, or
  // when the set-up dialog is cancelled.
  BOOL OnPreparePrinting(CPrintInfo* pInfo, BOOL bNoDialog = FALSE) override;

  int m_bShowSetupDialog = 1;
  int m_bPrintGrid = 1;
  // Margins in millimetres.
  int m_nMarginLeft = 10;
  int m_nMarginTop = 10;
  int m_nMarginRight = 10;
  int m_nMarginBottom = 10;

  CListCtrl* m_pList = nullptr;  // the list printed (not owned)
  CString m_strHeader;           // free text at the top left of every page
  CString m_strFooter;           // at the bottom of every page
  CString m_strPageFormat;       // the page and the page count, as "Page %d of %d"; empty: none
  CString m_strHeaderFace;
  CString m_strFooterFace;
  CString m_strContentFace;
  int m_nHeaderSize = 14;  // points
  int m_nFooterSize = 8;
  int m_nContentSize = 12;

  int GetRowsPerPage() const { return m_nRowsPerPage; }
  const std::vector<int>& GetColumnEdges() const { return m_arrColumnEdges; }

 private:
  // The print area less the margins.
  CRect PageRect(CDC* pDC, const CPrintInfo* pInfo) const;
  // The header block at the top of rc, page nPage of nPages; its height.
  int HeaderBlock(CDC* pDC, const CRect& rc, UINT nPage, UINT nPages, BOOL bDraw);
  void DrawHeadings(CDC* pDC, const CRect& rc);
  // The footer block at the bottom of rc; its height.
  int FooterBlock(CDC* pDC, const CRect& rc, BOOL bDraw);
  // A cell's text in column nColumn's alignment.
  void DrawCell(CDC* pDC, const CString& text, const CRect& rcCell, int nColumn);

  CFont m_fontContent;
  CFont m_fontHeader;
  CFont m_fontFooter;
  int m_nRowHeight = 0;  // the content font's "X" plus 4
  std::vector<int> m_arrColumnWidths;
  std::vector<int> m_arrColumnEdges;    // 0, then every column's right edge, on the page
  std::vector<int> m_arrColumnFormats;  // LVCFMT_ bits: 1 right, 2 centre, else left
  std::vector<CString> m_arrColumnTitles;
  int m_nRowsPerPage = 1;
  int m_nColumns = 0;
  int m_nItems = 0;
  int m_nFooterHeight = 0;
};

// The local time as asctime gives it (with its line feed), for list footers.
CString LocalTimeText();
