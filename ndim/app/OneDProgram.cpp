#include "ndim/app/OneDProgram.h"

#include <shellapi.h>

#include "common/RegistryStore.h"
#include "common/SharedKey.h"

namespace {

const char kOneDProgram[] = "brivane23.exe";
const char kWorkingFolder[] = "c:\\temp";

bool IsFolder(LPCSTR path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Whether a value is as the 1D program writes its numbers: REG_BINARY of
// exactly that many bytes.
bool StoredAsNumber(CRegistryStore& store, LPCSTR name, int bytes) {
  return store.GetValueType(name) == REG_BINARY && store.GetValueSize(name) == bytes;
}

// A missing value keeps its default; one stored otherwise than the 1D
// program stores it is not usable.
bool ReadSharedDouble(CRegistryStore& store, LPCSTR name, double& value) {
  if (!store.ValueExists(name))
    return true;
  if (!StoredAsNumber(store, name, 8))
    return false;
  value = store.ReadDouble(name, value);
  return true;
}

bool ReadSharedInt(CRegistryStore& store, LPCSTR name, int& value) {
  if (!store.ValueExists(name))
    return true;
  if (!StoredAsNumber(store, name, 4))
    return false;
  value = store.ReadInt(name, value);
  return true;
}

}  // namespace

CString COneDProgramWin::GetProgramFolder() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  char drive[_MAX_DRIVE] = "", folder[_MAX_DIR] = "";
  _splitpath(path, drive, folder, nullptr, nullptr);
  return CString(drive) + folder;
}

CString COneDProgramWin::GetTemporaryFolder() {
  char path[MAX_PATH + 1] = "";
  const DWORD n = ::GetTempPathA(sizeof path, path);
  if (n == 0 || n >= sizeof path)
    return CString();
  CString folder(path);
  if (folder.Right(1) != "\\")
    folder += "\\";
  return folder;
}

CString COneDProgramWin::GetWorkingFolder(LPCSTR programFolder) {
  return IsFolder(kWorkingFolder) ? CString(kWorkingFolder) : CString(programFolder);
}

bool COneDProgramWin::StartOneDProgram(LPCSTR path) {
  const CString file = m_strFolder + kOneDProgram;
  // Quoted: a folder with blanks in its name is still one argument.
  const CString parameters = CString("\"") + path + "\"";
  const CString directory = GetWorkingFolder(m_strFolder);
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  // The failure is told by our own message, not by a second box of the shell's.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = ::GetDesktopWindow();
  info.lpVerb = "open";
  info.lpFile = file;
  info.lpParameters = parameters;
  info.lpDirectory = directory;
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&info) || !info.hProcess)
    return false;
  m_hProcess = info.hProcess;
  return true;
}

DWORD COneDProgramWin::WaitForOneDProgram() {
  DWORD code = 1;
  if (!m_hProcess)
    return code;
  // Paints only: input stays queued until the 1D program has ended. One
  // paint a wake, the process checked first: a window that never validates
  // cannot hold the wait.
  while (::MsgWaitForMultipleObjectsEx(1, &m_hProcess, INFINITE, QS_PAINT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE) ==
         WAIT_OBJECT_0 + 1) {
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
      ::DispatchMessageA(&msg);
  }
  ::GetExitCodeProcess(m_hProcess, &code);
  ::CloseHandle(m_hProcess);
  m_hProcess = nullptr;
  return code;
}

COneDProgram::Result COneDProgramWin::Run(LPCSTR path) {
  if (!StartOneDProgram(path))
    return notStarted;
  return WaitForOneDProgram() == 0 ? ended : endedBadly;
}

SharedValues COneDProgramWin::ReadSharedValues() {
  SharedValues values;
  CRegistryStore store;
  values.m_bKeyOpened = store.SetKey(kSharedKeyPath, FALSE) != FALSE;
  if (!values.m_bKeyOpened)
    return values;
  values.m_bPhaseUsable =
      ReadSharedDouble(store, "ph0", values.m_dPhase0) && ReadSharedDouble(store, "ph1", values.m_dPhase1);
  values.m_bWindowUsable =
      ReadSharedInt(store, "type", values.m_nWindowType) && ReadSharedDouble(store, "lb", values.m_dWindowValue);
  return values;
}
