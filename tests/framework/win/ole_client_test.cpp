// OLE client items without a server: static pictures made from a metafile
// draw from their cache, report a sane extent, and travel through a
// document's items block; a damaged item is left out while the others load.
#include <gtest/gtest.h>

#include <vector>

#include "framework/base/Archive.h"
#include "framework/base/ItemRecords.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/OleClientItem.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleDataSource.h"
#include "framework/win/OleDocument.h"
#include "framework/win/OleInPlaceFrame.h"
#include "framework/win/View.h"

namespace {

class CTestItem : public COleClientItem {
  DECLARE_SERIAL(CTestItem)
 public:
  explicit CTestItem(COleDocument* pDoc = nullptr) : COleClientItem(pDoc) {}
};
IMPLEMENT_SERIAL(CTestItem, COleClientItem, 0)

// A metafile picture that claims the given extent (HIMETRIC), filled with
// colour.
HGLOBAL MetafilePicture(LONG xExt, LONG yExt, COLORREF colour = RGB(0, 128, 0)) {
  HDC hMeta = ::CreateMetaFileA(nullptr);
  ::SetWindowExtEx(hMeta, 100, 100, nullptr);
  HBRUSH hBrush = ::CreateSolidBrush(colour);
  HGDIOBJ hOld = ::SelectObject(hMeta, hBrush);
  ::SelectObject(hMeta, ::GetStockObject(NULL_PEN));
  ::Rectangle(hMeta, 0, 0, 101, 101);
  ::SelectObject(hMeta, hOld);
  ::DeleteObject(hBrush);
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* pict = static_cast<METAFILEPICT*>(::GlobalLock(hGlobal));
  pict->mm = MM_ANISOTROPIC;
  pict->xExt = xExt;
  pict->yExt = yExt;
  pict->hMF = ::CloseMetaFile(hMeta);
  ::GlobalUnlock(hGlobal);
  return hGlobal;
}

// Makes a static item of pDoc from one format.
CTestItem* StaticItem(COleDocument* pDoc, CLIPFORMAT cf, HANDLE hData) {
  auto* pSource = new COleDataSource;
  STGMEDIUM medium = {};
  medium.tymed = cf == CF_ENHMETAFILE ? TYMED_ENHMF : TYMED_MFPICT;
  if (cf == CF_ENHMETAFILE)
    medium.hEnhMetaFile = static_cast<HENHMETAFILE>(hData);
  else
    medium.hMetaFilePict = static_cast<HGLOBAL>(hData);
  pSource->CacheData(cf, &medium);
  COleDataObject data;
  data.Attach(static_cast<IDataObject*>(pSource), TRUE);
  auto* pItem = new CTestItem(pDoc);
  if (!pItem->CreateStaticFromData(&data)) {
    pItem->Delete();
    return nullptr;
  }
  return pItem;
}

// The colour at the centre of the item drawn into a 100 x 100 picture.
COLORREF CentreOfDrawing(COleClientItem* pItem) {
  CClientDC screen(nullptr);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 100, 100);
  CSelectGuard guard(dc, &bitmap);
  RECT all = {0, 0, 100, 100};
  ::FillRect(dc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  pItem->Draw(&dc, &all);
  return dc.GetPixel(50, 50);
}

COleClientItem* FirstItem(COleDocument& doc) {
  POSITION pos = doc.GetStartPosition();
  return doc.GetNextClientItem(pos);
}

TEST(OleClientItem, StaticPictureDrawsFromItsCacheAndComesBackFromTheItemsBlock) {
  COleDocument doc;
  CTestItem* pItem = StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540, RGB(255, 0, 0)));
  ASSERT_NE(pItem, nullptr);
  EXPECT_EQ(pItem->GetItemState(), (UINT)COleClientItem::loadedState);
  EXPECT_EQ(CentreOfDrawing(pItem), RGB(255, 0, 0));
  CSize extent;
  ASSERT_TRUE(pItem->GetCachedExtent(&extent));
  EXPECT_EQ(extent, CSize(2540, 2540));

  std::vector<BYTE> block = doc.StoreItems();
  COleDocument again;
  again.LoadItems(block.data(), block.size());
  EXPECT_EQ(again.GetDamagedItemCount(), 0);
  ASSERT_EQ(again.GetItemCount(), 1);
  COleClientItem* pLoaded = FirstItem(again);
  ASSERT_NE(pLoaded, nullptr);
  EXPECT_TRUE(pLoaded->IsKindOf(RUNTIME_CLASS(CTestItem)));
  EXPECT_EQ(CentreOfDrawing(pLoaded), RGB(255, 0, 0));
  CSize extentAgain;
  ASSERT_TRUE(pLoaded->GetCachedExtent(&extentAgain));
  EXPECT_EQ(extentAgain, extent);
}

