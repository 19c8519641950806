#include "ndim/document/ScriptFile.h"

#include <cstring>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/FileReplace.h"

bool ReadScriptFile(LPCSTR path, CString& text, CString& error) {
  CFile file;
  CFileException fe(CFileException::none, -1, nullptr);
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &fe)) {
    error = "Unable to open the file";
    return false;
  }
  try {
    const ULONGLONG length = file.GetLength();
    if (length > kMaxScriptBytes) {
      error = "The script file is too large";
      return false;
    }
    std::vector<char> bytes(static_cast<std::size_t>(length) + 1, '\0');
    const UINT read = file.Read(bytes.data(), static_cast<UINT>(length));
    if (std::memchr(bytes.data(), '\0', read) != nullptr) {
      error = "Unexpected file format";
      return false;
    }
    text = CString(bytes.data());
    return true;
  } catch (CException* e) {
    e->Delete();
    error = "Unable to read the file";
    return false;
  }
}

bool WriteScriptFile(LPCSTR path, LPCSTR text, CString& error) {
  return WriteFileReplacing(
      path, [text](CFile& file) { file.Write(text, static_cast<UINT>(std::strlen(text))); }, error);
}
