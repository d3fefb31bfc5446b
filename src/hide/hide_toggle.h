#pragma once

#include "app/options.h"
#include "hide/hide_mode.h"
#include "hide/hide_steps.h"
#include "hide/hide_trail.h"

namespace dpx {

// The one command behind every hide trigger: hides the desktop, or puts it back as it was.
class HideToggle {
 public:
  // `trail`, when given, is told of the steps of the hide that hide mode does not see.
  HideToggle(HideMode& hideMode, HideSteps& steps, const Options& options, const bool& ready,
             HideTrail* trail = nullptr)
      : hideMode_(hideMode), steps_(steps), options_(options), ready_(ready), trail_(trail) {}

  void Toggle();

 private:
  void Hide();
  void SideActionsBeforeHideMode();
  void Restore();

  HideMode& hideMode_;
  HideSteps& steps_;
  const Options& options_;
  const bool& ready_;
  HideTrail* trail_;
};

}  // namespace dpx
