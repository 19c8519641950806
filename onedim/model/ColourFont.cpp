#include "onedim/model/ColourFont.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Takes the text up to the next comma off the front of rest; with no comma
// left the field is empty and rest stays as it is.
CString NextField(CString& rest) {
  int nComma = rest.Find(',');
  if (nComma < 0)
    return CString();
  CString field = rest.Left(nComma);
  rest = rest.Mid(nComma + 1);
  return field;
}

// atol without its overflow: the value wraps to 32 bits as the stored
// field does.
LONG ReadLong(const CString& field) {
  return (LONG)(DWORD)std::strtoll(field, nullptr, 10);
}
BYTE ReadByte(const CString& field) {
  return (BYTE)std::strtoll(field, nullptr, 10);
}

void CopyFace(LOGFONT& lf, LPCSTR pszFace) {
  std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
  if (pszFace != nullptr)
    std::strncpy(lf.lfFaceName, pszFace, LF_FACESIZE - 1);
}

template <class T>
T Exchange(T& field, T value) {
  T old = field;
  field = value;
  return old;
}

}  // namespace

CColourFont::CColourFont() {
  SetDefaults("Times New Roman");
  RebuildFont();
}

CColourFont::CColourFont(LPCSTR pszFaceName) {
  SetDefaults(pszFaceName);
  RebuildFont();
}

CColourFont::CColourFont(const LOGFONT& lf) {
  SetDefaults("");
  m_lf = lf;
  // A face read from elsewhere may lack its terminator.
  m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  RebuildFont();
}

CColourFont::~CColourFont() {
  FreeGdiFont();
}

void CColourFont::SetDefaults(LPCSTR pszFaceName) {
  std::memset(&m_lf, 0, sizeof(m_lf));
  m_lf.lfHeight = -12;
  m_lf.lfWeight = 400;
  m_lf.lfQuality = 2;
  m_lf.lfPitchAndFamily = 18;
  CopyFace(m_lf, pszFaceName);
  m_crText = RGB(0, 0, 0);
}

#define COLOUR_FONT_SETTER(Type, Name, field)                           \
  Type CColourFont::Name(Type value) {                                  \
    const Type old = Exchange<decltype(m_lf.field)>(m_lf.field, value); \
    RebuildFont();                                                      \
    return old;                                                         \
  }

COLOUR_FONT_SETTER(int, SetHeight, lfHeight)

int CColourFont::SetSize(int nSize) {
  long long nHeight = nSize < 0 ? nSize : -(long long)nSize;
  return SetHeight(nHeight < -2147483647LL ? -2147483647 : (int)nHeight);
}

COLOUR_FONT_SETTER(int, SetWidth, lfWidth)
COLOUR_FONT_SETTER(int, SetEscapement, lfEscapement)
COLOUR_FONT_SETTER(int, SetOrientation, lfOrientation)
COLOUR_FONT_SETTER(int, SetWeight, lfWeight)
COLOUR_FONT_SETTER(BYTE, SetCharSet, lfCharSet)
COLOUR_FONT_SETTER(BYTE, SetOutPrecision, lfOutPrecision)
COLOUR_FONT_SETTER(BYTE, SetClipPrecision, lfClipPrecision)
COLOUR_FONT_SETTER(BYTE, SetQuality, lfQuality)
COLOUR_FONT_SETTER(BYTE, SetPitchAndFamily, lfPitchAndFamily)
COLOUR_FONT_SETTER(BYTE, SetItalic, lfItalic)
COLOUR_FONT_SETTER(BYTE, SetUnderline, lfUnderline)
COLOUR_FONT_SETTER(BYTE, SetStrikeOut, lfStrikeOut)
#undef COLOUR_FONT_SETTER

CString CColourFont::SetFaceName(const CString& strFace) {
  return SetFaceName((LPCSTR)strFace);
}

CString CColourFont::SetFaceName(LPCSTR pszFace) {
  CString old(m_lf.lfFaceName);
  CopyFace(m_lf, pszFace);
  RebuildFont();
  return old;
}

bool CColourFont::SetBold(bool bBold) {
  bool bWasBold = IsBold();
  m_lf.lfWeight = bBold ? 700 : 400;
  RebuildFont();
  return bWasBold;
}

void CColourFont::SetLogFont(const LOGFONT& lf) {
  m_lf = lf;
  m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  RebuildFont();
}

void CColourFont::SetTextColour(COLORREF cr) {
  m_crText = cr;
  ApplyTextColour();
}

CString CColourFont::GetFontString() const {
  CString str;
  str.Format("%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%s,%u", (int)m_lf.lfHeight, (int)m_lf.lfWidth,
             (int)m_lf.lfEscapement, (int)m_lf.lfOrientation, (int)m_lf.lfWeight, m_lf.lfItalic, m_lf.lfUnderline,
             m_lf.lfStrikeOut, m_lf.lfCharSet, m_lf.lfOutPrecision, m_lf.lfClipPrecision, m_lf.lfQuality,
             m_lf.lfPitchAndFamily, m_lf.lfFaceName, (unsigned)m_crText);
  return str;
}

COLORREF CColourFont::SetFontString(LPCSTR pszText) {
  CString rest(pszText != nullptr ? pszText : "");
  m_lf.lfHeight = ReadLong(NextField(rest));
  m_lf.lfWidth = ReadLong(NextField(rest));
  m_lf.lfEscapement = ReadLong(NextField(rest));
  m_lf.lfOrientation = ReadLong(NextField(rest));
  m_lf.lfWeight = ReadLong(NextField(rest));
  m_lf.lfItalic = ReadByte(NextField(rest));
  m_lf.lfUnderline = ReadByte(NextField(rest));
  m_lf.lfStrikeOut = ReadByte(NextField(rest));
  m_lf.lfCharSet = ReadByte(NextField(rest));
  m_lf.lfOutPrecision = ReadByte(NextField(rest));
  m_lf.lfClipPrecision = ReadByte(NextField(rest));
  m_lf.lfQuality = ReadByte(NextField(rest));
  m_lf.lfPitchAndFamily = ReadByte(NextField(rest));
  CopyFace(m_lf, NextField(rest));
  // Written unsigned; read in full, so that colours with the top byte set
  // (the "automatic" colour) survive where atol would stop at LONG_MAX.
  RebuildFont();
  SetTextColour((COLORREF)(DWORD)std::strtoll(rest, nullptr, 10));
  return m_crText;
}
