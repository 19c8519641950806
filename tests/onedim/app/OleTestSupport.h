// What the OLE program tests share: the running brivane23.exe processes and
// their command lines, a watchdog that ends them when a call never comes
// back, the text a metafile picture draws, the 1D view of a document
// window, and the embedded objects a saved document file carries.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/base/ItemRecords.h"

class BrivaneProcess;

// Every running brivane23.exe, the test's own programs and COM's alike.
std::vector<DWORD> BrivaneProcesses();
// Ends every running brivane23.exe.
void EndBrivaneProcesses();
// The command line a process was started with ("" when it cannot be read).
std::string CommandLineOf(DWORD pid);
// Under Wine, the classes a killed server registered stay with the service
// that finds servers, which then sends every new object to the dead one:
// ends that service of the test's own prefix (it starts again on the next
// call) so the tests after a killed server get a server of their own.
void ForgetKilledServers();

// Ends every brivane23.exe when it is not let go within its time, so a hung
// server fails a test instead of stalling the suite.
class Watchdog {
 public:
  explicit Watchdog(DWORD timeoutMs);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  bool fired() const { return m_fired != 0; }

 private:
  static DWORD WINAPI Run(void* param);
  DWORD m_timeoutMs;
  HANDLE m_done;
  HANDLE m_thread;
  volatile LONG m_fired = 0;
};

// What a metafile picture records: its text and its window extent.
struct MetafileContents {
  std::string text;
  int windowCx = 0;
  int windowCy = 0;
};
MetafileContents ReadPicture(HMETAFILE hMF);

// A 1D document file of one flat spectrum at path.
bool WriteFlatSpectrum(const std::string& path);
// Starts the program on a document file; true once its window is up.
bool StartOn(BrivaneProcess& app, const std::string& path);

// The 1D view of the program's active document window.
HWND SpectrumView(const BrivaneProcess& app);
// A child window of parent that belongs to process pid, of the class when
// one is given; null when there is none.
HWND ChildOfProcess(HWND parent, DWORD pid, const char* cls = nullptr);

// The item records of a saved 1D document file; damaged is set when the
// reader found its items block damaged, spectra to the spectra read.
std::vector<CItemRecord> ItemRecordsOf(const std::string& path, bool* damaged = nullptr, int* spectra = nullptr);
// An item record's rectangle, which closes the record.
RECT ItemRect(const CItemRecord& record);
// The object's own storage inside an item record, as a compound file.
std::vector<BYTE> ItemStorage(const CItemRecord& record);
