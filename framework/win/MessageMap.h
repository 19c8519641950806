// Message maps: each class that handles messages or commands has one static
// table of entries, and the table names its base class's table, which is
// searched next. An entry carries what it answers (a window message, a command
// id range with a notification code, an update-UI pass, a WM_NOTIFY code, or a
// notification reflected back to the control that sent it) and a small thunk
// that turns wParam/lParam into the handler's typed arguments.
//
//   BEGIN_MESSAGE_MAP(CMyView, CWnd)
//     ON_WM_PAINT()
//     ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
//     ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
//   END_MESSAGE_MAP()
//
// The thunks are lambdas written inside a member function of the class, so
// handlers may be protected or private.
#pragma once

#include "framework/win/Win32.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;

// The kinds of entry.
enum class MsgKind : unsigned char {
  Message,          // window message `message`
  Command,          // WM_COMMAND (menu, accelerator or control notification `code`), ids first..last
  UpdateCommandUI,  // update-UI pass for ids first..last
  Notify,           // WM_NOTIFY with `code` from a control with id first..last
  ReflectCommand,   // the control's own WM_COMMAND notification `code`, sent back by its parent
  ReflectNotify,    // the control's own WM_NOTIFY `code`
  ReflectMessage,   // a child-to-parent message (colours, scrolling, owner drawing) sent back
  End
};

// Command codes besides the control notification codes.
enum : int {
  CN_COMMAND = 0,             // a menu entry, accelerator or BN_CLICKED
  CN_UPDATE_COMMAND_UI = -1,  // pExtra is the CCmdUI
};

// Lookup key for all WM_CTLCOLORxxx messages; the handler gets CTLCOLOR_xxx.
#define WM_CTLCOLOR_ANY 0x0019

// One message on its way to a handler.
struct MessageCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
  UINT cmdId;   // command or control id
  int cmdCode;  // command or notification code
  void* extra;  // CCmdUI* for the update pass
};

// Returns whether the handler took the message (commands may decline).
typedef bool (*MessageThunk)(CCmdTarget* target, MessageCall& call);

struct MessageMapEntry {
  MsgKind kind;
  UINT message;
  int code;
  UINT firstId;
  UINT lastId;
  MessageThunk thunk;
};

struct MessageMap {
  const MessageMap* (*base)();  // null for the root
  const MessageMapEntry* entries;
};

// Wraps a control or window handle from a message into its object (defined in Wnd.cpp).
CWnd* BrivaneWndFromHandle(HWND hWnd);
CDC* BrivaneDCFromHandle(HDC hDC);
class CMenu;
CMenu* BrivaneMenuFromHandle(HMENU hMenu);

// The map macros open and close one table; formatting would break them.
// clang-format off
#define DECLARE_MESSAGE_MAP()                      \
 protected:                                        \
  static const MessageMap* GetThisMessageMap();    \
  virtual const MessageMap* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                                \
    using ThisClass [[maybe_unused]] = theClass;                                   \
    using TheBaseClass = baseClass;                                                \
    static const MessageMapEntry s_entries[] = {

#define END_MESSAGE_MAP()                                                   \
  {MsgKind::End, 0, 0, 0, 0, nullptr}                                      \
  };                                                                        \
  static const MessageMap s_map = {&TheBaseClass::GetThisMessageMap, s_entries}; \
  return &s_map;                                                            \
  }

// The body of an entry: `p` is the object, `c` the MessageCall.
#define BRIVANE_ENTRY(kind, msg, code, first, last, ...)                                   \
  {kind, (UINT)(msg), (int)(code), (UINT)(first), (UINT)(last),                          \
   [](CCmdTarget* t, MessageCall& c) -> bool {                                             \
     ThisClass* p = static_cast<ThisClass*>(t);                                            \
     (void)p;                                                                              \
     (void)c;                                                                              \
     __VA_ARGS__;                                                                          \
   }},
// clang-format on

