// Docking a control bar with the mouse. A docked bar with CBRS_GRIPPER is
// dragged by its gripper, a floating one by its small frame's caption; a
// dotted outline shows where it would go: along a side of the frame when the
// mouse is over that side's docked rows or near that edge of the frame's
// client, floating in a small frame anywhere else (over the client's middle,
// or off the frame). Escape or the right button leave the bar where it was.
// A double click on a floating bar's caption docks it back where it was
// docked before.
#pragma once

#include "framework/base/Rect.h"
#include "framework/win/Win32.h"

class CControlBar;
class CFrameWnd;

class CDockContext {
 public:
  // Tracks a drag that started at ptScreen on pBar's gripper or caption
  // (the left button is down) and docks or floats the bar where it ends.
  static void StartDrag(CControlBar* pBar, CPoint ptScreen);
  // A floating bar goes back to the side it was docked at last.
  static void DockBack(CControlBar* pBar);
  // Where a bar dropped at ptScreen goes: AFX_IDW_DOCKBAR_TOP ... for a
  // side, AFX_IDW_DOCKBAR_FLOAT to float.
  static UINT DockSideAt(CFrameWnd* pFrame, CControlBar* pBar, CPoint ptScreen);
};
