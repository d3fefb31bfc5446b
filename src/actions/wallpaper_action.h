#pragma once

#include <optional>
#include <string>
#include <utility>

#include "actions/before_change.h"
#include "app/options.h"
#include "platform/desktop_wallpaper.h"
#include "platform/user_registry.h"

namespace dpx {

// Where the registry route keeps the wallpaper path, under HKEY_CURRENT_USER.
inline constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
inline constexpr wchar_t kWallpaperValue[] = L"Wallpaper";

// The wallpaper side action: takes the picture off the desktop at hide and puts it back at
// restore, through the Active Desktop object when the shell has Active Desktop on, else through
// the registry value and a notice. The route is chosen afresh at hide and at restore; both work
// on the one saved path. A machine without the Active Desktop object takes the registry route.
class WallpaperAction {
 public:
  WallpaperAction(DesktopWallpaper& desktop, UserRegistry& registry, const Options& options,
                  BeforeChange beforeChange = {})
      : desktop_(desktop),
        registry_(registry),
        options_(options),
        beforeChange_(std::move(beforeChange)) {}

  bool IsActiveDesktopOn();
  // Hide: when "Hide wallpaper" is checked, saves the path and empties the wallpaper.
  void HideWallpaper();
  // Restore (and program end in hide mode): when the box is checked and this hide took the
  // wallpaper, puts the saved path back. Otherwise the user's wallpaper stays as it is.
  void RestoreWallpaper();

  const std::wstring& savedPath() const { return savedPath_; }
  // The path the next restore will put back; nullopt when this hide did not take the wallpaper.
  std::optional<std::wstring> PathToPutBack() const;
  // A recovery after a run that died in hide mode: puts that run's saved path back, by the route
  // in force now.
  void PutBackWallpaper(const std::wstring& path);

 private:
  // Each is true when it took the wallpaper.
  bool HideWallpaperActiveDesktop();
  void RestoreWallpaperActiveDesktop();
  bool HideWallpaperRegistry();
  void RestoreWallpaperRegistry();
  // The saved path is known: from here on a restore puts it back.
  void Taking();

  DesktopWallpaper& desktop_;
  UserRegistry& registry_;
  const Options& options_;
  BeforeChange beforeChange_;
  std::wstring savedPath_;
  // The type the registry route found the path stored as; nullopt when it did not take the path.
  std::optional<bool> savedExpandable_;
  bool hidden_ = false;  // the last hide took the wallpaper
};

}  // namespace dpx
