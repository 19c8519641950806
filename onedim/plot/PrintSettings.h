// The application's print-out state that all drawing of spectra reads: the
// print margins, whether paper gets colours, and whether the clipboard
// picture is being drawn. The application owns the values; there is one set
// for the whole program.
#pragma once

#include "framework/base/WinTypes.h"

struct CPrintSettings {
  // Unprintable plus chosen margins of the printer page, in printer device
  // units: left, top, right, bottom.
  RECT rcMargins = {0, 0, 0, 0};
  BOOL bPrintInColour = FALSE;      // when off, paper and the picture get black traces and axes
  BOOL bPrintBorder = FALSE;        // a rectangle inside the margins
  BOOL bRenderingMetafile = FALSE;  // set while the clipboard picture is drawn
};

CPrintSettings& GetPrintSettings();
