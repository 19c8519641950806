// OLE items in the graph view without any server: an embedded object
// pasted from the clipboard (a picture object, which OLE draws from its
// cache) is selected, drawn with its tracker, dragged before any mouse tool
// acts, scaled onto the page and deleted before the pasted pictures; an
// object whose program is missing cannot be inserted, which is said.
#include <windows.h>
#include <shlwapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/BrivanenDCntrItem.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/data/Spectrum2D.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"
#include "tests/ndim/app/nd_ole_test_support.h"

namespace {

class NdViewOleTest : public NdAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    NdAppTest::SetUp();
    m_pDoc = OpenExperiment(16, 64);
    ASSERT_NE(nullptr, m_pDoc);
    m_pView = static_cast<CBrivanenDView*>(m_pDoc->FindView(RUNTIME_CLASS(CBrivanenDView)));
    ASSERT_NE(nullptr, m_pView);
    m_pSet = m_pDoc->GetCurrentSet();
    m_pSet->SetPlotRect(CRect(80, 90, 80 + 256, 90 + 128));
    m_hView = m_pView->m_hWnd;
  }
  void TearDown() override {
    AfxSetModalDialogHook(nullptr);
    NdAppTest::TearDown();
    ::OleSetClipboard(nullptr);
    ::OleUninitialize();
  }

  CBrivanenDCntrItem* OnlyItem() const {
    POSITION pos = m_pDoc->GetStartPosition();
    return m_pDoc->GetItemCount() == 1 ? static_cast<CBrivanenDCntrItem*>(m_pDoc->GetNextClientItem(pos)) : nullptr;
  }
  COLORREF ScreenPixel(int x, int y) const {
    m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC hDC = ::GetDC(m_hView);
    const COLORREF colour = ::GetPixel(hDC, x, y);
    ::ReleaseDC(m_hView, hDC);
    return colour;
  }

  // Picks the missing object's class in the Insert Object dialog and presses
  // OK.
  static bool s_bChosen;
  static int s_nTries;
  static void CALLBACK ChooseMissingObject(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindThreadWindow("Insert Object");
    if (dialog == nullptr || s_bChosen)
      return;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      char cls[32] = {};
      ::GetClassNameA(child, cls, sizeof cls);
      if (lstrcmpiA(cls, "ListBox") != 0 || !::IsWindowVisible(child))
        continue;
      const LRESULT index = ::SendMessageA(child, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Brivane nD Missing Object");
      if (index == LB_ERR)
        continue;
      ::SendMessageA(child, LB_SETCURSEL, (WPARAM)index, 0);
      s_bChosen = true;
    }
    // The list may still be filling: Cancel only after two seconds.
    if (s_bChosen || ++s_nTries > 20)
      ::PostMessageA(dialog, WM_COMMAND, s_bChosen ? IDOK : IDCANCEL, 0);
  }

  CBrivanenDDoc* m_pDoc = nullptr;
  CBrivanenDView* m_pView = nullptr;
  CSpectrum2D* m_pSet = nullptr;
  HWND m_hView = nullptr;
};

bool NdViewOleTest::s_bChosen = false;
int NdViewOleTest::s_nTries = 0;

