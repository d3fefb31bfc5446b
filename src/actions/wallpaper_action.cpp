#include "actions/wallpaper_action.h"

#include <memory>
#include <utility>

namespace dpx {

bool WallpaperAction::IsActiveDesktopOn() {
  const std::unique_ptr<ActiveDesktop> activeDesktop = desktop_.OpenActiveDesktop();
  return activeDesktop && activeDesktop->IsEnabled();
}

void WallpaperAction::HideWallpaper() {
  hidden_ = false;
  if (!options_.hideWallpaper) return;
  if (IsActiveDesktopOn()) {
    hidden_ = HideWallpaperActiveDesktop();
  } else {
    hidden_ = HideWallpaperRegistry();
  }
}

void WallpaperAction::RestoreWallpaper() {
  const bool hidden = std::exchange(hidden_, false);
  if (!options_.hideWallpaper || !hidden) return;
  if (IsActiveDesktopOn())
    RestoreWallpaperActiveDesktop();
  else
    RestoreWallpaperRegistry();
}

std::optional<std::wstring> WallpaperAction::PathToPutBack() const {
  if (!options_.hideWallpaper || !hidden_) return std::nullopt;
  return savedPath_;
}

void WallpaperAction::PutBackWallpaper(const std::wstring& path) {
  savedPath_ = path;
  savedExpandable_.reset();
  if (IsActiveDesktopOn())
    RestoreWallpaperActiveDesktop();
  else
    RestoreWallpaperRegistry();
}

void WallpaperAction::Taking() {
  hidden_ = true;
  if (beforeChange_) beforeChange_();
}

bool WallpaperAction::HideWallpaperActiveDesktop() {
  const std::unique_ptr<ActiveDesktop> activeDesktop = desktop_.OpenActiveDesktop();
  if (!activeDesktop) return false;
  savedPath_ = activeDesktop->Wallpaper();
  savedExpandable_.reset();
  Taking();
  activeDesktop->SetWallpaper(L"");
  return true;
}

void WallpaperAction::RestoreWallpaperActiveDesktop() {
  const std::unique_ptr<ActiveDesktop> activeDesktop = desktop_.OpenActiveDesktop();
  if (!activeDesktop) return;
  // A path the object's buffer cannot hold (saved by the registry route) goes back as none.
  activeDesktop->SetWallpaper(savedPath_.size() < kActiveDesktopPathChars ? savedPath_ : L"");
}

bool WallpaperAction::HideWallpaperRegistry() {
  // A path with %variables% is stored as REG_EXPAND_SZ: it is read, emptied and put back with
  // that type, or the restore would lose the picture.
  const RegistryString stored =
      registry_.ReadString(kDesktopKey, kWallpaperValue).value_or(RegistryString{});
  savedPath_ = stored.text;
  savedExpandable_ = stored.expandable;
  Taking();
  const bool written =
      registry_.WriteString(kDesktopKey, kWallpaperValue, {L"", stored.expandable});
  desktop_.ApplyRegistryWallpaper();
  return written;
}

void WallpaperAction::RestoreWallpaperRegistry() {
  // Not known when another route or an earlier run took the path: the type in force then stays.
  const bool expandable = savedExpandable_.value_or(
      registry_.ReadString(kDesktopKey, kWallpaperValue).value_or(RegistryString{}).expandable);
  registry_.WriteString(kDesktopKey, kWallpaperValue, {savedPath_, expandable});
  desktop_.ApplyRegistryWallpaper();
}

}  // namespace dpx
