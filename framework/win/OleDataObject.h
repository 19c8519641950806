// COleDataObject: data offered by another window or program (the OLE
// clipboard, or what is being dropped), read format by format. Whatever it
// hands out is a copy the caller owns; a format that cannot be had (the
// other program went away mid-transfer) gives nothing, never part of it.
#pragma once

#include <ole2.h>

#include "framework/win/Win32.h"

class COleDataObject {
 public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // bAutoRelease: this object gives the reference back when it lets go.
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  // The clipboard's data; FALSE when it cannot be had.
  BOOL AttachClipboard();
  LPDATAOBJECT GetIDataObject() const { return m_lpDataObject; }

  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
  // The medium is the caller's to release (ReleaseStgMedium).
  BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr) const;
  // A block of global memory the caller frees, or null.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;

 private:
  LPDATAOBJECT m_lpDataObject = nullptr;
  BOOL m_bAutoRelease = TRUE;
};
