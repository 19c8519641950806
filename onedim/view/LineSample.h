// A static control that shows a line colour with a marker on it; a click
// picks another colour and tells the parent (message 0x2B40).
#pragma once

#include "framework/win/Controls.h"

// Sent to the parent when the user has picked a new colour; both parameters 0.
const UINT WM_LINE_SAMPLE_CHANGED = 0x2B40;

class CLineSample : public CStatic {
  DECLARE_DYNAMIC(CLineSample)

 public:
  CLineSample();
  ~CLineSample() override;

  // The line and the marker for a client rectangle; the paint handler's body.
  void DrawSample(CDC* pDC, const RECT& client);

  COLORREF m_crLine;
  int m_nShape;  // MARKER_CIRCLE or MARKER_DIAMOND

 protected:
  void PreSubclassWindow() override;
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
