// The graph view in the program's own windows: the mouse tools (zoom,
// cursor readout, strip edges, integration regions, the wizard's picks),
// the keys, resizing, the clipboard picture and pasted pictures, the
// magnifier's lens and the sound of a set.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "framework/win/Dc.h"
#include "framework/win/Dialog.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "ndim/app/BrivanenDView.h"
#include "ndim/app/ClipboardPicture.h"
#include "ndim/data/IntegrationBlock.h"
#include "ndim/data/Spectrum2D.h"
#include "ndim/plot/NdAxisTicks.h"
#include "ndim/plot/NdViewGeometry.h"
#include "onedim/model/SolventTable.h"
#include "resources/BrivanenDRes.h"
#include "tests/ndim/app/NdAppFixture.h"

#include <commctrl.h>

namespace {

// The plot placed at a known spot: 32 points of 8 pixels across, 16 rows
// of 8 pixels down.
const CRect kPlot(80, 90, 80 + 256, 90 + 128);

class NdViewTest : public NdAppTest {
 protected:
  void SetUp() override {
    NdAppTest::SetUp();
    m_pDoc = OpenExperiment(16, 64);
    ASSERT_NE(nullptr, m_pDoc);
    m_pSet = m_pDoc->GetCurrentSet();
    m_pView = static_cast<CBrivanenDView*>(m_pDoc->FindView(RUNTIME_CLASS(CBrivanenDView)));
    ASSERT_NE(nullptr, m_pView);
    CRect client;
    m_pView->GetClientRect(&client);
    ASSERT_GE(client.right, kPlot.right + 20);
    ASSERT_GE(client.bottom, kPlot.bottom + 60);
    m_pSet->SetPlotRect(kPlot);
    m_hView = m_pView->m_hWnd;
  }
  void TearDown() override {
    AfxSetModalDialogHook(nullptr);
    NdAppTest::TearDown();
  }

  // A pixel of the point's cell that maps back to it.
  static CPoint At(int column, int row) { return CPoint(kPlot.left + 8 * column + 2, kPlot.bottom - 8 * row - 7); }
  std::string StatusText() const { return TextOf(::GetDlgItem(Frame()->m_hWnd, AFX_IDW_STATUS_BAR)); }
  void PointerTo(CPoint client) const {
    m_pView->ClientToScreen(&client);
    ::SetCursorPos(client.x, client.y);
    PumpPending();
  }

  CBrivanenDDoc* m_pDoc = nullptr;
  CSpectrum2D* m_pSet = nullptr;
  CBrivanenDView* m_pView = nullptr;
  HWND m_hView = nullptr;
};

TEST_F(NdViewTest, AZoomDragSetsTheWindowToTheDraggedPointsAndNothingElseChangesIt) {
  Command(ID_VIEW_ZOOM);
  PostDrag(m_hView, CPoint(kPlot.left + 40, kPlot.top + 24), CPoint(kPlot.left + 200, kPlot.top + 100));
  EXPECT_EQ(CRect(5, 2, 25, 13), m_pSet->m_zoom) << "columns 5 to 24, rows 2 to 12";
  EXPECT_EQ(ndMouseZoom, m_pDoc->m_nMouseMode) << "the band took the release";
  EXPECT_EQ(nullptr, ::GetCapture());

  // A band without area, one whose capture is taken away, one dragged far
  // outside the plot: the window stays valid.
  const CRect before = m_pSet->m_zoom;
  PostDrag(m_hView, CPoint(kPlot.left + 40, kPlot.top + 24), CPoint(kPlot.left + 40, kPlot.top + 90));
  EXPECT_EQ(before, m_pSet->m_zoom);
  ::PostMessageA(m_hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPlot.left + 10, kPlot.top + 10));
  ::PostMessageA(m_hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kPlot.left + 90, kPlot.top + 90));
  ::PostMessageA(m_hView, WM_CANCELMODE, 0, 0);
  ::PostMessageA(m_hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kPlot.left + 120, kPlot.top + 110));
  ::PostMessageA(m_hView, WM_LBUTTONUP, 0, MAKELPARAM(kPlot.left + 120, kPlot.top + 110));
  PumpPending();
  EXPECT_EQ(before, m_pSet->m_zoom) << "capture lost";
  Command(ID_VIEW_ZOOM);
  if (m_pDoc->m_nMouseMode != ndMouseZoom)
    Command(ID_VIEW_ZOOM);
  PostDrag(m_hView, CPoint(kPlot.left + 60, kPlot.top + 60), CPoint(-400, 2000));
  EXPECT_EQ(CRect(5, 2, 10, 8), m_pSet->m_zoom) << "to the plot's left and bottom edges, inside the window shown";
}

