#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "actions/display_mode_action.h"
#include "app/user_interaction.h"
#include "platform/display_modes.h"
#include "ui/win32/ui_handles.h"

namespace dpx::win32 {

// The Display sub-page over the display-mode action: the text of the selected mode and of the
// mode in force, the "List" menu of modes (popMenuResolutions) and the mode test. `control`
// finds a control of the page by its id once the page exists.
class DisplayPage {
 public:
  DisplayPage(DisplayModeAction& display, DisplayModes& modes, Options& options,
              UserInteraction& ui, std::function<HWND(int)> control)
      : display_(display),
        modes_(modes),
        options_(options),
        ui_(ui),
        control_(std::move(control)) {}

  // Builds the menu of modes, once, and fills both texts; run after the settings were read.
  // `mainWindow` owns the menu and the test dialog.
  void Create(HWND mainWindow);
  void ShowSelectedModeText();
  void ShowCurrentModeText();
  // "List": drops the menu down at the button's lower left corner. A mode item, or "Current",
  // becomes the selected mode.
  void DropResolutionMenu();
  // "Test selected resolution": the notice, the selected mode under the countdown dialog, and
  // back to the mode in force before.
  void TestSelectedMode();

 private:
  DisplayModeAction& display_;
  DisplayModes& modes_;
  Options& options_;
  UserInteraction& ui_;
  std::function<HWND(int)> control_;
  HWND mainWindow_ = nullptr;
  UniqueMenu menu_;
  // The mode number of each mode item, by its command id less kFirstModeCommand.
  std::vector<int> itemModes_;
};

}  // namespace dpx::win32
