#include "e2e_observer.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "bare_minimum.h"
#include "bench_stats.h"
#include "child_process.h"
#include "lists/list_file.h"
#include "platform/win32/text_services_win32.h"
#include "window_farm.h"

namespace dpx::bench {
namespace {

using namespace std::chrono_literals;

constexpr int kWindows = 100;
constexpr int kPrograms = 10;
constexpr auto kLingerAfterwards = 60s;

long long WallClockNs() {
  FILETIME now{};
  ::GetSystemTimePreciseAsFileTime(&now);
  const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) |
                          static_cast<long long>(now.dwLowDateTime);
  constexpr long long kTicksFrom1601To1970 = 116444736000000000LL;
  return (ticks - kTicksFrom1601To1970) * 100;
}

// DPX's data folder emptied, with a Do not hide list that keeps the key target on the screen:
// the hot key needs a mapped window to arrive in.
void PrepareDataFolder() {
  wchar_t appData[MAX_PATH] = L"";
  ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  const std::filesystem::path folder = std::filesystem::path(appData) / L"Orvalen" / L"DPX";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  win32::Win32TextServices text;
  SaveListFile((folder / kExcludeListFileName).wstring(),
               {ListEntry(text, L"Key target", L"", false)});
}

bool AllVisibleAre(const std::vector<HWND>& windows, bool visible) {
  for (HWND window : windows)
    if ((::IsWindowVisible(window) != FALSE) != visible) return false;
  return true;
}

}  // namespace

int RunEndToEndObserver(int transitions, int pumpEveryMs) {
  WindowFarm farm(TestWindowsExe(), {kWindows, kPrograms, pumpEveryMs});
  testing::ChildProcess keyTarget(TestWindowsExe(), L"--window \"Key target\"");
  if (keyTarget.ReadLines(1, 30s).size() != 1) return 1;
  // The naive loop on the same windows, as many rounds as DPX will get, before dpx.exe starts.
  farm.WaitUntilQuiet();
  for (int round = 0; round < transitions / 2; ++round) {
    std::vector<HWND> hidden;
    const double hideMs = TimeMs([&] { hidden = BareHide(); });
    farm.WaitUntilQuiet();
    const double showMs = TimeMs([&] { BareShow(hidden); });
    farm.WaitUntilQuiet();
    std::printf("naive %.1f %.1f\n", hideMs, showMs);
    std::fflush(stdout);
  }
  PrepareDataFolder();
  testing::ChildProcess dpx(testing::ThisProgramFolder() + L"\\..\\dpx.exe", L"/q");
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (!::FindWindowW(nullptr, L"DPX")) {
    if (std::chrono::steady_clock::now() > deadline) return 1;
    std::this_thread::sleep_for(50ms);
  }
  std::printf("ready\n");
  std::fflush(stdout);

  bool wantHidden = true;
  for (int seen = 0; seen < transitions;) {
    if (AllVisibleAre(farm.Windows(), !wantHidden)) {
      std::printf("%s %lld\n", wantHidden ? "hidden" : "shown", WallClockNs());
      std::fflush(stdout);
      wantHidden = !wantHidden;
      ++seen;
    }
    ::Sleep(1);
  }
  // dpx.exe ends with this program: it stays up a while longer for the idle measurement.
  std::this_thread::sleep_for(kLingerAfterwards);
  return 0;
}

}  // namespace dpx::bench
