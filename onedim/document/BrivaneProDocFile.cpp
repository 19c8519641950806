// The native document file (.bvx). All numbers little-endian.
//
// offset  size   content
// 0       3      magic "BVX"
// 3       int32  format version: 2 (any other value: the older layout below)
// 7       int32  0
// 11      int32  build number: 1
// 15      int32  number of spectra
// 19      int16  1
// 21      491    zero
// 512     int32  background COLORREF (written; the reader takes the profile's)
// 516     508    zero
// 1024    ...    one block per spectrum, in list order:
//   +0         168     record (below)
//   +168       344     zero
//   +512       4 td    data, td float32 (real, imaginary interleaved)
//   +512+4td   60      axis LOGFONT
//              double  integral normalisation
//              int32   integral curve scale numerator, then denominator
//              16 I    integrals: start, end (float indices), base height, COLORREF
//              152 L   labels: text[80] (zero-terminated), x, y, LOGFONT, COLORREF
//   the next block starts at block + 512 + record length.
//
// record  0 int32 length (76 + 4 td + 16 I + 152 L); 4 int32 td; 8 double sw;
//   16 double sf; 24, 32 double applied phases (radians); 40 int32 DSPFVS;
//   44 int32 DECIM; 48 double offset; 56 int32 aqmode; 60 int32 complex;
//   64 int32 conjugate; 68 reserved (20); 88 int32 zero line in 1/10000 of the
//   view height; 92 COLORREF trace; 96 float vertical scale; 100 float
//   intensity step; 104, 108 int32 visible range; 112, 116 int32 left and
//   right pixel; 120 int32 axis units; 124 int32 axis position; 128 int32
//   axis font height; 132 COLORREF axis; 136 int32 axis floating; 140
//   reserved (20); 160 int32 I; 164 int32 L.
//
// Older layout: one spectrum; at 256 int16 mode word, 264 double sw, 272
// double sf, 280 double offset, 288 int32 td, 320 int32 DECIM, 324 int32
// DSPFVS; from 1024 td doubles.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "framework/base/Endian.h"
#include "framework/base/Exception.h"
#include "framework/base/File.h"
#include "framework/base/FileReplace.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/TextLabel.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"
#include "onedim/model/Integral.h"

