// nd_probe: runs a command script on a .bv2 file, or imports a spectrometer
// file, from the command line, for tests of the 2D program outside it.
//
//   nd_probe run IN.bv2 SCRIPT OUT.bv2
//   nd_probe import TYPE PATH OUT.bv2
//
// run prints "message <text>" for every message the interpreter showed
// (newlines as \n), then "dims <counts of blocks 0 .. last> real=0|1", "cur
// <current dimension>" and "phasing <the four phasing-order bytes>".
// import reads PATH with the reader of TYPE (0 automatic, 1 Bruker, 2 Aspect,
// 3 Varian, 4 .bv2), writes the set to OUT.bv2 and prints the same three
// lines, then "data <the first 8 floats>" and "offset d=<first-point offset>
// sw=<spectral width> sf=<spectrometer frequency>" for each dimension from
// f1. A file it cannot read or write gives "error <reason>" and exit status 1.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ndim/import/Bv2File.h"
#include "ndim/import/NdFileType.h"
#include "ndim/import/NdImportSupport.h"
#include "ndim/script/CommandInterpreter.h"
#include "ndim/data/Spectrum2D.h"

namespace {

// A text on one line: newlines as \n.
std::string OneLine(const char* text) {
  std::string line;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n')
      line += "\\n";
    else
      line += *p;
  }
  return line;
}

struct PrintingSink : CNdMessageSink {
  void ShowMessage(LPCSTR text) override { std::printf("message %s\n", OneLine(text).c_str()); }
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
  std::printf("error %s\n", OneLine(reason).c_str());
  return 1;
}

void PrintState(const CSpectrum2D& set) {
  std::printf("dims");
  for (int i = 0; i <= set.m_nLastDim && i < CSpectrum2D::MaxDimensions; ++i)
    std::printf(" %d", set.m_dims[i].m_nPoints);
  std::printf(" real=%d\n", set.m_bReal ? 1 : 0);
  std::printf("cur %d\n", set.m_nCurrentDim);
  const BYTE* o = set.m_phasingOrder;
  std::printf("phasing %d %d %d %d\n", o[0], o[1], o[2], o[3]);
}

int Import(const char* type, const char* path, const char* out) {
  CNdImportLog log(nullptr);
  std::unique_ptr<CSpectrum2D> set(ImportNdFile(std::atoi(type), path, log));
  if (!set)
    return Error(log.GetError());
  CString error;
  if (!CBv2File::Write(out, *set, error))
    return Error(error);
  PrintState(*set);
  const long long floats = static_cast<long long>(set->GetTotalPoints()) * set->FloatsPerPoint();
  std::printf("data");
  for (long long i = 0; i < floats && i < 8; ++i)
    std::printf(" %.6g", set->m_pData[i]);
  std::printf("\n");
  for (int i = 1; i <= set->m_nLastDim && i < CSpectrum2D::MaxDimensions; ++i) {
    const DimensionBlock& b = set->m_dims[i];
    std::printf("offset d=%.6f sw=%.6f sf=%.9f\n", b.m_fFirstPoint, b.m_fSpectralWidth, b.m_fSpectrometerFreq);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string verb = argc == 5 ? argv[1] : "";
  if (verb == "import")
    return Import(argv[2], argv[3], argv[4]);
  if (verb != "run") {
    std::fprintf(stderr, "usage: nd_probe run IN.bv2 SCRIPT OUT.bv2\n       nd_probe import TYPE PATH OUT.bv2\n");
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

  PrintState(*set);
  return 0;
}
