#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_text_services.h"
#include "fakes/fake_triggers_platform.h"
#include "fakes/scripted_ui.h"
#include "triggers/capture_field.h"

namespace dpx {
namespace {

const ShiftState kNone{};
const ShiftState kShift{true, false, false};
const ShiftState kCtrl{false, true, false};
const ShiftState kAlt{false, false, true};
const ShiftState kCtrlShift{true, true, false};
const ShiftState kAll{true, true, true};

TEST(FilterHotKeyKeyTest, RefusesTypingKeysWithoutCtrlOrAltAndLoneModifiers) {
  const struct {
    std::uint16_t key;
    ShiftState shift;
    bool counts;
  } cases[] = {
      // Backspace never counts, so the text cannot be emptied from the keyboard.
      {8, kNone, false},
      {8, kCtrl, false},
      {8, kAll, false},
      // Keys that type or move: only with Ctrl or Alt.
      {'A', kNone, false},
      {'A', kShift, false},
      {'A', kCtrl, true},
      {'A', kAlt, true},
      {32, kNone, false},
      {31, kNone, true},
      {127, kShift, false},
      {128, kNone, true},
      {46, kNone, false},
      {46, kCtrl, true},  // Del
      {116, kNone, false},
      {131, kNone, true},  // F5, F20
      {103, kNone, false},
      {103, kCtrl, true},  // numeric-pad 7
      {192, kNone, false},
      {191, kNone, true},
      {193, kNone, true},
      {218, kNone, true},
      {219, kShift, false},
      {221, kNone, false},
      {222, kNone, true},
      {19, kNone, true},
      {186, kNone, true},  // Pause, ";"
      // A modifier key whose own modifier is held: pressed alone or ending a modifier chord.
      {17, kCtrl, false},
      {16, kCtrlShift, false},
      {18, kAlt, false},
      {17, kAll, false},
      {16, kCtrl, true},  // Shift's own state is not in it: taken as an ordinary key
  };
  for (const auto& c : cases) {
    std::uint16_t key = c.key;
    EXPECT_EQ(FilterHotKeyKey(key, c.shift), c.counts) << "key " << c.key;
    EXPECT_EQ(key, c.counts ? c.key : 0) << "key " << c.key;
  }
}

// Records what the main window is asked to do after a failed registration.
class RecordingShortcutsPage final : public ShortcutsPage {
 public:
  std::vector<int> focused;
  void ShowShortcutsPageAndFocus(int id) override { focused.push_back(id); }
};

class CaptureFieldTest : public ::testing::Test {
 protected:
  // Key down as the window delivers it; returns whether the press counted.
  bool Press(HotKeyCaptureField& field, std::uint16_t key, ShiftState shift) {
    return field.KeyDown(key, shift);
  }
  std::vector<std::string> Registrations() const {
    std::vector<std::string> registrations;
    for (const std::string& line : hotKeys.log)
      if (line.rfind("Register", 0) == 0) registrations.push_back(line);
    return registrations;
  }

