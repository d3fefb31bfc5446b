#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "actions/display_mode_action.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "fakes/fake_text_services.h"
#include "fakes/fake_user_registry.h"
#include "fakes/fake_window_marks.h"
#include "fakes/simulated_audio.h"
#include "fakes/simulated_desktop.h"
#include "fakes/simulated_display.h"
#include "fakes/simulated_wallpaper.h"
#include "hide/hide_recovery.h"
#include "hide/hide_toggle.h"
#include "hide/journal_trail.h"

namespace dpx {
namespace {

const DisplayMode kUserMode{1920, 1080, 32, 60};
const DisplayMode kHideMode{640, 480, 32, 60};
const std::wstring kUserPicture = L"C:\\Users\\me\\beach.jpg";
constexpr float kUserLevel = 0.8f;

// Stands for the process being killed: thrown at a chosen step, it unwinds the hide the way the
// end of the process would stop it, and from then on the dead run writes nothing.
struct Killed {};

class KillingTrail final : public HideTrail {
 public:
  KillingTrail(HideTrail& inner, int killAt) : inner_(inner), killAt_(killAt) {}

  void SideActionChanging() override {
    Step([&] { inner_.SideActionChanging(); });
  }
  void Captured(const CapturedWindowList& holder) override {
    Step([&] { inner_.Captured(holder); });
  }
  void Hiding(const TWinInfo& window) override {
    if (!dead_) inner_.Hiding(window);
  }
  void SurfacesHiding(const HiddenSurfaces& surfaces) override {
    Step([&] { inner_.SurfacesHiding(surfaces); });
  }
  void Shown(WindowHandle window) override {
    if (!dead_) inner_.Shown(window);
  }
  void Ended() override {
    if (!dead_) inner_.Ended();
  }
  void Abandoned() override {
    if (!dead_) inner_.Abandoned();
  }

 private:
  // The kill comes before the step writes anything: the change of the step before is done.
  template <typename Write>
  void Step(Write&& write) {
    if (dead_) return;
    if (++steps_ == killAt_) {
      dead_ = true;
      throw Killed{};
    }
    write();
  }
  HideTrail& inner_;
  int killAt_;
  int steps_ = 0;
  bool dead_ = false;
};

// The side actions that change the desktop, each through its real action.
class SideActionSteps final : public HideSteps {
 public:
  SideActionSteps(DisplayModeAction& display, WallpaperAction& wallpaper, SoundAction& sound)
      : display_(display), wallpaper_(wallpaper), sound_(sound) {}
  void RememberActiveWindow() override {}
  void CloseActiveWindow() override {}
  void SwitchToSelectedMode() override { display_.SwitchToSelectedMode(); }
  void HideWallpaper() override { wallpaper_.HideWallpaper(); }
  void SaveCurrentVolume() override { sound_.SaveCurrentVolume(); }
  void ApplyDesiredVolume() override { sound_.ApplyDesiredVolume(); }
  void BringToTop() override {}
  void HideShellSurfaces(bool, bool, bool) override {}
  void RestoreShellSurfaces() override {}
  void RestoreDisplayMode() override { display_.RestoreDisplayMode(); }
  void RestoreWallpaper() override { wallpaper_.RestoreWallpaper(); }
  void RestoreSavedVolume() override { sound_.RestoreSavedVolume(); }
  void ReactivateActiveWindow() override {}
  void RefreshVisibleWindowsList() override {}

 private:
  DisplayModeAction& display_;
  WallpaperAction& wallpaper_;
  SoundAction& sound_;
};

// What the next start puts back, through a fresh set of actions (the dead run's are gone).
class NextStartSteps final : public RecoverySteps {
 public:
  NextStartSteps(DisplayModeAction& display, WallpaperAction& wallpaper, SoundAction& sound)
      : display_(display), wallpaper_(wallpaper), sound_(sound) {}
  void ShowShellSurfaces(const HiddenSurfaces& surfaces) override { shown = surfaces; }
  void PutBackDisplaySettings(const DisplaySettings& s) override {
    display_.PutBackDisplaySettings(s);
  }
  void PutBackWallpaper(const std::wstring& path) override { wallpaper_.PutBackWallpaper(path); }
  void PutBackVolume(const VolumeState& volume) override { sound_.PutBackVolume(volume); }
  HiddenSurfaces shown;

