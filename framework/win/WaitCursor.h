// The hourglass for the life of a scope: for work that holds the message
// loop, such as a large redraw.
#pragma once

#include "framework/win/Win32.h"

class CWaitCursor {
 public:
  CWaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { ::SetCursor(m_hOld); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

 private:
  HCURSOR m_hOld;
};
