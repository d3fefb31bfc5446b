// The sound, display-mode and wallpaper side actions against the real platform layer under the
// test session's Wine and Xorg-dummy display. Each test puts the display mode and the wallpaper
// value back as it found them.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>

#include "actions/display_mode_action.h"
#include "actions/display_mode_text.h"
#include "actions/resolution_menu.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "platform/win32/audio_output_win32.h"
#include "platform/win32/desktop_wallpaper_win32.h"
#include "platform/win32/display_modes_win32.h"
#include "platform/win32/user_registry_win32.h"
#include "ui/win32/display_test_dialog.h"

namespace dpx {
namespace {

using Clock = std::chrono::steady_clock;

// Puts the mode in force at its start back at its end.
class ModeGuard {
 public:
  explicit ModeGuard(DisplayModes& modes) : modes_(modes), original_(modes.Settings(-1)) {}
  ~ModeGuard() {
    if (original_ && modes_.Settings(kCurrentSettings)->mode != original_->mode)
      modes_.Change(*original_);
  }
  const DisplayMode& original() const { return original_->mode; }

 private:
  DisplayModes& modes_;
  std::optional<DisplaySettings> original_;
};

class DisplayModesWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(modes.Settings(kCurrentSettings)) << "no settings in force";
    target = ListedModeOfAnotherSize();
    ASSERT_GE(target, 0) << "the display offers a single size; the dummy driver offers many";
    options.resolution = target;
  }

  // A listed mode whose size differs from the one in force, 1024x768 when there is one.
  int ListedModeOfAnotherSize() {
    const DisplayMode current = modes.Settings(kCurrentSettings)->mode;
    int other = -1;
    for (int index = 0; const auto listed = modes.Settings(index); ++index) {
      const DisplayMode& mode = listed->mode;
      if (mode.width == current.width && mode.height == current.height) continue;
      if (mode.width == 1024 && mode.height == 768) return index;
      if (other < 0) other = index;
    }
    return other;
  }
  DisplayMode Current() { return modes.Settings(kCurrentSettings)->mode; }
  DisplayMode Target() { return modes.Settings(target)->mode; }

  win32::Win32DisplayModes modes;
  ModeGuard guard{modes};
  Options options;
  DisplayModeAction action{modes, options};
  int target = -1;
};

TEST_F(DisplayModesWin32Test, TheModeInForceIsAListedModeAndInTheMenu) {
  const int current = action.CurrentModeIndex();
  ASSERT_GE(current, 0);
  EXPECT_EQ(modes.Settings(current)->mode, Current());
  EXPECT_EQ(modes.Settings(current)->record.size(), 220u);
  EXPECT_EQ(action.DisplayModeText(current), ModeText(Current()));
  EXPECT_EQ(action.DisplayModeText(1 << 20), kNoDisplayModeText);

  const ResolutionMenu menu = BuildResolutionMenu(modes);
  ASSERT_FALSE(menu.empty());
  std::set<std::wstring> sizes;
  for (const SizeItem& size : menu) {
    EXPECT_TRUE(sizes.insert(size.caption).second) << "one item per size";
    for (const DepthItem& depth : size.depths)
      for (const FrequencyItem& item : depth.frequencies) {
        const std::optional<DisplayMode> raw = modes.RawMode(item.modeNumber);
        ASSERT_TRUE(raw);
        EXPECT_EQ(size.caption, std::to_wstring(raw->width) + L"x" + std::to_wstring(raw->height));
        EXPECT_EQ(item.caption, std::to_wstring(raw->frequency) + L" Hz");
      }
  }
  EXPECT_EQ(
      sizes.count(std::to_wstring(Current().width) + L"x" + std::to_wstring(Current().height)), 1u);
}

TEST_F(DisplayModesWin32Test, HideSwitchesTheScreenAndRestoreSwitchesItBack) {
  options.switchResolution = true;
  action.SwitchToSelectedMode();
  EXPECT_EQ(Current(), Target());
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), static_cast<int>(Target().width));

  action.RestoreDisplayMode();
  EXPECT_EQ(Current(), guard.original());
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), static_cast<int>(guard.original().width));
}

