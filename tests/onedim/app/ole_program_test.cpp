// OLE items in brivane23.exe without any server: a picture pasted from the
// clipboard becomes a static item drawn over the spectra, which a double
// click cannot open (said, picture kept), is saved with the document and
// comes back at its place; a damaged item is left out with a message while
// the spectra load; Delete Object removes it; an Insert New Object whose
// class cannot be created says so.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/base/ItemRecords.h"
#include "resources/BrivaneRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/onedim/app/BrivaneProcess.h"
#include "tests/onedim/app/OleTestSupport.h"

namespace {

const COLORREF kItemColour = RGB(255, 0, 0);

// How many pixels of the item's colour the view shows, in one screen copy.
int ItemPixels(HWND view) {
  return ScreenCopy(view)->Count(kItemColour);
}

// A red metafile picture about the size of the item's first rectangle
// (90 pixels at 96 per inch) on the clipboard.
bool PutPictureOnClipboard() {
  HDC hMeta = ::CreateMetaFileA(nullptr);
  ::SetWindowExtEx(hMeta, 100, 100, nullptr);
  HBRUSH hBrush = ::CreateSolidBrush(kItemColour);
  ::SelectObject(hMeta, hBrush);
  ::SelectObject(hMeta, ::GetStockObject(NULL_PEN));
  ::Rectangle(hMeta, 0, 0, 101, 101);
  HMETAFILE hMF = ::CloseMetaFile(hMeta);
  ::DeleteObject(hBrush);
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* pict = static_cast<METAFILEPICT*>(::GlobalLock(hGlobal));
  pict->mm = MM_ANISOTROPIC;
  pict->xExt = 2381;
  pict->yExt = 2381;
  pict->hMF = hMF;
  ::GlobalUnlock(hGlobal);
  if (!::OpenClipboard(nullptr))
    return false;
  ::EmptyClipboard();
  bool ok = ::SetClipboardData(CF_METAFILEPICT, hGlobal) != nullptr;
  ::CloseClipboard();
  return ok;
}

class OleProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + "brivane_ole_test";
    ::CreateDirectoryA(m_dir.c_str(), nullptr);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\Brivane");
  }
  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  // A document of one flat spectrum near the bottom of the view.
  std::string WriteSpectrum(const char* name) {
    const std::string path = Path(name);
    EXPECT_TRUE(WriteFlatSpectrum(path));
    return path;
  }

  static bool Start(BrivaneProcess& app, const std::string& path) { return StartOn(app, path); }

  std::string m_dir;
};

