#include "framework/base/FileReplace.h"

#include <cstdio>

#include "framework/base/Exception.h"
#include "framework/base/File.h"

bool WriteFileReplacing(const char* pszPath, const std::function<void(CFile& file)>& write, CString& error) {
  const CString temp = CString(pszPath) + ".tmp";
  CFile file;
  CFileException fe(CFileException::none, -1, nullptr);
  if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary, &fe)) {
    error = "Unable to create the file";
    return false;
  }
  try {
    write(file);
    file.Close();
  } catch (CException* e) {
    char text[512] = "";
    error = e->GetErrorMessage(text, sizeof text) ? text : "Unable to write the file";
    e->Delete();
    file.Abort();
    std::remove(temp);
    return false;
  }
  if (!MoveFileReplacing(temp, pszPath)) {
    error = "Unable to replace the file";
    std::remove(temp);
    return false;
  }
  return true;
}
