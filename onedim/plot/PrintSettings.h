// The application's print-out state that all drawing of spectra reads: the
// print margins, whether paper gets colours, and whether the clipboard
// picture is being drawn. The application owns the values; there is one set
// for the whole program.
#pragma once

#include "framework/base/WinTypes.h"

struct CPrintSettings {
  // Margins chosen in the print preview, in printer device units, measured
  // in from the edges of the printable area: left, top, right, bottom.
  RECT rcMargins = {0, 0, 0, 0};
  // What the printer cannot print at the paper's edges, device units: its
  // printing offset (left, top) and what the physical page has beyond the
  // printable area (right, bottom). Measured whenever the view prints.
  RECT rcUnprintable = {0, 0, 0, 0};
  // The resolution (dots per inch) the margins are in; 0 until a printer
  // gave them one.
  SIZE sizeMarginDpi = {0, 0};
  BOOL bPrintInColour = FALSE;      // when off, paper and the picture get black traces and axes
  BOOL bPrintBorder = FALSE;        // a rectangle inside the margins
  BOOL bRenderingMetafile = FALSE;  // set while the clipboard picture is drawn
};

CPrintSettings& GetPrintSettings();
