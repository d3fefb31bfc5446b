// The hook library dozov.dll and the new-window watcher over it, against windows of other
// processes; hides are checked from a third process.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <cstdio>
#include <functional>
#include <map>

#include "child_process.h"
#include "no_program_window.h"
#include "hide/new_window_watch.h"
#include "hide/watch.h"
#include "platform/win32/hook_platform_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/window_manager_win32.h"

namespace dpx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::NoProgramWindow;

class RecordingUi final : public UserInteraction {
 public:
  std::vector<std::wstring> shown;
  MessageAnswer ShowMessage(const std::wstring& text, MessageKind, MessageButtons) override {
    shown.push_back(text);
    return MessageAnswer::kOk;
  }
};

std::wstring HelperExe() {
  return testing::ThisProgramFolder() + L"\\dpx_test_windows.exe";
}
std::wstring BuiltLibrary() {
  return testing::ThisProgramFolder() + L"\\dozov.dll";
}

// The helper's windows by title, as soon as it has created them.
std::map<std::string, WindowHandle> OpenWindows(ChildProcess& helper, std::size_t count) {
  std::map<std::string, WindowHandle> windows;
  for (const std::string& line : helper.ReadLines(count, 20s)) {
    const auto space = line.find(' ');
    windows[line.substr(space + 1)] = std::stoull(line.substr(0, space), nullptr, 16);
  }
  return windows;
}

// Whether a third process sees the window visible.
bool VisibleFromOutside(WindowHandle window) {
  wchar_t handle[32];
  std::swprintf(handle, 32, L"%llx", static_cast<unsigned long long>(window));
  ChildProcess probe(testing::ThisProgramFolder() + L"\\dpx_window_probe.exe", handle);
  const auto lines = probe.ReadLines(1, 10s);
  return !lines.empty() && lines[0].find("visible=1") != std::string::npos;
}

// Whether the process that owns `window` has a module of that file name loaded, as the system's
// module list of that process says.
bool ModuleLoadedIn(WindowHandle window, const wchar_t* fileName) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(win32::ToHwnd(window), &process);
  const win32::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
  EXPECT_TRUE(snapshot) << "no module list of process " << process;
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  for (BOOL more = ::Module32FirstW(snapshot.Get(), &module); more;
       more = ::Module32NextW(snapshot.Get(), &module))
    if (::lstrcmpiW(module.szModule, fileName) == 0) return true;
  return false;
}

// Keys, and a posted and a sent message, each of which a hook of the library would be called for
// inside the program of `window`. The sent one returns once that program has answered it.
void SendWhatHooksSee(WindowHandle window) {
  const HWND hwnd = win32::ToHwnd(window);
  ::SetForegroundWindow(hwnd);
  INPUT input[2]{};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = VK_F13;  // a key that nothing answers
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
  ::PostMessageW(hwnd, WM_NULL, 0, 0);
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer);
}

// Runs this thread's message loop, where the receiver's messages are dispatched, until `done`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Lets the watcher dispatch what it would for `time`: long enough for many polls.
void PumpFor(std::chrono::milliseconds time) {
  PumpUntil([] { return false; }, time);
}

struct ShellReport {
  WindowHandle handle;
  std::wstring title;
  bool visibleWhenReported;
};

class WatchWin32Test : public ::testing::Test {
 protected:
  TShellEvent Record(std::vector<ShellReport>& into) {
    return [this, &into](TWatch&, WindowHandle handle, const std::wstring& title) {
      into.push_back({handle, title, windows.IsVisible(handle)});
    };
  }
  static int CountFor(const std::vector<ShellReport>& reports, WindowHandle window) {
    return static_cast<int>(std::count_if(
        reports.begin(), reports.end(), [&](const ShellReport& r) { return r.handle == window; }));
  }

