#include "app/autostart.h"

#include "app/app_error.h"

namespace dpx {

std::wstring AutoStartCommandLine(const std::wstring& programPath) {
  return L"\"" + programPath + L"\" /q";
}

bool AutoStart::IsAutoStartOn() {
  return registry_.ValueExists(kAutoStartKey, kAutoStartValue);
}

void AutoStart::SetAutoStart(bool on) {
  if (!on) {
    // A failure is ignored, also when another tool has removed the entry already.
    (void)registry_.DeleteValue(kAutoStartKey, kAutoStartValue);
    return;
  }
  // Without its own path the program has nothing sensible to register.
  if (programPath_.empty() ||
      !registry_.WriteText(kAutoStartKey, kAutoStartValue, AutoStartCommandLine(programPath_))) {
    throw AppError(std::wstring(L"Failed to set data for '") + kAutoStartValue + L"'");
  }
}

void AutoStart::ShowAtStart(const std::function<void(bool checked)>& showChecked) {
  const bool on = IsAutoStartOn();
  showChecked(on);
  if (on) SetAutoStart(true);
}

}  // namespace dpx
