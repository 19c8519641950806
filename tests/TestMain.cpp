// The main of every test executable. A run that selects no test fails: a
// mistyped filter, a child run that finds nothing to do or an executable
// whose tests were not linked in must not pass as if it had checked
// something.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  if (result == 0 && !GTEST_FLAG_GET(list_tests) && testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "error: this run selected no test\n");
    return 1;
  }
  return result;
}