  win32::Win32WindowManager windows;
  NoProgramWindow program;
  RecordingUi ui;
  std::vector<std::string> errors;
  win32::Win32HookPlatform platform{BuiltLibrary(), [this](const std::function<void()>& event) {
                                      try {
                                        event();
                                      } catch (const std::exception& error) {
                                        errors.push_back(error.what());
                                      }
                                    }};
  TWatch watch{platform, windows, program, ui};
  std::vector<ShellReport> created, destroyed, activated, closeQueries;
};

TEST_F(WatchWin32Test, NewWindowOfAnotherProcessIsReportedOnceWhenItIsShown) {
  watch.SetOnWindowCreated(Record(created));
  ASSERT_TRUE(watch.LibraryLoaded());
  ChildProcess helper(HelperExe(),
                      L"--hidden-for 600 --child \"Inner part\" --window \"Shown later\" "
                      L"--message-only \"Message only\"");
  const auto opened = OpenWindows(helper, 3);
  const WindowHandle window = opened.at("Shown later");

  ASSERT_TRUE(PumpUntil([&] { return CountFor(created, window) > 0; }));
  ::ShowWindow(win32::ToHwnd(window), SW_HIDE);
  ::ShowWindow(win32::ToHwnd(window), SW_SHOWNOACTIVATE);
  PumpFor(500ms);

  ASSERT_EQ(CountFor(created, window), 1);
  const auto report = std::find_if(created.begin(), created.end(),
                                   [&](const ShellReport& r) { return r.handle == window; });
  EXPECT_TRUE(report->visibleWhenReported) << "reported at its creation, while still hidden";
  EXPECT_EQ(report->title, L"Shown later");
  EXPECT_EQ(CountFor(created, opened.at("Inner part")), 0);
  EXPECT_EQ(CountFor(created, opened.at("Message only")), 0);
  // Nothing else either: no input-method window, no window of the system that is not top-level.
  for (const ShellReport& other : created) {
    const HWND hwnd = win32::ToHwnd(other.handle);
    wchar_t className[64] = L"";
    ::GetClassNameW(hwnd, className, 64);
    EXPECT_EQ(::GetAncestor(hwnd, GA_PARENT), ::GetDesktopWindow()) << className;
    EXPECT_STRNE(className, L"IME");
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(WatchWin32Test, WindowCreatedBeforeWatchingBeganIsNotNewWhenItIsShown) {
  ChildProcess helper(HelperExe(), L"--hidden-for 800 --window \"Older\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Older");
  watch.SetOnWindowCreated(Record(created));

  ASSERT_TRUE(PumpUntil([&] { return windows.IsVisible(window); }));
  PumpFor(500ms);

  EXPECT_EQ(CountFor(created, window), 0);
}

TEST_F(WatchWin32Test, ActivationAndTheEndOfAReportedWindowAreReported) {
  watch.SetOnWindowCreated(Record(created));
  watch.SetOnWindowActivated(Record(activated));
  watch.SetOnWindowDestroyed(Record(destroyed));
  ChildProcess helper(HelperExe(), L"--hidden-for 200 --window \"Short lived\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Short lived");
  ASSERT_TRUE(PumpUntil([&] { return CountFor(created, window) > 0; }));

  ::SetForegroundWindow(win32::ToHwnd(window));
  ASSERT_TRUE(PumpUntil([&] { return CountFor(activated, window) > 0; }));
  EXPECT_EQ(activated.back().title, L"Short lived");
  ::PostMessageW(win32::ToHwnd(window), WM_CLOSE, 0, 0);

  ASSERT_TRUE(PumpUntil([&] { return CountFor(destroyed, window) > 0; }));
  EXPECT_EQ(CountFor(destroyed, window), 1);
}

TEST_F(WatchWin32Test, CloseQueriesInsideAnotherProcessAreReported) {
  watch.SetOnWindowCloseQuery(Record(closeQueries));
  ChildProcess sentTo(HelperExe(), L"--window \"Close sent\"");
  ChildProcess postedTo(HelperExe(), L"--window \"Close posted\"");
  const WindowHandle sent = OpenWindows(sentTo, 1).at("Close sent");
  const WindowHandle posted = OpenWindows(postedTo, 1).at("Close posted");

  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(win32::ToHwnd(sent), WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_BLOCK, 5000, &answer);
  ::PostMessageW(win32::ToHwnd(posted), WM_SYSCOMMAND, SC_CLOSE | 2, 0);

  ASSERT_TRUE(PumpUntil(
      [&] { return CountFor(closeQueries, sent) > 0 && CountFor(closeQueries, posted) > 0; }));
  for (const ShellReport& query : closeQueries) EXPECT_EQ(query.title, L"");
  EXPECT_EQ(CountFor(closeQueries, sent), 1);
  EXPECT_EQ(CountFor(closeQueries, posted), 1);
}

TEST_F(WatchWin32Test, LowLevelKeysAndMouseButtonsAreReported) {
  std::vector<std::pair<std::int32_t, std::int32_t>> keys;
  std::vector<std::tuple<std::int32_t, std::int32_t, TMouseButton>> clicks;
  watch.SetOnKeyNativeLL([&](TWatch&, std::int32_t w, std::int32_t l) { keys.push_back({w, l}); });
  watch.SetOnMouseClick([&](TWatch&, std::int32_t x, std::int32_t y, TMouseButton button) {
    clicks.emplace_back(x, y, button);
  });
  ::SetCursorPos(150, 170);
  INPUT input[4]{};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = VK_F13;  // a key that nothing answers
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  input[2].type = INPUT_MOUSE;
  input[2].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  input[3] = input[2];
  input[3].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  ASSERT_EQ(::SendInput(4, input, sizeof(INPUT)), 4u);

  ASSERT_TRUE(PumpUntil([&] { return keys.size() >= 2 && !clicks.empty(); }));
  PumpFor(200ms);
  EXPECT_EQ(keys[0].first, VK_F13);
  EXPECT_EQ(keys[0].second & 0x80000000, 0) << "down";
  EXPECT_NE(keys[1].second & 0x80000000, 0) << "up";
  using Click = std::tuple<std::int32_t, std::int32_t, TMouseButton>;
  EXPECT_EQ(clicks, (std::vector<Click>{{150, 170, TMouseButton::mbMiddle}}));
}

TEST_F(WatchWin32Test, KeysReachingAnotherProcessAreReported) {
  std::vector<std::pair<std::int32_t, std::int32_t>> keys;
  watch.SetOnKeyNative([&](TWatch&, std::int32_t w, std::int32_t l) { keys.push_back({w, l}); });
  ChildProcess helper(HelperExe(), L"--window \"Takes keys\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Takes keys");
  ::SetForegroundWindow(win32::ToHwnd(window));
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == win32::ToHwnd(window); }));

  INPUT input[2]{};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = VK_F13;
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);

  ASSERT_TRUE(PumpUntil([&] { return keys.size() >= 2; }));
  EXPECT_EQ(keys[0].first, VK_F13);
  EXPECT_EQ(keys[0].second & 0x80000000, 0) << "down";
  EXPECT_NE(keys[1].second & 0x80000000, 0) << "up";
}

