#include "framework/win/Wnd.h"

#include <unordered_map>

#include "framework/base/Exception.h"

#include "framework/win/CmdUI.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/HandleMap.h"
#include "framework/win/Menu.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

std::unordered_map<HWND, CWnd*>& BoundWindows() {
  static std::unordered_map<HWND, CWnd*> s_map;
  return s_map;
}

CTempHandleMap<HWND, CWnd>& TemporaryWindows() {
  static CTempHandleMap<HWND, CWnd> s_map;
  return s_map;
}

// The message being processed, for Default and ReflectLastMsg.
MSG g_msgCur = {};

// The object that CreateEx is creating; the creation hook binds it to the
// first window created on this thread, before that window's first message.
CWnd* g_pWndInit = nullptr;

// Windows whose object went while another procedure was chained in front of
// ours: their messages still pass through StdWndProc, which hands them to
// the procedure the window had before it was bound.
std::unordered_map<HWND, WNDPROC>& OrphanedWindows() {
  static std::unordered_map<HWND, WNDPROC> s_map;
  return s_map;
}

// The input method window that the system may create with a thread's first
// window is never the window being created.
bool IsInputMethodWindow(HWND hWnd) {
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof(cls));
  return lstrcmpiA(cls, "IME") == 0;
}

}  // namespace

// Binding and unbinding of handles, the only writers of the handle map.
class CWndBinding {
 public:
  static void Bind(CWnd* pWnd, HWND hWnd, bool bSubclass) {
    pWnd->m_hWnd = hWnd;
    BoundWindows()[hWnd] = pWnd;
    auto orphan = OrphanedWindows().find(hWnd);
    if (orphan != OrphanedWindows().end()) {
      // StdWndProc is still in the window's chain: take up its old place.
      if (bSubclass)
        pWnd->m_pfnSuper = orphan->second;
      OrphanedWindows().erase(orphan);
      return;
    }
    if (bSubclass) {
      WNDPROC old = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CWnd::StdWndProc);
      if (old != &CWnd::StdWndProc)
        pWnd->m_pfnSuper = old;
    }
  }

  static void Unbind(CWnd* pWnd) {
    HWND hWnd = pWnd->m_hWnd;
    if (hWnd == nullptr)
      return;
    auto it = BoundWindows().find(hWnd);
    if (it != BoundWindows().end() && it->second == pWnd)
      BoundWindows().erase(it);
    if (pWnd->m_pfnSuper != nullptr) {
      if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == &CWnd::StdWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
      else
        OrphanedWindows()[hWnd] = pWnd->m_pfnSuper;  // someone subclassed on top of us
      pWnd->m_pfnSuper = nullptr;
    }
  }

  static LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && g_pWndInit != nullptr && !IsInputMethodWindow((HWND)wParam)) {
      CWnd* pWnd = g_pWndInit;
      g_pWndInit = nullptr;
      Bind(pWnd, (HWND)wParam, true);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
  }
};

CWndCreationScope::CWndCreationScope(CWnd* pWnd) {
  g_pWndInit = pWnd;
  m_hHook = ::SetWindowsHookExA(WH_CBT, &CWndBinding::CreationHook, nullptr, ::GetCurrentThreadId());
}

CWndCreationScope::~CWndCreationScope() {
  ::UnhookWindowsHookEx(m_hHook);
  g_pWndInit = nullptr;  // creation that failed before any window existed
}

CWnd* BrivaneWndFromHandle(HWND hWnd) {
  return CWnd::FromHandle(hWnd);
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
  // Unbind first, so that the messages of the destruction below go to the
  // window's own procedure and never to this half-destroyed object.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
    HWND hWnd = m_hWnd;
    CWndBinding::Unbind(this);
    m_hWnd = nullptr;
    if (::IsWindow(hWnd))
      ::DestroyWindow(hWnd);
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == nullptr)
    return nullptr;
  auto it = BoundWindows().find(hWnd);
  return it != BoundWindows().end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  CWnd* pWnd = FromHandlePermanent(hWnd);
  return pWnd != nullptr ? pWnd : TemporaryWindows().Lookup(hWnd);
}

void CWnd::DeleteTempMap() {
  TemporaryWindows().DeleteAll();
}

