// What the OLE program tests share: the running brivane23.exe processes and
// their command lines, a watchdog that ends them when a call never comes
// back, the text a metafile picture draws, the 1D view of a document
// window, and the embedded objects a saved document file carries.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/base/ItemRecords.h"
#include "tests/onedim/app/ProgramTestSupport.h"

class BrivaneProcess;

// Every running brivane23.exe, the test's own programs and COM's alike.
std::vector<DWORD> BrivaneProcesses();
// Ends every running brivane23.exe.
void EndBrivaneProcesses();

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

// An OLE program test: the program's class entries written once, as it
// writes them when registering itself (/regserver); OLE on for each test; a
// folder of the test suite's own for its files; every brivane23.exe ended
// afterwards.
class OleProgramFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
  std::string Path(const char* name) const { return m_dir + "\\" + name; }

  std::string m_dir;
};
