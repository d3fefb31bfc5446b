#include "hide/hide_mode.h"

#include <utility>

#include "hide/exclusion.h"

namespace dpx {

bool HideMode::IsProgramWindow(WindowHandle window) const {
  return program_.IsMainWindow(window) || program_.IsApplicationWindow(window);
}

void HideMode::WaitForTheLines() {
  windows_.CallQueues().WaitUntilDoneOrStalled(kHungThreadBound);
}

void HideMode::CaptureAndHideAll() {
  capture_.CaptureTopLevelWindows(*holder_);
  if (trail_) trail_->Captured(*holder_);
  MinimizeMediaPlayer();
  // Copies: hiding our own window may run code that reads the holder.
  const CapturedWindowList captured = *holder_;
  for (const CapturedWindow& row : captured) HideUnlessExcluded(row.info);
  WaitForTheLines();
}

// A video overlay can stay on the screen after its window hides; minimising the media player
// first takes it down, whether the player is protected or not. Queued first, so it comes before
// the player's own hide.
void HideMode::MinimizeMediaPlayer() {
  const WindowHandle player = windows_.FindByClass(L"WMPlayerApp");
  if (player != kNoWindow) QueueShowCommand(windows_, player, ShowCommand::kShowMinimized);
}

void HideMode::HideUnlessExcluded(const TWinInfo& window) {
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
  QueueHideOneWindow(windows_, window.Handle);
}

void HideMode::CaptureAndHideNewWindow(WindowHandle window) {
  if (!holder_ || !capture_.CaptureWindow(window, *holder_)) return;
  if (trail_) trail_->Captured(*holder_);
  const TWinInfo captured = holder_->back().info;
  HideUnlessExcluded(captured);
  WaitForTheLines();
}

void HideMode::End() {
  if (holder_ && trail_) trail_->Ended();
  holder_.reset();
}

void HideMode::RestoreHiddenWindows() {
  if (!holder_) return;
  std::vector<std::pair<WindowHandle, QueuedCall>> shows;
  while (!holder_->empty()) {
    const TWinInfo window = holder_->back().info;
    if (IsProgramWindow(window.Handle)) {
      if (!program_.IsMainWindowVisible()) program_.ToggleProgramWindow(/*askPassword=*/false);
    } else {
      shows.emplace_back(window.Handle,
                         QueueShowOneWindow(windows_, window.Handle, window.ExStyle));
    }
    holder_->pop_back();
  }
  WaitForTheLines();
  // A window whose show still waits behind its hung program keeps its mark: should DPX end before
  // the program answers, the next start finds it and shows it.
  if (!trail_) return;
  for (const auto& [window, show] : shows)
    if (windows_.CallQueues().Done(show)) trail_->Shown(window);
}

}  // namespace dpx
