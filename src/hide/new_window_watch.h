#pragma once

#include <functional>
#include <string>

#include "app/options.h"
#include "hide/hide_mode.h"
#include "hide/watch.h"

namespace dpx {

// The main window's `Watch` with its `WatchWindowCreated` handler: a window that appears while
// the desktop is in hide mode, with "Hide newly created windows while in HIDE mode" checked, is
// captured into the holder and hidden unless the Do not hide list protects it.
class NewWindowWatch {
 public:
  // `ownProcess`: DPX's own process, whose windows (its dialogs and message boxes) are never
  // hidden as new windows: a box hidden from under the user would leave DPX waiting on it.
  // `runOutsidePasses` runs the capture and hide of a new window where no other pass is running
  // (and none can start inside it); by default at once.
  NewWindowWatch(HookPlatform& platform, WindowManager& windows, const ProgramWindow& program,
                 UserInteraction& ui, HideMode& hideMode, const Options& options,
                 ProcessId ownProcess,
                 std::function<void(std::function<void()>)> runOutsidePasses = nullptr);

  // Called once the settings are read and whenever the option may have changed: with
  // "Hide newly created windows while in HIDE mode" checked, binds `WatchWindowCreated` to
  // `OnWindowCreated`, which loads the library and starts watching for new windows; with it
  // cleared, unbinds it, which stops the watching and unloads the library. Nothing watches, and
  // nothing of the library is loaded, while no option asks for it.
  void FollowOption();

  void WatchWindowCreated(TWatch& Sender, WindowHandle Handle, const std::wstring& AppName);

  TWatch& Watch() { return watch_; }

 private:
  WindowManager& windows_;
  HideMode& hideMode_;
  const Options& options_;
  ProcessId ownProcess_;
  std::function<void(std::function<void()>)> runOutsidePasses_;
  TWatch watch_;
};

}  // namespace dpx
