// Drawing: inverting raster operations undo themselves, selections are
// restored on every path, enhanced metafiles record what was drawn, and a
// window's paint handler can be printed into a bitmap; the faces the
// programs ask for are the fonts the build installs.
#include "framework/win/WindowTest.h"

#include <stdexcept>
#include <string>

#include "framework/win/Dc.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

using GdiTest = WindowTest;

// A bitmap with a different colour in every pixel, so that any change shows.
void FillPattern(TestBitmap& bitmap) {
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      ::SetPixel(bitmap.dc(), x, y, RGB(x * 4, y * 4, (x ^ y) * 8));
}

void DrawDiagonals(CDC& dc, int mode, COLORREF color) {
  CPen pen(PS_SOLID, 3, color);
  CSelectGuard guard(dc, &pen);
  int old = dc.SetROP2(mode);
  dc.MoveTo(2, 3);
  dc.LineTo(60, 50);
  dc.MoveTo(60, 2);
  dc.LineTo(1, 61);
  dc.SetROP2(old);
}

TEST_F(GdiTest, InvertingLinesDrawnTwiceRestoreEveryPixel) {
  for (int mode : {R2_NOT, R2_NOTXORPEN, R2_XORPEN}) {
    TestBitmap bitmap(64, 64), original(64, 64);
    FillPattern(bitmap);
    FillPattern(original);
    CDC dc;
    dc.Attach(bitmap.dc());
    DrawDiagonals(dc, mode, RGB(200, 30, 90));
    EXPECT_FALSE(bitmap.SameAs(original)) << "mode " << mode;
    DrawDiagonals(dc, mode, RGB(200, 30, 90));
    EXPECT_TRUE(bitmap.SameAs(original)) << "mode " << mode;
    dc.Detach();
  }
}

