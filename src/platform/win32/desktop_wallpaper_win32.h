#pragma once

#include "platform/desktop_wallpaper.h"
#include "platform/win32/com_owner.h"

namespace dpx::win32 {

// The shell's Active Desktop object (CLSID_ActiveDesktop) and SPI_SETDESKWALLPAPER. Use on the
// thread that made it.
class Win32DesktopWallpaper final : public DesktopWallpaper {
 public:
  std::unique_ptr<ActiveDesktop> OpenActiveDesktop() override;
  void ApplyRegistryWallpaper() override;

 private:
  ComApartment apartment_;
};

}  // namespace dpx::win32
