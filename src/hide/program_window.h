#pragma once

#include "platform/types.h"

namespace dpx {

// DPX's own settings window, as hide mode must treat it: never captured as an ordinary window,
// hidden with the desktop and brought back at restore through the program-window toggle.
class ProgramWindow {
 public:
  virtual ~ProgramWindow() = default;

  virtual bool IsMainWindow(WindowHandle window) const = 0;
  // The window owning the program's taskbar button, where the platform has a separate one.
  virtual bool IsApplicationWindow(WindowHandle window) const = 0;
  virtual bool IsMainWindowVisible() const = 0;
  // Shows the hidden window (asking for the password first when asked to) or hides the shown one.
  virtual void ToggleProgramWindow(bool askPassword) = 0;
};

}  // namespace dpx