TEST(OleClientItem, DamagedItemsAreLeftOutAndTheOthersLoad) {
  COleDocument doc;
  ASSERT_NE(StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540, RGB(255, 0, 0))), nullptr);
  ASSERT_NE(StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540, RGB(0, 0, 255))), nullptr);
  const std::vector<BYTE> block = doc.StoreItems();
  int nDamaged = 0;
  std::vector<CItemRecord> records = SplitItemRecords(block.data(), block.size(), &nDamaged);
  ASSERT_EQ(records.size(), 2u);

  struct Case {
    const char* what;
    std::vector<BYTE> block;
    int nLoaded, nDamaged;
    COLORREF firstColour;
  };
  // A byte changed after the checksum was taken.
  std::vector<BYTE> flipped = block;
  flipped[block.size() - 40] ^= 0x5A;
  // A record whose checksum holds but whose storage is no compound file.
  std::vector<CItemRecord> notStorage = records;
  const BYTE kSignature[] = {0xD0, 0xCF, 0x11, 0xE0};
  for (size_t i = 0; i + 4 <= notStorage[0].size(); i++)
    if (std::equal(kSignature, kSignature + 4, notStorage[0].begin() + (long)i)) {
      notStorage[0][i] = 0;
      break;
    }
  // Cut in the middle of the second record.
  std::vector<BYTE> cut(block.begin(), block.begin() + (long)(4 + 8 + records[0].size() + 20));
  const Case cases[] = {
      {"flipped byte in the second", flipped, 1, 1, RGB(255, 0, 0)},
      {"first is no storage", JoinItemRecords(notStorage), 1, 1, RGB(0, 0, 255)},
      {"cut in the second", cut, 1, 1, RGB(255, 0, 0)},
      {"only the count", std::vector<BYTE>(block.begin(), block.begin() + 4), 0, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    COleDocument loaded;
    loaded.LoadItems(c.block.data(), c.block.size());
    EXPECT_EQ(loaded.GetItemCount(), c.nLoaded);
    EXPECT_EQ(loaded.GetDamagedItemCount(), c.nDamaged);
    if (c.nLoaded > 0) {
      EXPECT_EQ(CentreOfDrawing(FirstItem(loaded)), c.firstColour);
    }
  }
}

// A view that keeps a selection, as the programs' views do.
class CSelectingView : public CView {
 public:
  void OnDraw(CDC*) override {}
  void OnDocItemRemoved(const CObject* pDocItem) override {
    if (pDocItem == m_pSelection)
      m_pSelection = nullptr;
  }
  const CObject* m_pSelection = nullptr;
};

TEST(OleDocument, ViewsLetGoOfItemsThatLeaveTheDocument) {
  COleDocument doc;
  doc.m_bAutoDelete = FALSE;
  CSelectingView view;
  doc.AddView(&view);
  CTestItem* pFirst = StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540));
  CTestItem* pSecond = StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540));
  ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);

  view.m_pSelection = pSecond;
  pFirst->Delete();
  EXPECT_EQ(view.m_pSelection, pSecond);
  pSecond->Delete();
  EXPECT_EQ(view.m_pSelection, nullptr);

  view.m_pSelection = StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(2540, 2540));
  doc.DeleteContents();
  EXPECT_EQ(view.m_pSelection, nullptr);
  doc.RemoveView(&view);
}

TEST(OleClientItem, ExtentsThatAreNotPositiveAreRefusedAndHugeOnesClamped) {
  struct Case {
    LONG xExt, yExt;
    BOOL bAccepted;
    LONG cx, cy;
  };
  const Case cases[] = {
      {2540, 1270, TRUE, 2540, 1270},
      {0, 0, FALSE, 0, 0},
      {-100, -50, FALSE, 0, 0},
      {50000000, 3000, TRUE, COleClientItem::kMaxExtent, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xExt);
    COleDocument doc;
    CTestItem* pItem = StaticItem(&doc, CF_METAFILEPICT, MetafilePicture(c.xExt, c.yExt));
    ASSERT_NE(pItem, nullptr);
    CSize extent(0, 0);
    EXPECT_EQ(pItem->GetCachedExtent(&extent), c.bAccepted);
    if (c.bAccepted) {
      EXPECT_EQ(extent, CSize(c.cx, c.cy));
    }
  }
  // One inch is the device's pixels per inch, whatever the device says.
  CClientDC screen(nullptr);
  const int nDpi = screen.GetDeviceCaps(LOGPIXELSX);
  EXPECT_EQ(COleClientItem::HimetricToDevice(nullptr, CSize(2540, 2540)).cx, nDpi);
  EXPECT_EQ(COleClientItem::HimetricToDevice(nullptr, CSize(0, -2540)), CSize(0, -nDpi));
}

}  // namespace

