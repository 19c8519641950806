#include "tests/onedim/app/BrivaneProcess.h"

#include <cstring>

#include "framework/win/FrameworkRes.h"
#include "tests/framework/win/WindowTest.h"

namespace {

struct EnumData {
  DWORD pid;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopWindow(HWND hWnd, LPARAM lParam) {
  EnumData* data = reinterpret_cast<EnumData*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid == data->pid && ::IsWindowVisible(hWnd))
    data->out->push_back(hWnd);
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND hWnd, LPARAM lParam) {
  char cls[32] = {};
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (::lstrcmpiA(cls, "Static") == 0) {
    std::string* text = reinterpret_cast<std::string*>(lParam);
    std::string one = BrivaneProcess::WindowText(hWnd);
    if (!one.empty()) {
      if (!text->empty())
        *text += "\n";
      *text += one;
    }
  }
  return TRUE;
}

std::string ClassOf(HWND hWnd) {
  char cls[64] = {};
  ::GetClassNameA(hWnd, cls, sizeof cls);
  return cls;
}

}  // namespace

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  while (!cond()) {
    if (::GetTickCount() - start > timeoutMs)
      return false;
    ::Sleep(50);
  }
  return true;
}

bool PutPointer(HWND hWnd, POINT client) {
  POINT screen = client;
  ::ClientToScreen(hWnd, &screen);
  // A clip an earlier program left (its crosshair clips the pointer to its
  // plot while the button is down) would keep the pointer from the point.
  ::ClipCursor(nullptr);
  ::SetCursorPos(screen.x, screen.y);
  return WaitFor(
      [&] {
        POINT at;
        return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
      },
      2000);
}

BrivaneProcess::~BrivaneProcess() {
  if (m_pi.hProcess != nullptr) {
    if (IsRunning()) {
      ::TerminateProcess(m_pi.hProcess, 99);
      ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    ::CloseHandle(m_pi.hProcess);
    if (m_pi.hThread != nullptr)
      ::CloseHandle(m_pi.hThread);
  }
}

std::string BrivaneProcess::WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path;
}

bool BrivaneProcess::Start(const std::string& arguments, const char* comctlVersion) {
  return StartWith("/nologo " + arguments, comctlVersion);
}

bool BrivaneProcess::StartWithSplash(const std::string& arguments) {
  return StartWith(arguments, nullptr);
}

bool BrivaneProcess::StartWith(const std::string& arguments, const char* comctlVersion) {
  std::string exe = WinePath(m_program);
  std::string cmd = "\"" + exe + "\" " + arguments;
  ::SetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", comctlVersion);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  BOOL ok = ::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
  ::SetEnvironmentVariableA("BRIVANE_COMCTL_VERSION", nullptr);
  return ok != FALSE;
}

bool BrivaneProcess::Attach(DWORD pid) {
  m_pi.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  m_pi.dwProcessId = pid;
  return m_pi.hProcess != nullptr;
}

bool BrivaneProcess::IsRunning() const {
  return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

void BrivaneProcess::Kill() {
  if (m_pi.hProcess != nullptr)
    ::TerminateProcess(m_pi.hProcess, 9);
}

std::vector<HWND> BrivaneProcess::TopWindows() const {
  std::vector<HWND> windows;
  EnumData data = {m_pi.dwProcessId, &windows};
  ::EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&data));
  return windows;
}

HWND BrivaneProcess::WaitMainWindow(DWORD timeoutMs) {
  WaitFor(
      [&] {
        for (HWND hWnd : TopWindows()) {
          if (::FindWindowExA(hWnd, nullptr, "MDIClient", nullptr) != nullptr) {
            m_main = hWnd;
            return true;
          }
        }
        return !IsRunning();
      },
      timeoutMs);
  if (m_main != nullptr)
    WaitFor([&] { return Splash() == nullptr || !IsRunning(); }, 5000);
  return m_main;
}

