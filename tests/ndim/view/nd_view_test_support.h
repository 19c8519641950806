// Drawing a 2D set into a memory bitmap and reading its pixels back.
#pragma once

#include <cmath>
#include <memory>

#include "framework/win/Dc.h"
#include "framework/win/WindowTest.h"
#include "ndim/data/Spectrum2D.h"

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A white bitmap and a CDC on it for the life of the object.
class DrawTarget {
 public:
  DrawTarget(int width, int height) : m_bitmap(width, height) {
    m_bitmap.Fill(kWhite);
    m_dc.AttachTemporary(m_bitmap.dc());
  }
  ~DrawTarget() { m_dc.DetachTemporary(); }
  CDC* dc() { return &m_dc; }
  COLORREF Pixel(int x, int y) {
    ::GdiFlush();
    return m_bitmap.Pixel(x, y);
  }
  TestBitmap& bitmap() {
    ::GdiFlush();
    return m_bitmap;
  }

 private:
  TestBitmap m_bitmap;
  CDC m_dc;
};
