#include "hide/window_visibility.h"

namespace dpx {
namespace {

void HideNow(WindowManager& windows, WindowHandle window) {
  windows.SetExStyle(window, windows.ExStyle(window) & kExStyleToolWindow);
  windows.Post(window, wm::kPaint);
  windows.Show(window, ShowCommand::kHide);
}

void ShowNow(WindowManager& windows, WindowHandle window, std::uint32_t exStyle) {
  windows.SetExStyle(window, exStyle);
  windows.Show(window, ShowCommand::kShowNoActivate);
}

QueuedCall QueueFor(WindowManager& windows, WindowHandle window, std::function<void()> call) {
  return windows.CallQueues().Queue(windows.Owner(window).thread, std::move(call));
}

}  // namespace

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
  HideNow(windows, window);
  if (!windows.SendNull(window, probe.bound())) probe.MarkHung(window);
}

void ShowOneWindow(WindowManager& windows, ThreadProbe& probe, WindowHandle window,
                   std::uint32_t exStyle) {
  if (!probe.Answers(window)) {
    // The style stays as the hide left it; the window shows once its thread pumps again.
    windows.ShowAsync(window, ShowCommand::kShowNoActivate);
    return;
  }
  ShowNow(windows, window, exStyle);
  // A thread that stops answering half-way through a restore must not hold up the calls for its
  // next windows: asked again after each show, within the bound.
  if (!windows.SendNull(window, probe.bound())) probe.MarkHung(window);
}

QueuedCall QueueHideOneWindow(WindowManager& windows, WindowHandle window) {
  return QueueFor(windows, window, [&windows, window] {
    HideNow(windows, window);
    // Its thread has handled the hide before the line moves on to its next window.
    windows.SendNull(window, kHungThreadBound);
  });
}

QueuedCall QueueShowOneWindow(WindowManager& windows, WindowHandle window, std::uint32_t exStyle) {
  return QueueFor(windows, window,
                  [&windows, window, exStyle] { ShowNow(windows, window, exStyle); });
}

QueuedCall QueueShowCommand(WindowManager& windows, WindowHandle window, ShowCommand command) {
  return QueueFor(windows, window, [&windows, window, command] { windows.Show(window, command); });
}

}  // namespace dpx
