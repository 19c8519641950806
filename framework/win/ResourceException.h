// CResourceException: a window class, bitmap or other resource the program
// needs could not be had from the system.
#pragma once

#include "framework/base/Exception.h"

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  explicit CResourceException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}

 protected:
  CString GetMessageText() const override;
};

[[noreturn]] void AfxThrowResourceException();
