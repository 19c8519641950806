// A RECT with the geometry the views and controls use. A rectangle holds its
// left and top edges and excludes its right and bottom edges, as GDI does.
#pragma once

#include "framework/base/Point.h"
#include "framework/base/Size.h"
#include "framework/base/WinTypes.h"

class CRect : public RECT {
 public:
  CRect() { SetRectEmpty(); }
  CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CRect(const RECT& rc) { CopyRect(&rc); }
  CRect(LPCRECT lprc) { CopyRect(lprc); }
  CRect(POINT topLeft, SIZE size) { SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy); }
  CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  // Empty: no area (zero or negative width or height).
  BOOL IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
  BOOL EqualRect(LPCRECT lprc) const {
    return left == lprc->left && top == lprc->top && right == lprc->right && bottom == lprc->bottom;
  }

  void SetRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(LPCRECT lprc) { SetRect(lprc->left, lprc->top, lprc->right, lprc->bottom); }

  void InflateRect(int dx, int dy) {
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
  }
  void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
  void InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void OffsetRect(int dx, int dy) {
    left += dx;
    top += dy;
    right += dx;
    bottom += dy;
  }
  void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  // Swaps edges so that left <= right and top <= bottom.
  void NormalizeRect() {
    if (left > right) {
      LONG t = left;
      left = right;
      right = t;
    }
    if (top > bottom) {
      LONG t = top;
      top = bottom;
      bottom = t;
    }
  }
  // The overlap of two rectangles; empty (all zero) and FALSE when they do not overlap.
  BOOL IntersectRect(LPCRECT a, LPCRECT b) {
    CRect r(a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
            a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom);
    if (r.IsRectEmpty() || CRect(a).IsRectEmpty() || CRect(b).IsRectEmpty()) {
      SetRectEmpty();
      return FALSE;
    }
    *this = r;
    return TRUE;
  }
  // The smallest rectangle holding both; an empty rectangle adds nothing.
  BOOL UnionRect(LPCRECT a, LPCRECT b) {
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty() && rb.IsRectEmpty()) {
      SetRectEmpty();
      return FALSE;
    }
    if (ra.IsRectEmpty()) {
      *this = rb;
      return TRUE;
    }
    if (rb.IsRectEmpty()) {
      *this = ra;
      return TRUE;
    }
    SetRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
            ra.right > rb.right ? ra.right : rb.right, ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
    return TRUE;
  }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  CRect& operator=(const RECT& rc) {
    CopyRect(&rc);
    return *this;
  }
  bool operator==(const RECT& rc) const { return EqualRect(&rc) != FALSE; }
  bool operator!=(const RECT& rc) const { return !(*this == rc); }
  CRect& operator+=(POINT pt) {
    OffsetRect(pt);
    return *this;
  }
  CRect& operator-=(POINT pt) {
    OffsetRect(-pt.x, -pt.y);
    return *this;
  }
  CRect& operator&=(const RECT& rc) {
    CRect a(*this);
    IntersectRect(&a, &rc);
    return *this;
  }
  CRect& operator|=(const RECT& rc) {
    CRect a(*this);
    UnionRect(&a, &rc);
    return *this;
  }
  CRect operator+(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(pt);
    return r;
  }
  CRect operator-(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(-pt.x, -pt.y);
    return r;
  }
  CRect operator&(const RECT& rc) const {
    CRect r;
    r.IntersectRect(this, &rc);
    return r;
  }
  CRect operator|(const RECT& rc) const {
    CRect r;
    r.UnionRect(this, &rc);
    return r;
  }
};
