#include "window_farm.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace dpx::bench {
namespace {

using namespace std::chrono_literals;

// The test helper's hang timer fires this long after its windows are up.
constexpr int kHangAfterMs = 100;
// How long a program hung half-way sleeps inside its first hide.
constexpr int kHalfWayHangMs = 30000;
constexpr auto kQuietInterval = 50ms;

// The windows of one program: an even share, the first ones taking what is left over.
std::size_t ShareOf(int program, int windows, int programs) {
  return static_cast<std::size_t>(windows / programs + (program < windows % programs ? 1 : 0));
}

std::wstring ArgumentsOf(const FarmShape& shape, int program) {
  std::wstring arguments;
  if (shape.pumpEveryMs > 0) arguments += L"--pump-every " + std::to_wstring(shape.pumpEveryMs);
  if (program < shape.hungPrograms && shape.hang == Hang::kBeforePass)
    arguments += L" --hang-after " + std::to_wstring(kHangAfterMs);
  if (program < shape.hungPrograms && shape.hang == Hang::kHalfWay)
    arguments += L" --hang-on-hide " + std::to_wstring(kHalfWayHangMs);
  const std::size_t count = ShareOf(program, shape.windows, shape.programs);
  for (std::size_t i = 0; i < count; ++i)
    arguments +=
        L" --window \"Bench " + std::to_wstring(program) + L"." + std::to_wstring(i) + L"\"";
  return arguments;
}

}  // namespace

std::wstring TestWindowsExe() {
  // The benchmark is built in bench/ of the Windows build, the helper in tests/win32/.
  return testing::ThisProgramFolder() + L"\\..\\tests\\win32\\dpx_test_windows.exe";
}

WindowFarm::WindowFarm(const std::wstring& helperExe, const FarmShape& shape) {
  for (int program = 0; program < shape.programs; ++program)
    programs_.emplace_back(helperExe, ArgumentsOf(shape, program));
  for (int program = 0; program < shape.programs; ++program) {
    const std::size_t count = ShareOf(program, shape.windows, shape.programs);
    const auto lines = programs_[static_cast<std::size_t>(program)].ReadLines(count, 120s);
    if (lines.size() != count) throw std::runtime_error("the test windows did not open");
    const std::size_t first = windows_.size();
    for (const std::string& line : lines)
      windows_.push_back(
          reinterpret_cast<HWND>(std::stoull(line.substr(0, line.find(' ')), nullptr, 16)));
    const bool hung = program < shape.hungPrograms && shape.hang != Hang::kNone;
    if (hung && shape.hang == Hang::kBeforePass) hungWindows_.push_back(windows_[first]);
    if (hung) continue;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(windows_.back(), &processId);
    answering_.emplace_back(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  }
  if (!hungWindows_.empty()) WaitUntilHung();
  hungSince_ = std::chrono::steady_clock::now();
  if (shape.pumpEveryMs > 0) {
    // A render loop is never idle: what it uses at rest, once it has painted its windows.
    std::this_thread::sleep_for(1s);
    atRest_ = BusiestInterval(6) * 3 / 2;
  }
}

void WindowFarm::WaitUntilHung() {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  for (HWND window : hungWindows_) {
    DWORD_PTR result = 0;
    while (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result)) {
      if (std::chrono::steady_clock::now() > deadline)
        throw std::runtime_error("the hung program kept answering");
      std::this_thread::sleep_for(20ms);
    }
  }
}

std::uint64_t WindowFarm::ProcessorTime() const {
  std::uint64_t total = 0;
  for (const win32::UniqueHandle& process : answering_) {
    FILETIME created, ended, kernel, user;
    if (!::GetProcessTimes(process.Get(), &created, &ended, &kernel, &user)) continue;
    for (const FILETIME& time : {kernel, user})
      total += (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  }
  return total;
}

std::uint64_t WindowFarm::BusiestInterval(int intervals) const {
  std::uint64_t last = ProcessorTime();
  std::uint64_t busiest = 0;
  for (int i = 0; i < intervals; ++i) {
    std::this_thread::sleep_for(kQuietInterval);
    const std::uint64_t now = ProcessorTime();
    busiest = std::max(busiest, now - last);
    last = now;
  }
  return busiest;
}

void WindowFarm::WaitUntilQuiet() {
  // Quiet: two intervals in a row that use no more than the programs do at rest (nothing, unless
  // they run render loops), or at most ten seconds.
  std::uint64_t last = ProcessorTime();
  for (int quiet = 0, round = 0; quiet < 2 && round < 200; ++round) {
    std::this_thread::sleep_for(kQuietInterval);
    const std::uint64_t now = ProcessorTime();
    quiet = now - last <= atRest_ ? quiet + 1 : 0;
    last = now;
  }
}

std::chrono::seconds WindowFarm::HungFor() const {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                          hungSince_);
}

}  // namespace dpx::bench
