// The drawing of a window function's weighting curve.
#pragma once

class CDC;
class CWindowFunction;

// Draws the curve with the function's pen over the pixel span left..right.
void DrawWindowFunctionCurve(const CWindowFunction& window, CDC* pDC, int left, int right);
