#include "hide_scenarios.h"

#include <string>
#include <vector>

#include "bare_minimum.h"
#include "bench_stats.h"
#include "hide/hide_mode.h"
#include "no_program_window.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx::bench {
namespace {

// DPX's hide path on the real Win32 platform, as dpx.exe wires it.
class DpxHide {
 public:
  explicit DpxHide(std::vector<ListEntry> doNotHide) : doNotHide_(std::move(doNotHide)) {}

  double TimeCapture() {
    CapturedWindowList list;
    return TimeMs([&] { capture_.CaptureTopLevelWindows(list); });
  }
  double TimeHide() {
    return TimeMs([&] {
      hideMode_.Begin();
      hideMode_.CaptureAndHideAll();
    });
  }
  double TimeRestore() {
    return TimeMs([&] {
      hideMode_.RestoreHiddenWindows();
      hideMode_.End();
    });
  }

 private:
  win32::Win32WindowManager windows_;
  win32::Win32Processes processes_;
  win32::Win32TextServices text_;
  testing::NoProgramWindow program_;
  std::vector<ListEntry> doNotHide_;
  WindowCapture capture_{windows_, processes_, program_};
  HideMode hideMode_{windows_, capture_, program_, text_, doNotHide_};
};

// Half by title, half all windows of a program: every window is compared with all 40.
std::vector<ListEntry> FortyEntriesProtectingNone() {
  win32::Win32TextServices text;
  std::vector<ListEntry> entries;
  for (int i = 0; i < 20; ++i) {
    entries.emplace_back(text, L"Window not open " + std::to_wstring(i), L"", false);
    entries.emplace_back(text, L"", L"C:\\Programs\\absent" + std::to_wstring(i) + L".exe", true);
  }
  return entries;
}

}  // namespace

HideRounds MeasureHideAndRestore(int runs, const std::function<void()>& settle) {
  DpxHide plain({});
  DpxHide withList(FortyEntriesProtectingNone());
  HideRounds rounds;
  for (int run = 0; run < runs; ++run) {
    std::vector<HWND> hidden;
    rounds.bareHide.push_back(TimeMs([&] { hidden = BareHide(); }));
    settle();
    rounds.bareShow.push_back(TimeMs([&] { BareShow(hidden); }));
    settle();
    rounds.capture.push_back(plain.TimeCapture());
    settle();
    rounds.hide.push_back(plain.TimeHide());
    settle();
    rounds.restore.push_back(plain.TimeRestore());
    settle();
    rounds.hide40.push_back(withList.TimeHide());
    settle();
    rounds.restore40.push_back(withList.TimeRestore());
    settle();
  }
  return rounds;
}

HungRounds MeasureWithHungPrograms(int runs, const std::function<void()>& beforeRound,
                                   const std::function<void()>& settle,
                                   const std::function<void()>& afterRounds) {
  DpxHide plain({});
  HungRounds rounds;
  for (int run = 0; run < runs; ++run) {
    beforeRound();
    rounds.hide.push_back(plain.TimeHide());
    settle();
    rounds.restore.push_back(plain.TimeRestore());
    settle();
  }
  afterRounds();
  return rounds;
}

}  // namespace dpx::bench
