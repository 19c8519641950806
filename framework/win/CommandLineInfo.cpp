#include "framework/win/CommandLineInfo.h"

#include <string>
#include <vector>

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(lpszParam);
  else
    ParseParamNotFlag(lpszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCSTR lpszParam) {
  CString flag(lpszParam);
  flag.MakeLower();
  if (flag == "pt" && m_nShellCommand == FileNew) {
    m_nShellCommand = FilePrintTo;
  } else if (flag == "p" && m_nShellCommand == FileNew) {
    m_nShellCommand = FilePrint;
  } else if (flag == "register" || flag == "regserver") {
    m_nShellCommand = AppRegister;
  } else if (flag == "unregister" || flag == "unregserver") {
    m_nShellCommand = AppUnregister;
  } else if (flag == "dde") {
    m_nShellCommand = FileDDE;
  } else if (flag == "embedding") {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (flag == "automation") {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  } else if (flag == "nologo") {
    m_bShowSplash = FALSE;
  }
}

void CCommandLineInfo::ParseParamNotFlag(LPCSTR lpszParam) {
  if (m_strFileName.IsEmpty()) {
    m_strFileName = lpszParam;
  } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty()) {
    m_strPrinterName = lpszParam;
  } else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty()) {
    m_strDriverName = lpszParam;
  } else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty()) {
    m_strPortName = lpszParam;
  }
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
    m_nShellCommand = FileOpen;
}

static std::vector<std::string> SplitCommandLine(LPCSTR p) {
  std::vector<std::string> args;
  if (p == nullptr)
    return args;
  for (;;) {
    while (*p == ' ' || *p == '\t')
      ++p;
    if (*p == '\0')
      break;
    std::string arg;
    bool inQuotes = false;
    while (*p != '\0' && (inQuotes || (*p != ' ' && *p != '\t'))) {
      if (*p == '\\') {
        size_t nSlashes = 0;
        while (*p == '\\') {
          ++nSlashes;
          ++p;
        }
        if (*p == '"') {
          arg.append(nSlashes / 2, '\\');
          if (nSlashes % 2 == 1) {
            arg += '"';
            ++p;
          }
        } else {
          arg.append(nSlashes, '\\');
        }
      } else if (*p == '"') {
        inQuotes = !inQuotes;
        ++p;
      } else {
        arg += *p++;
      }
    }
    args.push_back(arg);
  }
  return args;
}

void AfxParseCommandLine(LPCSTR lpszCmdLine, CCommandLineInfo& rInfo) {
  std::vector<std::string> args = SplitCommandLine(lpszCmdLine);
  for (size_t i = 0; i < args.size(); ++i) {
    const char* arg = args[i].c_str();
    BOOL bFlag = (arg[0] == '/' || arg[0] == '-') && arg[1] != '\0';
    rInfo.ParseParam(bFlag ? arg + 1 : arg, bFlag, i + 1 == args.size());
  }
}
