// The triggers' platform layer against the real window manager: hot key registration and its
// conflicts, the layout's key names, the workstation lock lookup, the pointer and the desktop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "actions/screen_saver.h"
#include "app/user_interaction.h"
#include "platform/win32/hot_keys_win32.h"
#include "platform/win32/hover_input_win32.h"
#include "platform/win32/key_names_win32.h"
#include "platform/win32/text_services_win32.h"
#include "platform/win32/workstation_win32.h"
#include "triggers/hot_key_registration.h"

namespace dpx {
namespace {

constexpr DWORD kHotKeyAlreadyRegistered = 1409;

// A hidden window of this thread that hot keys can be registered on.
class HotKeyWindow {
 public:
  HotKeyWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DpxTriggersTestWindow";
    ::RegisterClassW(&windowClass);  // fails harmlessly for the second window
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"DPX triggers test", WS_OVERLAPPED,
                                0, 0, 100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  ~HotKeyWindow() { ::DestroyWindow(window_); }
  HotKeyWindow(const HotKeyWindow&) = delete;
  HotKeyWindow& operator=(const HotKeyWindow&) = delete;

  HWND Get() const { return window_; }

 private:
  HWND window_;
};

// Records message boxes instead of showing them.
class RecordingUi final : public UserInteraction {
 public:
  std::vector<std::wstring> shown;
  MessageAnswer ShowMessage(const std::wstring& text, MessageKind, MessageButtons) override {
    shown.push_back(text);
    return MessageAnswer::kOk;
  }
};

// True when another program can no longer register the combination: DPX holds it.
bool HeldByDpx(unsigned modifiers, unsigned keyCode) {
  HotKeyWindow other;
  if (::RegisterHotKey(other.Get(), 77, modifiers, keyCode)) {
    ::UnregisterHotKey(other.Get(), 77);
    return false;
  }
  return ::GetLastError() == kHotKeyAlreadyRegistered;
}

TEST(HotKeysWin32Test, ASecondRegistrationOfTheSameCombinationFails) {
  HotKeyWindow dpxWindow, otherWindow;
  ASSERT_NE(dpxWindow.Get(), nullptr);
  win32::Win32HotKeys dpx(dpxWindow.Get());
  win32::Win32HotKeys other(otherWindow.Get());

  ASSERT_TRUE(dpx.Register(0, MOD_CONTROL | MOD_ALT, VK_F9));
  EXPECT_FALSE(other.Register(0, MOD_CONTROL | MOD_ALT, VK_F9));
  EXPECT_EQ(::GetLastError(), kHotKeyAlreadyRegistered);
  dpx.Unregister(0);
  EXPECT_TRUE(other.Register(0, MOD_CONTROL | MOD_ALT, VK_F9));
  other.Unregister(0);
  dpx.Unregister(0);  // nothing left to drop: harmless
}

TEST(KeyNamesWin32Test, TheLayoutNamesTheKeysOutsideTheFixedTable) {
  win32::Win32KeyNames names;
  const struct {
    unsigned keyCode;
    const wchar_t* name;
  } cases[] = {
      {VK_OEM_2, L"/"},    {VK_DIVIDE, L"/"},  // Wine 8 maps neither to an extended scan code
      {VK_OEM_3, L"`"},    {VK_OEM_5, L"\\"}, {VK_OEM_1, L";"},
      {VK_OEM_PLUS, L"="}, {VK_OEM_7, L"'"},  {0x07, L""},  // no key, no scan code
      {0xFF, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(names.KeyName(c.keyCode), c.name) << "key code " << c.keyCode;
  EXPECT_FALSE(names.KeyName(VK_CONTROL).empty());
}

class HotKeyRegistrationWin32Test : public ::testing::Test {
 protected:
  ~HotKeyRegistrationWin32Test() override { registration.UnregisterAllHotKeys(); }

  HotKeyWindow mainWindow;
  win32::Win32HotKeys hotKeys{mainWindow.Get()};
  win32::Win32KeyNames names;
  win32::Win32TextServices textServices;
  RecordingUi ui;
  HotKeyRegistration registration{hotKeys, names, textServices, ui};
};

TEST_F(HotKeyRegistrationWin32Test, TheDefaultTextsRegisterTheirKeysOnTheRealLayout) {
  Options options;
  ASSERT_TRUE(registration.AssignAllHotKeys(options));
  EXPECT_TRUE(HeldByDpx(MOD_CONTROL, VK_OEM_3));  // Ctrl+`
  EXPECT_TRUE(HeldByDpx(MOD_CONTROL, VK_OEM_5));  // Ctrl+backslash
  EXPECT_TRUE(HeldByDpx(MOD_CONTROL, VK_F12));
  EXPECT_TRUE(ui.shown.empty());

  registration.UnregisterAllHotKeys();
  EXPECT_FALSE(HeldByDpx(MOD_CONTROL, VK_F12));
}

TEST_F(HotKeyRegistrationWin32Test, SlashRegistersTheMainKeyboardKey) {
  ASSERT_TRUE(registration.AssignHotKey(kHideHotKey, L"Ctrl+/"));
  EXPECT_TRUE(HeldByDpx(MOD_CONTROL, VK_OEM_2));
  EXPECT_FALSE(HeldByDpx(MOD_CONTROL, VK_DIVIDE));
}

TEST_F(HotKeyRegistrationWin32Test, ACombinationHeldElsewhereIsReportedAndLeftUnregistered) {
  HotKeyWindow otherProgram;
  ASSERT_TRUE(::RegisterHotKey(otherProgram.Get(), 1, MOD_SHIFT | MOD_ALT, VK_F11));
  ASSERT_TRUE(registration.AssignHotKey(kScreenSaverHotKey, L"Ctrl+F10"));

  EXPECT_FALSE(registration.AssignHotKey(kScreenSaverHotKey, L"Shift+Alt+F11"));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0],
            L"Unable to assign shortcut: Shift+Alt+F11\n\rThe shortcut is in use!\n\rPlease try a "
            L"different key combination.");
  EXPECT_FALSE(HeldByDpx(MOD_CONTROL, VK_F10));  // the old one was given up
  ::UnregisterHotKey(otherProgram.Get(), 1);
}

TEST(WorkstationWin32Test, TheLockEntryPointIsFoundInUser32) {
  win32::Win32Workstation workstation;
  Options options;
  ScreenSaverAndLock screenSaver(workstation, options);
  EXPECT_TRUE(screenSaver.LoadLockWorkStation());
  EXPECT_TRUE(screenSaver.HasLockEntryPoint());
  screenSaver.FreeLockWorkStation();
  EXPECT_FALSE(screenSaver.HasLockEntryPoint());

  EXPECT_EQ(workstation.LoadSystemLibrary(L"NoSuchLibrary.Dll"), nullptr);
  const auto user32 = workstation.LoadSystemLibrary(L"User32.Dll");
  ASSERT_NE(user32, nullptr);
  EXPECT_FALSE(user32->BooleanFunction("NoSuchExport"));
  // An export of the same shape that is safe to call.
  const auto kernel32 = workstation.LoadSystemLibrary(L"Kernel32.Dll");
  ASSERT_NE(kernel32, nullptr);
  const auto isDebuggerPresent = kernel32->BooleanFunction("IsDebuggerPresent");
  ASSERT_TRUE(isDebuggerPresent);
  EXPECT_EQ(isDebuggerPresent(), ::IsDebuggerPresent() != FALSE);
}

TEST(HoverInputWin32Test, PointerScreenAndDesktopAreRead) {
  win32::Win32HoverInput input;
  ASSERT_TRUE(::SetCursorPos(123, 45));
  EXPECT_EQ(input.CursorPosition(), (ScreenPoint{123, 45}));

  RECT desktop{};
  ASSERT_TRUE(::GetWindowRect(::GetDesktopWindow(), &desktop));
  const ScreenSize screen = input.PrimaryScreenSize();
  EXPECT_EQ(screen.width, desktop.right - desktop.left);
  EXPECT_EQ(screen.height, desktop.bottom - desktop.top);

  EXPECT_FALSE(input.IsDesktopLocked());  // the test session is never locked
  const std::uint32_t before = input.TickCount();
  ::Sleep(20);
  EXPECT_GE(input.TickCount() - before, 10u);
}

}  // namespace
}  // namespace dpx
