#include "framework/win/Menu.h"

#include "framework/win/HandleMap.h"
#include "framework/win/Wnd.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
CTempHandleMap<HMENU, CMenu>& TemporaryMenus() {
  static CTempHandleMap<HMENU, CMenu> s_map;
  return s_map;
}
}  // namespace

CMenu* BrivaneMenuFromHandle(HMENU hMenu) {
  return CMenu::FromHandle(hMenu);
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  return TemporaryMenus().Lookup(hMenu);
}

void CMenu::DeleteTempMap() {
  TemporaryMenus().DeleteAll();
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr || m_hMenu != nullptr)
    return FALSE;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  m_hMenu = nullptr;
  return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == nullptr)
    return FALSE;
  return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (nLen <= 0) {
    rString.Empty();
    return 0;
  }
  ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen), nLen + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::HwndOf(pWnd), lpRect);
}
