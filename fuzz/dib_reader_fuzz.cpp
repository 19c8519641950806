// The BMP reader on any bytes: it refuses, or reads a bitmap that lies
// within the file and writes out to a file that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/MemFile.h"
#include "ndim/plot/Dib.h"

namespace {
int Quiet(LPCSTR, UINT) {
  return IDOK;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetReportErrorHook(Quiet);
  std::vector<BYTE> bytes(data, data + size);
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CDib dib;
  CString reason;
  if (!dib.ReadBmp(in, reason))
    return 0;
  if (dib.m_dwSizeImage < static_cast<DWORD>(dib.RowBytes()) * static_cast<DWORD>(dib.Height()) ||
      54 + 4ULL * dib.m_nColorTableEntries + dib.m_dwSizeImage > size)
    std::abort();
  CMemFile out;
  if (!dib.Write(&out))
    std::abort();
  out.SeekToBegin();
  CDib again;
  if (!again.ReadBmp(out, reason) || again.m_dwSizeImage != dib.m_dwSizeImage ||
      again.m_nColorTableEntries != dib.m_nColorTableEntries ||
      std::memcmp(again.m_lpImage, dib.m_lpImage, dib.m_dwSizeImage) != 0)
    std::abort();
  return 0;
}
