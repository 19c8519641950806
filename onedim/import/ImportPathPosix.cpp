// Import paths on POSIX: backslashes become slashes and each name that does
// not exist as written is matched without regard to case in its folder.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <string>

#include "onedim/import/ImportPath.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals name without regard to case; the
// name itself when there is none (the open then fails as it should).
std::string MatchNoCase(const std::string& folder, const std::string& name) {
  std::string dir = folder.empty() ? std::string(".") : folder;
  DIR* pDir = ::opendir(dir.c_str());
  if (pDir == nullptr)
    return name;
  std::string found = name;
  while (struct dirent* pEntry = ::readdir(pDir)) {
    if (::strcasecmp(pEntry->d_name, name.c_str()) == 0) {
      found = pEntry->d_name;
      break;
    }
  }
  ::closedir(pDir);
  return found;
}

}  // namespace

CString ResolveImportPath(LPCSTR lpszPath) {
  std::string path(lpszPath != nullptr ? lpszPath : "");
  for (char& ch : path)
    if (ch == '\\')
      ch = '/';
  if (path.empty() || Exists(path))
    return CString(path.c_str());

  // Rebuild the path name by name, keeping what exists and matching the rest.
  std::string result = path[0] == '/' ? "/" : "";
  std::size_t nStart = 0;
  while (nStart <= path.size()) {
    std::size_t nEnd = path.find('/', nStart);
    if (nEnd == std::string::npos)
      nEnd = path.size();
    std::string name = path.substr(nStart, nEnd - nStart);
    nStart = nEnd + 1;
    if (name.empty() || name == ".")
      continue;
    std::string candidate = result + name;
    if (name != ".." && !Exists(candidate))
      candidate = result + MatchNoCase(result, name);
    result = candidate;
    if (nEnd < path.size())
      result += '/';
  }
  return CString(result.c_str());
}
