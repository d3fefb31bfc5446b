#pragma once

#include <functional>
#include <string>

#include "platform/user_registry.h"

namespace dpx {

// The per-user autostart entry: the string value "DPX" under the current user's key
// Software\Microsoft\Windows\CurrentVersion\Run, which the platform runs at logon.
inline constexpr wchar_t kAutoStartKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kAutoStartValue[] = L"DPX";

// The entry's command line: the program path in quotation marks, then the quiet-start argument.
// Unquoted, a path with blanks ("C:\Program Files\DPX\dpx.exe") would let the platform run
// "C:\Program.exe" in its place.
std::wstring AutoStartCommandLine(const std::wstring& programPath);

// The "Automatically start when Windows starts" check box's side: the entry is the only record
// of the choice.
class AutoStart {
 public:
  AutoStart(UserRegistry& registry, std::wstring programPath)
      : registry_(registry), programPath_(std::move(programPath)) {}

  // Whether the entry exists (of any type).
  bool IsAutoStartOn();
  // Writes the entry with the current program path, or deletes it. A failure to write throws
  // AppError "Failed to set data for 'DPX'"; a failure to delete is ignored.
  void SetAutoStart(bool on);
  // Main window creation: shows the box as the entry's existence (`showChecked`), then, when it
  // is on, writes it again as the box's click action does, so a moved program file or an entry
  // of an earlier version without quotation marks is brought up to date. Throws as SetAutoStart.
  void ShowAtStart(const std::function<void(bool checked)>& showChecked);

 private:
  UserRegistry& registry_;
  std::wstring programPath_;
};

}  // namespace dpx
