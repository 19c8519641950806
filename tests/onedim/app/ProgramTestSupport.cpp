#include "tests/onedim/app/ProgramTestSupport.h"

#include "tests/onedim/app/BrivaneProcess.h"

#include <tlhelp32.h>
#include <winternl.h>
#include <ddeml.h>

#include <algorithm>
#include <cstring>
#include <string>

void DeclineWhatIsOffered(BrivaneProcess& app) {
  while (HWND box = app.WaitDialog(nullptr, 3000))
    if (!BrivaneProcess::Dismiss(box, IDNO) && !BrivaneProcess::Dismiss(box, IDOK))
      break;
}

bool AttachHandedOneDProgram(BrivaneProcess& one) {
  std::vector<DWORD> started;
  if (!WaitFor([&] { return !(started = ProcessesNamed("brivane23.exe")).empty(); }, 30000) ||
      !one.Attach(started[0]) || one.WaitMainWindow(60000) == nullptr ||
      !WaitFor([&] { return one.ChildCount() == 1; }, 30000))
    return false;
  one.Sync();
  return true;
}

std::vector<DWORD> ProcessesNamed(const char* pszExe) {
  std::vector<DWORD> pids;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return pids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
    if (::lstrcmpiA(entry.szExeFile, pszExe) == 0)
      pids.push_back(entry.th32ProcessID);
  ::CloseHandle(snapshot);
  return pids;
}

void EndProcessesNamed(const char* pszExe) {
  for (DWORD pid : ProcessesNamed(pszExe)) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
      continue;
    ::TerminateProcess(process, 99);
    ::WaitForSingleObject(process, 5000);
    ::CloseHandle(process);
  }
}

std::vector<std::string> RecentFilesOf(const char* pszProfile) {
  std::vector<std::string> files;
  const std::string key = std::string("Software\\Orvandel\\") + pszProfile + "\\Recent File List";
  HKEY hKey = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return files;
  for (int i = 1; i <= 16; ++i) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (::RegQueryValueExA(hKey, ("File" + std::to_string(i)).c_str(), nullptr, nullptr, (BYTE*)value, &size) ==
        ERROR_SUCCESS)
      files.push_back(value);
  }
  ::RegCloseKey(hKey);
  return files;
}

std::string CommandLineOf(DWORD pid) {
  // Read from the process's own parameters block.
  typedef NTSTATUS(NTAPI * QueryProc)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryProc>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  std::string line;
  PROCESS_BASIC_INFORMATION basic = {};
  PEB peb = {};
  RTL_USER_PROCESS_PARAMETERS params = {};
  if (query != nullptr && process != nullptr &&
      query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
      ::ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ::ReadProcessMemory(process, peb.ProcessParameters, &params, sizeof params, nullptr)) {
    std::wstring wide(params.CommandLine.Length / sizeof(WCHAR), L'\0');
    if (!wide.empty() &&
        ::ReadProcessMemory(process, params.CommandLine.Buffer, &wide[0], wide.size() * sizeof(WCHAR), nullptr))
      for (wchar_t c : wide)
        line += c < 128 ? (char)c : '?';
  }
  if (process != nullptr)
    ::CloseHandle(process);
  return line;
}

void ForgetKilledServers() {
  if (::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr)
    return;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
    if (::lstrcmpiA(entry.szExeFile, "rpcss.exe") != 0)
      continue;
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      ::TerminateProcess(process, 0);
      ::WaitForSingleObject(process, 5000);
      ::CloseHandle(process);
    }
  }
  ::CloseHandle(snapshot);
}

Watchdog::Watchdog(DWORD timeoutMs, const char* pszExe) : m_timeoutMs(timeoutMs), m_pszExe(pszExe) {
  m_done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_thread = ::CreateThread(nullptr, 0, &Watchdog::Run, this, 0, nullptr);
}

Watchdog::~Watchdog() {
  ::SetEvent(m_done);
  ::WaitForSingleObject(m_thread, INFINITE);
  ::CloseHandle(m_thread);
  ::CloseHandle(m_done);
}

DWORD WINAPI Watchdog::Run(void* param) {
  auto* self = static_cast<Watchdog*>(param);
  if (::WaitForSingleObject(self->m_done, self->m_timeoutMs) == WAIT_TIMEOUT) {
    self->m_fired = 1;
    EndProcessesNamed(self->m_pszExe);
  }
  return 0;
}

IStorage* NewStorage() {
  ILockBytes* bytes = nullptr;
  if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes)))
    return nullptr;
  IStorage* storage = nullptr;
  ::StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage);
  bytes->Release();
  return storage;
}

namespace {

HDDEDATA CALLBACK NoDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

}  // namespace

bool SendDdeCommand(const char* pszApp, const char* pszCommand) {
  DWORD inst = 0;
  if (::DdeInitializeA(&inst, &NoDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
    return false;
  HSZ app = ::DdeCreateStringHandleA(inst, pszApp, CP_WINANSI);
  HSZ topic = ::DdeCreateStringHandleA(inst, "system", CP_WINANSI);
  bool taken = false;
  if (HCONV conv = ::DdeConnect(inst, app, topic, nullptr)) {
    taken = ::DdeClientTransaction((LPBYTE)pszCommand, (DWORD)std::strlen(pszCommand) + 1, conv, nullptr, 0, XTYP_EXECUTE,
                                   5000, nullptr) != nullptr;
    ::DdeDisconnect(conv);
  }
  ::DdeFreeStringHandle(inst, app);
  ::DdeFreeStringHandle(inst, topic);
  ::DdeUninitialize(inst);
  return taken;
}


namespace {

void CollectCommands(HMENU menu, std::vector<UINT>& ids) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    if (HMENU popup = ::GetSubMenu(menu, i))
      CollectCommands(popup, ids);
    else
      ids.push_back(::GetMenuItemID(menu, i));
  }
}

}  // namespace

std::vector<UINT> MenuCommands(HMENU menu) {
  std::vector<UINT> ids;
  CollectCommands(menu, ids);
  return ids;
}

bool HasCommand(const std::vector<UINT>& ids, UINT id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

namespace {

struct ControlSearch {
  int nID;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND hWnd, LPARAM lParam) {
  ControlSearch* s = reinterpret_cast<ControlSearch*>(lParam);
  if (::GetDlgCtrlID(hWnd) != s->nID)
    return TRUE;
  s->found = hWnd;
  return FALSE;
}

}  // namespace

HWND FindControl(HWND hWndParent, int nID) {
  ControlSearch search = {nID, nullptr};
  ::EnumChildWindows(hWndParent, &MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
