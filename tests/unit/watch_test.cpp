#include <gtest/gtest.h>

#include "fakes/fake_hook_platform.h"
#include "fakes/scripted_ui.h"
#include "fakes/simulated_desktop.h"
#include "hide/watch.h"

namespace dpx {
namespace {

using Calls = std::vector<std::wstring>;

struct ShellCall {
  std::wstring event;
  WindowHandle handle;
  std::wstring title;
  bool operator==(const ShellCall&) const = default;
};

class WatchTest : public ::testing::Test {
 protected:
  std::uint32_t Message(const wchar_t* name) { return hooks.MessageNumber(name); }
  TShellEvent Record(const std::wstring& event) {
    return [this, event](TWatch& sender, WindowHandle handle, const std::wstring& title) {
      EXPECT_EQ(&sender, watch.get());
      shellCalls.push_back({event, handle, title});
    };
  }
  void WatchEveryShellEvent() {
    watch->SetOnWindowCreated(Record(L"created"));
    watch->SetOnWindowDestroyed(Record(L"destroyed"));
    watch->SetOnActivateShellWindow(Record(L"shell"));
    watch->SetOnWindowActivated(Record(L"activated"));
  }
  bool Shell(WindowHandle window, std::int64_t code) {
    return hooks.Deliver(Message(L"MY_SHELL_EVENT"), window, code);
  }

  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::FakeHookPlatform hooks;
  fakes::ScriptedUi ui;
  std::unique_ptr<TWatch> watch = std::make_unique<TWatch>(hooks, desktop, program, ui);
  std::vector<ShellCall> shellCalls;
};

TEST_F(WatchTest, RegistersItsFiveMessagesInOrderAndLoadsNothingUntilAHandlerIsAssigned) {
  EXPECT_EQ(hooks.registeredNames, (Calls{L"MY_SYSCOMMAND_EVENT", L"MY_SHELL_EVENT",
                                          L"MY_KEY_EVENT", L"MY_KEY_EVENT_LL", L"MY_MOUSE_EVENT"}));
  EXPECT_EQ(hooks.loadAttempts, 0);
  EXPECT_FALSE(hooks.ReceiverExists());
}

TEST_F(WatchTest, FirstHandlerLoadsTheLibraryHandsItTheReceiverAndStartsItsKind) {
  watch->SetOnWindowCreated(Record(L"created"));

  EXPECT_TRUE(watch->LibraryLoaded());
  ASSERT_TRUE(hooks.ReceiverExists());
  EXPECT_EQ(hooks.calls,
            (Calls{L"SetReceiver " + std::to_wstring(hooks.ReceiverHandle()), L"Start 0"}));
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(WatchTest, MissingLibraryIsReportedOnceAndNothingIsEverStarted) {
  hooks.libraryPresent = false;

  watch->SetOnWindowCreated(Record(L"created"));
  watch->SetOnKeyNative([](TWatch&, std::int32_t, std::int32_t) {});
  watch->SetOnWindowCreated(nullptr);
  watch->SetOnWindowCreated(Record(L"created"));

  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, L"Library not found.\r\nApplication is disabled.");
  EXPECT_EQ(ui.shown[0].kind, MessageKind::kError);
  EXPECT_EQ(ui.shown[0].buttons, MessageButtons::kOk);
  EXPECT_TRUE(watch->Disabled());
  EXPECT_EQ(hooks.loadAttempts, 1);
  EXPECT_TRUE(hooks.calls.empty());
  EXPECT_FALSE(hooks.ReceiverExists());
}

TEST_F(WatchTest, LibraryLackingARequiredEntryPointIsRejectedOnceAndFreed) {
  const std::vector<std::pair<const char*, bool fakes::HookExports::*>> required{
      {"StartWatching", &fakes::HookExports::startWatching},
      {"StopWatching", &fakes::HookExports::stopWatching},
      {"StillWatching", &fakes::HookExports::stillWatching},
      {"StopAll", &fakes::HookExports::stopAll}};
  for (const auto& [name, entry] : required) {
    SCOPED_TRACE(name);
    fakes::FakeHookPlatform library;
    library.exports.*entry = false;
    fakes::ScriptedUi boxes;
    TWatch lacking(library, desktop, program, boxes);

    lacking.SetOnWindowCreated(Record(L"created"));
    lacking.SetOnMouseClick([](TWatch&, std::int32_t, std::int32_t, TMouseButton) {});

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Library is not valid.\r\nApplication is disabled.");
    EXPECT_EQ(boxes.shown[0].kind, MessageKind::kError);
    EXPECT_TRUE(lacking.Disabled());
    EXPECT_EQ(library.loadAttempts, 1);
    EXPECT_FALSE(library.LibraryLoaded());
    EXPECT_FALSE(library.ReceiverExists());
    EXPECT_TRUE(library.calls.empty());
  }
}

TEST_F(WatchTest, LibraryWithoutSetReceiverIsAccepted) {
  hooks.exports.setReceiver = false;
  watch->SetOnWindowCreated(Record(L"created"));

  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(watch->Disabled());
  EXPECT_EQ(hooks.calls, Calls{L"Start 0"});
}

TEST_F(WatchTest, EachEventStartsAndStopsItsOwnKind) {
  struct Case {
    const char* event;
    std::function<void(TWatch&, bool)> assign;  // a handler, or none
    std::int32_t kind;
  };
  const auto shell = [](void (TWatch::*setter)(TShellEvent)) {
    return [setter](TWatch& w, bool on) {
      (w.*setter)(on ? TShellEvent([](TWatch&, WindowHandle, const std::wstring&) {}) : nullptr);
    };
  };
  const std::vector<Case> cases{
      {"OnActivateShellWindow", shell(&TWatch::SetOnActivateShellWindow), 0},
      {"OnWindowActivated", shell(&TWatch::SetOnWindowActivated), 0},
      {"OnWindowCreated", shell(&TWatch::SetOnWindowCreated), 0},
      {"OnWindowDestroyed", shell(&TWatch::SetOnWindowDestroyed), 0},
      {"OnWindowCloseQuery", shell(&TWatch::SetOnWindowCloseQuery), 8},
      {"OnKeyNative",
       [](TWatch& w, bool on) {
         w.SetOnKeyNative(on ? TKeyNativeEvent([](TWatch&, std::int32_t, std::int32_t) {})
                             : nullptr);
       },
       1},
      {"OnKeyNativeLL",
       [](TWatch& w, bool on) {
         w.SetOnKeyNativeLL(on ? TKeyNativeEventLL([](TWatch&, std::int32_t, std::int32_t) {})
                               : nullptr);
       },
       6},
      {"OnMouseClick",
       [](TWatch& w, bool on) {
         w.SetOnMouseClick(
             on ? TMouseEvent([](TWatch&, std::int32_t, std::int32_t, TMouseButton) {}) : nullptr);
       },
       4},
      {"OnMouseMove",
       [](TWatch& w, bool on) {
         w.SetOnMouseMove(on ? TMouseMoveEvent([](TWatch&, std::int32_t, std::int32_t) {})
                             : nullptr);
       },
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    fakes::FakeHookPlatform library;
    library.exports.setReceiver = false;
    TWatch w(library, desktop, program, ui);
    const std::wstring kind = std::to_wstring(c.kind);

    c.assign(w, true);
    EXPECT_EQ(library.calls, Calls{L"Start " + kind});
    c.assign(w, false);

    EXPECT_EQ(library.calls, (Calls{L"Start " + kind, L"Stop " + kind, L"Still"}));
    EXPECT_FALSE(library.LibraryLoaded()) << "StillWatching said false: unloaded";
    EXPECT_FALSE(library.ReceiverExists());
  }
}

TEST_F(WatchTest, RemovingOneOfSeveralShellHandlersKeepsTheKindWatched) {
  watch->SetOnWindowCreated(Record(L"created"));
  watch->SetOnWindowDestroyed(Record(L"destroyed"));
  hooks.calls.clear();

  watch->SetOnWindowDestroyed(nullptr);
  EXPECT_TRUE(hooks.calls.empty());
  EXPECT_TRUE(Shell(0x500, shell_code::kWindowCreated));
  EXPECT_EQ(shellCalls.size(), 1u);

  watch->SetOnWindowCreated(nullptr);
  EXPECT_EQ(hooks.calls, (Calls{L"Stop 0", L"Still"}));
  EXPECT_FALSE(watch->LibraryLoaded());
}

TEST_F(WatchTest, LibraryStaysWhileStillWatchingAndLoadsAgainAfterItWasUnloaded) {
  watch->SetOnWindowCreated(Record(L"created"));
  watch->SetOnKeyNativeLL([](TWatch&, std::int32_t, std::int32_t) {});
  watch->SetOnKeyNativeLL(nullptr);
  EXPECT_TRUE(watch->LibraryLoaded());
  EXPECT_EQ(hooks.loads, 1);

  watch->SetOnWindowCreated(nullptr);
  EXPECT_FALSE(watch->LibraryLoaded());
  watch->SetOnWindowCreated(Record(L"created"));
  EXPECT_EQ(hooks.loads, 2);
  EXPECT_EQ(hooks.watchedKinds, std::set<std::int32_t>{0});
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(WatchTest, RemovingAHandlerWhileNothingIsLoadedCallsNothing) {
  watch->SetOnWindowCreated(nullptr);
  EXPECT_EQ(hooks.loadAttempts, 0);
  EXPECT_TRUE(hooks.calls.empty());
}

TEST_F(WatchTest, DestructionStopsEverythingThenUnloads) {
  watch->SetOnWindowCreated(Record(L"created"));
  watch->SetOnMouseClick([](TWatch&, std::int32_t, std::int32_t, TMouseButton) {});
  hooks.calls.clear();

  watch.reset();

  EXPECT_EQ(hooks.calls, Calls{L"StopAll"});
  EXPECT_TRUE(hooks.watchedKinds.empty());
  EXPECT_FALSE(hooks.LibraryLoaded());
  EXPECT_FALSE(hooks.ReceiverExists());
}

TEST_F(WatchTest, ShellCodesRaiseTheirEventsWithTheWindowsTitle) {
  WatchEveryShellEvent();
  const WindowHandle w = desktop.AddWindow({L"Report.txt - Editor"});

  for (std::int64_t code : {1, 2, 3, 4, 5, 0}) EXPECT_TRUE(Shell(w, code));

  const std::wstring title = L"Report.txt - Editor";
  EXPECT_EQ(shellCalls, (std::vector<ShellCall>{{L"created", w, title},
                                                {L"destroyed", w, title},
                                                {L"shell", w, title},
                                                {L"activated", w, title}}));
}

TEST_F(WatchTest, TitleIsCutAtThreeHundredCharactersAndEmptyForADeadWindow) {
  watch->SetOnWindowCreated(Record(L"created"));
  const WindowHandle w = desktop.AddWindow({std::wstring(400, L'x')});
  Shell(w, shell_code::kWindowCreated);
  Shell(0x9999, shell_code::kWindowCreated);

  ASSERT_EQ(shellCalls.size(), 2u);
  EXPECT_EQ(shellCalls[0].title, std::wstring(300, L'x'));
  EXPECT_EQ(shellCalls[1].title, L"");
}

TEST_F(WatchTest, OwnApplicationWindowIsDroppedUnlessOwnEventsAreWanted) {
  WatchEveryShellEvent();
  program.applicationWindow = desktop.AddWindow({L"DPX"});
  program.mainWindow = desktop.AddWindow({L"DPX settings"});

  for (std::int64_t code : {1, 2, 3, 4}) Shell(program.applicationWindow, code);
  EXPECT_TRUE(shellCalls.empty());
  Shell(program.mainWindow, shell_code::kWindowCreated);
  EXPECT_EQ(shellCalls.size(), 1u) << "only the application window is the program's own";

  watch->SetNotifyOwnEvents(true);
  Shell(program.applicationWindow, shell_code::kWindowCreated);
  EXPECT_EQ(shellCalls.back(), (ShellCall{L"created", program.applicationWindow, L"DPX"}));
}

TEST_F(WatchTest, ActivationWithTheSameTitleAsTheLastIsDroppedUnlessRepeatsAreWanted) {
  watch->SetOnWindowActivated(Record(L"activated"));
  const WindowHandle first = desktop.AddWindow({L"Inbox"});
  const WindowHandle sameTitle = desktop.AddWindow({L"Inbox"});
  const WindowHandle other = desktop.AddWindow({L"Calendar"});

  for (WindowHandle w : {first, sameTitle, other, first}) Shell(w, shell_code::kWindowActivated);
  EXPECT_EQ(shellCalls, (std::vector<ShellCall>{{L"activated", first, L"Inbox"},
                                                {L"activated", other, L"Calendar"},
                                                {L"activated", first, L"Inbox"}}));

  watch->SetRepeatedEvents(true);
  shellCalls.clear();
  Shell(first, shell_code::kWindowActivated);
  Shell(sameTitle, shell_code::kWindowActivated);
  EXPECT_EQ(shellCalls.size(), 2u);
}

TEST_F(WatchTest, CloseQueryAndKeyMessagesPassTheirParameters) {
  std::vector<std::pair<std::int32_t, std::int32_t>> keys, lowLevelKeys;
  watch->SetOnWindowCloseQuery(Record(L"close"));
  watch->SetOnKeyNative([&](TWatch&, std::int32_t w, std::int32_t l) { keys.push_back({w, l}); });
  watch->SetOnKeyNativeLL([&](TWatch&, std::int32_t w, std::int32_t l) {
    lowLevelKeys.push_back({w, l});
  });
  const WindowHandle w = desktop.AddWindow({L"Closing"});

  EXPECT_TRUE(hooks.Deliver(Message(L"MY_SYSCOMMAND_EVENT"), w, 0));
  EXPECT_TRUE(hooks.Deliver(Message(L"MY_KEY_EVENT"), 0x41, 0x001E0001));
  EXPECT_TRUE(
      hooks.Deliver(Message(L"MY_KEY_EVENT_LL"), 0x1B, static_cast<std::int64_t>(0xC0010001u)));

  EXPECT_EQ(shellCalls, (std::vector<ShellCall>{{L"close", w, L""}}));
  EXPECT_EQ(keys, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0x41, 0x001E0001}}));
  EXPECT_EQ(lowLevelKeys, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                              {0x1B, static_cast<std::int32_t>(0xC0010001u)}}));
}

