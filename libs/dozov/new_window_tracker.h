#pragma once

// Decides which shell notifications the library sends about windows, from what the system tells
// (a window was created, shown or destroyed; the foreground changed) and from polling where the
// system tells less. Portable, so that its rules are tested natively.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace dozov {

using Window = std::uint64_t;

// The shell notification codes, as the receiver gets them in lParam.
enum class ShellCode : std::int64_t { kCreated = 1, kDestroyed = 2, kActivated = 4 };

// What the tracker asks of the system about a window.
class WindowQueries {
 public:
  virtual ~WindowQueries() = default;

  // A top-level window that could become one of the user's: not a child, not an input-method
  // window, not a message-only window.
  virtual bool IsCandidate(Window window) = 0;
  virtual bool IsVisible(Window window) = 0;
  virtual bool Exists(Window window) = 0;
  // 0 when no window has the foreground.
  virtual Window Foreground() = 0;
};

// A new top-level window is reported once, when it is first shown, never at its creation: until
// then it is nothing the user can see. Windows that existed before watching began are never
// reported as created. A window reported as created is reported as destroyed when it goes.
class NewWindowTracker {
 public:
  using Report = std::function<void(Window window, ShellCode code)>;

  NewWindowTracker(WindowQueries& queries, Report report)
      : queries_(queries), report_(std::move(report)), foreground_(queries.Foreground()) {}

  void Created(Window window) {
    if (Known(pending_, window) || Known(reported_, window) || !queries_.IsCandidate(window))
      return;
    if (queries_.IsVisible(window))
      ReportCreated(window);
    else
      pending_.push_back(window);
  }

  void Shown(Window window) {
    if (Remove(pending_, window)) ReportCreated(window);
  }

  void Destroyed(Window window) {
    Remove(pending_, window);
    if (Remove(reported_, window)) report_(window, ShellCode::kDestroyed);
  }

  void ForegroundChanged() {
    const Window now = queries_.Foreground();
    if (now == foreground_) return;
    foreground_ = now;
    if (now != 0) report_(now, ShellCode::kActivated);
  }

  // Catches what the system did not tell: windows shown or gone, a new foreground window.
  void Poll() {
    for (const Window window : std::vector<Window>(pending_)) {
      if (!queries_.Exists(window))
        Remove(pending_, window);
      else if (queries_.IsVisible(window))
        Shown(window);
    }
    for (const Window window : std::vector<Window>(reported_))
      if (!queries_.Exists(window)) Destroyed(window);
    ForegroundChanged();
  }

 private:
  static bool Known(const std::vector<Window>& list, Window window) {
    return std::find(list.begin(), list.end(), window) != list.end();
  }
  static bool Remove(std::vector<Window>& list, Window window) {
    const auto found = std::find(list.begin(), list.end(), window);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
  }
  void ReportCreated(Window window) {
    reported_.push_back(window);
    report_(window, ShellCode::kCreated);
  }

  WindowQueries& queries_;
  Report report_;
  Window foreground_;
  std::vector<Window> pending_;   // created while watching, not shown yet
  std::vector<Window> reported_;  // reported as created, not yet as destroyed
};

}  // namespace dozov