TEST_F(NdViewOleTest, APastedObjectIsSelectedDraggedBeforeTheMouseToolAndDeletedBeforeThePictures) {
  ASSERT_TRUE(PutObjectOnClipboard(false));
  Command(ID_EDIT_PASTE);
  CBrivanenDCntrItem* pItem = OnlyItem();
  ASSERT_NE(nullptr, pItem) << "an object, not a picture";
  EXPECT_TRUE(m_pDoc->m_pictures.IsEmpty());
  EXPECT_EQ(pItem, m_pView->GetSelection());
  // Placed at (10, 10) and sized to its picture: one inch.
  EXPECT_EQ(CRect(10, 10, 106, 106), pItem->m_rect);
  EXPECT_EQ(kObjectColour, ScreenPixel(58, 58));
  EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(12, 12)) << "the selected item's handle";
  EXPECT_TRUE(Update(ID_EDIT_CLEAR).enabled);

  // A press beside it clears the selection and the handles with it.
  PostClick(m_hView, CPoint(400, 30));
  EXPECT_EQ(nullptr, m_pView->GetSelection());
  EXPECT_EQ(kObjectColour, ScreenPixel(12, 12));
  EXPECT_FALSE(Update(ID_EDIT_CLEAR).enabled);

  // In zoom mode a drag that starts on the item (where it covers the plot)
  // moves the item; the zoom keeps its window.
  Command(ID_VIEW_ZOOM);
  ASSERT_EQ(ndMouseZoom, m_pDoc->m_nMouseMode);
  const CRect zoom = m_pSet->m_zoom;
  m_pDoc->SetModifiedFlag(FALSE);
  PostDrag(m_hView, CPoint(95, 100), CPoint(195, 150));
  EXPECT_EQ(CRect(110, 60, 206, 156), pItem->m_rect);
  EXPECT_EQ(zoom, m_pSet->m_zoom);
  EXPECT_EQ(pItem, m_pView->GetSelection());
  EXPECT_TRUE(m_pDoc->IsModified());
  Command(ID_VIEW_ZOOM);

  // A double click opens the item; a picture has no program to open it in,
  // which is said, and the item stays where it is.
  ::PostMessageA(m_hView, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 100));
  ::PostMessageA(m_hView, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
  PumpPending();
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_NE(std::string::npos, m_messageBoxes[0].text.find("could not be opened")) << m_messageBoxes[0].text;
  EXPECT_EQ(CRect(110, 60, 206, 156), pItem->m_rect);

  // The item's record keeps its rectangle.
  CBrivanenDDoc copy;
  const std::vector<BYTE> block = m_pDoc->StoreItems();
  copy.LoadItems(block.data(), block.size());
  POSITION pos = copy.GetStartPosition();
  const CObject* pCopy = copy.GetNextClientItem(pos);
  ASSERT_NE(nullptr, pCopy);
  ASSERT_TRUE(pCopy->IsKindOf(RUNTIME_CLASS(CBrivanenDCntrItem)));
  EXPECT_EQ(pItem->m_rect, static_cast<const CBrivanenDCntrItem*>(pCopy)->m_rect);

  // Beside the item there is a pasted picture; Delete Object takes the
  // selected item first, then the picture.
  Command(ID_EDIT_COPY);
  Command(ID_EDIT_PASTE);
  ASSERT_EQ(1, m_pDoc->m_pictures.GetCount());
  EXPECT_EQ(1, m_pDoc->GetItemCount());
  PostClick(m_hView, CPoint(200, 70));
  ASSERT_EQ(pItem, m_pView->GetSelection());
  Command(ID_EDIT_CLEAR);
  EXPECT_EQ(0, m_pDoc->GetItemCount());
  EXPECT_EQ(nullptr, m_pView->GetSelection());
  EXPECT_EQ(1, m_pDoc->m_pictures.GetCount());
  EXPECT_NE(kObjectColour, ScreenPixel(150, 100));
  Command(ID_EDIT_CLEAR);
  EXPECT_TRUE(m_pDoc->m_pictures.IsEmpty());
}

