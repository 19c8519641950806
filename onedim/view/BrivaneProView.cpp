#include "onedim/view/BrivaneProView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "framework/win/Clipboard.h"
#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Menu.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/PreviewView.h"
#include "framework/win/PrintDialog.h"
#include "framework/win/RectTracker.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "onedim/app/BrivaneDocument.h"
#include "onedim/app/BrivaneProApp.h"
#include "onedim/view/BrivaneProCntrItem.h"
#include "onedim/app/MainFrame.h"
#include "onedim/model/AxisScale.h"
#include "onedim/model/Integral.h"
#include "onedim/model/MeasureJ.h"
#include "onedim/model/PeakPicking.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"
#include "onedim/plot/Graph.h"
#include "onedim/plot/PrintMargins.h"
#include "onedim/plot/PrintSettings.h"
#include "onedim/plot/ViewGeometry.h"
#include "onedim/print/MyPreviewView.h"
#include "onedim/print/PrintJob.h"
#include "onedim/view/ArrowMarkDraw.h"
#include "onedim/view/CouplingDraw.h"
#include "onedim/view/GraphDraw.h"
#include "onedim/view/OffscreenDC.h"
#include "onedim/view/SpectrumDraw.h"
#include "resources/BrivaneRes.h"

IMPLEMENT_DYNCREATE(CBrivaneProView, CView)

BEGIN_MESSAGE_MAP(CBrivaneProView, CView)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_COMMAND(ID_VIEW_ZOOM, OnViewZoom)
  ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM, OnUpdateViewZoom)
  ON_COMMAND(ID_PLAY, OnPlay)
  ON_UPDATE_COMMAND_UI(ID_PLAY, OnUpdatePlay)
  ON_MESSAGE(MM_WOM_DONE, OnWaveDone)
  ON_COMMAND(ID_VIEW_MAGNIFIER, OnViewMagnifier)
  ON_UPDATE_COMMAND_UI(ID_VIEW_MAGNIFIER, OnUpdateViewMagnifier)
  ON_COMMAND(ID_VIEW_PROPERTIES, OnViewProperties)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW_OWN, OnFilePrintPreviewOwn)
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
  ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertObject)
  ON_COMMAND(ID_CANCEL_EDIT_CNTR, OnCancelEditCntr)
  ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
END_MESSAGE_MAP()

namespace {

// The tools that act on the maximum found under the cursor.
bool SearchesMaximum(int nMode) {
  return nMode == MOUSE_PEAK_BY_PEAK || nMode == MOUSE_COUPLING_REFERENCE || nMode == MOUSE_COUPLING_PARTNERS ||
         nMode == MOUSE_REFERENCE || nMode == MOUSE_RELAXATION_PEAK;
}

// Data value at view height y: the threshold of the peak-picking band.
double ThresholdAt(const CSpectrum& s, int y) {
  return std::fabs(s.YToValue(y));
}

// The cursor resource of a mouse tool; 0 for the arrow.
UINT CursorOfMode(int nMode, BOOL bShift) {
  switch (nMode) {
    case MOUSE_MOVE:
      return bShift ? IDC_CURSOR_MOVE_EXTENT : IDC_CURSOR_MOVE;
    case MOUSE_ZOOM:
      return IDC_CURSOR_ZOOM;
    case MOUSE_PEAK_REGION:
      return IDC_CURSOR_PEAK_REGION;
    case MOUSE_BASELINE_POINTS:
      return IDC_CURSOR_BASELINE;
    case MOUSE_COUPLING_REFERENCE:
      return IDC_CURSOR_COUPLING_REFERENCE;
    case MOUSE_COUPLING_PARTNERS:
      return IDC_CURSOR_COUPLING_PARTNER;
    case MOUSE_REFERENCE:
      return IDC_CURSOR_REFERENCE;
    case MOUSE_INTEGRATE:
      return IDC_CURSOR_INTEGRATE;
    case MOUSE_REMOVE_PEAKS:
      return IDC_CURSOR_REMOVE_PEAKS;
    case MOUSE_PEAK_INFO:
      return IDC_CURSOR_PEAK_INFO;
    default:
      return 0;
  }
}

// The arrow's tip on the trace, but never above y.
int TipY(const CSpectrum& s, int nIndex, int yHighest) {
  return std::max(s.PointToY(nIndex), yHighest);
}

// The tracker of an integral: dragged whole, the band goes only up or down;
// a handle resizes it.
class CIntegralTracker : public CRectTracker {
 public:
  explicit CIntegralTracker(const RECT& rc) : CRectTracker(&rc, solidLine | resizeInside), m_rcStart(rc) {}

 protected:
  void AdjustRect(int nHandle, LPRECT lpRect) override {
    CRectTracker::AdjustRect(nHandle, lpRect);
    if (lpRect->right - lpRect->left == m_rcStart.Width() && lpRect->bottom - lpRect->top == m_rcStart.Height()) {
      lpRect->left = m_rcStart.left;
      lpRect->right = m_rcStart.right;
    }
  }

 private:
  CRect m_rcStart;
};

// The clipboard picture's drawing space.
const int kPictureWidth = 15000;
const int kPictureHeight = 11250;

// The application's icon type, 0 without the application (tests).
int IconType() {
  const CBrivaneProApp* pApp = GetBrivaneApp();
  const int nType = pApp != nullptr ? pApp->m_nIconType : 0;
  return nType >= 0 && nType <= 2 ? nType : 0;
}

// The application's rendering-to-a-metafile flag, set while a picture is
// drawn.
class CRenderingMetafile {
 public:
  CRenderingMetafile() : m_bOld(GetPrintSettings().bRenderingMetafile) { GetPrintSettings().bRenderingMetafile = TRUE; }
  ~CRenderingMetafile() { GetPrintSettings().bRenderingMetafile = m_bOld; }
  CRenderingMetafile(const CRenderingMetafile&) = delete;
  CRenderingMetafile& operator=(const CRenderingMetafile&) = delete;

 private:
  BOOL m_bOld;
};

}  // namespace

