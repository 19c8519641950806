#include "framework/base/Exception.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

int ReportToStderr(LPCSTR lpszText, UINT) {
  std::fprintf(stderr, "%s\n", lpszText);
  std::fflush(stderr);
  return IDOK;
}

PFNREPORTERROR g_pfnReport = ReportToStderr;

// The block most recently handed out by CException::operator new and not yet
// claimed by a constructor: an exception whose address matches it was made
// with new and may delete itself.
thread_local void* t_pPendingHeapException = nullptr;

// The file name as the messages show it.
CString Quoted(const CString& strFileName) {
  if (strFileName.IsEmpty())
    return CString("an unnamed file");
  return strFileName;
}

}  // namespace

PFNREPORTERROR SetReportErrorHook(PFNREPORTERROR pfnHook) {
  PFNREPORTERROR pfnOld = g_pfnReport;
  g_pfnReport = pfnHook != nullptr ? pfnHook : ReportToStderr;
  return pfnOld;
}

int ReportErrorText(LPCSTR lpszText, UINT nType) {
  return g_pfnReport(lpszText != nullptr ? lpszText : "", nType);
}

// --- CException ---

void* CException::operator new(std::size_t nSize) {
  void* p = ::operator new(nSize);
  t_pPendingHeapException = p;
  return p;
}

void CException::operator delete(void* p) {
  ::operator delete(p);
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete), m_bOnHeap(this == t_pPendingHeapException) {
  // Only the object the block was made for claims it: another exception built
  // on the stack in between (say, in a constructor argument) must not.
  if (m_bOnHeap)
    t_pPendingHeapException = nullptr;
}

void CException::Delete() {
  if (m_bAutoDelete && m_bOnHeap)
    delete this;
}

CString CException::GetMessageText() const {
  return CString();
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
  if (pnHelpContext != nullptr)
    *pnHelpContext = 0;
  CString strText = GetMessageText();
  if (lpszError != nullptr && nMaxError > 0) {
    UINT n = (UINT)strText.GetLength();
    if (n > nMaxError - 1)
      n = nMaxError - 1;
    std::memcpy(lpszError, (LPCSTR)strText, n);
    lpszError[n] = '\0';
  }
  return strText.IsEmpty() ? FALSE : TRUE;
}

int CException::ReportError(UINT nType, UINT) {
  CString strText = GetMessageText();
  if (strText.IsEmpty())
    strText = "An unexpected error has occurred; the operation was not completed.";
  return ReportErrorText(strText, nType);
}

// --- CMemoryException ---

CString CMemoryException::GetMessageText() const {
  return CString("There is not enough memory to complete the operation.");
}

// --- CFileException ---

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

int CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case ENOSPC:
#ifdef EFBIG
    case EFBIG:
#endif
      return diskFull;
    case EIO:
      return hardIO;
    case EBUSY:
      return sharingViolation;
#ifdef EDEADLK
    case EDEADLK:
      return lockViolation;
#endif
    case ESPIPE:
      return badSeek;
    default:
      return genericException;
  }
}

void CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName) {
  AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

CString CFileException::GetMessageText() const {
  CString strName = Quoted(m_strFileName);
  CString s;
  switch (m_cause) {
    case none:
      return CString();
    case fileNotFound:
      s.Format("The file %s could not be found.", (LPCSTR)strName);
      break;
    case badPath:
      s.Format("The path of %s is not valid.", (LPCSTR)strName);
      break;
    case tooManyOpenFiles:
      s.Format("%s could not be opened: too many files are open.", (LPCSTR)strName);
      break;
    case accessDenied:
      s.Format("Access to %s was denied.", (LPCSTR)strName);
      break;
    case invalidFile:
      s.Format("%s is not an open file.", (LPCSTR)strName);
      break;
    case removeCurrentDir:
      s.Format("%s is the current directory and cannot be removed.", (LPCSTR)strName);
      break;
    case directoryFull:
      s.Format("%s could not be created: the directory is full.", (LPCSTR)strName);
      break;
    case badSeek:
      s.Format("Could not move to the requested position in %s.", (LPCSTR)strName);
      break;
    case hardIO:
      s.Format("A device error occurred while accessing %s.", (LPCSTR)strName);
      break;
    case sharingViolation:
      s.Format("%s is in use by another program.", (LPCSTR)strName);
      break;
    case lockViolation:
      s.Format("A part of %s is locked by another program.", (LPCSTR)strName);
      break;
    case diskFull:
      s.Format("The disk is full: %s could not be written completely.", (LPCSTR)strName);
      break;
    case endOfFile:
      s.Format("Unexpected end of file while reading %s.", (LPCSTR)strName);
      break;
    default:
      s.Format("An error occurred while accessing %s.", (LPCSTR)strName);
      break;
  }
  return s;
}

// --- CArchiveException ---

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

CString CArchiveException::GetMessageText() const {
  CString strName = Quoted(m_strFileName);
  CString s;
  switch (m_cause) {
    case none:
      return CString();
    case readOnly:
      s.Format("Cannot write to %s: it is open for reading.", (LPCSTR)strName);
      break;
    case writeOnly:
      s.Format("Cannot read from %s: it is open for writing.", (LPCSTR)strName);
      break;
    case endOfFile:
      s.Format("Unexpected end of file while reading %s.", (LPCSTR)strName);
      break;
    case badIndex:
    case badClass:
    case badSchema:
      s.Format("%s has an unexpected format or was written by another version of the program.", (LPCSTR)strName);
      break;
    default:
      s.Format("An error occurred while reading or writing %s.", (LPCSTR)strName);
      break;
  }
  return s;
}

// --- Throwing ---

void AfxThrowMemoryException() {
  // Made in advance: when memory is exhausted, a new exception may not be had.
  static CMemoryException s_exception(FALSE);
  throw &s_exception;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