TEST_F(NdViewTest, APressInThePlotShowsThePositionAndTheSlicesFollowIt) {
  m_pSet->m_axis.m_nUnitsF2 = 0;
  m_pSet->m_axis.m_nUnitsF1 = 3;
  // The real pointer goes where the test presses: holding the cursor in
  // the plot and letting it go move it, and the view hears of that.
  PointerTo(At(7, 10));
  ::PostMessageA(m_hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(At(7, 10).x, At(7, 10).y));
  PumpPending();
  EXPECT_EQ(7, m_pSet->m_nSelectedColumn);
  EXPECT_EQ(10, m_pSet->m_nSelectedRow);
  EXPECT_EQ(FormatNdCursorReadout(*m_pSet, 7, 10), StatusText());
  EXPECT_EQ(0, StatusText().find("Position=(F2 7 pt , F1 "));
  RECT clip;
  ::GetClipCursor(&clip);
  EXPECT_EQ(kPlot.Width(), clip.right - clip.left) << "the cursor is held in the plot";
  // The release lets the mouse and the cursor go.
  ::PostMessageA(m_hView, WM_LBUTTONUP, 0, MAKELPARAM(At(7, 10).x, At(7, 10).y));
  PumpPending();
  EXPECT_EQ(nullptr, ::GetCapture());
  ::GetClipCursor(&clip);
  EXPECT_GT(clip.right - clip.left, kPlot.Width());

  // Dragged to the plot's far corner the slices stay on the data.
  PointerTo(CPoint(kPlot.right + 50, kPlot.top - 50));
  PostDrag(m_hView, At(7, 10), CPoint(kPlot.right + 50, kPlot.top - 50));
  EXPECT_EQ(31, m_pSet->m_nSelectedColumn);
  EXPECT_EQ(15, m_pSet->m_nSelectedRow);
  PostMouseMove(m_hView, At(3, 3));
  EXPECT_EQ("", StatusText()) << "a move without the button clears it";
}

// Moving the slices repaints their strips only: the plot keeps its pixels.
TEST_F(NdViewTest, TheSlicesRepaintWithoutThePlot) {
  m_pSet->m_bSliceDisplay = 1;
  m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const CPoint inside = At(20, 4);
  HDC hDC = ::GetDC(m_hView);
  ::SetPixel(hDC, inside.x, inside.y, RGB(0, 255, 0));
  m_pView->InvalidateRect(&m_pSet->m_traceF2.m_rect);
  m_pView->InvalidateRect(&m_pSet->m_traceF1.m_rect);
  m_pView->UpdateWindow();
  EXPECT_EQ(RGB(0, 255, 0), ::GetPixel(hDC, inside.x, inside.y));
  EXPECT_EQ(1, m_pSet->m_bPlotDirty) << "set again after the paint";
  m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(RGB(0, 255, 0), ::GetPixel(hDC, inside.x, inside.y));
  ::ReleaseDC(m_hView, hDC);
}

TEST_F(NdViewTest, StripEdgesAreDraggedButNeverCloserThanFivePixelsToThePlot) {
  m_pSet->m_bSliceDisplay = 1;
  const int top = m_pSet->m_traceF2.m_rect.top;
  PostDrag(m_hView, CPoint(150, top + 2), CPoint(150, top - 10));
  EXPECT_EQ(top - 10, m_pSet->m_traceF2.m_rect.top);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
  PostDrag(m_hView, CPoint(150, top - 10), CPoint(150, kPlot.top + 40));
  EXPECT_EQ(kPlot.top - 5, m_pSet->m_traceF2.m_rect.top);
  const int left = m_pSet->m_traceF1.m_rect.left;
  PostDrag(m_hView, CPoint(left - 3, 150), CPoint(kPlot.left + 100, 150));
  EXPECT_EQ(kPlot.left - 5, m_pSet->m_traceF1.m_rect.left);
  EXPECT_EQ(nullptr, ::GetCapture());
  // Beside the plot but on no edge, a press does nothing.
  PostDrag(m_hView, CPoint(kPlot.right + 10, 150), CPoint(kPlot.right + 10, 20));
  EXPECT_EQ(kPlot.top - 5, m_pSet->m_traceF2.m_rect.top);
  EXPECT_EQ(kPlot.left - 5, m_pSet->m_traceF1.m_rect.left);
}

