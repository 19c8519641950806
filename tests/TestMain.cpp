// The main of every test executable. A run that selects no test fails: a
// mistyped filter, a child run that finds nothing to do or an executable
// whose tests were not linked in must not pass as if it had checked
// something.
//
// Its verdict does not rest on the exit status alone, which a crash under
// Wine does not always set: with BRIVANE_TEST_SUMMARY naming a file (ctest
// runs every test through scripts/run-test.sh, which names one), the run's
// last act is to write there how many tests ran and which failed. A run
// that ends any other way leaves no such line: a crash writes what it was
// doing instead, and so does an exit inside a test. A child run of the
// executable (a test of a program's next start) writes none.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#include <dbghelp.h>
#endif

namespace {

std::string g_summaryPath;  // empty: no summary is asked for

// The summary is this run's: a test program that runs this executable
// again (a test of a program's next start) must not write it.
void TakeSummaryPath() {
  const char* path = std::getenv("BRIVANE_TEST_SUMMARY");
  if (path == nullptr || *path == '\0')
    return;
  g_summaryPath = path;
#ifdef _WIN32
  ::SetEnvironmentVariableA("BRIVANE_TEST_SUMMARY", nullptr);
  _putenv("BRIVANE_TEST_SUMMARY=");
#else
  unsetenv("BRIVANE_TEST_SUMMARY");
#endif
}

// Writes the summary file (a part written counts as no summary).
void WriteSummary(const std::string& text) {
  if (g_summaryPath.empty())
    return;
  if (FILE* file = std::fopen(g_summaryPath.c_str(), "wb")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

std::string CurrentTest() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  return info != nullptr ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
}

// Where the run was when it ended without reaching main's end.
std::string Whereabouts() {
  const std::string test = CurrentTest();
  return test.empty() ? "outside the tests" : "in " + test;
}

bool g_bFinished = false;

// A test that calls exit() ends the run with its own status, 0 as often as
// not, with the tests after it unrun.
void OnExit() {
  if (!g_bFinished) {
    std::fprintf(stderr, "error: the run ended early, %s\n", Whereabouts().c_str());
    WriteSummary("exited early " + Whereabouts() + "\n");
  }
}

#ifdef _WIN32
// The backtrace of a crash at pCrash, on stderr, from the crash on (the
// frames of the exception's dispatch left out): each frame's function and
// line where the program's debugging information names them.
void PrintBacktrace(const void* pCrash) {
  void* frames[64];
  const USHORT nAll = ::RtlCaptureStackBackTrace(0, 64, frames, nullptr);
  USHORT nFirst = 0;
  while (nFirst < nAll && frames[nFirst] != pCrash)
    ++nFirst;
  if (nFirst == nAll)
    nFirst = 0;
  HANDLE hProcess = ::GetCurrentProcess();
  ::SymSetOptions(SYMOPT_LOAD_LINES | SYMOPT_UNDNAME | SYMOPT_DEFERRED_LOADS);
  const BOOL bSymbols = ::SymInitialize(hProcess, nullptr, TRUE);
  std::fprintf(stderr, "Backtrace:\n");
  for (USHORT i = nFirst; i < nAll; ++i) {
    const DWORD64 address = (DWORD64)(ULONG_PTR)frames[i];
    char buffer[sizeof(SYMBOL_INFO) + 256] = {};
    SYMBOL_INFO* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = 255;
    DWORD64 offset = 0;
    const char* name = bSymbols && ::SymFromAddr(hProcess, address, &offset, symbol) ? symbol->Name : "?";
    IMAGEHLP_LINE64 line = {};
    line.SizeOfStruct = sizeof(line);
    DWORD column = 0;
    if (bSymbols && ::SymGetLineFromAddr64(hProcess, address, &column, &line))
      std::fprintf(stderr, "  %2u 0x%llx %s (%s:%lu)\n", (unsigned)(i - nFirst), (unsigned long long)address, name,
                   line.FileName, line.LineNumber);
    else
      std::fprintf(stderr, "  %2u 0x%llx %s\n", (unsigned)(i - nFirst), (unsigned long long)address, name);
  }
}

// A crash ends the run here, with the exception's code as its status,
// before Wine's debugger is asked (which can end it with status 0).
LONG WINAPI OnCrash(EXCEPTION_POINTERS* pException) {
  const EXCEPTION_RECORD& record = *pException->ExceptionRecord;
  char what[160];
  std::snprintf(what, sizeof(what), "crashed %s: exception 0x%08lX at 0x%llx", Whereabouts().c_str(),
                (unsigned long)record.ExceptionCode, (unsigned long long)(ULONG_PTR)record.ExceptionAddress);
  std::fflush(stdout);
  std::fprintf(stderr, "error: the run %s\n", what);
  WriteSummary(std::string(what) + "\n");
  PrintBacktrace(record.ExceptionAddress);
  std::fflush(stderr);
  g_bFinished = true;  // said already
  // Wine hands the low byte of the status to the shell: never 0.
  ::TerminateProcess(::GetCurrentProcess(), (record.ExceptionCode & 0xff) != 0 ? record.ExceptionCode : 3);
  return EXCEPTION_EXECUTE_HANDLER;
}
#endif

// "ran N failed M", then one line for each test that failed.
std::string Summary() {
  const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
  std::string text =
      "ran " + std::to_string(unit.test_to_run_count()) + " failed " + std::to_string(unit.failed_test_count()) + "\n";
  for (int i = 0; i < unit.total_test_suite_count(); ++i) {
    const testing::TestSuite& suite = *unit.GetTestSuite(i);
    for (int j = 0; j < suite.total_test_count(); ++j) {
      const testing::TestInfo& info = *suite.GetTestInfo(j);
      if (info.should_run() && info.result()->Failed())
        text += "failed " + std::string(info.test_suite_name()) + "." + info.name() + "\n";
    }
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  TakeSummaryPath();
  if (!g_summaryPath.empty())
    std::remove(g_summaryPath.c_str());
  std::atexit(OnExit);
#ifdef _WIN32
  ::SetUnhandledExceptionFilter(OnCrash);
#endif
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  if (result == 0 && !GTEST_FLAG_GET(list_tests) && testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "error: this run selected no test\n");
    result = 1;
  }
  std::fflush(stdout);
  WriteSummary(Summary());
  g_bFinished = true;
  return result;
}
