#pragma once

#include <cstdint>
#include <string>

namespace dpx {

// One mouse hot corner as the user set it.
struct CornerOption {
  bool enabled = false;
  int zoneSize = 20;        // pixels
  int hoverInterval = 500;  // milliseconds
  std::uint8_t corner = 0;  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right

  bool operator==(const CornerOption&) const = default;
};

// Every option the user sets, with its default (also the default of its key in "dpx.dat"). The
// controls of the main window write through to this one model and are refreshed from it; there is
// no other copy.
struct Options {
  // Sound
  bool modifyVolume = true;
  std::uint16_t volume = 65535;
  bool volumeMuted = false;
  // Special windows
  bool hideDesktop = false;
  bool hideTaskBar = false;
  bool hideTray = true;
  // General
  bool hideNewlyCreatedWindows = false;
  bool closeActiveWindow = false;
  bool hideWallpaper = false;
  // Screen saver
  bool lockWorkstation = true;
  // Display
  int resolution = 0;  // the selected mode number
  bool switchResolution = false;
  // Hot keys, as the user's text
  std::wstring hideKey = L"Ctrl+`";
  std::wstring programKey = L"Ctrl+\\";
  std::wstring screenSaverKey = L"Ctrl+F12";
  // Mouse hot corners
  CornerOption hideCorner{false, 20, 500, 0};
  CornerOption screenSaverCorner{false, 20, 500, 1};
  // The "Protect this application with password" box: checked exactly while a password is set.
  // The password itself is not an option of the settings file and lives beside this model.
  bool appPasswordProtected = false;

  bool operator==(const Options&) const = default;
};

}  // namespace dpx
