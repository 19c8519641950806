// The .bv2 reader on any bytes: it refuses or builds a set whose image
// reads back to the same set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ndim/import/Bv2File.h"
#include "ndim/data/Spectrum2D.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CString error;
  std::unique_ptr<CSpectrum2D> set(CBv2File::Parse(data, size, error));
  if (!set)
    return 0;
  std::vector<BYTE> image;
  if (!CBv2File::Format(*set, image, error))
    std::abort();
  std::unique_ptr<CSpectrum2D> again(CBv2File::Parse(image.data(), image.size(), error));
  std::vector<BYTE> second;
  if (!again || !CBv2File::Format(*again, second, error) || second != image)
    std::abort();
  float lo, hi;
  set->GetMinMax(lo, hi);
  return 0;
}
