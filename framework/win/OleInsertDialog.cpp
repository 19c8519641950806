#include "framework/win/OleInsertDialog.h"

#include "framework/win/OleClientItem.h"

IMPLEMENT_DYNAMIC(COleInsertDialog, CCommonDialog)

namespace {

UINT CALLBACK InsertHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return 0;
  auto* pDlg = reinterpret_cast<COleInsertDialog*>(reinterpret_cast<OLEUIINSERTOBJECTA*>(lParam)->lCustData);
  return CCommonDialog::BindDialog(pDlg, hWnd);
}

}  // namespace

COleInsertDialog::COleInsertDialog(DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_io.cbStruct = sizeof(m_io);
  m_io.dwFlags = dwFlags;
}

INT_PTR COleInsertDialog::DoModal() {
  m_io.hWndOwner = ModalOwner();
  m_io.lpszFile = m_szFile;
  m_io.cchFile = MAX_PATH;
  m_io.lpfnHook = &InsertHookProc;
  m_io.lCustData = reinterpret_cast<LPARAM>(this);
  UINT nResult = ::OleUIInsertObjectA(&m_io);
  if (m_hWnd != nullptr)
    Detach();
  return nResult == OLEUI_OK ? IDOK : IDCANCEL;
}

BOOL COleInsertDialog::CreateItem(COleClientItem* pItem) {
  if (pItem == nullptr)
    return FALSE;
  pItem->SetDrawAspect(GetDrawAspect());
  return pItem->CreateNewItem(m_io.clsid);
}
