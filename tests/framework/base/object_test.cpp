#include <gtest/gtest.h>

#include <cstddef>

#include "framework/base/Base.h"

namespace {

class CAnimal : public CObject {
  DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal {
  DECLARE_DYNCREATE(CDog)
 public:
  int m_legs = 4;
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

}  // namespace

TEST(RuntimeClass, NamesSizesAndDerivation) {
  CDog dog;
  CObject* p = &dog;
  EXPECT_STREQ(p->GetRuntimeClass()->m_lpszClassName, "CDog");
  EXPECT_EQ(RUNTIME_CLASS(CDog)->m_nObjectSize, (int)sizeof(CDog));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CAnimal)));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CDog)));
  EXPECT_FALSE(p->IsSerializable());
  // Only dynamically creatable classes have a factory.
  EXPECT_EQ(RUNTIME_CLASS(CAnimal)->CreateObject(), nullptr);
  CObject* made = RUNTIME_CLASS(CDog)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDog)));
  delete made;
}

TEST(WinTypes, LogFontHasTheWindowsLayout) {
  EXPECT_EQ(sizeof(LOGFONTA), 60u);
  EXPECT_EQ(offsetof(LOGFONTA, lfHeight), 0u);
  EXPECT_EQ(offsetof(LOGFONTA, lfWidth), 4u);
  EXPECT_EQ(offsetof(LOGFONTA, lfEscapement), 8u);
  EXPECT_EQ(offsetof(LOGFONTA, lfOrientation), 12u);
  EXPECT_EQ(offsetof(LOGFONTA, lfWeight), 16u);
  EXPECT_EQ(offsetof(LOGFONTA, lfItalic), 20u);
  EXPECT_EQ(offsetof(LOGFONTA, lfUnderline), 21u);
  EXPECT_EQ(offsetof(LOGFONTA, lfStrikeOut), 22u);
  EXPECT_EQ(offsetof(LOGFONTA, lfCharSet), 23u);
  EXPECT_EQ(offsetof(LOGFONTA, lfOutPrecision), 24u);
  EXPECT_EQ(offsetof(LOGFONTA, lfClipPrecision), 25u);
  EXPECT_EQ(offsetof(LOGFONTA, lfQuality), 26u);
  EXPECT_EQ(offsetof(LOGFONTA, lfPitchAndFamily), 27u);
  EXPECT_EQ(offsetof(LOGFONTA, lfFaceName), 28u);
  EXPECT_EQ(sizeof(LONG), 4u);
  EXPECT_EQ(sizeof(RECT), 16u);
}

TEST(Geometry, RectangleOperations) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));  // right edge excluded

  CRect inter;
  EXPECT_TRUE(inter.IntersectRect(&r, CRect(100, 0, 200, 30)));
  EXPECT_EQ(inter, CRect(100, 20, 110, 30));
  EXPECT_FALSE(inter.IntersectRect(&r, CRect(200, 200, 300, 300)));
  EXPECT_TRUE(inter.IsRectNull());

  CRect uni;
  uni.UnionRect(&r, CRect(0, 0, 0, 0));  // an empty rectangle adds nothing
  EXPECT_EQ(uni, r);
  EXPECT_EQ(r | CRect(0, 0, 5, 5), CRect(0, 0, 110, 70));

  CRect n(5, 8, 1, 2);
  EXPECT_TRUE(n.IsRectEmpty());
  n.NormalizeRect();
  EXPECT_EQ(n, CRect(1, 2, 5, 8));
  n.InflateRect(1, 2);
  EXPECT_EQ(n, CRect(0, 0, 6, 10));
  n.OffsetRect(CPoint(3, 4));
  EXPECT_EQ(n.TopLeft(), CPoint(3, 4));
  EXPECT_EQ(n.Size(), CSize(6, 10));

  // A point packed into a message parameter keeps its sign.
  CPoint packed((DWORD)MAKELONG(-5, 7));
  EXPECT_EQ(packed, CPoint(-5, 7));
}
