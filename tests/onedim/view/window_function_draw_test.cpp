// Windows build only: the weighting curve drawn into a memory DC.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/win/Dc.h"
#include "onedim/model/WindowFunction.h"
#include "onedim/view/WindowFunctionDraw.h"

namespace {

TEST(WindowFunctionDraw, DrawsTheCurveWithItsPenAndRestoresTheDc) {
  int td = 100;
  double sw = 1000.0;
  std::vector<float> source(td, 1.0f), target(td);
  CWindowFunction wf(source.data(), target.data(), &td, &sw);
  wf.m_nType = CWindowFunction::Hanning;
  ASSERT_TRUE(wf.Apply());
  wf.m_nViewHeight = 231;  // zero line 100, scale 90

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 231);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
  RECT all = {0, 0, 120, 231};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ penBefore = GetCurrentObject(mem, OBJ_PEN);

  CDC dc;
  dc.AttachTemporary(mem);
  DrawWindowFunctionCurve(wf, &dc, 10, 110);
  dc.DetachTemporary();

  EXPECT_EQ(GetCurrentObject(mem, OBJ_PEN), penBefore);
  // The first weight (1) sits at the top of the range, the middle one (0.5)
  // half way down, in the curve's colour.
  EXPECT_EQ(GetPixel(mem, 10, 10), RGB(255, 0, 0));
  const int yMiddle = static_cast<int>(100 - 90 * wf.GetWeights()[50]);
  EXPECT_EQ(GetPixel(mem, 60, yMiddle), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(mem, 60, 200), RGB(255, 255, 255));

  SelectObject(mem, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(mem);
}

}  // namespace
