// The framework's exceptions. They are thrown as pointers to objects made
// with new (throw new CFileException(...)) and the handler that catches one
// calls Delete when done with it:
//   catch (CFileException* e) { e->ReportError(); e->Delete(); }
#pragma once

#include <cstddef>

#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

// Shows an error text to the user and returns the answer (IDOK, ...). The
// Windows framework installs its message box here; by default the text goes
// to stderr.
typedef int (*PFNREPORTERROR)(LPCSTR lpszText, UINT nType);

// Installs a report hook (null restores the default) and returns the previous one.
PFNREPORTERROR SetReportErrorHook(PFNREPORTERROR pfnHook);
// Reports a text through the current hook.
int ReportErrorText(LPCSTR lpszText, UINT nType = MB_OK);

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  // An exception made with new deletes itself in Delete; one on the stack, a
  // static one, or one made with bAutoDelete FALSE is never freed by Delete.
  explicit CException(BOOL bAutoDelete = TRUE);

  void Delete();

  // Copies the message (cut to nMaxError - 1 characters) and returns TRUE
  // when there is one.
  virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
  // Shows the message through the report hook; without a message, a general text.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  static void* operator new(std::size_t nSize);
  static void operator delete(void* p);

 protected:
  // The message as a string, or empty when there is none.
  virtual CString GetMessageText() const;

  BOOL m_bAutoDelete;

 private:
  bool m_bOnHeap;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)

 public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}

 protected:
  CString GetMessageText() const override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)

 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
    generic = genericException
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

  // The cause for a C library error number.
  static int ErrnoToException(int nErrno);
  static void ThrowErrno(int nErrno, LPCSTR lpszFileName = nullptr);

  int m_cause;
  LONG m_lOsError;  // the C library error number, -1 when none
  CString m_strFileName;

 protected:
  CString GetMessageText() const override;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)

 public:
  enum {
    none,
    genericException,
    readOnly,  // writing to an archive that loads
    endOfFile,
    writeOnly,  // reading from an archive that stores
    badIndex,   // an object or class reference that was never stored
    badClass,   // a class that is unknown or not the one expected
    badSchema,  // a stored version this program cannot read
    generic = genericException
  };

  explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = nullptr);

  int m_cause;
  CString m_strFileName;

 protected:
  CString GetMessageText() const override;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);
