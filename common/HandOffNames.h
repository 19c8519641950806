// The temporary 1D documents through which the nD program hands rows and
// columns to the 1D program. The 1D program opens them from its command
// line but keeps them out of its recent files: they are gone once it ends.
#pragma once

#include <cctype>
#include <cstddef>

const char kRowHandOffName[] = "~row.bvx";
const char kColumnHandOffName[] = "~col.bvx";

// Whether the file a path names (in whatever folder) is one of them.
inline bool IsHandOffDocument(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':')
      name = p + 1;
  const char* const names[] = {kRowHandOffName, kColumnHandOffName};
  for (const char* handOff : names) {
    std::size_t i = 0;
    while (name[i] && std::tolower(static_cast<unsigned char>(name[i])) == handOff[i])
      ++i;
    if (name[i] == '\0' && handOff[i] == '\0')
      return true;
  }
  return false;
}
