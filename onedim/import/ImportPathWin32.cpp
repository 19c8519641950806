// Import paths on Windows: the file system ignores case and takes
// backslashes, so a path is used as it is.
#include "onedim/import/ImportPath.h"

CString ResolveImportPath(LPCSTR lpszPath) {
  return CString(lpszPath);
}
