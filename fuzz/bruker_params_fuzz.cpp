// One Bruker parameter reader on arbitrary text, chosen at build time:
// 1 acqus, 2 procs, 3 title, 4 WinNMR dis.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/base/MemFile.h"
#include "onedim/import/BrukerParams.h"
#include "onedim/model/SpectrumParams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> bytes(data, data + size);
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), (UINT)bytes.size());
  CSpectrumParams params;
  int nDataType = 0;
  switch (BRUKER_FUZZ_READER) {
    case 1:
      ReadBrukerAcqus(params, file, &nDataType);
      break;
    case 2:
      ReadBrukerProcs(params, file);
      break;
    case 3:
      ReadTitleFile(params, file);
      break;
    default:
      ReadWinNmrDis(params, file);
      break;
  }
  return 0;
}
