// Files for the fuzz targets whose readers take only paths.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

// A path under /tmp of this process's own, so fuzzers run side by side never
// read each other's input.
inline std::string FuzzWorkPath(const std::string& tag, const std::string& name) {
  return "/tmp/fuzz_" + tag + "_" + std::to_string(::getpid()) + "_" + name;
}

// A file that cannot be written ends the run: every verdict after it would be
// about some other input.
inline void WriteFuzzFile(const std::string& path, const void* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr)
    std::abort();
  if (size != 0 && std::fwrite(data, 1, size, f) != size)
    std::abort();
  std::fclose(f);
}