TEST_F(WatchTest, ButtonDownMessagesRaiseAClickWithTheirButtonAndPoint) {
  std::vector<std::tuple<std::int32_t, std::int32_t, TMouseButton>> clicks;
  watch->SetOnMouseClick([&](TWatch&, std::int32_t x, std::int32_t y, TMouseButton button) {
    clicks.emplace_back(x, y, button);
  });
  bool moved = false;
  watch->SetOnMouseMove([&](TWatch&, std::int32_t, std::int32_t) { moved = true; });
  const std::uint32_t mouse = Message(L"MY_MOUSE_EVENT");
  // x 100, y 200; then x -5, y 30 on a monitor left of the primary one.
  const std::int64_t point = (200 << 16) | 100;
  const std::int64_t leftOfPrimary = (30 << 16) | 0xFFFB;

  for (std::uint64_t message : {0x201u, 0x204u, 0x207u, 0x202u, 0x205u, 0x200u, 0x20Bu})
    EXPECT_TRUE(hooks.Deliver(mouse, message, point));
  hooks.Deliver(mouse, 0x201, leftOfPrimary);

  using Click = std::tuple<std::int32_t, std::int32_t, TMouseButton>;
  EXPECT_EQ(clicks, (std::vector<Click>{{100, 200, TMouseButton::mbLeft},
                                        {100, 200, TMouseButton::mbRight},
                                        {100, 200, TMouseButton::mbMiddle},
                                        {-5, 30, TMouseButton::mbLeft}}));
  EXPECT_FALSE(moved);
}

