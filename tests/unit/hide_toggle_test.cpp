#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/recording_hide_steps.h"
#include "fakes/simulated_hide_mode.h"
#include "hide/hide_toggle.h"

namespace dpx {
namespace {

class HideToggleTest : public ::testing::Test, protected fakes::SimulatedHideMode {
 protected:
  HideToggleTest() { window = desktop.AddWindow({L"Editor"}); }

  fakes::RecordingHideSteps steps{hideMode};
  Options options;
  bool ready = true;
  HideToggle toggle{hideMode, steps, options, ready};
  WindowHandle window;
};

TEST_F(HideToggleTest, HideAndRestoreRunEveryStepInOrder) {
  options.hideDesktop = true;
  options.hideTaskBar = false;
  options.hideTray = true;

  toggle.Toggle();
  EXPECT_EQ(steps.calls, (std::vector<std::string>{
                             "RememberActiveWindow", "CloseActiveWindow", "SwitchToSelectedMode",
                             "HideWallpaper", "SaveCurrentVolume", "ApplyDesiredVolume",
                             "BringToTop [hidden]", "HideShellSurfaces 101 [hidden]"}));
  EXPECT_FALSE(desktop.IsVisible(window));

  steps.calls.clear();
  toggle.Toggle();
  EXPECT_EQ(steps.calls, (std::vector<std::string>{
                             "RestoreShellSurfaces [hidden]", "RestoreDisplayMode [hidden]",
                             "RestoreWallpaper [hidden]", "RestoreSavedVolume [hidden]",
                             "ReactivateActiveWindow", "RefreshVisibleWindowsList"}));
  EXPECT_TRUE(desktop.IsVisible(window));
  EXPECT_FALSE(hideMode.Active());
}

TEST_F(HideToggleTest, ShellSurfaceOptionsAreReadWhenTheStepRuns) {
  options.hideTray = false;
  toggle.Toggle();
  EXPECT_EQ(steps.calls.back(), "HideShellSurfaces 000 [hidden]");
}

TEST_F(HideToggleTest, DoesNothingBeforeTheProgramIsReady) {
  ready = false;
  toggle.Toggle();
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(desktop.IsVisible(window));
}

TEST_F(HideToggleTest, FailingSideActionBeforeTheHolderLeavesTheNormalState) {
  steps.throwIn = "ApplyDesiredVolume";
  EXPECT_THROW(toggle.Toggle(), std::runtime_error);
  EXPECT_FALSE(hideMode.Active());
  EXPECT_TRUE(desktop.IsVisible(window));
  EXPECT_EQ(steps.calls.back(), "ApplyDesiredVolume");
}

TEST_F(HideToggleTest, TwoTogglesLeaveEveryWindowShownWithItsStyle) {
  desktop.Window(window).exStyle = 0x40100;
  toggle.Toggle();
  toggle.Toggle();
  EXPECT_TRUE(desktop.IsVisible(window));
  EXPECT_EQ(desktop.ExStyle(window), 0x40100u);
  EXPECT_EQ(hideMode.Holder(), nullptr);
}

}  // namespace
}  // namespace dpx
