#include "framework/base/Maps.h"

#include "framework/base/Archive.h"

IMPLEMENT_DYNAMIC(CMapStringToString, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)

void CMapStringToString::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD_PTR)GetCount());
    for (POSITION pos = GetStartPosition(); pos;) {
      CString key, value;
      GetNextAssoc(pos, key, value);
      ar << key << value;
    }
  } else {
    // A damaged count cannot make the map allocate ahead: each pair is read
    // before it is added, and a short file ends the loop with its exception.
    DWORD_PTR count = ar.ReadCount();
    for (DWORD_PTR i = 0; i < count; ++i) {
      CString key, value;
      ar >> key >> value;
      SetAt(key, value);
    }
  }
}
