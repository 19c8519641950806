// The real 1D program for a hand-off: brivane23.exe started from the nD
// program's folder on the hand-off document, waited for while the nD
// windows go on painting (input waits until it has ended; the hand-off
// cannot be cancelled), and the shared registry key read back.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"
#include "ndim/handoff/HandOff.h"

class COneDProgramWin : public COneDProgram {
 public:
  // folder: where brivane23.exe lies, ending with its separator.
  explicit COneDProgramWin(LPCSTR folder) : m_strFolder(folder) {}

  // The drive and folder of the running program's own file, with its
  // separator.
  static CString GetProgramFolder();
  // The user's temporary folder, with its separator; empty when there is
  // none.
  static CString GetTemporaryFolder();
  // The folder the 1D program starts in: "c:\temp" when it exists, otherwise
  // the program's folder (a start in a folder that does not exist fails).
  static CString GetWorkingFolder(LPCSTR programFolder);

  // Starts the 1D program on the document; false when it cannot be started.
  // The process handle is kept for the wait.
  bool StartOneDProgram(LPCSTR path);
  // Waits for the started program to end, repainting meanwhile; its exit code.
  DWORD WaitForOneDProgram();

  Result Run(LPCSTR path) override;
  SharedValues ReadSharedValues() override;

 private:
  CString m_strFolder;
  HANDLE m_hProcess = nullptr;
};