CBrivaneProView::CBrivaneProView() {
  static const UINT kIcons[3] = {IDI_SPECTRUM, IDI_ABOUT_FID, IDI_ABOUT_PHASE};
  for (int i = 0; i < 3; i++)
    m_hIcons[i] = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kIcons[i]), IMAGE_ICON, 32, 32, 0);
  static const UINT kOperandIcons[2] = {IDI_OPERAND_A, IDI_OPERAND_B};
  for (int i = 0; i < 2; i++)
    m_hOperandIcons[i] =
        (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kOperandIcons[i]), IMAGE_ICON, 32, 32, 0);
}

CBrivaneProView::~CBrivaneProView() {
  for (HICON hIcon : m_hIcons)
    if (hIcon != nullptr)
      ::DestroyIcon(hIcon);
  for (HICON hIcon : m_hOperandIcons)
    if (hIcon != nullptr)
      ::DestroyIcon(hIcon);
}

void CBrivaneProView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (m_Magnifier.m_hWnd == nullptr)
    m_Magnifier.Create(this, this);
  if (m_DataTip.m_hWnd == nullptr && m_DataTip.Create(this))
    m_DataTip.On(TRUE);
  TFXDataTip::SetDelay(0);
}

void CBrivaneProView::OnUpdate(CView*, LPARAM lHint, CObject* pHint) {
  if (m_hWnd == nullptr)
    return;
  if (lHint == 1 && pHint != nullptr && pHint->IsKindOf(RUNTIME_CLASS(CBrivaneProCntrItem))) {
    CRectTracker tracker;
    SetupTracker(static_cast<CBrivaneProCntrItem*>(pHint), &tracker);
    CRect rcItem;
    tracker.GetTrueRect(&rcItem);
    InvalidateRect(&rcItem);
    return;
  }
  const CSpectrum* s = lHint != 0 && pHint != nullptr && pHint->IsKindOf(RUNTIME_CLASS(CSpectrum))
                           ? static_cast<const CSpectrum*>(pHint)
                           : nullptr;
  // A spectrum never given its rectangle would otherwise repaint nothing.
  CRect rc = s != nullptr ? CRect(s->m_rectBound) : CRect();
  if (rc.IsRectEmpty()) {
    Invalidate();
    return;
  }
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP(&rc);
  InvalidateRect(&rc);
}

CBrivaneDocument* CBrivaneProView::GetDocument() const {
  return static_cast<CBrivaneDocument*>(m_pDocument);
}

BOOL CBrivaneProView::OnEraseBkgnd(CDC*) {
  return TRUE;
}  // OnDraw fills the background

void CBrivaneProView::OnPaint() {
  CPaintDC dc(this);
  COffscreenDC offscreen(&dc);
  OnDraw(&offscreen);
}

void CBrivaneProView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  CBrivaneDocument* pDoc = GetDocument();
  if (cx <= 0 || cy <= 0)
    return;  // minimised or squeezed: the layout waits for a real size
  // An item edited in place follows the view first.
  if (COleClientItem* pActive = pDoc != nullptr ? pDoc->GetInPlaceActiveItem(this) : nullptr)
    pActive->SetItemRects();
  if (pDoc != nullptr && pDoc->m_bAutoResize && !m_rcLastClient.IsRectEmpty()) {
    double dx = 1.0, dy = 1.0;
    ResizeRatios(m_rcLastClient.Size(), CSize(cx, cy), dx, dy);
    for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;)
      RescaleSpectrumLayout(*pDoc->m_Spectra.GetSpectrum(pos), dx, dy);
    RescaleItems(dx, dy);
  }
  m_rcLastClient = CRect(0, 0, cx, cy);
  if (m_Magnifier.m_hWnd != nullptr)
    m_Magnifier.MoveWindow(0, 0, cx, cy, FALSE);
}

CRect CBrivaneProView::GetLayoutRect() const {
  CRect rc;
  GetClientRect(&rc);
  return rc.Width() > 0 && rc.Height() > 0 ? rc : m_rcLastClient;
}

void CBrivaneProView::OnDraw(CDC* pDC) {
  CBrivaneDocument* pDoc = GetDocument();
  const CPrintSettings& print = GetPrintSettings();
  const BOOL bPrinting = pDC->IsPrinting();
  CRect rcClip;
  pDC->GetClipBox(&rcClip);
  COLORREF crBack = pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255);
  if (bPrinting && !print.bPrintInColour)
    crBack = RGB(255, 255, 255);
  {
    CBrush background(crBack);
    CSelectGuard brushGuard(*pDC, &background);
    pDC->PatBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), PATCOPY);
  }
  if (pDoc == nullptr || pDoc->GetCurrentSpectrum() == nullptr)
    return;
  const CRect rc = GetLayoutRect();
  if (rc.IsRectEmpty())
    return;
  double fx = 1.0, fy = 1.0;
  if (bPrinting) {
    const RECT& m = print.rcMargins;
    fx = (double)(pDC->GetDeviceCaps(HORZRES) - m.left - m.right) / rc.Width();
    fy = (double)(pDC->GetDeviceCaps(VERTRES) - m.top - m.bottom) / rc.Height();
  }
  DrawPlot(pDC, rc, fx, fy, !bPrinting);
}