 private:
  DisplayModeAction& display_;
  WallpaperAction& wallpaper_;
  SoundAction& sound_;
};

// One desktop; a first run hides and is killed at a step, a second run starts on the same desktop
// and data folder.
class KilledHideTest : public ::testing::TestWithParam<int> {
 protected:
  KilledHideTest() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (ThreadId thread = 1; thread <= 3; ++thread)
      windows.push_back(
          desktop.AddWindow({.title = L"W", .exStyle = 0x10u * thread, .thread = thread}));
    registry.WriteText(kDesktopKey, kWallpaperValue, kUserPicture);
    audio.AddDevice({kUserLevel, false});
    options.switchResolution = true;
    options.resolution = 0;
    options.hideWallpaper = true;
    options.modifyVolume = true;
    options.volume = 1000;
    options.hideTaskBar = true;
  }
  ~KilledHideTest() override { std::filesystem::remove_all(folder); }

  // The first run: every side action writes the journal before it changes the desktop.
  void HideAndDieAt(int killAt) {
    HideJournalFile file{journalPath.wstring()};
    std::unique_ptr<HideTrail> trail;
    DisplayModeAction display{screen, options, [&] { trail->SideActionChanging(); }};
    WallpaperAction wallpaper{shell, registry, options, [&] { trail->SideActionChanging(); }};
    SoundAction sound{audio, options, [&] { trail->SideActionChanging(); }};
    JournalTrail journal{file, marks, [&](HideJournal& j) {
                           j.displaySettings = display.SettingsToPutBack();
                           j.wallpaperPath = wallpaper.PathToPutBack();
                           j.savedVolume = sound.VolumeToPutBack();
                         }};
    trail = std::make_unique<KillingTrail>(journal, killAt);
    WindowCapture capture{desktop, desktop, program};
    HideMode hideMode{desktop, capture, program, text, doNotHide};
    hideMode.SetTrail(trail.get());
    SideActionSteps steps{display, wallpaper, sound};
    const bool ready = true;
    HideToggle toggle{hideMode, steps, options, ready, trail.get()};
    try {
      toggle.Toggle();
    } catch (const Killed&) {
    }
  }
  void NextStart() {
    HideJournalFile file{journalPath.wstring()};
    DisplayModeAction display{screen, options};
    WallpaperAction wallpaper{shell, registry, options};
    SoundAction sound{audio, options};
    NextStartSteps steps{display, wallpaper, sound};
    HideRecovery recovery{desktop, desktop, marks, file, steps};
    recovery.Recover();
    surfacesShown = steps.shown;
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("dpx-killed-" + std::to_string(::getpid()) + "-" + std::to_string(GetParam()));
  std::filesystem::path journalPath = folder / "HideJournal.dat";
  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeTextServices text;
  fakes::FakeWindowMarks marks{desktop};
  fakes::FakeUserRegistry registry;
  fakes::SimulatedWallpaper shell{registry};
  fakes::SimulatedAudio audio;
  fakes::SimulatedDisplay screen{{kHideMode, kUserMode}, kUserMode};
  std::vector<ListEntry> doNotHide;
  Options options;
  std::vector<WindowHandle> windows;
  HiddenSurfaces surfacesShown;
};

// Kills right before the display, wallpaper, volume, capture and surfaces steps write the
// journal (each time the step before has changed the desktop), and after the whole hide.
INSTANTIATE_TEST_SUITE_P(EachStep, KilledHideTest, ::testing::Range(1, 7));

TEST_P(KilledHideTest, TheNextStartPutsBackExactlyWhatTheDeadRunChanged) {
  const int killAt = GetParam();
  HideAndDieAt(killAt);
  // What the dead run had done by then.
  EXPECT_EQ(screen.current() == kHideMode, killAt >= 2);
  EXPECT_EQ(registry.ReadText(kDesktopKey, kWallpaperValue) == L"", killAt >= 3);
  EXPECT_EQ(VolumeFromLevel(audio.Device(0).level) == 1000, killAt >= 4);
  EXPECT_EQ(!desktop.IsVisible(windows[0]), killAt >= 5);

  const std::size_t switchesBefore = screen.changes().size();
  NextStart();

  EXPECT_EQ(screen.current(), kUserMode);
  EXPECT_EQ(registry.ReadText(kDesktopKey, kWallpaperValue), kUserPicture);
  EXPECT_EQ(VolumeFromLevel(audio.Device(0).level), VolumeFromLevel(kUserLevel));
  for (std::size_t i = 0; i < windows.size(); ++i) {
    EXPECT_TRUE(desktop.IsVisible(windows[i]));
    EXPECT_EQ(desktop.ExStyle(windows[i]), 0x10u * (i + 1));
  }
  // Nothing the dead run did not change is touched: no switch before it switched, no taskbar
  // before it took the taskbar.
  EXPECT_EQ(screen.changes().size() - switchesBefore, killAt >= 2 ? 1u : 0u);
  EXPECT_EQ(surfacesShown.taskbar, killAt >= 6);
  EXPECT_FALSE(std::filesystem::exists(journalPath));
}

}  // namespace
}  // namespace dpx
