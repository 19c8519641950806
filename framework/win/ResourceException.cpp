#include "framework/win/ResourceException.h"

IMPLEMENT_DYNAMIC(CResourceException, CException)

CString CResourceException::GetMessageText() const {
  return CString("A required resource was unavailable.");
}

void AfxThrowResourceException() {
  throw new CResourceException;
}
