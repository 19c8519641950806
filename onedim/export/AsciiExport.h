// File > Export as ASCII: the current spectrum as a text file, a header of
// its parameters and then one line per point (abscissa in the chosen units,
// real part, and the imaginary part for complex output). Lines end in CR LF
// (a CFile opened as text), in both builds.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CFile;
class CSpectrum;

struct CAsciiExportOptions {
  int nUnits = 0;         // axis units: 0 points, 1 seconds, 2 Hz, 3 ppm
  BOOL bTitle = TRUE;     // write the "Title:" line
  BOOL bComplex = FALSE;  // real and imaginary parts, else the real part only
};

// Writes the header and the points; a failed write throws the file layer's
// exception.
void WriteAsciiExport(CFile& file, const CSpectrum& spectrum, const CAsciiExportOptions& options);

// What the export asks of its user: the dialogs in the program, scripted
// answers in tests.
class CAsciiExportPrompts {
 public:
  virtual ~CAsciiExportPrompts() = default;
  // The file to write; FALSE when the user cancels.
  virtual BOOL AskPath(CString& strPath) = 0;
  // Units, title and complex output, filled in beforehand with the
  // spectrum's axis units; FALSE when the user cancels.
  virtual BOOL AskOptions(CAsciiExportOptions& options) = 0;
  virtual void ShowError(LPCSTR pszText) = 0;
};

// The whole command on one spectrum. The file is written only after both
// questions are answered, so Cancel leaves nothing behind, and it replaces
// a file of that name only once it is whole: a failed export leaves that
// file as it was. TRUE when the file was written.
BOOL ExportAscii(const CSpectrum& spectrum, CAsciiExportPrompts& prompts);