namespace {

const int kHeaderSize = 21;
const int kBackgroundOffset = 512;
const int kFirstBlock = 1024;
const int kRecordSize = 168;
const int kBlockHead = 512;  // record and its padding
const int kTrailerFixed = 60 + 8 + 4 + 4;
const int kIntegralSize = 16;
const int kLabelSize = 152;
const int kLabelTextSize = 80;
const int kOlderParams = 256;

// No 1D data set comes near these; larger counts are damage.
const int kMaxTd = 1 << 24;
const int kMaxIntegrals = 65536;
const int kMaxLabels = 65536;
// Each integral keeps two arrays as long as its region; together they may
// cover the spectrum this many times over.
const long long kMaxIntegralCover = 8;

const char kUnexpectedFormat[] = "Unexpected file format";
const char kBuildOutOfDate[] = "Build Number out of Date";
const char kMemoryExhausted[] = "Memory exhausted. \nImporting aborted";
const char kBadPoints[] = "The file is damaged: a spectrum has an invalid number of points";
const char kBadLength[] = "The file is damaged: a spectrum block has a wrong length";
const char kBadCount[] = "The file is damaged: it counts more spectra, integrals or labels than it holds";

// Bytes moved per read or write of data.
const int kChunkFloats = 16384;

CString ExceptionText(CException* e) {
  char sz[512];
  if (!e->GetErrorMessage(sz, sizeof sz))
    return CString("An error occurred while accessing the file.");
  return CString(sz);
}

// Reads exactly n bytes at an offset, or throws the end-of-file exception.
void ReadAt(CFile& file, ULONGLONG nOffset, void* pBuffer, std::size_t n) {
  file.Seek((LONGLONG)nOffset, CFile::begin);
  BYTE* p = static_cast<BYTE*>(pBuffer);
  while (n > 0) {
    UINT nPart = n > 0x10000000u ? 0x10000000u : (UINT)n;
    UINT nRead = file.Read(p, nPart);
    if (nRead == 0)
      AfxThrowFileException(CFileException::endOfFile, -1, file.GetFilePath());
    p += nRead;
    n -= nRead;
  }
}

void ReadLogFont(CByteReader& r, LOGFONT& lf) {
  lf.lfHeight = r.ReadI32();
  lf.lfWidth = r.ReadI32();
  lf.lfEscapement = r.ReadI32();
  lf.lfOrientation = r.ReadI32();
  lf.lfWeight = r.ReadI32();
  lf.lfItalic = r.ReadU8();
  lf.lfUnderline = r.ReadU8();
  lf.lfStrikeOut = r.ReadU8();
  lf.lfCharSet = r.ReadU8();
  lf.lfOutPrecision = r.ReadU8();
  lf.lfClipPrecision = r.ReadU8();
  lf.lfQuality = r.ReadU8();
  lf.lfPitchAndFamily = r.ReadU8();
  r.ReadBytes(lf.lfFaceName, LF_FACESIZE);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

// A zero-terminated text in a fixed field: at most nField - 1 characters,
// the rest zero.
void WriteTextField(BYTE* p, LPCSTR psz, int nField) {
  std::memset(p, 0, (std::size_t)nField);
  for (int i = 0; i < nField - 1 && psz[i] != '\0'; i++)
    p[i] = (BYTE)psz[i];
}

void WriteLogFont(BYTE* p, const LOGFONT& lf) {
  WriteI32LE(p, lf.lfHeight);
  WriteI32LE(p + 4, lf.lfWidth);
  WriteI32LE(p + 8, lf.lfEscapement);
  WriteI32LE(p + 12, lf.lfOrientation);
  WriteI32LE(p + 16, lf.lfWeight);
  p[20] = lf.lfItalic;
  p[21] = lf.lfUnderline;
  p[22] = lf.lfStrikeOut;
  p[23] = lf.lfCharSet;
  p[24] = lf.lfOutPrecision;
  p[25] = lf.lfClipPrecision;
  p[26] = lf.lfQuality;
  p[27] = lf.lfPitchAndFamily;
  char szFace[LF_FACESIZE + 1];
  std::memcpy(szFace, lf.lfFaceName, LF_FACESIZE);
  szFace[LF_FACESIZE] = '\0';
  WriteTextField(p + 28, szFace, LF_FACESIZE);
}

double FiniteOr(double d, double dDefault) {
  return std::isfinite(d) ? d : dDefault;
}

int ClampToInt(long long v) {
  if (v > 2147483647LL)
    return 2147483647;
  if (v < -2147483647LL - 1)
    return -2147483647 - 1;
  return (int)v;
}

// Spectra read from a file before they join the document; deleted unless
// the whole file was read.
class CPendingSpectra {
 public:
  ~CPendingSpectra() {
    for (CSpectrum* s : m_spectra)
      delete s;
  }
  void Add(CSpectrum* s) {
    m_spectra.reserve(m_spectra.size() + 1);
    m_spectra.push_back(s);
  }
  std::vector<CSpectrum*> Release() {
    std::vector<CSpectrum*> v;
    v.swap(m_spectra);
    return v;
  }

 private:
  std::vector<CSpectrum*> m_spectra;
};

// Allocates both data buffers of a spectrum, or answers FALSE.
BOOL AllocateData(CSpectrum* s) {
  s->m_pData = CSpectrum::AllocateFloats(s->m_paramsA.td);
  s->m_pRawData = CSpectrum::AllocateFloats(s->m_paramsA.td);
  return s->m_pData != nullptr && s->m_pRawData != nullptr;
}

// The visible range as stored, or the whole spectrum when the stored one
// does not lie inside it. Ranges are kept even.
void SetVisibleRange(CSpectrum* s, int nFirst, int nLast) {
  int td = s->m_paramsA.td;
  nFirst &= ~1;
  nLast &= ~1;
  if (nFirst < 0 || nLast > td || nFirst >= nLast) {
    nFirst = 0;
    nLast = td;
  }
  s->m_nFirst = nFirst;
  s->m_nLast = nLast;
}

class CBvxReader {
 public:
  CBvxReader(CFile& file, int nClientHeight) : m_file(file), m_nClientHeight(nClientHeight) {
    m_nLength = file.GetLength();
  }

  // Reads the file into pending spectra; FALSE with the reason in m_strError.
  BOOL Read(CPendingSpectra& pending);

  CString m_strError;

 private:
  BOOL Fail(LPCSTR psz) {
    m_strError = psz;
    return FALSE;
  }
  BOOL ReadBlock(ULONGLONG& nOffset, CPendingSpectra& pending);
  BOOL ReadOlderLayout(CPendingSpectra& pending);
  void ReadFloats(CSpectrum* s, ULONGLONG nOffset);

  CFile& m_file;
  ULONGLONG m_nLength;
  int m_nClientHeight;
};

BOOL CBvxReader::Read(CPendingSpectra& pending) {
  BYTE header[kHeaderSize] = {};
  std::size_t nHave = m_nLength < (ULONGLONG)kHeaderSize ? (std::size_t)m_nLength : kHeaderSize;
  ReadAt(m_file, 0, header, nHave);
  if (nHave < 3 || std::memcmp(header, "BVX", 3) != 0)
    return Fail(kUnexpectedFormat);
  if (nHave < (std::size_t)kHeaderSize)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());
  if (ReadI32LE(header + 3) != 2)
    return ReadOlderLayout(pending);
  if (ReadI32LE(header + 11) != 1)
    return Fail(kBuildOutOfDate);
  if (m_nLength < (ULONGLONG)kFirstBlock)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());

