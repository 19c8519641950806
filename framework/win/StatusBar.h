// CStatusBar: the bar along the frame's bottom over the system's status
// control. Pane 0 (ID_SEPARATOR) stretches and shows the prompt of the
// command under the mouse or the menu entry; indicator panes show their
// string (ID_INDICATOR_CAPS: "CAP", ...) while their update handler enables
// them.
#pragma once

#include <vector>

#include "framework/win/ControlBar.h"

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar() = default;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  // One pane per id; each indicator is as wide as its string.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetCount() const { return (int)m_panes.size(); }
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  struct Pane {
    UINT nID;
    UINT nStyle;
    int cxText;       // width of the text area
    CString strText;  // the indicator's text when enabled
  };

  // Gives the control the pane edges for the current width.
  void UpdateParts();
  void OnSize(UINT nType, int cx, int cy);
  LRESULT OnSetText(WPARAM, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM, LPARAM);

  std::vector<Pane> m_panes;

  DECLARE_MESSAGE_MAP()
};
