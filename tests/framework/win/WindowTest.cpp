#include "framework/win/WindowTest.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/win/MetaFileDC.h"
#include "framework/win/UiHooks.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

TestBitmap::TestBitmap(int width, int height) : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = m_width;
  bmi.bmiHeader.biHeight = -m_height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_hDC = ::CreateCompatibleDC(nullptr);
  m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<DWORD*>(bits);
  m_hOld = ::SelectObject(m_hDC, m_hBitmap);
}

TestBitmap::~TestBitmap() {
  ::SelectObject(m_hDC, m_hOld);
  ::DeleteObject(m_hBitmap);
  ::DeleteDC(m_hDC);
}

COLORREF TestBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_bits == nullptr)
    return RGB(0, 0, 0);
  ::GdiFlush();
  DWORD v = m_bits[y * m_width + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void TestBitmap::Fill(COLORREF color) {
  RECT rc = {0, 0, m_width, m_height};
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, &rc, brush);
  ::DeleteObject(brush);
}

int TestBitmap::Count(COLORREF color) const {
  int n = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x)
      if (Pixel(x, y) == color)
        ++n;
  return n;
}

bool TestBitmap::SameAs(const TestBitmap& other) const {
  if (other.m_width != m_width || other.m_height != m_height)
    return false;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x)
      if (Pixel(x, y) != other.Pixel(x, y))
        return false;
  return true;
}

namespace {

struct OwnedSearch {
  HWND owner;
  HWND found;
};

// A callback of its own: the enumeration calls it as the system's calling
// convention, which a lambda does not have on 32-bit Windows.
BOOL CALLBACK FindOwnedDialog(HWND hWnd, LPARAM lParam) {
  OwnedSearch& s = *reinterpret_cast<OwnedSearch*>(lParam);
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (::GetWindow(hWnd, GW_OWNER) != s.owner || !::IsWindowVisible(hWnd) || std::strcmp(cls, "#32770") != 0)
    return TRUE;
  s.found = hWnd;
  return FALSE;
}

}  // namespace

HWND OwnedDialog(HWND hWndOwner) {
  OwnedSearch search = {hWndOwner, nullptr};
  ::EnumWindows(&FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::unique_ptr<TestBitmap> ScreenCopy(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  POINT origin = {0, 0};
  ::ClientToScreen(hWnd, &origin);
  auto copy = std::make_unique<TestBitmap>(rc.right, rc.bottom);
  HDC screen = ::GetDC(nullptr);
  ::BitBlt(copy->dc(), 0, 0, rc.right, rc.bottom, screen, origin.x, origin.y, SRCCOPY);
  ::ReleaseDC(nullptr, screen);
  ::GdiFlush();
  return copy;
}

TestMetafile::TestMetafile(const std::function<void(CDC& dc)>& draw) {
  CMetaFileDC dc;
  if (!dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr))
    return;
  draw(dc);
  m_hEmf = dc.CloseEnhanced();
}

TestMetafile::~TestMetafile() {
  if (m_hEmf != nullptr)
    ::DeleteEnhMetaFile(m_hEmf);
}

namespace {

int FirstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDOK;
  }
}

}  // namespace

void WindowTest::SetUp() {
  AfxSetMessageBoxHook([this](HWND hWndOwner, LPCSTR text, LPCSTR caption, UINT type) {
    m_messageBoxes.push_back({hWndOwner, text, caption, type});
    if (m_boxAnswers.empty())
      return FirstButton(type);
    int answer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return answer;
  });
  AfxSetMessageBeepHook([this](UINT type) { m_beeps.push_back(type); });
  AfxSetShellExecuteHook([this](HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR, int) {
    m_shellCalls.push_back({verb ? verb : "", file ? file : "", params ? params : ""});
    return (HINSTANCE)(INT_PTR)42;
  });
  AfxSetWinExecHook([this](LPCSTR cmdLine, UINT) {
    m_winExecCalls.push_back(cmdLine != nullptr ? cmdLine : "");
    return m_winExecResult;
  });
}

void WindowTest::TearDown() {
  AfxSetMessageBoxHook(nullptr);
  AfxSetModalDialogHook(nullptr);
  AfxSetModalSheetHook(nullptr);
  AfxSetMessageBeepHook(nullptr);
  AfxSetShellExecuteHook(nullptr);
  AfxSetWinExecHook(nullptr);
  PumpPending();
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  AfxDeleteTempMaps();
}

