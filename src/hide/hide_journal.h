#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/volume_value.h"
#include "platform/display_modes.h"
#include "platform/types.h"

namespace dpx {

// The journal's format version; a reader refuses any other.
inline constexpr unsigned kHideJournalVersion = 1;

// One window hide mode took, as a restore needs it.
struct JournalWindow {
  WindowHandle handle = kNoWindow;
  std::uint32_t exStyle = 0;  // from before the hide
  std::wstring exePath;       // so a handle now used by another program is left alone
  friend bool operator==(const JournalWindow&, const JournalWindow&) = default;
};

// The shell surfaces a hide takes away.
struct HiddenSurfaces {
  bool desktopIcons = false;
  bool taskbar = false;
  bool trayIcons = false;
  friend bool operator==(const HiddenSurfaces&, const HiddenSurfaces&) = default;
};

// What a hide changed on the desktop, written down so that a run that dies in hide mode can be
// undone by the next one. Side states are present only where the hide changed something.
struct HideJournal {
  std::vector<JournalWindow> windows;  // capture order: a restore goes last first
  HiddenSurfaces surfaces;
  std::optional<VolumeState> savedVolume;
  std::optional<DisplaySettings> displaySettings;
  std::optional<std::wstring> wallpaperPath;
};

std::string FormatHideJournal(const HideJournal& journal);
// Reads what FormatHideJournal wrote; nullopt for anything else (another version, a cut or
// damaged file, values out of range). Never trusts its input.
std::optional<HideJournal> ParseHideJournal(std::string_view bytes);

}  // namespace dpx
