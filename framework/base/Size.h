// A SIZE with arithmetic: an extent in logical or device units.
#pragma once

#include "framework/base/WinTypes.h"

class CSize : public SIZE {
 public:
  CSize() {
    cx = 0;
    cy = 0;
  }
  CSize(int initCX, int initCY) {
    cx = initCX;
    cy = initCY;
  }
  CSize(SIZE size) {
    cx = size.cx;
    cy = size.cy;
  }
  explicit CSize(POINT pt) {
    cx = pt.x;
    cy = pt.y;
  }

  void SetSize(int newCX, int newCY) {
    cx = newCX;
    cy = newCY;
  }

  bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  bool operator!=(SIZE size) const { return !(*this == size); }
  CSize& operator+=(SIZE size) {
    cx += size.cx;
    cy += size.cy;
    return *this;
  }
  CSize& operator-=(SIZE size) {
    cx -= size.cx;
    cy -= size.cy;
    return *this;
  }
  CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};
