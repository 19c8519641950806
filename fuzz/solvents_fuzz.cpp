// The solvents.map decoder on any bytes: it takes the file whole or leaves
// the map untouched, and a list it takes, written by the map's archive,
// decodes to the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/base/Archive.h"
#include "framework/base/MemFile.h"
#include "onedim/model/SolventTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMapStringToString map;
  CString error;
  if (!DecodeSolvents(data, size, map, error)) {
    if (map.GetCount() != 0 || error.IsEmpty())
      std::abort();
    return 0;
  }
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    map.Serialize(ar);
    ar.Close();
  }
  const UINT nLength = (UINT)file.GetLength();
  BYTE* pBytes = file.Detach();
  CMapStringToString again;
  const BOOL bAgain = DecodeSolvents(pBytes, nLength, again, error);
  std::free(pBytes);
  if (!bAgain || again.GetCount() != map.GetCount())
    std::abort();
  CString key, value, other;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    map.GetNextAssoc(pos, key, value);
    if (!again.Lookup(key, other) || other != value)
      std::abort();
  }
  return 0;
}
