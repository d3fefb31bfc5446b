// Hides and restores windows of other processes through the real window manager, and checks the
// result from a third process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>

#include "child_process.h"
#include "no_program_window.h"
#include "hide/hide_mode.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::NoProgramWindow;

struct Seen {
  bool visible = false;
  std::uint32_t exStyle = 0;
};

std::wstring Hex(WindowHandle window) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%llx", static_cast<unsigned long long>(window));
  return text;
}

// What a third process sees of these windows.
std::map<WindowHandle, Seen> SeenFromOutside(const std::vector<WindowHandle>& windows) {
  std::wstring arguments;
  for (WindowHandle window : windows) arguments += Hex(window) + L" ";
  ChildProcess probe(testing::ThisProgramFolder() + L"\\dpx_window_probe.exe", arguments);
  std::map<WindowHandle, Seen> seen;
  for (const std::string& line : probe.ReadLines(windows.size(), 10s)) {
    unsigned long long handle = 0;
    int visible = 0;
    unsigned long exStyle = 0;
    if (std::sscanf(line.c_str(), "%llx visible=%d exstyle=%lx", &handle, &visible, &exStyle) == 3)
      seen[handle] = {visible != 0, static_cast<std::uint32_t>(exStyle)};
  }
  return seen;
}

// Starts the test window program and returns its windows by title, once they are shown.
std::map<std::string, WindowHandle> OpenWindows(ChildProcess& helper, std::size_t count) {
  std::map<std::string, WindowHandle> windows;
  for (const std::string& line : helper.ReadLines(count, 20s)) {
    const auto space = line.find(' ');
    windows[line.substr(space + 1)] = std::stoull(line.substr(0, space), nullptr, 16);
  }
  return windows;
}

// Waits, within `bound`, until a third process sees every one of `windows` as `wanted` says.
bool SeenAs(const std::vector<WindowHandle>& windows,
            const std::function<bool(const Seen&)>& wanted, std::chrono::milliseconds bound = 15s) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    const auto seen = SeenFromOutside(windows);
    if (seen.size() == windows.size() &&
        std::all_of(seen.begin(), seen.end(),
                    [&](const auto& entry) { return wanted(entry.second); }))
      return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
  }
}

bool Hidden(const Seen& seen) {
  return !seen.visible;
}
bool Visible(const Seen& seen) {
  return seen.visible;
}

// Waits until the window's thread no longer answers (a helper started with --hang-after).
void WaitUntilHung(WindowHandle window) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  DWORD_PTR result = 0;
  while (::SendMessageTimeoutW(win32::ToHwnd(window), WM_NULL, 0, 0, SMTO_NORMAL, 50, &result))
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the helper kept answering";
}

std::vector<WindowHandle> Handles(const std::map<std::string, WindowHandle>& windows) {
  std::vector<WindowHandle> handles;
  for (const auto& entry : windows) handles.push_back(entry.second);
  return handles;
}

std::wstring HelperExe() {
  return testing::ThisProgramFolder() + L"\\dpx_test_windows.exe";
}

class HideWin32Test : public ::testing::Test {
 protected:
  win32::Win32WindowManager windows;
  win32::Win32Processes processes;
  win32::Win32TextServices text;
  NoProgramWindow program;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{windows, processes, program};
  HideMode hideMode{windows, capture, program, text, doNotHide};
};

TEST_F(HideWin32Test, CaptureNamesTheProgramOfAnotherProcessesWindow) {
  ChildProcess helper(HelperExe(), L"--exstyle 40000 --window \"Capture me\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Capture me");

  CapturedWindowList list;
  capture.CaptureTopLevelWindows(list);

  const auto row = std::find_if(list.begin(), list.end(),
                                [&](const CapturedWindow& r) { return r.info.Handle == window; });
  ASSERT_NE(row, list.end());
  EXPECT_EQ(row->info.Title, L"Capture me");
  EXPECT_EQ(text.ToUpper(row->info.ExePath), text.ToUpper(HelperExe()));
  EXPECT_EQ(row->caption, L"dpx_test_windows.exe");
  EXPECT_EQ(row->info.ExStyle, SeenFromOutside({window}).at(window).exStyle);
  EXPECT_NE(row->info.ExStyle & 0x40000u, 0u);
}

TEST_F(HideWin32Test, HidesExactlyTheUnprotectedWindowsAndRestoresTheirStyles) {
  const std::wstring protectedExe = testing::CopyBeside(HelperExe(), L"dpx_protected_app.exe");
  ChildProcess protectedProgram(protectedExe, L"--exstyle 40000 --window \"Protected by program\"");
  ChildProcess other(HelperExe(),
                     L"--exstyle 40000 --window \"Protected by title\" "
                     L"--exstyle 40008 --window \"Not protected\"");
  const WindowHandle byProgram = OpenWindows(protectedProgram, 1).at("Protected by program");
  auto otherWindows = OpenWindows(other, 2);
  const WindowHandle byTitle = otherWindows.at("Protected by title");
  const WindowHandle unprotected = otherWindows.at("Not protected");
  const std::vector<WindowHandle> all{byProgram, byTitle, unprotected};
  doNotHide = {ListEntry(text, L"Protected by title", L"C:\\elsewhere\\other.exe", false),
               ListEntry(text, L"", L"C:\\Program Files\\DPX_PROTECTED_APP.EXE", true)};
  const auto before = SeenFromOutside(all);
  ASSERT_EQ(before.size(), 3u);

  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  const auto hidden = SeenFromOutside(all);
  hideMode.RestoreHiddenWindows();
  hideMode.End();
  const auto restored = SeenFromOutside(all);

  EXPECT_TRUE(hidden.at(byProgram).visible);
  EXPECT_TRUE(hidden.at(byTitle).visible);
  EXPECT_FALSE(hidden.at(unprotected).visible);
  // WS_EX_APPWINDOW is gone, so it left the taskbar. (The system keeps the edge and topmost
  // bits, which a style change cannot clear.)
  EXPECT_EQ(hidden.at(unprotected).exStyle & 0x40000u, 0u);
  EXPECT_EQ(hidden.at(byTitle).exStyle, before.at(byTitle).exStyle);
  for (WindowHandle window : all) {
    EXPECT_TRUE(restored.at(window).visible) << Hex(window).c_str();
    EXPECT_EQ(restored.at(window).exStyle, before.at(window).exStyle) << Hex(window).c_str();
  }
}

