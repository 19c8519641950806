// A label font that keeps its own LOGFONT and a text colour, so that it can
// be changed field by field and stored as one line of text. The font handle
// exists only in the Windows build, where the drawing code builds it from
// the LOGFONT.
#pragma once

#include "framework/base/WinTypes.h"

class CColourFont {
 public:
  CColourFont();                             // 12-point Times New Roman, black
  explicit CColourFont(LPCSTR pszFaceName);  // the same with another face
  explicit CColourFont(const LOGFONT& lf);
  virtual ~CColourFont();

  const LOGFONT& GetLogFont() const { return m_lf; }
  COLORREF GetTextColour() const { return m_crText; }

  LOGFONT m_lf;
  COLORREF m_crText;
#ifdef _WIN32
  HDC m_hDC;      // device context that a colour change also applies to
  HFONT m_hFont;  // built from m_lf by the drawing code
#endif

 private:
  CColourFont(const CColourFont&) = delete;
  CColourFont& operator=(const CColourFont&) = delete;
  void SetDefaults(LPCSTR pszFaceName);
};
