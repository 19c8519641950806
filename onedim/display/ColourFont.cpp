#include "onedim/display/ColourFont.h"

#include <cstring>

CColourFont::CColourFont() { SetDefaults("Times New Roman"); }

CColourFont::CColourFont(LPCSTR pszFaceName) { SetDefaults(pszFaceName); }

CColourFont::CColourFont(const LOGFONT& lf) {
  SetDefaults("");
  m_lf = lf;
  // A face read from elsewhere may lack its terminator.
  m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

CColourFont::~CColourFont() = default;

void CColourFont::SetDefaults(LPCSTR pszFaceName) {
  std::memset(&m_lf, 0, sizeof(m_lf));
  m_lf.lfHeight = -12;
  m_lf.lfWeight = 400;
  m_lf.lfQuality = 2;
  m_lf.lfPitchAndFamily = 18;
  if (pszFaceName != nullptr)
    std::strncpy(m_lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
  m_crText = RGB(0, 0, 0);
#ifdef _WIN32
  m_hDC = nullptr;
  m_hFont = nullptr;
#endif
}