TEST_F(WatchWin32Test, LibraryKeepsTrackOfTheKindsItDelivers) {
  const auto library = platform.LoadHookLibrary();
  ASSERT_NE(library, nullptr);
  const HookEntryPoints entries = library->LookUpEntryPoints();
  ASSERT_TRUE(entries.startWatching && entries.stopWatching && entries.stillWatching &&
              entries.stopAll && entries.setReceiver);

  EXPECT_FALSE(entries.stillWatching());
  entries.startWatching(3);  // not a kind of the library
  EXPECT_FALSE(entries.stillWatching());
  entries.startWatching(0);
  entries.startWatching(4);
  entries.startWatching(4);
  entries.stopWatching(0);
  EXPECT_TRUE(entries.stillWatching());
  entries.stopWatching(4);
  EXPECT_FALSE(entries.stillWatching());
  for (std::int32_t kind : {0, 1, 4, 6, 8}) entries.startWatching(kind);
  EXPECT_TRUE(entries.stillWatching());
  entries.stopAll();
  EXPECT_FALSE(entries.stillWatching());
}

// What another program of the session finds of the receiver: "mapping read=HEX|none write=yes|no".
std::string ReceiverSeenFromOutside() {
  ChildProcess probe(testing::ThisProgramFolder() + L"\\dpx_window_probe.exe",
                     L"mapping:Local\\DPX.dozov.Receiver");
  const auto lines = probe.ReadLines(1, 10s);
  return lines.empty() ? std::string() : lines[0];
}

