// Windows and message maps: binding, typed handler arguments, map chaining,
// reflection, timers, private messages and the end of a window's life.
#include "framework/win/WindowTest.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/Point.h"
#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WaitCursor.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

const UINT WM_PRIVATE = WM_USER + 10;

class CProbeWnd : public CWnd {
 public:
  ~CProbeWnd() override { ++s_destroyed; }

  BOOL CreateTop() {
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    return CreateEx(0, cls, "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr);
  }

  static int s_destroyed;
  bool m_boundAtCreate = false;
  int m_sizeCx = -1, m_sizeCy = -1;
  CPoint m_click;
  int m_timerTicks = 0;
  WPARAM m_privateW = 0;
  LPARAM m_privateL = 0;
  int m_onDestroyCalls = 0;
  int m_baseOnly = 0;
  bool m_throw = false;

 protected:
  int OnCreate(LPCREATESTRUCT cs) {
    m_boundAtCreate = FromHandlePermanent(m_hWnd) == this;
    return CWnd::OnCreate(cs);
  }
  void OnSize(UINT, int cx, int cy) {
    m_sizeCx = cx;
    m_sizeCy = cy;
  }
  void OnLButtonDown(UINT, CPoint point) {
    m_click = point;
    if (m_throw)
      throw std::runtime_error("handler failed");
  }
  void OnTimer(UINT_PTR nID) {
    if (nID == 7)
      ++m_timerTicks;
  }
  LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
    m_privateW = wParam;
    m_privateL = lParam;
    return 99;
  }
  void OnDestroy() { ++m_onDestroyCalls; }
  void OnRButtonDown(UINT, CPoint) { ++m_baseOnly; }

  DECLARE_MESSAGE_MAP()
};

int CProbeWnd::s_destroyed = 0;

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(WM_PRIVATE, OnPrivate)
END_MESSAGE_MAP()

// A derived class: its own entry for WM_SIZE wins; WM_RBUTTONDOWN falls to the base map.
class CDerivedProbe : public CProbeWnd {
 public:
  int m_derivedSize = 0;

 protected:
  void OnSize(UINT, int, int) { ++m_derivedSize; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

// Deletes itself when its window goes.
class CSelfDeleting : public CProbeWnd {
 protected:
  void PostNcDestroy() override { delete this; }
};

using WndTest = WindowTest;

TEST_F(WndTest, ObjectIsBoundBeforeCreateAndHandlersGetTypedArguments) {
  CProbeWnd wnd;
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  ASSERT_TRUE(wnd.CreateTop());
  EXPECT_TRUE(wnd.m_boundAtCreate);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

  ::SendMessageA(wnd.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
  EXPECT_EQ(wnd.m_sizeCx, 123);
  EXPECT_EQ(wnd.m_sizeCy, 45);

  // Positions left of or above the window arrive as negative numbers.
  ::SendMessageA(wnd.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7));
  EXPECT_EQ(wnd.m_click.x, -5);
  EXPECT_EQ(wnd.m_click.y, 7);
}

TEST_F(WndTest, PrivateMessagePostedReachesItsHandler) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  ASSERT_TRUE(wnd.PostMessage(WM_PRIVATE, 17, 0x12345));
  ASSERT_TRUE(PumpUntil([&] { return wnd.m_privateW != 0; }));
  EXPECT_EQ(wnd.m_privateW, 17u);
  EXPECT_EQ(wnd.m_privateL, 0x12345);
  EXPECT_EQ(wnd.SendMessage(WM_PRIVATE, 1, 2), 99);
}

TEST_F(WndTest, TimerFiresIntoOnTimer) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  ASSERT_EQ(wnd.SetTimer(7, 10), 7u);
  ASSERT_TRUE(PumpUntil([&] { return wnd.m_timerTicks >= 2; }));
  wnd.KillTimer(7);
}

