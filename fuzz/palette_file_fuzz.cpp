// The .PAL reader on any bytes: it refuses and leaves the ramp untouched, or
// takes the file whole, keeps both ends as nodes and writes it back as read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ndim/document/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PaletteRamp ramp;
  const PaletteRamp before = ramp;
  if (!ParsePaletteFile(data, size, ramp)) {
    if (std::memcmp(&ramp, &before, sizeof ramp) != 0)
      std::abort();
    return 0;
  }
  if (ramp.m_nodes[0] != 1 || ramp.m_nodes[PaletteRamp::Entries - 1] != 1)
    std::abort();
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    const std::uint8_t* record = data + 4 * i;
    if (ramp.m_nodes[i] != record[3] ||
        (record[3] && (ramp.m_red[i] != record[0] || ramp.m_green[i] != record[1] || ramp.m_blue[i] != record[2])))
      std::abort();
  }
  return 0;
}
