// An nD reader end to end: the input is cut at each "\n@@\n" into the files
// of an experiment folder, which the reader then reads. Chosen at build time:
//   1 Bruker   acqus | acqu2s | proc | proc2s | procs | ser
//   2 Varian   procpar | fid
//   3 any type found by detection, on one file named "a.fid" (Aspect and
//     .bv2 files)
// A success leaves a whole set; a failure says why.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdFileType.h"
#include "ndim/import/NdImportSupport.h"

namespace {

std::string g_folder;

void WriteFile(const std::string& name, const std::string& bytes) {
  WriteFuzzFile(g_folder + "/" + name, bytes.data(), bytes.size());
}

std::vector<std::string> Split(const std::string& input, std::size_t parts) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (out.size() + 1 < parts) {
    const std::size_t at = input.find("\n@@\n", start);
    if (at == std::string::npos)
      break;
    out.push_back(input.substr(start, at - start));
    start = at + 4;
  }
  out.push_back(input.substr(start));
  out.resize(parts);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char templ[] = "/tmp/fuzz_nd_import_XXXXXX";
  if (::mkdtemp(templ) == nullptr)
    std::abort();
  g_folder = templ;
  ::mkdir((g_folder + "/pdata").c_str(), 0700);
  ::mkdir((g_folder + "/pdata/1").c_str(), 0700);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  int type = ndFileAutomatic;
  std::string path;
  switch (ND_FUZZ_READER) {
    case 1: {
      static const char* const kNames[] = {"acqus", "acqu2s", "pdata/1/proc", "pdata/1/proc2s", "pdata/1/procs", "ser"};
      const std::vector<std::string> parts = Split(input, 6);
      for (std::size_t i = 0; i < parts.size(); ++i)
        WriteFile(kNames[i], parts[i]);
      type = ndFileBruker;
      path = g_folder + "/ser";
      break;
    }
    case 2: {
      const std::vector<std::string> parts = Split(input, 2);
      WriteFile("procpar", parts[0]);
      WriteFile("fid", parts[1]);
      type = ndFileVarian;
      path = g_folder + "/fid";
      break;
    }
    default:
      WriteFile("a.fid", input);
      path = g_folder + "/a.fid";
      break;
  }

  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ImportNdFile(type, path.c_str(), log));
  if (!set) {
    if (log.GetError().IsEmpty())
      std::abort();
    return 0;
  }
  if (!set->m_pData || set->m_nLastDim != 2 || set->m_nCurrentDim != 2)
    std::abort();
  const std::size_t floats = static_cast<std::size_t>(set->GetTotalPoints()) * set->FloatsPerPoint();
  volatile float sum = 0.0f;
  for (std::size_t i = 0; i < floats; ++i)
    sum = sum + set->m_pData[i];
  return 0;
}