TEST_F(WndTest, DerivedMapWinsAndBaseMapIsSearchedNext) {
  CDerivedProbe wnd;
  ASSERT_TRUE(wnd.CreateTop());
  int before = wnd.m_derivedSize;
  wnd.SendMessage(WM_SIZE, 0, MAKELPARAM(50, 60));
  EXPECT_EQ(wnd.m_derivedSize, before + 1);
  EXPECT_NE(wnd.m_sizeCx, 50);  // the base handler was not called
  wnd.SendMessage(WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(wnd.m_baseOnly, 1);
}

TEST_F(WndTest, SelfDeletingWindowIsDeletedExactlyOnce) {
  CProbeWnd::s_destroyed = 0;
  CSelfDeleting* wnd = new CSelfDeleting;
  ASSERT_TRUE(wnd->CreateTop());
  HWND hWnd = wnd->m_hWnd;
  ::DestroyWindow(hWnd);
  EXPECT_EQ(CProbeWnd::s_destroyed, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(WndTest, DeletingTheObjectFirstNeverCallsItsHandlers) {
  CProbeWnd* wnd = new CProbeWnd;
  ASSERT_TRUE(wnd->CreateTop());
  HWND hWnd = wnd->m_hWnd;
  int* destroyCalls = &wnd->m_onDestroyCalls;
  (void)destroyCalls;
  CProbeWnd::s_destroyed = 0;
  delete wnd;
  EXPECT_EQ(CProbeWnd::s_destroyed, 1);
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(WndTest, ExceptionInHandlerIsReportedAndWindowSurvives) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  wnd.m_throw = true;
  ::SendMessageA(wnd.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
  ASSERT_EQ(m_messageBoxes.size(), 1u);
  EXPECT_NE(m_messageBoxes[0].type & MB_ICONSTOP, 0u);
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
  wnd.m_throw = false;
  ::SendMessageA(wnd.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4));
  EXPECT_EQ(wnd.m_click.x, 3);
}

TEST_F(WndTest, TemporaryWrapperIsSharedUntilIdleAndNeverOwnsTheWindow) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  HWND hEdit = ::CreateWindowExA(0, "EDIT", "abc", WS_CHILD, 0, 0, 50, 20, wnd.m_hWnd, (HMENU)5, nullptr, nullptr);
  CWnd* p1 = wnd.GetDlgItem(5);
  CWnd* p2 = CWnd::FromHandle(hEdit);
  EXPECT_EQ(p1, p2);
  EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
  CString text;
  p1->GetWindowText(text);
  EXPECT_STREQ(text, "abc");
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsWindow(hEdit));  // freeing the wrapper leaves the window alone
}

// A button that takes its own click.
class CReflectButton : public CButton {
 public:
  int m_clicks = 0;
  BOOL m_passOn = FALSE;
  HBRUSH m_brush = (HBRUSH)::GetStockObject(GRAY_BRUSH);

 protected:
  BOOL OnClicked() {
    ++m_clicks;
    return !m_passOn;
  }
  HBRUSH CtlColor(CDC*, UINT) { return m_brush; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CProbeWnd {
 public:
  int m_parentClicks = 0;
  int m_notifies = 0;
  UINT m_rangeId = 0;

 protected:
  void OnButton() { ++m_parentClicks; }
  void OnCustomNotify(NMHDR* pNMHDR, LRESULT* pResult) {
    ++m_notifies;
    *pResult = 5;
  }
  void OnRange(UINT nID) { m_rangeId = nID; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CProbeWnd)
  ON_BN_CLICKED(21, OnButton)
  ON_NOTIFY(NM_CLICK, 22, OnCustomNotify)
  ON_COMMAND_RANGE(30, 35, OnRange)
END_MESSAGE_MAP()

TEST_F(WndTest, ControlTakesItsReflectedNotificationOrPassesItOn) {
  CParentWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  CReflectButton button;
  ASSERT_TRUE(button.Create("Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &parent, 21));

  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.m_clicks, 1);
  EXPECT_EQ(parent.m_parentClicks, 0);

  button.m_passOn = TRUE;
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.m_clicks, 2);
  EXPECT_EQ(parent.m_parentClicks, 1);

  // The colour request of the control is answered by the control.
  CClientDC dc(&button);
  LRESULT brush = parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.m_hDC, (LPARAM)button.m_hWnd);
  EXPECT_EQ((HBRUSH)brush, button.m_brush);
}

TEST_F(WndTest, NotifyAndCommandRangeReachTheirHandlers) {
  CParentWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  NMHDR hdr = {nullptr, 22, (UINT)NM_CLICK};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 22, (LPARAM)&hdr), 5);
  EXPECT_EQ(parent.m_notifies, 1);
  hdr.idFrom = 23;  // no entry for this control
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 23, (LPARAM)&hdr), 0);
  EXPECT_EQ(parent.m_notifies, 1);

  parent.SendMessage(WM_COMMAND, 33);
  EXPECT_EQ(parent.m_rangeId, 33u);
  parent.SendMessage(WM_COMMAND, 36);
  EXPECT_EQ(parent.m_rangeId, 33u);
}

