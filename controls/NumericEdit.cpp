#include "controls/NumericEdit.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CNumericEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {
// What can never belong to a number as users type them; "e" and "E" among
// them. Digits, ".", "-", space, '"' and "?" pass.
const char kRefused[] = "`~!@#$%^&*()_+|=\\qwertyuiop[]asdfghjkl;'zxcvbnm,/QWERTYUIOP{}ASDFGHJKL:/\\ZXCVBNM<>/";
}  // namespace

void CNumericEdit::OnChar(UINT nChar, UINT, UINT) {
  if (nChar != 0 && nChar < 0x80 && std::strchr(kRefused, (int)nChar) != nullptr)
    return;
  Default();
}
