// GDI objects: each C++ object owns one handle and deletes it when destroyed.
// Select them into a DC through CSelectGuard (Dc.h), which puts the previous
// object back on every path, so that no object is deleted while selected.
#pragma once

#include "framework/base/Object.h"
#include "framework/win/Win32.h"

class CDC;

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  // A wrapper of h that does not own it, freed at the next idle time.
  static CGdiObject* FromHandle(HGDIOBJ h);
  static void DeleteTempMap();

  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();  // stock objects are released, never deleted
  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectA(m_hObject, nCount, lpObject); }
  UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

  void AttachTemporary(HGDIOBJ h) { m_hObject = h; }
  void DetachTemporary() { m_hObject = nullptr; }

 protected:
  BOOL m_bStock = FALSE;
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  static CPen* FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
  operator HPEN() const { return (HPEN)m_hObject; }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
  }
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = nullptr) {
    return Attach(::ExtCreatePen((DWORD)nPenStyle, (DWORD)nWidth, pLogBrush, (DWORD)nStyleCount, lpStyle));
  }
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
  int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
  static CBrush* FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }
  operator HBRUSH() const { return (HBRUSH)m_hObject; }
  BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
  BOOL CreatePatternBrush(class CBitmap* pBitmap);
  // A system colour brush is owned by the system and never deleted.
  BOOL CreateSysColorBrush(int nIndex);
  int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  static CFont* FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }
  operator HFONT() const { return (HFONT)m_hObject; }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
  }
  // nPointSize in tenths of a point, converted for pDC (the screen when null).
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  static CBitmap* FromHandle(HBITMAP hBitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap)); }
  operator HBITMAP() const { return (HBITMAP)m_hObject; }
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  // A bitmap whose button-face greys follow the current system colours.
  BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = nullptr, int nMapSize = 0);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
  }
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
 public:
  static CRgn* FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }
  operator HRGN() const { return (HRGN)m_hObject; }
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
  BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
  }
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
  }
  void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
  void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, pRgn2 != nullptr ? (HRGN)pRgn2->m_hObject : nullptr,
                        nCombineMode);
  }
  int CopyRgn(const CRgn* pRgnSrc) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->m_hObject, nullptr, RGN_COPY);
  }
  BOOL EqualRgn(const CRgn* pRgn) const { return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject); }
  int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
  int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
  BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
  BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
 public:
  static CPalette* FromHandle(HPALETTE hPalette) { return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette)); }
  operator HPALETTE() const { return (HPALETTE)m_hObject; }
  BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
  BOOL CreateHalftonePalette(CDC* pDC);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
  }
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
  }
  BOOL ResizePalette(UINT nNumEntries) { return ::ResizePalette((HPALETTE)m_hObject, nNumEntries); }
  UINT GetNearestPaletteIndex(COLORREF crColor) const { return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor); }
};
