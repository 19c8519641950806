// The drawing of integration regions: the shape of each kind and the value
// label beside it. On paper and in pictures the region's rectangle is
// carried by the set's print factors.
#pragma once

class CDC;
class CIntegrationBlock;
class CSpectrum2D;

// Rectangle or ellipse with no fill in the DC's pen; the rounded marker in
// the pen of its pen index.
void DrawIntegrationBlock(CIntegrationBlock& block, CDC* pDC, CSpectrum2D& set);
// The region's value relative to the reference region, at its right edge
// halfway down, in Courier New. The marker shape has none.
void DrawIntegrationLabel(CIntegrationBlock& block, CDC* pDC, CSpectrum2D& set);
