#include "window_farm.h"

#include <stdexcept>
#include <thread>

namespace dpx::bench {
namespace {

using namespace std::chrono_literals;

// The test helper's hang timer fires this long after its windows are up.
constexpr int kHangAfterMs = 100;

// The windows of one program: an even share, the first ones taking what is left over.
std::size_t ShareOf(int program, int windows, int programs) {
  return static_cast<std::size_t>(windows / programs + (program < windows % programs ? 1 : 0));
}

}  // namespace

std::wstring TestWindowsExe() {
  // The benchmark is built in bench/ of the Windows build, the helper in tests/win32/.
  return testing::ThisProgramFolder() + L"\\..\\tests\\win32\\dpx_test_windows.exe";
}

WindowFarm::WindowFarm(const std::wstring& helperExe, int windows, int processes, bool oneHung) {
  for (int program = 0; program < processes; ++program) {
    const std::size_t count = ShareOf(program, windows, processes);
    std::wstring arguments;
    if (oneHung && program == 0) arguments = L"--hang-after " + std::to_wstring(kHangAfterMs);
    for (std::size_t i = 0; i < count; ++i)
      arguments +=
          L" --window \"Bench " + std::to_wstring(program) + L"." + std::to_wstring(i) + L"\"";
    programs_.emplace_back(helperExe, arguments);
  }
  for (int program = 0; program < processes; ++program) {
    const std::size_t count = ShareOf(program, windows, processes);
    const auto lines = programs_[static_cast<std::size_t>(program)].ReadLines(count, 120s);
    if (lines.size() != count) throw std::runtime_error("the test windows did not open");
    for (const std::string& line : lines) {
      const HWND window =
          reinterpret_cast<HWND>(std::stoull(line.substr(0, line.find(' ')), nullptr, 16));
      windows_.push_back(window);
      if (oneHung && program == 0) hungWindows_.push_back(window);
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(windows_.back(), &processId);
    processes_.emplace_back(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  }
  if (oneHung) WaitUntilHung();
}

void WindowFarm::WaitUntilHung() {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (std::chrono::steady_clock::now() < deadline) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hungWindows_.front(), WM_NULL, 0, 0, SMTO_NORMAL, 50, &result)) {
      hungSince_ = std::chrono::steady_clock::now();
      return;
    }
    std::this_thread::sleep_for(20ms);
  }
  throw std::runtime_error("the hung program kept answering");
}

std::uint64_t WindowFarm::ProcessorTime() const {
  std::uint64_t total = 0;
  for (const win32::UniqueHandle& process : processes_) {
    FILETIME created, ended, kernel, user;
    if (!::GetProcessTimes(process.Get(), &created, &ended, &kernel, &user)) continue;
    for (const FILETIME& time : {kernel, user})
      total += (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  }
  return total;
}

void WindowFarm::WaitUntilQuiet() {
  // Quiet: no processor time in two intervals in a row, or at most ten seconds.
  std::uint64_t last = ProcessorTime();
  for (int quiet = 0, round = 0; quiet < 2 && round < 200; ++round) {
    std::this_thread::sleep_for(50ms);
    const std::uint64_t now = ProcessorTime();
    quiet = now == last ? quiet + 1 : 0;
    last = now;
  }
}

std::chrono::seconds WindowFarm::HungFor() const {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                          hungSince_);
}

}  // namespace dpx::bench
