// The grid file reader on any bytes: it takes the file whole or refuses it
// whole, and a file it takes that the writer can write again reads back
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/grid/GridFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CGridFileReader reader;
  // Two pieces, as a file read in blocks arrives.
  const size_t nHalf = size / 2;
  reader.Feed(reinterpret_cast<const char*>(data), nHalf);
  reader.Feed(reinterpret_cast<const char*>(data) + nHalf, size - nHalf);
  if (!reader.Finish()) {
    if (!reader.GetRows().empty())
      std::abort();
    return 0;
  }
  const CGridFileRows rows = reader.GetRows();
  CString text;
  for (const auto& row : rows) {
    CString line;
    if (!FormatGridFileLine(row, line))
      return 0;
    text += line + "\n";
  }
  CGridFileReader again;
  again.Feed(text, (size_t)text.GetLength());
  if (!again.Finish() || again.GetRows() != rows)
    std::abort();
  return 0;
}
