#include <gtest/gtest.h>

#include <climits>

#include "app/ini_file.h"
#include "fakes/fake_profile_file.h"

namespace dpx {
namespace {

struct IntegerCase {
  const wchar_t* text;
  std::int32_t expected;  // with the default 99
};
void PrintTo(const IntegerCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::wstring(c.text));
}

class ParseIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsTheStoredText) {
  EXPECT_EQ(ParseInteger(GetParam().text, 99), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ParseIntegerTest,
    ::testing::Values(IntegerCase{L"0", 0}, IntegerCase{L"42", 42}, IntegerCase{L"-1", -1},
                      IntegerCase{L"+7", 7}, IntegerCase{L"007", 7},
                      IntegerCase{L"2147483647", INT_MAX}, IntegerCase{L"-2147483648", INT_MIN},
                      IntegerCase{L"2147483648", 99}, IntegerCase{L"-2147483649", 99},
                      IntegerCase{L"99999999999999999999", 99},
                      // "0x" and "0X" mean hexadecimal only before at least one more character.
                      IntegerCase{L"0x1E", 30}, IntegerCase{L"0X1e", 30}, IntegerCase{L"0x0", 0},
                      IntegerCase{L"0x", 99}, IntegerCase{L"0X", 99}, IntegerCase{L"0xG", 99},
                      IntegerCase{L"$1E", 30}, IntegerCase{L"$ff", 255}, IntegerCase{L"$", 99},
                      IntegerCase{L"$FFFFFFFF", -1}, IntegerCase{L"0x7FFFFFFF", INT_MAX},
                      IntegerCase{L"$100000000", 99}, IntegerCase{L"x1E", 99}, IntegerCase{L"", 99},
                      IntegerCase{L"-", 99}, IntegerCase{L"yes", 99}, IntegerCase{L"12a", 99},
                      IntegerCase{L"1.5", 99}, IntegerCase{L"1 2", 99}, IntegerCase{L"--1", 99},
                      IntegerCase{L"-0x10", 99}));

struct BooleanCase {
  const wchar_t* text;
  bool whenDefaultFalse;
  bool whenDefaultTrue;
};
void PrintTo(const BooleanCase& c, std::ostream* out) {
  *out << ::testing::PrintToString(std::wstring(c.text));
}

class ParseBooleanTest : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(ParseBooleanTest, ReadsAnyNumberAndOnlyNumbers) {
  EXPECT_EQ(ParseBoolean(GetParam().text, false), GetParam().whenDefaultFalse) << GetParam().text;
  EXPECT_EQ(ParseBoolean(GetParam().text, true), GetParam().whenDefaultTrue) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ParseBooleanTest,
    ::testing::Values(BooleanCase{L"1", true, true}, BooleanCase{L"0", false, false},
                      BooleanCase{L"2", true, true}, BooleanCase{L"-1", true, true},
                      BooleanCase{L"0x0", false, false}, BooleanCase{L"$10", true, true},
                      BooleanCase{L"yes", false, true}, BooleanCase{L"true", false, true},
                      BooleanCase{L"", false, true}));

TEST(FormatTest, WritesDecimalAndOneOrZero) {
  EXPECT_EQ(FormatInteger(65535), L"65535");
  EXPECT_EQ(FormatInteger(-5), L"-5");
  EXPECT_EQ(FormatInteger(INT_MIN), L"-2147483648");
  EXPECT_EQ(FormatBoolean(true), L"1");
  EXPECT_EQ(FormatBoolean(false), L"0");
}

TEST(IniFileTest, TextKeysKeepEmptyValuesAndOtherKeysFallBackToTheirDefault) {
  fakes::FakeProfileFile profile;
  profile.SetText(L"s.ini", L"[S]\r\nText=\r\nNumber=\r\nFlag=\r\n");
  IniFile ini(profile, L"s.ini");
  EXPECT_EQ(ini.ReadText(L"S", L"Text", L"default"), L"");
  EXPECT_EQ(ini.ReadInteger(L"S", L"Number", 20), 20);
  EXPECT_TRUE(ini.ReadBoolean(L"S", L"Flag", true));
  EXPECT_EQ(ini.ReadText(L"S", L"Missing", L"default"), L"default");
  EXPECT_EQ(IniFile(profile, L"none.ini").ReadInteger(L"S", L"Number", 7), 7);
}

TEST(IniFileTest, EveryTextReadsBackAsWrittenAndOnlyTextsAReadWouldChangeAreQuoted) {
  struct Case {
    const wchar_t* value;
    const wchar_t* stored;
  };
  // The settings fuzz target found "'   l'": once saved, a read dropped the blanks and the text
  // that had been no hot key became the hot key L.
  const Case cases[] = {
      {L"Ctrl+`", L"Ctrl+`"}, {L"", L""},           {L"   l", L"\"   l\""},
      {L"l\t", L"\"l\t\""},   {L"'x'", L"\"'x'\""}, {L"\"\"", L"\"\"\"\""},
      {L"\"", L"\""},         {L"'x\"", L"'x\""},   {L"Shift+ Alt", L"Shift+ Alt"}};
  for (const Case& c : cases) {
    fakes::FakeProfileFile profile;
    IniFile ini(profile, L"s.ini");
    ini.WriteText(L"S", L"Key", c.value);
    EXPECT_EQ(profile.Text(L"s.ini"), L"[S]\r\nKey=" + std::wstring(c.stored) + L"\r\n");
    EXPECT_EQ(ini.ReadText(L"S", L"Key", L"default"), c.value);
  }
}

TEST(IniFileTest, AFailedWriteThrowsWithThePathOfTheFile) {
  fakes::FakeProfileFile profile;
  profile.FailWritesAfter(0);
  IniFile ini(profile, L"C:\\Users\\Zo\u00eb\\dpx.dat");
  try {
    ini.WriteInteger(L"S", L"Number", 1);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Message(), L"Unable to write to C:\\Users\\Zo\u00eb\\dpx.dat");
    EXPECT_STREQ(error.what(), "Unable to write to C:\\Users\\Zo\xC3\xAB\\dpx.dat");
  }
  EXPECT_FALSE(profile.Text(L"C:\\Users\\Zo\u00eb\\dpx.dat"));
}

}  // namespace
}  // namespace dpx
