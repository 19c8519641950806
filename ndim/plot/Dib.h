// A device-independent bitmap: the 40-byte header with its colour table, in
// the layout GDI takes, and the pixel rows. It reads and writes BMP files
// through an archive. Its GDI half (the DIB section, the palette, drawing
// onto a DC) is CDibSection, in the Windows build.
//
// BMP file (little-endian):
// | offset | size | field                                                |
// |--------|------|------------------------------------------------------|
// | 0      | 2    | "BM"                                                 |
// | 2      | 4    | file size (0 when written here)                      |
// | 6      | 4    | two reserved words, 0                                |
// | 10     | 4    | offset of the pixel rows (54 + 4 x colours written)  |
// | 14     | 40   | header: size 40, width, height (> 0: bottom-up),     |
// |        |      | planes 1, bit count, compression (0 = none), image   |
// |        |      | size (0: rows x height), two resolutions, colours    |
// |        |      | used, colours important                              |
// | 54     | 4 c  | colour table (blue, green, red, 0)                   |
// | offset | size | pixel rows, each padded to 4 bytes                   |
#pragma once

#include <cstdint>

#include "framework/base/Object.h"
#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CArchive;
class CFile;

struct DibInfoHeader {
  std::uint32_t biSize;
  std::int32_t biWidth;
  std::int32_t biHeight;
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};
static_assert(sizeof(DibInfoHeader) == 40, "DibInfoHeader is GDI's 40-byte header");

struct DibColour {
  BYTE blue, green, red, reserved;
};

class CDib : public CObject {
  DECLARE_SERIAL(CDib)

 public:
  enum { FileHeaderSize = 14, InfoHeaderSize = 40 };

  CDib();
  // A header for a bottom-up bitmap with a zeroed colour table and no bits
  // yet; nothing when a side is not positive or the bit count is not one
  // GDI knows.
  CDib(int width, int height, int bitCount);
  ~CDib() override;

  // Reads or writes the BMP file at the archive's position.
  void Serialize(CArchive& ar) override;
  // The BMP file at the file's position; on failure the object is left
  // empty and "Read error" is reported.
  BOOL Read(CFile* pFile);
  // The same without the report: the reason comes back instead.
  bool ReadBmp(CFile& file, CString& reason);
  // The BMP file; "write error" is reported on failure.
  BOOL Write(CFile* pFile);
  void Clear();

  // Colour-table entries a header calls for (biClrUsed, else by bit count).
  static std::uint64_t ColourCount(const DibInfoHeader& h);
  // Bytes of the rows a header calls for, each padded to 4 bytes.
  static std::uint64_t ComputedImageSize(const DibInfoHeader& h);

  // Pixel rows owned by the object, zeroed; false when there is no header
  // or memory runs out.
  bool AllocateBits();
  // Pixel rows that belong to someone else (a DIB section).
  void SetForeignBits(BYTE* pBits);

  int Width() const { return m_lpBMIH ? m_lpBMIH->biWidth : 0; }
  int Height() const { return m_lpBMIH ? m_lpBMIH->biHeight : 0; }
  int BitCount() const { return m_lpBMIH ? m_lpBMIH->biBitCount : 0; }
  int RowBytes() const;

  DibColour* m_lpvColorTable = nullptr;  // just after the 40-byte header
  BYTE* m_lpImage = nullptr;
  DibInfoHeader* m_lpBMIH = nullptr;  // header, then the colour table
  int m_nBmihAlloc = 0;               // 0 none, 1 allocated here
  int m_nImageAlloc = 0;              // 1 allocated here
  DWORD m_dwSizeImage = 0;
  int m_nColorTableEntries = 0;

 private:
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;
  // A header block of that many bytes (at least 40), zeroed and owned.
  bool AllocateHeader(std::size_t bytes);
  void WriteBmp(CFile& file) const;
};
