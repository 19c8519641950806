#include "framework/base/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <new>

#include "framework/base/Exception.h"
#include "framework/base/FileRuntime.h"

namespace {

// Names tried before a folder whose every candidate is taken counts as
// one where nothing can be created.
const int kNameAttempts = 100;

std::atomic<unsigned long> g_nSerial{0};

// The folder part of a path, with its separator ("" for a bare name).
CString FolderOf(LPCSTR pszPath) {
  const CString path(pszPath);
  int n = path.GetLength();
  while (n > 0 && path[n - 1] != '\\' && path[n - 1] != '/' && path[n - 1] != ':')
    --n;
  return path.Left(n);
}

// The reason of a failure in the file layer's words, naming the user's file
// rather than the temporary one.
CString ReasonOf(CException* e, LPCSTR pszPath) {
  if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
    static_cast<CFileException*>(e)->m_strFileName = pszPath;
  char text[512] = "";
  if (e->GetErrorMessage(text, sizeof text))
    return CString(text);
  CFileException generic(CFileException::genericException, -1, pszPath);
  generic.GetErrorMessage(text, sizeof text);
  return CString(text);
}

CString AccessDenied(LPCSTR pszPath) {
  CFileException denied(CFileException::accessDenied, -1, pszPath);
  return ReasonOf(&denied, pszPath);
}

}  // namespace

FileReplaceResult ReplaceFileContents(LPCSTR pszPath, UINT nType, const std::function<void(CStdioFile& file)>& write,
                                      CString& error) {
  error.Empty();
  if (pszPath == nullptr || pszPath[0] == '\0') {
    CFileException bad(CFileException::badPath, -1, pszPath);
    error = ReasonOf(&bad, pszPath);
    return fileNotCreated;
  }
  // Refused before anything is written, and again by the move itself.
  if (IsReadOnlyFile(pszPath)) {
    error = AccessDenied(pszPath);
    return fileNotReplaced;
  }
  const CString folder = FolderOf(pszPath);
  const unsigned long nProcess = FileRuntime::ProcessId();
  const UINT nFlags = CFile::shareExclusive | (nType & (CFile::typeText | CFile::typeBinary));
  CStdioFile file;
  CString temp;
  for (int nAttempt = 1;; ++nAttempt) {
    temp.Format("%s~bv%lu-%lu.tmp", (LPCSTR)folder, nProcess, ++g_nSerial);
    CFileException fe;
    if (file.OpenNew(temp, nFlags, &fe))
      break;
    if (fe.m_lOsError != EEXIST || nAttempt == kNameAttempts) {
      error = ReasonOf(&fe, pszPath);
      return fileNotCreated;
    }
  }
  try {
    write(file);
    file.Close();
  } catch (CException* e) {
    file.Abort();
    std::remove(temp);
    error = ReasonOf(e, pszPath);
    e->Delete();
    return fileNotWritten;
  } catch (const std::bad_alloc&) {
    file.Abort();
    std::remove(temp);
    CMemoryException memory;
    error = ReasonOf(&memory, pszPath);
    return fileNotWritten;
  } catch (...) {
    file.Abort();
    std::remove(temp);
    throw;
  }
  if (!MoveFileReplacing(temp, pszPath)) {
    std::remove(temp);
    error = AccessDenied(pszPath);
    return fileNotReplaced;
  }
  return fileReplaced;
}

bool WriteFileReplacing(LPCSTR pszPath, const std::function<void(CStdioFile& file)>& write, CString& error) {
  return ReplaceFileContents(pszPath, CFile::typeBinary, write, error) == fileReplaced;
}