TEST_F(NdViewTest, RegionsAreDrawnMovedDeletedAndTheReferenceValueIsSetByADoubleClick) {
  Command(ID_TOOLS_INTEGRATE);
  // A band reaching past the plot integrates only what lies in it.
  PostDrag(m_hView, At(20, 6), CPoint(kPlot.right + 60, kPlot.bottom + 40));
  ASSERT_EQ(1, m_pSet->m_regions.GetCount());
  CIntegrationBlock* pFirst = static_cast<CIntegrationBlock*>(m_pSet->m_regions.GetHead());
  EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CRectBlock)));
  EXPECT_EQ(pFirst, m_pSet->m_pReferenceRegion);
  CRectBlock clipped;
  clipped.m_rect = CRect(pFirst->m_rect.left, pFirst->m_rect.top, kPlot.right, kPlot.bottom);
  const double inside = clipped.Integrate(*m_pSet);
  EXPECT_NE(0.0, inside);
  EXPECT_EQ(inside, pFirst->Integrate(*m_pSet));
  EXPECT_EQ(CRect(clipped.m_rect), CRect(pFirst->m_rect));
  EXPECT_TRUE(m_pDoc->IsModified());

  // An ellipse beside it becomes the head; the first stays the reference.
  Command(ID_TOOLS_ELLIPSE);
  if (m_pDoc->m_nMouseMode != ndMouseIntegrate)
    Command(ID_TOOLS_INTEGRATE);
  PostDrag(m_hView, At(2, 12), At(8, 8));
  ASSERT_EQ(2, m_pSet->m_regions.GetCount());
  CIntegrationBlock* pSecond = static_cast<CIntegrationBlock*>(m_pSet->m_regions.GetHead());
  EXPECT_TRUE(pSecond->IsKindOf(RUNTIME_CLASS(CElipBlock)));
  EXPECT_EQ(pFirst, m_pSet->m_pReferenceRegion);

  // A double click on the head region sets the value it stands for.
  AfxSetModalDialogHook([](CDialog& d) {
    ::SetDlgItemTextA(d.m_hWnd, IDC_REFERENCE_INTEGRAL, "250");
    ::SendMessageA(d.m_hWnd, WM_COMMAND, IDOK, 0);
  });
  const CPoint centre = CRect(pSecond->m_rect).CenterPoint();
  PostClick(m_hView, centre, true);
  EXPECT_EQ(250.0, m_pSet->m_dReferenceIntegral);
  EXPECT_EQ(pSecond, m_pSet->m_pReferenceRegion);
  EXPECT_EQ("250.00", std::string(pSecond->GetLabelText(*m_pSet)));

  // A press on the first region brings it to the head; Delete removes it
  // and the other becomes the reference.
  PostClick(m_hView, CRect(pFirst->m_rect).CenterPoint());
  EXPECT_EQ(pFirst, m_pSet->m_regions.GetHead());
  PostKey(m_hView, VK_DELETE);
  ASSERT_EQ(1, m_pSet->m_regions.GetCount());
  EXPECT_EQ(pSecond, m_pSet->m_pReferenceRegion);
  PostKey(m_hView, VK_DELETE);
  EXPECT_TRUE(m_pSet->m_regions.IsEmpty());
  EXPECT_EQ(nullptr, m_pSet->m_pReferenceRegion);
}

TEST_F(NdViewTest, TheWizardsPicksAreRecordedOnTheTracesAndEachToolActsOnce) {
  LoadedTrace& row = m_pSet->m_loadedF2;
  row.m_nFloats = 128;  // 64 points over the 32 columns
  row.m_pData = static_cast<float*>(std::calloc(128, sizeof(float)));
  m_pDoc->m_nMouseMode = ndMousePick1D;
  PostClick(m_hView, CPoint(kPlot.left + 128, m_pSet->m_traceF2.m_rect.top + 20));
  EXPECT_EQ(1, m_pSet->m_bWhichTrace);
  EXPECT_EQ(32, row.m_nWizardFirst);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
  m_pDoc->m_nMouseMode = ndMousePick2D;
  PostClick(m_hView, At(11, 3));
  EXPECT_EQ(11, row.m_nWizardSecond);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);

  m_pDoc->m_nMouseMode = ndMousePick1D;
  PostClick(m_hView, CPoint(m_pSet->m_traceF1.m_rect.left + 20, kPlot.top + 50));
  EXPECT_EQ(0, m_pSet->m_bWhichTrace);
  m_pDoc->m_nMouseMode = ndMousePick2D;
  PostClick(m_hView, At(11, 3));
  EXPECT_EQ(3, m_pSet->m_loadedF1.m_nWizardSecond);
  EXPECT_EQ(11, row.m_nWizardSecond) << "the row trace keeps its pick";
}

