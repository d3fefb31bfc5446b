#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_text_services.h"
#include "fakes/simulated_desktop.h"
#include "hide/hide_toggle.h"

namespace dpx {
namespace {

// Records the side actions in the order the toggle runs them, with what hide mode was then.
class RecordingSteps final : public HideSteps {
 public:
  explicit RecordingSteps(const HideMode& hideMode) : hideMode_(hideMode) {}

  std::vector<std::string> calls;
  std::string throwIn;

  void RememberActiveWindow() override { Record("RememberActiveWindow"); }
  void CloseActiveWindow() override { Record("CloseActiveWindow"); }
  void SwitchToSelectedMode() override { Record("SwitchToSelectedMode"); }
  void HideWallpaper() override { Record("HideWallpaper"); }
  void SaveCurrentVolume() override { Record("SaveCurrentVolume"); }
  void ApplyDesiredVolume() override { Record("ApplyDesiredVolume"); }
  void BringToTop() override { Record("BringToTop"); }
  void HideShellSurfaces(bool desktop, bool taskbar, bool tray) override {
    Record(std::string("HideShellSurfaces ") + (desktop ? "1" : "0") + (taskbar ? "1" : "0") +
           (tray ? "1" : "0"));
  }
  void RestoreShellSurfaces() override { Record("RestoreShellSurfaces"); }
  void RestoreDisplayMode() override { Record("RestoreDisplayMode"); }
  void RestoreWallpaper() override { Record("RestoreWallpaper"); }
  void RestoreSavedVolume() override { Record("RestoreSavedVolume"); }
  void ReactivateActiveWindow() override { Record("ReactivateActiveWindow"); }
  void RefreshVisibleWindowsList() override { Record("RefreshVisibleWindowsList"); }

 private:
  void Record(const std::string& step) {
    calls.push_back(step + (hideMode_.Active() ? " [hidden]" : ""));
    if (step == throwIn) throw std::runtime_error("failed in " + step);
  }
  const HideMode& hideMode_;
};

class HideToggleTest : public ::testing::Test {
 protected:
  HideToggleTest() { window = desktop.AddWindow({L"Editor"}); }

  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
  RecordingSteps steps{hideMode};
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
