#include "ndim/dialogs/ColourDialogs.h"

#include <cstdio>
#include <string>

#include "framework/win/CommonDialogs.h"
#include "framework/win/DataExchange.h"
#include "framework/win/UiHooks.h"
#include "ndim/data/Spectrum2D.h"

namespace {

const COLORREF kDefaultPositive = RGB(0, 0, 255);
const COLORREF kDefaultNegative = RGB(255, 0, 0);
const int kPositiveFirst = IDC_COLOUR_POSITIVE1;
const int kNegativeFirst = IDC_COLOUR_NEGATIVE1;

const int kPitch = CRampEditorDialog::Swatch + CRampEditorDialog::Gap;
const int kBitmapWidth = CRampEditorDialog::Columns * kPitch;
const int kBitmapHeight = CRampEditorDialog::Columns * kPitch + CRampEditorDialog::StripHeight;
const char kPaletteFilter[] = "Palette files (*.PAL)|*.PAL|";

}  // namespace

// --- Colors ---

BEGIN_MESSAGE_MAP(CColoursDialog, CDialog)
  ON_BN_CLICKED(IDC_COLOUR_DEFAULT, OnDefault)
END_MESSAGE_MAP()

CColoursDialog::CColoursDialog(CSpectrum2D& set, CWnd* pParentWnd) : CDialog(IDD, pParentWnd), m_set(set) {
  for (int i = 0; i < Levels; ++i) {
    m_positiveColours[i] = set.m_positiveColours[i];
    m_negativeColours[i] = set.m_negativeColours[i];
  }
}

BOOL CColoursDialog::OnInitDialog() {
  return CDialog::OnInitDialog();
}

void CColoursDialog::DoDataExchange(CDataExchange* pDX) {
  for (int i = 0; i < Levels; ++i) {
    DDX_Control(pDX, kPositiveFirst + i, m_positive[i]);
    DDX_ColourPicker(pDX, kPositiveFirst + i, m_positiveColours[i]);
    DDX_Control(pDX, kNegativeFirst + i, m_negative[i]);
    DDX_ColourPicker(pDX, kNegativeFirst + i, m_negativeColours[i]);
  }
}

void CColoursDialog::OnDefault() {
  for (int i = 0; i < Levels; ++i) {
    m_positive[i].SetColour(kDefaultPositive);
    m_negative[i].SetColour(kDefaultNegative);
  }
}

// The six chosen colours are repeated for levels 7 to 12.
void CColoursDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  for (int i = 0; i < CSpectrum2D::ContourColours; ++i) {
    m_set.m_positiveColours[i] = m_positiveColours[i % Levels];
    m_set.m_negativeColours[i] = m_negativeColours[i % Levels];
  }
  m_set.m_bPlotDirty = 1;
  EndDialog(IDOK);
}

// --- Ramp editor ---

BEGIN_MESSAGE_MAP(CRampEditorDialog, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_BN_CLICKED(IDC_RAMP_MODIFY, OnModify)
  ON_BN_CLICKED(IDC_RAMP_ADD, OnAdd)
  ON_BN_CLICKED(IDC_RAMP_DELETE, OnDelete)
  ON_BN_CLICKED(IDC_RAMP_DELETE_ALL, OnDeleteAll)
  ON_BN_CLICKED(IDC_RAMP_LOAD, OnLoad)
  ON_BN_CLICKED(IDC_RAMP_SAVE, OnSave)
END_MESSAGE_MAP()

CRampEditorDialog::CRampEditorDialog(CWnd* pParentWnd) : CDialog(IDD, pParentWnd) {}

CRect CRampEditorDialog::SwatchRect(int entry) {
  const int x = Origin + (entry % Columns) * kPitch;
  const int y = Origin + (entry / Columns) * kPitch;
  return CRect(x, y, x + Swatch, y + Swatch);
}

BOOL CRampEditorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CClientDC dc(this);
  m_memDC.CreateCompatibleDC(&dc);
  m_bitmap.CreateCompatibleBitmap(&dc, kBitmapWidth, kBitmapHeight);
  m_pOldBitmap = m_memDC.SelectObject(&m_bitmap);
  if (m_toolTip.Create(this)) {
    const struct {
      int nID;
      const char* text;
    } tips[] = {{IDC_RAMP_RED, "Red"},
                {IDC_RAMP_GREEN, "Green"},
                {IDC_RAMP_BLUE, "Blue"},
                {IDC_RAMP_SELECTION, "Entry selected in the ramp"},
                {IDC_RAMP_ADD, "Ramps are calculated from node to node"},
                {IDC_RAMP_DELETE, "Delete selected node"},
                {IDC_RAMP_DELETE_ALL, "Delete every node between first and last"}};
    for (const auto& tip : tips)
      if (CWnd* pControl = GetDlgItem(tip.nID))
        m_toolTip.AddTool(pControl, tip.text);
  }
  Redraw();
  ShowSelection();
  return TRUE;
}

BOOL CRampEditorDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.GetSafeHwnd() != nullptr)
    m_toolTip.RelayEvent(pMsg);
  return CDialog::PreTranslateMessage(pMsg);
}

void CRampEditorDialog::DrawSwatch(int entry) {
  if (m_memDC.m_hDC == nullptr)
    return;
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  CRect rect = SwatchRect(entry);
  rect.OffsetRect(-Origin, -Origin);
  CPen outline(PS_SOLID, 1, m_ramp.m_nodes[entry] ? RGB(255, 0, 0) : face);
  CBrush black(RGB(0, 0, 0));
  CPen* pOldPen = m_memDC.SelectObject(&outline);
  CBrush* pOldBrush = m_memDC.SelectObject(&black);
  m_memDC.RoundRect(rect.left, rect.top, rect.right, rect.bottom, 5, 5);
  CPen inner(PS_SOLID, 1, entry == m_nSelected ? RGB(255, 255, 255) : face);
  CBrush colour(RGB(m_ramp.m_red[entry], m_ramp.m_green[entry], m_ramp.m_blue[entry]));
  m_memDC.SelectObject(&inner);
  m_memDC.SelectObject(&colour);
  rect.DeflateRect(3, 3);
  m_memDC.RoundRect(rect.left, rect.top, rect.right, rect.bottom, 4, 4);
  m_memDC.SelectObject(pOldPen);
  m_memDC.SelectObject(pOldBrush);
}

