// A binary file on disk over the C library's streams, so that it behaves the
// same natively and on Windows. Paths are plain ANSI paths. Share modes are
// honoured on Windows; POSIX has none to honour. typeText and typeBinary
// matter only to CStdioFile: a CFile always reads and writes bytes as they are.
#pragma once

#include <cstdio>

#include "framework/base/Exception.h"
#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile();
  // Opens the file or throws the CFileException* that says why.
  CFile(LPCSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;

  // FALSE when the file cannot be opened; the reason goes into *pError when given.
  virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  // Creates a file that is not there yet and opens it for writing (the
  // share and type bits of nOpenFlags apply): a file of that name is never
  // opened or emptied, but refused as accessDenied with m_lOsError EEXIST.
  BOOL OpenNew(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  BOOL IsOpen() const { return m_pStream != nullptr; }

  // Reads up to nCount bytes and returns how many were read: fewer only at
  // the end of the file. A read error throws.
  virtual UINT Read(void* lpBuf, UINT nCount);
  // Writes all nCount bytes or throws (a full disk, a file not open for writing).
  virtual void Write(const void* lpBuf, UINT nCount);

  // Moves to lOff from the origin (begin, current, end) and returns the new
  // position; a position before the start throws badSeek.
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  // Cuts or extends (with zeros) the file to nNewLen bytes.
  virtual void SetLength(ULONGLONG nNewLen);

  virtual void Flush();
  // Closes the file; data that cannot be written out throws.
  virtual void Close();
  // Closes the file ignoring errors; safe when not open.
  virtual void Abort();

  CString GetFilePath() const { return m_strFileName; }
  // The name after the last folder separator.
  CString GetFileName() const;

  static void Remove(LPCSTR lpszFileName);
  static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);

 protected:
  // Throws a file exception for the C library's last error on this file.
  [[noreturn]] void ThrowLastError(int nFallbackCause) const;
  // Called before a read or a write: the C library needs a positioning call
  // between reading and writing the same stream.
  void PrepareFor(bool bWrite);
  void CheckOpen() const;
  // Takes the stream an open call gave (null when it failed) and says so.
  BOOL TakeOpened(std::FILE* fp, LPCSTR lpszFileName, CFileException* pError);

  std::FILE* m_pStream = nullptr;
  CString m_strFileName;
  UINT m_nOpenFlags = 0;

 private:
  enum LastOp { opNone, opRead, opWrite };
  LastOp m_lastOp = opNone;
};
