// nd_probe: runs a command script on a .bv2 file from the command line, for
// tests of the 2D processing outside the program.
//
//   nd_probe run IN.bv2 SCRIPT OUT.bv2
//
// Prints "message <text>" for every message the interpreter showed (newlines
// as \n), then "dims <counts of blocks 0 .. last> real=0|1", "cur <current
// dimension>" and "phasing <the four phasing-order bytes>". A file it cannot
// read or write gives "error <reason>" and exit status 1.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ndim/import/Bv2File.h"
#include "ndim/script/CommandInterpreter.h"
#include "ndim/data/Spectrum2D.h"

namespace {

struct PrintingSink : CNdMessageSink {
  void ShowMessage(LPCSTR text) override {
    std::string line = "message ";
    for (const char* p = text; *p; ++p) {
      if (*p == '\n')
        line += "\\n";
      else
        line += *p;
    }
    std::printf("%s\n", line.c_str());
  }
};

bool ReadText(const char* path, std::string& text) {
  FILE* f = std::fopen(path, "rb");
  if (!f)
    return false;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    text.append(buffer, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

int Error(const char* reason) {
  std::printf("error %s\n", reason);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::string(argv[1]) != "run") {
    std::fprintf(stderr, "usage: nd_probe run IN.bv2 SCRIPT OUT.bv2\n");
    return 2;
  }
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Read(argv[2], error));
  if (!set)
    return Error(error);
  std::string script;
  if (!ReadText(argv[3], script))
    return Error("Unable to read the script");

  PrintingSink sink;
  CCommandInterpreter interpreter(&sink);
  interpreter.Execute(*set, script.c_str());
  if (!CBv2File::Write(argv[4], *set, error))
    return Error(error);

  std::printf("dims");
  for (int i = 0; i <= set->m_nLastDim && i < CSpectrum2D::MaxDimensions; ++i)
    std::printf(" %d", set->m_dims[i].m_nPoints);
  std::printf(" real=%d\n", set->m_bReal ? 1 : 0);
  std::printf("cur %d\n", set->m_nCurrentDim);
  const BYTE* o = set->m_phasingOrder;
  std::printf("phasing %d %d %d %d\n", o[0], o[1], o[2], o[3]);
  return 0;
}
