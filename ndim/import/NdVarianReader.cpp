#include "ndim/import/NdVarianReader.h"

#include <memory>
#include <string>

#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdImportSupport.h"

namespace {

const unsigned long long kFileHeader = 32;
const unsigned long long kBlockHeader = 28;
const int kStatusFloat = 0x0008;

struct Procpar {
  enum { Sfrq, Dfrq, Sw, Sw1, Arraydim, Ni, Required, Rfp = Required, Rfl, Rfp1, Rfl1, Reffrq1, Records };
  bool found[Records] = {};
  double value[Records] = {};

  // Why the experiment cannot be read as a 2D one: the required records
  // missing (or no numbers), by name; empty when all are there.
  CString Missing() const;
};

struct RecordName {
  const char* name;
  bool prefix;  // a word that begins with the name matches too
};

const RecordName kRecords[Procpar::Records] = {{"sfrq", true},     {"dfrq", false}, {"sw", false},  {"sw1", true},
                                               {"arraydim", true}, {"ni", false},   {"rfp", false}, {"rfl", false},
                                               {"rfp1", false},    {"rfl1", false}, {"reffrq1", false}};

CString Procpar::Missing() const {
  CString names;
  int count = 0;
  for (int k = 0; k < Required; ++k) {
    if (found[k])
      continue;
    if (count++ > 0)
      names += ", ";
    names += kRecords[k].name;
  }
  if (count == 0)
    return CString();
  CString reason;
  reason.Format("The procpar file lacks the parameter%s %s of the 2D experiment", count == 1 ? "" : "s",
                static_cast<LPCSTR>(names));
  return reason;
}

int RecordOf(const std::string& word) {
  for (int k = 0; k < Procpar::Records; ++k)
    if (kRecords[k].prefix ? NdBeginsWith(word, kRecords[k].name) : word == kRecords[k].name)
      return k;
  return -1;
}

void ReadProcpar(const std::string& text, Procpar& p) {
  CNdWords words(text);
  std::string word, count, value;
  while (words.Next(word)) {
    const int k = RecordOf(word);
    if (k < 0)
      continue;
    words.SkipLine();
    if (!words.Next(count) || !words.Next(value))
      return;
    if (NdParseDouble(value, p.value[k]))
      p.found[k] = true;
  }
}

// dfrq is the decoupler channel's frequency, f1's nucleus only in
// heteronuclear experiments; VnmrJ's reference frequency of the first
// indirect dimension is f1's own wherever it gives one.
double IndirectFrequency(const Procpar& p) {
  const double reffrq1 = p.value[Procpar::Reffrq1];
  return p.found[Procpar::Reffrq1] && reffrq1 > 0.0 ? reffrq1 : p.value[Procpar::Dfrq];
}

bool OpenProcpar(LPCSTR path, std::string& text) {
  if (NdReadText(NdBeside(path, "procpar"), text))
    return true;
  const CString strPath(path);
  const int dot = strPath.ReverseFind('.');
  return dot >= 0 && NdReadText(strPath.Left(dot + 1) + "procpar", text);
}

struct FidHeader {
  int blocks = 0;
  int np = 0;
  int valueSize = 0;
  bool floats = false;
};

NdSampleDecoder DecoderOf(const FidHeader& h) {
  if (h.floats)
    return h.valueSize == 4 ? NdDecodeFloat32BE : nullptr;
  if (h.valueSize == 2)
    return NdDecodeInt16BE;
  return h.valueSize == 4 ? NdDecodeInt32BE : nullptr;
}

CSpectrum2D* ReadFid(CFile& file, const Procpar& p, CNdImportLog& log) {
  BYTE head[kFileHeader];
  const unsigned long long length = file.GetLength();
  if (length < kFileHeader || file.Read(head, sizeof head) != sizeof head)
    return log.FailQuietly("The fid file is too short for its header");
  FidHeader h;
  h.blocks = ReadI32BE(head);
  h.np = ReadI32BE(head + 8);
  h.valueSize = ReadI32BE(head + 12);
  h.floats = (ReadI16BE(head + 26) & kStatusFloat) != 0;
  const NdSampleDecoder decode = DecoderOf(h);
  if (!decode)
    return log.FailQuietly("The fid header gives an unknown kind of values");
  if (h.blocks < 1 || h.np < 2)
    return log.FailQuietly("The fid header gives no data points");

  DimensionBlock f2, f1;
  f2.m_nPoints = h.np / 2;
  f1.m_nPoints = h.blocks;
  if (!CSpectrum2D::SizeFits(static_cast<long long>(f1.m_nPoints) * f2.m_nPoints, 2))
    return log.FailQuietly("The data set is too large");
  f2.m_fSpectrometerFreq = NdToFloat(p.value[Procpar::Sfrq]);
  f1.m_fSpectrometerFreq = NdToFloat(IndirectFrequency(p));
  f2.m_fSpectralWidth = NdToFloat(p.value[Procpar::Sw]);
  f1.m_fSpectralWidth = NdToFloat(p.value[Procpar::Sw1]);
  f2.m_fLastFrequency = NdToFloat(p.value[Procpar::Rfp] - p.value[Procpar::Rfl]);
  f1.m_fLastFrequency = NdToFloat(p.value[Procpar::Rfp1] - p.value[Procpar::Rfl1]);
  f2.m_nAcquisitionMode = 1;
  f1.m_nIndirectMode = p.value[Procpar::Ni] < p.value[Procpar::Arraydim] ? 3 : 0;
  // VnmrJ's pairs turn the other way round: its spectra are the conjugates'
  // transforms, along f2 and along a phase-arrayed f1 alike.
  f2.m_nIndirectMode = ndSenseConjugate;

  // An odd last value of a block has no partner and is left out.
  NdRowLayout layout;
  layout.start = kFileHeader + kBlockHeader;
  layout.stride = static_cast<unsigned long long>(h.np) * h.valueSize + kBlockHeader;
  layout.rows = h.blocks;
  layout.samples = 2LL * f2.m_nPoints;
  layout.sampleSize = h.valueSize;
  if (length < layout.End())
    return log.FailQuietly("The fid file is shorter than its header promises");
  std::unique_ptr<CSpectrum2D> set(NdNewSet(f1, f2));
  if (!set)
    return log.FailQuietly("Memory exhausted");
  set->m_bAcquired = 1;
  if (!NdReadRows(file, layout, decode, set->m_pData))
    return log.FailQuietly("The fid file is shorter than its header promises");
  return set.release();
}

}  // namespace

CSpectrum2D* ReadVarian(LPCSTR path, CNdImportLog& log) {
  CFile file;
  if (!NdOpenFile(file, path))
    return log.FailQuietly("Unable to open the fid file");
  std::string text;
  if (!OpenProcpar(path, text))
    return log.Fail("failed to open ProcPar file.\nImporting aborted");
  Procpar procpar;
  ReadProcpar(text, procpar);
  const CString missing = procpar.Missing();
  if (!missing.IsEmpty())
    return log.FailQuietly(missing);
  try {
    return ReadFid(file, procpar, log);
  } catch (CException* e) {
    e->Delete();
    return log.FailQuietly("Error reading the fid file");
  }
}
