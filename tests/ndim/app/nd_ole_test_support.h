// An embedded object on the clipboard, made without any server: a picture
// object (which OLE draws from its cache) as the storage of an embedded
// object, the form a copy from another program takes.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/win/OleDataSource.h"

const COLORREF kObjectColour = RGB(255, 0, 0);

// A red square picture of 1 inch (96 pixels on the screen) as the storage
// of an embedded object: what a copy from another program hands over.
inline LPSTORAGE RedObjectStorage() {
  HDC hMeta = ::CreateMetaFileA(nullptr);
  ::SetWindowExtEx(hMeta, 100, 100, nullptr);
  HBRUSH hBrush = ::CreateSolidBrush(kObjectColour);
  ::SelectObject(hMeta, hBrush);
  ::SelectObject(hMeta, ::GetStockObject(NULL_PEN));
  ::Rectangle(hMeta, 0, 0, 101, 101);
  HMETAFILE hMF = ::CloseMetaFile(hMeta);
  ::DeleteObject(hBrush);
  HGLOBAL hPict = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* pict = static_cast<METAFILEPICT*>(::GlobalLock(hPict));
  *pict = {MM_ANISOTROPIC, 2540, 2540, hMF};
  ::GlobalUnlock(hPict);
  auto* pPicture = new COleDataSource;
  STGMEDIUM medium = {};
  medium.tymed = TYMED_MFPICT;
  medium.hMetaFilePict = hPict;
  pPicture->CacheData(CF_METAFILEPICT, &medium);

  FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  LPLOCKBYTES pBytes = nullptr;
  LPSTORAGE pStorage = nullptr;
  LPOLEOBJECT pObject = nullptr;
  LPPERSISTSTORAGE pPersist = nullptr;
  const bool ok =
      SUCCEEDED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &pBytes)) &&
      SUCCEEDED(
          ::StgCreateDocfileOnILockBytes(pBytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, &pStorage)) &&
      SUCCEEDED(::OleCreateStaticFromData(static_cast<IDataObject*>(pPicture), IID_IOleObject, OLERENDER_FORMAT,
                                          &format, nullptr, pStorage, (void**)&pObject)) &&
      SUCCEEDED(pObject->QueryInterface(IID_IPersistStorage, (void**)&pPersist)) &&
      SUCCEEDED(::OleSave(pPersist, pStorage, TRUE)) && SUCCEEDED(pStorage->Commit(STGC_DEFAULT));
  if (pPersist != nullptr) {
    pPersist->SaveCompleted(nullptr);
    pPersist->Release();
  }
  if (pObject != nullptr)
    pObject->Release();
  static_cast<IDataObject*>(pPicture)->Release();
  if (pBytes != nullptr)
    pBytes->Release();
  if (!ok && pStorage != nullptr) {
    pStorage->Release();
    pStorage = nullptr;
  }
  return pStorage;
}

// The object on the clipboard; bFlushed leaves it there for other programs
// after this one lets go.
inline bool PutObjectOnClipboard(bool bFlushed) {
  LPSTORAGE pStorage = RedObjectStorage();
  if (pStorage == nullptr)
    return false;
  auto* pSource = new COleDataSource;
  STGMEDIUM medium = {};
  medium.tymed = TYMED_ISTORAGE;
  medium.pstg = pStorage;
  FORMATETC format = {(CLIPFORMAT)::RegisterClipboardFormatA("Embedded Object"), nullptr, DVASPECT_CONTENT, -1,
                      TYMED_ISTORAGE};
  pSource->CacheData(format.cfFormat, &medium, &format);
  return pSource->SetClipboard() && (!bFlushed || SUCCEEDED(::OleFlushClipboard()));
}