  // Every block holds at least its head, its trailer and two floats.
  long long nCount = ReadI32LE(header + 15);
  const long long nSmallestBlock = kBlockHead + kTrailerFixed + 8;
  long long nRoom = (long long)m_nLength > kFirstBlock ? (long long)m_nLength - kFirstBlock : 0;
  if (nCount < 0 || nCount > nRoom / nSmallestBlock)
    return Fail(kBadCount);

  ULONGLONG nOffset = kFirstBlock;
  for (long long k = 0; k < nCount; k++)
    if (!ReadBlock(nOffset, pending))
      return FALSE;
  return TRUE;
}

BOOL CBvxReader::ReadBlock(ULONGLONG& nOffset, CPendingSpectra& pending) {
  if (nOffset + kBlockHead > m_nLength)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());
  BYTE rec[kRecordSize];
  ReadAt(m_file, nOffset, rec, sizeof rec);

  long long nLength = ReadI32LE(rec);
  long long td = ReadI32LE(rec + 4);
  long long nIntegrals = ReadI32LE(rec + 160);
  long long nLabels = ReadI32LE(rec + 164);
  if (td < 2 || td > kMaxTd || td % 2 != 0)
    return Fail(kBadPoints);
  if (nIntegrals < 0 || nIntegrals > kMaxIntegrals || nLabels < 0 || nLabels > kMaxLabels)
    return Fail(kBadCount);
  long long nExpected = kTrailerFixed + 4 * td + kIntegralSize * nIntegrals + kLabelSize * nLabels;
  if (nLength != nExpected)
    return Fail(kBadLength);
  if (nOffset + kBlockHead + (ULONGLONG)nLength > m_nLength)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());

  CSpectrumParams params;
  params.td = (int)td;
  params.sw = FiniteOr(ReadF64LE(rec + 8), 0.0);
  params.sf = FiniteOr(ReadF64LE(rec + 16), 0.0);
  params.DSPFVS = ReadI32LE(rec + 40);
  params.DECIM = ReadI32LE(rec + 44);
  params.offset = FiniteOr(ReadF64LE(rec + 48), 0.0);
  params.aqmode = ReadI32LE(rec + 56);
  params.bComplex = ReadI32LE(rec + 60) != 0 ? 1 : 0;
  params.bConjugate = ReadI32LE(rec + 64) != 0 ? 1 : 0;
  params.aq = 0.0;

  CSpectrum* s = new CSpectrum(params);
  pending.Add(s);
  s->m_dPhase0 = FiniteOr(ReadF64LE(rec + 24), 0.0);
  s->m_dPhase1 = FiniteOr(ReadF64LE(rec + 32), 0.0);
  // The zero line is stored relative to the view's height.
  int z = ClampToInt((long long)m_nClientHeight * ReadI32LE(rec + 88) / 10000);
  s->m_rectPlot.top = ClampToInt((long long)z - 5);
  s->m_rectPlot.bottom = ClampToInt((long long)z + 5);
  SetVisibleRange(s, ReadI32LE(rec + 104), ReadI32LE(rec + 108));
  s->m_nLeftPixel = ReadI32LE(rec + 112);
  s->m_nRightPixel = ReadI32LE(rec + 116);
  s->m_crTrace = ReadU32LE(rec + 92);
  int nUnits = ReadI32LE(rec + 120);
  s->m_Scale.m_nUnits = (nUnits >= AXIS_UNITS_POINTS && nUnits <= AXIS_UNITS_PPM) ? nUnits : AXIS_UNITS_POINTS;
  float fScale = ReadF32LE(rec + 96);
  float fStep = ReadF32LE(rec + 100);
  if (std::isfinite(fScale))
    s->m_fVerticalScale = fScale;
  if (std::isfinite(fStep))
    s->m_fIntensityStep = fStep;
  s->m_Scale.m_nBaseFontHeight = ReadI32LE(rec + 128);
  s->m_Scale.m_crAxis = ReadU32LE(rec + 132);
  s->m_Scale.SetFloating(ReadI32LE(rec + 136) != 0);
  s->m_Scale.SetPosition(ReadI32LE(rec + 124));

  if (!AllocateData(s))
    return Fail(kMemoryExhausted);
  ULONGLONG nData = nOffset + kBlockHead;
  ReadFloats(s, nData);

  std::vector<BYTE> trailer((std::size_t)(nLength - 4 * td));
  ReadAt(m_file, nData + 4 * (ULONGLONG)td, trailer.data(), trailer.size());
  CByteReader r(trailer.data(), trailer.size(), ByteOrder::LittleEndian);
  ReadLogFont(r, s->m_Scale.m_lf);
  s->m_dIntegralNorm = FiniteOr(r.ReadF64(), 0.0);
  s->m_nIntegralScaleNum = r.ReadI32();
  s->m_nIntegralScaleDen = r.ReadI32();
  if (s->m_nIntegralScaleDen == 0)  // a divisor of the integral curves
    s->m_nIntegralScaleDen = 100;

  long long nCovered = 0;
  for (long long i = 0; i < nIntegrals; i++) {
    int nStart = r.ReadI32();
    int nEnd = r.ReadI32();
    int nBase = r.ReadI32();
    COLORREF cr = r.ReadU32();
    // Regions lie inside the spectrum.
    nStart = nStart < 0 ? 0 : (nStart > td ? (int)td : nStart);
    nEnd = nEnd < 0 ? 0 : (nEnd > td ? (int)td : nEnd);
    nCovered += (nEnd > nStart ? nEnd - nStart : nStart - nEnd);
    if (nCovered > kMaxIntegralCover * td)
      return Fail(kBadCount);
    CIntegral* pIntegral = new CIntegral(s, nStart, nEnd, nBase, cr);
    s->m_arrIntegrals.Add(pIntegral);
  }
  for (long long i = 0; i < nLabels; i++) {
    const BYTE* pText = r.Take(kLabelTextSize);
    CString strText(pText != nullptr ? (LPCSTR)pText : "", kLabelTextSize - 1);
    int x = r.ReadI32();
    int y = r.ReadI32();
    LOGFONT lf;
    ReadLogFont(r, lf);
    COLORREF cr = r.ReadU32();
    // Attached to the spectrum with the stored x as it is: the pixel
    // conversion of an attached label would be undone at once.
    CTextLabel* pLabel = new CTextLabel(strText, &lf, s, 0, FALSE, x, y);
    s->m_arrLabels.Add(pLabel);
    pLabel->m_bAttached = 1;
    pLabel->m_x = x;
    pLabel->m_y = y;
    pLabel->m_crText = cr;
  }
  // The length check above sized the trailer for exactly these records.
  if (r.HasError())
    return Fail(kBadLength);

  nOffset += kBlockHead + (ULONGLONG)nLength;
  return TRUE;
}

