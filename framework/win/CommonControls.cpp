#include "framework/win/CommonControls.h"

#include "framework/win/ImageList.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

int CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPSTR>(lpszItem);
  return InsertItem(nItem, &item);
}

int CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(nItem, &item);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(
      TCM_SETIMAGELIST, 0, (LPARAM)(pImageList != nullptr ? pImageList->m_hImageList : nullptr)));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.fmt = nFormat;
  column.pszText = const_cast<LPSTR>(lpszColumnHeading);
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return (int)SendMessage(LVM_INSERTCOLUMNA, (WPARAM)nCol, (LPARAM)&column);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
  LVITEMA item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // The control copies at most the buffer's size; grow until the text fits.
  CString text;
  for (int size = 256;; size *= 2) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = size;
    item.pszText = text.GetBuffer(size);
    int n = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
    if (n < size - 1 || size >= (1 << 20)) {
      text.ReleaseBuffer(n);
      return text;
    }
    text.ReleaseBuffer(0);
  }
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = (LPARAM)dwData;
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  GetItem(&item);
  return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEMA item = {};
  item.stateMask = nMask;
  item.state = nState;
  return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  lpRect->left = (LONG)nCode;
  return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(
      LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)(pImageList != nullptr ? pImageList->m_hImageList : nullptr)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  // The list owns its header; a temporary wrapper of the right class.
  return static_cast<CHeaderCtrl*>(FromHandle((HWND)SendMessage(LVM_GETHEADER)));
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, HwndOf(pParentWnd), nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
  ti = {};
  // The size of the record the version 4.7 controls know, which every later one accepts.
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = HwndOf(pWnd);
  if (nIDTool == 0) {
    ti.uFlags = TTF_IDISHWND;
    ti.uId = (UINT_PTR)ti.hwnd;
  } else {
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.uFlags |= TTF_SUBCLASS;
  if (lpRectTool != nullptr)
    ti.rect = *lpRectTool;
  else if (pWnd != nullptr)
    pWnd->GetClientRect(&ti.rect);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

IMPLEMENT_DYNAMIC(CComboBoxEx, CWnd)

CImageList* CComboBoxEx::SetImageList(CImageList* pImageList) {
  HIMAGELIST hOld =
      (HIMAGELIST)SendMessage(CBEM_SETIMAGELIST, 0, (LPARAM)(pImageList ? pImageList->GetSafeHandle() : nullptr));
  return hOld != nullptr ? CImageList::FromHandle(hOld) : nullptr;
}

int CComboBoxEx::InsertItem(int nIndex, LPCSTR lpszText, int nImage) {
  COMBOBOXEXITEMA item = {};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = nIndex;
  item.pszText = const_cast<LPSTR>(lpszText);
  item.iImage = nImage;
  item.iSelectedImage = nImage;
  return InsertItem(&item);
}
