// Test cases with known ends for the tests of scripts/run-test.sh's verdict
// (verdict_test.sh picks them by filter): a crash, an exit inside a test, a
// test that fails only after another one, a test that fails on its first
// run only. Not a test of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

int g_nFirstRan = 0;

volatile int* NoWhere() {
  return reinterpret_cast<volatile int*>(std::getenv("BRIVANE_PROBE_NEVER_SET"));
}

TEST(Probe, Passes) {}

TEST(Crash, ReadsThroughANullPointer) {
  EXPECT_EQ(0, *NoWhere());
}

TEST(Crash, NeverRuns) {}

TEST(Exit, InsideATest) {
  std::exit(0);
}

TEST(Order, First) {
  ++g_nFirstRan;
}

TEST(Order, FailsAfterFirst) {
  EXPECT_EQ(0, g_nFirstRan);
}

// Fails while the file BRIVANE_PROBE_MARKER names does not exist, making it.
TEST(Flaky, FailsOnceThenPasses) {
  const char* path = std::getenv("BRIVANE_PROBE_MARKER");
  ASSERT_NE(nullptr, path);
  if (FILE* file = std::fopen(path, "r")) {
    std::fclose(file);
    return;
  }
  FILE* file = std::fopen(path, "w");
  ASSERT_NE(nullptr, file);
  std::fclose(file);
  ADD_FAILURE() << "the first run";
}

}  // namespace
