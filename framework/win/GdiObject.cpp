#include "framework/win/GdiObject.h"

#include <cstdlib>

#include "framework/win/Dc.h"
#include "framework/win/HandleMap.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

// The wrapper class that matches the object, so that CPen::FromHandle and
// the like hand out objects of their own class.
CGdiObject* MakeWrapper(HGDIOBJ h) {
  switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      return new CPen;
    case OBJ_BRUSH:
      return new CBrush;
    case OBJ_FONT:
      return new CFont;
    case OBJ_BITMAP:
      return new CBitmap;
    case OBJ_REGION:
      return new CRgn;
    case OBJ_PAL:
      return new CPalette;
    default:
      return new CGdiObject;
  }
}

CTempHandleMap<HGDIOBJ, CGdiObject>& TemporaryObjects() {
  static CTempHandleMap<HGDIOBJ, CGdiObject> s_map;
  return s_map;
}

}  // namespace

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) {
  return TemporaryObjects().Lookup(h, &MakeWrapper);
}

void CGdiObject::DeleteTempMap() {
  TemporaryObjects().DeleteAll();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr)
    return FALSE;
  DeleteObject();
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  m_bStock = FALSE;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr)
    return FALSE;
  BOOL ok = m_bStock ? TRUE : ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  m_bStock = FALSE;
  return ok;
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
  HGDIOBJ h = ::GetStockObject(nIndex);
  if (!Attach(h))
    return FALSE;
  m_bStock = TRUE;
  return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return Attach(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
  if (!Attach(::GetSysColorBrush(nIndex)))
    return FALSE;
  m_bStock = TRUE;
  return TRUE;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  HDC hDC = pDC != nullptr ? pDC->m_hDC : ::GetDC(nullptr);
  // Tenths of a point to logical units: through device pixels, then DPtoLP.
  LOGFONT lf = *lpLogFont;
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)};
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &pt, 1);
  ::DPtoLP(hDC, &ptOrg, 1);
  lf.lfHeight = -std::abs((int)(pt.y - ptOrg.y));
  if (pDC == nullptr)
    ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
  return Attach(::CreateMappedBitmap(AfxGetResourceHandle(), (INT_PTR)nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
  return Attach(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const {
  WORD nEntries = 0;
  ::GetObjectA(m_hObject, sizeof(WORD), &nEntries);
  return nEntries;
}
