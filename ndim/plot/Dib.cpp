#include "ndim/plot/Dib.h"

#include <cstring>
#include <new>
#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"

IMPLEMENT_SERIAL(CDib, CObject, 0)

namespace {

const std::uint16_t kBitmapType = 0x4D42;  // "BM"
// Rows beyond this many bytes are refused: every size fits an int.
const std::uint64_t kMaxImageBytes = 0x7FFFFFFF;

bool KnownBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The 40 header bytes of a file into the header's fields.
void DecodeInfoHeader(const BYTE* p, DibInfoHeader& h) {
  CByteReader r(p, CDib::InfoHeaderSize, ByteOrder::LittleEndian);
  h.biSize = r.ReadU32();
  h.biWidth = r.ReadI32();
  h.biHeight = r.ReadI32();
  h.biPlanes = r.ReadU16();
  h.biBitCount = r.ReadU16();
  h.biCompression = r.ReadU32();
  h.biSizeImage = r.ReadU32();
  h.biXPelsPerMeter = r.ReadI32();
  h.biYPelsPerMeter = r.ReadI32();
  h.biClrUsed = r.ReadU32();
  h.biClrImportant = r.ReadU32();
}

void EncodeInfoHeader(const DibInfoHeader& h, BYTE* p) {
  WriteU32LE(p, h.biSize);
  WriteI32LE(p + 4, h.biWidth);
  WriteI32LE(p + 8, h.biHeight);
  WriteU16LE(p + 12, h.biPlanes);
  WriteU16LE(p + 14, h.biBitCount);
  WriteU32LE(p + 16, h.biCompression);
  WriteU32LE(p + 20, h.biSizeImage);
  WriteI32LE(p + 24, h.biXPelsPerMeter);
  WriteI32LE(p + 28, h.biYPelsPerMeter);
  WriteU32LE(p + 32, h.biClrUsed);
  WriteU32LE(p + 36, h.biClrImportant);
}

}  // namespace

CDib::CDib() = default;

CDib::CDib(int width, int height, int bitCount) {
  if (width < 1 || height < 1 || !KnownBitCount(bitCount))
    return;
  DibInfoHeader h = {};
  h.biSize = InfoHeaderSize;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<std::uint16_t>(bitCount);
  const std::uint64_t colours = ColourCount(h);
  const std::uint64_t size = ComputedImageSize(h);
  if (size > kMaxImageBytes || !AllocateHeader(InfoHeaderSize + 4 * colours))
    return;
  h.biClrUsed = h.biClrImportant = static_cast<std::uint32_t>(colours);
  *m_lpBMIH = h;
  m_nColorTableEntries = static_cast<int>(colours);
  m_dwSizeImage = static_cast<DWORD>(size);
}

CDib::~CDib() {
  Clear();
}

