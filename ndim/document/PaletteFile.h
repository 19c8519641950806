// The raster plot's colour ramp as the Ramp editor edits it: three channel
// tables and the node flags between which the channels are interpolated,
// and the .PAL file that holds them (256 records of red, green, blue and
// node flag, one byte each, no header).
#pragma once

#include <cstddef>
#include <string>

#include "framework/base/WinTypes.h"

struct PaletteRamp {
  enum { Entries = 256, FileSize = 4 * Entries };

  // A grey ramp with nodes at the two ends.
  PaletteRamp();
  // The entries between the nodes, computed again.
  void Compute();
  // The entry becomes a node or stops being one; the two ends stay nodes.
  void AddNode(int entry);
  void DeleteNode(int entry);
  void DeleteInnerNodes();

  BYTE m_red[Entries];
  BYTE m_green[Entries];
  BYTE m_blue[Entries];
  int m_nodes[Entries];
};

// A file's bytes into the ramp, record by record: each record read sets its
// entry's colour and node flag (the flag byte as it stands; any non-zero one
// is a node). The two ends stay nodes whatever the file says, and bytes
// after the 256th record are not read. With all 256 records the ramp is
// computed again and the result is true; a shorter file keeps the entries
// of the whole records it holds, the rest as they were, and is false.
bool ParsePaletteFile(const unsigned char* bytes, std::size_t size, PaletteRamp& ramp);
// Read and write a .PAL file; on failure error holds the message to show.
// A file that cannot be opened leaves the ramp as it was; one that ends
// early has been read as far as it goes (ParsePaletteFile). A write that
// fails leaves the file there as it was.
bool ReadPaletteFile(const char* path, PaletteRamp& ramp, std::string& error);
bool WritePaletteFile(const char* path, const PaletteRamp& ramp, std::string& error);
