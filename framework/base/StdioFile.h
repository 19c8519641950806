// A file read and written as lines of text. In text mode (the default; pass
// typeBinary to turn it off) a line end is written as CR LF and CR LF is read
// back as a single "\n", in both builds, so the files match.
#pragma once

#include "framework/base/File.h"

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)

 public:
  CStdioFile() = default;
  // Opens the file or throws the CFileException* that says why.
  CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);

  // Reads one line without its line end. FALSE at the end of the file when
  // nothing was left to read.
  virtual BOOL ReadString(CString& rString);
  // Reads up to nMax - 1 characters, stopping after a "\n", which is kept;
  // the buffer always ends with a zero. Null at the end of the file.
  virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
  virtual void WriteString(LPCSTR lpsz);

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;

  // Text mode follows the flags of the call that opened the file.
  BOOL IsTextMode() const { return (m_nOpenFlags & typeBinary) == 0; }

 private:
  // The next character with CR LF folded in text mode, or EOF.
  int GetChar();
};
