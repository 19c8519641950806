// CCmdUI: one user-interface item (menu entry, toolbar button, dialog-bar
// control) during the update pass. Update handlers call Enable, SetCheck,
// SetRadio and SetText; DoUpdate asks the route for a handler and disables
// an item whose command nobody handles.
#pragma once

#include "framework/win/Win32.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Runs the update pass for this item on pTarget's route.
  void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;         // position in the menu or bar
  CMenu* m_pMenu = nullptr;  // the menu holding the entry, or null
  CMenu* m_pSubMenu = nullptr;
  CWnd* m_pOther = nullptr;  // the bar or control, or null
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
};