void CBrivaneProView::DrawPlot(CDC* pDC, const CRect& rc, double fx, double fy, BOOL bScreen) {
  CBrivaneDocument* pDoc = GetDocument();
  const CPrintSettings& print = GetPrintSettings();
  const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
  if (pDoc->m_bShowGrid && !print.bRenderingMetafile)
    DrawGrid(pDC, rc, fx, fy);
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (s == nullptr)
      break;
    s->m_dPrintScaleX = fx;
    s->m_dPrintScaleY = fy;
    s->UpdateDisplayData();
    s->m_Scale.m_rectClient = rc;
    DrawSpectrum(*s, pDC);
    if (!bScreen)
      continue;
    if (s->m_pSelectedIntegral != nullptr) {
      CRectTracker tracker(&s->m_pSelectedIntegral->m_rectCurve, CRectTracker::solidLine | CRectTracker::resizeInside);
      tracker.Draw(pDC);
    }
    if (s->m_pSelectedLabel != nullptr) {
      CSelectGuard hollow(*pDC, NULL_BRUSH);
      pDC->Rectangle(&s->m_pSelectedLabel->m_rectDrawn);
    }
  }
  CPen graphPen(PS_SOLID, 1, RGB(0, 0, 0));
  {
    CSelectGuard penGuard(*pDC, &graphPen);
    if (pDoc->m_pBaselinePoints != nullptr && pDoc->m_bBaselineInProgress)
      DrawGraph(*pDoc->m_pBaselinePoints, pDC, rc.left, rc.top, rc.right, rc.bottom);
    if (pDoc->m_pBaselineCurve != nullptr && pDoc->m_bBaselineToSubtract)
      DrawGraph(*pDoc->m_pBaselineCurve, pDC, rc.left, rc.top, rc.right, rc.bottom);
  }
  DrawMarks(pDC, *pDoc->GetCurrentSpectrum(), bScreen);
  if (bScreen && pDoc->m_nShowActiveIcon && pDoc->GetSpectrumCount() > 1)
    DrawActiveIcon(pDC, *pDoc->GetCurrentSpectrum());
  if (bScreen && pDoc->GetHost()->IsArithmeticBarVisible())
    DrawOperandMarkers(pDC);
  DrawItems(pDC, fx, fy, bScreen);
  if (pDC->IsPrinting() && print.bPrintBorder) {
    const RECT& m = print.rcMargins;
    CSelectGuard hollow(*pDC, NULL_BRUSH);
    CPen border(PS_SOLID, 1, RGB(0, 0, 0));
    CSelectGuard penGuard(*pDC, &border);
    pDC->Rectangle(m.left + 2, m.top + 2, pDC->GetDeviceCaps(HORZRES) - m.right - 2,
                   pDC->GetDeviceCaps(VERTRES) - m.bottom - 2);
  }
  pDC->SetBkMode(nOldBkMode);
}

// A grey dot every 4 pixels along the lines that cut the client area into
// 20 columns and 20 rows.
void CBrivaneProView::DrawGrid(CDC* pDC, const CRect& rc, double fx, double fy) {
  const COLORREF crDot = RGB(128, 128, 128);
  for (int k = 1; k < 20; k++) {
    const int x = rc.left + MulDiv(rc.Width(), k, 20);
    const int y = rc.top + MulDiv(rc.Height(), k, 20);
    for (int v = rc.top; v < rc.bottom; v += 4)
      pDC->SetPixel((int)(x * fx), (int)(v * fy), crDot);
    for (int u = rc.left; u < rc.right; u += 4)
      pDC->SetPixel((int)(u * fx), (int)(y * fy), crDot);
  }
}

// The marks: the coupling table's pair under the mouse, the peak list's
// selection, the ticked coupling brackets of the current spectrum, the reference
// line of a coupling being measured and, on the screen, the maximum the
// point tools found under the cursor.
void CBrivaneProView::DrawMarks(CDC* pDC, CSpectrum& s, BOOL bScreen) {
  CBrivaneDocument* pDoc = GetDocument();
  const int nUnits = s.m_Scale.m_nUnits;
  if (s.m_bSelectedJShown)
    DrawCouplingPair(pDC, s, pDoc->m_nSelectedCoupling, pDoc->m_nSelectedCouplingEntry);
  if (s.m_bSelectedPeakShown && pDoc->m_nSelectedPeakRecord >= 0 &&
      pDoc->m_nSelectedPeakRecord < s.m_arrPeaks.GetSize()) {
    const CPeakPicking* pPeaks = static_cast<CPeakPicking*>(s.m_arrPeaks.GetAt(pDoc->m_nSelectedPeakRecord));
    if (pDoc->m_nSelectedPeak >= 0 && pDoc->m_nSelectedPeak < pPeaks->GetCount()) {
      const int i = pPeaks->m_arrPoints[pDoc->m_nSelectedPeak];
      pDoc->m_bLabelArrow = 1;
      DrawArrowMark(pDC, s, SpectrumPointToPixel(s, i), TipY(s, i, 40), s.ConvertUnits(i, nUnits), TRUE, FALSE);
    }
  }
  DrawCouplings(pDC, s);
  if (s.m_bMeasuringJ && s.m_pCurrentJ != nullptr && !s.m_bSelectedJShown) {
    const int i = s.m_pCurrentJ->m_nReference;
    pDoc->m_bLabelArrow = 0;
    DrawArrowMark(pDC, s, SpectrumPointToPixel(s, i), TipY(s, i, 40), s.ConvertUnits(i, nUnits), FALSE, FALSE);
  }
  const int nMode = pDoc->m_nMouseMode;
  if (!bScreen || m_nFoundPoint < 0 || !SearchesMaximum(nMode))
    return;
  const int i = m_nFoundPoint;
  double dValue = s.ConvertUnits(i, nUnits);
  if (nMode == MOUSE_COUPLING_PARTNERS && s.m_pCurrentJ != nullptr)
    dValue = std::fabs(s.ConvertUnits(i, AXIS_UNITS_HZ) - s.ConvertUnits(s.m_pCurrentJ->m_nReference, AXIS_UNITS_HZ));
  pDoc->m_bLabelArrow = nMode != MOUSE_COUPLING_REFERENCE;
  DrawArrowMark(pDC, s, SpectrumPointToPixel(s, i), TipY(s, i, 50), dValue, pDoc->m_bLabelArrow,
                nMode == MOUSE_COUPLING_PARTNERS);
}

// The icon sits 32 pixels inside the spectrum's right end, at the height
// of its last five points.
void CBrivaneProView::DrawActiveIcon(CDC* pDC, const CSpectrum& s) {
  DrawIconAtTraceEnd(pDC, s, m_hIcons[IconType()], -32);
}

// An icon nOffsetX from the right end of the trace, 16 pixels above the
// mean height of its last five points.
void CBrivaneProView::DrawIconAtTraceEnd(CDC* pDC, const CSpectrum& s, HICON hIcon, int nOffsetX) {
  const int td = s.m_paramsA.td & ~1;
  if (hIcon == nullptr || s.m_pData == nullptr || td < 2)
    return;
  long long nSum = 0;
  int nCount = 0;
  for (int i = td - 2; i >= 0 && nCount < 5; i -= 2, nCount++)
    nSum += s.PointToY(i);
  pDC->DrawIcon(s.m_nRightPixel + nOffsetX, (int)(nSum / nCount) - 16, hIcon);
}

