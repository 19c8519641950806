#include "ndim/import/Bv2File.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/FileReplace.h"
#include "ndim/data/Spectrum2D.h"

namespace {

const char kMagic[4] = {'b', 'v', 'x', 'n'};
const std::size_t kBlockSize = 28;

struct Header {
  int last = 0;
  bool real = false;
  DimensionBlock f1, f2;
  long long points = 0;     // f1 x f2
  long long dataBytes = 0;  // of those points
};

void ReadBlock(CByteReader& r, DimensionBlock& b) {
  b.m_nPoints = r.ReadI32();
  b.m_fFirstPoint = r.ReadF32();
  b.m_fSpectralWidth = r.ReadF32();
  b.m_fLastFrequency = r.ReadF32();
  b.m_fSpectrometerFreq = r.ReadF32();
  b.m_nAcquisitionMode = r.ReadI32();
  b.m_nIndirectMode = r.ReadI32();
}

void WriteBlock(BYTE* p, const DimensionBlock& b) {
  WriteI32LE(p, b.m_nPoints);
  WriteF32LE(p + 4, b.m_fFirstPoint);
  WriteF32LE(p + 8, b.m_fSpectralWidth);
  WriteF32LE(p + 12, b.m_fLastFrequency);
  WriteF32LE(p + 16, b.m_fSpectrometerFreq);
  WriteI32LE(p + 20, b.m_nAcquisitionMode);
  WriteI32LE(p + 24, b.m_nIndirectMode);
}

// Decodes and checks the 64 header bytes; every count is checked before it
// sizes anything.
bool DecodeHeader(const BYTE* p, std::size_t size, Header& h, CString& error) {
  CByteReader r(p, size, ByteOrder::LittleEndian);
  const BYTE* magic = r.Take(4);
  if (!magic || std::memcmp(magic, kMagic, 4) != 0) {
    error = "This is not a BrivanenD data file";
    return false;
  }
  h.last = r.ReadI16();
  h.real = r.ReadI16() != 0;
  ReadBlock(r, h.f1);
  ReadBlock(r, h.f2);
  if (r.HasError()) {
    error = "The file is too short for its header";
    return false;
  }
  if (h.last != 2) {
    error = "The file does not hold a 2D data set";
    return false;
  }
  if (h.f1.m_nPoints < 1 || h.f2.m_nPoints < 1) {
    error = "The file holds a dimension without points";
    return false;
  }
  h.points = static_cast<long long>(h.f1.m_nPoints) * h.f2.m_nPoints;
  const int floats = h.real ? 1 : 2;
  if (!CSpectrum2D::SizeFits(h.points, floats)) {
    error = "The data set is too large";
    return false;
  }
  h.dataBytes = h.points * floats * 4;
  return true;
}

void EncodeHeader(BYTE* p, const CSpectrum2D& set) {
  std::memcpy(p, kMagic, 4);
  WriteI16LE(p + 4, static_cast<std::int16_t>(set.m_nLastDim));
  WriteI16LE(p + 6, set.m_bReal ? 1 : 0);
  WriteBlock(p + 8, set.m_dims[1]);
  WriteBlock(p + 8 + kBlockSize, set.m_dims[2]);
}

// A buffer for the f1 x f2 points that follow the header when `available`
// bytes hold them: `bytes` of them. Null (error set) when the file is short
// or memory runs out.
float* AllocateData(const Header& h, unsigned long long available, std::size_t& bytes, CString& error) {
  if (available < static_cast<unsigned long long>(h.dataBytes)) {
    error = "The file is shorter than its data";
    return nullptr;
  }
  bytes = static_cast<std::size_t>(h.dataBytes);
  float* buffer = static_cast<float*>(std::malloc(bytes));
  if (!buffer)
    error = "Memory exhausted";
  return buffer;
}

// A new set described by the header, with data bytes (little-endian floats)
// already in place in `buffer`, which the set takes over. When memory runs
// out the buffer is freed and null returned (error set).
CSpectrum2D* MakeSet(const Header& h, float* buffer, std::size_t bytes, CString& error) {
  CSpectrum2D* set = new (std::nothrow) CSpectrum2D;
  if (!set) {
    std::free(buffer);
    error = "Memory exhausted";
    return nullptr;
  }
  const std::size_t floats = bytes / 4;
  BYTE* raw = reinterpret_cast<BYTE*>(buffer);
  for (std::size_t i = 0; i < floats; ++i)
    buffer[i] = ReadF32LE(raw + 4 * i);
  set->m_nLastDim = 2;
  set->m_nCurrentDim = 2;
  set->m_bReal = h.real ? 1 : 0;
  set->m_dims[1] = h.f1;
  set->m_dims[2] = h.f2;
  set->m_pData = buffer;
  set->m_zoom.SetRect(0, 0, set->GetCurrentCount(), h.f1.m_nPoints);
  return set;
}

bool CanStore(const CSpectrum2D& set, CString& error) {
  if (!set.m_pData) {
    error = "There is no data to save";
    return false;
  }
  if (set.m_nLastDim != 2) {
    error = "Only 2D data sets can be saved";
    return false;
  }
  return true;
}

CString MessageOf(CException* e) {
  char text[512] = "";
  if (!e->GetErrorMessage(text, sizeof text))
    std::strcpy(text, "File error");
  e->Delete();
  return CString(text);
}

}  // namespace