TEST_F(WndTest, SubclassedSystemControlKeepsItsBehaviour) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  HWND hEdit =
      ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent.m_hWnd, (HMENU)8, nullptr, nullptr);
  CEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(8, &parent));
  edit.SetWindowText("hello");
  edit.SetSel(1, 3);
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 3);
  EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
  EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
  EXPECT_EQ(TextOf(hEdit), "hello");
}

// Counts its set-ups; an edit made in code is set up as one attached to a dialog item is.
class CSetUpEdit : public CEdit {
 public:
  int m_nSetUps = 0;

 protected:
  void PreSubclassWindow() override {
    ++m_nSetUps;
    ModifyStyle(0, ES_UPPERCASE);
  }
};

TEST_F(WndTest, WindowsMadeInCodeAreSetUpLikeAttachedOnes) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  CSetUpEdit made;
  ASSERT_TRUE(made.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 9));
  ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, parent.m_hWnd, (HMENU)10, nullptr, nullptr);
  CSetUpEdit attached;
  ASSERT_TRUE(attached.SubclassDlgItem(10, &parent));
  for (CSetUpEdit* edit : {&made, &attached}) {
    EXPECT_EQ(1, edit->m_nSetUps);
    PostChars(edit->m_hWnd, "ab");
    EXPECT_EQ("AB", TextOf(edit->m_hWnd));
  }
}

TEST_F(WndTest, WinExecGoesThroughItsSeam) {
  EXPECT_EQ(33u, AfxWinExec("browser.exe http://x.example/", SW_SHOW));
  EXPECT_EQ(std::vector<std::string>{"browser.exe http://x.example/"}, m_winExecCalls);
}

// Every typed message entry, each with the default handler: the window must
// behave exactly like a plain one.
class CEveryMessageWnd : public CWnd {
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEveryMessageWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_WM_CLOSE()
  ON_WM_PAINT()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_TIMER()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_MBUTTONDOWN()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_CHAR()
  ON_WM_SYSKEYDOWN()
  ON_WM_SYSCHAR()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_SETCURSOR()
  ON_WM_CTLCOLOR()
  ON_WM_GETMINMAXINFO()
  ON_WM_CAPTURECHANGED()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_SHOWWINDOW()
  ON_WM_ENABLE()
  ON_WM_CONTEXTMENU()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_NCMOUSEMOVE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_CANCELMODE()
  ON_WM_MOUSEACTIVATE()
  ON_WM_ACTIVATE()
  ON_WM_INITMENUPOPUP()
  ON_WM_DROPFILES()
  ON_WM_SETFONT()
  ON_WM_GETFONT()
  ON_WM_MOUSELEAVE()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_MBUTTONUP()
  ON_WM_RBUTTONDBLCLK()
  ON_WM_NCLBUTTONUP()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_MENUSELECT()
  ON_WM_PARENTNOTIFY()
  ON_WM_NCACTIVATE()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_MDIACTIVATE()
  ON_WM_ACTIVATEAPP()
  ON_WM_CHILDACTIVATE()
END_MESSAGE_MAP()

TEST_F(WndTest, DefaultHandlersBehaveLikeThePlainWindow) {
  CEveryMessageWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Every", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL, 20, 20, 200, 150,
                           nullptr, nullptr));
  wnd.MoveWindow(30, 40, 220, 160);
  CRect rc;
  wnd.GetWindowRect(&rc);
  EXPECT_EQ(rc.Width(), 220);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_LT(client.Width(), 220);  // the frame and the scroll bar take their share
  wnd.SetWindowText("renamed");
  CString text;
  wnd.GetWindowText(text);
  EXPECT_STREQ(text, "renamed");
  POINT center = {rc.left + rc.Width() / 2, rc.top + rc.Height() / 2};
  EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(center.x, center.y)), HTCLIENT);
  EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.right - 5, center.y)), HTVSCROLL);
  HWND hChild =
      ::CreateWindowExA(0, "EDIT", "x", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, wnd.m_hWnd, (HMENU)4, nullptr, nullptr);
  EXPECT_NE(hChild, nullptr);
  wnd.UpdateWindow();
  wnd.ShowWindow(SW_HIDE);
  EXPECT_FALSE(wnd.IsWindowVisible());
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_FALSE(::IsWindow(hChild));
}

