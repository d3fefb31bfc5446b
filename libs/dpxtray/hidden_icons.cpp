#include "hidden_icons.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/window_mark_value.h"

namespace dpxtray {
namespace {

// How long the shell's thread may take to answer before it counts as hung.
constexpr UINT kAnswerBoundMs = 200;

// A hung shell thread would block ShowWindow for good: each thread is asked once, with a bound,
// and the windows of one that does not answer are shown or hidden when it pumps again.
class ShowCalls {
 public:
  void Show(HWND window, int command) {
    if (Answers(window))
      ::ShowWindow(window, command);
    else
      ::ShowWindowAsync(window, command);
  }

 private:
  bool Answers(HWND window) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const auto known = answers_.find(thread);
    if (known != answers_.end()) return known->second;
    DWORD_PTR result = 0;
    const bool answers =
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerBoundMs,
                              &result) != 0;
    answers_.emplace(thread, answers);
    return answers;
  }

  std::map<DWORD, bool> answers_;
};

// DPX's mark, so that a DPX started after this process was killed finds the icon windows it must
// show again. A window DPX already marked (it hid it as a window) keeps that mark and its style;
// true when this call set it.
bool Mark(HWND window) {
  if (::GetPropW(window, dpx::kWindowMarkName)) return false;
  const auto exStyle = static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_EXSTYLE));
  return ::SetPropW(window, dpx::kWindowMarkName,
                    reinterpret_cast<HANDLE>(dpx::WindowMarkValue(exStyle))) != FALSE;
}

}  // namespace

void HiddenIcons::Hide(const std::vector<HWND>& windows) {
  std::lock_guard<std::mutex> lock(mutex_);
  ShowCalls calls;
  for (HWND window : windows) {
    if (Mark(window)) marked_.push_back(window);
    calls.Show(window, SW_HIDE);
    if (std::find(hidden_.begin(), hidden_.end(), window) == hidden_.end())
      hidden_.push_back(window);
  }
}

int HiddenIcons::Restore() {
  std::lock_guard<std::mutex> lock(mutex_);
  ShowCalls calls;
  int shown = 0;
  for (auto it = hidden_.rbegin(); it != hidden_.rend(); ++it) {
    // A window that was destroyed meanwhile (the shell restarted) has a new, shown successor.
    if (!::IsWindow(*it)) continue;
    calls.Show(*it, SW_SHOWNA);
    ++shown;
  }
  hidden_.clear();
  UnmarkAll();
  return shown;
}

void HiddenIcons::RestoreWithoutWaiting() {
  std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock()) return;
  for (auto it = hidden_.rbegin(); it != hidden_.rend(); ++it)
    if (::IsWindow(*it)) ::ShowWindowAsync(*it, SW_SHOWNA);
  hidden_.clear();
  UnmarkAll();
}

int HiddenIcons::RestoreMarked(const std::vector<HWND>& candidates) {
  std::lock_guard<std::mutex> lock(mutex_);
  ShowCalls calls;
  int shown = 0;
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    if (!::GetPropW(*it, dpx::kWindowMarkName)) continue;
    if (!::IsWindowVisible(*it)) {
      calls.Show(*it, SW_SHOWNA);
      ++shown;
    }
    ::RemovePropW(*it, dpx::kWindowMarkName);
  }
  return shown;
}

void HiddenIcons::UnmarkAll() {
  for (HWND window : marked_) ::RemovePropW(window, dpx::kWindowMarkName);
  marked_.clear();
}

HiddenIcons& ProcessHiddenIcons() {
  static HiddenIcons icons;
  return icons;
}

}  // namespace dpxtray
