// The drawing of a 2D data set (the drawing members of CSpectrum2D are
// defined beside this header) and what it takes from the application.
#pragma once

#include "framework/base/WinTypes.h"
#include "framework/win/GdiObject.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/view/NdAxisDraw.h"
#include "onedim/model/ColourFont.h"

// What the drawing of every set takes from the application: whether the
// axes show, and the fonts of their labels. The application owns them.
struct NdDrawSettings {
  BYTE m_bShowF2Axis = 1;
  BYTE m_bShowF1Axis = 1;
  CColourFont m_fontF2{"Arial"};
  CColourFont m_fontF1{"Arial"};
};

// The settings every drawing reads: those the application gave, or the
// defaults while it has given none.
NdDrawSettings& GetNdDrawSettings();
// The application gives its own settings (null: back to the defaults).
void SetNdDrawSettings(NdDrawSettings* pSettings);

// The GDI palette of the set's ramp (256 entries).
BOOL CreateSpectrumPalette(const CSpectrum2D& set, CPalette& palette);

// The GDI palette a set keeps: its 256 colours, made again whenever they
// change. The plots draw true-colour bitmaps from the tables themselves, so
// no drawing selects it.
class CSpectrumPalette : public CSpectrumGdiPalette {
 public:
  void Rebuild(const CSpectrum2D& set) override { CreateSpectrumPalette(set, m_palette); }
  CPalette m_palette;
};
