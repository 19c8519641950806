#include "onedim/dialogs/display/ReadOnlyEdit.h"

BEGIN_MESSAGE_MAP(CReadOnlyEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

void CReadOnlyEdit::OnChar(UINT nChar, UINT, UINT) {
  // Ctrl+C arrives as a character too; copying changes nothing.
  if (nChar == 0x03)
    Default();
}
