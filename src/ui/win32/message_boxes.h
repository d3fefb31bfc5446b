#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "app/user_interaction.h"

namespace dpx::win32 {

// The application title: the caption of plain message boxes and of the taskbar button.
inline constexpr wchar_t kApplicationTitle[] = L"DPX";

// Modal message boxes over whichever DPX window is shown (none when all are hidden).
class Win32UserInteraction final : public UserInteraction {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

  MessageAnswer ShowMessage(const std::wstring& text, MessageKind kind,
                            MessageButtons buttons) override;

 private:
  HWND Owner() const;
  HWND owner_ = nullptr;
};

// The general error report: the error's text in an error message box; the program goes on.
void ReportError(UserInteraction& ui, const std::exception& error);
void ReportUnknownError(UserInteraction& ui);

// Runs `handler`; an error it raises ends that event and is reported. False when it failed.
template <typename Handler>
bool RunReportingErrors(UserInteraction& ui, Handler&& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    ReportError(ui, error);
  } catch (...) {
    ReportUnknownError(ui);
  }
  return false;
}

}  // namespace dpx::win32