// Drags a rubber band: capture on press, follow, release.
class CDragWnd : public CWnd {
 public:
  CPoint m_start, m_end;
  int m_moves = 0;
  bool m_shift = false;

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point) {
    m_start = point;
    m_shift = (nFlags & MK_SHIFT) != 0 && (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    SetCapture();
  }
  void OnMouseMove(UINT nFlags, CPoint point) {
    if (GetCapture() == this)
      ++m_moves;
  }
  void OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() != this)
      return;
    ::ReleaseCapture();
    m_end = point;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDragWnd, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

TEST_F(WndTest, DragIsDeliveredAsPressMovesAndRelease) {
  CDragWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Drag", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  PostDrag(wnd.m_hWnd, CPoint(10, 20), CPoint(110, 70), 5, MK_SHIFT);
  EXPECT_EQ(wnd.m_start, CPoint(10, 20));
  EXPECT_EQ(wnd.m_end, CPoint(110, 70));
  EXPECT_EQ(wnd.m_moves, 5);
  EXPECT_TRUE(wnd.m_shift);
  EXPECT_EQ(::GetCapture(), nullptr);
}

WNDPROC g_pfnBelowTop = nullptr;
LRESULT CALLBACK TopProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_pfnBelowTop, hWnd, message, wParam, lParam);
}

TEST_F(WndTest, ControlKeepsItsBehaviourWhenUnboundUnderAnotherSubclass) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateTop());
  HWND hEdit =
      ::CreateWindowExA(0, "EDIT", "abcdef", WS_CHILD, 0, 0, 80, 20, parent.m_hWnd, (HMENU)9, nullptr, nullptr);
  {
    CEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(9, &parent));
    // Something else (a tooltip, say) subclasses the control on top of us.
    g_pfnBelowTop = (WNDPROC)::SetWindowLongPtrA(hEdit, GWLP_WNDPROC, (LONG_PTR)&TopProc);
    ASSERT_TRUE(edit.SubclassDlgItem(9, &parent) == FALSE);  // already bound
    edit.UnsubclassWindow();
    CEdit again;
    ASSERT_TRUE(again.SubclassDlgItem(9, &parent));
    ::SendMessageA(hEdit, EM_SETSEL, 1, 3);
    int start = 0, end = 0;
    again.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    again.UnsubclassWindow();
  }
  // The edit control's own procedure still answers.
  ::SendMessageA(hEdit, EM_SETSEL, 2, 4);
  DWORD sel = (DWORD)::SendMessageA(hEdit, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(sel), 2);
  EXPECT_EQ(HIWORD(sel), 4);
  ::DestroyWindow(hEdit);
}

TEST_F(WndTest, WaitCursorShowsForItsScopeAndPutsTheOldOneBack) {
  const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
  ::SetCursor(arrow);
  {
    CWaitCursor wait;
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
  }
  EXPECT_EQ(::GetCursor(), arrow);
}

}  // namespace
