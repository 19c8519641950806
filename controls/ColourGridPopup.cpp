#include "controls/ColourGridPopup.h"

#include <algorithm>
#include <vector>

#include "controls/ColourPicker.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

BEGIN_MESSAGE_MAP(CColourGridPopup, CWnd)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_ACTIVATEAPP()
  ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
  ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
END_MESSAGE_MAP()

namespace {

struct ColourTableEntry {
  COLORREF crColour;
  LPCSTR szName;
};

// The names are the tooltips' texts as they stand.
const ColourTableEntry kColours[CColourGridPopup::kColourCount] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 40"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 50"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

}  // namespace

COLORREF CColourGridPopup::GetTableColour(int nIndex) {
  return nIndex >= 0 && nIndex < kColourCount ? kColours[nIndex].crColour : COLOUR_AUTOMATIC;
}

LPCSTR CColourGridPopup::GetTableName(int nIndex) {
  return nIndex >= 0 && nIndex < kColourCount ? kColours[nIndex].szName : "";
}

CColourGridPopup::CColourGridPopup() : m_nMargin(::GetSystemMetrics(SM_CXEDGE)) {
  m_nBoxSize = std::max(m_nBoxSize, 2 * ::GetSystemMetrics(SM_CXEDGE) + 7);
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = sizeof(ncm);
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
    m_Font.CreateFontIndirect(&ncm.lfMessageFont);
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + (kColourCount - 1) * sizeof(PALETTEENTRY));
  LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  pLogPalette->palVersion = 0x300;
  pLogPalette->palNumEntries = kColourCount;
  for (int i = 0; i < kColourCount; ++i) {
    pLogPalette->palPalEntry[i].peRed = GetRValue(kColours[i].crColour);
    pLogPalette->palPalEntry[i].peGreen = GetGValue(kColours[i].crColour);
    pLogPalette->palPalEntry[i].peBlue = GetBValue(kColours[i].crColour);
    pLogPalette->palPalEntry[i].peFlags = 0;
  }
  m_Palette.CreatePalette(pLogPalette);
}

CColourGridPopup::~CColourGridPopup() = default;

BOOL CColourGridPopup::Open(CPoint point, COLORREF crColour, CWnd* pPicker, LPCSTR lpszDefaultText,
                            LPCSTR lpszCustomText) {
  CColourGridPopup* pPopup = new CColourGridPopup;
  if (!pPopup->Create(point, crColour, pPicker, lpszDefaultText, lpszCustomText)) {
    delete pPopup;
    return FALSE;
  }
  return TRUE;
}

