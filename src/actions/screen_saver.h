#pragma once

#include <functional>
#include <memory>

#include "app/options.h"
#include "platform/workstation.h"

namespace dpx {

inline constexpr std::uint32_t kWmSysCommand = 0x0112;
inline constexpr std::uintptr_t kScScreenSave = 0xF140;

// Starts the screen saver, locking the workstation first when the user asks for it. The lock
// entry point is looked up at run time, so DPX also runs where the system has none.
class ScreenSaverAndLock {
 public:
  ScreenSaverAndLock(Workstation& workstation, const Options& options)
      : workstation_(workstation), options_(options) {}
  ScreenSaverAndLock(const ScreenSaverAndLock&) = delete;
  ScreenSaverAndLock& operator=(const ScreenSaverAndLock&) = delete;

  // Loads "User32.Dll" and looks up "LockWorkStation"; a library without it is released at
  // once. True when the entry point was found. Run once, when the main window is created.
  bool LoadLockWorkStation();
  // Releases the library, if one is held; the entry point is gone with it.
  void FreeLockWorkStation();
  bool HasLockEntryPoint() const { return static_cast<bool>(lock_); }

  // Posts the screen-saver command to the desktop window and returns at once.
  void StartScreenSaver();
  // The lock first when the lock option is on and the entry point is known, then the screen
  // saver, with nothing between them. Hide mode plays no part.
  void ScreenSaverCommand();

 private:
  Workstation& workstation_;
  const Options& options_;
  std::unique_ptr<LoadedLibrary> library_;
  std::function<bool()> lock_;
};

}  // namespace dpx
