#pragma once

#include <vector>

#include "fakes/fake_text_services.h"
#include "fakes/simulated_desktop.h"
#include "hide/hide_mode.h"
#include "hide/window_capture.h"

namespace dpx::fakes {

// Hide mode over the simulated desktop as the hide tests build it: the real capture, DPX's own
// window and an empty Do not hide list. Fixtures derive from it to name its parts directly.
struct SimulatedHideMode {
  SimulatedDesktop desktop;
  FakeProgramWindow program{desktop};
  FakeTextServices text;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{desktop, desktop, program};
  HideMode hideMode{desktop, capture, program, text, doNotHide};
};

}  // namespace dpx::fakes
