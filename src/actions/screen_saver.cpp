#include "actions/screen_saver.h"

namespace dpx {

bool ScreenSaverAndLock::LoadLockWorkStation() {
  lock_ = nullptr;
  library_ = workstation_.LoadSystemLibrary(L"User32.Dll");
  if (!library_) return false;
  lock_ = library_->BooleanFunction("LockWorkStation");
  if (!lock_) {
    library_.reset();
    return false;
  }
  return true;
}

void ScreenSaverAndLock::FreeLockWorkStation() {
  lock_ = nullptr;  // it points into the library
  library_.reset();
}

void ScreenSaverAndLock::StartScreenSaver() {
  workstation_.PostToDesktopWindow(kWmSysCommand, kScScreenSave, 0);
}

void ScreenSaverAndLock::ScreenSaverCommand() {
  if (options_.lockWorkstation && lock_) lock_();  // a refused lock is not reported
  StartScreenSaver();
}

}  // namespace dpx