TEST_F(OleProgramTest, PastedPictureIsSavedWithTheDocumentAndDamageCostsOnlyTheItem) {
  const std::string spectrum = WriteSpectrum("spectrum.bvx");
  const std::string saved = Path("with_item.bvx");
  {
    BrivaneProcess app;
    ASSERT_TRUE(Start(app, spectrum));
    HWND view = SpectrumView(app);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ItemPixels(view), 0);
    ASSERT_TRUE(PutPictureOnClipboard());
    app.Command(ID_EDIT_PASTE);
    EXPECT_TRUE(WaitFor([&] { return ItemPixels(view) > 70 * 70; }, 10000)) << ItemPixels(view);
    // A double click opens the item; a picture has no program to open it
    // in, which is said, and the picture stays.
    ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 50));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    HWND box = app.WaitDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(BrivaneProcess::StaticTexts(box).find("could not be opened"), std::string::npos)
        << BrivaneProcess::StaticTexts(box);
    ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
    app.Sync();
    EXPECT_GT(ItemPixels(view), 70 * 70);
    ASSERT_TRUE(app.SaveAs(saved));
  }
  bool bDamaged = true;
  int nSpectra = 0;
  std::vector<CItemRecord> records = ItemRecordsOf(saved, &bDamaged, &nSpectra);
  EXPECT_EQ(nSpectra, 1);
  ASSERT_FALSE(bDamaged);
  ASSERT_EQ(records.size(), 1u);
  // (10, 10) and a 90-pixel square at 96 per inch (the screen's resolution
  // sets the size).
  const RECT rect = ItemRect(records[0]);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);

  {
    // Reopened: the item is where it was; Delete Object takes it away.
    BrivaneProcess app;
    ASSERT_TRUE(Start(app, saved));
    HWND view = SpectrumView(app);
    EXPECT_TRUE(WaitFor([&] { return ItemPixels(view) > 70 * 70; }, 10000));
    // Nothing is selected after opening: the command has nothing to delete.
    app.Command(ID_EDIT_CLEAR);
    app.Sync();
    EXPECT_GT(ItemPixels(view), 70 * 70);
    // Dragged by its middle 100 pixels right and down.
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
    ::PostMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 150));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(150, 150));
    app.Sync();
    ASSERT_TRUE(PutPictureOnClipboard());
    app.Command(ID_EDIT_PASTE);
    app.Command(ID_EDIT_CLEAR);  // the pasted item is the selected one
    app.Sync();
    EXPECT_GT(ItemPixels(view), 70 * 70) << "the first item stays";
    const std::string after = Path("after_delete.bvx");
    ASSERT_TRUE(app.SaveAs(after));
    std::vector<CItemRecord> left = ItemRecordsOf(after);
    ASSERT_EQ(left.size(), 1u);
    const RECT moved = ItemRect(left[0]);
    // The window's first sizes may scale the item by a pixel or so.
    EXPECT_NEAR(moved.left, 110, 3);
    EXPECT_NEAR(moved.top, 110, 3);
    EXPECT_NEAR(moved.right - moved.left, rect.right - rect.left, 3) << "moved, not resized";
  }

  // A byte of the item's storage changed: the spectra load, the item is
  // left out and the user is told.
  std::vector<BYTE> bytes;
  {
    FILE* fp = std::fopen(saved.c_str(), "rb");
    ASSERT_NE(fp, nullptr);
    std::fseek(fp, 0, SEEK_END);
    bytes.resize((size_t)std::ftell(fp));
    std::fseek(fp, 0, SEEK_SET);
    ASSERT_EQ(std::fread(bytes.data(), 1, bytes.size(), fp), bytes.size());
    std::fclose(fp);
  }
  bytes[bytes.size() - 100] ^= 0x55;
  const std::string damaged = Path("damaged.bvx");
  {
    FILE* fp = std::fopen(damaged.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), fp);
    std::fclose(fp);
  }
  BrivaneProcess app;
  ASSERT_TRUE(app.Start("\"" + damaged + "\""));
  HWND box = app.WaitDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BrivaneProcess::StaticTexts(box).find("embedded object"), std::string::npos)
      << BrivaneProcess::StaticTexts(box);
  ASSERT_TRUE(BrivaneProcess::Dismiss(box, IDOK));
  ASSERT_NE(app.WaitMainWindow(), nullptr);
  app.Sync();
  EXPECT_EQ(app.ChildCount(), 1) << "the spectra are read";
  HWND view = SpectrumView(app);
  ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ItemPixels(view), 0);
}

TEST_F(OleProgramTest, InsertingAnObjectThatCannotBeCreatedSaysSo) {
  // A class that offers itself for insertion but whose program is missing.
  const char kKey[] = "CLSID\\{3C1F0B9E-6D2A-4E57-8B41-0F9A2C7D5E13}";
  HKEY hKey = nullptr;
  ASSERT_EQ(::RegCreateKeyA(HKEY_CLASSES_ROOT, kKey, &hKey), ERROR_SUCCESS);
  ::RegSetValueA(hKey, nullptr, REG_SZ, "Brivane Missing Object", 0);
  ::RegSetValueA(hKey, "Insertable", REG_SZ, "", 0);
  ::RegSetValueA(hKey, "LocalServer32", REG_SZ, "C:\\nowhere\\missing.exe", 0);
  ::RegCloseKey(hKey);

  BrivaneProcess app;
  ASSERT_TRUE(Start(app, WriteSpectrum("spectrum.bvx")));
  app.PostCommand(ID_OLE_INSERT_NEW);
  HWND dialog = app.WaitDialog();
  ASSERT_NE(dialog, nullptr);
  // The object type list of the system's dialog.
  HWND list = nullptr;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "ListBox") == 0 && ::IsWindowVisible(child))
      list = child;
  }
  ASSERT_NE(list, nullptr);
  LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Brivane Missing Object");
  ASSERT_NE(index, LB_ERR);
  ::SendMessageA(list, LB_SETCURSEL, (WPARAM)index, 0);
  ASSERT_TRUE(BrivaneProcess::Dismiss(dialog, IDOK));
  HWND box = app.WaitDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BrivaneProcess::StaticTexts(box).find("Failed to create object."), std::string::npos)
      << BrivaneProcess::StaticTexts(box);
  BrivaneProcess::Dismiss(box, IDOK);
  ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kKey);
}

}  // namespace