BOOL CColourGridPopup::Create(CPoint point, COLORREF crColour, CWnd* pPicker, LPCSTR lpszDefaultText,
                              LPCSTR lpszCustomText) {
  m_hWndPicker = HwndOf(pPicker);
  m_crColour = m_crInitialColour = crColour;
  LPCSTR lpszClass = AfxRegisterWndClass(CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                                         ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  if (lpszClass == nullptr ||
      !CreateEx(0, lpszClass, "", WS_POPUP | WS_VISIBLE, point.x, point.y, 100, 100, m_hWndPicker, nullptr))
    return FALSE;
  // From here on the window owns the object.
  m_bAutoDelete = TRUE;
  m_strDefaultText = lpszDefaultText != nullptr ? lpszDefaultText : "";
  m_strCustomText = lpszCustomText != nullptr ? lpszCustomText : "";
  SetWindowSize(point);
  CreateToolTips();
  m_nChosenColourSel = FindInitialIndex(crColour);
  m_nCurrentSel = kNoBox;
  SetCapture();
  return TRUE;
}

void CColourGridPopup::PostNcDestroy() {
  if (m_bAutoDelete)
    delete this;
}

int CColourGridPopup::FindInitialIndex(COLORREF crColour) const {
  if (crColour == COLOUR_AUTOMATIC && !m_strDefaultText.IsEmpty())
    return kDefaultBox;
  for (int i = 0; i < m_nNumColours; ++i) {
    if (kColours[i].crColour == crColour)
      return i;
  }
  return m_strCustomText.IsEmpty() ? kNoBox : kCustomBox;
}

void CColourGridPopup::SetWindowSize(CPoint point) {
  m_nNumColumns = 8;
  m_nNumRows = (m_nNumColours + m_nNumColumns - 1) / m_nNumColumns;
  const int m = m_nMargin;

  int nBoxWidth = 0, nBoxHeight = 0;
  if (!m_strDefaultText.IsEmpty() || !m_strCustomText.IsEmpty()) {
    CClientDC dc(this);
    CSelectGuard font(dc, &m_Font);
    CSize szDefault = dc.GetTextExtent(m_strDefaultText);
    CSize szCustom = dc.GetTextExtent(m_strCustomText);
    nBoxWidth = std::max(szDefault.cx, szCustom.cx) + 2 * m;
    nBoxHeight = std::max(szDefault.cy, szCustom.cy) + 4 * m + 2;
  }

  int nWidth = m_nNumColumns * m_nBoxSize + 2 * m;
  int nHeight = m_nNumRows * m_nBoxSize + 2 * m;
  nWidth = std::max(nWidth, nBoxWidth + 2 * m);

  // Each entry takes a box and a margin; the cells sit between them.
  const int nEntryHeight = nBoxHeight + 2 * m;
  m_DefaultTextRect.SetRectEmpty();
  if (!m_strDefaultText.IsEmpty()) {
    m_DefaultTextRect.SetRect(m, m, nWidth - m, nEntryHeight);
    nHeight += nEntryHeight;
  }
  m_CustomTextRect.SetRectEmpty();
  if (!m_strCustomText.IsEmpty()) {
    const int nTop = nHeight;  // a margin below the last row of cells
    m_CustomTextRect.SetRect(m, nTop, nWidth - m, nTop + nBoxHeight + m);
    nHeight += nEntryHeight;
  }

  // Kept on the screen; above the picker when there is no room below it.
  const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
  m_WindowRect.SetRect(point.x, point.y, point.x + nWidth, point.y + nHeight);
  if (m_WindowRect.right > cxScreen)
    m_WindowRect.OffsetRect(cxScreen - m_WindowRect.right, 0);
  if (m_WindowRect.left < 0)
    m_WindowRect.OffsetRect(-m_WindowRect.left, 0);
  if (m_WindowRect.bottom > cyScreen) {
    CRect rcPicker;
    ::GetWindowRect(m_hWndPicker, &rcPicker);
    m_WindowRect.OffsetRect(0, -(rcPicker.Height() + m_WindowRect.Height()));
  }
  SetWindowPos(nullptr, m_WindowRect.left, m_WindowRect.top, m_WindowRect.Width(), m_WindowRect.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CColourGridPopup::CreateToolTips() {
  if (!m_ToolTip.Create(this))
    return;
  for (int i = 0; i < m_nNumColours; ++i) {
    CRect rc;
    if (GetCellRect(i, rc))
      m_ToolTip.AddTool(this, kColours[i].szName, &rc, (UINT_PTR)i + 1);
  }
}

BOOL CColourGridPopup::PreTranslateMessage(MSG* pMsg) {
  if (m_ToolTip.m_hWnd != nullptr)
    m_ToolTip.RelayEvent(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CColourGridPopup::GetCellRect(int nIndex, CRect& rect) const {
  if (nIndex == kDefaultBox) {
    rect = m_DefaultTextRect;
    return !m_strDefaultText.IsEmpty();
  }
  if (nIndex == kCustomBox) {
    rect = m_CustomTextRect;
    return !m_strCustomText.IsEmpty();
  }
  if (nIndex < 0 || nIndex >= m_nNumColours)
    return FALSE;
  const int nTop = m_nMargin + (m_strDefaultText.IsEmpty() ? 0 : m_DefaultTextRect.bottom);
  rect.left = (nIndex % m_nNumColumns) * m_nBoxSize + m_nMargin;
  rect.top = (nIndex / m_nNumColumns) * m_nBoxSize + nTop;
  rect.right = rect.left + m_nBoxSize;
  rect.bottom = rect.top + m_nBoxSize;
  return TRUE;
}

void CColourGridPopup::DrawCell(CDC* pDC, int nIndex) {
  CRect rect;
  if (!GetCellRect(nIndex, rect))
    return;
  const BOOL bHovered = nIndex == m_nCurrentSel;
  const BOOL bMarked = nIndex == m_nChosenColourSel && !bHovered;
  const int m = m_nMargin;

  if (nIndex < 0) {
    if (nIndex == kCustomBox) {
      // The separator in the margin above the entry.
      pDC->FillSolidRect(rect.left, rect.top - m, rect.Width(), 1, ::GetSysColor(COLOR_3DSHADOW));
      pDC->FillSolidRect(rect.left, rect.top - m + 1, rect.Width(), 1, ::GetSysColor(COLOR_3DHILIGHT));
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(bMarked ? COLOR_3DLIGHT : COLOR_3DFACE));
    if (bHovered)
      pDC->DrawEdge(&rect, BDR_RAISEDINNER, BF_RECT);
    else if (nIndex == m_nChosenColourSel)
      pDC->DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);
    if (nIndex == kDefaultBox) {
      CRect rcFrame = rect;
      rcFrame.DeflateRect(2 * m, 2 * m);
      CBrush shadow(::GetSysColor(COLOR_3DSHADOW));
      pDC->FrameRect(&rcFrame, &shadow);
    }
    CSelectGuard font(*pDC, &m_Font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(nIndex == kDefaultBox ? m_strDefaultText : m_strCustomText, &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }

  pDC->FillSolidRect(&rect, ::GetSysColor(bMarked ? COLOR_3DHILIGHT : COLOR_3DFACE));
  if (bHovered)
    pDC->DrawEdge(&rect, BDR_RAISEDINNER, BF_RECT);
  else if (nIndex == m_nChosenColourSel)
    pDC->DrawEdge(&rect, BDR_SUNKENOUTER, BF_RECT);

  const BOOL bPaletteDevice = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
  HPALETTE hOldPalette = nullptr;
  if (bPaletteDevice && m_Palette.GetSafeHandle() != nullptr) {
    hOldPalette = ::SelectPalette(pDC->m_hDC, (HPALETTE)m_Palette.GetSafeHandle(), FALSE);
    pDC->RealizePalette();
  }
  const COLORREF crCell = kColours[nIndex].crColour;
  CBrush brush(PALETTERGB(GetRValue(crCell), GetGValue(crCell), GetBValue(crCell)));
  CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
  {
    CSelectGuard selectBrush(*pDC, &brush);
    CSelectGuard selectPen(*pDC, &pen);
    CRect rcSwatch = rect;
    rcSwatch.DeflateRect(m + 1, m + 1);
    pDC->Rectangle(&rcSwatch);
  }
  if (hOldPalette != nullptr)
    ::SelectPalette(pDC->m_hDC, hOldPalette, FALSE);
}

void CColourGridPopup::OnPaint() {
  CPaintDC dc(this);
  if (!m_strDefaultText.IsEmpty())
    DrawCell(&dc, kDefaultBox);
  for (int i = 0; i < m_nNumColours; ++i)
    DrawCell(&dc, i);
  if (!m_strCustomText.IsEmpty())
    DrawCell(&dc, kCustomBox);
  CRect rc;
  GetClientRect(&rc);
  dc.DrawEdge(&rc, EDGE_RAISED, BF_RECT);
}

void CColourGridPopup::OnMouseMove(UINT, CPoint point) {
  int nNewSel = kNoBox;
  if (!m_strCustomText.IsEmpty() && m_CustomTextRect.PtInRect(point)) {
    nNewSel = kCustomBox;
  } else if (!m_strDefaultText.IsEmpty() && m_DefaultTextRect.PtInRect(point)) {
    nNewSel = kDefaultBox;
  } else {
    const int x = point.x - m_nMargin;
    const int y = point.y - m_nMargin - (m_strDefaultText.IsEmpty() ? 0 : m_DefaultTextRect.bottom);
    if (x < 0 || y < 0)
      return;
    const int nRow = y / m_nBoxSize, nCol = x / m_nBoxSize;
    if (nRow >= m_nNumRows || nCol >= m_nNumColumns)
      return;
    nNewSel = nRow * m_nNumColumns + nCol;
    if (nNewSel >= m_nNumColours)
      return;
  }
  if (nNewSel != m_nCurrentSel)
    ChangeSelection(nNewSel);
}

void CColourGridPopup::OnLButtonUp(UINT, CPoint point) {
  CRect rc;
  GetClientRect(&rc);
  EndSelection(rc.PtInRect(point) ? WMU_COLOUR_SELENDOK : WMU_COLOUR_SELENDCANCEL);
}

int CColourGridPopup::ArrowTarget(UINT nChar, int nIndex) const {
  const BOOL bDefault = !m_strDefaultText.IsEmpty(), bCustom = !m_strCustomText.IsEmpty();
  const int nLast = m_nNumColours - 1, nCols = m_nNumColumns;
  const int nLastRowStart = (m_nNumRows - 1) * nCols;
  switch (nChar) {
    case VK_RIGHT:
    case VK_DOWN: {
      if (nIndex == kDefaultBox)
        return 0;
      if (nIndex == kCustomBox)
        return bDefault ? kDefaultBox : 0;
      const int nNext = nIndex + (nChar == VK_RIGHT ? 1 : nCols);
      if (nNext <= nLast)
        return nNext;
      return bCustom ? kCustomBox : bDefault ? kDefaultBox : 0;
    }
    case VK_LEFT:
      // The way back of Right.
      if (nIndex == kDefaultBox)
        return bCustom ? kCustomBox : nLast;
      if (nIndex == kCustomBox)
        return nLast;
      if (nIndex > 0)
        return nIndex - 1;
      return bDefault ? kDefaultBox : bCustom ? kCustomBox : nLast;
    case VK_UP:
      if (nIndex == kDefaultBox)
        return bCustom ? kCustomBox : nLastRowStart;
      if (nIndex == kCustomBox)
        return nLastRowStart;
      if (nIndex >= nCols)
        return nIndex - nCols;
      return bDefault ? kDefaultBox : bCustom ? kCustomBox : nIndex;
    default:
      return nIndex;
  }
}

void CColourGridPopup::OnKeyDown(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_RETURN:
    case VK_SPACE:
      EndSelection(WMU_COLOUR_SELENDOK);
      return;
    case VK_ESCAPE:
      m_crColour = m_crInitialColour;
      EndSelection(WMU_COLOUR_SELENDCANCEL);
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      // Nothing hovered yet: the keys start from the colour the popup opened with.
      const int nFrom = m_nCurrentSel != kNoBox ? m_nCurrentSel : m_nChosenColourSel;
      const int nTarget = nFrom == kNoBox ? 0 : ArrowTarget(nChar, nFrom);
      if (nTarget != m_nCurrentSel)
        ChangeSelection(nTarget);
      return;
    }
    default:
      Default();
  }
}

void CColourGridPopup::ChangeSelection(int nIndex) {
  const int nOld = m_nCurrentSel;
  m_nCurrentSel = nIndex;
  {
    CClientDC dc(this);
    if (nOld != kNoBox)
      DrawCell(&dc, nOld);
    DrawCell(&dc, nIndex);
  }
  COLORREF crColour = m_crInitialColour;
  if (nIndex >= 0)
    crColour = kColours[nIndex].crColour;
  else if (nIndex == kDefaultBox)
    crColour = COLOUR_AUTOMATIC;
  if (nIndex != kCustomBox)
    m_crColour = crColour;
  SendToPicker(WMU_COLOUR_SELCHANGE, crColour);
}

void CColourGridPopup::SendToPicker(UINT nMessage, COLORREF crColour) {
  if (::IsWindow(m_hWndPicker))
    ::SendMessageA(m_hWndPicker, nMessage, (WPARAM)crColour, 0);
}

void CColourGridPopup::EndSelection(UINT nMessage) {
  if (m_bEnding)
    return;  // already ending (the colour dialog is up)
  m_bEnding = TRUE;
  HWND hWndSelf = m_hWnd;
  if (::GetCapture() == hWndSelf)
    ::ReleaseCapture();

  if (nMessage == WMU_COLOUR_SELENDCANCEL) {
    m_crColour = m_crInitialColour;
  } else if (m_nCurrentSel == kCustomBox) {
    CColorDialog dlg(m_crInitialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
    const INT_PTR nResult = dlg.DoModal();
    if (!::IsWindow(hWndSelf))
      return;  // the picker went while the dialog was up, and this popup with it
    if (nResult == IDOK) {
      m_crColour = dlg.GetColor();
    } else {
      nMessage = WMU_COLOUR_SELENDCANCEL;
      m_crColour = m_crInitialColour;
    }
  }

  SendToPicker(nMessage, m_crColour);
  if (::IsWindow(hWndSelf))
    DestroyWindow();
}

void CColourGridPopup::OnKillFocus(CWnd* pNewWnd) {
  Default();
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
}

void CColourGridPopup::OnActivateApp(BOOL bActive, DWORD) {
  Default();
  if (!bActive)
    EndSelection(WMU_COLOUR_SELENDCANCEL);
}

LRESULT CColourGridPopup::OnQueryNewPalette(WPARAM, LPARAM) {
  Invalidate();
  return Default();
}

LRESULT CColourGridPopup::OnPaletteChanged(WPARAM wParam, LPARAM) {
  if ((HWND)wParam != m_hWnd)
    Invalidate();
  return Default();
}
