#pragma once

#include "hide/program_window.h"

namespace dpx::testing {

// The Windows tests run the hide code without a program window of their own.
class NoProgramWindow final : public ProgramWindow {
 public:
  bool IsMainWindow(WindowHandle) const override { return false; }
  bool IsApplicationWindow(WindowHandle) const override { return false; }
  bool IsMainWindowVisible() const override { return false; }
  void ToggleProgramWindow(bool) override {}
};

}  // namespace dpx::testing
