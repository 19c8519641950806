// The .PAL reader on any bytes: it takes the whole records the bytes hold
// (at most 256), leaves the other entries as they were, keeps both ends as
// nodes, and says whether the table was whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ndim/document/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PaletteRamp ramp;
  const PaletteRamp before = ramp;
  const bool whole = ParsePaletteFile(data, size, ramp);
  const std::size_t records = size / 4 < PaletteRamp::Entries ? size / 4 : PaletteRamp::Entries;
  if (whole != (records == PaletteRamp::Entries))
    std::abort();
  if (ramp.m_nodes[0] != 1 || ramp.m_nodes[PaletteRamp::Entries - 1] != 1)
    std::abort();
  for (std::size_t i = 0; i < PaletteRamp::Entries; ++i) {
    if (i >= records) {
      if (ramp.m_red[i] != before.m_red[i] || ramp.m_green[i] != before.m_green[i] ||
          ramp.m_blue[i] != before.m_blue[i] || (i < PaletteRamp::Entries - 1 && ramp.m_nodes[i] != before.m_nodes[i]))
        std::abort();
      continue;
    }
    const std::uint8_t* record = data + 4 * i;
    const bool end = i == 0 || i == PaletteRamp::Entries - 1;
    if (!end && ramp.m_nodes[i] != record[3])
      std::abort();
    // A node's colour (and, in a short file, every entry's) is the file's.
    if ((ramp.m_nodes[i] || !whole) &&
        (ramp.m_red[i] != record[0] || ramp.m_green[i] != record[1] || ramp.m_blue[i] != record[2]))
      std::abort();
  }
  return 0;
}
