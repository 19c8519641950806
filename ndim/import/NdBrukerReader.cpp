#include "ndim/import/NdBrukerReader.h"

#include <cmath>
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

// The records of an acquisition parameter file, each with the name its
// message gives it.
enum Record { ByteOrder, Width, Count, Frequency, Decim, Dspfvs, Mode, FnMode, WidthPpm, Delay, Records };

struct RecordName {
  const char* word;
  const char* key;
  bool integer;
};

const RecordName kRecords[Records] = {
    {"##$BYTORDA=", "BYTORDA", true}, {"##$SW_h=", "SW_h", false},     {"##$TD=", "TD", true},
    {"##$SFO1=", "SFO1", false},      {"##$DECIM=", "DECIM", true},    {"##$DSPFVS=", "DSPFVS", true},
    {"##$AQ_mod=", "AQ_mod", true},   {"##$FnMODE=", "FnMODE", true},  {"##$SW=", "SW", false},
    {"##$GRPDLY=", "GRPDLY", false}};

// What acqus must give: every record the direct dimension is built from.
const Record kDirectRecords[] = {ByteOrder, Width, Count, Frequency, Decim, Dspfvs, Mode};
// TopSpin 3 writes only these into acqu2s; the rest have defaults there.
const Record kIndirectRecords[] = {Width, Count, Frequency};

struct Acquisition {
  enum State { absent, unreadable, read };
  State state[Records] = {};
  double value[Records] = {};

  bool Has(Record r) const { return state[r] == read; }
  int Int(Record r) const { return static_cast<int>(value[r]); }
};

// Each record from its first readable occurrence.
void ReadAcquisition(const std::string& text, Acquisition& a) {
  CNdWords words(text);
  std::string word, value;
  while (words.Next(word)) {
    for (int k = 0; k < Records; ++k) {
      if (a.state[k] == Acquisition::read || !NdBeginsWith(word, kRecords[k].word))
        continue;
      bool ok = words.Next(value);
      if (ok && kRecords[k].integer) {
        int n = 0;
        ok = NdParseInt(value, n);
        a.value[k] = n;
      } else if (ok) {
        ok = NdParseDouble(value, a.value[k]);
      }
      a.state[k] = ok ? Acquisition::read : Acquisition::unreadable;
      break;
    }
  }
}

// Why the file cannot describe a dimension when one of `records` is not
// there or not a number; empty when all are.
template <std::size_t N>
CString MissingRecord(const Acquisition& a, const Record (&records)[N], const char* file) {
  CString reason;
  for (Record r : records) {
    if (a.state[r] == Acquisition::absent)
      reason.Format("The %s file lacks the acquisition parameter %s", file, kRecords[r].key);
    else if (a.state[r] == Acquisition::unreadable)
      reason.Format("The %s file gives no number for the acquisition parameter %s", file, kRecords[r].key);
    if (!reason.IsEmpty())
      break;
  }
  return reason;
}

// AQ_mod 3 (digital quadrature) is complex data, as 1 is.
int ModeOfAqMod(int aqMod) {
  return aqMod == 3 ? 1 : aqMod;
}

// The acquisition mode code of an indirect dimension from FnMODE (0
// undefined, 1 QF, 2 QSEQ, 3 TPPI, 4 States, 5 States-TPPI, 6 echo-antiecho):
// single-channel 0, sequential (real) 2, complex pairs 1; -1 out of range.
int ModeOfFnMode(int fnMode) {
  static const int kModes[] = {0, 0, 2, 2, 1, 1, 1};
  return fnMode >= 0 && fnMode < 7 ? kModes[fnMode] : -1;
}

// Newer firmware writes its filter's delay itself; it is taken where the
// table has none, and only as a count of points the FID holds.
float DelayOfGrpdly(const Acquisition& a) {
  if (!a.Has(Delay))
    return 0.0f;
  const double delay = a.value[Delay];
  return delay > 0.0 && delay <= a.value[Count] / 2.0 ? NdToFloat(delay) : 0.0f;
}

