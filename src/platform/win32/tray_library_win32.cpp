#include "platform/win32/tray_library_win32.h"

#include "dpxtray.h"

namespace dpx::win32 {

void Win32TrayLibrary::HideTray(std::int32_t value, const char* accessCode) {
  ::HideTray(value, accessCode);
}

void Win32TrayLibrary::RestoreTray() {
  ::RestoreTray();
}

void Win32TrayLibrary::RestoreMarkedTray() {
  ::RestoreMarkedTray();
}

}  // namespace dpx::win32
