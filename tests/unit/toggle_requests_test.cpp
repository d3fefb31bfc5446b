#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/recording_hide_steps.h"
#include "fakes/simulated_hide_mode.h"
#include "hide/toggle_requests.h"

namespace dpx {
namespace {

// Requests that arrive while a pass waits on another program, as the simulated desktop hands
// them to DPX's thread inside a WM_NULL wait or a side action.
class ToggleRequestsTest : public ::testing::Test, protected fakes::SimulatedHideMode {
 protected:
  ToggleRequestsTest() {
    for (ThreadId thread = 1; thread <= 4; ++thread)
      windows.push_back(
          desktop.AddWindow({.title = L"Window", .exStyle = 0x100u * thread, .thread = thread}));
  }

  // Runs `request` once, inside the next WM_NULL wait of a pass.
  void DuringNextWait(std::function<void()> request) {
    desktop.whileWaiting = [this, request] {
      desktop.whileWaiting = nullptr;
      request();
    };
  }
  bool AllShownWithTheirStyles() {
    for (ThreadId thread = 1; thread <= 4; ++thread) {
      const WindowHandle window = windows[thread - 1];
      if (!desktop.IsVisible(window) || desktop.ExStyle(window) != 0x100u * thread) return false;
    }
    return true;
  }
  bool AllHidden() {
    for (WindowHandle window : windows)
      if (desktop.IsVisible(window)) return false;
    return true;
  }

  fakes::RecordingHideSteps steps{hideMode};
  Options options;
  bool ready = true;
  HideToggle toggle{hideMode, steps, options, ready};
  ToggleRequests requests{toggle, hideMode};
  std::vector<WindowHandle> windows;
};

TEST_F(ToggleRequestsTest, RestoreRequestDuringAHideRunsRightAfterIt) {
  bool insidePass = false;
  DuringNextWait([&] {
    insidePass = requests.PassRunning();
    requests.Restore();
    // Kept, not run: the hide still holds every captured window.
    ASSERT_TRUE(hideMode.Active());
    EXPECT_EQ(hideMode.Holder()->size(), windows.size());
  });
  requests.Press();

  EXPECT_TRUE(insidePass);
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(AllShownWithTheirStyles());
  EXPECT_FALSE(requests.PassRunning());
  // The hide ran whole before the restore began.
  EXPECT_EQ(steps.calls.front(), "RememberActiveWindow");
  EXPECT_EQ(steps.calls.at(7), "HideShellSurfaces 001 [hidden]");
  EXPECT_EQ(steps.calls.at(8), "RestoreShellSurfaces [hidden]");

  // The next presses turn every window over together.
  requests.Press();
  EXPECT_TRUE(AllHidden());
  requests.Press();
  EXPECT_TRUE(AllShownWithTheirStyles());
}

TEST_F(ToggleRequestsTest, PressesDuringAPassAreMergedIntoTheEndStateTheyAskFor) {
  // One press kept during the hide: restored after it.
  DuringNextWait([&] { requests.Press(); });
  requests.Press();
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(AllShownWithTheirStyles());

  // Two presses kept during the hide cancel out: it stays hidden, with no restore between.
  steps.calls.clear();
  DuringNextWait([&] {
    requests.Press();
    requests.Press();
  });
  requests.Press();
  EXPECT_TRUE(hideMode.Active());
  EXPECT_TRUE(AllHidden());
  EXPECT_EQ(steps.calls.back(), "HideShellSurfaces 001 [hidden]");
  EXPECT_EQ(steps.calls.size(), 8u);

  // A press kept during a restore hides again after it. The restore sends no WM_NULL: the press
  // arrives while its display switch waits, as a switch hands DPX's thread the messages sent to it.
  steps.runIn = "RestoreDisplayMode";
  steps.run = [&] {
    steps.run = nullptr;
    requests.Press();
  };
  requests.Press();
  EXPECT_TRUE(hideMode.Active());
  EXPECT_TRUE(AllHidden());
}

TEST_F(ToggleRequestsTest, RestoreRequestOverridesEarlierPressesButNotLaterOnes) {
  DuringNextWait([&] {
    requests.Press();
    requests.Restore();
  });
  requests.Press();
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(AllShownWithTheirStyles());
  // Hide, then restore: no second hide and restore for the press before the request.
  EXPECT_EQ(steps.calls.size(), 8u + 6u);

  DuringNextWait([&] {
    requests.Restore();
    requests.Press();
  });
  requests.Press();
  EXPECT_TRUE(hideMode.Active());
  EXPECT_TRUE(AllHidden());
}

TEST_F(ToggleRequestsTest, RestoreRequestWhileShownChangesNothing) {
  requests.Restore();
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_TRUE(AllShownWithTheirStyles());
}

TEST_F(ToggleRequestsTest, RequestArrivingInASideActionWaitsForThePassToo) {
  steps.runIn = "SwitchToSelectedMode";
  steps.run = [&] {
    steps.runIn.clear();
    requests.Restore();
    EXPECT_FALSE(hideMode.Active());  // hide mode has not even begun
  };
  requests.Press();
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(AllShownWithTheirStyles());
  EXPECT_EQ(steps.calls.at(8), "RestoreShellSurfaces [hidden]");
}

TEST_F(ToggleRequestsTest, FailedHideStillRunsTheRestoreKeptBehindIt) {
  steps.throwIn = "BringToTop";
  DuringNextWait([&] { requests.Restore(); });
  EXPECT_THROW(requests.Press(), std::runtime_error);
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(AllShownWithTheirStyles());
  EXPECT_FALSE(requests.PassRunning());
}

TEST_F(ToggleRequestsTest, WorkArrivingDuringAPassRunsAfterItAndNothingRunsOnceClosed) {
  std::vector<bool> hiddenWhenRun;
  DuringNextWait([&] {
    requests.AfterPass([&] {
      hiddenWhenRun.push_back(hideMode.Active() && AllHidden());
      requests.Close();
    });
    requests.Press();  // presses and restores kept run before other work
  });
  requests.Press();
  EXPECT_EQ(hiddenWhenRun, std::vector<bool>{false});

  requests.Press();
  requests.Restore();
  requests.AfterPass([&] { hiddenWhenRun.push_back(true); });
  EXPECT_EQ(hiddenWhenRun.size(), 1u);
  EXPECT_TRUE(AllShownWithTheirStyles());
}

}  // namespace
}  // namespace dpx
