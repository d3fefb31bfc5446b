// Runs the side actions of one hide and its restore on command, so that a script can check the
// X screen and the registry from outside in between. Reads one command per line:
//   modes                      "mode N WxHxB@F" per listed mode, then "current N"
//   hide MODE WALLPAPER SOUND  hide steps with the mode number (-1: no switch) and 0/1 boxes
//   restore                    the restore steps, with the boxes as at the hide
//   test MODE                  the display mode test with its dialog
//   activedesktop              "object missing", "off" or "on"
//   quit
// and answers each with a line ending in "done".
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "actions/display_mode_action.h"
#include "actions/sound_action.h"
#include "actions/wallpaper_action.h"
#include "platform/win32/audio_output_win32.h"
#include "platform/win32/desktop_wallpaper_win32.h"
#include "platform/win32/display_modes_win32.h"
#include "platform/win32/user_registry_win32.h"
#include "ui/win32/display_test_dialog.h"

namespace {

void Answer(const std::string& line) {
  std::cout << line << std::endl;  // flushed: the script waits for it
}

void ListModes(dpx::DisplayModes& modes, dpx::DisplayModeAction& display) {
  for (int index = 0; const auto listed = modes.Settings(index); ++index) {
    const dpx::DisplayMode& mode = listed->mode;
    std::printf("mode %d %ux%ux%u@%u\n", index, mode.width, mode.height, mode.bitsPerPel,
                mode.frequency);
  }
  std::printf("current %d\n", display.CurrentModeIndex());
  std::fflush(stdout);
}

}  // namespace

int main() {
  dpx::win32::Win32DisplayModes modes;
  dpx::win32::Win32AudioOutput audio;
  dpx::win32::Win32DesktopWallpaper desktop;
  dpx::win32::Win32UserRegistry registry;
  dpx::Options options;
  dpx::DisplayModeAction display(modes, options);
  dpx::WallpaperAction wallpaper(desktop, registry, options);
  dpx::SoundAction sound(audio, options);

  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "modes") {
      ListModes(modes, display);
      Answer("modes done");
    } else if (command == "hide") {
      int mode = -1, hideWallpaper = 0, modifySound = 0;
      words >> mode >> hideWallpaper >> modifySound;
      options.switchResolution = mode >= 0;
      options.resolution = mode;
      options.hideWallpaper = hideWallpaper != 0;
      options.modifyVolume = modifySound != 0;
      options.volume = 0;
      options.volumeMuted = true;
      // In the toggle's order.
      display.SwitchToSelectedMode();
      wallpaper.HideWallpaper();
      sound.SaveCurrentVolume();
      sound.ApplyDesiredVolume();
      Answer("hide done");
    } else if (command == "restore") {
      display.RestoreDisplayMode();
      wallpaper.RestoreWallpaper();
      sound.RestoreSavedVolume();
      Answer("restore done");
    } else if (command == "test") {
      words >> options.resolution;
      dpx::ui::DisplayTestDialog dialog(nullptr);
      Answer(display.TestSelectedMode(dialog) ? "test done" : "test skipped done");
    } else if (command == "activedesktop") {
      const auto object = desktop.OpenActiveDesktop();
      Answer(!object ? "object missing" : object->IsEnabled() ? "on" : "off");
      Answer("activedesktop done");
    } else if (command == "quit") {
      Answer("quit done");
      return 0;
    } else {
      Answer("unknown done");
    }
  }
  return 0;
}
