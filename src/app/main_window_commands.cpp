#include "app/main_window_commands.h"

namespace dpx {

void MainWindowCommands::Hide() {
  ui_.ShowMessage(kHideReminderPrefix + options_.programKey, MessageKind::kInformation,
                  MessageButtons::kOk);
  saved_.SaveAll();
  program_.ToggleProgramWindow(/*askPassword=*/true);  // the window is shown: hiding never asks
}

void MainWindowCommands::Terminate() {
  if (ui_.ShowMessage(kTerminateQuestion, MessageKind::kWarning, MessageButtons::kYesCancel) ==
      MessageAnswer::kYes) {
    closeMainWindow_();
  }
}

}  // namespace dpx
