// CDC and the window DCs. A CDC owns the DC it created (CreateCompatibleDC,
// CreateDC) and deletes it; the window DCs release theirs. The printing flag
// tells drawing code that it draws for a printer or print preview.
#pragma once

#include "framework/base/Rect.h"
#include "framework/base/String.h"
#include "framework/win/GdiObject.h"

class CWnd;

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  CDC() = default;
  ~CDC() override;

  HDC m_hDC = nullptr;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  static CDC* FromHandle(HDC hDC);
  static void DeleteTempMap();
  BOOL Attach(HDC hDC);
  HDC Detach();
  void AttachTemporary(HDC hDC) { m_hDC = hDC; }
  void DetachTemporary() { m_hDC = nullptr; }

  BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr)); }
  BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData) {
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
  }
  BOOL CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData) {
    return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
  }
  BOOL DeleteDC();
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
  CWnd* GetWindow() const;

  // Printing.
  BOOL IsPrinting() const { return m_bPrinting; }
  void SetPrinting(BOOL bPrinting) { m_bPrinting = bPrinting; }
  // The job goes to the spooler by the name AfxPrintJobName gives it.
  int StartDoc(LPDOCINFOA lpDocInfo);
  int StartDoc(LPCSTR lpszDocName);
  int EndDoc() { return ::EndDoc(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }
  int SetAbortProc(ABORTPROC lpfn) { return ::SetAbortProc(m_hDC, lpfn); }
  int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData) {
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
  }

  // Selection. Each returns the object that was selected before, as a
  // temporary wrapper (null on failure). Prefer CSelectGuard.
  CPen* SelectObject(CPen* pPen) { return CPen::FromHandle((HPEN)SelectHandle(pPen)); }
  CBrush* SelectObject(CBrush* pBrush) { return CBrush::FromHandle((HBRUSH)SelectHandle(pBrush)); }
  CFont* SelectObject(CFont* pFont) { return CFont::FromHandle((HFONT)SelectHandle(pFont)); }
  CBitmap* SelectObject(CBitmap* pBitmap) { return CBitmap::FromHandle((HBITMAP)SelectHandle(pBitmap)); }
  CGdiObject* SelectObject(CGdiObject* pObject) { return CGdiObject::FromHandle(SelectHandle(pObject)); }
  int SelectObject(CRgn* pRgn) { return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->m_hObject); }
  CGdiObject* SelectStockObject(int nIndex) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
  }
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)pPalette->m_hObject, bForceBackground));
  }
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CPen* GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
  CBrush* GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
  CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
  CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

  // Attributes.
  COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
  int GetBkMode() const { return ::GetBkMode(m_hDC); }
  COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
  int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
  int GetROP2() const { return ::GetROP2(m_hDC); }
  int SetPolyFillMode(int nPolyFillMode) { return ::SetPolyFillMode(m_hDC, nPolyFillMode); }
  int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
  int SetTextCharacterExtra(int nCharExtra) { return ::SetTextCharacterExtra(m_hDC, nCharExtra); }

  // Mapping.
  int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
  int GetMapMode() const { return ::GetMapMode(m_hDC); }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint GetWindowOrg() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  CSize GetWindowExt() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetViewportOrg(int nWidth, int nHeight);
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  CSize GetViewportExt() const;
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
  void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hDC, (LPPOINT)lpRect, 2); }
  void DPtoLP(LPSIZE lpSize) const;
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hDC, lpPoints, nCount); }
  void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hDC, (LPPOINT)lpRect, 2); }
  void LPtoDP(LPSIZE lpSize) const;
  // A size in logical units as an OLE extent: 0.01 mm on this device, never
  // negative whichever way the mapping's axes point.
  void LPtoHIMETRIC(LPSIZE lpSize) const;

  // Clipping.
  int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
  int SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn != nullptr ? (HRGN)pRgn->m_hObject : nullptr); }
  int SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, pRgn != nullptr ? (HRGN)pRgn->m_hObject : nullptr, nMode);
  }
  int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
  int IntersectClipRect(LPCRECT lpRect) {
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  }
  int ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
  int ExcludeClipRect(LPCRECT lpRect) {
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  }
  BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

  // Lines and shapes.
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  CPoint GetCurrentPosition() const;
  BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
  BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) {
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, (DWORD)nCount);
  }
  BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
  BOOL PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, (DWORD)nCount); }
  BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
  BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
  BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
  BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
  }
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
  }
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
  }
  void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject); }
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject); }
  void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
  void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
  }
  BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
  BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) {
    return ::FillRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject);
  }
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
    return ::FrameRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject, nWidth, nHeight);
  }
  BOOL InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, (HRGN)pRgn->m_hObject); }
  COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
  COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

  // Blocks of pixels.
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
  }
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight,
                  DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
  }
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
  }

  BOOL PlayMetaFile(HENHMETAFILE hEnhMF, LPCRECT lpBounds) { return ::PlayEnhMetaFile(m_hDC, hEnhMF, lpBounds); }
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush = nullptr) {
    return ::DrawStateA(m_hDC, pBrush != nullptr ? (HBRUSH)pBrush->m_hObject : nullptr, nullptr, (LPARAM)hIcon, 0, pt.x,
                        pt.y, size.cx, size.cy, nFlags | DST_ICON);
  }
  BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, CBrush* pBrush = nullptr) {
    return ::DrawStateA(m_hDC, pBrush != nullptr ? (HBRUSH)pBrush->m_hObject : nullptr, nullptr, (LPARAM)hBitmap, 0,
                        pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
  }
  int StretchDIBits(int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight,
                    const void* lpBits, const BITMAPINFO* lpBitsInfo, UINT iUsage, DWORD dwRop) {
    return ::StretchDIBits(m_hDC, x, y, nWidth, nHeight, xSrc, ySrc, nSrcWidth, nSrcHeight, lpBits, lpBitsInfo, iUsage,
                           dwRop);
  }
  CPoint SetBrushOrg(int x, int y);

  // Text.
  BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
  BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, const int* lpDxWidths) {
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
  }
  int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
  }
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText(str, str.GetLength(), lpRect, nFormat);
  }
  CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
  CSize GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }
  BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }
  int GetTextFace(int nCount, LPSTR lpszFacename) const { return ::GetTextFaceA(m_hDC, nCount, lpszFacename); }
  BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const {
    return ::GetCharWidthA(m_hDC, nFirstChar, nLastChar, lpBuffer);
  }

 protected:
  HGDIOBJ SelectHandle(CGdiObject* pObject) {
    return pObject != nullptr ? ::SelectObject(m_hDC, pObject->m_hObject) : nullptr;
  }

  BOOL m_bPrinting = FALSE;
};

