#pragma once

#include "app/options.h"
#include "hide/hide_mode.h"
#include "hide/hide_steps.h"

namespace dpx {

// The one command behind every hide trigger: hides the desktop, or puts it back as it was.
class HideToggle {
 public:
  HideToggle(HideMode& hideMode, HideSteps& steps, const Options& options, const bool& ready)
      : hideMode_(hideMode), steps_(steps), options_(options), ready_(ready) {}

  void Toggle();

 private:
  void Hide();
  void Restore();

  HideMode& hideMode_;
  HideSteps& steps_;
  const Options& options_;
  const bool& ready_;
};

}  // namespace dpx