// The marks of the add/subtract operands, right of their traces' ends.
void CBrivaneProView::DrawOperandMarkers(CDC* pDC) {
  const CSpectrumArithmetic& a = GetDocument()->m_Arithmetic;
  if (a.m_pA == nullptr || a.m_pB == nullptr)
    return;
  DrawIconAtTraceEnd(pDC, *a.m_pA, m_hOperandIcons[0], 32);
  DrawIconAtTraceEnd(pDC, *a.m_pB, m_hOperandIcons[1], 32);
}

HENHMETAFILE CBrivaneProView::RenderPicture() {
  CBrivaneDocument* pDoc = GetDocument();
  const CRect rc = GetLayoutRect();
  if (pDoc == nullptr || pDoc->GetCurrentSpectrum() == nullptr || rc.IsRectEmpty())
    return nullptr;
  CRenderingMetafile rendering;
  CPrintDialog printer(FALSE);
  const BOOL bPrinter = printer.GetDefaults() && printer.GetPrinterDC() != nullptr;
  CMetaFileDC dc;
  if (!dc.CreateEnhanced(bPrinter ? CDC::FromHandle(printer.GetPrinterDC()) : nullptr, nullptr, nullptr,
                         "bvx metafile"))
    return nullptr;
  const double fx = (double)kPictureWidth / rc.Width();
  const double fy = (double)kPictureHeight / rc.Height();
  {
    CSelectGuard nullPen(dc, NULL_PEN);
    dc.SetBkMode(TRANSPARENT);
    DrawPlot(&dc, rc, fx, fy, FALSE);
    const CPrintSettings& print = GetPrintSettings();
    if (print.bPrintBorder) {
      const RECT& m = print.rcMargins;
      CPen border(PS_SOLID, 1, RGB(0, 0, 0));
      CSelectGuard penGuard(dc, &border);
      CSelectGuard hollow(dc, NULL_BRUSH);
      dc.Rectangle(m.left, m.top, kPictureWidth - m.right, kPictureHeight - m.bottom);
    }
  }
  ResetPrintScales();
  return dc.CloseEnhanced();
}

void CBrivaneProView::OnEditCopy() {
  HENHMETAFILE hPicture = RenderPicture();
  if (hPicture != nullptr)
    CClipboard::CopyEnhMetaFile(m_hWnd, hPicture);
}

// --- Printing ---

void CBrivaneProView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  CPrintSettings& print = GetPrintSettings();
  print.rcUnprintable = MeasureUnprintableMargins(pDC);
  // Margins set on a printer of another resolution keep their size on paper.
  FitMarginsToResolution(print, pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  CView::OnPrint(pDC, pInfo);
  ResetPrintScales();
}

// The screen's factors come back for the mouse tools until the next paint.
void CBrivaneProView::ResetPrintScales() {
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc == nullptr)
    return;
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    if (CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos))
      s->m_dPrintScaleX = s->m_dPrintScaleY = 1.0;
  }
}

void CBrivaneProView::OnFilePrintPreviewOwn() {
  CPrintPreviewState* pState = new CPrintPreviewState;
  if (!DoPrintPreview(IDD_PREVIEW_BAR, this, RUNTIME_CLASS(CMyPreviewView), pState)) {
    delete pState;
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
  }
}

// --- Magnifying glass ---

COLORREF CBrivaneProView::GetLensBackground() const {
  const CBrivaneDocument* pDoc = GetDocument();
  return pDoc != nullptr ? pDoc->m_crBackground : RGB(255, 255, 255);
}

void CBrivaneProView::DrawMagnified(CDC* pDC, int nLensLeft, int nLensTop, int nSize, int nMagnification) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr)
    return;
  const VisibleRange range = MagnifierSourceRange(*s, nSize, nMagnification, nLensLeft);
  s->UpdateDisplayData();
  // The spectrum's own vertical scale, its zero line moved into the lens.
  const int nFirst = s->m_nFirst, nLast = s->m_nLast;
  const RECT rectPlot = s->m_rectPlot;
  const int nLeft = s->m_nLeftPixel, nRight = s->m_nRightPixel;
  const int z = (int)(((long long)rectPlot.top + rectPlot.bottom) / 2 - nLensTop);
  s->m_nFirst = range.nFirst;
  s->m_nLast = range.nLast;
  s->m_rectPlot = RECT{0, z, nSize, z};
  s->m_nLeftPixel = 0;
  s->m_nRightPixel = nSize;
  DrawSpectrumTrace(*s, pDC);
  s->m_nFirst = nFirst;
  s->m_nLast = nLast;
  s->m_rectPlot = rectPlot;
  s->m_nLeftPixel = nLeft;
  s->m_nRightPixel = nRight;
}

void CBrivaneProView::ShowMagnifier(BOOL bShow) {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_Magnifier.m_hWnd == nullptr)
    return;
  if (bShow) {
    CRect rc;
    GetClientRect(&rc);
    m_Magnifier.MoveWindow(&rc, FALSE);
  }
  m_Magnifier.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
  if (pDoc != nullptr)
    pDoc->m_nMouseMode = bShow ? MOUSE_MAGNIFIER : MOUSE_NONE;
}

void CBrivaneProView::OnViewMagnifier() {
  ShowMagnifier(m_Magnifier.m_hWnd == nullptr || !m_Magnifier.IsWindowVisible());
}

void CBrivaneProView::OnUpdateViewMagnifier(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_Magnifier.m_hWnd != nullptr && m_Magnifier.IsWindowVisible());
}

// --- Mouse tools ---

CTextLabel* CBrivaneProView::LabelAt(CPoint point, CSpectrum** ppOwner) const {
  CBrivaneDocument* pDoc = GetDocument();
  CTextLabel* pHit = nullptr;
  // The last spectrum in document order wins, as it is drawn on top.
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (CTextLabel* pLabel = TextLabelAt(*s, point)) {
      pHit = pLabel;
      *ppOwner = s;
    }
  }
  return pHit;
}

CIntegral* CBrivaneProView::IntegralAt(CPoint point, CSpectrum** ppOwner) const {
  CBrivaneDocument* pDoc = GetDocument();
  CIntegral* pHit = nullptr;
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    for (INT_PTR i = 0; i < s->m_arrIntegrals.GetSize(); i++) {
      CIntegral* pIntegral = static_cast<CIntegral*>(s->m_arrIntegrals[i]);
      if (::PtInRect(&pIntegral->m_rectCurve, point) || ::PtInRect(&pIntegral->m_rectValue, point)) {
        pHit = pIntegral;
        *ppOwner = s;
      }
    }
  }
  return pHit;
}