#define BRIVANE_MSG(msg, ...) BRIVANE_ENTRY(MsgKind::Message, msg, 0, 0, 0, __VA_ARGS__; return true)
#define BRIVANE_HWND(l) BrivaneWndFromHandle((HWND)(l))
#define BRIVANE_X(l) ((int)(short)LOWORD(l))
#define BRIVANE_Y(l) ((int)(short)HIWORD(l))
#define BRIVANE_PT(l) CPoint(BRIVANE_X(l), BRIVANE_Y(l))

// Any message: LRESULT OnX(WPARAM, LPARAM).
#define ON_MESSAGE(msg, fn) BRIVANE_MSG(msg, c.result = p->fn(c.wParam, c.lParam))
#define ON_REGISTERED_MESSAGE(msgVar, fn) BRIVANE_MSG(msgVar, c.result = p->fn(c.wParam, c.lParam))

// Commands: void OnX(); ON_COMMAND_EX: BOOL OnX(UINT id), FALSE passes the command on.
#define ON_COMMAND(id, fn) BRIVANE_ENTRY(MsgKind::Command, 0, CN_COMMAND, id, id, p->fn(); return true)
#define ON_COMMAND_EX(id, fn) BRIVANE_ENTRY(MsgKind::Command, 0, CN_COMMAND, id, id, return p->fn(c.cmdId) != FALSE)
#define ON_COMMAND_RANGE(first, last, fn) \
  BRIVANE_ENTRY(MsgKind::Command, 0, CN_COMMAND, first, last, p->fn(c.cmdId); return true)
#define ON_COMMAND_EX_RANGE(first, last, fn) \
  BRIVANE_ENTRY(MsgKind::Command, 0, CN_COMMAND, first, last, return p->fn(c.cmdId) != FALSE)
// void OnUpdateX(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, fn)                                                                             \
  BRIVANE_ENTRY(MsgKind::UpdateCommandUI, 0, CN_UPDATE_COMMAND_UI, id, id, p->fn(static_cast<CCmdUI*>(c.extra)); \
                return true)
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)                                                                   \
  BRIVANE_ENTRY(MsgKind::UpdateCommandUI, 0, CN_UPDATE_COMMAND_UI, first, last, p->fn(static_cast<CCmdUI*>(c.extra)); \
                return true)

// Control notifications sent in WM_COMMAND: void OnX().
#define ON_CONTROL(code, id, fn) BRIVANE_ENTRY(MsgKind::Command, 0, code, id, id, p->fn(); return true)
#define ON_CONTROL_RANGE(code, first, last, fn) \
  BRIVANE_ENTRY(MsgKind::Command, 0, code, first, last, p->fn(c.cmdId); return true)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// WM_NOTIFY: void OnX(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, fn) \
  BRIVANE_ENTRY(MsgKind::Notify, 0, code, id, id, p->fn(reinterpret_cast<NMHDR*>(c.lParam), &c.result); return true)
#define ON_NOTIFY_RANGE(code, first, last, fn)                                                                        \
  BRIVANE_ENTRY(MsgKind::Notify, 0, code, first, last, p->fn(c.cmdId, reinterpret_cast<NMHDR*>(c.lParam), &c.result); \
                return true)

// Reflected to the control itself. ON_CONTROL_REFLECT: void OnX(); the parent
// does not see the notification. The _EX forms return BOOL: FALSE lets the
// parent handle it as well.
#define ON_CONTROL_REFLECT(code, fn) BRIVANE_ENTRY(MsgKind::ReflectCommand, 0, code, 0, 0, p->fn(); return true)
#define ON_CONTROL_REFLECT_EX(code, fn) BRIVANE_ENTRY(MsgKind::ReflectCommand, 0, code, 0, 0, return p->fn() != FALSE)
#define ON_NOTIFY_REFLECT(code, fn)                                                                          \
  BRIVANE_ENTRY(MsgKind::ReflectNotify, 0, code, 0, 0, p->fn(reinterpret_cast<NMHDR*>(c.lParam), &c.result); \
                return true)
#define ON_NOTIFY_REFLECT_EX(code, fn)                 \
  BRIVANE_ENTRY(MsgKind::ReflectNotify, 0, code, 0, 0, \
                return p->fn(reinterpret_cast<NMHDR*>(c.lParam), &c.result) != FALSE)
