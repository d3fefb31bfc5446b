#pragma once

#include <map>

#include "fakes/simulated_desktop.h"
#include "platform/window_marks.h"

namespace dpx::fakes {

// Marks kept beside the simulated desktop; a closed window loses its mark, as a destroyed
// window loses its properties.
class FakeWindowMarks final : public WindowMarks {
 public:
  explicit FakeWindowMarks(SimulatedDesktop& desktop) : desktop_(desktop) {}

  void Mark(WindowHandle window, std::uint32_t exStyle) override {
    if (desktop_.Exists(window)) marks_[window] = exStyle;
  }
  std::optional<std::uint32_t> MarkedExStyle(WindowHandle window) override {
    const auto found = marks_.find(window);
    if (found == marks_.end() || !desktop_.Exists(window)) return std::nullopt;
    return found->second;
  }
  void Unmark(WindowHandle window) override { marks_.erase(window); }

 private:
  SimulatedDesktop& desktop_;
  std::map<WindowHandle, std::uint32_t> marks_;
};

}  // namespace dpx::fakes