BOOL CBrivaneProView::TrackIntegral(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* pOwner = nullptr;
  CIntegral* pIntegral = IntegralAt(point, &pOwner);
  if (pIntegral == nullptr)
    return FALSE;
  pDoc->SetCurrentSpectrum(pOwner);
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (s != pOwner)
      s->m_pSelectedIntegral = nullptr;
  }
  pOwner->m_pSelectedIntegral = pIntegral;
  Invalidate(FALSE);
  UpdateWindow();  // the handles show before the drag
  CRect before = pIntegral->m_rectCurve;
  before.NormalizeRect();
  CIntegralTracker tracker(before);
  if (tracker.Track(this, point)) {
    CRect after = tracker.m_rect;
    after.NormalizeRect();
    ApplyIntegralTrack(*pOwner, *pIntegral, before, after, pDoc->m_bMoveIntegralsTogether != 0);
    pDoc->IntegralChanged(pOwner, pIntegral);
    pDoc->SetModified();
    Invalidate(FALSE);
  }
  return TRUE;
}

CSpectrum* CBrivaneProView::SpectrumAt(CPoint point, BOOL* pOnScale) const {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* pHit = nullptr;
  *pOnScale = FALSE;
  if (pDoc == nullptr)
    return nullptr;
  // The last one in document order wins; a floating scale wins over a trace.
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (HitsFloatingScale(*s, point)) {
      pHit = s;
      *pOnScale = TRUE;
    } else if (!*pOnScale && HitsTrace(*s, point)) {
      pHit = s;
    }
  }
  return pHit;
}

BOOL CBrivaneProView::TrackBand(CPoint point, CRect& band) {
  CRectTracker tracker(CRect(point, CSize(10, 10)), CRectTracker::solidLine);
  // Only the width counts: a band dragged straight across has no height,
  // which the tracker calls empty. A cancelled band comes back unmoved.
  tracker.TrackRubberBand(this, point, TRUE);
  band = tracker.m_rect;
  return band.right > band.left;
}

void CBrivaneProView::OnLButtonDown(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  SetFocus();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr) {
    Default();
    return;
  }
  const int td = s->m_paramsA.td;
  CRect band;
  // The band and point tools take an OLE item under the press instead.
  const int nMode = pDoc->m_nMouseMode;
  if (nMode == MOUSE_ZOOM || (nMode >= MOUSE_PEAK_REGION && nMode <= MOUSE_REMOVE_PEAKS)) {
    if (TrackItem(point)) {
      Default();
      return;
    }
  }
  switch (pDoc->m_nMouseMode) {
    case MOUSE_NONE: {
      BOOL bOnScale = FALSE;
      CSpectrum* pOwner = nullptr;
      if (CTextLabel* pLabel = LabelAt(point, &pOwner)) {
        StartLabelMove(point, pOwner, pLabel);
      } else if (TrackItem(point)) {
        // tracked to its end
      } else if (TrackIntegral(point)) {
        // tracked to its end
      } else if (CSpectrum* pHit = SpectrumAt(point, &bOnScale)) {
        pDoc->SetCurrentSpectrum(pHit);
        pDoc->UpdateViews();
      } else {
        // A press on nothing lets go of the selected integral, label or item.
        BOOL bDeselected = m_pSelection != nullptr;
        SetSelection(nullptr);
        for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
          CSpectrum* pEach = pDoc->m_Spectra.GetSpectrum(pos);
          bDeselected |= pEach->m_pSelectedIntegral != nullptr || pEach->m_pSelectedLabel != nullptr;
          pEach->m_pSelectedIntegral = nullptr;
          pEach->m_pSelectedLabel = nullptr;
        }
        if (bDeselected) {
          Invalidate(FALSE);
          UpdateWindow();  // before the crosshair is inverted over it
        }
        StartCrosshair(point);
      }
      break;
    }
    case MOUSE_MOVE: {
      CSpectrum* pHit = SpectrumAt(point, &m_bMoveScale);
      if (pHit == nullptr)
        break;
      pDoc->SetCurrentSpectrum(pHit);
      SetCapture();
      m_bButtonDown = TRUE;
      m_ptLast = point;
      m_nMoveOffset = point.x - pHit->m_nLeftPixel;
      break;
    }
    case MOUSE_ZOOM:
      if (TrackBand(point, band))
        pDoc->ZoomToPixels(band.left, band.right);
      break;
    case MOUSE_PEAK_REGION:
    case MOUSE_INTEGRATE:
    case MOUSE_REMOVE_PEAKS:
    case MOUSE_RELAXATION_INTEGRAL: {
      VisibleRange range;
      if (!TrackBand(point, band) || !MapBandToRange(*s, band.left, band.right, range))
        break;
      if (pDoc->m_nMouseMode == MOUSE_PEAK_REGION)
        pDoc->PickPeaksInRange(range.nFirst, range.nLast, ThresholdAt(*s, band.bottom));
      else if (pDoc->m_nMouseMode == MOUSE_INTEGRATE)
        pDoc->AddIntegralOver(range.nFirst, range.nLast);
      else if (pDoc->m_nMouseMode == MOUSE_REMOVE_PEAKS)
        pDoc->RemovePeaksInRange(range.nFirst, range.nLast);
      else
        pDoc->SetRelaxationRegion(range.nFirst, range.nLast);
      if (pDoc->m_nMouseMode == MOUSE_PEAK_REGION)
        ShowPeakList();
      Invalidate(FALSE);
      break;
    }
    case MOUSE_BASELINE_POINTS:
      pDoc->ToggleBaselinePoint(point);
      break;
    case MOUSE_PEAK_INFO: {
      const int nIndex = pDoc->PixelToPoint(point.x) & ~1;
      if (nIndex >= 0 && nIndex < td)
        pDoc->ShowPeakInformation(nIndex);
      break;
    }
    default:
      if (SearchesMaximum(pDoc->m_nMouseMode))
        PointTool(pDoc->m_nMouseMode);
      break;
  }
  (void)nFlags;
  Default();
}