static bool DispatchOne(MSG& msg) {
  if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (msg.message == WM_QUIT)
    return true;  // a main window of a test went away
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return true;
}

bool WindowTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  MSG msg;
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs)
      return false;
    if (!DispatchOne(msg))
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void WindowTest::PumpPending() {
  MSG msg;
  for (int i = 0; i < 10000 && DispatchOne(msg); ++i) {
  }
}

void WindowTest::RunIdle() {
  if (CWinApp* pApp = AfxGetApp()) {
    for (LONG n = 0; n < 10 && pApp->OnIdle(n); ++n) {
    }
  }
}

void WindowTest::DestroyMainFrame(CWnd* pFrame) {
  AfxGetApp()->m_pMainWnd = nullptr;
  if (pFrame != nullptr)
    pFrame->DestroyWindow();
  PumpPending();
}

DWORD WindowTest::RunThisProgram(const char* gtestFilter) {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string command =
      std::string("\"") + exe + "\" --gtest_filter=" + gtestFilter + " --gtest_also_run_disabled_tests --gtest_brief=1";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  const BOOL bStarted = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  if (!bStarted) {
    ADD_FAILURE() << "the second run did not start: " << command;
    return ~0u;
  }
  DWORD code = ~0u;
  if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(pi.hProcess, &code);
  else
    ADD_FAILURE() << "the second run did not end within a minute: " << command;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return code;
}

static void SetModifiers(UINT modifiers) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = (modifiers & MK_SHIFT) ? 0x80 : 0;
  keys[VK_CONTROL] = (modifiers & MK_CONTROL) ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

void WindowTest::PostKey(HWND hWnd, UINT vk, UINT modifiers) {
  SetModifiers(modifiers);
  UINT scan = ::MapVirtualKeyA(vk, 0);
  ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1 | (scan << 16));
  ::PostMessageA(hWnd, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  PumpPending();
  SetModifiers(0);
}

void WindowTest::PostChars(HWND hWnd, const char* text) {
  for (const char* p = text; *p != '\0'; ++p)
    ::PostMessageA(hWnd, WM_CHAR, (BYTE)*p, 1);
  PumpPending();
}

void WindowTest::PostClick(HWND hWnd, POINT client, bool bDoubleClick) {
  LPARAM pos = MAKELPARAM(client.x, client.y);
  ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, pos);
  ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
  ::PostMessageA(hWnd, WM_LBUTTONUP, 0, pos);
  if (bDoubleClick) {
    ::PostMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, pos);
  }
  PumpPending();
}

void WindowTest::PostMouseMove(HWND hWnd, POINT client, UINT keys) {
  ::PostMessageA(hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(client.x, client.y));
  PumpPending();
}

bool WindowTest_TextEquals(HWND hWnd, const char* text);

void WindowTest::PostDrag(HWND hWnd, POINT from, POINT to, int steps, UINT modifiers) {
  if (steps < 1)
    steps = 1;
  SetModifiers(modifiers);
  UINT keys = MK_LBUTTON | (modifiers & (MK_SHIFT | MK_CONTROL));
  ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(from.x, from.y));
  ::PostMessageA(hWnd, WM_LBUTTONDOWN, keys, MAKELPARAM(from.x, from.y));
  for (int i = 1; i <= steps; ++i) {
    int x = from.x + (to.x - from.x) * i / steps;
    int y = from.y + (to.y - from.y) * i / steps;
    ::PostMessageA(hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }
  ::PostMessageA(hWnd, WM_LBUTTONUP, keys & ~MK_LBUTTON, MAKELPARAM(to.x, to.y));
  PumpPending();
  SetModifiers(0);
}

void WindowTest::PostRightClick(HWND hWnd, POINT client) {
  LPARAM pos = MAKELPARAM(client.x, client.y);
  ::PostMessageA(hWnd, WM_RBUTTONDOWN, MK_RBUTTON, pos);
  ::PostMessageA(hWnd, WM_RBUTTONUP, 0, pos);
  PumpPending();
}

