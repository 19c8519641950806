// A label font that keeps its own LOGFONT and a text colour, so that it can
// be changed field by field, chosen in the font dialog with its colour and
// stored as one line of text. In the Windows build it also owns the GDI
// font, rebuilt by every setter (ColourFontWin.cpp); the font dialog is
// window code (ColourFontDialog.cpp).
#pragma once

#include "framework/base/String.h"
#include "framework/base/WinTypes.h"

#ifdef _WIN32
class CDC;
class CWnd;
#endif

class CColourFont {
 public:
  CColourFont();                             // 12-point Times New Roman, black
  explicit CColourFont(LPCSTR pszFaceName);  // the same with another face
  explicit CColourFont(const LOGFONT& lf);
  virtual ~CColourFont();

  // Setters store the value, rebuild the font and return the old value.
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

  // The colour; when a device context is held, it gets the colour too.
  void SetTextColour(COLORREF cr);
  COLORREF GetTextColour() const { return m_crText; }

  // One line of text: the thirteen numbers of the LOGFONT, the face and the
  // colour, separated by commas. SetFontString reads it back, rebuilds the
  // font and returns the colour.
  CString GetFontString() const;
  COLORREF SetFontString(LPCSTR pszText);

#ifdef _WIN32
  void SetDC(HDC hDC) {
    m_hDC = hDC;
  }
  HFONT GetSafeHandle() const {
    return m_hFont;
  }
  operator HFONT() const {
    return m_hFont;
  }
  // The font dialog on pFont's LOGFONT (or this one's) and this colour; OK
  // takes the chosen font and colour. Returns whether OK was pressed.
  BOOL ChooseFont(const CColourFont* pFont = nullptr, CDC* pPrinterDC = nullptr, CWnd* pParent = nullptr);
#endif

  LOGFONT m_lf;
  COLORREF m_crText;
#ifdef _WIN32
  HDC m_hDC;      // device context that a colour change also applies to
  HFONT m_hFont;  // always built from m_lf
#endif

 private:
  CColourFont(const CColourFont&) = delete;
  CColourFont& operator=(const CColourFont&) = delete;
  void SetDefaults(LPCSTR pszFaceName);
  // The platform half: the GDI font and the held DC's colour.
  void RebuildFont();
  void ReleaseFont();
  void ApplyTextColour();
};
