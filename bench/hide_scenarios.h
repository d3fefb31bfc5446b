#pragma once

#include <functional>

namespace dpx::bench {

// Medians in milliseconds of one configuration's runs, all on the same windows.
struct HideFigures {
  double bareHide = 0;
  double bareShow = 0;
  double capture = 0;
  double hide = 0;     // CaptureAndHideAll, empty Do not hide list
  double restore = 0;  // RestoreHiddenWindows after it
  double hide40 = 0;   // with 40 entries that protect none of the windows
  double restore40 = 0;
};

struct HungFigures {
  double hide = 0;
  double restore = 0;
};

// Times the bare minimum and DPX's capture, hide and restore on the windows now on the desktop,
// interleaved in each of `runs` rounds so that every figure sees the same load. `settle` runs
// untimed after each step, until what the step started on the desktop has finished.
HideFigures MeasureHideAndRestore(int runs, const std::function<void()>& settle);

// Times DPX's hide and restore alone: the bare minimum would block on a hung program for good.
// `beforeRound` runs untimed before each round (to renew a program that answers again).
HungFigures MeasureWithHungProgram(int runs, const std::function<void()>& beforeRound,
                                   const std::function<void()>& settle);

}  // namespace dpx::bench