void CRampEditorDialog::Redraw() {
  if (m_memDC.m_hDC == nullptr)
    return;
  m_memDC.FillSolidRect(0, 0, kBitmapWidth, kBitmapHeight, ::GetSysColor(COLOR_BTNFACE));
  for (int i = 0; i < PaletteRamp::Entries; ++i)
    DrawSwatch(i);
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    CPen pen(PS_SOLID, 1, RGB(m_ramp.m_red[i], m_ramp.m_green[i], m_ramp.m_blue[i]));
    CPen* pOld = m_memDC.SelectObject(&pen);
    m_memDC.MoveTo(i, kBitmapHeight - StripHeight + 10);
    m_memDC.LineTo(i, kBitmapHeight);
    m_memDC.SelectObject(pOld);
  }
  if (GetSafeHwnd() != nullptr) {
    CRect area(Origin, Origin, Origin + kBitmapWidth, Origin + kBitmapHeight);
    RedrawWindow(&area, nullptr, RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
  }
}

void CRampEditorDialog::OnPaint() {
  CPaintDC dc(this);
  if (m_memDC.m_hDC != nullptr)
    dc.BitBlt(Origin, Origin, kBitmapWidth, kBitmapHeight, &m_memDC, 0, 0, SRCCOPY);
}

void CRampEditorDialog::ShowSelection() {
  if (GetSafeHwnd() == nullptr)
    return;
  const int e = m_nSelected;
  const int values[4] = {e, m_ramp.m_red[e], m_ramp.m_green[e], m_ramp.m_blue[e]};
  const int ids[4] = {IDC_RAMP_SELECTION, IDC_RAMP_RED, IDC_RAMP_GREEN, IDC_RAMP_BLUE};
  for (int i = 0; i < 4; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", values[i]);
    SetDlgItemText(ids[i], text);
  }
}

void CRampEditorDialog::Select(int entry) {
  if (entry < 0 || entry >= PaletteRamp::Entries)
    return;
  const int old = m_nSelected;
  m_nSelected = entry;
  DrawSwatch(old);
  DrawSwatch(entry);
  if (GetSafeHwnd() != nullptr) {
    CRect area(Origin, Origin, Origin + kBitmapWidth, Origin + kBitmapHeight - StripHeight);
    RedrawWindow(&area, nullptr, RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
  }
  ShowSelection();
}

void CRampEditorDialog::OnLButtonDown(UINT nFlags, CPoint point) {
  for (int i = 0; i < PaletteRamp::Entries; ++i) {
    if (SwatchRect(i).PtInRect(point)) {
      Select(i);
      return;
    }
  }
  CDialog::OnLButtonDown(nFlags, point);
}

void CRampEditorDialog::OnModify() {
  const int e = m_nSelected;
  CColorDialog dialog(RGB(m_ramp.m_red[e], m_ramp.m_green[e], m_ramp.m_blue[e]), 0, this);
  if (dialog.DoModal() != IDOK)
    return;
  const COLORREF colour = dialog.GetColor();
  m_ramp.m_red[e] = GetRValue(colour);
  m_ramp.m_green[e] = GetGValue(colour);
  m_ramp.m_blue[e] = GetBValue(colour);
  if (m_ramp.m_nodes[e])
    m_ramp.Compute();
  Redraw();
  ShowSelection();
}

void CRampEditorDialog::OnAdd() {
  m_ramp.AddNode(m_nSelected);
  m_ramp.Compute();
  Redraw();
  ShowSelection();
}

void CRampEditorDialog::OnDelete() {
  m_ramp.DeleteNode(m_nSelected);
  m_ramp.Compute();
  Redraw();
  ShowSelection();
}

void CRampEditorDialog::OnDeleteAll() {
  m_ramp.DeleteInnerNodes();
  m_ramp.Compute();
  Redraw();
  ShowSelection();
}

void CRampEditorDialog::OnLoad() {
  CFileDialog dialog(TRUE, "PAL", "*.PAL", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPaletteFilter, this);
  if (dialog.DoModal() != IDOK)
    return;
  // A file that ends early still shows the entries it held.
  std::string error;
  if (!ReadPaletteFile(dialog.GetPathName(), m_ramp, error))
    AfxMessageBox(error.c_str(), MB_OK | MB_ICONEXCLAMATION);
  Redraw();
  ShowSelection();
}

void CRampEditorDialog::OnSave() {
  CFileDialog dialog(FALSE, "PAL", "*.PAL", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPaletteFilter, this);
  if (dialog.DoModal() != IDOK)
    return;
  std::string error;
  if (!WritePaletteFile(dialog.GetPathName(), m_ramp, error))
    AfxMessageBox(error.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CRampEditorDialog::ReleaseBitmap() {
  if (m_memDC.m_hDC != nullptr) {
    m_memDC.SelectObject(m_pOldBitmap);
    m_memDC.DeleteDC();
  }
  m_bitmap.DeleteObject();
}

void CRampEditorDialog::OnOK() {
  ReleaseBitmap();
  EndDialog(IDOK);
}

void CRampEditorDialog::OnCancel() {
  ReleaseBitmap();
  EndDialog(IDCANCEL);
}