void CBrivaneProView::PointTool(int nMode) {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_nFoundPoint < 0)
    return;  // the search found nothing under the cursor
  switch (nMode) {
    case MOUSE_PEAK_BY_PEAK:
      pDoc->PickPeakAt(m_nFoundPoint);
      ShowPeakList();
      break;
    case MOUSE_COUPLING_REFERENCE:
      pDoc->StartCoupling(m_nFoundPoint);
      pDoc->m_nMouseMode = MOUSE_COUPLING_PARTNERS;
      break;
    case MOUSE_COUPLING_PARTNERS:
      pDoc->AddCouplingPartner(m_nFoundPoint);
      break;
    case MOUSE_REFERENCE:
      pDoc->ReferencePointAt(m_nFoundPoint);
      break;
    case MOUSE_RELAXATION_PEAK:
      pDoc->SetRelaxationPoint(m_nFoundPoint);
      break;
  }
  Invalidate(FALSE);
}

void CBrivaneProView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  OnLButtonDown(nFlags, point);
  CBrivaneDocument* pDoc = GetDocument();
  if (m_pSelection != nullptr && ItemAt(point) == m_pSelection) {
    ActivateSelection();
    return;
  }
  // A text label under the point is edited rather than its spectrum.
  CSpectrum* pOwner = nullptr;
  if (CTextLabel* pLabel = pDoc != nullptr ? LabelAt(point, &pOwner) : nullptr) {
    EndDrag();
    pOwner->m_pSelectedLabel = pLabel;
    pDoc->EditTextLabel(pLabel);
    Invalidate(FALSE);
    return;
  }
  BOOL bOnScale = FALSE;
  CSpectrum* pHit = pDoc != nullptr ? SpectrumAt(point, &bOnScale) : nullptr;
  if (pHit == nullptr)
    return;
  // The press began a move; the properties come instead.
  EndDrag();
  pDoc->SetCurrentSpectrum(pHit);
  pDoc->UpdateViews();
  OnViewProperties();
}

// The Properties entry of the right-click menu opens the Spectrum
// Properties of the current spectrum, as Edit > Spectrum Properties does.
void CBrivaneProView::OnViewProperties() {
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->SendMessage(WM_COMMAND, ID_EDIT_PROPERTIES);
}

void CBrivaneProView::StartLabelMove(CPoint point, CSpectrum* pOwner, CTextLabel* pLabel) {
  CBrivaneDocument* pDoc = GetDocument();
  pDoc->SetCurrentSpectrum(pOwner);
  for (POSITION pos = pDoc->m_Spectra.GetHeadPosition(); pos != nullptr;) {
    CSpectrum* s = pDoc->m_Spectra.GetSpectrum(pos);
    if (s != pOwner)
      s->m_pSelectedLabel = nullptr;
  }
  pOwner->m_pSelectedLabel = pLabel;
  pDoc->m_nMouseMode = MOUSE_MOVE_LABEL;
  SetCapture();
  m_bButtonDown = TRUE;
  m_ptPress = m_ptLast = point;
  m_rcLabel = pLabel->m_rectDrawn;
  DrawLabelOutline();
  m_bLabelOutline = TRUE;
}

// The dragged label's outline, inverted: drawn again it vanishes.
void CBrivaneProView::DrawLabelOutline() {
  CClientDC dc(this);
  CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  CSelectGuard hollow(dc, NULL_BRUSH);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  dc.Rectangle(&m_rcLabel);
  dc.SetROP2(nOldRop);
}

// New peaks: an open peak list refreshes itself; a closed one is opened
// by its command, posted so that the press ends first.
void CBrivaneProView::ShowPeakList() {
  CFrameWnd* pFrame = GetParentFrame();
  if (!GetDocument()->m_bPeakListOpen && pFrame != nullptr)
    pFrame->PostMessage(WM_COMMAND, ID_TOOLS_EDIT_PEAKS);
}

void CBrivaneProView::StartCrosshair(CPoint point) {
  SetCapture();
  m_bButtonDown = TRUE;
  m_ptLast = point;
  DrawCrosshair(point);
  m_bCrosshair = TRUE;
  ShowReadout(point);
  m_DataTip.SetTip(point, FormatCursorReadout(*GetDocument()->GetCurrentSpectrum(), point.x));
}

// Inverting lines: drawn again at the same place they vanish.
void CBrivaneProView::DrawCrosshair(CPoint point) {
  CClientDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  dc.MoveTo(point.x, rc.top);
  dc.LineTo(point.x, rc.bottom);
  dc.MoveTo(rc.left, point.y);
  dc.LineTo(rc.right, point.y);
  dc.SetROP2(nOldRop);
}

// Where a move would put the spectrum: a line at the mouse's height across
// its pixel extent, which Shift moves along with the mouse.
CRect CBrivaneProView::MoveOutlineAt(const CSpectrum& s, CPoint point) const {
  int nLeft = s.m_nLeftPixel, nRight = s.m_nRightPixel;
  if (m_bShift) {
    nRight = point.x - m_nMoveOffset + (nRight - nLeft);
    nLeft = point.x - m_nMoveOffset;
  }
  return CRect(nLeft, point.y, nRight, point.y);
}

// Inverted, so that drawing it again wipes it.
void CBrivaneProView::DrawMoveOutline() {
  CClientDC dc(this);
  CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
  CSelectGuard penGuard(dc, &pen);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  dc.MoveTo(m_rcMoveOutline.left, m_rcMoveOutline.top);
  dc.LineTo(m_rcMoveOutline.right, m_rcMoveOutline.top);
  dc.SetROP2(nOldRop);
}

void CBrivaneProView::ShowReadout(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  const CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (s != nullptr && pFrame != nullptr)
    pFrame->SetMessageText(FormatCursorReadout(*s, point.x));
}

