#include "ndim/app/HandOffMessageBoxes.h"

#include "framework/win/UiHooks.h"

void CHandOffMessageBoxes::ShowMessage(LPCSTR text) {
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

bool CHandOffMessageBoxes::AskYesNo(LPCSTR text) {
  return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
