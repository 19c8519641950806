// CWnd: a C++ object over one window handle. Constructing one costs nothing
// (no window, no system call); Create/CreateEx or subclassing binds it to a
// window. One map takes a handle to its bound object (FromHandlePermanent);
// the binding is made before the window's first message and removed before
// the object's last virtual call, at WM_NCDESTROY.
#pragma once

#include "framework/base/Rect.h"
#include "framework/base/String.h"
#include "framework/win/CmdTarget.h"

class CDC;
class CDataExchange;
class CFrameWnd;
class CFont;
class CMenu;
class CRgn;
struct CCreateContext;  // the document/view creation context, passed as lpCreateParams

// While alive, the next window created on this thread is bound to pWnd
// (through a creation hook, so that even the system's own window classes
// deliver their first message to the object).
class CWndCreationScope {
 public:
  explicit CWndCreationScope(CWnd* pWnd);
  ~CWndCreationScope();
  CWndCreationScope(const CWndCreationScope&) = delete;
  CWndCreationScope& operator=(const CWndCreationScope&) = delete;

 private:
  HHOOK m_hHook;
};

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd() = default;
  explicit CWnd(HWND hWnd);  // a wrapper that does not own or subclass hWnd
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  // The handle of pWnd, null for a null pointer.
  static HWND HwndOf(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }

  // The object bound to hWnd, or null: the one lookup of the handle map.
  static CWnd* FromHandlePermanent(HWND hWnd);
  // The bound object, or a temporary wrapper freed at the next idle time.
  static CWnd* FromHandle(HWND hWnd);
  static void DeleteTempMap();

  // Binds without subclassing (messages keep going to the window's own procedure).
  BOOL Attach(HWND hWnd);
  HWND Detach();

  // Routes the window's messages through this object's message map.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Creation. The object is bound before the first message reaches the window.
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                      UINT nID, CCreateContext* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth,
                int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A notification or child message sent back by the parent; TRUE when taken.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Sends the message being processed to the child hWndChild's OnChildNotify.
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  // Set-up of a window that was just subclassed or created by CreateEx.
  virtual void PreSubclassWindow() {}
  virtual void PostNcDestroy() {}
  // The message now being processed and its default processing.
  static const MSG* GetCurrentMessage();
  LRESULT Default();
  // Gives hWnd and each parent up to hWndStop a chance to translate pMsg.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

  // Modal loops (dialogs, popups): runs until EndModalLoop.
  int RunModalLoop(DWORD dwFlags = 0);
  virtual BOOL ContinueModal() { return m_bInModalLoop; }
  virtual void EndModalLoop(int nResult);

  // Data exchange between the object's values and its child controls:
  // bSaveAndValidate reads the controls (and validates), else fills them.
  // FALSE when a value was refused (the refusal was shown to the user).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX) {}
  // Fills combo boxes and list boxes with the items that the resource of
  // type RT_DLGINIT_ID and name lpszResourceName lists. FALSE on a bad resource.
  BOOL ExecuteDlgInit(LPCSTR lpszResourceName);

  // Command update of child controls (dialog bars, dialogs in WM_KICKIDLE).
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }

  // Styles and identity.
  DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return (int)::SetWindowLongA(m_hWnd, GWL_ID, nID); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, HwndOf(pWnd)); }

  // Text and font.
  void SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
  }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;

  // Geometry.
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, HwndOf(pwndTo), lpPoint, nCount);
  }
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, HwndOf(pwndTo), (LPPOINT)lpRect, 2);
  }
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
  }
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
  }
  // pWndInsertAfter: a window, or &wndTop, &wndBottom, &wndTopMost, &wndNoTopMost.
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
  }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
  int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

  // Painting.
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
  }

  // Relatives and children.
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, HwndOf(pWndNewParent))); }
  CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
  CWnd* GetTopLevelParent() const;
  // The nearest frame window among the parents, or null.
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, HwndOf(pWndCtl), bPrevious));
  }
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, HwndOf(pWndCtl), bPrevious));
  }
  CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
  static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  void SetDlgItemText(int nID, LPCSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) {
    ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
  }
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
  }

  // Menus.
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL bRevert) const;

  // Timers.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

  // Scroll bars.
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
  }
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
  int GetScrollLimit(int nBar) const;
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
  BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) {
    return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
  }

  // Capture, focus, activation, cursor.
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName) {
    return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
  }
  void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
  HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
    return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
  }
  HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL); }

  // The message box of this window, through the framework's message-box hook.
  int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // The window procedure of every bound window.
  static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  // For the temporary-object map: a wrapper that neither binds nor owns.
  void AttachTemporary(HWND hWnd) { m_hWnd = hWnd; }
  void DetachTemporary() { m_hWnd = nullptr; }

 protected:
  // Default handlers: each gives the message its default processing; an
  // override that wants it calls the base handler.
  int OnCreate(LPCREATESTRUCT lpCreateStruct) { return (int)Default(); }
  void OnDestroy() { Default(); }
  void OnNcDestroy() { Default(); }
  void OnClose() { Default(); }
  void OnPaint() { Default(); }
  void OnNcPaint() { Default(); }
  BOOL OnEraseBkgnd(CDC* pDC) { return (BOOL)Default(); }
  void OnSize(UINT nType, int cx, int cy) { Default(); }
  void OnMove(int x, int y) { Default(); }
  void OnTimer(UINT_PTR nIDEvent) { Default(); }
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
  void OnMouseMove(UINT nFlags, CPoint point) { Default(); }
  void OnLButtonDown(UINT nFlags, CPoint point) { Default(); }
  void OnLButtonUp(UINT nFlags, CPoint point) { Default(); }
  void OnLButtonDblClk(UINT nFlags, CPoint point) { Default(); }
  void OnRButtonDown(UINT nFlags, CPoint point) { Default(); }
  void OnRButtonUp(UINT nFlags, CPoint point) { Default(); }
  void OnMButtonDown(UINT nFlags, CPoint point) { Default(); }
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return (BOOL)Default(); }
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
  void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
  void OnSetFocus(CWnd* pOldWnd) { Default(); }
  void OnKillFocus(CWnd* pNewWnd) { Default(); }
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { return (BOOL)Default(); }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { Default(); }
  void OnCaptureChanged(CWnd* pWnd) { Default(); }
  UINT OnGetDlgCode() { return (UINT)Default(); }
  void OnSysColorChange() { Default(); }
  void OnSettingChange(UINT uFlags, LPCSTR lpszSection) { Default(); }
  void OnShowWindow(BOOL bShow, UINT nStatus) { Default(); }
  void OnEnable(BOOL bEnable) { Default(); }
  void OnContextMenu(CWnd* pWnd, CPoint pos) { Default(); }
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  LRESULT OnNcHitTest(CPoint point) { return Default(); }
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { Default(); }
  void OnNcMouseMove(UINT nHitTest, CPoint point) { Default(); }
  void OnNcLButtonDown(UINT nHitTest, CPoint point) { Default(); }
  void OnCancelMode() { Default(); }
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) { return (int)Default(); }
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) { Default(); }
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) { Default(); }
  void OnDropFiles(HDROP hDropInfo) { Default(); }
  void OnSetFont(HFONT hFont, BOOL bRedraw) { Default(); }
  HFONT OnGetFont() { return (HFONT)Default(); }
  void OnMouseLeave() { Default(); }
  void OnWindowPosChanged(WINDOWPOS* lpwndpos) { Default(); }
  void OnMButtonUp(UINT nFlags, CPoint point) { Default(); }
  void OnRButtonDblClk(UINT nFlags, CPoint point) { Default(); }
  void OnNcLButtonUp(UINT nHitTest, CPoint point) { Default(); }
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { Default(); }
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) { Default(); }
  void OnParentNotify(UINT message, LPARAM lParam) { Default(); }
  BOOL OnNcActivate(BOOL bActive) { return (BOOL)Default(); }
  void OnWindowPosChanging(WINDOWPOS* lpwndpos) { Default(); }
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) { Default(); }
  void OnActivateApp(BOOL bActive, DWORD dwThreadID) { Default(); }
  void OnChildActivate() { Default(); }

  WNDPROC m_pfnSuper = nullptr;  // the procedure a subclassed window had
  int m_nModalResult = -1;
  BOOL m_bInModalLoop = FALSE;

  DECLARE_MESSAGE_MAP()

 private:
  friend class CWndBinding;
  // Handles the last message of a bound window: unbinds, then PostNcDestroy.
  void HandleNcDestroy();
};