void CBrivaneProView::OnMouseMove(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr) {
    Default();
    return;
  }
  ShowReadout(point);
  int& nMode = pDoc->m_nMouseMode;
  if (nMode == MOUSE_NONE && m_bButtonDown) {
    if (m_bCrosshair)
      DrawCrosshair(m_ptLast);
    DrawCrosshair(point);
    m_bCrosshair = TRUE;
    if (GetCapture() == nullptr)
      SetCapture();  // the tip has gone and let the mouse go
    m_DataTip.SetTip(point, FormatCursorReadout(*s, point.x));
  } else if (nMode == MOUSE_MOVE_LABEL && m_bButtonDown) {
    if (m_bLabelOutline)
      DrawLabelOutline();
    m_rcLabel.OffsetRect(point.x - m_ptLast.x, point.y - m_ptLast.y);
    DrawLabelOutline();
    m_bLabelOutline = TRUE;
  } else if (nMode == MOUSE_MOVE && m_bButtonDown) {
    if (m_bMoveOutline)
      DrawMoveOutline();
    m_rcMoveOutline = MoveOutlineAt(*s, point);
    DrawMoveOutline();
    m_bMoveOutline = TRUE;
  } else if ((nMode == MOUSE_NONE || nMode == MOUSE_MOVE) && !m_bButtonDown) {
    BOOL bOnScale = FALSE;
    nMode = SpectrumAt(point, &bOnScale) != nullptr ? MOUSE_MOVE : MOUSE_NONE;
  } else if (SearchesMaximum(nMode)) {
    const int nFound = FindNearestMaximum(*s, point.x, point.y);
    if (nFound != m_nFoundPoint)
      Invalidate(FALSE);
    m_nFoundPoint = nFound;
  }
  m_ptLast = point;
  (void)nFlags;
  Default();
}

void CBrivaneProView::OnLButtonUp(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_bButtonDown && pDoc != nullptr && pDoc->m_nMouseMode == MOUSE_MOVE)
    MoveSpectrum(point);
  if (m_bButtonDown && pDoc != nullptr && pDoc->m_nMouseMode == MOUSE_MOVE_LABEL) {
    CSpectrum* s = pDoc->GetCurrentSpectrum();
    if (s != nullptr && s->m_pSelectedLabel != nullptr && point != m_ptPress) {
      MoveTextLabel(*s->m_pSelectedLabel, point.x - m_ptPress.x, point.y - m_ptPress.y);
      pDoc->SetModified();
    }
    pDoc->m_nMouseMode = MOUSE_NONE;
    Invalidate(FALSE);
  }
  EndDrag();
  (void)nFlags;
  Default();
}

void CBrivaneProView::MoveSpectrum(CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc->GetCurrentSpectrum();
  if (s == nullptr)
    return;
  if (m_bMoveScale) {
    s->m_Scale.SetPosition(point.y);
  } else {
    // The plot band keeps its height round the new zero line.
    const int nHalf = (s->m_rectPlot.bottom - s->m_rectPlot.top) / 2;
    s->m_rectPlot.top = point.y - nHalf;
    s->m_rectPlot.bottom = s->m_rectPlot.top + 2 * nHalf;
  }
  if (m_bShift) {
    const int nWidth = s->m_nRightPixel - s->m_nLeftPixel;
    s->m_nLeftPixel = point.x - m_nMoveOffset;
    s->m_nRightPixel = s->m_nLeftPixel + nWidth;
    pDoc->ShowScaleRuler(*s);
  }
  pDoc->SetModified();
  pDoc->UpdateViews();
}

// Ends any drag: the crosshair is wiped and no press is left pending, so a
// release without a press or a capture taken away leaves nothing half done.
void CBrivaneProView::EndDrag() {
  if (m_bCrosshair) {
    m_bCrosshair = FALSE;
    DrawCrosshair(m_ptLast);
    m_DataTip.Hide();
  }
  if (m_bLabelOutline) {
    m_bLabelOutline = FALSE;
    DrawLabelOutline();
  }
  if (m_bMoveOutline) {
    m_bMoveOutline = FALSE;
    DrawMoveOutline();
  }
  const BOOL bHadCapture = m_bButtonDown;
  m_bButtonDown = FALSE;
  if (bHadCapture && GetCapture() == this)
    ReleaseCapture();
}

void CBrivaneProView::OnCaptureChanged(CWnd* pWnd) {
  // The data tip holds the mouse while it shows; the crosshair goes on
  // under it.
  const bool bToTip = pWnd != nullptr && m_DataTip.m_hWnd != nullptr && pWnd->m_hWnd == m_DataTip.m_hWnd;
  if (pWnd != this && !bToTip && m_bButtonDown) {
    CBrivaneDocument* pDoc = GetDocument();
    if (pDoc != nullptr && pDoc->m_nMouseMode == MOUSE_MOVE_LABEL)
      pDoc->m_nMouseMode = MOUSE_NONE;
    EndDrag();
  }
  Default();
}

void CBrivaneProView::OnRButtonDown(UINT nFlags, CPoint point) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  CSpectrum* pOwner = nullptr;
  CIntegral* pIntegral = s != nullptr ? IntegralAt(point, &pOwner) : nullptr;
  if (pIntegral != nullptr) {
    pDoc->ReferenceIntegral(pOwner, pIntegral);
    Invalidate(FALSE);
  } else if (s != nullptr) {
    switch (pDoc->m_nMouseMode) {
      case MOUSE_PEAK_BY_PEAK:
        Invalidate(FALSE);
        break;
      case MOUSE_COUPLING_REFERENCE:
      case MOUSE_COUPLING_PARTNERS:
        s->m_bMeasuringJ = 0;
        pDoc->m_nMouseMode = MOUSE_COUPLING_REFERENCE;
        Invalidate(FALSE);
        break;
      default: {
        CMenu menu;
        if (!menu.LoadMenu(IDR_VIEW_POPUP))
          break;
        CPoint screen = point;
        ClientToScreen(&screen);
        menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
        break;
      }
    }
  }
  (void)nFlags;
  Default();
}

BOOL CBrivaneProView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CBrivaneDocument* pDoc = GetDocument();
  if (nHitTest != HTCLIENT || pDoc == nullptr)
    return (BOOL)Default();
  if (SetItemCursor(nHitTest))
    return TRUE;
  // The selected integral's handles first, then any integral under the
  // pointer: both show what a press there would drag.
  const CSpectrum* s = pDoc->GetCurrentSpectrum();
  if (s != nullptr && s->m_pSelectedIntegral != nullptr) {
    CRectTracker tracker(&s->m_pSelectedIntegral->m_rectCurve, CRectTracker::solidLine | CRectTracker::resizeInside);
    if (tracker.SetCursor(this, nHitTest))
      return TRUE;
  }
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  CSpectrum* pOwner = nullptr;
  if (CIntegral* pIntegral = IntegralAt(point, &pOwner)) {
    CRect rect = pIntegral->m_rectCurve;
    rect.NormalizeRect();
    const CIntegralTracker tracker(rect);
    if (tracker.SetCursor(this, nHitTest))
      return TRUE;
    // On its value label: a press there moves the integral.
    ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEALL));
    return TRUE;
  }
  const UINT nCursor = CursorOfMode(pDoc->m_nMouseMode, m_bShift);
  HCURSOR hCursor = nCursor != 0 ? ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursor)) : nullptr;
  ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
  (void)pWnd;
  (void)message;
  return TRUE;
}

