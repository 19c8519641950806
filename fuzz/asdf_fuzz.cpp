// The ASDF ordinate decoder on arbitrary lines: it never writes outside the
// table it is given, and never reports more values than fit.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "onedim/import/JcampDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2)
    return 0;
  // The first byte chooses the table's size and stride.
  const int nPoints = data[0] & 0x3F;
  const int nStride = 1 + ((data[0] >> 6) & 1);
  std::unique_ptr<char[]> text(new char[size - 1]);
  for (std::size_t i = 1; i < size; i++)
    text[i - 1] = (char)data[i];
  std::unique_ptr<float[]> values(new float[nPoints > 0 ? (std::size_t)(nPoints * nStride) : 1]);
  BOOL bCutShort = FALSE;
  int n = DecodeAsdfLines(text.get(), size - 1, values.get(), nPoints, nStride, &bCutShort);
  if (n < -1 || n > nPoints)
    std::abort();
  return 0;
}
