// The peak labels of a spectrum: a tick over each picked peak and its
// position written vertically above the plot, moved right where labels
// would overlap. Registered with the spectrum drawing at the program's
// start.
#pragma once

class CDC;
class CSpectrum;

void DrawPeakLabels(CSpectrum* pSpectrum, CDC* pDC);
