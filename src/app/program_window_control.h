#pragma once

#include <string>

#include "app/password_verifier.h"
#include "app/user_interaction.h"
#include "hide/program_window.h"
#include "platform/types.h"

namespace dpx {

// The main window and the application window that carries its taskbar button. The platform has
// no application-level window of its own, so DPX makes one: a zero-size top-level window that owns
// the main window and is visible exactly while the main window is shown.
class MainWindowSurface {
 public:
  virtual ~MainWindowSurface() = default;

  virtual WindowHandle MainWindow() const = 0;
  virtual WindowHandle ApplicationWindow() const = 0;
  virtual bool IsShown() const = 0;
  // Shows the application window and the main window, and gives the main window the focus.
  virtual void Show() = 0;
  // Hides both, as a whole (never minimised).
  virtual void Hide() = 0;
};

// DPX's own window as hide mode and the program-window hot key see it.
class ProgramWindowControl final : public ProgramWindow {
 public:
  ProgramWindowControl(MainWindowSurface& surface, PasswordPrompt& prompt, UserInteraction& ui,
                       PasswordVerifier appPassword)
      : surface_(surface), prompt_(prompt), ui_(ui), appPassword_(appPassword) {}

  bool IsMainWindow(WindowHandle window) const override;
  bool IsApplicationWindow(WindowHandle window) const override;
  bool IsMainWindowVisible() const override { return surface_.IsShown(); }
  // Hides the shown window without asking anything; shows the hidden one, asking for the
  // application password first when one is set and `askPassword` is true.
  void ToggleProgramWindow(bool askPassword) override;

 private:
  MainWindowSurface& surface_;
  PasswordPrompt& prompt_;
  UserInteraction& ui_;
  PasswordVerifier appPassword_;
};

}  // namespace dpx
