#include "hide/new_window_watch.h"

namespace dpx {

NewWindowWatch::NewWindowWatch(HookPlatform& platform, WindowManager& windows,
                               const ProgramWindow& program, UserInteraction& ui,
                               HideMode& hideMode, const Options& options, ProcessId ownProcess,
                               std::function<void(std::function<void()>)> runOutsidePasses)
    : windows_(windows),
      hideMode_(hideMode),
      options_(options),
      ownProcess_(ownProcess),
      runOutsidePasses_(std::move(runOutsidePasses)),
      watch_(platform, windows, program, ui) {}

void NewWindowWatch::FollowOption() {
  if (!options_.hideNewlyCreatedWindows) {
    watch_.SetOnWindowCreated(nullptr);
    return;
  }
  watch_.SetOnWindowCreated(
      [this](TWatch& sender, WindowHandle handle, const std::wstring& appName) {
        WatchWindowCreated(sender, handle, appName);
      });
}

void NewWindowWatch::WatchWindowCreated(TWatch&, WindowHandle Handle, const std::wstring&) {
  if (!options_.hideNewlyCreatedWindows || !hideMode_.Active()) return;
  if (windows_.Owner(Handle).process == ownProcess_) return;
  if (!runOutsidePasses_) {
    hideMode_.CaptureAndHideNewWindow(Handle);
    return;
  }
  // Kept until a running pass ends, by when a restore may have ended hide mode.
  runOutsidePasses_([this, Handle] {
    if (hideMode_.Active()) hideMode_.CaptureAndHideNewWindow(Handle);
  });
}

}  // namespace dpx
