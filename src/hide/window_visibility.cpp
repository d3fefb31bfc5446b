#include "hide/window_visibility.h"

namespace dpx {

bool ThreadProbe::Answers(WindowHandle window) {
  const ThreadId thread = windows_.Owner(window).thread;
  const auto known = answers_.find(thread);
  if (known != answers_.end()) return known->second;
  const bool answers = windows_.SendNull(window, bound_);
  answers_.emplace(thread, answers);
  return answers;
}

void ThreadProbe::MarkHung(WindowHandle window) {
  answers_[windows_.Owner(window).thread] = false;
}

void HideOneWindow(WindowManager& windows, ThreadProbe& probe, WindowHandle window) {
  if (!probe.Answers(window)) {
    // Changing the style would block on the hung thread; the window hides once it pumps again.
    windows.ShowAsync(window, ShowCommand::kHide);
    return;
  }
  windows.SetExStyle(window, windows.ExStyle(window) & kExStyleToolWindow);
  windows.Post(window, wm::kPaint);
  windows.Show(window, ShowCommand::kHide);
  if (!windows.SendNull(window, probe.bound())) probe.MarkHung(window);
}

void ShowOneWindow(WindowManager& windows, ThreadProbe& probe, WindowHandle window,
                   std::uint32_t exStyle) {
  if (!probe.Answers(window)) {
    // The style stays as the hide left it; the window shows once its thread pumps again.
    windows.ShowAsync(window, ShowCommand::kShowNoActivate);
    return;
  }
  windows.SetExStyle(window, exStyle);
  windows.Show(window, ShowCommand::kShowNoActivate);
  // A thread that stops answering half-way through a restore must not hold up the calls for its
  // next windows: asked again after each show, within the bound.
  if (!windows.SendNull(window, probe.bound())) probe.MarkHung(window);
}

}  // namespace dpx