TEST_F(WatchWin32Test, OtherProgramsMayReadTheReceiverButNeverChangeIt) {
  const auto library = platform.LoadHookLibrary();
  ASSERT_NE(library, nullptr);
  const HookEntryPoints entries = library->LookUpEntryPoints();
  const auto receiver = platform.CreateReceiverWindow([](auto...) { return false; });
  char expected[64];
  std::snprintf(expected, sizeof expected, "mapping read=%llx write=no",
                static_cast<unsigned long long>(receiver->Handle()));

  EXPECT_EQ(ReceiverSeenFromOutside(), "mapping read=none write=no") << "nothing before";
  entries.setReceiver(receiver->Handle());
  EXPECT_EQ(ReceiverSeenFromOutside(), expected);
  entries.stopAll();
  EXPECT_EQ(ReceiverSeenFromOutside(), "mapping read=none write=no") << "gone with the receiver";
}

TEST_F(WatchWin32Test, MissingOrInvalidLibraryIsReportedOnce) {
  struct Case {
    const char* what;
    std::wstring path;
    const wchar_t* message;
  };
  wchar_t system[MAX_PATH] = L"";
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::vector<Case> cases{
      {"missing", testing::ThisProgramFolder() + L"\\no such folder\\dozov.dll", kLibraryNotFound},
      {"without the entry points", std::wstring(system) + L"\\version.dll", kLibraryNotValid}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingUi boxes;
    win32::Win32HookPlatform elsewhere(c.path, [](const std::function<void()>& e) { e(); });
    TWatch disabled(elsewhere, windows, program, boxes);

    disabled.SetOnWindowCreated(Record(created));
    disabled.SetOnWindowDestroyed(Record(destroyed));

    EXPECT_EQ(boxes.shown, std::vector<std::wstring>{c.message});
    EXPECT_TRUE(disabled.Disabled());
    EXPECT_FALSE(disabled.LibraryLoaded());
  }
}

// The main window's watcher with hide mode over the real window manager.
class NewWindowWatchWin32Test : public ::testing::Test {
 protected:
  NewWindowWatchWin32Test() { options.hideNewlyCreatedWindows = true; }

  win32::Win32WindowManager windows;
  win32::Win32Processes processes;
  win32::Win32TextServices text;
  NoProgramWindow program;
  RecordingUi ui;
  Options options;
  std::vector<ListEntry> doNotHide;
  WindowCapture capture{windows, processes, program};
  HideMode hideMode{windows, capture, program, text, doNotHide};
  win32::Win32HookPlatform platform{BuiltLibrary(),
                                    [](const std::function<void()>& event) { event(); }};
  NewWindowWatch watch{platform, windows, program, ui, hideMode, options, ::GetCurrentProcessId()};
};

