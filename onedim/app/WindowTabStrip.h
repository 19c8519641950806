// CWindowTabStrip: the tab control of the tabbed window list, one tab per
// document window with the window's small icon and title. A click
// activates a window, a double click maximises or restores it, and
// something dragged over a tab activates its window. Every half second the
// tabs are compared with the windows (titles change when a document is
// saved under another name).
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/win/CommonControls.h"
#include "framework/win/ImageList.h"
#include "framework/win/OleDropTarget.h"

class CWindowTabHost;

// Asked of a document window for its tab's title: the answer is a string
// pointer, 0 for none. No window of the program answers it yet.
const UINT WM_GETTABTITLE = 0x80EA;

class CWindowTabStrip : public CTabCtrl {
 public:
  enum { RefreshTimer = 333, RefreshMs = 500 };

  explicit CWindowTabStrip(CWindowTabHost* pHost) : m_DropTarget(this), m_pHost(pHost) {}

  // A tab for a document window (an MDI child; with bVisibleOnly a visible
  // one). bRecalc: the frame lays out its client area again.
  BOOL AddTab(CWnd* pWnd, BOOL bRecalc, BOOL bVisibleOnly);
  BOOL RemoveTab(CWnd* pWnd, BOOL bRecalc);
  // The tab of the window, -1 when there is none.
  int FindTab(CWnd* pWnd) const;
  // The window's own answer to WM_GETTABTITLE, else its document's title,
  // else its window text.
  CString GetTabTitle(CWnd* pWnd) const;
  // Brings the tabs in line with the document windows: titles, hidden
  // windows, and (bAddNew) windows without a tab; selects the active one.
  void Refresh(BOOL bAddNew);
  // The window of a tab, or null.
  HWND GetTabWindow(int nTab) const;
  // Activates the window of the tab under a client point; FALSE for none.
  BOOL ActivateTabAt(CPoint point);
  int GetMargin() const { return m_nMargin; }

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnTimer(UINT_PTR nIDEvent);
  void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnNcPaint();

 private:
  // Activates a tab's window in the MDI client and lays the frame out again.
  void ActivateTab(int nTab);
  void RecalcFrameLayout();

  // What was dragged over the tabs activates the window under the cursor;
  // nothing is dropped on them.
  class CDropTarget : public COleDropTarget {
   public:
    explicit CDropTarget(CWindowTabStrip* pStrip) : m_pStrip(pStrip) {}
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override;

   private:
    CWindowTabStrip* m_pStrip;
  };

  struct TabRecord {
    CString strTitle;
    CString strClass;  // the window's class when the tab was made
    HWND hWnd;
  };
  std::vector<TabRecord> m_Items;  // in tab order
  std::vector<HICON> m_Icons;      // by image index
  CImageList m_Images;
  CDropTarget m_DropTarget;
  CWindowTabHost* m_pHost;
  int m_nMargin = 5;

  DECLARE_MESSAGE_MAP()
};