HWND BrivaneProcess::Splash() const {
  for (HWND hWnd : TopWindows()) {
    const LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
    const std::string cls = ClassOf(hWnd);
    if (hWnd != m_main && (style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0 && cls != "#32770" && cls != "#32768" &&
        cls != "tooltips_class32")
      return hWnd;
  }
  return nullptr;
}

HWND BrivaneProcess::WaitDialog(const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND hWnd : TopWindows()) {
          if (ClassOf(hWnd) != "#32770")
            continue;
          if (title != nullptr && WindowText(hWnd) != title)
            continue;
          found = hWnd;
          return true;
        }
        return !IsRunning();
      },
      timeoutMs);
  return found;
}

int BrivaneProcess::WaitExit(DWORD timeoutMs) {
  if (m_pi.hProcess == nullptr || ::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(m_pi.hProcess, &code);
  return (int)code;
}

HWND BrivaneProcess::MdiClient() const {
  return ::FindWindowExA(m_main, nullptr, "MDIClient", nullptr);
}

HWND BrivaneProcess::ActiveChild(bool* maximized) const {
  BOOL bMax = FALSE;
  HWND child = (HWND)::SendMessageA(MdiClient(), WM_MDIGETACTIVE, 0, (LPARAM)&bMax);
  if (maximized != nullptr)
    *maximized = bMax != FALSE;
  return child;
}

int BrivaneProcess::ChildCount() const {
  int n = 0;
  for (HWND child = ::GetWindow(MdiClient(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child))
      ++n;
  return n;
}

void BrivaneProcess::Command(UINT id) const {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, 10000, &result);
}

void BrivaneProcess::PostCommand(UINT id) const {
  ::PostMessageA(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void BrivaneProcess::Sync() const {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

std::string BrivaneProcess::WindowText(HWND hWnd) {
  char text[1024] = {};
  // WM_GETTEXT reaches windows of another process, unlike GetWindowText
  // of their controls.
  ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_NORMAL, 5000, nullptr);
  return text;
}

std::string BrivaneProcess::StaticTexts(HWND dialog) {
  std::string text;
  ::EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

void BrivaneProcess::Press(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

bool BrivaneProcess::Dismiss(HWND dialog, int id) {
  Press(dialog, id);
  return WaitFor([&] { return !::IsWindow(dialog); }, 20000);
}

bool BrivaneProcess::SaveAs(const std::string& path) {
  ::DeleteFileA(path.c_str());
  PostCommand(ID_FILE_SAVE_AS);
  HWND save = WaitDialog();
  if (save == nullptr || !EnterFileName(save, path))
    return false;
  const bool bSaved = WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
  Sync();
  return bSaved;
}

bool BrivaneProcess::ReplaceTheFile(HWND fileDialog) {
  HWND ask = nullptr;
  if (!WaitFor([&] { return (ask = OwnedDialog(fileDialog)) != nullptr; }, 10000))
    return false;
  Press(ask, IDYES);
  return WaitFor([&] { return !::IsWindow(fileDialog); }, 10000);
}

std::string BrivaneProcess::ReadAndCloseMessage() {
  HWND box = WaitDialog();
  if (box == nullptr)
    return "";
  const std::string text = StaticTexts(box);
  Dismiss(box, IDOK);
  return text;
}

bool BrivaneProcess::EnterFileName(HWND dialog, const std::string& text) {
  // The name field is an edit inside a combo box on the newer dialogs.
  HWND field = ::GetDlgItem(dialog, 0x47c);
  for (const char* cls : {"ComboBox", "Edit"})
    if (HWND inner = ::FindWindowExA(field, nullptr, cls, nullptr))
      field = inner;
  if (field == nullptr)
    return false;
  ::SendMessageA(field, WM_SETTEXT, 0, (LPARAM)text.c_str());
  Press(dialog, IDOK);
  return true;
}