CSpectrum2D* CBv2File::Parse(const BYTE* data, std::size_t size, CString& error) {
  Header h;
  if (!DecodeHeader(data, size, h, error))
    return nullptr;
  std::size_t bytes = 0;
  float* buffer = AllocateData(h, size - HeaderSize, bytes, error);
  if (!buffer)
    return nullptr;
  std::memcpy(buffer, data + HeaderSize, bytes);
  return MakeSet(h, buffer, bytes, error);
}

bool CBv2File::Format(const CSpectrum2D& set, std::vector<BYTE>& image, CString& error) {
  if (!CanStore(set, error))
    return false;
  const std::size_t floats = static_cast<std::size_t>(set.GetTotalPoints()) * set.FloatsPerPoint();
  try {
    image.assign(HeaderSize + 4 * floats, 0);
  } catch (const std::bad_alloc&) {
    error = "Memory exhausted";
    return false;
  }
  EncodeHeader(image.data(), set);
  for (std::size_t i = 0; i < floats; ++i)
    WriteF32LE(&image[HeaderSize + 4 * i], set.m_pData[i]);
  return true;
}

CSpectrum2D* CBv2File::Read(LPCSTR path, CString& error) {
  CFile file;
  CFileException fe(CFileException::none, -1, nullptr);
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &fe)) {
    error = "Unable to open the file";
    return nullptr;
  }
  float* buffer = nullptr;
  try {
    const ULONGLONG length = file.GetLength();
    BYTE header[HeaderSize];
    const UINT got = length >= HeaderSize ? file.Read(header, HeaderSize) : file.Read(header, (UINT)length);
    Header h;
    if (!DecodeHeader(header, got, h, error))
      return nullptr;
    std::size_t bytes = 0;
    buffer = AllocateData(h, length - HeaderSize, bytes, error);
    if (!buffer)
      return nullptr;
    if (file.Read(buffer, static_cast<UINT>(bytes)) != bytes) {
      std::free(buffer);
      error = "The file is shorter than its data";
      return nullptr;
    }
    file.Close();
    return MakeSet(h, buffer, bytes, error);
  } catch (CException* e) {
    std::free(buffer);
    error = MessageOf(e);
    file.Abort();
    return nullptr;
  }
}

bool CBv2File::Write(LPCSTR path, const CSpectrum2D& set, CString& error) {
  if (!CanStore(set, error))
    return false;
  return WriteFileReplacing(
      path,
      [&set](CFile& file) {
        BYTE header[HeaderSize];
        EncodeHeader(header, set);
        file.Write(header, HeaderSize);
        // Little-endian floats, a chunk at a time.
        const std::size_t floats = static_cast<std::size_t>(set.GetTotalPoints()) * set.FloatsPerPoint();
        BYTE chunk[16384];
        for (std::size_t i = 0; i < floats;) {
          std::size_t n = 0;
          for (; n < sizeof chunk / 4 && i < floats; ++n, ++i)
            WriteF32LE(chunk + 4 * n, set.m_pData[i]);
          file.Write(chunk, static_cast<UINT>(4 * n));
        }
      },
      error);
}
