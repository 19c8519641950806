// BrivanenD.exe as an OLE container: an object copied in another program
// is pasted into a new graph window, drawn there with the handles of the
// selection, and Delete Object takes it away.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "resources/BrivanenDRes.h"
#include "tests/framework/win/WindowTest.h"
#include "tests/ndim/app/nd_ole_test_support.h"
#include "tests/onedim/app/BrivaneProcess.h"

namespace {

// The graph view of the active document window.
HWND GraphView(const BrivaneProcess& app) {
  HWND splitter = ::GetDlgItem(app.ActiveChild(), AFX_IDW_PANE_FIRST);
  return ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST);
}

// How many pixels of the colour the view shows, in one screen copy.
int PixelsOf(HWND view, COLORREF colour) {
  return ScreenCopy(view)->Count(colour);
}

TEST(NdOleProgramTest, AnObjectPastedIntoAGraphWindowIsDrawnSelectedAndDeleted) {
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Orvandel\\BrivanenD");
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  {
    BrivaneProcess app(BRIVANEND_APP_PATH);
    ASSERT_TRUE(app.Start(""));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    app.Sync();
    app.Command(ID_FILE_NEW);
    app.Sync();
    HWND view = GraphView(app);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(0, PixelsOf(view, kObjectColour));

    ASSERT_TRUE(PutObjectOnClipboard(true));
    app.Command(ID_EDIT_PASTE);
    app.Sync();
    // A 96-pixel square at (10, 10), its corners under the selection's
    // handles.
    EXPECT_TRUE(WaitFor([&] { return PixelsOf(view, kObjectColour) > 85 * 85; }, 10000))
        << PixelsOf(view, kObjectColour);
    const int selected = PixelsOf(view, kObjectColour);
    EXPECT_LT(selected, 96 * 96);
    // A press beside it takes the handles away.
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 30));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(300, 30));
    app.Sync();
    EXPECT_TRUE(WaitFor([&] { return PixelsOf(view, kObjectColour) > selected; }, 5000)) << selected;

    // Delete Object with nothing selected has nothing to take.
    app.Command(ID_EDIT_CLEAR);
    app.Sync();
    EXPECT_GT(PixelsOf(view, kObjectColour), 85 * 85);
    ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    app.Sync();
    app.Command(ID_EDIT_CLEAR);
    app.Sync();
    ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(WaitFor([&] { return PixelsOf(view, kObjectColour) == 0; }, 5000));
  }
  ::OleSetClipboard(nullptr);
  ::OleUninitialize();
}

}  // namespace
