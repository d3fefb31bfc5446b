#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace dpx {

// Wallpaper paths pass through a buffer of this many characters, the terminating zero included.
inline constexpr std::size_t kActiveDesktopPathChars = 260;

// The shell's Active Desktop object, created for one operation.
class ActiveDesktop {
 public:
  virtual ~ActiveDesktop() = default;

  // Whether the shell reports Active Desktop as enabled.
  virtual bool IsEnabled() = 0;
  // The wallpaper path, at most kActiveDesktopPathChars - 1 characters.
  virtual std::wstring Wallpaper() = 0;
  // Sets the wallpaper and applies every change (save, regenerate, refresh). A path too long
  // for the buffer is set as the empty path.
  virtual void SetWallpaper(const std::wstring& path) = 0;
};

// The desktop's picture: the Active Desktop object, or the user's registry value plus a notice.
class DesktopWallpaper {
 public:
  virtual ~DesktopWallpaper() = default;

  // nullptr when the object cannot be created or does not offer its interface.
  virtual std::unique_ptr<ActiveDesktop> OpenActiveDesktop() = 0;
  // Makes the desktop take its picture from the registry value "Wallpaper" (none when empty) and
  // tells the other programs of the change.
  virtual void ApplyRegistryWallpaper() = 0;
};

}  // namespace dpx
