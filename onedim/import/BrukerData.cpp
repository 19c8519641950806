#include "onedim/import/BrukerData.h"

#include <cfloat>
#include <cmath>

#include "framework/base/Endian.h"

namespace {

// A double outside the range of float becomes the largest float of its sign
// (converting it directly is undefined).
float ToFloat(double d) {
  if (d > FLT_MAX)
    return FLT_MAX;
  if (d < -FLT_MAX)
    return -FLT_MAX;
  return (float)d;
}

}  // namespace

BOOL IsValidImportSize(int td) {
  return td >= 2 && td <= kMaxImportFloats && td % 2 == 0;
}

int BrukerWordSize(BrukerWordKind kind) {
  return kind == brukerWordFloat64 ? 8 : 4;
}

void DecodeBrukerWords(const BYTE* pBytes, std::size_t nWords, BrukerWordKind kind, BOOL bBigEndian, float* pOut,
                       std::size_t nStride) {
  const std::size_t nSize = (std::size_t)BrukerWordSize(kind);
  CByteReader reader(pBytes, nWords * nSize, bBigEndian ? ByteOrder::BigEndian : ByteOrder::LittleEndian);
  for (std::size_t i = 0; i < nWords; ++i) {
    float f;
    switch (kind) {
      case brukerWordFloat64:
        f = ToFloat(reader.ReadF64());
        break;
      case brukerWordFloat32:
        f = reader.ReadF32();
        break;
      default:
        f = (float)reader.ReadI32();
        break;
    }
    pOut[i * nStride] = f;
  }
}

BOOL ReadBrukerWords(CFile& file, ULONGLONG nOffset, int nWords, BrukerWordKind kind, BOOL bBigEndian, float* pOut,
                     std::size_t nStride) {
  if (nWords < 0)
    return FALSE;
  const ULONGLONG nSize = (ULONGLONG)BrukerWordSize(kind);
  const ULONGLONG nBytes = (ULONGLONG)nWords * nSize;
  const ULONGLONG nLength = file.GetLength();
  if (nOffset > nLength || nBytes > nLength - nOffset)
    return FALSE;
  file.Seek((LONGLONG)nOffset, CFile::begin);

  // Through a small buffer: no second copy of the data in memory.
  BYTE buffer[16384];
  const std::size_t nChunkWords = sizeof buffer / (std::size_t)nSize;
  std::size_t nDone = 0;
  while (nDone < (std::size_t)nWords) {
    std::size_t nCount = (std::size_t)nWords - nDone;
    if (nCount > nChunkWords)
      nCount = nChunkWords;
    UINT nWant = (UINT)(nCount * nSize);
    if (file.Read(buffer, nWant) != nWant)
      return FALSE;
    DecodeBrukerWords(buffer, nCount, kind, bBigEndian, pOut + nDone * nStride, nStride);
    nDone += nCount;
  }
  return TRUE;
}

ULONGLONG BrukerSeriesStride(ULONGLONG nFileSize, ULONGLONG nRecordBytes, int nFids) {
  const ULONGLONG nPadded = (nRecordBytes + 1023) / 1024 * 1024;
  if (nPadded == nRecordBytes || nRecordBytes == 0 || nFids < 1)
    return nRecordBytes;
  // nFids comes from a parameter file: the products stay far below 2^64
  // (records are at most 2^27 bytes, nFids an int).
  if (nFileSize > nRecordBytes * (ULONGLONG)nFids)
    return nPadded;
  if (nFileSize % nPadded == 0 && nFileSize % nRecordBytes != 0)
    return nPadded;
  return nRecordBytes;
}
