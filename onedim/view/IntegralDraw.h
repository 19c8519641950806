// The drawing of an integral: its running-sum curve, its value label with
// the bracket over the region, and its threshold line. Registered with the
// spectrum drawing at the program's start.
#pragma once

class CDC;
class CIntegral;

void DrawIntegral(CIntegral* pIntegral, CDC* pDC);
