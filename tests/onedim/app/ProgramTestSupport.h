// What the tests of both programs' processes share: the processes found by
// file name, ended, their command lines read, and a watchdog that ends them
// when a call never comes back; a storage in memory as a container keeps for
// an object; the commands of a menu.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

class BrivaneProcess;

// Answers whatever the program asks with No (or OK, for what it only says)
// until it asks nothing more for a while.
void DeclineWhatIsOffered(BrivaneProcess& app);
// The 1D program that a hand-off of the nD program started, attached once it
// shows the one document it was given; false when that does not come.
bool AttachHandedOneDProgram(BrivaneProcess& one);

// Every running process of that program file name.
std::vector<DWORD> ProcessesNamed(const char* pszExe);
// Ends every running process of that program file name.
void EndProcessesNamed(const char* pszExe);
// The command line a process was started with ("" when it cannot be read).
std::string CommandLineOf(DWORD pid);
// The files a program (its profile name: "Brivane", "BrivanenD") lists as
// its recent files, newest first.
std::vector<std::string> RecentFilesOf(const char* pszProfile);
// Under Wine, the classes a killed server registered stay with the service
// that finds servers, which then sends every new object to the dead one:
// ends that service of the test's own prefix (it starts again on the next
// call) so the tests after a killed server get a server of their own.
void ForgetKilledServers();

// Ends every process of the program when it is not let go within its time,
// so a hung server fails a test instead of stalling the suite.
class Watchdog {
 public:
  explicit Watchdog(DWORD timeoutMs, const char* pszExe = "brivane23.exe");
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  bool fired() const { return m_fired != 0; }

 private:
  static DWORD WINAPI Run(void* param);
  DWORD m_timeoutMs;
  const char* m_pszExe;
  HANDLE m_done;
  HANDLE m_thread;
  volatile LONG m_fired = 0;
};

// Sends one command to a running program by DDE, on its name and the topic
// "system", as the shell does; true when it was taken.
bool SendDdeCommand(const char* pszApp, const char* pszCommand);

// A storage in memory, as a container keeps one for each object; null when
// none can be made.
IStorage* NewStorage();
// A control of a dialog at any depth (the pages of a sheet hold theirs);
// null when there is none.
HWND FindControl(HWND hWndParent, int nID);
// Every command of a menu and its pop-ups, and whether one is among them.
std::vector<UINT> MenuCommands(HMENU menu);
bool HasCommand(const std::vector<UINT>& ids, UINT id);