namespace {
struct ChildSearch {
  int nID;
  const char* className;
  const char* text;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND hWnd, LPARAM lParam) {
  ChildSearch* s = reinterpret_cast<ChildSearch*>(lParam);
  if (s->className == nullptr) {
    if (::GetDlgCtrlID(hWnd) == s->nID) {
      s->found = hWnd;
      return FALSE;
    }
    return TRUE;
  }
  char cls[256] = "";
  ::GetClassNameA(hWnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, s->className) == 0 && WindowTest_TextEquals(hWnd, s->text)) {
    s->found = hWnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool WindowTest_TextEquals(HWND hWnd, const char* text) {
  char buffer[1024] = "";
  ::GetWindowTextA(hWnd, buffer, sizeof(buffer));
  return text == nullptr || lstrcmpA(buffer, text) == 0;
}

HWND WindowTest::FindChild(HWND hWndParent, int nID) {
  ChildSearch s = {nID, nullptr, nullptr, nullptr};
  ::EnumChildWindows(hWndParent, &MatchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WindowTest::FindChildByText(HWND hWndParent, const char* className, const char* text) {
  ChildSearch s = {0, className, text, nullptr};
  ::EnumChildWindows(hWndParent, &MatchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

namespace {
struct TopSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND hWnd, LPARAM lParam) {
  TopSearch* s = reinterpret_cast<TopSearch*>(lParam);
  if (WindowTest_TextEquals(hWnd, s->title)) {
    s->found = hWnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND WindowTest::FindThreadWindow(const char* title) {
  TopSearch s = {title, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchTop, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string WindowTest::TextOf(HWND hWnd) {
  int n = ::GetWindowTextLengthA(hWnd);
  std::string text(n + 1, '\0');
  ::GetWindowTextA(hWnd, &text[0], n + 1);
  text.resize(lstrlenA(text.c_str()));
  return text;
}

std::unique_ptr<TestBitmap> WindowTest::CaptureClient(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  auto bitmap = std::make_unique<TestBitmap>(rc.right - rc.left, rc.bottom - rc.top);
  bitmap->Fill(RGB(1, 2, 3));  // a colour no test draws, to tell unpainted pixels
  ::SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)bitmap->dc(), PRF_CLIENT | PRF_ERASEBKGND);
  return bitmap;
}

namespace {
int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM lParam) {
  auto* records = reinterpret_cast<std::vector<MetafileRecord>*>(lParam);
  const BYTE* p = reinterpret_cast<const BYTE*>(rec);
  records->push_back({rec->iType, std::vector<BYTE>(p, p + rec->nSize)});
  return 1;
}
}  // namespace

std::vector<MetafileRecord> WindowTest::Records(HENHMETAFILE hEmf) {
  std::vector<MetafileRecord> records;
  ::EnumEnhMetaFile(nullptr, hEmf, &CollectRecord, &records, nullptr);
  return records;
}

int WindowTest::CountRecords(HENHMETAFILE hEmf, DWORD type) {
  int n = 0;
  for (const MetafileRecord& r : Records(hEmf))
    if (r.type == type)
      ++n;
  return n;
}

std::vector<std::string> WindowTest::Texts(HENHMETAFILE hEmf) {
  std::vector<std::string> texts;
  for (const MetafileRecord& r : Records(hEmf)) {
    if (r.type != EMR_EXTTEXTOUTA && r.type != EMR_EXTTEXTOUTW)
      continue;
    if (r.data.size() < sizeof(EMREXTTEXTOUTA))
      continue;
    const EMREXTTEXTOUTA* rec = reinterpret_cast<const EMREXTTEXTOUTA*>(r.data.data());
    DWORD n = rec->emrtext.nChars;
    DWORD offset = rec->emrtext.offString;
    std::string text;
    if (r.type == EMR_EXTTEXTOUTA) {
      if (offset + n <= r.data.size())
        text.assign(reinterpret_cast<const char*>(r.data.data() + offset), n);
    } else if (offset + 2 * n <= r.data.size()) {
      const BYTE* w = r.data.data() + offset;
      for (DWORD i = 0; i < n; ++i)
        text += (char)(w[2 * i] | (w[2 * i + 1] << 8));  // the tests write ASCII
    }
    texts.push_back(text);
  }
  return texts;
}
