#include "ndim/import/NdAspectReader.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "framework/base/Exception.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/import/NdImportSupport.h"

namespace {

const unsigned long long kDataStart = 768;
const BYTE kMostFirst[3] = {0x47, 0x84, 0xF5};
const BYTE kLeastFirst[3] = {0xF5, 0x84, 0x47};
const BYTE kUnknownOrder[3] = {0x3D, 0xFB, 0x00};

// A 6-byte real in the file's order.
float ReadReal(const BYTE* p, bool leastFirst) {
  BYTE six[6];
  std::memcpy(six, p, sizeof six);
  if (leastFirst) {
    std::swap(six[0], six[2]);
    std::swap(six[3], six[5]);
  }
  return NdToFloat(NdAspectReal(six));
}

}  // namespace

bool NdIsAspectMagic(const BYTE* p) {
  return std::memcmp(p, kMostFirst, 3) == 0 || std::memcmp(p, kLeastFirst, 3) == 0 ||
         std::memcmp(p, kUnknownOrder, 3) == 0;
}

double NdAspectReal(const BYTE* b) {
  const int e = static_cast<signed char>(b[3]) * 8 + (b[4] >> 5);
  double m =
      b[0] / 128.0 + b[1] / 32768.0 + std::ldexp(b[2], -23) + std::ldexp(b[4] & 0x3F, -28) + std::ldexp(b[5], -36);
  if (m > 1.0)
    m -= 2.0;
  return std::ldexp(m, e);
}

CSpectrum2D* ReadAspect(LPCSTR path, CNdImportLog& log) {
  CFile file;
  if (!NdOpenFile(file, path))
    return log.FailQuietly("Unable to open the file");
  try {
    BYTE head[kDataStart];
    const unsigned long long length = file.GetLength();
    if (length < kDataStart || file.Read(head, sizeof head) != sizeof head)
      return log.FailQuietly("The file is too short for an Aspect header");
    const bool leastFirst = std::memcmp(head, kLeastFirst, 3) == 0;
    if (!leastFirst && std::memcmp(head, kMostFirst, 3) != 0) {
      if (std::memcmp(head, kUnknownOrder, 3) == 0)
        return log.FailQuietly("This Aspect file is in a word order that cannot be read");
      return log.FailQuietly("This is not an Aspect file");
    }

    int words = static_cast<int>(leastFirst ? NdDecodeInt24LE(head + 129) : NdDecodeInt24BE(head + 129));
    if (!leastFirst)
      words = std::abs(words);
    const long long rows = words > 0 ? static_cast<long long>((length - kDataStart) / 3 / words) : 0;
    if (words < 2 || rows < 1)
      return log.FailQuietly("The Aspect file holds no complete row of data");

    if (!CSpectrum2D::SizeFits(rows * (words / 2), 2))
      return log.FailQuietly("The data set is too large");
    DimensionBlock f2;
    f2.m_nPoints = words / 2;
    f2.m_fSpectralWidth = ReadReal(head + 159, leastFirst);
    f2.m_fSpectrometerFreq = ReadReal(head + 231, leastFirst);
    DimensionBlock f1 = f2;
    f1.m_nPoints = static_cast<int>(rows);

    NdRowLayout layout;
    layout.start = kDataStart;
    layout.stride = 3ULL * static_cast<unsigned long long>(words);
    layout.rows = rows;
    layout.samples = 2LL * f2.m_nPoints;
    layout.sampleSize = 3;
    std::unique_ptr<CSpectrum2D> set(NdNewSet(f1, f2));
    if (!set)
      return log.FailQuietly("Memory exhausted");
    set->m_bAcquired = 1;
    if (!NdReadRows(file, layout, leastFirst ? NdDecodeInt24LE : NdDecodeInt24BE, set->m_pData))
      return log.FailQuietly("The file is shorter than its rows");
    return set.release();
  } catch (CException* e) {
    e->Delete();
    return log.FailQuietly("Error reading the Aspect file");
  }
}
