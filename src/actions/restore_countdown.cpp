#include "actions/restore_countdown.h"

namespace dpx {

void RestoreCountdown::Start() {
  seconds_ = kStartSeconds;
  running_ = true;
}

bool RestoreCountdown::Tick() {
  if (!running_) return false;
  --seconds_;
  if (seconds_ > 0) return false;
  running_ = false;
  return true;
}

std::wstring RestoreCountdown::Text() const {
  return L"Original mode will be restored in " + std::to_wstring(seconds_) + L" seconds.";
}

}  // namespace dpx
