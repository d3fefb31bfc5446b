#pragma once

#include <string>

namespace dpx {

// The countdown of the display mode test dialog, driven by its one-second timer: it starts at 10
// when the dialog shows, and the dialog closes on the tick that reaches 0.
class RestoreCountdown {
 public:
  static constexpr int kStartSeconds = 10;

  void Start();
  // One timer tick. True when the dialog is to close now; a tick after that changes nothing.
  bool Tick();

  bool Running() const { return running_; }
  int SecondsLeft() const { return seconds_; }
  // "Original mode will be restored in 10 seconds."
  std::wstring Text() const;

 private:
  int seconds_ = kStartSeconds;
  bool running_ = false;
};

}  // namespace dpx
