#include "framework/win/Controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM && (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
      *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
  if (nMaxLength < (int)sizeof(WORD))
    return 0;  // the size word must fit
  // The control reads the buffer size from its first word.
  *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
  return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int nLen = GetTextLen(nIndex);
  if (nLen == LB_ERR) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBuffer(nLen));
  rString.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
  DWORD result = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELONG(pt.x, pt.y));
  bOutside = HIWORD(result) != 0;
  return LOWORD(result);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int nLen = GetLBTextLen(nIndex);
  if (nLen == CB_ERR) {
    rString.Empty();
    return;
  }
  GetLBText(nIndex, rString.GetBuffer(nLen));
  rString.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const UINT styles = CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE;
  if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && (GetStyle() & styles) != 0) {
    if (message == WM_DRAWITEM)
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    if (pResult != nullptr)
      *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
