#pragma once

#include <functional>
#include <string>

#include "app/options.h"
#include "app/saved_state.h"
#include "app/user_interaction.h"
#include "hide/program_window.h"

namespace dpx {

inline constexpr wchar_t kHideReminderPrefix[] = L"To activate this window again use : \n\r";
inline constexpr wchar_t kTerminateQuestion[] =
    L"Do you really want to stop using the application?";

// The "&Hide" and "&Terminate" buttons of the main window.
class MainWindowCommands {
 public:
  MainWindowCommands(UserInteraction& ui, SavedState& saved, ProgramWindow& program,
                     const Options& options, std::function<void()> closeMainWindow)
      : ui_(ui),
        saved_(saved),
        program_(program),
        options_(options),
        closeMainWindow_(std::move(closeMainWindow)) {}

  // Reminds the user of the program-window hot key, saves the lists and the settings, then hides
  // the window. A failed save throws before the hide, so the window stays shown.
  void Hide();
  // Asks first; only Yes closes the main window, which saves and ends the program.
  void Terminate();

 private:
  UserInteraction& ui_;
  SavedState& saved_;
  ProgramWindow& program_;
  const Options& options_;
  std::function<void()> closeMainWindow_;
};

}  // namespace dpx
