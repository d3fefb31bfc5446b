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
  savedPath_ = registry_.ReadText(kDesktopKey, kWallpaperValue).value_or(L"");
  Taking();
  const bool written = registry_.WriteText(kDesktopKey, kWallpaperValue, L"");
  desktop_.ApplyRegistryWallpaper();
  return written;
}

void WallpaperAction::RestoreWallpaperRegistry() {
  registry_.WriteText(kDesktopKey, kWallpaperValue, savedPath_);
  desktop_.ApplyRegistryWallpaper();
}

}  // namespace dpx
