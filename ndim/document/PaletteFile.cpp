#include "ndim/document/PaletteFile.h"

#include <algorithm>
#include <cstdio>

#include "framework/base/FileReplace.h"
#include "ndim/data/Spectrum2D.h"

static_assert(PaletteRamp::Entries == CSpectrum2D::PaletteSize, "the ramp is the set's palette");

PaletteRamp::PaletteRamp() {
  for (int i = 0; i < Entries; ++i) {
    m_red[i] = m_green[i] = m_blue[i] = static_cast<BYTE>(i);
    m_nodes[i] = 0;
  }
  m_nodes[0] = m_nodes[Entries - 1] = 1;
}

void PaletteRamp::Compute() {
  InterpolateRamp(m_red, m_green, m_blue, m_nodes);
}

void PaletteRamp::AddNode(int entry) {
  if (entry >= 0 && entry < Entries)
    m_nodes[entry] = 1;
}

void PaletteRamp::DeleteNode(int entry) {
  if (entry > 0 && entry < Entries - 1)
    m_nodes[entry] = 0;
}

void PaletteRamp::DeleteInnerNodes() {
  for (int i = 1; i < Entries - 1; ++i)
    m_nodes[i] = 0;
}

bool ParsePaletteFile(const unsigned char* bytes, std::size_t size, PaletteRamp& ramp) {
  const std::size_t records = std::min<std::size_t>(size / 4, PaletteRamp::Entries);
  for (std::size_t i = 0; i < records; ++i) {
    const unsigned char* record = bytes + 4 * i;
    ramp.m_red[i] = record[0];
    ramp.m_green[i] = record[1];
    ramp.m_blue[i] = record[2];
    ramp.m_nodes[i] = record[3];
  }
  // Add and Delete keep the ends as nodes; a file does not undo that.
  ramp.m_nodes[0] = ramp.m_nodes[PaletteRamp::Entries - 1] = 1;
  if (records < PaletteRamp::Entries)
    return false;
  ramp.Compute();
  return true;
}

bool ReadPaletteFile(const char* path, PaletteRamp& ramp, std::string& error) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    error = "Unable to open file for reading";
    return false;
  }
  unsigned char bytes[PaletteRamp::FileSize];
  const std::size_t size = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  if (!ParsePaletteFile(bytes, size, ramp)) {
    error = "Error during reading";
    return false;
  }
  return true;
}

bool WritePaletteFile(const char* path, const PaletteRamp& ramp, std::string& error) {
  unsigned char bytes[PaletteRamp::FileSize];
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    unsigned char* record = bytes + 4 * i;
    record[0] = ramp.m_red[i];
    record[1] = ramp.m_green[i];
    record[2] = ramp.m_blue[i];
    record[3] = static_cast<unsigned char>(ramp.m_nodes[i] & 0xFF);
  }
  CString reason;
  switch (ReplaceFileContents(
      path, CFile::typeBinary, [&bytes](CFile& file) { file.Write(bytes, sizeof bytes); }, reason)) {
    case fileReplaced:
      return true;
    case fileNotWritten:
      error = "Error during writing";
      return false;
    default:
      // A file that could not be made, or one that may not be replaced.
      error = "Unable to open file for writing";
      return false;
  }
}
