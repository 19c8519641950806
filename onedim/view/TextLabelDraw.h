// The drawing of a text label.
#pragma once

class CDC;
class CTextLabel;

// Draws the text in its font and colour and keeps the rectangle it covers
// (on screen) in the label for hit testing.
void DrawTextLabel(CTextLabel& label, CDC* pDC);
