// CToolBar: a bar of buttons over the system's toolbar control, loaded from
// a toolbar resource of the program's own format (RT_TOOLBAR_ID, see
// FrameworkRes.h) and the bitmap of the same number. A button's tool tip is
// the text after '\n' of its command's string and its status-bar prompt the
// text before; the idle pass enables and checks the buttons.
#pragma once

#include <vector>

#include "framework/win/ControlBar.h"

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  CToolBar() = default;
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // dwCtrlStyle: the control's own styles (TBSTYLE_FLAT, ...).
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);
  // The buttons and glyphs of toolbar resource nIDResource. FALSE when the
  // resource is missing, malformed or its bitmap is missing.
  BOOL LoadToolBar(UINT nIDResource);
  // Buttons for the commands (0: a separator); glyphs are taken in order.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);

  int GetCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
  int CommandToIndex(UINT nIDFind) const { return (int)SendMessage(TB_COMMANDTOINDEX, nIDFind); }
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const { SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
  BOOL SetButtonText(int nIndex, LPCSTR lpszText);
  CString GetButtonText(int nIndex) const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The update pass over the buttons with any command target (a dialog
  // that holds the bar, say) in place of the frame.
  void UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

 private:
  HIMAGELIST m_hImageList = nullptr;
  CSize m_sizeImage = CSize(16, 15);
  BOOL m_bVertical = FALSE;
};
