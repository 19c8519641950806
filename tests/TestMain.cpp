// The main of every test executable. A run that selects no test fails: a
// mistyped filter, a child run that finds nothing to do or an executable
// whose tests were not linked in must not pass as if it had checked
// something.
//
// Under Wine (BRIVANE_RERUN_FAILED=1, set by the build for its Windows
// tests) the tests that failed run once more in a fresh process, and only
// they: the window tests share one display and its focus with Wine's own
// windows, and a test that loses a race to them once should not cost the
// minutes of its whole executable again. The rerun is named on stderr.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
int RerunFailedOnce(int result) {
  const char* pszRerun = std::getenv("BRIVANE_RERUN_FAILED");
  if (pszRerun == nullptr || std::strcmp(pszRerun, "1") != 0)
    return result;
  std::string filter;
  const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
  for (int i = 0; i < unit.total_test_suite_count(); ++i) {
    const testing::TestSuite& suite = *unit.GetTestSuite(i);
    for (int j = 0; j < suite.total_test_count(); ++j) {
      const testing::TestInfo& info = *suite.GetTestInfo(j);
      if (info.should_run() && info.result()->Failed())
        filter += (filter.empty() ? "" : ":") + std::string(info.test_suite_name()) + "." + info.name();
    }
  }
  char path[MAX_PATH];
  if (filter.empty() || ::GetModuleFileNameA(nullptr, path, sizeof path) == 0)
    return result;
  std::fprintf(stderr, "rerunning the failed tests once: %s\n", filter.c_str());
  std::fflush(stdout);
  std::fflush(stderr);
  _putenv("BRIVANE_RERUN_FAILED=0");
  const std::string program = "\"" + std::string(path) + "\"";
  const std::string filterArg = "--gtest_filter=" + filter;
  const intptr_t rc = _spawnl(_P_WAIT, path, program.c_str(), filterArg.c_str(), "--gtest_brief=1", nullptr);
  return rc == 0 ? 0 : result;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  if (result == 0 && !GTEST_FLAG_GET(list_tests) && testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "error: this run selected no test\n");
    return 1;
  }
#ifdef _WIN32
  if (result != 0)
    result = RerunFailedOnce(result);
#endif
  return result;
}
