#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "fakes/fake_triggers_platform.h"
#include "triggers/hot_key_text.h"

namespace dpx {
namespace {

constexpr TShortCut kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

class HotKeyTextTest : public ::testing::Test {
 protected:
  TShortCut Parse(const std::wstring& text) { return ParseHotKeyText(text, names, textServices); }
  std::wstring Format(TShortCut value) { return FormatHotKeyText(value, names); }

  fakes::FakeKeyNames names;  // a US layout
  fakes::FakeTextServices textServices;
};

TEST_F(HotKeyTextTest, ParsesPrefixesInAnyOrderAndCaseAndTheLowestCodeWins) {
  const struct {
    const wchar_t* text;
    TShortCut expected;
  } cases[] = {
      {L"Ctrl+F12", kCtrl | 123},
      {L"CTRL+F12", kCtrl | 123},
      {L"ctrl+f12", kCtrl | 123},
      {L"^F12", kCtrl | 123},
      {L"Alt+Ctrl+Del", kAlt | kCtrl | 46},
      {L"Shift+Ctrl+Alt+Home", kShift | kCtrl | kAlt | 36},
      {L"alt+SHIFT+a", kAlt | kShift | 'A'},
      {L"Ctrl+Ctrl+X", kCtrl | 'X'},
      {L"^Alt+^Space", kCtrl | kAlt | 32},
      {L"Ctrl+`", kCtrl | 192},
      {L"Ctrl+\\", kCtrl | 220},
      {L"Ctrl+5", kCtrl | '5'},  // the main-row digit, never the numeric-pad 101
      {L"Ctrl+/", kCtrl | 111},  // the numeric-pad divide key is the lower code
      {L"F24", 135},
      {L"pause", 19},
      {L"Shift+Num *", kShift | 106},
      {L"Ctrl+Scroll Lock", kCtrl | 145},  // VK_CANCEL shares the name but is below the scan
      {L"", 0},
      {L"Ctrl+", 0},
      {L"Shift+Alt+^", 0},
      {L"Ctrl+Nonsense", 0},
      {L"Ctrl+F25", 0},
      {L"Ctrl +X", 0},
      {L"X+Ctrl", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.text), c.expected) << "text '" << c.text << "'";
}

TEST_F(HotKeyTextTest, FormatsPrefixesInFixedOrderOrNothingForAnUnnamedKey) {
  const struct {
    TShortCut value;
    const wchar_t* expected;
  } cases[] = {
      {kCtrl | 123, L"Ctrl+F12"},
      {kAlt | kCtrl | 46, L"Ctrl+Alt+Del"},
      {kCtrl | kAlt | 116, L"Ctrl+Alt+F5"},
      {kShift | kCtrl | 'X', L"Shift+Ctrl+X"},
      {kShift | kCtrl | kAlt | 36, L"Shift+Ctrl+Alt+Home"},
      {kCtrl | 103, L"Ctrl+7"},  // numeric-pad 7
      {96, L"0"},
      {8, L"BkSp"},
      {kCtrl | 192, L"Ctrl+`"},
      {kCtrl | 220, L"Ctrl+\\"},
      {kAlt | 111, L"Alt+/"},
      {kCtrl | 7, L""},  // no key has the code 7
      {kShift | kCtrl | kAlt | 255, L""},
      {0, L""},
      {0x103, L"Scroll Lock"},  // above a byte: the name of the low byte
      {kCtrl | 0x148, L"Ctrl+H"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value), c.expected) << "value 0x" << std::hex << c.value;
}

TEST_F(HotKeyTextTest, EveryNamedCombinationReadsBackAsTheSameText) {
  for (unsigned code = 8; code <= 255; ++code) {
    for (unsigned step = 0; step < 8; ++step) {
      const TShortCut modifiers = static_cast<TShortCut>(step * kShift);
      const std::wstring text = Format(static_cast<TShortCut>(code | modifiers));
      if (text.empty()) continue;
      const TShortCut parsed = Parse(text);
      EXPECT_EQ(parsed & 0xE000, modifiers) << "code " << code;
      EXPECT_EQ(Format(parsed), text) << "code " << code;
    }
  }
  EXPECT_EQ(Parse(Format(kCtrl | 103)), kCtrl | '7');
}

TEST(ShortCutTest, PacksAndSplitsKeyAndModifiers) {
  EXPECT_EQ(MakeShortCut(123, {true, true, true}), 0xE07B);
  EXPECT_EQ(MakeShortCut(255, {}), 255);
  EXPECT_EQ(MakeShortCut(0x100, {false, true, false}), 0);  // a code beyond a byte has no value
  EXPECT_EQ(MakeShortCut(0x8041, {}), 0);

  const SplitShortCutResult all = SplitShortCut(0xE07B);
  EXPECT_EQ(all.keyCode, 123);
  EXPECT_EQ(all.shift, (ShiftState{true, true, true}));
  const SplitShortCutResult wide = SplitShortCut(kCtrl | 0x1FFF);
  EXPECT_EQ(wide.keyCode, 0x1FFF);
  EXPECT_EQ(wide.shift, (ShiftState{false, true, false}));
  EXPECT_EQ(SplitShortCut(0).keyCode, 0);
  EXPECT_TRUE(SplitShortCut(0).shift.Empty());
}

TEST(ShortCutTest, ModifierFlagsAreThoseOfRegisterHotKey) {
  const struct {
    ShiftState shift;
    unsigned expected;
  } cases[] = {
      {{}, 0u},
      {{true, false, false}, 4u},
      {{false, true, false}, 2u},
      {{false, false, true}, 1u},
      {{true, true, true}, 7u},
  };
  for (const auto& c : cases) EXPECT_EQ(ShiftToModifiers(c.shift), c.expected);
}

TEST(ShortCutTest, AltComesFromTheContextCodeOfTheKeyMessage) {
  const std::uintptr_t contextCode = std::uintptr_t{1} << 29;
  EXPECT_EQ(ShiftStateOfKeyMessage(false, true, contextCode | 0x1D0001),
            (ShiftState{false, true, true}));
  EXPECT_EQ(ShiftStateOfKeyMessage(true, false, (std::uintptr_t{1} << 30) | (1u << 24)),
            (ShiftState{true, false, false}));
}

}  // namespace
}  // namespace dpx