std::uint64_t CDib::ColourCount(const DibInfoHeader& h) {
  if (h.biClrUsed != 0)
    return h.biClrUsed;
  switch (h.biBitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

std::uint64_t CDib::ComputedImageSize(const DibInfoHeader& h) {
  const std::int64_t bits = static_cast<std::int64_t>(h.biBitCount) * h.biWidth;
  if (bits < 1 || h.biHeight < 1)
    return 0;
  return static_cast<std::uint64_t>((bits - 1) / 32 + 1) * 4 * static_cast<std::uint64_t>(h.biHeight);
}

int CDib::RowBytes() const {
  if (!m_lpBMIH)
    return 0;
  DibInfoHeader one = *m_lpBMIH;
  one.biHeight = 1;
  return static_cast<int>(ComputedImageSize(one));
}

bool CDib::AllocateHeader(std::size_t bytes) {
  // Whole words, so that the colour table after the header stays aligned.
  const std::size_t words = (bytes + 3) / 4;
  std::uint32_t* p = new (std::nothrow) std::uint32_t[words]();
  if (!p)
    return false;
  m_lpBMIH = new (p) DibInfoHeader();
  m_lpvColorTable = reinterpret_cast<DibColour*>(reinterpret_cast<BYTE*>(p) + InfoHeaderSize);
  m_nBmihAlloc = 1;
  return true;
}

bool CDib::AllocateBits() {
  if (!m_lpBMIH || m_lpImage)
    return m_lpImage != nullptr;
  m_lpImage = new (std::nothrow) BYTE[m_dwSizeImage ? m_dwSizeImage : 1]();
  m_nImageAlloc = m_lpImage ? 1 : 0;
  return m_lpImage != nullptr;
}

void CDib::SetForeignBits(BYTE* pBits) {
  if (m_nImageAlloc == 1)
    delete[] m_lpImage;
  m_lpImage = pBits;
  m_nImageAlloc = 0;
}

void CDib::Clear() {
  if (m_nBmihAlloc == 1)
    delete[] reinterpret_cast<std::uint32_t*>(m_lpBMIH);
  if (m_nImageAlloc == 1)
    delete[] m_lpImage;
  m_lpBMIH = nullptr;
  m_lpvColorTable = nullptr;
  m_lpImage = nullptr;
  m_nBmihAlloc = m_nImageAlloc = 0;
  m_dwSizeImage = 0;
  m_nColorTableEntries = 0;
}

// ---------------------------------------------------------------------------
// BMP files

bool CDib::ReadBmp(CFile& file, CString& reason) {
  Clear();
  try {
    BYTE fileHeader[FileHeaderSize];
    if (file.Read(fileHeader, FileHeaderSize) != FileHeaderSize) {
      reason = "The file is too short for a bitmap";
      return false;
    }
    if (ReadU16LE(fileHeader) != kBitmapType) {
      reason = "The file is not a bitmap";
      return false;
    }
    // Every size is checked against what the file holds before it sizes
    // an allocation.
    const ULONGLONG length = file.GetLength();
    const ULONGLONG position = file.GetPosition();
    const std::uint64_t left = length > position ? length - position : 0;
    const std::uint64_t offset = ReadU32LE(fileHeader + 10);
    if (offset < FileHeaderSize + InfoHeaderSize || offset - FileHeaderSize > left) {
      reason = "The bitmap's header does not fit the file";
      return false;
    }
    const std::size_t headerBytes = static_cast<std::size_t>(offset - FileHeaderSize);
    std::vector<BYTE> raw(headerBytes);
    if (file.Read(raw.data(), static_cast<UINT>(headerBytes)) != headerBytes) {
      reason = "The bitmap's header does not fit the file";
      return false;
    }
    DibInfoHeader h;
    DecodeInfoHeader(raw.data(), h);
    const std::uint64_t colours = ColourCount(h);
    const std::uint64_t computed = ComputedImageSize(h);
    const std::uint64_t size = h.biSizeImage ? h.biSizeImage : computed;
    if (h.biSize != InfoHeaderSize)
      reason = "The bitmap's header is not one this program reads";
    else if (h.biWidth < 1 || h.biHeight < 1 || h.biPlanes != 1 || !KnownBitCount(h.biBitCount))
      reason = "The bitmap's size or colour depth is not valid";
    else if (h.biCompression != 0)
      reason = "Compressed bitmaps are not read";
    else if (InfoHeaderSize + 4 * colours > headerBytes)
      reason = "The bitmap's colour table does not fit its header";
    else if (computed > kMaxImageBytes || size < computed || size > left - headerBytes)
      reason = "The bitmap's pixels do not fit the file";
    if (!reason.IsEmpty())
      return false;

    if (!AllocateHeader(headerBytes)) {
      reason = "Not enough memory for the bitmap";
      return false;
    }
    *m_lpBMIH = h;
    std::memcpy(m_lpvColorTable, raw.data() + InfoHeaderSize, headerBytes - InfoHeaderSize);
    m_nColorTableEntries = static_cast<int>(colours);
    m_dwSizeImage = static_cast<DWORD>(size);
    if (!AllocateBits()) {
      Clear();
      reason = "Not enough memory for the bitmap";
      return false;
    }
    if (file.Read(m_lpImage, m_dwSizeImage) != m_dwSizeImage) {
      Clear();
      reason = "The bitmap's pixels do not fit the file";
      return false;
    }
    return true;
  } catch (CFileException* e) {
    e->Delete();
  }
  Clear();
  reason = "The bitmap could not be read";
  return false;
}

BOOL CDib::Read(CFile* pFile) {
  CString reason;
  if (pFile && ReadBmp(*pFile, reason))
    return TRUE;
  ReportErrorText("Read error");
  return FALSE;
}

void CDib::WriteBmp(CFile& file) const {
  const std::size_t table = 4 * static_cast<std::size_t>(m_nColorTableEntries);
  std::vector<BYTE> head(FileHeaderSize + InfoHeaderSize + table);
  WriteU16LE(head.data(), kBitmapType);
  WriteU32LE(head.data() + 10, static_cast<std::uint32_t>(FileHeaderSize + InfoHeaderSize + table));
  EncodeInfoHeader(*m_lpBMIH, head.data() + FileHeaderSize);
  std::memcpy(head.data() + FileHeaderSize + InfoHeaderSize, m_lpvColorTable, table);
  file.Write(head.data(), static_cast<UINT>(head.size()));
  file.Write(m_lpImage, m_dwSizeImage);
}

BOOL CDib::Write(CFile* pFile) {
  if (pFile && m_lpBMIH && m_lpImage) {
    try {
      WriteBmp(*pFile);
      return TRUE;
    } catch (CFileException* e) {
      e->Delete();
    }
  }
  ReportErrorText("write error");
  return FALSE;
}

void CDib::Serialize(CArchive& ar) {
  ar.Flush();
  if (ar.IsLoading())
    Read(ar.GetFile());
  else
    Write(ar.GetFile());
}