// HBRUSH CtlColor(CDC*, UINT nCtlColor); a null brush leaves the colours to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                             \
  BRIVANE_ENTRY(MsgKind::ReflectMessage, WM_CTLCOLOR_ANY, 0, 0, 0,                           \
                HBRUSH b = p->CtlColor(BrivaneDCFromHandle((HDC)c.wParam), (UINT)c.cmdCode); \
                c.result = (LRESULT)b; return b != nullptr)
// void HScroll(UINT nSBCode, UINT nPos) / VScroll
#define ON_WM_HSCROLL_REFLECT()                                                                               \
  BRIVANE_ENTRY(MsgKind::ReflectMessage, WM_HSCROLL, 0, 0, 0, p->HScroll(LOWORD(c.wParam), HIWORD(c.wParam)); \
                return true)
#define ON_WM_VSCROLL_REFLECT()                                                                               \
  BRIVANE_ENTRY(MsgKind::ReflectMessage, WM_VSCROLL, 0, 0, 0, p->VScroll(LOWORD(c.wParam), HIWORD(c.wParam)); \
                return true)
// void DrawItem(LPDRAWITEMSTRUCT) / MeasureItem(LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM_REFLECT()                                           \
  BRIVANE_ENTRY(MsgKind::ReflectMessage, WM_DRAWITEM, 0, 0, 0,             \
                p->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); \
                c.result = TRUE; return true)
#define ON_WM_MEASUREITEM_REFLECT()                                              \
  BRIVANE_ENTRY(MsgKind::ReflectMessage, WM_MEASUREITEM, 0, 0, 0,                \
                p->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); \
                c.result = TRUE; return true)

// Window messages with typed arguments.
#define ON_WM_CREATE() BRIVANE_MSG(WM_CREATE, c.result = p->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c.lParam)))
#define ON_WM_DESTROY() BRIVANE_MSG(WM_DESTROY, p->OnDestroy())
#define ON_WM_NCDESTROY() BRIVANE_MSG(WM_NCDESTROY, p->OnNcDestroy())
#define ON_WM_CLOSE() BRIVANE_MSG(WM_CLOSE, p->OnClose())
#define ON_WM_PAINT() BRIVANE_MSG(WM_PAINT, p->OnPaint())
#define ON_WM_NCPAINT() BRIVANE_MSG(WM_NCPAINT, p->OnNcPaint())
#define ON_WM_ERASEBKGND() BRIVANE_MSG(WM_ERASEBKGND, c.result = p->OnEraseBkgnd(BrivaneDCFromHandle((HDC)c.wParam)))
#define ON_WM_SIZE() BRIVANE_MSG(WM_SIZE, p->OnSize((UINT)c.wParam, BRIVANE_X(c.lParam), BRIVANE_Y(c.lParam)))
#define ON_WM_MOVE() BRIVANE_MSG(WM_MOVE, p->OnMove(BRIVANE_X(c.lParam), BRIVANE_Y(c.lParam)))
#define ON_WM_TIMER() BRIVANE_MSG(WM_TIMER, p->OnTimer((UINT_PTR)c.wParam))
#define ON_WM_HSCROLL() \
  BRIVANE_MSG(WM_HSCROLL, p->OnHScroll(LOWORD(c.wParam), HIWORD(c.wParam), BRIVANE_HWND(c.lParam)))
#define ON_WM_VSCROLL() \
  BRIVANE_MSG(WM_VSCROLL, p->OnVScroll(LOWORD(c.wParam), HIWORD(c.wParam), BRIVANE_HWND(c.lParam)))
