// dpx_hide_bench.exe: how long DPX's hide and restore take against the bare minimum on the same
// windows, under the platform it runs on. Started by scripts/bench in a Wine session of its own.
//   (no options)        every configuration: N = 10, 100, 500 windows over K = 1 and 10 programs,
//                       then the same with one hung program among them
//   --runs R            rounds per configuration (default 7); each figure is the median
//   --windows N         only this N (repeatable)
//   --e2e TRANSITIONS   the end-to-end observer instead (see e2e_observer.h)
// Prints Markdown tables: milliseconds, and in brackets the ratio to the bare minimum measured in
// the same rounds (hide and capture to the bare hide, restore to the bare show).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "e2e_observer.h"
#include "hide_scenarios.h"
#include "window_farm.h"

namespace dpx::bench {
namespace {

using namespace std::chrono_literals;

// A hung program answers again after a minute: a farm this old is renewed before a round.
constexpr auto kHungFarmMaxAge = 40s;

struct Options {
  int runs = 7;
  std::vector<int> windows;
  int e2eTransitions = 0;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const int value = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
    if (option == L"--runs") options.runs = value;
    if (option == L"--windows") options.windows.push_back(value);
    if (option == L"--e2e") options.e2eTransitions = value;
  }
  if (options.windows.empty()) options.windows = {10, 100, 500};
  return options;
}

std::string WithRatio(double ms, double bare) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f (%.2fx)", ms, bare > 0 ? ms / bare : 0.0);
  return text;
}

HungFigures MeasureHungConfiguration(int windows, int programs, int runs) {
  std::unique_ptr<WindowFarm> farm;
  return MeasureWithHungProgram(
      runs,
      [&] {
        if (farm && farm->HungFor() < kHungFarmMaxAge) return;
        farm.reset();
        farm = std::make_unique<WindowFarm>(TestWindowsExe(), windows, programs, /*oneHung=*/true);
        farm->WaitUntilQuiet();
      },
      [&] { farm->WaitUntilQuiet(); });
}

// Both tables, each configuration measured on fresh programs. The hung program is the first of
// the K; with K = 1 every window is its.
void PrintTables(const Options& options) {
  std::string plain =
      "| N | K | bare hide | bare show | capture | hide | restore | hide, 40 entries | "
      "restore, 40 entries |\n|---|---|---|---|---|---|---|---|---|\n";
  std::string hung =
      "| N | K | hide with one hung program | added to the hide | restore with it | added to "
      "the restore |\n|---|---|---|---|---|---|\n";
  char row[512];
  for (int windows : options.windows) {
    for (int programs : {1, 10}) {
      std::fprintf(stderr, "measuring N = %d, K = %d\n", windows, programs);
      HideFigures f;
      {
        WindowFarm farm(TestWindowsExe(), windows, programs, /*oneHung=*/false);
        farm.WaitUntilQuiet();
        f = MeasureHideAndRestore(options.runs, [&] { farm.WaitUntilQuiet(); });
      }
      std::snprintf(
          row, sizeof row, "| %d | %d | %.1f | %.1f | %s | %s | %s | %s | %s |\n", windows,
          programs, f.bareHide, f.bareShow, WithRatio(f.capture, f.bareHide).c_str(),
          WithRatio(f.hide, f.bareHide).c_str(), WithRatio(f.restore, f.bareShow).c_str(),
          WithRatio(f.hide40, f.bareHide).c_str(), WithRatio(f.restore40, f.bareShow).c_str());
      plain += row;
      const HungFigures h = MeasureHungConfiguration(windows, programs, options.runs);
      std::snprintf(row, sizeof row, "| %d | %d | %.1f | %+.1f | %.1f | %+.1f |\n", windows,
                    programs, h.hide, h.hide - f.hide, h.restore, h.restore - f.restore);
      hung += row;
    }
  }
  std::printf("%s\n%s", plain.c_str(), hung.c_str());
}

}  // namespace
}  // namespace dpx::bench

int wmain(int argc, wchar_t** argv) {
  using namespace dpx::bench;
  const Options options = ParseOptions(argc, argv);
  try {
    if (options.e2eTransitions > 0) return RunEndToEndObserver(options.e2eTransitions);
    PrintTables(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dpx_hide_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
