// A POINT with arithmetic, passed wherever a POINT or LPPOINT is expected.
#pragma once

#include "framework/base/WinTypes.h"

class CSize;

class CPoint : public POINT {
 public:
  CPoint() {
    x = 0;
    y = 0;
  }
  CPoint(int initX, int initY) {
    x = initX;
    y = initY;
  }
  CPoint(POINT pt) {
    x = pt.x;
    y = pt.y;
  }
  // A point packed into an LPARAM or DWORD: low word x, high word y, both signed.
  explicit CPoint(DWORD dwPoint) {
    x = (short)LOWORD(dwPoint);
    y = (short)HIWORD(dwPoint);
  }

  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  void Offset(POINT pt) { Offset(pt.x, pt.y); }
  void SetPoint(int newX, int newY) {
    x = newX;
    y = newY;
  }

  operator LPPOINT() { return this; }

  bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
  bool operator!=(POINT pt) const { return !(*this == pt); }
  CPoint& operator+=(POINT pt) {
    Offset(pt);
    return *this;
  }
  CPoint& operator-=(POINT pt) {
    Offset(-pt.x, -pt.y);
    return *this;
  }
  CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
  CPoint operator-(POINT pt) const { return CPoint(x - pt.x, y - pt.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};