TEST_F(DisplayModesWin32Test, WithTheBoxClearedOrNoSuchModeTheScreenStays) {
  action.SwitchToSelectedMode();
  EXPECT_EQ(Current(), guard.original());
  options.switchResolution = true;
  options.resolution = 1 << 20;
  action.SwitchToSelectedMode();
  action.RestoreDisplayMode();
  EXPECT_EQ(Current(), guard.original());
}

// Watches the test dialog from inside its modal loop through a thread timer.
struct DialogWatch {
  std::set<std::wstring> secondsTexts;
  std::wstring question;
  DisplayMode modeWhileShown;
  LONG_PTR style = 0;
  LONG_PTR exStyle = 0;
  bool pressYes = false;
  DisplayModes* modes = nullptr;
};
DialogWatch* watch = nullptr;  // the timer procedure has no context of its own

void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = ::FindWindowW(nullptr, ui::kDisplayTestCaption);
  if (!dialog || !watch) return;
  wchar_t text[200] = {};
  ::GetDlgItemTextW(dialog, ui::kDisplayTestSecondsId, text, 200);
  watch->secondsTexts.insert(text);
  ::GetDlgItemTextW(dialog, ui::kDisplayTestQuestionId, text, 200);
  watch->question = text;
  watch->style = ::GetWindowLongPtrW(dialog, GWL_STYLE);
  watch->exStyle = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE);
  watch->modeWhileShown = watch->modes->Settings(kCurrentSettings)->mode;
  if (watch->pressYes) ::PostMessageW(dialog, WM_COMMAND, IDYES, 0);
}

class DisplayTestDialogWin32Test : public DisplayModesWin32Test {
 protected:
  void SetUp() override {
    DisplayModesWin32Test::SetUp();
    seen.modes = &modes;
    watch = &seen;
    timer = ::SetTimer(nullptr, 0, 200, WatchDialog);
  }
  void TearDown() override {
    ::KillTimer(nullptr, timer);
    watch = nullptr;
  }

  DialogWatch seen;
  UINT_PTR timer = 0;
  ui::DisplayTestDialog dialog{nullptr};
};

TEST_F(DisplayTestDialogWin32Test, CountsDownClosesItselfAndTheModeIsBack) {
  const auto start = Clock::now();
  ASSERT_TRUE(action.TestSelectedMode(dialog));
  const auto shown = Clock::now() - start;

  // The dialog's own bound: it closes on the tenth one-second tick.
  EXPECT_GE(shown, std::chrono::milliseconds(9500));
  EXPECT_LT(shown, std::chrono::seconds(15));
  for (int seconds = 10; seconds >= 1; --seconds) {
    EXPECT_EQ(seen.secondsTexts.count(L"Original mode will be restored in " +
                                      std::to_wstring(seconds) + L" seconds."),
              1u)
        << seconds;
  }
  EXPECT_EQ(seen.question, L"Does this mode display correctly?");
  EXPECT_EQ(seen.style & WS_SYSMENU, 0) << "no title-bar buttons";
  EXPECT_NE(seen.style & WS_CAPTION, 0);
  EXPECT_NE(seen.exStyle & WS_EX_TOPMOST, 0);
  EXPECT_EQ(seen.modeWhileShown, Target());
  EXPECT_EQ(Current(), guard.original());
  EXPECT_FALSE(::FindWindowW(nullptr, ui::kDisplayTestCaption)) << "the dialog is gone";
}

TEST_F(DisplayTestDialogWin32Test, YesClosesItAtOnceAndTheModeIsBack) {
  seen.pressYes = true;
  const auto start = Clock::now();
  ASSERT_TRUE(action.TestSelectedMode(dialog));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(seen.modeWhileShown, Target());
  EXPECT_EQ(Current(), guard.original());
}

