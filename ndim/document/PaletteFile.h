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

// A whole file's bytes into the ramp, recomputed. A file of any other
// length, or with a node flag that is neither 0 nor 1, or whose first or
// last entry is no node, is refused and the ramp is left as it was.
bool ParsePaletteFile(const unsigned char* bytes, std::size_t size, PaletteRamp& ramp);
// Read and write a .PAL file; on failure error holds the message to show
// and the ramp (reading) is unchanged.
bool ReadPaletteFile(const char* path, PaletteRamp& ramp, std::string& error);
bool WritePaletteFile(const char* path, const PaletteRamp& ramp, std::string& error);
