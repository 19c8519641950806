// What the printing road tells the user, in the program's words when its
// string table has them (FrameworkRes.h), else in the framework's.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

// String nID, or lpszDefault when the program has none.
CString AfxLoadStringOr(UINT nID, LPCSTR lpszDefault);

// There is no printer (none installed, or no default).
void AfxReportNoPrinter();
// The chosen printer cannot be opened (removed since it was chosen).
void AfxReportPrinterUnavailable(LPCSTR lpszDevice);
// StartDoc failed: nothing was printed.
void AfxReportPrintStartFailed();
// The printer failed while pages were sent: the job was abandoned.
void AfxReportPrintFailed();