BOOL CWnd::Attach(HWND hWnd) {
  if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
    return FALSE;
  CWndBinding::Bind(this, hWnd, false);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  CWndBinding::Unbind(this);
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
    return FALSE;
  CWndBinding::Bind(this, hWnd, true);
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndItem = ::GetDlgItem(HwndOf(pParent), (int)nID);
  return hWndItem != nullptr && SubclassWindow(hWndItem);
}

HWND CWnd::UnsubclassWindow() {
  return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  // A window without a class of its own gets the framework's plain one.
  if (cs.lpszClass == nullptr)
    cs.lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, HwndOf(pParentWnd), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd != nullptr)
    return FALSE;  // one object, one window
  CREATESTRUCT cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND hWnd;
  {
    CWndCreationScope scope(this);
    hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                             cs.hMenu, cs.hInstance, cs.lpCreateParams);
  }
  // A window whose WM_CREATE failed is already gone, and PostNcDestroy ran.
  if (hWnd == nullptr || m_hWnd != hWnd)
    return FALSE;
  // A control made in code is set up as one attached to a dialog item is.
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr)
    return FALSE;
  HWND hWnd = m_hWnd;
  if (FromHandlePermanent(hWnd) == this)
    return ::DestroyWindow(hWnd);
  // A wrapper that is not bound: the window goes, the wrapper stays empty.
  BOOL ok = ::DestroyWindow(hWnd);
  m_hWnd = nullptr;
  return ok;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandlePermanent(hWnd);
  if (pWnd == nullptr) {
    auto it = OrphanedWindows().find(hWnd);
    if (it == OrphanedWindows().end())
      return ::DefWindowProcA(hWnd, message, wParam, lParam);
    WNDPROC pfnOld = it->second;
    if (message == WM_NCDESTROY)
      OrphanedWindows().erase(it);
    return ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
  }
  MSG saved = g_msgCur;
  g_msgCur.hwnd = hWnd;
  g_msgCur.message = message;
  g_msgCur.wParam = wParam;
  g_msgCur.lParam = lParam;
  LRESULT result = 0;
  // No exception may cross the system's code between here and the message loop.
  try {
    result = pWnd->WindowProc(message, wParam, lParam);
  } catch (CException* e) {
    e->ReportError(MB_ICONSTOP);
    e->Delete();
  } catch (...) {
    AfxReportUnhandledException();
  }
  if (message == WM_NCDESTROY)
    pWnd->HandleNcDestroy();
  g_msgCur = saved;
  return result;
}

void CWnd::HandleNcDestroy() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) {
    // The end of the main window ends the program's message loop.
    pApp->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  CWndBinding::Unbind(this);
  m_hWnd = nullptr;
  PostNcDestroy();  // may delete this
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result))
    result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr)
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage() {
  return &g_msgCur;
}

LRESULT CWnd::Default() {
  return DefWindowProc(g_msgCur.message, g_msgCur.wParam, g_msgCur.lParam);
}

// The control a child-to-parent message came from, or null.
static HWND ReflectionSource(HWND hWndSelf, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return (HWND)lParam != hWndSelf ? (HWND)lParam : nullptr;
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* p = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return wParam != 0 && p->CtlType != ODT_MENU ? p->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      const MEASUREITEMSTRUCT* p = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return wParam != 0 && p->CtlType != ODT_MENU ? ::GetDlgItem(hWndSelf, (int)wParam) : nullptr;
    }
    case WM_DELETEITEM:
      return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
      return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    default:
      return nullptr;
  }
}