  fakes::FakeHotKeys hotKeys;
  fakes::FakeKeyNames names;
  fakes::FakeTextServices textServices;
  fakes::ScriptedUi messages;
  HotKeyRegistration registration{hotKeys, names, textServices, messages};
  RecordingShortcutsPage page;
  Options options;
  HotKeyCaptureFields fields{options, registration, names, textServices, page};
  HotKeyCaptureField& hideField = fields.Field(kHideHotKey);
};

TEST_F(CaptureFieldTest, CtrlThenXShowsTheComboAndEachReleaseRegistersIt) {
  EXPECT_FALSE(Press(hideField, 17, kCtrl));
  EXPECT_EQ(hideField.Text(), L"Ctrl+`");
  EXPECT_TRUE(Press(hideField, 'X', kCtrl));
  EXPECT_EQ(options.hideKey, L"Ctrl+X");
  hideField.KeyUp();  // X
  hideField.KeyUp();  // Ctrl
  EXPECT_EQ(Registrations(), (std::vector<std::string>{"Register 0 2 88", "Register 0 2 88"}));
  EXPECT_TRUE(page.focused.empty());
}

TEST_F(CaptureFieldTest, RefusedPressesKeepTheTextAndTheReleaseRegistersItAgain) {
  const struct {
    std::uint16_t key;
    ShiftState shift;
  } refused[] = {{17, kCtrl},  {16, kCtrlShift}, {'A', kNone}, {'A', kShift},
                 {116, kNone}, {8, kAll},        {46, kNone}};
  for (const auto& press : refused) {
    EXPECT_FALSE(Press(hideField, press.key, press.shift)) << "key " << press.key;
    hideField.KeyUp();
  }
  EXPECT_EQ(options.hideKey, L"Ctrl+`");
  EXPECT_EQ(Registrations().size(), std::size(refused));
  EXPECT_EQ(hotKeys.Registered(kHideHotKey), (fakes::FakeHotKeys::Combination{2, 192}));
}

TEST_F(CaptureFieldTest, AcceptedPressesShowTheirHotKeyText) {
  const struct {
    std::uint16_t key;
    ShiftState shift;
    const wchar_t* text;
    fakes::FakeHotKeys::Combination registered;
  } cases[] = {
      {131, kNone, L"F20", {0, 131}},
      {116, kAll, L"Shift+Ctrl+Alt+F5", {7, 116}},
      {46, kCtrl, L"Ctrl+Del", {2, 46}},
      {111, kCtrl, L"Ctrl+/", {2, 191}},  // numeric-pad divide: registers the main slash key
      {103, kCtrl, L"Ctrl+7", {2, 55}},   // numeric-pad 7 with Num Lock on
      {'V', kCtrl, L"Ctrl+V", {2, 86}},
  };
  HotKeyCaptureField& field = fields.Field(kScreenSaverHotKey);
  for (const auto& c : cases) {
    EXPECT_TRUE(Press(field, c.key, c.shift));
    EXPECT_EQ(options.screenSaverKey, c.text);
    field.KeyUp();
    EXPECT_EQ(hotKeys.Registered(kScreenSaverHotKey), c.registered) << "text " << c.text;
  }
  EXPECT_EQ(options.hideKey, L"Ctrl+`");
  EXPECT_EQ(options.programKey, L"Ctrl+\\");
}

// The layout names Volume Mute (173) after the scan code it shares with "D" when the extended bit
// is not given: taken, it would show "D" and register a plain letter as a global hot key.
TEST_F(CaptureFieldTest, AKeyWhoseTextNamesAnotherKeyOrNoneIsRefused) {
  names.names[173] = L"D";
  names.names[174] = L"Volume Down";
  const struct {
    std::uint16_t key;
    ShiftState shift;
  } refused[] = {{173, kNone}, {173, kCtrl}, {183, kNone}, {0xE8, kAlt}};  // 183, 0xE8: no name
  for (const auto& press : refused) {
    std::uint16_t key = press.key;
    EXPECT_FALSE(hideField.KeyDown(key, press.shift)) << "key " << press.key;
    EXPECT_EQ(key, 0) << "key " << press.key;
    EXPECT_EQ(options.hideKey, L"Ctrl+`") << "key " << press.key;
  }
  EXPECT_TRUE(Press(hideField, 174, kShift));
  EXPECT_EQ(options.hideKey, L"Shift+Volume Down");
  hideField.KeyUp();
  EXPECT_EQ(hotKeys.Registered(kHideHotKey), (fakes::FakeHotKeys::Combination{4, 174}));
}

TEST_F(CaptureFieldTest, NoCharacterReachesTheField) {
  wchar_t typed = L'v';
  HotKeyCaptureField::Character(typed);
  EXPECT_EQ(typed, L'\0');
}

TEST_F(CaptureFieldTest, AFailedReleaseShowsOneMessageThenRefocusesTheFieldWithItsText) {
  hotKeys.heldElsewhere.insert({2, 'X'});
  HotKeyCaptureField& field = fields.Field(kProgramHotKey);
  ASSERT_TRUE(Press(field, 'X', kCtrl));
  field.KeyUp();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(page.focused, std::vector<int>{kProgramHotKey});
  EXPECT_EQ(options.programKey, L"Ctrl+X");
  EXPECT_EQ(hotKeys.Registered(kProgramHotKey), std::nullopt);
}

TEST_F(CaptureFieldTest, FieldsAreIndexedByHotKeyId) {
  for (int id : {0, 1, 2}) EXPECT_EQ(fields.Field(id).Id(), id);
  EXPECT_EQ(fields.Field(kProgramHotKey).Text(), L"Ctrl+\\");
  EXPECT_THROW(fields.Field(3), std::out_of_range);
}

}  // namespace
}  // namespace dpx
