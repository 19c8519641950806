// The drawing of a 2D data set (the drawing members of CSpectrum2D are
// defined beside this header) and what it takes from the application.
#pragma once

#include "framework/base/WinTypes.h"
#include "ndim/view/NdAxisDraw.h"

class CPalette;
class CSpectrum2D;

// What the drawing of every set takes from the application: whether the
// axes show, and their fonts. There is one for the whole program.
struct NdDrawSettings {
  bool bShowAxisF2 = true;
  bool bShowAxisF1 = true;
  // The axis fonts; null for the set's own label font in black.
  const NdAxisFont* pFontF2 = nullptr;
  const NdAxisFont* pFontF1 = nullptr;
};

NdDrawSettings& GetNdDrawSettings();

// The GDI palette of the set's ramp (256 entries).
BOOL CreateSpectrumPalette(const CSpectrum2D& set, CPalette& palette);
