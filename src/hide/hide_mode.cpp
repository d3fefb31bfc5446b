#include "hide/hide_mode.h"

#include "hide/exclusion.h"

namespace dpx {

bool HideMode::IsProgramWindow(WindowHandle window) const {
  return program_.IsMainWindow(window) || program_.IsApplicationWindow(window);
}

void HideMode::CaptureAndHideAll() {
  ThreadProbe probe(windows_);
  capture_.CaptureTopLevelWindows(*holder_);
  if (trail_) trail_->Captured(*holder_);
  MinimizeMediaPlayer(probe);
  // Copies: hiding our own window may run code that reads the holder.
  const CapturedWindowList captured = *holder_;
  for (const CapturedWindow& row : captured) HideUnlessExcluded(row.info, probe);
}

// A video overlay can stay on the screen after its window hides; minimising the media player
// first takes it down, whether the player is protected or not.
void HideMode::MinimizeMediaPlayer(ThreadProbe& probe) {
  const WindowHandle player = windows_.FindByClass(L"WMPlayerApp");
  if (player == kNoWindow) return;
  if (probe.Answers(player))
    windows_.Show(player, ShowCommand::kShowMinimized);
  else
    windows_.ShowAsync(player, ShowCommand::kShowMinimized);
}

void HideMode::HideUnlessExcluded(const TWinInfo& window, ThreadProbe& probe) {
  bool isProtected = false;
  if (IsProgramWindow(window.Handle)) {
    if (program_.IsMainWindowVisible())
      program_.ToggleProgramWindow(/*askPassword=*/true);  // hiding never asks
    else
      isProtected = true;
  }
  if (!isProtected) isProtected = IsProtectedByList(window, doNotHide_, text_);
  if (isProtected) return;
  if (trail_) trail_->Hiding(window);
  HideOneWindow(windows_, probe, window.Handle);
}

void HideMode::CaptureAndHideNewWindow(WindowHandle window) {
  if (!holder_ || !capture_.CaptureWindow(window, *holder_)) return;
  if (trail_) trail_->Captured(*holder_);
  ThreadProbe probe(windows_);
  const TWinInfo captured = holder_->back().info;
  HideUnlessExcluded(captured, probe);
}

void HideMode::End() {
  if (holder_ && trail_) trail_->Ended();
  holder_.reset();
}

void HideMode::RestoreHiddenWindows() {
  if (!holder_) return;
  ThreadProbe probe(windows_);
  while (!holder_->empty()) {
    const TWinInfo window = holder_->back().info;
    if (IsProgramWindow(window.Handle)) {
      if (!program_.IsMainWindowVisible()) program_.ToggleProgramWindow(/*askPassword=*/false);
    } else {
      ShowOneWindow(windows_, probe, window.Handle, window.ExStyle);
      if (trail_) trail_->Shown(window.Handle);
    }
    holder_->pop_back();
  }
}

}  // namespace dpx