// Reference F1 and F2: the clicked point's shift and the axis's label in
// the Reference dialog, the built-in list when solvents.map is missing.
// Cancel (after Rem. All) changes nothing and writes no file; OK by the
// toolbar writes the list and moves only that axis. Either answer ends the
// tool, though the dialog took the button's release.
TEST_F(NdViewTest, ReferenceToolsOfferTheClickedShiftAndMoveOnlyTheirAxisOnOK) {
  char module[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string solvents(SolventsFilePath(module));
  struct Case {
    UINT nCommand;
    int nMode;
    const char* label;
    int dim, other;
    int index;  // the clicked row (F1) or column (F2)
  };
  for (const Case& c : {Case{ID_TOOLS_REFERENCE_F1, ndMouseReferenceF1, "Ref. Col", 1, 2, 3},
                        Case{ID_TOOLS_REFERENCE_F2, ndMouseReferenceF2, "Ref. Row", 2, 1, 11}}) {
    SCOPED_TRACE(c.label);
    ::DeleteFileA(solvents.c_str());
    Command(c.nCommand);
    ASSERT_EQ(c.nMode, m_pDoc->m_nMouseMode);
    const DimensionBlock before = m_pSet->m_dims[c.dim];
    const float otherLast = m_pSet->m_dims[c.other].m_fLastFrequency;
    const double ppm = NdAxisValue(before, c.index, ND_UNITS_PPM);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.3lf", ppm);

    int shown = 0;
    AfxSetModalDialogHook([&](CDialog& d) {
      shown++;
      EXPECT_EQ(std::string(c.label), TextOf(::GetDlgItem(d.m_hWnd, IDC_ND_REF_LABEL)));
      EXPECT_EQ(std::string(expected), TextOf(::GetDlgItem(d.m_hWnd, IDC_ND_REF_SHIFT)));
      EXPECT_EQ(15, (int)::SendDlgItemMessageA(d.m_hWnd, IDC_ND_REF_LIST, LB_GETCOUNT, 0, 0));
      ::SendMessageA(d.m_hWnd, WM_COMMAND, ID_ND_REF_REM_ALL, 0);
      EXPECT_EQ(0, (int)::SendDlgItemMessageA(d.m_hWnd, IDC_ND_REF_LIST, LB_GETCOUNT, 0, 0));
      ::SendMessageA(d.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    const CPoint at = At(c.index % 32, c.index % 16);
    ::PostMessageA(m_hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PumpPending();
    EXPECT_EQ(1, shown);
    EXPECT_EQ(before.m_fLastFrequency, m_pSet->m_dims[c.dim].m_fLastFrequency);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(solvents.c_str())) << "Cancel writes nothing";
    EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
    Command(c.nCommand);
    ASSERT_EQ(c.nMode, m_pDoc->m_nMouseMode);

    // OK is the toolbar's last button, pressed with the mouse.
    AfxSetModalDialogHook([&](CDialog& d) {
      shown++;
      ::SetDlgItemTextA(d.m_hWnd, IDC_ND_REF_SHIFT, "5.000");
      HWND bar = ::FindWindowExA(d.m_hWnd, nullptr, TOOLBARCLASSNAMEA, nullptr);
      ASSERT_NE(nullptr, bar);
      ASSERT_EQ(6, (int)::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
      RECT button = {};
      ::SendMessageA(bar, TB_GETITEMRECT, 5, (LPARAM)&button);
      const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
      ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
      ::SendMessageA(bar, WM_LBUTTONUP, 0, at);
    });
    ::PostMessageA(m_hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PumpPending();
    AfxSetModalDialogHook(nullptr);
    EXPECT_EQ(2, shown);
    EXPECT_NEAR(5.0, NdAxisValue(m_pSet->m_dims[c.dim], c.index, ND_UNITS_PPM), 1e-3);
    EXPECT_EQ(otherLast, m_pSet->m_dims[c.other].m_fLastFrequency);
    EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
    EXPECT_EQ(0, Update(c.nCommand).checked);
    CSolventTable written(solvents.c_str());
    EXPECT_EQ(CSolventTable::loadRead, written.Load());
    EXPECT_EQ(15, (int)written.GetMap().GetCount());
    ::DeleteFileA(solvents.c_str());
  }
}

// The wizard run with real clicks: Finish gives the picked column the
// trace point's shift; Cancel, or Finish without the 1D pick of this run,
// leaves the axis alone.
TEST_F(NdViewTest, TheWizardsFinishGivesThePickedColumnTheTracePointsShift) {
  LoadedTrace& row = m_pSet->m_loadedF2;
  row.m_nFloats = 128;  // 64 points over the 32 columns
  row.m_pData = static_cast<float*>(std::calloc(128, sizeof(float)));
  row.m_fSpectralWidth = 4000.0f;
  row.m_fLastFrequency = 500.0f;
  row.m_fSpectrometerFreq = 400.0f;
  DimensionBlock scale;
  scale.m_nPoints = 64;
  scale.m_fSpectralWidth = 4000.0f;
  scale.m_fLastFrequency = 500.0f;
  scale.m_fSpectrometerFreq = 400.0f;
  const CPoint onTrace(kPlot.left + 128, m_pSet->m_traceF2.m_rect.top + 20);  // point 32
  float& last = m_pSet->m_dims[2].m_fLastFrequency;
  const float before = last;
  struct Case {
    bool pick1D;
    int end;
    bool moved;
  };
  for (const Case& c :
       {Case{true, PSBTN_CANCEL, false}, Case{false, PSBTN_FINISH, false}, Case{true, PSBTN_FINISH, true}}) {
    AfxSetModalSheetHook([&](CPropertySheet& sheet) {
      sheet.PressButton(PSBTN_NEXT);
      if (c.pick1D)
        PostClick(m_hView, onTrace);
      sheet.PressButton(PSBTN_NEXT);
      PostClick(m_hView, At(11, 3));
      sheet.PressButton(c.end);
    });
    Command(ID_TOOLS_SYNCHRONIZE);
    AfxSetModalSheetHook(nullptr);
    EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
    if (c.moved) {
      EXPECT_NEAR(NdAxisValue(scale, 32, ND_UNITS_PPM), NdAxisValue(m_pSet->m_dims[2], 11, ND_UNITS_PPM), 1e-4);
    } else {
      EXPECT_EQ(before, last) << c.pick1D << " " << c.end;
    }
  }
}

TEST_F(NdViewTest, SelectSpectrumMovesThePlotByItsTracker) {
  Command(ID_TOOLS_SELECT_SPECTRUM);
  PostDrag(m_hView, At(10, 8), At(10, 8) + CPoint(30, 20));
  EXPECT_EQ(kPlot + CPoint(30, 20), m_pSet->m_plotRect);
  EXPECT_EQ(m_pSet->m_plotRect.top, m_pSet->m_traceF2.m_rect.bottom) << "the strips go with it";
  EXPECT_EQ(1, m_pSet->m_bShowTracker);
  EXPECT_EQ(ndMouseSelectSpectrum, m_pDoc->m_nMouseMode) << "the tracker took the release";
  PostClick(m_hView, CPoint(kPlot.right + 60, kPlot.bottom + 40));
  EXPECT_EQ(0, m_pSet->m_bShowTracker);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
}

// A dot every pixel along lines 12 pixels apart; a plot too low for a
// step has no grid (and the paint ends). The raster has no black.
TEST_F(NdViewTest, TheGridDotsThePlotAndATinyPlotHasNone) {
  Command(ID_VIEW_GRID);
  CRect client;
  m_pView->GetClientRect(&client);
  auto paint = [&] {
    auto bitmap = std::make_unique<TestBitmap>(client.Width(), client.Height());
    CDC dc;
    dc.AttachTemporary(bitmap->dc());
    m_pView->OnDraw(&dc);
    dc.DetachTemporary();
    return bitmap;
  };
  auto grid = paint();
  int dots = 0;
  for (int y = kPlot.top + 1; y < kPlot.bottom - 1; ++y)
    dots += grid->Pixel(kPlot.left + 12 * 7, y) == RGB(0, 0, 0);
  EXPECT_GT(dots, kPlot.Height() / 2);
  m_pSet->SetPlotRect(CRect(100, 100, 400, 150));  // 15-pixel lines, no dot step
  auto low = paint();
  EXPECT_NE(RGB(0, 0, 0), low->Pixel(115, 125));
}

// On paper the plot is drawn at the page's scale of the window, and the
// screen's scale comes back afterwards.
TEST_F(NdViewTest, APrintedPageDrawsThePlotAtThePagesScale) {
  CRect client;
  m_pView->GetClientRect(&client);
  TestBitmap page(2 * client.Width(), 2 * client.Height());
  page.Fill(RGB(1, 2, 3));
  CDC dc;
  dc.AttachTemporary(page.dc());
  dc.SetPrinting(TRUE);
  const double fx = (double)dc.GetDeviceCaps(HORZRES) / client.Width();
  const double fy = (double)dc.GetDeviceCaps(VERTRES) / client.Height();
  m_pView->OnDraw(&dc);
  dc.DetachTemporary();
  const int left = (int)(kPlot.left * fx), middle = (int)((kPlot.top + kPlot.bottom) / 2 * fy);
  EXPECT_EQ(RGB(0, 0, 0), page.Pixel(left, middle)) << "the frame's left side";
  EXPECT_NE(RGB(255, 255, 255), page.Pixel(left + 5, middle)) << "the raster inside it";
  EXPECT_EQ(RGB(255, 255, 255), page.Pixel(left - 3, middle));
  EXPECT_EQ(1.0, m_pSet->m_dPrintFactorX);
  EXPECT_EQ(1.0, m_pSet->m_axis.m_dPrintFactorY);
}

TEST_F(NdViewTest, KeysAndResizing) {
  ::SendMessageA(m_hView, WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_EQ(ndMouseSelectSpectrum, m_pDoc->m_nMouseMode);
  ::SendMessageA(m_hView, WM_KEYUP, VK_SHIFT, 0);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
  Command(ID_TOOLS_INTEGRATE);
  ::SendMessageA(m_hView, WM_KEYDOWN, VK_SHIFT, 0);
  ::SendMessageA(m_hView, WM_KEYUP, VK_SHIFT, 0);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode) << "not back to the mode before";
  ::SendMessageA(m_hView, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(1, m_pDoc->m_bNoRedraw);
  ::SendMessageA(m_hView, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(0, m_pDoc->m_bNoRedraw);
  Command(ID_VIEW_ZOOM);
  PostKey(m_hView, VK_ESCAPE);
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);

  // The plot follows the window's size; a minimised window keeps it.
  m_pDoc->m_nClientWidth = 500;
  m_pDoc->m_nClientHeight = 400;
  ::SendMessageA(m_hView, WM_SIZE, SIZE_RESTORED, MAKELPARAM(1000, 200));
  EXPECT_EQ(CRect(160, 45, 672, 109), m_pSet->m_plotRect);
  ::SendMessageA(m_hView, WM_SIZE, SIZE_MINIMIZED, 0);
  ::SendMessageA(m_hView, WM_SIZE, SIZE_RESTORED, MAKELPARAM(1000, 200));
  EXPECT_EQ(CRect(160, 45, 672, 109), m_pSet->m_plotRect);
}

TEST_F(NdViewTest, CopyPutsTheDrawnPlotOnTheClipboardAndPasteBringsItBackAsAPicture) {
  m_pSet->m_bSliceDisplay = 1;
  CRectBlock* pRegion = new CRectBlock;
  pRegion->m_rect = CRect(kPlot.left + 16, kPlot.top + 16, kPlot.left + 80, kPlot.top + 64);
  m_pSet->m_regions.AddHead(pRegion);
  m_pSet->m_pReferenceRegion = pRegion;
  Command(ID_EDIT_COPY);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HENHMETAFILE hCopy = ::CopyEnhMetaFile((HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE), nullptr);
  ::CloseClipboard();
  ASSERT_NE(nullptr, hCopy);
  char description[64] = {};
  ::GetEnhMetaFileDescriptionA(hCopy, sizeof description, description);
  EXPECT_STREQ("bvx metafile", description);
  EXPECT_GT(CountRecords(hCopy, EMR_STRETCHDIBITS), 0) << "the raster";
  EXPECT_GT(CountRecords(hCopy, EMR_POLYLINE) + CountRecords(hCopy, EMR_POLYLINE16), 0) << "frame and strips";
  EXPECT_FALSE(Texts(hCopy).empty()) << "axis labels";
  // The region where the plot is in the picture, with its value.
  CRect client;
  m_pView->GetClientRect(&client);
  const double fx = 6000.0 / client.Width();
  HDC hScreen = ::GetDC(nullptr);
  const double fy =
      (int)(6000.0 * ::GetDeviceCaps(hScreen, VERTRES) / ::GetDeviceCaps(hScreen, HORZRES)) / (double)client.Height();
  ::ReleaseDC(nullptr, hScreen);
  bool bRegion = false;
  for (const MetafileRecord& r : Records(hCopy))
    if (r.type == EMR_RECTANGLE) {
      const RECTL& box = reinterpret_cast<const EMRRECTANGLE*>(r.data.data())->rclBox;
      bRegion |= std::abs(box.left - (int)(pRegion->m_rect.left * fx)) <= 1 &&
                 std::abs(box.bottom - (int)(pRegion->m_rect.bottom * fy)) <= 1;
    }
  EXPECT_TRUE(bRegion) << "the region scaled with the plot";
  const std::vector<std::string> texts = Texts(hCopy);
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "1.00"));
  ENHMETAHEADER header;
  ::GetEnhMetaFileHeader(hCopy, sizeof header, &header);
  // 6000 units across the view: the plot's frame (and the labels beyond
  // it) scaled to them.
  EXPECT_GE(header.rclBounds.right, kPlot.right * 6000 / client.Width() - 2);
  EXPECT_LE(header.rclBounds.right, 6000);
  ::DeleteEnhMetaFile(hCopy);
  EXPECT_EQ(1.0, m_pSet->m_dPrintFactorX) << "the screen's factors back";

  EXPECT_FALSE(Update(ID_EDIT_CLEAR).enabled);
  Command(ID_EDIT_PASTE);
  ASSERT_EQ(1, m_pDoc->m_pictures.GetCount());
  const CClipboardPicture* pPicture = static_cast<CClipboardPicture*>(m_pDoc->m_pictures.GetHead());
  EXPECT_EQ(CRect(100, 100, 200, 200), pPicture->m_rect);
  ASSERT_NE(nullptr, m_pDoc->m_pPictureTracker);
  EXPECT_EQ(CRect(100, 100, 200, 200), m_pDoc->m_pPictureTracker->m_rect);
  EXPECT_TRUE(Update(ID_EDIT_CLEAR).enabled);
  // The picture is drawn into its rectangle.
  m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Command(ID_EDIT_PASTE);
  ASSERT_EQ(2, m_pDoc->m_pictures.GetCount());
  // The newest is dragged by its tracker; the older one, pressed, comes to
  // the head.
  const CClipboardPicture* pNewest = static_cast<CClipboardPicture*>(m_pDoc->m_pictures.GetHead());
  PostDrag(m_hView, CPoint(190, 190), CPoint(290, 190));
  EXPECT_EQ(CRect(200, 100, 300, 200), pNewest->m_rect);
  EXPECT_EQ(1, m_pDoc->m_bPictureSelected);
  PostClick(m_hView, CPoint(110, 170));
  EXPECT_EQ(pPicture, m_pDoc->m_pictures.GetHead());
  Command(ID_EDIT_CLEAR);
  EXPECT_EQ(pNewest, m_pDoc->m_pictures.GetHead());
  ASSERT_NE(nullptr, m_pDoc->m_pPictureTracker);
  EXPECT_EQ(CRect(200, 100, 300, 200), m_pDoc->m_pPictureTracker->m_rect);
  Command(ID_EDIT_CLEAR);
  EXPECT_TRUE(m_pDoc->m_pictures.IsEmpty());
  EXPECT_EQ(nullptr, m_pDoc->m_pPictureTracker);
  EXPECT_FALSE(Update(ID_EDIT_CLEAR).enabled);
}

// The lens draws the set again under it: at 10 tenths as the view shows
// it, at 20 tenths each point twice as large.
TEST_F(NdViewTest, TheMagnifiersLensShowsThePlotUnderItMagnified) {
  Command(ID_VIEW_MAGNIFY);
  CMagnifyingGlass& glass = m_pView->GetMagnifier();
  ASSERT_TRUE(glass.IsWindowVisible());
  EXPECT_EQ(ndMouseMagnifier, m_pDoc->m_nMouseMode);
  EXPECT_EQ(1, Update(ID_VIEW_MAGNIFY).checked);
  EXPECT_EQ(255, glass.m_nSize);
  EXPECT_EQ(40, glass.m_nMagnification);

  CRect client;
  m_pView->GetClientRect(&client);
  TestBitmap view(client.Width(), client.Height());
  CDC viewDC;
  viewDC.AttachTemporary(view.dc());
  m_pView->OnDraw(&viewDC);
  viewDC.DetachTemporary();
  const int size = 64, left = kPlot.left + 70, top = kPlot.top + 30;
  auto lensOf = [&](int magnification) {
    auto lens = std::make_unique<TestBitmap>(size, size);
    lens->Fill(RGB(255, 255, 255));
    CDC dc;
    dc.AttachTemporary(lens->dc());
    m_pView->DrawMagnified(&dc, left, top, size, magnification);
    dc.DetachTemporary();
    return lens;
  };
  const auto same = lensOf(10);
  const auto twice = lensOf(20);
  int sameMatches = 0, twiceMatches = 0, coloured = 0;
  for (int v = 0; v < size; ++v)
    for (int u = 0; u < size; ++u) {
      sameMatches += same->Pixel(u, v) == view.Pixel(left + u, top + v);
      twiceMatches += twice->Pixel(u, v) == view.Pixel(left + size / 4 + u / 2, top + size / 4 + v / 2);
      coloured += same->Pixel(u, v) != RGB(255, 255, 255);
    }
  EXPECT_GT(coloured, size * size / 2) << "the raster fills the lens";
  EXPECT_GT(sameMatches, size * size * 9 / 10);
  EXPECT_GT(twiceMatches, size * size * 8 / 10);

  // Over it a crosshair and the position of its centre.
  m_pSet->m_axis.m_nUnitsF1 = m_pSet->m_axis.m_nUnitsF2 = 0;
  TestMetafile overlay([&](CDC& dc) { m_pView->DrawLensOverlay(&dc, left, top, size); });
  const CPoint centre = m_pSet->PixelToPoint(left + size / 2, top + size / 2);
  const std::vector<std::string> texts = Texts(overlay.get());
  ASSERT_EQ(2u, texts.size());
  EXPECT_EQ(FormatNdPosition(*m_pSet, 1, centre.y), texts[0]);
  EXPECT_EQ(FormatNdPosition(*m_pSet, 2, centre.x), texts[1]);

  Command(ID_VIEW_MAGNIFY);
  EXPECT_FALSE(glass.IsWindowVisible());
  EXPECT_EQ(ndMouseNone, m_pDoc->m_nMouseMode);
}

// The sound device of the test environment is an ALSA file.
TEST_F(NdViewTest, PlayWritesEveryTraceToTheDeviceInChunksAndStopFreesThem) {
  const char* pszFile = std::getenv("BRIVANE_SOUND_FILE");
  if (pszFile == nullptr)
    GTEST_SKIP() << "no sound file device in this environment";
  std::remove(pszFile);
  CNdSound sound(100);  // 512 samples: six chunks
  float least, greatest;
  m_pSet->GetMinMax(least, greatest);
  sound.m_pData = m_pSet->m_pData;
  sound.m_fLeast = least;
  sound.m_fGreatest = greatest;
  ASSERT_EQ((MMRESULT)MMSYSERR_NOERROR,
            sound.Play(m_pView, m_pSet->GetOuterCount(), m_pSet->GetInnerCount(), m_pSet->GetCurrentCount(), TRUE));
  EXPECT_EQ(6, sound.GetChunkCount());
  const std::vector<BYTE> samples = sound.GetSamples();
  ASSERT_EQ(512u, samples.size());
  // The playback ends at a report once every chunk is back.
  MSG msg;
  const DWORD start = ::GetTickCount();
  while (sound.IsPlaying() && ::GetTickCount() - start < 10000) {
    if (::PeekMessageA(&msg, m_hView, MM_WOM_DONE, MM_WOM_DONE, PM_REMOVE))
      sound.Finish((HWAVEOUT)msg.wParam);
    else
      ::Sleep(10);
  }
  EXPECT_FALSE(sound.IsPlaying());
  std::ifstream in(pszFile, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos, written.find(std::string(samples.begin(), samples.end()))) << written.size();

  // Through the view: Stop is offered while it plays and ends it.
  EXPECT_TRUE(Update(ID_PROCESS_PLAY).enabled);
  EXPECT_FALSE(Update(ID_PROCESS_STOP).enabled);
  Command(ID_PROCESS_PLAY);
  EXPECT_TRUE(m_pView->GetSound().IsPlaying());
  EXPECT_FALSE(Update(ID_PROCESS_PLAY).enabled);
  EXPECT_TRUE(Update(ID_PROCESS_STOP).enabled);
  Command(ID_PROCESS_STOP);
  EXPECT_FALSE(m_pView->GetSound().IsPlaying());
  EXPECT_EQ(0, m_pView->GetSound().GetChunkCount());
  EXPECT_TRUE(Update(ID_PROCESS_PLAY).enabled);
  EXPECT_EQ((MMRESULT)MMSYSERR_NOERROR, m_pView->GetSound().Stop()) << "nothing left to stop";
  PumpPending();  // the device's late reports change nothing
  EXPECT_TRUE(Update(ID_PROCESS_PLAY).enabled);
}

}  // namespace
