#pragma once

#include <functional>
#include <vector>

namespace dpx::bench {

// Milliseconds of each round of one configuration, all on the same windows.
struct HideRounds {
  std::vector<double> bareHide;  // the naive loop: walk, ShowWindow(SW_HIDE) one after another
  std::vector<double> bareShow;
  std::vector<double> capture;
  std::vector<double> hide;     // CaptureAndHideAll, empty Do not hide list
  std::vector<double> restore;  // RestoreHiddenWindows after it
  std::vector<double> hide40;   // with 40 entries that protect none of the windows
  std::vector<double> restore40;
};

struct HungRounds {
  std::vector<double> hide;
  std::vector<double> restore;
};

// Times the naive loop and DPX's capture, hide and restore on the windows now on the desktop,
// interleaved in each of `runs` rounds so that every figure sees the same load. `settle` runs
// untimed after each step, until what the step started on the desktop has finished.
HideRounds MeasureHideAndRestore(int runs, const std::function<void()>& settle);

// Times DPX's hide and restore alone: the naive loop would block on a hung program for good.
// `beforeRound` runs untimed before each round (to renew programs that answer again);
// `afterRounds` must end the hung programs: calls still queued for them run on DPX's workers,
// which need the window manager measured here until they return.
HungRounds MeasureWithHungPrograms(int runs, const std::function<void()>& beforeRound,
                                   const std::function<void()>& settle,
                                   const std::function<void()>& afterRounds);

}  // namespace dpx::bench