TEST_F(HideWin32Test, HungProgramHoldsTheHideUpForNoMoreThanOneBound) {
  ChildProcess hung(HelperExe(), L"--hang-after 100 --window \"Hung one\" --window \"Hung two\"");
  ChildProcess fine(HelperExe(), L"--window \"Answers\"");
  const auto hungWindows = OpenWindows(hung, 2);
  const WindowHandle answers = OpenWindows(fine, 1).at("Answers");
  WaitUntilHung(hungWindows.at("Hung one"));

  const auto start = std::chrono::steady_clock::now();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  const auto hideTime = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(SeenFromOutside({answers}).at(answers).visible);

  const auto restoreStart = std::chrono::steady_clock::now();
  hideMode.RestoreHiddenWindows();
  hideMode.End();
  const auto restoreTime = std::chrono::steady_clock::now() - restoreStart;
  EXPECT_TRUE(SeenFromOutside({answers}).at(answers).visible);

  // The hung thread's line stalls once; without that the hide would block for the whole minute
  // the thread sleeps. The slack covers a slow machine.
  EXPECT_LT(hideTime, kHungThreadBound + 1500ms);
  EXPECT_LT(restoreTime, kHungThreadBound + 1500ms);
}

TEST_F(HideWin32Test, TenHungProgramsAddOneBoundInAll) {
  std::vector<ChildProcess> hung;
  std::vector<WindowHandle> hungWindows;
  for (int i = 0; i < 10; ++i) {
    const std::wstring title = L"Hung " + std::to_wstring(i);
    hung.emplace_back(HelperExe(), L"--hang-after 100 --window \"" + title + L"\"");
    hungWindows.push_back(OpenWindows(hung.back(), 1).begin()->second);
  }
  ChildProcess fine(HelperExe(), L"--window \"Answers\"");
  const WindowHandle answers = OpenWindows(fine, 1).at("Answers");
  for (WindowHandle window : hungWindows) WaitUntilHung(window);

  const auto start = std::chrono::steady_clock::now();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  const auto hideTime = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(SeenFromOutside({answers}).at(answers).visible);
  hideMode.RestoreHiddenWindows();
  hideMode.End();
  EXPECT_TRUE(SeenFromOutside({answers}).at(answers).visible);

  // Asked one after another, ten hung programs would cost ten bounds (2 s).
  EXPECT_LT(hideTime, 2 * kHungThreadBound + 400ms);
}

TEST_F(HideWin32Test, ProgramThatHangsInsideItsHideHoldsNeitherTheOthersNorItsOwnWindowsForGood) {
  // It answers the first questions, then its thread sleeps inside the hide of its first window.
  ChildProcess hangs(HelperExe(), L"--hang-on-hide 3000 --window \"Hangs 1\" --window \"Hangs 2\"");
  ChildProcess others1(HelperExe(), L"--window \"Other 1\" --window \"Other 2\"");
  ChildProcess others2(HelperExe(), L"--window \"Other 3\" --window \"Other 4\"");
  const std::vector<WindowHandle> hanging = Handles(OpenWindows(hangs, 2));
  std::vector<WindowHandle> others = Handles(OpenWindows(others1, 2));
  for (WindowHandle window : Handles(OpenWindows(others2, 2))) others.push_back(window);

  const auto start = std::chrono::steady_clock::now();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  const auto hideTime = std::chrono::steady_clock::now() - start;

  EXPECT_LT(hideTime, kHungThreadBound + 1500ms);
  for (const auto& [window, seen] : SeenFromOutside(others))
    EXPECT_FALSE(seen.visible) << Hex(window).c_str();
  // Once it answers again, its windows follow without another pass.
  EXPECT_TRUE(SeenAs(hanging, Hidden));

  hideMode.RestoreHiddenWindows();
  hideMode.End();
  std::vector<WindowHandle> all = others;
  all.insert(all.end(), hanging.begin(), hanging.end());
  EXPECT_TRUE(SeenAs(all, Visible));
}

TEST_F(HideWin32Test, RestoreWhileAProgramStillHangsInTheHideEndsWithItsWindowsShown) {
  ChildProcess hangs(HelperExe(), L"--exstyle 40000 --hang-on-hide 2000 --window \"Hangs\"");
  ChildProcess other(HelperExe(), L"--window \"Other\"");
  const WindowHandle hanging = OpenWindows(hangs, 1).at("Hangs");
  const WindowHandle answers = OpenWindows(other, 1).at("Other");
  const Seen before = SeenFromOutside({hanging}).at(hanging);

  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  hideMode.RestoreHiddenWindows();  // its hide is still running: the show lines up behind it
  hideMode.End();

  EXPECT_TRUE(SeenFromOutside({answers}).at(answers).visible);
  // While it hangs the window is still up, its style already cut down by the hide; it ends shown
  // with its style back only if the show ran after the hide.
  EXPECT_TRUE(SeenAs(
      {hanging}, [&](const Seen& seen) { return seen.visible && seen.exStyle == before.exStyle; }));
  EXPECT_NE(before.exStyle & 0x40000u, 0u);
}

}  // namespace
}  // namespace dpx
