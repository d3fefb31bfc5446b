// dpx_hide_bench.exe: how long DPX's hide and restore take against the naive loop (walk the
// windows, ShowWindow one after another) on the same windows, under the platform it runs on.
// Started by scripts/bench in a Wine session of its own.
//   (no options)        every configuration: programs that answer at once and render loops that
//                       pump every 5 or 16 ms, up to 500 windows over 1 to 15 programs; then
//                       programs that hang before the pass or half-way through it
//   --runs R            rounds per configuration (default 7)
//   --windows N         only the configurations with N windows (repeatable)
//   --e2e TRANSITIONS   the end-to-end observer instead (see e2e_observer.h)
//   --pump-every MS     with --e2e: the observed programs' render loop period (0: none)
// Prints Markdown tables: each figure is the median in milliseconds, the median of the rounds'
// ratios to the naive loop of the same round, and the range of those ratios over the rounds.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "bench_stats.h"
#include "e2e_observer.h"
#include "hide_scenarios.h"
#include "window_farm.h"

namespace dpx::bench {
namespace {

using namespace std::chrono_literals;

// A program hung before the pass answers again after a minute: a farm this old is renewed.
constexpr auto kHungFarmMaxAge = 40s;

struct Options {
  int runs = 7;
  std::vector<int> windows;
  int e2eTransitions = 0;
  int pumpEveryMs = 0;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const int value = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
    if (option == L"--runs") options.runs = value;
    if (option == L"--windows") options.windows.push_back(value);
    if (option == L"--e2e") options.e2eTransitions = value;
    if (option == L"--pump-every") options.pumpEveryMs = value;
  }
  return options;
}

bool Wanted(const Options& options, int windows) {
  if (options.windows.empty()) return true;
  for (int n : options.windows)
    if (n == windows) return true;
  return false;
}

std::string LoopName(int pumpEveryMs) {
  return pumpEveryMs == 0 ? "at once" : "every " + std::to_string(pumpEveryMs) + " ms";
}

std::string HangName(const FarmShape& shape) {
  const std::string who =
      shape.hungPrograms == 1 ? "one program" : std::to_string(shape.hungPrograms) + " programs";
  return who + (shape.hang == Hang::kBeforePass ? ", before the pass" : ", half-way");
}

using ShapeKey = std::tuple<int, int, int>;  // windows, programs, pump period

const std::vector<FarmShape> kPlainShapes = {
    {10, 1, 0}, {100, 10, 0}, {100, 10, 5}, {100, 10, 16}, {300, 15, 0}, {300, 15, 5}, {500, 10, 0},
};

const std::vector<FarmShape> kHungShapes = {
    {100, 10, 0, Hang::kBeforePass, 1},
    {100, 10, 0, Hang::kHalfWay, 1},
    {300, 15, 0, Hang::kBeforePass, 10},
    {300, 15, 0, Hang::kHalfWay, 10},
};

HungRounds MeasureHung(const FarmShape& shape, int runs) {
  std::unique_ptr<WindowFarm> farm;
  return MeasureWithHungPrograms(
      runs,
      [&] {
        // A half-way hang happens once per program: every round gets fresh ones.
        if (farm && shape.hang == Hang::kBeforePass && farm->HungFor() < kHungFarmMaxAge) return;
        farm.reset();
        farm = std::make_unique<WindowFarm>(TestWindowsExe(), shape);
        farm->WaitUntilQuiet();
      },
      [&] { farm->WaitUntilQuiet(); }, [&] { farm.reset(); });
}

void PrintTables(const Options& options) {
  std::string plain =
      "| N | K | loop | naive hide | naive show | capture | hide | restore | hide, 40 entries | "
      "restore, 40 entries |\n|---|---|---|---|---|---|---|---|---|---|\n";
  std::map<ShapeKey, HideRounds> measured;
  for (const FarmShape& shape : kPlainShapes) {
    if (!Wanted(options, shape.windows)) continue;
    std::fprintf(stderr, "measuring N = %d, K = %d, loop %s\n", shape.windows, shape.programs,
                 LoopName(shape.pumpEveryMs).c_str());
    WindowFarm farm(TestWindowsExe(), shape);
    farm.WaitUntilQuiet();
    const HideRounds r = MeasureHideAndRestore(options.runs, [&] { farm.WaitUntilQuiet(); });
    plain += "| " + std::to_string(shape.windows) + " | " + std::to_string(shape.programs) + " | " +
             LoopName(shape.pumpEveryMs) + " | " + WithRange(r.bareHide) + " | " +
             WithRange(r.bareShow) + " | " + WithRatioRange(r.capture, r.bareHide) + " | " +
             WithRatioRange(r.hide, r.bareHide) + " | " + WithRatioRange(r.restore, r.bareShow) +
             " | " + WithRatioRange(r.hide40, r.bareHide) + " | " +
             WithRatioRange(r.restore40, r.bareShow) + " |\n";
    measured[{shape.windows, shape.programs, shape.pumpEveryMs}] = r;
  }
  std::string hung =
      "| N | K | what hangs | hide with it | added to the hide | restore with it | added to the "
      "restore |\n|---|---|---|---|---|---|---|\n";
  char added[64];
  for (const FarmShape& shape : kHungShapes) {
    if (!Wanted(options, shape.windows)) continue;
    std::fprintf(stderr, "measuring N = %d, K = %d, %s\n", shape.windows, shape.programs,
                 HangName(shape).c_str());
    const HungRounds h = MeasureHung(shape, options.runs);
    const HideRounds& base = measured[{shape.windows, shape.programs, shape.pumpEveryMs}];
    hung += "| " + std::to_string(shape.windows) + " | " + std::to_string(shape.programs) + " | " +
            HangName(shape) + " | " + WithRange(h.hide) + " | ";
    std::snprintf(added, sizeof added, "%+.0f", Median(h.hide) - Median(base.hide));
    hung += std::string(added) + " | " + WithRange(h.restore) + " | ";
    std::snprintf(added, sizeof added, "%+.0f", Median(h.restore) - Median(base.restore));
    hung += std::string(added) + " |\n";
  }
  std::printf("%s\n%s", plain.c_str(), hung.c_str());
}

}  // namespace
}  // namespace dpx::bench

int wmain(int argc, wchar_t** argv) {
  using namespace dpx::bench;
  const Options options = ParseOptions(argc, argv);
  try {
    if (options.e2eTransitions > 0)
      return RunEndToEndObserver(options.e2eTransitions, options.pumpEveryMs);
    PrintTables(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dpx_hide_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
