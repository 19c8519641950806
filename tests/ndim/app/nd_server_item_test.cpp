// A graph document as an embedding container gets it, in the test's own
// process: the item's extent and picture (the view's plot in the corner of
// a 3000 x 3000 window), and the graph template's server menus.
#include <vector>

#include "framework/win/DocTemplate.h"
#include "framework/win/OleServerItem.h"
#include "ndim/app/BrivanenDSrvrItem.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/InPlaceFrame.h"
#include "ndim/data/Spectrum2D.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

const COLORREF kGround = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);

class NdServerItemTest : public NdAppTest {};

TEST_F(NdServerItemTest, TheEmbeddedGraphIsThePlotInTheCornerOfA3000Square) {
  CBrivanenDDoc* pDoc = OpenExperiment(16, 64);
  ASSERT_NE(nullptr, pDoc);
  CSpectrum2D* pSet = pDoc->GetCurrentSet();
  CView* pView = pDoc->FindView(RUNTIME_CLASS(CBrivanenDView));
  ASSERT_NE(nullptr, pView);
  CRect client;
  pView->GetClientRect(&client);
  ASSERT_GT(client.Width(), 400);
  const CRect plot(40, 30, 40 + client.Width() / 2, 30 + client.Height() / 2);
  pSet->SetPlotRect(plot);

  COleServerItem* pItem = pDoc->GetEmbeddedItem();
  ASSERT_NE(nullptr, pItem);
  EXPECT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CBrivanenDSrvrItem)));
  CSize extent;
  ASSERT_TRUE(pItem->OnGetExtent(DVASPECT_CONTENT, extent));
  EXPECT_EQ(CSize(3000, 3000), extent);

  HGLOBAL hPict = pItem->GetMetafileData();
  ASSERT_NE(nullptr, hPict);
  const METAFILEPICT pict = *static_cast<METAFILEPICT*>(::GlobalLock(hPict));
  ::GlobalUnlock(hPict);
  EXPECT_EQ(MM_ANISOTROPIC, pict.mm);
  EXPECT_EQ(3000, pict.xExt);
  EXPECT_EQ(3000, pict.yExt);

  // Played into 600 pixels square: the view's picture fills (2, 2)-(202, 202).
  TestBitmap bitmap(600, 600);
  bitmap.Fill(kGround);
  ::SetMapMode(bitmap.dc(), MM_ANISOTROPIC);
  ::SetWindowExtEx(bitmap.dc(), 3000, 3000, nullptr);
  ::SetViewportExtEx(bitmap.dc(), 600, 600, nullptr);
  ASSERT_TRUE(::PlayMetaFile(bitmap.dc(), pict.hMF));
  ::GdiFlush();
  ::DeleteMetaFile(pict.hMF);
  ::GlobalFree(hPict);

  const auto scaledX = [&](int x) {
    return 2 + x * 200 / client.Width();
  };
  const auto scaledY = [&](int y) {
    return 2 + y * 200 / client.Height();
  };
  // Each quarter of the plot, where the scaled plot rectangle puts it, is
  // mostly the set's raster.
  const int left = scaledX(plot.left) + 1, right = scaledX(plot.right) - 1;
  const int top = scaledY(plot.top) + 1, bottom = scaledY(plot.bottom) - 1;
  ASSERT_GT(right - left, 40);
  ASSERT_GT(bottom - top, 40);
  int inQuarter[4] = {}, drawn[4] = {};
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const int quarter = (x >= (left + right) / 2 ? 1 : 0) + (y >= (top + bottom) / 2 ? 2 : 0);
      ++inQuarter[quarter];
      const COLORREF c = bitmap.Pixel(x, y);
      drawn[quarter] += c != kWhite && c != kGround;
    }
  for (int quarter = 0; quarter < 4; ++quarter)
    EXPECT_GT(drawn[quarter], inQuarter[quarter] / 2) << "quarter " << quarter;
  EXPECT_EQ(kWhite, bitmap.Pixel(200, 200)) << "the picture's ground past the plot";
  for (const CPoint outside : {CPoint(1, 1), CPoint(204, 100), CPoint(100, 204), CPoint(400, 400), CPoint(598, 2)})
    EXPECT_EQ(kGround, bitmap.Pixel(outside.x, outside.y)) << outside.x << "," << outside.y;
  EXPECT_EQ(1.0, pSet->m_dPrintFactorX) << "the screen's factors back";
  EXPECT_EQ(1.0, pSet->m_dPrintFactorY);
}

TEST_F(NdServerItemTest, TheGraphTemplateServesWithMenusThatLeaveFilesToTheContainer) {
  CMultiDocTemplate* pTemplate = App().m_pGraphTemplate;
  ASSERT_NE(nullptr, pTemplate);
  EXPECT_EQ(&App().m_server, pTemplate->m_pAttachedFactory);
  const CLSID expected = {0x2E8F4D63, 0x90A1, 0x4C7B, {0xB5, 0xD2, 0x6F, 0x1A, 0x3E, 0x9C, 0x0B, 0x85}};
  EXPECT_TRUE(::IsEqualCLSID(expected, App().m_server.GetClassID()));
  EXPECT_EQ(RUNTIME_CLASS(CInPlaceFrame), pTemplate->m_pOleFrameClass);
  ASSERT_NE(nullptr, pTemplate->m_hMenuEmbedding);
  ASSERT_NE(nullptr, pTemplate->m_hMenuInPlaceServer);
  ASSERT_NE(nullptr, pTemplate->m_hAccelEmbedding);

  // In a window of its own, File updates the container; no file of its own
  // is opened, saved or closed.
  std::vector<UINT> ids = MenuCommands(pTemplate->m_hMenuEmbedding);
  EXPECT_EQ((UINT)ID_FILE_UPDATE, ::GetMenuItemID(::GetSubMenu(pTemplate->m_hMenuEmbedding, 0), 0));
  for (UINT id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_NEW})
    EXPECT_FALSE(HasCommand(ids, id)) << id;
  for (UINT id : {ID_FILE_SAVE_COPY_AS, ID_PROCESS_FOURIER, ID_VIEW_CONTOUR_PLOT, ID_TOOLS_INTEGRATE})
    EXPECT_TRUE(HasCommand(ids, id)) << id;

  // In place the container's File and Window menus serve; Help comes last.
  HMENU inPlace = pTemplate->m_hMenuInPlaceServer;
  ids = MenuCommands(inPlace);
  for (UINT id : ids)
    EXPECT_TRUE(id < ID_FILE_NEW || id > ID_FILE_MRU_LAST) << "the container's File menu serves " << id;
  EXPECT_FALSE(HasCommand(ids, ID_WINDOW_CASCADE));
  EXPECT_TRUE(HasCommand(ids, ID_PROCESS_PHASE));
  EXPECT_EQ((UINT)ID_APP_ABOUT, ::GetMenuItemID(::GetSubMenu(inPlace, ::GetMenuItemCount(inPlace) - 1), 0));
}

}  // namespace