TEST_F(WatchTest, OtherMessagesAndEventsWithoutHandlersAreLeftAlone) {
  watch->SetOnWindowCreated(Record(L"created"));
  EXPECT_FALSE(hooks.Deliver(0x0010, 0, 0));  // WM_CLOSE: the system's default handling
  EXPECT_FALSE(hooks.Deliver(0, 0, 0));
  EXPECT_TRUE(Shell(desktop.AddWindow({L"Gone"}), shell_code::kWindowDestroyed));
  EXPECT_TRUE(hooks.Deliver(Message(L"MY_KEY_EVENT"), 1, 2));
  EXPECT_TRUE(shellCalls.empty());
}

// A platform that cannot register messages gives them all number 0, which is WM_NULL.
TEST(WatchWithoutMessagesTest, UnregisteredMessagesNeverClaimMessageZero) {
  struct NoMessages final : HookPlatform {
    std::uint32_t RegisterMessage(const std::wstring&) override { return 0; }
    std::unique_ptr<HookLibrary> LoadHookLibrary() override { return nullptr; }
    std::unique_ptr<ReceiverWindow> CreateReceiverWindow(ReceiverHandler) override {
      return nullptr;
    }
  } platform;
  fakes::SimulatedDesktop desktop;
  fakes::FakeProgramWindow program{desktop};
  fakes::ScriptedUi ui;
  TWatch watch(platform, desktop, program, ui);
  EXPECT_FALSE(watch.Dispatch(0, 0, 0));
}

}  // namespace
}  // namespace dpx