// On a page and in the clipboard picture an item lies where the view's
// scale puts it, with no tracker.
TEST_F(NdViewOleTest, ThePageAndTheClipboardPictureScaleTheItem) {
  ASSERT_TRUE(PutObjectOnClipboard(false));
  Command(ID_EDIT_PASTE);
  CBrivanenDCntrItem* pItem = OnlyItem();
  ASSERT_NE(nullptr, pItem);
  CRect client;
  m_pView->GetClientRect(&client);
  TestBitmap page(2 * client.Width(), 2 * client.Height());
  CDC dc;
  dc.AttachTemporary(page.dc());
  dc.SetPrinting(TRUE);
  const double fx = (double)dc.GetDeviceCaps(HORZRES) / client.Width();
  const double fy = (double)dc.GetDeviceCaps(VERTRES) / client.Height();
  m_pView->OnDraw(&dc);
  dc.DetachTemporary();
  ASSERT_GT(fx, 1.1) << "a page larger than the view";
  EXPECT_EQ(kObjectColour, page.Pixel((int)(100 * fx), (int)(100 * fy))) << "beyond the item on the screen";
  EXPECT_EQ(kObjectColour, page.Pixel((int)(12 * fx), (int)(12 * fy))) << "no handles on paper";
  EXPECT_NE(kObjectColour, page.Pixel((int)(106 * fx) + 3, (int)(58 * fy)));

  // The clipboard picture: 6000 units across the view, with the screen's
  // aspect.
  Command(ID_EDIT_COPY);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HENHMETAFILE hCopy = ::CopyEnhMetaFile((HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE), nullptr);
  ::CloseClipboard();
  ASSERT_NE(nullptr, hCopy);
  HDC hScreen = ::GetDC(nullptr);
  const double cx = 6000.0 / client.Width();
  const double cy =
      (int)(6000.0 * ::GetDeviceCaps(hScreen, VERTRES) / ::GetDeviceCaps(hScreen, HORZRES)) / (double)client.Height();
  ::ReleaseDC(nullptr, hScreen);
  // The object's picture is played into the item's rectangle: its origin
  // and size in the picture's units.
  bool bPlaced = false;
  const std::vector<MetafileRecord> records = Records(hCopy);
  for (size_t i = 0; i + 1 < records.size(); ++i) {
    if (records[i].type != EMR_SETVIEWPORTEXTEX || records[i + 1].type != EMR_SETVIEWPORTORGEX)
      continue;
    const SIZEL& extent = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(records[i].data.data())->szlExtent;
    const POINTL& origin = reinterpret_cast<const EMRSETVIEWPORTORGEX*>(records[i + 1].data.data())->ptlOrigin;
    bPlaced |= origin.x == (int)(10 * cx) && origin.y == (int)(10 * cy) &&
               std::abs(extent.cx - (int)(106 * cx) + (int)(10 * cx)) <= 1 &&
               std::abs(extent.cy - (int)(106 * cy) + (int)(10 * cy)) <= 1;
  }
  EXPECT_TRUE(bPlaced);
  ::DeleteEnhMetaFile(hCopy);
}

// An object whose program is missing: the item goes and the user is told.
TEST_F(NdViewOleTest, InsertingAnObjectThatCannotBeCreatedSaysSo) {
  const char kKey[] = "CLSID\\{5B2E7C41-9A3D-4F60-8E15-2D7C9B4A6F38}";
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CLASSES_ROOT, kKey, &hKey));
  ::RegSetValueA(hKey, nullptr, REG_SZ, "Brivane nD Missing Object", 0);
  ::RegSetValueA(hKey, "Insertable", REG_SZ, "", 0);
  ::RegSetValueA(hKey, "LocalServer32", REG_SZ, "C:\\nowhere\\missing.exe", 0);
  ::RegCloseKey(hKey);
  // The system's dialog is found by a timer of this thread while it runs.
  s_bChosen = false;
  s_nTries = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ChooseMissingObject);
  Command(ID_OLE_INSERT_NEW);
  ::KillTimer(nullptr, timer);
  ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kKey);
  ASSERT_TRUE(s_bChosen);
  ASSERT_EQ(1u, m_messageBoxes.size());
  EXPECT_EQ(0u, m_messageBoxes[0].text.find("Failed to create object."));
  EXPECT_EQ(0, m_pDoc->GetItemCount());
  EXPECT_EQ(nullptr, m_pView->GetSelection());
}

// While an object is active in place in a graph window, the frame shows
// the container's File and Window menus around the object's, and Escape
// ends the editing.
TEST_F(NdViewOleTest, GraphWindowsCarryTheContainersInPlaceMenuAndKeys) {
  const CMultiDocTemplate* pTemplate = App().m_pGraphTemplate;
  ASSERT_NE(nullptr, pTemplate->m_hMenuInPlace);
  const char* kMenus[] = {"&File", "", "", "&Window"};
  ASSERT_EQ(4, ::GetMenuItemCount(pTemplate->m_hMenuInPlace));
  for (int i = 0; i < 4; ++i) {
    char text[32] = {};
    ::GetMenuStringA(pTemplate->m_hMenuInPlace, i, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(kMenus[i], text) << i;
  }
  ACCEL keys[16];
  const int n = ::CopyAcceleratorTableA(pTemplate->m_hAccelInPlace, keys, 16);
  bool bEscape = false;
  for (int i = 0; i < n; ++i)
    bEscape |= keys[i].key == VK_ESCAPE && keys[i].cmd == ID_ND_CANCEL_EDIT_CNTR;
  EXPECT_TRUE(bEscape);
}

}  // namespace
