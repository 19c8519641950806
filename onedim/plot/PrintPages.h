// The arithmetic of printing pages: which pages a print job sends and what
// its progress window says about them, and how a list is cut into pages
// (column edges across the page, rows per page, page count). Portable, so
// that the page loop and the list layout are checked without a printer.
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

// The page count of a job that does not know it yet.
const UINT kPrintPagesUnknown = 0xFFFF;

// The pages a job sends: from nStart, nStep at a time, until nEnd (one past
// the last page, or kPrintPagesUnknown); nCount pages in all.
struct PrintPageRange {
  UINT nStart = 1;
  UINT nEnd = 1;
  int nStep = 1;
  UINT nCount = 0;
};

// The chosen range (from, to) kept inside the document's pages (min, max);
// a range chosen backwards prints backwards.
PrintPageRange GetPrintPageRange(UINT nFrom, UINT nTo, UINT nMinPage, UINT nMaxPage);

// The progress window's texts for page k (1-based) of nPages, the pages so
// far having taken dwMsPerPage each: the percentage ("%d %%") and the time
// left ("%d minuti, %d secondi", "%d secondi", "??", or nothing for a job
// of one page).
CString PrintPercentText(UINT k, UINT nPages);
CString PrintTimeLeftText(DWORD dwMsPerPage, UINT nPages, UINT k);

// The page-number line of a list page: the user's format with its first
// two %d (or %i, %u, with flags and width) taken by the page and the page
// count. Any other conversion is printed as it stands, never read as an
// argument; "%%" is a percent sign.
CString FormatPageNumber(const CString& strFormat, UINT nPage, UINT nPages);

// Device units of a length in millimetres on a device of nDotsPerInch
// (through hundredths of a millimetre, as the system's HIMETRIC does),
// saturated to the int range.
int MillimetresToDevice(int nMillimetres, int nDotsPerInch);

// The x edges of a list's columns on a page nPageWidth wide: 0, then each
// column's right edge, the list's widths scaled so that the columns fill the
// page. Columns of no width in all share the page equally.
std::vector<int> ScaleColumnEdges(const std::vector<int>& widths, int nPageWidth);

// Rows of nRowHeight (plus a one-unit rule) that fit in nHeight, less one;
// never fewer than one, so that a page always moves the list on.
int ListRowsPerPage(int nHeight, int nRowHeight);
// The pages of nItems rows at nRowsPerPage a page: items / rows + 1, so a
// list that fills its last page exactly gets a ruled empty page after it.
// At most kPrintPagesUnknown - 1, which would mean a list of unknown length.
UINT ListPageCount(int nItems, int nRowsPerPage);