static BOOL SendToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
  return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam))
      return FALSE;
    *pResult = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    LRESULT result = 0;
    if (!OnNotify(wParam, lParam, &result))
      return FALSE;
    *pResult = result;
    return TRUE;
  }
  if (message == WM_PRINTCLIENT) {
    // The paint handler draws into the DC of the message (a bitmap, a printer).
    const MessageMapEntry* e = FindMessageEntry(MsgKind::Message, WM_PAINT, 0, 0);
    if (e == nullptr)
      return FALSE;
    if (lParam & PRF_ERASEBKGND)
      ::SendMessageA(m_hWnd, WM_ERASEBKGND, wParam, 0);
    CPaintDC::CPrintClientScope scope(m_hWnd, (HDC)wParam);
    MessageCall call = {WM_PAINT, 0, 0, 0, 0, 0, nullptr};
    CallEntry(*e, call);
    *pResult = 0;
    return TRUE;
  }
  UINT key = message;
  int code = 0;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    key = WM_CTLCOLOR_ANY;
    code = (int)(message - WM_CTLCOLORMSGBOX);
  }
  if (const MessageMapEntry* e = FindMessageEntry(MsgKind::Message, key, 0, 0)) {
    MessageCall call = {message, wParam, lParam, 0, 0, code, nullptr};
    CallEntry(*e, call);
    *pResult = call.result;
    return TRUE;
  }
  // Without a handler here, a control's message goes back to the control first.
  HWND hWndChild = ReflectionSource(m_hWnd, message, wParam, lParam);
  return hWndChild != nullptr && SendToChild(hWndChild, message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  return SendToChild(hWndChild, g_msgCur.message, g_msgCur.wParam, g_msgCur.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const MessageMapEntry* e = nullptr;
  MessageCall call = {message, wParam, lParam, 0, 0, 0, nullptr};
  if (message == WM_COMMAND) {
    call.cmdCode = HIWORD(wParam);
    e = FindMessageEntry(MsgKind::ReflectCommand, 0, call.cmdCode, 0);
  } else if (message == WM_NOTIFY) {
    call.cmdCode = (int)reinterpret_cast<const NMHDR*>(lParam)->code;
    e = FindMessageEntry(MsgKind::ReflectNotify, 0, call.cmdCode, 0);
  } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    call.cmdCode = (int)(message - WM_CTLCOLORMSGBOX);
    e = FindMessageEntry(MsgKind::ReflectMessage, WM_CTLCOLOR_ANY, 0, 0);
  } else {
    e = FindMessageEntry(MsgKind::ReflectMessage, message, 0, 0);
  }
  if (e == nullptr || !CallEntry(*e, call))
    return FALSE;
  if (pResult != nullptr)
    *pResult = call.result;
  return TRUE;
}

// Records what the update pass decides about one command, without a menu or control.
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCSTR) override {}
  BOOL m_bEnabled = TRUE;
};

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = (HWND)lParam;
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    if (nCode == 1) {
      // An accelerator runs its command only while the update pass enables it.
      CTestCmdUI state;
      state.m_nID = nID;
      state.DoUpdate(this, TRUE);
      if (!state.m_bEnabled)
        return TRUE;
    }
    nCode = CN_COMMAND;
  } else if (SendToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) {
    return TRUE;  // the control took its own notification
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR == nullptr)
    return FALSE;
  if (SendToChild(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
    return TRUE;
  const MessageMapEntry* e = FindMessageEntry(MsgKind::Notify, 0, (int)pNMHDR->code, (UINT)pNMHDR->idFrom);
  if (e == nullptr)
    return FALSE;
  MessageCall call = {WM_NOTIFY, wParam, lParam, 0, (UINT)pNMHDR->idFrom, (int)pNMHDR->code, nullptr};
  CallEntry(*e, call);
  *pResult = call.result;
  return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
      return TRUE;
    if (hWnd == hWndStop)
      break;
  }
  return FALSE;
}