void CBvxReader::ReadFloats(CSpectrum* s, ULONGLONG nOffset) {
  std::vector<BYTE> chunk((std::size_t)kChunkFloats * 4);
  int td = s->m_paramsA.td;
  for (int i = 0; i < td; i += kChunkFloats) {
    int n = td - i < kChunkFloats ? td - i : kChunkFloats;
    ReadAt(m_file, nOffset + 4 * (ULONGLONG)i, chunk.data(), (std::size_t)n * 4);
    for (int k = 0; k < n; k++)
      s->m_pData[i + k] = ReadF32LE(&chunk[(std::size_t)k * 4]);
  }
  std::memcpy(s->m_pRawData, s->m_pData, sizeof(float) * (std::size_t)td);
}

BOOL CBvxReader::ReadOlderLayout(CPendingSpectra& pending) {
  BYTE area[72];
  if (m_nLength < (ULONGLONG)kFirstBlock)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());
  ReadAt(m_file, kOlderParams, area, sizeof area);
  long long td = ReadI32LE(area + 32);
  if (td < 2 || td > kMaxTd || td % 2 != 0)
    return Fail(kBadPoints);
  if ((ULONGLONG)kFirstBlock + 8 * (ULONGLONG)td > m_nLength)
    AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());

  CSpectrumParams params;
  params.td = (int)td;
  params.sw = FiniteOr(ReadF64LE(area + 8), 0.0);
  params.sf = FiniteOr(ReadF64LE(area + 16), 0.0);
  params.offset = FiniteOr(ReadF64LE(area + 24), 0.0);
  params.DECIM = ReadI32LE(area + 64);
  params.DSPFVS = ReadI32LE(area + 68);
  params.aq = 0.0;
  params.bConjugate = 1;
  switch (ReadI16LE(area)) {
    case 0:
      params.aqmode = 0;
      params.bComplex = 0;
      break;
    case 1:
      params.aqmode = 1;
      params.bComplex = 1;
      break;
    case 2:
      params.aqmode = 0;
      params.bComplex = 1;
      break;
    default:
      params.aqmode = 0;
      params.bComplex = 1;
      break;
  }
  CSpectrum* s = new CSpectrum(params);
  pending.Add(s);
  if (!AllocateData(s))
    return Fail(kMemoryExhausted);
  std::vector<BYTE> chunk((std::size_t)kChunkFloats * 8);
  for (int i = 0; i < (int)td; i += kChunkFloats) {
    int n = (int)td - i < kChunkFloats ? (int)td - i : kChunkFloats;
    ReadAt(m_file, kFirstBlock + 8 * (ULONGLONG)i, chunk.data(), (std::size_t)n * 8);
    for (int k = 0; k < n; k++)
      s->m_pData[i + k] = (float)ReadF64LE(&chunk[(std::size_t)k * 8]);
  }
  std::memcpy(s->m_pRawData, s->m_pData, sizeof(float) * (std::size_t)td);
  return TRUE;
}

}  // namespace

