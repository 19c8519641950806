// CControlBar: a strip along a side of a frame (toolbar, status bar, dialog
// bar, rebar) or floating in a small tool window of its own. The frame lays
// its bars out around its client area (RecalcLayout): fixed bars first
// (status bar at the bottom, rebars at the top), then the docked bars in
// rows along each side. Each bar updates its items in the idle pass through
// its own map and then its frame's command route.
#pragma once

#include <vector>

#include "framework/base/String.h"
#include "framework/win/FrameworkRes.h"
#include "framework/win/Wnd.h"

class CFrameWnd;
class CMiniDockFrameWnd;

// Bar styles (kept by the bar, not the window).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0400L
#define CBRS_SIZE_FIXED 0x0800L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_NOALIGN 0x00000000L
#define CBRS_ALL 0x0040FFFFL  // the bar-style bits of a Create style; the rest are window styles
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// The four sides a bar docks at.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
// Default ids of the framework's bars.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_REBAR 0xE81A

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar();
  ~CControlBar() override;

  // The size the bar wants: bStretch fills the side, bHorz lies along the
  // top or bottom.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  // Updates the bar's items from the route of pTarget (and the bar's own map).
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void SetBarStyle(DWORD dwStyle);
  // The sides this bar may dock at (CBRS_ALIGN_...); 0: never docked.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const { return m_pFloatFrame != nullptr; }
  BOOL IsVisible() const;
  BOOL IsHorz() const;
  CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
  CMiniDockFrameWnd* GetFloatingFrame() const { return m_pFloatFrame; }

  // Commands go to the bar's own map, then along its frame's route.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) override;

  // A docked bar with CBRS_GRIPPER has a gripper at its start (left, or top
  // down a side), by which it is dragged elsewhere.
  BOOL HasGripper() const;
  // The room the gripper takes along the bar.
  static const int kGripperSize = 8;

  // Every bar of a frame, in the order they were made.
  static std::vector<CControlBar*> BarsOf(const CFrameWnd* pFrame);

  CFrameWnd* m_pDockSite = nullptr;  // the frame the bar belongs to
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  UINT m_nDockBarID = 0;  // AFX_IDW_DOCKBAR_..., 0 while fixed in place
  int m_nDockRow = 0;     // row (column on the left and right) along its side
  int m_nDockPos = 0;     // place within the row, from the start of the side
  CMiniDockFrameWnd* m_pFloatFrame = nullptr;
  // Where the bar was docked before it floated (a double click docks it back).
  UINT m_nLastDockBarID = 0;
  int m_nLastDockRow = 0;
  int m_nLastDockPos = 0;
  BOOL m_bAutoDelete = FALSE;
  int m_cxLeftBorder = 2, m_cxRightBorder = 2, m_cyTopBorder = 2, m_cyBottomBorder = 2;

 protected:
  friend class CMiniDockFrameWnd;
  friend class CDockLayout;

  // Creation order; the frame lays fixed bars out in it.
  int m_nSerial = 0;

  // Binds to the frame that will hold it (parent, or the parent's frame).
  void AttachToFrame(CWnd* pParentWnd);
  void PostNcDestroy() override;
  void OnDestroy();
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnNcPaint();
  LRESULT OnNcHitTest(CPoint point);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  // The gripper in window coordinates.
  CRect GripperRect() const;

  DECLARE_MESSAGE_MAP()
};

// The small tool window that holds a floating bar. Its close box hides the
// bar; commands and notifications of the bar go on to the bar's frame.
class CMiniDockFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)
 public:
  BOOL Create(CControlBar* pBar, CPoint ptScreen, LPCSTR lpszTitle);
  // Fits the window around the bar.
  void RecalcLayout();
  CControlBar* m_pBar = nullptr;

 protected:
  void PostNcDestroy() override;
  void OnClose();
  void OnSize(UINT nType, int cx, int cy);
  // The caption drags the bar (to a side, or elsewhere afloat); a double
  // click docks it back.
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  DECLARE_MESSAGE_MAP()
};

// The frame side of docking: placing bars around the client area and
// keeping where they are in the profile. A frame forwards to these.
class CDockLayout {
 public:
  // Lays the frame's bars out inside rcClient and leaves the rest there.
  static void RepositionBars(CFrameWnd* pFrame, CRect& rcClient);
  static void DockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect);
  static void FloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint ptScreen);
  static void ShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow);
  static CControlBar* GetControlBar(const CFrameWnd* pFrame, UINT nID);
  // The profile section lpszProfileName gets one binary value per bar
  // ("Bar" and the bar's id): shown, side, row, place and floating point.
  static void SaveBarState(const CFrameWnd* pFrame, LPCSTR lpszProfileName);
  static void LoadBarState(CFrameWnd* pFrame, LPCSTR lpszProfileName);
};
