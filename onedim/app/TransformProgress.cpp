#include "onedim/app/TransformProgress.h"

#include <windows.h>

void PumpTransformProgressMessages() {
  MSG msg;
  // One of each: a window that does not validate its update region would
  // otherwise keep a paint loop going for ever.
  if (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
    DispatchMessageA(&msg);
  if (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
    DispatchMessageA(&msg);
}