// Some acqu2s files keep a stale SW_h while SW (ppm) x SFO1 is the width
// the experiment ran with.
double IndirectWidth(const Acquisition& a) {
  const double hz = a.value[Width];
  if (!a.Has(WidthPpm))
    return hz;
  const double fromPpm = a.value[WidthPpm] * a.value[Frequency];
  return fromPpm > 0.0 && std::fabs(fromPpm - hz) > 0.001 * std::fabs(hz) ? fromPpm : hz;
}

// The dimension block of acqus (direct) or acqu2s, with count points.
DimensionBlock MakeBlock(const Acquisition& a, bool direct, int count, int mode) {
  DimensionBlock b;
  b.m_nPoints = count;
  b.m_fSpectralWidth = NdToFloat(direct ? a.value[Width] : IndirectWidth(a));
  b.m_fSpectrometerFreq = NdToFloat(a.value[Frequency]);
  b.m_nAcquisitionMode = mode;
  // Without DECIM and DSPFVS (acqu2s of TopSpin 3) there is no filter.
  const int decim = a.Has(Decim) ? a.Int(Decim) : 1;
  const int dspfvs = a.Has(Dspfvs) ? a.Int(Dspfvs) : 0;
  if (decim > 1)
    b.m_fFirstPoint = GroupDelay(decim, dspfvs);
  if (direct && b.m_fFirstPoint == 0.0f)
    b.m_fFirstPoint = DelayOfGrpdly(a);
  return b;
}

// FnMODE of acqu2s (0 undefined, 1 QF, 2 QSEQ, 3 TPPI, 4 States, 5
// States-TPPI, 6 echo-antiecho), or -1: absent, or shown to the user when it
// is no number or no mode, and then taken as saying nothing.
int ReadFnMode(const Acquisition& a, CNdImportLog& log) {
  if (a.state[FnMode] == Acquisition::absent)
    return -1;
  if (a.state[FnMode] == Acquisition::unreadable) {
    log.Show("Failed to read FnMODE parameter in the acqu2s file");
    return -1;
  }
  if (ModeOfFnMode(a.Int(FnMode)) < 0) {
    log.Show("The FnMODE parameter in the acqu2s file is out of range");
    return -1;
  }
  return a.Int(FnMode);
}

