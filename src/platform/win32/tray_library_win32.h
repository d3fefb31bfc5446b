#pragma once

#include "platform/tray_library.h"

namespace dpx::win32 {

// Calls the exports of dpxtray.dll. A program that uses this class imports the library by name
// and does not start without it.
class Win32TrayLibrary final : public TrayLibrary {
 public:
  void HideTray(std::int32_t value, const char* accessCode) override;
  void RestoreTray() override;
  void RestoreMarkedTray() override;
};

}  // namespace dpx::win32
