#include "controls/GridCellEdit.h"

#include <algorithm>

#include "controls/GridCell.h"
#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CGridCellEdit, CEdit)

BEGIN_MESSAGE_MAP(CGridCellEdit, CEdit)
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {

bool IsMoveKey(UINT nChar) {
  return nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP ||
         nChar == VK_DOWN;
}

}  // namespace

CGridCellEdit::CGridCellEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                             LPCSTR lpszInitText, UINT nFirstChar)
    : m_sInitText(lpszInitText), m_nRow(nRow), m_nColumn(nColumn), m_bExitOnArrows(nFirstChar != 1) {
  if (!Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pParent, nID))
    return;
  SetFont(pParent->GetFont());
  SetWindowText(m_sInitText);
  SetFocus();
  switch (nFirstChar) {
    case 1:
    case VK_RETURN:
      SetSel(m_sInitText.GetLength(), -1);
      break;
    case VK_BACK:
      SetSel(m_sInitText.GetLength(), -1);
      SendMessage(WM_CHAR, VK_BACK, 0);
      break;
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      SetSel(0, -1);
      break;
    default:
      SetSel(0, -1);
      SendMessage(WM_CHAR, nFirstChar, 0);
      break;
  }
}

void CGridCellEdit::PostNcDestroy() {
  delete this;
}

BOOL CGridCellEdit::PreTranslateMessage(MSG* pMsg) {
  // The dialog manager never sees Tab or Return while a cell is edited.
  if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
    ::TranslateMessage(pMsg);
    ::DispatchMessageA(pMsg);
    return TRUE;
  }
  return pMsg->message == WM_SYSCHAR;
}

void CGridCellEdit::Finish(UINT nChar) {
  m_nLastChar = nChar;
  if (CWnd* pGrid = GetParent())
    pGrid->SetFocus();
}

void CGridCellEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (IsMoveKey(nChar) && (m_bExitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
    Finish(nChar);
    return;
  }
  if (nChar == VK_ESCAPE) {
    SetWindowText(m_sInitText);
    Finish(nChar);
    return;
  }
  Default();
}

void CGridCellEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
    Finish(nChar);
    return;
  }
  Default();
}

void CGridCellEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)
    return;  // they end the edit on key-up; the field takes no character for them
  Default();

  // Widen the field as the text grows, up to the grid's right edge.
  CString str;
  GetWindowText(str);
  CClientDC dc(this);
  CSelectGuard font(dc.m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
  CSize size = dc.GetTextExtent(str + " ");
  CRect rect, parentRect;
  GetClientRect(&rect);
  GetParent()->GetClientRect(&parentRect);
  if (size.cx <= rect.Width() - 5)
    return;
  GetWindowRect(&rect);
  GetParent()->ScreenToClient(&rect);
  rect.right = std::min(rect.left + size.cx + 5, parentRect.right);
  MoveWindow(&rect);
}

UINT CGridCellEdit::OnGetDlgCode() {
  return DLGC_WANTALLKEYS;
}

void CGridCellEdit::OnKillFocus(CWnd* pNewWnd) {
  Default();
  EndEdit();
}

void CGridCellEdit::EndEdit() {
  if (m_bEnded)
    return;
  m_bEnded = TRUE;
  CString str;
  GetWindowText(str);
  GV_DISPINFO dispinfo;
  dispinfo.hdr.hwndFrom = m_hWnd;
  dispinfo.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
  dispinfo.hdr.code = GVN_ENDLABELEDIT;
  dispinfo.item.mask = GVIF_TEXT | GVIF_PARAM;
  dispinfo.item.row = m_nRow;
  dispinfo.item.col = m_nColumn;
  dispinfo.item.szText = str;
  dispinfo.item.lParam = (LPARAM)m_nLastChar;
  // The grid may destroy this field while it handles the notification.
  HWND hWnd = m_hWnd;
  ::SendMessageA(::GetParent(hWnd), WM_NOTIFY, dispinfo.hdr.idFrom, (LPARAM)&dispinfo);
  if (::IsWindow(hWnd))
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
}
