#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/desktop_wallpaper.h"
#include "platform/user_registry.h"

namespace dpx::fakes {

// The desktop's picture as the shell keeps it: the Active Desktop object's wallpaper, and what
// the desktop shows after a registry notice. Works with a registry fake for the value itself.
class SimulatedWallpaper final : public DesktopWallpaper {
 public:
  explicit SimulatedWallpaper(UserRegistry& registry) : registry_(registry) {}

  // A shell without the Active Desktop object (OpenActiveDesktop answers nullptr).
  void RemoveActiveDesktopObject() { objectAvailable_ = false; }
  void SetActiveDesktopOn(bool on) { activeDesktopOn_ = on; }
  void SetActiveDesktopWallpaper(const std::wstring& path) { objectWallpaper_ = path; }

  const std::wstring& activeDesktopWallpaper() const { return objectWallpaper_; }
  // The picture the desktop took at the last registry notice.
  const std::wstring& shownFromRegistry() const { return shownFromRegistry_; }
  // Calls in order: L"open", L"enabled?", L"get", L"set <path>", L"notice".
  const std::vector<std::wstring>& log() const { return log_; }

  std::unique_ptr<ActiveDesktop> OpenActiveDesktop() override;
  void ApplyRegistryWallpaper() override;

 private:
  friend class SimActiveDesktop;

  UserRegistry& registry_;
  bool objectAvailable_ = true;
  bool activeDesktopOn_ = false;
  std::wstring objectWallpaper_;
  std::wstring shownFromRegistry_;
  std::vector<std::wstring> log_;
};

}  // namespace dpx::fakes