BOOL CBrivaneProDoc::ReadNativeFile(LPCSTR pszPath) {
  RECT rcClient;
  int nHeight = m_pHost->GetViewClientRect(&rcClient) ? rcClient.bottom - rcClient.top : 0;

  CPendingSpectra pending;
  CString strError;
  BOOL bRead = FALSE;
  CFile file;
  try {
    CFileException fe;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &fe)) {
      strError = ExceptionText(&fe);
    } else {
      CBvxReader reader(file, nHeight);
      bRead = reader.Read(pending);
      strError = reader.m_strError;
      file.Close();
    }
  } catch (CException* e) {
    strError = ExceptionText(e);
    e->Delete();
    file.Abort();
    bRead = FALSE;
  } catch (std::bad_alloc&) {
    strError = kMemoryExhausted;
    file.Abort();
    bRead = FALSE;
  }
  if (!bRead) {
    SetOpenFailure(strError);
    return FALSE;
  }

  std::vector<CSpectrum*> spectra = pending.Release();
  for (CSpectrum* s : spectra) {
    m_Spectra.AddTail(s);
    m_pCurrent = s;
  }
  SetModified(TRUE);
  return TRUE;
}

BOOL CBrivaneProDoc::WriteNativeFile(LPCSTR pszPath) {
  // The zero line is kept relative to this document's view; without one the
  // middle of the view is written.
  RECT rcClient;
  long long nHeight = m_pHost->GetViewClientRect(&rcClient) ? (long long)rcClient.bottom - rcClient.top : 0;

  CString strTemp = CString(pszPath) + ".tmp";
  CFile file;
  CString strError;
  try {
    CFileException fe;
    if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary, &fe))
      strError = ExceptionText(&fe);
    else {
      std::vector<BYTE> head(kFirstBlock, 0);
      std::memcpy(head.data(), "BVX", 3);
      WriteI32LE(&head[3], 2);
      WriteI32LE(&head[7], 0);
      WriteI32LE(&head[11], 1);
      WriteI32LE(&head[15], m_Spectra.GetCount());
      WriteI16LE(&head[19], 1);
      WriteU32LE(&head[kBackgroundOffset], m_crBackground);
      file.Write(head.data(), (UINT)head.size());

      std::vector<BYTE> chunk((std::size_t)kChunkFloats * 4);
      for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;) {
        const CSpectrum* s = m_Spectra.GetSpectrum(pos);
        int td = s->m_paramsA.td > 0 ? s->m_paramsA.td : 0;
        int nIntegrals = s->m_arrIntegrals.GetSize();
        int nLabels = s->m_arrLabels.GetSize();
        long long nLength =
            kTrailerFixed + 4LL * td + (long long)kIntegralSize * nIntegrals + (long long)kLabelSize * nLabels;
        if (nLength > 2147483647LL)
          AfxThrowMemoryException();

        std::vector<BYTE> block(kBlockHead, 0);
        BYTE* rec = block.data();
        WriteI32LE(rec, (std::int32_t)nLength);
        WriteI32LE(rec + 4, td);
        WriteF64LE(rec + 8, s->m_paramsA.sw);
        WriteF64LE(rec + 16, s->m_paramsA.sf);
        WriteF64LE(rec + 24, s->m_dPhase0);
        WriteF64LE(rec + 32, s->m_dPhase1);
        WriteI32LE(rec + 40, s->m_paramsA.DSPFVS);
        WriteI32LE(rec + 44, s->m_paramsA.DECIM);
        WriteF64LE(rec + 48, s->m_paramsA.offset);
        WriteI32LE(rec + 56, s->m_paramsA.aqmode);
        WriteI32LE(rec + 60, s->m_paramsA.bComplex ? 1 : 0);
        WriteI32LE(rec + 64, s->m_paramsA.bConjugate ? 1 : 0);
        long long nMiddle = ((long long)s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
        WriteI32LE(rec + 88, nHeight > 0 ? ClampToInt(nMiddle * 10000 / nHeight) : 5000);
        WriteU32LE(rec + 92, s->m_crTrace);
        WriteF32LE(rec + 96, s->m_fVerticalScale);
        WriteF32LE(rec + 100, s->m_fIntensityStep);
        WriteI32LE(rec + 104, s->m_nFirst);
        WriteI32LE(rec + 108, s->m_nLast);
        WriteI32LE(rec + 112, s->m_nLeftPixel);
        WriteI32LE(rec + 116, s->m_nRightPixel);
        WriteI32LE(rec + 120, s->m_Scale.m_nUnits);
        WriteI32LE(rec + 124, s->m_Scale.GetPosition());
        WriteI32LE(rec + 128, s->m_Scale.m_nBaseFontHeight);
        WriteU32LE(rec + 132, s->m_Scale.m_crAxis);
        WriteI32LE(rec + 136, s->m_Scale.IsFloating() ? 1 : 0);
        WriteI32LE(rec + 160, nIntegrals);
        WriteI32LE(rec + 164, nLabels);
        file.Write(block.data(), (UINT)block.size());

        for (int i = 0; i < td; i += kChunkFloats) {
          int n = td - i < kChunkFloats ? td - i : kChunkFloats;
          for (int k = 0; k < n; k++)
            WriteF32LE(&chunk[(std::size_t)k * 4], s->m_pData != nullptr ? s->m_pData[i + k] : 0.0f);
          file.Write(chunk.data(), (UINT)n * 4);
        }

        std::vector<BYTE> trailer((std::size_t)(nLength - 4LL * td), 0);
        BYTE* p = trailer.data();
        WriteLogFont(p, s->m_Scale.m_lf);
        WriteF64LE(p + 60, s->m_dIntegralNorm);
        WriteI32LE(p + 68, s->m_nIntegralScaleNum);
        WriteI32LE(p + 72, s->m_nIntegralScaleDen);
        p += kTrailerFixed;
        for (int i = 0; i < nIntegrals; i++, p += kIntegralSize) {
          const CIntegral* pIntegral = static_cast<const CIntegral*>(s->m_arrIntegrals.GetAt(i));
          WriteI32LE(p, pIntegral->m_nStart);
          WriteI32LE(p + 4, pIntegral->m_nEnd);
          WriteI32LE(p + 8, pIntegral->m_nBase);
          WriteU32LE(p + 12, pIntegral->m_crColour);
        }
        for (int i = 0; i < nLabels; i++, p += kLabelSize) {
          const CTextLabel* pLabel = static_cast<const CTextLabel*>(s->m_arrLabels.GetAt(i));
          WriteTextField(p, pLabel->m_strText, kLabelTextSize);
          WriteI32LE(p + 80, pLabel->m_x);
          WriteI32LE(p + 84, pLabel->m_y);
          WriteLogFont(p + 88, pLabel->m_lf);
          WriteU32LE(p + 148, pLabel->m_crText);
        }
        file.Write(trailer.data(), (UINT)trailer.size());
      }
      file.Close();
      if (!MoveFileReplacing(strTemp, pszPath)) {
        CFileException replace(CFileException::accessDenied, -1, pszPath);
        strError = ExceptionText(&replace);
      }
    }
  } catch (CException* e) {
    strError = ExceptionText(e);
    e->Delete();
    file.Abort();
  } catch (std::bad_alloc&) {
    CMemoryException memory;
    strError = ExceptionText(&memory);
    file.Abort();
  }
  if (!strError.IsEmpty()) {
    std::remove(strTemp);
    m_pHost->ShowMessage(strError, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModified(FALSE);
  return TRUE;
}

BOOL CBrivaneProDoc::OpenNativeDocument(LPCSTR pszPath) {
  if (!ReadNativeFile(pszPath)) {
    m_pHost->ShowMessage(GetAppState().m_strOpenFailure, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  RefreshAfterLoad();
  return TRUE;
}

BOOL CBrivaneProDoc::SaveNativeDocument(LPCSTR pszPath) {
  if (!WriteNativeFile(pszPath))
    return FALSE;
  m_pHost->SetDocumentTitle(pszPath);
  return TRUE;
}