namespace {

// The container's side of in-place editing, as an object's server calls
// it: the menus merge and part again, the object's tool bars get their
// border space and give it back, and the container's keys become commands
// of the frame.
TEST(OleInPlaceFrame, MenusBorderSpaceAndKeysAsAServerUsesThem) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, "In-place frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
  HWND hPane = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, pFrame->GetSafeHwnd(),
                                 (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, nullptr, nullptr);
  pFrame->RecalcLayout();
  CRect rcClient;
  pFrame->GetClientRect(&rcClient);

  HMENU hInPlace = ::CreateMenu();
  HMENU hFile = ::CreatePopupMenu();
  HMENU hWindow = ::CreatePopupMenu();
  ::AppendMenuA(hFile, MF_STRING, 100, "&Open");
  ::AppendMenuA(hWindow, MF_STRING, 101, "&Cascade");
  ::AppendMenuA(hInPlace, MF_POPUP, (UINT_PTR)hFile, "&File");
  ::AppendMenuA(hInPlace, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hInPlace, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hInPlace, MF_POPUP, (UINT_PTR)hWindow, "&Window");
  auto* pSite = new COleInPlaceFrame(pFrame, hInPlace, nullptr);

  // The server asks for the container's groups, then puts its own between.
  HMENU hShared = ::CreateMenu();
  OLEMENUGROUPWIDTHS widths = {};
  ASSERT_EQ(pSite->InsertMenus(hShared, &widths), S_OK);
  const LONG kExpected[6] = {1, 0, 0, 0, 1, 0};
  for (int i = 0; i < 6; i++)
    EXPECT_EQ(widths.width[i], kExpected[i]) << i;
  HMENU hObjectEdit = ::CreatePopupMenu();
  ::InsertMenuA(hShared, 1, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hObjectEdit, "&Edit");
  ASSERT_EQ(::GetMenuItemCount(hShared), 3);
  EXPECT_EQ(::GetSubMenu(hShared, 0), hFile);
  EXPECT_EQ(::GetSubMenu(hShared, 2), hWindow);
  HOLEMENU hOleMenu = ::OleCreateMenuDescriptor(hShared, &widths);
  ASSERT_EQ(pSite->SetMenu(hShared, hOleMenu, hPane), S_OK);
  EXPECT_EQ(::GetMenu(pFrame->GetSafeHwnd()), hShared);
  ASSERT_EQ(pSite->SetMenu(nullptr, nullptr, nullptr), S_OK);
  EXPECT_NE(::GetMenu(pFrame->GetSafeHwnd()), hShared);
  ASSERT_EQ(pSite->RemoveMenus(hShared), S_OK);
  ASSERT_EQ(::GetMenuItemCount(hShared), 1) << "only the object's own pop-up is left";
  EXPECT_EQ(::GetSubMenu(hShared, 0), hObjectEdit);
  EXPECT_EQ(::GetMenuItemCount(hFile), 1) << "the container's pop-ups stay its own";
  ::OleDestroyMenuDescriptor(hOleMenu);
  ::DestroyMenu(hShared);

  // A tool bar 30 pixels high across the top.
  RECT rcBorder = {};
  ASSERT_EQ(pSite->GetBorder(&rcBorder), S_OK);
  EXPECT_EQ(CRect(rcBorder), rcClient);
  BORDERWIDTHS tooMuch = {0, rcClient.Height(), 0, 0};
  EXPECT_EQ(pSite->RequestBorderSpace(&tooMuch), INPLACE_E_NOTOOLSPACE);
  BORDERWIDTHS toolBar = {0, 30, 0, 0};
  ASSERT_EQ(pSite->SetBorderSpace(&toolBar), S_OK);
  CRect rcPane;
  ::GetWindowRect(hPane, &rcPane);
  pFrame->ScreenToClient(&rcPane);
  EXPECT_EQ(rcPane, CRect(0, 30, rcClient.right, rcClient.bottom));
  ASSERT_EQ(pSite->GetBorder(&rcBorder), S_OK);
  EXPECT_EQ(CRect(rcBorder), rcClient) << "the border is the whole room, the space taken included";
  pSite->Restore();
  ::GetWindowRect(hPane, &rcPane);
  pFrame->ScreenToClient(&rcPane);
  EXPECT_EQ(rcPane, rcClient);

  // Escape, found by the object among the container's keys.
  MSG msg = {pFrame->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  ASSERT_EQ(pSite->TranslateAccelerator(&msg, 32768), S_OK);
  MSG posted = {};
  ASSERT_TRUE(::PeekMessageA(&posted, pFrame->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(LOWORD(posted.wParam), 32768);

  pSite->Release();
  ::DestroyMenu(hInPlace);
  pFrame->DestroyWindow();
}

}  // namespace
