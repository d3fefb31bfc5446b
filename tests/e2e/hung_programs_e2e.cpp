// The real dpx.exe against programs that stop answering or answer slowly in the middle of its
// hide: the other programs' windows must not wait for them, and every window must end where the
// last press put it.
#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dpx_windows.h"
#include "harness.h"
#include "session_state.h"
#include "windows_programs.h"

namespace dpx::e2e {
namespace {

constexpr char kKeyTarget[] = "Key Target";

// How many X windows titled "PREFIX N.I" are mapped.
std::size_t MappedWindows(const std::string& prefix) {
  std::istringstream ids(
      Run("xdotool search --onlyvisible --name '^" + prefix + " [0-9]+[.][0-9]+$'"));
  std::size_t count = 0;
  for (std::string id; std::getline(ids, id);)
    if (!id.empty()) ++count;
  return count;
}

// Helper arguments for `count` windows titled "PREFIX P.I", after `options`.
std::vector<std::string> WindowArguments(std::vector<std::string> options,
                                         const std::string& prefix, int program, int count) {
  for (int i = 0; i < count; ++i) {
    options.push_back("--window");
    options.push_back(prefix + " " + std::to_string(program) + "." + std::to_string(i));
  }
  return options;
}

class HungProgramsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDoNotHideList(FreshDataFolder(), {kKeyTarget});
    programs.emplace_back(kHelper, std::vector<std::string>{"--window", kKeyTarget});
    targetWindow = WaitForWindow(kKeyTarget);
    ASSERT_FALSE(targetWindow.empty());
  }

  // Starts `programs` helpers with `windows` windows each, titled "PREFIX P.I".
  void Open(const std::string& prefix, int count, int windows,
            const std::vector<std::string>& options = {}) {
    for (int program = 0; program < count; ++program)
      programs.emplace_back(kHelper, WindowArguments(options, prefix, program, windows));
    ASSERT_TRUE(WaitUntil(
        [&] { return MappedWindows(prefix) == static_cast<std::size_t>(count * windows); }, 60s))
        << prefix << " windows did not open";
  }

  void StartDpx() {
    dpx.emplace(StartWindowsProgram("dpx.exe", {"/q"}));
    ASSERT_TRUE(WaitForDpxWindow()) << "dpx.exe made no main window";
  }

  // Presses the hide key once it has answered: `done` within `patience` of a press that arrived.
  bool Toggle(const std::function<bool()>& done, std::chrono::milliseconds patience = 10s) {
    return PressAndWait("ctrl+grave", targetWindow, done, patience);
  }

  // What the helpers whose windows are titled "PREFIX ..." have printed.
  std::string OutputOf(const std::string& prefix) {
    std::string all;
    for (WindowsProgram& helper : programs) {
      const std::string output = helper.program().Output();
      if (output.find(" " + prefix + " ") != std::string::npos) all += output;
    }
    return all;
  }

  std::list<WindowsProgram> programs;
  std::optional<Program> dpx;
  std::string targetWindow;
};

TEST_F(HungProgramsE2e, ProgramThatStartsToHangHalfWayThroughTheHideDoesNotHoldItUp) {
  // It answers DPX's first calls, then sleeps 30 s inside the hide of its first window.
  Open("Hangs", 1, 2, {"--hang-on-hide", "30000", "--report-shows", "1"});
  Open("Other", 5, 10);
  StartDpx();

  // Held up by the hung program, the 50 would stay on the screen for its 30 s: longer than the
  // three presses' patience.
  ASSERT_TRUE(Toggle([] { return MappedWindows("Other") == 0; }, 8s));
  ASSERT_TRUE(Toggle([] { return MappedWindows("Other") == 50; }, 8s));
  // The hung program's windows end shown too: its restore waited behind its hide. While it hangs
  // inside the first hide both windows are still mapped, so wait for its reports that it carried
  // out the two hides and the two shows queued for it, then for X.
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::string reports = OutputOf("Hangs");
        return Occurrences(reports, "[hidden]") == 2 && Occurrences(reports, "[shown]") == 2 &&
               MappedWindows("Hangs") == 2;
      },
      45s))
      << OutputOf("Hangs");
  // And the next press takes every window again, the hung program's now answering ones too.
  EXPECT_TRUE(Toggle([] { return MappedWindows("Other") == 0 && MappedWindows("Hangs") == 0; }));
  EXPECT_TRUE(Toggle([] { return MappedWindows("Other") == 50 && MappedWindows("Hangs") == 2; }));
  EXPECT_TRUE(dpx->Running());
}

TEST_F(HungProgramsE2e, RestorePressedWhileSlowProgramsStillHideEndsWithEveryWindowShown) {
  // Each show or hide of their windows takes 300 ms.
  Open("Slow", 3, 4, {"--slow-ms", "300"});
  Open("Quick", 1, 4);
  StartDpx();

  // The slow ones are still being hidden one after another when the restore comes.
  ASSERT_TRUE(Toggle([] { return MappedWindows("Quick") == 0; }));
  ASSERT_TRUE(Toggle([] { return MappedWindows("Quick") == 4; }));
  EXPECT_TRUE(WaitUntil([] { return MappedWindows("Slow") == 12; }, 30s))
      << "a slow program's window stayed hidden";
  // Out of hide mode with nothing left behind: the next two presses turn every window over.
  EXPECT_TRUE(Toggle([] { return MappedWindows("Quick") + MappedWindows("Slow") == 0; }, 15s));
  EXPECT_TRUE(Toggle([] { return MappedWindows("Quick") + MappedWindows("Slow") == 16; }, 15s));
}

}  // namespace
}  // namespace dpx::e2e
