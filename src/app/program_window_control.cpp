#include "app/program_window_control.h"

#include "app/password_check.h"

namespace dpx {

bool ProgramWindowControl::IsMainWindow(WindowHandle window) const {
  return window != kNoWindow && window == surface_.MainWindow();
}

bool ProgramWindowControl::IsApplicationWindow(WindowHandle window) const {
  return window != kNoWindow && window == surface_.ApplicationWindow();
}

void ProgramWindowControl::ToggleProgramWindow(bool askPassword) {
  if (surface_.IsShown()) {
    surface_.Hide();
    return;
  }
  if (askPassword && appPassword_.IsSet() &&
      !AskForPassword(prompt_, ui_, appPassword_, PromptField::kEmptiedEachTry)) {
    return;
  }
  surface_.Show();
}

}  // namespace dpx