#define ON_WM_MOUSEMOVE() BRIVANE_MSG(WM_MOUSEMOVE, p->OnMouseMove((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_LBUTTONDOWN() BRIVANE_MSG(WM_LBUTTONDOWN, p->OnLButtonDown((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_LBUTTONUP() BRIVANE_MSG(WM_LBUTTONUP, p->OnLButtonUp((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_LBUTTONDBLCLK() BRIVANE_MSG(WM_LBUTTONDBLCLK, p->OnLButtonDblClk((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_RBUTTONDOWN() BRIVANE_MSG(WM_RBUTTONDOWN, p->OnRButtonDown((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_RBUTTONUP() BRIVANE_MSG(WM_RBUTTONUP, p->OnRButtonUp((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_MBUTTONDOWN() BRIVANE_MSG(WM_MBUTTONDOWN, p->OnMButtonDown((UINT)c.wParam, BRIVANE_PT(c.lParam)))
// The wheel position arrives in screen coordinates.
#define ON_WM_MOUSEWHEEL()   \
  BRIVANE_MSG(WM_MOUSEWHEEL, \
              c.result = p->OnMouseWheel(LOWORD(c.wParam), (short)HIWORD(c.wParam), BRIVANE_PT(c.lParam)))
#define ON_WM_KEYDOWN() BRIVANE_MSG(WM_KEYDOWN, p->OnKeyDown((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_KEYUP() BRIVANE_MSG(WM_KEYUP, p->OnKeyUp((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_CHAR() BRIVANE_MSG(WM_CHAR, p->OnChar((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SYSKEYDOWN() \
  BRIVANE_MSG(WM_SYSKEYDOWN, p->OnSysKeyDown((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SYSCHAR() BRIVANE_MSG(WM_SYSCHAR, p->OnSysChar((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SETFOCUS() BRIVANE_MSG(WM_SETFOCUS, p->OnSetFocus(BRIVANE_HWND(c.wParam)))
#define ON_WM_KILLFOCUS() BRIVANE_MSG(WM_KILLFOCUS, p->OnKillFocus(BRIVANE_HWND(c.wParam)))
#define ON_WM_SETCURSOR() \
  BRIVANE_MSG(WM_SETCURSOR, c.result = p->OnSetCursor(BRIVANE_HWND(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_CTLCOLOR()                                                                             \
  BRIVANE_MSG(WM_CTLCOLOR_ANY, c.result = (LRESULT)p->OnCtlColor(BrivaneDCFromHandle((HDC)c.wParam), \
                                                                 BRIVANE_HWND(c.lParam), (UINT)c.cmdCode))
#define ON_WM_GETMINMAXINFO() BRIVANE_MSG(WM_GETMINMAXINFO, p->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c.lParam)))
#define ON_WM_CAPTURECHANGED() BRIVANE_MSG(WM_CAPTURECHANGED, p->OnCaptureChanged(BRIVANE_HWND(c.lParam)))
#define ON_WM_GETDLGCODE() BRIVANE_MSG(WM_GETDLGCODE, c.result = p->OnGetDlgCode())
#define ON_WM_SYSCOLORCHANGE() BRIVANE_MSG(WM_SYSCOLORCHANGE, p->OnSysColorChange())
#define ON_WM_SETTINGCHANGE() \
  BRIVANE_MSG(WM_SETTINGCHANGE, p->OnSettingChange((UINT)c.wParam, reinterpret_cast<LPCSTR>(c.lParam)))
#define ON_WM_SHOWWINDOW() BRIVANE_MSG(WM_SHOWWINDOW, p->OnShowWindow((BOOL)c.wParam, (UINT)c.lParam))
#define ON_WM_ENABLE() BRIVANE_MSG(WM_ENABLE, p->OnEnable((BOOL)c.wParam))
#define ON_WM_CONTEXTMENU() BRIVANE_MSG(WM_CONTEXTMENU, p->OnContextMenu(BRIVANE_HWND(c.wParam), BRIVANE_PT(c.lParam)))
#define ON_WM_DRAWITEM() \
  BRIVANE_MSG(WM_DRAWITEM, p->OnDrawItem((int)c.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                                     \
  BRIVANE_MSG(WM_MEASUREITEM, p->OnMeasureItem((int)c.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); \
              c.result = TRUE)
#define ON_WM_NCHITTEST() BRIVANE_MSG(WM_NCHITTEST, c.result = p->OnNcHitTest(BRIVANE_PT(c.lParam)))
#define ON_WM_NCCALCSIZE() \
  BRIVANE_MSG(WM_NCCALCSIZE, p->OnNcCalcSize((BOOL)c.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam)))
#define ON_WM_NCMOUSEMOVE() BRIVANE_MSG(WM_NCMOUSEMOVE, p->OnNcMouseMove((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_NCLBUTTONDOWN() BRIVANE_MSG(WM_NCLBUTTONDOWN, p->OnNcLButtonDown((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_CANCELMODE() BRIVANE_MSG(WM_CANCELMODE, p->OnCancelMode())
#define ON_WM_MOUSEACTIVATE()   \
  BRIVANE_MSG(WM_MOUSEACTIVATE, \
              c.result = p->OnMouseActivate(BRIVANE_HWND(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_ACTIVATE() \
  BRIVANE_MSG(WM_ACTIVATE, p->OnActivate(LOWORD(c.wParam), BRIVANE_HWND(c.lParam), (BOOL)HIWORD(c.wParam)))
#define ON_WM_INITMENUPOPUP()   \
  BRIVANE_MSG(WM_INITMENUPOPUP, \
              p->OnInitMenuPopup(BrivaneMenuFromHandle((HMENU)c.wParam), LOWORD(c.lParam), (BOOL)HIWORD(c.lParam)))
#define ON_WM_DROPFILES() BRIVANE_MSG(WM_DROPFILES, p->OnDropFiles((HDROP)c.wParam))
#define ON_WM_SETFONT() BRIVANE_MSG(WM_SETFONT, p->OnSetFont((HFONT)c.wParam, (BOOL)LOWORD(c.lParam)))
#define ON_WM_GETFONT() BRIVANE_MSG(WM_GETFONT, c.result = (LRESULT)p->OnGetFont())
#define ON_WM_MOUSELEAVE() BRIVANE_MSG(WM_MOUSELEAVE, p->OnMouseLeave())
#define ON_WM_WINDOWPOSCHANGED() \
  BRIVANE_MSG(WM_WINDOWPOSCHANGED, p->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(c.lParam)))
#define ON_WM_MBUTTONUP() BRIVANE_MSG(WM_MBUTTONUP, p->OnMButtonUp((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_RBUTTONDBLCLK() BRIVANE_MSG(WM_RBUTTONDBLCLK, p->OnRButtonDblClk((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_NCLBUTTONUP() BRIVANE_MSG(WM_NCLBUTTONUP, p->OnNcLButtonUp((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_NCLBUTTONDBLCLK() \
  BRIVANE_MSG(WM_NCLBUTTONDBLCLK, p->OnNcLButtonDblClk((UINT)c.wParam, BRIVANE_PT(c.lParam)))
#define ON_WM_MENUSELECT() \
  BRIVANE_MSG(WM_MENUSELECT, p->OnMenuSelect(LOWORD(c.wParam), HIWORD(c.wParam), (HMENU)c.lParam))
#define ON_WM_PARENTNOTIFY() BRIVANE_MSG(WM_PARENTNOTIFY, p->OnParentNotify((UINT)c.wParam, c.lParam))
#define ON_WM_NCACTIVATE() BRIVANE_MSG(WM_NCACTIVATE, c.result = p->OnNcActivate((BOOL)c.wParam))
#define ON_WM_WINDOWPOSCHANGING() \
  BRIVANE_MSG(WM_WINDOWPOSCHANGING, p->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(c.lParam)))
// For the MDI child being activated or deactivated: bActivate, the window
// activated and the one deactivated.
#define ON_WM_MDIACTIVATE()   \
  BRIVANE_MSG(WM_MDIACTIVATE, \
              p->OnMDIActivate((HWND)c.lParam == p->m_hWnd, BRIVANE_HWND(c.lParam), BRIVANE_HWND(c.wParam)))
#define ON_WM_ACTIVATEAPP() BRIVANE_MSG(WM_ACTIVATEAPP, p->OnActivateApp((BOOL)c.wParam, (DWORD)c.lParam))
#define ON_WM_CHILDACTIVATE() BRIVANE_MSG(WM_CHILDACTIVATE, p->OnChildActivate())
