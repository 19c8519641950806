#include "ndim/app/MDIClientWnd.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

namespace {

const char kSection[] = "MDIClient";

}  // namespace

BEGIN_MESSAGE_MAP(CMDIClientWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIClientWnd::CMDIClientWnd() : m_crBackground(::GetSysColor(COLOR_APPWORKSPACE)) {
  m_brBackground.CreateSolidBrush(m_crBackground);
}

BOOL CMDIClientWnd::Subclass(HWND hWndClient) {
  if (!SubclassWindow(hWndClient))
    return FALSE;
  LoadSettings();
  return TRUE;
}

void CMDIClientWnd::LoadSettings() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  m_nDisplayMode = (int)pApp->GetProfileInt(kSection, "DisplayMode", tile);
  SetBkColor((COLORREF)pApp->GetProfileInt(kSection, "BkColor", (int)::GetSysColor(COLOR_APPWORKSPACE)));
  m_ptOrigin.x = (int)pApp->GetProfileInt(kSection, "OriginX", 0);
  m_ptOrigin.y = (int)pApp->GetProfileInt(kSection, "OriginY", 0);
  const CString file = pApp->GetProfileString(kSection, "FileName", "");
  if (!file.IsEmpty())
    SetBitmap(file);
}

void CMDIClientWnd::SaveSettings() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr)
    return;
  pApp->WriteProfileInt(kSection, "DisplayMode", m_nDisplayMode);
  pApp->WriteProfileInt(kSection, "BkColor", (int)m_crBackground);
  pApp->WriteProfileString(kSection, "FileName", m_strFileName);
  pApp->WriteProfileInt(kSection, "OriginX", m_ptOrigin.x);
  pApp->WriteProfileInt(kSection, "OriginY", m_ptOrigin.y);
}

void CMDIClientWnd::SetBkColor(COLORREF crColor) {
  m_crBackground = crColor;
  m_brBackground.DeleteObject();
  m_brBackground.CreateSolidBrush(crColor);
  if (m_hWnd != nullptr)
    Invalidate();
}

BOOL CMDIClientWnd::SetBitmap(LPCSTR lpszFileName) {
  HBITMAP hBitmap =
      (HBITMAP)::LoadImageA(nullptr, lpszFileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (hBitmap == nullptr)
    return FALSE;
  m_bitmap.DeleteObject();
  m_bitmap.Attach(hBitmap);
  BITMAP bm = {};
  m_bitmap.GetBitmap(&bm);
  m_sizeBitmap = CSize(bm.bmWidth, bm.bmHeight);
  m_strFileName = lpszFileName;
  if (m_hWnd != nullptr)
    Invalidate();
  return TRUE;
}

void CMDIClientWnd::SetDisplayMode(int nMode) {
  m_nDisplayMode = nMode;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CMDIClientWnd::SetOrigin(CPoint point) {
  m_ptOrigin = point;
  if (m_hWnd != nullptr)
    Invalidate();
}

void CMDIClientWnd::Clear() {
  m_bitmap.DeleteObject();
  m_strFileName.Empty();
  m_sizeBitmap = CSize(0, 0);
  SetBkColor(::GetSysColor(COLOR_APPWORKSPACE));
}

void CMDIClientWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (!HasBitmap() || m_nDisplayMode == tile) {
    PaintBackground(dc, client);
    return;
  }
  // Filled and drawn off screen, then copied in one step: no flicker.
  CDC memory;
  CBitmap canvas;
  if (!memory.CreateCompatibleDC(&dc) || !canvas.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
    PaintBackground(dc, client);
    return;
  }
  CSelectGuard canvasGuard(memory, &canvas);
  PaintBackground(memory, client);
  dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

void CMDIClientWnd::PaintBackground(CDC& dc, const CRect& client) {
  if (!HasBitmap()) {
    dc.FillRect(&client, &m_brBackground);
    return;
  }
  CDC image;
  if (!image.CreateCompatibleDC(&dc))
    return;
  CSelectGuard imageGuard(image, &m_bitmap);
  const int w = m_sizeBitmap.cx, h = m_sizeBitmap.cy;
  switch (m_nDisplayMode) {
    case tile:
      for (int y = 0; h > 0 && y < client.bottom; y += h)
        for (int x = 0; w > 0 && x < client.right; x += w)
          dc.BitBlt(x, y, w, h, &image, 0, 0, SRCCOPY);
      break;
    case centre:
      dc.FillRect(&client, &m_brBackground);
      dc.BitBlt((client.Width() - w) / 2, (client.Height() - h) / 2, w, h, &image, 0, 0, SRCCOPY);
      break;
    case stretch:
      dc.SetStretchBltMode(COLORONCOLOR);
      dc.StretchBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, w, h, SRCCOPY);
      break;
    default:
      dc.FillRect(&client, &m_brBackground);
      dc.BitBlt(m_ptOrigin.x, m_ptOrigin.y, w, h, &image, 0, 0, SRCCOPY);
      break;
  }
}

void CMDIClientWnd::OnSize(UINT nType, int cx, int cy) {
  Default();
  // A tiled picture stays where it was; the others follow the size.
  if (nType != SIZE_MINIMIZED && m_nDisplayMode != tile)
    Invalidate();
}

void CMDIClientWnd::OnDestroy() {
  if (m_bPersist)
    SaveSettings();
  Default();
}
