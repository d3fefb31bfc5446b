#include "app/settings_file.h"

#include <utility>

#include "actions/sound_settings.h"
#include "app/ini_file.h"

namespace dpx {
namespace {

// The defaults of every key are those of a fresh options model.
const Options kDefaults;

void ReadCorner(IniFile& ini, const std::wstring& section, const CornerOption& defaults,
                CornerOption& corner) {
  corner.enabled = ini.ReadBoolean(section, L"Enabled", defaults.enabled);
  corner.zoneSize = ini.ReadInteger(section, L"ZoneSize", defaults.zoneSize);
  corner.hoverInterval = ini.ReadInteger(section, L"HoverInterval", defaults.hoverInterval);
  // Only the low byte counts: a stored 257 is corner 1, a stored -1 is 255 (no corner).
  corner.corner = static_cast<std::uint8_t>(ini.ReadInteger(section, L"Corner", defaults.corner));
}

void WriteCorner(IniFile& ini, const std::wstring& section, const CornerOption& corner) {
  ini.WriteBoolean(section, L"Enabled", corner.enabled);
  ini.WriteInteger(section, L"ZoneSize", corner.zoneSize);
  ini.WriteInteger(section, L"HoverInterval", corner.hoverInterval);
  ini.WriteInteger(section, L"Corner", corner.corner);
}

// Every key of the file in its order, from the options.
void WriteEveryKey(IniFile& ini, const Options& options) {
  WriteSoundSettings(ini, options);

  ini.WriteBoolean(L"SpecialWindows", L"HideDesktop", options.hideDesktop);
  ini.WriteBoolean(L"SpecialWindows", L"HideTaskBar", options.hideTaskBar);
  ini.WriteBoolean(L"SpecialWindows", L"Tray", options.hideTray);
  ini.WriteBoolean(L"General", L"HideNewlyCreatedWindows", options.hideNewlyCreatedWindows);
  ini.WriteBoolean(L"General", L"HideActiveWindow", options.closeActiveWindow);
  ini.WriteBoolean(L"General", L"HideWallpaper", options.hideWallpaper);
  ini.WriteBoolean(L"SSaver", L"LockWorkstation", options.lockWorkstation);
  ini.WriteInteger(L"Display", L"Resolution", options.resolution);
  ini.WriteBoolean(L"Display", L"Switch", options.switchResolution);
  ini.WriteText(L"HOTKEY_Windows", L"Key", options.hideKey);
  ini.WriteText(L"HOTKEY_App", L"Key", options.programKey);
  ini.WriteText(L"HOTKEY_SSaver", L"Key", options.screenSaverKey);
  WriteCorner(ini, L"MouseShortcut_Windows", options.hideCorner);
  WriteCorner(ini, L"MouseShortcut_SSaver", options.screenSaverCorner);
}

}  // namespace

SettingsFile::SettingsFile(ProfileFile& profile, PasswordStore& passwords, std::wstring path)
    : profile_(profile), passwords_(passwords), path_(std::move(path)) {}

void SettingsFile::LoadSettings(Options& options, std::wstring& appPassword, int currentModeIndex) {
  // The password first: a failure while reading the keys must not leave the start without it.
  appPassword = passwords_.Read();
  IniFile ini(profile_, path_);
  ReadSoundSettings(ini, options);

  options.hideDesktop = ini.ReadBoolean(L"SpecialWindows", L"HideDesktop", kDefaults.hideDesktop);
  options.hideTaskBar = ini.ReadBoolean(L"SpecialWindows", L"HideTaskBar", kDefaults.hideTaskBar);
  options.hideTray = ini.ReadBoolean(L"SpecialWindows", L"Tray", kDefaults.hideTray);
  options.hideNewlyCreatedWindows =
      ini.ReadBoolean(L"General", L"HideNewlyCreatedWindows", kDefaults.hideNewlyCreatedWindows);
  options.closeActiveWindow =
      ini.ReadBoolean(L"General", L"HideActiveWindow", kDefaults.closeActiveWindow);
  options.hideWallpaper = ini.ReadBoolean(L"General", L"HideWallpaper", kDefaults.hideWallpaper);
  options.lockWorkstation =
      ini.ReadBoolean(L"SSaver", L"LockWorkstation", kDefaults.lockWorkstation);
  options.resolution = ini.ReadInteger(L"Display", L"Resolution", currentModeIndex);
  options.switchResolution = ini.ReadBoolean(L"Display", L"Switch", kDefaults.switchResolution);
  options.hideKey = ini.ReadText(L"HOTKEY_Windows", L"Key", kDefaults.hideKey);
  options.programKey = ini.ReadText(L"HOTKEY_App", L"Key", kDefaults.programKey);
  options.screenSaverKey = ini.ReadText(L"HOTKEY_SSaver", L"Key", kDefaults.screenSaverKey);
  ReadCorner(ini, L"MouseShortcut_Windows", kDefaults.hideCorner, options.hideCorner);
  ReadCorner(ini, L"MouseShortcut_SSaver", kDefaults.screenSaverCorner, options.screenSaverCorner);

  options.appPasswordProtected = !appPassword.empty();
  loaded_ = true;
}

void SettingsFile::SaveSettings(const Options& options, std::wstring& appPassword) {
  // Before a load the options hold defaults, not the user's settings: writing them would replace
  // the stored settings and remove a stored password.
  if (!loaded_) return;

  // The keys go into a sibling that then replaces the file whole, so a failed write or a crash
  // half-way never leaves a shortened "dpx.dat"; unknown keys survive through the copy.
  const std::wstring staged = path_ + L".tmp";
  if (!profile_.StageCopy(path_, staged)) throw SettingsWriteError(path_);
  try {
    IniFile ini(profile_, staged, path_);
    WriteEveryKey(ini, options);
  } catch (...) {
    profile_.Discard(staged);
    throw;
  }
  if (!profile_.Commit(staged, path_)) {
    profile_.Discard(staged);
    throw SettingsWriteError(path_);
  }

  if (!options.appPasswordProtected) appPassword.clear();
  appPassword = passwords_.Write(appPassword);
}

}  // namespace dpx
