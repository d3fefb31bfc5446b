#include "hide/toggle_requests.h"

#include <exception>
#include <utility>

namespace dpx {

void ToggleRequests::Press() {
  if (closed_) return;
  pressKept_ = !pressKept_;
  RunKept();
}

void ToggleRequests::Restore() {
  if (closed_) return;
  restoreKept_ = true;
  pressKept_ = false;
  RunKept();
}

void ToggleRequests::AfterPass(std::function<void()> work) {
  if (closed_) return;
  workKept_.push_back(std::move(work));
  RunKept();
}

void ToggleRequests::Close() {
  closed_ = true;
  restoreKept_ = false;
  pressKept_ = false;
  workKept_.clear();
}

void ToggleRequests::RunKept() {
  // Inside a pass: what was just kept runs when the outer call gets here again.
  if (running_) return;
  running_ = true;
  std::exception_ptr firstError;
  while (restoreKept_ || pressKept_ || !workKept_.empty()) {
    try {
      RunNext();
    } catch (...) {
      if (!firstError) firstError = std::current_exception();
    }
  }
  running_ = false;
  if (firstError) std::rethrow_exception(firstError);
}

void ToggleRequests::RunNext() {
  if (std::exchange(restoreKept_, false)) {
    if (hideMode_.Active()) toggle_.Toggle();
    return;
  }
  if (std::exchange(pressKept_, false)) {
    toggle_.Toggle();
    return;
  }
  const std::function<void()> work = std::move(workKept_.front());
  workKept_.erase(workKept_.begin());
  work();
}

}  // namespace dpx
