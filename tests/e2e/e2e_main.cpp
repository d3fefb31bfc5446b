// The end-to-end tests' entry point: a failure leaves a picture of the screen as it was, named
// after the test, so a failure seen once (in CI, say) can still be looked at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dpx_windows.h"
#include "harness.h"

namespace {

class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed() || tookOne_) return;
    tookOne_ = true;  // the first failure shows the screen closest to the cause
    const std::string path = (dpx::e2e::ScreenshotFolder() / ("failed-" + test_ + ".png")).string();
    dpx::e2e::Screenshot(path);
    std::printf("the screen at the first failure: %s\n", path.c_str());
  }
  // Not asked of the unit test while a result is reported: gtest holds its lock then.
  void OnTestStart(const ::testing::TestInfo& test) override {
    test_ = std::string(test.test_suite_name()) + "." + test.name();
    tookOne_ = false;
  }

  std::string test_;
  bool tookOne_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  return RUN_ALL_TESTS();
}