// f1's acquisition mode code: AQ_mod where acqu2s has it, else FnMODE's (0
// when FnMODE says nothing). False with the reason when acqu2s has neither
// record or its AQ_mod is no number.
bool IndirectMode(const Acquisition& a, int fnMode, int& mode, CString& reason) {
  if (a.state[Mode] == Acquisition::absent && a.state[FnMode] == Acquisition::absent) {
    reason = "The acqu2s file lacks the acquisition parameters AQ_mod and FnMODE";
  } else if (a.state[Mode] != Acquisition::absent) {
    reason = MissingRecord(a, {Mode}, "acqu2s");
    mode = ModeOfAqMod(a.Int(Mode));
  } else {
    mode = fnMode < 0 ? 0 : ModeOfFnMode(fnMode);
  }
  return reason.IsEmpty();
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

// MC2 (0 QF, 1 QSEQ, 2 TPPI, 3 States, 4 States-TPPI, 5 echo-antiecho) is
// FnMODE less one.
const int kMc2Modes = 6;
const int kMc2EchoAntiecho = 5;

// f1's indirect-dimension mode code: MC2 of proc2s, the mode the vendor's
// own processing of f1 used; where it cannot be read, after a message that
// names it, the mode FnMODE gives, else 0.
int IndirectModeCode(LPCSTR path, int fnMode, CNdImportLog& log) {
  std::string value;
  int mc2 = 0;
  if (!ReadRecord(path, "##$MC2=", value) || !NdParseInt(value, mc2))
    log.Show("Failed to read mc2 parameter in the proc2s file");
  else if (mc2 < 0 || mc2 >= kMc2Modes)
    log.Show("The mc2 parameter in the proc2s file is out of range");
  else
    return mc2;
  return fnMode > 0 ? fnMode - 1 : 0;
}

// Echo-antiecho rows come in pairs, echo (E) then antiecho (A), which the
// transform's lines cannot combine: each pair becomes the States pair
// E - A, i (E + A), the Rance-Kay shuffle for Bruker data with its 90-degree
// turn (nmrglue, process/nmrtxt/rance_kay.py, bruk_ranceY), so that f1 is
// processed as States data and needs no 90-degree phase. An odd last row
// has no partner and stays.
void RecombineEchoAntiecho(CSpectrum2D& set) {
  const std::size_t points = static_cast<std::size_t>(set.m_dims[2].m_nPoints);
  for (int row = 0; row + 1 < set.m_dims[1].m_nPoints; row += 2) {
    float* e = set.m_pData + 2 * points * static_cast<std::size_t>(row);
    float* a = e + 2 * points;
    for (std::size_t k = 0; k < 2 * points; k += 2) {
      const float er = e[k], ei = e[k + 1], ar = a[k], ai = a[k + 1];
      e[k] = er - ar;
      e[k + 1] = ei - ai;
      a[k] = -(ei + ai);
      a[k + 1] = er + ar;
    }
  }
}

// Where the rows lie: back to back when the file is exactly as long as
// that needs, otherwise each padded to 1024 bytes, as spectrometers write
// them (a padded file cut short is then refused, not read shifted).
NdRowLayout RowLayout(const Acquisition& f2, int rows, int points, int wordSize, unsigned long long length) {
  NdRowLayout layout;
  layout.rows = rows;
  layout.samples = 2LL * points;
  layout.sampleSize = wordSize;
  layout.stride = static_cast<unsigned long long>(wordSize) * static_cast<unsigned long long>(f2.Int(Count));
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
  const bool big = acqus.Int(ByteOrder) == 1;
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
  if (!NdReadText(NdBeside(path, "acqus"), text))
    return log.FailQuietly("The acqus file is missing");
  ReadAcquisition(text, acqus);
  CString reason = MissingRecord(acqus, kDirectRecords, "acqus");
  if (!reason.IsEmpty())
    return log.FailQuietly(reason);
  const bool doubles = HasDoubleWords(text);
  if (!NdReadText(NdBeside(path, "acqu2s"), text))
    return log.FailQuietly("The acqu2s file is missing");
  ReadAcquisition(text, acqu2s);
  int f1Mode = 0;
  reason = MissingRecord(acqu2s, kIndirectRecords, "acqu2s");
  if (!reason.IsEmpty())
    return log.FailQuietly(reason);
  const int fnMode = ReadFnMode(acqu2s, log);
  if (!IndirectMode(acqu2s, fnMode, f1Mode, reason))
    return log.FailQuietly(reason);
  // f2's TD counts real values; f1's counts rows.
  if (acqus.Int(Count) < 2 || acqu2s.Int(Count) < 1)
    return log.FailQuietly("The acquisition parameters give no data points");
  DimensionBlock f2 = MakeBlock(acqus, true, acqus.Int(Count) / 2, ModeOfAqMod(acqus.Int(Mode)));
  DimensionBlock f1 = MakeBlock(acqu2s, false, acqu2s.Int(Count), f1Mode);
  if (!CSpectrum2D::SizeFits(static_cast<long long>(f1.m_nPoints) * f2.m_nPoints, 2))
    return log.FailQuietly("The data set is too large");

  const CString proc2s = NdBeside(path, "pdata\\1\\proc2s");
  if (!ReadOffset(proc2s, f1))
    return log.Fail("Failed to read OFFSET parameter in the proc2s file");
  if (!ReadOffset(NdBeside(path, "pdata\\1\\procs"), f2))
    return log.Fail("Failed to read OFFSET parameter in the procs file");
  f1.m_nIndirectMode = IndirectModeCode(proc2s, fnMode, log);
  // A forward transform of Bruker's quadrature pairs gives its own spectrum
  // (the vendor's 2rr of tests/data/bruker-t1-2d, and nmrglue's Bruker
  // examples, which transform with the opposite sign and then reverse).
  f2.m_nIndirectMode = ndSenseForward;

  CSpectrum2D* set = nullptr;
  try {
    set = ReadSerialFile(path, acqus, doubles, f1, f2, log);
  } catch (CException* e) {
    e->Delete();
    return log.FailQuietly("Error reading the serial file");
  }
  if (set != nullptr && f1.m_nIndirectMode == kMc2EchoAntiecho)
    RecombineEchoAntiecho(*set);
  return set;
}
