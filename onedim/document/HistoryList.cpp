#include "onedim/document/HistoryList.h"

CString CHistoryList::GetText() const {
  CString text;
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    text += GetNext(pos);
    text += "\r\n";
  }
  return text;
}