// --- Keys ---

BOOL PreTranslateViewKeys(CBrivaneDocument* pDoc, MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN || pDoc == nullptr)
    return FALSE;
  if (pMsg->wParam == VK_ESCAPE) {
    if (CMainFrame* pMain = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
      if (pMain->IsFullScreen())
        pMain->ExitFullScreen();
    pDoc->m_nMouseMode = MOUSE_NONE;
    return FALSE;
  }
  if (pMsg->wParam != VK_TAB || pDoc->GetSpectrumCount() == 0)
    return FALSE;
  POSITION pos = pDoc->m_Spectra.Find(pDoc->GetCurrentSpectrum());
  if (pos != nullptr)
    pDoc->m_Spectra.GetSpectrum(pos);
  if (pos == nullptr)
    pos = pDoc->m_Spectra.GetHeadPosition();
  pDoc->SetCurrentSpectrum(pDoc->m_Spectra.GetSpectrum(pos));
  pDoc->UpdateViews();
  return TRUE;
}

BOOL CBrivaneProView::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_Magnifier.m_hWnd != nullptr &&
      m_Magnifier.IsWindowVisible())
    ShowMagnifier(FALSE);
  // Delete is also the frame's accelerator of Delete Object, which would
  // take the key from the view's integrals and labels.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE && pMsg->hwnd == m_hWnd) {
    DeleteSelectedMarks();
    return TRUE;
  }
  return PreTranslateViewKeys(GetDocument(), pMsg) || CView::PreTranslateMessage(pMsg);
}

void CBrivaneProView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (nChar == VK_SHIFT && !m_bShift) {
    m_bShift = TRUE;
    SendMessage(WM_SETCURSOR, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else if (nChar == VK_CONTROL) {
    m_bCtrl = TRUE;
  }
  if (s == nullptr || (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_DELETE)) {
    Default();
    return;
  }
  if (nChar == VK_DELETE) {
    DeleteSelectedMarks();
    return;
  }
  // The integrals and their curve scale are kept in the file: changing them
  // is a change of the document.
  const int nStep = nChar == VK_UP ? 5 : -5;
  BOOL bChanged = TRUE;
  if (m_bCtrl) {
    for (int i = 0; i < s->m_arrIntegrals.GetSize(); i++)
      static_cast<CIntegral*>(s->m_arrIntegrals[i])->m_nBase -= nStep;  // up is a smaller y
    bChanged = s->m_arrIntegrals.GetSize() > 0;
  } else {
    s->m_nIntegralScaleDen += nStep;
    if (s->m_nIntegralScaleDen == 0)
      s->m_nIntegralScaleDen = nStep;  // a divisor of the curves
  }
  if (bChanged)
    pDoc->SetModified();
  (void)nRepCnt;
  (void)nFlags;
  Invalidate(FALSE);
}

// The Delete key: the selected OLE item, then the current spectrum's
// selected integral and label. Integrals and labels are kept in the file, so
// removing one changes the document.
void CBrivaneProView::DeleteSelectedMarks() {
  DeleteSelection();
  CBrivaneDocument* pDoc = GetDocument();
  CSpectrum* s = pDoc != nullptr ? pDoc->GetCurrentSpectrum() : nullptr;
  if (s == nullptr)
    return;
  BOOL bChanged = FALSE;
  for (int i = 0; i < s->m_arrIntegrals.GetSize(); i++)
    if (s->m_arrIntegrals[i] == s->m_pSelectedIntegral) {
      pDoc->RemoveIntegral(s, i);
      bChanged = TRUE;
      break;
    }
  for (int i = 0; i < s->m_arrLabels.GetSize(); i++)
    if (s->m_arrLabels[i] == s->m_pSelectedLabel) {
      s->m_arrLabels.RemoveAt(i);
      delete s->m_pSelectedLabel;
      s->m_pSelectedLabel = nullptr;
      bChanged = TRUE;
      break;
    }
  if (bChanged)
    pDoc->SetModified();
  Invalidate(FALSE);
}

void CBrivaneProView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SHIFT) {
    m_bShift = FALSE;
    SendMessage(WM_SETCURSOR, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else if (nChar == VK_CONTROL)
    m_bCtrl = FALSE;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

// --- Commands ---

void CBrivaneProView::OnViewZoom() {
  CBrivaneDocument* pDoc = GetDocument();
  if (m_Magnifier.m_hWnd != nullptr && m_Magnifier.IsWindowVisible())
    ShowMagnifier(FALSE);  // the glass would take the zoom's presses
  pDoc->m_nMouseMode = pDoc->m_nMouseMode == MOUSE_ZOOM ? MOUSE_NONE : MOUSE_ZOOM;
}

void CBrivaneProView::OnUpdateViewZoom(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(GetDocument()->m_nMouseMode == MOUSE_ZOOM);
}

void CBrivaneProView::OnPlay() {
  CBrivaneDocument* pDoc = GetDocument();
  if (pDoc == nullptr || pDoc->GetCurrentSpectrum() == nullptr)
    return;
  const MMRESULT result = m_Sound.Play(this, *pDoc);
  if (result != MMSYSERR_NOERROR) {
    char text[MAXERRORLENGTH] = "";
    if (::waveOutGetErrorTextA(result, text, sizeof(text)) != MMSYSERR_NOERROR || text[0] == '\0')
      std::snprintf(text, sizeof(text), "The FID cannot be played (error %u)", (unsigned)result);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
}

void CBrivaneProView::OnUpdatePlay(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!m_Sound.IsPlaying());
}

LRESULT CBrivaneProView::OnWaveDone(WPARAM, LPARAM) {
  m_Sound.Finish();
  return 0;
}