TEST_F(NewWindowWatchWin32Test, WindowOpenedInHideModeIsHiddenUnlessProtectedAndComesBack) {
  doNotHide = {ListEntry(text, L"Protected new window", L"", false)};
  watch.FollowOption();
  hideMode.Begin();
  ChildProcess helper(HelperExe(),
                      L"--hidden-for 300 --window \"Unprotected new window\" "
                      L"--window \"Protected new window\"");
  const auto opened = OpenWindows(helper, 2);
  const WindowHandle hidden = opened.at("Unprotected new window");
  const WindowHandle kept = opened.at("Protected new window");

  // Both are shown at once and reported together: once one is hidden, the other was judged.
  ASSERT_TRUE(PumpUntil([&] { return hideMode.Holder()->size() >= 2; }));
  EXPECT_FALSE(VisibleFromOutside(hidden));
  EXPECT_TRUE(VisibleFromOutside(kept));

  hideMode.RestoreHiddenWindows();
  hideMode.End();
  EXPECT_TRUE(VisibleFromOutside(hidden));
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(NewWindowWatchWin32Test, WindowOpenedWithTheOptionClearedOrOutsideHideModeStays) {
  watch.FollowOption();
  for (const bool inHideMode : {true, false}) {
    SCOPED_TRACE(inHideMode ? "option cleared" : "outside hide mode");
    options.hideNewlyCreatedWindows = !inHideMode;
    if (inHideMode) hideMode.Begin();
    ChildProcess helper(HelperExe(), L"--hidden-for 200 --window \"Stays\"");
    const WindowHandle window = OpenWindows(helper, 1).at("Stays");

    ASSERT_TRUE(PumpUntil([&] { return windows.IsVisible(window); }));
    PumpFor(500ms);

    EXPECT_TRUE(VisibleFromOutside(window));
    EXPECT_TRUE(!hideMode.Holder() || hideMode.Holder()->empty());
    hideMode.End();
  }
}

TEST_F(NewWindowWatchWin32Test, NothingOfTheLibraryIsLoadedAnywhereUnlessAHookNeedsIt) {
  ChildProcess helper(HelperExe(), L"--window \"Takes input\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Takes input");
  const auto libraryHere = [] { return ::GetModuleHandleW(L"dozov.dll") != nullptr; };

  options.hideNewlyCreatedWindows = false;
  watch.FollowOption();
  SendWhatHooksSee(window);
  PumpFor(300ms);
  EXPECT_FALSE(libraryHere()) << "option off: the library is not loaded, so no hook of it exists";
  EXPECT_FALSE(ModuleLoadedIn(window, L"dozov.dll"));

  options.hideNewlyCreatedWindows = true;
  watch.FollowOption();
  EXPECT_TRUE(libraryHere());
  SendWhatHooksSee(window);
  PumpFor(300ms);
  EXPECT_FALSE(ModuleLoadedIn(window, L"dozov.dll")) << "new windows need no hook in others";

  options.hideNewlyCreatedWindows = false;
  watch.FollowOption();
  EXPECT_FALSE(watch.Watch().LibraryLoaded());
  EXPECT_FALSE(libraryHere()) << "option turned off: the library is unloaded";

  // The check above can fail: the hooks of key and close-query watching do reach that program.
  watch.Watch().SetOnKeyNative([](TWatch&, std::int32_t, std::int32_t) {});
  watch.Watch().SetOnWindowCloseQuery([](TWatch&, WindowHandle, const std::wstring&) {});
  SendWhatHooksSee(window);
  EXPECT_TRUE(PumpUntil([&] { return ModuleLoadedIn(window, L"dozov.dll"); }));
  watch.Watch().SetOnKeyNative(nullptr);
  watch.Watch().SetOnWindowCloseQuery(nullptr);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(NewWindowWatchWin32Test, WithoutTheLibraryTheMessageComesOnceAndHidingStillWorks) {
  win32::Win32HookPlatform missing(testing::ThisProgramFolder() + L"\\gone\\dozov.dll",
                                   [](const std::function<void()>& event) { event(); });
  NewWindowWatch withoutLibrary{
      missing, windows, program, ui, hideMode, options, ::GetCurrentProcessId()};
  ChildProcess helper(HelperExe(), L"--window \"Open before\"");
  const WindowHandle window = OpenWindows(helper, 1).at("Open before");

  withoutLibrary.FollowOption();
  hideMode.Begin();
  hideMode.CaptureAndHideAll();
  EXPECT_FALSE(VisibleFromOutside(window));
  hideMode.RestoreHiddenWindows();
  hideMode.End();

  EXPECT_TRUE(VisibleFromOutside(window));
  EXPECT_EQ(ui.shown, std::vector<std::wstring>{kLibraryNotFound});
}

}  // namespace
}  // namespace dpx
