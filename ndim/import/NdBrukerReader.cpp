#include "ndim/import/NdBrukerReader.h"

#include <memory>
#include <string>

#include "framework/base/Exception.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdImportSupport.h"

namespace {

// Group delay of the digital filter, in points, by DECIM and DSPFVS 10, 11
// and 12; 0 where the filter has none listed.
struct GroupDelayRow {
  int decim;
  float delay[3];
};

// clang-format off
const GroupDelayRow kGroupDelays[] = {
    {2, {44.75f, 46.0f, 46.311f}},
    {3, {33.5f, 36.5f, 36.53f}},
    {4, {66.625f, 48.0f, 47.87f}},
    {6, {59.083333f, 50.166667f, 50.229f}},
    {8, {68.5625f, 53.25f, 53.289f}},
    {12, {60.375f, 69.5f, 69.551f}},
    {16, {69.53125f, 72.25f, 71.6f}},
    {24, {61.020833f, 70.166667f, 70.184f}},
    {32, {70.015625f, 72.75f, 72.138f}},
    {48, {61.34375f, 70.5f, 70.528f}},
    {64, {70.257813f, 73.0f, 72.348f}},
    {96, {61.505208f, 70.666667f, 70.7f}},
    {128, {70.378906f, 72.5f, 72.524f}},
    {192, {61.585938f, 71.333333f, 0.0f}},
    {256, {70.439453f, 72.25f, 0.0f}},
    {384, {61.626302f, 71.666667f, 0.0f}},
    {512, {70.469727f, 72.125f, 0.0f}},
    {768, {61.646484f, 71.833333f, 0.0f}},
    {1024, {70.484863f, 72.0625f, 0.0f}},
    {1536, {61.656576f, 71.916667f, 0.0f}},
    {2048, {70.492432f, 72.03125f, 0.0f}},
};
// clang-format on

float GroupDelay(int decim, int dspfvs) {
  if (decim < 2 || dspfvs < 10 || dspfvs > 12)
    return 0.0f;
  for (const GroupDelayRow& row : kGroupDelays)
    if (row.decim == decim)
      return row.delay[dspfvs - 10];
  return 0.0f;
}

// The records of an acquisition parameter file.
struct Acquisition {
  enum { ByteOrder, Width, Count, Frequency, Decim, Dspfvs, Mode, Records };
  bool found[Records] = {};
  int byteOrder = 0;
  double sw = 0.0;
  int td = 0;
  double sfo1 = 0.0;
  int decim = 0;
  int dspfvs = 0;
  int mode = 0;

