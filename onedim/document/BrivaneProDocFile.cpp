// The native document file (.bvx). All numbers little-endian.
//
// The file is a header of 1024 bytes, then one block per spectrum in list
// order: its record, zeros to 512 bytes, td float32 data (real and
// imaginary interleaved), then its trailer: the axis font, the integral
// scale, I integral records and L label records. The next block starts at
// block + 512 + the record's length. A document with embedded objects adds
// an items trailer after the last block (readers that know nothing of it
// read the counted blocks and stop). The tables below give every field's
// offset and type; the reader and the writer both go through them, so a
// field is read where it is written.
//
// Older layout: one spectrum; parameters from 256 (table below) and from
// 1024 td doubles.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
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
#include "numerics/Saturate.h"
#include "onedim/plot/ViewGeometry.h"

namespace {

// A stored field: its offset in its record; the type gives width and kind.
template <class T>
struct Field {
  int nOffset;
};
// A zero-terminated text of at most nSize - 1 characters, zeros after it.
struct TextField {
  int nOffset;
  int nSize;
};
// A LOGFONT (table Font).
struct FontField {
  int nOffset;
};

struct Header {
  static constexpr int kSize = 1024;
  static constexpr char kMagic[] = "BVX";  // at 0, without its zero
  static constexpr int kMagicSize = 3;
  static constexpr Field<std::int32_t> version{3};        // 2; any other: the older layout
  static constexpr Field<std::int32_t> zero{7};           // 0
  static constexpr Field<std::int32_t> build{11};         // 1
  static constexpr Field<std::int32_t> spectra{15};       // number of spectra
  static constexpr Field<std::int16_t> one{19};           // 1
  static constexpr int kDecoded = 21;                     // the part the reader decodes first
  // The height of the view's client area the layout was saved in, pixels;
  // 0 (older files, a document saved without a view): not known.
  static constexpr Field<std::int32_t> viewHeight{24};
  static constexpr Field<std::uint32_t> background{512};  // written; the reader takes the profile's
};

// The head of a spectrum's block; zeros follow it up to kBlockHead.
struct Record {
  static constexpr int kSize = 168;
  static constexpr Field<std::int32_t> length{0};  // Trailer::kSize + 4 td + 16 I + 152 L
  static constexpr Field<std::int32_t> td{4};
  static constexpr Field<double> sw{8};
  static constexpr Field<double> sf{16};
  static constexpr Field<double> phase0{24};  // applied phases, radians
  static constexpr Field<double> phase1{32};
  static constexpr Field<std::int32_t> dspfvs{40};
  static constexpr Field<std::int32_t> decim{44};
  static constexpr Field<double> offset{48};
  static constexpr Field<std::int32_t> aqmode{56};
  static constexpr Field<std::int32_t> complex{60};     // 0 or 1
  static constexpr Field<std::int32_t> conjugate{64};   // 0 or 1
  static constexpr Field<double> grpdly{68};            // digital-filter group delay, points; 0 none
  static constexpr Field<double> acquisitionTime{76};   // seconds over td; 0 (older files): td / (2 sw)
  static constexpr Field<std::int32_t> acquiredTd{84};  // floats acquired, less than td; 0 (older files): all
  static constexpr Field<std::int32_t> zeroLine{88};    // in 1/10000 of the view height
  static constexpr Field<std::uint32_t> trace{92};      // COLORREF
  static constexpr Field<float> verticalScale{96};
  static constexpr Field<float> intensityStep{100};
  static constexpr Field<std::int32_t> first{104};  // visible range
  static constexpr Field<std::int32_t> last{108};
  static constexpr Field<std::int32_t> leftPixel{112};
  static constexpr Field<std::int32_t> rightPixel{116};
  static constexpr Field<std::int32_t> axisUnits{120};
  static constexpr Field<std::int32_t> axisPosition{124};
  static constexpr Field<std::int32_t> axisFontHeight{128};
  static constexpr Field<std::uint32_t> axisColour{132};
  static constexpr Field<std::int32_t> axisFloating{136};  // 0 or 1
  // A transformed spectrum (0 in older files: the data are taken for a FID)
  // and its FID's complex flag, mode and conjugate flag, which the inverse
  // transform needs.
  static constexpr Field<std::int32_t> transformed{140};  // 0 or 1
  static constexpr Field<std::int32_t> fidComplex{144};   // 0 or 1
  static constexpr Field<std::int32_t> fidAqmode{148};
  static constexpr Field<std::int32_t> fidConjugate{152};  // 0 or 1
  // 156: 4 bytes reserved
  static constexpr Field<std::int32_t> integrals{160};  // I
  static constexpr Field<std::int32_t> labels{164};     // L
};
const int kBlockHead = 512;  // record and its padding

struct Font {
  static constexpr int kSize = 60;
  static constexpr Field<std::int32_t> height{0};
  static constexpr Field<std::int32_t> width{4};
  static constexpr Field<std::int32_t> escapement{8};
  static constexpr Field<std::int32_t> orientation{12};
  static constexpr Field<std::int32_t> weight{16};
  static constexpr Field<BYTE> italic{20};
  static constexpr Field<BYTE> underline{21};
  static constexpr Field<BYTE> strikeOut{22};
  static constexpr Field<BYTE> charSet{23};
  static constexpr Field<BYTE> outPrecision{24};
  static constexpr Field<BYTE> clipPrecision{25};
  static constexpr Field<BYTE> quality{26};
  static constexpr Field<BYTE> pitchAndFamily{27};
  static constexpr TextField face{28, LF_FACESIZE};
};

// The fixed part of the trailer, after the data.
struct Trailer {
  static constexpr int kSize = 76;
  static constexpr FontField axisFont{0};
  static constexpr Field<double> integralNorm{60};
  static constexpr Field<std::int32_t> scaleNum{68};  // integral curve scale
  static constexpr Field<std::int32_t> scaleDen{72};
};

struct IntegralRecord {
  static constexpr int kSize = 16;
  static constexpr Field<std::int32_t> start{0};  // float indices
  static constexpr Field<std::int32_t> end{4};
  static constexpr Field<std::int32_t> base{8};  // base height
  static constexpr Field<std::uint32_t> colour{12};
};

struct LabelRecord {
  static constexpr int kSize = 152;
  static constexpr TextField text{0, 80};
  static constexpr Field<std::int32_t> x{80};
  static constexpr Field<std::int32_t> y{84};
  static constexpr FontField font{88};
  static constexpr Field<std::uint32_t> colour{148};
};

// After the last block, only when the document holds embedded objects: the
// magic, then the length of the items block, then the block itself (its
// inside is the program's affair, see framework/base/ItemRecords.h).
struct ItemsTrailer {
  static constexpr int kSize = 12;
  static constexpr char kMagic[] = "BVXITEMS";  // at 0, without its zero
  static constexpr int kMagicSize = 8;
  static constexpr Field<std::uint32_t> length{8};
};

// The parameters of the older layout, read only.
struct OlderParams {
  static constexpr int kOffset = 256;
  static constexpr int kSize = 72;
  static constexpr Field<std::int16_t> mode{0};
  static constexpr Field<double> sw{8};
  static constexpr Field<double> sf{16};
  static constexpr Field<double> offset{24};
  static constexpr Field<std::int32_t> td{32};
  static constexpr Field<std::int32_t> decim{64};
  static constexpr Field<std::int32_t> dspfvs{68};
};

// Each table's last field ends its record.
static_assert(Header::one.nOffset + 2 == Header::kDecoded, "header");
static_assert(Record::labels.nOffset + 4 == Record::kSize && Record::kSize <= kBlockHead, "record");
static_assert(Font::face.nOffset + Font::face.nSize == Font::kSize, "font");
static_assert(Trailer::scaleDen.nOffset + 4 == Trailer::kSize, "trailer");
static_assert(IntegralRecord::colour.nOffset + 4 == IntegralRecord::kSize, "integral");
static_assert(LabelRecord::font.nOffset + Font::kSize == LabelRecord::colour.nOffset &&
                  LabelRecord::colour.nOffset + 4 == LabelRecord::kSize,
              "label");
static_assert(OlderParams::dspfvs.nOffset + 4 == OlderParams::kSize, "older parameters");
static_assert(ItemsTrailer::length.nOffset + 4 == ItemsTrailer::kSize, "items trailer");

std::int16_t Get(const BYTE* p, Field<std::int16_t> f) {
  return ReadI16LE(p + f.nOffset);
}
std::int32_t Get(const BYTE* p, Field<std::int32_t> f) {
  return ReadI32LE(p + f.nOffset);
}
std::uint32_t Get(const BYTE* p, Field<std::uint32_t> f) {
  return ReadU32LE(p + f.nOffset);
}
float Get(const BYTE* p, Field<float> f) {
  return ReadF32LE(p + f.nOffset);
}
double Get(const BYTE* p, Field<double> f) {
  return ReadF64LE(p + f.nOffset);
}
BYTE Get(const BYTE* p, Field<BYTE> f) {
  return p[f.nOffset];
}
CString Get(const BYTE* p, TextField f) {
  return CString((LPCSTR)(p + f.nOffset), f.nSize - 1);
}

void Put(BYTE* p, Field<std::int16_t> f, std::int16_t v) {
  WriteI16LE(p + f.nOffset, v);
}
void Put(BYTE* p, Field<std::int32_t> f, std::int32_t v) {
  WriteI32LE(p + f.nOffset, v);
}
void Put(BYTE* p, Field<std::uint32_t> f, std::uint32_t v) {
  WriteU32LE(p + f.nOffset, v);
}
void Put(BYTE* p, Field<float> f, float v) {
  WriteF32LE(p + f.nOffset, v);
}
void Put(BYTE* p, Field<double> f, double v) {
  WriteF64LE(p + f.nOffset, v);
}
void Put(BYTE* p, Field<BYTE> f, BYTE v) {
  p[f.nOffset] = v;
}
// At most nSize - 1 characters of the text, the rest zero.
void Put(BYTE* p, TextField f, LPCSTR psz) {
  BYTE* q = p + f.nOffset;
  std::memset(q, 0, (std::size_t)f.nSize);
  for (int i = 0; i < f.nSize - 1 && psz[i] != '\0'; i++)
    q[i] = (BYTE)psz[i];
}

void Get(const BYTE* p, FontField f, LOGFONT& lf) {
  const BYTE* q = p + f.nOffset;
  lf.lfHeight = Get(q, Font::height);
  lf.lfWidth = Get(q, Font::width);
  lf.lfEscapement = Get(q, Font::escapement);
  lf.lfOrientation = Get(q, Font::orientation);
  lf.lfWeight = Get(q, Font::weight);
  lf.lfItalic = Get(q, Font::italic);
  lf.lfUnderline = Get(q, Font::underline);
  lf.lfStrikeOut = Get(q, Font::strikeOut);
  lf.lfCharSet = Get(q, Font::charSet);
  lf.lfOutPrecision = Get(q, Font::outPrecision);
  lf.lfClipPrecision = Get(q, Font::clipPrecision);
  lf.lfQuality = Get(q, Font::quality);
  lf.lfPitchAndFamily = Get(q, Font::pitchAndFamily);
  std::memcpy(lf.lfFaceName, q + Font::face.nOffset, LF_FACESIZE);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void Put(BYTE* p, FontField f, const LOGFONT& lf) {
  BYTE* q = p + f.nOffset;
  Put(q, Font::height, lf.lfHeight);
  Put(q, Font::width, lf.lfWidth);
  Put(q, Font::escapement, lf.lfEscapement);
  Put(q, Font::orientation, lf.lfOrientation);
  Put(q, Font::weight, lf.lfWeight);
  Put(q, Font::italic, lf.lfItalic);
  Put(q, Font::underline, lf.lfUnderline);
  Put(q, Font::strikeOut, lf.lfStrikeOut);
  Put(q, Font::charSet, lf.lfCharSet);
  Put(q, Font::outPrecision, lf.lfOutPrecision);
  Put(q, Font::clipPrecision, lf.lfClipPrecision);
  Put(q, Font::quality, lf.lfQuality);
  Put(q, Font::pitchAndFamily, lf.lfPitchAndFamily);
  char szFace[LF_FACESIZE + 1];
  std::memcpy(szFace, lf.lfFaceName, LF_FACESIZE);
  szFace[LF_FACESIZE] = '\0';
  Put(q, Font::face, szFace);
}

// No 1D data set comes near these; larger counts are damage.
const int kMaxTd = 1 << 24;
const int kMaxIntegrals = 65536;
const int kMaxLabels = 65536;
// An items block larger than this is damage.
const std::uint32_t kMaxItemsBlock = 512u * 1024u * 1024u;
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

// a / b rounded away from zero, for b > 0: the inverse of the writer's
// division, which rounds towards zero.
long long DivideAwayFromZero(long long a, long long b) {
  return a >= 0 ? (a + b - 1) / b : -((-a + b - 1) / b);
}

double FiniteOr(double d, double dDefault) {
  return std::isfinite(d) ? d : dDefault;
}

// Spectra read from a file before they join the document; deleted unless
// the whole file was read. Each keeps its stored zero line until the view
// it goes to has its final size.
class CPendingSpectra {
 public:
  ~CPendingSpectra() {
    for (const Pending& p : m_spectra)
      delete p.s;
  }
  void Add(CSpectrum* s) {
    m_spectra.reserve(m_spectra.size() + 1);
    m_spectra.push_back({s, FALSE, 0});
  }
  void SetZeroLine(std::int32_t nZeroLine) {
    m_spectra.back().bLaidOut = TRUE;
    m_spectra.back().nZeroLine = nZeroLine;
  }

  struct Pending {
    CSpectrum* s;
    BOOL bLaidOut;           // the file gives its layout (the older one does not)
    std::int32_t nZeroLine;  // in 1/10000 of the saved view's height
  };
  std::vector<Pending> Release() {
    std::vector<Pending> v;
    v.swap(m_spectra);
    return v;
  }

 private:
  std::vector<Pending> m_spectra;
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

// The display state a record keeps besides the parameters and the zero
// line (which waits for the view, PlaceInView).
void DecodeRecord(const BYTE* rec, CSpectrum* s) {
  s->m_dPhase0 = FiniteOr(Get(rec, Record::phase0), 0.0);
  s->m_dPhase1 = FiniteOr(Get(rec, Record::phase1), 0.0);
  SetVisibleRange(s, Get(rec, Record::first), Get(rec, Record::last));
  s->m_nLeftPixel = Get(rec, Record::leftPixel);
  s->m_nRightPixel = Get(rec, Record::rightPixel);
  s->m_crTrace = Get(rec, Record::trace);
  int nUnits = Get(rec, Record::axisUnits);
  s->m_Scale.m_nUnits = (nUnits >= AXIS_UNITS_POINTS && nUnits <= AXIS_UNITS_PPM) ? nUnits : AXIS_UNITS_POINTS;
  float fScale = Get(rec, Record::verticalScale);
  float fStep = Get(rec, Record::intensityStep);
  if (std::isfinite(fScale))
    s->m_fVerticalScale = fScale;
  if (std::isfinite(fStep))
    s->m_fIntensityStep = fStep;
  s->m_Scale.m_nBaseFontHeight = Get(rec, Record::axisFontHeight);
  s->m_Scale.m_crAxis = Get(rec, Record::axisColour);
  s->m_Scale.SetFloating(Get(rec, Record::axisFloating) != 0);
  s->m_Scale.SetPosition(Get(rec, Record::axisPosition));
  if (Get(rec, Record::transformed) != 0) {
    s->m_bTransformed = 1;
    s->m_paramsB.bComplex = Get(rec, Record::fidComplex) != 0 ? 1 : 0;
    s->m_paramsB.aqmode = Get(rec, Record::fidAqmode) == 1 ? 1 : 0;
    s->m_paramsB.bConjugate = Get(rec, Record::fidConjugate) != 0 ? 1 : 0;
  }
}

}  // namespace

// Where a spectrum read from a file goes in the view. Its zero line, kept
// relative to the height of the view it was saved from, comes back in that
// view (the very line that was saved: the writer's division rounds towards
// zero, this one away from it); then every height of the layout follows
// this view's height as it would have followed the saved view's being
// resized to it. A file that does not know that height has its zero line
// taken relative to this view and the other heights as they stand.
void CBrivaneProDoc::PlaceInView(CSpectrum& s, int nZeroLine, int nSavedHeight, int nViewHeight) {
  const long long nHeight = nSavedHeight > 0 ? nSavedHeight : nViewHeight;
  const int z = ClampToInt(DivideAwayFromZero(nHeight * nZeroLine, 10000));
  s.m_rectPlot.top = ClampToInt((long long)z - 5);
  s.m_rectPlot.bottom = ClampToInt((long long)z + 5);
  if (nSavedHeight > 0 && nViewHeight > 0 && nViewHeight != nSavedHeight)
    RescaleSpectrumLayout(s, 1.0, (double)nViewHeight / nSavedHeight);
}

namespace {

void EncodeRecord(BYTE* rec, const CSpectrum* s, int td, long long nLength, int nIntegrals, int nLabels,
                  long long nClientHeight) {
  Put(rec, Record::length, (std::int32_t)nLength);
  Put(rec, Record::td, td);
  Put(rec, Record::sw, s->m_paramsA.sw);
  Put(rec, Record::sf, s->m_paramsA.sf);
  Put(rec, Record::phase0, s->m_dPhase0);
  Put(rec, Record::phase1, s->m_dPhase1);
  Put(rec, Record::dspfvs, s->m_paramsA.DSPFVS);
  Put(rec, Record::decim, s->m_paramsA.DECIM);
  Put(rec, Record::offset, s->m_paramsA.offset);
  Put(rec, Record::aqmode, s->m_paramsA.aqmode);
  Put(rec, Record::complex, s->m_paramsA.bComplex ? 1 : 0);
  Put(rec, Record::conjugate, s->m_paramsA.bConjugate ? 1 : 0);
  Put(rec, Record::grpdly, s->m_paramsA.GRPDLY);
  Put(rec, Record::acquisitionTime, s->m_paramsA.aq);
  const int nAcquired = s->m_paramsA.acquiredTd;
  Put(rec, Record::acquiredTd, nAcquired > 0 && nAcquired < td ? nAcquired : 0);
  // Without a view the middle of the view is written.
  long long nMiddle = ((long long)s->m_rectPlot.top + s->m_rectPlot.bottom) / 2;
  Put(rec, Record::zeroLine, nClientHeight > 0 ? ClampToInt(nMiddle * 10000 / nClientHeight) : 5000);
  Put(rec, Record::trace, s->m_crTrace);
  Put(rec, Record::verticalScale, s->m_fVerticalScale);
  Put(rec, Record::intensityStep, s->m_fIntensityStep);
  Put(rec, Record::first, s->m_nFirst);
  Put(rec, Record::last, s->m_nLast);
  Put(rec, Record::leftPixel, s->m_nLeftPixel);
  Put(rec, Record::rightPixel, s->m_nRightPixel);
  Put(rec, Record::axisUnits, s->m_Scale.m_nUnits);
  Put(rec, Record::axisPosition, s->m_Scale.GetPosition());
  Put(rec, Record::axisFontHeight, s->m_Scale.m_nBaseFontHeight);
  Put(rec, Record::axisColour, s->m_Scale.m_crAxis);
  Put(rec, Record::axisFloating, s->m_Scale.IsFloating() ? 1 : 0);
  if (s->m_bTransformed) {
    Put(rec, Record::transformed, 1);
    Put(rec, Record::fidComplex, s->m_paramsB.bComplex ? 1 : 0);
    Put(rec, Record::fidAqmode, s->m_paramsB.aqmode == 1 ? 1 : 0);
    Put(rec, Record::fidConjugate, s->m_paramsB.bConjugate ? 1 : 0);
  }
  Put(rec, Record::integrals, nIntegrals);
  Put(rec, Record::labels, nLabels);
}

// What the magic and the version made of a file.
enum BvxKind { bvxForeign, bvxCurrent, bvxOlder };

class CBvxReader {
 public:
  CBvxReader(CFile& file, BvxKind& kind) : m_file(file), m_kind(kind) { m_nLength = file.GetLength(); }

  // Reads the file into pending spectra; FALSE with the reason in m_strError.
  BOOL Read(CPendingSpectra& pending);

  CString m_strError;
  int m_nViewHeight = 0;         // the saved view's height; 0 when not known
  std::vector<BYTE> m_items;     // the items block, when the file has one
  BOOL m_bItemsDamaged = FALSE;  // it has one that could not be read

 private:
  BOOL Fail(LPCSTR psz) {
    m_strError = psz;
    return FALSE;
  }
  void ThrowEndOfFile() { AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath()); }
  BOOL ReadBlock(ULONGLONG& nOffset, CPendingSpectra& pending);
  BOOL DecodeTrailer(CByteReader& r, CSpectrum* s, long long nIntegrals, long long nLabels);
  BOOL ReadOlderLayout(CPendingSpectra& pending);
  // The items trailer at nOffset, if any; damage there spares the spectra.
  void ReadItems(ULONGLONG nOffset);
  void ReadFloats(CSpectrum* s, ULONGLONG nOffset);

  CFile& m_file;
  ULONGLONG m_nLength;
  BvxKind& m_kind;
};

// No window is taller than this; a larger stored height is damage, and the
// layout is then taken as a file without one gives it.
const int kMaxViewSize = 32767;

BOOL CBvxReader::Read(CPendingSpectra& pending) {
  BYTE header[Header::kDecoded] = {};
  std::size_t nHave = m_nLength < (ULONGLONG)Header::kDecoded ? (std::size_t)m_nLength : Header::kDecoded;
  ReadAt(m_file, 0, header, nHave);
  if (nHave < (std::size_t)Header::kMagicSize || std::memcmp(header, Header::kMagic, Header::kMagicSize) != 0)
    return Fail(kUnexpectedFormat);
  m_kind = bvxCurrent;
  if (nHave < (std::size_t)Header::kDecoded)
    ThrowEndOfFile();
  if (Get(header, Header::version) != 2) {
    m_kind = bvxOlder;
    return ReadOlderLayout(pending);
  }
  if (Get(header, Header::build) != 1)
    return Fail(kBuildOutOfDate);
  if (m_nLength < (ULONGLONG)Header::kSize)
    ThrowEndOfFile();
  BYTE head[Header::viewHeight.nOffset + 4];
  ReadAt(m_file, 0, head, sizeof head);
  const std::int32_t nViewHeight = Get(head, Header::viewHeight);
  if (nViewHeight > 0 && nViewHeight <= kMaxViewSize)
    m_nViewHeight = nViewHeight;

  // Every block holds at least its head, its trailer and two floats.
  long long nCount = Get(header, Header::spectra);
  const long long nSmallestBlock = kBlockHead + Trailer::kSize + 8;
  long long nRoom = (long long)m_nLength > Header::kSize ? (long long)m_nLength - Header::kSize : 0;
  if (nCount < 0 || nCount > nRoom / nSmallestBlock)
    return Fail(kBadCount);

  ULONGLONG nOffset = Header::kSize;
  for (long long k = 0; k < nCount; k++)
    if (!ReadBlock(nOffset, pending))
      return FALSE;
  ReadItems(nOffset);
  return TRUE;
}

void CBvxReader::ReadItems(ULONGLONG nOffset) {
  if (nOffset >= m_nLength)
    return;
  // Nothing but a whole trailer follows the blocks in a file of ours.
  m_bItemsDamaged = TRUE;
  if (m_nLength - nOffset < (ULONGLONG)ItemsTrailer::kSize)
    return;
  BYTE head[ItemsTrailer::kSize];
  ReadAt(m_file, nOffset, head, sizeof head);
  if (std::memcmp(head, ItemsTrailer::kMagic, ItemsTrailer::kMagicSize) != 0)
    return;
  std::uint32_t nSize = Get(head, ItemsTrailer::length);
  if (nSize > kMaxItemsBlock || nSize > m_nLength - nOffset - ItemsTrailer::kSize)
    return;
  m_items.resize(nSize);
  if (nSize > 0)
    ReadAt(m_file, nOffset + ItemsTrailer::kSize, m_items.data(), nSize);
  m_bItemsDamaged = FALSE;
}

BOOL CBvxReader::ReadBlock(ULONGLONG& nOffset, CPendingSpectra& pending) {
  if (nOffset + kBlockHead > m_nLength)
    ThrowEndOfFile();
  BYTE rec[Record::kSize];
  ReadAt(m_file, nOffset, rec, sizeof rec);

  long long nLength = Get(rec, Record::length);
  long long td = Get(rec, Record::td);
  long long nIntegrals = Get(rec, Record::integrals);
  long long nLabels = Get(rec, Record::labels);
  if (td < 2 || td > kMaxTd || td % 2 != 0)
    return Fail(kBadPoints);
  if (nIntegrals < 0 || nIntegrals > kMaxIntegrals || nLabels < 0 || nLabels > kMaxLabels)
    return Fail(kBadCount);
  long long nExpected = Trailer::kSize + 4 * td + IntegralRecord::kSize * nIntegrals + LabelRecord::kSize * nLabels;
  if (nLength != nExpected)
    return Fail(kBadLength);
  if (nOffset + kBlockHead + (ULONGLONG)nLength > m_nLength)
    ThrowEndOfFile();

  CSpectrumParams params;
  params.td = (int)td;
  params.sw = FiniteOr(Get(rec, Record::sw), 0.0);
  params.sf = FiniteOr(Get(rec, Record::sf), 0.0);
  params.DSPFVS = Get(rec, Record::dspfvs);
  params.DECIM = Get(rec, Record::decim);
  params.offset = FiniteOr(Get(rec, Record::offset), 0.0);
  params.aqmode = Get(rec, Record::aqmode);
  params.bComplex = Get(rec, Record::complex) != 0 ? 1 : 0;
  params.bConjugate = Get(rec, Record::conjugate) != 0 ? 1 : 0;
  // Files that kept these bytes reserved hold 0: no delay, and an
  // acquisition time found from td and sw.
  const double dGroupDelay = Get(rec, Record::grpdly);
  params.GRPDLY = std::isfinite(dGroupDelay) && dGroupDelay > 0.0 ? dGroupDelay : 0.0;
  const double dAq = Get(rec, Record::acquisitionTime);
  params.aq = std::isfinite(dAq) && dAq > 0.0 ? dAq : 0.0;
  const long long nAcquired = Get(rec, Record::acquiredTd);
  params.acquiredTd = nAcquired > 0 && nAcquired < td ? (int)nAcquired : 0;

  CSpectrum* s = new CSpectrum(params);
  pending.Add(s);
  DecodeRecord(rec, s);
  pending.SetZeroLine(Get(rec, Record::zeroLine));

  if (!AllocateData(s))
    return Fail(kMemoryExhausted);
  ULONGLONG nData = nOffset + kBlockHead;
  ReadFloats(s, nData);

  std::vector<BYTE> trailer((std::size_t)(nLength - 4 * td));
  ReadAt(m_file, nData + 4 * (ULONGLONG)td, trailer.data(), trailer.size());
  CByteReader r(trailer.data(), trailer.size(), ByteOrder::LittleEndian);
  if (!DecodeTrailer(r, s, nIntegrals, nLabels))
    return FALSE;

  nOffset += kBlockHead + (ULONGLONG)nLength;
  return TRUE;
}

BOOL CBvxReader::DecodeTrailer(CByteReader& r, CSpectrum* s, long long nIntegrals, long long nLabels) {
  // The length check sized the trailer for exactly these records.
  const BYTE* p = r.Take(Trailer::kSize);
  if (p == nullptr)
    return Fail(kBadLength);
  Get(p, Trailer::axisFont, s->m_Scale.m_lf);
  s->m_dIntegralNorm = FiniteOr(Get(p, Trailer::integralNorm), 0.0);
  s->m_nIntegralScaleNum = Get(p, Trailer::scaleNum);
  s->m_nIntegralScaleDen = Get(p, Trailer::scaleDen);
  if (s->m_nIntegralScaleDen == 0)  // a divisor of the integral curves
    s->m_nIntegralScaleDen = 100;

  const int td = s->m_paramsA.td;
  long long nCovered = 0;
  for (long long i = 0; i < nIntegrals; i++) {
    if ((p = r.Take(IntegralRecord::kSize)) == nullptr)
      return Fail(kBadLength);
    int nStart = Get(p, IntegralRecord::start);
    int nEnd = Get(p, IntegralRecord::end);
    // Regions lie inside the spectrum.
    nStart = nStart < 0 ? 0 : (nStart > td ? td : nStart);
    nEnd = nEnd < 0 ? 0 : (nEnd > td ? td : nEnd);
    // A region stored the wrong way round is the same region.
    if (nStart > nEnd)
      std::swap(nStart, nEnd);
    nCovered += (nEnd > nStart ? nEnd - nStart : nStart - nEnd);
    if (nCovered > kMaxIntegralCover * td)
      return Fail(kBadCount);
    CIntegral* pIntegral = new CIntegral(s, nStart, nEnd, Get(p, IntegralRecord::base), Get(p, IntegralRecord::colour));
    s->m_arrIntegrals.Add(pIntegral);
  }
  for (long long i = 0; i < nLabels; i++) {
    if ((p = r.Take(LabelRecord::kSize)) == nullptr)
      return Fail(kBadLength);
    int x = Get(p, LabelRecord::x);
    int y = Get(p, LabelRecord::y);
    LOGFONT lf;
    Get(p, LabelRecord::font, lf);
    // Attached to the spectrum with the stored x as it is: the pixel
    // conversion of an attached label would be undone at once.
    CTextLabel* pLabel = new CTextLabel(Get(p, LabelRecord::text), &lf, s, 0, FALSE, x, y);
    s->m_arrLabels.Add(pLabel);
    pLabel->m_bAttached = 1;
    pLabel->m_x = x;
    pLabel->m_y = y;
    pLabel->m_crText = Get(p, LabelRecord::colour);
  }
  return TRUE;
}

void EncodeTrailer(BYTE* p, const CSpectrum* s, int nIntegrals, int nLabels) {
  Put(p, Trailer::axisFont, s->m_Scale.m_lf);
  Put(p, Trailer::integralNorm, s->m_dIntegralNorm);
  Put(p, Trailer::scaleNum, s->m_nIntegralScaleNum);
  Put(p, Trailer::scaleDen, s->m_nIntegralScaleDen);
  p += Trailer::kSize;
  for (int i = 0; i < nIntegrals; i++, p += IntegralRecord::kSize) {
    const CIntegral* pIntegral = static_cast<const CIntegral*>(s->m_arrIntegrals.GetAt(i));
    Put(p, IntegralRecord::start, pIntegral->m_nStart);
    Put(p, IntegralRecord::end, pIntegral->m_nEnd);
    Put(p, IntegralRecord::base, pIntegral->m_nBase);
    Put(p, IntegralRecord::colour, pIntegral->m_crColour);
  }
  for (int i = 0; i < nLabels; i++, p += LabelRecord::kSize) {
    const CTextLabel* pLabel = static_cast<const CTextLabel*>(s->m_arrLabels.GetAt(i));
    Put(p, LabelRecord::text, pLabel->m_strText);
    Put(p, LabelRecord::x, pLabel->m_x);
    Put(p, LabelRecord::y, pLabel->m_y);
    Put(p, LabelRecord::font, pLabel->m_lf);
    Put(p, LabelRecord::colour, pLabel->m_crText);
  }
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
  BYTE area[OlderParams::kSize];
  if (m_nLength < (ULONGLONG)Header::kSize)
    ThrowEndOfFile();
  ReadAt(m_file, OlderParams::kOffset, area, sizeof area);
  long long td = Get(area, OlderParams::td);
  if (td < 2 || td > kMaxTd || td % 2 != 0)
    return Fail(kBadPoints);
  if ((ULONGLONG)Header::kSize + 8 * (ULONGLONG)td > m_nLength)
    ThrowEndOfFile();

  CSpectrumParams params;
  params.td = (int)td;
  params.sw = FiniteOr(Get(area, OlderParams::sw), 0.0);
  params.sf = FiniteOr(Get(area, OlderParams::sf), 0.0);
  params.offset = FiniteOr(Get(area, OlderParams::offset), 0.0);
  params.DECIM = Get(area, OlderParams::decim);
  params.DSPFVS = Get(area, OlderParams::dspfvs);
  params.aq = 0.0;
  params.bConjugate = 1;
  switch (Get(area, OlderParams::mode)) {
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
    ReadAt(m_file, Header::kSize + 8 * (ULONGLONG)i, chunk.data(), (std::size_t)n * 8);
    for (int k = 0; k < n; k++)
      s->m_pData[i + k] = (float)ReadF64LE(&chunk[(std::size_t)k * 8]);
  }
  std::memcpy(s->m_pRawData, s->m_pData, sizeof(float) * (std::size_t)td);
  return TRUE;
}

// One spectrum's block; chunk is the buffer of kChunkFloats data values.
void WriteBlock(CFile& file, const CSpectrum* s, long long nClientHeight, std::vector<BYTE>& chunk) {
  int td = s->m_paramsA.td > 0 ? s->m_paramsA.td : 0;
  int nIntegrals = s->m_arrIntegrals.GetSize();
  int nLabels = s->m_arrLabels.GetSize();
  long long nLength = Trailer::kSize + 4LL * td + (long long)IntegralRecord::kSize * nIntegrals +
                      (long long)LabelRecord::kSize * nLabels;
  if (nLength > 2147483647LL)
    AfxThrowMemoryException();

  std::vector<BYTE> block(kBlockHead, 0);
  EncodeRecord(block.data(), s, td, nLength, nIntegrals, nLabels, nClientHeight);
  file.Write(block.data(), (UINT)block.size());

  for (int i = 0; i < td; i += kChunkFloats) {
    int n = td - i < kChunkFloats ? td - i : kChunkFloats;
    for (int k = 0; k < n; k++)
      WriteF32LE(&chunk[(std::size_t)k * 4], s->m_pData != nullptr ? s->m_pData[i + k] : 0.0f);
    file.Write(chunk.data(), (UINT)n * 4);
  }

  std::vector<BYTE> trailer((std::size_t)(nLength - 4LL * td), 0);
  EncodeTrailer(trailer.data(), s, nIntegrals, nLabels);
  file.Write(trailer.data(), (UINT)trailer.size());
}

// The items trailer; nothing without items, so such files stay as they were.
void WriteItems(CFile& file, const std::vector<BYTE>& items) {
  if (items.empty())
    return;
  if (items.size() > kMaxItemsBlock)
    AfxThrowMemoryException();
  BYTE head[ItemsTrailer::kSize];
  std::memcpy(head, ItemsTrailer::kMagic, ItemsTrailer::kMagicSize);
  Put(head, ItemsTrailer::length, (std::uint32_t)items.size());
  file.Write(head, sizeof head);
  file.Write(items.data(), (UINT)items.size());
}

}  // namespace

BOOL CBrivaneProDoc::ReadNativeFile(LPCSTR pszPath, BOOL* pbOwnFile) {
  CPendingSpectra pending;
  CString strError;
  BOOL bRead = FALSE;
  std::vector<BYTE> items;
  BOOL bItemsDamaged = FALSE;
  int nSavedHeight = 0;
  BvxKind kind = bvxForeign;  // known before a damaged file can throw
  CFile file;
  try {
    CFileException fe;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &fe)) {
      strError = ExceptionText(&fe);
    } else {
      CBvxReader reader(file, kind);
      bRead = reader.Read(pending);
      strError = reader.m_strError;
      items.swap(reader.m_items);
      bItemsDamaged = reader.m_bItemsDamaged;
      nSavedHeight = reader.m_nViewHeight;
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
  if (pbOwnFile != nullptr)
    *pbOwnFile = kind != bvxForeign;
  if (!bRead) {
    SetOpenFailure(strError);
    return FALSE;
  }
  // A document of the older layout leaves import type 0 chosen.
  if (kind == bvxOlder)
    GetAppState().m_nImportType = 0;

  std::vector<CPendingSpectra::Pending> spectra = pending.Release();
  // The scroll bar of the spectrum that becomes current comes or goes
  // first: it takes its room from the view, and the layout is converted to
  // the view as it then stays.
  if (!spectra.empty())
    ShowScrollBarFor(*spectra.back().s);
  RECT rcClient;
  const int nViewHeight = m_pHost->GetViewClientRect(&rcClient) ? rcClient.bottom - rcClient.top : 0;
  for (const CPendingSpectra::Pending& p : spectra) {
    if (p.bLaidOut)
      PlaceInView(*p.s, p.nZeroLine, nSavedHeight, nViewHeight);
    m_Spectra.AddTail(p.s);
    m_pCurrent = p.s;
  }
  if (!items.empty() || bItemsDamaged)
    m_pHost->TakeItemsBlock(items, bItemsDamaged);
  SetModified(TRUE);
  return TRUE;
}

BOOL CBrivaneProDoc::WriteNativeFile(LPCSTR pszPath) {
  // The zero line is kept relative to this document's view; without one the
  // middle of the view is written.
  RECT rcClient;
  const long long nHeight = m_pHost->GetViewClientRect(&rcClient) ? (long long)rcClient.bottom - rcClient.top : 0;

  CString strError;
  std::vector<BYTE> items;
  try {
    m_pHost->GetItemsBlock(items);
  } catch (CException* e) {
    strError = ExceptionText(e);
    e->Delete();
  } catch (std::bad_alloc&) {
    CMemoryException memory;
    strError = ExceptionText(&memory);
  }
  if (strError.IsEmpty()) {
    WriteFileReplacing(
        pszPath,
        [&](CFile& file) {
          std::vector<BYTE> head(Header::kSize, 0);
          std::memcpy(head.data(), Header::kMagic, Header::kMagicSize);
          Put(head.data(), Header::version, 2);
          Put(head.data(), Header::zero, 0);
          Put(head.data(), Header::build, 1);
          Put(head.data(), Header::spectra, m_Spectra.GetCount());
          Put(head.data(), Header::one, 1);
          if (nHeight > 0)
            Put(head.data(), Header::viewHeight, ClampToInt(nHeight));
          Put(head.data(), Header::background, m_crBackground);
          file.Write(head.data(), (UINT)head.size());

          std::vector<BYTE> chunk((std::size_t)kChunkFloats * 4);
          for (POSITION pos = m_Spectra.GetHeadPosition(); pos != nullptr;)
            WriteBlock(file, m_Spectra.GetSpectrum(pos), nHeight, chunk);
          WriteItems(file, items);
        },
        strError);
  }
  if (!strError.IsEmpty()) {
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