// Puts back, on every path out of a scope, the object that was selected into
// a DC before: { CSelectGuard pen(dc, &myPen); dc.LineTo(...); }
class CSelectGuard {
 public:
  CSelectGuard(CDC& dc, CGdiObject* pObject) : CSelectGuard(dc.m_hDC, pObject->m_hObject) {}
  CSelectGuard(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject)) {}
  // A stock object (NULL_BRUSH, ...).
  CSelectGuard(CDC& dc, int nStockObject) : CSelectGuard(dc.m_hDC, ::GetStockObject(nStockObject)) {}
  ~CSelectGuard() {
    if (m_hOld != nullptr && m_hOld != HGDI_ERROR)
      ::SelectObject(m_hDC, m_hOld);
  }
  CSelectGuard(const CSelectGuard&) = delete;
  CSelectGuard& operator=(const CSelectGuard&) = delete;
  BOOL Succeeded() const { return m_hOld != nullptr && m_hOld != HGDI_ERROR; }

 private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};

// The DC of a WM_PAINT: BeginPaint on construction, EndPaint on destruction.
// While a window answers WM_PRINTCLIENT, its paint handler draws through
// the same class into the DC the message carries (printing a window into a
// bitmap).
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps = {};

  // Redirects the next CPaintDC of hWnd to hDC until the scope ends.
  class CPrintClientScope {
   public:
    CPrintClientScope(HWND hWnd, HDC hDC);
    ~CPrintClientScope();
    CPrintClientScope(const CPrintClientScope&) = delete;
    CPrintClientScope& operator=(const CPrintClientScope&) = delete;

   private:
    HWND m_hWndSaved;
    HDC m_hDCSaved;
  };

 protected:
  HWND m_hWnd;
  BOOL m_bPrintClient = FALSE;
};

// The client area's DC (the screen's when pWnd is null), released on destruction.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

// The whole window's DC, frame included.
class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};
