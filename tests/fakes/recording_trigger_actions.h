#pragma once

#include <string>
#include <vector>

#include "triggers/trigger_actions.h"

namespace dpx::fakes {

// The main window's trigger actions, recorded in the order they fire.
class RecordingTriggerActions final : public TriggerActions {
 public:
  std::vector<std::string> fired;

  void ClickHideRestore() override { fired.push_back("hide/restore"); }
  void ToggleProgramWindow(bool askPassword) override {
    fired.push_back(askPassword ? "program window, ask password" : "program window");
  }
  void ScreenSaverCommand() override { fired.push_back("screen saver"); }
};

}  // namespace dpx::fakes