static bool IsIdleMessage(const MSG& msg) {
  // Caret blinks and repaints happen all the time; they do not restart idle work.
  return msg.message != WM_PAINT && msg.message != 0x0118 && msg.message != WM_TIMER;
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShown = (GetStyle() & WS_VISIBLE) != 0;
  MSG msg;
  // A window destroyed without ending its loop ends it too, rather than
  // leaving the program in a loop nothing can end.
  while (ContinueModal() && m_hWnd != nullptr) {
    while (bIdle && ContinueModal() && m_hWnd != nullptr && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!bShown) {
        ShowWindow(SW_SHOWNORMAL);
        bShown = TRUE;
      }
      if (SendMessage(WM_KICKIDLE, 0, lIdleCount++) == 0)
        bIdle = FALSE;
    }
    if (!ContinueModal() || m_hWnd == nullptr)
      break;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage((int)msg.wParam);  // leave the quit for the outer loop
      break;
    }
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (IsIdleMessage(msg)) {
      bIdle = TRUE;
      lIdleCount = 0;
    }
  }
  m_bInModalLoop = FALSE;
  return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_bInModalLoop) {
    m_bInModalLoop = FALSE;
    ::PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the loop's GetMessage
  }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  state.m_nIndexMax = 0;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
       hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nID = (UINT)::GetDlgCtrlID(hWndChild);
    if (nID == 0 || LOWORD(nID) == 0xFFFF)
      continue;
    state.m_nID = nID;
    state.m_pOther = FromHandle(hWndChild);
    // Only push buttons send commands; an edit, a list or a check box that
    // toggles itself has no command whose absence should disable it.
    BOOL bDisable = bDisableIfNoHndler;
    if (bDisable) {
      LRESULT code = ::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0);
      UINT style = (UINT)::GetWindowLongA(hWndChild, GWL_STYLE) & BS_TYPEMASK;
      if ((code & DLGC_BUTTON) == 0 || style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_GROUPBOX ||
          style == BS_AUTORADIOBUTTON)
        bDisable = FALSE;
    }
    state.DoUpdate(pTarget, bDisable);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
       hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
    ::SendMessageA(hWndChild, message, wParam, lParam);
    if (bDeep && ::GetTopWindow(hWndChild) != nullptr) {
      CWnd child(hWndChild);
      child.SendMessageToDescendants(message, wParam, lParam, TRUE);
      child.m_hWnd = nullptr;
    }
  }
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = GetStyle();
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle)
    return FALSE;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)newStyle);
  if (nFlags != 0)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = GetExStyle();
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle)
    return FALSE;
  ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)newStyle);
  if (nFlags != 0)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

void CWnd::GetWindowText(CString& rString) const {
  int nLen = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLen), nLen + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
  if (hWndItem == nullptr)
    return 0;
  CWnd(hWndItem).GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(pFont != nullptr ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2);
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, HwndOf(pWndInsertAfter), x, y, cx, cy, nFlags);
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
      return static_cast<CFrameWnd*>(pWnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* pFrame =
      IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
  while (pFrame != nullptr) {
    CFrameWnd* pParent = pFrame->GetParentFrame();
    if (pParent == nullptr)
      break;
    pFrame = pParent;
  }
  return pFrame;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD)
    hWndCenter = ::GetParent(m_hWnd);
  CRect rcArea;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
  CRect rcCenter = rcArea;
  if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
    ::GetWindowRect(hWndCenter, &rcCenter);
  }
  int x = rcCenter.left + (rcCenter.Width() - rcWnd.Width()) / 2;
  int y = rcCenter.top + (rcCenter.Height() - rcWnd.Height()) / 2;
  if (GetStyle() & WS_CHILD) {
    CPoint pt(x, y);
    ::ScreenToClient(::GetParent(m_hWnd), &pt);
    x = pt.x;
    y = pt.y;
  } else {
    // Keep the whole window on the work area.
    if (x + rcWnd.Width() > rcArea.right)
      x = rcArea.right - rcWnd.Width();
    if (y + rcWnd.Height() > rcArea.bottom)
      y = rcArea.bottom - rcWnd.Height();
    if (x < rcArea.left)
      x = rcArea.left;
    if (y < rcArea.top)
      y = rcArea.top;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
  ::InvalidateRgn(m_hWnd, pRgn != nullptr ? (HRGN)pRgn->GetSafeHandle() : nullptr, bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate != nullptr ? (HRGN)prgnUpdate->GetSafeHandle() : nullptr,
                        flags);
}

CDC* CWnd::GetDC() {
  return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
  return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC) {
  return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  HWND hWndParent;
  while ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr)
    hWnd = hWndParent;
  return FromHandle(hWnd);
}

CMenu* CWnd::GetMenu() const {
  return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu) {
  return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
  return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar) const {
  SCROLLINFO info;
  if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
    return 0;
  int nPage = info.nPage > 0 ? (int)info.nPage - 1 : 0;
  return info.nMax - nPage;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::OnHScroll(UINT, UINT, CWnd* pScrollBar) {
  if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
    return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CWnd* pScrollBar) {
  if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
    return;
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT result = 0;
  if (pWnd != nullptr && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result))
    return (HBRUSH)result;
  return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (nIDCtl != 0 && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
    return;
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (nIDCtl != 0 && lpMeasureItemStruct->CtlType != ODT_MENU && ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
    return;
  Default();
}
