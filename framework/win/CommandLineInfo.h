// CCommandLineInfo: what the program's command line asks for. ParseParam
// sees each argument in turn; a derived class may take switches of its own.
#pragma once

#include "framework/base/String.h"
#include "framework/win/Win32.h"

class CCommandLineInfo {
 public:
  enum {
    FileNew,        // no file: start with a new document (or none, as the program decides)
    FileOpen,       // open m_strFileName
    FilePrint,      // /p file
    FilePrintTo,    // /pt file printer driver port
    FileDDE,        // /dde: the shell sends the command by DDE
    AppRegister,    // /regserver or /register
    AppUnregister,  // /unregserver or /unregister
    FileNothing = -1
  };

  CCommandLineInfo() = default;
  virtual ~CCommandLineInfo() = default;

  // One argument: lpszParam without its leading '/' or '-' when bFlag.
  virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash = TRUE;     // cleared by /embedding, /automation and /nologo
  BOOL m_bRunEmbedded = FALSE;   // started by OLE to serve an embedded item
  BOOL m_bRunAutomated = FALSE;  // started by OLE for automation
  int m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 protected:
  void ParseParamFlag(LPCSTR lpszParam);
  void ParseParamNotFlag(LPCSTR lpszParam);
  void ParseLast(BOOL bLast);
};

// Splits a command line into arguments the way the C runtime does (quotes
// group, backslashes before a quote escape it) and gives each to rInfo.
void AfxParseCommandLine(LPCSTR lpszCmdLine, CCommandLineInfo& rInfo);
