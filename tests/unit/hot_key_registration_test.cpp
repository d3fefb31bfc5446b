#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "fakes/fake_triggers_platform.h"
#include "fakes/recording_trigger_actions.h"
#include "fakes/scripted_ui.h"
#include "triggers/hot_key_dispatch.h"
#include "triggers/hot_key_registration.h"

namespace dpx {
namespace {

using Combination = fakes::FakeHotKeys::Combination;

const std::wstring kFailureTail =
    L"\n\rThe shortcut is in use!\n\rPlease try a different key combination.";

class HotKeyRegistrationTest : public ::testing::Test {
 protected:
  fakes::FakeHotKeys hotKeys;
  fakes::FakeKeyNames names;
  fakes::FakeTextServices textServices;
  fakes::ScriptedUi messages;
  HotKeyRegistration registration{hotKeys, names, textServices, messages};
  Options options;
};

TEST_F(HotKeyRegistrationTest, RegistersTheParsedKeyWithItsModifiers) {
  const struct {
    const wchar_t* text;
    unsigned modifiers;
    unsigned key;
  } cases[] = {
      {L"Ctrl+F12", 2, 123},
      {L"Ctrl+`", 2, 192},
      {L"Ctrl+\\", 2, 220},
      {L"Shift+Ctrl+Alt+Home", 7, 36},
      {L"Ctrl+/", 2, 191},  // the main slash key, not the numeric-pad divide key
      {L"Alt+Num *", 1, 106},
      {L"Ctrl+7", 2, 55},
      // Texts that do not parse still register, with key 0 and no modifiers.
      {L"", 0, 0},
      {L"Ctrl+", 0, 0},
      {L"Ctrl+Nonsense", 0, 0},
  };
  for (const auto& c : cases) {
    hotKeys.log.clear();
    EXPECT_TRUE(registration.AssignHotKey(kScreenSaverHotKey, c.text)) << "text '" << c.text << "'";
    EXPECT_EQ(hotKeys.Registered(kScreenSaverHotKey), (Combination{c.modifiers, c.key}))
        << "text '" << c.text << "'";
    EXPECT_EQ(hotKeys.log.front(), "Unregister 2");
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HotKeyRegistrationTest, AFailureShowsTheTextAsPassedAndLeavesTheIdWithoutHotKey) {
  ASSERT_TRUE(registration.AssignHotKey(kHideHotKey, L"Ctrl+A"));
  hotKeys.heldElsewhere.insert({2, 123});

  EXPECT_FALSE(registration.AssignHotKey(kHideHotKey, L"ctrl+f12"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::kPlain);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(messages.shown[0].text, L"Unable to assign shortcut: ctrl+f12" + kFailureTail);
  EXPECT_EQ(hotKeys.Registered(kHideHotKey), std::nullopt);
  // The old combination was given up before the attempt.
  EXPECT_TRUE(registration.AssignHotKey(kProgramHotKey, L"Ctrl+A"));
}

TEST_F(HotKeyRegistrationTest, StartUpAttemptsAllThreeAndReportsEachFailureInIdOrder) {
  EXPECT_TRUE(registration.AssignAllHotKeys(options));
  EXPECT_EQ(hotKeys.Registered(kHideHotKey), (Combination{2, 192}));
  EXPECT_EQ(hotKeys.Registered(kProgramHotKey), (Combination{2, 220}));
  EXPECT_EQ(hotKeys.Registered(kScreenSaverHotKey), (Combination{2, 123}));
  registration.UnregisterAllHotKeys();

  hotKeys.heldElsewhere = {{2, 192}};
  hotKeys.log.clear();
  EXPECT_FALSE(registration.AssignAllHotKeys(options));
  EXPECT_EQ(hotKeys.log,
            (std::vector<std::string>{"Unregister 0", "Register 0 2 192 failed", "Unregister 1",
                                      "Register 1 2 220", "Unregister 2", "Register 2 2 123"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Unable to assign shortcut: Ctrl+`" + kFailureTail);

  registration.UnregisterAllHotKeys();
  messages.shown.clear();
  hotKeys.heldElsewhere = {{2, 192}, {2, 123}};
  EXPECT_FALSE(registration.AssignAllHotKeys(options));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, L"Unable to assign shortcut: Ctrl+`" + kFailureTail);
  EXPECT_EQ(messages.shown[1].text, L"Unable to assign shortcut: Ctrl+F12" + kFailureTail);
  EXPECT_EQ(hotKeys.Registered(kProgramHotKey), (Combination{2, 220}));
}

TEST_F(HotKeyRegistrationTest, ShutdownUnregistersTheThreeIdsInOrder) {
  ASSERT_TRUE(registration.AssignAllHotKeys(options));
  hotKeys.log.clear();
  registration.UnregisterAllHotKeys();
  EXPECT_EQ(hotKeys.log,
            (std::vector<std::string>{"Unregister 0", "Unregister 1", "Unregister 2"}));
  for (int id : {0, 1, 2}) EXPECT_EQ(hotKeys.Registered(id), std::nullopt);
}

TEST(HotKeyDispatchTest, EachIdFiresItsActionUnlessACaptureFieldHasTheFocus) {
  const struct {
    std::uintptr_t id;
    bool fieldFocused;
    std::vector<std::string> expected;
  } cases[] = {
      {0, false, {"hide/restore"}},
      {1, false, {"program window, ask password"}},
      {2, false, {"screen saver"}},
      {3, false, {}},
      {~std::uintptr_t{0}, false, {}},
      {0, true, {}},
      {1, true, {}},
      {2, true, {}},
  };
  for (const auto& c : cases) {
    fakes::RecordingTriggerActions actions;
    HandleHotKey(c.id, c.fieldFocused, actions);
    EXPECT_EQ(actions.fired, c.expected) << "id " << c.id << " focused " << c.fieldFocused;
  }
}

}  // namespace
}  // namespace dpx
