// What the importers of fixed file layouts share: the import error and
// history through the document's CImportTarget, bounded reads of the file,
// the check of the number of points, and the hand-over of the filled
// buffers. One derived class per format does the decoding.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/File.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CImportTarget;
class CSpectrumParams;

class CFixedImporter {
 public:
  explicit CFixedImporter(CImportTarget& target) : m_target(target) {}
  virtual ~CFixedImporter() = default;

  // TRUE when the spectrum was added; otherwise the reason is the import
  // error. Never throws.
  BOOL Import(LPCSTR lpszPath);

 protected:
  virtual BOOL DoImport() = 0;
  // The reason given when a float buffer cannot be had.
  virtual BOOL FailMemory();

  void History(LPCSTR lpszLine);
  // Sets the import error and returns FALSE.
  BOOL Fail(LPCSTR lpszError);
  // The same text as history line and import error; FALSE.
  BOOL FailLogged(LPCSTR lpszText);

  // Opens a file of this import for reading as raw bytes.
  static BOOL OpenFile(CFile& file, LPCSTR lpszPath, BOOL bDenyWrite = FALSE);
  // The first nMax bytes of the file, or all of a shorter one.
  static std::vector<BYTE> ReadHead(CFile& file, std::size_t nMax);
  // TRUE when the file holds n bytes from nOffset on; checked before the
  // buffers for them are sized.
  static BOOL HasBytes(CFile& file, ULONGLONG nOffset, ULONGLONG nCount);
  // Reads n bytes from nOffset; FALSE when the file holds fewer.
  static BOOL ReadAt(CFile& file, ULONGLONG nOffset, BYTE* pBytes, std::size_t nCount);
  // A zeroed byte buffer, or null.
  static std::unique_ptr<BYTE[]> NewBytes(std::size_t nCount);

  // FALSE (history line and import error) unless td is even and 2 .. the cap.
  BOOL CheckSize(long long td);
  // FALSE with the short-file reason.
  BOOL FailShortHeader();
  BOOL FailShortData();
  // numerator / denominator for an offset; 0 with a history line when the
  // division has no finite result.
  double SafeOffset(double dNumerator, double dDenominator);
  // The offset of a file that gives none that can be computed: 0, and a
  // history line that says so.
  double NoOffset();

  // Adds a spectrum built from the block whose data are pData (td floats,
  // taken over) and whose kept data are a copy. The spectrum becomes the
  // current one. FALSE through FailMemory when a buffer is missing.
  BOOL AddFilledSpectrum(const CSpectrumParams& params, std::unique_ptr<float[]> pData);

  CImportTarget& m_target;
  CString m_strPath;
};

// A parameter file read as whitespace-separated tokens through a small
// buffer, so that a file of any size costs no more memory than that.
class CParamTokens {
 public:
  explicit CParamTokens(CFile& file) : m_file(file) {}

  // The next token (a longer run of non-blanks than 255 characters comes as
  // several tokens); bLineStart tells whether it is the first of its line.
  // FALSE at the end.
  BOOL Next(std::string& token, BOOL* pLineStart = nullptr);
  // Skips the rest of the current line.
  void SkipLine();

 private:
  int GetChar();

  CFile& m_file;
  BYTE m_buffer[4096];
  UINT m_nLength = 0;
  UINT m_nPos = 0;
  bool m_bEnd = false;
  bool m_bLineStart = true;  // nothing but blanks since the last line feed
};

// Text-to-number of a parameter value: the leading number of the token, 0
// when there is none or it is not finite; integers are clamped to int.
double ParseParamReal(const std::string& token);
int ParseParamInt(const std::string& token);
// TRUE when token begins with prefix, without regard to case.
BOOL TokenBeginsWith(const std::string& token, LPCSTR lpszPrefix);
BOOL TokenEquals(const std::string& token, LPCSTR lpszName);
