// The grid's cells as clipboard text: one line per row joined by "\n" (none
// after the last), cells joined by "\t". Pasted text is split more loosely,
// so that lists of other programs paste too.
#pragma once

#include <functional>
#include <vector>

#include "framework/base/String.h"

// The text of a block of nRows x nCols cells. cellText answers a cell's
// text, or null for a cell that is not selected: that one gives nothing but
// its separators; a selected cell without text gives a single space.
CString BuildGridClipText(int nRows, int nCols, const std::function<LPCSTR(int nRow, int nCol)>& cellText);

// The fields of pasted text, line by line. Lines end at "\n"; in a line,
// fields are separated by tabs and commas, a run of separators counting as
// one; each field is trimmed of white space. An empty line that is not the
// last is one empty field, so that the lines after it keep their rows.
std::vector<std::vector<CString>> SplitGridClipText(LPCSTR lpszText);
