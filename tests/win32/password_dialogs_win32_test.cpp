// The two password dialogs as real windows: driven from a second thread while their own modal
// loop runs on the test's thread, and checked for what they show and how they are laid out.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/window_geometry.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/password_dialogs.h"

namespace dpx::win32 {
namespace {

bool WaitUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::Sleep(10);
  }
  return true;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// Whether `placed` sits where CenterFormOver puts it over `base`: over its middle, kept on the
// screen.
bool PlacedOver(const RECT& base, const RECT& placed) {
  const auto size = [](const RECT& r) {
    return ScreenRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  const ScreenPoint at = CenterFormOver(size(base), size(placed), ::GetSystemMetrics(SM_CXSCREEN),
                                        ::GetSystemMetrics(SM_CYSCREEN));
  return at.left == placed.left && at.top == placed.top;
}

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

// Stands in for the main window: the set-password dialog is centred over it and disables it.
// Runs `onApp` when it gets WM_APP, as a hot key would reach the program while a dialog waits.
class StandInMainWindow {
 public:
  explicit StandInMainWindow(int left = 260) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DpxPasswordTestMain";
    ::RegisterClassW(&windowClass);  // fails harmlessly after the first test
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"DPX stand-in",
                                WS_POPUP | WS_CAPTION | WS_VISIBLE, left, 180, 760, 480, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~StandInMainWindow() { ::DestroyWindow(window_); }
  StandInMainWindow(const StandInMainWindow&) = delete;
  StandInMainWindow& operator=(const StandInMainWindow&) = delete;

  HWND Get() const { return window_; }
  std::function<void()> onApp;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<StandInMainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_APP && self && self->onApp) {
      self->onApp();
      return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
};

struct BoxSeen {
  std::wstring caption;
  std::wstring text;
  bool centredOverMain = false;
};

// Plays a user at a dialog from a second thread while the test's thread waits in the dialog's
// modal loop. Whatever the steps leave open is cancelled, so a failing test never hangs.
class DialogUser {
 public:
  DialogUser(HWND dialog, std::function<void(DialogUser&)> steps)
      : dialog_(dialog), uiThread_(::GetCurrentThreadId()), thread_([this, steps] {
          if (WaitUntil([this] { return ::IsWindowVisible(dialog_) != FALSE; })) steps(*this);
          Abandon();
          done_ = true;
        }) {}
  // Keeps this thread's windows answering while the user finishes: a user step that reads a
  // field would otherwise wait for this thread forever.
  ~DialogUser() {
    for (MSG message; !done_; ::Sleep(1)) {
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    thread_.join();
  }
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;

  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  void Type(int id, const wchar_t* text) {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void Press(int id) {
    ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(id)));
  }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(uiThread_, &info);
    return info.hwndFocus;
  }
  // The dialog moves the focus after a message box closes, on its own thread: wait for it.
  bool FocusSettlesOn(int id) const {
    return WaitUntil([&] { return Focus() == Item(id); });
  }
  // Waits for the message box the dialog opens, notes it, and presses its OK.
  std::optional<BoxSeen> AnswerMessageBox(HWND mainWindow) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = MessageBoxOf(dialog_)) != nullptr; })) return std::nullopt;
    BoxSeen seen{Text(box), Text(::GetDlgItem(box, 0xFFFF))};
    seen.centredOverMain =
        WaitUntil([&] { return PlacedOver(WindowRect(mainWindow), WindowRect(box)); });
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return MessageBoxOf(dialog_) == nullptr; });
    return seen;
  }
  bool StillShown() const { return ::IsWindowVisible(dialog_) != FALSE; }

 private:
  static HWND MessageBoxOf(HWND owner) {
    struct Search {
      HWND owner;
      HWND found;
    } search{owner, nullptr};
    ::EnumThreadWindows(
        ::GetWindowThreadProcessId(owner, nullptr),
        [](HWND window, LPARAM context) -> BOOL {
          auto& search = *reinterpret_cast<Search*>(context);
          if (::GetWindow(window, GW_OWNER) != search.owner || !::IsWindowVisible(window))
            return TRUE;
          search.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // Cancels what the steps left open; a dialog that is closing by itself is given the time to.
  void Abandon() {
    const auto closed = [this] { return !StillShown() && !MessageBoxOf(dialog_); };
    for (int tries = 0; tries < 100 && !closed(); ++tries) ::Sleep(20);
    if (closed()) return;
    for (HWND box; (box = MessageBoxOf(dialog_)) != nullptr; ::Sleep(50))
      ::PostMessageW(box, WM_CLOSE, 0, 0);
    if (StillShown()) ::PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
  }

  HWND dialog_;
  DWORD uiThread_;
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

bool Masked(HWND field) {
  return (::GetWindowLongW(field, GWL_STYLE) & ES_PASSWORD) != 0 &&
         ::SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0) == L'*';
}

class SetPasswordDialogTest : public ::testing::Test {
 protected:
  SetPasswordDialogTest() { dialog.Create(main.Get()); }

  // Partly off the left edge: the dialog and its messages are moved onto the screen, so a box
  // merely centred over the dialog would not be where it belongs.
  StandInMainWindow main{-300};
  Win32UserInteraction errors;
  SetPasswordDialogWindow dialog{errors};
};

TEST_F(SetPasswordDialogTest, OkChecksTheFieldsAndKeepsTheDialogOpenUntilTheyPass) {
  std::optional<BoxSeen> mismatch, empty;
  bool openAfterEach = true, focusOnPasswordAfterEach = true, mainDisabled = false;
  std::optional<std::wstring> entered;
  {
    DialogUser user(dialog.Handle(), [&](DialogUser& user) {
      mainDisabled = !::IsWindowEnabled(main.Get());
      user.Type(kPasswordField, L"Pa ss");
      user.Type(kConfirmPasswordField, L"Pa sS");
      user.Press(IDOK);
      mismatch = user.AnswerMessageBox(main.Get());
      openAfterEach &= user.StillShown();
      focusOnPasswordAfterEach &= user.FocusSettlesOn(kPasswordField);

      user.Type(kPasswordField, L"");
      user.Type(kConfirmPasswordField, L"");
      user.Press(IDOK);
      empty = user.AnswerMessageBox(main.Get());
      openAfterEach &= user.StillShown();
      focusOnPasswordAfterEach &= user.FocusSettlesOn(kPasswordField);

      user.Type(kPasswordField, L"Pa ss");
      user.Type(kConfirmPasswordField, L"Pa ss");
      user.Press(IDOK);
    });
    entered = dialog.ShowOverMainWindow();
  }
  EXPECT_TRUE(mainDisabled);
  ASSERT_TRUE(mismatch);
  EXPECT_EQ(mismatch->caption, L"Error");
  EXPECT_EQ(mismatch->text, L"The passwords do not match!\n\rPlease correct.");
  EXPECT_TRUE(mismatch->centredOverMain);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->caption, L"Warning");
  EXPECT_EQ(empty->text, L"Please fill all the fields.");
  EXPECT_TRUE(openAfterEach);
  EXPECT_TRUE(focusOnPasswordAfterEach);
  EXPECT_EQ(entered, L"Pa ss");
  EXPECT_FALSE(::IsWindowVisible(dialog.Handle()));
  EXPECT_TRUE(::IsWindowEnabled(main.Get()));
}

TEST_F(SetPasswordDialogTest, ShownAgainItKeepsTheMaskedEntriesAndTheCloseBoxCancels) {
  {
    DialogUser user(dialog.Handle(), [&](DialogUser& user) {
      user.Type(kPasswordField, L"first");
      user.Type(kConfirmPasswordField, L"first");
      user.Press(IDOK);
    });
    ASSERT_EQ(dialog.ShowOverMainWindow(), L"first");
  }
  std::wstring kept, keptConfirmation;
  bool masked = false, centred = false, focused = false;
  std::optional<std::wstring> answer = L"not asked";
  {
    DialogUser user(dialog.Handle(), [&](DialogUser& user) {
      kept = Text(user.Item(kPasswordField));
      keptConfirmation = Text(user.Item(kConfirmPasswordField));
      masked = Masked(user.Item(kPasswordField)) && Masked(user.Item(kConfirmPasswordField));
      centred = PlacedOver(WindowRect(main.Get()), WindowRect(user.Dialog()));
      focused = user.FocusSettlesOn(kPasswordField);
      ::PostMessageW(user.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    answer = dialog.ShowOverMainWindow();
  }
  EXPECT_EQ(kept, L"first");
  EXPECT_EQ(keptConfirmation, L"first");
  EXPECT_TRUE(masked);
  EXPECT_TRUE(centred);
  EXPECT_TRUE(focused);
  EXPECT_EQ(answer, std::nullopt);
  EXPECT_EQ(Text(dialog.Handle()), L"Application password");
}

class PasswordPromptTest : public ::testing::Test {
 protected:
  PasswordPromptTest() { prompt.Create(); }

  Win32UserInteraction errors;
  PasswordPromptWindow prompt{errors};
};

TEST_F(PasswordPromptTest, EmptiesTheFieldOnlyWhenAskedAndMasksIt) {
  std::wstring atFirst = L"not seen", atSecond = L"not seen";
  bool masked = false, centredOnScreen = false;
  std::optional<std::wstring> first, second;
  {
    DialogUser user(prompt.Handle(), [&](DialogUser& user) {
      atFirst = Text(user.Item(kPasswordField));
      masked = Masked(user.Item(kPasswordField));
      const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
      centredOnScreen = PlacedOver(screen, WindowRect(user.Dialog()));
      user.Type(kPasswordField, L"wrong one");
      user.Press(IDOK);
    });
    ::SetWindowTextW(::GetDlgItem(prompt.Handle(), kPasswordField), L"left over");
    first = prompt.Ask(/*emptyField=*/true);
  }
  {
    DialogUser user(prompt.Handle(), [&](DialogUser& user) {
      atSecond = Text(user.Item(kPasswordField));
      user.Press(IDCANCEL);
    });
    second = prompt.Ask(/*emptyField=*/false);
  }
  EXPECT_EQ(atFirst, L"");
  EXPECT_TRUE(masked);
  EXPECT_TRUE(centredOnScreen);
  EXPECT_EQ(first, L"wrong one");
  EXPECT_EQ(atSecond, L"wrong one");
  EXPECT_EQ(second, std::nullopt);
  EXPECT_EQ(Text(prompt.Handle()), L"DPX");
}

// A hot key that asks again while the prompt waits must not open it a second time inside itself.
TEST_F(PasswordPromptTest, AskingWhileItIsUpAnswersCancelAtOnce) {
  StandInMainWindow main;
  std::optional<std::optional<std::wstring>> nested;
  main.onApp = [&] { nested = prompt.Ask(true); };
  std::optional<std::wstring> outer;
  {
    DialogUser user(prompt.Handle(), [&](DialogUser& user) {
      ::SendMessageW(main.Get(), WM_APP, 0, 0);
      user.Type(kPasswordField, L"pw");
      user.Press(IDOK);
    });
    outer = prompt.Ask(true);
  }
  ASSERT_TRUE(nested);
  EXPECT_EQ(*nested, std::nullopt);
  EXPECT_EQ(outer, L"pw");
}

// What a person would see wrong: a control outside the dialog, two controls on top of each
// other, or a text cut off in its control.
std::vector<std::wstring> LayoutFaults(HWND dialog) {
  std::vector<std::pair<HWND, RECT>> controls;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect = WindowRect(child);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    controls.emplace_back(child, rect);
  }
  RECT client{};
  ::GetClientRect(dialog, &client);
  std::vector<std::wstring> faults;
  HDC dc = ::GetDC(dialog);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const auto& [control, rect] = controls[i];
    RECT inside{};
    if (!::IntersectRect(&inside, &rect, &client) || !::EqualRect(&inside, &rect))
      faults.push_back(L"outside: " + Text(control));
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      RECT overlap{};
      if (::IntersectRect(&overlap, &rect, &controls[j].second))
        faults.push_back(L"overlap: " + Text(control) + L" / " + Text(controls[j].first));
    }
    wchar_t className[16] = {};
    ::GetClassNameW(control, className, 16);
    if (std::wstring(className) != L"Static") continue;
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, rect.right - rect.left, 0};
    const std::wstring text = Text(control);
    ::DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK);
    ::SelectObject(dc, old);
    if (needed.right > rect.right - rect.left || needed.bottom > rect.bottom - rect.top)
      faults.push_back(L"cut off: " + text);
  }
  ::ReleaseDC(dialog, dc);
  return faults;
}

