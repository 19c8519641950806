#include "ndim/document/PaletteFile.h"

#include <cstdio>
#include <cstring>
#include <vector>

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
  if (size != PaletteRamp::FileSize)
    return false;
  const unsigned char* last = bytes + 4 * (PaletteRamp::Entries - 1);
  if (bytes[3] != 1 || last[3] != 1)
    return false;
  PaletteRamp read;
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    const unsigned char* record = bytes + 4 * i;
    if (record[3] > 1)
      return false;
    read.m_red[i] = record[0];
    read.m_green[i] = record[1];
    read.m_blue[i] = record[2];
    read.m_nodes[i] = record[3];
  }
  read.Compute();
  ramp = read;
  return true;
}

bool ReadPaletteFile(const char* path, PaletteRamp& ramp, std::string& error) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    error = "Unable to open file for reading";
    return false;
  }
  // One byte more than a palette holds tells a longer file from a whole one.
  std::vector<unsigned char> bytes(PaletteRamp::FileSize + 1);
  const std::size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  if (!ParsePaletteFile(bytes.data(), size, ramp)) {
    error = "Error during reading";
    return false;
  }
  return true;
}

bool WritePaletteFile(const char* path, const PaletteRamp& ramp, std::string& error) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    error = "Unable to open file for writing";
    return false;
  }
  unsigned char bytes[PaletteRamp::FileSize];
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    unsigned char* record = bytes + 4 * i;
    record[0] = ramp.m_red[i];
    record[1] = ramp.m_green[i];
    record[2] = ramp.m_blue[i];
    record[3] = static_cast<unsigned char>(ramp.m_nodes[i] & 0xFF);
  }
  const bool written = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    error = "Error during writing";
    return false;
  }
  return true;
}
