#include "framework/win/OleDataObject.h"

namespace {
FORMATETC FormatOf(CLIPFORMAT cfFormat, DWORD tymed, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != nullptr) {
    FORMATETC format = *lpFormatEtc;
    format.cfFormat = cfFormat;
    return format;
  }
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
  return format;
}
}  // namespace

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT lpDataObject = m_lpDataObject;
  m_lpDataObject = nullptr;
  return lpDataObject;
}

void COleDataObject::Release() {
  if (m_lpDataObject != nullptr && m_bAutoRelease)
    m_lpDataObject->Release();
  m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard() {
  LPDATAOBJECT lpDataObject = nullptr;
  if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == nullptr)
    return FALSE;
  Attach(lpDataObject, TRUE);
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const {
  if (m_lpDataObject == nullptr)
    return FALSE;
  FORMATETC format = FormatOf(
      cfFormat, TYMED_HGLOBAL | TYMED_ENHMF | TYMED_GDI | TYMED_MFPICT | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_FILE,
      lpFormatEtc);
  return m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) const {
  if (m_lpDataObject == nullptr || lpStgMedium == nullptr)
    return FALSE;
  FORMATETC format = FormatOf(
      cfFormat, TYMED_HGLOBAL | TYMED_ENHMF | TYMED_GDI | TYMED_MFPICT | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_FILE,
      lpFormatEtc);
  *lpStgMedium = STGMEDIUM();
  if (FAILED(m_lpDataObject->GetData(&format, lpStgMedium))) {
    *lpStgMedium = STGMEDIUM();
    return FALSE;
  }
  return TRUE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const {
  if (m_lpDataObject == nullptr)
    return nullptr;
  FORMATETC format = FormatOf(cfFormat, TYMED_HGLOBAL, lpFormatEtc);
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium = {};
  if (FAILED(m_lpDataObject->GetData(&format, &medium)))
    return nullptr;
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
    ::ReleaseStgMedium(&medium);
    return nullptr;
  }
  if (medium.pUnkForRelease == nullptr)
    return medium.hGlobal;  // the caller's block already
  // Lent by the giver: a copy of our own.
  HGLOBAL hCopy = (HGLOBAL)::OleDuplicateData(medium.hGlobal, cfFormat, GMEM_MOVEABLE);
  ::ReleaseStgMedium(&medium);
  return hCopy;
}
