// brivane23.exe started by a test in the test's own Wine prefix: its
// windows are found by process, its dialogs and message boxes read and
// answered, and commands posted to it as the menus would send them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class BrivaneProcess {
 public:
  // program: the executable's path on this machine (the 1D program unless
  // told otherwise).
  explicit BrivaneProcess(const char* program = BRIVANE_APP_PATH) : m_program(program) {}
  ~BrivaneProcess();  // ends the program if it still runs
  BrivaneProcess(const BrivaneProcess&) = delete;
  BrivaneProcess& operator=(const BrivaneProcess&) = delete;

  // Starts the program with the given arguments (already quoted) and, when
  // given, BRIVANE_COMCTL_VERSION set to comctlVersion. It starts without its
  // splash (/nologo), which a test would only wait out.
  bool Start(const std::string& arguments, const char* comctlVersion = nullptr);
  // Starts it as a user does, with the splash.
  bool StartWithSplash(const std::string& arguments);
  // Takes on a program that something else started.
  bool Attach(DWORD pid);
  // The visible main frame, once it is up and the start-up splash has gone
  // (a press while it is up would only close it); null after timeoutMs.
  HWND WaitMainWindow(DWORD timeoutMs = 20000);
  // The splash: a visible caption-less pop-up of the program; null when none.
  HWND Splash() const;
  // A visible dialog (message box, common dialog, ...) of the program;
  // with a title, only one with that title.
  HWND WaitDialog(const char* title = nullptr, DWORD timeoutMs = 15000);
  // The program's exit code, or -1 while it still runs after timeoutMs.
  int WaitExit(DWORD timeoutMs = 20000);
  bool IsRunning() const;
  // Ends the program at once, as a crash would.
  void Kill();

  // The MDI client, the active document window (and whether it is maximised).
  HWND MdiClient() const;
  HWND ActiveChild(bool* maximized = nullptr) const;
  int ChildCount() const;

  // Sends a menu command to the main frame and returns once it is handled.
  void Command(UINT id) const;
  // Posts a menu command that opens a modal window, without waiting for it.
  void PostCommand(UINT id) const;
  // Waits until the program has handled everything posted before.
  void Sync() const;

  HWND main() const { return m_main; }
  DWORD pid() const { return m_pi.dwProcessId; }

  // The text of every static control of a dialog, joined with '\n'.
  static std::string StaticTexts(HWND dialog);
  static std::string WindowText(HWND hWnd);
  // Presses a button of a dialog by its id.
  static void Press(HWND dialog, int id);
  // Presses a button that closes its dialog and waits until it has: a
  // command sent afterwards must not overtake the posted press.
  static bool Dismiss(HWND dialog, int id);
  // File > Save As under path (replacing a file there); true once it is written.
  bool SaveAs(const std::string& path);
  // Types into the name field of the system's file dialog and presses OK;
  // false, and nothing pressed, when the dialog has no name field.
  static bool EnterFileName(HWND dialog, const std::string& text);
  // Answers Yes to the file dialog's question whether to replace the file
  // there; true once the dialog has gone.
  static bool ReplaceTheFile(HWND fileDialog);
  // The text of the message the program shows next, which is then closed;
  // "" when none comes.
  std::string ReadAndCloseMessage();
  // The Windows form of a path of this machine (Z:\...), for arguments.
  static std::string WinePath(const std::string& unixPath);

 private:
  std::vector<HWND> TopWindows() const;
  bool StartWith(const std::string& arguments, const char* comctlVersion);

  std::string m_program;
  PROCESS_INFORMATION m_pi = {};
  HWND m_main = nullptr;
};

// Polls cond every 50 ms until it holds or the time is up.
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs);

// The real pointer put on a point of hWnd's client area, once the system
// reports it there: a move the system makes up on its own (a window shown
// or moved under it) then carries that place, not the previous one.
bool PutPointer(HWND hWnd, POINT client);
