#pragma once

namespace dpx {

// The main window's actions that the hot keys and the hot corners fire.
class TriggerActions {
 public:
  virtual ~TriggerActions() = default;

  // The same path as a click on the "Hide/Restore" button: the hide/restore toggle.
  virtual void ClickHideRestore() = 0;
  // Hides DPX's window when shown, else shows it, asking for the password first when asked to.
  virtual void ToggleProgramWindow(bool askPassword) = 0;
  // Locks the workstation when so set, then starts the screen saver.
  virtual void ScreenSaverCommand() = 0;
};

}  // namespace dpx