// Puts the registry value "Wallpaper" back as it was.
class WallpaperValueGuard {
 public:
  explicit WallpaperValueGuard(UserRegistry& registry)
      : registry_(registry), original_(registry.ReadText(kDesktopKey, kWallpaperValue)) {}
  ~WallpaperValueGuard() {
    if (original_) {
      registry_.WriteText(kDesktopKey, kWallpaperValue, *original_);
    } else {
      HKEY key = nullptr;
      if (::RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == 0) {
        ::RegDeleteValueW(key, kWallpaperValue);
        ::RegCloseKey(key);
      }
    }
  }

 private:
  UserRegistry& registry_;
  std::optional<std::wstring> original_;
};

TEST(WallpaperWin32Test, RegistryRouteEmptiesTheValueWhileHiddenAndWritesTheSameTextBack) {
  win32::Win32UserRegistry registry;
  win32::Win32DesktopWallpaper desktop;
  WallpaperValueGuard guard(registry);
  Options options;
  options.hideWallpaper = true;
  WallpaperAction wallpaper(desktop, registry, options);
  if (wallpaper.IsActiveDesktopOn()) GTEST_SKIP() << "Active Desktop is on: the object route";

  const std::wstring old = L"C:\\users\\Public\\Pictures\\DPX test  wallpaper.bmp";
  ASSERT_TRUE(registry.WriteText(kDesktopKey, kWallpaperValue, old));
  wallpaper.HideWallpaper();
  EXPECT_EQ(registry.ReadText(kDesktopKey, kWallpaperValue), L"");
  wallpaper.RestoreWallpaper();
  EXPECT_EQ(registry.ReadText(kDesktopKey, kWallpaperValue), old);
}

// Which answer this machine gives: DPX_EXPECT_AUDIO names it when the session knows
// ("none": no sound server, "stub": Wine's endpoint volume stub).
std::string ExpectedAudio() {
  const char* expected = std::getenv("DPX_EXPECT_AUDIO");
  return expected ? expected : "";
}

TEST(AudioWin32Test, TheEndpointLookupAnswersAsTheMachineIs) {
  win32::Win32AudioOutput audio;
  std::unique_ptr<EndpointVolume> endpoint;
  try {
    endpoint = audio.GetEndpointVolume();
  } catch (const AudioUnavailable& error) {
    FAIL() << "Wine has Core Audio's enumerator: " << error.what();
  }
  if (ExpectedAudio() == "none") {
    EXPECT_EQ(endpoint, nullptr) << "no sound server, no playback endpoint";
  } else if (ExpectedAudio() == "stub") {
    ASSERT_NE(endpoint, nullptr);
    EXPECT_EQ(endpoint->MasterLevel(), 1.0f);
    EXPECT_FALSE(endpoint->SetMasterLevel(0.25f)) << "E_NOTIMPL";
    EXPECT_EQ(endpoint->MasterLevel(), 1.0f);
    EXPECT_TRUE(endpoint->Muted().has_value());
  } else {
    GTEST_SKIP() << "DPX_EXPECT_AUDIO is not set; endpoint " << (endpoint ? "found" : "not found");
  }
}

TEST(AudioWin32Test, HideTestAndRestoreCompleteWhateverTheEndpointAnswers) {
  win32::Win32AudioOutput audio;
  Options options;
  options.volume = 16384;
  options.volumeMuted = true;
  SoundAction sound(audio, options);
  const std::optional<VolumeState> before = sound.CurrentVolume();

  EXPECT_NO_THROW(sound.SaveCurrentVolume());
  EXPECT_NO_THROW(sound.ApplyDesiredVolume());
  EXPECT_NO_THROW(sound.TestDesiredVolume());
  EXPECT_NO_THROW(sound.RestoreSavedVolume());
  EXPECT_EQ(sound.CurrentVolume(), before);
  if (ExpectedAudio() == "stub") {
    EXPECT_EQ(sound.saved(), (VolumeState{65535, false}));
  }
  if (ExpectedAudio() == "none") {
    EXPECT_EQ(before, std::nullopt);
  }
}

}  // namespace
}  // namespace dpx
