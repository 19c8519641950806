#include "framework/win/CmdUI.h"

#include "framework/win/CmdTarget.h"
#include "framework/win/Menu.h"
#include "framework/win/Wnd.h"

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr)
      return;  // a pop-up entry stays usable
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != nullptr) {
    // Disabling the control with the focus would leave the keyboard nowhere.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
      ::SendMessageA(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr)
      return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr) {
    if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
      ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr)
      return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCSTR lpszText) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr)
      return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPSTR>(lpszText);
    ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
  } else if (m_pOther != nullptr) {
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText)
      m_pOther->SetWindowText(lpszText);  // no flicker when unchanged
  }
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
    return;  // separators and static texts
  m_bEnableChanged = FALSE;
  pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  // An entry whose update handler says nothing about enabling is enabled
  // exactly when someone on the route handles the command.
  if (bDisableIfNoHandler && !m_bEnableChanged)
    Enable(pTarget->HasCommandHandler(m_nID));
}
