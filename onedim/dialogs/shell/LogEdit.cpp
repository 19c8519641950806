#include "onedim/dialogs/shell/LogEdit.h"

BEGIN_MESSAGE_MAP(CLogEdit, CEdit)
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

void CLogEdit::AppendLine(LPCSTR lpszText) {
  CString strText;
  GetWindowText(strText);
  if (!strText.IsEmpty())
    strText += "\r\n";
  strText += lpszText;
  SetWindowText(strText);
  LineScroll(GetLineCount());
}

void CLogEdit::OnSetFocus(CWnd* pOldWnd) {
  if (m_bMayTakeFocus) {
    Default();
    return;
  }
  // Back to where the focus came from. When that window cannot hold it (the
  // focus came from outside, say from the owner a modal dialog disabled),
  // the next control of the dialog takes it, so the keyboard still works.
  HWND hWndOld = CWnd::HwndOf(pOldWnd);
  BOOL bUsable = hWndOld != nullptr && hWndOld != m_hWnd && ::IsWindowEnabled(hWndOld) && ::IsWindowVisible(hWndOld);
  HWND hWndParent = ::GetParent(m_hWnd);
  if (!bUsable && hWndParent != nullptr)
    hWndOld = ::GetNextDlgTabItem(hWndParent, m_hWnd, FALSE);
  if (hWndOld != nullptr && hWndOld != m_hWnd)
    ::SetFocus(hWndOld);
}
