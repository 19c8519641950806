// A label font: its own LOGFONT and a text colour, so that it can be changed
// field by field, chosen in the font dialog with its colour
// (onedim/dialogs/display/ColourFontDialog.h) and stored as one line of text.
// In the Windows builds it also holds the GDI font of its LOGFONT, which
// every setter rebuilds, so drawing selects it as it stands; the native
// build has no GDI and holds none.
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

class CColourFont {
 public:
  CColourFont();                             // 12-point Times New Roman, black
  explicit CColourFont(LPCSTR pszFaceName);  // the same with another face
  explicit CColourFont(const LOGFONT& lf);
  virtual ~CColourFont();

  // Setters store the value and return the old value.
  int SetHeight(int nHeight);
  int SetSize(int nSize);  // stores minus the absolute value: a character height
  int SetWidth(int nWidth);
  int SetEscapement(int nTenths);
  int SetOrientation(int nTenths);
  int SetWeight(int nWeight);
  BYTE SetCharSet(BYTE b);
  BYTE SetOutPrecision(BYTE b);
  BYTE SetClipPrecision(BYTE b);
  BYTE SetQuality(BYTE b);
  BYTE SetPitchAndFamily(BYTE b);
  CString SetFaceName(const CString& strFace);  // cut to 31 characters
  CString SetFaceName(LPCSTR pszFace);
  bool SetBold(bool bBold);  // 700 or 400; whether the old weight was bold
  BYTE SetItalic(BYTE b);
  BYTE SetUnderline(BYTE b);
  BYTE SetStrikeOut(BYTE b);
  void SetLogFont(const LOGFONT& lf);

  int GetHeight() const { return m_lf.lfHeight; }
  int GetWidth() const { return m_lf.lfWidth; }
  int GetEscapement() const { return m_lf.lfEscapement; }
  int GetOrientation() const { return m_lf.lfOrientation; }
  int GetWeight() const { return m_lf.lfWeight; }
  BYTE GetCharSet() const { return m_lf.lfCharSet; }
  BYTE GetOutPrecision() const { return m_lf.lfOutPrecision; }
  BYTE GetClipPrecision() const { return m_lf.lfClipPrecision; }
  BYTE GetQuality() const { return m_lf.lfQuality; }
  BYTE GetPitchAndFamily() const { return m_lf.lfPitchAndFamily; }
  CString GetFaceName() const { return CString(m_lf.lfFaceName); }
  bool IsBold() const { return m_lf.lfWeight >= 500; }
  bool IsItalic() const { return m_lf.lfItalic != 0; }
  bool IsUnderline() const { return m_lf.lfUnderline != 0; }
  bool IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
  const LOGFONT& GetLogFont() const { return m_lf; }

  // Also the text colour of the device context given to SetDC, if any.
  void SetTextColour(COLORREF cr);
  COLORREF GetTextColour() const { return m_crText; }
  void SetDC(HDC hDC) { m_hDC = hDC; }

  // The GDI font of the LOGFONT; null where there is no GDI.
  HFONT GetSafeHandle() const { return m_hFont; }

  // One line of text: the thirteen numbers of the LOGFONT, the face and the
  // colour, separated by commas. SetFontString reads it back and returns
  // the colour.
  CString GetFontString() const;
  COLORREF SetFontString(LPCSTR pszText);

  // Read them freely; change them through the setters, which keep the GDI
  // font in step.
  LOGFONT m_lf;
  COLORREF m_crText;

 private:
  CColourFont(const CColourFont&) = delete;
  CColourFont& operator=(const CColourFont&) = delete;
  void SetDefaults(LPCSTR pszFaceName);
  // The platform half (ColourFontWin32.cpp, ColourFontPosix.cpp): the GDI
  // font made again from the LOGFONT, freed, and the colour given to the DC.
  void RebuildFont();
  void FreeGdiFont();
  void ApplyTextColour();

  HFONT m_hFont = nullptr;
  HDC m_hDC = nullptr;
};

// One layout in every translation unit, window code included: a member that
// only some files or builds see stops the build here.
static_assert(sizeof(CColourFont) == (sizeof(void*) == 8 ? 88 : 76), "CColourFont layout");