  bool Complete() const {
    for (bool f : found)
      if (!f)
        return false;
    return true;
  }
};

// Reads the seven records, each from its first occurrence, and stops once
// all are there. False when one is missing or unreadable.
bool ReadAcquisition(const std::string& text, Acquisition& a) {
  static const char* const kNames[Acquisition::Records] = {
      "##$BYTORDA=", "##$SW_h=", "##$TD=", "##$SFO1=", "##$DECIM=", "##$DSPFVS=", "##$AQ_mod="};
  CNdWords words(text);
  std::string word, value;
  while (!a.Complete() && words.Next(word)) {
    for (int k = 0; k < Acquisition::Records; ++k) {
      if (a.found[k] || !NdBeginsWith(word, kNames[k]))
        continue;
      if (!words.Next(value))
        return false;
      bool ok = false;
      switch (k) {
        case Acquisition::ByteOrder:
          ok = NdParseInt(value, a.byteOrder);
          break;
        case Acquisition::Width:
          ok = NdParseDouble(value, a.sw);
          break;
        case Acquisition::Count:
          ok = NdParseInt(value, a.td);
          break;
        case Acquisition::Frequency:
          ok = NdParseDouble(value, a.sfo1);
          break;
        case Acquisition::Decim:
          ok = NdParseInt(value, a.decim);
          break;
        case Acquisition::Dspfvs:
          ok = NdParseInt(value, a.dspfvs);
          break;
        default:
          ok = NdParseInt(value, a.mode);
          break;
      }
      a.found[k] = ok;
      break;
    }
  }
  return a.Complete();
}

// The word type of the data, which only newer acquisition files give
// ("##$DTYPA=" 2: 64-bit floats); anywhere in the file, 0 when absent.
bool HasDoubleWords(const std::string& text) {
  CNdWords words(text);
  std::string word, value;
  int type = 0;
  while (words.Next(word))
    if (NdBeginsWith(word, "##$DTYPA="))
      return words.Next(value) && NdParseInt(value, type) && type == 2;
  return false;
}

// The dimension block an acquisition file describes, with count points.
DimensionBlock MakeBlock(const Acquisition& a, int count) {
  DimensionBlock b;
  b.m_nPoints = count;
  b.m_fSpectralWidth = NdToFloat(a.sw);
  b.m_fSpectrometerFreq = NdToFloat(a.sfo1);
  b.m_nAcquisitionMode = a.mode;
  if (a.decim > 1)
    b.m_fFirstPoint = GroupDelay(a.decim, a.dspfvs);
  return b;
}

// The value of the first record `name` of a processing file.
bool ReadRecord(LPCSTR path, const char* name, std::string& value) {
  std::string text, word;
  if (!NdReadText(path, text))
    return false;
  CNdWords words(text);
  while (words.Next(word))
    if (NdBeginsWith(word, name))
      return words.Next(value);
  return false;
}

// OFFSET of a processing file, made the block's last-point frequency.
bool ReadOffset(LPCSTR path, DimensionBlock& b) {
  std::string value;
  double ppm = 0.0;
  if (!ReadRecord(path, "##$OFFSET=", value) || !NdParseDouble(value, ppm))
    return false;
  b.m_fLastFrequency = NdToFloat(ppm * b.m_fSpectrometerFreq - b.m_fSpectralWidth);
  return true;
}

// Where the rows lie: back to back when the file is exactly as long as
// that needs, otherwise each padded to 1024 bytes, as spectrometers write
// them (a padded file cut short is then refused, not read shifted).
NdRowLayout RowLayout(const Acquisition& f2, int rows, int points, int wordSize, unsigned long long length) {
  NdRowLayout layout;
  layout.rows = rows;
  layout.samples = 2LL * points;
  layout.sampleSize = wordSize;
  layout.stride = static_cast<unsigned long long>(wordSize) * static_cast<unsigned long long>(f2.td);
  if (length > layout.stride * static_cast<unsigned long long>(rows))
    layout.stride = (layout.stride + 1023) / 1024 * 1024;
  return layout;
}

CSpectrum2D* ReadSerialFile(LPCSTR path, const Acquisition& acqus, bool doubles, const DimensionBlock& f1,
                            const DimensionBlock& f2, CNdImportLog& log) {
  CFile file;
  if (!NdOpenFile(file, path))
    return log.FailQuietly("Unable to open the serial file");
  const NdRowLayout layout = RowLayout(acqus, f1.m_nPoints, f2.m_nPoints, doubles ? 8 : 4, file.GetLength());
  // Checked before anything is allocated: the counts come from text files.
  if (file.GetLength() < layout.End())
    return log.FailQuietly("The serial file is shorter than its acquisition parameters promise");
  std::unique_ptr<CSpectrum2D> set(NdNewSet(f1, f2));
  if (!set)
    return log.FailQuietly("Memory exhausted");
  set->m_bAcquired = 1;
  const bool big = acqus.byteOrder == 1;
  const NdSampleDecoder decode =
      doubles ? (big ? NdDecodeFloat64BE : NdDecodeFloat64LE) : (big ? NdDecodeInt32BE : NdDecodeInt32LE);
  if (!NdReadRows(file, layout, decode, set->m_pData))
    return log.FailQuietly("The serial file is shorter than its acquisition parameters promise");
  return set.release();
}

}  // namespace

CSpectrum2D* ReadBruker(LPCSTR path, CNdImportLog& log) {
  std::string text;
  Acquisition acqus, acqu2s;
  if (!NdReadText(NdBeside(path, "acqus"), text) || !ReadAcquisition(text, acqus))
    return log.FailQuietly("The acqus file is missing or lacks an acquisition parameter");
  const bool doubles = HasDoubleWords(text);
  if (!NdReadText(NdBeside(path, "acqu2s"), text) || !ReadAcquisition(text, acqu2s))
    return log.FailQuietly("The acqu2s file is missing or lacks an acquisition parameter");
  // f2's TD counts real values; f1's counts rows.
  if (acqus.td < 2 || acqu2s.td < 1)
    return log.FailQuietly("The acquisition parameters give no data points");
  DimensionBlock f2 = MakeBlock(acqus, acqus.td / 2);
  DimensionBlock f1 = MakeBlock(acqu2s, acqu2s.td);
  if (!CSpectrum2D::SizeFits(static_cast<long long>(f1.m_nPoints) * f2.m_nPoints, 2))
    return log.FailQuietly("The data set is too large");

  std::string value;
  int mc2 = 0;
  if (!ReadRecord(NdBeside(path, "pdata\\1\\proc"), "##$MC2=", value) || !NdParseInt(value, mc2)) {
    log.Show("Failed to read mc2 parameter in the proc file");
    mc2 = 0;
  }
  f1.m_nIndirectMode = mc2;
  if (!ReadOffset(NdBeside(path, "pdata\\1\\proc2s"), f1))
    return log.Fail("Failed to read OFFSET parameter in the proc2s file");
  if (!ReadOffset(NdBeside(path, "pdata\\1\\procs"), f2))
    return log.Fail("Failed to read OFFSET parameter in the procs file");

  try {
    return ReadSerialFile(path, acqus, doubles, f1, f2, log);
  } catch (CException* e) {
    e->Delete();
    return log.FailQuietly("Error reading the serial file");
  }
}