TEST_F(GdiTest, GuardRestoresTheSelectionWhenTheDrawingFails) {
  TestBitmap bitmap(8, 8);
  HGDIOBJ before = ::GetCurrentObject(bitmap.dc(), OBJ_PEN);
  HGDIOBJ penHandle = nullptr;
  try {
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    penHandle = pen.m_hObject;
    CSelectGuard guard(bitmap.dc(), pen.m_hObject);
    EXPECT_EQ(::GetCurrentObject(bitmap.dc(), OBJ_PEN), penHandle);
    throw std::runtime_error("drawing failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(::GetCurrentObject(bitmap.dc(), OBJ_PEN), before);
  // The pen was free when its object died, so it was really deleted.
  EXPECT_EQ(::GetObjectType(penHandle), 0u);
}

TEST_F(GdiTest, SelectObjectHandsBackThePreviousObjectAsItsOwnClass) {
  TestBitmap bitmap(8, 8);
  CDC dc;
  dc.Attach(bitmap.dc());
  CPen pen(PS_DASH, 1, RGB(0, 0, 255));
  CPen* old = dc.SelectObject(&pen);
  ASSERT_NE(old, nullptr);
  EXPECT_TRUE(old->IsKindOf(RUNTIME_CLASS(CPen)));
  dc.SelectObject(old);
  CBrush brush(RGB(0, 255, 0));
  CGdiObject* oldBrush = dc.SelectObject(static_cast<CGdiObject*>(&brush));
  EXPECT_TRUE(oldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
  dc.SelectObject(oldBrush);
  dc.Detach();
  AfxDeleteTempMaps();
  // The temporary wrapper never owned the stock pen it stood for.
  EXPECT_NE(::GetObjectType(::GetStockObject(BLACK_PEN)), 0u);
}

TEST_F(GdiTest, FillSolidRectAndClipRegionLeaveTheRestAlone) {
  TestBitmap bitmap(40, 40);
  bitmap.Fill(RGB(255, 255, 255));
  CDC dc;
  dc.Attach(bitmap.dc());
  dc.SetBkColor(RGB(9, 9, 9));
  CRgn clip;
  ASSERT_TRUE(clip.CreateRectRgn(10, 10, 20, 20));
  dc.SelectClipRgn(&clip);
  dc.FillSolidRect(0, 0, 40, 40, RGB(0, 0, 255));
  dc.SelectClipRgn(nullptr);
  EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9));
  EXPECT_EQ(bitmap.Pixel(15, 15), RGB(0, 0, 255));
  EXPECT_EQ(bitmap.Pixel(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(bitmap.Count(RGB(0, 0, 255)), 100);
  dc.Detach();
}

TEST_F(GdiTest, MetafileRecordsLinesAndText) {
  CMetaFileDC meta;
  ASSERT_TRUE(meta.CreateEnhanced(nullptr, nullptr, nullptr, "Brivane\0Plot\0"));
  CPen pen(PS_SOLID, 2, RGB(255, 0, 0));
  {
    CSelectGuard guard(meta, &pen);
    meta.MoveTo(10, 10);
    meta.LineTo(100, 10);
    meta.LineTo(100, 80);
    meta.TextOut(20, 30, CString("7.26 ppm"));
  }
  HENHMETAFILE hEmf = meta.CloseEnhanced();
  ASSERT_NE(hEmf, nullptr);
  EXPECT_EQ(meta.m_hDC, nullptr);
  EXPECT_EQ(CountRecords(hEmf, EMR_LINETO), 2);
  EXPECT_EQ(CountRecords(hEmf, EMR_MOVETOEX), 1);
  EXPECT_EQ(CountRecords(hEmf, EMR_CREATEPEN), 1);
  std::vector<std::string> texts = Texts(hEmf);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "7.26 ppm");

  // The line ends are where they were drawn.
  std::vector<POINTL> ends;
  for (const MetafileRecord& r : Records(hEmf))
    if (r.type == EMR_LINETO)
      ends.push_back(reinterpret_cast<const EMRLINETO*>(r.data.data())->ptl);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[1].x, 100);
  EXPECT_EQ(ends[1].y, 80);
  ::DeleteEnhMetaFile(hEmf);
}

TEST_F(GdiTest, MetafileKeepsTheRasterOperationsOfInvertedLines) {
  TestMetafile emf([](CDC& dc) {
    DrawDiagonals(dc, R2_NOTXORPEN, RGB(0, 0, 0));
    dc.TextOut(0, 0, CString("A"));
  });
  ASSERT_NE(emf.get(), nullptr);
  std::vector<DWORD> rops;
  for (const MetafileRecord& r : Records(emf.get()))
    if (r.type == EMR_SETROP2)
      rops.push_back(reinterpret_cast<const EMRSETROP2*>(r.data.data())->iMode);
  ASSERT_GE(rops.size(), 2u);
  EXPECT_EQ(rops[0], (DWORD)R2_NOTXORPEN);
  EXPECT_EQ(rops[1], (DWORD)R2_COPYPEN);  // the drawing mode was put back
  EXPECT_EQ(Texts(emf.get()), std::vector<std::string>{"A"});
}

class CPaintedWnd : public CWnd {
 protected:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 255, 255));
    CBrush red(RGB(255, 0, 0));
    CRect box(10, 10, 30, 20);
    dc.FillRect(&box, &red);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(GdiTest, PaintHandlerPrintsIntoABitmap) {
  CPaintedWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Painted", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr));
  wnd.UpdateWindow();
  auto bitmap = CaptureClient(wnd.m_hWnd);
  EXPECT_EQ(bitmap->Pixel(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(bitmap->Pixel(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(bitmap->Count(RGB(255, 0, 0)), 200);
}

TEST_F(GdiTest, PointFontHeightFollowsTheDeviceResolution) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
  LOGFONT lf;
  ASSERT_GT(font.GetLogFont(&lf), 0);
  HDC hDC = ::GetDC(nullptr);
  int expected = -::MulDiv(12, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, hDC);
  EXPECT_EQ(lf.lfHeight, expected);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
}

// The faces the programs ask for are fonts the build installs (or the face
// itself, where a machine has it), not whichever font of the machine Wine's
// matching would pick: lists printed in a TeX symbol font hold no readable
// text.
TEST_F(GdiTest, TheFacesTheProgramsAskForAreTheFontsTheBuildInstalls) {
  struct {
    const char* face;
    BYTE pitchAndFamily;
    const char* font;
    const char* own;  // the font of the face itself
  } cases[] = {
      {"Arial", DEFAULT_PITCH | FF_SWISS, "Liberation Sans", "Arial"},
      {"Times New Roman", DEFAULT_PITCH | FF_DONTCARE, "Liberation Serif", "Times New Roman"},
      {"Courier New", FIXED_PITCH | FF_MODERN, "Liberation Mono", "Courier New"},
      {"Verdana", DEFAULT_PITCH | FF_SWISS, "Liberation Sans", "Verdana"},
      {"Tahoma", DEFAULT_PITCH | FF_DONTCARE, "Liberation Sans", "Tahoma"},
      {"MS Shell Dlg", DEFAULT_PITCH | FF_DONTCARE, "Liberation Sans", "Tahoma"},
  };
  HDC hDC = ::CreateCompatibleDC(nullptr);
  ASSERT_NE(hDC, nullptr);
  for (const auto& c : cases) {
    for (int weight : {FW_NORMAL, FW_BOLD}) {
      CFont font;
      ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, weight, FALSE, FALSE, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, c.pitchAndFamily, c.face));
      HGDIOBJ old = ::SelectObject(hDC, font.GetSafeHandle());
      char buffer[1024];
      auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer);
      std::string full;  // the font's unique name, which holds its full name
      if (::GetOutlineTextMetricsA(hDC, sizeof(buffer), metrics) != 0)
        full = buffer + reinterpret_cast<UINT_PTR>(metrics->otmpFullName);
      ::SelectObject(hDC, old);
      EXPECT_TRUE(full.find(c.font) != std::string::npos || full.find(c.own) != std::string::npos)
          << c.face << " (weight " << weight << ") is drawn in '" << full << "', not " << c.font;
    }
  }
  ::DeleteDC(hDC);
}

}  // namespace
