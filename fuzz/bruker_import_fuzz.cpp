// A Bruker data path end to end: the input is cut at each "\n@@\n" into the
// files of an experiment folder, which the importer then reads. Chosen at
// build time:
//   1 XWIN-NMR FID        acqus | procs | fid
//   2 XWIN-NMR series     acqus | acqu2s | ser
//   3 XWIN-NMR processed  acqus | procs | 1r | 1i
//   4 WinNMR FID          dis | fid, or acqus | procs | fid (no archive)
//   5 WinNMR processed    acqus | procs | 1r | 1i   (no archive)
// A processed set cut into three parts has no 1i (kept without it).
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "onedim/import/ImportBruker.h"
#include "onedim/import/ImportWinNmr.h"
#include "onedim/processing/FourierTransformStep.h"
#include "tests/onedim/import/bruker_test_util.h"

namespace {

std::string g_folder;

void WriteFile(const std::string& name, const std::string& bytes) {
  WriteFuzzFile(g_folder + "/" + name, bytes.data(), bytes.size());
}

std::vector<std::string> Split(const std::string& input) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = input.find("\n@@\n", start);
    if (at == std::string::npos) {
      parts.push_back(input.substr(start));
      return parts;
    }
    parts.push_back(input.substr(start, at - start));
    start = at + 4;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char templ[] = "/tmp/fuzz_bruker_XXXXXX";
  if (::mkdtemp(templ) == nullptr)
    std::abort();
  g_folder = templ;
  std::string pdata = g_folder + "/pdata";
  ::mkdir(pdata.c_str(), 0700);
  ::mkdir((pdata + "/1").c_str(), 0700);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = Split(std::string((const char*)data, size));
  const size_t nParts = parts.size();
  const bool bImaginary = nParts > 3;
  parts.resize(4);
  const int mode = BRUKER_FUZZ_PATH;
  for (const char* name :
       {"acqus", "acqu2s", "ser", "fid", "h1.dis", "h1.fid", "pdata/1/procs", "pdata/1/1r", "pdata/1/1i"})
    ::unlink((g_folder + "/" + name).c_str());
  std::string path;
  switch (mode) {
    case 1:
      WriteFile("acqus", parts[0]);
      WriteFile("pdata/1/procs", parts[1]);
      WriteFile("fid", parts[2]);
      path = g_folder + "/fid";
      break;
    case 2:
      WriteFile("acqus", parts[0]);
      WriteFile("acqu2s", parts[1]);
      WriteFile("ser", parts[2]);
      path = g_folder + "/ser";
      break;
    case 4:
      if (nParts > 2) {
        WriteFile("acqus", parts[0]);
        WriteFile("pdata/1/procs", parts[1]);
        WriteFile("fid", parts[2]);
        path = g_folder + "/fid";
        break;
      }
      WriteFile("h1.dis", parts[0]);
      WriteFile("h1.fid", parts[1]);
      path = g_folder + "/h1.fid";
      break;
    default:
      WriteFile("acqus", parts[0]);
      WriteFile("pdata/1/procs", parts[1]);
      WriteFile("pdata/1/1r", parts[2]);
      if (bImaginary)
        WriteFile("pdata/1/1i", parts[3]);
      path = g_folder + "/pdata/1/1r";
      break;
  }

  FakeDocument doc;
  BOOL bOk;
  if (mode >= 4) {
    CWinNmrImporter importer(doc);
    bOk = importer.Import(path.c_str());
  } else {
    CBrukerImporter importer(doc);
    bOk = importer.Import(path.c_str());
  }
  // A success leaves complete spectra; a failure says why.
  if (!doc.AllSpectraFilled() || (bOk && doc.spectra.empty()) || (!bOk && doc.error.empty()))
    std::abort();
  // Each spectrum as the Fourier Transform dialog would take it up.
  for (const auto& s : doc.spectra) {
    volatile float sum = 0;
    for (int i = 0; i < s->m_paramsA.td; ++i)
      sum = sum + s->m_pData[i] + s->m_pRawData[i];
    CFourierTransformOptions options;
    InitFourierTransformOptions(*s, options);
  }
  return 0;
}
