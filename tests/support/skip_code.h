#pragma once

// skip_code.h: how a test program that runs several tests tells CTest it
// skipped something. A pattern over the output would also call a run skipped
// whose failure message merely quotes a skip.

#include <gtest/gtest.h>

// The exit code for CTest's SKIP_RETURN_CODE: 77 when nothing failed and a
// test was skipped, else what RUN_ALL_TESTS answered.
inline int SkipAwareResult(int result) {
    return result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? 77 : result;
}
