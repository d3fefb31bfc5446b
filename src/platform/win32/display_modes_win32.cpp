#include "platform/win32/display_modes_win32.h"

#include <windows.h>

#include <cstring>

namespace dpx::win32 {
namespace {

static_assert(sizeof(DEVMODEW) == 220 && sizeof(DEVMODEA) == 156);

// Stored for the user, and marked as temporary for a full-screen change.
constexpr DWORD kChangeFlags = CDS_UPDATEREGISTRY | CDS_FULLSCREEN;  // 5

template <typename DevMode>
DisplayMode ModeOf(const DevMode& mode) {
  return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
}

}  // namespace

std::optional<DisplaySettings> Win32DisplayModes::Settings(int modeNumber) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (!::EnumDisplaySettingsW(nullptr, static_cast<DWORD>(modeNumber), &mode)) return std::nullopt;
  DisplaySettings settings{ModeOf(mode), std::vector<std::uint8_t>(sizeof mode)};
  std::memcpy(settings.record.data(), &mode, sizeof mode);
  return settings;
}

std::optional<DisplayMode> Win32DisplayModes::RawMode(int index) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!::EnumDisplaySettingsExA(nullptr, static_cast<DWORD>(index), &mode, EDS_RAWMODE))
    return std::nullopt;
  return ModeOf(mode);
}

bool Win32DisplayModes::Change(const DisplaySettings& settings) {
  DEVMODEW mode{};
  // Only a record this class enumerated is applied; anything else would be half empty.
  if (settings.record.size() != sizeof mode) return false;
  std::memcpy(&mode, settings.record.data(), sizeof mode);
  // A record read back from a file must not make the system read past it.
  mode.dmSize = sizeof mode;
  mode.dmDriverExtra = 0;
  return ::ChangeDisplaySettingsW(&mode, kChangeFlags) == DISP_CHANGE_SUCCESSFUL;
}

}  // namespace dpx::win32