// With DPX_DIALOG_SHOTS naming a folder, each dialog stays up until a screenshot of the screen
// appears there as "<name>.png" (taken from outside with `import -window root`); "<name>.ready"
// says when to take it.
void HoldForScreenshot(const char* name) {
  const char* folder = std::getenv("DPX_DIALOG_SHOTS");
  if (!folder || !*folder) return;
  const std::filesystem::path base = std::filesystem::path(folder) / name;
  std::ofstream(base.string() + ".ready") << "shown\n";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!std::filesystem::exists(base.string() + ".png") && std::chrono::steady_clock::now() < end)
    ::Sleep(100);
}

TEST(PasswordDialogsLookTest, NoControlIsOutsideOnAnotherOrCutOff) {
  StandInMainWindow main;
  Win32UserInteraction errors;
  SetPasswordDialogWindow setPassword(errors);
  setPassword.Create(main.Get());
  PasswordPromptWindow prompt(errors);
  prompt.Create();
  EXPECT_EQ(LayoutFaults(setPassword.Handle()), std::vector<std::wstring>{});
  EXPECT_EQ(LayoutFaults(prompt.Handle()), std::vector<std::wstring>{});

  DialogUser user(setPassword.Handle(), [&](DialogUser& user) {
    user.Type(kPasswordField, L"Pa ss");
    user.Type(kConfirmPasswordField, L"Pa s");
    HoldForScreenshot("set-password");
    user.Press(IDOK);
    WaitUntil([&] { return ::GetWindow(user.Dialog(), GW_ENABLEDPOPUP) != user.Dialog(); });
    HoldForScreenshot("set-password-mismatch");
  });
  setPassword.ShowOverMainWindow();
  DialogUser promptUser(prompt.Handle(), [&](DialogUser& user) {
    user.Type(kPasswordField, L"typed");
    HoldForScreenshot("prompt");
    user.Press(IDCANCEL);
  });
  EXPECT_EQ(prompt.Ask(false), std::nullopt);
}

}  // namespace
}  // namespace dpx::win32
