#include "onedim/import/ImportPath.h"

CString GetImportFolder(LPCSTR lpszPath) {
  CString strPath(lpszPath);
  int nSlash = strPath.ReverseFind('\\');
  int nForward = strPath.ReverseFind('/');
  if (nForward > nSlash)
    nSlash = nForward;
  return strPath.Left(nSlash + 1);
}

CString GetPathUpToLastDot(LPCSTR lpszPath) {
  CString strPath(lpszPath);
  return strPath.Left(strPath.ReverseFind('.') + 1);
}

BOOL OpenImportFile(CFile& file, LPCSTR lpszPath) {
  if (lpszPath == nullptr || *lpszPath == '\0')
    return FALSE;
  return file.Open(ResolveImportPath(lpszPath), CFile::modeRead | CFile::typeBinary);
}
